#pragma once

#include <QDate>
#include <QString>

class QPainter;

/** Who signs the documents, and where and when: empty texts leave lines for the hand. */
struct DocumentSigning {
    /** «María José Muñoz Peña». */
    QString name;
    /** «Secretaria». */
    QString post;
    /** «Córdoba». */
    QString place;
    QDate date;

    /** Reads «NOMBRE, CARGO»: the post follows the last comma. */
    static DocumentSigning fromSigner(const QString& signer, const QString& place, const QDate& date);
};

/** A date as a Spaniard writes it: «15 de enero de 2026». */
QString spanishDate(const QDate& date);

/** Cents as a Spaniard writes an amount of euros: «1.234,56 €». */
QString amountInEuros(qint64 cents);

/**
 * A document page written from the top down on an A4 page, in twips: the
 * title, headed sections, labelled fields, paragraphs, a table of amounts
 * and the lines left for the place, date and signature. Each call writes
 * below the one before.
 */
class DocumentPage {
public:
    explicit DocumentPage(QPainter& painter);

    /** A4 with margins of 2 cm. */
    static constexpr int kMargin = 1134;
    static constexpr int kWidth = 11906 - 2 * kMargin;

    void title(const QString& text);
    void heading(const QString& text);
    void field(const QString& label, const QString& value);
    void paragraph(const QString& text);
    /** A line of the amounts' table: the label, and the amount aligned right. */
    void amount(const QString& label, qint64 cents, bool bold = false);
    void space(int twips);
    /** «Córdoba, 15 de enero de 2026»; or «En ____, a __ de ____ de ____» for the hand when unknown. */
    void placeAndDate(const DocumentSigning& signing);
    /** The space for a signature under its label, and below the line the signer's name and post. */
    void signature(const QString& label, const DocumentSigning& signing);

private:
    QPainter& m_painter;
    int m_top = 0;
};
