// The exam package screen driven through its controls: the list, the
// checks, a package on a drive, the upload to a loopback web form and its
// retry.

#include "app/MusteriGiris1.h"
#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "exchange/BilgiAktar.h"
#include "exchange/ExamUpload.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/web/FormUpload.h"
#include "platform/zip/ZipArchive.h"
#include "registry/MaskEdit.h"
#include "support/LoopbackHttp.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include <functional>

namespace BilgiAktarTestLocal {

class BilgiAktarTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login("ADMIN", "1234"));
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", "KARTAL'IN SPOR KULÜBÜ"}, {"E1", "İSTANBUL"}});
        db.exec("delete * from KUSAK");
        int key = 100;
        for (const char* belt : {"BEYAZ KUŞAK", "SARI KUŞAK", "TURUNCU KUŞAK"})
            db.insert("KUSAK", {{"Kusak_Key", ++key}, {"Kusak_Adi", QString::fromUtf8(belt)}});
        addAthlete(1, "AYŞE GÜLER");
        addAthlete(2, "MEHMET ÖZ");
        addAthlete(3, "ZEKİ ŞAHİN");
        for (int k : {1, 2, 3})
            writeFile(host("C:\\CO\\QVX_PROG\\R" + QString::number(k) + ".jpg"), "jpeg-" + QByteArray::number(k));
        QDir().mkpath(dir.filePath("usb"));
        DriveMap::mapDrive('E', dir.filePath("usb"), false);
        screen = BilgiAktar;
        screen->FSelectionWhere = " where Musteri_Key in (1, 2)";
        screen->FSelectionParams = {};
        screen->FOrderBy = "Ad_Soyad";
    }
    void addAthlete(int key, const QString& name)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key},         {"Ad_Soyad", name},
                                {"Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0'))},
                                {"E48", "HOCA"},              {"E42", "10000000146"},
                                {"E75", "BEYAZ KUŞAK"},       {"E25", "SARI KUŞAK"},
                                {"E26", "L-" + QString::number(key)}});
    }
    // Runs the screen modally; the script drives it and closes it.
    void run(std::function<void()> script)
    {
        modals().expect("TBilgiAktar", [script](QDialog* d) {
            script();
            d->close();
        });
        screen->showModal();
    }
    template <class T>
    T* c(const QString& name)
    {
        return child<T>(screen, name);
    }
    void fill()
    {
        c<TMaskEdit>("MaskEdit1")->setMaskedText("15.06.2010");
        const QList<QPair<const char*, const char*>> texts = {
            {"Edit1", "ÖMER ÇELİK"}, {"Edit2", "1234567"}, {"Edit15", "5"},      {"Edit16", "AB-77"},
            {"Edit13", "İSMAİL GÜR"}, {"Edit3", "ALİ VELİ"}, {"Edit4", "2345678"}, {"Edit5", "3"},
        };
        for (const auto& t : texts)
            c<QLineEdit>(t.first)->setText(QString::fromUtf8(t.second));
    }
    void chooseDrive(const QString& letter)
    {
        QComboBox* box = c<QComboBox>("DriveComboBox1");
        box->setCurrentIndex(box->findData(letter));
    }
    // The result document, then the question of Form5 answered.
    void expectDocumentAndQuestion(const QString& question, bool go)
    {
        modals().expect("ReportPreview", [](QDialog* d) { d->close(); });
        modals().expect("TForm5", [question, go](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), question);
            EXPECT_EQ(Form5->BitBtn1->text(), "Devam");
            EXPECT_EQ(Form5->BitBtn2->text(), QString::fromUtf8("İptal"));
            click(go ? Form5->BitBtn1 : Form5->BitBtn2);
        });
    }
    static QString driveQuestion()
    {
        return QString::fromUtf8("İmtihan Sonuçları Federasyona Gönderilmek Üzere Sürücüye Aktarılacaktır.\n"
                                 "Diskete Kaydedecekseniz Yazım Korumasını Açıp Sürücüye Yerleştirmeyi Unutmayınız ...!");
    }
    static QString webQuestion()
    {
        return QString::fromUtf8("İmtihan Sonuçları Açılacak Olan Web Ekranından Federasyona Gönderilecektir.\n"
                                 "Lütfen İnternet Bağlantınızın Çalışır Durumda Olduğundan Emin Olunuz ...!");
    }
    QString label(const char* name) { return c<QLabel>(name)->text(); }

    TBilgiAktar* screen = nullptr;
};

