#pragma once

#include <QList>
#include <QString>

class AccessReader;

/**
 * The saved queries of an Access file. Access keeps a select query not as
 * text but as rows of its query catalogue, MSysQueries: its tables, joins,
 * columns, criteria, grouping and order. These are rebuilt here as the Jet
 * SQL that Access shows for them; a union query keeps the text it stores.
 */
namespace SavedQueries {

enum class Kind {
    Select,
    MakeTable,
    Append,
    Update,
    Delete,
    Crosstab,
    DataDefinition,
    PassThrough,
    Union,
    Unknown
};

/** One row of MSysQueries. */
struct CatalogueRow {
    int attribute = 0;
    QString expression;
    QString name1;
    QString name2;
    int flag = 0;
};

struct Query {
    QString name;
    Kind kind = Kind::Unknown;
    bool hasParameters = false;
    /** The Jet SQL of a select or union query; empty for the other kinds. */
    QString sql;

    /** Whether it can become a view: a select or union query without parameters. */
    bool isView() const;
};

/** The kind in words: "de actualización", "de unión" ... */
QString kindName(Kind kind);

/** Rebuilds one query from its catalogue rows, in the catalogue's order. */
Query decode(const QString& name, const QList<CatalogueRow>& rows);

/** Every saved query of the file, in the order of its objects; none when it has no query catalogue. */
QList<Query> read(const AccessReader& reader);

}  // namespace SavedQueries
