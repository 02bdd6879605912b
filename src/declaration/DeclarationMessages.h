#pragma once

#include "base/UserInterface.h"

#include <QString>
#include <QStringList>

/**
 * What the declaration runs and windows tell the user, each text written
 * once. The titles and texts are the program's own and stay as they are.
 */
namespace DeclarationMessages {

inline const QString kAttentionTitle = QStringLiteral("ATENCIÓN");
/** The title of the Modelo 190 run's notices, letter by letter. */
inline const QString kSpacedAttentionTitle = QStringLiteral("A T E N C I Ó N");

/** The declaration at `path` is written and closed: "PROCESO TERMINADO". */
void announceWritten(UserInterface& ui, const QString& path);

/** The first ten lines of a list, as a message shows them, then «... y N más» for the rest. */
QString firstLines(const QStringList& lines);

/** What the run's own check of a written declaration found. */
struct FileCheckFindings {
    int errors = 0;
    int warnings = 0;
    /** Every problem, one line each; the message shows the first ones. */
    QStringList problems;
    /** The file with the whole list, and why it could not be written (empty when it was). */
    QString listPath;
    QString listFailure;
};
/** "COMPROBACIÓN DEL FICHERO": the problems of the declaration just written, which stays written. */
void tellFileCheckFindings(UserInterface& ui, const FileCheckFindings& findings);

// Both models: the contact data that the check would refuse, asked about before the file is written
MessageAnswer askWriteDespiteContact(UserInterface& ui, const QString& problem);

// Both models: the declaration's identity and the complementary of the refused records
/** The kind of declaration, the number before it or the agency's error file cannot be used: why. */
void tellDeclarationIdentityProblem(UserInterface& ui, const QString& problem);
/** Parties that the agency refused but today's accounts no longer declare: they stay out of the file. */
void tellRefusedLeftOut(UserInterface& ui, const QStringList& parties);

// Modelo 190
void tellNoWithholdings(UserInterface& ui);
void tellReviewFile(UserInterface& ui, const QString& path);
void tellReviewFileFailure(UserInterface& ui, const QString& reason);
void tellPostalCodesUncheckable(UserInterface& ui, const QString& reason);
void tellWithholdingsQueryNotImported(UserInterface& ui, const QString& reason);
void tellDeclarantRecordFailure(UserInterface& ui, const QString& reason);
void tellPerceptorsWithoutPostalCode(UserInterface& ui);
/** Whether the year's entries agree with the figures typed from the filed Modelo 111. */
void tellAgreementWith111(UserInterface& ui, const QString& agreement);
/** Perceptors withheld at rates of different ranges, one line each: the file goes on with their keys. */
void tellBlendedRates(UserInterface& ui, const QStringList& perceptors);
void tellDeclarationFileFailure(UserInterface& ui, const QString& reason);

// Modelo 347
void tellNothingAboveTheThreshold(UserInterface& ui);
void tellThresholdUnusable(UserInterface& ui);
void tellSuppliersWithoutPostalCode(UserInterface& ui, const QString& path);
/** Whether to go on with the doubtful suppliers, NIF and name, that `path` lists; No by default. */
MessageAnswer askGoOnWithDoubtfulIdentifiers(UserInterface& ui, const QString& path,
                                             const QStringList& suppliers);
void tellModelo347Failure(UserInterface& ui, const QString& reason);
void tellCashBasisMarkNotSaved(UserInterface& ui, const QString& reason);

}  // namespace DeclarationMessages
