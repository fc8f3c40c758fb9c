#pragma once
// What the person record editor derives from a person's career rows, and
// the small rules of its entry dialogs, without a window: the licence
// summary, the penalty status, the latest gym and coach, the latest seminar
// date, the visa years that move along when a title gets a new visa year,
// and whether a person already holds a coach or referee title.
//
//   const LicenceSummary s = SonLisans(licenceRows, Edit67->text());
//   Edit107->setText(s.visaYears); Edit67->setText(s.visaYear); Edit26->setText(s.licenceNumber);

#include "platform/db/Database.h"

#include <QString>

// The three summary fields of a person's licences.
struct LicenceSummary {
    QString licenceNumber;  // E26: Lnc_No of the last licence row ("" without rows)
    QString visaYear;       // E67: the year of the last row's latest date
    QString visaYears;      // E107: the year of every visa date, joined by ","
};

// The licence summary of the person's licence rows, given in Lnc_Key
// order. The visa year comes from the last row's visa date, else its
// transfer date, else its licence date; a last row numbered "SERBEST" keeps
// `visaYearShown`, and a last row without any date empties it.
LicenceSummary SonLisans(const Records& licenceRows, const QString& visaYearShown);

// The penalty status: the Gorev of the first row on the penalty activity
// (key 1) of the person's achievement rows, given newest first (Tarih
// descending, then Der_Key descending); "" without one.
QString penaltyStatus(const Records& achievementRowsNewestFirst);

// The gym (Gorev) and coach (Antrenor) of the first of the person's gym
// rows, given newest first (Gor_Key descending); both "" without rows.
struct GymAndCoach {
    QString gym;
    QString coach;
};
GymAndCoach latestGym(const Records& gymRowsNewestFirst);

// "dd.mm.yyyy" of the Tarih of the last of the person's seminar rows, given
// in the order Tarih, Sem_Key; "" without rows.
QString latestSeminarDate(const Records& seminarRowsByDate);

// A title's three visa years, latest first.
struct VisaYears {
    QString first;
    QString second;
    QString third;
    bool operator==(const VisaYears&) const = default;
};
// The visa years after a title entry with the visa year `entered`: an
// empty year, or one equal to the first, changes nothing; another moves the
// years along (the third is dropped) and becomes the first.
VisaYears shiftVisaYears(const VisaYears& years, const QString& entered);

// Whether the person holds the title in another row than `rowKey` of
// F_ANT (coach) or F_HAKEM (referee). A row not yet stored passes no key.
bool titleHeld(Database& db, bool coach, int personKey, const QVariant& titleKey,
               const QVariant& rowKey = QVariant());
