#include "reports/RapTurnuva.h"

#include "reports/ListLayout.h"

using ListLayout::font;

namespace {
const char* const kRefereeDuty = "HAKEM OLARAK GÖREV YAPMIŞTIR.";
const char* const kCoachDuty = "ANTRENÖR OLARAK GÖREV YAPMIŞTIR.";
}

// ---------------------------------------------------------------------------
// Common frame

QString TActivityReport::filtered(const QString& condition)
{
    return "(select * from TURSORGU" + condition + ") AS T";
}

TActivityReport::TActivityReport(const QString& name, ReportPageSetup::Orientation orientation) : TReportForm(name)
{
    addDataSet(Query1);
    addDataSet(m_count);
    ReportBody1.page.orientation = orientation;
    const double w = width();

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 19);
    head->frame.bottom = true;
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    QRSubDetail1 = ReportBody1.addSubDetail("QRSubDetail1", 4.5, &Query1);
    QRSubDetail1->frame.bottom = true;

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 7);
    ReportSysData* page = foot->addSysData("QRSysData1", {0, 2, w, 4.5}, ReportSysData::PageNumber);
    page->font = font(8);
    page->alignment = Qt::AlignHCenter | Qt::AlignTop;

    loadOnNeedData([this] {
        if (resetTotals)
            resetTotals();
        Query1.open();
    });
    Query1.beforeScroll = [this](ReportQuery&) {
        if (FFirstRow == 1) {
            FFirstRow = 0;
            FLineNo = 0;
            if (resetTotals)
                resetTotals();
        }
        m_moving = true;
    };
    Query1.afterScroll = [this](ReportQuery& q) {
        // Opening stands on the first row without a move; the walk's move
        // to it is the one that counts.
        const bool moved = m_moving;
        m_moving = false;
        if (q.eof()) {
            FLineNo = 0;
            return;
        }
        if (!moved)
            return;
        ++FLineNo;
        if (QRLabel1)
            QRLabel1->caption = number(FLineNo);
        if (rowMoved)
            rowMoved();
    };
}

void TActivityReport::addColumns(const std::vector<Col>& columns, int size, bool numbered)
{
    ReportBand* head = ReportBody1.band("PageHeaderBand1");
    const double top = 13;
    double x = 0;
    if (numbered) {
        ReportLabel* c = head->addLabel("QRLabel2", {0, top, 7.5, 4}, "S.No");
        c->font = font(size, true);
        c->alignment = Qt::AlignRight | Qt::AlignTop;
        QRLabel1 = ListLayout::addLineNumber(QRSubDetail1, "QRLabel1", {0, 0.4, 7.5, 3.8}, size);
        m_columns.push_back({0, 8});
        x = 9;
    }
    std::vector<QByteArray> names;
    for (size_t i = 0; i < columns.size(); ++i) {
        names.push_back("QRLabel" + QByteArray::number(int(i) + 101));
        names.push_back("QRDBText" + QByteArray::number(int(i) + 1));
    }
    std::vector<ListLayout::Column> cols;
    for (size_t i = 0; i < columns.size(); ++i) {
        cols.push_back({names[2 * i].constData(), columns[i].caption, names[2 * i + 1].constData(), columns[i].field,
                        columns[i].width, columns[i].align});
        m_columns.push_back({x, columns[i].width});
        x += columns[i].width;
    }
    ListLayout::addColumns(head, top, QRSubDetail1, &Query1, cols, size, numbered ? 9 : 0, 0.4);
}

std::vector<ReportLabel*> TActivityReport::addTotals(const QString& caption, int first, int count, int size)
{
    if (!SummaryBand1)
        SummaryBand1 = ReportBody1.addBand(ReportBand::Summary, "SummaryBand1", 7);
    const double x = m_columns[size_t(first)].first;
    ReportLabel* c = SummaryBand1->addLabel("QRLabel90", {0, 1.5, x - 1, 4.5}, caption);
    c->font = font(size, true);
    c->alignment = Qt::AlignRight | Qt::AlignTop;
    std::vector<ReportLabel*> out;
    for (int i = 0; i < count; ++i) {
        const auto [cx, cw] = m_columns[size_t(first + i)];
        ReportLabel* t = SummaryBand1->addLabel(QString("QRTotal%1").arg(i + 1), {cx, 1.5, cw - 0.5, 4.5}, "0");
        t->font = font(size, true);
        t->alignment = Qt::AlignRight | Qt::AlignTop;
        out.push_back(t);
    }
    return out;
}

void TActivityReport::addShown(const QString& field, std::function<QVariant()> value)
{
    Query1.addCalculated(field, [value](const ReportQuery&) { return value(); });
}

