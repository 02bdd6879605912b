#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QStringList>

/**
 * The perceptors or suppliers whose records the agency refused, which a
 * complementary declaration carries again, made afresh from the accounts.
 * A party is known by what its record carries: a perceptor by its NIF and
 * key, a supplier by its NIF, or abroad by its country and name.
 */
class RefusedParties {
public:
    /** A Modelo 190 record's party: positions 18-26 and 78-80. */
    static QByteArray perceptorIdentity(QByteArrayView nif, QByteArrayView key);
    /** A Modelo 347 record's party: positions 18-26, or for province 99 the country (79-80) and the name. */
    static QByteArray supplierIdentity(QByteArrayView nif, QByteArrayView province, QByteArrayView country,
                                       QByteArrayView name);

    /** Adds a party; `label` names it in messages, «B12345674 LIMPIEZAS SL». */
    void add(const QByteArray& identity, const QString& label) { m_labels.insert(identity, label); }
    bool contains(const QByteArray& identity) const { return m_labels.contains(identity); }
    bool isEmpty() const { return m_labels.isEmpty(); }

    /** The labels of the parties that are not among `declared`, in order. */
    QStringList leftOut(const QSet<QByteArray>& declared) const;

private:
    QHash<QByteArray, QString> m_labels;
};
