#pragma once
// The person search's filter builder, without widgets: the criteria of the
// search screen in, the condition of C_MUSTERI out, every typed or picked
// value bound as a parameter (so a name with an apostrophe or a percent sign
// is looked for as it stands).
//
//   PersonSearch::Criteria c;
//   c.name = "AHMET"; c.club = "KARTAL SPOR";
//   const PersonSearch::Condition w = PersonSearch::build(db, c);
//   db.select("select * from C_MUSTERI" + w.where + " order by Ad_Soyad", w.params);
//
// `where` is empty or " where " + the conditions joined by " and ", in the
// order of the screen's criteria.

#include "platform/db/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace PersonSearch {

// One field per criterion of the screen; an empty text (an invalid date, no
// number, year 0) is no criterion.
struct Criteria {
    QString name;                   // "Ad Soyad" (Edit7)
    bool nameContains = false;      // CheckBox1: part of the name instead of all of it
    QString firstName;              // "Ad" (Edit30)
    QString lastName;               // "Soyad" (Edit31)
    QDate changedFrom;              // "Kayıt Tar" (MaskEdit1): M1 from
    QDate changedTo;                // its "Arası" (MaskEdit2): M1 up to
    QString club;                   // "Kulüp" (Edit3)
    QString category;               // "Branş" (Edit16)
    std::optional<double> weightMax;   // "Arası" after "Kilo" (Edit14)
    std::optional<double> weightMin;   // "Kilo" (Edit13)
    QString gender;                 // "Cinsiyet" (Edit15)
    QString registerNumber;         // "Sicil No" (Edit1), as padded by padRegisterNumber
    QString region;                 // "Bölge" (Edit2)
    QString activity;               // "Aktivite" (Edit12): SPORCU, HAKEM, ANTRENÖR, DİĞER
    QString athleteTitle;           // "Sporcu" (Edit9)
    QString refereeTitle;           // "Hakem" (Edit11)
    QString coachTitle;             // "Antrenör" (Edit10)
    QString otherTitle;             // "Diğer" (Edit5)
    QString belt;                   // "Kuşak" (Edit25)
    // The status list mode: every value collected for a kind counts.
    bool statusListMode = false;
    QStringList athleteTitles, refereeTitles, coachTitles, otherTitles, belts;
    QString style;                  // "Stil" (Edit36)
    QString participation;          // "Katılım" (Edit4): YARIŞACAK, YARIŞMAYACAK
    QString active;                 // "Faal/Değil" (Edit6): FAAL, FAAL DEĞİL
    QString email;                  // "E-Mail" (Edit26): KAYDI OLANLAR
    QString profReferee;            // "Prof.Hakem" (Edit19): VAR, YOK
    QString mobile;                 // "Cep Telf" (Edit20): KAYDI OLANLAR
    int refereeVisa = 0;            // "Hak.Vize Yılı" (Edit17)
    int coachVisa = 0;              // "Ant.Vize Yılı" (Edit8)
    int regionalRefereeVisa = 0;    // "Hak.Böl.Vize Yılı" (Edit27)
    int athleteVisa = 0;            // "Spor.Vize Yılı" (Edit22)
    QString phone;                  // "Telf No" (Edit21)
    QString bloodGroup;             // "Kan Grb" (Edit23)
    QString profession;             // "Meslek" (Edit29)
    QString identityNumber;         // "Kimlik No" (Edit18)
    QString certificateNumber;      // "No" (Edit28)
};

struct Condition {
    QString where;                  // "" or " where ..."
    bool hasWhere = false;
    QVariantMap params;             // the bound values of `where`
};

// The condition of the criteria. The certificate number is looked up in the
// belt, coach-title and referee-title rows of `db`.
Condition build(Database& db, const Criteria& c);

// The columns of the search's result list.
inline constexpr const char* kListColumns =
    "Musteri_Key,Ad_Soyad,E23,M3,E25,E26,Vergi_dairesi,Vergi_numarasi,E51,E52,Telefonlar,Stil,Stiller";

// The result list of a condition in the order of `orderBy` (a column:
// Ad_Soyad, Vergi_Numarasi or Vergi_Dairesi), sorted in Turkish order.
Records list(Database& db, const Condition& condition, const QString& orderBy);

// A register number as it is looked for: zeros in front up to 7 characters.
QString padRegisterNumber(const QString& typed);

// The condition that restricts a search to persons with a mobile-looking
// number (contact or mobile telephone beginning with 5, 05 or "0 5").
QString mobileCondition();

}
