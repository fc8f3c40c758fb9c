// "Sporcu Seçme Tercihleri": the settings handed to the weigh-in screen.
#include "competition/Giris1.h"
#include "competition/WeighInFixture.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

class Preferences : public WeighInTest {
protected:
    // Opens the dialog; `fill` sets its controls before "Devam"; `inside`
    // sees the weigh-in screen it opens (then closed).
    void run(std::function<void(TGiris1*)> fill, std::function<void()> inside = nullptr)
    {
        modals().expect("TGiris1", [=](QDialog*) {
            fill(Giris1);
            click(Giris1->BitBtn4);
        });
        if (inside)
            modals().expect("TMusteriGiris3", [this, inside](QDialog*) {
                inside();
                screen->close();
            });
        Giris1->showModal();
    }
    static void chooseCategory(TGiris1* d, const QString& name)
    {
        const int at = d->DBLookupComboBox5->findText(name);
        ASSERT_GE(at, 0);
        d->DBLookupComboBox5->setCurrentIndex(at);
        emit d->DBLookupComboBox5->activated(at);
    }
    static void chooseKind(TGiris1* d, int key)
    {
        const int at = d->DBLookupComboBox1->findData(key);
        ASSERT_GE(at, 0);
        d->DBLookupComboBox1->setCurrentIndex(at);
        emit d->DBLookupComboBox1->activated(at);
    }
};

TEST_F(Preferences, ControlsAndTheirStart)
{
    modals().expect("TGiris1", [](QDialog* d) {
        auto* g = static_cast<TGiris1*>(d);
        EXPECT_EQ(g->windowTitle(), "Sporcu Seçme Tercihleri");
        ASSERT_EQ(g->ComboBox3->count(), 21);
        EXPECT_EQ(g->ComboBox3->itemText(0), "SINIRSIZ");
        EXPECT_EQ(g->ComboBox3->itemText(20), "20");
        EXPECT_EQ(g->ComboBox3->currentText(), "2");
        EXPECT_EQ(g->DBLookupComboBox1->currentText(), "KULÜPLER ARASI");
        QStringList categories;
        for (int i = 0; i < g->DBLookupComboBox5->count(); ++i)
            categories << g->DBLookupComboBox5->itemText(i);
        EXPECT_EQ(categories, (QStringList{kAllCategoriesName, "BÜYÜKLER", "GENÇLER", "YILDIZLAR", "MİNİKLER"}));
        EXPECT_TRUE(g->Edit6->isReadOnly());
        EXPECT_FALSE(g->CheckBox1->isChecked());
        EXPECT_EQ(g->CheckBox1->text(), "Diskalifiye Olmadan Önce Uyar");
        d->close();
    });
    Giris1->showModal();
}

TEST_F(Preferences, CategoryComesFirst)
{
    run([](TGiris1*) {});
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Kategori Seçiniz ...!"});
    EXPECT_FALSE(modals().seen().contains("TMusteriGiris3"));
}

TEST_F(Preferences, TournamentKindIsNeeded)
{
    db.exec("delete * from C_KL_BL");
    run([](TGiris1* d) { chooseCategory(d, "GENÇLER"); });
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Turnuva Türü Seçiniz ...!"});
}

struct KindCase {
    int key;
    int teamMode;
    int gradeMode;
    const char* caption;    // of the weigh-in screen's club/team field
    const char* kindText;
};

class Kinds : public Preferences, public ::testing::WithParamInterface<KindCase> {};

TEST_P(Kinds, SetTheWeighInScreen)
{
    const KindCase& c = GetParam();
    screen->FTeamMode = 1 - c.teamMode;  // a value "Devam" must replace
    run(
        [&](TGiris1* d) {
            chooseCategory(d, "GENÇLER");
            chooseKind(d, c.key);
            d->ComboBox3->setCurrentIndex(0);
            d->CheckBox1->setChecked(true);
        },
        [&] {
            EXPECT_EQ(screen->FTeamMode, c.teamMode);
            EXPECT_EQ(screen->FGradeMode, c.gradeMode);
            EXPECT_EQ(screen->FMaxWeighings, 0) << "SINIRSIZ";
            EXPECT_EQ(screen->FCategoryName, "GENÇLER");
            EXPECT_NE(screen->FCategoryKey, kAllCategoriesKey);
            EXPECT_EQ(screen->FWarnBeforeDisqualify, 1);
            EXPECT_EQ(screen->FMinBeltKey, 1);
            EXPECT_EQ(screen->Label56->text(), "GENÇLER");
            EXPECT_EQ(screen->Label60->text(), QString::fromUtf8(c.kindText));
            EXPECT_EQ(screen->KlupTakimCaption->text(), QString::fromUtf8(c.caption));
            EXPECT_EQ(screen->ListelerTm1->text(), "Tartı Listeleri (GENÇLER)");
        });
    EXPECT_FALSE(Giris1->isVisible()) << "closed with the weigh-in screen";
    EXPECT_EQ(modals().seen().count("TMusteriGiris3"), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, Kinds,
                         ::testing::Values(KindCase{1, 0, 0, "Kulüp Adı", "KULÜPLER ARASI ŞAMP."},
                                           KindCase{2, 1, 0, "Takım Adı", "TAKIMLAR ARASI ŞAMP."},
                                           KindCase{3, 1, 1, "Derece", "DERECELİ TAKIMLAR ARASI ŞAMP."}));

TEST_F(Preferences, AllCategoriesAndChoicesKeptForTheNextWeighIn)
{
    const int belt = db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = 'YEŞİL KUŞAK'").toInt();
    run(
        [&](TGiris1* d) {
            chooseCategory(d, kAllCategoriesName);
            chooseKind(d, 2);
            d->ComboBox3->setCurrentIndex(5);
            const int at = d->DBLookupComboBox2->findData(belt);
            d->DBLookupComboBox2->setCurrentIndex(at);
            emit d->DBLookupComboBox2->activated(at);
        },
        [&] {
            EXPECT_EQ(screen->FCategoryKey, kAllCategoriesKey);
            EXPECT_EQ(screen->FMaxWeighings, 5);
            EXPECT_EQ(screen->FMinBeltKey, belt);
            EXPECT_EQ(screen->ListelerTm1->text(), "Tartı Listeleri (TAMAMI)");
        });

    // The next showing starts with them; a click on "Min Kuşak" drops the belt.
    run(
        [&](TGiris1* d) {
            EXPECT_EQ(d->Edit6->text(), kAllCategoriesName);
            EXPECT_EQ(d->DBLookupComboBox1->currentText(), "TAKIMLAR ARASI");
            EXPECT_EQ(d->ComboBox3->currentText(), "5");
            EXPECT_EQ(d->DBLookupComboBox2->currentText(), "YEŞİL KUŞAK");
            QTest::mouseClick(d->Label4, Qt::LeftButton);
        },
        [&] { EXPECT_EQ(screen->FMinBeltKey, 1); });
}

} // namespace
