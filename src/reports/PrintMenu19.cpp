#include "reports/PrintMenu19.h"

#include "app/kit/DbConventions.h"
#include "platform/paths/DriveMap.h"
#include "platform/report/ReportFonts.h"
#include "platform/text/Rtf.h"
#include "reports/ListLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocument>

using ListLayout::font;

namespace {

// The letter's upper part (millimetres from the band's top): the subject
// line, the addressee's box with the address at its foot, the title line.
constexpr double kSubjectTop = 28;
constexpr double kSubjectWidth = 90;
constexpr double kBoxTop = 30;
constexpr double kAddressTop = 48;
constexpr double kAddressWidth = 85;
constexpr double kAddressHeight = 13.5;   // three lines at its type size
constexpr double kTitleTop = 63;
constexpr double kTitleHeight = 6;

// The height of a text broken at the control's width, at least `least`.
double wrappedHeight(const ReportTextControl& control, const QString& text, double width, double least)
{
    const QFont f = ReportFonts::resolve(control.font);
    return qMax(least, ReportFonts::wrap(f, text, width).size() * ReportFonts::lineHeight(f));
}

} // namespace

TLetterForm::TLetterForm(const QString& name) : TReportForm(name)
{
    addDataSet(Query1);
    addDataSet(Query8);
    Query8.sql = "select * from C_YAZILAR";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    ReportBody1.page.leftMargin = 16;
    ReportBody1.page.rightMargin = 10;
    ReportBody1.page.topMargin = 8;
    ReportBody1.page.bottomMargin = 3;
    ReportBody1.dataSet = &Query1;
    const double w = ReportBody1.page.printableWidth();

    ReportBand* letter = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", 69);
    letter->forceNewPage = true;
    QRImage1 = letter->addImage("QRImage1", {w / 2 - 25, 0, 50, 16});
    QRImage1->keepAspect = true;
    QRImage1->center = true;
    QRImage1->loadFromFile(QDir::current().filePath("logo.bmp"));
    QRLabel5 = letter->addLabel("QRLabel5", {0, 17, w, 5});
    QRLabel5->font = font(11, true);
    QRLabel5->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel7 = letter->addLabel("QRLabel7", {w - 70, 23, 70, 5});
    QRLabel7->font = font(10);
    QRLabel7->alignment = Qt::AlignRight | Qt::AlignTop;
    QRLabel1 = letter->addLabel("QRLabel1", {0, 23, 90, 5});
    QRLabel1->font = font(10);
    // A long subject goes on over several lines beside the box.
    QRLabel9 = letter->addLabel("QRLabel9", {0, kSubjectTop, kSubjectWidth, 5});
    QRLabel9->font = font(10);
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    const double bx = w - 89;
    QRShape1 = letter->addShape("QRShape1", {bx, 30, 89, 32}, ReportShape::Rectangle);
    QRLabel3 = letter->addLabel("QRLabel3", {bx + 2, 31, 20, 5}, "Sayın :");
    QRLabel3->font = font(10, true);
    QRLabel31 = letter->addLabel("QRLabel31", {bx + 2, 44, 20, 4}, "ADRES");
    QRLabel31->font = font(7, true);
    QRLabel8 = letter->addLabel("QRLabel8", {bx + 2, kAddressTop, kAddressWidth, kAddressHeight});
    QRLabel8->font = font(9);
    QRLabel8->wordWrap = true;
    QRLabel8->autoStretch = true;

    QRLabel2 = letter->addLabel("QRLabel2", {0, kTitleTop, w, kTitleHeight});
    QRLabel2->font = font(11, true);

    ChildBand1 = ReportBody1.addChild(letter, "ChildBand1", 5);
    QRRichText1 = ChildBand1->addRichText("QRRichText1", {0, 0, 176, 5});
    QRRichText1->font = QFont("Times New Roman", 11);

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 7);
    foot->addShape("QRShape2", {0, 0.5, w, 0.5}, ReportShape::HorLine);
    QRLabel4 = foot->addLabel("QRLabel4", {0, 2, w - 40, 4});
    QRLabel4->font = font(6);
    QRLabel10 = foot->addLabel("QRLabel10", {w - 40, 1.5, 40, 4});
    QRLabel10->font = font(8);
    QRLabel10->alignment = Qt::AlignRight | Qt::AlignTop;

    Query1.beforeScroll = [this](ReportQuery&) {
        if (FFirstRow != 1)
            return;
        FFirstRow = 0;
        loadBody();
    };
    Query1.afterScroll = [this](ReportQuery& q) {
        if (!q.eof())
            rowMoved();
    };
}

