#include "cCifNif.h"

namespace {

const QString kDniLetters = QStringLiteral("TRWAGMYFPDXBNJZSQVHLCKE");
const QString kOrganisationLetters = QStringLiteral("ABCDEFGHJNPQS");

// Only the ASCII digits 0 to 9 count: QChar::isDigit would take other scripts' digits too.
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView text) {
    for (const QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

int digitAt(const QString& s, int position) {
    return s[position - 1].unicode() - '0';
}

bool checkCif(const QString& s) {
    if (s.size() != 9)
        return false;
    int sum = digitAt(s, 3) + digitAt(s, 5) + digitAt(s, 7);
    for (const int position : {2, 4, 6, 8}) {
        const int d = digitAt(s, position);
        sum += 2 * d + (d > 4 ? 1 : 0);
    }
    const int control = 10 - sum % 10;
    const QChar last = s[8];
    if (isDigit(last))
        return last.unicode() - '0' == control % 10;
    return last == QChar(64 + control);
}

}  // namespace

void cCifNif::Entrada(QString& identifier) {
    if (identifier.startsWith(QLatin1Char('X'), Qt::CaseInsensitive))
        identifier.remove(0, 1);
    m_correcto = Comprobar(identifier);
}

bool cCifNif::Comprobar(const QString& s) {
    const qsizetype length = s.size();
    if (s.isEmpty() || length < 3)
        return false;
    if (!allDigits(QStringView(s).mid(1, length - 2)))
        return false;
    if (length > 9)
        return false;
    if (allDigits(s))
        return false;
    if (kOrganisationLetters.contains(s[0]))
        return checkCif(s);
    const QStringView number = QStringView(s).left(length - 1);
    if (!allDigits(number))
        return false;
    return s[length - 1] == LetraDni(number.toLongLong());
}

QChar cCifNif::LetraDni(qint64 number) {
    return kDniLetters[static_cast<int>(number % 23)];
}
