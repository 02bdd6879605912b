#pragma once

#include <QString>

struct SampleOptions {
    int suppliers = 80;
    int entries = 4000;
    quint64 seed = 1;
    /** The entries and withholdings spread over this many years, the declaration year and those before it. */
    int years = 1;
    /** Adds the data a declaration must refuse: missing postal codes and doubtful identifiers. */
    bool faults = false;
};

/** The least a sample needs to hold each kind of supplier it promises. */
inline constexpr int kMinimumSampleSuppliers = 12;
inline constexpr int kMinimumSampleEntries = 200;
inline constexpr int kMaximumSampleYears = 50;

/**
 * Creates a new accounting database, with the package's schema and the tool's
 * password, holding realistic entries for the previous calendar year (and, with
 * `years` above 1, as many for each earlier year of the history). The same
 * options give the same content. Refuses an existing file; throws DbError.
 */
void createSampleDatabase(const QString& path, const SampleOptions& options);
