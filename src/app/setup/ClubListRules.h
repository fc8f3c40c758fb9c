#pragma once
// The rules of the club list ("Yeni Kulüp Girişi ve İşlem Ekranı") without
// its window: the search's conditions with their bound values, the key
// text of the list, the selection's key list, the delete guards and the
// move of one club's persons to another ("Aktarım").
//
//   QVariantMap params;
//   const QString filter = ClubListRules::filterText(f, params);     // " and ..."
//   db.select(ClubListRules::kListSql + filter + " order by " + order, params);
//
//   const QString refusal = ClubListRules::moveRefusal(keys);         // "" when two clubs
//   ClubMove move = ClubListRules::planMove(db, keys, currentKey);
//   if (Form5->confirm(ClubListRules::moveQuestion(move), true))
//       ClubListRules::movePersons(db, move, user, today);

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class Database;

// The filter controls of the club list.
struct ClubListFilter {
    enum class Kind { Club, Gym, All };
    QString contact;            // "Yetkili Kişi": part of the contact person
    QString club;               // "Kulüp": part of the club name
    QString region;             // "Bölge": the region, whole
    Kind kind = Kind::All;      // "Kulüp" / "Salon/Kişisel" / "Hepsi"
    bool inactiveOnly = false;  // "Faal Olmayanlar"
};

// One move of persons from a club to another.
struct ClubMove {
    int sourceKey = 0;
    int targetKey = 0;
    QString sourceName;
    QString targetName;
    int persons = 0;            // persons of the source club
};

namespace ClubListRules {

inline const QString kListSql = "select * from C_UYELIKSURESI where Durum_Key>1";
inline constexpr const char* kOrderByName = "Durum,Durum_Key";
inline constexpr const char* kOrderByContact = "Ad_Soyad,Durum_Key";
inline constexpr const char* kOrderByRegion = "E1,Durum_Key";

// The search's conditions, each beginning with " and ", in the controls'
// order; the typed texts go into `params` (cleared first).
QString filterText(const ClubListFilter& filter, QVariantMap& params);
// The "Kayıt No" of a club: its key, with one "0" in front of three digits.
QString keyText(int key);
// The selected keys in list order joined by ","; "0" for none.
QString selectedKeys(const QList<int>& keys);

// Why a club cannot be deleted; "" when it can.
QString deleteRefusal(Database& db, int key);
// The delete question.
QString deleteQuestion(const QString& name);
void deleteClub(Database& db, int key);

// The refusal of "Aktarım" for the selected keys (FSelectedKeys); "" for
// exactly two.
QString moveRefusal(const QString& selectedKeys);
// The move for two selected keys: the club the cursor stands on is the
// target, the other the source.
ClubMove planMove(Database& db, const QString& selectedKeys, int currentKey);
QString moveQuestion(const ClubMove& move);
// Moves the persons of the source club (by its key, and those of its region
// that carry its name without a club key) to the target club: club name
// (E16) and gym (E49) := the target's name, Client_Key := its key, stamped
// with the user and today (M1 := today, User := user + ", " + "dd.mm.yyyy");
// one transaction.
void movePersons(Database& db, const ClubMove& move, const QString& userName, const QDate& today);

}
