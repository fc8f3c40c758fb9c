// The CSV writer: ";" between fields, quotes where a field needs them, CR LF
// after every line, code page 1254, and a file replaced only when the new
// one is complete.
#include "platform/text/CodePage.h"
#include "platform/text/Csv.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct FieldCase {
    const char* value;
    const char* written;
};
class CsvField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvField, IsQuotedOnlyWhenItMustBe)
{
    EXPECT_EQ(Csv::field(QString::fromUtf8(GetParam().value)), QString::fromUtf8(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Fields, CsvField,
                         ::testing::Values(FieldCase{"", ""}, FieldCase{"ŞÜKRÜ ÇAĞLAR", "ŞÜKRÜ ÇAĞLAR"},
                                           FieldCase{"KAYA;ÖZ", "\"KAYA;ÖZ\""},
                                           FieldCase{"ALİ \"CAN\"", "\"ALİ \"\"CAN\"\"\""},
                                           FieldCase{"A\r\nB", "\"A\r\nB\""}, FieldCase{"A\nB", "\"A\nB\""},
                                           FieldCase{"O'NEIL, 5", "O'NEIL, 5"}));

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(CsvFile, IsWrittenInCodePage1254WithCrLfAfterEveryLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Liste2.csv");
    const CsvRows rows{{"ADI", "SOYADI"}, {"İSMAİL", "ŞEN;ÖZ"}, {"", ""}};
    QString why;
    ASSERT_TRUE(Csv::writeFile(path, rows, &why)) << why.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("ADI;SOYADI\r\n\xDDSMA\xDDL;\"\xDE" "EN;\xD6Z\"\r\n;\r\n"));
}

TEST(CsvFile, AFileThatCannotBeWrittenIsReportedWithItsReason)
{
    QTemporaryDir dir;
    QString why;
    EXPECT_FALSE(Csv::writeFile(dir.filePath("yok/Liste2.csv"), {{"A"}}, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("yok/Liste2.csv")));
}

} // namespace