void TLetterForm::setAddressBlock(bool on)
{
    QRShape1->enabled = QRLabel3->enabled = QRLabel31->enabled = QRLabel8->enabled = on;
}

QString TLetterForm::footerAddress(const QString& address)
{
    static const QRegularExpression breaks("\r\n|\r|\n");
    QString line;
    for (const QString& l : address.split(breaks))
        line += " " + l;
    return line;
}

void TLetterForm::loadBody()
{
    QRRichText1->document()->clear();
    const QString file = FLetterFile.isEmpty() ? QString() : DriveMap::toHost(Folders::lettersFolder() + FLetterFile);
    bool loaded = false;
    if (!file.isEmpty() && QFileInfo(file).isFile())
        loaded = Rtf::load(*QRRichText1->document(), file);
    ChildBand1->enabled = loaded;
}

void TLetterForm::fitUpperPart()
{
    // Every line of the address (wrapped lines too) stays inside the box,
    // which grows downwards; the title goes below the box and below a
    // subject of several lines, and the band with it.
    const double addressHeight = wrappedHeight(*QRLabel8, QRLabel8->caption, kAddressWidth, kAddressHeight);
    QRLabel8->rect.setHeight(addressHeight);
    const double boxBottom = kAddressTop + addressHeight + 0.5;
    QRShape1->rect.setHeight(boxBottom - kBoxTop);
    const double subjectHeight = wrappedHeight(*QRLabel9, QRLabel9->caption, kSubjectWidth, 5);
    QRLabel9->rect.setHeight(subjectHeight);
    double titleTop = qMax(kTitleTop, kSubjectTop + subjectHeight + 1);
    if (QRShape1->enabled)
        titleTop = qMax(titleTop, boxBottom + 1);
    QRLabel2->rect.moveTop(titleTop);
    QRShape1->band()->height = titleTop + kTitleHeight;
}

void TLetterForm::rowMoved()
{
    FAddress = addressOf(Query1.record());
    QRLabel8->caption = FAddress;
    m_names.fit();
    fitUpperPart();
    Query8.open();
    QRLabel4->caption = footerAddress(Query8.str("Adres"));
    QRLabel5->caption = Query8.str("FirmaAdi");
    Query8.close();
}

TPrintMenu19::TPrintMenu19() : TLetterForm("PrintMenu19")
{
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    const double bx = ReportBody1.page.printableWidth() - 89;
    QRDBText1 = QRShape1->band()->addDataText("QRDBText1", {bx + 2, 37, 85, 5}, &Query1, "Ad_Soyad");
    QRDBText1->font = font(10, true);
    m_names.add({QRDBText1}, ListLayout::FittedCells::BoxHolds);
}

void TPrintMenu19::setAddressBlock(bool on)
{
    TLetterForm::setAddressBlock(on);
    QRDBText1->enabled = on;
}

QString TPrintMenu19::personAddress(const Record& person)
{
    return person.str("Adres") + "\n" + person.str("Sokak");
}

TPrintMenu19S::TPrintMenu19S() : TLetterForm("PrintMenu19S")
{
    Query1.sql = "select * from C_UYELIKSURESI";
    const double bx = ReportBody1.page.printableWidth() - 89;
    QRDBText2 = QRShape1->band()->addDataText("QRDBText2", {bx + 22, 31, 65, 5}, &Query1, "Ad_Soyad");
    QRDBText2->font = font(10, true);
    QRDBText1 = QRShape1->band()->addDataText("QRDBText1", {bx + 2, 37, 85, 5}, &Query1, "Durum");
    QRDBText1->font = font(10, true);
    m_names.add({QRDBText2, QRDBText1}, ListLayout::FittedCells::BoxHolds);
}

void TPrintMenu19S::setAddressBlock(bool on)
{
    TLetterForm::setAddressBlock(on);
    QRDBText1->enabled = QRDBText2->enabled = on;
}

QString TPrintMenu19S::clubAddress(const Record& club)
{
    auto line = [&club](const char* column) {
        const QString v = club.str(column);
        return v.isEmpty() ? v : v + "\n";
    };
    const QString district = club.str("Ilce");
    return line("Cadde") + line("Sokak") + line("No1") + club.str("PostaKodu") + " " + district + " " +
           (district.isEmpty() ? "" : "/  ") + club.str("Il");
}
