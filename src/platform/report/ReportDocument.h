#pragma once
// The display list a report run produces: pages of items, every position and
// size in millimetres from the page's top-left corner. The painter draws it on
// the preview, the printer and PDF files; the export filters turn it into
// text, CSV and HTML; tests read it directly.
//
//   const ReportDocument& doc = report.run();
//   doc.pages[0].texts();                      // every text item, in order
//   doc.pages[0].find("QRLabel9")->text;       // the item a control made
//
// A text item is one printed line (a word-wrapped memo gives one item per
// line), its rectangle the line box. Fonts are in points, pens in millimetres.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QTextDocument;

struct ReportItem {
    enum Kind { Text, Rect, RoundRect, Ellipse, Line, Image, RichText };

    Kind kind = Text;
    QString name;       // the control that made the item (the band for band backgrounds and frames)
    QString band;       // the band the item belongs to
    QRectF rect;        // the item's box; for a line its bounding box
    QLineF line;        // Line: the two end points

    // Text
    QString text;
    QFont font;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft;   // horizontal placement inside rect

    // Shapes and lines: no pen when penStyle is Qt::NoPen, no fill when brush
    // is transparent.
    QColor penColor = Qt::black;
    double penWidth = 0.2;
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor brush = Qt::transparent;
    double radius = 0;   // RoundRect: corner radius

    // Image: drawn into rect as it stands (the layout already applied stretch
    // and aspect).
    QImage image;

    // RichText: the laid-out document, drawn from documentTop (millimetres
    // into the document) for rect's height.
    std::shared_ptr<const QTextDocument> document;
    double documentTop = 0;

    // When not null, only this part of the page is drawn for the item (a band
    // that went on over a page break).
    QRectF clip;
};

struct ReportPage {
    int number = 0;      // 1-based
    QSizeF size;         // millimetres
    std::vector<ReportItem> items;

    // Texts of the text items in the order they were laid out.
    QStringList texts() const;
    // The first item a control made, or nullptr.
    const ReportItem* find(const QString& name) const;
    // Every item a control (or band) made.
    std::vector<const ReportItem*> findAll(const QString& name) const;
    // Text items of one band, in order.
    QStringList bandTexts(const QString& band) const;
};

struct ReportDocument {
    QString title;
    QSizeF pageSize;     // millimetres, after orientation
    std::vector<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    // Every text of every page.
    QStringList texts() const;
};

// Stands for the page count in texts laid out before the count was known
// ("Sayfa 3 / " + mark); whoever hands the pages out puts the count in.
inline constexpr char16_t kReportPageCountMark = 0xE000;
// Every mark of the page's texts replaced by the page count.
void fillPageCount(ReportPage& page, int pageCount);

// Laid-out pages as the preview and the outputs read them: one page at a
// time, so that a long report need not be held in memory whole.
class ReportPages {
public:
    virtual ~ReportPages() = default;
    virtual QString title() const = 0;
    virtual QSizeF pageSize() const = 0;
    virtual int pageCount() const = 0;
    // Page `index` (0-based) as it prints.
    virtual ReportPage page(int index) const = 0;
    // Every page in memory at once (tests, short reports).
    virtual std::shared_ptr<const ReportDocument> document() const;
};

// The pages of a document held in memory.
class ReportDocumentPages : public ReportPages {
public:
    explicit ReportDocumentPages(std::shared_ptr<const ReportDocument> document) : m_document(std::move(document)) {}
    QString title() const override { return m_document->title; }
    QSizeF pageSize() const override { return m_document->pageSize; }
    int pageCount() const override { return m_document->pageCount(); }
    ReportPage page(int index) const override { return m_document->pages.at(size_t(index)); }
    std::shared_ptr<const ReportDocument> document() const override { return m_document; }

private:
    std::shared_ptr<const ReportDocument> m_document;
};
