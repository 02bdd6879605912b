#pragma once

#include <QList>
#include <QStringList>
#include <QVariantList>

/** The rows a query gave, with its columns' names and the types their sources declare. */
struct QueryRows {
    QStringList names;
    QStringList declaredTypes;
    QList<QVariantList> values;
};
