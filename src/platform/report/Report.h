#pragma once
// The banded report engine: every printed document of the program is a
// Report built in code, laid out into pages of items (the display list,
// ReportDocument.h), and painted from that list to the preview window, a
// printer or a PDF file, or exported as text, CSV or HTML.
//
// Units: every position, size, margin and pen width is in millimetres, from
// the top-left corner of the band (controls) or the page (the display list).
// Font sizes are in points. Designs measured in screen pixels of 1/96 inch
// convert with px(): ReportLabel at px(12), px(32).
//
//   Report r;
//   r.title = "Rapor Önizleme";
//   r.page.orientation = ReportPageSetup::Landscape;
//   ReportQuery q("Query1");
//   q.database = &db;
//   q.sql = "select * from C_LISTE where Brans = :b order by Ad";
//   q.params = {{"b", category}};
//   r.dataSet = &q;
//   auto* head = r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 20);
//   head->addLabel("QRLabel9", {0, 2, 277, 8}, "RAPOR BAŞLIĞI")->font.setBold(true);
//   auto* row = r.addBand(ReportBand::Detail, "DetailBand1", 6);
//   row->addDataText("QRDBText1", {10, 0, 80, 5}, &q, "Ad");
//   row->beforePrint = [](ReportBand&, bool& print) { print = ...; };
//   r.addBand(ReportBand::PageFooter, "PageFooterBand1", 8)
//       ->addSysData("QRSysData1", {0, 1, 277, 5}, ReportSysData::PageNumberOfTotal, "Sayfa ");
//   r.preview();                 // the preview window, modal; returns when it closes
//
// A run: the report's beforePrint event, then the title band, the rows of the
// report's dataset (or, without one, as long as the needData event says there
// is more data, or else once), each row printing the detail band, its child
// bands and the sub-detail bands whose master it is; group headers and
// footers around rows whose group expression changes; then the summary. Page
// headers and footers go on every page (optionally not the first header or
// the last footer); a band that does not fit starts the next column or page;
// a band taller than a page goes on over the break.
//
// needData: the report asks before every row of a report without dataset;
// `moreData` comes in true for the first request of a run and false for every
// later one, so a handler that never sets it prints the body once.
//
// Pages go out as they are laid out: print() and saveToFile() paint each
// page on the printer or into the file and drop it, the preview keeps a few
// pages in memory and the rest in a temporary file (ReportPageStore.h), so a
// report of thousands of pages needs the memory of a few. Printing or saving
// from the preview paints the pages it laid out; the data is not walked again.
//
// The page count: a page number "of total" (PageNumberOfTotal, PageCount)
// that the preview or run() shows is filled in once the last page is laid
// out. Where the count is needed before the first page is written (print()
// and saveToFile() with such a text) and wherever an expression works with
// PAGECOUNT (IF(PAGENUMBER = PAGECOUNT, ...)), the report is first laid out
// to count its pages, keeping nothing, and then laid out again with the
// count known; its events fire in each of these runs. A layout that changes
// with the count so that no count holds ends the run with kUnsettledPageCount.

#include "platform/report/ReportDocument.h"
#include "platform/report/ReportExpression.h"
#include "platform/report/ReportQuery.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QTextDocument;
class QWidget;
class Report;
class ReportBand;
class ReportPageWriter;
class ReportPreview;

// Millimetres of a length given in screen pixels of 1/96 inch.
constexpr double px(double pixels) { return pixels * 25.4 / 96.0; }

struct ReportPageSetup {
    enum Paper { A4, A5, Custom };
    enum Orientation { Portrait, Landscape };

    Paper paper = A4;
    QSizeF customSize{210, 297};   // millimetres, width and height as printed in portrait
    Orientation orientation = Portrait;
    double topMargin = 10, bottomMargin = 10, leftMargin = 10, rightMargin = 10;
    int columns = 1;               // detail, sub-detail and group bands fill column by column
    double columnSpace = 0;
    bool columnsAcross = false;    // fill the columns row by row instead (labels on a sheet)
    bool firstPageHeader = true;   // page header on the first page
    bool lastPageFooter = true;    // page footer on the last page

    // The page as printed (orientation applied), millimetres.
    QSizeF size() const;
    double printableWidth() const { return size().width() - leftMargin - rightMargin; }
};

// Edges drawn around a control or band.
struct ReportFrame {
    bool top = false, bottom = false, left = false, right = false;
    QColor color = Qt::black;
    double width = px(1);
    Qt::PenStyle style = Qt::SolidLine;

    void setAll(bool on) { top = bottom = left = right = on; }
    bool any() const { return top || bottom || left || right; }
};

