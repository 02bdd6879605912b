#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class PagedReport;
class DeclarationDocuments;
class QComboBox;
class QLineEdit;
class QPushButton;
class ReportPreview;
class UserInterface;
struct StartupSettings;

/**
 * The window "Certificados y cartas": picks a declaration file, the data
 * folder's Mod190.txt or Mod347.txt at first, makes its documents, writes
 * them to the data folder and shows them in the report preview, whence they
 * print; and reads the agency's error file after an upload.
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
    /** Reads the agency's error file at `path` and shows what it says in the preview; or tells why not. */
    void showAgencyErrors(const QString& path);
    /** The preview of the documents or errors last shown; none before. */
    ReportPreview* preview() const { return m_preview; }

private:
    void listDataFolderDeclarations();
    void chooseFile();
    QString takeNamesFromTheAccounts(DeclarationDocuments& documents) const;
    bool write(const DeclarationDocuments& documents, QString& failure);
    void chooseAgencyErrors();
    void showPreview(const QString& title, std::unique_ptr<PagedReport> report, const QString& pdfName);

    const StartupSettings& m_settings;
    UserInterface& m_ui;
    QComboBox* m_file;
    QLineEdit* m_signer;
    QLineEdit* m_place;
    QPushButton* m_make;
    QPointer<ReportPreview> m_preview;
};
