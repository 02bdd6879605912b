#pragma once

#include "PerceptionKeysWindow.h"
#include "Reconciliation111Window.h"
#include "shell/StartupSettings.h"
#include "widgets/ContactFrames.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class Database;
class PictureButton;
class QPushButton;
class UserInterface;

/** The window that produces Mod190.txt: the contact inputs and the "Iniciar" button. */
class Mod190 : public QWidget {
    Q_OBJECT

public:
    Mod190(const StartupSettings& settings, UserInterface& ui);
    ~Mod190() override;

    /** Opens AccountsDb and applies the font settings; on failure shows the engine's message and returns
     * false. */
    bool Form_Load();
    void Command4_Click();
    /** "Claves de percepción…": the grid where the office chooses each perceptor's key. */
    void Command5_Click();
    /** The keys grid, once it has been opened. */
    PerceptionKeysWindow* keysWindow() const { return m_keys; }
    /** "Cuadre con los modelos 111…": what the filed Modelo 111 said, beside the entries. */
    void Command6_Click();
    Reconciliation111Window* reconciliationWindow() const { return m_reconciliation; }
    /** The contact inputs and the kind of declaration, as the user fills them. */
    ContactFrames& contactFrames() { return m_contact; }

private:
    const StartupSettings& m_settings;
    UserInterface& m_ui;
    ContactFrames m_contact;
    PictureButton* m_command4;
    QPushButton* m_command5;
    QPointer<PerceptionKeysWindow> m_keys;
    QPushButton* m_command6;
    QPointer<Reconciliation111Window> m_reconciliation;
    std::unique_ptr<Database> m_AccountsDb;
};
