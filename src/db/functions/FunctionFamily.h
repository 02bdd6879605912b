#pragma once

#include <QVariantList>

#include <span>

struct sqlite3_context;
struct sqlite3_value;

/** A function of Jet's that takes and gives the program's values; a refusal throws JetValues::Refusal. */
struct ScalarFunction {
    const char* name;
    int minArgs;
    int maxArgs;
    QVariant (*body)(const QVariantList& args);
    /** Null in any argument gives Null without calling `body`. */
    bool nullInNullOut;
};

/** A function that reads SQLite's values itself: it runs once per row of the largest selections. */
struct NativeFunction {
    const char* name;
    int args;
    void (*body)(sqlite3_context* ctx, int argc, sqlite3_value** argv);
};

/** An aggregate: `step` runs per row of a group, `final` gives the group's value. */
struct AggregateFunction {
    const char* name;
    void (*step)(sqlite3_context* ctx, int argc, sqlite3_value** argv);
    void (*final)(sqlite3_context* ctx);
};

/** The functions of one family, which the registry registers on every connection. */
struct FunctionFamily {
    std::span<const ScalarFunction> scalars;
    std::span<const NativeFunction> natives = {};
    std::span<const AggregateFunction> aggregates = {};
};

FunctionFamily textFunctions();
FunctionFamily numberFunctions();
FunctionFamily dateFunctions();
FunctionFamily formatFunction();
FunctionFamily operatorFunctions();
FunctionFamily aggregateFunctions();
