#include "platform/report/ReportOutput.h"

#include "platform/paths/DriveMap.h"
#include "platform/report/ReportFonts.h"
#include "platform/ui/Messages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <cmath>

namespace {

QPageLayout pageLayoutOf(QSizeF pageSize)
{
    const QSizeF s = pageSize.isValid() ? pageSize : QSizeF(210, 297);
    const bool landscape = s.width() > s.height();
    const QSizeF portrait(qMin(s.width(), s.height()), qMax(s.width(), s.height()));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QPen penOf(const ReportItem& i, double s)
{
    if (i.penStyle == Qt::NoPen)
        return Qt::NoPen;
    QPen pen(i.penColor);
    pen.setStyle(i.penStyle);
    pen.setWidthF(qMax(0.0, i.penWidth * s));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QBrush brushOf(const ReportItem& i)
{
    return i.brush.alpha() > 0 ? QBrush(i.brush) : QBrush(Qt::NoBrush);
}

QRectF scaled(const QRectF& r, double s)
{
    return QRectF(r.left() * s, r.top() * s, r.width() * s, r.height() * s);
}

} // namespace

void ReportOutput::paintPage(QPainter& p, const ReportPage& page, double s)
{
    const double dpi = p.device() ? p.device()->logicalDpiY() : 96.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // The painter's state is saved only around what changes more than pen,
    // brush and font (a clip, a rich text's transformation): each item sets
    // those itself, and every save and restore writes to a PDF page.
    QFont lastFont;
    QFont paintFont;
    QFontMetricsF metrics(paintFont);
    bool haveFont = false;
    for (const ReportItem& i : page.items) {
        const bool saved = !i.clip.isNull() || i.kind == ReportItem::RichText;
        if (saved) {
            p.save();
            if (!i.clip.isNull())
                p.setClipRect(scaled(i.clip, s), Qt::IntersectClip);
        }
        const QRectF r = scaled(i.rect, s);
        switch (i.kind) {
        case ReportItem::Text: {
            if (!haveFont || !(i.font == lastFont)) {
                lastFont = i.font;
                paintFont = i.font;
                paintFont.setPointSizeF(i.font.pointSizeF() * s * 25.4 / dpi);
                metrics = QFontMetricsF(paintFont, p.device());
                haveFont = true;
            }
            p.setFont(paintFont);
            p.setPen(i.color);
            if (i.alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
                p.drawText(r, int(i.alignment | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine), i.text);
            } else {
                // A line at the top left of its box: its base line lies one
                // ascent below the top (as the box's own layout puts it), and
                // drawn from there it needs no layout of its own.
                p.drawText(QPointF(r.left(), r.top() + metrics.ascent()), i.text);
            }
            break;
        }
        case ReportItem::Rect:
            p.setPen(penOf(i, s));
            p.setBrush(brushOf(i));
            p.drawRect(r);
            break;
        case ReportItem::RoundRect:
            p.setPen(penOf(i, s));
            p.setBrush(brushOf(i));
            p.drawRoundedRect(r, i.radius * s, i.radius * s);
            break;
        case ReportItem::Ellipse:
            p.setPen(penOf(i, s));
            p.setBrush(brushOf(i));
            p.drawEllipse(r);
            break;
        case ReportItem::Line:
            p.setPen(penOf(i, s));
            p.drawLine(QLineF(i.line.p1() * s, i.line.p2() * s));
            break;
        case ReportItem::Image:
            p.drawImage(r, i.image);
            break;
        case ReportItem::RichText: {
            if (!i.document)
                break;
            p.setClipRect(r, Qt::IntersectClip);
            p.translate(r.topLeft());
            const double k = s / ReportFonts::mmToRef(1.0);
            p.scale(k, k);
            const double top = ReportFonts::mmToRef(i.documentTop);
            p.translate(0, -top);
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, top, ReportFonts::mmToRef(i.rect.width()), ReportFonts::mmToRef(i.rect.height()));
            ctx.palette.setColor(QPalette::Text, Qt::black);
            i.document->documentLayout()->draw(&p, ctx);
            break;
        }
        }
        if (saved)
            p.restore();
    }
    p.restore();
}

// ---------------------------------------------------------------------------
// Export filters

namespace {

struct Cell {
    double x = 0, top = 0, bottom = 0;
    QString text;
};

double textLeft(const ReportItem& i)
{
    if (i.alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
        const double w = ReportFonts::textWidth(i.font, i.text);
        if (i.alignment & Qt::AlignRight)
            return i.rect.right() - w;
        return i.rect.center().x() - w / 2;
    }
    return i.rect.left();
}

std::vector<Cell> cellsOf(const ReportPage& page)
{
    std::vector<Cell> cells;
    for (const ReportItem& i : page.items) {
        if (i.kind == ReportItem::Text && !i.text.trimmed().isEmpty()) {
            cells.push_back({textLeft(i), i.rect.top(), i.rect.bottom(), i.text});
        } else if (i.kind == ReportItem::RichText && i.document) {
            const QTextDocument& doc = *i.document;
            for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next()) {
                const QRectF box = doc.documentLayout()->blockBoundingRect(b);
                const QTextLayout* tl = b.layout();
                for (int n = 0; tl && n < tl->lineCount(); ++n) {
                    const QTextLine line = tl->lineAt(n);
                    const double top = ReportFonts::refToMm(box.top() + line.y()) - i.documentTop;
                    const double h = ReportFonts::refToMm(line.height());
                    if (top < -0.01 || top + h > i.rect.height() + 0.01)
                        continue;   // on another page of a band cut in two
                    const QString text = b.text().mid(line.textStart(), line.textLength()).trimmed();
                    if (!text.isEmpty())
                        cells.push_back({i.rect.left() + ReportFonts::refToMm(line.x()), i.rect.top() + top,
                                         i.rect.top() + top + h, text});
                }
            }
        }
    }
    return cells;
}

// Cells that share their height make a row; rows top to bottom, cells left
// to right.
std::vector<std::vector<Cell>> rowsOf(const ReportPage& page)
{
    std::vector<Cell> cells = cellsOf(page);
    std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        if (std::fabs(a.top - b.top) > 1e-6)
            return a.top < b.top;
        return a.x < b.x;
    });
    std::vector<std::vector<Cell>> rows;
    double rowTop = 0, rowBottom = 0;
    for (const Cell& c : cells) {
        const double centre = (c.top + c.bottom) / 2;
        if (rows.empty() || centre < rowTop || centre > rowBottom) {
            rows.push_back({});
            rowTop = c.top;
            rowBottom = c.bottom;
        }
        rows.back().push_back(c);
    }
    for (auto& r : rows)
        std::stable_sort(r.begin(), r.end(), [](const Cell& a, const Cell& b) { return a.x < b.x; });
    return rows;
}

