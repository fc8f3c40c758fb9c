#pragma once
// The activity query's filters as a condition over TURSORGU, without
// widgets. The activity query screen (TTurnuvaGiris1) gathers its seventeen
// fields into a Filters, checks its two dates and builds the condition; its
// list and its reports run the condition with the values bound, so a name
// with an apostrophe is searched like any other. Dates enter as the
// database kind's literal, the placing as its list of numbers.
//
//   ActivityQuery::Filters f;
//   f.region = "ANKARA";
//   f.placing = "1,2,3";
//   const ActivityQuery::Condition c = ActivityQuery::build(f, "ACCESS");
//   db.select(ActivityQuery::listSelect(c.whereClause, "Ad_Soyad"), c.params);

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace ActivityQuery {

inline constexpr const char* kBadDate = "Tarihi Hatalı Girdiniz ...!";
inline constexpr const char* kDateOutOfRange = "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!";
inline constexpr const char* kNothingFound = "Kayıt Bulunamadı ...!";

// The values of the filter fields, in the order their conditions are joined.
struct Filters {
    QString name;          // "Ad Soyad"
    QString dateFrom;      // "Faaliyet Tarihi", "dd.mm.yyyy" or the empty mask
    QString dateTo;        // "Arası"
    QString type;          // "Faaliyet Türü"
    QString kind;          // "Ulusal/ U.Arası"
    QString weightClass;   // "Branş"
    QString activity;      // "Faaliyet"
    QString gender;        // "Cinsiyet"
    QString category;      // "Kategori"
    QString registerNumber;   // "Sicil No"
    QString region;        // "Bölge"
    QString placing;       // "Derece": "1", "1,2,3", ...
    QString role;          // "Aktivite": "SPORCU", "HAKEM", "ANTRENÖR", "DİĞER"
    // The four status fields ("Sporcu", "Hakem", "Antrenör", "Diğer") and,
    // in list mode, the values collected for each.
    QString statuses[4];
    bool listMode = false;
    QStringList statusLists[4];
};

struct Condition {
    QString whereClause;   // " where TURSORGU.Turnuva_Key > 0 " + conditions
    QVariantMap params;
};

// A date field's check: empty (nothing to check), a valid date between
// 01.01.1950 and 01.01.2050, or the message that refuses it.
enum class DateState { Empty, Valid, Invalid, OutOfRange };
DateState checkDate(const QString& text);
// The message of a refused date (kBadDate or kDateOutOfRange).
QString dateMessage(DateState state);

// The condition of the filters; the dates must have passed checkDate.
Condition build(const Filters& f, const QString& databaseKind);

// "Select * from TURSORGU" + condition: what the person reports print.
QString reportSql(const QString& whereClause);
// The list's statement, in `orderBy` ("Ad_Soyad", "Vergi_Numarasi" or
// "Vergi_Dairesi"; anything else orders by name).
QString listSelect(const QString& whereClause, const QString& orderBy);

// The status columns of the four kinds: E50, E51, E52, E43.
QString statusColumn(int kind);

}
