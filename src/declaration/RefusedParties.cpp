#include "RefusedParties.h"

#include <algorithm>

namespace {
constexpr char kSeparator = '\x1F';
}

QByteArray RefusedParties::perceptorIdentity(QByteArrayView nif, QByteArrayView key) {
    return (nif.toByteArray() + kSeparator + key.toByteArray()).toUpper();
}

QByteArray RefusedParties::supplierIdentity(QByteArrayView nif, QByteArrayView province,
                                            QByteArrayView country, QByteArrayView name) {
    if (province == QByteArrayView("99"))
        return (country.toByteArray() + kSeparator + name.toByteArray().trimmed()).toUpper();
    return nif.toByteArray().toUpper();
}

QStringList RefusedParties::leftOut(const QSet<QByteArray>& declared) const {
    QStringList labels;
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it)
        if (!declared.contains(it.key()))
            labels.append(it.value());
    std::sort(labels.begin(), labels.end());
    return labels;
}
