#pragma once
// The results database: a small SQLite file that carries the results of the
// running competition to the federation's web site (every bout with both
// athletes, regions and score; every weigh-in row; the placings of each
// category; the time of the export). It is rebuilt at each export and
// nothing reads it back.
//
//   ResultsDatabase::prepare(host);                        // "Kura Sonuç"
//   ResultsDatabase::fill(session().db, host, flags, now); // "Transfer"
//
// Tables: Kuralar (bouts), Listeler (weigh-in rows), Dereceler (placings 1
// to 4 of each category) and Tarih (one row: the export's date and time).
// Dates are stored as "yyyy-MM-dd" text, times as "HH:mm:ss".
//
// A category is a (Cinsiyet, Brans) pair: men's and women's classes of the
// same name stay apart, in the bouts' regions as in the placings. A bout
// nobody won yet is published as undecided: no winner and no score. The
// placings are computed without writing anything into the competition's
// database (the points list in C_LISTE.Puan stays as it is). Every value is
// bound; a failure throws DbError and leaves the file as it was before the
// fill (the fill is one transaction).

#include <QDateTime>
#include <QString>

class Database;

namespace ResultsDatabase {

// Creates the file with its four tables, or empties them when it exists.
void prepare(const QString& hostPath);

// Fills the prepared file from the competition's database. With `flags`
// every region gets its flag file name (see flagOf).
void fill(const Database& source, const QString& hostPath, bool flags, const QDateTime& at);

// The flag file of a region: "Flg0.bmp" for a region of key 100 or below,
// "Flg" + key + ".bmp" above; "" when the region is missing or ambiguous.
QString flagOf(const Database& source, const QString& region);

}
