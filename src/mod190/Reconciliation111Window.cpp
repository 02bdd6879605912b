#include "Reconciliation111Window.h"

#include "base/NumberText.h"
#include "base/UserInterface.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "declaration/Amount.h"
#include "report/ListingReport.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/ReportPreview.h"
#include "widgets/ScreenFit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Cuadre con los modelos 111");

QString boxName(int quarter, int box) {
    return QStringLiteral("Casilla%1_%2").arg(box).arg(quarter);
}

QString boxTitle(int box) {
    switch (box) {
        case 28:
            return QStringLiteral("28 Suma de\nretenciones");
        case 2:
            return QStringLiteral("02 Trabajo:\nimporte");
        case 3:
            return QStringLiteral("03 Trabajo:\nretenciones");
        case 8:
            return QStringLiteral("08 Actividades:\nimporte");
        default:
            return QStringLiteral("09 Actividades:\nretenciones");
    }
}

}  // namespace

Reconciliation111Window::Reconciliation111Window(const StartupSettings& settings, Database& AccountsDb,
                                                 UserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_settings(settings), m_AccountsDb(AccountsDb), m_ui(ui) {
    setObjectName(QStringLiteral("Cuadre111"));
    setWindowTitle(kTitle + QStringLiteral(" — Ejercicio %1").arg(Clock::declarationYear()));
    onEscape(this);
    auto* about = new QLabel(
        QStringLiteral(
            "Escriba lo que dijo cada modelo 111 que presentó: la casilla 28 al menos, y las 02, 03, 08 "
            "y 09 si las tiene, como en 1.234,56. «Ver el cuadre» las guarda para este ejercicio y "
            "muestra, trimestre a trimestre, lo que dan los apuntes, la diferencia con lo presentado y "
            "qué perceptores la explican."),
        this);
    about->setWordWrap(true);
    auto* grid = new QGridLayout;
    for (int column = 0; column < Reconciliation111::kTypedBoxes.size(); ++column)
        grid->addWidget(new QLabel(boxTitle(Reconciliation111::kTypedBoxes[column]), this), 0, column + 1);
    for (int quarter = 1; quarter <= 4; ++quarter) {
        grid->addWidget(new QLabel(Reconciliation111::quarterName(quarter), this), quarter, 0);
        for (int column = 0; column < Reconciliation111::kTypedBoxes.size(); ++column) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(boxName(quarter, Reconciliation111::kTypedBoxes[column]));
            edit->setAlignment(Qt::AlignRight);
            grid->addWidget(edit, quarter, column + 1);
        }
    }
    auto* show = new QPushButton(QStringLiteral("Ver el cuadre"), this);
    show->setObjectName(QStringLiteral("verCuadre"));
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(show);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    connect(show, &QPushButton::clicked, this, &Reconciliation111Window::showReconciliation);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(640, 300);
    keepOnScreen(this);
}

QLineEdit* Reconciliation111Window::box(int quarter, int box) const {
    return findChild<QLineEdit*>(boxName(quarter, box));
}

bool Reconciliation111Window::load() {
    Reconciliation111::FiledFigures figures;
    try {
        figures = Reconciliation111::filedFigures(m_AccountsDb, Clock::declarationYear());
    } catch (const DbError& error) {
        m_ui.showMessage(error.message(), kTitle, MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    for (int quarter = 1; quarter <= 4; ++quarter)
        for (const int number : Reconciliation111::kTypedBoxes)
            box(quarter, number)
                ->setText(figures.contains({quarter, number})
                              ? spanishAmount(figures.value({quarter, number}))
                              : QString());
    return true;
}

std::optional<Reconciliation111::FiledFigures> Reconciliation111Window::typedFigures() {
    Reconciliation111::FiledFigures figures;
    for (int quarter = 1; quarter <= 4; ++quarter) {
        for (const int number : Reconciliation111::kTypedBoxes) {
            QLineEdit* edit = box(quarter, number);
            if (edit->text().trimmed().isEmpty())
                continue;
            const std::optional<qint64> cents = readSpanishCents(edit->text());
            if (!cents) {
                m_ui.showMessage(
                    QStringLiteral("«%1», en la casilla %2 del %3, no es un importe: escríbalo como "
                                   "1.234,56.")
                        .arg(edit->text())
                        .arg(number, 2, 10, QLatin1Char('0'))
                        .arg(Reconciliation111::quarterName(quarter)),
                    kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
                edit->setFocus();
                edit->selectAll();
                return std::nullopt;
            }
            figures.insert({quarter, number}, *cents);
        }
    }
    return figures;
}

void Reconciliation111Window::showReconciliation() {
    const std::optional<Reconciliation111::FiledFigures> figures = typedFigures();
    if (!figures)
        return;
    std::optional<Reconciliation111::Result> result;
    try {
        Reconciliation111::keepFiledFigures(m_AccountsDb, Clock::declarationYear(), *figures);
        result = Reconciliation111::reconcile(m_AccountsDb);
    } catch (const DbError& error) {
        m_ui.showMessage(QStringLiteral("No se ha podido hacer el cuadre.\r\n") + error.message(), kTitle,
                         MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    delete m_preview;
    m_preview = new ReportPreview(
        m_settings, m_ui, kTitle,
        std::make_unique<ListingReport>(result->title(), result->heading(), result->lines()),
        QStringLiteral("Cuadre111.pdf"));
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    m_preview->show();
}
