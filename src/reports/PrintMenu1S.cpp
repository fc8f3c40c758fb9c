#include "reports/PrintMenu1S.h"

#include "app/kit/DbConventions.h"
#include "reports/ListLayout.h"

using ListLayout::font;

namespace {

const QColor kCaptionShade(236, 236, 236);
constexpr double kRow = 4.6;

// Caption and value pairs laid out on a band, row by row.
struct Sheet {
    ReportBand* band;
    ReportQuery* query;

    ReportLabel* caption(const QRectF& r, const QString& text, const QString& name = QString())
    {
        ReportLabel* l = band->addLabel(name.isEmpty() ? "QRCaption" + QString::number(++captions) : name, r, text);
        l->font = font(8);
        l->background = kCaptionShade;
        return l;
    }
    ReportDataText* field(double x, double y, double captionWidth, double valueWidth, const QString& text,
                          const QString& column, bool bold = false)
    {
        caption({x, y, captionWidth - 0.5, kRow - 0.4}, text);
        ReportDataText* d =
            band->addDataText("QRDBText" + column, {x + captionWidth, y, valueWidth - 0.5, kRow - 0.4}, query, column);
        d->font = font(8, bold);
        return d;
    }
    ReportLabel* value(double x, double y, double captionWidth, double valueWidth, const QString& text,
                       const QString& name)
    {
        caption({x, y, captionWidth - 0.5, kRow - 0.4}, text);
        ReportLabel* l = band->addLabel(name, {x + captionWidth, y, valueWidth - 0.5, kRow - 0.4});
        l->font = font(8);
        return l;
    }
    // A framed box with its caption on the frame.
    void box(const QRectF& r, const QString& text, const QString& name)
    {
        band->addShape(name, r, ReportShape::Rectangle);
        ReportLabel* l =
            band->addLabel(name + "Caption", {r.left() + 2, r.top() + 0.5, qMin(60.0, r.width() - 4), 4}, text);
        l->font = font(8, true);
    }
    int captions = 0;
};

// Joined columns as a calculated field of the persons.
void addJoined(ReportQuery& q, const QString& name, const QStringList& columns)
{
    q.addCalculated(name, [columns](const ReportQuery& r) -> QVariant {
        QStringList values;
        for (const QString& c : columns)
            values << ReportFormat::toText(r.value(c));
        return TReportForm::joinColumns(values);
    });
}

QString photoPath(int key)
{
    return Folders::programFolder() + "R" + QString::number(key) + ".jpg";
}

const QStringList kPersonDates = {"M3", "M4", "M5", "M6", "M7", "M8", "M9"};

// The civil-registry box across the page from `top`: three columns.
double civilBox(Sheet& s, double top, double width)
{
    const double col = width / 3;
    const double y0 = top + 5;
    const std::vector<std::vector<std::pair<const char*, const char*>>> columns = {
        {{" Baba Adı", "E23"}, {" Ana Adı", "E22"}, {" Doğum Yeri", "E17"}, {" Doğum Tarihi", "M3"},
         {" Kan Grubu", "E39"}, {" Dini", "E44"}, {" Cinsiyeti", "E15"}, {" Kızlık Soyadı", "E47"}},
        {{" Medeni Hali", "E18"}, {" İl", "E27"}, {" İlçe", "E28"}, {" Mahalle", "E29"}, {" Köy", "E40"},
         {" Cilt No", "E31"}, {" Hane No", "E30"}, {" Sıra No", "E32"}},
        {{" Veriliş Nedeni", "E19"}, {" Verildiği Yer", "E41"}, {" Verildiği Tarih", "M4"},
         {" N.C. Seri No", "E21"}, {" T.C. Kimlik No", "E42"}, {" Pasaport No", "E24"}}};
    for (size_t c = 0; c < columns.size(); ++c)
        for (size_t r = 0; r < columns[c].size(); ++r)
            s.field(1 + c * col, y0 + r * kRow, 27, col - 28, columns[c][r].first, columns[c][r].second);
    const double bottom = y0 + 8 * kRow + 1;
    s.box({0, top, width, bottom - top}, " NÜFUS BİLGİLERİ ", "QRShape2");
    return bottom;
}

} // namespace