QString csvField(const QString& text)
{
    if (text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r')) {
        QString t = text;
        t.replace("\"", "\"\"");
        return "\"" + t + "\"";
    }
    return text;
}

QString mm(double v)
{
    return QString::number(v, 'f', 2) + "mm";
}

QString num(double v)
{
    return QString::number(v, 'f', 2);
}

QString cssColor(const QColor& c)
{
    if (c.alpha() == 0)
        return "none";
    if (c.alpha() < 255)
        return QString("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alphaF(), 0, 'f', 3);
    return c.name();
}

QString svgDash(Qt::PenStyle s)
{
    switch (s) {
    case Qt::DashLine:
        return " stroke-dasharray=\"2,1\"";
    case Qt::DotLine:
        return " stroke-dasharray=\"0.4,0.8\"";
    case Qt::DashDotLine:
        return " stroke-dasharray=\"2,1,0.4,1\"";
    default:
        return QString();
    }
}

QString svgStroke(const ReportItem& i)
{
    if (i.penStyle == Qt::NoPen)
        return " stroke=\"none\"";
    return QString(" stroke=\"%1\" stroke-width=\"%2\"").arg(cssColor(i.penColor), num(i.penWidth)) +
           svgDash(i.penStyle);
}

QString bodyOf(const QString& html)
{
    const int open = html.indexOf("<body");
    const int start = open >= 0 ? html.indexOf('>', open) + 1 : 0;
    const int end = html.lastIndexOf("</body>");
    return html.mid(start, end > start ? end - start : -1);
}

} // namespace

