// The publishing screen's parts without a server: the settings file, the
// queue's keywords, the club list page and the photo choice.
#include "PublishFixture.h"

#include "app/publish/Publish4.h"
#include "app/publish/PublishDatabase.h"
#include "app/publish/PublishSettings.h"
#include "app/publish/UploadQueue.h"
#include "platform/text/CodePage.h"
#include "platform/text/Turkish.h"

#include <QDateEdit>
#include <QFile>

namespace PublishPartsTestLocal {

TEST(PublishSettingsFile, MissingOrEmptyFileGivesTheDefaults)
{
    QTemporaryDir tmp;
    const QString path = tmp.path() + "/brivex.ini";
    for (const QByteArray& content : {QByteArray("<none>"), QByteArray(""), QByteArray("[Data]\nHostName=x\n")}) {
        if (content != "<none>") {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
        }
        const PublishSettings::Values v = PublishSettings::load(path);
        EXPECT_EQ(v.Port, "21");
        EXPECT_EQ(v.BinaryMode, 1);
        EXPECT_EQ(v.ResumeAt, "0");
        EXPECT_EQ(v.PassiveMode, 0);
    }
}

TEST(PublishSettingsFile, EveryValueComesBackAndTheFileIsTheOwnersAlone)
{
    QTemporaryDir tmp;
    const QString path = tmp.path() + "/cfg/brivex/brivex.ini";
    PublishSettings::Values v;
    v.HostName = "ftp.fed.org.tr";
    v.Port = "2121";
    v.UserName = "yayin";
    v.PassWord = "a=b;c\nd";
    v.HostDir = "/www";
    v.PassiveMode = 1;
    v.BinaryMode = 0;
    v.SyncMode = 1;
    ASSERT_TRUE(PublishSettings::save(path, v, QRect(10, 20, 300, 200)));
    const PublishSettings::Values back = PublishSettings::load(path);
    EXPECT_EQ(back.HostName, "ftp.fed.org.tr");
    EXPECT_EQ(back.Port, "2121");
    EXPECT_EQ(back.UserName, "yayin");
    EXPECT_EQ(back.PassWord, "a=b;c d");
    EXPECT_EQ(back.HostDir, "/www");
    EXPECT_EQ(back.PassiveMode, 1);
    EXPECT_EQ(back.BinaryMode, 0);
    EXPECT_EQ(back.SyncMode, 1);
    EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                                QFile::WriteOther),
              0);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("[Window]\nTop=20\nLeft=10\nWidth=300\nHeight=200\n")) << text.constData();
}

TEST(PublishSettingsFile, NamedAfterTheProgram)
{
    EXPECT_EQ(PublishSettings::fileName("/usr/bin/Brivex"), "brivex.ini");
    EXPECT_EQ(PublishSettings::fileName("BRIVEX.EXE"), "brivex.ini");
}

TEST(PublishUploadQueue, KeywordsAreFixedChangesOnTheServer)
{
    struct Case {
        const char* line;
        bool rename;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"Delete1", false, "metafile2.res", ""}, {"Rename1", true, "metafile.res", "metafile2.res"},
        {"Rename2", true, "metafile1.res", "metafile.res"}, {"Delete2", false, "metafile2.res", ""},
        {"Delete3", false, "Result2.mdb", ""}, {"Rename3", true, "Result.mdb", "Result2.mdb"},
        {"Rename4", true, "Sonuclar.mdb", "Result.mdb"}, {"Delete4", false, "Result2.mdb", ""},
    };
    for (const Case& c : cases) {
        const UploadQueue::Keyword* k = UploadQueue::keyword(c.line);
        ASSERT_NE(k, nullptr) << c.line;
        EXPECT_EQ(k->rename, c.rename) << c.line;
        EXPECT_STREQ(k->from, c.from) << c.line;
        EXPECT_STREQ(k->to, c.to) << c.line;
    }
    EXPECT_EQ(UploadQueue::keyword("delete1"), nullptr);
    EXPECT_EQ(UploadQueue::keyword("C:\\CO\\Delete1"), nullptr);
    EXPECT_EQ(UploadQueue::kindOf("C:\\CO\\QVX_PROG\\R1.JpG"), "Resimler");
    EXPECT_EQ(UploadQueue::kindOf("C:\\CO\\Sonuclar.mdb"), "Dosyalar");
    EXPECT_EQ(UploadQueue::remoteName("C:\\CO\\QVX_PROG\\R12.jpg"), "R12.jpg");
    EXPECT_EQ(Turkish::asciiUpper("Resimler"), "RESIMLER");
}

class PublishPartsTest : public PublishScreenFixture {
protected:
    void addPerson(int key, const QDate& changed, qint64 photoSize)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Ad_Soyad", QString("KİŞİ %1").arg(key)}, {"M1", changed}});
        if (photoSize >= 0)
            writeFile(host(TPublishPhotos::photoPath(QString::number(key))), QByteArray(photoSize, 'x'));
    }
    TPublishPhotos* photos() { return form->PublishPhotos; }
};

