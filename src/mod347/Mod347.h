#pragma once

#include "Mod347Run.h"
#include "shell/StartupSettings.h"
#include "widgets/ContactFrames.h"
#include "widgets/class_Elastic.h"

#include <QWidget>

#include <memory>
#include <optional>

class DataGrid;
class Database;
class QLineEdit;
class PictureButton;
class QGroupBox;
class QPushButton;
class SupplierGridModel;
class UserInterface;

/**
 * The window that prepares and runs the Modelo 347 declaration: the contact
 * inputs, the threshold, and the grid where the cash-basis VAT suppliers are
 * marked. Its only layout is class_Elastic.
 */
class Mod347 : public QWidget {
    Q_OBJECT

public:
    Mod347(const StartupSettings& settings, UserInterface& ui);
    ~Mod347() override;

    /**
     * Prepares the database and the selection. Returns false when the window
     * must not open: the database could not be opened, or nothing passes the
     * threshold (then the program ends).
     */
    bool Form_Load();
    void Form_Resize();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    /** The contact inputs and the kind of declaration, as the user fills them. */
    ContactFrames& contactFrames() { return m_contact; }
    void DBGrid1_HeadClick(int column);
    void DBGrid1_KeyPress(int& keyAscii);
    void AjustarColumnas();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshGrid();
    void tellWriteBackFailed(const QString& message);

    const StartupSettings& m_settings;
    UserInterface& m_ui;
    ContactFrames m_contact;
    QGroupBox* m_frame3;
    QLineEdit* m_text2;
    QPushButton* m_command1;
    PictureButton* m_command4;
    QGroupBox* m_frame4;
    DataGrid* m_DBGrid1;
    QPushButton* m_command2;
    SupplierGridModel* m_Data1;
    std::unique_ptr<class_Elastic> m_elastic;
    std::unique_ptr<Database> m_AccountsDb;
    std::optional<Modelo347Session> m_session;
    QString ConsultaGrid;
    QString OrdenGrid;
    QString SentidoGrid;
};