TEST_F(BilgiAktarTest, ActivationListsTheChosenAthletesWithTheirPhotosAndTheClub)
{
    QFile::remove(host("C:\\CO\\QVX_PROG\\R2.jpg"));
    run([&] {
        EXPECT_EQ(screen->windowTitle(), QString::fromUtf8("İmtihan Listesi ve Aktarım Ekranı"));
        EXPECT_EQ(c<QLineEdit>("Edit14")->text(), QString::fromUtf8("KARTAL'IN SPOR KULÜBÜ"));
        EXPECT_EQ(c<QLineEdit>("Edit12")->text(), QString::fromUtf8("İSTANBUL"));
        EXPECT_EQ(screen->FClubKey, "200");
        EXPECT_EQ(label("Label15"), QString::fromUtf8("Sporcu Sayısı : 2"));
        EXPECT_EQ(label("Label1"), QString::fromUtf8("Sürücüye kayıt yapacaksanız, Lütfen aşağıdan sürücüyü seçiniz."));
        TDBGrid* grid = c<TDBGrid>("DBGrid1");
        ASSERT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(grid->cellText(0, 1), QString::fromUtf8("AYŞE GÜLER"));
        EXPECT_EQ(grid->cellText(0, 5), "VAR");
        EXPECT_EQ(grid->cellText(1, 5), "-");
        QStringList titles;
        for (const GridColumn& col : grid->columns())
            titles << col.shownTitle();
        EXPECT_EQ(titles, (QStringList{"Sicil No", QString::fromUtf8("Adı Soyadı"), QString::fromUtf8("Eski Kuşak"),
                                       QString::fromUtf8("Yeni Kuşak"), "Lisans No", "Resim"}));
        EXPECT_FALSE(c<QWidget>("Panel2")->isVisible());
        EXPECT_FALSE(c<QWidget>("SpeedButton1")->isVisible());
        // No drive "A" in the map: no drive chosen.
        EXPECT_EQ(c<QComboBox>("DriveComboBox1")->currentIndex(), -1);
        EXPECT_GE(c<QComboBox>("DriveComboBox1")->findData("E"), 0);

        // A new belt chosen in the grid is stored at once.
        ASSERT_TRUE(grid->setCurrentRow(1));
        ASSERT_TRUE(grid->setFieldValue("E25", QString::fromUtf8("TURUNCU KUŞAK")));
        QCoreApplication::processEvents();
        EXPECT_EQ(grid->state(), TDBGrid::Browse);
        EXPECT_TRUE(screen->FChanged);
    });
    EXPECT_EQ(db.scalar("select E25 from C_MUSTERI where Musteri_Key = 2").toString(),
              QString::fromUtf8("TURUNCU KUŞAK"));
}

TEST_F(BilgiAktarTest, AClubsTableWithoutExactlyOneClubAllowsNoPackage)
{
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 201}, {"Durum", "İKİNCİ"}});
    run([&] {
        EXPECT_FALSE(c<QPushButton>("BitBtn1")->isEnabled());
        EXPECT_FALSE(c<QPushButton>("BitBtn3")->isEnabled());
        EXPECT_EQ(c<TDBGrid>("DBGrid1")->rowCount(), 0);
    });
    ASSERT_EQ(ui().texts().size(), 1);
    EXPECT_TRUE(ui().lastText().contains("3 kayıt")) << ui().lastText().toStdString();
}

