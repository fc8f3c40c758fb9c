#pragma once
// Writing a person, after the checks have passed: the key and register
// number of a new person, every column of C_MUSTERI from the editor's
// values, the belt styles summary, the first career rows of a new person and
// the exam import's belt and gym rows. It needs no window: the record editor
// fills a PersonSave, calls KisiYaz and shows the outcome.

#include "platform/db/Database.h"
#include "registry/PersonValues.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The number and diploma text of a first belt or title row, kept from the
// entry dialog until the first save of a new person.
struct PendingCareerRow {
    QString KarNo;
    QString Dip_No_Tar;
};

// The first licence row of a new person: Lnc_No, Bolge_Key, Klup_Key,
// L_Tarih, V_Tarih, T_Tarih, Kategori, Ack (an empty date as "").
using PendingLicence = QStringList;

struct PersonSave {
    // In: the editor's values. Out: Vergi_Numarasi, the dates in standard
    // form, M1 (today) and Stiller as written.
    PersonValues values;
    // In: 0 for a new person. Out: the person's key.
    int personKey = 0;
    bool batchMode = false;
    // In: the style field was changed since the load. Out: cleared.
    bool styleChanged = false;
    PendingCareerRow pendingBelt;
    PendingCareerRow pendingCoachTitle;
    PendingCareerRow pendingRefereeTitle;
    PendingLicence pendingLicence;
    QString userName;
    QDateTime now;

    // Out: the person was new and got its first career rows.
    bool wasNew = false;
    bool firstRowsWritten = false;
};

namespace PersonWriter {

enum Outcome {
    Saved,
    // The last register number given (SonSicil) is not a number: a new
    // person cannot get one and nothing was written.
    NoRegisterNumber
};

// Writes the person in one transaction: either everything is stored or,
// when the database refuses a step (DbError, rethrown), nothing is.
Outcome KisiYaz(Database& db, PersonSave& save);

// The register number after the last one given: "" or a whole number n in
// SonSicil give n + 1 written with seven digits ("0000001"; a longer number
// is written whole); ok is false when the text is no whole number.
QString OtoSicilVer(const QString& lastGiven, bool* ok);

// "Stiller" of a saved person: for each style the highest belt (by belt key)
// of the person's belt rows in that style, as "belt(style)", joined by ",".
QString stylesSummary(Database& db, int personKey);

// Text of the message shown when no register number can be made.
inline constexpr const char* kNoRegisterNumberMessage =
    "En Son Verilen Sicil Numarası Sayısal Değer Olmadığından Otomatik Sicil Numarası Verilemiyor ...!";

} // namespace PersonWriter
