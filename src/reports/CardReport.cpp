#include "reports/CardReport.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "platform/paths/DriveMap.h"
#include "platform/report/ReportFonts.h"
#include "reports/CardArtwork.h"
#include "reports/CardRules.h"
#include "reports/barcode/ReportBarcode.h"

#include <QFileInfo>


namespace {

constexpr double kBoxHeight = 4.2;
constexpr double kBackRowHeight = 5.8;
const QColor kShadow(150, 150, 150);
const QColor kNearWhite(251, 251, 251);

QFont cardFont(const char* family, double points, int weight)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setWeight(QFont::Weight(weight));
    return f;
}

// The left edge and width of the heading lines and the role title.
struct TitlePlace {
    double h1Left, h1Width, h2Left, h2Width, titleLeft, titleWidth;
};

TitlePlace titlePlace(Cards::Front f)
{
    switch (f) {
    case Cards::Front::Representative:
        return {4.2, 61.6, 4.2, 61.6, 4.2, 61.6};
    case Cards::Front::National:
        return {2.1, 78.6, 2.1, 78.6, 2.1, 78.6};
    default:
        return {12.4, 58.5, 14.3, 55.3, 13.2, 56.6};
    }
}

} // namespace

QFont Cards::fitted(const QFont& design, const QString& text, double width)
{
    auto fits = [&text, width](const QFont& f) {
        return ReportFonts::textWidth(ReportFonts::resolve(f), text) <= width - 0.2;
    };
    if (text.isEmpty() || fits(design))
        return design;
    QFont f = design;
    f.setFamily("Arial Narrow");
    const double smallest = design.pointSizeF() * 0.6;
    while (!fits(f) && f.pointSizeF() - 0.25 >= smallest)
        f.setPointSizeF(f.pointSizeF() - 0.25);
    return f;
}

TCardReport::TCardReport(const Cards::CardDesign& design) : TReportForm(design.form), m_design(design)
{
    addDataSet(Query1);
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    m_roleTitle = QString::fromUtf8(design.title);
    m_roleSubtitle = QString::fromUtf8(design.subtitle);

    ReportBody1.title = "Kimlik";
    ReportPageSetup& page = ReportBody1.page;
    if (design.cardSizedPage) {
        page.paper = ReportPageSetup::Custom;
        page.customSize = QSizeF(Cards::kCardHeight, Cards::kCardWidth);
    }
    page.orientation = ReportPageSetup::Landscape;
    page.rightMargin = page.bottomMargin = 0;

    switch (design.sides) {
    case Cards::Sides::FrontAndBackPages:
    case Cards::Sides::FrontOverBack:
        ReportBody1.dataSet = &Query1;
        FrontBand = ReportBody1.addBand(ReportBand::Detail, "FrontBand", Cards::kCardHeight);
        BackBand = ReportBody1.addChild(FrontBand, "BackBand", Cards::kCardHeight);
        BackBand->forceNewPage = design.sides == Cards::Sides::FrontAndBackPages;
        break;
    case Cards::Sides::FrontsThenBacks:
        // Both sides walk the same persons: every front, then every back.
        FrontBand = ReportBody1.addSubDetail("FrontBand", Cards::kCardHeight, &Query1);
        BackBand = ReportBody1.addSubDetail("BackBand", Cards::kCardHeight, &Query1);
        BackBand->forceNewPage = true;
        break;
    }
    FrontBand->forceNewPage = true;

    // Both sides print the same field: it is drawn once.
    const QImage artwork = CardArtwork::cardField({Cards::kCardWidth, Cards::kCardHeight}, design.tone);
    buildFront(artwork);
    buildBack(artwork);
    setOffsets(4, 2);

    Query1.afterScroll = [this](ReportQuery&) { Query1AfterScroll(); };
    Query1.beforeScroll = [this](ReportQuery&) { Query1BeforeScroll(); };
    ReportBody1.beforePrint = [this](Report&) { fixedTexts(); };
}

TCardReport::~TCardReport() = default;

ReportLabel* TCardReport::text(ReportBand* band, const QString& name, const QRectF& rect, const QString& caption,
                               double points, bool bold, Qt::Alignment align)
{
    ReportLabel* l = band->addLabel(name, rect, caption);
    l->font = cardFont("Arial", points, bold ? QFont::Bold : QFont::Normal);
    l->alignment = align;
    m_designFonts.insert(l, l->font);
    l->font = Cards::fitted(l->font, caption, rect.width());
    return l;
}

