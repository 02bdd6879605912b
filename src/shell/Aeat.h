#pragma once

#include "StartupSettings.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class ClickableImage;
class PictureButton;
class UserInterface;

/**
 * The main menu, the program's start-up object: its load settles where the
 * accounting database lies and the font settings; its buttons open the
 * declaration windows and the supplier review, and its menu bar, above them,
 * the window of the documents made from the declarations; one instance each.
 */
class Aeat : public QWidget {
    Q_OBJECT

public:
    /** The windows the menu opens; each call makes a new one. */
    struct WindowFactories {
        std::function<QWidget*()> mod347;
        std::function<QWidget*()> mod190;
        std::function<QWidget*()> review;
        std::function<QWidget*()> documents;
    };

    /** `settings` is filled by Form_Load and must outlive every window. */
    Aeat(StartupSettings& settings, UserInterface& ui);

    void setWindowFactories(WindowFactories factories) { m_factories = std::move(factories); }

    /**
     * Reads the command line, opens the database to read the font row and
     * applies the fonts. On failure it shows the engine's message and returns
     * false: the menu must not be shown.
     */
    bool Form_Load(const QString& argumentText, const QString& programFolder);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Image1_Click();
    void Image2_Click();
    void Documents_Click();

private:
    void showSingleInstance(QPointer<QWidget>& window, const std::function<QWidget*()>& factory);

    StartupSettings& m_settings;
    UserInterface& m_ui;
    WindowFactories m_factories;
    PictureButton* m_command1;
    PictureButton* m_command2;
    PictureButton* m_command3;
    PictureButton* m_command4;
    ClickableImage* m_image1;
    ClickableImage* m_image2;
    QPointer<QWidget> m_mod347;
    QPointer<QWidget> m_mod190;
    QPointer<QWidget> m_review;
    QPointer<QWidget> m_documents;
};
