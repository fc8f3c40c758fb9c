#include "reports/RapTakimList.h"

#include "reports/ListLayout.h"

using ListLayout::font;

namespace {

const char* const kTeamPoints = "SELECT Bolge,Takim, Sum(Puan) AS Toplam FROM C_LISTE %1GROUP BY Bolge,Takim "
                                "order by Sum(Puan) desc";

} // namespace

TRapTakimList::TRapTakimList() : TReportForm("RapTakimList")
{
    addDataSet(Query1);
    addDataSet(Query2);
    addDataSet(Query3);
    Query1.sql = QString(kTeamPoints).arg("where cinsiyet = 'ERKEK' ");
    Query2.sql = QString(kTeamPoints).arg("where cinsiyet = 'BAYAN' ");
    Query3.sql = QString(kTeamPoints).arg(QString());
    ReportBody1.title = "Rapor";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;

    QRLabel9 = ListLayout::addTitle(ReportBody1, 190);

    addSection(1, "ERKEK TAKIM PUANLAMASI", Query1, FLineNo1);
    addSection(2, "BAYAN TAKIM PUANLAMASI", Query2, FLineNo2);
    addSection(3, "GENEL KLASMAN", Query3, FLineNo3);
    QRLabel1 = ReportBody1.find<ReportLabel>("QRLabel1");
    QRLabel2 = ReportBody1.find<ReportLabel>("QRLabel2");
    QRLabel3 = ReportBody1.find<ReportLabel>("QRLabel3");
    QRLabel4 = ReportBody1.find<ReportLabel>("QRLabel4");
    QRLabel5 = ReportBody1.find<ReportLabel>("QRLabel5");
    QRLabel6 = ReportBody1.find<ReportLabel>("QRLabel6");

    // A new run numbers every section from 1.
    Query1.beforeScroll = [this](ReportQuery&) {
        if (FFirstRow == 1) {
            FFirstRow = 0;
            FLineNo1 = FLineNo2 = FLineNo3 = 0;
        }
    };
    loadOnNeedData([this] {
        Query1.open();
        Query2.open();
        Query3.open();
    });
}

void TRapTakimList::addSection(int index, const QString& caption, ReportQuery& query, int& counter)
{
    ReportBand* rows = ReportBody1.addSubDetail(QString("QRSubDetail%1").arg(index), 6, &query);
    ReportBand* head = ReportBody1.addSubDetailHeader(rows, QString("QRBand%1").arg(index), 20);
    ReportLabel* title = head->addLabel(QString("QRLabel%1").arg(index), {0, 4, 190, 7}, caption);
    title->font = font(11, true);
    title->alignment = Qt::AlignHCenter | Qt::AlignTop;
    const ListLayout::Captions captionOf{head, 9};
    const int n = (index - 1) * 4;
    captionOf(qPrintable(QString("QRLabel%1").arg(10 + n)), {20, 13, 18, 5}, "Sıra No")->alignment =
        Qt::AlignRight | Qt::AlignTop;
    captionOf(qPrintable(QString("QRLabel%1").arg(11 + n)), {42, 13, 18, 5}, "Puanı")->alignment =
        Qt::AlignRight | Qt::AlignTop;
    captionOf(qPrintable(QString("QRLabel%1").arg(12 + n)), {66, 13, 50, 5}, "Bölge");
    captionOf(qPrintable(QString("QRLabel%1").arg(13 + n)), {118, 13, 60, 5}, "Takım");
    head->addShape(QString("QRShape%1").arg(index), {20, 19, 158, 0.3}, ReportShape::HorLine);

    ReportLabel* number = rows->addLabel(QString("QRLabel%1").arg(3 + index), {20, 0.5, 18, 5});
    number->font = font(9);
    number->alignment = Qt::AlignRight | Qt::AlignTop;
    const ListLayout::Fields field{rows, &query, 9};
    const int t = (index - 1) * 3;
    ReportDataText* points = field(qPrintable(QString("QRDBText%1").arg(1 + t)), {42, 0.5, 18, 5}, "Toplam");
    points->alignment = Qt::AlignRight | Qt::AlignTop;
    ReportDataText* region = field(qPrintable(QString("QRDBText%1").arg(2 + t)), {66, 0.5, 50, 5}, "Bolge");
    ReportDataText* team = field(qPrintable(QString("QRDBText%1").arg(3 + t)), {118, 0.5, 60, 5}, "Takim");
    // A long region or team prints whole: in smaller type, or on more lines.
    ListLayout::FittedCells* cells = &m_cells[index - 1];
    cells->add({number, points, region, team});

    const Section s{&query, &counter, number, cells};
    query.afterScroll = [s](ReportQuery& q) {
        if (q.eof())
            *s.counter = 0;
    };
    rows->beforePrint = [this, s](ReportBand&, bool& print) { row(s, print); };
}

void TRapTakimList::row(const Section& s, bool& print)
{
    ++*s.counter;
    s.number->caption = QString::number(*s.counter);
    print = FShowAll == 1 || *s.counter < 4;
    if (print)
        s.cells->fit();
}
