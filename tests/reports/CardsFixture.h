#pragma once
// Persons for the card prints, the registry list a launcher is given, the
// scripted page-setup dialog and preview, and the tools to read a card's
// page: its items in millimetres, its PDF page as an image, its barcode.

#include "ReportsFixture.h"
#include "barcode/BarcodeTestSupport.h"

#include "app/kit/DbConventions.h"
#include "platform/paths/DriveMap.h"
#include "reports/CardLaunch.h"
#include "reports/Margin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace cards {

// The page offsets of the dialog's defaults: 4 and 2 pixels.
inline const double kTop = px(4);
inline const double kLeft = px(2);

inline void expectRect(const ReportItem* item, double left, double top, double width, double height,
                       double tolerance = 0.01)
{
    ASSERT_NE(item, nullptr);
    EXPECT_NEAR(item->rect.left(), left, tolerance) << item->name.toStdString();
    EXPECT_NEAR(item->rect.top(), top, tolerance) << item->name.toStdString();
    EXPECT_NEAR(item->rect.width(), width, tolerance) << item->name.toStdString();
    EXPECT_NEAR(item->rect.height(), height, tolerance) << item->name.toStdString();
}

// The text a control printed on a page ("" when it printed nothing).
inline QString textOn(const ReportPage& page, const QString& control)
{
    const ReportItem* i = page.find(control);
    return i && i->kind == ReportItem::Text ? i->text : QString();
}

