// The exam package: the marks in the club database, the archive's entries
// and the database copy inside it, attachments, the target probe.

#include "exchange/ExamPackage.h"
#include "platform/paths/DriveMap.h"
#include "platform/zip/ZipArchive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ExamPackageTestLocal {

const QString kExamProgram = "C:\\CO\\QVX_PROG\\";

class ExamPackageTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", "KARTAL'IN SPOR KULÜBÜ"}, {"E1", "İSTANBUL"}});
        for (int key : {1, 2, 3})
            db.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Ad_Soyad", "SPORCU " + QString::number(key)}});
        // An older exam's marks on a person who is not in this one.
        db.exec("update C_MUSTERI set Terfi = 1, M7 = '01.01.2009' where Musteri_Key = 3");
        QDir().mkpath(dir.filePath("usb"));
        DriveMap::mapDrive('E', dir.filePath("usb"), false);
        writeFile(host(kExamProgram + "R1.jpg"), "photo-1");
    }
    void markTwo()
    {
        ExamPackage::mark(db, QDate(2010, 6, 15), " where Musteri_Key in (1, 2)", {},
                          {"1234567", "2345678", "", "3456789"});
    }
    ExamPackage::Contents contents(const QStringList& attachments = {})
    {
        return {kExamProgram, "200", attachments};
    }
    // The database copy inside the archive, opened from a file of its own.
    void openCopy(const QString& archive, Database& copy)
    {
        const QString path = dir.filePath("extracted/BG200.mdb");
        writeFile(path, ZipArchive::read(archive, "BG200.mdb"));
        copy.open(path);
    }
};

TEST_F(ExamPackageTest, NamesFollowTheClubAndPersonKeys)
{
    EXPECT_EQ(ExamPackage::archiveName("200"), "F200.zip");
    EXPECT_EQ(ExamPackage::databaseCopyName("200"), "BG200.mdb");
    EXPECT_EQ(ExamPackage::photoName("17"), "R17.jpg");
}

TEST_F(ExamPackageTest, TheArchiveHoldsTheMarkedCopyAndThePhotosOfTheMarkedAthletes)
{
    markTwo();
    const QString archive = ExamPackage::write(db, contents(), "E:\\");
    EXPECT_EQ(archive, dir.filePath("usb/F200.zip"));
    // Person 2 has no photo; person 3 is not marked.
    writeFile(host(kExamProgram + "R3.jpg"), "photo-3");
    EXPECT_EQ(ZipArchive::entryNames(archive), (QStringList{"BG200.mdb", "R1.jpg"}));
    EXPECT_EQ(ZipArchive::read(archive, "R1.jpg"), QByteArray("photo-1"));
    EXPECT_FALSE(QFile::exists(dir.filePath("usb/RecLog.dat")));

    Database copy;
    openCopy(archive, copy);
    const Records rows = copy.select("select Musteri_Key, Terfi, M7 from C_MUSTERI order by Musteri_Key");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toInt("Terfi"), 1);
    EXPECT_EQ(rows[0].date("M7"), QDate(2010, 6, 15));
    EXPECT_EQ(rows[1].toInt("Terfi"), 1);
    EXPECT_TRUE(rows[2].isNull("Terfi"));
    EXPECT_TRUE(rows[2].isNull("M7"));
    const auto reserved = copy.first("select * from C_UYELIKSURESI where Durum_Key = 1");
    ASSERT_TRUE(reserved);
    EXPECT_EQ(reserved->str("Sokak"), "1234567");
    EXPECT_EQ(reserved->str("Cadde"), "2345678");
    EXPECT_EQ(reserved->str("No1"), "");
    EXPECT_EQ(reserved->str("Ilce"), "3456789");
    const auto club = copy.first("select * from C_UYELIKSURESI where Durum_Key = 200");
    ASSERT_TRUE(club);
    EXPECT_EQ(club->str("Durum"), "KARTAL'IN SPOR KULÜBÜ");
    EXPECT_EQ(club->str("Sokak"), "") << "the club row keeps its own address";
}

