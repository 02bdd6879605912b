#include "Mod347.h"

#include "Mod347Statements.h"
#include "OperationsExtraction.h"
#include "SupplierGridModel.h"
#include "base/ApplicationTitle.h"
#include "base/UserInterface.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "declaration/DeclarationMessages.h"
#include "shell/ApplyFontSettings.h"
#include "widgets/DataGrid.h"
#include "widgets/DesignControls.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/PictureButton.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

Mod347::Mod347(const StartupSettings& settings, UserInterface& ui)
    : m_settings(settings), m_ui(ui), m_contact(this, 480, 3480, QStringLiteral("347")) {
    setObjectName(QStringLiteral("Mod347"));
    setWindowTitle(
        QStringLiteral(
            "Obtención del fichero de proveedores para el modelo 347 de la A.E.A.T. — Ejercicio %1")
            .arg(Clock::declarationYear()));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSizeF(8.25);
    setFont(windowFont);
    constexpr int kBelowFrame2 = ContactFrames::kKindHeight;
    resize(Twips::toPixels(9168), Twips::toPixels(7692 + kBelowFrame2));
    // Smaller, the elastic layout would leave the captions too narrow for their text.
    setMinimumSize(size());
    fillWithWindowColour(this);
    fillWithWindowColour(m_contact.Frame1);
    fillWithWindowColour(m_contact.Frame2);

    m_frame3 =
        designControl(new QGroupBox(QStringLiteral("Bienes y prestaciones de servicios superiores a "), this),
                      "Frame3", 1320, 5400 + kBelowFrame2, 6612, 972);
    fillWithWindowColour(m_frame3);
    m_text2 = designControl(new QLineEdit(kInitialThreshold, m_frame3), "Text2", 240, 360, 6012, 372);
    m_command1 =
        designControl(new QPushButton(QStringLiteral("Definir proveedores acogidos a IVA de caja"), this),
                      "Command1", 1320, 6480 + kBelowFrame2, 4212, 492);
    m_command4 = designControl(new PictureButton(QStringLiteral("Iniciar"),
                                                 QIcon(QStringLiteral(":/shell/images/iniciar.png")), this),
                               "Command4", 5640, 6480 + kBelowFrame2, 2292, 492);
    m_frame4 = designControl(new QGroupBox(this), "Frame4", 1320, 480, 6612, 5892 + kBelowFrame2);
    fillWithWindowColour(m_frame4);
    m_DBGrid1 = designControl(
        new DataGrid(QStringLiteral("IVACC = S si está acogido al IVA de caja, N si no lo está"), m_frame4),
        "DBGrid1", 360, 360, 5892, 4932 + kBelowFrame2);
    m_command2 = designControl(new QPushButton(QStringLiteral("Continuar"), m_frame4), "Command2", 2040,
                               5400 + kBelowFrame2, 2532, 372);
    m_frame4->hide();
    // Escape leaves the grid first, then the window.
    onEscape(this, [this] {
        if (m_frame4->isVisible())
            Command2_Click();
        else
            close();
    });

    m_Data1 = new SupplierGridModel(m_settings.DbPath, this);
    m_Data1->setObjectName(QStringLiteral("Data1"));
    m_DBGrid1->setModel(m_Data1);

    connect(m_command1, &QPushButton::clicked, this, &Mod347::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Mod347::Command2_Click);
    connect(m_command4, &QPushButton::clicked, this, &Mod347::Command4_Click);
    connect(m_DBGrid1, &DataGrid::headClicked, this, &Mod347::DBGrid1_HeadClick);
    m_DBGrid1->setKeyFilter([this](int keyAscii) {
        DBGrid1_KeyPress(keyAscii);
        return keyAscii;
    });
    connect(m_DBGrid1, &DataGrid::rowLeft, m_Data1, &SupplierGridModel::commitPendingEdit);
    connect(m_DBGrid1, &DataGrid::editConfirmed, m_Data1, &SupplierGridModel::commitPendingEdit);
    connect(m_DBGrid1, &DataGrid::editCancelled, m_Data1, &SupplierGridModel::cancelPendingEdit);
    m_DBGrid1->setEditPending([this] { return m_Data1->hasPendingEdit(); });
    m_DBGrid1->setSearchColumns({SupplierGridModel::kNifColumn, SupplierGridModel::kNameColumn});
    connect(m_Data1, &SupplierGridModel::writeBackFailed, this, &Mod347::tellWriteBackFailed);
}