TEST_F(BilgiAktarTest, EveryOpeningStartsAfreshAfterARefusalOrAPackage)
{
    const QString refusal = QString::fromUtf8(
        "İmtihan listesi yalnız kendi kulübünün kaydını taşıyan kulüp veritabanında hazırlanabilir. Kulüpler "
        "tablosunda 3 kayıt bulunduğundan aktarım yapılamaz ...!");
    auto expectRefused = [&] {
        EXPECT_EQ(c<QLineEdit>("Edit12")->text(), "");
        EXPECT_EQ(c<QLineEdit>("Edit14")->text(), "");
        EXPECT_EQ(c<TDBGrid>("DBGrid1")->rowCount(), 0);
        EXPECT_FALSE(c<QPushButton>("BitBtn1")->isEnabled());
        // The screen says why, also once the notice is gone.
        EXPECT_EQ(label("Label2"), "AKTARIM YAPILAMAZ");
        EXPECT_EQ(label("Label1"), refusal);
    };
    auto expectReady = [&] {
        EXPECT_EQ(c<QLineEdit>("Edit12")->text(), QString::fromUtf8("İSTANBUL"));
        EXPECT_EQ(c<QLineEdit>("Edit14")->text(), QString::fromUtf8("KARTAL'IN SPOR KULÜBÜ"));
        EXPECT_EQ(c<TDBGrid>("DBGrid1")->rowCount(), 2);
        EXPECT_EQ(label("Label15"), QString::fromUtf8("Sporcu Sayısı : 2"));
        EXPECT_TRUE(c<QPushButton>("BitBtn1")->isEnabled());
        EXPECT_TRUE(c<QPushButton>("BitBtn3")->isEnabled());
        EXPECT_EQ(label("Label2"), "");
        EXPECT_EQ(label("Label1"), QString::fromUtf8("Sürücüye kayıt yapacaksanız, Lütfen aşağıdan sürücüyü seçiniz."));
    };

    // A package first: the next opening does not show it as done.
    run([&] {
        fill();
        chooseDrive("E");
        expectDocumentAndQuestion(driveQuestion(), true);
        click(c<QPushButton>("BitBtn1"));
        EXPECT_EQ(label("Label2"), "KAYIT TAMAMLANDI");
    });
    run(expectReady);

    // Refused twice: each opening says why.
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 201}, {"Durum", "İKİNCİ"}});
    ui().clear();
    run(expectRefused);
    run(expectRefused);
    EXPECT_EQ(ui().texts(), QStringList({refusal, refusal}));

    // The club table put right: the next opening is the screen's normal one.
    db.exec("delete * from C_UYELIKSURESI where Durum_Key = 201");
    ui().clear();
    run(expectReady);
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(BilgiAktarTest, TheChecksStopTheBuildAtTheFirstFailureWithTheFocusOnIt)
{
    run([&] {
        fill();
        c<QLineEdit>("Edit9")->setText("EDA SU");
        click(c<QPushButton>("BitBtn1"));
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("Sınav Komisyonu Üyesi-3'ün Sicil Numarasını Girmediniz ...!"));
        EXPECT_EQ(screen->focusWidget(), c<QLineEdit>("Edit10"));

        c<QLineEdit>("Edit9")->clear();
        QFile::remove(host("C:\\CO\\QVX_PROG\\R2.jpg"));
        click(c<QPushButton>("BitBtn1"));
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("MEHMET ÖZ --> Lütfen Fotoğrafını Kaydediniz ...!"));
        EXPECT_EQ(c<TDBGrid>("DBGrid1")->currentRow(), 1);
    });
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI where Terfi = 1").toInt(), 0) << "nothing marked";
    EXPECT_FALSE(QFile::exists(dir.filePath("usb/F200.zip")));
}

TEST_F(BilgiAktarTest, APackageOnTheChosenDrive)
{
    run([&] {
        fill();
        expectDocumentAndQuestion(driveQuestion(), true);
        click(c<QPushButton>("BitBtn1"));
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("Lütfen Bilgileri Aktaracağınız Sürücüyü Seçiniz ...!"));
        chooseDrive("E");
        expectDocumentAndQuestion(driveQuestion(), true);
        click(c<QPushButton>("BitBtn1"));
        // The package is complete when the build returns: the screen says so
        // and where it is.
        EXPECT_EQ(label("Label2"), "KAYIT TAMAMLANDI");
        EXPECT_EQ(label("Label1"), QString::fromUtf8("İmtihan paketi kaydedildi: E:\\F200.zip"));
        // BRIVEX_EXAM_DONE_SCREENSHOT=/tmp/done.png: the screen after the package.
        saveScreenshot(screen, "BRIVEX_EXAM_DONE_SCREENSHOT", QSize(1010, 690));
        EXPECT_EQ(screen->archivePath(), "E:\\F200.zip");
        EXPECT_FALSE(c<QPushButton>("BitBtn1")->isEnabled());
        EXPECT_FALSE(c<QComboBox>("DriveComboBox1")->isEnabled());
        // The question's buttons are the dialog's own again.
        EXPECT_EQ(Form5->BitBtn1->text(), "Evet");
    });
    const QString archive = dir.filePath("usb/F200.zip");
    EXPECT_EQ(ZipArchive::entryNames(archive), (QStringList{"BG200.mdb", "R1.jpg", "R2.jpg"}));
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI where Terfi = 1").toInt(), 2);
    EXPECT_EQ(db.scalar("select Sokak from C_UYELIKSURESI where Durum_Key = 1").toString(), "1234567");
    EXPECT_EQ(db.scalar("select Cadde from C_UYELIKSURESI where Durum_Key = 1").toString(), "2345678");
}

