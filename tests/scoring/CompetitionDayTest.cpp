// A competition day at an office station, walked from the main window
// through visible, enabled widgets only: three athletes of two regions
// registered in the person editor, weighed in with typed weights, drawn,
// distributed to a ring, one bout opened and decided on the scoreboard, and
// the results printed to PDF.
#include "ReachFixture.h"

#include "app/MusteriGiris1.h"
#include "app/dialogs/Agirlik.h"
#include "app/kit/DbConventions.h"
#include "competition/Giris1.h"
#include "competition/KurSec.h"
#include "competition/MusteriGiris3.h"
#include "registry/Bilgi_Giris_1.h"
#include "registry/MaskEdit.h"
#include "registry/MusteriGiris2.h"
#include "scoring/RingDag.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace CompetitionDay {

const QString kClass = QStringLiteral("60 KİLO ERKEK BÜYÜKLER");

struct Athlete {
    QString first, last, region, club, weight, identity, licence;
    QString name() const { return first + " " + last; }
};
// Two of ANKARA, one of İZMİR; identity numbers with their check digits.
const QList<Athlete> kAthletes = {
    {"KEMAL", "ARSLAN", "ANKARA", "ANKARA GÜCÜ", "59,4", "10000000146", "06-049000001"},
    {"ORHAN", "TEKİN", "ANKARA", "ANKARA GÜCÜ", "58,2", "10000000214", "06-049000002"},
    {"SİNAN", "YÜCEL", "İZMİR", "KARŞIYAKA SPOR", "59,9", "10000000382", "35-049000003"}};

class CompetitionDayAtTheOffice : public ReachTest {
protected:
    CompetitionDayAtTheOffice() : ReachTest(StationKind::Office) {}

    void SetUp() override
    {
        ReachTest::SetUp();
        // The reference data a federation keeps: the weight class, the two
        // clubs, the participation points.
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", kClass}, {"Kilo", 60.0},
                              {"AltKilo", 57.01}, {"UstKilo", 60.0}, {"E_B", "E"}, {"Web", "1"}});
        for (const auto& [club, region] : {std::pair{"ANKARA GÜCÜ", "ANKARA"}, std::pair{"KARŞIYAKA SPOR", "İZMİR"}})
            db.insert("C_UYELIKSURESI", {{"Durum_Key", Counters::next(db, "sayik")},
                                         {"Durum", QString::fromUtf8(club)},
                                         {"E1", QString::fromUtf8(region)}});
        ASSERT_NO_FATAL_FAILURE(signInThroughTheWindow("ADMIN", "1234"));
    }

    // Types a date's digits into a date field from its start.
    static void typeDate(TMaskEdit* field, const QString& shown)
    {
        ASSERT_TRUE(Reach::usable(field));
        field->clear();
        field->setFocus();
        field->setCursorPosition(0);
        ASSERT_TRUE(Reach::type(field, QString(shown).remove('.')));
    }

    // The person editor of "Yeni Kayıt", filled as the clerk fills it for a
    // new athlete, with the licence dialog the club's pick opens; "Kaydet",
    // then "Kapat".
    static void expectNewAthlete(const Athlete& a)
    {
        modals().expect("TMusteriGiris2", [a](QDialog*) {
            TMusteriGiris2* e = MusteriGiris2;
            ASSERT_TRUE(Reach::type(e->Edit11, a.first));
            ASSERT_TRUE(Reach::type(e->Edit12, a.last));
            ASSERT_TRUE(Reach::choose(e->DBLookupComboBox2, a.region));
            ASSERT_TRUE(Reach::choose(e->DBLookupComboBox4, "SPORCU"));
            ASSERT_TRUE(Reach::choose(e->DBLookupComboBox8, kClass));
            ASSERT_TRUE(Reach::choose(e->ComboBox2, "ERKEK"));
            ASSERT_TRUE(Reach::choose(e->ComboBox3, "1"));
            ASSERT_TRUE(Reach::type(e->Edit38, "60"));
            ASSERT_NO_FATAL_FAILURE(typeDate(e->MaskEdit3, "12.04.1998"));
            ASSERT_TRUE(Reach::type(e->Edit42, a.identity));
            modals().expect("TBilgi_Giris_1", [a](QDialog*) {
                TBilgi_Giris_1* d = Bilgi_Giris_1;
                d->Edit1->clear();
                ASSERT_TRUE(Reach::type(d->Edit1, a.licence));
                ASSERT_NO_FATAL_FAILURE(typeDate(d->MaskEdit1, "02.02.2026"));
                ASSERT_TRUE(Reach::press(d->BitBtn1));
            });
            ASSERT_TRUE(Reach::choose(e->DBLookupComboBox1, a.club));
            ui().clear();
            ASSERT_TRUE(Reach::press(e->BitBtn1));
            EXPECT_EQ(ui().texts(), QStringList{"Bilgiler Kaydedildi ...!"}) << a.name();
            ASSERT_TRUE(Reach::press(e->BitBtn2));
        });
    }

    QString registerNumberOf(const Athlete& a)
    {
        return db.scalar("select Vergi_Numarasi from C_MUSTERI where Ad_Soyad = :n", {{"n", a.name()}}).toString();
    }
};

