#pragma once

#include <QString>

class UserInterface;

/** Where the run's own check lists the problems of Mod190.txt or Mod347.txt: Comprobacion190.txt or 347. */
QString fileCheckListName(const QString& model);

/**
 * The run's own check of the declaration it has just written and closed at
 * `path`, with the rules of check-file. When it finds problems, their list
 * and the closing count go beside the declaration (fileCheckListName) and the
 * user is told, with the first few; when it finds none, an older list of the
 * same model is removed. The declaration itself is left as it is. False when
 * the list could not be written (the user was told why): the run has failed.
 */
bool checkWrittenDeclaration(const QString& path, const QString& model, UserInterface& ui);
