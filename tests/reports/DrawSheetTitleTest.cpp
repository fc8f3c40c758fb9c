// The draw-sheet title dialog of the bracket charts: its options, the
// activity it opens on (none beside an empty title line, the earlier one
// beside a title left from an earlier run), and the activity title "Tamam"
// composes for periods within a month, across months and across a year's
// end.
#include "ReportsFixture.h"

#include "app/kit/ReservedRows.h"
#include "reports/Baslik3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class DrawSheetTitle : public ReportsTest {
protected:
    void addDrawSheetActivity(int key, const char* name, const char* place, QDate from, QDate to)
    {
        db.insert("C_TURNUVA", {{"Turnuva_Key", key}, {"Adi", name}, {"Yer", place}, {"Tarih1", from},
                                {"Tarih2", to}});
    }

    // Shows the dialog, types the title line (when not read-only), picks
    // the activity and presses "Tamam".
    void runDrawSheetTitle(const QString& typed, int activityKey)
    {
        modals().expect("TBaslik3", [typed, activityKey](QDialog* d) {
            auto* picker = Baslik3->DBLookupComboBox1;
            if (activityKey != 0) {
                picker->setCurrentIndex(picker->findData(activityKey));
                emit picker->activated(picker->currentIndex());
            }
            if (!typed.isNull())
                Baslik3->Edit8->setText(typed);
            click(d->findChild<QWidget*>("BitBtn4"));
        });
        Baslik3->showModal();
    }
};

TEST_F(DrawSheetTitle, DesignAndOptions)
{
    TBaslik3* d = Baslik3;
    EXPECT_EQ(d->windowTitle(), "Rapor Başlığı Girişi");
    const std::vector<std::tuple<QCheckBox*, const char*, bool, bool>> boxes = {
        {d->CheckBox1, "Kura Tablosunda Bölge Yaz", true, true},
        {d->CheckBox2, "Kulüp Yaz", false, true},
        {d->CheckBox3, "Çizelge Tek Sayfaya Sığmıyorsa 2'ye Böl", true, false},
        {d->CheckBox4, "Sırt Numarası Yaz", false, true},
        {d->CheckBox5, "Puan Yaz", false, true},
        {d->CheckBox6, "Uluslar arası Müsabaka", false, true}};
    for (const auto& [box, caption, checked, visible] : boxes) {
        EXPECT_EQ(box->text(), QString::fromUtf8(caption));
        EXPECT_EQ(box->isChecked(), checked) << caption;
        EXPECT_EQ(box->isVisibleTo(d), visible) << caption;
    }
    EXPECT_EQ(d->BitBtn4->text(), "Tamam");
    EXPECT_EQ(d->findChildren<QPushButton*>().size(), 1) << "no cancel";

    d->CheckBox1->setChecked(false);
    d->CheckBox2->setChecked(true);
    d->CheckBox4->setChecked(true);
    d->CheckBox6->setChecked(true);
    const BracketChart::Options o = d->options();
    EXPECT_FALSE(o.region);
    EXPECT_TRUE(o.club);
    EXPECT_TRUE(o.drawNumbers);
    EXPECT_FALSE(o.points);
    EXPECT_TRUE(o.international);
}

TEST_F(DrawSheetTitle, ActivitiesNewestFirstAndThePickCopiedIntoTheTitle)
{
    addDrawSheetActivity(5, "ŞAMPİYONA", "ANKARA", {2010, 3, 5}, {2010, 3, 7});
    addDrawSheetActivity(6, "KUPA", "İZMİR", {2011, 5, 1}, {2011, 5, 2});
    modals().expect("TBaslik3", [](QDialog* d) {
        auto* picker = Baslik3->DBLookupComboBox1;
        ASSERT_GE(picker->count(), 2);
        EXPECT_EQ(picker->itemData(0).toInt(), 6);
        EXPECT_EQ(picker->itemData(1).toInt(), 5);
        EXPECT_TRUE(picker->itemText(1).startsWith("05.03.2010-07.03.2010 ANKARA ŞAMPİYONA /"));
        EXPECT_EQ(d->focusWidget(), Baslik3->Edit8);
        picker->setCurrentIndex(1);
        emit picker->activated(1);
        EXPECT_EQ(Baslik3->Edit8->text(), picker->currentText());
        // A click on "Başlık" empties the title line.
        Baslik3->Label15Click();
        EXPECT_TRUE(Baslik3->Edit8->text().isEmpty());
        d->close();
    });
    Baslik3->showModal();
    EXPECT_TRUE(Baslik3->Query2.isEmpty()) << "the activities close with the dialog";
}