TEST_F(CompetitionDayAtTheOffice, FromRegistrationToThePrintedResults)
{
    // --- Registration: " SİCİL " / the person search's "Yeni Kayıt" ----------
    modals().expect("TMusteriGiris1", [&](QDialog*) {
        for (const Athlete& a : kAthletes) {
            expectNewAthlete(a);
            ASSERT_TRUE(Reach::press(MusteriGiris1->BitBtn3));
        }
        ASSERT_TRUE(Reach::press(MusteriGiris1->BitBtn4));
    });
    ASSERT_TRUE(Reach::menu(Main->MainMenu1, " SİCİL ", "  Sporcu Kaydı ve SİCİL İşlemleri "));
    for (const Athlete& a : kAthletes) {
        const auto p = db.first("select * from C_MUSTERI where Ad_Soyad = :n", {{"n", a.name()}});
        ASSERT_TRUE(p.has_value()) << a.name();
        EXPECT_EQ(p->str("Vergi_Dairesi"), a.region);
        EXPECT_EQ(p->str("E16"), a.club);
        EXPECT_EQ(p->str("E53"), kClass);
    }

    // --- Weigh-in: " TARTI " / "  Sporcu TARTI Ekranı", typed weights -------
    modals().expect("TGiris1", [&](QDialog*) {
        ASSERT_TRUE(Reach::choose(Giris1->DBLookupComboBox5, "BÜYÜKLER"));
        ASSERT_TRUE(Reach::choose(Giris1->DBLookupComboBox1, "KULÜPLER ARASI"));
        modals().expect("TMusteriGiris3", [&](QDialog*) {
            TMusteriGiris3* w = MusteriGiris3;
            // The quick registration is offered beside "Yeni Kayıt".
            EXPECT_TRUE(Reach::usable(w->BitBtn10));
            EXPECT_TRUE(Reach::usable(w->BitBtn7));
            for (const Athlete& a : kAthletes) {
                w->Edit6->clear();
                ASSERT_TRUE(Reach::typeAndEnter(w->Edit6, registerNumberOf(a)));
                modals().expect("TAgirlik", [a](QDialog*) {
                    ASSERT_TRUE(Reach::type(Agirlik->Edit1, a.weight));
                    ASSERT_TRUE(Reach::press(Agirlik->BitBtn1));
                });
                ASSERT_TRUE(Reach::press(w->BitBtn2));
            }
            ASSERT_TRUE(Reach::press(w->BitBtn5));
        });
        ASSERT_TRUE(Reach::press(Giris1->BitBtn4));
    });
    ASSERT_TRUE(Reach::menu(Main->MainMenu1, " TARTI ", "  Sporcu TARTI Ekranı"));
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Onay = 1 and Brans = :b", {{"b", kClass}}).toInt(), 3)
        << ui().texts().join(" | ");

    // --- The draw ---------------------------------------------------------------
    onMatchScreen([&] {
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox2, kClass));
        EXPECT_EQ(KuraList->DBGrid2->rowCount(), 3);
        modals().expect("TKur_Sec", [](QDialog*) {
            ASSERT_TRUE(Reach::press(Kur_Sec->RadioButton1));
            ASSERT_TRUE(Reach::press(Kur_Sec->BitBtn4));
        });
        ASSERT_TRUE(Reach::press(KuraList->BitBtn7));
        ASSERT_TRUE(Reach::press(KuraList->BitBtn4));
    });
    const Records drawn = db.select("select * from C_KURA where Brans = :b order by Kura_Key", {{"b", kClass}});
    ASSERT_EQ(drawn.size(), 2) << "a preliminary and the final";

    // --- The ring plan: " KURA " / "  Maçların Ringlere Dağıtılması" ----------
    modals().expect("TRingDag", [this](QDialog*) {
        // The competition's day, the day the scoreboard keeps.
        ASSERT_TRUE(Reach::pickDate(RingDag->DateTimePicker1, kCompetitionDay));
        EXPECT_EQ(RingDag->MaskEdit1->text(), "06.03.2026");
        ASSERT_TRUE(Reach::choose(RingDag->ComboBox1, "1"));
        ASSERT_TRUE(Reach::clickCell(RingDag->DBGrid1, 0, "Brans"));
        answerNext(true);
        ASSERT_TRUE(Reach::press(RingDag->BitBtn1));
        ASSERT_TRUE(Reach::press(RingDag->BitBtn2));
    });
    ASSERT_TRUE(Reach::menu(Main->MainMenu1, " KURA ", "  Maçların Ringlere Dağıtılması"));
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Tar_Saat = '06.03.2026 / RİNG-1'").toInt(), 2);

    // --- The ring's first bout on the scoreboard, decided ------------------------
    QString winner, loser;
    onMatchScreen([&] {
        ASSERT_TRUE(Reach::press(KuraList->RadioButton2));
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox3, KuraList->DBLookupComboBox3->itemText(0)));
        const int row = openBout(KuraList->DBGrid1);
        ASSERT_GE(row, 0);
        winner = KuraList->DBGrid1->record(row).str("Ad1");
        loser = KuraList->DBGrid1->record(row).str("Ad2");
        acceptBoutSettings();
        ASSERT_TRUE(Reach::doubleClickCell(KuraList->DBGrid1, row, "Ad1"));
        ASSERT_NO_FATAL_FAILURE(decideForBlue());
        ASSERT_TRUE(Reach::press(KuraList->BitBtn4));
    });
    const auto decided = db.first("select * from C_KURA where Ad1 = :w and Ad2 = :l", {{"w", winner}, {"l", loser}});
    ASSERT_TRUE(decided.has_value());
    EXPECT_EQ(decided->str("Karar"), "Points");
    EXPECT_EQ(decided->str("Salon"), winner);
    const auto final = db.first("select * from C_KURA where Brans = :b and Tur = 'FİNAL'", {{"b", kClass}});
    ASSERT_TRUE(final.has_value());
    EXPECT_TRUE(final->str("Ad1") == winner || final->str("Ad2") == winner) << "the winner is in the final";

    // --- The results: the left tool bar's "  Müsabaka Sonuç Listeleri" -----------
    expectListTitle("GÜNÜN SONUÇLARI");
    const QString results = expectPdf("sonuclar");
    ASSERT_TRUE(Reach::press(Main->toolButton("ToolButton10")));
    const QString printed = pdfText(results);
    EXPECT_EQ(missing(printed, {"GÜNÜN SONUÇLARI", kClass, winner, loser, "ORTA HAKEM"}), QStringList()) << printed;
}

} // namespace CompetitionDay
