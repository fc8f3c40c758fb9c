#include "reports/Akreditasyon.h"

#include "app/dialogs/Form5.h"
#include "app/kit/Formats.h"
#include "platform/paths/DriveMap.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Messages.h"
#include "reports/CardArtwork.h"
#include "reports/CardReport.h"
#include "reports/CardRules.h"
#include "reports/FitText.h"
#include "reports/barcode/ReportBarcode.h"

#include <QFile>
#include <QLabel>

namespace {

const QColor kTitleColour(33, 160, 203);
const QColor kCaptionColour(216, 118, 20);
const QColor kGreen(119, 158, 75);
const QSizeF kPage(105, 148);

std::function<QDateTime()>& logClockHook()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QFont accreditationFont(double points, int weight)
{
    QFont f("Arial");
    f.setPointSizeF(points);
    f.setWeight(QFont::Weight(weight));
    return f;
}

// The five rows: caption, colon and value.
struct AccreditationRow {
    const char* name;
    const char* caption;
    double top;
    bool large;   // name, region, birth date: 12 point black; others 10 point green
};
const AccreditationRow kAccreditationRows[] = {{"Name", "Adı Soyadı", 89.7, true},
                     {"Region", "İli", 96.3, true},
                     {"Birth", "Doğum Tar.", 102.4, true},
                     {"Category", "Kategori", 109.5, false},
                     {"Club", "Kulübü", 114.6, false}};

} // namespace

