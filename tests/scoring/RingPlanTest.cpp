// The ring plan of a day: three weight classes spread over 2, 4 and 12
// rings in bracket order, the plan on the scoreboard and in the ring list,
// its CSV file, and the ring distribution screen's checks and cancel.
#include "LiveFixture.h"

#include "app/kit/DbGrid.h"
#include "app/kit/ReservedRows.h"
#include "platform/shell/Shell.h"
#include "platform/text/CodePage.h"
#include "reports/Baslik1S.h"
#include "reports/PrintMenu2C1.h"
#include "scoring/RingDag.h"
#include "scoring/RingPlan.h"
#include "support/Screenshot.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QRegularExpression>

namespace RingPlanTestLocal {

const QString kRingPlanBig = QStringLiteral("70 KİLO ERKEK BÜYÜKLER");     // 16 entrants
const QString kRingPlanMid = QStringLiteral("60 KİLO ERKEK BÜYÜKLER");     // 8 entrants
const QString kRingPlanSmall = QStringLiteral("55 KİLO BAYAN BÜYÜKLER");   // 4 entrants
const QString kRingPlanDay = QStringLiteral("09.12.2024");

// Round names of a bracket whose first main round has `bouts` bouts.
QStringList ringPlanRounds(int bouts)
{
    QStringList names;
    int round = 1;
    for (int n = bouts; n >= 1; n /= 2, ++round) {
        if (n == 1)
            names << "FİNAL";
        else if (n == 2)
            names << "YARI FİNAL";
        else if (n == 4)
            names << "ÇEYREK FİNAL";
        else
            names << QString("%1. TUR").arg(round);
    }
    return names;
}

class RingPlanTest : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        // The screen works on the session's connection.
        ASSERT_TRUE(login(kInitialAdminName, kInitialAdminPassword));
    }

    // A whole bracket: the first round seated, later rounds waiting for the
    // labels of the bouts that feed them, a third-place row before the final.
    void addBracket(const QString& branch, int firstRoundBouts)
    {
        const QStringList rounds = ringPlanRounds(firstRoundBouts);
        int bouts = firstRoundBouts;
        for (int r = 0; r < rounds.size(); ++r, bouts /= 2) {
            if (rounds[r] == "FİNAL" && firstRoundBouts >= 2)
                insertBout(db, ++nextKey, {"-", QVariant()}, {"-", QVariant()}, "3.'LÜK MAÇI", "1", branch);
            for (int i = 1; i <= bouts; ++i) {
                Side blue{QString("SPORCU %1").arg(nextNumber), nextNumber};
                Side red{QString("SPORCU %1").arg(nextNumber + 1), nextNumber + 1};
                if (r > 0) {
                    const QString feeder = rounds[r - 1] + " %1.MAÇ";
                    blue = {feeder.arg(2 * i - 1), QVariant()};
                    red = {feeder.arg(2 * i), QVariant()};
                } else {
                    nextNumber += 2;
                }
                insertBout(db, ++nextKey, blue, red, rounds[r], QString::number(i), branch);
            }
        }
    }
    void addThreeClasses()
    {
        addBracket(kRingPlanBig, 8);
        addBracket(kRingPlanMid, 4);
        addBracket(kRingPlanSmall, 2);
    }

    Records planned() { return db.select("select * from C_KURA where Tar_Saat <> '' order by Kura_Key"); }

    // Selects the class rows of the distribution screen by name.
    void selectClasses(const QStringList& names)
    {
        TDBGrid* grid = RingDag->DBGrid1;
        grid->selectionModel()->clearSelection();
        for (int row = 0; row < grid->rowCount(); ++row)
            if (names.contains(grid->record(row).str("Brans")))
                grid->selectionModel()->select(grid->model()->index(row, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void answerForm5(bool yes)
    {
        modals().expect("TForm5", [this, yes](QDialog* d) {
            questions << Form5->Label1->text();
            click(d->findChild<QWidget*>(yes ? "BitBtn1" : "BitBtn2"));
        });
    }

    int nextKey = 0;
    int nextNumber = 11;
    QStringList questions;
};

// --- The plan --------------------------------------------------------------------------

class RingCounts : public RingPlanTest, public ::testing::WithParamInterface<int> {};

TEST_P(RingCounts, EveryPlayedBoutGetsARingAndASlotAfterTheBoutsThatFeedIt)
{
    const int rings = GetParam();
    addThreeClasses();
    const int played = 15 + 7 + 3;   // bouts of 16, 8 and 4 entrants without the third-place rows
    EXPECT_EQ(RingPlan::distribute(db, {kRingPlanBig, kRingPlanMid, kRingPlanSmall}, rings, kRingPlanDay), played);

    const Records rows = planned();
    ASSERT_EQ(rows.size(), played);
    QMap<QString, int> slotOf;   // class + label -> match number
    QSet<QString> places;
    int highestRing = 0;
    const QRegularExpression ringLabel("^09\\.12\\.2024 / RİNG-(\\d+)$");
    for (const Record& b : rows) {
        const auto m = ringLabel.match(b.str("Tar_Saat"));
        ASSERT_TRUE(m.hasMatch()) << b.str("Tar_Saat");
        const int ring = m.captured(1).toInt();
        ASSERT_GE(ring, 1);
        ASSERT_LE(ring, rings);
        highestRing = std::max(highestRing, ring);
        const QString skor = b.str("Skor");
        ASSERT_EQ(skor.left(skor.size() - 3), QString::number(ring)) << skor;
        const int match = skor.right(3).toInt();
        EXPECT_EQ(b.str("StartTime"), QTime(9, 0).addSecs(600 * (match - 1)).toString("HH:mm"));
        EXPECT_FALSE(places.contains(skor)) << "two bouts at " << skor;
        places.insert(skor);
        slotOf[b.str("Brans") + "|" + b.str("Tur") + " " + b.str("Sira") + ".MAÇ"] = match;
        EXPECT_NE(b.str("Tur"), "3.'LÜK MAÇI");
    }
    EXPECT_EQ(highestRing, std::min(rings, 14)) << "the first level has 14 bouts";
    // A waiting side's bout comes in a later slot than the bout feeding it.
    int checked = 0;
    for (const Record& b : rows) {
        for (const char* side : {"Ad1", "Ad2"}) {
            const QString feeder = b.str("Brans") + "|" + b.str(side);
            if (!slotOf.contains(feeder))
                continue;
            EXPECT_LT(slotOf[feeder], slotOf[b.str("Brans") + "|" + b.str("Tur") + " " + b.str("Sira") + ".MAÇ"])
                << b.str("Brans") << " " << b.str("Tur") << " " << b.str("Sira");
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2 * (played - 8 - 4 - 2));
}

INSTANTIATE_TEST_SUITE_P(Rings, RingCounts, ::testing::Values(2, 4, 12));

TEST_F(RingPlanTest, ALaterClassOfTheSameDayComesAfterTheSlotsAlreadyPlanned)
{
    addThreeClasses();
    RingPlan::distribute(db, {kRingPlanSmall}, 2, kRingPlanDay);   // SF 1, SF 2 in slot 1; final in slot 2
    RingPlan::distribute(db, {kRingPlanMid}, 2, kRingPlanDay);
    const auto first = db.scalar("select Skor from C_KURA where Brans = :b and Tur = 'ÇEYREK FİNAL' and Sira = '1'",
                                 {{"b", kRingPlanMid}});
    EXPECT_EQ(first.toString(), "1003");
    EXPECT_EQ(db.scalar("select Skor from C_KURA where Brans = :b and Tur = 'FİNAL'", {{"b", kRingPlanSmall}})
                  .toString(),
              "1002")
        << "the earlier class keeps its places";
}

TEST_F(RingPlanTest, ADistributedBoutOpensOnTheScoreboardWithItsRingAndMatch)
{
    addThreeClasses();
    RingPlan::distribute(db, {kRingPlanBig, kRingPlanMid, kRingPlanSmall}, 12, kRingPlanDay);
    // The twelfth bout of the first level stands in ring 12, slot 1.
    const Record bout = db.first("select * from C_KURA where Skor = '12001'").value_or(Record());
    ASSERT_FALSE(bout.isEmpty());
    match->shownBranch = bout.str("Brans");
    match->current = bout.toInt("Kura_Key");
    modals().expect("TSkorb_giris", [](QDialog*) {
        EXPECT_EQ(Skorb_giris->Edit10->text(), "12");
        EXPECT_EQ(Skorb_giris->Edit9->text(), "001");
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        click(Skorb_giris->BitBtn4);
    });
    live->MsabakayEkranaYkle1Click();
    const Record opened = db.first("select * from C_KURA where Kura_Key = :k", {{"k", bout.value("Kura_Key")}}).value();
    EXPECT_EQ(opened.str("Skor"), "12001");
    EXPECT_EQ(opened.str("Tar_Saat"), "09.12.2024 / RİNG-12");
}

TEST_F(RingPlanTest, ThePlanAsCsvRowsInRingOrderWithQuotedSeparators)
{
    insertBout(db, 1, {"ALİ;VELİ", 11, "ANKARA"}, {"ŞÜKRÜ", 12, "İZMİR"}, "FİNAL", "1", kRingPlanSmall);
    insertBout(db, 2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "1", kRingPlanMid);
    insertBout(db, 3, {"EMRE", 15}, {"FIRAT", 16}, "YARI FİNAL", "2", kRingPlanMid);
    RingPlan::distribute(db, {kRingPlanMid, kRingPlanSmall}, 2, kRingPlanDay);
    const CsvRows rows = RingPlan::csvRows(db, kRingPlanDay);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].join('|'), "Ring|Sıra|Saat|Tur|Branş|Sırt No|Adı Soyadı|Bölge|Sırt No|Adı Soyadı|Bölge|Galip");
    // One level each: dealt in class order over the two rings.
    EXPECT_EQ(rows[1].join('|'), "09.12.2024 / RİNG-1|1|09:00|FİNAL|" + kRingPlanSmall +
                                     "|11|ALİ;VELİ|ANKARA|12|ŞÜKRÜ|İZMİR|");
    EXPECT_EQ(rows[2].join('|'), "09.12.2024 / RİNG-1|2|09:10|YARI FİNAL 2.MAÇ|" + kRingPlanMid +
                                     "|15|EMRE|ANKARA|16|FIRAT|ANKARA|");
    EXPECT_EQ(rows[3].join('|'), "09.12.2024 / RİNG-2|1|09:00|YARI FİNAL 1.MAÇ|" + kRingPlanMid +
                                     "|13|CEM|ANKARA|14|DAVUT|ANKARA|");
}

TEST_F(RingPlanTest, CancelEmptiesTheThreeColumnsOfTheChosenClassesOnly)
{
    addThreeClasses();
    RingPlan::distribute(db, {kRingPlanBig, kRingPlanMid, kRingPlanSmall}, 4, kRingPlanDay);
    EXPECT_EQ(RingPlan::cancel(db, {kRingPlanBig, kRingPlanSmall}), 16 + 4);
    for (const Record& b : db.select("select * from C_KURA")) {
        const bool kept = b.str("Brans") == kRingPlanMid && b.str("Tur") != "3.'LÜK MAÇI";
        EXPECT_EQ(!b.str("Tar_Saat").isEmpty(), kept) << b.str("Brans");
        EXPECT_EQ(!b.str("Skor").isEmpty(), kept);
        EXPECT_EQ(!b.str("StartTime").isEmpty(), kept);
    }
}

TEST_F(RingPlanTest, RingCountsOutsideOneToTwentyAreRefused)
{
    addThreeClasses();
    EXPECT_THROW(RingPlan::distribute(db, {kRingPlanMid}, 0, kRingPlanDay), DbError);
    EXPECT_THROW(RingPlan::distribute(db, {kRingPlanMid}, 21, kRingPlanDay), DbError);
    EXPECT_TRUE(planned().isEmpty());
}

// --- The screen --------------------------------------------------------------------------

TEST_F(RingPlanTest, TheScreenAsksForRingsThenClassesThenConfirmation)
{
    addThreeClasses();
    RingDag->DateTimePicker1->setDate(QDate(2024, 12, 9));
    modals().expect("TRingDag", [this](QDialog*) {
        EXPECT_EQ(RingDag->MaskEdit1->text(), kRingPlanDay);
        EXPECT_EQ(RingDag->DBGrid1->rowCount(), 3);
        EXPECT_EQ(RingDag->ComboBox1->count(), 20);
        saveScreenshot(RingDag, "BRIVEX_RINGDAG_SCREENSHOT", RingDag->size());
        click(RingDag->BitBtn1);
        RingDag->ComboBox1->setCurrentIndex(1);   // "2"
        click(RingDag->BitBtn1);
        selectClasses({kRingPlanMid, kRingPlanSmall});
        answerForm5(false);
        click(RingDag->BitBtn1);
        answerForm5(true);
        click(RingDag->BitBtn1);
        EXPECT_EQ(RingDag->FSelectedBranches, "'" + kRingPlanSmall + "','" + kRingPlanMid + "'");
        EXPECT_EQ(RingDag->FSelectedCount, 2);
        click(RingDag->BitBtn2);
    });
    RingDag->showModal();
    EXPECT_EQ(ui().texts().mid(0, 2), (QStringList{"Lütfen Ring Sayısı Seçiniz ...!", "Lütfen Branşları Seçiniz ...!"}));
    const QString question = "Müsabakaların Yapılacağı Tarih : 09.12.2024,  Seçilen Branş Sayısı : 2\nDevam Edilsinmi ...?";
    EXPECT_EQ(questions, (QStringList{question, question}));
    EXPECT_EQ(planned().size(), 7 + 3) << "only the answer yes distributes, the two chosen classes";
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Tar_Saat <> '' and Brans = :b", {{"b", kRingPlanBig}}).toInt(),
              0);
}

