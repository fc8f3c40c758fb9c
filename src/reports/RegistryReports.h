#pragma once
// Launchers of the register's documents, for the screens that print them:
// the person search screen, the person editor, the clubs screen, the
// weigh-in screen's person search and the exam package screen. Each runs the
// launch contract (ReportLaunch.h) from the title dialog on: the caller has
// made its own checks (ReportLaunch::checkList) and gives its search as a
// RegistrySelection (the statement, condition, bound values, selected keys
// and order of its list); the launcher asks the title, fills the report,
// composes and opens its query and runs the preview.
//
//   ReportLaunch::RegistrySelection s{FReportSql, FWhereClause, FHasWhere, FSelectedKeys, FOrderBy, FParams};
//   if (ReportLaunch::checkList(open, hasKey, "Antrenörleri", "Antrenör") && Reports::antrenorRapor(caller, s))
//       Reports::saveListCsvCopy();

#include "reports/GenelBelge.h"
#include "reports/ReportLaunch.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace Reports {

// Messages.
inline constexpr const char* kSaveBeforePrint = "Yazıcı Dökümü Alabilmek için Bilgileri Kaydetmeniz Gerekmektedir ...!";
inline constexpr const char* kNoAthletesFound = "Sporcu Bulunamadı ...!";
inline constexpr const char* kChooseCsvFolder = "Lütfen Dosyayı Kaydedeceğiniz Yeri Seçiniz:";
// The CSV file the CSV lists write, and the name of its copy.
inline constexpr const char* kListCsv = "C:\\CO\\Liste2.csv";
inline constexpr const char* kListCsvCopyName = "Liste.csv";

// --- Record sheets -----------------------------------------------------------

// "Sicil Dökümü": the record sheets of the listed (or selected) persons in
// the list's order; title dialog TBaslik2, an empty title gives the sport's
// name + " SİCİL BİLGİLERİ".
void sicilDokumu(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// The person editor's "Rapor": the record sheet of the person saved as
// `personKey`, with the title and the date ("dd.mm.yyyy") the editor gives
// (the editor asks the title and refuses a person not saved yet).
void sicilDokumuKisi(const ReportCaller& caller, int personKey, const QString& title, const QString& date);

// --- Person lists --------------------------------------------------------------

// "Genel Liste": the general list. activityFilter: the search's activity
// ("Unvan" column); emailFilter: the search's e-mail filter (not empty: the
// last column is "E-Mail", else "Ceza").
void genelListe(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s, const QString& activityFilter,
                const QString& emailFilter);
// "Genel Liste (Adresli)".
void genelListeAdresli(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// "Genel Liste (Unvan Tarihli)": title dialog TBaslik4, in its chosen order.
void genelListeUnvanTarihli(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// "Genel Liste (Kulüp v.s.)".
void genelListeKulup(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// "SPORCU Listesi": the listed persons with an athlete status (E50), the
// category filter text printed at the right. The weigh-in screen gives its
// search as {FReportSql, "", true, "", FSearchOrder}.
void sporcuListesi(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s, const QString& categoryFilter);
// "Branşlara Göre SPORCU Dağılımı": every category's athletes; countFilter
// "=0", ">0" or ">=0" on Kullanici (participation). Independent of any
// search; kNoAthletesFound when no category exists.
void bransDagilimi(const ReportCaller& caller, const QString& countFilter);
// The participation filter of the search's "YARIŞACAK"/"YARIŞMAYACAK"
// field: ">0", "=0", or ">=0" when it is empty.
QString countFilterOf(const QString& participation);
// "Millilik Diploması": the persons with a national-team diploma, by its
// date, and the count per year.
void millilikDiplomasi(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);

// --- Counts and clubs -----------------------------------------------------------

// "Kulüp Bazında Sporcu Sayılari" of the person search: persons per club.
void kulupBazindaSporcuSayilari(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// "Bölge Bazında Hakem/Antrenör/Kuşak Listesi": counts per region (modal
// preview; the caller stays enabled and its activation runs afterwards).
void bolgeHakemListesi(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
void bolgeAntrenorListesi(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
void bolgeKusakListesi(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);

// The clubs screen's list: its statement ("select * from C_UYELIKSURESI
// where Durum_Key>1" + filter), the filter alone (empty or " and ..."), its
// bound values, the selected clubs' Durum_Key values (empty for none) and
// its order.
struct ClubSelection {
    QString listSql;
    QString filter;
    QVariantMap params;
    QString selectedKeys;
    QString orderBy;
};
// "Kulüp Listesi"/"Yazdır" of the clubs screen.
void kulupListesi(const ReportCaller& caller, const ClubSelection& s);
// "Sporcu Sayıları" of the clubs screen: persons per listed club.
void kulupSporcuSayilari(const ReportCaller& caller, const ClubSelection& s);

// --- CSV lists -------------------------------------------------------------------

// "Antrenör Rapor", "Sporcu Rapor", "Hakem Rapor": title dialog TBaslik2
// (empty: the sport's name + " ANTRENÖR BİLGİLERİ", " SPORCU BİLGİLERİ",
// " HAKEM BİLGİLERİ"), the list by surname and name, then its CSV file
// written to kListCsv. True when the file was written (an error box says
// why it was not).
bool antrenorRapor(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
bool sporcuRapor(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
bool hakemRapor(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// "Çiftler Listesi": the pairs list (persons with a partner name in E25),
// title dialog TBaslik1; no CSV file.
void ciftlerListesi(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// After a CSV list: asks for a folder, copies kListCsv there as
// kListCsvCopyName (the old copy is replaced only by a complete new one)
// and opens it. False when cancelled or when the copy failed.
bool saveListCsvCopy();

// --- Letters and labels ------------------------------------------------------------

// What the letter header dialog (TMetinIlave) gave.
struct LetterHeader {
    QString title;          // Edit8
    QString subject;        // Edit5
    QString number;         // Edit6
    QString dateText;       // Edit1
    QString letterFile;     // FLetterFile: "M" + key + ".rtf", or ""
};
// "Mektup (Adresli)" / "Mektup (Adressiz)" of the person search.
void mektup(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s, const LetterHeader& header,
            bool withAddress);
// "Etiket": labels of the listed persons that have both address lines.
void etiket(const ReportCaller& caller, const ReportLaunch::RegistrySelection& s);
// The clubs screen's letters and labels (clubs with a province and a
// street, avenue or number).
void kulupMektup(const ReportCaller& caller, const ClubSelection& s, const LetterHeader& header, bool withAddress);
void kulupEtiket(const ReportCaller& caller, const ClubSelection& s);

// --- Exam result document -----------------------------------------------------------

// The person search's "GIP İmtihan Listesi Oluştur": the document's persons
// are the listed (or selected) ones in the list's order.
void genelBelgeKisileri(const ReportLaunch::RegistrySelection& s);
// The exam package screen: the document with its texts and bands, over the
// persons set before, in the preview.
struct ExamBands {
    bool committee = true;
    bool payment = false;
    bool note = true;
};
void genelBelge(const ReportCaller& caller, const ExamDocumentTexts& texts, const ExamBands& bands);

}
