#include "JetCollation.h"

#include <sqlite3.h>
#include <QString>

#include <array>
#include <cstring>
#include <optional>
#include <tuple>

namespace {

// The sort key of a text: without accents and without regard to case.
QString sortKey(const void* data, int size) {
    const QString text = QString::fromUtf8(static_cast<const char*>(data), size);
    QString key;
    key.reserve(text.size());
    for (const QChar c : text) {
        const QString decomposed = c.decompositionTag() == QChar::Canonical ? c.decomposition() : QString(c);
        key += decomposed.isEmpty() ? c : decomposed.at(0);
    }
    return key.toCaseFolded();
}

// The sort-key unit of each code point below U+0250 (the Latin letters and their accents): the
// letter without its accent, case-folded; 0 where the key would need more than one unit.
const std::array<char16_t, 0x250>& latinSortUnits() {
    static const std::array<char16_t, 0x250> units = [] {
        std::array<char16_t, 0x250> table{};
        for (char16_t code = 0; code < table.size(); ++code) {
            const QChar c(code);
            const QString decomposed =
                c.decompositionTag() == QChar::Canonical ? c.decomposition() : QString(c);
            const QString folded = QString(decomposed.isEmpty() ? c : decomposed.at(0)).toCaseFolded();
            table[code] = folded.size() == 1 ? folded.at(0).unicode() : 0;
        }
        return table;
    }();
    return units;
}

// The sort-key unit of the character of UTF-8 `text` at `i`, which moves past it; 0 when the
// character lies beyond the table.
char16_t nextSortUnit(const unsigned char* text, int size, int& i) {
    char32_t code = text[i];
    if (code >= 0x80) {
        if ((code & 0xE0) != 0xC0 || i + 1 >= size || (text[i + 1] & 0xC0) != 0x80)
            return 0;
        code = ((code & 0x1F) << 6) | (text[++i] & 0x3F);
    }
    ++i;
    return code < latinSortUnits().size() ? latinSortUnits()[code] : 0;
}

// Compares two texts by their sort keys without making them, for texts of Latin letters; a sort
// of many names spends most of its time here. Nothing when a character lies beyond the table.
std::optional<int> compareLatin(const unsigned char* a, int sizeA, const unsigned char* b, int sizeB) {
    int i = 0;
    int j = 0;
    while (i < sizeA && j < sizeB) {
        const char16_t unitA = nextSortUnit(a, sizeA, i);
        const char16_t unitB = nextSortUnit(b, sizeB, j);
        if (unitA == 0 || unitB == 0)
            return std::nullopt;
        if (unitA != unitB)
            return unitA - unitB;
    }
    for (const auto& [text, size, at] : {std::tuple{a, sizeA, i}, std::tuple{b, sizeB, j}})
        for (int k = at; k < size;)
            if (nextSortUnit(text, size, k) == 0)
                return std::nullopt;
    return (i < sizeA) - (j < sizeB);  // the longer key sorts after
}

int jetCollate(void*, int sizeA, const void* a, int sizeB, const void* b) {
    const std::optional<int> latin = compareLatin(static_cast<const unsigned char*>(a), sizeA,
                                                  static_cast<const unsigned char*>(b), sizeB);
    const int primary = latin ? *latin : sortKey(a, sizeA).compare(sortKey(b, sizeB));
    if (primary != 0)
        return primary;
    const int common = std::min(sizeA, sizeB);
    const int bytes = std::memcmp(a, b, static_cast<size_t>(common));
    return bytes != 0 ? bytes : sizeA - sizeB;
}

}  // namespace

void registerJetCollation(sqlite3* db) {
    sqlite3_create_collation_v2(db, kJetSortCollation, SQLITE_UTF8, nullptr, jetCollate, nullptr);
}
