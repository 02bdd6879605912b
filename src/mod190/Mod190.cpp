#include "Mod190.h"

#include "Mod190Run.h"
#include "PerceptionKeysWindow.h"
#include "access/AccountingDatabase.h"
#include "base/UserInterface.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "shell/ApplyFontSettings.h"
#include "widgets/DesignControls.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/PictureButton.h"
#include "widgets/Twips.h"

namespace {

constexpr int kIniciarTop = 6240 + ContactFrames::kEmailHeight + ContactFrames::kKindHeight;

// One window of each, made the first time; shown in front once it has read what it shows.
template <class Window, class Make>
void showLoaded(QPointer<Window>& window, const Make& make) {
    if (!window) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (window->load()) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

}  // namespace

Mod190::Mod190(const StartupSettings& settings, UserInterface& ui)
    : m_settings(settings),
      m_ui(ui),
      m_contact(this, 720, 3720 + ContactFrames::kEmailHeight, QStringLiteral("190")) {
    setObjectName(QStringLiteral("Mod190"));
    onEscape(this);
    setWindowTitle(
        QStringLiteral(
            "Obtención del fichero de perceptores para el modelo 190 de la A.E.A.T. — Ejercicio %1")
            .arg(Clock::declarationYear()));
    setFixedSize(Twips::toPixels(9168), Twips::toPixels(8088 + ContactFrames::kKindHeight));
    // The window keeps its size: no maximise button that would do nothing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_command4 = designControl(new PictureButton(QStringLiteral("Iniciar"),
                                                 QIcon(QStringLiteral(":/shell/images/iniciar.png")), this),
                               "Command4", 1320, kIniciarTop, 6612, 492);
    connect(m_command4, &QPushButton::clicked, this, &Mod190::Command4_Click);
    m_command5 = designControl(new QPushButton(QStringLiteral("Claves de percepción…"), this), "Command5",
                               1320, kIniciarTop - 600, 3246, 480);
    m_command6 = designControl(new QPushButton(QStringLiteral("Cuadre con los modelos 111…"), this),
                               "Command6", 4686, kIniciarTop - 600, 3246, 480);
    connect(m_command6, &QPushButton::clicked, this, &Mod190::Command6_Click);
    connect(m_command5, &QPushButton::clicked, this, &Mod190::Command5_Click);
    setTabOrder(m_command5, m_command6);  // the keys and the 111 before the run
    setTabOrder(m_command6, m_command4);
}

Mod190::~Mod190() = default;

bool Mod190::Form_Load() {
    try {
        m_AccountsDb = openAccountingDatabase(m_settings.DbPath);
    } catch (const DbError& error) {
        m_ui.showMessage(error.message(), windowTitle(), MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    ApplyFontSettings(m_settings.fonts);
    m_contact.recall(m_settings.DbPath);
    return true;
}

void Mod190::Command5_Click() {
    showLoaded(m_keys, [this] { return new PerceptionKeysWindow(*m_AccountsDb, m_ui, this); });
}

void Mod190::Command6_Click() {
    showLoaded(m_reconciliation,
               [this] { return new Reconciliation111Window(m_settings, *m_AccountsDb, m_ui, this); });
}

void Mod190::Command4_Click() {
    std::optional<ContactInputs> typed = m_contact.startRun(QStringLiteral("190"), m_settings.DbPath, m_ui);
    if (!typed)
        return;
    ContactInputs& contact = *typed;
    const RunOutcome outcome = runModelo190(*m_AccountsDb, m_settings.outputFolder(), contact, m_ui);
    m_contact.endRun(contact, outcome.result, QStringLiteral("190"), m_settings.DbPath);
    if (outcome.endsProgram)
        m_ui.endProgram(outcome.result == RunResult::Failed ? 1 : 0);
}
