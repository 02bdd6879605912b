#pragma once

#include <QString>

#include <optional>

/** What a statement's rewriting may know of a column of the database. */
struct ColumnFacts {
    /** Every value it holds is a text or Null, compared byte by byte or without regard to case. */
    bool plainText = false;
    /** It is its table's whole primary key: no two rows share a value under its collation. */
    bool primaryKey = false;
};

/** The tables of a database as the translation sees them. */
class JetSchema {
public:
    virtual ~JetSchema() = default;
    /** The facts of `column` of `table`; nothing when there is no such table or column. */
    virtual std::optional<ColumnFacts> column(const QString& table, const QString& column) const = 0;
};
