#include "DataGrid.h"

#include "declaration/TextNormalization.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

DataGrid::DataGrid(const QString& caption, QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    m_caption = new QLabel(caption, this);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setAutoFillBackground(true);
    m_caption->setBackgroundRole(QPalette::Button);
    m_table = new QTableView(this);
    QFont cellFont(QStringLiteral("Verdana"));
    cellFont.setPointSizeF(7.8);
    m_table->setFont(cellFont);
    QFont headerFont(QStringLiteral("Verdana"), 9);
    headerFont.setBold(true);
    m_table->horizontalHeader()->setFont(headerFont);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_caption->setFont(headerFont);
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QStringLiteral("Buscar por NIF o por parte del nombre"));
    m_search->setClearButtonEnabled(true);
    m_notFound = new QLabel(QStringLiteral("No se encuentra"), this);
    m_notFound->setObjectName(QStringLiteral("noSeEncuentra"));
    m_notFound->hide();
    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(0, 0, 0, 0);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_notFound);
    connect(m_search, &QLineEdit::textEdited, this, [this] { findFrom(0); });
    connect(m_search, &QLineEdit::returnPressed, this,
            [this] { findFrom(m_table->currentIndex().row() + 1); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addLayout(searchRow);
    layout->addWidget(m_table);
    m_table->installEventFilter(this);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::headClicked);
}

namespace {

// A printable character, or Backspace, which the key filter sees as well.
bool typesACharacter(const QKeyEvent& key) {
    if (key.text().isEmpty() || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return false;
    const QChar typed = key.text().at(0);
    return typed == QLatin1Char('\b') || typed.isPrint();
}

}  // namespace

// From `firstRow` on, round to the rows before it; the current column stays.
void DataGrid::findFrom(int firstRow) {
    const QString wanted = foldedForSearch(m_search->text().trimmed());
    const QAbstractItemModel* model = m_table->model();
    m_notFound->hide();
    if (wanted.isEmpty() || !model)
        return;
    const int rows = model->rowCount();
    for (int offset = 0; offset < rows; ++offset) {
        const int row = (firstRow + offset) % rows;
        for (const int column : m_searchColumns) {
            if (!foldedForSearch(model->index(row, column).data().toString()).contains(wanted))
                continue;
            const QModelIndex found = model->index(row, std::max(0, currentColumn()));
            m_table->setCurrentIndex(found);
            m_table->scrollTo(found);
            return;
        }
    }
    m_notFound->show();
}

int DataGrid::currentColumn() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.column() : -1;
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_table)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        Q_EMIT rowLeft();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Q_EMIT editConfirmed();
            return true;
        case Qt::Key_Escape:
            if (m_editPending && !m_editPending())
                return false;
            Q_EMIT editCancelled();
            return true;
        default:
            break;
    }
    if (!typesACharacter(*key))
        return false;  // Tab, the arrows and the other control keys are the grid's own
    int keyAscii = key->text().at(0).unicode();
    if (m_keyFilter)
        keyAscii = m_keyFilter(keyAscii);
    if (keyAscii == '\b')
        return false;
    const QModelIndex current = m_table->currentIndex();
    if (keyAscii != 0 && current.isValid())
        m_table->model()->setData(current, QString(QChar(keyAscii)), Qt::EditRole);
    return true;
}

void DataGrid::setModel(QAbstractItemModel* model) {
    m_table->setModel(model);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (previous.isValid() && current.row() != previous.row())
                    Q_EMIT rowLeft();
            });
}
