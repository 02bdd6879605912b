#pragma once

#include <QAbstractTableModel>

#include <memory>
#include <optional>

class Database;

/**
 * The data source of the cash-basis grid (Data1): the rows of a record
 * source read on a connection of its own, with the IVACC column editable. An
 * edited row is written back to provedores by commitPendingEdit, which the
 * grid calls when the user moves to another row or leaves it. A write that
 * fails is reported by writeBackFailed and the row shows again the value
 * that is stored.
 */
class SupplierGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kNifColumn = 0;
    static constexpr int kNameColumn = 1;
    static constexpr int kIvaccColumn = 2;

    explicit SupplierGridModel(QString DbPath, QObject* parent = nullptr);
    ~SupplierGridModel() override;

    /** Reads the rows of `recordSource`, after writing back a pending edit. Throws DbError if it cannot read.
     */
    void setRecordSource(const QString& recordSource);

    /** Sets a row's IVACC, to be written back when the row is left. */
    void setIvacc(int row, const QString& value);
    /** Writes the edited row, if any, to provedores; false when the write failed. */
    bool commitPendingEdit();
    /** Gives the edited row, if any, back the value that provedores holds. */
    void cancelPendingEdit();
    bool hasPendingEdit() const { return m_pendingEdit.has_value(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    /** Only IVACC takes a value; the NIF and the name are read-only. */
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    /** An edit could not be written back; `message` is the engine's. */
    void writeBackFailed(const QString& message);

private:
    struct PendingEdit {
        int row;
        QVariant storedValue;
    };

    void setCell(int row, const QVariant& value);

    QString m_DbPath;
    std::unique_ptr<Database> m_db;
    QStringList m_fieldNames;
    QList<QVariantList> m_rows;
    std::optional<PendingEdit> m_pendingEdit;
};
