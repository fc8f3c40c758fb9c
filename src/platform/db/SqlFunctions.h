#pragma once
// SQL functions and the Turkish collation registered on every connection.
//
// Collation TURKISH: Turkish alphabetical order, case-insensitive, as Jet
// compares text; every text column of the schema uses it.
// LIKE: "%" and "_" wildcards, case-insensitive under Turkish letter rules.
// Jet functions: Nz, Len, Mid, Left, Right, UCase, LCase, Val, Year, Month,
// Day, Now, CStr, CInt, CLng, CDbl, Int, Str, InStr, DateValue, Format,
// Space (at most kSpaceLimit blanks) and a two-argument IIf (Null when the condition fails); IIf with
// three arguments, Trim, Abs, Round and Replace are SQLite's own.

#include <QString>

struct sqlite3;

namespace SqlFunctions {
// Registers everything on an open connection; returns false on failure.
bool install(sqlite3* handle);
// Jet's LIKE under Turkish case rules ("%" any run, "_" one character,
// "[%]" the character in brackets itself).
bool like(const QString& pattern, const QString& text, QChar escape = QChar());
// Typed text for a LIKE pattern, searched literally: "%", "_" and "[" in
// brackets ("50%" -> "50[%]"). Put the wildcards around it:
//   db.select("... where Ad like :a", {{"a", "%" + SqlFunctions::likeLiteral(typed) + "%"}});
QString likeLiteral(const QString& typed);
// The longest text Space() makes; more is an error.
constexpr qint64 kSpaceLimit = 65535;
// Jet's Val: the leading number of a text ("12.5 kg" -> 12.5, "x" -> 0).
double val(const QString& text);
}
