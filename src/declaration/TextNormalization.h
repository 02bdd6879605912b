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
 * upper-case accented vowels of every kind lose their accent (Ñ and Ç stay),
 * ª and º become ".", brackets and double quotes go. Letter case is left as
 * it is.
 */
QString NormalizeText(const QString& text);

/** A vowel with an accent of any kind, in either case: what the agency refuses in a name. */
bool isAccentedVowel(QChar c);

/** A text without the accents of its letters, of any kind: «Ñandú Müller» is «Nandu Muller». */
QString withoutAccents(const QString& text);

/** A text as a search compares it, without accents and without case: «iberica» finds «Ibérica». */
QString foldedForSearch(const QString& text);
