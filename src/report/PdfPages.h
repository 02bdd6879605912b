#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

#include <optional>

/**
 * The pages of a PDF that this program's report engine wrote (Qt's: a
 * classic cross-reference table, one flat page tree), from which PDFs of
 * some of its pages are made without drawing them again: the pages' objects
 * and all they use (contents, fonts, their subsets) are copied byte for byte
 * under new numbers. Making a PDF per party this way costs a copy, where
 * drawing it costs the embedding of its fonts anew.
 */
class PdfPages {
public:
    /** Nothing when `pdf` is not laid out as the report engine lays its PDFs out. */
    static std::optional<PdfPages> read(QByteArray pdf);

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    /** A PDF of the pages at `indexes`, from 0, in that order, with the document's own information. */
    QByteArray extract(const QList<int>& indexes) const;

private:
    struct Object {
        QByteArray dictionary;
        /** The stream's bytes, for an object that has one. */
        std::optional<QByteArray> stream;
    };

    PdfPages() = default;
    bool readCrossReferences();
    bool readObjects();
    std::optional<Object> objectAt(int number, qsizetype offset) const;
    bool readPageTree();

    QByteArray m_pdf;
    QHash<int, qsizetype> m_offsets;
    QHash<int, Object> m_objects;
    QList<int> m_pages;
    int m_info = 0;
    int m_catalog = 0;
    int m_tree = 0;
};
