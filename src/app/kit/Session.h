#pragma once
// The session: what every screen and routine of one run shares. The one
// database connection, the signed-in user with the rights the login gives,
// and the edition settings the start-up configuration fixes.
//
// The login (TSifre) opens the connection and fills the user; the main
// window's start-up configuration fills the edition settings. Everything
// else only reads it:
//
//   Database& db = session().db;
//   if (session().user.FIsAdmin) ...
//   QRLabel10->caption = session().edition.SportName + " " + category;
//
// The program's older names stay as references to it: Sifre->ADOConnection1
// is session().db, Sifre->FUserName is session().user.FUserName, and
// Main->SportName is session().edition.SportName (likewise every field
// below), so reading or writing either name is the same.
//
// Routines that compute still take a Database& (tests call them on a
// fixture database); a screen hands them session().db.

#include "app/kit/StationKind.h"
#include "platform/db/Database.h"

#include <QDate>
#include <QString>

#include <functional>

// The signed-in user and the rights the login gives.
struct SessionUser {
    int FLoginState = -1;           // -1 pending, 0 refused, 1 signed in
    bool FIsAdmin = false;          // the administrator (Key_No 1 of C_SIFRE)
    bool FMatchOnlyUser = false;    // rights "M": the match screens only
    QString FUserName;              // Ad of C_SIFRE
};

// The edition settings of the station, fixed by the start-up configuration.
struct EditionSettings {
    QString FederationCode;         // profile code, "049"
    QString SportName;              // Ihbar of C_YAZILAR, prefixed to report titles
    int ScoringEdition = 0;         // 1: electronic-scoring edition
    int ThirdPlaceBouts = 0;        // 0: a category has one third-place bout
    int RegionSeparation = 0;       // 1: byes to a power of two, regions kept apart
};

// The kind of this station (see StationKind.h), read by the start-up
// configuration from the station's settings.
struct StationSettings {
    StationKind kind = StationKind::Scoring;
    bool isOffice() const { return kind == StationKind::Office; }
};

class Session {
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The program's one shared connection (Sifre->ADOConnection1).
    Database db;
    SessionUser user;
    EditionSettings edition;
    StationSettings station;
    // Today's date as the station sees it (the main window's date panel;
    // Main->Today is the same). Tests set a fixed day here.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // Ends the session: closes the connection and forgets the user and the
    // settings. The screens are made and removed together with it.
    void reset();
};

// The session of this run. It exists from the first call to the end of the
// process; Screens::createAll() and destroyAll() reset it.
Session& session();
