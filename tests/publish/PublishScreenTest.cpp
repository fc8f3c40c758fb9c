// The publishing screen against a real FTP server: each selection's files
// arrive byte for byte, the rotation on the server, and what a failed run
// keeps for the next one.
#include "PublishFixture.h"

#include "app/publish/Publish4.h"
#include "app/publish/UploadQueue.h"
#include "net/HostileFtpServer.h"
#include "platform/db/Database.h"
#include "support/NoFreeDescriptors.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QScrollBar>


namespace PublishScreenTestLocal {

class PublishScreenTest : public PublishScreenFixture {
protected:
    // A photo of `size` bytes for athlete `key`, changed today.
    QByteArray addPhoto(int key, qint64 size)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Ad_Soyad", QString("SPORCU %1").arg(key)},
                                {"M1", QDate::currentDate()}});
        const QByteArray bytes = ftpTestBytes(size, quint32(key));
        writeFile(host(TPublishPhotos::photoPath(QString::number(key))), bytes);
        return bytes;
    }

    // A server that stops reading a little way into the upload: once the
    // client's time-out has passed without progress, the run stops with its
    // usual line and the queue stays for "Transfer". The client's clock
    // stands still until the server stalls, then moves on half a second at
    // each of its looks.
    void stalledUploadStopsTheRun(bool blocking)
    {
        HostileFtpServer server(HostileFtpServer::Script::StalledStor);
        server.stallAfter = 1000;
        showScreen();
        form->HostNameEdit->setText("127.0.0.1");
        form->PortEdit->setText(QString::number(server.port()));
        form->UserNameEdit->setText("user");
        form->PassWordEdit->setText("secret");
        form->HostDirEdit->setText("/pub");
        form->SyncCheckBox->setChecked(blocking);
        std::atomic<qint64> now{0};
        form->FtpClient1->WaitCheckInterval = 2;
        form->FtpClient1->WaitClock = [&] {
            if (server.stalled)
                now += 500;
            return now.load();
        };
        answerForm5(true);
        click(form->Button4);
        const QStringList queue = queueLines();
        ASSERT_EQ(queue.size(), 5);
        click(form->TransmitAsyncButton);
        runQueue();
        EXPECT_TRUE(log().contains("Error = 426 (426 Timeout)")) << log().toStdString();
        EXPECT_TRUE(log().contains("Aktarım durdu (Dosya gönderilemedi: C:\\CO\\Sonuclar.mdb); kalan 5 satır "
                                   "tekrar gönderilebilir."))
            << log().toStdString();
        EXPECT_EQ(log().contains("Command Failure"), blocking);
        EXPECT_EQ(queueLines(), queue);
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_FALSE(form->FtpClient1->Connected());
        EXPECT_GE(now.load(), 15000);
        form->FtpClient1->WaitClock = nullptr;
    }

    // A database run to a real server that reads slowly but steadily, with
    // a receive buffer it keeps small (as behind a slow line): the client's
    // kernel takes the whole copy (316 KiB) at once, and the server then
    // reads it at 100 KiB/s for some three seconds, against a time-out of
    // two. The upload still drains to the server all that time, so it
    // completes, and the copy is renamed into place.
    void slowReaderRunCompletes(bool blocking)
    {
        FtpTestServer server({"--read-rate", "102400", "--receive-buffer", "16384"});
        ASSERT_TRUE(server.running());
        showScreen();
        aimAt(server);
        form->SyncCheckBox->setChecked(blocking);
        form->FtpClient1->Timeout = 2;
        click(form->Button2);
        const QByteArray copy = ftpTestReadFile(host(TPublishForm::databaseCopyFile()));
        ASSERT_GE(copy.size(), 300 * 1024);
        QElapsedTimer clock;
        clock.start();
        click(form->TransmitAsyncButton);
        runQueue();

        EXPECT_FALSE(log().contains("426")) << log().toStdString();
        EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/db/metafile.res")), copy);
        EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/metafile1.res")));
        EXPECT_TRUE(queueLines().isEmpty());
        // The server took longer than the time-out to read the copy.
        EXPECT_GT(clock.elapsed(), 2000);
        form->FtpClient1->Timeout = 15;
    }

    // "Resimler" with the dialog's "Devam" and "Kapat".
    void choosePhotos()
    {
        modals().expect("TPublishPhotos", [](QDialog* d) {
            d->findChild<QPushButton*>("BitBtn1")->click();
            d->findChild<QPushButton*>("ExitButton")->click();
        });
        click(form->Button3);
    }
};

