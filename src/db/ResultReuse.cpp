#include "ResultReuse.h"

void ResultReuse::remember(const QString& sql, const QueryRows& rows, const QSet<QString>& reads,
                           qint64 dataVersion) {
    m_kept = Kept{sql, rows, reads, dataVersion};
}

void ResultReuse::viewMade(const QString& name, const QString& sql) {
    m_views.insert(name.toLower(), sql);
}

std::optional<QueryRows> ResultReuse::rowsOfView(const QString& view, qint64 dataVersion) const {
    if (!m_kept || m_kept->dataVersion != dataVersion || m_views.value(view.toLower()) != m_kept->sql)
        return std::nullopt;
    const QStringList& names = m_kept->rows.names;
    for (const QString& name : names)  // a view renames repeated names
        if (names.count(name) > 1 || name.contains(QLatin1Char(':')))
            return std::nullopt;
    return m_kept->rows;
}

void ResultReuse::forgetChanged(const StatementAccess& change) {
    if (change.changesAnything)
        m_views.clear();
    for (const QString& object : change.changes)
        m_views.remove(object);
    if (m_kept && (change.changesAnything || change.changes.intersects(m_kept->reads)))
        m_kept.reset();
}
