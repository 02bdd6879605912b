#include "PerceptorKeysModel.h"

#include "base/NumberText.h"
#include "declaration/Amount.h"

void PerceptorKeysModel::setPerceptors(QList<PerceptorKeyRow> perceptors) {
    beginResetModel();
    m_rows = std::move(perceptors);
    endResetModel();
}

void PerceptorKeysModel::setChosenKey(int row, const QString& key) {
    m_rows[row].chosenKey = key;
    Q_EMIT dataChanged(index(row, ChosenKey), index(row, ChosenKey));
}

int PerceptorKeysModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int PerceptorKeysModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PerceptorKeysModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const PerceptorKeyRow& row = m_rows[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() >= Paid && index.column() <= Rate)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::UserRole) {
        switch (index.column()) {
            case Paid:
                return row.paid;
            case Withheld:
                return row.withheld;
            case Rate:
                return row.rate();
            default:
                break;
        }
        role = Qt::DisplayRole;
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
        case Nif:
            return row.nif;
        case Name:
            return row.name;
        case Paid:
            return spanishAmount(roundToCents(row.paid));
        case Withheld:
            return spanishAmount(roundToCents(row.withheld));
        case Rate:
            return spanishPercent(row.rate());
        case KeyByRates:
            return row.keyByRates;
        case ChosenKey:
            return row.chosenKey;
        case Warning:
            return row.blended() ? PerceptorKeys::blendedRatesWarning(row) : QString();
        default:
            return {};
    }
}

QVariant PerceptorKeysModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList kTitles{QStringLiteral("NIF"),           QStringLiteral("Nombre"),
                                     QStringLiteral("Pagado"),        QStringLiteral("Retenido"),
                                     QStringLiteral("Tipo"),          QStringLiteral("Clave por tipos"),
                                     QStringLiteral("Clave elegida"), QStringLiteral("Aviso")};
    return kTitles.value(section);
}
