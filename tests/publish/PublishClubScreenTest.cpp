// The publishing screen's club files through its own buttons: "Kulüp Sonuç"
// with the club dialog scripted as an operator fills it, the files arriving
// on a real FTP server, and a tournament's Word result file named through
// the tournament dialog.
#include "PublishFixture.h"

#include "app/BrivexSchema.h"
#include "app/publish/DosyaSec.h"
#include "app/publish/KlbSec.h"
#include "platform/db/Database.h"
#include "support/ScreenDriving.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

namespace PublishClubScreenTestLocal {

class PublishClubScreenTest : public PublishScreenFixture {
protected:
    void SetUp() override
    {
        PublishScreenFixture::SetUp();
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 123}, {"Durum", "ABC SPOR"}, {"E1", "KUZEY"}, {"E2", "12345"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 9001}, {"Durum", "KUZEY"}, {"Tip2", "06"}});
        db.insert("C_MUSTERI", {{"Musteri_Key", 7001}, {"Adi", "ALİ"}, {"Soyadi", "KAYA"}, {"Ad_Soyad", "ALİ KAYA"},
                                {"E50", "SPORCU"}, {"Tip", 1}, {"Vergi_Dairesi", "KUZEY"}, {"E16", "ABC SPOR"},
                                {"M2", QDate(2024, 1, 1)}});
        folder = dir.filePath("kulup");
        QDir().mkpath(folder);
        pdf = QDir(folder).filePath("sonuc.pdf");
        writeFile(pdf, ftpTestBytes(30000, 7));
        clubFile = QDir(folder).filePath("Fed.mdb");
        Database club;
        club.open(clubFile, false);
        brivexSchema().create(club);
    }

    // "Kulüp Sonuç" with the club, the PDF and period "2" chosen; the club
    // file too when `athletes`; "Devam" or "İptal" as `proceed` says.
    void chooseClubFiles(bool athletes, bool proceed)
    {
        modals().expect("TKlbSec", [this, athletes, proceed](QDialog*) {
            TKlbSec* d = form->KlbSec;
            pick(d->DBLookupComboBox4, "ABC SPOR");
            ui().answerFile(pdf);
            click(d->Label2);
            pick(d->ComboBox3, "2");
            d->CheckBox2->setChecked(athletes);
            if (athletes) {
                ui().answerFile(clubFile);
                click(d->Label1);
                // The club file has no club row yet: the operator goes on.
                if (proceed)
                    answerQuestion(true);
            }
            click(proceed ? d->BitBtn3 : d->BitBtn1);
        });
        click(form->Button5);
    }

    QString inFolder(const QString& name) const { return QDir(folder).filePath(name); }

    QString folder;
    QString pdf;
    QString clubFile;
};

const char* const kClubResultName = "ABC SPOR01232--KUZEY.pdf";

TEST_F(PublishClubScreenTest, ResultAloneGoesAsOneFileIntoTheDbFolder)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    aimAt(server);
    chooseClubFiles(false, true);

    EXPECT_EQ(form->Edit1->text(), pdf);
    EXPECT_EQ(form->HostFileEdit->text(), QString("db/") + kClubResultName);
    EXPECT_FALSE(form->FQueueMode);
    EXPECT_TRUE(queueLines().isEmpty());

    click(form->TransmitAsyncButton);
    waitForLog("Request ");
    EXPECT_TRUE(log().contains("No error")) << log().toStdString();
    EXPECT_EQ(ftpTestReadFile(server.serverPath(QString("pub/db/") + kClubResultName)), ftpTestReadFile(pdf));
}

TEST_F(PublishClubScreenTest, ResultAndAthletesQueueThreeFilesThatArriveByteForByte)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    aimAt(server);
    chooseClubFiles(true, true);

    const QString copy = inFolder(kClubResultName);
    const QString package = inFolder("Fed0123.zip");
    const QString marker = inFolder("ABC_SPO5R4K6U3Z0E2Y1.asp");
    EXPECT_EQ(form->Label13->text(), "Dosyalar");
    EXPECT_EQ(form->Edit1->text(), "DOSYALAR SEÇİLDİ...");
    EXPECT_TRUE(form->FQueueMode);
    ASSERT_EQ(queueLines(), QStringList({copy, package, marker}));

    click(form->TransmitAsyncButton);
    runQueue();
    for (const QString& local : {copy, package, marker}) {
        SCOPED_TRACE(local.toStdString());
        const QString remote = server.serverPath("pub/db/" + QFileInfo(local).fileName());
        ASSERT_TRUE(QFile::exists(remote)) << log().toStdString();
        EXPECT_EQ(ftpTestReadFile(remote), ftpTestReadFile(local));
    }
    EXPECT_EQ(ftpTestReadFile(inFolder(kClubResultName)), ftpTestReadFile(pdf));
    EXPECT_TRUE(queueLines().isEmpty());
    EXPECT_TRUE(form->Edit1->text().isEmpty());
}

TEST_F(PublishClubScreenTest, CancelInTheDialogLeavesNothingQueued)
{
    showScreen();
    click(form->Button2);
    ASSERT_FALSE(queueLines().isEmpty()) << "a database run was chosen before";

    chooseClubFiles(true, false);
    EXPECT_TRUE(queueLines().isEmpty());
    EXPECT_TRUE(form->FQueue.isEmpty());
    EXPECT_TRUE(form->Edit1->text().isEmpty());
    EXPECT_FALSE(form->FQueueMode);
    EXPECT_FALSE(QFile::exists(inFolder("Fed0123.zip")));
}

struct SkatingCase {
    bool chooseTournament;
    const char* edit1;        // "" or "path" for the chosen file
    const char* hostFile;
};

class PublishSkating : public PublishClubScreenTest, public ::testing::WithParamInterface<SkatingCase> {};

TEST_P(PublishSkating, NamesTheWordFileAfterTheTournament)
{
    const SkatingCase& c = GetParam();
    db.insert("C_TURNUVA", {{"Turnuva_Key", 41}, {"Adi", "TÜRKİYE ŞAMPİYONASI"}});
    db.insert("C_TURNUVA", {{"Turnuva_Key", 57}, {"Adi", "BALKAN KUPASI"}});
    const QString doc = dir.filePath("skating.doc");
    writeFile(doc, "word");
    showScreen();
    click(form->Button2);
    form->HostFileEdit->setText("onceki.txt");

    QString shownName;
    modals().expect("TDosyaSec", [&](QDialog*) {
        shownName = form->DosyaSec->Label3->text();
        if (c.chooseTournament) {
            pick(form->DosyaSec->DBLookupComboBox4, "TÜRKİYE ŞAMPİYONASI");
            click(form->DosyaSec->BitBtn3);
        } else {
            click(form->DosyaSec->BitBtn1);
        }
    });
    ui().answerFile(doc);
    form->Skating();

    EXPECT_EQ(ui().requests.last().filter, "Skating Sonuç Word Dosyası (*.doc)");
    EXPECT_EQ(shownName, "skating.doc");
    EXPECT_EQ(form->Edit1->text(), QString(c.edit1).isEmpty() ? QString() : doc);
    EXPECT_EQ(form->HostFileEdit->text(), c.hostFile);
    EXPECT_FALSE(form->FQueueMode);
    EXPECT_EQ(queueLines().isEmpty(), c.chooseTournament);
}

INSTANTIATE_TEST_SUITE_P(Dialog, PublishSkating,
                         ::testing::Values(SkatingCase{true, "path", "db/41TUR.doc"},
                                           SkatingCase{false, "", "onceki.txt"}));

} // namespace PublishClubScreenTestLocal