TAkreditasyon::TAkreditasyon() : TReportForm("Akreditasyon")
{
    addDataSet(Query1);
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    ReportBody1.title = "Kimlik";
    ReportPageSetup& page = ReportBody1.page;
    page.paper = ReportPageSetup::Custom;
    page.customSize = kPage;
    page.orientation = ReportPageSetup::Portrait;
    page.topMargin = 1.06;
    page.leftMargin = 0.53;
    page.rightMargin = page.bottomMargin = 0;
    ReportBody1.dataSet = &Query1;

    DetailBand1 = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", 146.0);
    DetailBand1->forceNewPage = true;
    ReportBand* b = DetailBand1;

    const QRectF roleBand(2.6, 12.7, 75.9, 10.3);
    ReportImage* bg = b->addImage("Background", {2.6, 7.4, 90.0, 124.6});
    bg->picture = CardArtwork::accreditationBackground({90.0, 124.6}, roleBand.translated(-2.6, -7.4));
    bg->stretch = true;

    QRLabelRole = b->addLabel("QRLabelRole", roleBand, "XX");
    QRLabelRole->font = accreditationFont(18, QFont::Black);
    QRLabelRole->color = Qt::white;
    QRLabelRole->alignment = Qt::AlignHCenter | Qt::AlignVCenter;

    QRLabelTitle = b->addLabel("QRLabelTitle", {3.7, 37.6, 87.6, 16.7}, "RAPOR BAŞLIĞI");
    QRLabelTitle->font = accreditationFont(12, QFont::Bold);
    QRLabelTitle->color = kTitleColour;
    QRLabelTitle->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QRLabelTitle->wordWrap = true;

    Photo = b->addImage("Photo", {34.7, 55.8, 26.5, 31.8});
    Photo->stretch = true;

    for (const AccreditationRow& r : kAccreditationRows) {
        const QString n = QString::fromUtf8(r.name);
        ReportLabel* caption = b->addLabel("Caption" + n, {5.3, r.top, 16.0, 5.0}, QString::fromUtf8(r.caption));
        ReportLabel* colon = b->addLabel("Colon" + n, {21.7, r.top, 2.0, 5.0}, ":");
        for (ReportLabel* l : {caption, colon}) {
            l->font = accreditationFont(9, QFont::Bold);
            l->color = kCaptionColour;
            l->alignment = Qt::AlignLeft | Qt::AlignVCenter;
            l->font = Cards::fitted(l->font, l->caption, l->rect.width());
        }
        ReportLabel* value = b->addLabel("QRLabel" + n, {23.8, r.top, 67.5, r.top == 114.6 ? 9.8 : 5.0});
        value->font = accreditationFont(r.large ? 12 : 10, QFont::Bold);
        value->color = r.large ? QColor(Qt::black) : kGreen;
        value->alignment = Qt::AlignLeft | Qt::AlignTop;
        value->rect.setTop(r.top + 0.4);
    }
    QRLabelName = ReportBody1.find<ReportLabel>("QRLabelName");
    QRLabelRegion = ReportBody1.find<ReportLabel>("QRLabelRegion");
    QRLabelBirth = ReportBody1.find<ReportLabel>("QRLabelBirth");
    QRLabelCategory = ReportBody1.find<ReportLabel>("QRLabelCategory");
    QRLabelClub = ReportBody1.find<ReportLabel>("QRLabelClub");

    // The large caption lies over the rows, which its kinds leave empty.
    QRLabelCaption = b->addLabel("QRLabelCaption", {8.5, 99.0, 78.6, 22.0});
    QRLabelCaption->font = accreditationFont(20, QFont::Black);
    QRLabelCaption->color = Qt::red;
    QRLabelCaption->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QRLabelCaption->wordWrap = true;

    // The barcode block stands at the foot of the card, left of the day
    // boxes: higher up its frame would lie over the club row's text. It is
    // wide enough to leave the bars the quiet zone that scanners need (ten
    // modules of white on either side, inside the frame's lines), and the
    // day boxes move right by as much.
    ReportShape* frame = b->addShape("BarcodeFrame", {4.2, 123.8, 38.4, 6.6}, ReportShape::Rectangle);
    frame->brush = Qt::white;
    frame->penWidth = 0.25;
    // The bars end where the register line begins, inside the frame and
    // centred in it.
    ReportBarcode1 = b->add<TReportBarcode>("ReportBarcode1", {5.3, 124.3, 29.7, 9.6});
    ReportBarcode1->setTyp(bcCodeEAN128A);
    ReportBarcode1->setModul(1);
    ReportBarcode1->setRatio(2.0);
    ReportBarcode1->setBarcodeHeight(8);
    ReportBarcode1->setText("0000000");
    ReportBarcode1->rect.moveLeft(frame->rect.center().x() - px(ReportBarcode1->BarcodeWidth()) / 2);
    QRLabelRegister = b->addLabel("QRLabelRegister", {ReportBarcode1->rect.left(), 126.6, 33.0, 2.2}, "Sicil No:");
    QRLabelRegister->font = accreditationFont(6, QFont::Normal);
    QRLabelRegister->autoSize = true;

    const double labelLefts[] = {42.8, 59.7, 76.7};
    const double boxLefts[] = {51.3, 68.2, 85.2};
    for (int i = 0; i < 3; ++i) {
        const QString k = QString::number(i + 1);
        // The day's caption fills the room before its box, in smaller type
        // where the design's does not fit it.
        ReportLabel* day = b->addLabel("DayLabel" + k, {}, {});
        day->font = accreditationFont(9, QFont::Bold);
        day->color = kCaptionColour;
        FitText::place(day, k + ".Gün", {labelLefts[i], 124.4, boxLefts[i] - labelLefts[i] - 0.3, 4.0}, 9,
                       FitText::Middle);
        ReportShape* shadow = b->addShape("DayShadow" + k, {boxLefts[i] + 0.8, 124.6, 5.6, 5.0}, ReportShape::Rectangle);
        shadow->brush = QColor(150, 150, 150);
        shadow->penStyle = Qt::NoPen;
        ReportShape* box = b->addShape("DayBox" + k, {boxLefts[i], 123.8, 5.6, 5.0}, ReportShape::Rectangle);
        box->brush = Qt::white;
        box->penWidth = 0.25;
    }

    Query1.afterScroll = [this](ReportQuery&) { Query1AfterScroll(); };
    Query1.beforeScroll = [this](ReportQuery&) { Query1BeforeScroll(); };
    ReportBody1.beforePrint = [this](Report&) {
        // A card for a typed name has no person row: the body prints once.
        ReportBody1.dataSet = FCardKind == 5 ? nullptr : &Query1;
    };
    DetailBand1->beforePrint = [this](ReportBand&, bool&) {
        if (FCardKind == 5)
            fillCard(false);
    };
    ReportBody1.afterOutput = [this](Report&) { FOutputDone = true; };
}

TAkreditasyon::~TAkreditasyon() = default;

QString TAkreditasyon::logFile()
{
    return "C:\\CO\\Musabaka_Karti.txt";
}

void TAkreditasyon::setClock(std::function<QDateTime()> clock)
{
    logClockHook() = std::move(clock);
}

QDateTime TAkreditasyon::now()
{
    if (logClockHook())
        return logClockHook()();
    return QDateTime(Reports::today(), QTime::currentTime());
}

void TAkreditasyon::captionFor(const QString& name, ReportLabel* value)
{
    const bool shown = !value->caption.isEmpty();
    ReportBody1.find<ReportLabel>("Caption" + name)->enabled = shown;
    ReportBody1.find<ReportLabel>("Colon" + name)->enabled = shown;
}

