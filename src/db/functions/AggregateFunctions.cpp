#include "FunctionFamily.h"
#include "db/SqliteValues.h"

#include <sqlite3.h>

#include <cmath>

namespace {

// First and Last keep the value of the first and of the last row of their group, Null or not.
template <bool kLast>
void keepStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* kept = static_cast<QVariant**>(sqlite3_aggregate_context(ctx, sizeof(QVariant*)));
    if (!kept)
        return;
    if (!*kept)
        *kept = new QVariant(SqliteValues::fromSqlite(argv[0]));
    else if (kLast)
        **kept = SqliteValues::fromSqlite(argv[0]);
}

void keepFinal(sqlite3_context* ctx) {
    auto* kept = static_cast<QVariant**>(sqlite3_aggregate_context(ctx, 0));
    if (!kept || !*kept) {
        sqlite3_result_null(ctx);
        return;
    }
    SqliteValues::setResult(ctx, **kept);
    delete *kept;
}

// StDev and Var: of a sample, Null ignored; Null with fewer than two values.
struct Moments {
    qint64 count;
    double mean;
    double squares;  // Welford's sum of squared deviations
};

void momentsStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return;
    auto* moments = static_cast<Moments*>(sqlite3_aggregate_context(ctx, sizeof(Moments)));
    if (!moments)
        return;
    const double value = sqlite3_value_double(argv[0]);
    ++moments->count;
    const double delta = value - moments->mean;
    moments->mean += delta / static_cast<double>(moments->count);
    moments->squares += delta * (value - moments->mean);
}

template <bool kRoot>
void momentsFinal(sqlite3_context* ctx) {
    const auto* moments = static_cast<Moments*>(sqlite3_aggregate_context(ctx, 0));
    if (!moments || moments->count < 2) {
        sqlite3_result_null(ctx);
        return;
    }
    const double variance = moments->squares / static_cast<double>(moments->count - 1);
    sqlite3_result_double(ctx, kRoot ? std::sqrt(variance) : variance);
}

constexpr AggregateFunction kAggregates[] = {
    {"First", keepStep<false>, keepFinal},
    {"Last", keepStep<true>, keepFinal},
    {"StDev", momentsStep, momentsFinal<true>},
    {"Var", momentsStep, momentsFinal<false>},
};

}  // namespace

FunctionFamily aggregateFunctions() {
    return {{}, {}, kAggregates};
}
