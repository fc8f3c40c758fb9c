#include "platform/db/SqlFunctions.h"
#include "reports/CompetitionReports.h"

#include "reports/ReportForm.h"
#include "app/kit/Formats.h"
#include "platform/ui/Messages.h"
#include "reports/Baslik1S.h"
#include "reports/PrintMenu1C.h"
#include "reports/PrintMenu2C.h"
#include "reports/PrintMenu2C1.h"
#include "reports/PrintScore.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace {

const char* const kWeighInGroups =
    "select Cinsiyet, Brans from C_LISTE %1group by Cinsiyet, Brans order by Cinsiyet desc, Brans";
const char* const kBoutGroups =
    "select Cinsiyet, Brans from C_KURA %1group by Cinsiyet, Brans order by Cinsiyet desc, Brans";

// The common end of a launch: the preview when the group query has rows,
// else the command's message.
bool previewIfRows(TReportForm& report, ReportQuery& groups, const ReportCaller& caller, const QString& empty)
{
    groups.open();
    if (groups.isEmpty()) {
        Messages::info(empty);
        return false;
    }
    ReportLaunch::preview(report, caller);
    return true;
}

// The title dialog as the weigh-in lists show it: both options offered, the
// title field read-only (only an activity gives the title).
void askWeighInTitle(const Reports::WeighInOptions& options)
{
    Baslik1S->CheckBox2->setVisible(true);
    Baslik1S->CheckBox3->setVisible(true);
    if (options.international)
        Baslik1S->CheckBox5->setVisible(true);
    if (options.gradeMode)
        Baslik1S->CheckBox3->setChecked(false);
    // The title comes from the activity picker; where the station hides the
    // picker, the operator types it.
    Baslik1S->Edit8->setReadOnly(!Baslik1S->DBLookupComboBox1->isHidden());
    Baslik1S->showModal();
    Baslik1S->Edit8->setReadOnly(false);
    if (options.international)
        Baslik1S->CheckBox5->setVisible(false);
}

void weighInLists(const ReportCaller& caller, const QString& where, const QVariantMap& params)
{
    TPrintMenu1C& r = *PrintMenu1C;
    CloseDataSetsAfter close{r};
    // The picked activity's composed title; without one, the typed title.
    r.QRLabel9->caption =
        Baslik1S->FActivityTitle.isEmpty() ? Baslik1S->Edit8->text() : Baslik1S->FActivityTitle;
    r.FFirstRow = 1;
    r.Query2.sql = QString(kWeighInGroups).arg(where);
    r.Query2.params = params;
    previewIfRows(r, r.Query2, caller, Reports::kNoAthletes);
}

// The bout lists after their checks: "Takım/Kulüp Gösterme" offered, the
// typed title, today's date.
void boutLists(const ReportCaller& caller, const QString& where, const QVariantMap& params)
{
    Baslik1S->CheckBox2->setVisible(false);
    Baslik1S->CheckBox3->setVisible(true);
    Baslik1S->showModal();

    TPrintMenu2C& r = *PrintMenu2C;
    CloseDataSetsAfter close{r};
    r.QRLabel9->caption = Baslik1S->Edit8->text();
    r.QRLabel12->caption = Formats::dateToStr(Reports::today());
    r.FFirstRow = 1;
    r.Query2.sql = QString(kBoutGroups).arg(where);
    r.Query2.params = params;
    previewIfRows(r, r.Query2, caller, Reports::kNoBoutLists);
}

// The ring lists after the date check; the date is read after the title
// dialog, so a date picked there counts.
bool ringLists(const ReportCaller& caller, const std::function<QString()>& dateText, const QString& ringWord)
{
    Baslik1S->CheckBox2->setVisible(false);
    Baslik1S->CheckBox3->setVisible(false);
    Baslik1S->showModal();

    TPrintMenu2C1& r = *PrintMenu2C1;
    CloseDataSetsAfter close{r};
    r.QRLabel9->caption = Baslik1S->Edit8->text();
    r.FFirstRow = 1;
    const QString date = dateText();
    r.Query2.sql = "select Tar_Saat from C_KURA where Tar_Saat <> '' and Tar_Saat like :Gun "
                   "group by Tar_Saat order by Tar_Saat";
    r.Query2.params = {{"Gun", SqlFunctions::likeLiteral(date) + "%"}};
    return previewIfRows(r, r.Query2, caller, Reports::noRingListText(date, ringWord));
}

// The score sheets after their checks: no options, the typed title (an
// empty one keeps the title of the previous run, the report's own on the
// first), the section query of the scope.
void scoreSheets(const ReportCaller& caller, const QString& sql, const QVariantMap& params)
{
    Baslik1S->CheckBox2->setVisible(false);
    Baslik1S->CheckBox3->setVisible(false);
    Baslik1S->showModal();

    TPrintScore& r = *PrintScore;
    CloseDataSetsAfter close{r};
    if (!Baslik1S->Edit8->text().isEmpty())
        r.QRLabel9->caption = Baslik1S->Edit8->text();
    r.Query2.close();
    r.Query2.sql = sql;
    r.Query2.params = params;
    if (!previewIfRows(r, r.Query2, caller, Reports::kNoResults))
        return;
    if (!r.FUnreadBouts.isEmpty())
        Messages::warning("Round Kaydı Okunamayan Müsabakalar: " + r.FUnreadBouts.join(", ") + " ...!");
}