class ReportControl {
public:
    enum Kind { Label, DataText, Expr, SysData, Memo, RichText, Shape, Image };
    virtual ~ReportControl() = default;
    ReportControl(const ReportControl&) = delete;
    ReportControl& operator=(const ReportControl&) = delete;

    Kind kind() const { return m_kind; }
    ReportBand* band() const { return m_band; }

    QString name;
    QRectF rect;                 // millimetres from the band's top-left corner
    bool enabled = true;         // a disabled control prints nothing
    ReportFrame frame;
    QColor background = Qt::transparent;

protected:
    ReportControl(Kind kind, ReportBand* band, QString name, const QRectF& rect)
        : name(std::move(name)), rect(rect), m_kind(kind), m_band(band) {}

private:
    Kind m_kind;
    ReportBand* m_band;
};

// What every text control shares.
class ReportTextControl : public ReportControl {
public:
    QFont font{"DejaVu Sans", 10};
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;       // break lines at the control's width
    bool autoSize = false;       // one line: the width follows the text (anchored by the alignment)
    bool autoStretch = false;    // the height follows the text; the band grows with it

protected:
    using ReportControl::ReportControl;
};

// Fixed text that the program may change between runs.
class ReportLabel : public ReportTextControl {
public:
    ReportLabel(ReportBand* band, QString name, const QRectF& rect, QString caption = QString())
        : ReportTextControl(Label, band, std::move(name), rect), caption(std::move(caption)) {}
    QString caption;
};

// The value of a field of the current row. Without a dataset the field is
// looked up in the band's datasets. A mask formats numbers (see
// ReportFormat::formatFloat).
class ReportDataText : public ReportTextControl {
public:
    ReportDataText(ReportBand* band, QString name, const QRectF& rect, ReportQuery* dataSet, QString field)
        : ReportTextControl(DataText, band, std::move(name), rect), dataSet(dataSet), field(std::move(field)) {}
    ReportQuery* dataSet;
    QString field;
    QString mask;
};

// A computed value (ReportExpression.h). Sums and counts run over the rows
// of its master band printed since the last reset; the master defaults to
// the band's own rows (the group's rows for a group footer, the detail rows
// for the summary). resetAfterPrint starts them again after each print, so a
// group footer shows the sum of its group.
class ReportExpr : public ReportTextControl {
public:
    ReportExpr(ReportBand* band, QString name, const QRectF& rect, QString expression)
        : ReportTextControl(Expr, band, std::move(name), rect), expression(std::move(expression)) {}
    QString expression;
    QString mask;
    bool resetAfterPrint = false;
    ReportBand* master = nullptr;

    // The parsed expression (parsed again when the text changed).
    ReportExpression& parsed();
    void reset();

private:
    ReportExpression m_parsed;
    QString m_parsedText;
    bool m_isParsed = false;
};

// Values the engine supplies.
class ReportSysData : public ReportTextControl {
public:
    enum Data { PageNumber, PageCount, PageNumberOfTotal, Date, Time, DateTime, ReportTitle, DetailNo };
    ReportSysData(ReportBand* band, QString name, const QRectF& rect, Data data, QString prefix = QString())
        : ReportTextControl(SysData, band, std::move(name), rect), data(data), prefix(std::move(prefix)) {}
    Data data;
    QString prefix;   // printed before the value ("Sayfa ")
};

// Several lines of text, word-wrapped; with autoStretch the band grows.
class ReportMemo : public ReportTextControl {
public:
    ReportMemo(ReportBand* band, QString name, const QRectF& rect)
        : ReportTextControl(Memo, band, std::move(name), rect) { wordWrap = true; }
    QStringList lines;
};

// Formatted text (a letter body). The band grows to the document's height
// unless autoStretch is off.
class ReportRichText : public ReportControl {
public:
    ReportRichText(ReportBand* band, QString name, const QRectF& rect);
    ~ReportRichText() override;
    void setHtml(const QString& html);
    void setPlainText(const QString& text);
    QTextDocument* document() const { return m_document.get(); }
    QFont font{"DejaVu Sans", 10};   // the document's default font
    bool autoStretch = true;

private:
    std::unique_ptr<QTextDocument> m_document;
};

class ReportShape : public ReportControl {
public:
    enum ShapeKind { Rectangle, RoundRect, Circle, HorLine, VertLine };
    ReportShape(ReportBand* band, QString name, const QRectF& rect, ShapeKind shape)
        : ReportControl(Shape, band, std::move(name), rect), shape(shape) {}
    ShapeKind shape;
    QColor penColor = Qt::black;
    double penWidth = px(1);
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor brush = Qt::transparent;
    double radius = 2;   // RoundRect corners
};

