// The weigh-in's decisions with typed weights (no scale at this station):
// the limit rule, the rows written, the checks before a write, the override
// buttons and the operations on list rows.
#include "competition/WeighInFixture.h"
#include "registry/MusteriGiris2.h"

#include "app/kit/DbConventions.h"

#include <QComboBox>

namespace {

class WeighInDecision : public WeighInTest {
protected:
    // Weighs the athlete with a typed weight; the notice on typed weights
    // comes with the first weighing only.
    void weigh(const QString& typed)
    {
        typeWeight(typed);
        click(screen->BitBtn2);
    }
};

TEST_F(WeighInDecision, TypedWeightWithADecimalCommaIsAcceptedAndWritten)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen65}, {"E38", 66.0}});
    open();
    selectByNumber("1");
    weigh("65,0004");

    EXPECT_EQ(ui().texts(), (QStringList{kManualNotice, msg(kAccepted, kMen65)}));
    const Records r = rows();
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].toInt("Liste_Key"), 1);
    EXPECT_EQ(r[0].toInt("Sira"), 1);
    EXPECT_EQ(r[0].str("Brans"), kMen65);
    EXPECT_EQ(r[0].toInt("Onay"), 1);
    EXPECT_EQ(r[0].str("Ad"), "VELİ KAYA");
    EXPECT_EQ(r[0].toInt("Musteri_Key"), 1);
    EXPECT_EQ(r[0].str("Bolge"), "ANKARA");
    EXPECT_EQ(r[0].str("BolgeK"), "ANK");
    EXPECT_EQ(r[0].str("Klup"), kClub);
    EXPECT_EQ(r[0].str("Takim"), kClub);
    EXPECT_EQ(r[0].str("Cinsiyet"), "ERKEK");
    EXPECT_DOUBLE_EQ(r[0].toDouble("Kilo"), 66.0) << "the weight the record held before";
    EXPECT_DOUBLE_EQ(r[0].toDouble("TartilanKilo"), 65.0);
    EXPECT_EQ(r[0].date("Tarih"), kWeighDay);
    EXPECT_EQ(r[0].toInt("Puan"), kPoints);
    EXPECT_DOUBLE_EQ(registeredWeight(1), 65.0);
    EXPECT_EQ(screen->Label12->text(), "Sistemde Kayıtlı Kilo : 65");
    EXPECT_EQ(screen->Label55->text(), "Sırt Numarası : 1");
    EXPECT_EQ(Counters::current(db, "sayi1"), 1);
    EXPECT_EQ(Counters::current(db, "sayi3"), 1);
    ASSERT_EQ(screen->DBGrid2->rowCount(), 1);
    EXPECT_EQ(screen->GroupBox2->title(), " Kabul Edilenler Listesi (1)");

    // The second athlete: no notice again, the next key and number.
    addPerson(2, "CAN ER", {{"E53", kMen65}, {"E38", 63.0}});
    ui().clear();
    selectByNumber("2");
    weigh("59,99");
    EXPECT_EQ(ui().texts(), QStringList{msg(kDisqualified, kMen65)}) << "a typed weight is never re-weighed";
    const Records all = rows();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[1].toInt("Liste_Key"), 2);
    EXPECT_EQ(all[1].toInt("Sira"), 2);
    EXPECT_EQ(all[1].toInt("Onay"), 0);
    EXPECT_EQ(all[1].toInt("Puan"), 0);
    EXPECT_DOUBLE_EQ(all[1].toDouble("TartilanKilo"), 59.99);
}

struct LimitCase {
    const char* typed;
    int approved;
};

class Limits : public WeighInDecision, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(Limits, BothEndsBelongToTheClass)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen65}});
    open();
    selectByNumber("1");
    weigh(QString::fromUtf8(GetParam().typed));
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].toInt("Onay"), GetParam().approved);
}

INSTANTIATE_TEST_SUITE_P(Weights, Limits,
                         ::testing::Values(LimitCase{"65", 1}, LimitCase{"65,01", 0}, LimitCase{"60", 1},
                                           LimitCase{"59,99", 0}, LimitCase{"65,0004", 1}, LimitCase{"64,9996", 1},
                                           LimitCase{"65,0006", 0}));

