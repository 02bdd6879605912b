#pragma once

#include "QueryRows.h"
#include "StatementCache.h"

#include <QHash>
#include <QString>

#include <optional>

/**
 * The rows of the last query without parameters, kept so that a statement
 * that reads the whole of a view made of that same query gets them without
 * running it again. A client asks for it (Database::ReusingResults) where it
 * reads a query, saves it as a view and copies the view at once.
 *
 * The rows stay only while nothing they rest on changes: every statement of
 * the connection goes through forgetChanged, and another connection's write
 * shows in the file's data version.
 */
class ResultReuse {
public:
    /** Keeps the rows of `sql`, which read `reads`, at the file's `dataVersion`. */
    void remember(const QString& sql, const QueryRows& rows, const QSet<QString>& reads, qint64 dataVersion);
    /** Notes that the view `name` was made of `sql`. */
    void viewMade(const QString& name, const QString& sql);
    /** The rows of the whole of `view`, when they are the ones kept and the file is at `dataVersion`. */
    std::optional<QueryRows> rowsOfView(const QString& view, qint64 dataVersion) const;
    /** Forgets the rows when `change` may change them, and the views it drops or makes again. */
    void forgetChanged(const StatementAccess& change);

private:
    struct Kept {
        QString sql;
        QueryRows rows;
        QSet<QString> reads;
        qint64 dataVersion = 0;
    };

    std::optional<Kept> m_kept;
    QHash<QString, QString> m_views;  // name in lower case, SQL
};