void TAkreditasyon::fillCard(bool hasRow)
{
    const QString number = hasRow ? Query1.str("Vergi_Numarasi") : QString();
    ReportBarcode1->enabled = !number.isEmpty();
    QRLabelRegister->enabled = !number.isEmpty();
    if (!number.isEmpty())
        ReportBarcode1->setText(number);
    QRLabelRegister->caption = "Sicil No:" + number;

    for (ReportLabel* v : {QRLabelRegion, QRLabelBirth, QRLabelCategory, QRLabelClub})
        v->caption.clear();
    if (hasRow && FCardKind != 5) {
        QRLabelName->caption = Query1.str("Ad_Soyad");
        if (FCardKind != 4)
            QRLabelRegion->caption = Query1.str("Vergi_Dairesi");
        switch (FCardKind) {
        case 1:
        case 2:
            QRLabelBirth->caption = CardRules::dateText(Query1.record(), "M3");
            QRLabelClub->caption = Query1.str("E16");
            QRLabelCategory->caption =
                FCardKind == 1 && !FCategoryText.isEmpty() ? FCategoryText : Query1.str("E53");
            break;
        case 3:
        case 7:
            QRLabelCategory->caption = Query1.str("E51");
            break;
        case 6:
            QRLabelCategory->caption = Query1.str("E52");
            break;
        default:
            break;
        }
    }
    captionFor("Region", QRLabelRegion);
    captionFor("Birth", QRLabelBirth);
    captionFor("Category", QRLabelCategory);
    captionFor("Club", QRLabelClub);
    // The coach grade of a referee-coach stands in the club's place, without
    // its caption.
    if (hasRow && FCardKind == 7)
        QRLabelClub->caption = Query1.str("E52");

    // Long names and titles are printed whole, in narrower type.
    for (ReportLabel* v : {QRLabelName, QRLabelRegion, QRLabelBirth})
        v->font = Cards::fitted(accreditationFont(12, QFont::Bold), v->caption, v->rect.width());
    for (ReportLabel* v : {QRLabelCategory, QRLabelClub})
        v->font = Cards::fitted(accreditationFont(10, QFont::Bold), v->caption, v->rect.width());
    QRLabelRole->font = Cards::fitted(accreditationFont(18, QFont::Black), QRLabelRole->caption, QRLabelRole->rect.width());

    const bool days = FCardKind == 1 || FCardKind == 2;
    for (int i = 1; i <= 3; ++i) {
        const QString k = QString::number(i);
        ReportBody1.find<ReportLabel>("DayLabel" + k)->enabled = days;
        ReportBody1.find<ReportShape>("DayShadow" + k)->enabled = days;
        ReportBody1.find<ReportShape>("DayBox" + k)->enabled = days;
    }

    Photo->enabled = false;
    if (hasRow) {
        const QString file = TCardReport::photoFile(Query1.value("Musteri_Key"));
        Photo->enabled = Photo->loadFromFile(file);
    }
}

void TAkreditasyon::Query1AfterScroll()
{
    if (Query1.eof())
        return;
    Memo1 << CardRules::accreditationLogLine(now(), Query1.str("Vergi_Numarasi"), Query1.str("Ad_Soyad"));
    fillCard(true);
}

void TAkreditasyon::Query1BeforeScroll()
{
    if (!Query1.eof() && !Query1.str("Vergi_Numarasi").isEmpty())
        ReportBarcode1->setText(Query1.str("Vergi_Numarasi"));
    // The report always starts by going to its first row: what was collected
    // while the query was opened is dropped, so each card is logged once.
    if (FFirstRow == 1) {
        FFirstRow = 0;
        Memo1.clear();
    }
}

QString Akreditasyon::logQuestion()
{
    return "Müsabaka kartı yazdırılan kişiler kaydedilsin mi?";
}

bool Akreditasyon::appendLog(const QStringList& lines, QString* error)
{
    QFile file(DriveMap::toHost(TAkreditasyon::logFile()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Cp1254::encode(line) + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool Akreditasyon::saveLog(TAkreditasyon& card)
{
    // Only cards that went to a printer or into a file are logged.
    if (!card.FOutputDone || card.Memo1.isEmpty())
        return true;
    Form5->Label1->setText(logQuestion());
    Form5->showModal();
    if (Form5->FConfirmed != 1)
        return true;
    QString error;
    if (!appendLog(card.Memo1, &error)) {
        Messages::error("Dosyaya yazılamadı: " + TAkreditasyon::logFile() + "\n" + error);
        return false;
    }
    return true;
}