TEST_F(WeighInDecision, CancelledWeightEntryWritesNothing)
{
    addPerson(1, "VELİ KAYA");
    open();
    selectByNumber("1");
    typeWeight("72", false);
    click(screen->BitBtn2);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_DOUBLE_EQ(registeredWeight(1), 72.0);
    EXPECT_EQ(Counters::current(db, "sayi1"), 0);
}

struct CheckCase {
    const char* name;
    QVariantMap person;     // overrides of the athlete
    int teamMode;
    int gradeMode;
    bool emptyClubField;
    const char* error;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

class WriteChecks : public WeighInDecision, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(WriteChecks, StopBeforeAnythingIsWritten)
{
    const CheckCase& c = GetParam();
    addPerson(1, "VELİ KAYA", c.person);
    screen->FTeamMode = c.teamMode;
    screen->FGradeMode = c.gradeMode;
    open();
    selectByNumber("1");
    if (!c.emptyClubField && screen->Edit8->text().isEmpty())
        screen->Edit8->setText("A TAKIMI");
    if (c.emptyClubField)
        screen->Edit8->clear();
    ui().clear();
    screen->Kaydet(1);
    EXPECT_EQ(ui().texts(), QStringList{QString::fromUtf8(c.error)});
    EXPECT_TRUE(rows().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, WriteChecks,
    ::testing::Values(
        CheckCase{"NoClass", {{"E53", ""}}, 0, 0, false,
                  "Sporcunun BRANŞI Sisteme Girilmediğinden Listeye Kaydedilemedi ...!"},
        CheckCase{"UnknownClass", {{"E53", "YOK BÖYLE BRANŞ"}}, 0, 0, false,
                  "Sporcunun BRANŞI Sisteme Girilmediğinden Listeye Kaydedilemedi ...!"},
        CheckCase{"NoGender", {{"E15", ""}}, 0, 0, false,
                  "Sporcunun CİNSİYETİ Sisteme Girilmediğinden Listeye Kaydedilemedi ...!"},
        CheckCase{"NoWeight", {{"E38", QVariant()}}, 0, 0, false,
                  "Sporcunun KİLOSU Sisteme Girilmediğinden Listeye Kaydedilemedi ...!"},
        CheckCase{"NoClub", {}, 0, 0, true, "Lütfen Sporcunun Kulübünü Seçiniz ...!"},
        CheckCase{"NoTeam", {}, 1, 0, true, "Lütfen Sporcunun Takımını Seçiniz ...!"},
        CheckCase{"NoGrade", {}, 1, 1, true, "Lütfen Sporcunun Derecesini Seçiniz ...!"}),
    [](const auto& info) { return std::string(info.param.name); });

// A typed weight refused for want of a club is kept: once the club is
// chosen, "Listeye Ekle" writes it without asking for it again.
TEST_F(WeighInDecision, TypedWeightIsKeptWhenTheClubIsMissing)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen65}, {"E38", 66.0}});
    open();
    selectByNumber("1");
    screen->Edit8->clear();
    weigh("64,5");
    EXPECT_EQ(ui().texts(), (QStringList{kManualNotice, "Lütfen Sporcunun Kulübünü Seçiniz ...!"}));
    EXPECT_TRUE(rows().isEmpty());

    ui().clear();
    screen->Edit8->setText(kClub);
    const int dialogsBefore = int(modals().seen().size());
    click(screen->BitBtn2);
    EXPECT_EQ(modals().seen().size(), dialogsBefore) << "the weight is not asked again";
    EXPECT_EQ(ui().texts(), QStringList{msg(kAccepted, kMen65)});
    const Records r = rows();
    ASSERT_EQ(r.size(), 1);
    EXPECT_DOUBLE_EQ(r[0].toDouble("TartilanKilo"), 64.5);

    // Written once, the next weighing asks again.
    db.exec("delete * from C_LISTE");
    typeWeight("63");
    click(screen->BitBtn2);
    EXPECT_EQ(modals().seen().last(), "TAgirlik");
}

