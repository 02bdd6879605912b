#include "JetFunctions.h"

#include "FunctionFamily.h"
#include "JetCollation.h"
#include "JetValues.h"
#include "db/SqliteValues.h"

#include <sqlite3.h>

namespace {

void callScalar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const auto* function = static_cast<const ScalarFunction*>(sqlite3_user_data(ctx));
    QVariantList args;
    args.reserve(argc);
    for (int i = 0; i < argc; ++i) {
        args.append(SqliteValues::fromSqlite(argv[i]));
        if (function->nullInNullOut && args.last().isNull()) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    try {
        SqliteValues::setResult(ctx, function->body(args));
    } catch (const JetValues::Refusal& refusal) {
        SqliteValues::setResultError(ctx, refusal.message);
    }
}

void registerFamily(sqlite3* db, const FunctionFamily& family) {
    // Deterministic, so that SQLite reads the clock once per statement for Now() and Date(), not once per
    // row.
    constexpr int kScalarFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    for (const ScalarFunction& function : family.scalars)
        for (int args = function.minArgs; args <= function.maxArgs; ++args)
            sqlite3_create_function_v2(db, function.name, args, kScalarFlags,
                                       const_cast<ScalarFunction*>(&function), callScalar, nullptr, nullptr,
                                       nullptr);
    for (const NativeFunction& function : family.natives)
        sqlite3_create_function_v2(db, function.name, function.args, kScalarFlags, nullptr, function.body,
                                   nullptr, nullptr, nullptr);
    for (const AggregateFunction& function : family.aggregates)
        sqlite3_create_function_v2(db, function.name, 1, SQLITE_UTF8, nullptr, nullptr, function.step,
                                   function.final, nullptr);
}

}  // namespace

void registerJetFunctions(sqlite3* db) {
    for (const FunctionFamily& family : {textFunctions(), numberFunctions(), dateFunctions(),
                                         formatFunction(), operatorFunctions(), aggregateFunctions()})
        registerFamily(db, family);
    registerJetCollation(db);
}