QList<int> TActivityReport::placings(const QString& table, const QString& column, const QVariant& value)
{
    QList<int> out;
    m_count.sql = "select count(*) as Toplam from " + Database::identifier(table) + " where " +
                  Database::identifier(column) + " = :RaporDegeri and Derece = :RaporDerecesi";
    for (int place = 1; place <= 3; ++place) {
        QVariantMap p;
        p.insert("RaporDegeri", value);
        p.insert("RaporDerecesi", place);
        m_count.params = p;
        m_count.open();
        out << (m_count.eof() ? 0 : m_count.toInt("Toplam"));
        m_count.close();
    }
    return out;
}

// ---------------------------------------------------------------------------
// The reports

TRapTurnuva::TRapTurnuva() : TActivityReport("RapTurnuva", ReportPageSetup::Landscape)
{
    ListLayout::showDates(Query1, {"Tarih1", "Tarih2"});
    addColumns({{"Sicil No", "Vergi_Numarasi", 16},
                {"Adı Soyadı", "Ad_Soyad", 36},
                {"Bölge", "Vergi_Dairesi", 20},
                {"Branş", "Durum1", 28},
                {"Faaliyet Türü", "Turu", 28},
                {"Kategorisi", "Durum", 20},
                {"Yer", "Yer", 20},
                {"Baş.Tarihi", "Tarih1", 16},
                {"Bit.Tarihi", "Tarih2", 16},
                {"Der.", "Derece", 8, Qt::AlignRight},
                {"Açıklama", "Gorev", 34},
                {"Ceza/Ödül", "Odul", 26}},
               7, true);
    // "Ulusal/U. Arası" (Tipi) is part of the design but switched off.
    ReportLabel* c = ReportBody1.band("PageHeaderBand1")->addLabel("QRLabel99", {0, 13, 20, 4}, "Ulusal/U. Arası");
    c->enabled = false;
    QRSubDetail1->addDataText("QRDBText99", {0, 0.4, 20, 4}, &Query1, "Tipi")->enabled = false;
}

QString TRapTurnuva1::statement(const QString& condition)
{
    const char* const columns =
        "Turnuva_Key,Adi,Durum,Turu,Yer,Tarih1,Tarih2,Ulke_Say,Sporcu_Say,Takim_Deg,Erkek_Deg,Bayan_Deg";
    return QString("select %1 from TURSORGU%2 group by %1 Order By Tarih1").arg(columns, condition);
}

TRapTurnuva1::TRapTurnuva1() : TActivityReport("RapTurnuva1", ReportPageSetup::Landscape)
{
    ListLayout::showDates(Query1, {"Tarih1", "Tarih2"});
    for (int i = 0; i < 3; ++i)
        addShown(QString("Derece%1").arg(i + 1), [this, i] { return FRowPlaces.value(i); });
    addColumns({{"Faaliyet", "Adi", 49},
                {"Faaliyet Türü", "Turu", 30},
                {"Kategorisi", "Durum", 22},
                {"Yer", "Yer", 25},
                {"Baş.Tarihi", "Tarih1", 17},
                {"Bit.Tarihi", "Tarih2", 17},
                {"Ülke Say", "Ulke_Say", 14, Qt::AlignRight},
                {"Sporcu Say", "Sporcu_Say", 15, Qt::AlignRight},
                {"Erkek Tk.", "Erkek_Deg", 14, Qt::AlignRight},
                {"Bayan Tk.", "Bayan_Deg", 14, Qt::AlignRight},
                {"Genel Klasm", "Takim_Deg", 15, Qt::AlignRight},
                {"1.lik", "Derece1", 12, Qt::AlignRight},
                {"2.lik", "Derece2", 12, Qt::AlignRight},
                {"3.lük", "Derece3", 12, Qt::AlignRight}},
               7, true);
    FTotals = addTotals("Toplam :", 12, 3, 7);
    resetTotals = [this] { FFirsts = FSeconds = FThirds = 0; };
    rowMoved = [this] {
        FRowPlaces = placings("F_DER", "Turnuva_Key", Query1.value("Turnuva_Key"));
        FFirsts += FRowPlaces[0];
        FSeconds += FRowPlaces[1];
        FThirds += FRowPlaces[2];
    };
    SummaryBand1->beforePrint = [this](ReportBand&, bool&) {
        FTotals[0]->caption = number(FFirsts);
        FTotals[1]->caption = number(FSeconds);
        FTotals[2]->caption = number(FThirds);
    };
}

QString TRapTurnuva2::statement(const QString& condition)
{
    return "select Tur_Key,Turu,Tipi from TURSORGU" + condition + " group by Tur_Key,Turu,Tipi Order By Tipi,Turu";
}