TEST_F(PublishScreenTest, SingleFileGoesUnderItsNameIntoThePath)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    aimAt(server);
    const QByteArray bytes = ftpTestBytes(70000);
    const QString local = dir.path() + "/Duyuru.pdf";
    writeFile(local, bytes);
    ui().answerFile(local);
    click(form->Button1);
    EXPECT_EQ(form->Edit1->text(), local);
    EXPECT_EQ(form->HostFileEdit->text(), "Duyuru.pdf");

    click(form->TransmitAsyncButton);
    waitForLog("Request ");
    EXPECT_TRUE(log().contains("LastResponse was : '226"));
    EXPECT_TRUE(log().contains("No error"));
    EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/Duyuru.pdf")), bytes);
}

TEST_F(PublishScreenTest, TransferWithNothingChosenWarnsAndConnectsNothing)
{
    showScreen();
    form->HostNameEdit->setText("127.0.0.1");
    click(form->TransmitAsyncButton);
    EXPECT_EQ(ui().lastText(), "Gönderilecek Dosya Bulunamadı ...!");
    EXPECT_FALSE(log().contains("Executing Requested Command"));
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(PublishScreenTest, DatabaseRunLeavesTheNewCopyAsTheLiveFileTwice)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    db.update("C_SIFRE", {{"Sifre", "gizli"}}, "Key_No = 1");
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 42}, {"Durum", "A&B <SPOR>"}, {"E1", "ANKARA"}, {"Faal", ""}});
    showScreen();
    aimAt(server);

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        click(form->Button2);
        EXPECT_EQ(form->Edit1->text(), "VERİTABANI SEÇİLDİ...");
        EXPECT_EQ(form->Label13->text(), "Dosyalar");
        EXPECT_EQ(queueLines(), QStringList({"c:\\co\\qvx_prog\\klfile.asp", "c:\\co\\qvx_prog\\metafile1.res",
                                             "Delete1", "Rename1", "Rename2", "Delete2"}));
        const QByteArray copy = ftpTestReadFile(host(TPublishForm::databaseCopyFile()));
        click(form->TransmitAsyncButton);
        runQueue();

        EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/db/metafile.res")), copy);
        EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/db/klfile.asp")),
                  ftpTestReadFile(host(TPublishForm::clubListFile())));
        EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/metafile2.res")));
        EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/metafile1.res")));
        EXPECT_TRUE(queueLines().isEmpty());
        EXPECT_EQ(form->Label12->text(), "0");
        EXPECT_TRUE(form->Edit1->text().isEmpty());
    }

    // The published copy is a database without the passwords.
    QFile::copy(server.serverPath("pub/db/metafile.res"), dir.path() + "/published.db");
    Database published;
    published.open(dir.path() + "/published.db");
    EXPECT_TRUE(published.first("select * from C_SIFRE where Key_No = 1")->isNull("Sifre"));
    EXPECT_EQ(published.scalar("select count(*) from C_SIFRE where Sifre is not null").toInt(), 0);
    EXPECT_EQ(published.scalar("select Durum from C_UYELIKSURESI where Durum_Key = 42").toString(), "A&B <SPOR>");
    EXPECT_FALSE(ftpTestReadFile(server.serverPath("pub/db/metafile.res")).contains("gizli"));
}