void TCardReport::buildFront(const QImage& artwork)
{
    ReportBand* b = FrontBand;
    const TitlePlace t = titlePlace(m_design.front);
    const QRectF titleBand(t.titleLeft - 0.2, 10.4, t.titleWidth + 0.4, 7.3);

    ReportImage* bg = b->addImage("FrontBackground", {0, 0, Cards::kCardWidth, Cards::kCardHeight});
    bg->picture = CardArtwork::cardSide(artwork, m_design.tone, titleBand);
    bg->stretch = true;

    auto logo = [b](const QString& name, const QRectF& r, const QImage& picture) {
        ReportImage* i = b->addImage(name, r);
        i->picture = picture;
        i->stretch = true;
    };
    switch (m_design.front) {
    case Cards::Front::Standard:
    case Cards::Front::Mirrored:
        logo("LogoLeft", {1.6, 2.1, 10.6, 10.6}, CardArtwork::leftLogo());
        logo("LogoRight", {71.2, 2.1, 10.6, 10.6}, CardArtwork::rightLogo());
        break;
    case Cards::Front::BeltCard:
        logo("LogoLeft", {1.6, 2.1, 14.0, 14.0}, CardArtwork::leftLogo());
        break;
    case Cards::Front::Representative:
        logo("LogoRight", {70.4, 1.6, 11.6, 20.9}, CardArtwork::rightLogo());
        break;
    case Cards::Front::National:
        break;
    }

    text(b, "Heading1", {t.h1Left, 2.1, t.h1Width, 4.2}, QString::fromUtf8(m_design.heading1), 9, true,
         Qt::AlignHCenter | Qt::AlignVCenter);
    text(b, "Heading2", {t.h2Left, 6.3, t.h2Width, 3.0}, QString::fromUtf8(m_design.heading2), 6, false,
         Qt::AlignHCenter | Qt::AlignVCenter);
    const bool national = m_design.front == Cards::Front::National;
    SPORCU = text(b, "SPORCU", {t.titleLeft, 10.6, t.titleWidth, 5.0}, m_roleTitle, national ? 11 : 10, true,
                  Qt::AlignHCenter | Qt::AlignVCenter);
    SPORCU->color = Qt::white;
    Subtitle = text(b, "Subtitle", {t.titleLeft, 15.1, t.titleWidth, 2.4}, m_roleSubtitle, 5, true,
                    Qt::AlignHCenter | Qt::AlignVCenter);
    Subtitle->color = Qt::white;

    if (national) {
        ReportShape* circle = b->addShape("ClassCircle", {1.3, 8.7, 7.7, 7.7}, ReportShape::Circle);
        circle->brush = Qt::white;
        circle->penWidth = 0.3;
        text(b, "ClassLetter", {1.3, 8.9, 7.7, 5.4}, FClassLetter, 18, true, Qt::AlignHCenter | Qt::AlignVCenter);
        text(b, "ClassCaption", {1.3, 14.0, 7.7, 2.0}, "Sınıfı", 5, false, Qt::AlignHCenter | Qt::AlignVCenter);
    }

    const double photoLeft = m_design.front == Cards::Front::Mirrored ? 55.6 : 1.9;
    Photo = b->addImage("Photo", {photoLeft, 18.0, 26.5, 31.8});
    Photo->stretch = true;

    const bool onLines = m_design.front == Cards::Front::Representative;
    int n = 0;
    for (const Cards::FrontBox& box : m_design.boxes) {
        ++n;
        const QString k = QString::number(n);
        const QRectF r(box.left, box.top, box.width, kBoxHeight);
        if (box.caption) {
            if (onLines) {
                ReportShape* line = b->addShape("BoxLine" + k, {r.left(), r.bottom(), r.width(), 0.3},
                                                ReportShape::HorLine);
                line->penWidth = 0.25;
            } else {
                ReportShape* shadow = b->addShape("BoxShadow" + k, r.translated(0.8, 0.8), ReportShape::Rectangle);
                shadow->brush = kShadow;
                shadow->penStyle = Qt::NoPen;
                ReportShape* frame = b->addShape("BoxFrame" + k, r, ReportShape::Rectangle);
                frame->brush = national ? kNearWhite : QColor(Qt::white);
                frame->penWidth = 0.2;
            }
            text(b, "BoxCaption" + k, {r.left(), r.top() - 2.1, r.width() + 2, 2.1}, QString::fromUtf8(box.caption), 5,
                 false);
        }
        const bool narrow = national && box.field.src == Cards::Src::Competition;
        ReportLabel* value = text(b, "BoxValue" + k, {box.left + 0.6, box.top + 0.2, box.width - 1.0, kBoxHeight - 0.4},
                                  QString(), 7, true);
        if (narrow) {
            value->font.setFamily("Arial Narrow");
            m_designFonts.insert(value, value->font);
        }
        FBoxValues.push_back(value);
    }
}