QString ReportOutput::toText(const ReportDocument& doc)
{
    return toText(ReportDocumentPages(std::shared_ptr<const ReportDocument>(&doc, [](const ReportDocument*) {})));
}

QString ReportOutput::toText(const ReportPages& pages)
{
    constexpr double kCharWidth = 2.0;
    // The leftmost text of the whole document is the first column: the
    // pages are read twice, once to find it and once to write them.
    double left = 1e9;
    const int count = pages.pageCount();
    for (int n = 0; n < count; ++n)
        for (const auto& row : rowsOf(pages.page(n)))
            for (const Cell& c : row)
                left = qMin(left, c.x);
    QString out;
    for (int n = 0; n < count; ++n) {
        if (n > 0)
            out += '\f';
        for (const auto& row : rowsOf(pages.page(n))) {
            QString line;
            for (const Cell& c : row) {
                int col = int(std::lround((c.x - left) / kCharWidth));
                if (!line.isEmpty())
                    col = qMax(col, int(line.size()) + 1);
                if (line.size() < col)
                    line += QString(col - line.size(), ' ');
                line += c.text;
            }
            out += line + '\n';
        }
    }
    return out;
}

QString ReportOutput::toCsv(const ReportDocument& doc)
{
    return toCsv(ReportDocumentPages(std::shared_ptr<const ReportDocument>(&doc, [](const ReportDocument*) {})));
}

QString ReportOutput::toCsv(const ReportPages& pages)
{
    QString out;
    for (int n = 0; n < pages.pageCount(); ++n)
        for (const auto& row : rowsOf(pages.page(n))) {
            QStringList fields;
            for (const Cell& c : row)
                fields << csvField(c.text);
            out += fields.join(',') + "\r\n";
        }
    return out;
}

QString ReportOutput::toHtml(const ReportDocument& doc)
{
    return toHtml(ReportDocumentPages(std::shared_ptr<const ReportDocument>(&doc, [](const ReportDocument*) {})));
}