Mod347::~Mod347() = default;

bool Mod347::Form_Load() {
    const BusyCursor busy(m_ui, QStringLiteral("Leyendo los proveedores y sus compras del año..."));
    switch (loadModelo347(m_settings.DbPath, kInitialThreshold, m_AccountsDb, m_ui)) {
        case Modelo347Load::OpenFailed:
            return false;
        case Modelo347Load::NothingToDeclare:
            m_ui.endProgram(0);
            return false;
        case Modelo347Load::Ready:
            break;
    }
    m_session.emplace(Modelo347Session{*m_AccountsDb, m_settings.outputFolder(), kInitialThreshold});
    if (!m_elastic)
        m_elastic = std::make_unique<class_Elastic>();
    m_elastic->Init(this);
    ApplyFontSettings(m_settings.fonts);
    m_contact.recall(m_settings.DbPath);
    return true;
}

void Mod347::Form_Resize() {
    if (!m_elastic)
        m_elastic = std::make_unique<class_Elastic>();
    m_elastic->FormResize(this);
}

void Mod347::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Mod347::closeEvent(QCloseEvent* event) {
    m_Data1->commitPendingEdit();
    QWidget::closeEvent(event);
}

void Mod347::Command1_Click() {
    m_command1->hide();
    m_command4->hide();
    OrdenGrid = QStringLiteral("order by 1");
    SentidoGrid = QStringLiteral(" ASC");
    ConsultaGrid = Mod347Statements::kGridSource;
    refreshGrid();
    m_frame4->show();
    AjustarColumnas();
}

void Mod347::Command2_Click() {
    m_Data1->commitPendingEdit();
    m_frame4->hide();
    m_command1->show();
    m_command4->show();
}

void Mod347::Command4_Click() {
    std::optional<ContactInputs> typed = m_contact.startRun(QStringLiteral("347"), m_settings.DbPath, m_ui);
    if (!typed)
        return;
    ContactInputs& contact = *typed;
    const RunOutcome outcome = [&] {
        const BusyCursor busy(m_ui, QStringLiteral("Escribiendo el fichero del modelo 347..."));
        return runModelo347(*m_session, m_text2->text(), contact, m_ui);
    }();
    m_contact.endRun(contact, outcome.result, QStringLiteral("347"), m_settings.DbPath);
    if (outcome.endsProgram)
        m_ui.endProgram(outcome.result == RunResult::Failed ? 1 : 0);
}

void Mod347::DBGrid1_HeadClick(int column) {
    OrdenGrid = QStringLiteral("order by ") + QString::number(column + 1);
    SentidoGrid = SentidoGrid == QLatin1String(" ASC") ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    refreshGrid();
    AjustarColumnas();
}

void Mod347::DBGrid1_KeyPress(int& keyAscii) {
    if (m_DBGrid1->currentColumn() != SupplierGridModel::kIvaccColumn) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == '\b')
        return;
    keyAscii = keyAscii == 'S' || keyAscii == 's' ? 'S' : 'N';
}

void Mod347::AjustarColumnas() {
    const double w = m_DBGrid1->width();
    QHeaderView* header = m_DBGrid1->table()->horizontalHeader();
    const double shares[] = {2.9, 8.8, 1.8};
    for (int column = 0; column < 3 && column < header->count(); ++column)
        header->resizeSection(column, static_cast<int>(w / 15 * shares[column]));
}

void Mod347::refreshGrid() {
    try {
        m_Data1->setRecordSource(ConsultaGrid + OrdenGrid + SentidoGrid);
    } catch (const DbError& error) {
        m_ui.showMessage(error.message(), kApplicationTitle, MessageIcon::Critical, MessageButtons::Ok);
    }
}

void Mod347::tellWriteBackFailed(const QString& message) {
    DeclarationMessages::tellCashBasisMarkNotSaved(m_ui, message);
}