void TCardReport::buildBack(const QImage& artwork)
{
    ReportBand* b = BackBand;
    ReportImage* bg = b->addImage("BackBackground", {0, 0, Cards::kCardWidth, Cards::kCardHeight});
    bg->picture = CardArtwork::cardSide(artwork, m_design.tone, QRectF());
    bg->stretch = true;

    int n = 0;
    for (const Cards::BackRow& row : m_design.rows) {
        ++n;
        const QString k = QString::number(n);
        const QRectF r(row.left, row.top, row.width, kBackRowHeight);
        ReportShape* frame = b->addShape("RowFrame" + k, r, ReportShape::Rectangle);
        frame->brush = QColor(255, 255, 255, 200);
        frame->penWidth = 0.2;
        const double captionWidth = row.valueLeft - row.left - 0.6;
        text(b, "RowCaption" + k, {r.left() + 0.5, r.top() + 0.3, captionWidth, 2.6}, QString::fromUtf8(row.turkish), 5,
             true);
        text(b, "RowEnglish" + k, {r.left() + 0.5, r.top() + 2.9, captionWidth, 2.6}, QString::fromUtf8(row.english),
             5, false);
        FRowValues.push_back(text(b, "RowValue" + k, {row.valueLeft, r.top() + 0.9, r.right() - row.valueLeft - 0.4, 4.0},
                                  QString(), 7, true));
    }

    QPointF barcodeAt;
    switch (m_design.back) {
    case Cards::Back::PersonalRows:
        barcodeAt = {48.4, 6.3};
        break;
    case Cards::Back::Visa:
    case Cards::Back::Belt:
        barcodeAt = {48.4, 4.2};
        break;
    case Cards::Back::VisaBarcode:
        barcodeAt = {6.1, 33.9};
        break;
    }
    if (m_design.back == Cards::Back::Visa)
        buildVisaBox(b);
    if (m_design.back == Cards::Back::VisaBarcode) {
        ReportShape* box = b->addShape("VisaBox", {2.1, 29.6, 40.5, 19.8}, ReportShape::Rectangle);
        box->penWidth = 0.25;
    }
    if (m_design.back == Cards::Back::Belt)
        buildBeltBox(b);
    buildSignature(b, m_design.back == Cards::Back::PersonalRows);

    // The white field under the bars: a scanner wants ten modules of white
    // left and right of the symbol (and finds the bars more surely with
    // white above and below), and the artwork, its border and the rows must
    // stay out of it. Beside the rows the field runs out to the card's right
    // edge, the card's border giving way to it there; in the visa box it
    // stays inside the box.
    ReportShape* field = b->addShape("BarcodeField", QRectF(), ReportShape::Rectangle);
    field->brush = Qt::white;
    field->penStyle = Qt::NoPen;
    ReportBarcode1 = b->add<TReportBarcode>("ReportBarcode1", {barcodeAt.x(), barcodeAt.y(), 32.8, 10.6});
    ReportBarcode1->setTyp(bcCodeEAN128A);
    ReportBarcode1->setModul(1);
    ReportBarcode1->setRatio(2.0);
    ReportBarcode1->setBarcodeHeight(40);
    ReportBarcode1->setText("0000000");
    ReportBarcode1->setBarcodeWidth(123);
    const QRectF bars = ReportBarcode1->rect;
    const double symbolRight = bars.left() + px(ReportBarcode1->BarcodeWidth());
    const double quiet = Cards::kQuietModules * px(ReportBarcode1->Modul()) + 0.1;
    const double right = m_design.back == Cards::Back::VisaBarcode ? symbolRight + quiet : Cards::kCardWidth;
    field->rect = QRectF(QPointF(bars.left() - quiet, bars.top() - 1.5), QPointF(right, bars.bottom() + 1.5));
}

