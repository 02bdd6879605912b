#include "Aeat.h"

#include "ApplyFontSettings.h"
#include "ExecuteLink.h"
#include "base/ApplicationTitle.h"
#include "base/UserInterface.h"
#include "db/DbError.h"
#include "widgets/ClickableImage.h"
#include "widgets/DesignControls.h"
#include "widgets/PictureButton.h"
#include "widgets/Twips.h"

#include <QFileInfo>
#include <QMenuBar>

namespace {

constexpr int kSingleButtonTop = 2040;

PictureButton* menuButton(QWidget* parent, const char* name, const QString& caption, const char* picture,
                          const QRect& twips) {
    auto* button = designControl(new PictureButton(caption, QIcon(QString::fromLatin1(picture)), parent),
                                 name, twips.x(), twips.y(), twips.width(), twips.height());
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, kWindowColour);
    button->setPalette(palette);
    return button;
}

void moveTop(QWidget* control, int topTwips) {
    control->move(control->x(), Twips::toPixels(topTwips));
}

}  // namespace

Aeat::Aeat(StartupSettings& settings, UserInterface& ui) : m_settings(settings), m_ui(ui) {
    Q_INIT_RESOURCE(shell);
    setObjectName(QStringLiteral("Aeat"));
    setWindowTitle(kApplicationTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(8124), Twips::toPixels(4980));
    fillWithWindowColour(this);

    m_command1 =
        menuButton(this, "Command1",
                   QStringLiteral("DECLARACIÓN ANUAL DE OPERACIONES CON TERCERAS PERSONAS (Modelo 347)"),
                   ":/shell/images/modelo347.png", QRect(1680, 2400, 4452, 732));
    m_command2 = menuButton(this, "Command2",
                            QStringLiteral("RESUMEN DE RETENCIONES E INGRESOS A CUENTA (Modelo 190)"),
                            ":/shell/images/modelo190.png", QRect(1680, 1560, 4452, 732));
    m_command3 = menuButton(this, "Command3", QStringLiteral("Salir"), ":/shell/images/salir.png",
                            QRect(6480, 3960, 1212, 732));
    m_command4 = menuButton(this, "Command4", QStringLiteral("Revisar validez de los CIF/NIF"),
                            ":/shell/images/revisar.png", QRect(360, 3960, 5052, 732));
    setTabOrder(m_command1, m_command2);
    setTabOrder(m_command2, m_command3);
    setTabOrder(m_command3, m_command4);

    m_image1 =
        new ClickableImage(QPixmap(QStringLiteral(":/shell/images/image1.png")), kSupportAddress, this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    Twips::place(m_image1, 240, 1080, 996, 2532);
    m_image2 = new ClickableImage(QPixmap(QStringLiteral(":/shell/images/image2.png")), kAgencyAddress, this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    Twips::place(m_image2, 6600, 1920, 1020, 900);

    // In the band above the pictures, which the menu's design leaves empty.
    auto* menuBar = new QMenuBar(this);
    QAction* documents = menuBar->addMenu(QStringLiteral("&Documentos"))
                             ->addAction(QStringLiteral("&Certificados de retenciones y cartas del 347..."));
    menuBar->setGeometry(0, 0, width(), menuBar->sizeHint().height());
    connect(documents, &QAction::triggered, this, &Aeat::Documents_Click);

    connect(m_command1, &QPushButton::clicked, this, &Aeat::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Aeat::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Aeat::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &Aeat::Command4_Click);
    connect(m_image1, &ClickableImage::clicked, this, &Aeat::Image1_Click);
    connect(m_image2, &ClickableImage::clicked, this, &Aeat::Image2_Click);
}

bool Aeat::Form_Load(const QString& argumentText, const QString& programFolder) {
    const CommandLine commandLine = parseCommandLine(argumentText);
    if (commandLine.modeCharacter == QLatin1String("1")) {
        moveTop(m_command1, kSingleButtonTop);
        moveTop(m_command2, kSingleButtonTop);
        m_command2->hide();
    } else if (commandLine.modeCharacter == QLatin1String("2")) {
        moveTop(m_command1, kSingleButtonTop);
        moveTop(m_command2, kSingleButtonTop);
        m_command1->hide();
    }
    try {
        m_settings = loadStartupSettings(programFolder, commandLine);
    } catch (const DbError& error) {
        QString message = error.message();
        // The first start after installing, before the accounts are copied in: what to do.
        if (!QFileInfo::exists(buildDbPath(programFolder, commandLine.DataFolder)))
            message += QStringLiteral(
                "\r\n\r\nCopie en esa carpeta el fichero ecordadb.mdb del programa de "
                "contabilidad y vuelva a abrir este programa.");
        m_ui.showMessage(message, kApplicationTitle, MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    ApplyFontSettings(m_settings.fonts);
    return true;
}

void Aeat::showSingleInstance(QPointer<QWidget>& window, const std::function<QWidget*()>& factory) {
    if (!window) {
        if (!factory)
            return;
        window = factory();
        if (!window)
            return;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        return;
    }
    window->showNormal();
    window->raise();
    window->activateWindow();
}

void Aeat::Command1_Click() {
    showSingleInstance(m_mod347, m_factories.mod347);
}

void Aeat::Command2_Click() {
    showSingleInstance(m_mod190, m_factories.mod190);
}

void Aeat::Command3_Click() {
    m_ui.endProgram(0);
}

void Aeat::Command4_Click() {
    showSingleInstance(m_review, m_factories.review);
}

void Aeat::Documents_Click() {
    showSingleInstance(m_documents, m_factories.documents);
}

void Aeat::Image1_Click() {
    ExecuteLink(kSupportAddress, m_ui);
}

void Aeat::Image2_Click() {
    ExecuteLink(kAgencyAddress, m_ui);
}
