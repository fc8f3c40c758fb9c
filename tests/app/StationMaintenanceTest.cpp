// The main window's maintenance commands, as the operator runs them: the
// administrator password, the question, the station copy chosen in the
// file dialog, the messages.
#include "app/BrivexSchema.h"
#include "app/Main.h"
#include "app/StationMaintenance.h"
#include "app/StationUpkeep.h"
#include "app/kit/DbConventions.h"
#include "platform/paths/DriveMap.h"
#include "support/ScreenDriving.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

class StationMaintenanceTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        copyPath = dir.filePath("backup-ring2.mdb");
        Database copy;
        copy.open(copyPath, false);
        brivexSchema().create(copy);
        seedStation(copy);
        copy.insert("C_LISTE", {{"Liste_Key", 3}, {"Musteri_Key", 11}, {"Ad", "AHMET YILMAZ"}, {"Brans", "ERKEK 60 KİLO"},
                                {"Sira", 3}, {"Tarih", QDate(2026, 3, 5)}});
        copy.insert("C_KURA", {{"Kura_Key", 4}, {"Brans", "ERKEK 60 KİLO"}, {"Tur", "FİNAL"}, {"Ad1", "AHMET YILMAZ"},
                               {"Sira1", 3}, {"Ad2", "BEKİR ÖZ"}, {"Sira2", 8}, {"Karar", "KO"}, {"Galip", "1"}});
        Counters::set(copy, "sayi1", 3);
        Counters::set(copy, "sayi2", 4);
        Counters::set(copy, "sayi3", 3);
        db.insert("C_MUSTERI", {{"Musteri_Key", 11}, {"Ad_Soyad", "AHMET YILMAZ"}, {"E50", "SPORCU"}, {"Kullanici", 1}});
        db.insert("C_LISTE", {{"Liste_Key", 1}, {"Musteri_Key", 11}, {"Ad", "AHMET YILMAZ"}, {"Brans", "ERKEK 65 KİLO"},
                              {"Sira", 1}, {"Tarih", QDate(2026, 3, 1)}});
        db.insert("C_KURA", {{"Kura_Key", 4}, {"Brans", "ERKEK 60 KİLO"}, {"Tur", "FİNAL"}, {"Ad1", "AHMET YILMAZ"},
                             {"Sira1", 3}, {"Ad2", "BEKİR ÖZ"}, {"Sira2", 8}});
        Counters::set(db, "sayi1", 1);
        Counters::set(db, "sayi3", 1);
    }

    static void expectPassword(const QString& typed = "1234")
    {
        modals().expect("TSifreCheck", [typed](QDialog* d) {
            child<QLineEdit>(d, "Edit1")->setText(typed);
            click(child<QPushButton>(d, "BitBtn1"));
        });
    }
    void run(const char* command) { Main->runCommand(command); }
    int rows(const QString& table) { return db.scalar("select count(*) from " + table).toInt(); }
    QString decision(int key)
    {
        return db.scalar("select Karar from C_KURA where Kura_Key = :k", {{"k", key}}).toString();
    }

    QString copyPath;
};

TEST_F(StationMaintenanceTest, ClearingTheListsAsksWithThePeriodAndTellsWhenDone)
{
    expectPassword();
    QString asked;
    bool hayirIsDefault = false;
    answerQuestion(false, &asked, &hayirIsDefault);
    run("ncekiTartListelerinSilinmesi1");
    EXPECT_EQ(asked, "01.03.2026 Tarihinde Oluşturulan Önceki Tartı \n Listeleri Silinecektir. Eminmisiniz ...?");
    EXPECT_TRUE(hayirIsDefault) << "a question that deletes lists defaults to \"Hayır\"";
    EXPECT_EQ(rows("C_LISTE"), 1) << "Hayır changes nothing";

    expectPassword();
    answerQuestion(true);
    run("ncekiTartListelerinSilinmesi1");
    EXPECT_EQ(rows("C_LISTE"), 0);
    EXPECT_EQ(ui().lastText(), "Önceki Tartı Listeleri Silme İşlemi Tamamlandı ...!");

    ui().clear();
    expectPassword();
    run("ncekiTartListelerinSilinmesi1");
    EXPECT_EQ(ui().texts(), QStringList{"Tartı Listelerinde Herhangi bir Sporcu Bulunmamaktadır ...!"});
}

