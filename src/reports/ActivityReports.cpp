#include "reports/ActivityReports.h"

#include "platform/ui/Messages.h"
#include "reports/Baslik1.h"
#include "reports/OdaYaz.h"
#include "reports/RapTurnuva.h"

#include <QLineEdit>

namespace {

enum class Nouns { Athletes, Activities };

bool checks(const Reports::ActivitySelection& a, Nouns nouns)
{
    const bool activities = nouns == Nouns::Activities;
    return ReportLaunch::checkList(a.listOpen, a.hasRows, activities ? "Faaliyetleri" : "Sporcuları",
                                   activities ? "Faaliyet" : "Sporcu");
}

QString title(const Reports::ActivitySelection& a, bool prefill)
{
    if (prefill)
        Baslik1->Edit8->setText(a.title);
    Baslik1->showModal();
    return Baslik1->Edit8->text();
}

void run(TActivityReport& r, const Reports::ActivitySelection& a, const QString& heading, const QString& sql,
         const QVariantMap& extraParams, const ReportCaller& caller)
{
    r.QRLabel9->caption = heading;
    QVariantMap params = a.params;
    for (auto it = extraParams.constBegin(); it != extraParams.constEnd(); ++it)
        params.insert(it.key(), it.value());
    r.Query1.sql = sql;
    r.Query1.params = params;
    r.FFirstRow = 1;
    r.FRowNo = 0;
    ReportLaunch::preview(r, caller);
}

} // namespace

void Reports::rapTurnuva(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Athletes))
        return;
    const QString t = title(a, true);
    run(*RapTurnuva, a, t, a.listSql + " Order By " + a.orderBy, {}, caller);
}

void Reports::rapTurnuva1(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Activities))
        return;
    const QString t = title(a, false);
    run(*RapTurnuva1, a, t, TRapTurnuva1::statement(a.whereClause), {}, caller);
}

void Reports::rapTurnuva2(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Activities))
        return;
    const QString t = title(a, false);
    run(*RapTurnuva2, a, t, TRapTurnuva2::statement(a.whereClause), {}, caller);
}

void Reports::rapTurnuva3(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Activities))
        return;
    const QString t = title(a, false);
    run(*RapTurnuva3, a, t, TRapTurnuva3::statement(a.whereClause), {}, caller);
}

void Reports::rapTurnuvaH(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Athletes))
        return;
    const QString t = title(a, true);
    run(*RapTurnuvaH, a, t, a.listSql + " Order By " + a.orderBy, {}, caller);
}

void Reports::rapTurnuvaK(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Athletes))
        return;
    const QString t = title(a, true);
    run(*RapTurnuvaK, a, t, TRapTurnuvaK::statement(a.whereClause), TRapTurnuvaK::dutyParams(), caller);
}

void Reports::rapTurnuvaK1(const ReportCaller& caller, const ActivitySelection& a)
{
    if (!checks(a, Nouns::Athletes))
        return;
    const QString t = title(a, true);
    run(*RapTurnuvaK1, a, t, TRapTurnuvaK1::statement(a.whereClause), TRapTurnuvaK::dutyParams(), caller);
}

void Reports::rapTurnuvaC(const ReportCaller& caller, const ActivitySelection& a, bool byClub)
{
    if (!checks(a, Nouns::Athletes))
        return;
    if (a.gender.isEmpty()) {
        Messages::info(kChooseGender);
        return;
    }
    const QString t = title(a, true);
    run(*RapTurnuvaC, a, t, TRapTurnuvaC::statement(a.listSql, byClub), {}, caller);
}

QString Reports::askActivityListTitle()
{
    Baslik1->showModal();
    return Baslik1->Edit8->text();
}

void Reports::odaYaz(const ReportCaller& caller, const QString& title, const QString& sql)
{
    TOdaYaz& r = *OdaYaz;
    r.FTitle = title;
    r.Query1.sql = sql;
    r.Query1.params.clear();
    r.FRowNo = 0;
    ReportLaunch::preview(r, caller);
}
