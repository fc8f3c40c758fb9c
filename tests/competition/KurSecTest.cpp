#include "competition/CompetitionFixture.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>

namespace {

const char* const kChooseCategory = "Lütfen Kategori Seçiniz ...!";
const char* const kBadRounds = "Boş veya Hatalı Round Sayısı Girdiniz ...!";

class DrawOptionsTest : public CompetitionTest {
protected:
    void show(const std::function<void(QDialog*)>& script)
    {
        modals().expect("TKur_Sec", script);
        Kur_Sec->showModal();
    }
};

TEST_F(DrawOptionsTest, DesignTexts)
{
    EXPECT_EQ(Kur_Sec->windowTitle(), "Kura Çekim Seçenekleri");
    EXPECT_FALSE(Kur_Sec->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                           Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Kur_Sec->RadioButton1->text(), "Seçilen Branşın Kurasını Çek");
    EXPECT_EQ(Kur_Sec->RadioButton2->text(), "Tüm Branşların Kuralarını Çek");
    EXPECT_EQ(Kur_Sec->RadioButton3->text(), "Aşağıda Seçilen Kategorinin Kuralarını Çek");
    EXPECT_TRUE(Kur_Sec->RadioButton1->isChecked()) << "checked when the program starts";
    EXPECT_EQ(Kur_Sec->Label2->text(), "Müsabaka Süresi (Erkek)");
    EXPECT_EQ(Kur_Sec->Label3->text(), "Müsabaka Süresi (Bayan)");
    EXPECT_EQ(Kur_Sec->Label4->text(), "Round Sayısı");
    EXPECT_EQ(Kur_Sec->BitBtn4->text(), "Devam");
    EXPECT_EQ(Kur_Sec->BitBtn1->text(), "İptal");
}

TEST_F(DrawOptionsTest, ShowsTheMatchScreenSettingsAndReturnsTheChoice)
{
    match->FMatchTimeMen = "00:03:00";
    match->FMatchTimeWomen = "00:02:30";
    match->FFinalTimeMen = "00:04:00";
    match->FFinalTimeWomen = "00:03:30";
    match->FRoundCount = 5;
    Kur_Sec->FShowDurations = true;
    show([](QDialog* d) {
        EXPECT_EQ(Kur_Sec->FCancelled, 1) << "set at every showing";
        // The choices, then the durations panel; the dialog ends 10 pixels
        // after it.
        EXPECT_TRUE(child<QFrame>(d, "Panel1")->isVisible());
        EXPECT_EQ(d->width(), child<QFrame>(d, "Panel1")->geometry().right() + 1 + 10);
        EXPECT_EQ(child<QLineEdit>(d, "Edit1")->text(), "03:00");
        EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "02:30");
        EXPECT_EQ(child<QLineEdit>(d, "Edit3")->text(), "04:00");
        EXPECT_EQ(child<QLineEdit>(d, "Edit4")->text(), "03:30");
        EXPECT_EQ(child<QLineEdit>(d, "Edit5")->text(), "5");
        EXPECT_FALSE(child<QLineEdit>(d, "Edit3")->isVisible());
        EXPECT_FALSE(child<QRadioButton>(d, "RadioButton4")->isVisible());
        EXPECT_FALSE(child<QLineEdit>(d, "Edit6")->isEnabled()) << "category only for the third choice";
        click(child<QRadioButton>(d, "RadioButton2"));
        child<QLineEdit>(d, "Edit1")->setText("01:30");
        child<QLineEdit>(d, "Edit2")->setText("01:45");
        child<QLineEdit>(d, "Edit5")->setText("2");
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 0);
    EXPECT_TRUE(Kur_Sec->RadioButton2->isChecked());
    EXPECT_EQ(Kur_Sec->Edit1->text(), "01:30");
    EXPECT_EQ(Kur_Sec->Edit2->text(), "01:45");
    EXPECT_EQ(Kur_Sec->Edit3->text(), "01:30") << "finals last as long as the other bouts";
    EXPECT_EQ(Kur_Sec->Edit4->text(), "01:45");
    EXPECT_EQ(Kur_Sec->Edit5->text(), "2");
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(match->FMatchTimeMen, "00:03:00") << "the dialog writes nothing itself";
}

TEST_F(DrawOptionsTest, WithoutTheScoreboardCommandTheDurationsPanelIsHidden)
{
    Kur_Sec->FShowDurations = false;
    show([](QDialog* d) {
        // Only the choices' column: 278 pixels, or what its longest choice
        // needs.
        EXPECT_EQ(d->width(), child<QFrame>(d, "Panel1")->x());
        EXPECT_GE(d->width(), 278);
        EXPECT_GT(d->width(), Kur_Sec->RadioButton3->geometry().right());
        EXPECT_FALSE(child<QFrame>(d, "Panel1")->isVisible());
        click(child<QPushButton>(d, "BitBtn1"));
    });
}

TEST_F(DrawOptionsTest, TheChoicesShowTheirCaptionsWhole)
{
    show([](QDialog* d) {
        for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3"}) {
            auto* choice = child<QRadioButton>(d, name);
            EXPECT_LE(choice->sizeHint().width(), choice->width()) << name;
            EXPECT_LE(choice->x() + choice->width(), d->findChild<QFrame*>("Panel1")->x()) << name;
        }
        click(child<QPushButton>(d, "BitBtn1"));
    });
}

