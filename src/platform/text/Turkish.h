#pragma once
// Turkish letter rules shared by sorting, comparing and upper-casing.

#include <QString>

namespace Turkish {
// Upper case the Turkish way: i -> İ, ı -> I, then the usual rules.
QString upper(const QString& text);
// Lower case the Turkish way: I -> ı, İ -> i.
QString lower(const QString& text);
// Upper-cases the letters a-z only; every other letter stays as it is (codes
// and document numbers compared letter for letter).
QString asciiUpper(const QString& text);
// Compares in Turkish alphabetical order (Ç after C, Ğ after G, I before İ,
// Ö after O, Ş after S, Ü after U) without regard to case; <0, 0 or >0.
int compare(const QString& a, const QString& b);
// Case-insensitive equality under the Turkish rules.
bool equalsIgnoreCase(const QString& a, const QString& b);
}
