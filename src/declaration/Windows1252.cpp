#include "Windows1252.h"

#include <QList>

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 marks the five the code page leaves undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char encodeCodePoint(char32_t c) {
    if (c < 0x20 || c == 0x7F)
        return ' ';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    return Windows1252::kReplacement;
}

// Lower-case letter → upper-case letter, both inside the code page.
char32_t upperCodePoint(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    switch (c) {
        case 0xFF:  // ÿ
            return 0x178;
        case 0x161:  // š
            return 0x160;
        case 0x153:  // œ
            return 0x152;
        case 0x17E:  // ž
            return 0x17D;
        default:
            return c;
    }
}

}  // namespace

QByteArray Windows1252::encode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        bytes.append(encodeCodePoint(c));
    return bytes;
}

QString Windows1252::decode(QByteArrayView bytes) {
    QString text = QString::fromLatin1(bytes);  // the code page is Latin-1 outside 0x80-0x9F
    for (QChar& c : text) {
        const char16_t latin1 = c.unicode();
        if (latin1 >= 0x80 && latin1 <= 0x9F) {
            const char16_t defined = kHighControls[latin1 - 0x80];
            c = defined != 0 ? QChar(defined) : QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}

QString Windows1252::toUpper(const QString& text) {
    QList<uint> codePoints = text.toUcs4();
    for (uint& c : codePoints)
        c = upperCodePoint(c);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), codePoints.size());
}

QByteArray Windows1252::toUpper(const QByteArray& bytes) {
    QByteArray upper = bytes;
    for (char& byte : upper) {
        const auto b = static_cast<unsigned char>(byte);
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F)
            c = kHighControls[b - 0x80];
        const char32_t u = upperCodePoint(c);
        if (u != c)
            byte = encodeCodePoint(u);
    }
    return upper;
}
