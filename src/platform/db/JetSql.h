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
//
// Jet has no comments, and the text keeps Jet's reading: "5--3" is five
// minus minus three ("5- -3"), a quote after "--" opens a string as
// anywhere else, "/*" is a division ("/ *").

#include <QString>

namespace JetSql {
QString translate(const QString& jet);
// Where a second statement starts in a translated text (the first character
// after a ";" outside quotes that is not blank, the ";" ending a complete
// statement, not one inside a trigger's body); -1 when there is none. One
// text is one statement: the database layer refuses a second one.
int secondStatement(const QString& sql);
}