QString ReportOutput::toHtml(const ReportPages& pages)
{
    QString out;
    out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + pages.title().toHtmlEscaped() +
           "</title>\n<style>\n"
           "body { background: #808080; margin: 0; }\n"
           ".page { position: relative; background: #ffffff; margin: 5mm auto; overflow: hidden; }\n"
           ".page > * { position: absolute; }\n"
           ".t { white-space: pre; overflow: visible; line-height: 1.15; }\n"
           "</style>\n</head>\n<body>\n";
    for (int n = 0; n < pages.pageCount(); ++n) {
        const ReportPage p = pages.page(n);
        const QSizeF size = p.size;
        out += QString("<div class=\"page\" style=\"width:%1;height:%2\">\n").arg(mm(size.width()), mm(size.height()));
        QString shapes;
        QString boxes;
        for (const ReportItem& i : p.items) {
            switch (i.kind) {
            case ReportItem::Text: {
                const QString align = (i.alignment & Qt::AlignRight) ? "right"
                                      : (i.alignment & Qt::AlignHCenter) ? "center"
                                                                         : "left";
                boxes += QString("<div class=\"t\" style=\"left:%1;top:%2;width:%3;height:%4;"
                                 "font-family:'%5';font-size:%6pt;font-weight:%7;font-style:%8;%9"
                                 "color:%10;text-align:%11\">%12</div>\n")
                             .arg(mm(i.rect.left()), mm(i.rect.top()), mm(i.rect.width()), mm(i.rect.height()),
                                  i.font.family(), num(i.font.pointSizeF()), i.font.bold() ? "bold" : "normal",
                                  i.font.italic() ? "italic" : "normal",
                                  i.font.underline() ? QString("text-decoration:underline;") : QString(),
                                  cssColor(i.color), align, i.text.toHtmlEscaped());
                break;
            }
            case ReportItem::Rect:
                shapes += QString("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"%6/>\n")
                              .arg(num(i.rect.left()), num(i.rect.top()), num(i.rect.width()), num(i.rect.height()),
                                   cssColor(i.brush), svgStroke(i));
                break;
            case ReportItem::RoundRect:
                shapes += QString("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"%7/>\n")
                              .arg(num(i.rect.left()), num(i.rect.top()), num(i.rect.width()), num(i.rect.height()),
                                   num(i.radius), cssColor(i.brush), svgStroke(i));
                break;
            case ReportItem::Ellipse:
                shapes += QString("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"%5\"%6/>\n")
                              .arg(num(i.rect.center().x()), num(i.rect.center().y()), num(i.rect.width() / 2),
                                   num(i.rect.height() / 2), cssColor(i.brush), svgStroke(i));
                break;
            case ReportItem::Line:
                shapes += QString("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>\n")
                              .arg(num(i.line.x1()), num(i.line.y1()), num(i.line.x2()), num(i.line.y2()),
                                   svgStroke(i));
                break;
            case ReportItem::Image: {
                QByteArray png;
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                i.image.save(&buffer, "PNG");
                boxes += QString("<img style=\"left:%1;top:%2;width:%3;height:%4\" src=\"data:image/png;base64,%5\">\n")
                             .arg(mm(i.rect.left()), mm(i.rect.top()), mm(i.rect.width()), mm(i.rect.height()),
                                  QString::fromLatin1(png.toBase64()));
                break;
            }
            case ReportItem::RichText:
                if (i.document)
                    boxes += QString("<div style=\"left:%1;top:%2;width:%3;height:%4;overflow:hidden\">"
                                     "<div style=\"margin-top:-%5\">%6</div></div>\n")
                                 .arg(mm(i.rect.left()), mm(i.rect.top()), mm(i.rect.width()), mm(i.rect.height()),
                                      mm(i.documentTop), bodyOf(i.document->toHtml()));
                break;
            }
        }
        if (!shapes.isEmpty())
            out += QString("<svg style=\"left:0;top:0;width:%1;height:%2\" viewBox=\"0 0 %3 %4\">\n")
                       .arg(mm(size.width()), mm(size.height()), num(size.width()), num(size.height())) +
                   shapes + "</svg>\n";
        out += boxes + "</div>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

ReportOutput::Format ReportOutput::formatOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "pdf")
        return Pdf;
    if (ext == "txt")
        return Text;
    if (ext == "csv")
        return Csv;
    if (ext == "htm" || ext == "html")
        return Html;
    return Unknown;
}

namespace {

// A ReportPages view of a document the caller holds.
ReportDocumentPages pagesOf(const ReportDocument& doc)
{
    return ReportDocumentPages(std::shared_ptr<const ReportDocument>(&doc, [](const ReportDocument*) {}));
}

} // namespace

// ---------------------------------------------------------------------------
// Page writer

// The pages are painted on a thread of the writer's own while the caller
// lays out the next ones: the file or printer, its painter and everything
// painted live on that thread; pages come in through a short queue and go
// back to the caller's thread to be dropped (a page may hold a rich text,
// an object of the caller's thread). A page with rich text is painted while
// the caller waits: its fonts are shared with the caller's layout.
struct ReportPageWriter::Impl {
    // Set before the thread starts.
    QString hostPath;                    // PDF
    QString title;
    QSizeF pageSize;
    QPrinter* printer = nullptr;         // printer

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::unique_ptr<ReportPage>> waiting;   // to be painted
    std::vector<std::unique_ptr<ReportPage>> painted;  // to be dropped by the caller
    enum State { Opening, Open, Done, Failed } state = Opening;
    bool finishing = false;
    bool cancelling = false;
    int added = 0;
    int pages = 0;
    QString error;
    std::thread thread;

    static constexpr size_t kWaiting = 4;

    void run();
    // Drops what was painted (on the caller's thread).
    void dropPainted(std::unique_lock<std::mutex>& lock)
    {
        std::vector<std::unique_ptr<ReportPage>> drop;
        drop.swap(painted);
        lock.unlock();
        drop.clear();
        lock.lock();
    }
    void end(bool cancel)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            (cancel ? cancelling : finishing) = true;
        }
        changed.notify_all();
        if (thread.joinable())
            thread.join();
        painted.clear();
        waiting.clear();
    }
};

