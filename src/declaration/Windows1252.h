#pragma once

#include <QByteArray>
#include <QString>

/**
 * The text model of the declaration and review files: one byte per character
 * in the Windows-1252 code page.
 */
namespace Windows1252 {

/** The byte that stands for a character the code page cannot hold. */
inline constexpr char kReplacement = '?';

/**
 * Converts a text, one byte per character. A character outside the code page
 * (an emoji, a Greek letter) becomes one "?", and a control character such as a
 * line break becomes a space, so that a value never breaks a line of the file.
 */
QByteArray encode(const QString& text);

/** The characters of Windows-1252 bytes; an undefined byte becomes U+FFFD. */
QString decode(QByteArrayView bytes);

/** Upper-cases character by character within the code page: á→Á, ÿ→Ÿ, š→Š; ß and µ stay. */
QString toUpper(const QString& text);

/** The same upper-casing on bytes that are already Windows-1252. */
QByteArray toUpper(const QByteArray& bytes);

}  // namespace Windows1252