TEST_F(WeighInDecision, NoAthleteNoWrite)
{
    open();
    screen->Kaydet(1);
    EXPECT_EQ(ui().texts(), QStringList{"Herhangi Bir Sporcu Seçilmediğinden Listeye Kaydedemezsiniz ...!"});
}

TEST_F(WeighInDecision, AthleteWithoutClassesIsSentToThePersonEditor)
{
    addPerson(1, "VELİ KAYA", {{"Kullanici", 0}});
    QList<int> opened;
    open();
    selectByNumber("1");
    answer(true);
    modals().expect("TMusteriGiris2", [&](QDialog*) {
        opened << MusteriGiris2->FPersonKey;
        EXPECT_EQ(MusteriGiris2->FFromWeighIn, 1);
        EXPECT_EQ(MusteriGiris2->FBatchMode, 0);
        db.exec("update C_MUSTERI set Kullanici = 1 where Musteri_Key = 1");
    });
    click(screen->BitBtn2);
    EXPECT_EQ(questions, QStringList{"Sporcunun Branşı ve Müsabakada Katılacağı Branş Sayısı belli değildir.\nSporcu "
                                     "sicil ekranında bunları girmek istermisiniz ...?"});
    EXPECT_EQ(opened, QList<int>{1});
    EXPECT_EQ(screen->FClassCount, 1) << "the athlete is selected again";
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(WeighInDecision, AthleteOutsideTheCategoryIsAskedForAClass)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen70}});
    screen->FCategoryKey = 7;
    screen->FCategoryName = "GENÇLER";
    open();
    selectByNumber("1");
    EXPECT_EQ(screen->FWeighClass, kMen70) << "weighed against the first class";
    typeWeight("72");
    answer(false);
    click(screen->BitBtn2);
    EXPECT_EQ(questions, QStringList{"Sporcu GENÇLER Tartısına Katılmamaktadır.\nSporcu Bilgilerine Branş Eklemek "
                                     "İstermisiniz ...?"});
    EXPECT_TRUE(rows().isEmpty());
}

// The category name is the whole text after the sex word: "GENÇLER" does
// not take an "ÜMİT GENÇLER" class (as the draw decides), "ÜMİT GENÇLER" does.
TEST_F(WeighInDecision, CategoryTakesOnlyTheClassesNamedWhollyAfterTheSex)
{
    const QString youngMen = QStringLiteral("60 KİLO ERKEK ÜMİT GENÇLER");
    db.insert("C_BRANS", {{"Durum_Key", 520}, {"Durum", youngMen}, {"Kilo", 0.0}, {"AltKilo", 55.0},
                          {"UstKilo", 60.0}, {"E_B", "E"}, {"Web", "1"}});
    addPerson(1, "VELİ KAYA", {{"E53", youngMen}});
    screen->FCategoryKey = 7;
    screen->FCategoryName = "GENÇLER";
    open();
    selectByNumber("1");
    typeWeight("58");
    answer(false);
    click(screen->BitBtn2);
    EXPECT_EQ(questions, QStringList{"Sporcu GENÇLER Tartısına Katılmamaktadır.\nSporcu Bilgilerine Branş Eklemek "
                                     "İstermisiniz ...?"});
    EXPECT_TRUE(rows().isEmpty());

    questions.clear();
    screen->FCategoryName = "ÜMİT GENÇLER";
    selectByNumber("1");
    typeWeight("58");
    click(screen->BitBtn2);
    EXPECT_TRUE(questions.isEmpty());
    const Records r = rows();
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].str("Brans"), youngMen);
    EXPECT_EQ(r[0].toInt("Onay"), 1);
}