void TCardReport::buildVisaBox(ReportBand* b)
{
    ReportShape* box = b->addShape("VisaBox", {2.1, 29.6, 40.5, 19.8}, ReportShape::Rectangle);
    box->penWidth = 0.25;
    box->brush = QColor(255, 255, 255, 200);
    if (*m_design.visaCaption)
        text(b, "VisaCaption", {2.1, 30.2, 40.5, 2.6}, QString::fromUtf8(m_design.visaCaption), 5.5, true,
             Qt::AlignHCenter | Qt::AlignVCenter);
    const double lefts[] = {4.2, 13.8, 23.3, 32.8};
    for (int i = 0; i < 4; ++i) {
        const QString k = QString::number(i + 1);
        ReportShape* c = b->addShape("VisaCircle" + k, {lefts[i], 33.6, 7.9, 7.9}, ReportShape::Circle);
        c->penWidth = 0.25;
        text(b, "VisaYear" + k, {lefts[i] - 0.5, 41.5, 8.9, 2.6}, QString(), 6, true,
             Qt::AlignHCenter | Qt::AlignVCenter);
    }
    ReportImage* stamp = b->addImage("VisaStamp", {lefts[0], 33.6, 7.9, 7.9});
    stamp->picture = CardArtwork::visaStamp();
    stamp->stretch = true;
    stamp->enabled = false;
    text(b, "Validity1", {2.1, 45.0, 40.5, 2.1}, QString::fromUtf8(m_design.validity1), 4.5, false,
         Qt::AlignHCenter | Qt::AlignVCenter);
    text(b, "Validity2", {2.1, 47.1, 40.5, 2.1}, "This ID Card is valid during the year issued.", 4.5, false,
         Qt::AlignHCenter | Qt::AlignVCenter);
}

void TCardReport::buildBeltBox(ReportBand* b)
{
    ReportShape* box = b->addShape("BeltBox", {2.1, 24.1, 40.5, 26.0}, ReportShape::Rectangle);
    box->penWidth = 0.25;
    box->brush = QColor(255, 255, 255, 200);
    text(b, "BeltCaption", {2.1, 24.3, 40.5, 2.5}, QString::fromUtf8(m_design.visaCaption), 5.5, true,
         Qt::AlignHCenter | Qt::AlignVCenter);
    const double lefts[] = {4.2, 13.8, 23.3, 32.8};
    const double tops[] = {27.0, 38.4};
    const QImage stampPicture = CardArtwork::visaStamp();
    for (int i = 0; i < 8; ++i) {
        const QString k = QString::number(i + 1);
        const QRectF r(lefts[i % 4], tops[i / 4], 7.9, 7.9);
        ReportShape* c = b->addShape("BeltCircle" + k, r, ReportShape::Circle);
        c->penWidth = 0.25;
        ReportImage* stamp = b->addImage("BeltStamp" + k, r);
        stamp->picture = stampPicture;
        stamp->stretch = true;
        stamp->enabled = false;
        text(b, "BeltName" + k, {r.left() - 1.0, r.bottom() + 0.1, 9.9, 2.2}, CardRules::beltNames().at(i), 4.5, true,
             Qt::AlignHCenter | Qt::AlignVCenter);
    }
}

