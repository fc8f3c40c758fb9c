#include "reports/RegistryReports.h"

#include "reports/ReportForm.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Messages.h"
#include "reports/Baslik1.h"
#include "reports/Baslik2.h"
#include "reports/Baslik4.h"
#include "reports/PrintMenu1.h"
#include "reports/PrintMenu196.h"
#include "reports/PrintMenu197.h"
#include "reports/PrintMenu199.h"
#include "reports/PrintMenu19.h"
#include "reports/PrintMenu1A.h"
#include "reports/PrintMenu1D.h"
#include "reports/PrintMenu1S.h"
#include "reports/PrintMenu1_1.h"
#include "reports/PrintMenu2.h"
#include "reports/PrintMenu4.h"
#include "reports/PrintMenuCA1.h"
#include "reports/PrintMenuCF1.h"
#include "reports/PrintMenuCS1.h"
#include "reports/PrintMenuMil.h"
#include "reports/RapHakList.h"

#include <QFile>
#include <QLineEdit>
#include <QSaveFile>

using ReportLaunch::RegistrySelection;

namespace {


QString askTitle(TBaslik1* dialog)
{
    dialog->showModal();
    return dialog->Edit8->text();
}

// The title of TBaslik2, or the sport's name + `suffix` when it is empty.
QString sheetTitle(const QString& suffix)
{
    const QString title = askTitle(Baslik2);
    return title.isEmpty() ? Reports::sportName() + suffix : title;
}

QString todayText()
{
    return Formats::dateToStr(Reports::today());
}

// Steps 4 to 7: restart, the main dataset's statement, open, preview.
void run(TReportForm& report, ReportQuery& query, const QString& sql, const QVariantMap& params,
         const ReportCaller& caller, ReportLaunch::Kind kind = ReportLaunch::Kind::Waiting)
{
    CloseDataSetsAfter close{report};
    report.FFirstRow = 1;
    query.sql = sql;
    query.params = params;
    query.open();
    ReportLaunch::preview(report, caller, kind);
}

// The CSV lists' end: the line buffer saved as the list file.
bool writeListCsv(const CsvRows& rows)
{
    QString why;
    if (Csv::writeFile(DriveMap::toHost(Reports::kListCsv), rows, &why))
        return true;
    Messages::error(QString("Liste dosyası yazılamadı ...!\n") + Reports::kListCsv + "\n" + why);
    return false;
}

bool csvList(TCsvList& report, const QString& suffix, const ReportCaller& caller, const RegistrySelection& s)
{
    report.QRLabel9->caption = sheetTitle(suffix);
    run(report, report.Query1, ReportLaunch::sheetQuery(s, QString(), "Soyadi, Adi"), s.params, caller);
    return writeListCsv(report.Memo1);
}

void regionCount(TRegionCountList& report, const ReportCaller& caller, const RegistrySelection& s)
{
    report.QRLabel9->caption = askTitle(Baslik1);
    report.FFirstRow = 1;
    report.FRowNo = 0;
    report.Query1.sql = report.statement(s.whereClause);
    report.Query1.params = s.params;
    ReportLaunch::preview(report, caller, ReportLaunch::Kind::Modal);
}

// The club statement with the selected clubs and the order.
QString clubQuery(const Reports::ClubSelection& s, const QString& extra = QString())
{
    QString sql = s.listSql + extra;
    if (!s.selectedKeys.isEmpty())
        sql += " and Durum_Key in (" + ReportLaunch::keyList(s.selectedKeys) + ")";
    return sql + " order by " + s.orderBy;
}

void letter(TLetterForm& report, const Reports::LetterHeader& header, bool withAddress)
{
    report.setAddressBlock(withAddress);
    report.QRLabel10->caption = todayText();
    report.FLetterFile = header.letterFile;
    report.QRLabel9->caption = header.subject.isEmpty() ? QString() : "Konu : " + header.subject;
    report.QRLabel1->caption = header.number.isEmpty() ? QString() : "Sayı : " + header.number;
    report.QRLabel7->caption = header.dateText;
    report.QRLabel2->caption = header.title;
}

} // namespace

// --- Record sheets --------------------------------------------------------------

void Reports::sicilDokumu(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenu1S& r = *PrintMenu1S;
    r.QRLabel9->caption = sheetTitle(" SİCİL BİLGİLERİ");
    r.QRLabel42->caption = todayText();
    r.FRowNo = 0;
    run(r, r.Query1, ReportLaunch::sheetQuery(s), s.params, caller);
}

void Reports::sicilDokumuKisi(const ReportCaller& caller, int personKey, const QString& title, const QString& date)
{
    TPrintMenu1S& r = *PrintMenu1S;
    r.QRLabel9->caption = title;
    r.QRLabel42->caption = date;
    r.FRowNo = 0;
    run(r, r.Query1, "select * from C_MUSTERI where Musteri_key = :Kisi", {{"Kisi", personKey}}, caller);
}

