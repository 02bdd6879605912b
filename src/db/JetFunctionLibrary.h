#pragma once

struct sqlite3;

/**
 * Registers on a connection the functions of Jet's expression service that
 * the queries of office databases use most and SQLite lacks or defines
 * otherwise: Nz, Len, Right, Mid, UCase, LCase, InStr, String, Val, CStr,
 * CLng, CInt, CDbl, CCur, Int, Fix, Sgn, Round (halves to even), Month, Day,
 * Hour, Minute, Second, Weekday, Date, DateSerial, and the aggregates First
 * and Last. Each keeps Jet's meaning, Null included.
 */
void registerJetFunctionLibrary(sqlite3* db);
