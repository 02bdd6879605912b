#include "PdfPages.h"

namespace {

// «12 0 R», and where it lies in its text.
struct Reference {
    int number;
    qsizetype first;
    qsizetype last;  // just past the «R»
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

bool isDelimiter(char c) {
    return isSpace(c) || c == '/' || c == '[' || c == ']' || c == '<' || c == '>';
}

// Skips blanks backwards from `at`; the offset of the last byte before them.
qsizetype beforeSpaces(const QByteArray& text, qsizetype at) {
    while (at >= 0 && isSpace(text[at]))
        --at;
    return at;
}

// The references of a dictionary: an object number, generation 0 and «R», between delimiters.
QList<Reference> referencesIn(const QByteArray& text) {
    QList<Reference> found;
    for (qsizetype r = text.indexOf('R'); r >= 0; r = text.indexOf('R', r + 1)) {
        if ((r + 1 < text.size() && !isDelimiter(text[r + 1])) || r == 0 || !isSpace(text[r - 1]))
            continue;
        qsizetype at = beforeSpaces(text, r - 1);
        if (at < 1 || text[at] != '0' || !isSpace(text[at - 1]))
            continue;
        const qsizetype numberEnd = beforeSpaces(text, at - 1) + 1;
        at = numberEnd - 1;
        while (at >= 0 && isDigit(text[at]))
            --at;
        if (at + 1 == numberEnd || (at >= 0 && !isDelimiter(text[at])))
            continue;
        found.append({text.mid(at + 1, numberEnd - at - 1).toInt(), at + 1, r + 1});
    }
    return found;
}

// The object that `key` of a dictionary refers to, or 0.
int referenceAfter(const QByteArray& dictionary, const QByteArray& key) {
    const qsizetype at = dictionary.indexOf(key + ' ');
    if (at < 0)
        return 0;
    const QList<Reference> references = referencesIn(dictionary.mid(at + key.size()));
    return references.isEmpty() ? 0 : references.first().number;
}

// The first token after `at`: a number, for the lengths and offsets read here.
qint64 numberAt(const QByteArray& bytes, qsizetype at) {
    while (at < bytes.size() && isSpace(bytes[at]))
        ++at;
    qsizetype end = at;
    while (end < bytes.size() && isDigit(bytes[end]))
        ++end;
    return end == at ? -1 : bytes.mid(at, end - at).toLongLong();
}

}  // namespace

std::optional<PdfPages> PdfPages::read(QByteArray pdf) {
    PdfPages pages;
    pages.m_pdf = std::move(pdf);
    if (!pages.readCrossReferences() || !pages.readObjects() || !pages.readPageTree())
        return std::nullopt;
    return pages;
}

// «startxref» gives the table: «xref», «0 N», then N entries of 20 bytes each, offset, generation, n or f.
bool PdfPages::readCrossReferences() {
    const QByteArray& bytes = m_pdf;
    const qsizetype startxref = bytes.lastIndexOf("startxref");
    const qint64 xref = startxref < 0 ? -1 : numberAt(bytes, startxref + 9);
    if (xref <= 0 || !bytes.mid(xref, 4).startsWith("xref"))
        return false;
    const qsizetype subsection = bytes.indexOf('\n', xref) + 1;
    const qsizetype entries = bytes.indexOf('\n', subsection) + 1;
    if (numberAt(bytes, subsection) != 0 || entries <= 0)
        return false;
    const qint64 count = numberAt(bytes, bytes.indexOf(' ', subsection));
    for (int number = 1; number < count; ++number) {
        const QByteArray entry = bytes.mid(entries + 20 * number, 20);
        if (entry.size() != 20)
            return false;
        if (entry[17] == 'n')
            m_offsets.insert(number, entry.left(10).toLongLong());
    }
    const QByteArray trailer = bytes.mid(bytes.lastIndexOf("trailer"));
    m_info = referenceAfter(trailer, "/Info");
    m_catalog = referenceAfter(trailer, "/Root");
    return m_offsets.contains(m_info) && m_offsets.contains(m_catalog);
}

bool PdfPages::readObjects() {
    for (auto it = m_offsets.cbegin(); it != m_offsets.cend(); ++it) {
        std::optional<Object> object = objectAt(it.key(), it.value());
        if (!object)
            return false;
        m_objects.insert(it.key(), std::move(*object));
    }
    return true;
}

std::optional<PdfPages::Object> PdfPages::objectAt(int number, qsizetype offset) const {
    const QByteArray& bytes = m_pdf;
    const QByteArray header = QByteArray::number(number) + " 0 obj";
    if (bytes.mid(offset, header.size()) != header)
        return std::nullopt;
    const qsizetype start = offset + header.size();
    const qsizetype end = bytes.indexOf("endobj", start);
    const qsizetype stream = bytes.indexOf("stream", start);
    if (end < 0)
        return std::nullopt;
    if (stream < 0 || stream > end)
        return Object{bytes.mid(start, end - start).trimmed(), std::nullopt};
    // A stream's length is in its dictionary or in an object of its own; its bytes may hold «endobj».
    Object object{bytes.mid(start, stream - start).trimmed(), std::nullopt};
    const qsizetype lengthKey = object.dictionary.indexOf("/Length ");
    if (lengthKey < 0)
        return std::nullopt;
    const int lengthObject = referenceAfter(object.dictionary, "/Length");
    const qint64 length =
        lengthObject == 0
            ? numberAt(object.dictionary, lengthKey + 8)
            : numberAt(bytes, m_offsets.value(lengthObject) + QByteArray::number(lengthObject).size() + 6);
    qsizetype data = stream + 6;
    data += bytes.mid(data, 2) == "\r\n" ? 2 : bytes.mid(data, 1) == "\n" ? 1 : 0;
    if (length < 0 || data + length > bytes.size() ||
        !bytes.mid(data + length, 16).trimmed().startsWith("endstream"))
        return std::nullopt;
    object.stream = bytes.mid(data, length);
    return object;
}

// One page tree node whose kids are the pages, in order, as the engine writes it.
bool PdfPages::readPageTree() {
    m_tree = referenceAfter(m_objects.value(m_catalog).dictionary, "/Pages");
    const QByteArray tree = m_objects.value(m_tree).dictionary;
    const qsizetype kids = tree.indexOf("/Kids");
    if (kids < 0)
        return false;
    for (const Reference& kid : referencesIn(tree.mid(kids, tree.indexOf(']', kids) - kids))) {
        if (!m_objects.value(kid.number).dictionary.contains("/Type /Page\n"))
            return false;
        m_pages.append(kid.number);
    }
    return !m_pages.isEmpty();
}

QByteArray PdfPages::extract(const QList<int>& indexes) const {
    // 1: the information, 2: the catalogue, 3: the page tree; then the pages and all they use.
    constexpr int kPageTree = 3;
    QHash<int, int> renumbered{{m_tree, kPageTree}};
    QList<int> order;
    const auto take = [&](int number) {
        if (!renumbered.contains(number) && m_objects.contains(number)) {
            renumbered.insert(number, kPageTree + 1 + static_cast<int>(order.size()));
            order.append(number);
        }
    };
    for (const int index : indexes)
        take(m_pages[index]);
    for (qsizetype next = 0; next < order.size(); ++next)
        for (const Reference& reference : referencesIn(m_objects.value(order[next]).dictionary))
            take(reference.number);

    QByteArray out("%PDF-1.4\n%\xC3\xA2\xC3\xA3\n");
    QList<qsizetype> offsets;
    const auto write = [&](const QByteArray& dictionary, const std::optional<QByteArray>& stream) {
        offsets.append(out.size());
        out += QByteArray::number(offsets.size()) + " 0 obj\n" + dictionary + '\n';
        if (stream)
            out += "stream\n" + *stream + "\nendstream\n";
        out += "endobj\n";
    };
    write(m_objects.value(m_info).dictionary, std::nullopt);
    write("<<\n/Type /Catalog\n/Pages 3 0 R\n>>", std::nullopt);
    QByteArray kids;
    for (const int index : indexes)
        kids += QByteArray::number(renumbered.value(m_pages[index])) + " 0 R\n";
    write("<<\n/Type /Pages\n/Kids \n[\n" + kids + "]\n/Count " + QByteArray::number(indexes.size()) + "\n>>",
          std::nullopt);
    for (const int number : order) {
        const Object& object = m_objects.value(number);
        QByteArray dictionary = object.dictionary;
        const QList<Reference> references = referencesIn(dictionary);
        for (auto it = references.crbegin(); it != references.crend(); ++it)
            dictionary.replace(it->first, it->last - it->first,
                               QByteArray::number(renumbered.value(it->number)) + " 0 R");
        write(dictionary, object.stream);
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(offsets.size() + 1) +
           "\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}
