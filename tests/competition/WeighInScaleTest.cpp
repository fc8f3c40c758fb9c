// The weigh-in with a scale on its serial line: a pseudo-terminal plays the
// scale (frame type 2, "ST,+0072.50kg" lines), the screen reads it on
// SerialPort1 and decides with the live weight.
#include "competition/WeighInFixture.h"

#include "app/comport/SerialPort.h"
#include "app/kit/DbConventions.h"
#include "comport/PtyPair.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"

#include <QComboBox>

namespace {

class ScaleWeighIn : public WeighInTest {
protected:
    void SetUp() override
    {
        WeighInTest::SetUp();
        ASSERT_TRUE(pty.valid());
        PortMap::setDevice("COM7", pty.slavePath());
        Registry reg(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.openKey("\\Software\\Classes\\.comport\\Shellex\\PropertySheet", true));
        reg.writeString("comport", "COM7");
        reg.writeString("Type", "2");
        addPerson(1, "VELİ KAYA", {{"E53", kMen70}});
        screen->show();
        ASSERT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
        ASSERT_TRUE(screen->SerialPort1->Connected());
        ASSERT_EQ(screen->FPortFailed, 0);
    }

    // The scale sends one line with this weight; waits until it shows.
    void scale(double kg, const QString& shown, const char* mark = "ST")
    {
        ASSERT_TRUE(pty.send(QByteArray("\r\n") + mark + ",+" + QByteArray::number(kg, 'f', 2).rightJustified(7, '0')
                             + "kg"));
        ASSERT_TRUE(waitFor([&] { return screen->Label4->text() == shown; })) << screen->Label4->text();
    }

    PtyPair pty;
};

TEST_F(ScaleWeighIn, LiveWeightIsGreenWithinTheClassLimits)
{
    selectByNumber("1");
    EXPECT_EQ(screen->Label4->text(), "0,000");
    scale(72.5, "72,5");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kGreen);
    scale(75.0, "75");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kGreen) << "the upper limit belongs to the class";
    scale(75.01, "75,01");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kRed);
    scale(70.0, "70", "US");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kGreen);
    scale(0.0, "0");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kRed);
}

TEST_F(ScaleWeighIn, WeightCutAtABlockEdgeNeverShows)
{
    selectByNumber("1");
    scale(71.0, "71");
    // The line arrives in two pieces, cut inside the weight.
    ASSERT_TRUE(pty.send("0kg\r\nST,+0072.5"));
    ASSERT_TRUE(waitFor([&] { return screen->FScaleBuffer == "\r\nST,+0072.5"; }));
    EXPECT_EQ(screen->Label4->text(), "71") << "7,25 must never show";
    ASSERT_TRUE(pty.send("0kg\r\nST,+00"));
    ASSERT_TRUE(waitFor([&] { return screen->Label4->text() == "72,5"; }));
    // Noise and a frame cut short by the next give nothing of their own.
    ASSERT_TRUE(pty.send("81.30kg\r\n#?!\r\nST,+00\r\nST,+0073.40kg"));
    ASSERT_TRUE(waitFor([&] { return screen->Label4->text() == "73,4"; }));
}

TEST_F(ScaleWeighIn, ShowingAnAthleteDropsHalfAFrame)
{
    ASSERT_TRUE(pty.send("\r\nST,+0072"));
    ASSERT_TRUE(waitFor([&] { return screen->FScaleBuffer == "\r\nST,+0072"; }));
    selectByNumber("1");
    EXPECT_TRUE(screen->FScaleBuffer.isEmpty());
    ASSERT_TRUE(pty.send(".50kg"));
    scale(71.1, "71,1");
}

TEST_F(ScaleWeighIn, AcceptingTheLiveWeightWritesTheRow)
{
    Counters::set(db, "sayi1", 40);
    Counters::set(db, "sayi3", 9);
    selectByNumber("1");
    scale(72.5, "72,5");
    click(screen->BitBtn2);

    EXPECT_EQ(ui().texts(), QStringList{msg(kAccepted, kMen70)});
    const Records r = rows();
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].toInt("Liste_Key"), 41);
    EXPECT_EQ(r[0].toInt("Sira"), 10);
    EXPECT_EQ(r[0].toInt("Onay"), 1);
    EXPECT_EQ(r[0].toInt("Puan"), kPoints);
    EXPECT_DOUBLE_EQ(r[0].toDouble("TartilanKilo"), 72.5);
    EXPECT_DOUBLE_EQ(registeredWeight(1), 72.5);
    EXPECT_EQ(screen->Label55->text(), "Sırt Numarası : 10");
}

TEST_F(ScaleWeighIn, TwoWeighingsOutsideTheLimitsDisqualify)
{
    screen->FMaxWeighings = 2;
    selectByNumber("1");
    scale(76.2, "76,2");
    click(screen->BitBtn2);
    EXPECT_EQ(ui().texts(),
              QStringList{"Sporcunun Kilosu 76,2 Gelmiştir. Bu Kilo ile DİSKALİFİYE Olacaktır.\nSporcuyu Diskalifiye "
                          "Etmeden Önce 1 Defa Daha Tartıp 'Listeye Ekle' Tuşuna Basmanız Gerekmektedir ...!"});
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(screen->FWeighCount, 1);

    // The same athlete shown again keeps the count.
    selectByNumber("1");
    scale(75.8, "75,8");
    ui().clear();
    click(screen->BitBtn2);
    EXPECT_EQ(ui().texts(), QStringList{msg(kDisqualified, kMen70)});
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].toInt("Onay"), 0);
    EXPECT_EQ(rows()[0].toInt("Puan"), 0);
    EXPECT_DOUBLE_EQ(rows()[0].toDouble("TartilanKilo"), 75.8);
}

