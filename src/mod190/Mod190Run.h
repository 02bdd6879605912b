#pragma once

#include "base/RunOutcome.h"
#include "declaration/DeclarantHeader.h"

#include <QString>

class Database;
class UserInterface;

/**
 * The "Iniciar" run of the Modelo 190 window: postal code check, extraction
 * and classification, Mod190.txt in `outputFolder`, the end message and the
 * removal of the work table and saved query. `contact` comes back with the
 * contact person as the record carries it.
 */
RunOutcome runModelo190(Database& AccountsDb, const QString& outputFolder, ContactInputs& contact,
                        UserInterface& ui);

inline const QString kModelo190File = QStringLiteral("Mod190.txt");