void TCardReport::buildSignature(ReportBand* b, bool personalRows)
{
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
    ReportImage* signature;
    if (personalRows) {
        const QRectF box(52.9, 20.6, 28.8, 28.0);
        ReportShape* frame = b->addShape("SignatureBox", box, ReportShape::Rectangle);
        frame->penWidth = 0.25;
        frame->brush = QColor(255, 255, 255, 200);
        text(b, "SignatureCaption", {box.left(), 21.1, box.width(), 2.4}, "ONAY / Authorized Signature", 5.5, true,
             centre);
        text(b, "SignatureTitle", {box.left(), 23.6, box.width(), 2.4}, "Federasyon Başkanı", 5.5, true, centre);
        text(b, "SignatureTitleEn", {box.left(), 26.0, box.width(), 2.4}, "President of Federation", 5, false, centre);
        signature = b->addImage("Signature", {53.4, 31.2, 27.5, 8.7});
        text(b, "President", {box.left(), 40.6, box.width(), 2.6}, QString(), 6, false, centre);
        text(b, "PrintDate", {box.left(), 43.6, box.width(), 2.6}, QString(), 6, true, centre);
    } else {
        const QRectF box(42.3, 29.6, 39.4, 19.8);
        ReportShape* frame = b->addShape("SignatureBox", box, ReportShape::Rectangle);
        frame->penWidth = 0.25;
        frame->brush = QColor(255, 255, 255, 200);
        text(b, "SignatureCaption", {box.left(), 30.0, box.width(), 2.4}, "ONAY / Authorized Signature", 5.5, true,
             centre);
        text(b, "SignatureTitle", {box.left(), 32.3, box.width(), 2.4},
             "Federasyon Başkanı / President of Federation", 5, false, centre);
        signature = b->addImage("Signature", {48.4, 34.9, 27.5, 8.7});
        text(b, "President", {box.left(), 43.8, box.width(), 2.4}, QString(), 6, false, centre);
        text(b, "PrintDate", {box.left(), 46.4, box.width(), 2.4}, QString(), 6, true, centre);
    }
    signature->picture = CardArtwork::signature();
    signature->stretch = true;
}

void TCardReport::setRoleCaptions(const QString& title, const QString& subtitle)
{
    m_roleTitle = title;
    m_roleSubtitle = subtitle;
    SPORCU->caption = title;
    Subtitle->caption = subtitle;
}

void TCardReport::setRegisterNumberShown(bool shown)
{
    m_registerShown = shown;
}

void TCardReport::setOffsets(double topPixels, double leftPixels)
{
    ReportPageSetup& page = ReportBody1.page;
    page.topMargin = px(topPixels);
    page.leftMargin = px(leftPixels);
    if (m_design.cardSizedPage) {
        // A side that reached past the card page would go on over a second
        // page: it is cut at the page's edge instead.
        const double room = qMax(1.0, page.size().height() - page.topMargin - page.bottomMargin);
        FrontBand->height = BackBand->height = qMin(Cards::kCardHeight, room);
    }
}

QString TCardReport::photoFile(const QVariant& key)
{
    return Folders::programFolder() + "R" + key.toString() + ".jpg";
}

void TCardReport::fixedTexts()
{
    for (ReportLabel* v : FBoxValues)
        v->caption.clear();
    for (ReportLabel* v : FRowValues)
        v->caption.clear();
    const QStringList years = CardRules::visaYears(FVisaYear);
    for (int i = 0; i < 4; ++i)
        if (auto* y = ReportBody1.find<ReportLabel>("VisaYear" + QString::number(i + 1)))
            y->caption = years.at(i);
    if (auto* stamp = ReportBody1.find<ReportImage>("VisaStamp")) {
        const bool stamped = m_design.stamp && FStamp;
        stamp->enabled = stamped;
        ReportBody1.find<ReportShape>("VisaCircle1")->enabled = !stamped;
    }
    ReportBody1.find<ReportLabel>("PrintDate")->caption = Formats::dateToStr(Reports::today());
    setValue(ReportBody1.find<ReportLabel>("President"), CardArtwork::presidentName());
    if (auto* letter = ReportBody1.find<ReportLabel>("ClassLetter")) {
        letter->caption = FClassLetter;
        letter->color = FClassColour;
        ReportBody1.find<ReportLabel>("ClassCaption")->color = FClassColour;
    }
    // The register number: its box and caption stay when it is left off.
    for (size_t i = 0; i < m_design.boxes.size(); ++i)
        FBoxValues[i]->enabled = m_design.boxes[i].field.src != Cards::Src::Register || m_registerShown;
    for (size_t i = 0; i < m_design.rows.size(); ++i)
        FRowValues[i]->enabled = m_design.rows[i].field.src != Cards::Src::Register || m_registerShown;
}

