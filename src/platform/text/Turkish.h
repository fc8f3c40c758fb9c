#pragma once
// Turkish letter rules shared by sorting, comparing and upper-casing.

#include <QString>

namespace Turkish {
// Upper case the Turkish way: i -> İ, ı -> I, then the usual rules.
QString upper(const QString& text);
// The upper case of one UTF-16 unit, as upper() gives it, when that is one
// unit and needs no look at its neighbours (every letter of Latin-1 and
// Latin Extended-A and -B but a few, such as "ß"); 0 when the text must go
// through upper() whole. upper(text) is the units of text mapped one by one
// when none of them maps to 0.
char16_t upperUnit(char16_t c);
// Lower case the Turkish way: I -> ı, İ -> i.
QString lower(const QString& text);
// Upper-cases the letters a-z only; every other letter stays as it is (codes
// and document numbers compared letter for letter).
QString asciiUpper(const QString& text);
// Compares in Turkish alphabetical order (Ç after C, Ğ after G, I before İ,
// Ö after O, Ş after S, Ü after U) without regard to case; <0, 0 or >0.
int compare(const QString& a, const QString& b);
// The same order for two texts in UTF-8 (the database's collation); texts of
// Turkish and Latin letters, digits, blanks and punctuation are compared
// without the collator, others with it.
int compareUtf8(const char* a, int lengthA, const char* b, int lengthB);
// Case-insensitive equality under the Turkish rules.
bool equalsIgnoreCase(const QString& a, const QString& b);
}
