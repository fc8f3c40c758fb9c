#include "platform/db/SqlFunctions.h"
#include "reports/PrintMenu3.h"

#include "reports/ListLayout.h"

using ListLayout::font;

namespace {

const QString kThirdPlaceRound = QStringLiteral("3.'LÜK MAÇI");

// Bouts with two athletes: "-" marks an empty corner, "Tur Atlar" a bye.
const QString kTwoAthletes = QStringLiteral(
    " and Ad1 <> '-' and Ad2 <> '-' and Ad1 <> 'Tur Atlar' and Ad2 <> 'Tur Atlar'");

// Columns of the figures: x and width.
const double kColumns[][2] = {{78, 28}, {108, 32}, {142, 20}, {164, 26}};

QString number(int n)
{
    return QString::number(n);
}

} // namespace

TPrintMenu3::TPrintMenu3() : TReportForm("PrintMenu3")
{
    addDataSet(Query1);
    addDataSet(Query2);
    addDataSet(Query3);
    Query2.sql = "select Cinsiyet, Brans from C_LISTE group by Cinsiyet, Brans order by Cinsiyet desc, Brans";
    Query3.sql = "select Durum from C_BRANSADI where Durum_Key >= 10";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 42);
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, 190, 12}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel12 = head->addLabel("QRLabel12", {160, 16, 30, 5}, "Tarih");
    QRLabel12->font = font(8);
    QRLabel12->alignment = Qt::AlignRight | Qt::AlignTop;
    QRLabel1 = head->addLabel("QRLabel1", {0, 16, 190, 7}, "BRANŞLARA GÖRE SPORCU SAYILARI");
    QRLabel1->font = font(12, true);
    QRLabel1->alignment = Qt::AlignHCenter | Qt::AlignTop;
    const ListLayout::Captions caption{head, 7};
    caption("QRLabel2", {0, 29, 76, 5}, "BRANŞ");
    struct TwoLines {
        const char* first;
        const char* second;
    };
    const TwoLines captions[] = {{"Tartıda Kabul", "Edilen Sporcu"},
                                 {"Tartıda Diskalifiye", "Edilen Sporcu"},
                                 {"Oynanan", "3.'lük Maçları"},
                                 {"Toplam Oynanan", "Müsabaka Sayısı"}};
    QList<ReportLabel*> captionLabels;
    for (int i = 0; i < 4; ++i) {
        const double x = kColumns[i][0], w = kColumns[i][1];
        for (int line = 0; line < 2; ++line) {
            ReportLabel* l = caption(qPrintable(QString("QRLabel%1").arg(3 + 2 * i + line)), {x, 27.0 + 5 * line, w, 5},
                                     line == 0 ? captions[i].first : captions[i].second);
            l->alignment = Qt::AlignHCenter | Qt::AlignTop;
            captionLabels << l;
        }
    }
    QRLabel7 = captionLabels[4];
    QRLabel8 = captionLabels[5];
    head->addShape("QRShape1", {0, 38, 190, 0.3}, ReportShape::HorLine);

    auto figures = [](ReportBand* band, int firstName, bool bold) {
        QList<ReportLabel*> labels;
        for (int i = 0; i < 4; ++i) {
            ReportLabel* l =
                band->addLabel(QString("QRLabel%1").arg(firstName + i), {kColumns[i][0], 0.5, kColumns[i][1], 5});
            l->font = font(9, bold);
            l->alignment = Qt::AlignHCenter | Qt::AlignTop;
            labels << l;
        }
        return labels;
    };

    // The categories.
    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 6, &Query2);
    QRDBText1 = ListLayout::Fields{rows, &Query2, 9}("QRDBText1", {0, 0.5, 76, 5}, "Brans");
    const QList<ReportLabel*> row = figures(rows, 13, false);
    QRLabel13 = row[0];
    QRLabel14 = row[1];
    QRLabel15 = row[2];
    QRLabel16 = row[3];

    // The totals, once after the categories.
    ReportBand* totals = ReportBody1.addSubDetail("QRSubDetail2", 9, nullptr);
    totals->addShape("QRShape2", {0, 0.5, 190, 0.3}, ReportShape::HorLine);
    QRLabel17 = totals->addLabel("QRLabel17", {0, 2, 76, 5}, "GENEL TOPLAM :");
    QRLabel17->font = font(9, true);
    QRLabel17->alignment = Qt::AlignRight | Qt::AlignTop;
    const QList<ReportLabel*> total = figures(totals, 18, true);
    for (ReportLabel* l : total)
        l->rect.moveTop(2);
    QRLabel18 = total[0];
    QRLabel19 = total[1];
    QRLabel20 = total[2];
    QRLabel21 = total[3];

    // The levels that have athletes.
    ReportBand* levels = ReportBody1.addSubDetail("QRSubDetail3", 6, &Query3);
    QRDBText2 = ListLayout::Fields{levels, &Query3, 9}("QRDBText2", {0, 0.5, 76, 5}, "Durum");
    QRDBText2->font = font(9, true);
    const QList<ReportLabel*> level = figures(levels, 22, false);
    QRLabel22 = level[0];
    QRLabel23 = level[1];
    QRLabel24 = level[2];
    QRLabel25 = level[3];
    levels->beforePrint = [this](ReportBand&, bool& print) { levelRow(print); };

    // The third-place column and the date never print; the third-place
    // bouts count in the bouts column.
    hideThirdPlaceColumn();
    Query2.beforeScroll = [this](ReportQuery&) {
        hideThirdPlaceColumn();
        if (FFirstRow == 1) {
            FFirstRow = 0;
            FSumming = 1;
            FSums = Counts();
        }
    };
    Query2.afterScroll = [this](ReportQuery&) { categoryMoved(); };
}

