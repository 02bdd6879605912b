#pragma once

#include "base/RunOutcome.h"
#include "declaration/DeclarantHeader.h"

#include <QString>

#include <memory>
#include <optional>

class Database;
class UserInterface;

/** The threshold box's initial text, with which the window's load makes the selection. */
inline const QString kInitialThreshold = QStringLiteral("3005.06");
inline const QString kModelo347File = QStringLiteral("Mod347.txt");

/**
 * Creates the tables Clientes (an empty copy of provedores) and IVA when they
 * are missing, on a connection of its own; the first failure ends it.
 */
void PrepararTablas(const QString& DbPath);

enum class Modelo347Load {
    Ready,
    /** No supplier passes the threshold: the user was told and the program ends. */
    NothingToDeclare,
    /** The database could not be opened: the user was told and the window does not open. */
    OpenFailed,
};

/**
 * The database work of the Modelo 347 window's load: PrepararTablas, the
 * connection AccountsDb, the IVACC field and its default, the tool's own
 * index on the entries (ensureEntriesIndex, or one on TdApt(NifProv) alone
 * when that cannot be made), and SelectOperations with `threshold`.
 */
Modelo347Load loadModelo347(const QString& DbPath, const QString& threshold,
                            std::unique_ptr<Database>& AccountsDb, UserInterface& ui);

/** The state of a Modelo 347 window that the "Iniciar" run reads and keeps. */
struct Modelo347Session {
    Database& AccountsDb;
    QString outputFolder;
    /** The threshold, as readThreshold gives it, with which TStper was last selected. */
    QString selectionThreshold = kInitialThreshold;
};

/**
 * The threshold test of the run: the threshold as typed, read by
 * readThreshold; a text that is no number, or a negative one, gets "Mete bien
 * el tope" and nothing.
 */
std::optional<QString> acceptThreshold(const QString& typed, UserInterface& ui);

/**
 * The "Iniciar" run: the threshold test, Mod347.txt with its type 1 record,
 * the supplier pre-checks, the type 2 records and the end message. When the
 * threshold differs from the one of the selection, the selection is made
 * again with it first, so that the file follows the threshold shown.
 */
RunOutcome runModelo347(Modelo347Session& session, const QString& typedThreshold, ContactInputs& contact,
                        UserInterface& ui);