TEST_F(WeighInDecision, AllCategoriesWriteEveryClassByItsOwnLimits)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen70}, {"E54", kMen80}, {"E55", kMen65}, {"Kullanici", 3}});
    open();
    selectByNumber("1");
    weigh("72,5");
    const Records r = rows();
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0].str("Brans"), kMen70);
    EXPECT_EQ(r[0].toInt("Onay"), 1);
    EXPECT_EQ(r[1].str("Brans"), kMen80);
    EXPECT_EQ(r[1].toInt("Onay"), 0);
    EXPECT_EQ(r[2].str("Brans"), kMen65);
    EXPECT_EQ(r[2].toInt("Onay"), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r[i].toInt("Liste_Key"), i + 1);
        EXPECT_EQ(r[i].toInt("Sira"), 1) << "one back number per athlete";
    }
    EXPECT_EQ(ui().texts(), (QStringList{kManualNotice, msg(kAccepted, kMen70), msg(kDisqualified, kMen80),
                                         msg(kDisqualified, kMen65)}));
    EXPECT_FALSE(screen->SlotArrow[2]->isHidden()) << "the last class written carries the arrow";
}

TEST_F(WeighInDecision, ClassThatIsNoWeightClassGetsNoRow)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen70}, {"E54", "ESKİ BRANŞ"}, {"E55", kMen80}, {"Kullanici", 3}});
    open();
    selectByNumber("1");
    EXPECT_EQ(screen->SlotName[1]->text(), "");
    weigh("72");
    const Records r = rows();
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0].str("Brans"), kMen70);
    EXPECT_EQ(r[1].str("Brans"), kMen80);
}

TEST_F(WeighInDecision, SameClassAgainIsRefusedAndKeepsTheRegisteredWeight)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen70}, {"E54", kMen80}, {"Kullanici", 2}});
    addRow(7, 1, "VELİ KAYA", kMen70, 1, 4);
    Counters::set(db, "sayi1", 7);
    Counters::set(db, "sayi3", 4);
    open();
    selectByNumber("1");
    EXPECT_EQ(screen->Label55->text(), "Sırt Numarası : 4");
    weigh("77");
    EXPECT_EQ(ui().texts(), (QStringList{kManualNotice,
                                         "Sporcu " + kMen70 + " Branşında Listede KAYITLI Bulunmaktadır ...!",
                                         msg(kAccepted, kMen80)}));
    const Records r = rows();
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[1].str("Brans"), kMen80);
    EXPECT_EQ(r[1].toInt("Sira"), 4) << "the athlete keeps the back number";
    EXPECT_EQ(r[1].toInt("Liste_Key"), 8);
    EXPECT_EQ(Counters::current(db, "sayi3"), 4);
    EXPECT_DOUBLE_EQ(registeredWeight(1), 77.0) << "updated at the slot that passed";

    // Only the existing class: nothing written, the weight stays.
    db.exec("update C_MUSTERI set E54 = '', Kullanici = 1 where Musteri_Key = 1");
    selectByNumber("1");
    ui().clear();
    weigh("71");
    EXPECT_EQ(ui().texts(), QStringList{"Sporcu " + kMen70 + " Branşında Listede KAYITLI Bulunmaktadır ...!"});
    EXPECT_EQ(rows().size(), 2);
    EXPECT_DOUBLE_EQ(registeredWeight(1), 77.0);
}

TEST_F(WeighInDecision, AthleteWhoseRowsWereDeletedGetsANewHigherNumber)
{
    addPerson(1, "VELİ KAYA");
    Counters::set(db, "sayi1", 5);
    Counters::set(db, "sayi3", 5);
    open();
    selectByNumber("1");
    weigh("72");
    EXPECT_EQ(rows()[0].toInt("Sira"), 6);
    db.exec("delete * from C_LISTE");
    selectByNumber("1");
    EXPECT_EQ(screen->Label55->text(), "");
    weigh("72");
    EXPECT_EQ(rows()[0].toInt("Sira"), 7);
    EXPECT_EQ(rows()[0].toInt("Liste_Key"), 7);
}

