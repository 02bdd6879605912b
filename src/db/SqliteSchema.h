#pragma once

#include "jet/JetSchema.h"

struct sqlite3;

/** What an open SQLite connection's schema says of its columns. */
class SqliteSchema final : public JetSchema {
public:
    explicit SqliteSchema(sqlite3* db) : m_db(db) {}

    std::optional<ColumnFacts> column(const QString& table, const QString& column) const override;

private:
    int primaryKeyColumns(const QString& table) const;

    sqlite3* m_db;
};
