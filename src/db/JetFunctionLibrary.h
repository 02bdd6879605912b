#pragma once

struct sqlite3;

/**
 * Registers on a connection the functions of Jet's expression service that
 * the queries of office databases use most and SQLite lacks or defines
 * otherwise: Nz, Len, Right, Mid, UCase, LCase, InStr, String, Val, Str,
 * CStr, CLng, CInt, CDbl, CCur, CDate, Int, Fix, Sgn, Round (halves to even),
 * Month, Day, Hour, Minute, Second, Weekday, Date, DateSerial, DateAdd,
 * DateDiff, DatePart, Format (its common patterns, with Spanish separators),
 * the aggregates First, Last, StDev and Var, and the functions behind Jet's
 * operators & Mod \ ^ and LIKE. Each keeps Jet's meaning, Null included.
 */
void registerJetFunctionLibrary(sqlite3* db);
