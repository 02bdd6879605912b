#pragma once

#include "Reconciliation111.h"
#include "widgets/ReportPreview.h"

#include <QPointer>
#include <QWidget>

class Database;
class QLineEdit;
class UserInterface;
struct StartupSettings;

/**
 * "Cuadre con los modelos 111": where the office types what each quarter's
 * filed Modelo 111 said (box 28, and boxes 02, 03, 08 and 09 when it has
 * them), kept per exercise, and from where it sees the reconciliation in the
 * report preview, to print or export.
 */
class Reconciliation111Window : public QWidget {
    Q_OBJECT

public:
    Reconciliation111Window(const StartupSettings& settings, Database& AccountsDb, UserInterface& ui,
                            QWidget* parent = nullptr);

    /** Shows the figures kept for the exercise; false, with the user told, when they cannot be read. */
    bool load();
    /** Keeps the typed figures and shows the reconciliation; a figure that is no amount is told and changes
     * nothing. */
    void showReconciliation();
    ReportPreview* preview() const { return m_preview; }

private:
    QLineEdit* box(int quarter, int box) const;
    std::optional<Reconciliation111::FiledFigures> typedFigures();

    const StartupSettings& m_settings;
    Database& m_AccountsDb;
    UserInterface& m_ui;
    QPointer<ReportPreview> m_preview;
};
