#pragma once

#include "shell/StartupSettings.h"
#include "widgets/ContactFrames.h"

#include <QWidget>

#include <memory>

class Database;
class PictureButton;
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
    /** The contact inputs and the kind of declaration, as the user fills them. */
    ContactFrames& contactFrames() { return m_contact; }

private:
    const StartupSettings& m_settings;
    UserInterface& m_ui;
    ContactFrames m_contact;
    PictureButton* m_command4;
    std::unique_ptr<Database> m_AccountsDb;
};
