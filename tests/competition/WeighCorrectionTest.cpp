// The weigh-in's correction dialog in both modes: the athlete's weigh-in
// rows, bout corners and person record in list mode, the person record
// alone in person mode.
#include "competition/WeighInFixture.h"

#include "competition/Form2.h"
#include "app/kit/Session.h"
#include "competition/WeighCorrection.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QComboBox>

namespace WeighCorrectionTestLocal {

class WeighCorrectionTest : public WeighInTest {
protected:
    void SetUp() override
    {
        WeighInTest::SetUp();
        addPerson(1, "ALİ VELİ");
        addPerson(2, "CEM KAYA");
        // ALİ VELİ has back number 5 in two classes; CEM KAYA number 7.
        addRow(1, 1, "ALİ VELİ", kMen70, 1, 5);
        addRow(2, 1, "ALİ VELİ", kMen80, 1, 5);
        addRow(3, 2, "CEM KAYA", kMen70, 1, 7);
        // Drawn bouts: ALİ seated blue in one and red in another, and
        // advanced (no Tip) into a third.
        bout(10, "ÇEYREK FİNAL", 5, "AD", 7, "AD");
        bout(11, "ÇEYREK FİNAL", 9, "AD", 5, "AD");
        bout(12, "YARI FİNAL", 5, "", 9, "AD");
        // A bout entered by hand whose synthetic number equals ALİ's.
        bout(4, "Final", 5, "AD", 6, "AD");
    }

    void bout(int key, const QString& tur, int sira1, const QString& tip1, int sira2, const QString& tip2)
    {
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kMen70}, {"Cinsiyet", "ERKEK"}, {"Tur", tur}, {"Sira", "1"},
                             {"Sira1", sira1}, {"Tip1", tip1}, {"Bolge1", "ESKİ"}, {"Klup1", "ESKİ KULÜP"},
                             {"Sira2", sira2}, {"Tip2", tip2}, {"Bolge2", "ESKİ"}, {"Klup2", "ESKİ KULÜP"}});
    }
    QString corner(int key, int side)
    {
        const auto r = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        return r->str(QString("Bolge%1").arg(side)) + "/" + r->str(QString("Klup%1").arg(side));
    }
    void showClass(const QString& weightClass)
    {
        pick(screen->DBLookupComboBox2, weightClass);
    }
};

TEST_F(WeighCorrectionTest, ListModeCorrectsTheAthletesRowsCornersAndRecordTogether)
{
    open();
    showClass(kMen70);
    ASSERT_TRUE(screen->DBGrid2->locate("Liste_Key", 1));
    modals().expect("TForm2", [](QDialog*) {
        EXPECT_EQ(Form2->windowTitle(), "Bilgi Düzeltme");
        saveScreenshot(Form2, "BRIVEX_FORM2_SCREENSHOT", Form2->size());
        EXPECT_EQ(Form2->Label3->text(), "ALİ VELİ");
        EXPECT_EQ(Form2->Edit4->text(), "ANKARA");
        EXPECT_EQ(Form2->FBackNumber, "5");
        EXPECT_EQ(Form2->FPersonKey, 1);
        EXPECT_FALSE(Form2->Edit1->isVisible()) << "no team row in a club tournament";
        pick(Form2->DBLookupComboBox2, "İZMİR");
        pick(Form2->DBLookupComboBox4, kClub);   // an ANKARA club
        click(Form2->BitBtn3);
        click(Form2->BitBtn1);
    });
    screen->BilgiDuzeltme1Click();
    EXPECT_EQ(ui().texts(), (QStringList{WeighCorrection::kOtherRegion, WeighCorrection::kListSaved}));
    EXPECT_EQ(Form2->FSaved, 1);

    for (const Record& r : db.select("select * from C_LISTE where Sira = 5"))
        EXPECT_EQ(r.str("Bolge") + "|" + r.str("BolgeK") + "|" + r.str("Klup") + "|" + r.str("Takim"),
                  "İZMİR|İZM|" + kClub + "|" + kClub)
            << "both classes, the club also as team";
    EXPECT_EQ(db.scalar("select Bolge from C_LISTE where Sira = 7").toString(), "ANKARA");
    EXPECT_EQ(corner(10, 1), "İZMİR/" + kClub);
    EXPECT_EQ(corner(10, 2), "ESKİ/ESKİ KULÜP");
    EXPECT_EQ(corner(11, 2), "İZMİR/" + kClub);
    EXPECT_EQ(corner(12, 1), "ESKİ/ESKİ KULÜP") << "an advanced corner keeps its values";
    EXPECT_EQ(corner(4, 1), "ESKİ/ESKİ KULÜP") << "the hand-entered bout's number is not the athlete's";
    const Record p = db.first("select * from C_MUSTERI where Musteri_Key = 1").value();
    EXPECT_EQ(p.str("Vergi_Dairesi"), "İZMİR");
    EXPECT_EQ(p.str("E16"), kClub);
    EXPECT_EQ(p.toInt("Client_Key"), 2);
    EXPECT_EQ(p.date("M1"), session().today());
    EXPECT_TRUE(p.str("User").startsWith("ADMIN, "));
}