TEST_F(ExamPackageTest, TheCopyCarriesNoPasswordOfTheClubsUsers)
{
    db.insert("C_SIFRE", {{"Key_No", 7}, {"Ad", "KULÜP SEKRETERİ"}, {"Sifre", "Zq7-gizli-parola"}});
    db.exec("update C_SIFRE set Sifre = 'Yonetici-Parolasi-42' where Key_No = 1");
    markTwo();
    const QString archive = ExamPackage::write(db, contents(), "E:\\");

    // Not in the bytes of the copy (no trace in its free pages either) nor
    // anywhere in the archive.
    const QByteArray bytes = ZipArchive::read(archive, "BG200.mdb");
    ASSERT_FALSE(bytes.isEmpty());
    QFile zip(archive);
    ASSERT_TRUE(zip.open(QIODevice::ReadOnly));
    const QByteArray zipped = zip.readAll();
    for (const QByteArray& password : {QByteArray("Zq7-gizli-parola"), QByteArray("Yonetici-Parolasi-42")}) {
        EXPECT_FALSE(bytes.contains(password)) << password.constData();
        EXPECT_FALSE(zipped.contains(password)) << password.constData();
    }
    Database copy;
    openCopy(archive, copy);
    EXPECT_EQ(copy.scalar("select count(*) from C_SIFRE where Sifre is not null").toInt(), 0);
    EXPECT_EQ(copy.scalar("select Ad from C_SIFRE where Key_No = 7").toString(), QString::fromUtf8("KULÜP SEKRETERİ"));
    // The copy beside the program is the same; the club keeps its passwords.
    Database kept;
    kept.open(host(kExamProgram + "BG200.mdb"));
    EXPECT_EQ(kept.scalar("select count(*) from C_SIFRE where Sifre is not null").toInt(), 0);
    EXPECT_EQ(db.scalar("select Sifre from C_SIFRE where Key_No = 7").toString(), "Zq7-gizli-parola");
    EXPECT_EQ(QDir(host(kExamProgram)).entryList({"BG200.mdb*"}, QDir::Files), QStringList{"BG200.mdb"})
        << "no work file left behind";
}

TEST_F(ExamPackageTest, ABuildForAnotherListClearsTheOlderMarksAndReplacesTheArchive)
{
    markTwo();
    ExamPackage::write(db, contents(), "E:\\");
    ExamPackage::mark(db, QDate(2010, 7, 1), " where Musteri_Key = :k", {{"k", 2}}, {"1234567", "", "", ""});
    const QString archive = ExamPackage::write(db, contents(), "E:\\");
    EXPECT_EQ(ZipArchive::entryNames(archive), (QStringList{"BG200.mdb"}));
    Database copy;
    openCopy(archive, copy);
    EXPECT_EQ(copy.scalar("select count(*) from C_MUSTERI where Terfi = 1").toInt(), 1);
    EXPECT_EQ(copy.first("select M7 from C_MUSTERI where Terfi = 1")->date("M7"), QDate(2010, 7, 1));
}

TEST_F(ExamPackageTest, AttachmentsGoInUnderTheirOwnNamesBlanksIncludedAndADeletedOneIsLeftOut)
{
    markTwo();
    const QString receipt = dir.filePath("belgeler/ödeme dekontu 2010.pdf");
    const QString list = dir.filePath("belgeler/eski liste.doc");
    const QString gone = dir.filePath("belgeler/silindi.txt");
    writeFile(receipt, "%PDF");
    writeFile(list, "DOC");
    writeFile(gone, "x");
    QFile::remove(gone);
    const QString archive = ExamPackage::write(db, contents({receipt, gone, list}), "E:\\");
    EXPECT_EQ(ZipArchive::entryNames(archive),
              (QStringList{"BG200.mdb", "ödeme dekontu 2010.pdf", "eski liste.doc", "R1.jpg"}));
    EXPECT_EQ(ZipArchive::read(archive, "ödeme dekontu 2010.pdf"), QByteArray("%PDF"));
    // Nothing was copied into the program folder.
    EXPECT_FALSE(QFile::exists(host(kExamProgram + "eski liste.doc")));
}

