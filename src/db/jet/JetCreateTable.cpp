#include "JetCreateTable.h"

#include "db/ColumnTypes.h"

using namespace JetTokens;

namespace {

QString sqliteTypeFor(const Token& type) {
    static const char* const kText[] = {"text", "char", "varchar", "memo", "longtext", "string", "note"};
    static const char* const kDate[] = {"date", "datetime", "time", "timestamp"};
    static const char* const kInteger[] = {"integer", "int",     "long",    "short",         "smallint",
                                           "byte",    "tinyint", "counter", "autoincrement", "bit",
                                           "yesno",   "logical", "bigint"};
    static const char* const kReal[] = {"double",  "single",  "float",  "real",   "currency", "money",
                                        "decimal", "numeric", "number", "float8", "float4"};
    for (const char* name : kText)
        if (type.isWord(name))
            return ColumnTypes::kText;
    for (const char* name : kDate)
        if (type.isWord(name))
            return ColumnTypes::kExactText;
    for (const char* name : kInteger)
        if (type.isWord(name))
            return ColumnTypes::kInteger;
    for (const char* name : kReal)
        if (type.isWord(name))
            return ColumnTypes::kReal;
    fail(QStringLiteral("Tipo de datos no admitido: %1").arg(type.text));
}

}  // namespace

void rewriteCreateTable(Tokens& t) {
    const QList<int> depth = depths(t);
    const int create = nextSolid(t, 0);
    const int table = create >= 0 ? nextSolid(t, create + 1) : -1;
    if (create < 0 || !t[create].isWord("create") || table < 0 || !t[table].isWord("table"))
        return;
    int open = -1;
    for (int i = table; i < t.size(); ++i)
        if (t[i].isPunct("(")) {
            open = i;
            break;
        }
    if (open < 0)
        fail(QStringLiteral("Faltan los campos de la tabla en CREATE TABLE."));
    const int close = matchingParen(t, open);
    bool expectName = true;
    for (int i = open + 1; i < close; ++i) {
        if (t[i].kind == Token::Space || depth[i] != 1)
            continue;
        if (t[i].isPunct(",")) {
            expectName = true;
            continue;
        }
        if (!expectName)
            continue;
        expectName = false;
        if (t[i].isWord("constraint") || t[i].isWord("primary") || t[i].isWord("unique"))
            continue;
        const int type = nextSolid(t, i + 1);
        if (type < 0 || type >= close || t[type].kind != Token::Word)
            fail(QStringLiteral("Falta el tipo del campo %1 en CREATE TABLE.").arg(t[i].text));
        const QString mapped = sqliteTypeFor(t[type]);
        const int size = nextSolid(t, type + 1);
        if (size >= 0 && t[size].isPunct("(")) {
            const int sizeClose = matchingParen(t, size);
            for (int k = size; k <= sizeClose; ++k)
                t[k].erase();
        }
        t[type].text = mapped;
    }
}