// A picture: stretched to the frame, fitted keeping its aspect, or at its
// own size (its resolution, 96 dots per inch when it has none), cut at the
// frame. Centred or at the top-left corner. Without a picture nothing prints.
class ReportImage : public ReportControl {
public:
    ReportImage(ReportBand* band, QString name, const QRectF& rect)
        : ReportControl(Image, band, std::move(name), rect) {}
    QImage picture;
    bool stretch = false;
    bool keepAspect = false;
    bool center = false;
    // Loads a picture (a Windows-form or host path); false, and no picture,
    // when the file cannot be read.
    bool loadFromFile(const QString& path);
};

class ReportBand {
public:
    enum Kind {
        Title, PageHeader, ColumnHeader, Detail, SubDetail, SubDetailHeader, SubDetailFooter,
        GroupHeader, GroupFooter, Child, Summary, PageFooter
    };
    ReportBand(const ReportBand&) = delete;
    ReportBand& operator=(const ReportBand&) = delete;

    Kind kind() const { return m_kind; }
    Report* report() const { return m_report; }
    // Child: the band it follows; GroupFooter: its group header;
    // SubDetailHeader/Footer: its sub-detail.
    ReportBand* owner() const { return m_owner; }
    ReportBand* child() const { return m_child; }
    ReportBand* groupFooter() const { return m_groupFooter; }

    QString name;
    double height;               // millimetres; may change between rows
    bool enabled = true;         // a disabled band prints nothing (its sub-details still run)
    bool forceNewPage = false;   // starts a new page unless the page has no rows yet
    QColor color = Qt::transparent;
    ReportFrame frame;

    // SubDetail: the rows it walks (none: it prints once per master row) and
    // the data band whose every row runs it (nullptr: the report's rows).
    ReportQuery* dataSet = nullptr;
    ReportBand* master = nullptr;
    // SubDetail: print its header and footer bands also when it has no rows.
    bool printIfEmpty = false;
    // GroupHeader: a new group starts where the value changes; `master` is the
    // data band whose rows it groups (nullptr: the report's rows).
    QString expression;

    // Before the band prints: clear `print` to leave it out for this row.
    std::function<void(ReportBand&, bool& print)> beforePrint;
    // After the band's turn, printed or not.
    std::function<void(ReportBand&, bool printed)> afterPrint;

    ReportLabel* addLabel(const QString& name, const QRectF& rect, const QString& caption = QString());
    ReportDataText* addDataText(const QString& name, const QRectF& rect, ReportQuery* dataSet, const QString& field);
    ReportExpr* addExpr(const QString& name, const QRectF& rect, const QString& expression);
    ReportSysData* addSysData(const QString& name, const QRectF& rect, ReportSysData::Data data,
                              const QString& prefix = QString());
    ReportMemo* addMemo(const QString& name, const QRectF& rect, const QStringList& lines = {});
    ReportRichText* addRichText(const QString& name, const QRectF& rect);
    ReportShape* addShape(const QString& name, const QRectF& rect, ReportShape::ShapeKind shape);
    ReportImage* addImage(const QString& name, const QRectF& rect);

    // A control of a class of its own, derived from one of the above (a
    // barcode that draws its picture is a ReportImage): constructed as
    // T(band, name, rect, args...).
    template <class T, class... Args>
    T* add(const QString& name, const QRectF& rect, Args&&... args)
    {
        auto c = std::make_unique<T>(this, name, rect, std::forward<Args>(args)...);
        T* raw = c.get();
        m_controls.push_back(std::move(c));
        return raw;
    }

    const std::vector<std::unique_ptr<ReportControl>>& controls() const { return m_controls; }
    ReportControl* control(const QString& name) const;

private:
    friend class Report;
    ReportBand(Report* report, Kind kind, QString name, double height, ReportBand* owner);

    Report* m_report;
    Kind m_kind;
    ReportBand* m_owner;
    ReportBand* m_child = nullptr;
    ReportBand* m_groupFooter = nullptr;
    std::vector<std::unique_ptr<ReportControl>> m_controls;
};

