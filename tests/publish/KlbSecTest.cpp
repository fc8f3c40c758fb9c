#include "app/BrivexSchema.h"
#include "app/kit/Session.h"
#include "app/publish/DosyaSec.h"
#include "app/publish/KlbSec.h"
#include "support/ScreenDriving.h"
#include "support/Screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace KlbSecTestLocal {

const QDateTime kMoment(QDate(2024, 3, 5), QTime(9, 7, 2));

QByteArray klbSecRead(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class KlbSecTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 123}, {"Durum", "ABC SPOR"}, {"E1", "KUZEY"}, {"E2", "12345"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 4567}, {"Durum", "XYZ SPOR"}, {"E1", "GÜNEY"}, {"E2", "9876"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 9001}, {"Durum", "KUZEY"}, {"Tip2", "06"}});
        db.insert("C_MUSTERI", {{"Musteri_Key", 7001}, {"Adi", "ALİ"}, {"Soyadi", "O'NEIL"}, {"Ad_Soyad", "ALİ O'NEIL"},
                                {"E50", "SPORCU"}, {"Tip", 1}, {"Vergi_Dairesi", "KUZEY"}, {"E16", "ABC SPOR"},
                                {"E25", "SARI"}, {"M2", QDate(2024, 1, 1)}});
        folder = dir.filePath("club");
        QDir().mkpath(folder);
        pdf = QDir(folder).filePath("sonuc.pdf");
        writeFile(pdf, "%PDF-1.4 club results");
        clubFile = QDir(folder).filePath("Fed.mdb");
        {
            Database club;
            club.open(clubFile, false);
            brivexSchema().create(club);
        }
        dialog = new TKlbSec(session().db, queue);
        dialog->now = [] { return kMoment; };
        dialog->today = [] { return QDate(2024, 3, 15); };
    }
    void TearDown() override
    {
        delete dialog;
        SignedInTest::TearDown();
    }

    // Runs a statement on the club's own file.
    void onClubFile(const QString& sql)
    {
        Database club;
        club.open(clubFile);
        ASSERT_TRUE(QSqlQuery(club.connection()).exec(sql)) << sql.toStdString();
    }
    void choosePdf(const QString& path)
    {
        ui().answerFile(path);
        click(dialog->Label2);
    }
    void chooseClubFile()
    {
        ui().answerFile(clubFile);
        click(dialog->Label1);
    }
    // Club, PDF, period "2" and the club file, as an operator chooses them.
    void chooseAll()
    {
        open(dialog);
        pick(dialog->DBLookupComboBox4, "ABC SPOR");
        choosePdf(pdf);
        pick(dialog->ComboBox3, "2");
        chooseClubFile();
    }
    QString inFolder(const QString& name) const { return QDir(folder).filePath(name); }

    QStringList queue;
    TKlbSec* dialog = nullptr;
    QString folder;
    QString pdf;
    QString clubFile;
};

