#pragma once
// The checks of the exam package screen before a package is built: the exam
// date, the committee, and every listed athlete. No window: the screen
// gathers the fields, shows the first failure and puts the focus where it
// names.

#include "platform/db/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace ExamChecks {

// The exam date as typed ("dd.mm.yyyy", blanks allowed). Sets `date` and
// returns "" when it is a date from 01.01.1950 to 01.01.2050; else the
// message ("Boş veya Hatalı Tarih...!", "Çok Büyük yada Çok Küçük Tarih ...!").
QString examDate(const QString& typed, QDate* date);

struct Person {
    QString name, registerNo, dan;
};
struct Committee {
    Person chairman;            // Edit1, Edit2, Edit15
    QString chairmanCoachNo;    // Edit16
    QString representative;     // Edit13
    Person members[3];          // Edit3-5, Edit6-8, Edit9-11
};

// Which field a committee failure belongs to.
enum class Field {
    ChairmanName, ChairmanNo, ChairmanDan, ChairmanCoachNo, Representative,
    Member1No, Member2No, Member3Name, Member3No, Member3Dan,
};
struct Failure {
    QString text;
    Field field;
};
// The first committee failure, in the order the screen checks them.
std::optional<Failure> committee(const Committee& c);

// The first failure of one listed athlete ("" when it passes): photo,
// coach (E48), identity number (E42, E24), belt step (E75 -> E25) against
// the belts in table order. The message begins with the athlete's name.
QString athlete(const Record& row, bool hasPhoto, const QStringList& beltsInOrder);

// The belts in table order (lowest first).
QStringList belts(Database& db);

}
