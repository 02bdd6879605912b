#include "SavedQueries.h"

#include "AccessReader.h"

#include <QHash>
#include <QMap>

namespace SavedQueries {

namespace {

// The attributes of the catalogue's rows.
enum Attribute {
    kType = 1,
    kParameter = 2,
    kFlags = 3,
    kTable = 5,
    kColumn = 6,
    kJoin = 7,
    kWhere = 8,
    kGroupBy = 9,
    kHaving = 10,
    kOrderBy = 11,
};

// The bits of the flags row.
enum SelectFlag { kDistinct = 0x02, kDistinctRow = 0x08, kTop = 0x10, kPercent = 0x20 };
constexpr int kUnionDistinct = 0x02;
constexpr int kQueryObjectType = 5;

Kind kindOf(int flag) {
    switch (flag) {
        case 1:
            return Kind::Select;
        case 2:
            return Kind::MakeTable;
        case 3:
            return Kind::Append;
        case 4:
            return Kind::Update;
        case 5:
            return Kind::Delete;
        case 6:
            return Kind::Crosstab;
        case 7:
            return Kind::DataDefinition;
        case 8:
            return Kind::PassThrough;
        case 9:
            return Kind::Union;
        default:
            return Kind::Unknown;
    }
}

// A name as the catalogue gives it, bracketed so that it names the object whatever its characters.
QString bracketed(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QList<const CatalogueRow*> rowsOf(const QList<CatalogueRow>& rows, int attribute) {
    QList<const CatalogueRow*> found;
    for (const CatalogueRow& row : rows)
        if (row.attribute == attribute)
            found.append(&row);
    return found;
}

// The FROM clause: tables and the join tree, each join nesting the ones that
// came before it, as Access nests them.
QString fromClause(const QList<CatalogueRow>& rows) {
    QStringList sources;         // one per independent part of the FROM list
    QHash<QString, int> partOf;  // table or alias -> its part
    QMap<QString, QString> sourceText;
    for (const CatalogueRow* table : rowsOf(rows, kTable)) {
        const QString name = table->name2.isEmpty() ? table->name1 : table->name2;
        sourceText.insert(name, table->name2.isEmpty() ? bracketed(table->name1)
                                                       : bracketed(table->name1) + QStringLiteral(" AS ") +
                                                             bracketed(table->name2));
    }
    const QList<const CatalogueRow*> joins = rowsOf(rows, kJoin);
    const auto part = [&](const QString& name) {
        if (!partOf.contains(name)) {
            partOf.insert(name, static_cast<int>(sources.size()));
            sources.append(sourceText.value(name, bracketed(name)));
        }
        return partOf.value(name);
    };
    for (int i = 0; i < joins.size(); ++i) {
        const CatalogueRow& join = *joins[i];
        // Rows that join the same two tables the same way make one ON with their conditions.
        QStringList conditions{join.expression};
        while (i + 1 < joins.size() && joins[i + 1]->name1 == join.name1 &&
               joins[i + 1]->name2 == join.name2 && joins[i + 1]->flag == join.flag)
            conditions.append(joins[++i]->expression);
        QString on = conditions.first();
        if (conditions.size() > 1)
            on = QLatin1Char('(') + conditions.join(QStringLiteral(") AND (")) + QLatin1Char(')');
        const int left = part(join.name1);
        const int right = part(join.name2);
        const QString kind = join.flag == 2   ? QStringLiteral(" LEFT JOIN ")
                             : join.flag == 3 ? QStringLiteral(" RIGHT JOIN ")
                                              : QStringLiteral(" INNER JOIN ");
        const QString joined = QLatin1Char('(') + sources[left] + kind + sources[right] +
                               QStringLiteral(" ON ") + on + QLatin1Char(')');
        sources[left] = joined;
        sources[right].clear();
        for (auto it = partOf.begin(); it != partOf.end(); ++it)
            if (it.value() == right)
                it.value() = left;
    }
    for (auto it = sourceText.constBegin(); it != sourceText.constEnd(); ++it)
        part(it.key());
    QStringList parts;
    for (QString source : sources) {
        if (source.isEmpty())
            continue;
        if (source.startsWith(QLatin1Char('(')) && source.endsWith(QLatin1Char(')')))
            source = source.mid(1, source.size() - 2);  // the outermost join needs no parentheses
        parts.append(source);
    }
    return parts.join(QStringLiteral(", "));
}

QString joined(const QList<CatalogueRow>& rows, int attribute, const QString& separator) {
    QStringList parts;
    for (const CatalogueRow* row : rowsOf(rows, attribute)) {
        QString part = row->expression;
        if (attribute == kColumn && !row->name1.isEmpty())
            part += QStringLiteral(" AS ") + bracketed(row->name1);
        if (attribute == kOrderBy && row->name1.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0)
            part += QStringLiteral(" DESC");
        parts.append(part);
    }
    return parts.join(separator);
}

QString selectSql(const QList<CatalogueRow>& rows) {
    QString sql = QStringLiteral("SELECT ");
    for (const CatalogueRow* flags : rowsOf(rows, kFlags)) {
        if (flags->flag & kDistinct)
            sql += QStringLiteral("DISTINCT ");
        if (flags->flag & kDistinctRow)
            sql += QStringLiteral("DISTINCTROW ");
        if (flags->flag & kTop)
            sql += QStringLiteral("TOP %1 %2")
                       .arg(flags->name1, flags->flag & kPercent ? QStringLiteral("PERCENT ") : QString());
    }
    const QString columns = joined(rows, kColumn, QStringLiteral(", "));
    sql += columns.isEmpty() ? QStringLiteral("*") : columns;
    const QString from = fromClause(rows);
    if (!from.isEmpty())
        sql += QStringLiteral(" FROM ") + from;
    const auto clause = [&](int attribute, const char* keyword, const QString& separator) {
        const QString text = joined(rows, attribute, separator);
        if (!text.isEmpty())
            sql += QLatin1Char(' ') + QLatin1String(keyword) + QLatin1Char(' ') + text;
    };
    clause(kWhere, "WHERE", QStringLiteral(" AND "));
    clause(kGroupBy, "GROUP BY", QStringLiteral(", "));
    clause(kHaving, "HAVING", QStringLiteral(" AND "));
    clause(kOrderBy, "ORDER BY", QStringLiteral(", "));
    return sql;
}

QString unionSql(const QList<CatalogueRow>& rows) {
    QStringList parts;
    for (const CatalogueRow* table : rowsOf(rows, kTable))
        parts.append(table->expression.trimmed());
    bool distinct = false;
    for (const CatalogueRow* flags : rowsOf(rows, kFlags))
        distinct = distinct || (flags->flag & kUnionDistinct);
    return parts.join(distinct ? QStringLiteral(" UNION ") : QStringLiteral(" UNION ALL "));
}

}  // namespace

bool Query::isView() const {
    return (kind == Kind::Select || kind == Kind::Union) && !hasParameters;
}

QString kindName(Kind kind) {
    switch (kind) {
        case Kind::Select:
            return QStringLiteral("de selección");
        case Kind::MakeTable:
            return QStringLiteral("de creación de tabla");
        case Kind::Append:
            return QStringLiteral("de datos anexados");
        case Kind::Update:
            return QStringLiteral("de actualización");
        case Kind::Delete:
            return QStringLiteral("de eliminación");
        case Kind::Crosstab:
            return QStringLiteral("de tabla de referencias cruzadas");
        case Kind::DataDefinition:
            return QStringLiteral("de definición de datos");
        case Kind::PassThrough:
            return QStringLiteral("de paso a través");
        case Kind::Union:
            return QStringLiteral("de unión");
        case Kind::Unknown:
            break;
    }
    return QStringLiteral("de un tipo desconocido");
}

Query decode(const QString& name, const QList<CatalogueRow>& rows) {
    Query query;
    query.name = name;
    for (const CatalogueRow* type : rowsOf(rows, kType))
        query.kind = kindOf(type->flag);
    query.hasParameters = !rowsOf(rows, kParameter).isEmpty();
    if (query.kind == Kind::Select)
        query.sql = selectSql(rows);
    else if (query.kind == Kind::Union)
        query.sql = unionSql(rows);
    return query;
}

QList<Query> read(const AccessReader& reader) {
    const AccessTable objects = reader.systemTable(QStringLiteral("MSysObjects"));
    const AccessTable catalogue = reader.systemTable(QStringLiteral("MSysQueries"));
    if (objects.columns.isEmpty() || catalogue.columns.isEmpty())
        return {};
    const auto position = [](const AccessTable& table, const char* column) {
        for (int i = 0; i < table.columns.size(); ++i)
            if (table.columns[i].name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    QList<std::pair<qint64, QString>> queries;
    const int id = position(objects, "Id");
    const int name = position(objects, "Name");
    const int type = position(objects, "Type");
    reader.readRows(objects, [&](const QVariantList& row) {
        if (row.value(type).toInt() == kQueryObjectType)
            queries.append({row.value(id).toLongLong(), row.value(name).toString()});
    });
    QHash<qint64, QList<CatalogueRow>> rowsById;
    const int objectId = position(catalogue, "ObjectId");
    const int attribute = position(catalogue, "Attribute");
    const int expression = position(catalogue, "Expression");
    const int name1 = position(catalogue, "Name1");
    const int name2 = position(catalogue, "Name2");
    const int flag = position(catalogue, "Flag");
    reader.readRows(catalogue, [&](const QVariantList& row) {
        rowsById[row.value(objectId).toLongLong()].append(
            {row.value(attribute).toInt(), row.value(expression).toString(), row.value(name1).toString(),
             row.value(name2).toString(), row.value(flag).toInt()});
    });
    QList<Query> decoded;
    for (const auto& [queryId, queryName] : queries)
        if (!queryName.startsWith(QLatin1Char('~')))  // Access's own hidden queries of forms and reports
            decoded.append(decode(queryName, rowsById.value(queryId)));
    return decoded;
}

}  // namespace SavedQueries