TRapTurnuva2::TRapTurnuva2() : TActivityReport("RapTurnuva2", ReportPageSetup::Portrait)
{
    for (int i = 0; i < 3; ++i)
        addShown(QString("Derece%1").arg(i + 1), [this, i] { return FRowPlaces.value(i); });
    addColumns({{"Faaliye Türü", "Turu", 85},
                {"Ulusal/ Uluslar Arası", "Tipi", 45},
                {"1.lik", "Derece1", 20, Qt::AlignRight},
                {"2.lik", "Derece2", 20, Qt::AlignRight},
                {"3.lük", "Derece3", 20, Qt::AlignRight}},
               8, false);
    FTotals = addTotals("Toplam :", 2, 3, 8);
    resetTotals = [this] { FFirsts = FSeconds = FThirds = 0; };
    rowMoved = [this] {
        FRowPlaces = placings("TURSORGU", "Tur_Key", Query1.value("Tur_Key"));
        FFirsts += FRowPlaces[0];
        FSeconds += FRowPlaces[1];
        FThirds += FRowPlaces[2];
    };
    SummaryBand1->beforePrint = [this](ReportBand&, bool&) {
        FTotals[0]->caption = number(FFirsts);
        FTotals[1]->caption = number(FSeconds);
        FTotals[2]->caption = number(FThirds);
    };
}

QString TRapTurnuva3::statement(const QString& condition)
{
    return "select Yili from TURSORGU" + condition + " group by Yili Order By Yili";
}

TRapTurnuva3::TRapTurnuva3() : TActivityReport("RapTurnuva3", ReportPageSetup::Portrait)
{
    for (int i = 0; i < 4; ++i)
        addShown(i < 3 ? QString("Derece%1").arg(i + 1) : QString("Madalya"), [this, i] { return FRowPlaces.value(i); });
    addColumns({{"Faaliyet Yılı", "Yili", 50},
                {"1.lik", "Derece1", 30, Qt::AlignRight},
                {"2.lik", "Derece2", 30, Qt::AlignRight},
                {"3.lük", "Derece3", 30, Qt::AlignRight},
                {"Toplam Madalya", "Madalya", 50, Qt::AlignRight}},
               8, false);
    FTotals = addTotals("Genel Toplam :", 1, 4, 8);
    resetTotals = [this] { FFirsts = FSeconds = FThirds = FMedals = 0; };
    rowMoved = [this] {
        FRowPlaces = placings("TURSORGU", "Yili", Query1.value("Yili"));
        FRowPlaces << FRowPlaces[0] + FRowPlaces[1] + FRowPlaces[2];
        FFirsts += FRowPlaces[0];
        FSeconds += FRowPlaces[1];
        FThirds += FRowPlaces[2];
        FMedals += FRowPlaces[3];
    };
    SummaryBand1->beforePrint = [this](ReportBand&, bool&) {
        FTotals[0]->caption = number(FFirsts);
        FTotals[1]->caption = number(FSeconds);
        FTotals[2]->caption = number(FThirds);
        FTotals[3]->caption = number(FMedals);
    };
}

TRapTurnuvaH::TRapTurnuvaH() : TActivityReport("RapTurnuvaH", ReportPageSetup::Portrait)
{
    ListLayout::showDates(Query1, {"Tarih"});
    addColumns({{"Sicil No", "Vergi_Numarasi", 20},
                {"Adı Soyadı", "Ad_Soyad", 45},
                {"Faaliyet", "Adi", 55},
                {"Tarih", "Tarih", 18},
                {"Puan", "Derece", 12, Qt::AlignRight},
                {"Görev", "Gorev", 31}},
               7, true);
}

QString TRapTurnuvaK::statement(const QString& condition)
{
    return "SELECT T.Vergi_Dairesi AS Vergi_Dairesi, C_MUSTERI.E16 AS E16, "
           "Count(IIf(T.E15 = 'ERKEK', 1)) AS ERKEK, Count(IIf(T.E15 = 'BAYAN', 1)) AS BAYAN, "
           "Count(IIf(T.E15 = '', 1)) AS KAYITSIZ, Count(T.E15) AS TOPLAM "
           "FROM " + filtered(condition) + " INNER JOIN C_MUSTERI ON T.Musteri_Key = C_MUSTERI.Musteri_Key "
           "WHERE T.Turnuva_Key > 1 and (T.Gorev Is Null or (T.Gorev <> :HakemGorevi and T.Gorev <> :AntrenorGorevi)) "
           "GROUP BY T.Vergi_Dairesi, C_MUSTERI.E16 "
           "ORDER BY T.Vergi_Dairesi, C_MUSTERI.E16";
}

QVariantMap TRapTurnuvaK::dutyParams()
{
    return {{"HakemGorevi", kRefereeDuty}, {"AntrenorGorevi", kCoachDuty}};
}