void ReportPageWriter::Impl::run()
{
    std::unique_ptr<QSaveFile> file;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    QPagedPaintDevice* device = nullptr;
    auto fail = [this](const QString& why) {
        std::lock_guard<std::mutex> lock(mutex);
        state = Failed;
        if (error.isEmpty())
            error = why;
        changed.notify_all();
    };
    if (printer) {
        if (!painter.begin(printer)) {
            fail("Yazıcı açılamadı");
            return;
        }
        device = printer;
    } else {
        file = std::make_unique<QSaveFile>(hostPath);
        if (!file->open(QIODevice::WriteOnly)) {
            fail(file->errorString());
            return;
        }
        pdf = std::make_unique<QPdfWriter>(file.get());
        pdf->setTitle(title);
        pdf->setCreator("Brivex");
        pdf->setResolution(1200);
        pdf->setPageLayout(pageLayoutOf(pageSize));
        if (!painter.begin(pdf.get())) {
            pdf.reset();
            file->cancelWriting();
            fail(file->errorString());
            return;
        }
        device = pdf.get();
    }
    const double scale = (printer ? printer->resolution() : pdf->resolution()) / 25.4;
    auto withdraw = [&] {
        if (printer)
            printer->abort();
        if (painter.isActive())
            painter.end();
        if (pdf) {
            pdf.reset();
            file->cancelWriting();
        }
    };
    {
        std::lock_guard<std::mutex> lock(mutex);
        state = Open;
    }
    changed.notify_all();

    for (;;) {
        std::unique_ptr<ReportPage> page;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [this] { return cancelling || finishing || !waiting.empty(); });
            if (cancelling) {
                lock.unlock();
                withdraw();
                fail(QString());
                return;
            }
            if (waiting.empty())
                break;   // finishing, every page painted
            page = std::move(waiting.front());
            waiting.pop_front();
        }
        if (pages > 0 && !device->newPage()) {
            withdraw();
            fail("Yeni sayfa açılamadı");
            return;
        }
        ReportOutput::paintPage(painter, *page, scale);
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++pages;
            painted.push_back(std::move(page));
        }
        changed.notify_all();
    }

    const bool ended = painter.end();
    if (pdf) {
        pdf.reset();
        if (!file->commit()) {
            fail(file->errorString());
            return;
        }
    } else if (!ended || printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted) {
        fail("Yazdırma tamamlanamadı");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        state = Done;
    }
    changed.notify_all();
}

namespace {

std::unique_ptr<ReportPageWriter::Impl> startWriter(std::unique_ptr<ReportPageWriter::Impl> d, QString* error)
{
    ReportPageWriter::Impl* w = d.get();
    d->thread = std::thread([w] { w->run(); });
    std::unique_lock<std::mutex> lock(d->mutex);
    d->changed.wait(lock, [w] { return w->state != ReportPageWriter::Impl::Opening; });
    if (d->state == ReportPageWriter::Impl::Failed) {
        lock.unlock();
        d->thread.join();
        if (error)
            *error = d->error;
        return nullptr;
    }
    return d;
}

} // namespace

