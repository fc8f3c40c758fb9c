// Zip archives written in process: flat names, the temporary name, and what
// a failed write leaves behind; reading entries of any size byte for byte,
// and refusing archives whose entries claim more than they can hold.

#include "platform/zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ZipArchiveTestLocal {

quint32 crc32Of(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Raw deflate data of `data` (the zlib stream of qCompress without its
// length prefix, header and check value).
QByteArray deflated(const QByteArray& data)
{
    const QByteArray z = qCompress(data, 9);
    return z.mid(6, z.size() - 10);
}

// An archive of one entry written by hand, with whatever sizes it claims.
struct HandMadeEntry {
    QByteArray name;
    quint16 method;         // 0 stored, 8 deflated
    QByteArray data;        // the bytes as they stand in the archive
    quint32 declaredSize;   // the size it claims unpacked
    quint32 crc;
};

QByteArray handMadeArchive(const HandMadeEntry& e)
{
    QByteArray out;
    put32(out, 0x04034b50);
    put16(out, 20);
    put16(out, 0);
    put16(out, e.method);
    put16(out, 0);
    put16(out, 0x21);
    put32(out, e.crc);
    put32(out, quint32(e.data.size()));
    put32(out, e.declaredSize);
    put16(out, quint32(e.name.size()));
    put16(out, 0);
    out += e.name + e.data;
    const quint32 directory = quint32(out.size());
    put32(out, 0x02014b50);
    put16(out, 20);
    put16(out, 20);
    put16(out, 0);
    put16(out, e.method);
    put16(out, 0);
    put16(out, 0x21);
    put32(out, e.crc);
    put32(out, quint32(e.data.size()));
    put32(out, e.declaredSize);
    put16(out, quint32(e.name.size()));
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    out += e.name;
    const quint32 directorySize = quint32(out.size()) - directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    put32(out, directorySize);
    put32(out, directory);
    put16(out, 0);
    return out;
}

// Bytes that deflate hardly shrinks.
QByteArray noise(qsizetype size, quint32 seed)
{
    QByteArray out(size, Qt::Uninitialized);
    quint32 x = seed;
    for (qsizetype i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        out[i] = char(x >> 24);
    }
    return out;
}

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

TEST_F(ZipArchiveTest, EntriesOfEverySizeAreReadBackByteForByte)
{
    // Around the size of one read piece (256 KB) and several of them.
    const QList<qsizetype> sizes = {0, 1, 262143, 262144, 262145, 1000003};
    QList<ZipArchive::Entry> entries;
    for (qsizetype size : sizes) {
        const QString name = "e" + QString::number(size) + ".bin";
        entries.append({name, file(name, noise(size, quint32(size)))});
    }
    const QByteArray compressible = QByteArray("BG200 kayıt ").repeated(90000);
    entries.append({"BG200.mdb", file("BG200.mdb", compressible)});
    const QString archive = dir.filePath("F200.zip");
    ZipArchive::write(archive, entries);

    for (qsizetype size : sizes) {
        EXPECT_TRUE(ZipArchive::read(archive, "e" + QString::number(size) + ".bin") == noise(size, quint32(size)))
            << size << " bytes";
    }
    EXPECT_TRUE(ZipArchive::read(archive, "BG200.mdb") == compressible);
}

TEST_F(ZipArchiveTest, AnEntryClaimingMoreOrOtherThanItHoldsIsRefusedWithoutReadingIt)
{
    const QByteArray small = "sınav listesi";
    const QByteArray packed = deflated(small);
    const QByteArray big = QByteArray(2000, 'a');
    struct Case {
        const char* why;
        HandMadeEntry entry;
        const char* message;
    };
    const QList<Case> cases = {
        {"a 4 GB claim in a hundred bytes",
         {"a", 8, packed, 0xFFFFFFF0u, crc32Of(small)},
         "Arşiv dosyası okunamadı: a bozuk (bildirilen boyutu sıkıştırılmış boyutuna uymuyor)"},
        {"deflate cannot give that much",
         {"BG200.mdb", 8, packed, quint32(packed.size()) * 1032u + 2064u + 1u, crc32Of(small)},
         "Arşiv dosyası okunamadı: BG200.mdb bozuk (bildirilen boyutu sıkıştırılmış boyutuna uymuyor)"},
        {"stored with another size",
         {"R1.jpg", 0, small, quint32(small.size()) + 1, crc32Of(small)},
         "Arşiv dosyası okunamadı: R1.jpg bozuk (bildirilen boyutu sıkıştırılmış boyutuna uymuyor)"},
        {"more than one read may hold",
         {"BG200.mdb", 8, noise(1100000, 7), 1100000u * 1000u, 0},
         "Arşiv dosyası okunamadı: BG200.mdb çok büyük (en fazla 1 GB okunabilir)"},
        {"gives more than it claims",
         {"BG200.mdb", 8, deflated(big), 1000, crc32Of(big.left(1000))},
         nullptr},
        {"gives less than it claims",
         {"BG200.mdb", 8, deflated(big), 3000, crc32Of(big)},
         nullptr},
    };
    for (const Case& c : cases) {
        const QByteArray bytes = handMadeArchive(c.entry);
        const QString archive = file("hand.zip", bytes);
        EXPECT_EQ(ZipArchive::entryNames(archive), QStringList{QString::fromLatin1(c.entry.name)}) << c.why;
        try {
            const QByteArray got = ZipArchive::read(archive, QString::fromLatin1(c.entry.name));
            ADD_FAILURE() << c.why << ": read " << got.size() << " bytes";
        } catch (const ZipError& e) {
            if (c.message)
                EXPECT_EQ(e.message(), QString::fromUtf8(c.message)) << c.why;
            else
                EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Arşiv dosyası okunamadı: BG200.mdb (")))
                    << c.why << ": " << e.what();
        }
    }

    // The hand-made archive itself is sound: with its true size it reads.
    const QString sound = file("sound.zip", handMadeArchive({"a", 8, packed, quint32(small.size()), crc32Of(small)}));
    EXPECT_EQ(ZipArchive::read(sound, "a"), small);
}

}