TEST_F(ExamPackageTest, AttachmentsNamedLikeTheDatabaseOrAPhotoAreRefused)
{
    const QStringList refused = {"BG200.mdb", "bg200.MDB", "BG1.mdb", "Fdr.mdb", "FDR.MDB", "fed.mdb",
                                 "R1.jpg",    "r17.JPG",   "",        "..",      "a/b.pdf"};
    for (const QString& name : refused)
        EXPECT_FALSE(ExamPackage::attachmentRefusal(name).isEmpty()) << name.toStdString();
    const QStringList taken = {"RAPOR.jpg", "R1.jpeg", "BG200.pdf", "eski liste.pdf", "Fdr.mdb.txt", "R 1.jpg"};
    for (const QString& name : taken)
        EXPECT_TRUE(ExamPackage::attachmentRefusal(name).isEmpty()) << name.toStdString();
    EXPECT_EQ(ExamPackage::attachmentRefusal("Fdr.mdb"),
              QString::fromUtf8("\"Fdr.mdb\" adlı dosya eklenemez. Bu ad paketteki veritabanı veya fotoğraf "
                                "dosyalarına ayrılmıştır. Lütfen dosyanın adını değiştirip tekrar ekleyiniz ...!"));

    // A file so named that reaches the writer does not replace the copy.
    markTwo();
    const QString impostor = dir.filePath("belgeler/BG200.mdb");
    writeFile(impostor, "not the database");
    try {
        ExamPackage::write(db, contents({impostor}), "E:\\");
        ADD_FAILURE() << "written";
    } catch (const ExamPackageError& e) {
        EXPECT_EQ(e.kind(), ExamPackageError::Kind::Package);
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("\"BG200.mdb\" adlı dosya eklenemez."))) << e.what();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("usb/F200.zip")));
}

TEST_F(ExamPackageTest, ATargetThatTakesNoFileFailsBeforeAnythingIsWritten)
{
    markTwo();
    // A drive whose medium is gone, a folder that does not exist, a folder
    // that takes no file (even for the superuser).
    QDir().mkpath(dir.filePath("floppy"));
    DriveMap::mapDrive('A', dir.filePath("floppy"), false);
    QDir(dir.filePath("floppy")).removeRecursively();
    for (const QString& target : {QString("A:\\"), dir.filePath("missing"), QString("/proc/")}) {
        try {
            ExamPackage::write(db, contents(), target);
            ADD_FAILURE() << target.toStdString() << " written";
        } catch (const ExamPackageError& e) {
            EXPECT_EQ(e.kind(), ExamPackageError::Kind::Target) << target.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(host(kExamProgram + "BG200.mdb"))) << "no copy made";
}

TEST_F(ExamPackageTest, TheClubIsTheRowBesideTheReservedOneFoundByKey)
{
    ExamPackage::Club club = ExamPackage::readClub(db);
    EXPECT_TRUE(club.ok);
    EXPECT_EQ(club.key, "200");
    EXPECT_EQ(club.name, "KARTAL'IN SPOR KULÜBÜ");
    EXPECT_EQ(club.region, "İSTANBUL");

    // A name sorting before the reserved "-" does not make it the reserved row.
    db.exec("update C_UYELIKSURESI set Durum = ' AA' where Durum_Key = 200");
    club = ExamPackage::readClub(db);
    EXPECT_TRUE(club.ok);
    EXPECT_EQ(club.key, "200");

    db.insert("C_UYELIKSURESI", {{"Durum_Key", 201}, {"Durum", "İKİNCİ"}});
    club = ExamPackage::readClub(db);
    EXPECT_FALSE(club.ok);
    EXPECT_EQ(club.rowCount, 3);
    db.exec("delete * from C_UYELIKSURESI where Durum_Key > 1");
    club = ExamPackage::readClub(db);
    EXPECT_FALSE(club.ok);
    EXPECT_EQ(club.rowCount, 1);
}

}