TRapTurnuvaK::TRapTurnuvaK() : TActivityReport("RapTurnuvaK", ReportPageSetup::Portrait)
{
    addColumns({{"Bölge", "Vergi_Dairesi", 35},
                {"Kulüp Adı", "E16", 65},
                {"Erkek Sp.", "ERKEK", 20, Qt::AlignRight},
                {"Bayan Sp.", "BAYAN", 20, Qt::AlignRight},
                {"Kayıtsız", "KAYITSIZ", 20, Qt::AlignRight},
                {"TOPLAM", "TOPLAM", 21, Qt::AlignRight}},
               7, true);
    FTotals = addTotals(QString(), 3, 4, 7);
    resetTotals = [this] { FMen = FWomen = FUnknown = FTotal = 0; };
    rowMoved = [this] {
        FMen += Query1.toInt("ERKEK");
        FWomen += Query1.toInt("BAYAN");
        FUnknown += Query1.toInt("KAYITSIZ");
        FTotal += Query1.toInt("TOPLAM");
    };
    SummaryBand1->beforePrint = [this](ReportBand&, bool&) {
        FTotals[0]->caption = number(FMen);
        FTotals[1]->caption = number(FWomen);
        FTotals[2]->caption = number(FUnknown);
        FTotals[3]->caption = number(FTotal);
    };
}

QString TRapTurnuvaK1::statement(const QString& condition)
{
    return "SELECT T.Vergi_Dairesi AS Vergi_Dairesi, C_MUSTERI.E16 AS E16, T.Adi AS Adi, Count(T.E15) AS TOPLAM "
           "FROM " + filtered(condition) + " INNER JOIN C_MUSTERI ON T.Musteri_Key = C_MUSTERI.Musteri_Key "
           "WHERE T.Turnuva_Key > 1 and (T.Gorev Is Null or (T.Gorev <> :HakemGorevi and T.Gorev <> :AntrenorGorevi)) "
           "GROUP BY T.Vergi_Dairesi, C_MUSTERI.E16, T.Adi "
           "ORDER BY T.Vergi_Dairesi, C_MUSTERI.E16, T.Adi";
}

TRapTurnuvaK1::TRapTurnuvaK1() : TActivityReport("RapTurnuvaK1", ReportPageSetup::Portrait)
{
    addColumns({{"Bölge", "Vergi_Dairesi", 35},
                {"Kulüp Adı", "E16", 55},
                {"Faaliyet", "Adi", 66},
                {"Katılan Sporcu", "TOPLAM", 25, Qt::AlignRight}},
               7, true);
    FTotals = addTotals(QString(), 4, 1, 7);
    resetTotals = [this] { FTotal = 0; };
    rowMoved = [this] { FTotal += Query1.toInt("TOPLAM"); };
    SummaryBand1->beforePrint = [this](ReportBand&, bool&) { FTotals[0]->caption = number(FTotal); };
}

QString TRapTurnuvaC::statement(const QString& listSql, bool byClub)
{
    return "select * from (" + listSql + ") AS T where T.Turnuva_Key > 1 and T.Gorev <> '' Order By " +
           (byClub ? "Kulup,Durum1,Derece,Ad_Soyad" : "Durum1,Kulup,Derece,Ad_Soyad");
}

TRapTurnuvaC::TRapTurnuvaC() : TActivityReport("RapTurnuvaC", ReportPageSetup::Landscape)
{
    addDataSet(Query2);
    Query2.sql = "select E53, E54, E55 from C_MUSTERI where Vergi_Numarasi = :Sicil";
    addShown("Cift", [this] { return FPair; });
    addShown("OrtakBranslar", [this] { return FCommon; });
    addColumns({{"Kulüp", "Kulup", 50},
                {"Yarışmaya Katılınan Branş", "Durum1", 50},
                {"Çiftin Adı Soyadı", "Cift", 70},
                {"Sporcu Sayısı", "Sp_Say", 17, Qt::AlignRight},
                {"Derece", "Derece", 15, Qt::AlignRight},
                {"Çiftin Sistemdeki Ortak Branşları", "OrtakBranslar", 66}},
               7, true);
    rowMoved = [this] {
        FPair = Query1.str("Ad_Soyad") + "-" + Query1.str("E25");
        FCommon = commonCategories(categoriesOf(Query1.str("Vergi_Numarasi")), categoriesOf(Query1.str("E58")));
    };
}

QStringList TRapTurnuvaC::categoriesOf(const QString& registerNo)
{
    if (registerNo.isEmpty())
        return {};
    Query2.params = {{"Sicil", registerNo}};
    Query2.open();
    QStringList out;
    if (!Query2.eof())
        out = {Query2.str("E53"), Query2.str("E54"), Query2.str("E55")};
    Query2.close();
    return out;
}

QString TRapTurnuvaC::commonCategories(const QStringList& athlete, const QStringList& partner)
{
    QStringList common;
    for (const QString& mine : athlete)
        for (const QString& theirs : partner)
            if (mine == theirs && !mine.isEmpty() && mine != "-")
                common << mine;
    return common.join(',');
}
