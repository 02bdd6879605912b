#include "SupplierGridModel.h"

#include "Mod347Statements.h"
#include "access/AccountingDatabase.h"
#include "db/DbError.h"

SupplierGridModel::SupplierGridModel(QString DbPath, QObject* parent)
    : QAbstractTableModel(parent), m_DbPath(std::move(DbPath)) {}

SupplierGridModel::~SupplierGridModel() = default;

void SupplierGridModel::setRecordSource(const QString& recordSource) {
    commitPendingEdit();
    if (!m_db)
        m_db = openAccountingDatabase(m_DbPath);
    Recordset rs = m_db->openRecordset(recordSource);
    QList<QVariantList> rows;
    for (; !rs.eof(); rs.moveNext()) {
        QVariantList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.append(rs.value(i));
        rows.append(row);
    }
    beginResetModel();
    m_fieldNames = rs.fieldNames();
    m_rows = std::move(rows);
    endResetModel();
}

void SupplierGridModel::setIvacc(int row, const QString& value) {
    if (row < 0 || row >= m_rows.size() || m_fieldNames.size() <= kIvaccColumn)
        return;
    if (m_pendingEdit && m_pendingEdit->row != row)
        commitPendingEdit();
    if (!m_pendingEdit)
        m_pendingEdit = PendingEdit{row, m_rows[row][kIvaccColumn]};
    setCell(row, value);
}

bool SupplierGridModel::commitPendingEdit() {
    if (!m_pendingEdit)
        return true;
    const QVariantList& row = m_rows[m_pendingEdit->row];
    try {
        m_db->execute(Mod347Statements::kSaveCashBasisMark, {row[kIvaccColumn], row[0]});
    } catch (const DbError& error) {
        cancelPendingEdit();  // the screen must not claim what the table does not hold
        Q_EMIT writeBackFailed(error.message());
        return false;
    }
    m_pendingEdit.reset();
    return true;
}

void SupplierGridModel::cancelPendingEdit() {
    if (!m_pendingEdit)
        return;
    setCell(m_pendingEdit->row, m_pendingEdit->storedValue);
    m_pendingEdit.reset();
}

void SupplierGridModel::setCell(int row, const QVariant& value) {
    m_rows[row][kIvaccColumn] = value;
    const QModelIndex cell = index(row, kIvaccColumn);
    Q_EMIT dataChanged(cell, cell);
}

int SupplierGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SupplierGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_fieldNames.size());
}

QVariant SupplierGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rows[index.row()][index.column()];
}

QVariant SupplierGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_fieldNames.size() ? QVariant(m_fieldNames[section]) : QVariant();
    return {};
}

Qt::ItemFlags SupplierGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == kIvaccColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool SupplierGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != kIvaccColumn)
        return false;
    setIvacc(index.row(), value.toString());
    return true;
}
