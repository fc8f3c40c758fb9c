#include "reports/PrintMenu1D.h"

#include "reports/ListLayout.h"

using ListLayout::font;

const char* const TPrintMenu1D::kMenCategories =
    "select * from C_BRANS where Durum_Key > 1 and (E_B = 'E' or E_B = 'E/B') order by Durum";
const char* const TPrintMenu1D::kWomenCategories =
    "select * from C_BRANS where Durum_Key > 1 and (E_B = 'B' or E_B = 'E/B') order by Durum";

TPrintMenu1D::TPrintMenu1D() : TReportForm("PrintMenu1D")
{
    for (ReportQuery* q : {&Query1, &Query2, &Query3, &Query4})
        addDataSet(*q);
    Query2.sql = kMenCategories;
    Query4.sql = kWomenCategories;
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    const double w = ReportBody1.page.printableWidth();

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 15);
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;
    QRLabel12 = head->addLabel("QRLabel12", {w - 60, 10, 60, 4}, "QRLabel12");
    QRLabel12->font = font(8);
    QRLabel12->alignment = Qt::AlignRight | Qt::AlignTop;

    struct Names {
        const char* section;
        const char* caption;
        const char* count;
        const char* rows;
        const char* number;
        const char* cellPrefix;
        const char* captionPrefix;
    };
    auto addSection = [&](ReportQuery& categories, ReportQuery& athletes, const QString& gender, const Names& n,
                          ReportLabel*& caption, ReportLabel*& count, ReportLabel*& number) {
        ReportBand* section = ReportBody1.addSubDetail(n.section, 17, &categories);
        section->forceNewPage = true;
        section->frame.bottom = true;
        caption = section->addLabel(n.caption, {0, 1, w - 45, 6});
        caption->font = font(11, true);
        count = section->addLabel(n.count, {w - 45, 1, 45, 6});
        count->font = font(9, true);
        count->alignment = Qt::AlignRight | Qt::AlignTop;

        ReportBand* rows = ReportBody1.addSubDetail(n.rows, 5, &athletes, section);
        number = ListLayout::addLineNumber(rows, n.number, {0, 0.5, 8.5, 4}, 8);
        numberRows(athletes, number);
        auto name = [](const char* prefix, int i) { return QByteArray(prefix) + QByteArray::number(i); };
        std::vector<QByteArray> captions, cells;
        for (int i = 1; i <= 7; ++i) {
            captions.push_back(name(n.captionPrefix, i));
            cells.push_back(name(n.cellPrefix, i));
        }
        auto c = [&](int i) { return captions[i].constData(); };
        auto d = [&](int i) { return cells[i].constData(); };
        ListLayout::addColumns(section, 11, rows, &athletes,
                               {
                                   {c(0), "AD SOYAD", d(0), "Ad_Soyad", 45},
                                   {c(1), "Sicil No", d(1), "Vergi_Numarasi", 18},
                                   {c(2), "Lisans No", d(2), "E26", 18},
                                   {c(3), "Bölge", d(3), "Vergi_Dairesi", 25},
                                   {c(4), "Kilo", d(4), "E38", 12, Qt::AlignRight},
                                   {c(5), "Kulüp", d(5), "E16", 32},
                                   {c(6), "Antrenör", d(6), "E48", 30},
                               },
                               8, 10);
        section->beforePrint = [this, &categories, &athletes, gender, caption, count](ReportBand&, bool&) {
            openSection(categories, athletes, gender, caption, count);
        };
    };
    addSection(Query2, Query1, "ERKEK",
               {"QRSubDetail2", "QRLabel10", "QRLabel8", "QRSubDetail1", "QRLabel1", "QRDBText1", "QRLabel4"},
               QRLabel10, QRLabel8, QRLabel1);
    addSection(Query4, Query3, "BAYAN",
               {"QRSubDetail4", "QRLabel30", "QRLabel28", "QRSubDetail3", "QRLabel3", "QRDBText3", "QRLabel5"},
               QRLabel30, QRLabel28, QRLabel3);

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    ListLayout::addPageNumber(foot, {w - 40, 2, 40, 5});
}

void TPrintMenu1D::openSection(ReportQuery& categories, ReportQuery& athletes, const QString& gender,
                               ReportLabel* caption, ReportLabel* count)
{
    // The filter is one of the three comparisons the callers choose; nothing
    // else goes into the statement.
    static const QStringList kFilters = {"=0", ">0", ">=0"};
    if (!kFilters.contains(FCountFilter))
        throw DbError("Geçersiz katılım süzgeci: " + FCountFilter);
    const QString category = categories.str("Durum");
    athletes.sql = "select * from C_MUSTERI where E50 <> '' and Kullanici " + FCountFilter +
                   " and E15 = :Cinsiyet and (E53 = :Durum or E54 = :Durum or E55 = :Durum) order by Ad_Soyad";
    athletes.params = {{"Cinsiyet", gender}, {"Durum", category}};
    athletes.open();
    caption->caption = Reports::sportName() + " " + category;
    count->caption = "Sporcu Sayısı : " + QString::number(athletes.recordCount());
}
