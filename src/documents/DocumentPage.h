#pragma once

#include <QString>

class QPainter;

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
    /** «En ____, a __ de ____ de ____», for the hand that signs. */
    void placeAndDate();
    /** The space for a signature, under its label. */
    void signature(const QString& label);

private:
    QPainter& m_painter;
    int m_top = 0;
};