TEST_F(BilgiAktarTest, ADriveThatTakesNoFileIsReportedAndNothingIsWrittenThere)
{
    // A drive that takes no file, even for the superuser.
    DriveMap::mapDrive('A', "/proc", false);
    run([&] {
        fill();
        EXPECT_EQ(c<QComboBox>("DriveComboBox1")->currentData().toString(), "A") << "drive A comes chosen";
        expectDocumentAndQuestion(driveQuestion(), true);
        click(c<QPushButton>("BitBtn1"));
        EXPECT_EQ(label("Label2"), "KAYIT YAPILAMADI");
        EXPECT_EQ(label("Label1"),
                  QString::fromUtf8("Lütfen Disketin Yazım Korumasını Açıp Disket Sürücüye Yerleştirin ...!"));
        EXPECT_FALSE(c<QPushButton>("BitBtn1")->isEnabled());
    });
}

TEST_F(BilgiAktarTest, TheUploadPostsTheArchiveJustBuiltToTheEncodedAddressAndIsRetriedAfterAServerError)
{
    LoopbackHttp server;
    server.queueServerError("<html><body>Sunucu hatası</body></html>");
    LoopbackHttp::Answer received;
    received.page = "<html><body>Dosyanız alınmıştır.</body></html>";
    server.queue(received);
    ExamUpload::setServer(server.address());

    run([&] {
        fill();
        expectDocumentAndQuestion(webQuestion(), true);
        click(c<QPushButton>("BitBtn3"));
        EXPECT_EQ(label("Memo1"), QString::fromUtf8("BİLGİLER AKTARILIYOR, LÜTFEN BEKLEYİNİZ...!"));
        EXPECT_FALSE(c<QPushButton>("BitBtn3")->isEnabled());
        uploadEnd(*screen->upload());
        EXPECT_EQ(label("Label2"), QString::fromUtf8("GÖNDERİLEMEDİ"));
        EXPECT_TRUE(label("Label1").startsWith(
            QString::fromUtf8("Sunucu isteği kabul etmedi: HTTP 500 Internal Server Error")));
        EXPECT_TRUE(c<QTextBrowser>("WebBrowser1")->toPlainText().contains(QString::fromUtf8("Sunucu hatası")));
        EXPECT_TRUE(c<QPushButton>("BitBtn3")->isEnabled());
        EXPECT_FALSE(screen->FSent);
        saveScreenshot(screen, "BRIVEX_EXAM_SCREENSHOT", QSize(1010, 690));

        expectDocumentAndQuestion(webQuestion(), true);
        click(c<QPushButton>("BitBtn3"));
        uploadEnd(*screen->upload());
        EXPECT_TRUE(screen->FSent);
        EXPECT_EQ(label("Label2"), "");
        EXPECT_EQ(label("Memo1"), "");
        EXPECT_EQ(c<QTextBrowser>("WebBrowser1")->toPlainText(), QString::fromUtf8("Dosyanız alınmıştır."));

        click(c<QPushButton>("BitBtn3"));
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("Yeniden göndermek için lütfen bu ekranı kapatıp tekrar giriniz ...!"));
    });

    // The last post carries the archive as it stands now (each build writes
    // it anew), whole, and nothing after the closing line.
    const QString archive = host("C:\\CO\\QVX_PROG\\F200.zip");
    QFile f(archive);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(ZipArchive::entryNames(archive), (QStringList{"BG200.mdb", "R1.jpg", "R2.jpg"}));
    const QByteArray head = "-----------------------------123456789\r\n"
                            "Content-Disposition: form-data; name=\"F200.zip\"; "
                            "filename=\"C:\\CO\\QVX_PROG\\F200.zip\"\r\n"
                            "Content-Type: text/html\r\n"
                            "\r\n";
    const QByteArray tail = "\r\n-----------------------------123456789--\r\n";
    ASSERT_EQ(server.requests().size(), 2);
    for (const LoopbackHttp::Request& r : server.requests()) {
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(QString::fromLatin1(r.target),
                  "/destek/fupload.asp?kod=1&klp=KARTAL%27IN%20SPOR%20KUL%DCB%DC&blg=%DDSTANBUL&donem=062010");
        EXPECT_EQ(QString::fromLatin1(r.headers.value("content-type")),
                  "multipart/form-data; boundary=---------------------------123456789");
        EXPECT_TRUE(r.body.startsWith(head));
        EXPECT_TRUE(r.body.endsWith(tail));
    }
    EXPECT_TRUE(server.requests().last().body == head + bytes + tail)
        << "body of " << server.requests().last().body.size() << " bytes";
}