int TPrintMenu3::count(const QString& sql, const QVariantMap& params)
{
    Query1.sql = sql;
    Query1.params = params;
    Query1.open();
    const int n = Query1.recordCount();
    Query1.close();
    return n;
}

TPrintMenu3::Counts TPrintMenu3::counts(const QString& where, const QVariantMap& params)
{
    QVariantMap third = params;
    third.insert("Tur", kThirdPlaceRound);
    Counts c;
    c.accepted = count("select * from C_LISTE where Onay = 1 and " + where + " order by Onay desc,Ad", params);
    c.rejected = count("select * from C_LISTE where Onay = 0 and " + where + " order by Onay desc,Ad", params);
    c.thirdPlace = count("select * from C_KURA where " + where + kTwoAthletes + " and Tur = :Tur order by Kura_Key", third);
    c.bouts = c.thirdPlace +
              count("select * from C_KURA where " + where + kTwoAthletes + " and Tur <> :Tur order by Kura_Key", third);
    return c;
}

TPrintMenu3::Counts TPrintMenu3::categoryCounts(const QString& gender, const QString& category)
{
    return counts("Cinsiyet = :Cinsiyet and Brans = :Brans", {{"Cinsiyet", gender}, {"Brans", category}});
}

TPrintMenu3::Counts TPrintMenu3::levelCounts(const QString& level)
{
    return counts("Brans like :Seviye", {{"Seviye", "%" + SqlFunctions::likeLiteral(level) + "%"}});
}

void TPrintMenu3::hideThirdPlaceColumn()
{
    for (ReportLabel* l : {QRLabel7, QRLabel8, QRLabel15, QRLabel20, QRLabel24, QRLabel12})
        l->enabled = false;
}

void TPrintMenu3::categoryMoved()
{
    if (Query2.eof()) {
        FSumming = 0;
        QRLabel18->caption = number(FSums.accepted);
        QRLabel19->caption = number(FSums.rejected);
        QRLabel21->caption = number(FSums.bouts);
        QRLabel20->caption = number(FSums.thirdPlace);
        return;
    }
    const Counts c = categoryCounts(Query2.str("Cinsiyet"), Query2.str("Brans"));
    QRLabel13->caption = number(c.accepted);
    QRLabel14->caption = number(c.rejected);
    QRLabel15->caption = number(c.thirdPlace);
    QRLabel16->caption = number(c.bouts);
    if (FSumming == 1) {
        FSums.accepted += c.accepted;
        FSums.rejected += c.rejected;
        FSums.thirdPlace += c.thirdPlace;
        FSums.bouts += c.bouts;
    }
}

void TPrintMenu3::levelRow(bool& print)
{
    const Counts c = levelCounts(Query3.str("Durum"));
    QRLabel22->caption = number(c.accepted);
    QRLabel23->caption = number(c.rejected);
    QRLabel24->caption = number(c.thirdPlace);
    QRLabel25->caption = number(c.bouts);
    print = c.accepted > 0 || c.rejected > 0;
}
