#include "PerceptionKeysWindow.h"

#include "PerceptorKeysModel.h"
#include "base/UserInterface.h"
#include "db/DbError.h"
#include "declaration/PerceptionKeys.h"
#include "widgets/DataGrid.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/ScreenFit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Claves de percepción");
const QString kByRates = QStringLiteral("La que dan los tipos");

}  // namespace

PerceptionKeysWindow::PerceptionKeysWindow(Database& AccountsDb, UserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_AccountsDb(AccountsDb), m_ui(ui) {
    setObjectName(QStringLiteral("ClavesPercepcion"));
    setWindowTitle(kTitle);
    onEscape(this);
    auto* about = new QLabel(
        QStringLiteral(
            "La clave dice a la Agencia qué cobró cada perceptor, y así lo pone en sus datos fiscales. "
            "Sin elegir ninguna, el fichero lleva la que dan los tipos de retención: F02 (cursos y "
            "conferencias) por encima del 14,9 %, G03 del 6,9 al 9,1 %, H04 del 0,9 al 1,1 %. Un "
            "abogado o un arquitecto al 15 % es G01; un agricultor al 2 %, H01; un premio, K. La "
            "clave elegida vale para las declaraciones de este año y de los siguientes."),
        this);
    about->setWordWrap(true);
    m_model = new PerceptorKeysModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_DBGrid1 = new DataGrid(QStringLiteral("Perceptores del año pasado"), this);
    m_DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_DBGrid1->setModel(m_sorted);
    m_DBGrid1->setSearchColumns({PerceptorKeysModel::Nif, PerceptorKeysModel::Name});
    m_Combo1 = new QComboBox(this);
    m_Combo1->setObjectName(QStringLiteral("Combo1"));
    m_Combo1->addItem(kByRates, QString());
    for (const ChoosableKey& key : choosableKeys())
        m_Combo1->addItem(QStringLiteral("%1  %2").arg(key.code, key.shortDescription), key.code);
    auto* chooseLabel = new QLabel(QStringLiteral("&Clave elegida para el perceptor seleccionado:"), this);
    chooseLabel->setBuddy(m_Combo1);
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);

    auto* chooseRow = new QHBoxLayout;
    chooseRow->addWidget(chooseLabel);
    chooseRow->addWidget(m_Combo1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(m_DBGrid1, 1);
    layout->addLayout(chooseRow);
    layout->addLayout(buttons);

    connect(m_DBGrid1->table()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &PerceptionKeysWindow::showSelectedChoice);
    connect(m_Combo1, &QComboBox::activated, this,
            [this](int index) { chooseForSelected(m_Combo1->itemData(index).toString()); });
    connect(m_DBGrid1, &DataGrid::headClicked, this, &PerceptionKeysWindow::sortBy);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 560);
    keepOnScreen(this);
}

bool PerceptionKeysWindow::load() {
    try {
        m_model->setPerceptors(PerceptorKeys::lastYearPerceptors(m_AccountsDb));
    } catch (const DbError& error) {
        m_ui.showMessage(error.message(), kTitle, MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    QHeaderView* header = m_DBGrid1->table()->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(PerceptorKeysModel::Name, QHeaderView::Stretch);
    if (m_sorted->rowCount() > 0)
        m_DBGrid1->table()->setCurrentIndex(m_sorted->index(0, 0));
    showSelectedChoice();
    return true;
}

int PerceptionKeysWindow::selectedRow() const {
    const QModelIndex current = m_DBGrid1->table()->currentIndex();
    return current.isValid() ? m_sorted->mapToSource(current).row() : -1;
}

void PerceptionKeysWindow::showSelectedChoice() {
    const int row = selectedRow();
    m_Combo1->setEnabled(row >= 0);
    if (row >= 0)
        m_Combo1->setCurrentIndex(std::max(0, m_Combo1->findData(m_model->perceptor(row).chosenKey)));
}

void PerceptionKeysWindow::chooseForSelected(const QString& key) {
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString nif = m_model->perceptor(row).nif;
    try {
        if (key.isEmpty())
            PerceptorKeys::clear(m_AccountsDb, nif);
        else
            PerceptorKeys::choose(m_AccountsDb, nif, key);
    } catch (const DbError& error) {
        m_ui.showMessage(
            QStringLiteral("No se ha podido guardar la clave del perceptor.\r\n") + error.message(), kTitle,
            MessageIcon::Critical, MessageButtons::Ok);
        showSelectedChoice();
        return;
    }
    m_model->setChosenKey(row, key);
    showSelectedChoice();
}

void PerceptionKeysWindow::sortBy(int column) {
    m_sortOrder = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                              : Qt::AscendingOrder;
    m_sortColumn = column;
    m_sorted->sort(column, m_sortOrder);
}
