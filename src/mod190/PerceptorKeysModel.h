#pragma once

#include "PerceptorKeys.h"

#include <QAbstractTableModel>

/**
 * Last year's perceptors for the keys grid, one row each: NIF, name, paid,
 * withheld and the rate as Spaniards write them, the key the rates give, the
 * key chosen, and a warning when the rates are of different ranges. Sorted
 * through Qt::UserRole, which holds each cell's value as a number or text.
 */
class PerceptorKeysModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Nif, Name, Paid, Withheld, Rate, KeyByRates, ChosenKey, Warning, ColumnCount };

    explicit PerceptorKeysModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setPerceptors(QList<PerceptorKeyRow> perceptors);
    const PerceptorKeyRow& perceptor(int row) const { return m_rows[row]; }
    /** Shows the key chosen for a row; empty for the rates' one. */
    void setChosenKey(int row, const QString& key);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<PerceptorKeyRow> m_rows;
};
