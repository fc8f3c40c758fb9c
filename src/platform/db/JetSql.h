#pragma once
// Translation of statements in the Jet dialect to SQLite.
//
//   delete * from T            -> delete from T
//   #03/05/2009#               -> '2009-03-05'   (month/day/year, optional time)
//   [Some Name]                -> "Some Name"
//   "text"                     -> 'text'         (Jet's double-quoted strings)
//   True / False               -> -1 / 0
//   a & b                      -> a || b
//   x Mod y                    -> x % y
//   select top 5 ...           -> select ... limit 5
//
// Quoted strings and bound parameters (":name", "?") pass unchanged. The Jet
// functions the statements use (IIf, Nz, Mid, Len, Val, Year, ...) are
// registered on each connection as SQL functions (SqlFunctions.h).

#include <QString>

namespace JetSql {
QString translate(const QString& jet);
}
