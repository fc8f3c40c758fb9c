#include "platform/db/SqlFunctions.h"
#include "reports/ResultsReports.h"

#include "reports/ReportForm.h"
#include "app/kit/Formats.h"
#include "platform/ui/Messages.h"
#include "reports/Baslik1S.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintMenu1E.h"
#include "reports/PrintMenu3.h"
#include "reports/RapTakimList.h"

#include <QCheckBox>
#include <QLineEdit>

void Reports::istatistikRaporu(const ReportCaller& caller)
{
    Baslik1S->CheckBox2->setVisible(false);
    Baslik1S->CheckBox3->setVisible(false);
    Baslik1S->showModal();

    TPrintMenu3& r = *PrintMenu3;
    CloseDataSetsAfter close{r};
    r.QRLabel9->caption = Baslik1S->Edit8->text();
    r.QRLabel12->caption = Formats::dateToStr(Reports::today());
    r.FFirstRow = 1;
    r.Query2.sql = "select Cinsiyet, Brans from C_LISTE group by Cinsiyet, Brans order by Cinsiyet desc, Brans";
    r.Query2.params.clear();
    r.Query2.open();
    if (r.Query2.isEmpty()) {
        Messages::info(kNoAthletes);
        return;
    }
    ReportLaunch::preview(r, caller);
}

bool Reports::dereceListesi(const ReportCaller& caller, const RankingListOptions& o)
{
    TPrintMenu1E& r = *PrintMenu1E;
    CloseDataSetsAfter close{r};
    r.FPlaceFilter = o.firstThree ? TPrintMenu1E::kFirstThree : TPrintMenu1E::kEveryPlace;
    r.QRLabel9->caption = o.title;
    r.setClubColumn(o.clubs);
    r.FFirstRow = 1;
    QString sql = "select Cinsiyet, Brans from C_LISTE where puan " + r.FPlaceFilter;
    r.Query2.params.clear();
    if (!o.category.isEmpty()) {
        sql += " and Brans like :Kategori";
        r.Query2.params.insert("Kategori", "%" + SqlFunctions::likeLiteral(o.category));
    }
    r.Query2.sql = sql + " group by Cinsiyet, Brans order by Cinsiyet desc, Brans";
    r.Query2.open();
    if (r.Query2.isEmpty()) {
        Messages::warning(kNoAthletes);
        return false;
    }
    ReportLaunch::preview(r, caller);
    return true;
}

void Reports::puanlamaListesi(const ReportCaller& caller, bool firstThree, const QString& title)
{
    TRapTakimList& r = *RapTakimList;
    r.FShowAll = firstThree ? 0 : 1;
    r.QRLabel9->caption = title;
    r.FFirstRow = 1;
    r.FRowNo = 0;
    ReportLaunch::preview(r, caller, ReportLaunch::Kind::Modal);
}