TEST_F(BilgiAktarTest, AnUnansweredUploadEndsInTheTimeOutAndTheLongAnswerOfTheNextIsShownCut)
{
    LoopbackHttp server;
    LoopbackHttp::Answer silent;
    silent.silent = true;
    server.queue(silent);
    LoopbackHttp::Answer longPage;
    longPage.page = "<p>Dosyanız alınmıştır.</p>\n";
    longPage.size = 3 * FormUpload::answerLimit;
    server.queue(longPage);
    ExamUpload::setServer(server.address());
    // The upload's clock moves when the test says.
    qint64 now = 0;
    screen->upload()->setClock([&now] { return now; });

    run([&] {
        fill();
        expectDocumentAndQuestion(webQuestion(), true);
        click(c<QPushButton>("BitBtn3"));
        EXPECT_EQ(label("Memo1"), QString::fromUtf8("BİLGİLER AKTARILIYOR, LÜTFEN BEKLEYİNİZ...!"));
        // The server has the whole request, and the upload has had the last
        // notice of its progress: none comes after the clock moved on.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return server.requests().size() == 1 &&
                       screen->upload()->bytesSent() == server.requests().first().body.size();
            },
            60000))
            << "sent " << screen->upload()->bytesSent() << " bytes";
        now += 59999;
        screen->upload()->checkTimeout();
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(screen->upload()->isRunning());
        EXPECT_FALSE(c<QPushButton>("BitBtn3")->isEnabled());
        now += 1;
        screen->upload()->checkTimeout();
        const FormUpload::Result r = uploadEnd(*screen->upload());
        EXPECT_TRUE(r.timedOut);
        EXPECT_EQ(label("Memo1"), "");
        EXPECT_EQ(label("Label2"), QString::fromUtf8("GÖNDERİLEMEDİ"));
        EXPECT_EQ(label("Label1"),
                  QString::fromUtf8("Zaman aşımı: sunucuyla 60 saniye boyunca hiç veri alışverişi olmadı.\n"
                                    "Tekrar göndermek için \" Web'den Aktar\" düğmesine basınız ...!"));
        EXPECT_EQ(c<QTextBrowser>("WebBrowser1")->toPlainText(), FormUpload::timeoutText(FormUpload::defaultTimeout));
        for (const char* button : {"BitBtn3", "BitBtn1"}) {
            EXPECT_TRUE(c<QPushButton>(button)->isVisible()) << button;
            EXPECT_TRUE(c<QPushButton>(button)->isEnabled()) << button;
        }
        EXPECT_FALSE(screen->FSent);
        saveScreenshot(screen, "BRIVEX_EXAM_TIMEOUT_SCREENSHOT", QSize(1010, 690));

        // Sent again: the server takes it and answers at length; the window
        // shows the first megabyte and says so.
        expectDocumentAndQuestion(webQuestion(), true);
        click(c<QPushButton>("BitBtn3"));
        const FormUpload::Result second = uploadEnd(*screen->upload());
        EXPECT_TRUE(second.ok) << second.error.toStdString();
        EXPECT_TRUE(second.answerCut);
        EXPECT_TRUE(screen->FSent);
        EXPECT_EQ(label("Label2"), "");
        const QString shown = c<QTextBrowser>("WebBrowser1")->toPlainText();
        EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Dosyanız alınmıştır.")));
        EXPECT_TRUE(shown.endsWith(FormUpload::answerCutText()));
        EXPECT_LT(shown.size(), FormUpload::answerLimit);
        saveScreenshot(screen, "BRIVEX_EXAM_LONG_ANSWER_SCREENSHOT", QSize(1010, 690));
    });
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(BilgiAktarTest, TheUploadQuestionCancelledPostsNothing)
{
    LoopbackHttp server;
    ExamUpload::setServer(server.address());
    run([&] {
        fill();
        expectDocumentAndQuestion(webQuestion(), false);
        click(c<QPushButton>("BitBtn3"));
        EXPECT_FALSE(screen->FWebMode);
        EXPECT_FALSE(screen->FSent);
        EXPECT_FALSE(screen->upload()->isRunning());
    });
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(BilgiAktarTest, PhotosAreAddedUpToTheirSizeLimitAndDeletedAfterTheQuestion)
{
    Shell::setHook([](const Shell::Request&) { return true; });
    const QString big = dir.filePath("büyük.jpg");
    const QString fits = dir.filePath("vesikalık 1.jpg");
    writeFile(big, QByteArray(100000, 'x'));
    writeFile(fits, QByteArray(99999, 'y'));
    QFile::remove(host("C:\\CO\\QVX_PROG\\R2.jpg"));
    run([&] {
        TDBGrid* grid = c<TDBGrid>("DBGrid1");
        ASSERT_TRUE(grid->setCurrentRow(1));
        ui().answerFile(big);
        c<QAction>("ResimEkle1")->trigger();
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("Fotoğraf boyutu 100 KB'dan küçük olmalıdır...!"));
        EXPECT_EQ(grid->cellText(1, 5), "-");

        ui().answerFile(fits);
        c<QAction>("ResimEkle1")->trigger();
        EXPECT_EQ(grid->currentRow(), 1) << "the list reopens on the same athlete";
        EXPECT_EQ(grid->cellText(1, 5), "VAR");

        ui().answerYes();
        c<QAction>("Sil1")->trigger();
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("Seçilen Sporcunun Fotoğrafı Silinecektir. Eminmisiniz ...?"));
        EXPECT_EQ(grid->cellText(1, 5), "-");
    });
    Shell::setHook({});
    EXPECT_FALSE(QFile::exists(host("C:\\CO\\QVX_PROG\\R2.jpg")));
}

