// The weigh-in screen's list reports: the class of the highlighted accepted
// row, or every list of the category.
#include "competition/WeighInFixture.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintMenu1C.h"

namespace {

class WeighInReports : public WeighInTest {};

TEST_F(WeighInReports, OneClassNeedsAnOpenListWithAnAthlete)
{
    open();
    screen->BitBtn3Click();
    EXPECT_EQ(ui().texts(), QStringList{Reports::kChooseBranch});
}

TEST_F(WeighInReports, EveryListOfTheCategoryIsPreviewedWhileTheScreenWaits)
{
    db.insert("C_LISTE", {{"Liste_Key", 1}, {"Brans", kMen70}, {"Cinsiyet", "ERKEK"}, {"Ad", "VELİ KAYA"}, {"Sira", 1},
                          {"Onay", 1}});
    open();
    modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    bool waited = false;
    modals().expect("ReportPreview", [&](QDialog* d) {
        waited = !screen->isEnabled() && screen->FInPreview == 1;
        d->close();
    });
    screen->ListelerTm1Click();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(screen->isEnabled());
    EXPECT_EQ(screen->FInPreview, 0);
    EXPECT_EQ(screen->FPreviewReport, PrintMenu1C);
}

TEST_F(WeighInReports, AClassWhoseRowsAreAllDisqualifiedStillPrints)
{
    db.insert("C_LISTE", {{"Liste_Key", 1}, {"Brans", kMen70}, {"Cinsiyet", "ERKEK"}, {"Ad", "VELİ KAYA"}, {"Sira", 1},
                          {"Onay", 0}});
    open();
    pick(screen->DBLookupComboBox2, kMen70);
    ASSERT_TRUE(screen->DBGrid2->isEmpty());
    modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    QStringList names;
    modals().expect("ReportPreview", [&names](QDialog* d) {
        for (const ReportPage& p : PrintMenu1C->ReportBody1.document()->pages)
            for (const ReportItem* i : p.findAll("QRDBText2"))
                names << i->text;
        d->close();
    });
    screen->BitBtn3Click();
    EXPECT_EQ(names, QStringList{"VELİ KAYA"});
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ");
}

} // namespace