void TCardReport::applyRole(const Record& row)
{
    QString title = m_roleTitle;
    QString subtitle = m_roleSubtitle;
    bool subtitleShown = true;
    switch (m_design.titleRule) {
    case Cards::TitleRule::Dialog:
        if (!FCardTitle.isEmpty()) {
            title = FCardTitle;
            subtitleShown = false;
        }
        break;
    case Cards::TitleRule::DialogBlankSubtitle:
        if (!FCardTitle.isEmpty()) {
            title = FCardTitle;
            subtitle = " ";
        }
        break;
    case Cards::TitleRule::None:
        break;
    }
    // Coach cards word the role by the grade, row by row, unless a card
    // title of the dialog stands for every card.
    if (m_design.rewrite == Cards::Rewrite::CoachA && FCardKind == 1 &&
        (m_design.titleRule == Cards::TitleRule::None || FCardTitle.isEmpty())) {
        const CardRules::CoachGrade g = CardRules::coachGradeA(row.str("E52"));
        title = g.title;
        subtitle = g.subtitle;
        subtitleShown = true;
    }
    if (m_design.rewrite == Cards::Rewrite::CoachB)
        subtitle.clear();
    setValue(SPORCU, title);
    setValue(Subtitle, subtitle);
    Subtitle->enabled = subtitleShown;
}

void TCardReport::setValue(ReportLabel* label, const QString& text)
{
    label->caption = text;
    label->font = Cards::fitted(m_designFonts.value(label, label->font), text, label->rect.width());
}

QString TCardReport::valueOf(const Cards::Field& field, const Record& row) const
{
    const QString column = QString::fromUtf8(field.column);
    switch (field.src) {
    case Cards::Src::Column:
    case Cards::Src::Register:
        return row.str(column);
    case Cards::Src::Date:
        return CardRules::dateText(row, column);
    case Cards::Src::Birth:
        return CardRules::birthText(row);
    case Cards::Src::City:
        return CardRules::cityText(row);
    case Cards::Src::Place:
        return CardRules::placeText(row);
    case Cards::Src::Poomse:
        return CardRules::joinSlash(row.str("E74"), CardRules::dateText(row, "M9"));
    case Cards::Src::Identity:
        return FCardKind == 4 ? row.str("E39") : row.str("E42");
    case Cards::Src::Blood:
        return FCardKind == 4 ? QString() : row.str("E39");
    case Cards::Src::Competition:
        return FCompetition[column.mid(4).toInt() - 1];
    case Cards::Src::ByKind: {
        bool known = false;
        QString v = CardRules::categoryByKind(FCardKind, row, &known);
        if (FCardKind == 1 && m_design.rewrite == Cards::Rewrite::CoachA)
            v = CardRules::coachGradeA(v).box;
        else if (FCardKind == 1 && m_design.rewrite == Cards::Rewrite::CoachB)
            v = CardRules::coachGradeB(v);
        if (m_design.klasman && (FCardKind == 1 || FCardKind == 2))
            v = QString(QChar(m_design.klasman)) + " KLASMANI";
        return v;
    }
    }
    return QString();
}

void TCardReport::setBarcode(const QString& number)
{
    // A person without a register number gets no bars.
    ReportBarcode1->enabled = !number.isEmpty();
    if (!number.isEmpty())
        ReportBarcode1->setText(number);
}

void TCardReport::loadPhoto(const Record& row)
{
    const QString file = photoFile(row.value("Musteri_Key"));
    Photo->enabled = QFileInfo(DriveMap::toHost(file)).isFile();
    if (Photo->enabled && !Photo->loadFromFile(file))
        throw ReportError("Resim dosyası okunamadı: " + file);
}

void TCardReport::Query1AfterScroll()
{
    if (Query1.eof())
        return;
    const Record& row = Query1.record();
    applyRole(row);
    setBarcode(row.str("Vergi_Numarasi"));
    for (size_t i = 0; i < m_design.boxes.size(); ++i)
        setValue(FBoxValues[i], valueOf(m_design.boxes[i].field, row));
    for (size_t i = 0; i < m_design.rows.size(); ++i)
        setValue(FRowValues[i], valueOf(m_design.rows[i].field, row));
    if (m_design.back == Cards::Back::Belt) {
        const int stamped = CardRules::beltStampCount(row.str("E25"));
        for (int i = 0; i < 8; ++i) {
            const QString k = QString::number(i + 1);
            ReportBody1.find<ReportImage>("BeltStamp" + k)->enabled = i < stamped;
            ReportBody1.find<ReportShape>("BeltCircle" + k)->enabled = i >= stamped;
        }
    }
    loadPhoto(row);
}

void TCardReport::Query1BeforeScroll()
{
    if (!Query1.eof())
        setBarcode(Query1.str("Vergi_Numarasi"));
}
