#pragma once
// Launchers of the results and statistics reports.
//
//   Reports::istatistikRaporu(caller);       // "  Müsabaka İstatistik Raporu" of the main window
//   Reports::dereceListesi(caller, opts);    // the results screen's ranking list
//   Reports::puanlamaListesi(caller, ...);   // the results screen's points list
//
// Each sets the report's options, its row counters and its query, and runs
// its preview (ReportLaunch.h): the statistics and the ranking list with the
// waiting preview when their category query has rows (else the message),
// the points list with the modal preview.

#include "reports/ReportLaunch.h"

#include <QString>

namespace Reports {

// "  Müsabaka İstatistik Raporu": the competition title dialog without its
// options, the typed title, today's date, the statistics of every category.
void istatistikRaporu(const ReportCaller& caller);

// What the results screen chose for the ranking list.
struct RankingListOptions {
    bool firstThree = true;     // "İlk 3'ü göster": places 1 to 4 (two thirds), else every placed athlete
    bool clubs = false;         // "Takım/Kulüp Göster": the club column on one page column
    QString title;              // the title, two lines (ActivityTitle), or empty
    QString category;           // the category filter: Brans ends with it (empty: every category)
};
// The results list over C_LISTE.Puan; false (after the message) when no
// athlete is placed.
bool dereceListesi(const ReportCaller& caller, const RankingListOptions& options);

// The ranking of teams over C_LISTE.Puan, with the modal preview.
// firstThree: only the first three rows of each section.
void puanlamaListesi(const ReportCaller& caller, bool firstThree, const QString& title);

}
