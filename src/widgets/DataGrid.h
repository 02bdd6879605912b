#pragma once

#include <QFrame>

class QAbstractItemModel;
class QLabel;
class QTableView;

/**
 * The data grid DBGrid1: a caption bar above a table of cells. Header clicks
 * are reported; a character typed in a cell is reported first (the receiver
 * may change it, or discard it with 0) and then written into the cell through
 * the model, Backspace excepted. Leaving a row or the grid is reported too,
 * for writing edits back.
 */
class DataGrid : public QFrame {
    Q_OBJECT

public:
    DataGrid(const QString& caption, QWidget* parent);

    QTableView* table() const { return m_table; }
    void setModel(QAbstractItemModel* model);
    /** The column of the current cell, or -1. */
    int currentColumn() const;

Q_SIGNALS:
    void headClicked(int column);
    void keyPressed(int& keyAscii);
    void rowLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_caption;
    QTableView* m_table;
};