TEST_F(PublishScreenTest, ResultsRunPublishesTheResultsDatabaseAsResult)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    aimAt(server);
    QDir(server.home()).mkpath("pub/db");
    ftpTestWriteFile(server.serverPath("pub/db/Result.mdb"), "OLD RESULTS");

    // A local file that carries a keyword's name is never sent for it.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    writeFile(dir.path() + "/Delete3", "not a results file");

    answerForm5(false);
    click(form->Button4);
    EXPECT_FALSE(form->CheckBox1->isChecked());
    EXPECT_EQ(form->Edit1->text(), "KURA SONUÇLARI SEÇİLDİ...");
    EXPECT_EQ(queueLines(), QStringList({"C:\\CO\\Sonuclar.mdb", "Delete3", "Rename3", "Rename4", "Delete4"}));
    click(form->TransmitAsyncButton);
    runQueue();
    QDir::setCurrent(before);

    const QByteArray local = ftpTestReadFile(host("C:\\CO\\Sonuclar.mdb"));
    EXPECT_TRUE(local.startsWith("SQLite format 3"));
    EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/db/Result.mdb")), local);
    EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/Result2.mdb")));
    EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/Sonuclar.mdb")));
    EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/Delete3")));
    EXPECT_TRUE(queueLines().isEmpty());
}

TEST_F(PublishScreenTest, RefusedUploadLeavesTheLiveFileAndKeepsTheQueue)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    // "reader" may read and list but not store.
    aimAt(server, "reader");
    ftpTestWriteFile(server.serverPath("pub/db/Result.mdb"), "LIVE RESULTS");

    answerForm5(true);
    click(form->Button4);
    EXPECT_TRUE(form->CheckBox1->isChecked());
    click(form->TransmitAsyncButton);
    runQueue();

    EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/db/Result.mdb")), "LIVE RESULTS");
    EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/Result2.mdb")));
    EXPECT_EQ(queueLines(), QStringList({"C:\\CO\\Sonuclar.mdb", "Delete3", "Rename3", "Rename4", "Delete4"}));
    EXPECT_TRUE(log().contains("Error = 550"));

    // "Transfer" retries the same queue; with a writer it goes through.
    form->UserNameEdit->setText("user");
    click(form->TransmitAsyncButton);
    runQueue();
    EXPECT_EQ(ftpTestReadFile(server.serverPath("pub/db/Result.mdb")), ftpTestReadFile(host("C:\\CO\\Sonuclar.mdb")));
    EXPECT_TRUE(queueLines().isEmpty());
}

TEST_F(PublishScreenTest, AStalledUploadStopsTheRunAfterTheTimeOut)
{
    stalledUploadStopsTheRun(false);
}

TEST_F(PublishScreenTest, AStalledUploadStopsTheRunAfterTheTimeOutInSyncMode)
{
    stalledUploadStopsTheRun(true);
}

TEST_F(PublishScreenTest, AnUploadStillDrainingToASlowServerIsRenamedIntoPlace)
{
    slowReaderRunCompletes(false);
}

TEST_F(PublishScreenTest, AnUploadStillDrainingToASlowServerIsRenamedIntoPlaceInSyncMode)
{
    slowReaderRunCompletes(true);
}

TEST_F(PublishScreenTest, ASocketErrorRaisedByAnUploadIsLoggedAndTheRunStops)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    aimAt(server);
    answerForm5(true);
    click(form->Button4);
    const QStringList queue = queueLines();
    click(form->TransmitAsyncButton);
    // Up to the first upload: logged in, in the folder, type set.
    QElapsedTimer guard;
    guard.start();
    while (!(form->FQueueRunning && form->StateLabel->text() == "1") && guard.elapsed() < 60000) {
        if (form->Timer1->isActive())
            form->Timer1Timer();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(form->FQueueRunning) << log().toStdString();

    // No file handle left for the data socket: the upload's PutAsync raises
    // "Socket Error 10024" on top of its own failure.
    bool escaped = false;
    {
        NoFreeDescriptors none;
        ASSERT_TRUE(none.active());
        try {
            form->Timer1Timer();
        } catch (...) {
            escaped = true;
        }
    }
    EXPECT_FALSE(escaped);
    runQueue();
    EXPECT_TRUE(log().contains("Socket Error 10024")) << log().toStdString();
    EXPECT_TRUE(log().contains("Aktarım durdu (Data connection winsock.bind failed, error #10024); kalan 5 satır "
                               "tekrar gönderilebilir."))
        << log().toStdString();
    EXPECT_EQ(queueLines(), queue);
}