TEST_F(WeighInDecision, AskingBeforeADisqualificationSendsToThePersonEditor)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen65}});
    QList<int> opened;
    screen->FWarnBeforeDisqualify = 1;
    open();
    selectByNumber("1");
    typeWeight("70");
    answer(true);
    modals().expect("TMusteriGiris2", [&](QDialog*) { opened << MusteriGiris2->FPersonKey; });
    click(screen->BitBtn2);
    EXPECT_EQ(questions, QStringList{"Sporcu " + kMen65 + " Branşında DİSKALİFİYE Edilecektir.\nBranşı Değiştirilsinmi ...?"});
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_DOUBLE_EQ(registeredWeight(1), 70.0) << "the registered weight is updated";
    EXPECT_EQ(opened, QList<int>{1});

    // Answered no: the disqualification is written.
    questions.clear();
    typeWeight("70");
    answer(false);
    click(screen->BitBtn2);
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].toInt("Onay"), 0);
}

TEST_F(WeighInDecision, OverrideButtonsWriteTheirDecisionWithoutTheLimits)
{
    db.exec("update C_SAYI set OzelKod = '77'");
    addPerson(1, "VELİ KAYA", {{"E53", kMen65}});
    addPerson(2, "CAN ER", {{"E53", kMen65}});
    open();
    typeInto(screen->Edit5, "77");
    ASSERT_FALSE(screen->BitBtn9->isHidden());

    selectByNumber("1");
    typeWeight("62");   // inside the limits
    click(screen->BitBtn9);
    selectByNumber("2");
    typeWeight("90");   // far outside
    click(screen->BitBtn8);

    const Records r = rows();
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0].toInt("Onay"), 0);
    EXPECT_DOUBLE_EQ(r[0].toDouble("TartilanKilo"), 62.0);
    EXPECT_EQ(r[1].toInt("Onay"), 1);
    EXPECT_DOUBLE_EQ(r[1].toDouble("TartilanKilo"), 90.0);
    EXPECT_EQ(ui().texts(), (QStringList{msg(kDisqualified, kMen65), msg(kAccepted, kMen65)}))
        << "no notice, no re-weighing, no question";
    EXPECT_EQ(screen->FManualOverride, 0);
}

TEST_F(WeighInDecision, TeamTournamentKeepsTheRegisteredClubAndTheTeam)
{
    addPerson(1, "VELİ KAYA");
    screen->FTeamMode = 1;
    open();
    selectByNumber("1");
    screen->ComboBox3->setCurrentIndex(2);
    emit screen->ComboBox3->activated(2);
    weigh("72");
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].str("Klup"), kClub);
    EXPECT_EQ(rows()[0].str("Takim"), "C TAKIMI");
}

TEST_F(WeighInDecision, ClubTournamentWritesTheChosenClubTwice)
{
    addPerson(1, "VELİ KAYA");
    open();
    selectByNumber("1");
    const int at = screen->DBLookupComboBox4->findText("İZMİR SPOR");
    screen->DBLookupComboBox4->setCurrentIndex(at);
    emit screen->DBLookupComboBox4->activated(at);
    weigh("72");
    EXPECT_EQ(rows()[0].str("Klup"), "İZMİR SPOR");
    EXPECT_EQ(rows()[0].str("Takim"), "İZMİR SPOR");
}

TEST_F(WeighInDecision, WeighingInTheChosenClassRewritesThePerson)
{
    addPerson(1, "VELİ KAYA", {{"E53", kMen70}, {"E54", kMen65}, {"Kullanici", 2}});
    open();
    selectByNumber("1");
    const int at = screen->DBLookupComboBox19->findText(kMen80);
    screen->DBLookupComboBox19->setCurrentIndex(at);
    emit screen->DBLookupComboBox19->activated(at);
    answer(true);
    typeWeight("78");
    click(screen->BitBtn2);

    EXPECT_EQ(questions, QStringList{"Sporcu " + kMen80 + " Branşında tartıya alınmaktadır.!\nDEVAM EDİLSİNMİ...?"});
    const auto p = db.first("select * from C_MUSTERI where Musteri_Key = 1");
    EXPECT_EQ(p->str("E53"), kMen80);
    EXPECT_EQ(p->str("E54"), "");
    EXPECT_EQ(p->str("E55"), "");
    EXPECT_EQ(p->toInt("Kullanici"), 1);
    EXPECT_EQ(p->date("M1"), kWeighDay);
    EXPECT_EQ(p->str("User"), QString(kInitialAdminName) + ", 17.05.2024");
    EXPECT_DOUBLE_EQ(p->toDouble("E38"), 78.0) << "the weighed weight after the class's upper limit";
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].str("Brans"), kMen80);
    EXPECT_EQ(rows()[0].toInt("Onay"), 1);
    EXPECT_EQ(rows()[0].str("Klup"), kClub) << "the club field survived the new selection";
    EXPECT_DOUBLE_EQ(rows()[0].toDouble("Kilo"), 80.0);
}

