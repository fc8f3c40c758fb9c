#pragma once
// Names of weight categories.
//
// A weight category (a C_BRANS row) is named by its weight, a unit word, the
// sex and its category name (a C_BRANSADI row), joined by single spaces:
// "48 KİLO ERKEK BÜYÜKLER" on the weight category screen, "57 KG BAYAN
// GENÇLER" in the bout entry. Every other table refers to a weight category
// by that text, and it belongs to the category name it ends with.

#include <QString>
#include <QStringList>

class Database;

namespace WeightCategories {

// The sexes as weight category names, the weigh-in lists and the bouts
// write them.
inline const QString kMen = QStringLiteral("ERKEK");
inline const QString kWomen = QStringLiteral("BAYAN");

// A weight category name is at most this long.
inline constexpr int kMaxNameLength = 40;

// The parts joined by single spaces, as typed (a weight of -57 stays -57).
QString composeName(const QString& weight, const QString& unit, const QString& gender, const QString& categoryName);

// The refusal of a name longer than kMaxNameLength: the name followed by
// " Branş Adı çok uzun...!"; empty when the name fits.
QString lengthRefusal(const QString& name);

// The refusals of hyphens in a name: "Lütfen '-' İşaterini Kullanmayınız
// ...!" once for every "-"; empty when there is none.
QStringList hyphenRefusals(const QString& name);

// The category name a weight category belongs to: of the given names (the
// C_BRANSADI names in key order), the one the weight category's name ends
// with, after a space or as the whole name. When several fit, the longest
// wins ("ÜMİT GENÇLER" over "GENÇLER"), among equals the last. Empty when
// none fits.
QString categoryNameOf(const QString& weightCategory, const QStringList& categoryNames);

// The same over the category names a weight category may have (C_BRANSADI
// rows with a key above 2).
QString categoryNameOf(Database& db, const QString& weightCategory);

// Whether a weight category belongs to a category name: the name is the whole
// text after the weight category's sex word ("-57 KG ERKEK ÜMİT GENÇLER"
// belongs to "ÜMİT GENÇLER", not to "GENÇLER"). A name without a sex word
// belongs when it is the category name or ends with it after a space. The
// draw and the weigh-in decide by this one rule.
bool belongsToCategory(const QString& weightCategory, const QString& categoryName);

// Whether a bout of this weight category is a semi-contact bout: its name
// holds "SEMI" or "POINT FIGHTING" in any case, Turkish letters folded
// ("semi contact", "Semi Contact", "SEMİ CONTACT" alike).
bool isSemiContact(const QString& weightCategory);

}
