// Zip archives written in process: flat names, the temporary name, and what
// a failed write leaves behind.

#include "platform/zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ZipArchiveTestLocal {

class ZipArchiveTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& content)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ZipArchiveTest, HoldsTheFilesUnderFlatNamesWithTheirBytes)
{
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary.append(char(i * 7));
    const QString archive = dir.filePath("F200.zip");
    ZipArchive::write(archive, {{"BG200.mdb", file("copy.db", binary)},
                                {"eski sınav listesi.pdf", file("a.pdf", "%PDF-1.4")},
                                {"R17.jpg", file("r.jpg", "\xFF\xD8\xFF")}});
    EXPECT_EQ(ZipArchive::entryNames(archive),
              (QStringList{"BG200.mdb", "eski sınav listesi.pdf", "R17.jpg"}));
    EXPECT_EQ(ZipArchive::read(archive, "BG200.mdb"), binary);
    EXPECT_EQ(ZipArchive::read(archive, "eski sınav listesi.pdf"), QByteArray("%PDF-1.4"));
    EXPECT_FALSE(QFile::exists(ZipArchive::temporaryNameFor(archive)));

    // Another reader agrees.
    QProcess unzip;
    unzip.start("unzip", {"-Z1", archive});
    ASSERT_TRUE(unzip.waitForFinished());
    EXPECT_EQ(QString::fromUtf8(unzip.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
              (QStringList{"BG200.mdb", "eski sınav listesi.pdf", "R17.jpg"}));
}

TEST_F(ZipArchiveTest, ARefusedWriteLeavesTheOlderArchiveAndNoTemporaryFile)
{
    const QString archive = dir.filePath("F200.zip");
    const QString a = file("a.txt", "first");
    ZipArchive::write(archive, {{"a.txt", a}});

    struct Case {
        const char* why;
        QList<ZipArchive::Entry> entries;
        const char* message;
    };
    const QList<Case> cases = {
        {"folder part", {{"Resim/R1.jpg", a}}, "Arşiv dosyası oluşturulamadı: geçersiz dosya adı \"Resim/R1.jpg\""},
        {"backslash", {{"..\\Fdr.mdb", a}}, "Arşiv dosyası oluşturulamadı: geçersiz dosya adı \"..\\Fdr.mdb\""},
        {"same name twice", {{"a.txt", a}, {"A.TXT", a}}, "Arşiv dosyası oluşturulamadı: \"A.TXT\" iki kez eklenemez"},
        {"missing file", {{"b.txt", dir.filePath("yok.txt")}}, nullptr},
        {"nothing", {}, "Arşiv dosyası oluşturulamadı: arşive eklenecek dosya yok"},
    };
    for (const Case& c : cases) {
        try {
            ZipArchive::write(archive, c.entries);
            ADD_FAILURE() << c.why << ": written";
        } catch (const ZipError& e) {
            if (c.message)
                EXPECT_EQ(e.message(), QString::fromUtf8(c.message)) << c.why;
            else
                EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Arşiv dosyası oluşturulamadı: "))) << c.why;
        }
        EXPECT_EQ(ZipArchive::entryNames(archive), QStringList{"a.txt"}) << c.why;
        EXPECT_FALSE(QFile::exists(ZipArchive::temporaryNameFor(archive))) << c.why;
    }
}

TEST_F(ZipArchiveTest, AFileThatIsNoArchiveIsReportedOnReading)
{
    const QString notZip = file("F200.zip", "not a zip");
    try {
        ZipArchive::entryNames(notZip);
        ADD_FAILURE() << "read";
    } catch (const ZipError& e) {
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Arşiv dosyası okunamadı: F200.zip"))) << e.what();
    }
}

}