ReportPageWriter::ReportPageWriter(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

ReportPageWriter::~ReportPageWriter()
{
    if (d->thread.joinable())
        d->end(true);
}

std::unique_ptr<ReportPageWriter> ReportPageWriter::pdf(const QString& hostPath, const QString& title,
                                                        QSizeF pageSize, QString* error)
{
    auto d = std::make_unique<Impl>();
    d->hostPath = hostPath;
    d->title = title;
    d->pageSize = pageSize;
    d = startWriter(std::move(d), error);
    return d ? std::unique_ptr<ReportPageWriter>(new ReportPageWriter(std::move(d))) : nullptr;
}

std::unique_ptr<ReportPageWriter> ReportPageWriter::printer(QPrinter& printer, const QString& title,
                                                            QSizeF pageSize, QString* error)
{
    // A printer that prints into a PDF file (chosen in the print dialog)
    // would empty the file when it opens and leave half a document there
    // when the run fails; the file writer replaces it only when it is whole.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return pdf(printer.outputFileName(), title, pageSize, error);
    printer.setDocName(title);
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(pageSize));
    auto d = std::make_unique<Impl>();
    d->printer = &printer;
    d->title = title;
    d->pageSize = pageSize;
    d = startWriter(std::move(d), error);
    return d ? std::unique_ptr<ReportPageWriter>(new ReportPageWriter(std::move(d))) : nullptr;
}

bool ReportPageWriter::add(const ReportPage& page)
{
    return add(ReportPage(page));
}

bool ReportPageWriter::add(ReportPage&& page)
{
    if (!d->thread.joinable())
        return false;
    bool richText = false;
    for (const ReportItem& i : page.items)
        richText = richText || i.kind == ReportItem::RichText;
    std::unique_lock<std::mutex> lock(d->mutex);
    d->changed.wait(lock, [this] { return d->state != Impl::Open || d->waiting.size() < Impl::kWaiting; });
    if (d->state != Impl::Open)
        return false;
    d->waiting.push_back(std::make_unique<ReportPage>(std::move(page)));
    const int number = ++d->added;
    d->changed.notify_all();
    if (richText)
        d->changed.wait(lock, [this, number] { return d->state != Impl::Open || d->pages >= number; });
    d->dropPainted(lock);
    return d->state == Impl::Open;
}

bool ReportPageWriter::finish()
{
    if (!d->thread.joinable())
        return false;
    d->end(false);
    return d->state == Impl::Done;
}

void ReportPageWriter::cancel()
{
    if (d->thread.joinable())
        d->end(true);
}

QString ReportPageWriter::error() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->error;
}

int ReportPageWriter::pagesWritten() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->pages;
}

// ---------------------------------------------------------------------------
// Files and printers

bool ReportOutput::writePdf(const ReportDocument& doc, const QString& hostPath, QString* error)
{
    return writePdf(pagesOf(doc), hostPath, error);
}

bool ReportOutput::writePdf(const ReportPages& pages, const QString& hostPath, QString* error)
{
    auto writer = ReportPageWriter::pdf(hostPath, pages.title(), pages.pageSize(), error);
    if (!writer)
        return false;
    for (int n = 0; n < pages.pageCount(); ++n)
        if (!writer->add(pages.page(n))) {
            if (error)
                *error = writer->error();
            return false;
        }
    if (!writer->finish()) {
        if (error)
            *error = writer->error();
        return false;
    }
    return true;
}

bool ReportOutput::writeFile(const ReportDocument& doc, const QString& hostPath, QString* error)
{
    return writeFile(pagesOf(doc), hostPath, error);
}