TEST_F(PublishScreenTest, RefusedLoginAndMissingFolderStopWithTheQueueKept)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    showScreen();
    aimAt(server);
    answerForm5(false);
    click(form->Button4);
    const QStringList queue = queueLines();

    form->PassWordEdit->setText("wrong");
    click(form->TransmitAsyncButton);
    runQueue();
    EXPECT_EQ(queueLines(), queue);
    EXPECT_FALSE(form->Timer1->isActive());

    form->PassWordEdit->setText("secret");
    form->HostDirEdit->setText("/nowhere");
    click(form->TransmitAsyncButton);
    runQueue();
    EXPECT_EQ(queueLines(), queue);
    EXPECT_FALSE(QFile::exists(server.serverPath("Sonuclar.mdb")));
    EXPECT_FALSE(QFile::exists(server.serverPath("pub/db/Sonuclar.mdb")));
}

TEST_F(PublishScreenTest, DroppedConnectionKeepsThePhotosAndTheyResumeAfterClosing)
{
    FtpTestServer dropping({"--drop-after", "30000"});
    FtpTestServer good;
    ASSERT_TRUE(dropping.running());
    ASSERT_TRUE(good.running());
    QList<QByteArray> photos;
    for (int key : {11, 12, 13})
        photos << addPhoto(key, 60000);
    showScreen();
    aimAt(dropping);

    choosePhotos();
    EXPECT_EQ(ui().lastText(), "3 Adet Resim Seçildi ...!");
    EXPECT_EQ(form->Label13->text(), "Resimler");
    EXPECT_EQ(form->Edit1->text(), "RESIMLER SEÇİLDİ...");
    const QStringList queue = queueLines();
    ASSERT_EQ(queue.size(), 3);
    click(form->TransmitAsyncButton);
    runQueue();
    EXPECT_EQ(queueLines(), queue);

    // Closing keeps the photo queue; the next showing takes it up again.
    form->close();
    QStringList saved = UploadQueue::loadSaved();
    EXPECT_EQ(saved, queue);
    showScreen();
    EXPECT_EQ(queueLines(), queue);
    EXPECT_EQ(form->Label13->text(), "Resimler");
    EXPECT_EQ(form->Edit1->text(), "AKTARILAMAYAN RESIMLER SEÇİLDİ...");

    aimAt(good);
    click(form->TransmitAsyncButton);
    runQueue();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ftpTestReadFile(good.serverPath(QString("pub/fed/R%1.jpg").arg(11 + i))), photos[i]) << i;
    EXPECT_TRUE(queueLines().isEmpty());
    form->close();
    EXPECT_TRUE(UploadQueue::loadSaved().isEmpty());
}

TEST_F(PublishScreenTest, ClosingDropsAFilesQueue)
{
    showScreen();
    answerForm5(false);
    click(form->Button4);
    form->close();
    EXPECT_TRUE(QFile::exists(host("C:\\CO\\ResFile.dat")));
    EXPECT_EQ(QFile(host("C:\\CO\\ResFile.dat")).size(), 0);
    showScreen();
    EXPECT_TRUE(queueLines().isEmpty());
    EXPECT_FALSE(form->FQueueMode);
}

