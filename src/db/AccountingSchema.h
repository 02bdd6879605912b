#pragma once

#include <QString>

/** The accounting package's schema, in SQLite's dialect: what a new accounting database is made from. */
QString accountingSchemaSql();