TEST_F(WeighCorrectionTest, ATeamTournamentWritesTheTeamApart)
{
    screen->FTeamMode = 1;
    open();
    showClass(kMen70);
    ASSERT_TRUE(screen->DBGrid2->locate("Liste_Key", 3));
    modals().expect("TForm2", [](QDialog*) {
        EXPECT_TRUE(Form2->Edit1->isVisible());
        EXPECT_EQ(Form2->Label6->text(), "Takım");
        EXPECT_EQ(Form2->ComboBox3->count(), 23);
        pick(Form2->ComboBox3, "C TAKIMI");
        pick(Form2->DBLookupComboBox4, kClub);
        click(Form2->BitBtn3);
        click(Form2->BitBtn1);
    });
    screen->BilgiDuzeltme1Click();
    const Record r = db.first("select * from C_LISTE where Liste_Key = 3").value();
    EXPECT_EQ(r.str("Takim"), "C TAKIMI");
    EXPECT_EQ(r.str("Klup"), kClub);
}

TEST_F(WeighCorrectionTest, GradeModeOrAnEmptyListOpensNothing)
{
    open();
    screen->BilgiDuzeltme1Click();   // no list open
    screen->FGradeMode = 1;
    showClass(kMen70);
    screen->BilgiDuzeltme1Click();
    EXPECT_TRUE(modals().seen().filter("TForm2").isEmpty());
}

TEST_F(WeighCorrectionTest, PersonModeChangesTheGenderAndDropsTheClassesInTheRecordOnly)
{
    open();
    selectByNumber("0000001");
    modals().expect("TForm2", [](QDialog*) {
        EXPECT_EQ(Form2->windowTitle(), "Sicil Bilgileri Düzeltme");
        EXPECT_EQ(Form2->Label6->text(), "Cinsiyet");
        EXPECT_EQ(Form2->Edit1->text(), "ERKEK");
        Form2->Edit1->clear();
        click(Form2->BitBtn3);
        pick(Form2->ComboBox3, "BAYAN");
        click(Form2->BitBtn3);
        click(Form2->BitBtn1);
    });
    screen->SpeedButton2Click();
    EXPECT_EQ(ui().texts(), (QStringList{WeighCorrection::kNoGender, WeighCorrection::kPersonSaved}));
    const Record p = db.first("select * from C_MUSTERI where Musteri_Key = 1").value();
    EXPECT_EQ(p.str("E15") + "|" + p.str("E53") + "|" + p.str("E54") + "|" + p.str("E55") + "|" + p.str("Kullanici"),
              "BAYAN|-|||0");
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Bolge = 'ANKARA'").toInt(), 3) << "lists untouched";
    EXPECT_EQ(corner(10, 1), "ESKİ/ESKİ KULÜP") << "bouts untouched";
    EXPECT_EQ(screen->Edit6->text(), "0000001") << "the athlete is shown again";
    EXPECT_EQ(screen->ValueE15->text(), "BAYAN");
}

TEST_F(WeighCorrectionTest, PersonModeNeedsARegisterNumber)
{
    open();
    screen->SpeedButton2Click();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Sicil No'yu Giriniz ...!"});
}

TEST_F(WeighCorrectionTest, TheSameGenderKeepsTheClasses)
{
    WeighCorrection::savePerson(db, {1, "İZMİR", "", "ERKEK", "ERKEK"}, {"ADMIN", kWeighDay});
    const Record p = db.first("select * from C_MUSTERI where Musteri_Key = 1").value();
    EXPECT_EQ(p.str("E53"), kMen70);
    EXPECT_EQ(p.toInt("Client_Key"), 1) << "no club: the no-club row";
    EXPECT_EQ(p.str("User"), "ADMIN, 17.05.2024");
}

} // namespace WeighCorrectionTestLocal