TEST_F(StationMaintenanceTest, AWrongPasswordChangesNothing)
{
    expectPassword("9999");
    run("ncekiMsabakalarnSilinmesi1");
    EXPECT_EQ(rows("C_KURA"), 1);
    EXPECT_EQ(modals().pending(), 0);
}

TEST_F(StationMaintenanceTest, ClearingBoutsAndCounts)
{
    expectPassword();
    QString asked;
    answerQuestion(true, &asked);
    run("ncekiMsabakalarnSilinmesi1");
    EXPECT_EQ(asked, "TÜM MÜSABAKA LİSTELERİ SİLİNECEKTİR. EMİN MİSİNİZ ...?");
    EXPECT_EQ(rows("C_KURA"), 0);
    EXPECT_EQ(ui().lastText(), "Önceki Müsabaka Listeleri Silme İşlemi Tamamlandı ...!");

    expectPassword();
    answerQuestion(true, &asked);
    run("SporcularnMsabakalaraKatlmarnnSfrlanmas1");
    EXPECT_EQ(asked, "Tüm Sporcuların Müsabakalara Katılacağı Branş Sayıları Sıfırlanacaktır. Eminmisiniz ...?");
    EXPECT_EQ(ui().lastText(), "İşlem Tamamlandı ...!");
    expectPassword();
    run("SporcularnMsabakalaraKatlmarnnSfrlanmas1");
    EXPECT_EQ(ui().lastText(), "Sporcuların Müsabakalara Katılacağı Branş Sayıları Sıfırlanmış Bulunmaktadır ...!");
}

TEST_F(StationMaintenanceTest, ClearingBoutsAsksWithHayirAsDefaultAndSpaceAnswersNothing)
{
    expectPassword();
    modals().expect("TForm5", [](QDialog* d) {
        EXPECT_EQ(Form5->Label1->text(), "TÜM MÜSABAKA LİSTELERİ SİLİNECEKTİR. EMİN MİSİNİZ ...?");
        answerCarefulQuestionByEnter(d);
    });
    run("ncekiMsabakalarnSilinmesi1");
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(rows("C_KURA"), 1) << "Enter answered \"Hayır\": nothing is deleted";
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
}

TEST_F(StationMaintenanceTest, ReplacingFromAStationCopy)
{
    expectPassword();
    QString asked;
    bool hayirIsDefault = false;
    answerQuestion(true, &asked, &hayirIsDefault);
    ui().answerFile(copyPath);
    run("TartveKuralarnSistemeAktarlmas1");
    EXPECT_EQ(asked, "Önceki Tartı ve Kura Listeleri Silinecek ve Yeni Listeler Sisteme Aktarılacaktır.\nDevam Edilsinmi ?");
    EXPECT_TRUE(hayirIsDefault) << "a question that deletes lists defaults to \"Hayır\"";
    const UiRequest& chooser = ui().requests.first();
    EXPECT_EQ(chooser.kind, UiRequest::OpenFile);
    EXPECT_EQ(chooser.text, "Lütfen Veritabanı Dosyasını Seçiniz.");
    EXPECT_EQ(chooser.filter, "Aktarılacak Veritabanı Dosyası (backup*.mdb)");
    EXPECT_EQ(ui().lastText(), "İşlem Tamamlandı ...!");
    EXPECT_EQ(db.scalar("select Liste_Key from C_LISTE").toInt(), 3);
    EXPECT_EQ(decision(4), "KO");
    EXPECT_EQ(Counters::current(db, "sayi2"), 4);
}

