#pragma once

#include <QString>

/**
 * Returns `source` with every occurrence of `searched` replaced by
 * `replacement`, left to right, never searching the inserted text again.
 * `searched` must not be empty.
 */
QString ReplaceAll(const QString& source, const QString& searched, const QString& replacement);

/**
 * Removes from a name the characters that the tax agency's records refuse:
 * upper-case accented vowels lose their accent, ª and º become ".", brackets
 * and double quotes go. Letter case is left as it is.
 */
QString NormalizeText(const QString& text);
