#pragma once
// The rules that fill the identity, licence and accreditation cards, with no
// report and no widget: what a box prints for a person row, how coach grades
// are worded, which belt circles carry a stamp, the visa years, the lines of
// the accreditation print log. The card forms (Cards.h) and tests call them.

#include "platform/db/Database.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace CardRules {

// Two texts joined by "/", never beginning or ending with it: "a/b", "a" or
// "b" (birth date and place, city and town, neighbourhood and village, the
// poomse referee's place and date).
QString joinSlash(const QString& first, const QString& second);
// A date column as the cards print it ("dd.mm.yyyy"); "" when empty.
QString dateText(const Record& row, const QString& field);
// Birth text: M3 and E17 joined.
QString birthText(const Record& row);
// City text: E27 and E28 joined.
QString cityText(const Record& row);
// Place text of the personal rows: E29 and E40 joined.
QString placeText(const Record& row);

// The visa year the page-setup dialog proposes on a date: its year, the next
// one in December.
int visaYearFor(const QDate& today);
// The visa year typed in the page-setup dialog: a whole number. A fraction
// ("2010,5") or anything else is refused (false).
bool parseVisaYear(const QString& text, int& year);
// The four years under the visa circles: Y, Y+1, Y+2, Y+3.
QStringList visaYears(int year);

// Coach grade rewrite A (coach cards): the category box, the role title and
// its English subtitle for a coach grade E52.
struct CoachGrade {
    QString box;
    QString title;
    QString subtitle;
};
CoachGrade coachGradeA(const QString& grade);
// Coach grade rewrite B (manager cards): the category box only.
QString coachGradeB(const QString& grade);

// The category box by card kind: 1 coach grade E52, 2 referee grade E51,
// 3 federation title Klup_Yetkilisi, 4 national identity number E42.
// `known` false for any other kind: the box keeps its design text.
QString categoryByKind(int kind, const Record& row, bool* known = nullptr);

// The belts of the belt card, lowest first: "BEYAZ" ... "1. KYU".
const QStringList& beltNames();
// How many belt circles carry the stamp for a belt E25: the belt's place in
// the list (1 to 8) when it is one of the names exactly, or one of them
// followed by " KUŞAK" as the station's belts are named ("SARI KUŞAK" is
// "SARI"), else 0.
int beltStampCount(const QString& belt);

// One line of the accreditation print log (without its line break):
// "dd.mm.yyyy HH:mm " + register number + " " + name.
QString accreditationLogLine(const QDateTime& when, const QString& registerNumber, const QString& name);

}