// The page count and the page size of a PDF in millimetres, as pdfinfo
// tells them (it rounds the size to whole points).
inline int pdfPages(const QString& pdf)
{
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(fixture::pdfInfo(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}
inline QSizeF pdfPageMm(const QString& pdf)
{
    const auto m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(fixture::pdfInfo(pdf));
    if (!m.hasMatch())
        return QSizeF();
    return QSizeF(m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72);
}
inline void expectPdfPages(const QString& pdf, int pages, double widthMm, double heightMm)
{
    EXPECT_EQ(pdfPages(pdf), pages) << fixture::pdfInfo(pdf).toStdString();
    const QSizeF size = pdfPageMm(pdf);
    EXPECT_NEAR(size.width(), widthMm, 0.4) << fixture::pdfInfo(pdf).toStdString();
    EXPECT_NEAR(size.height(), heightMm, 0.4) << fixture::pdfInfo(pdf).toStdString();
}

// One whole page of a PDF as an image at 300 dots per inch (a PPM file).
inline QString pageImage(const QString& pdf, int page, const QString& folder)
{
    return BarcodeTest::pdfPageImage(pdf, page, QDir(folder).filePath(QString("page%1").arg(page)));
}

// The bars of a barcode item on the page: its box narrowed to the columns
// that hold bars (the picture ends in a unit of white).
inline QRectF symbolOf(const ReportItem& bars)
{
    const QImage& picture = bars.image;
    const int y = picture.height() / 2;
    int first = -1;
    int last = -1;
    for (int x = 0; x < picture.width(); ++x) {
        if (qGray(picture.pixel(x, y)) < 128) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    if (first < 0)
        return QRectF();
    const double mmPerPixel = bars.rect.width() / picture.width();
    return QRectF(bars.rect.left() + first * mmPerPixel, bars.rect.top(), (last + 1 - first) * mmPerPixel,
                  bars.rect.height());
}

// Whether an item puts anything on the page inside `area`: a text that is
// not empty, a picture, a filled shape over its box, a shape's outline
// along its edges.
inline bool marks(const ReportItem& item, const QRectF& area)
{
    const double pen = item.penStyle == Qt::NoPen ? 0 : item.penWidth / 2;
    const QRectF outer = item.rect.adjusted(-pen, -pen, pen, pen);
    switch (item.kind) {
    case ReportItem::Text:
        return !item.text.trimmed().isEmpty() && item.rect.intersects(area);
    case ReportItem::Image:
    case ReportItem::RichText:
        return item.rect.intersects(area);
    case ReportItem::Line:
        return outer.intersects(area);
    default:
        if (item.brush.alpha() > 0)
            return outer.intersects(area);
        return pen > 0 && outer.intersects(area) && !item.rect.adjusted(pen, pen, -pen, -pen).contains(area);
    }
}

} // namespace cards

class CardsTest : public ReportsTest {
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        Margin->Edit2->setText("2010");
        Margin->Edit8->setText("4");
        Margin->Edit1->setText("2");
        // BRIVEX_KEEP_CARD_PDFS=1 keeps the printed PDFs to look at.
        if (qEnvironmentVariableIsSet("BRIVEX_KEEP_CARD_PDFS")) {
            m_out.setAutoRemove(false);
            std::printf("card PDFs in %s\n", qPrintable(m_out.path()));
        }
    }

    void addPerson(int key, const QString& name, const QString& number, QVariantMap more = {})
    {
        more.insert("Musteri_Key", key);
        more.insert("Ad_Soyad", name);
        more.insert("Vergi_Numarasi", number);
        db.insert("C_MUSTERI", more);
    }

    // Three persons, in name order: AHMET (3), BERK (1), CEMİL (2).
    void addThree()
    {
        addPerson(1, "BERK ŞAHİN", "0000101", {{"Vergi_Dairesi", "İZMİR"}, {"E52", "1.KADEME ANTRENÖR"}});
        addPerson(2, "CEMİL ÖZ", "0000102", {{"Vergi_Dairesi", "ANKARA"}, {"E52", "5.KADEME ANTRENÖR"}});
        addPerson(3, "AHMET IŞIK", "0000103", {{"Vergi_Dairesi", "MUĞLA"}, {"E52", "1.KADEME ANTRENÖR"}});
    }

    // The result list of a search without conditions, first row current.
    static Cards::RegistryList searched(const QString& selectedKeys = QString(), int count = 3)
    {
        Cards::RegistryList list;
        list.open = true;
        list.currentKey = 1;
        list.recordCount = count;
        list.selection.reportSql = "Select * from C_MUSTERI";
        list.selection.selectedKeys = selectedKeys;
        list.selection.orderBy = "Ad_Soyad";
        return list;
    }

    // The page setup answered with "Evet" or "Hayır" after `fill`.
    static void expectMargin(bool yes = false, std::function<void(TMargin*)> fill = nullptr)
    {
        modals().expect("TMargin", [yes, fill](QDialog* d) {
            auto* m = static_cast<TMargin*>(d);
            if (fill)
                fill(m);
            click(yes ? static_cast<QWidget*>(m->BitBtn4) : static_cast<QWidget*>(m->BitBtn1));
        });
    }

    // The preview: keeps a copy of its pages and, with a path, saves them as
    // a PDF through the preview's own "save" command.
    void expectPreview(std::optional<ReportDocument>& pages, const QString& pdf = QString())
    {
        modals().expect("ReportPreview", [&pages, pdf](QDialog* d) {
            pages = static_cast<ReportPreview*>(d)->document();
            if (!pdf.isEmpty()) {
                ui().answerFile(pdf);
                click(d->findChild<QWidget*>("SaveButton"));
            }
            d->close();
        });
    }

    // Prints card item `item` for the search `list` and returns its pages.
    ReportDocument print(const QString& item, const Cards::RegistryList& list, bool yes = false,
                         std::function<void(TMargin*)> fill = nullptr, const QString& pdf = QString())
    {
        std::optional<ReportDocument> pages;
        expectMargin(yes, fill);
        expectPreview(pages, pdf);
        Cards::launch(item, caller(), list);
        EXPECT_EQ(modals().pending(), 0);
        return pages ? *pages : ReportDocument{};
    }

    ReportCaller caller()
    {
        return ReportCaller::screen(nullptr, &m_inPreview, [this](QObject* r) { m_previewReport = r; });
    }

    // A photo "R<key>.jpg" in the program folder.
    static void addPhoto(int key, const QColor& colour = QColor(200, 170, 140))
    {
        const QString folder = DriveMap::toHost(Folders::programFolder());
        QDir().mkpath(folder);
        QImage photo(265, 318, QImage::Format_RGB32);
        photo.fill(colour);
        ASSERT_TRUE(photo.save(QDir(folder).filePath(QString("R%1.jpg").arg(key)), "JPG"));
    }

    QTemporaryDir m_out;
    int m_inPreview = 0;
    QObject* m_previewReport = nullptr;
};