// --- Person lists ---------------------------------------------------------------------

void Reports::genelListe(const ReportCaller& caller, const RegistrySelection& s, const QString& activityFilter,
                         const QString& emailFilter)
{
    TPrintMenu4& r = *PrintMenu4;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = todayText();
    r.FActivityFilter = activityFilter;
    r.setEmailColumn(!emailFilter.isEmpty());
    run(r, r.Query1, ReportLaunch::listQuery(s), s.params, caller);
}

void Reports::genelListeAdresli(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenu1& r = *PrintMenu1;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = todayText();
    run(r, r.Query1, ReportLaunch::listQuery(s), s.params, caller);
}

void Reports::genelListeUnvanTarihli(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenu2& r = *PrintMenu2;
    r.QRLabel9->caption = askTitle(Baslik4);
    r.QRLabel10->caption = todayText();
    run(r, r.Query1, ReportLaunch::listQuery(s, QString(), Baslik4->sortColumn()), s.params, caller);
}

void Reports::genelListeKulup(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenu1_1& r = *PrintMenu1_1;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = todayText();
    run(r, r.Query1, ReportLaunch::listQuery(s), s.params, caller);
}

void Reports::sporcuListesi(const ReportCaller& caller, const RegistrySelection& s, const QString& categoryFilter)
{
    TPrintMenu1A& r = *PrintMenu1A;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = sportName() + " SPORCU LİSTESİ";
    r.QRLabel12->caption = categoryFilter;
    run(r, r.Query1, ReportLaunch::listQuery(s, "E50 <> ''"), s.params, caller);
}

QString Reports::countFilterOf(const QString& participation)
{
    if (participation == "YARIŞACAK")
        return ">0";
    if (participation == "YARIŞMAYACAK")
        return "=0";
    return ">=0";
}

void Reports::bransDagilimi(const ReportCaller& caller, const QString& countFilter)
{
    TPrintMenu1D& r = *PrintMenu1D;
    CloseDataSetsAfter close{r};
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel12->caption = todayText();
    r.FCountFilter = countFilter;
    r.FFirstRow = 1;
    r.Query2.sql = TPrintMenu1D::kMenCategories;
    r.Query4.sql = TPrintMenu1D::kWomenCategories;
    r.Query2.open();
    r.Query4.open();
    if (r.Query2.isEmpty() && r.Query4.isEmpty()) {
        Messages::info(kNoAthletesFound);
        return;
    }
    ReportLaunch::preview(r, caller);
}

void Reports::millilikDiplomasi(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenuMil& r = *PrintMenuMil;
    CloseDataSetsAfter close{r};
    const QString extra = "(E74 <> '' or M9 is not null)";
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = todayText();
    r.FFirstRow = 1;
    r.Query1.sql = ReportLaunch::listQuery(s, extra, "M9");
    r.Query1.params = s.params;
    r.Query2.sql = "SELECT Count(*) AS SaySNO, Year(C_MUSTERI.M9) AS Yil FROM C_MUSTERI" + s.whereClause +
                   ReportLaunch::narrowing(s, "Musteri_Key", extra) +
                   " GROUP BY Year(C_MUSTERI.M9) order by Year(C_MUSTERI.M9)";
    r.Query2.params = s.params;
    r.Query1.open();
    r.Query2.open();
    ReportLaunch::preview(r, caller);
}

// --- Counts and clubs ---------------------------------------------------------------------

void Reports::kulupBazindaSporcuSayilari(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenu197& r = *PrintMenu197;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = "KULÜP BAZINDA SPORCU SAYILARI";
    const QString sql = "SELECT Count(*) AS Sayi, E16 AS Durum from C_MUSTERI " + s.whereClause +
                        (s.hasWhere ? " and " : " where ") + "E16<>'SERBEST'" +
                        (s.selectedKeys.isEmpty()
                             ? QString()
                             : " and Musteri_Key in (" + ReportLaunch::keyList(s.selectedKeys) + ")") +
                        " Group by E16 Order By E16";
    run(r, r.Query1, sql, s.params, caller);
}

void Reports::bolgeHakemListesi(const ReportCaller& caller, const RegistrySelection& s)
{
    regionCount(*RapHakList, caller, s);
}

void Reports::bolgeAntrenorListesi(const ReportCaller& caller, const RegistrySelection& s)
{
    regionCount(*RapAntList, caller, s);
}

void Reports::bolgeKusakListesi(const ReportCaller& caller, const RegistrySelection& s)
{
    regionCount(*RapDanList, caller, s);
}