TEST_F(PublishPartsTest, ClubListLines)
{
    db.exec("delete from C_UYELIKSURESI where Durum_Key > 1");
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 42}, {"Durum", "ŞİŞLİ & <B> SPOR"}, {"E1", "İSTANBUL"}, {"Faal", "1"}});
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 43}, {"Durum", "KAPALI SPOR"}, {"E1", "ANKARA"}, {"Faal", "0"}});
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 44}, {"Durum", "BOŞ SPOR"}, {"E1", "İZMİR"}, {"Faal", ""}});
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 1234567}, {"Durum", "UZUN"}, {"E1", "BURSA"}});
    EXPECT_EQ(PublishDatabase::clubListLines(db),
              QStringList({"<html>", "<title><%=date()%></title>",
                           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1254\">",
                           "FIRST<br>", "000042 İSTANBUL ŞİŞLİ &amp; &lt;B&gt; SPOR<br>", "000044 İZMİR BOŞ SPOR<br>",
                           "1234567 BURSA UZUN<br>", "LAST", "</html>"}));
    const QString file = dir.path() + "/klfile.asp";
    ASSERT_TRUE(PublishDatabase::writeClubList(db, file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("<html>\r\n<title>"));
    EXPECT_TRUE(bytes.endsWith("LAST\r\n</html>\r\n"));
    EXPECT_TRUE(bytes.contains(Cp1254::encode("000042 İSTANBUL ŞİŞLİ")));
}

TEST_F(PublishPartsTest, PhotoSizeLimitChecks)
{
    showScreen();
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"", "Dosya Büyüklüğünü Girmediniz ...!"},
        {" ", "Dosya Büyüklüğünü Girmediniz ...!"},
        {"12a", "Dosya Büyüklüğünü Hatalı Girdiniz. Lütfen Düzeltiniz ...!"},
        {"999", "Dosya Büyüklüğünü Çok Küçük Girdiniz ...!"},
        {"1000", "0 Adet Resim Seçildi ...!"},
        {"200000", "0 Adet Resim Seçildi ...!"},
        {"200001", "Dosya Büyüklüğünü Çok Büyük Girdiniz ...!"},
    };
    for (const Case& c : cases) {
        modals().expect("TPublishPhotos", [&](QDialog* d) {
            auto* p = static_cast<TPublishPhotos*>(d);
            EXPECT_EQ(p->Edit1->text(), "200000");
            p->Edit1->setText(c.text);
            p->BitBtn1->click();
            p->ExitButton->click();
        });
        click(form->Button3);
        EXPECT_EQ(ui().lastText(), c.message) << c.text;
        photos()->Edit1->setText("200000");
    }
}

TEST_F(PublishPartsTest, PhotosOfTheChosenDaysUpToTheLimit)
{
    const QDate day(2026, 3, 14);
    addPerson(1, day, 5000);            // at the limit
    addPerson(2, day, 5001);            // one byte over
    addPerson(3, day, -1);              // no photo
    addPerson(4, day.addDays(-1), 10);  // the day before
    addPerson(5, day.addDays(1), 10);   // the day after
    addPerson(6, day, 10);
    db.exec("update C_MUSTERI set M1 = '2026-03-14 18:30:00' where Musteri_Key = 6");
    showScreen();
    modals().expect("TPublishPhotos", [&](QDialog* d) {
        auto* p = static_cast<TPublishPhotos*>(d);
        p->DateTimePicker1->setDate(day);
        p->DateTimePicker2->setDate(day);
        EXPECT_EQ(p->MaskEdit1->text(), "14.03.2026");
        p->Edit1->setText("5000");
        p->BitBtn1->click();
        p->ExitButton->click();
    });
    click(form->Button3);
    EXPECT_EQ(ui().lastText(), "2 Adet Resim Seçildi ...!");
    EXPECT_EQ(queueLines(), QStringList({"C:\\CO\\QVX_PROG\\R1.jpg", "C:\\CO\\QVX_PROG\\R6.jpg"}));
    EXPECT_TRUE(form->FQueueMode);
}

TEST_F(PublishPartsTest, ClosingThePhotoDialogWithoutChoosingLeavesNothing)
{
    addPerson(1, QDate::currentDate(), 10);
    showScreen();
    modals().expect("TPublishPhotos", [](QDialog* d) { d->findChild<QPushButton*>("ExitButton")->click(); });
    click(form->Button3);
    EXPECT_TRUE(queueLines().isEmpty());
    EXPECT_FALSE(form->FQueueMode);
    EXPECT_TRUE(form->Edit1->text().isEmpty());
}

TEST_F(PublishPartsTest, DatabaseCopyFailureIsReportedAndQueuesNothing)
{
    showScreen();
    // A folder stands where the copy should go.
    writeFile(host("c:\\co\\qvx_prog") + "/metafile1.res/inside", "x");
    click(form->Button2);
    EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
    EXPECT_TRUE(queueLines().isEmpty());
    EXPECT_FALSE(form->FQueueMode);
}

}