bool ReportOutput::writeFile(const ReportPages& pages, const QString& hostPath, QString* error)
{
    const Format f = formatOf(hostPath);
    if (f == Pdf)
        return writePdf(pages, hostPath, error);
    QString content;
    switch (f) {
    case Text:
        content = toText(pages);
        break;
    case Csv:
        content = toCsv(pages);
        break;
    case Html:
        content = toHtml(pages);
        break;
    default:
        if (error)
            *error = kUnknownFormat;
        return false;
    }
    QSaveFile file(hostPath);
    const QByteArray bytes = content.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool ReportOutput::print(const ReportDocument& doc, QPrinter& printer, QString* error)
{
    return print(pagesOf(doc), printer, error);
}

bool ReportOutput::print(const ReportPages& pages, QPrinter& printer, QString* error)
{
    auto writer = ReportPageWriter::printer(printer, pages.title(), pages.pageSize(), error);
    if (!writer)
        return false;
    for (int n = 0; n < pages.pageCount(); ++n)
        if (!writer->add(pages.page(n))) {
            if (error)
                *error = writer->error();
            return false;
        }
    if (!writer->finish()) {
        if (error)
            *error = writer->error();
        return false;
    }
    return true;
}

QString ReportOutput::saveFailedText(const QString& hostPath, const QString& why)
{
    return QString(kSaveFailed) + "\n" + hostPath + (why.isEmpty() ? QString() : "\n" + why);
}

QString ReportOutput::printFailedText(const QPrinter& printer, const QString& why)
{
    const QString name =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    return QString(kPrintFailed) + "\n" + name + (why.isEmpty() ? QString() : "\n" + why);
}

bool ReportOutput::save(const ReportDocument& doc, const QString& path)
{
    return save(pagesOf(doc), path);
}

bool ReportOutput::save(const ReportPages& pages, const QString& path)
{
    const QString host = DriveMap::toHost(path);
    if (formatOf(host) == Unknown) {
        Messages::error(kUnknownFormat);
        return false;
    }
    QString why;
    if (!writeFile(pages, host, &why)) {
        Messages::error(saveFailedText(host, why));
        return false;
    }
    return true;
}

bool ReportOutput::printOn(const ReportDocument& doc, QPrinter& printer)
{
    return printOn(pagesOf(doc), printer);
}

bool ReportOutput::printOn(const ReportPages& pages, QPrinter& printer)
{
    QString why;
    if (!print(pages, printer, &why)) {
        Messages::error(printFailedText(printer, why));
        return false;
    }
    return true;
}

bool ReportOutput::withChosenPrinter(const std::function<bool(QPrinter&)>& print)
{
    const QString name = Dialogs::choosePrinter(kPrintTitle);
    if (name.isEmpty())
        return false;
    if (name.startsWith(QLatin1String("file:"))) {
        QPrinter file(QPrinter::HighResolution);
        file.setOutputFormat(QPrinter::PdfFormat);
        file.setOutputFileName(QUrl(name).toLocalFile());
        return print(file);
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        Messages::error(QString(kNoPrinter) + "\n" + name);
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return print(printer);
}

bool ReportOutput::printOnChosenPrinter(const ReportDocument& doc)
{
    return printOnChosenPrinter(pagesOf(doc));
}

bool ReportOutput::printOnChosenPrinter(const ReportPages& pages)
{
    return withChosenPrinter([&pages](QPrinter& printer) { return printOn(pages, printer); });
}

bool ReportOutput::saveAs(const ReportDocument& doc)
{
    return saveAs(pagesOf(doc));
}

bool ReportOutput::saveAs(const ReportPages& pages)
{
    QString suggestion = pages.title().trimmed();
    static const QString forbidden = "\\/:*?\"<>|";
    for (QChar& c : suggestion)
        if (forbidden.contains(c))
            c = '_';
    if (suggestion.isEmpty())
        suggestion = "Rapor";
    QString path = Dialogs::saveFile(kSaveTitle, kSaveFilter, suggestion + ".pdf");
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".pdf";
    return save(pages, path);
}