void Reports::kulupListesi(const ReportCaller& caller, const ClubSelection& s)
{
    TPrintMenu196& r = *PrintMenu196;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = "KULÜP LİSTESİ";
    run(r, r.Query1, clubQuery(s), s.params, caller);
}

void Reports::kulupSporcuSayilari(const ReportCaller& caller, const ClubSelection& s)
{
    TPrintMenu197& r = *PrintMenu197;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = "KULÜP SPORCU SAYILARI";
    // The clubs screen's filter works on the clubs alone (the persons share
    // column names with them), inside a sub-select.
    QString sql = "SELECT Count(*) AS Sayi, C.Durum AS Durum, C.E1 AS E1 FROM (select * from C_UYELIKSURESI "
                  "where Durum_Key>1" +
                  s.filter +
                  ") AS C LEFT JOIN C_MUSTERI ON C.Durum = C_MUSTERI.E16 "
                  "where C_MUSTERI.E16 <> '' and C.Durum<>'SERBEST'";
    if (!s.selectedKeys.isEmpty())
        sql += " and C.Durum_Key in (" + ReportLaunch::keyList(s.selectedKeys) + ")";
    sql += " GROUP BY C.Durum, C.E1 order by C.Durum";
    run(r, r.Query1, sql, s.params, caller);
}

// --- CSV lists ---------------------------------------------------------------------------------

bool Reports::antrenorRapor(const ReportCaller& caller, const RegistrySelection& s)
{
    return csvList(*PrintMenuCA1, " ANTRENÖR BİLGİLERİ", caller, s);
}

bool Reports::sporcuRapor(const ReportCaller& caller, const RegistrySelection& s)
{
    return csvList(*PrintMenuCS1, " SPORCU BİLGİLERİ", caller, s);
}

bool Reports::hakemRapor(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenuCF1& r = *PrintMenuCF1;
    r.QRLabel10->caption = todayText();
    return csvList(r, " HAKEM BİLGİLERİ", caller, s);
}

void Reports::ciftlerListesi(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenuCF1& r = *PrintMenuCF1;
    r.QRLabel9->caption = askTitle(Baslik1);
    r.QRLabel10->caption = todayText();
    run(r, r.Query1, ReportLaunch::listQuery(s, "E25 <> ''"), s.params, caller);
}

bool Reports::saveListCsvCopy()
{
    QString folder = Dialogs::chooseFolder(kChooseCsvFolder);
    if (folder.isEmpty())
        return false;
    const QString target = DriveMap::toHost(folder) + "/" + kListCsvCopyName;
    QFile source(DriveMap::toHost(kListCsv));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // Written under a temporary name and renamed: a failed copy leaves the
    // old file as it was.
    QSaveFile copy(target);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(source.readAll()) < 0 || !copy.commit())
        return false;
    Shell::show(target);
    return true;
}

// --- Letters and labels ---------------------------------------------------------------------------

void Reports::mektup(const ReportCaller& caller, const RegistrySelection& s, const LetterHeader& header,
                     bool withAddress)
{
    TPrintMenu19& r = *PrintMenu19;
    letter(r, header, withAddress);
    run(r, r.Query1, ReportLaunch::listQuery(s), s.params, caller);
}

void Reports::etiket(const ReportCaller& caller, const RegistrySelection& s)
{
    TPrintMenu199& r = *PrintMenu199;
    run(r, r.Query1, ReportLaunch::listQuery(s, "Adres<>'' and Sokak<>''"), s.params, caller);
}

void Reports::kulupMektup(const ReportCaller& caller, const ClubSelection& s, const LetterHeader& header,
                          bool withAddress)
{
    TPrintMenu19S& r = *PrintMenu19S;
    letter(r, header, withAddress);
    run(r, r.Query1, clubQuery(s), s.params, caller);
}

void Reports::kulupEtiket(const ReportCaller& caller, const ClubSelection& s)
{
    TPrintMenu198& r = *PrintMenu198;
    run(r, r.Query1, clubQuery(s, " and Il<>'' and ((Sokak<>'') or (Cadde<>'') or (No1<>''))"), s.params, caller);
}

// --- Exam result document ------------------------------------------------------------------------------

void Reports::genelBelgeKisileri(const RegistrySelection& s)
{
    GenelBelge->Query1.sql = ReportLaunch::listQuery(s);
    GenelBelge->Query1.params = s.params;
}

void Reports::genelBelge(const ReportCaller& caller, const ExamDocumentTexts& texts, const ExamBands& bands)
{
    TGenelBelge& r = *GenelBelge;
    r.setTexts(texts);
    r.QRSubDetail2->enabled = bands.committee;
    r.QRSubDetail4->enabled = bands.payment;
    r.QRSubDetail5->enabled = bands.note;
    r.FFirstRow = 1;
    r.FRowNo = 0;
    ReportLaunch::preview(r, caller);
}