TEST_F(WeighInDecision, ChosenClassOfNoGenderAlwaysStops)
{
    db.insert("C_BRANS", {{"Durum_Key", 520}, {"Durum", "AÇIK KİLO BÜYÜKLER"}, {"AltKilo", 0.0}, {"UstKilo", 200.0},
                          {"E_B", "E/B"}});
    addPerson(1, "VELİ KAYA");
    open();
    selectByNumber("1");
    const int at = screen->DBLookupComboBox19->findText("AÇIK KİLO BÜYÜKLER");
    screen->DBLookupComboBox19->setCurrentIndex(at);
    emit screen->DBLookupComboBox19->activated(at);
    ASSERT_EQ(screen->Edit19->text(), "AÇIK KİLO BÜYÜKLER");
    click(screen->BitBtn2);
    EXPECT_EQ(ui().lastText(), "Sporcunun cinsiyeti Branş ile uyuşmamaktadır. Lütfen sicil kaydından düzeltiniz ...!");
    EXPECT_TRUE(rows().isEmpty());
}

// --- Operations on list rows -------------------------------------------------------

class ListOperations : public WeighInTest {
protected:
    void SetUp() override
    {
        WeighInTest::SetUp();
        addRow(1, 1, "VELİ KAYA", kMen70, 1, 11);
        addRow(2, 2, "CAN ER", kMen70, 1, 12);
        addRow(3, 3, "ALİ YILMAZ", kMen70, 0, 13);
        open();
        browse(kMen70);
    }
    void browse(const QString& weightClass)
    {
        const int at = screen->DBLookupComboBox2->findText(weightClass);
        screen->DBLookupComboBox2->setCurrentIndex(at);
        emit screen->DBLookupComboBox2->activated(at);
    }
    void addBout(const QString& weightClass, int blue, int red)
    {
        db.insert("C_KURA", {{"Kura_Key", Counters::next(db, "sayi2")}, {"Brans", weightClass}, {"Cinsiyet", "ERKEK"},
                             {"Sira1", blue}, {"Sira2", red}});
    }
    Record row(int key) { return *db.first("select * from C_LISTE where Liste_Key = :k", {{"k", key}}); }
};

TEST_F(ListOperations, AthleteInABoutIsNeitherRemovedNorDisqualified)
{
    addBout(kMen70, 12, 0);
    ASSERT_TRUE(screen->DBGrid2->locate("Liste_Key", 2));
    screen->Sil1->trigger();
    screen->DiskalifiyeEt1->trigger();
    EXPECT_EQ(ui().texts(), (QStringList{"Bu Sporcu Kura Listesinde Bulunduğundan İşlem Yapılamıyor ...!",
                                         "Bu Sporcu Kura Listesinde Bulunduğundan İşlem Yapılamıyor ...!"}));
    EXPECT_EQ(row(2).toInt("Onay"), 1);
    EXPECT_EQ(screen->FNotInDraw, 0);

    // The same number in a bout of another class does not count.
    ASSERT_TRUE(screen->DBGrid2->locate("Liste_Key", 1));
    db.exec("delete * from C_KURA");
    addBout(kMen80, 0, 11);
    answer(true);
    screen->Sil1->trigger();
    EXPECT_EQ(questions, QStringList{"VELİ KAYA Listeden Çıkarılacaktır. Eminmisiniz ...?"});
    EXPECT_FALSE(db.first("select * from C_LISTE where Liste_Key = 1").has_value());
    EXPECT_EQ(screen->DBGrid2->rowCount(), 1);
}