TEST_F(KlbSecTest, ShowsItsControlsAndEmptiesThemOnActivation)
{
    chooseAll();
    dialog->hide();
    open(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Kulüp Seç");
    EXPECT_EQ(dialog->CheckBox1->text(), "Sonuç Dosyasını Gönder");
    EXPECT_EQ(dialog->CheckBox2->text(), "Kulübün Sporcularını Gönder");
    EXPECT_EQ(dialog->Label2->text(), "Pdf Dosyası Seç");
    EXPECT_EQ(dialog->Label1->text(), "Mdb Dosyası Seç");
    EXPECT_EQ(dialog->BitBtn3->text(), "Devam");
    EXPECT_EQ(dialog->BitBtn1->text(), "İptal");
    EXPECT_EQ(dialog->DBLookupComboBox4->count(), 2) << "every club but the reserved rows";
    EXPECT_TRUE(dialog->Edit8->text().isEmpty());
    EXPECT_TRUE(dialog->Label3->text().isEmpty());
    EXPECT_TRUE(dialog->Label5->text().isEmpty());
    EXPECT_TRUE(dialog->chosenPdfPath().isEmpty());
    EXPECT_EQ(dialog->ComboBox3->currentIndex(), -1);

    pick(dialog->DBLookupComboBox4, "ABC SPOR");
    EXPECT_EQ(dialog->Edit8->text(), "ABC SPOR");
    EXPECT_EQ(dialog->Label6->text(), "KUZEY");
    choosePdf(pdf);
    EXPECT_EQ(dialog->Label3->text(), "sonuc.pdf");
    EXPECT_EQ(ui().requests.last().filter, "Kulüp Sonuç pdf Dosyası (*.pdf)");
    pick(dialog->ComboBox3, "3");
    click(dialog->Label4);
    EXPECT_EQ(dialog->ComboBox3->currentIndex(), -1) << "\"Dönem\" clears the period";
    dialog->CheckBox1->setChecked(false);
    EXPECT_FALSE(dialog->Label2->isEnabled());
    EXPECT_FALSE(dialog->ComboBox3->isEnabled());
    dialog->CheckBox2->setChecked(false);
    EXPECT_FALSE(dialog->Label1->isEnabled());
    dialog->CheckBox1->setChecked(true);
    EXPECT_TRUE(dialog->ComboBox3->isEnabled());
}

struct KlbSecCheckCase {
    bool pdf, clubFile, club, period, result, athletes;
    const char* message;
};
class KlbSecChecks : public KlbSecTest, public ::testing::WithParamInterface<KlbSecCheckCase> {};

TEST_P(KlbSecChecks, StopWithTheirMessageAndKeepTheDialogOpen)
{
    const auto& c = GetParam();
    queue = QStringList{"C:\\CO\\older.dat"};
    open(dialog);
    if (c.club)
        pick(dialog->DBLookupComboBox4, "ABC SPOR");
    if (c.pdf)
        choosePdf(pdf);
    if (c.period)
        pick(dialog->ComboBox3, "1");
    if (c.clubFile)
        chooseClubFile();
    dialog->CheckBox1->setChecked(c.result);
    dialog->CheckBox2->setChecked(c.athletes);
    ui().clear();
    click(dialog->BitBtn3);
    EXPECT_EQ(ui().texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(queue, QStringList{"C:\\CO\\older.dat"}) << "nothing changed";
}

INSTANTIATE_TEST_SUITE_P(
    Order, KlbSecChecks,
    ::testing::Values(KlbSecCheckCase{false, false, false, false, true, true, TKlbSec::kNoPdf},
                      KlbSecCheckCase{true, false, false, false, true, true, TKlbSec::kNoClubFile},
                      KlbSecCheckCase{false, false, true, true, false, true, TKlbSec::kNoClubFile},
                      KlbSecCheckCase{true, true, false, true, true, true, TKlbSec::kNoClub},
                      KlbSecCheckCase{true, true, true, false, true, true, TKlbSec::kNoPeriod},
                      KlbSecCheckCase{false, false, true, false, false, false, TKlbSec::kNothing}));

TEST_F(KlbSecTest, AClubFileWithoutItsClubRowIsMergedAfterTheQuestion)
{
    QString asked;
    modals().expect("TKlbSec", [&](QDialog*) {
        pick(dialog->DBLookupComboBox4, "ABC SPOR");
        choosePdf(pdf);
        pick(dialog->ComboBox3, "2");
        chooseClubFile();
        answerQuestion(true, &asked);
        click(dialog->BitBtn3);
    });
    EXPECT_EQ(dialog->showModal(), QDialog::Accepted);
    EXPECT_EQ(asked, TKlbSec::kEmptyClubFile);
    EXPECT_EQ(dialog->FResultFileName, "ABC SPOR01232--KUZEY.pdf");
    EXPECT_EQ(dialog->FClubCode4, "0123");
    EXPECT_EQ(dialog->chosenPdfPath(), pdf);

    const QString copy = inFolder("ABC SPOR01232--KUZEY.pdf");
    const QString package = inFolder("Fed0123.zip");
    const QString marker = inFolder("ABC_SPO5R4K6U3Z0E2Y1.asp");
    ASSERT_EQ(queue, QStringList({copy, package, marker}));
    EXPECT_EQ(klbSecRead(copy), klbSecRead(pdf));
    EXPECT_FALSE(QFile::exists(package + ".new"));
    EXPECT_EQ(klbSecRead(marker),
              "<head>\r\n<title>KODX05032024090702" "0123" + QByteArray::number(QFileInfo(package).size())
                  + "</title>\r\n</head>\r\n");

    Database merged;
    merged.open(package);
    EXPECT_EQ(merged.scalar("select Durum from C_UYELIKSURESI where Durum_Key = 200").toString(), "ABC SPOR");
    EXPECT_EQ(merged.scalar("select E1 from C_UYELIKSURESI where Durum_Key = 200").toString(), "KUZEY");
    EXPECT_EQ(merged.scalar("select Musteri_Key from C_MUSTERI where Ad_Soyad = :n", {{"n", "ALİ O'NEIL"}}).toInt(),
              10000001);
    EXPECT_EQ(dialog->lastMerge().added, 1);
    Database own;
    own.open(clubFile);
    EXPECT_EQ(own.scalar("select count(*) from C_MUSTERI").toInt(), 0) << "the club's own file stays as it was";
}

TEST_F(KlbSecTest, NoToTheQuestionQueuesNoPackage)
{
    chooseAll();
    answerQuestion(false);
    click(dialog->BitBtn3);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(queue, QStringList{inFolder("ABC SPOR01232--KUZEY.pdf")});
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip")));
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip.new")));
}

TEST_F(KlbSecTest, AnotherClubsFileIsNamedInTheQuestion)
{
    onClubFile("insert into C_UYELIKSURESI (Durum_Key, Durum, E1) values (200, 'XYZ SPOR', 'GÜNEY')");
    chooseAll();
    QString asked;
    answerQuestion(true, &asked);
    click(dialog->BitBtn3);
    EXPECT_EQ(asked, "DİKKAT ...!  XYZ SPOR-GÜNEY\nKulübünü seçtiniz. Devam edilsin mi...?");
    EXPECT_EQ(queue.size(), 3);
}

TEST_F(KlbSecTest, TheClubsOwnFileGoesOnWithoutAQuestion)
{
    onClubFile("insert into C_UYELIKSURESI (Durum_Key, Durum, E1) values (200, 'ABC SPOR', 'KUZEY')");
    chooseAll();
    modals().clear();
    click(dialog->BitBtn3);
    EXPECT_TRUE(modals().seen().isEmpty()) << "no question";
    EXPECT_EQ(queue.size(), 3);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(KlbSecTest, AFileWithSeveralClubRowsIsRefused)
{
    // A file of another program, whose club table has no key of its own.
    onClubFile("drop table C_UYELIKSURESI");
    onClubFile("create table C_UYELIKSURESI (Durum_Key integer, Durum text, E1 text)");
    onClubFile("insert into C_UYELIKSURESI (Durum_Key, Durum, E1) values (200, 'ABC SPOR', 'KUZEY')");
    onClubFile("insert into C_UYELIKSURESI (Durum_Key, Durum, E1) values (200, 'XYZ SPOR', 'GÜNEY')");
    chooseAll();
    ui().clear();
    click(dialog->BitBtn3);
    EXPECT_EQ(ui().texts(), QStringList{TKlbSec::kNotAClubFile});
    EXPECT_EQ(queue, QStringList{inFolder("ABC SPOR01232--KUZEY.pdf")});
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip")));
}

TEST_F(KlbSecTest, APdfThatAlreadyCarriesTheGeneratedNameIsRefused)
{
    const QString named = inFolder("ABC SPOR01232--KUZEY.pdf");
    writeFile(named, "%PDF-1.4 earlier copy");
    open(dialog);
    pick(dialog->DBLookupComboBox4, "ABC SPOR");
    choosePdf(named);
    pick(dialog->ComboBox3, "2");
    chooseClubFile();
    ui().clear();
    click(dialog->BitBtn3);
    EXPECT_EQ(ui().texts(), QStringList{TKlbSec::kWrongPdf});
    EXPECT_TRUE(dialog->FResultFileName.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(klbSecRead(named), "%PDF-1.4 earlier copy");
}

TEST_F(KlbSecTest, AResultAloneNamesTheDocumentAndQueuesNothing)
{
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 12}, {"Durum", "KISA"}, {"E1", "KUZEY"}});
    queue = QStringList{"C:\\CO\\older.dat"};
    open(dialog);
    pick(dialog->DBLookupComboBox4, "KISA");
    choosePdf(pdf);
    pick(dialog->ComboBox3, "1");
    dialog->CheckBox2->setChecked(false);
    click(dialog->BitBtn3);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FResultFileName, "KISA121--KUZEY.pdf");
    EXPECT_EQ(dialog->FClubCode4, "12");
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_FALSE(QFile::exists(inFolder("KISA121--KUZEY.pdf"))) << "the PDF is sent as it is";
}

