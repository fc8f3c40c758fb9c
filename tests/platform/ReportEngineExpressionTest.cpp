// Expressions of report expression controls and the number masks.
#include "platform/report/Report.h"

#include <gtest/gtest.h>

namespace {

struct ExprCase {
    const char* expression;
    const char* expected;
};

// One row (Ad "ÇAĞRI", Bolge "ANKARA", Puan 3, Kilo 72.5, Bos NULL) printed
// on 5 March 2024 at 14:05:09.
QString evaluate(const QString& expression, const QString& mask = QString())
{
    Report r;
    ReportQuery q("Query1");
    q.openRows({Record({"Ad", "Bolge", "Puan", "Kilo", "Bos"},
                       {QString("ÇAĞRI"), QString("ANKARA"), 3, 72.5, QVariant()})});
    r.dataSet = &q;
    r.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 5, 9)); };
    ReportExpr* e = r.addBand(ReportBand::Detail, "DetailBand1", 10)->addExpr("QRExpr1", {0, 0, 150, 5}, expression);
    e->mask = mask;
    const ReportItem* item = r.run().pages[0].find("QRExpr1");
    return item ? item->text : QString();
}

class ReportEngineExpression : public ::testing::TestWithParam<ExprCase> {};

TEST_P(ReportEngineExpression, Evaluates)
{
    EXPECT_EQ(evaluate(QString::fromUtf8(GetParam().expression)).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportEngineExpression,
    ::testing::Values(ExprCase{"Puan * 2 + 1", "7"}, ExprCase{"(Puan + 1) * 2", "8"}, ExprCase{"Kilo / 2", "36.25"},
                      ExprCase{"-Puan + 10", "7"}, ExprCase{"'Sp.Sayısı: ' + Puan", "Sp.Sayısı: 3"},
                      ExprCase{"Ad + ', ' + Bolge", "ÇAĞRI, ANKARA"}, ExprCase{"Query1.Ad", "ÇAĞRI"},
                      ExprCase{"[Ad]", "ÇAĞRI"}, ExprCase{"'O''NEIL'", "O'NEIL"},
                      ExprCase{"IF(Puan >= 3, 'GEÇTİ', 'KALDI')", "GEÇTİ"},
                      ExprCase{"IF(Bos = '', 'BOŞ', 'DOLU')", "BOŞ"}, ExprCase{"Bos + Ad", "ÇAĞRI"},
                      ExprCase{"NOT (Puan = 3) OR Kilo > 70", "True"}, ExprCase{"Puan <> 3 AND Kilo > 70", "False"},
                      ExprCase{"Ad < 'ZEKİ'", "True"}, ExprCase{"UPPER('ıi çğ')", "Iİ ÇĞ"},
                      ExprCase{"COPY(Ad, 2, 3)", "AĞR"}, ExprCase{"COPY(Ad, 9, 3)", ""}, ExprCase{"STR(Kilo)", "72.5"},
                      // Positions and lengths beyond what an integer holds.
                      ExprCase{"COPY('abc', 1, 99999999999)", "abc"}, ExprCase{"COPY('abc', 2, 99999999999999999999999)", "bc"},
                      ExprCase{"COPY('abc', 99999999999, 2)", ""}, ExprCase{"COPY('abc', -99999999999, 2)", ""},
                      ExprCase{"COPY('abc', 1, -99999999999)", ""}, ExprCase{"COPY('abc', 1.9, 2.9)", "ab"},
                      ExprCase{"INT(Kilo)", "72"}, ExprCase{"ROUND(Kilo / 7, 2)", "10.36"},
                      ExprCase{"FORMATNUMERIC('#,##0.00', Kilo * 100)", "7,250.00"}, ExprCase{"DATE", "05.03.2024"},
                      ExprCase{"TIME", "14:05:09"}, ExprCase{"'Tarih: ' + DATE", "Tarih: 05.03.2024"},
                      ExprCase{"'Sayfa ' + STR(PAGENUMBER) + ' / ' + PAGECOUNT", "Sayfa 1 / 1"},
                      ExprCase{"IF(PAGENUMBER = PAGECOUNT, 'SON', 'DEVAM')", "SON"},
                      ExprCase{"PAGECOUNT + 1", "2"},
                      ExprCase{"", ""}));

TEST(ReportEngineExpressionMask, MaskFormatsTheValue)
{
    EXPECT_EQ(evaluate("Kilo", "0.00"), "72.50");
    EXPECT_EQ(evaluate("Ad", "0.00"), "ÇAĞRI");   // text is never formatted
}

struct ErrorCase {
    const char* expression;
    const char* message;
};

class ReportEngineExpressionError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ReportEngineExpressionError, EndsTheRunWithItsMessage)
{
    try {
        evaluate(QString::fromUtf8(GetParam().expression));
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message().toStdString(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ReportEngineExpressionError,
    ::testing::Values(ErrorCase{"Puan +", "Hatalı rapor ifadesi: Puan + (ifade eksik)"},
                      ErrorCase{"SUM(Puan", "Hatalı rapor ifadesi: SUM(Puan (')' eksik)"},
                      ErrorCase{"FOO(1)", "Hatalı rapor ifadesi: FOO(1) (bilinmeyen işlev FOO)"},
                      ErrorCase{"'açık", "Hatalı rapor ifadesi: 'açık (kapanmayan metin)"},
                      ErrorCase{"IF(1, 2)", "Hatalı rapor ifadesi: IF(1, 2) (IF işlevine 2 değer verildi)"},
                      ErrorCase{"SUM(COUNT)", "Hatalı rapor ifadesi: SUM(COUNT) (toplam işlevleri iç içe olamaz)"},
                      ErrorCase{"Puan # 2", "Hatalı rapor ifadesi: Puan # 2 (tanınmayan işaret '#')"},
                      ErrorCase{"Puan 2", "Hatalı rapor ifadesi: Puan 2 (beklenmeyen '2')"},
                      ErrorCase{"Puan / (Kilo - Kilo)", "Rapor ifadesinde sıfıra bölme: Puan / (Kilo - Kilo)"},
                      ErrorCase{"Yok + 1", "Rapor ifadesinde bilinmeyen alan: Yok (Yok + 1)"},
                      ErrorCase{"Query9.Ad", "Rapor ifadesinde bilinmeyen alan: Query9.Ad (Query9.Ad)"}));

TEST(ReportEngineExpressionAggregates, SumCountMinMaxAverageRunUntilReset)
{
    ReportExpression e = ReportExpression::parse("STR(SUM(x)) + '/' + STR(COUNT(x)) + '/' + STR(MIN(x)) + '/' + "
                                                 "STR(MAX(x)) + '/' + STR(AVERAGE(x)) + '/' + STR(COUNT)");
    EXPECT_TRUE(e.hasAggregates());
    QVariant current;
    ReportExprContext ctx;
    ctx.field = [&](const QString&, const QString&, QVariant& v) {
        v = current;
        return true;
    };
    for (const QVariant& v : {QVariant(4), QVariant(), QVariant(2), QVariant(12)}) {
        current = v;
        e.accumulate(ctx);
    }
    // A NULL takes no part in the sums; COUNT without a value counts rows.
    EXPECT_EQ(e.evaluate(ctx).toString(), "18/3/2/12/6/4");
    e.reset();
    EXPECT_EQ(e.evaluate(ctx).toString(), "0/0/0/0/0/0");
    EXPECT_FALSE(ReportExpression::parse("Puan * 2").hasAggregates());
}

struct MaskCase {
    const char* mask;
    double value;
    const char* expected;
};

class ReportEngineFormatFloat : public ::testing::TestWithParam<MaskCase> {};

TEST_P(ReportEngineFormatFloat, FormatsLikeTheClassicMask)
{
    EXPECT_EQ(ReportFormat::formatFloat(QString::fromUtf8(GetParam().mask), GetParam().value).toStdString(),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, ReportEngineFormatFloat,
    ::testing::Values(MaskCase{"0.00", 3, "3.00"}, MaskCase{"#,##0.00", 1234567.891, "1,234,567.89"},
                      MaskCase{"#,##0", 999, "999"}, MaskCase{"0", 2.5, "3"}, MaskCase{"0", -2.5, "-3"},
                      MaskCase{"#.##", 0.5, ".5"}, MaskCase{"0.0#", 1.5, "1.5"}, MaskCase{"0.0#", 1.456, "1.46"},
                      MaskCase{"000", 7, "007"}, MaskCase{"#", 0, ""}, MaskCase{"0.00", -1.234, "-1.23"},
                      MaskCase{"0.00", -0.001, "0.00"}, MaskCase{"0;(0);'sıfır'", -5, "(5)"},
                      MaskCase{"0;(0);'sıfır'", 0, "sıfır"}, MaskCase{"0;(0);'sıfır'", 5, "5"},
                      MaskCase{"'Puan: '0", 12, "Puan: 12"}, MaskCase{"0 'kg'", 60, "60 kg"},
                      MaskCase{"0\" Kg\"", 60.4, "60 Kg"}, MaskCase{"", 2.5, "2.5"}, MaskCase{"", 3, "3"}));

TEST(ReportEngineFormatFloatSeparator, DecimalSeparatorIsTheProgramsOwn)
{
    ReportFormat::setDecimalSeparator(',');
    const QString masked = ReportFormat::formatFloat("#,##0.00", 1234.5);
    const QString plain = ReportFormat::toText(72.5);
    ReportFormat::setDecimalSeparator('.');
    EXPECT_EQ(masked, "1,234,50");
    EXPECT_EQ(plain, "72,5");
}

} // namespace
