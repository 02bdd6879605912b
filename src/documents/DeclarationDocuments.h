#pragma once

#include "filecheck/DeclarationFileCheck.h"
#include "report/PagedReport.h"

#include <optional>

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
     * no declaration or has errors, with the reason in Spanish in `failure`.
     */
    static std::optional<DeclarationDocuments> fromFile(const QString& path, QString& failure);

    explicit DeclarationDocuments(CheckedDeclaration checked);

    /** «Certificados190» or «Cartas347»: the name of the PDF of all and of the folder of each party's own. */
    QString baseName() const;
    /** <folder>/<baseName>: the folder of each party's PDF, and with «.pdf» the PDF of all. */
    QString pathIn(const QString& folder) const;
    /** «certificados» or «cartas». */
    QString documentsName() const;
    /** «perceptor» or «proveedor». */
    QString partyName() const;
    QList<Party> parties() const;

    QString title() const override;
    QPageLayout pageLayout() const override;
    int pageCount() const override;
    void paintPage(QPainter& painter, int pageIndex) const override;

    /**
     * Writes <folder>/<baseName>.pdf with every page, and one PDF per party
     * into <folder>/<baseName>/, in place of its earlier PDFs. False when a
     * file cannot be written, with the reason in `failure`; the earlier
     * documents then stay as they were.
     */
    bool writeTo(const QString& folder, QString& failure) const;

private:
    bool isModel190() const { return m_checked.model == QLatin1String("190"); }

    CheckedDeclaration m_checked;
};

/** A name made safe for a file on Linux and on Windows: «B12345674 LIMPIEZAS, S.L.». */
QString safeFileName(const QString& name);
