#pragma once

#include <QWidget>

class DataGrid;
class Database;
class PerceptorKeysModel;
class QComboBox;
class QSortFilterProxyModel;
class UserInterface;

/**
 * "Claves de percepción": last year's perceptors in the data grid, with the
 * key their rates give and the one the office chose, which it picks for the
 * selected perceptor from the list of keys and subkeys (or goes back to the
 * rates'). A choice is kept in the accounting database as soon as it is made.
 * The grid searches by NIF or name and sorts by any column.
 */
class PerceptionKeysWindow : public QWidget {
    Q_OBJECT

public:
    PerceptionKeysWindow(Database& AccountsDb, UserInterface& ui, QWidget* parent = nullptr);

    /** Reads the perceptors and their keys again; false, with the user told, when they cannot be read. */
    bool load();
    /** Chooses `key` for the selected perceptor, or the rates' key when `key` is empty. */
    void chooseForSelected(const QString& key);

private:
    int selectedRow() const;
    void showSelectedChoice();
    void sortBy(int column);

    Database& m_AccountsDb;
    UserInterface& m_ui;
    PerceptorKeysModel* m_model;
    QSortFilterProxyModel* m_sorted;
    DataGrid* m_DBGrid1;
    QComboBox* m_Combo1;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