TEST_F(DrawSheetTitle, OpensWithNoActivityBesideAnEmptyTitleLine)
{
    // An empty title line composes no title: no activity shows as chosen,
    // however many there are.
    addDrawSheetActivity(5, "ŞAMPİYONA", "ANKARA", {2010, 3, 5}, {2010, 3, 7});
    addDrawSheetActivity(6, "KUPA", "İZMİR", {2011, 5, 1}, {2011, 5, 2});
    modals().expect("TBaslik3", [](QDialog* d) {
        EXPECT_TRUE(Baslik3->Edit8->text().isEmpty());
        EXPECT_EQ(Baslik3->DBLookupComboBox1->count(), 3);
        EXPECT_EQ(Baslik3->DBLookupComboBox1->currentIndex(), -1);
        EXPECT_TRUE(Baslik3->DBLookupComboBox1->currentText().isEmpty());
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik3->FActivityTitle = "EARLIER";
    Baslik3->showModal();
    EXPECT_TRUE(Baslik3->FActivityTitle.isEmpty());
}

// The dialog opened a second time: a title line left from the first run
// keeps the activity it came from, while that activity is there.
struct DrawSheetReopenCase {
    const char* name;
    const char* typed;       // typed after the pick in the first run (nullptr: none)
    int picked;              // the activity picked in the first run (0: none)
    bool emptied;            // "Başlık" clicked before "Tamam" of the first run
    bool activityGone;       // the activity deleted between the runs
    int chosen;              // the activity chosen as the dialog opens again (0: none)
    const char* title;       // "Tamam" of the second run composes ("" none; "=" the title line)
};

void PrintTo(const DrawSheetReopenCase& c, std::ostream* os)
{
    *os << c.name;
}

class DrawSheetReopen : public DrawSheetTitle, public ::testing::WithParamInterface<DrawSheetReopenCase> {};

TEST_P(DrawSheetReopen, KeepsTheActivityOfATitleLeftFromTheFirstRun)
{
    const DrawSheetReopenCase& c = GetParam();
    addDrawSheetActivity(5, "X", "Y", {2010, 3, 5}, {2010, 3, 7});
    addDrawSheetActivity(6, "KUPA", "İZMİR", {2011, 5, 1}, {2011, 5, 2});
    modals().expect("TBaslik3", [&c](QDialog* d) {
        auto* picker = Baslik3->DBLookupComboBox1;
        if (c.picked != 0) {
            picker->setCurrentIndex(picker->findData(c.picked));
            emit picker->activated(picker->currentIndex());
        }
        if (c.typed)
            Baslik3->Edit8->setText(QString::fromUtf8(c.typed));
        if (c.emptied)
            Baslik3->Label15Click();
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik3->showModal();
    if (c.activityGone)
        db.exec("delete * from C_TURNUVA where Turnuva_Key = 5");

    const QString left = Baslik3->Edit8->text();
    modals().expect("TBaslik3", [&c, left](QDialog* d) {
        EXPECT_EQ(Baslik3->Edit8->text(), left) << "the title line stays";
        auto* picker = Baslik3->DBLookupComboBox1;
        if (c.chosen == 0) {
            EXPECT_EQ(picker->currentIndex(), -1);
            EXPECT_TRUE(picker->currentText().isEmpty());
        } else {
            EXPECT_EQ(picker->currentData().toInt(), c.chosen);
        }
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik3->showModal();
    const QString title = QString::fromUtf8(c.title);
    EXPECT_EQ(Baslik3->FActivityTitle, title == "=" ? left : title);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, DrawSheetReopen,
    ::testing::Values(DrawSheetReopenCase{"PickedActivity", nullptr, 5, false, false, 5, "X\n05 - 07 MART 2010  Y"},
                      DrawSheetReopenCase{"PickedAndRetyped", "İL ŞAMPİYONASI", 5, false, false, 5,
                                          "X\n05 - 07 MART 2010  Y"},
                      DrawSheetReopenCase{"TitleEmptied", nullptr, 5, true, false, 0, ""},
                      // The title line stays as it was shown and prints as it stands.
                      DrawSheetReopenCase{"ActivityGone", nullptr, 5, false, true, 0, "="},
                      DrawSheetReopenCase{"TypedWithoutActivity", "İL ŞAMPİYONASI", 0, false, false, 0,
                                          "İL ŞAMPİYONASI"}),
    [](const ::testing::TestParamInfo<DrawSheetReopenCase>& info) { return std::string(info.param.name); });

struct DrawSheetPeriodCase {
    const char* name;
    QDate from, to;
    bool international;
    const char* second;   // the title's second line
};

class DrawSheetPeriod : public DrawSheetTitle, public ::testing::WithParamInterface<DrawSheetPeriodCase> {};

TEST_P(DrawSheetPeriod, TamamComposesTheActivityTitle)
{
    const DrawSheetPeriodCase& c = GetParam();
    addDrawSheetActivity(5, "X", "Y", c.from, c.to);
    Baslik3->CheckBox6->setChecked(c.international);
    runDrawSheetTitle(QString(), 5);
    EXPECT_EQ(Baslik3->FActivityTitle, "X\n" + QString::fromUtf8(c.second) + "  Y");
    Baslik3->CheckBox6->setChecked(false);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, DrawSheetPeriod,
    ::testing::Values(
        DrawSheetPeriodCase{"WithinAMonth", {2010, 3, 5}, {2010, 3, 7}, false, "05 - 07 MART 2010"},
        DrawSheetPeriodCase{"AcrossMonths", {2010, 3, 30}, {2010, 4, 2}, false, "30 MART  - 02 NİSAN 2010"},
        DrawSheetPeriodCase{"AcrossMonthsInEnglish", {2010, 3, 30}, {2010, 4, 2}, true, "30 MARCH  - 02 APRIL 2010"},
        // Over a year's end both years stay, also in the same month number.
        DrawSheetPeriodCase{"AcrossAYearsEnd", {2010, 12, 28}, {2011, 1, 2}, false,
                            "28 ARALIK 2010  - 02 OCAK 2011"},
        DrawSheetPeriodCase{"SameMonthOfTwoYears", {2010, 3, 5}, {2011, 3, 7}, false, "05 MART 2010  - 07 MART 2011"},
        DrawSheetPeriodCase{"OneDay", {2010, 8, 1}, {2010, 8, 1}, false, "01 - 01 AĞUSTOS 2010"}),
    [](const ::testing::TestParamInfo<DrawSheetPeriodCase>& info) { return std::string(info.param.name); });

TEST_F(DrawSheetTitle, AnEmptyTitleLineGivesNoActivityTitle)
{
    addDrawSheetActivity(5, "X", "Y", {2010, 3, 5}, {2010, 3, 7});
    runDrawSheetTitle("ELLE YAZILAN", 5);
    EXPECT_FALSE(Baslik3->FActivityTitle.isEmpty());
    runDrawSheetTitle("", 5);
    EXPECT_TRUE(Baslik3->FActivityTitle.isEmpty()) << "even with an activity chosen";
}

TEST(DrawSheetTitleCompose, WithoutAnActivityTheTitleIsTheLineAsTyped)
{
    EXPECT_EQ(TBaslik3::composeTitle("BAŞLIK", nullptr, false), "BAŞLIK");
    EXPECT_TRUE(TBaslik3::composeTitle("", nullptr, false).isEmpty());
}

TEST_F(DrawSheetTitle, ATypedTitleWithoutActivitiesIsTheChartsTitle)
{
    // A new station has no activity, only the penalties' row, which the
    // list shows: the landscape and repechage charts print the title the
    // operator typed.
    runDrawSheetTitle(QString::fromUtf8("TÜRKİYE KİCK BOKS ŞAMPİYONASI"), 0);
    ASSERT_EQ(Baslik3->DBLookupComboBox1->count(), 1);
    EXPECT_EQ(Baslik3->DBLookupComboBox1->itemData(0).toInt(), kPenaltyActivityKey);
    EXPECT_EQ(Baslik3->DBLookupComboBox1->currentIndex(), -1) << "none chosen";
    EXPECT_EQ(Baslik3->FActivityTitle, QString::fromUtf8("TÜRKİYE KİCK BOKS ŞAMPİYONASI"));
    // The penalties' row chosen: the title as typed as well.
    runDrawSheetTitle(QString::fromUtf8("TÜRKİYE KİCK BOKS ŞAMPİYONASI"), kPenaltyActivityKey);
    EXPECT_EQ(Baslik3->FActivityTitle, QString::fromUtf8("TÜRKİYE KİCK BOKS ŞAMPİYONASI"));
    // With an activity chosen, its title.
    addDrawSheetActivity(5, "X", "Y", {2010, 3, 5}, {2010, 3, 7});
    runDrawSheetTitle(QString::fromUtf8("TÜRKİYE KİCK BOKS ŞAMPİYONASI"), 5);
    EXPECT_EQ(Baslik3->FActivityTitle, QString::fromUtf8("X\n05 - 07 MART 2010  Y"));
}

} // namespace
