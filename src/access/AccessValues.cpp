#include "AccessValues.h"

#include "db/JetDates.h"

#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace AccessValues {

namespace {

constexpr char16_t kCompressedMark = 0xFEFF;  // FF FE, read as UTF-16LE

char16_t utf16At(const QByteArray& bytes, qsizetype at) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

QString uncompressed(const QByteArray& stored) {
    QString text;
    text.reserve(stored.size() / 2);
    for (qsizetype at = 0; at + 1 < stored.size(); at += 2)
        text.append(QChar(utf16At(stored, at)));
    return text;
}

QString decompressed(const QByteArray& stored) {
    QString text;
    text.reserve(stored.size());
    bool oneByte = true;
    qsizetype at = 2;  // after the mark
    while (at < stored.size()) {
        if (stored[at] == '\0') {
            oneByte = !oneByte;
            ++at;
        } else if (oneByte) {
            text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(stored[at]))));
            ++at;
        } else if (at + 1 < stored.size()) {
            text.append(QChar(utf16At(stored, at)));
            at += 2;
        } else {
            break;  // an odd byte at the end holds no character
        }
    }
    return text;
}

}  // namespace

QString unicodeText(const QByteArray& stored) {
    if (stored.size() >= 2 && utf16At(stored, 0) == kCompressedMark)
        return decompressed(stored);
    return uncompressed(stored);
}

QString dateText(double days) {
    return JetDates::serialDaysText(days);
}

double currency(qint64 tenThousandths) {
    // Both numbers are exact doubles, and a division rounds to the nearest: the quotient is the double
    // nearest the exact decimal value.
    constexpr qint64 kExactInDouble = qint64(1) << 53;
    if (std::llabs(tenThousandths) <= kExactInDouble)
        return static_cast<double>(tenThousandths) / 10000.0;
    // The decimal text is exact; its parse gives the nearest double.
    const qint64 magnitude = std::llabs(tenThousandths);
    const QString text = QStringLiteral("%1%2.%3")
                             .arg(tenThousandths < 0 ? QStringLiteral("-") : QString())
                             .arg(magnitude / 10000)
                             .arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    return text.toDouble();
}

QVariant decimal(const QByteArray& stored, int scale) {
    if (stored.size() < 17 || scale < 0 || scale > 38)
        return {};
    unsigned __int128 magnitude = 0;
    for (int word = 0; word < 4; ++word)
        for (int byte = 3; byte >= 0; --byte)
            magnitude = (magnitude << 8) | static_cast<unsigned char>(stored[1 + 4 * word + byte]);
    const bool negative = (static_cast<unsigned char>(stored[0]) & 0x80) != 0;
    if (scale == 0 && magnitude <= static_cast<unsigned __int128>(std::numeric_limits<qint64>::max())) {
        const auto value = static_cast<qint64>(magnitude);
        return QVariant::fromValue<qlonglong>(negative ? -value : value);
    }
    QString digits;
    do {
        digits.prepend(QLatin1Char(static_cast<char>('0' + static_cast<int>(magnitude % 10))));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() <= scale)
        digits = QString(scale - digits.size() + 1, QLatin1Char('0')) + digits;
    if (scale > 0)
        digits.insert(digits.size() - scale, QLatin1Char('.'));
    return (negative ? -1.0 : 1.0) * digits.toDouble();
}

QByteArray calculatedData(const QByteArray& stored) {
    constexpr int kLengthOffset = 16;
    constexpr int kDataOffset = kLengthOffset + 4;
    if (stored.size() < kDataOffset)
        return stored;
    const auto length = qFromLittleEndian<quint32>(stored.constData() + kLengthOffset);
    return stored.mid(kDataOffset, static_cast<qsizetype>(std::min<quint32>(length, INT_MAX)));
}

QVariant calculatedDecimal(const QByteArray& data) {
    if (data.size() < 4)
        return {};
    const int scale = static_cast<unsigned char>(data[2]);
    // Rewritten as a Decimal column stores it: the sign, then four words from the most significant.
    const QByteArray magnitude = data.mid(4).leftJustified(12, '\0', true);
    QByteArray stored(1, data[3]);
    stored += QByteArray(4, '\0');
    stored += magnitude.mid(0, 4);  // the high word
    stored += magnitude.mid(8, 4);  // the low part's high word
    stored += magnitude.mid(4, 4);  // its low word
    return decimal(stored, scale);
}

QString replicationId(const QByteArray& stored) {
    if (stored.size() < 16)
        return {};
    const auto hex = [&](std::initializer_list<int> order) {
        QString group;
        for (int at : order)
            group +=
                QStringLiteral("%1").arg(static_cast<unsigned char>(stored[at]), 2, 16, QLatin1Char('0'));
        return group.toUpper();
    };
    return QLatin1Char('{') + hex({3, 2, 1, 0}) + QLatin1Char('-') + hex({5, 4}) + QLatin1Char('-') +
           hex({7, 6}) + QLatin1Char('-') + hex({8, 9}) + QLatin1Char('-') + hex({10, 11, 12, 13, 14, 15}) +
           QLatin1Char('}');
}

}  // namespace AccessValues
