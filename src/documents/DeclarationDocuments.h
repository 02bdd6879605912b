#pragma once

#include "DocumentPage.h"
#include "filecheck/DeclarationFileCheck.h"
#include "report/PagedReport.h"

#include <functional>
#include <optional>

class Database;

/**
 * The papers the office hands out from a checked declaration file, one page
 * per type 2 record in the file's order: a withholding certificate per
 * perceptor and key of a Modelo 190, a letter per declared supplier of a
 * Modelo 347. Made only from a file whose check finds no error, so that they
 * never disagree with what the agency accepts.
 */
class DeclarationDocuments : public PagedReport {
public:
    /** The pages of one perceptor or supplier, and the name of its own PDF. */
    struct Party {
        QString fileName;
        QList<int> pages;
    };

    /**
     * Reads and checks a declaration file. Nothing when it cannot be read, is
     * no declaration, has errors or carries the windows' example contact, with
     * the reason in Spanish in `failure`.
     */
    static std::optional<DeclarationDocuments> fromFile(const QString& path, QString& failure);

    explicit DeclarationDocuments(CheckedDeclaration checked);

    /** «Certificados190» or «Cartas347»: the name of the PDF of all and of the folder of each party's own. */
    QString baseName() const;
    /** <folder>/<baseName>: the folder of each party's PDF, and with «.pdf» the PDF of all. */
    QString pathIn(const QString& folder) const;
    /** «certificados» or «cartas», and the article of each one: «el» or «la». */
    QString documentsName() const;
    QString documentsArticle() const { return isModel190() ? QStringLiteral("el") : QStringLiteral("la"); }
    /** «perceptor» or «proveedor». */
    QString partyName() const;
    QList<Party> parties() const;
    /** «3 proveedores no están en la contabilidad: llevan el nombre del fichero.» */
    QString namesFromTheFileLine(int parties) const;

    /** Who signs, where and when. */
    void setSigning(const DocumentSigning& signing) { m_signing = signing; }
    /**
     * Names the centre and each party as the accounts spell them, found by
     * NIF (a party abroad by its name), in place of the file's upper case
     * without accents; the file itself is not touched. Returns how many
     * parties the accounts lack, which keep the file's form. Throws DbError.
     */
    int takeNamesFrom(Database& accounts);

    QString title() const override;
    QPageLayout pageLayout() const override;
    int pageCount() const override;
    void paintPage(QPainter& painter, int pageIndex) const override;

    /** What a run is doing: drawing the pages of all, then writing each party's PDF. */
    enum class Stage { EachParty, All };
    /** Told as the run goes: how many of the stage's parties or pages are written; false stops it. */
    using Progress = std::function<bool(Stage stage, int written, int total)>;
    /** «Preparando cartas: página 6.191 de 12.800», «Perceptor 3 de 7»: how far a run has come. */
    QString progressText(Stage stage, int written, int total) const;

    /**
     * Writes <folder>/<baseName>.pdf with every page, and one PDF per party
     * into <folder>/<baseName>/, in place of its earlier PDFs. False when a
     * file cannot be written or `progress` stops it, with the reason in
     * `failure`; the earlier documents then stay as they were.
     */
    bool writeTo(const QString& folder, QString& failure, const Progress& progress = {}) const;

private:
    bool isModel190() const { return m_checked.model == QLatin1String("190"); }

    CheckedDeclaration m_checked;
    DocumentSigning m_signing;
};