TEST_F(KlbSecTest, AFailedMergeQueuesNothingAndLeavesNoPackage)
{
    onClubFile("insert into C_UYELIKSURESI (Durum_Key, Durum, E1) values (200, 'ABC SPOR', 'KUZEY')");
    onClubFile("create trigger klbsec_refuse before insert on C_MUSTERI begin select raise(abort, 'refused'); end");
    chooseAll();
    ui().clear();
    click(dialog->BitBtn3);
    ASSERT_EQ(ui().requests.size(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(ui().requests[0].text.contains("refused")) << ui().requests[0].text;
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(dialog->FResultFileName.isEmpty());
    EXPECT_TRUE(dialog->isVisible()) << "the operator may cancel or try again";
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip")));
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip.new")));
}

TEST_F(KlbSecTest, AFileThatIsNoDatabaseIsShownAndNothingQueued)
{
    writeFile(clubFile, "not a database at all, just text");
    chooseAll();
    ui().clear();
    click(dialog->BitBtn3);
    ASSERT_EQ(ui().requests.size(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip.new")));
}

TEST_F(KlbSecTest, CancelEmptiesTheQueue)
{
    queue = QStringList{"C:\\CO\\older.dat"};
    chooseAll();
    click(dialog->BitBtn1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(dialog->FResultFileName.isEmpty());
}

TEST_F(KlbSecTest, Screenshot)
{
    chooseAll();
    if (!saveScreenshot(dialog, "BRIVEX_KLBSEC_SCREENSHOT", dialog->size()))
        GTEST_SKIP() << "BRIVEX_KLBSEC_SCREENSHOT not set";
}

class DosyaSecTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        db.insert("C_TURNUVA", {{"Turnuva_Key", 41}, {"Adi", "TÜRKİYE ŞAMPİYONASI"}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 57}, {"Adi", "BALKAN KUPASI"}});
        dialog = new TDosyaSec(session().db);
        dialog->Label3->setText("sonuc.doc");
    }
    void TearDown() override
    {
        delete dialog;
        SignedInTest::TearDown();
    }
    TDosyaSec* dialog = nullptr;
};

TEST_F(DosyaSecTest, NamesTheChosenTournamentsFile)
{
    open(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Turnuva Seç");
    EXPECT_EQ(dialog->Label3->text(), "sonuc.doc");
    ASSERT_GE(dialog->DBLookupComboBox4->count(), 2);
    EXPECT_EQ(dialog->DBLookupComboBox4->itemText(0), "BALKAN KUPASI") << "the latest first";
    click(dialog->BitBtn3);
    EXPECT_EQ(ui().texts(), QStringList{TDosyaSec::kNoTournament});
    EXPECT_TRUE(dialog->isVisible());
    pick(dialog->DBLookupComboBox4, "TÜRKİYE ŞAMPİYONASI");
    EXPECT_EQ(dialog->Edit8->text(), "TÜRKİYE ŞAMPİYONASI");
    click(dialog->BitBtn3);
    EXPECT_EQ(dialog->FTournamentFileName, "41TUR.doc");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DosyaSecTest, CancelLeavesNoName)
{
    modals().expect("TDosyaSec", [this](QDialog*) {
        pick(dialog->DBLookupComboBox4, "BALKAN KUPASI");
        click(dialog->BitBtn1);
    });
    EXPECT_EQ(dialog->showModal(), QDialog::Rejected);
    EXPECT_TRUE(dialog->FTournamentFileName.isEmpty());
}

} // namespace KlbSecTestLocal