class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // The title of the preview window and of the print job.
    QString title = "Rapor Önizleme";
    ReportPageSetup page;
    // The report's rows; opened by the run when the caller has not.
    ReportQuery* dataSet = nullptr;

    // Start of every run (reset the report's own counters here).
    std::function<void(Report&)> beforePrint;
    // End of every run.
    std::function<void(Report&)> afterPrint;
    // A report without dataset: set moreData to print one more row.
    std::function<void(Report&, bool& moreData)> needData;
    // A new page begins (before its page header).
    std::function<void(Report&, int pageNumber)> startPage;
    // The preview window has closed (reports close their datasets here).
    std::function<void(Report&)> afterPreview;
    // The pages went to a printer or into a file: from the preview's print
    // and save commands, print() or saveToFile(), each time one succeeds. A
    // preview that was only looked at fires nothing.
    std::function<void(Report&)> afterOutput;
    // Date and time for DATE, TIME, NOW and the date fields; the wall clock
    // when not set.
    std::function<QDateTime()> clock;

    // Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter.
    ReportBand* addBand(ReportBand::Kind kind, const QString& name, double height);
    ReportBand* addSubDetail(const QString& name, double height, ReportQuery* dataSet, ReportBand* master = nullptr);
    ReportBand* addSubDetailHeader(ReportBand* subDetail, const QString& name, double height);
    ReportBand* addSubDetailFooter(ReportBand* subDetail, const QString& name, double height);
    ReportBand* addGroup(const QString& name, double height, const QString& expression, ReportBand* master = nullptr);
    ReportBand* addGroupFooter(ReportBand* group, const QString& name, double height);
    // A band printed right after `parent` whenever that prints.
    ReportBand* addChild(ReportBand* parent, const QString& name, double height);

    const std::vector<std::unique_ptr<ReportBand>>& bands() const { return m_bands; }
    ReportBand* band(const QString& name) const;
    ReportControl* control(const QString& name) const;
    template <class T>
    T* find(const QString& name) const { return dynamic_cast<T*>(control(name)); }

    // Clears every sum and count of the expression controls.
    void resetExpressions();

    // Lays the report out (throws DbError or ReportError) and returns the
    // pages, every one held in memory (tests and short documents).
    const ReportDocument& run();
    // The pages of the last run: those of run() and of a preview (read back
    // from its store when asked for); after print() and saveToFile() those of
    // a report of at most kKeptPages pages, nullptr for a longer one (its
    // pages went out one by one and were not kept). nullptr before the
    // first run.
    std::shared_ptr<const ReportDocument> document() const;
    static constexpr int kKeptPages = 64;
    // The number of pages of the last run (0 before the first).
    int pageCount() const { return m_lastPageCount; }
    // While a run lays pages out: the page being filled (1-based).
    int pageNumber() const { return m_pageNumber; }
    // While a run walks the report's rows: the row's number (1-based).
    int detailNumber() const { return m_detailNumber; }

    // The waiting preview: lays the report out and shows the preview window
    // modally (through ModalRunner); returns when it closes, then fires
    // afterPreview.
    void preview();
    // The modal preview; here the same as preview(): the pages are laid out
    // first and the window is modal.
    void previewModal();
    // A modeless preview: shown at once, deleted when closed (afterPreview
    // fires then).
    ReportPreview* showPreview(QWidget* parent = nullptr);

    // Asks for a printer (Dialogs::choosePrinter) and prints, laying the
    // pages out onto it; false when cancelled or when printing failed (an
    // error box says why; what was sent is withdrawn).
    bool print();
    bool print(QPrinter& printer);
    // Saves by the file's extension: .pdf (laid out straight into the file),
    // .txt, .csv, .htm or .html; false (after an error box) on failure, and
    // the file is then left as it was.
    bool saveToFile(const QString& path);

    // The error of a report whose page count changes each time it is laid
    // out with the count found before.
    static constexpr const char* kUnsettledPageCount =
        "Raporun sayfa sayısı belirlenemedi: sayfa sayısına bağlı bir ifade raporu her dizilişte başka sayıda "
        "sayfaya yayıyor ...!";

private:
    friend class ReportEngine;
    ReportBand* makeBand(ReportBand::Kind kind, const QString& name, double height, ReportBand* owner);
    // Fires afterOutput when an output succeeded; returns `done`.
    bool outputDone(bool done);
    // Lays the report out, handing every page to `sink` as it is finished,
    // and returns the number of pages. pageCountFirst: a page count shown
    // as text is known before the first page (the sink cannot take it later).
    int layOut(const std::function<void(ReportPage&&)>& sink, bool pageCountFirst);
    // The pages laid out into a store (the preview's).
    std::shared_ptr<const ReportPages> runToStore();
    // Lays the pages out straight onto a printer or PDF file; false with the
    // reason when the output failed (it is then withdrawn). Throws what the
    // layout throws, after withdrawing the output.
    bool stream(ReportPageWriter& writer, QString* why);

    std::vector<std::unique_ptr<ReportBand>> m_bands;
    mutable std::shared_ptr<const ReportDocument> m_document;
    std::shared_ptr<const ReportPages> m_pages;
    int m_lastPageCount = 0;
    std::shared_ptr<bool> m_alive;
    int m_pageNumber = 0;
    int m_detailNumber = 0;
};