// The empty date mask "  .  .    ".
bool isEmptyDate(const QString& text)
{
    QString rest = text;
    rest.remove('.');
    return rest.trimmed().isEmpty();
}

// A category's bout list is open on the match screen and holds a bout;
// otherwise the operator is told which is missing.
bool boutsChosen(bool listOpen, const QVariant& kuraKey)
{
    if (!listOpen) {
        Messages::info(Reports::kChooseBranch);
        return false;
    }
    if (kuraKey.isNull() || !kuraKey.isValid()) {
        Messages::info(Reports::kNoBoutsInBranch);
        return false;
    }
    return true;
}

} // namespace

QString Reports::noRingListText(const QString& dateText, const QString& ringWord)
{
    return dateText + " TARİHLİ " + ringWord + " DAĞILIM LİSTESİ BULUNMAMAKTADIR ...!";
}

void Reports::tartiListeleri(const ReportCaller& caller)
{
    askWeighInTitle(WeighInOptions{});
    weighInLists(caller, QString(), {});
}

void Reports::tartiListeleriKategori(const ReportCaller& caller, const QString& category,
                                     const WeighInOptions& options)
{
    askWeighInTitle(options);
    if (category.isEmpty())
        weighInLists(caller, QString(), {});
    else
        weighInLists(caller, "where Brans like :Kategori ", {{"Kategori", "%" + SqlFunctions::likeLiteral(category) + "%"}});
}

void Reports::tartiListesi(const ReportCaller& caller, const WeighInClass& list, const WeighInOptions& options)
{
    if (!list.listOpen) {
        Messages::info(kChooseBranch);
        return;
    }
    if (!list.hasAthlete) {
        Messages::info(kNoAthleteInBranch);
        return;
    }
    askWeighInTitle(options);
    weighInLists(caller, "where Brans = :Brans and Cinsiyet = :Cinsiyet ",
                 {{"Brans", list.brans}, {"Cinsiyet", list.cinsiyet}});
}

void Reports::kuraListeleri(const ReportCaller& caller)
{
    boutLists(caller, QString(), {});
}

void Reports::kuraListesi(const ReportCaller& caller, bool listOpen, const QVariant& kuraKey, const QString& brans,
                          const QString& cinsiyet)
{
    if (!boutsChosen(listOpen, kuraKey))
        return;
    boutLists(caller, "where Brans = :Brans and Cinsiyet = :Cinsiyet ", {{"Brans", brans}, {"Cinsiyet", cinsiyet}});
}

void Reports::ringlereDagilimListesi(const ReportCaller& caller, const QString& ringWord)
{
    QWidget* dateControls[] = {Baslik1S->Label4, Baslik1S->DateTimePicker1, Baslik1S->MaskEdit1};
    for (QWidget* w : dateControls)
        w->setVisible(true);
    struct HideAfter {
        QWidget* const* controls;
        ~HideAfter()
        {
            for (int i = 0; i < 3; ++i)
                controls[i]->setVisible(false);
        }
    } hide{dateControls};

    if (isEmptyDate(Baslik1S->MaskEdit1->text())) {
        Messages::error(kChooseDate);
        return;
    }
    ringLists(caller, [] { return Baslik1S->MaskEdit1->text(); }, ringWord);
}

bool Reports::ringListesi(const ReportCaller& caller, const QString& dateText, const QString& ringWord)
{
    if (isEmptyDate(dateText)) {
        Messages::error(kChooseDate);
        return false;
    }
    return ringLists(caller, [dateText] { return dateText; }, ringWord);
}

void Reports::skoreRaporu(const ReportCaller& caller, bool listOpen, const QVariant& kuraKey, const QString& brans,
                          const QString& cinsiyet)
{
    if (!boutsChosen(listOpen, kuraKey))
        return;
    if (PrintScore->FScope == 2)
        scoreSheets(caller, "select Kura_Key from C_KURA where Kura_Key = :Kura_Key", {{"Kura_Key", kuraKey}});
    else
        scoreSheets(caller, QString(kBoutGroups).arg("where Brans = :Brans and Cinsiyet = :Cinsiyet "),
                    {{"Brans", brans}, {"Cinsiyet", cinsiyet}});
}

void Reports::sonucListeleri(const ReportCaller& caller)
{
    PrintScore->FScope = 3;
    scoreSheets(caller, "select Cinsiyet, Brans from C_KURA order by Cinsiyet desc, Brans", {});
}