TEST_F(ListOperations, DisqualifyingSetsTheRowToZero)
{
    ASSERT_TRUE(screen->DBGrid2->locate("Liste_Key", 2));
    answer(true);
    screen->DiskalifiyeEt1->trigger();
    EXPECT_EQ(questions, QStringList{"CAN ER Diskalifiye Edilecektir. Eminmisiniz ...?"});
    const Record r = row(2);
    EXPECT_EQ(r.toInt("Onay"), 0);
    EXPECT_EQ(r.toInt("Puan"), 0);
    EXPECT_DOUBLE_EQ(r.toDouble("TartilanKilo"), 0.0);
    EXPECT_EQ(r.date("Tarih"), kWeighDay);
    EXPECT_EQ(screen->DBGrid2->rowCount(), 1);
    EXPECT_EQ(screen->DBGrid3->rowCount(), 2);
}

TEST_F(ListOperations, AcceptingAgainTakesTheUpperLimitUnlessTheClassIsDrawn)
{
    ASSERT_TRUE(screen->DBGrid3->locate("Liste_Key", 3));
    answer(true);
    screen->KabuleEkle1->trigger();
    EXPECT_EQ(questions, QStringList{"ALİ YILMAZ Kabul Listesine Eklenecektir. Eminmisiniz ...?"});
    Record r = row(3);
    EXPECT_EQ(r.toInt("Onay"), 1);
    EXPECT_EQ(r.toInt("Puan"), kPoints);
    EXPECT_DOUBLE_EQ(r.toDouble("TartilanKilo"), 75.0);
    EXPECT_EQ(screen->DBGrid2->rowCount(), 3);

    // Once the class has any bout, nobody is accepted into it.
    db.exec("update C_LISTE set Onay = 0 where Liste_Key = 3");
    addBout(kMen70, 11, 12);
    browse(kMen70);
    ASSERT_TRUE(screen->DBGrid3->locate("Liste_Key", 3));
    screen->KabuleEkle1->trigger();
    EXPECT_EQ(ui().lastText(), "Bu branşın kurası çekildiğinden değişiklik yapılamıyor ...!");
    EXPECT_EQ(row(3).toInt("Onay"), 0);
}

TEST_F(ListOperations, DisqualifiedRowIsRemovedEvenWhenInABout)
{
    addBout(kMen70, 13, 11);
    ASSERT_TRUE(screen->DBGrid3->locate("Liste_Key", 3));
    answer(false);
    screen->Sil2->trigger();
    EXPECT_TRUE(db.first("select * from C_LISTE where Liste_Key = 3").has_value());
    answer(true);
    screen->Sil2->trigger();
    EXPECT_FALSE(db.first("select * from C_LISTE where Liste_Key = 3").has_value());
    EXPECT_EQ(screen->DBGrid3->rowCount(), 0);
}

TEST_F(ListOperations, RowDeletedByAnotherStationIsReported)
{
    ASSERT_TRUE(screen->DBGrid2->locate("Liste_Key", 2));
    db.exec("delete * from C_LISTE where Liste_Key = 2");
    answer(true);
    screen->DiskalifiyeEt1->trigger();
    EXPECT_EQ(ui().lastText(), "Seçilen Kayıt Listede Bulunamadı. Başka Bir Bilgisayardan Silinmiş Olabilir ...!");
    EXPECT_EQ(screen->DBGrid2->rowCount(), 1) << "the lists are read again";
}

TEST_F(ListOperations, ClosedListsDoNothing)
{
    click(screen->SpeedButton1);
    ASSERT_FALSE(screen->FListsOpen);
    screen->Sil1->trigger();
    screen->Sil2->trigger();
    screen->DiskalifiyeEt1->trigger();
    screen->KabuleEkle1->trigger();
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(rows().size(), 3);
}

} // namespace