TEST_F(RingPlanTest, TheScreensCancelAsksAndEmptiesTheSelectedClasses)
{
    addThreeClasses();
    RingPlan::distribute(db, {kRingPlanBig, kRingPlanMid, kRingPlanSmall}, 4, kRingPlanDay);
    modals().expect("TRingDag", [this](QDialog*) {
        click(RingDag->BitBtn4);
        selectClasses({kRingPlanBig});
        answerForm5(true);
        click(RingDag->BitBtn4);
        click(RingDag->BitBtn2);
    });
    RingDag->showModal();
    EXPECT_EQ(ui().texts(), (QStringList{"Lütfen Ringlere Dağılımı İptal Edilecek Branşları Seçiniz ...!",
                                         "Seçilen Braşların Ringlere Dağılımı İptal Edilmiştir...!"}));
    EXPECT_EQ(questions, QStringList{"Ringlere Dağılımı İptal Edilecek Branş Sayısı: 1.    Devam Edilsin mi...?"});
    EXPECT_EQ(planned().size(), 7 + 3);
}

TEST_F(RingPlanTest, PrintingPreviewsTheRingListsAndCopiesThePlanAsCsv)
{
    insertBout(db, 1, {"ALİ;VELİ", 11, "ANKARA"}, {"ŞÜKRÜ", 12, "İZMİR"}, "FİNAL", "1", kRingPlanSmall);
    RingPlan::distribute(db, {kRingPlanSmall}, 1, kRingPlanDay);
    RingDag->DateTimePicker1->setDate(QDate(2024, 12, 9));
    const QString pdf = QDir(host("C:\\CO")).filePath("ring.pdf");
    QStringList opened;
    Shell::setHook([&opened](const Shell::Request& r) {
        opened << r.target;
        return true;
    });
    modals().expect("TRingDag", [this, pdf](QDialog*) {
        modals().expect("TBaslik1S", [](QDialog* d) {
            EXPECT_FALSE(Baslik1S->CheckBox2->isVisible());
            Baslik1S->Edit8->setText("RİNG PLANI");
            click(d->findChild<QWidget*>("BitBtn4"));
        });
        modals().expect("ReportPreview", [pdf](QDialog* d) {
            EXPECT_FALSE(RingDag->isEnabled());
            ui().answerFile(pdf);
            click(d->findChild<QWidget*>("SaveButton"));
            // Then the folder of the copy.
            ui().answerFile("C:\\CO\\KOPYA");
            d->close();
        });
        click(RingDag->BitBtn3);
        EXPECT_TRUE(RingDag->isEnabled());
        click(RingDag->BitBtn2);
    });
    QDir().mkpath(host("C:\\CO\\KOPYA"));
    RingDag->showModal();
    Shell::setHook({});

    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("RİNG PLANI")) << printed;
    EXPECT_TRUE(printed.contains("09.12.2024 / RİNG-1 MÜSABAKA LİSTESİ")) << printed;
    EXPECT_TRUE(printed.contains("ŞÜKRÜ")) << printed;

    QFile copy(host("C:\\CO\\KOPYA\\Liste.csv"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QByteArray bytes = copy.readAll();
    const QByteArray expected = Cp1254::encode(
        "Ring;Sıra;Saat;Tur;Branş;Sırt No;Adı Soyadı;Bölge;Sırt No;Adı Soyadı;Bölge;Galip\r\n"
        "09.12.2024 / RİNG-1;1;09:00;FİNAL;" + kRingPlanSmall + ";11;\"ALİ;VELİ\";ANKARA;12;ŞÜKRÜ;İZMİR;\r\n");
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(bytes.contains("R\xDDNG-1;1;09:00;F\xDDNAL")) << "İ is one byte of code page 1254";
    EXPECT_EQ(opened, QStringList{host("C:\\CO\\KOPYA\\Liste.csv")});
}

TEST_F(RingPlanTest, TheCsvCopyGoesIntoTheFolderChosenOnThisMachine)
{
    insertBout(db, 1, {"ALİ", 11, "ANKARA"}, {"ŞÜKRÜ", 12, "İZMİR"}, "FİNAL", "1", kRingPlanSmall);
    RingPlan::distribute(db, {kRingPlanSmall}, 1, kRingPlanDay);
    RingDag->DateTimePicker1->setDate(QDate(2024, 12, 9));
    // The folder chooser answers with a folder of this machine.
    const QString parent = host("C:\\CO");
    const QString folder = QDir(parent).filePath("out");
    QDir().mkpath(folder);
    QStringList opened;
    Shell::setHook([&opened](const Shell::Request& r) {
        opened << r.target;
        return true;
    });
    modals().expect("TRingDag", [folder](QDialog*) {
        modals().expect("TBaslik1S", [](QDialog* d) { click(d->findChild<QWidget*>("BitBtn4")); });
        modals().expect("ReportPreview", [folder](QDialog* d) {
            ui().answerFile(folder);
            d->close();
        });
        click(RingDag->BitBtn3);
        click(RingDag->BitBtn2);
    });
    RingDag->showModal();
    Shell::setHook({});

    const QString copy = QDir(folder).filePath("Liste.csv");
    EXPECT_TRUE(QFileInfo(copy).isFile()) << "in the chosen folder";
    EXPECT_FALSE(QFileInfo::exists(QDir(parent).filePath("out\\Liste.csv"))) << "no file beside it";
    EXPECT_EQ(QDir(parent).entryList({"*Liste.csv"}, QDir::Files), QStringList());
    EXPECT_EQ(opened, QStringList{copy});
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join('|');
}

} // namespace RingPlanTestLocal
