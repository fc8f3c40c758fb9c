#pragma once
// The weigh-in's quick registration, without widgets: the licence number
// rule (LisHes), the checks of "Kaydet" in their order, and the
// registration itself: the person found (by name, region, athlete status
// and licence number) or created, and the accepted weigh-in row of the
// class with the typed weight. The person and the list row are written in
// one transaction, so the person changes only when the row is accepted too.
//
//   QuickRegistration::Input in{...};
//   if (auto failed = QuickRegistration::check(in, clubTournament)) { show failed->message; focus failed->field; }
//   const QuickRegistration::Result r = QuickRegistration::KayitEkle(db, in, settings);

#include "platform/db/Database.h"

#include <QDate>
#include <QString>

#include <optional>

namespace QuickRegistration {

inline constexpr const char* kNoRegion = "Lütfen Sporcunun Bölgesini Seçiniz ...!";
inline constexpr const char* kNoLicenceDigits = "Lütfen Lisans Numarasının Son Rakamlarını Giriniz ...!";
inline constexpr const char* kLicenceTooLong =
    "Lütfen Lisans Numarasının Son Rakamlarını 6 Haneden Fazla Girmeyiniz ...!";
inline constexpr const char* kLicenceNotDigits = "Lütfen Lisans Numarasının Son Rakamlarına Sadece Rakam Giriniz ...!";
inline constexpr const char* kNoRegisterNumber =
    "En Son Verilen Sicil Numarası Sayısal Değer Olmadığından Otomatik Sicil Numarası Verilemiyor ...!";

// What the search panel's fields hold.
struct Input {
    QString name;          // Edit4
    QString region;        // Edit9
    QString regionCode;    // Edit11 (Tip1 of the region)
    QString licence;       // Edit18
    QString weightClass;   // Edit16
    QString gender;        // Edit15
    QString weight;        // Edit13, decimal comma or point
    QString club;          // Edit12
};

// The field a failed check points at.
enum class Field { None, Name, Region, Licence, Class, Weight, Club };
struct Failure {
    QString message;
    Field field = Field::None;
    bool error = true;     // an error box; false: a plain message
};

// LisHes: the licence number of `licence` (kept when longer than 10
// characters, else region code + "-" + federation code + the digits padded
// to 6), or the failure.
struct Licence {
    bool ok = false;
    QString number;
    Failure failure;
};
Licence LisHes(const QString& regionCode, const QString& region, const QString& licence,
               const QString& federationCode);

// The checks of "Kaydet" in order, LisHes last; nothing when all pass.
std::optional<Failure> check(const Input& in, bool clubTournament, const QString& federationCode);

struct Settings {
    QString federationCode;     // "049"
    int teamMode = 0;           // team tournament (with or without grade): Takim "A TAKIMI"
    int participationPoints = 0;
    QString userName;
    QDate today;
};

struct Result {
    enum Kind { Added, AlreadyListed, NoRegisterNumber } kind = Added;
    int personKey = 0;
    bool newPerson = false;
    QString message;            // the closing message
};

// The registration after the checks passed. AlreadyListed and
// NoRegisterNumber write nothing.
Result KayitEkle(Database& db, const Input& in, const Settings& s);

// "AHMET CAN YILMAZ" -> {"AHMET CAN", "YILMAZ"}; one word -> {word, ""}.
std::pair<QString, QString> splitName(const QString& name);

}
