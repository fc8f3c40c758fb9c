#include "platform/db/SqlFunctions.h"
#include "reports/PrintMenu330.h"

#include "reports/ListLayout.h"

using ListLayout::font;

namespace {

// Medals count in the categories that have a champion.
const char* const kMedals =
    "SELECT Bolge, abs(Sum(Puan=1 and Brans IN (select Brans from C_LISTE where Puan = 1))) AS P1, "
    "abs(Sum(Puan=2 and Brans IN (select Brans from C_LISTE where Puan = 1))) AS P2, "
    "abs(Sum((Puan=3 or Puan=4) and Brans IN (select Brans from C_LISTE where Puan = 1))) AS P3, "
    "abs(Sum(Puan>=1 and Puan<=4 and Brans IN (select Brans from C_LISTE where Puan = 1))) AS TP "
    "FROM C_LISTE GROUP BY C_LISTE.Bolge ORDER BY 2 desc, 3 desc, 4 desc, Bolge";

// Columns: x and width.
const double kTeamColumns[][2] = {{0, 10}, {12, 48}, {62, 22}, {86, 22}, {110, 18}, {130, 18}, {150, 18}, {170, 20}};

// A figure prints only when it is not 0.
QString figure(int n)
{
    return n == 0 ? QString() : QString::number(n);
}

} // namespace

TPrintMenu330::TPrintMenu330() : TReportForm("PrintMenu330")
{
    addDataSet(Query1);
    addDataSet(Query2);
    Query2.sql = kMedals;
    ReportBody1.page.orientation = ReportPageSetup::Portrait;

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 40);
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, 190, 12}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel1 = head->addLabel("QRLabel1", {0, 16, 190, 7}, "MÜSABAKA İSTATİSTİKLERİ");
    QRLabel1->font = font(12, true);
    QRLabel1->alignment = Qt::AlignHCenter | Qt::AlignTop;
    const ListLayout::Captions caption{head, 7};
    const char* const captions[][2] = {{"Sıra", ""},          {"BÖLGE", ""},           {"Erkek", "Sporcu Sayısı"},
                                       {"Bayan", "Sporcu Sayısı"}, {"Altın", "Madalya"}, {"Gümüş", "Madalya"},
                                       {"Bronz", "Madalya"},   {"Toplam", "Madalya"}};
    for (int i = 0; i < 8; ++i)
        for (int line = 0; line < 2; ++line) {
            if (*captions[i][line] == 0)
                continue;
            ReportLabel* l = caption(qPrintable(QString("QRLabel%1").arg(2 + 2 * i + line)),
                                     {kTeamColumns[i][0], 26.0 + 5 * line, kTeamColumns[i][1], 5}, captions[i][line]);
            l->alignment = (i == 1 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop;
        }
    head->addShape("QRShape1", {0, 37, 190, 0.3}, ReportShape::HorLine);

    auto figures = [](ReportBand* band, int firstName, int firstColumn, int count, double top, bool bold) {
        QList<ReportLabel*> labels;
        for (int i = 0; i < count; ++i) {
            const double* c = kTeamColumns[firstColumn + i];
            ReportLabel* l = band->addLabel(QString("QRLabel%1").arg(firstName + i), {c[0], top, c[1], 5});
            l->font = font(9, bold);
            l->alignment = Qt::AlignHCenter | Qt::AlignTop;
            labels << l;
        }
        return labels;
    };

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 6, &Query2);
    QRLabel20 = figures(rows, 20, 0, 1, 0.5, false)[0];
    QRLabel20->alignment = Qt::AlignRight | Qt::AlignTop;
    QRDBText1 = ListLayout::Fields{rows, &Query2, 9}("QRDBText1", {kTeamColumns[1][0], 0.5, kTeamColumns[1][1], 5}, "Bolge");
    const QList<ReportLabel*> row = figures(rows, 21, 2, 6, 0.5, false);
    QRLabel21 = row[0];
    QRLabel22 = row[1];
    QRLabel23 = row[2];
    QRLabel24 = row[3];
    QRLabel25 = row[4];
    QRLabel26 = row[5];

    ReportBand* totals = ReportBody1.addSubDetail("QRSubDetail2", 9, nullptr);
    totals->addShape("QRShape2", {0, 0.5, 190, 0.3}, ReportShape::HorLine);
    QRLabel27 = totals->addLabel("QRLabel27", {kTeamColumns[1][0], 2, kTeamColumns[1][1], 5}, "TOPLAM :");
    QRLabel27->font = font(9, true);
    QRLabel27->alignment = Qt::AlignRight | Qt::AlignTop;
    const QList<ReportLabel*> total = figures(totals, 28, 2, 6, 2, true);
    QRLabel28 = total[0];
    QRLabel29 = total[1];
    QRLabel30 = total[2];
    QRLabel31 = total[3];
    QRLabel32 = total[4];
    QRLabel33 = total[5];

    // Each move to a region adds its figures; opening the dataset does not.
    numberRows(Query2, QRLabel20);
    Query2.beforeScroll = [this, before = Query2.beforeScroll](ReportQuery& q) {
        if (FFirstRow == 1)
            FMen = FWomen = FGold = FSilver = FBronze = FMedals = 0;
        m_moving = true;
        before(q);
    };
    Query2.afterScroll = [this, after = Query2.afterScroll](ReportQuery& q) {
        after(q);
        if (m_moving)
            regionMoved();
        m_moving = false;
    };
}

int TPrintMenu330::athletes(const QString& region, const QString& gender)
{
    QString filters;
    QVariantMap params{{"Bolge", region}, {"Cinsiyet", gender}};
    if (!FCategory.isEmpty()) {
        filters += " and Brans like :Kategori";
        params.insert("Kategori", "%" + SqlFunctions::likeLiteral(FCategory));
    }
    if (FStyle == "KATA")
        filters += " and Brans like '%KATA%'";
    else if (FStyle == QString::fromUtf8("KUMİTE"))
        filters += " and Brans not like '%KATA%'";
    Query1.sql = "Select count(*) as Sayi from C_LISTE where Onay=1 and Bolge = :Bolge" + filters +
                 " and Cinsiyet = :Cinsiyet group by Musteri_Key";
    Query1.params = params;
    Query1.open();
    const int n = Query1.recordCount();
    Query1.close();
    return n;
}

void TPrintMenu330::regionMoved()
{
    if (Query2.eof()) {
        FMen = FWomen = FGold = FSilver = FBronze = FMedals = 0;
        return;
    }
    const QString region = Query2.str("Bolge");
    const int men = athletes(region, "ERKEK");
    const int women = athletes(region, "BAYAN");
    const int gold = Query2.toInt("P1"), silver = Query2.toInt("P2"), bronze = Query2.toInt("P3"),
              medals = Query2.toInt("TP");
    QRLabel21->caption = figure(men);
    QRLabel22->caption = figure(women);
    QRLabel23->caption = figure(gold);
    QRLabel24->caption = figure(silver);
    QRLabel25->caption = figure(bronze);
    QRLabel26->caption = figure(medals);
    FMen += men;
    FWomen += women;
    FGold += gold;
    FSilver += silver;
    FBronze += bronze;
    FMedals += medals;
    // The totals band prints after the last row: it shows the sums so far.
    QRLabel28->caption = figure(FMen);
    QRLabel29->caption = figure(FWomen);
    QRLabel30->caption = figure(FGold);
    QRLabel31->caption = figure(FSilver);
    QRLabel32->caption = figure(FBronze);
    QRLabel33->caption = figure(FMedals);
}
