#pragma once
// Launchers of the weigh-in, bout and ring lists, for the screens that print
// them: the main window, the weigh-in screen, the match screen and ring
// planning. Each does what the screen's command does: its checks, the
// competition title dialog with the options the command offers, the title
// into the report, the report's group query, and the waiting preview when
// the query has rows (ReportLaunch.h), or the command's message when it has
// none.
//
//   Reports::kuraListeleri(caller);   // "  Kura Listeleri" of the main window

#include "reports/ReportLaunch.h"

#include <QString>
#include <QVariant>

namespace Reports {

// Messages of the launchers.
inline constexpr const char* kNoAthletes = "Listelerde Herhangi bir Sporcu Bulunmamaktadır ...!";
inline constexpr const char* kNoBoutLists = "HERHANGİ BİR KURA LİSTESİ BULUNMAMAKTADIR ...!";
inline constexpr const char* kChooseBranch = "Lütfen Branş Seçiniz ...!";
inline constexpr const char* kNoAthleteInBranch = "Seçilen Branş Listesinde Sporcu Bulunmamaktadır ...!";
inline constexpr const char* kNoBoutsInBranch = "Seçilen Branşta KURA Listesi Bulunmamaktadır ...!";
inline constexpr const char* kChooseDate = "Lütfen Tarih Seçiniz ...!";
inline constexpr const char* kNoResults = "HERHANGİ BİR SONUÇ LİSTESİ BULUNMAMAKTADIR ...!";
// The ring list's message for a day without ring assignments.
QString noRingListText(const QString& dateText, const QString& ringWord);

// How the weigh-in screen offers the title dialog's options.
struct WeighInOptions {
    bool international = false;   // offer "Uluslar arası Müsabaka" (the weigh-in screen)
    bool gradeMode = false;       // tournament with grades: "Takım/Kulüp Gösterme" unticked
};

// Weigh-in lists of every class: "  Tartı Listeleri" of the main window.
void tartiListeleri(const ReportCaller& caller);

// Weigh-in lists of one category's classes ("Tartı Listeleri (" + category
// + ")" of the weigh-in screen), or of every class with an empty category
// ("Tartı Listeleri (TAMAMI)" of the weigh-in screen and of the match
// screen).
void tartiListeleriKategori(const ReportCaller& caller, const QString& category, const WeighInOptions& options);

// The weigh-in list of one class: "Tartı Listesi" of the weigh-in screen
// and of the match screen's weigh-in panel.
struct WeighInClass {
    bool listOpen = false;        // the accepted list is open
    bool hasAthlete = false;      // the accepted or the disqualified list has a current row
    QString brans;                // class and gender of the accepted list
    QString cinsiyet;
};
void tartiListesi(const ReportCaller& caller, const WeighInClass& list, const WeighInOptions& options);

// Bout lists of every class: "  Kura Listeleri" of the main window and
// "Kura Listeleri (Tamamı)" of the match screen.
void kuraListeleri(const ReportCaller& caller);

// The bout list of the match screen's class: "Kura Listesi". listOpen: the
// bout list is open; kuraKey: the current bout's Kura_Key (null when the
// class has no bouts).
void kuraListesi(const ReportCaller& caller, bool listOpen, const QVariant& kuraKey, const QString& brans,
                 const QString& cinsiyet);

// The ring lists of a day, dated in the title dialog: "Ringlere Dağılım
// Listesi" of the match screen. ringWord: "RİNG".
void ringlereDagilimListesi(const ReportCaller& caller, const QString& ringWord);

// The ring lists of the day dateText ("dd.mm.yyyy"): "Yazdır" of ring
// planning. Returns true when the lists were previewed (the screen then
// saves the report's Memo1).
bool ringListesi(const ReportCaller& caller, const QString& dateText, const QString& ringWord);

// The score sheets of the match screen, by the scope set in PrintScore->FScope
// just before: 1 the bouts of its class ("Müsabaka Sonuç Listeleri",
// "Raporlar"), 2 the current bout ("Sonuç Raporu", "Rapor"). listOpen: the
// bout list is open; kuraKey: the current bout's Kura_Key (null when the
// class has no bouts). The title dialog's title, also an empty one, becomes
// the sheet's title. After the preview the bouts whose round records could
// not all be read are named.
void skoreRaporu(const ReportCaller& caller, bool listOpen, const QVariant& kuraKey, const QString& brans,
                 const QString& cinsiyet);

// The score sheets of every bout: "  Müsabaka Sonuç Listeleri" of the main
// window (scope 3).
void sonucListeleri(const ReportCaller& caller);

}
