#pragma once
// The weigh-in's correction of an athlete's region, club, team or gender
// (the dialog TForm2), without widgets. Each save is one transaction.
//
// List mode corrects every weigh-in row that carries the athlete's back
// number, the athlete's corners of the bouts and the person record. A bout
// corner is the athlete's when it holds the back number and was seated
// directly (its Tip is set); a bout entered by hand (round "Final", numbers
// taken from the bout counter) is never touched, whatever its numbers.
// Person mode corrects the person record only; a new gender drops the
// person's weight classes.
//
//   WeighCorrection::ListChange c{backNumber, personKey, "ANKARA", "ANKARA SPOR", "A TAKIMI", teamMode};
//   WeighCorrection::saveList(db, c, {userName, today});

#include "platform/db/Database.h"

#include <QDate>
#include <QString>

namespace WeighCorrection {

inline constexpr const char* kListSaved = "Sporcunun Sicil ve Müsabaka Bilgileri Güncellendi ...!";
inline constexpr const char* kPersonSaved = "Sporcunun Sicil Bilgileri Güncellendi ...!";
inline constexpr const char* kNoGender = "Lütfen Sporcunun Cinsiyeti Giriniz ...!";
inline constexpr const char* kOtherRegion =
    "DİKKAT ..! Kulübün Bölgesi ile Sporcunun Bölgesi Aynı Değildir ...!";

// Who saves, and when: the person's change stamp.
struct Stamp {
    QString userName;
    QDate today;
};

struct ListChange {
    int backNumber = 0;     // Sira of the athlete's weigh-in rows
    int personKey = 0;      // Musteri_Key
    QString region;
    QString club;
    QString team;
    bool teamMode = false;  // a team tournament: Takim := team, else the club
};

struct PersonChange {
    int personKey = 0;
    QString region;
    QString club;
    QString gender;
    QString oldGender;
};

// List mode; returns the number of bout corners changed.
int saveList(Database& db, const ListChange& c, const Stamp& stamp);
// Person mode; false (nothing written) without a gender.
bool savePerson(Database& db, const PersonChange& c, const Stamp& stamp);

// Whether a club lies in another region than `region` (the warning of the
// club pick). A club not found, or without a region, lies in none.
bool clubOfOtherRegion(Database& db, const QString& club, const QString& region);

}