QString TPrintMenu1S::appendedLine(const QString& first, const QStringList& further)
{
    QString line = first;
    for (const QString& v : further)
        if (!v.isEmpty())
            line += ", " + v;
    return line;
}

TPrintMenu1S::TPrintMenu1S() : TReportForm("PrintMenu1S")
{
    for (ReportQuery* q : {&Query1, &Query2, &Query3, &Query4, &Query5, &Query6, &Query7, &Query8, &Query9, &Query10,
                           &Query11, &Query12, &Query13, &Query14})
        addDataSet(*q);
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    const double w = ReportBody1.page.printableWidth();

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 11);
    QRLabel9 = head->addLabel("QRLabel9", {0, 1, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    // The person.
    ListLayout::showDates(Query1, kPersonDates);
    addJoined(Query1, "ProfHakem", {"E74", "M9"});
    addJoined(Query1, "PostaAdresi", {"Adres", "Sokak"});
    addJoined(Query1, "IsAdresi", {"Mahalle", "No1"});
    addJoined(Query1, "EvAdresi", {"Semt", "Cadde"});
    addJoined(Query1, "SalonAdresi", {"E59", "E60"});

    QRSubDetail1 = ReportBody1.addSubDetail("QRSubDetail1", 10, &Query1);
    QRSubDetail1->forceNewPage = true;
    Sheet s{QRSubDetail1, &Query1};
    const double capW = 36, valW = 92;
    double y = 0;
    auto next = [&y] { const double at = y; y += kRow; return at; };
    s.field(0, next(), capW, valW, " ADI SOYADI", "Ad_Soyad", true);
    s.field(0, next(), capW, valW, " Diğer Ad/Unvan", "Klup_Yetkilisi");
    {
        const double at = next();
        s.field(0, at, capW, 40, " Federasyon Sicil No", "Vergi_Numarasi");
        QRLabel67 = QRSubDetail1->addLabel("QRLabel67", {capW + 40, at, valW - 40, kRow - 0.4});
        QRLabel67->font = font(8, true);
    }
    {
        const double at = next();
        s.field(0, at, capW, 40, " Sporcu Lisans No", "E26");
        QRLabel66 = QRSubDetail1->addLabel("QRLabel66", {capW + 40, at, valW - 40, kRow - 0.4});
        QRLabel66->font = font(8, true);
    }
    s.field(0, next(), capW, valW, " Bölge", "Vergi_Dairesi");
    s.field(0, next(), capW, valW, " Unvan", "E43");
    QRLabel63 = s.value(0, next(), capW, valW, " Kuşak", "QRLabel63");
    s.field(0, next(), capW, valW, " Sporculuk Durumu", "E50");
    QRLabel64 = s.value(0, next(), capW, valW, " Antrenörlük Durumu", "QRLabel64");
    QRLabel65 = s.value(0, next(), capW, valW, " Hakemlik Durumu", "QRLabel65");
    {
        const double at = next();
        QRLabel39 = s.caption({0, at, capW - 0.5, kRow - 0.4}, " Profesyonel Hakem", "QRLabel39");
        QRLabel40 = QRSubDetail1->addLabel("QRLabel40", {capW, at, valW - 0.5, kRow - 0.4});
        QRLabel40->font = font(8);
    }
    const std::vector<std::pair<const char*, const char*>> rest = {
        {" Branşı", "E53"},          {" Diğer Branş 1", "E54"},       {" Diğer Branş 2", "E55"},
        {" Kulübü", "E16"},          {" Antrenörü", "E48"},           {" Salonu", "E49"},
        {" Posta Adresi", "PostaAdresi"}, {" İş Adresi", "IsAdresi"}, {" Ev Adresi", "EvAdresi"},
        {" Salon Adresi", "SalonAdresi"}, {" e-mail Adresi", "E63"},  {" Eğitim Durumu", "E14"},
        {" Bildiği Yabancı Diller", "E33"}, {" Mesleği", "E70"},      {" Sağlık Bilgileri", "E72"},
        {" Düşünceler", "E71"},      {" Ceza Durumu", "E73"}};
    for (const auto& [caption, column] : rest)
        s.field(0, next(), capW, valW, caption, column);
    const double leftBottom = y;

    // Right column: the photo, then the visa years and telephones, then the
    // physical box.
    const double rx = capW + valW + 3;
    const double rw = w - rx;
    QRImage1 = QRSubDetail1->addImage("QRImage1", {w - px(100), 0, px(100), px(120)});
    QRImage1->stretch = true;
    y = px(120) + 2;
    const std::vector<std::pair<const char*, const char*>> right = {
        {" Hakemlik Vize Yılı", "E68"},   {" Antrenörlük Vize Yılı", "E69"}, {" Sporcu Lisans Vize Yılı", "E67"},
        {" Son Ald.Seminer Tar.", "M8"},  {" İrtibat Telefonu", "Telefonlar"}, {" İş Telefonu", "E10"},
        {" Ev Telefonu", "E61"},          {" Cep Telefonu", "E62"},          {" Fax Numarası", "Fax"},
        {" Dosya No", "DosyaNo"}};
    for (const auto& [caption, column] : right)
        s.field(rx, next(), 34, rw - 34, caption, column);
    const double boxTop = y + 1;
    y = boxTop + 5;
    const std::vector<std::pair<const char*, const char*>> physical = {
        {" Boy", "E37"}, {" Kilo", "E38"}, {" Beden", "E34"}, {" Elbise Ölçüsü", "E35"}, {" Ayakkabı Numarası", "E36"}};
    for (const auto& [caption, column] : physical)
        s.field(rx + 1, next(), 32, rw - 34, caption, column);
    {
        const double at = next();
        QRLabel79 = s.caption({rx + 1, at, 31.5, kRow - 0.4}, " Kick Beden No", "QRLabel79");
        QRSubDetail1->addDataText("QRDBTextE64", {rx + 33, at, rw - 34.5, kRow - 0.4}, &Query1, "E64")->font = font(8);
    }
    {
        const double at = next();
        QRLabel80 = s.caption({rx + 1, at, 31.5, kRow - 0.4}, " Kick Ayakkabı No", "QRLabel80");
        QRSubDetail1->addDataText("QRDBTextE65", {rx + 33, at, rw - 34.5, kRow - 0.4}, &Query1, "E65")->font = font(8);
    }
    s.field(rx + 1, next(), 32, rw - 34, " Spor Ayakkabı No", "E66");
    s.box({rx, boxTop, rw, y + 1 - boxTop}, " FİZİKSEL DURUM ", "QRShape1");

    const double civilTop = qMax(leftBottom, y + 1) + 3;
    QRSubDetail1->height = civilBox(s, civilTop, w) + 3;
    QRSubDetail1->beforePrint = [this](ReportBand&, bool&) { personRow(); };

    // Career sections: a header (caption line and column captions) and the
    // rows, each read for the person being printed.
    struct Col {
        const char* caption;
        const char* field;
        double width;
    };
    int sectionNo = 0;
    auto section = [&](ReportQuery& q, const QString& caption, const std::vector<Col>& cols) {
        ++sectionNo;
        q.master = &Query1;
        ReportBand* rows = ReportBody1.addSubDetail(QString("QRSubDetail%1").arg(sectionNo + 10), kRow, &q, QRSubDetail1);
        ReportBand* header = ReportBody1.addSubDetailHeader(rows, QString("QRBand%1").arg(sectionNo + 10), 11.5);
        ReportLabel* title = header->addLabel(QString("QRSection%1").arg(sectionNo), {0, 1.5, w, 4.5}, caption);
        title->font = font(9, true);
        title->background = kCaptionShade;
        std::vector<ListLayout::Column> columns;
        std::vector<QByteArray> names;
        for (size_t i = 0; i < cols.size(); ++i) {
            names.push_back(QString("QRSec%1Caption%2").arg(sectionNo).arg(i + 1).toUtf8());
            names.push_back(QString("QRSec%1Text%2").arg(sectionNo).arg(i + 1).toUtf8());
        }
        for (size_t i = 0; i < cols.size(); ++i)
            columns.push_back({names[2 * i].constData(), cols[i].caption, names[2 * i + 1].constData(), cols[i].field,
                               cols[i].width});
        ListLayout::addColumns(header, 6.5, rows, &q, columns, 8, 0, 0.3);
        header->frame.bottom = true;
    };
    auto lookup = [](ReportQuery& q, const char* name, const char* key, const QHash<qint64, QString>* table) {
        q.addCalculated(name, [key, table](const ReportQuery& r) -> QVariant {
            return table->value(r.record().value(key).toLongLong());
        });
    };

    Query2.sql = "select * from F_GOR where Musteri_Key = :Musteri_Key order by Gor_Key";
    section(Query2, " Salon ve Antrenörleri ", {{" Salonu", "Gorev", 95}, {" Antrenörleri", "Antrenor", 95}});

    Query3.sql = "select * from F_ANT where Musteri_Key = :Musteri_Key order by Tarih, Ant_Key";
    lookup(Query3, "Durum", "Durum_Key", &m_coachTitles);
    ListLayout::showDates(Query3, {"Tarih"});
    section(Query3, " Antrenörlük Kariyeri ",
            {{" Antrenörlük Durumu", "Durum", 55}, {" Verildiği Yer", "Yer", 45}, {"Tarih", "Tarih", 22},
             {"No", "KarNo", 25}, {"Diploma No/Tar", "Dip_No_Tar", 43}});

    Query4.sql = "select * from F_HAKEM where Musteri_Key = :Musteri_Key order by Tarih, Hak_Key";
    lookup(Query4, "Durum", "Durum_Key", &m_refereeTitles);
    ListLayout::showDates(Query4, {"Tarih"});
    section(Query4, " Hakemlik Kariyeri ",
            {{" Hakemlik Durumu", "Durum", 55}, {" Verildiği Yer", "Yer", 45}, {"Tarih", "Tarih", 22},
             {"No", "KarNo", 25}, {"Diploma No/Tar", "Dip_No_Tar", 43}});

    Query5.sql = "select * from F_KUSAK where Musteri_Key = :Musteri_Key order by Tarih, Kus_Key";
    lookup(Query5, "Kusak_Adi", "Kusak_Key", &m_belts);
    ListLayout::showDates(Query5, {"Tarih"});
    section(Query5, " Kuşak Bilgileri ",
            {{" Kuşak", "Kusak_Adi", 60}, {" Verildiği Yer", "Yer", 60}, {"Tarih", "Tarih", 30}, {"No", "KarNo", 40}});

    // A seminar's first and last day, captioned as such.
    Query6.sql = "select * from F_SEM where Musteri_Key = :Musteri_Key order by Tarih, Sem_Key";
    ListLayout::showDates(Query6, {"BTar", "Tarih"});
    section(Query6, " Katıldığı Seminerler ",
            {{" Seminer Adı", "Seminer", 80}, {"Baş. Tarihi", "BTar", 25}, {"Bitiş Tarihi", "Tarih", 25},
             {" Verildiği Yer", "Yer", 60}});

    Query7.sql = "select * from F_LNC where Musteri_Key = :Musteri_Key order by Lnc_Key";
    lookup(Query7, "Klup_Adi", "Klup_Key", &m_clubs);
    lookup(Query7, "Bolge", "Bolge_Key", &m_regions);
    ListLayout::showDates(Query7, {"L_Tarih", "V_Tarih", "T_Tarih"});
    section(Query7, " Sporcu Lisans Bilgileri ",
            {{" Kulüp Adı", "Klup_Adi", 60}, {" Bölge", "Bolge", 40}, {"Lisans Tarihi", "L_Tarih", 30},
             {"Vize Tarihi", "V_Tarih", 30}, {"Transfer Tarihi", "T_Tarih", 30}});

    const std::vector<Col> activity = {{" Faaliyet", "Adi", 55}, {" Branş", "Durum1", 35}, {"Der", "Derece", 10},
                                       {"Tarih", "Tarih", 20},  {" Açıklama", "Gorev", 40}, {" Ceza/Ödül", "Odul", 30}};
    for (auto [q, tipi, caption] :
         {std::tuple{&Query8, "ULUSLAR ARASI", " Uluslar Arası Faaliyet Başarı, Derece ve Cezalar "},
          std::tuple{&Query9, "ULUSAL", " Ulusal Faaliyet Başarı, Derece ve Cezalar "}}) {
        q->sql = "select * from TURSORGU where Musteri_Key = :Musteri_Key and Tipi = :Tipi order by Tarih1";
        q->params = {{"Tipi", tipi}};
        ListLayout::showDates(*q, {"Tarih"});
        section(*q, caption, activity);
    }

    Query10.sql = "select * from C_UYEKULLANICI where Tip2 = 'A' order by Durum_Key";
    Query11.sql = "select * from C_UYEKULLANICI where Tip2 = 'H' order by Durum_Key";
    Query12.sql = "select * from KUSAK order by Kusak_Key";
    Query13.sql = "select * from C_UYELIKSURESI where Durum_Key > 1 order by Durum";
    Query14.sql = "select * from C_UYELIKTURU order by Durum";
    loadOnNeedData([this] { openLookups(); });

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    foot->frame.top = true;
    QRLabel42 = foot->addLabel("QRLabel42", {0, 2, 60, 5}, "Tarih");
    QRLabel42->font = font(8);
    ListLayout::addPageNumber(foot, {w - 40, 2, 40, 5});
}

void TPrintMenu1S::openLookups()
{
    auto load = [](ReportQuery& q, const char* key, const char* text, QHash<qint64, QString>& table) {
        table.clear();
        q.open();
        for (; !q.eof(); q.next())
            table.insert(q.record().value(key).toLongLong(), q.str(text));
    };
    load(Query10, "Durum_Key", "Durum", m_coachTitles);
    load(Query11, "Durum_Key", "Durum", m_refereeTitles);
    load(Query12, "Kusak_Key", "Kusak_Adi", m_belts);
    load(Query13, "Durum_Key", "Durum", m_clubs);
    load(Query14, "Durum_Key", "Durum", m_regions);
}

void TPrintMenu1S::personRow()
{
    const Record& p = Query1.record();
    auto date = [&p](const char* column) {
        const QDate d = p.date(column);
        return d.isValid() ? d.toString("dd.MM.yyyy") : p.str(column);
    };
    QRLabel63->caption = appendedLine(p.str("E25"), {p.str("E58"), date("M7"), p.str("Stil")});
    QRLabel64->caption = appendedLine(p.str("E52"), {p.str("E56"), date("M5")});
    QRLabel65->caption = appendedLine(p.str("E51"), {p.str("E57"), date("M6")});
    QRLabel40->caption = joinColumns({p.str("E74"), date("M9")});
    QRLabel66->caption = p.toInt("Ferdi") == 1 ? "FERDİ SPORCU" : "";
    QRLabel67->caption = !p.isNull("Tip") && p.toInt("Tip") == 0 ? "FAAL DEĞİL" : "";
    // A photo that cannot be read leaves the picture out; the sheet goes on.
    QRImage1->enabled = QRImage1->loadFromFile(photoPath(p.toInt("Musteri_Key")));
}

// ---------------------------------------------------------------------------

TPrintMenu1S1::TPrintMenu1S1() : TReportForm("PrintMenu1S1")
{
    addDataSet(Query1);
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    const double w = ReportBody1.page.printableWidth();

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 11);
    QRLabel9 = head->addLabel("QRLabel9", {0, 1, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    ListLayout::showDates(Query1, kPersonDates);
    addJoined(Query1, "PostaAdresi", {"Adres", "Sokak"});
    addJoined(Query1, "IsAdresi", {"Mahalle", "No1"});
    addJoined(Query1, "EvAdresi", {"Semt", "Cadde"});
    addJoined(Query1, "SalonAdresi", {"E59", "E60"});

    ReportBand* band = ReportBody1.addSubDetail("QRSubDetail1", 10, &Query1);
    band->forceNewPage = true;
    Sheet s{band, &Query1};
    const double capW = 36, valW = 92;
    double y = 0;
    auto next = [&y] { const double at = y; y += kRow; return at; };
    QRLabel11 = s.value(0, next(), capW, valW, "Klüp / Bölge", "QRLabel11");
    QRLabel11->font = font(8, true);
    s.field(0, next(), capW, valW, " ADI SOYADI", "Ad_Soyad", true);
    s.field(0, next(), capW, valW, " Federasyon Sicil No", "Vergi_Numarasi");
    {
        const double at = next();
        s.field(0, at, capW, 40, " Lisans Numarası", "E26");
        QRLabel66 = band->addLabel("QRLabel66", {capW + 40, at, valW - 40, kRow - 0.4});
        QRLabel66->font = font(8, true);
    }
    s.field(0, next(), capW, valW, " Lisans Vize Yılı", "E67");
    s.field(0, next(), capW, valW, " Eski Kuşağı", "E75");
    QRLabel63 = s.value(0, next(), capW, valW, " Yeni Kuşağı", "QRLabel63");
    const std::vector<std::pair<const char*, const char*>> rows = {
        {" Antrenörü", "E48"},        {" Salonu", "E49"},            {" İrtibat Telefonu", "Telefonlar"},
        {" İş Telefonu", "E10"},      {" Ev Telefonu", "E61"},       {" Cep Telefonu", "E62"},
        {" Fax Numarası", "Fax"},     {" Posta Adresi", "PostaAdresi"}, {" İş Adresi", "IsAdresi"},
        {" Ev Adresi", "EvAdresi"},   {" Salon Adresi", "SalonAdresi"}, {" e-mail Adresi", "E63"},
        {" Eğitim Durumu", "E14"},    {" Bildiği Yabancı Diller", "E33"}, {" Mesleği", "E70"},
        {" Sağlık Bilgileri", "E72"}, {" Düşünceler", "E71"},        {" Ceza Durumu", "E73"}};
    for (const auto& [caption, column] : rows)
        s.field(0, next(), capW, valW, caption, column);
    const double leftBottom = y;

    const double rx = capW + valW + 3;
    const double rw = w - rx;
    QRImage1 = band->addImage("QRImage1", {w - px(100), 0, px(100), px(120)});
    QRImage1->stretch = true;
    const double boxTop = px(120) + 3;
    y = boxTop + 5;
    const std::vector<std::pair<const char*, const char*>> physical = {
        {" Boy", "E37"},           {" Kilo", "E38"},           {" Beden", "E34"},        {" Elbise Ölçüsü", "E35"},
        {" Ayakkabı Numarası", "E36"}, {" Kick Beden No", "E64"}, {" Kick Ayakkabı No.", "E65"},
        {" Spor Ayakkabı No", "E66"}};
    for (const auto& [caption, column] : physical)
        s.field(rx + 1, next(), 32, rw - 34, caption, column);
    s.box({rx, boxTop, rw, y + 1 - boxTop}, " FİZİKSEL DURUM ", "QRShape1");

    const double bottom = civilBox(s, qMax(leftBottom, y + 1) + 3, w);
    QRLabel42 = band->addLabel("QRLabel42", {0, bottom + 3, 60, 5}, "Tarih");
    QRLabel42->font = font(8);
    band->height = bottom + 9;
    band->beforePrint = [this](ReportBand&, bool&) { personRow(); };
}

void TPrintMenu1S1::personRow()
{
    const Record& p = Query1.record();
    QRLabel11->caption = p.str("E16") + " / " + p.str("Vergi_Dairesi");
    QRLabel63->caption = p.str("E25");
    QRLabel66->caption = p.toInt("Ferdi") == 1 ? "FERDİ SPORCU" : "";
    QRImage1->enabled = QRImage1->loadFromFile(photoPath(p.toInt("Musteri_Key")));
}