TEST_F(PublishScreenTest, ReturningFromItsDialogsKeepsTheQueue)
{
    addPhoto(21, 5000);
    showScreen();
    QEvent firstActivation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(form, &firstActivation);
    choosePhotos();
    const QStringList queue = queueLines();
    ASSERT_EQ(queue.size(), 1);
    // The screen takes the focus back from its modal dialog: the same
    // showing, so nothing is reset.
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(form->PublishPhotos, &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(form, &activate);
    QCoreApplication::processEvents();
    EXPECT_EQ(queueLines(), queue);
    EXPECT_TRUE(form->FQueueMode);
}

TEST_F(PublishScreenTest, ClearAsksOnlyWhenSomethingIsQueued)
{
    showScreen();
    form->Edit1->setText("x");
    click(form->ClearButton);
    EXPECT_TRUE(modals().seen().isEmpty());
    EXPECT_TRUE(form->Edit1->text().isEmpty());

    answerForm5(false);
    click(form->Button4);
    form->AppendLogLine("line");
    answerForm5(false);
    click(form->ClearButton);
    ASSERT_EQ(modals().seen().size(), 2);
    EXPECT_EQ(form->Edit1->text(), "KURA SONUÇLARI SEÇİLDİ...");
    EXPECT_EQ(queueLines().size(), 5);

    answerForm5(true);
    click(form->ClearButton);
    EXPECT_TRUE(queueLines().isEmpty());
    EXPECT_TRUE(form->Edit1->text().isEmpty());
    EXPECT_TRUE(log().isEmpty());
    EXPECT_FALSE(form->FQueueMode);
    EXPECT_FALSE(form->FResultsPending);
}

TEST_F(PublishScreenTest, ClearQuestionNamesTheQueueKind)
{
    showScreen();
    answerForm5(false);
    click(form->Button4);
    QString asked;
    modals().expect("TForm5", [&](QDialog* d) {
        asked = static_cast<TForm5*>(d)->Label1->text();
        static_cast<TForm5*>(d)->BitBtn2->click();
    });
    click(form->ClearButton);
    EXPECT_EQ(asked, "Seçili Olan Dosyalar İptal Edilecektir. Devam Edilsinmi ...?");
}

TEST_F(PublishScreenTest, LogKeepsItsLastLines)
{
    showScreen();
    form->DisplayMemo->clear();
    for (int i = 1; i <= 201; ++i)
        form->AppendLogLine(QString("satır %1").arg(i));
    EXPECT_EQ(form->DisplayMemo->document()->blockCount(), 201);
    form->AppendLogLine("son");
    EXPECT_EQ(form->DisplayMemo->document()->blockCount(), 152);
    const QStringList lines = log().split('\n');
    EXPECT_EQ(lines.first(), "satır 51");
    EXPECT_EQ(lines.last(), "son");
}

TEST_F(PublishScreenTest, EveryNewLogLineShowsFromItsStart)
{
    showScreen();
    form->DisplayMemo->clear();
    QScrollBar* across = form->DisplayMemo->horizontalScrollBar();
    const QString longLine = "226 " + QString(400, 'x') + " SON";
    // Long lines (a file's whole path, a server's long answer) and short
    // ones: each shows from its start, whatever the line before it scrolled
    // to (the log is scrolled to the right in between, as a reader does).
    for (const QString& line : {longLine, QString("Bağlantı kesildi."), longLine, longLine, QString("221 Goodbye.")}) {
        SCOPED_TRACE(line.left(20).toStdString());
        form->AppendLogLine(line);
        EXPECT_EQ(across->value(), across->minimum());
        across->setValue(across->maximum());
    }
    ASSERT_GT(across->maximum(), 0) << "the log is narrower than the long line";
}

TEST_F(PublishScreenTest, SettingsAreTheUsersOwnAndSurviveAClose)
{
    showScreen();
    EXPECT_EQ(form->PortEdit->text(), "21");
    EXPECT_TRUE(form->BinaryCheckBox->isChecked());
    form->HostNameEdit->setText("ftp.example.org");
    form->PassWordEdit->setText("pa=ss");
    form->close();

    const QFileInfo info(form->FIniFileName);
    ASSERT_TRUE(info.exists());
    EXPECT_TRUE(form->FIniFileName.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + "/brivex/"));
    EXPECT_EQ(info.permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(QFileInfo(info.absolutePath()).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_FALSE(form->FIniFileName.startsWith(DriveMap::dataRoot()));
}

}
