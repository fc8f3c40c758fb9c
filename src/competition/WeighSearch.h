#pragma once
// The weigh-in screen's person search, without widgets: the conditions of
// its eight fields over C_MUSTERI, with every typed or picked value bound.
// A weight typed with a decimal comma or point is compared as a number.
//
//   WeighSearch::Filters f;
//   f.name = "YILMAZ";
//   WeighSearch::Condition c;
//   if (WeighSearch::build(f, c)) db.select(WeighSearch::listSelect(c, "Ad_Soyad"), c.params);

#include <QString>
#include <QVariantMap>

namespace WeighSearch {

inline constexpr const char* kBadWeight =
    "Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\r(Not: Ondalık ayıracında virgül kullanınız)";

struct Filters {
    QString name;            // "Ad Soyad"
    QString weightClass;     // "Branş"
    QString region;          // "Bölge"
    QString club;            // "Kulüp"
    QString weight;          // "Kilo"
    QString licence;         // "Lisans No"
    QString registerNumber;  // "Sicil No", padded already
    QString participation;   // "YARIŞACAK", "YARIŞMAYACAK" or ""
};

struct Condition {
    QString conditions;      // " and ..." in the fields' order
    QVariantMap params;
};

// A typed weight read with either decimal mark; ok false when it is no
// number.
double weightOf(const QString& text, bool* ok);
// "42" -> "0000042".
QString padRegisterNumber(const QString& text);

// False when the weight is no number (nothing is built).
bool build(const Filters& f, Condition& out);

// "select * from C_MUSTERI where E50 <> ''" + conditions: what the athlete
// list prints.
QString reportSql(const Condition& c);
// The result list's statement in the given order.
QString listSelect(const Condition& c, const QString& order);

}
