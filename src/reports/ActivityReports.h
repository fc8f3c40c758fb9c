#pragma once
// Launchers of the activity reports (RapTurnuva.h) for the activity query
// screen, and of the activity list (OdaYaz.h) for the activity definition
// screen. Each refuses without a listed query or on an empty list, asks the
// title with TBaslik1 (pre-filled with the screen's title text where the
// screen does so), fills the report's statement from the screen's query and
// runs the waiting preview.
//
//   Reports::ActivitySelection a{listOpen, rowCount > 0, FListSql, FWhereClause, FParams, FOrderBy,
//                                Edit13->text(), Edit15->text()};
//   Reports::rapTurnuvaK(caller, a);

#include "reports/ReportLaunch.h"

#include <QString>
#include <QVariantMap>

namespace Reports {

inline constexpr const char* kChooseGender = "Lütfen Cinsiyet Bölümünden Erkek/Bayan Seçimi yapınız...!";

// What the activity query screen gives.
struct ActivitySelection {
    bool listOpen = false;      // a query was run ("Kayıt Bul")
    bool hasRows = false;       // its list has a row
    QString listSql;            // FListSql: the person-result select over TURSORGU with the filters
    QString whereClause;        // FWhereClause: the same filters as a condition, empty or " where ..."
    QVariantMap params;         // the values both bind
    QString orderBy;            // FOrderBy
    QString title;              // Edit13: the title offered in the title dialog
    QString gender;             // Edit15: the gender filter
};

// "Raporlar", "Genel Liste".
void rapTurnuva(const ReportCaller& caller, const ActivitySelection& a);
// "Faaliyet Bazında Liste", "Faaliyet Türü Bazında Liste", "Tarih Bazında Liste".
void rapTurnuva1(const ReportCaller& caller, const ActivitySelection& a);
void rapTurnuva2(const ReportCaller& caller, const ActivitySelection& a);
void rapTurnuva3(const ReportCaller& caller, const ActivitySelection& a);
// "Hakem Performans".
void rapTurnuvaH(const ReportCaller& caller, const ActivitySelection& a);
// "Kulüp Bazında Liste", "Kulüp Bazında Faaliyet Listesi".
void rapTurnuvaK(const ReportCaller& caller, const ActivitySelection& a);
void rapTurnuvaK1(const ReportCaller& caller, const ActivitySelection& a);
// "Çiftler Listesi (Kulübe göre sıralı)" (byClub) and "Çiftler Listesi
// (Branşa göre sıralı)"; refused without a gender choice.
void rapTurnuvaC(const ReportCaller& caller, const ActivitySelection& a, bool byClub);

// The activity definition screen's "Rapor": the activities of its
// statement, with the title.
void odaYaz(const ReportCaller& caller, const QString& title, const QString& sql);
// The title dialog TBaslik1 as the activity definition screen shows it.
QString askActivityListTitle();

}