TEST_F(BilgiAktarTest, AttachmentsFillFiveSlotsAndNamesThePackageUsesAreRefused)
{
    const QString big = dir.filePath("ekler/büyük.pdf");
    const QString impostor = dir.filePath("ekler/Fdr.mdb");
    writeFile(big, QByteArray(500000, 'x'));
    writeFile(impostor, "x");
    QStringList files;
    for (int i = 1; i <= 6; ++i) {
        files << dir.filePath("ekler/ek " + QString::number(i) + ".pdf");
        writeFile(files.last(), "%PDF");
    }
    run([&] {
        EXPECT_EQ(c<QLabel>("Label21")->text(), "Dosya Ekle");
        ui().answerFile(big);
        screen->Label21Click();
        EXPECT_EQ(ui().lastText(), QString::fromUtf8("Dosya boyutu 500 KB'dan küçük olmalıdır...!"));
        ui().answerFile(impostor);
        screen->Label21Click();
        EXPECT_TRUE(ui().lastText().startsWith(QString::fromUtf8("\"Fdr.mdb\" adlı dosya eklenemez.")));
        EXPECT_FALSE(c<QLabel>("Label23")->isEnabled());
        for (const QString& f : files) {
            ui().answerFile(f);
            screen->Label21Click();
        }
        EXPECT_EQ(c<QLabel>("Attachment1")->text(), "1. Ek: ek 1.pdf");
        EXPECT_EQ(c<QLabel>("Attachment5")->text(), "5. Ek: ek 5.pdf");
        EXPECT_EQ(screen->FAttachmentPaths.size(), 5);
        EXPECT_FALSE(screen->FAttachmentPaths.contains(files.last())) << "a sixth finds no slot";
        EXPECT_TRUE(c<QLabel>("Label23")->isEnabled());

        fill();
        chooseDrive("E");
        expectDocumentAndQuestion(driveQuestion(), true);
        click(c<QPushButton>("BitBtn1"));
    });
    EXPECT_EQ(ZipArchive::entryNames(dir.filePath("usb/F200.zip")),
              (QStringList{"BG200.mdb", "ek 1.pdf", "ek 2.pdf", "ek 3.pdf", "ek 4.pdf", "ek 5.pdf", "R1.jpg",
                           "R2.jpg"}));
    run([&] {
        screen->Label23Click();
        EXPECT_TRUE(c<QLabel>("Attachment1")->text().isEmpty());
        EXPECT_FALSE(c<QLabel>("Label23")->isEnabled());
    });
}

TEST_F(BilgiAktarTest, ThePersonSearchOpensTheScreenFromItsItemOnlyWithAList)
{
    QAction* item = MusteriGiris1->findChild<QAction*>("GIPmtihanListesiOlutur1");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isVisible());
    EXPECT_EQ(item->text(), QString::fromUtf8("GIP İmtihan Listesi Oluştur"));
    item->trigger();
    EXPECT_EQ(ui().lastText(), QString::fromUtf8("Lütfen 'Kayıt Bul' Düğmesine Basarak Listelenen Sporcular İçinden "
                                                 "GIP İmtihanına Girenleri Seçiniz ...!"));
}

}