TEST_F(ScaleWeighIn, AnotherAthleteStartsCountingAgain)
{
    addPerson(2, "CAN ER", {{"E53", kMen70}});
    screen->FMaxWeighings = 2;
    selectByNumber("1");
    scale(76.2, "76,2");
    click(screen->BitBtn2);
    selectByNumber("2");
    EXPECT_EQ(screen->FWeighCount, 0);
    scale(76.3, "76,3");
    click(screen->BitBtn2);
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(ScaleWeighIn, OneWeighingDisqualifiesAtOnce)
{
    screen->FMaxWeighings = 1;
    selectByNumber("1");
    scale(69.99, "69,99");
    click(screen->BitBtn2);
    EXPECT_EQ(ui().texts(), QStringList{msg(kDisqualified, kMen70)});
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].toInt("Onay"), 0);
}

TEST_F(ScaleWeighIn, UnlimitedWeighingsAskEveryTime)
{
    const QString question = "Sporcunun Kilosu 76,2 Gelmiştir. Bu Kilo ile DİSKALİFİYE Olacaktır.\nDiskalifiye "
                             "Listesine Eklenmeden Önce Tekrar Tartmak İstermisiniz ...?";
    screen->FMaxWeighings = 0;
    selectByNumber("1");
    scale(76.2, "76,2");
    answer(true);
    click(screen->BitBtn2);
    answer(true);
    click(screen->BitBtn2);
    EXPECT_TRUE(rows().isEmpty());
    answer(false);
    click(screen->BitBtn2);
    EXPECT_EQ(questions, (QStringList{question, question, question}));
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].toInt("Onay"), 0);
    EXPECT_EQ(ui().texts(), QStringList{msg(kDisqualified, kMen70)});
}

TEST_F(ScaleWeighIn, NoWeightFromTheScaleIsTyped)
{
    selectByNumber("1");
    scale(0.0, "0");
    typeWeight("72,25");
    click(screen->BitBtn2);
    EXPECT_EQ(ui().texts(), (QStringList{kManualNotice, msg(kAccepted, kMen70)}));
    ASSERT_EQ(rows().size(), 1);
    EXPECT_DOUBLE_EQ(rows()[0].toDouble("TartilanKilo"), 72.25);
    // The notice stays shown until a live weight is used again.
    EXPECT_EQ(screen->FManualNoticeShown, 1);
    scale(71.0, "71");
    click(screen->BitBtn2);
    EXPECT_EQ(screen->FManualNoticeShown, 0);
}

// A scale that goes on sending without a whole frame (a line without its
// carriage return) shows 0 in red, never the weight it sent before, and the
// weight is then typed.
TEST_F(ScaleWeighIn, AScaleWithoutWholeFramesShowsZeroInRed)
{
    selectByNumber("1");
    scale(72.5, "72,5");
    ASSERT_TRUE(pty.send("ST,+0072.50kg\nST,+0072.50kg\nST,+0072.50kg\n"));
    ASSERT_TRUE(waitFor([&] { return screen->Label4->text() == "0"; })) << screen->Label4->text();
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kRed);
    typeWeight("71");
    click(screen->BitBtn2);
    EXPECT_EQ(modals().seen().last(), "TAgirlik") << "the stale 72,5 is not taken";
    ASSERT_EQ(rows().size(), 1);
    EXPECT_DOUBLE_EQ(rows()[0].toDouble("TartilanKilo"), 71.0);
}

TEST_F(ScaleWeighIn, SpecialCodeOverrideTypesTheWeight)
{
    db.exec("update C_SAYI set OzelKod = '4321'");
    screen->close();
    screen->show();
    ui().clear();
    typeInto(screen->Edit5, "4321");
    selectByNumber("1");
    scale(72.5, "72,5");
    typeWeight("72,5");
    click(screen->BitBtn9);
    EXPECT_EQ(ui().texts(), QStringList{msg(kDisqualified, kMen70)});
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].toInt("Onay"), 0) << "the button's decision, not the limits";
}

TEST_F(ScaleWeighIn, ColourFollowsTheChosenClass)
{
    selectByNumber("1");
    const int at = screen->DBLookupComboBox19->findText(kMen80);
    screen->DBLookupComboBox19->setCurrentIndex(at);
    emit screen->DBLookupComboBox19->activated(at);
    scale(78.0, "78");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kGreen);
    scale(72.5, "72,5");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kRed);
}

TEST_F(ScaleWeighIn, PortIsOpenExactlyWhileTheScreenIsShown)
{
    screen->close();
    EXPECT_FALSE(screen->SerialPort1->Connected());
    screen->show();
    EXPECT_TRUE(screen->SerialPort1->Connected());
    selectByNumber("1");
    scale(72.5, "72,5");
}

TEST_F(ScaleWeighIn, ScaleTypeOneReadsItsOwnFrames)
{
    screen->close();
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        reg.openKey("\\Software\\Classes\\.comport\\Shellex\\PropertySheet", true);
        reg.writeString("Type", "1");
    }
    screen->show();
    selectByNumber("1");
    ASSERT_TRUE(pty.send("\r\nST0073.10 kg\r\nST00"));
    ASSERT_TRUE(waitFor([&] { return screen->Label4->text() == "73,1"; }));
}

} // namespace
