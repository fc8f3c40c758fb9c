#include "registry/PersonFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class PersonFilesTest : public StationTest {
protected:
    QByteArray read(const QString& hostPath)
    {
        QFile f(hostPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString folder() { return host("C:\\CO\\QVX_PROG\\"); }
};

TEST_F(PersonFilesTest, AttachmentsAreNamedAfterTheRowsKey)
{
    EXPECT_EQ(PersonFiles::attachmentName("C:\\CO\\QVX_PROG\\", 'K', 15), "C:\\CO\\QVX_PROG\\K15.pdf");
    EXPECT_EQ(PersonFiles::attachmentName("M:\\QVX_PROG\\", 'H', QVariant("7")), "M:\\QVX_PROG\\H7.pdf");
}

TEST_F(PersonFilesTest, ACopyReplacesTheOldFileAlsoAReadOnlyOne)
{
    writeFile(dir.path() + "/new.pdf", "NEW");
    writeFile(host("C:\\CO\\QVX_PROG\\K1.pdf"), "OLD");
    QFile::setPermissions(host("C:\\CO\\QVX_PROG\\K1.pdf"), QFile::ReadOwner);
    ASSERT_TRUE(PersonFiles::replace(dir.path() + "/new.pdf", "C:\\CO\\QVX_PROG\\K1.pdf"));
    EXPECT_EQ(read(host("C:\\CO\\QVX_PROG\\K1.pdf")), "NEW");
    EXPECT_TRUE(QFileInfo(host("C:\\CO\\QVX_PROG\\K1.pdf")).isWritable());
    EXPECT_FALSE(QFileInfo::exists(host("C:\\CO\\QVX_PROG\\K1.pdf.yeni")));
}

// The copy cannot be written (a folder stands where it would go) or cannot
// take the old file's place (a folder stands there): the old file is kept.
TEST_F(PersonFilesTest, AFailedCopyLeavesTheOldFile)
{
    writeFile(dir.path() + "/new.jpg", "NEW");
    writeFile(host("C:\\CO\\QVX_PROG\\R7.jpg"), "OLD");
    ASSERT_TRUE(QDir().mkpath(host("C:\\CO\\QVX_PROG\\R7.jpg.yeni")));
    EXPECT_FALSE(PersonFiles::replace(dir.path() + "/new.jpg", "C:\\CO\\QVX_PROG\\R7.jpg"));
    EXPECT_EQ(read(host("C:\\CO\\QVX_PROG\\R7.jpg")), "OLD");

    ASSERT_TRUE(QDir().mkpath(host("C:\\CO\\QVX_PROG\\R8.jpg")));
    EXPECT_FALSE(PersonFiles::replace(dir.path() + "/new.jpg", "C:\\CO\\QVX_PROG\\R8.jpg"));
    EXPECT_TRUE(QFileInfo(host("C:\\CO\\QVX_PROG\\R8.jpg")).isDir());
    EXPECT_FALSE(QFileInfo::exists(host("C:\\CO\\QVX_PROG\\R8.jpg.yeni"))) << "no half copy is left";

    EXPECT_FALSE(PersonFiles::replace(dir.path() + "/missing.jpg", "C:\\CO\\QVX_PROG\\R9.jpg"));
    EXPECT_FALSE(QFileInfo::exists(host("C:\\CO\\QVX_PROG\\R9.jpg")));
}

TEST_F(PersonFilesTest, RemovingTakesAReadOnlyFileAndReportsWhatStays)
{
    writeFile(host("C:\\CO\\QVX_PROG\\A3.pdf"), "X");
    QFile::setPermissions(host("C:\\CO\\QVX_PROG\\A3.pdf"), QFile::ReadOwner);
    EXPECT_TRUE(PersonFiles::remove("C:\\CO\\QVX_PROG\\A3.pdf"));
    EXPECT_FALSE(PersonFiles::exists("C:\\CO\\QVX_PROG\\A3.pdf"));
    EXPECT_TRUE(PersonFiles::remove("C:\\CO\\QVX_PROG\\A3.pdf")) << "nothing left to remove";
    ASSERT_TRUE(QDir().mkpath(host("C:\\CO\\QVX_PROG\\A4.pdf")));
    EXPECT_FALSE(PersonFiles::remove("C:\\CO\\QVX_PROG\\A4.pdf"));
}

} // namespace
