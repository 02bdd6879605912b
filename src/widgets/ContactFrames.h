#pragma once

#include "LostFocusLineEdit.h"
#include "base/RunOutcome.h"
#include "declaration/DeclarantHeader.h"

#include <QList>

#include <optional>

class UserInterface;

class QCheckBox;
class QGroupBox;
class QRadioButton;

/**
 * The contact inputs of a declaration window: Frame1 ("Datos de la persona de
 * contacto") with the telephone Text1(0), the contact person Text1(1) and, for
 * model "190", the e-mail Text1(3); and Frame2 with the declaration number
 * Text1(2) and the kind of declaration: the choices Option1(0) to (2)
 * (normal, complementary, substitutive), the number of the declaration before
 * Text3, and Check1, a complementary of the records the agency refused alone,
 * from its error file. Each box is trimmed of its outer blanks when it loses
 * the focus.
 */
class ContactFrames {
public:
    /** How much taller, in twips, the e-mail makes Frame1: what lies below moves down by as much. */
    static constexpr int kEmailHeight = 840;
    /** How much taller the kind of declaration makes Frame2. */
    static constexpr int kKindHeight = 1200;

    /** Creates both frames in `window` at their design places, for model "190" or "347". */
    ContactFrames(QWidget* window, int frame1Top, int frame2Top, const QString& model);
    ~ContactFrames();
    ContactFrames(const ContactFrames&) = delete;
    ContactFrames& operator=(const ContactFrames&) = delete;

    ContactInputs inputs() const;
    void show(const ContactInputs& inputs);

    /**
     * The telephone, contact person and e-mail of the last run that wrote its
     * file for the accounting database at `DbPath`, kept in the user's settings
     * for its folder: recall shows them in place of the example data, remember
     * keeps what the boxes hold. The declaration number is never kept.
     */
    void recall(const QString& DbPath);
    void remember(const QString& DbPath) const;

    /**
     * What the boxes hold for a run of model "190" or "347" that starts now,
     * kept for the next window whatever becomes of the run. Contact data that
     * the file's check would refuse are asked about first: nothing, with the
     * box focused, when the user would rather correct them.
     */
    std::optional<ContactInputs> startRun(const QString& model, const QString& DbPath, UserInterface& ui);
    /**
     * After a run: the boxes show the contact data as the run used them, which
     * are kept; a refused declaration number before gets the focus.
     */
    void endRun(const ContactInputs& used, RunResult result, const QString& model, const QString& DbPath);
    void Text1_LostFocus(int index);

    /** Chooses the agency's error file whose refused records alone the declaration carries; empty for all. */
    void setRefusedRecordsFile(const QString& path);

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    /** Text1(0) to Text1(2), and Text1(3) for model "190". */
    QList<LostFocusLineEdit*> Text1;
    /** Normal, complementary, substitutive. */
    QList<QRadioButton*> Option1;
    LostFocusLineEdit* Text3;
    QCheckBox* Check1;

private:
    void createKindControls();
    /** Puts the focus on the number of the declaration before when the kind of declaration refuses it. */
    void focusWrongPreviousNumber(const QString& model);
    DeclarationKind kind() const;
    void Option1_Click();
    void Check1_Click();

    QWidget* m_window;
    QString m_refusedRecordsFile;
    QList<QMetaObject::Connection> m_connections;
};

/** Removes leading and trailing blanks, as the boxes do when they lose the focus. */
QString trimBlanks(const QString& text);
