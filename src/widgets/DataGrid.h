#pragma once

#include <QFrame>

#include <functional>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QTableView;

/**
 * The data grid DBGrid1: a caption bar above a table of cells. Header clicks
 * are reported; a character typed in a cell passes the key filter first (which
 * may change it, or discard it with 0) and is then written into the cell
 * through the model, Backspace excepted. Keys that type no character are the
 * grid's own: Tab and the arrows move, Enter and Return confirm the edit as
 * typed, Escape cancels it. Leaving a row or the grid is reported too, for
 * writing edits back. A search box above the table moves to the first row
 * whose search columns contain what is typed, without regard to accents or
 * case, and Enter there to the next, round to the first; when none does, it
 * says «No se encuentra» and the selection stays where it was.
 */
class DataGrid : public QFrame {
    Q_OBJECT

public:
    DataGrid(const QString& caption, QWidget* parent);

    QTableView* table() const { return m_table; }
    void setModel(QAbstractItemModel* model);
    /** The column of the current cell, or -1. */
    int currentColumn() const;

    /** Takes a typed character and gives the one to write, or 0 to discard it. */
    using KeyFilter = std::function<int(int keyAscii)>;
    void setKeyFilter(KeyFilter filter) { m_keyFilter = std::move(filter); }

    /** The columns whose text the search box looks in; none, and the search finds nothing. */
    void setSearchColumns(QList<int> columns) { m_searchColumns = std::move(columns); }
    QLineEdit* searchBox() const { return m_search; }

    /** Whether an edit waits to be confirmed or cancelled; without one, Escape goes on to the window. */
    void setEditPending(std::function<bool()> editPending) { m_editPending = std::move(editPending); }

Q_SIGNALS:
    void headClicked(int column);
    void rowLeft();
    /** Enter or Return: the edit of the current row stands as typed. */
    void editConfirmed();
    /** Escape while an edit is pending: the edit of the current row is undone. */
    void editCancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findFrom(int firstRow);

    QLabel* m_caption;
    QLineEdit* m_search;
    QLabel* m_notFound;
    QTableView* m_table;
    QList<int> m_searchColumns;
    KeyFilter m_keyFilter;
    std::function<bool()> m_editPending;
};
