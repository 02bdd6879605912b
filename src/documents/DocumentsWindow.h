#pragma once

#include <QPointer>
#include <QWidget>

class QComboBox;
class QPushButton;
class ReportPreview;
class UserInterface;
struct StartupSettings;

/**
 * The window "Certificados y cartas": picks a declaration file, the data
 * folder's Mod190.txt or Mod347.txt at first, makes its documents, writes
 * them to the data folder and shows them in the report preview, whence they
 * print.
 */
class DocumentsWindow : public QWidget {
    Q_OBJECT

public:
    DocumentsWindow(const StartupSettings& settings, UserInterface& ui);

    QString declarationPath() const;
    /** Chooses a file, adding it to the list when it is not there. */
    void setDeclarationPath(const QString& path);
    /** Makes the chosen file's documents, writes them and opens the preview; or tells why not. */
    void makeDocuments();
    /** The preview of the documents last made; none before. */
    ReportPreview* preview() const { return m_preview; }

private:
    void listDataFolderDeclarations();
    void chooseFile();

    const StartupSettings& m_settings;
    UserInterface& m_ui;
    QComboBox* m_file;
    QPushButton* m_make;
    QPointer<ReportPreview> m_preview;
};