TEST_F(DrawOptionsTest, CancelReturnsNothing)
{
    show([](QDialog* d) {
        child<QLineEdit>(d, "Edit5")->setText("7");
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 1);
}

TEST_F(DrawOptionsTest, TheThirdChoiceNeedsACategory)
{
    show([](QDialog* d) {
        click(child<QRadioButton>(d, "RadioButton3"));
        EXPECT_TRUE(child<QLineEdit>(d, "Edit6")->isEnabled());
        EXPECT_TRUE(child<QComboBox>(d, "DBLookupComboBox5")->isEnabled());
        EXPECT_TRUE(child<QLabel>(d, "Label1")->isEnabled());
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_EQ(ui().texts(), QStringList{kChooseCategory});
        EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
        EXPECT_EQ(Kur_Sec->FCancelled, 0);
        pick(child<QComboBox>(d, "DBLookupComboBox5"), "GENÇLER");
        EXPECT_EQ(child<QLineEdit>(d, "Edit6")->text(), "GENÇLER");
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 0);
    EXPECT_EQ(Kur_Sec->Edit6->text(), "GENÇLER");

    // The choice and the category persist to the next showing.
    show([](QDialog* d) {
        EXPECT_TRUE(child<QRadioButton>(d, "RadioButton3")->isChecked());
        EXPECT_EQ(child<QLineEdit>(d, "Edit6")->text(), "GENÇLER");
        // Another choice empties the category.
        click(child<QRadioButton>(d, "RadioButton1"));
        EXPECT_EQ(child<QLineEdit>(d, "Edit6")->text(), "");
        EXPECT_FALSE(child<QLineEdit>(d, "Edit6")->isEnabled());
        click(child<QPushButton>(d, "BitBtn1"));
    });
}

TEST_F(DrawOptionsTest, CancelAfterARefusedCloseReturnsNothing)
{
    show([](QDialog* d) {
        click(child<QRadioButton>(d, "RadioButton3"));
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_TRUE(d->isVisible());
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 1);
}

struct OptionRefusal {
    const char* name;
    std::function<void(QDialog*)> spoil;
    const char* message;
    const char* focus;
};

class DrawOptionRefusals : public DrawOptionsTest, public ::testing::WithParamInterface<OptionRefusal> {};

TEST_P(DrawOptionRefusals, KeepTheDialogOpen)
{
    const OptionRefusal& c = GetParam();
    show([&](QDialog* d) {
        QApplication::setActiveWindow(d);
        c.spoil(d);
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_EQ(ui().texts(), QStringList{c.message});
        ASSERT_EQ(ui().requests.size(), 1);
        EXPECT_EQ(ui().requests[0].kind, UiRequest::Info);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(Kur_Sec->FCancelled, 1) << "unchanged by a refusal";
        EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(d, c.focus));
        click(child<QPushButton>(d, "BitBtn1"));
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, DrawOptionRefusals,
    ::testing::Values(
        OptionRefusal{"MenFirstDigitBlank",
                      [](QDialog* d) { typeMasked(child<QLineEdit>(d, "Edit1"), "200", 1); }, kFormat,
                      "Edit1"},
        OptionRefusal{"MenSixtyMinutes", [](QDialog* d) { setText(d, "Edit1", "60:00"); }, kWrongTime, "Edit1"},
        // Half typed: "3" over "03" shows "3_:00"; a duration is whole.
        OptionRefusal{"MenSecondMinuteDigitBlank",
                      [](QDialog* d) { typeOver(child<QLineEdit>(d, "Edit1"), "03:00", 2, "3"); }, kFormat, "Edit1"},
        OptionRefusal{"MenSecondsHalfTyped",
                      [](QDialog* d) { typeOver(child<QLineEdit>(d, "Edit1"), "03:00", 5, "034"); }, kFormat,
                      "Edit1"},
        OptionRefusal{"WomenSecondMinuteDigitBlank",
                      [](QDialog* d) { typeOver(child<QLineEdit>(d, "Edit2"), "02:30", 2, "2"); }, kFormat, "Edit2"},
        OptionRefusal{"WomenFirstDigitBlank",
                      [](QDialog* d) { typeMasked(child<QLineEdit>(d, "Edit2"), "200", 1); }, kFormat,
                      "Edit2"},
        OptionRefusal{"WomenSixtySeconds", [](QDialog* d) { setText(d, "Edit2", "02:60"); }, kWrongTime, "Edit2"},
        OptionRefusal{"NoRounds", [](QDialog* d) { setText(d, "Edit5", ""); }, kBadRounds, "Edit5"},
        OptionRefusal{"RoundsNoNumber", [](QDialog* d) { setText(d, "Edit5", "üç"); }, kBadRounds, "Edit5"},
        // A bout has at least one round.
        OptionRefusal{"ZeroRounds", [](QDialog* d) { setText(d, "Edit5", "0"); }, kBadRounds, "Edit5"},
        OptionRefusal{"NegativeRounds", [](QDialog* d) { setText(d, "Edit5", "-2"); }, kBadRounds, "Edit5"}),
    [](const ::testing::TestParamInfo<OptionRefusal>& info) { return std::string(info.param.name); });

TEST_F(DrawOptionsTest, AHalfTypedDurationNeverReachesTheDraw)
{
    match->FMatchTimeMen = "00:03:00";
    show([](QDialog* d) {
        QLineEdit* men = child<QLineEdit>(d, "Edit1");
        typeOver(men, "03:00", 2, "3");
        EXPECT_EQ(men->displayText(), "3_:00");
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_EQ(ui().texts(), QStringList{kFormat});
        EXPECT_TRUE(d->isVisible());
        // Typed whole, it passes.
        typeOver(men, "03:00", 2, "03");
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 0);
    match->takeDrawOptions(Kur_Sec->Edit1->text(), Kur_Sec->Edit2->text(), Kur_Sec->Edit3->text(),
                           Kur_Sec->Edit4->text(), Kur_Sec->Edit5->text().toInt());
    EXPECT_EQ(match->FMatchTimeMen, "00:03:00");
    EXPECT_EQ(match->FFinalTimeMen, "00:03:00");
}

TEST_F(DrawOptionsTest, DurationsUpToFiftyNineFiftyNinePass)
{
    show([](QDialog* d) {
        setText(d, "Edit1", "00:00");
        setText(d, "Edit2", "59:59");
        click(child<QPushButton>(d, "BitBtn4"));
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Kur_Sec->FCancelled, 0);
    EXPECT_TRUE(ui().texts().isEmpty());
}

} // namespace