TEST_F(StationMaintenanceTest, ATruncatedCopyLeavesTheStationAsItWas)
{
    QFile f(copyPath);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(f.size() / 3);
    f.close();
    expectPassword();
    answerQuestion(true);
    ui().answerFile(copyPath);
    run("TartveKuralarnSistemeAktarlmas1");
    EXPECT_TRUE(ui().lastText().startsWith("Seçilen dosya bu programın bir veritabanı değil ya da okunamıyor"))
        << ui().lastText().toStdString();
    EXPECT_EQ(rows("C_LISTE"), 1);
    EXPECT_EQ(rows("C_KURA"), 1);
    EXPECT_EQ(Counters::current(db, "sayi1"), 1);
}

TEST_F(StationMaintenanceTest, NoFileChosenChangesNothing)
{
    expectPassword();
    answerQuestion(true);
    run("TartlarnToplanmas1");      // the chooser is cancelled
    EXPECT_EQ(rows("C_LISTE"), 1);
    EXPECT_EQ(ui().requests.last().kind, UiRequest::OpenFile);
}

TEST_F(StationMaintenanceTest, GatheringWeighInsAndResultsTellTheCounts)
{
    expectPassword();
    QString asked;
    answerQuestion(true, &asked);
    ui().answerFile(copyPath);
    run("TartlarnToplanmas1");
    EXPECT_EQ(asked, "Seçilecek dosyadaki Tartılar sisteme aktarılacaktır.\n"
                     "Devam etmeden önce yedek almayı unutmayınız. Devam Edilsinmi ?");
    EXPECT_EQ(ui().lastText(), "Aktarılan sporcu sayısı: 1\nAKTARILAMAYAN SPORCU SAYISI: 0");
    EXPECT_EQ(db.scalar("select Sira from C_LISTE where Brans = 'ERKEK 60 KİLO'").toInt(), 1)
        << "the athlete keeps his back number";

    expectPassword();
    answerQuestion(true, &asked);
    ui().answerFile(copyPath);
    run("SonularnnToplanmas1");
    EXPECT_EQ(asked, "Seçilecek dosyadaki Müsabaka Sonuçları Kura listelerine aktarılacaktır.\n"
                     "Devam etmeden önce yedek almayı unutmayınız. Devam Edilsinmi ?");
    EXPECT_EQ(ui().lastText(), "Aktarılan müsabaka sayısı: 1\nAKTARILAMAYAN MÜSABAKA SAYISI: 0");
    EXPECT_EQ(decision(4), "KO");
}

TEST_F(StationMaintenanceTest, TheBackupCopiesTheDatabaseInUseIntoTheChosenFolder)
{
    const QString folder = dir.filePath("usb");
    QDir().mkpath(folder);
    ui().answerFile(folder);
    run("BilgilerinYedeklenmesi1");
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Folder);
    EXPECT_EQ(ui().requests.first().text, "Select a folder for saving:");
    EXPECT_EQ(ui().lastText(), "Bilgilerin Yedeklenmesi Tamamlandı ...!");
    Database copy;
    copy.open(folder + "/Fdr.mdb", true);
    EXPECT_EQ(copy.scalar("select count(*) from C_KURA").toInt(), 1);
    EXPECT_EQ(copy.scalar("select Ad_Soyad from C_MUSTERI where Musteri_Key = 11").toString(), "AHMET YILMAZ");
}

TEST_F(StationMaintenanceTest, TheBackupRefusesTheProgramFolderInAnySpelling)
{
    const QString programFolder = DriveMap::toHost("C:\\CO\\QVX_PROG\\");
    for (const QString& folder : {programFolder, programFolder + "/", QString("c:\\co\\qvx_prog"),
                                  QString("C:\\CO\\QVX_PROG\\")}) {
        ui().clear();
        ui().answerFile(folder);
        run("BilgilerinYedeklenmesi1");
        EXPECT_EQ(ui().lastText(), "Backup is disabled to C:\\CO\\QVX_PROG\\ Directory ...!") << folder.toStdString();
    }
    EXPECT_TRUE(StationMaintenance::backupRefused(dir.filePath("remote"), dir.filePath("remote/Fdr.mdb")))
        << "the folder of the database in use";
    EXPECT_FALSE(StationMaintenance::backupRefused(dir.filePath("usb"), db.hostPath()));
}

} // namespace
