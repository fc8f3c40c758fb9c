// Lays a report out into pages: walks the rows, prints bands, breaks pages
// and columns, and turns controls into display-list items.

#include "platform/report/Report.h"
#include "platform/report/ReportFonts.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <map>
#include <set>

namespace {

constexpr double kEps = 1e-6;
// A report that runs past this many pages is taken for a runaway need-data
// handler or group loop and stopped.
constexpr int kMaxPages = 100000;

double itemTop(const ReportItem& i)
{
    return i.kind == ReportItem::Line ? qMin(i.line.y1(), i.line.y2()) : i.rect.top();
}

double itemBottom(const ReportItem& i)
{
    return i.kind == ReportItem::Line ? qMax(i.line.y1(), i.line.y2()) : i.rect.bottom();
}

// The filled rectangle behind a band or control, without an outline.
ReportItem background(const QRectF& rect, const QColor& color)
{
    ReportItem bg;
    bg.kind = ReportItem::Rect;
    bg.rect = rect;
    bg.brush = color;
    bg.penStyle = Qt::NoPen;
    return bg;
}

void translate(ReportItem& i, double dx, double dy)
{
    i.rect.translate(dx, dy);
    i.line.translate(dx, dy);
    if (!i.clip.isNull())
        i.clip.translate(dx, dy);
}

void mapDocumentFonts(QTextDocument& doc)
{
    // Faces named inside the text map onto the report faces, as the
    // controls' fonts do.
    struct Range {
        int from, length;
        QString family;
    };
    std::vector<Range> ranges;
    for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QStringList families = f.charFormat().fontFamilies().toStringList();
            if (families.isEmpty())
                continue;
            QFont design(families.first());
            ranges.push_back({f.position(), f.length(), ReportFonts::resolve(design).family()});
        }
    }
    for (const Range& r : ranges) {
        QTextCursor c(&doc);
        c.setPosition(r.from);
        c.setPosition(r.from + r.length, QTextCursor::KeepAnchor);
        QTextCharFormat fmt;
        fmt.setFontFamilies(QStringList{r.family});
        c.mergeCharFormat(fmt);
    }
}

} // namespace

class ReportEngine {
public:
    // Pages go to `sink` as they are finished (none when it is empty: a run
    // that only counts them). With the page count known (>= 0) texts and
    // expressions show it; otherwise texts carry kReportPageCountMark.
    ReportEngine(Report& report, std::function<void(ReportPage&&)> sink, int knownPageCount)
        : m_report(report), m_sink(std::move(sink)), m_knownPageCount(knownPageCount) {}

    // Lays the report out; returns the number of pages.
    int run();

private:
    enum Mode { Body, Header, Footer };

    struct Layout {
        double height = 0;
        std::vector<ReportItem> items;
        // Line boxes of text (band-relative top and bottom): a band that goes
        // on over a page break is cut between lines.
        std::vector<std::pair<double, double>> lines;
    };

    // Structure
    void prepare();
    ReportBand* levelKey(ReportBand* band) const { return band == m_detail ? nullptr : band; }
    ReportBand* rowBandOf(ReportBand* level) const { return level ? level : m_detail; }
    ReportBand* dataBandOf(ReportBand* band) const;
    bool isColumnBand(const ReportBand* band) const;
    std::vector<ReportBand*> bandsOf(ReportBand::Kind kind, const ReportBand* owner = nullptr) const;

    // Expressions
    std::vector<ReportQuery*> chainOf(ReportBand* dataBand) const;
    ReportExprContext contextOf(ReportBand* dataBand) const;
    bool lookup(const std::vector<ReportQuery*>& chain, const QString& dataset, const QString& field,
                QVariant& value) const;
    void accumulate(ReportBand* rowBand);
    void resetAfterPrint(ReportBand* band);

    // Walking the rows
    void walkLevel(ReportBand* level);
    void processRow(ReportBand* level);
    void runSubDetail(ReportBand* subDetail);
    void breakGroups(const std::vector<ReportBand*>& groups, std::vector<QString>& values, bool firstRow,
                     ReportQuery* q, int lastRow);
    void closeGroups(const std::vector<ReportBand*>& groups, ReportQuery* q, int lastRow);
    bool printBand(ReportBand* band, Mode mode = Body);

    // Pages
    void newPage();
    void finishPage(bool last);
    void nextColumn();
    double columnWidth() const;
    double columnX() const;
    double reservedFooter() const;
    // A data band's row is added to the sums over it once the band's page
    // is settled, so that a page footer's sum never counts the row that
    // moved on to the next page.
    void place(ReportBand* band, Mode mode, bool addsRow);
    // A column band when the columns fill row by row.
    void placeAcross(ReportBand* band, bool addsRow);
    double safeBreak(const Layout& layout, double room) const;
    void put(const Layout& layout, double from, double to, double x, double y, bool last);
    ReportPage& page() { return m_page; }
    // Hands the finished page on.
    void emitPage();

    // Controls
    Layout layout(ReportBand* band, double width);
    void layoutText(ReportTextControl& c, const QString& text, Layout& out, double& stretchBottom);
    void layoutRichText(ReportRichText& c, Layout& out, double& stretchBottom);
    void layoutShape(ReportShape& c, Layout& out);
    void layoutImage(ReportImage& c, Layout& out);
    void addFrame(const QRectF& rect, const ReportFrame& frame, const QString& name, const QString& band,
                  Layout& out);
    QString controlText(ReportControl& c, const ReportExprContext& ctx);

    Report& m_report;
    std::function<void(ReportPage&&)> m_sink;
    int m_knownPageCount = -1;
    QSizeF m_pageSize;
    ReportPage m_page;          // the page being filled
    int m_pageCount = 0;        // pages begun
    ReportBand* m_detail = nullptr;
    std::vector<ReportQuery*> m_allQueries;
    std::map<ReportBand*, std::vector<ReportExpr*>> m_aggregating;   // by the row band they sum over
    std::set<ReportBand*> m_showsOwnSums;   // row bands that print a sum over their own rows
    std::map<ReportBand*, ReportExpression> m_groupExpressions;

    double m_y = 0;
    double m_limit = 0;
    double m_columnTop = 0;
    double m_rowTop = 0, m_rowBottom = 0;   // the row of bands filled across the columns
    double m_maxY = 0;
    int m_column = 0;
    bool m_pageHasRows = false;
    bool m_columnHasRows = false;
    std::vector<Layout> m_footerLayouts;
};

// ---------------------------------------------------------------------------
// Structure

std::vector<ReportBand*> ReportEngine::bandsOf(ReportBand::Kind kind, const ReportBand* owner) const
{
    std::vector<ReportBand*> out;
    for (const auto& b : m_report.bands())
        if (b->kind() == kind && (!owner || b->owner() == owner))
            out.push_back(b.get());
    return out;
}

void ReportEngine::prepare()
{
    m_detail = nullptr;
    for (const auto& b : m_report.bands())
        if (b->kind() == ReportBand::Detail) {
            m_detail = b.get();
            break;
        }

    m_allQueries.clear();
    auto addQuery = [this](ReportQuery* q) {
        if (q && std::find(m_allQueries.begin(), m_allQueries.end(), q) == m_allQueries.end())
            m_allQueries.push_back(q);
    };
    addQuery(m_report.dataSet);
    for (const auto& b : m_report.bands()) {
        addQuery(b->dataSet);
        for (const auto& c : b->controls())
            if (c->kind() == ReportControl::DataText)
                addQuery(static_cast<ReportDataText*>(c.get())->dataSet);
    }

    m_aggregating.clear();
    m_showsOwnSums.clear();
    for (const auto& b : m_report.bands()) {
        for (const auto& c : b->controls()) {
            if (c->kind() != ReportControl::Expr)
                continue;
            auto* e = static_cast<ReportExpr*>(c.get());
            if (!e->parsed().hasAggregates())
                continue;
            ReportBand* master = e->master ? e->master : dataBandOf(b.get());
            m_aggregating[master].push_back(e);
            if (master == b.get())
                m_showsOwnSums.insert(master);
        }
    }

    m_groupExpressions.clear();
    for (ReportBand* g : bandsOf(ReportBand::GroupHeader))
        m_groupExpressions[g] = ReportExpression::parse(g->expression);
}

ReportBand* ReportEngine::dataBandOf(ReportBand* band) const
{
    if (!band)
        return m_detail;
    switch (band->kind()) {
    case ReportBand::Detail:
    case ReportBand::SubDetail:
        return band;
    case ReportBand::Child:
    case ReportBand::GroupFooter:
        return dataBandOf(band->owner());
    case ReportBand::GroupHeader:
        return rowBandOf(levelKey(band->master));
    case ReportBand::SubDetailHeader:
    case ReportBand::SubDetailFooter:
        return band->owner();
    default:
        return m_detail;
    }
}

bool ReportEngine::isColumnBand(const ReportBand* band) const
{
    switch (band->kind()) {
    case ReportBand::Detail:
    case ReportBand::SubDetail:
    case ReportBand::SubDetailHeader:
    case ReportBand::SubDetailFooter:
    case ReportBand::GroupHeader:
    case ReportBand::GroupFooter:
        return true;
    case ReportBand::Child:
        return isColumnBand(band->owner());
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Expressions

std::vector<ReportQuery*> ReportEngine::chainOf(ReportBand* dataBand) const
{
    std::vector<ReportQuery*> chain;
    ReportBand* d = dataBand;
    int guard = 0;
    while (d && d->kind() == ReportBand::SubDetail && guard++ < 100) {
        if (d->dataSet)
            chain.push_back(d->dataSet);
        d = levelKey(d->master);
    }
    if (m_report.dataSet)
        chain.push_back(m_report.dataSet);
    return chain;
}

bool ReportEngine::lookup(const std::vector<ReportQuery*>& chain, const QString& dataset, const QString& field,
                          QVariant& value) const
{
    if (!dataset.isEmpty()) {
        for (ReportQuery* q : m_allQueries) {
            if (q->name.compare(dataset, Qt::CaseInsensitive) != 0)
                continue;
            if (q->has(field) || q->isEmpty()) {
                value = q->value(field);
                return true;
            }
            return false;
        }
        return false;
    }
    for (ReportQuery* q : chain)
        if (q->isOpen() && q->has(field)) {
            value = q->value(field);
            return true;
        }
    for (ReportQuery* q : m_allQueries)
        if (q->isOpen() && q->has(field)) {
            value = q->value(field);
            return true;
        }
    // No dataset has rows to tell whether it has the field: it prints empty.
    for (ReportQuery* q : chain)
        if (q->isEmpty()) {
            value = QVariant();
            return true;
        }
    return false;
}

ReportExprContext ReportEngine::contextOf(ReportBand* dataBand) const
{
    ReportExprContext ctx;
    const std::vector<ReportQuery*> chain = chainOf(dataBand);
    ctx.field = [this, chain](const QString& ds, const QString& f, QVariant& v) { return lookup(chain, ds, f, v); };
    ctx.pageNumber = [this] { return m_report.pageNumber(); };
    ctx.pageCount = [this] {
        return m_knownPageCount >= 0 ? QString::number(m_knownPageCount) : QString(QChar(kReportPageCountMark));
    };
    ctx.now = [this] { return m_report.clock ? m_report.clock() : QDateTime::currentDateTime(); };
    return ctx;
}

void ReportEngine::accumulate(ReportBand* rowBand)
{
    auto it = m_aggregating.find(rowBand);
    if (it == m_aggregating.end())
        return;
    const ReportExprContext ctx = contextOf(rowBand);
    for (ReportExpr* e : it->second)
        e->parsed().accumulate(ctx);
}

void ReportEngine::resetAfterPrint(ReportBand* band)
{
    for (const auto& c : band->controls())
        if (c->kind() == ReportControl::Expr) {
            auto* e = static_cast<ReportExpr*>(c.get());
            if (e->resetAfterPrint && e->enabled)
                e->reset();
        }
}

// ---------------------------------------------------------------------------
// Walking the rows

int ReportEngine::run()
{
    ReportFonts::ensureRegistered();
    m_pageSize = m_report.page.size();
    m_pageCount = 0;
    prepare();

    m_report.m_pageNumber = 0;
    m_report.m_detailNumber = 0;
    if (m_report.beforePrint)
        m_report.beforePrint(m_report);
    m_report.resetExpressions();
    if (m_report.dataSet && !m_report.dataSet->isOpen())
        m_report.dataSet->open();

    newPage();
    for (ReportBand* t : bandsOf(ReportBand::Title))
        printBand(t, Header);
    for (ReportBand* c : bandsOf(ReportBand::ColumnHeader))
        printBand(c, Header);
    m_columnTop = m_maxY = m_y;

    walkLevel(nullptr);

    for (ReportBand* s : bandsOf(ReportBand::Summary))
        printBand(s);
    finishPage(true);
    emitPage();

    if (m_report.afterPrint)
        m_report.afterPrint(m_report);
    return m_pageCount;
}

void ReportEngine::emitPage()
{
    if (m_sink)
        m_sink(std::move(m_page));
    m_page = ReportPage();
}

void ReportEngine::walkLevel(ReportBand* level)
{
    ReportQuery* q = level ? level->dataSet : m_report.dataSet;
    std::vector<ReportBand*> groups;
    for (ReportBand* g : bandsOf(ReportBand::GroupHeader))
        if (levelKey(g->master) == level)
            groups.push_back(g);
    std::vector<QString> values;
    bool firstRow = true;

    if (q) {
        q->first();
        int last = -1;
        while (!q->eof()) {
            breakGroups(groups, values, firstRow, q, last);
            last = q->position();
            processRow(level);
            firstRow = false;
            // A handler may have moved or closed the dataset; go on from the
            // row just printed.
            if (q->isOpen() && !q->eof())
                q->next();
        }
        if (!firstRow)
            closeGroups(groups, q, last);
    } else if (!level && m_report.needData) {
        bool firstRequest = true;
        for (;;) {
            bool more = firstRequest;
            firstRequest = false;
            m_report.needData(m_report, more);
            if (!more)
                break;
            breakGroups(groups, values, firstRow, nullptr, -1);
            processRow(level);
            firstRow = false;
        }
        if (!firstRow)
            closeGroups(groups, nullptr, -1);
    } else {
        breakGroups(groups, values, true, nullptr, -1);
        processRow(level);
        closeGroups(groups, nullptr, -1);
    }
}

void ReportEngine::processRow(ReportBand* level)
{
    if (!level)
        ++m_report.m_detailNumber;
    ReportBand* rowBand = rowBandOf(level);
    if (rowBand)
        printBand(rowBand);
    else
        accumulate(nullptr);
    for (ReportBand* s : bandsOf(ReportBand::SubDetail))
        if (levelKey(s->master) == level && s != level)
            runSubDetail(s);
}

void ReportEngine::runSubDetail(ReportBand* subDetail)
{
    ReportQuery* q = subDetail->dataSet;
    if (q && (q->master || !q->isOpen()))
        q->open();
    const bool frame = !q || !q->isEmpty() || subDetail->printIfEmpty;
    if (frame) {
        const std::vector<ReportBand*> headers = bandsOf(ReportBand::SubDetailHeader, subDetail);
        // A header never stays alone at the foot of a page: when it and the
        // first row do not fit below, both start the next page.
        if (!headers.empty() && q && !q->isEmpty() && subDetail->enabled && m_report.page.columns == 1 &&
            m_pageHasRows) {
            const double width = m_report.page.printableWidth();
            double need = layout(subDetail, width).height;
            for (ReportBand* h : headers)
                if (h->enabled)
                    need += layout(h, width).height;
            if (m_y + need > m_limit + kEps)
                newPage();
        }
        for (ReportBand* h : headers)
            printBand(h);
    }
    walkLevel(subDetail);
    if (frame)
        for (ReportBand* f : bandsOf(ReportBand::SubDetailFooter, subDetail))
            printBand(f);
}

void ReportEngine::breakGroups(const std::vector<ReportBand*>& groups, std::vector<QString>& values, bool firstRow,
                               ReportQuery* q, int lastRow)
{
    if (groups.empty())
        return;
    std::vector<QString> now;
    for (ReportBand* g : groups)
        now.push_back(ReportFormat::toText(m_groupExpressions[g].evaluate(contextOf(dataBandOf(g)))));
    int changed = firstRow ? 0 : -1;
    for (size_t i = 0; changed < 0 && i < groups.size(); ++i)
        if (now[i] != values[i])
            changed = int(i);
    if (changed < 0)
        return;
    if (!firstRow) {
        if (q && lastRow >= 0)
            q->viewRow(lastRow);
        for (int i = int(groups.size()) - 1; i >= changed; --i)
            if (ReportBand* f = groups[i]->groupFooter())
                printBand(f);
        if (q)
            q->clearView();
    }
    for (size_t i = size_t(changed); i < groups.size(); ++i)
        printBand(groups[i]);
    values = now;
}

void ReportEngine::closeGroups(const std::vector<ReportBand*>& groups, ReportQuery* q, int lastRow)
{
    if (groups.empty())
        return;
    if (q && lastRow >= 0 && q->isOpen())
        q->viewRow(lastRow);
    for (int i = int(groups.size()) - 1; i >= 0; --i)
        if (ReportBand* f = groups[i]->groupFooter())
            printBand(f);
    if (q)
        q->clearView();
}

bool ReportEngine::printBand(ReportBand* band, Mode mode)
{
    if (!band->enabled)
        return false;
    bool print = true;
    if (band->beforePrint)
        band->beforePrint(*band, print);
    print = print && band->enabled;
    if (print) {
        place(band, mode, band->kind() == ReportBand::Detail || band->kind() == ReportBand::SubDetail);
        resetAfterPrint(band);
    }
    if (band->afterPrint)
        band->afterPrint(*band, print);
    if (print && band->child())
        printBand(band->child(), mode);
    return print;
}

// ---------------------------------------------------------------------------
// Pages

double ReportEngine::reservedFooter() const
{
    double h = 0;
    for (const auto& b : m_report.bands())
        if (b->kind() == ReportBand::PageFooter && b->enabled) {
            h += b->height;
            if (b->child() && b->child()->enabled)
                h += b->child()->height;
        }
    return h;
}

double ReportEngine::columnWidth() const
{
    const ReportPageSetup& p = m_report.page;
    const int n = qMax(1, p.columns);
    return (p.printableWidth() - (n - 1) * p.columnSpace) / n;
}

double ReportEngine::columnX() const
{
    const ReportPageSetup& p = m_report.page;
    return p.leftMargin + m_column * (columnWidth() + p.columnSpace);
}

void ReportEngine::newPage()
{
    if (m_pageCount > 0) {
        finishPage(false);
        emitPage();
    }
    if (m_pageCount >= kMaxPages)
        throw ReportError(QString("Rapor %1 sayfayı aştı; sayfa üretimi durduruldu ...!").arg(kMaxPages));
    ReportPage p;
    p.number = ++m_pageCount;
    p.size = m_pageSize;
    m_page = std::move(p);
    m_report.m_pageNumber = page().number;

    const ReportPageSetup& setup = m_report.page;
    m_y = setup.topMargin;
    m_maxY = m_y;
    m_column = 0;
    m_pageHasRows = m_columnHasRows = false;
    m_limit = m_pageSize.height() - setup.bottomMargin - reservedFooter();

    if (m_report.startPage)
        m_report.startPage(m_report, page().number);
    if (page().number > 1 || setup.firstPageHeader)
        for (ReportBand* h : bandsOf(ReportBand::PageHeader))
            printBand(h, Header);
    if (page().number > 1)
        for (ReportBand* c : bandsOf(ReportBand::ColumnHeader))
            printBand(c, Header);
    m_columnTop = m_maxY = m_y;
}

void ReportEngine::finishPage(bool last)
{
    if (last && !m_report.page.lastPageFooter)
        return;
    m_footerLayouts.clear();
    for (ReportBand* f : bandsOf(ReportBand::PageFooter))
        printBand(f, Footer);
    double total = 0;
    for (const Layout& l : m_footerLayouts)
        total += l.height;
    const ReportPageSetup& setup = m_report.page;
    double y = m_pageSize.height() - setup.bottomMargin - total;
    for (const Layout& l : m_footerLayouts) {
        put(l, 0, l.height, setup.leftMargin, y, true);
        y += l.height;
    }
    m_footerLayouts.clear();
}

void ReportEngine::nextColumn()
{
    ++m_column;
    m_y = m_columnTop;
    m_columnHasRows = false;
}

void ReportEngine::place(ReportBand* band, Mode mode, bool addsRow)
{
    const ReportPageSetup& setup = m_report.page;
    if (mode != Body && addsRow)
        accumulate(band);
    if (mode == Footer) {
        m_footerLayouts.push_back(layout(band, setup.printableWidth()));
        return;
    }
    if (mode == Header) {
        const Layout l = layout(band, setup.printableWidth());
        put(l, 0, l.height, setup.leftMargin, m_y, true);
        m_y += l.height;
        m_maxY = qMax(m_maxY, m_y);
        return;
    }

    const bool inColumns = isColumnBand(band) && setup.columns > 1;
    if (inColumns && setup.columnsAcross) {
        placeAcross(band, addsRow);
        return;
    }
    if (!inColumns && m_column > 0) {
        // A full-width band after the columns goes below the longest one.
        m_y = qMax(m_y, m_maxY);
        m_column = 0;
    }
    if (band->forceNewPage && m_pageHasRows)
        newPage();
    const double width = inColumns ? columnWidth() : setup.printableWidth();
    Layout l = layout(band, width);
    if (m_y + l.height > m_limit + kEps && m_columnHasRows) {
        if (inColumns && m_column + 1 < setup.columns)
            nextColumn();
        else
            newPage();
        l = layout(band, width);   // the page number may show in it
    }
    if (addsRow) {
        accumulate(band);
        if (m_showsOwnSums.count(band))
            l = layout(band, width);   // a running total shows this row too
    }

    double from = 0;
    while (m_y + (l.height - from) > m_limit + kEps) {
        const double room = m_limit - m_y;
        double cut = room > kEps ? safeBreak(l, from + room) : from;
        if (cut <= from + kEps) {
            if (m_columnHasRows) {
                if (inColumns && m_column + 1 < setup.columns)
                    nextColumn();
                else
                    newPage();
                continue;
            }
            if (room <= kEps)
                break;   // not even an empty page has room: print it as it is
            cut = from + room;   // no line boundary fits: cut where the page ends
        }
        const double x = inColumns ? columnX() : setup.leftMargin;
        put(l, from, cut, x, m_y, false);
        from = cut;
        m_pageHasRows = m_columnHasRows = true;
        if (inColumns && m_column + 1 < setup.columns)
            nextColumn();
        else
            newPage();
    }
    const double x = inColumns ? columnX() : setup.leftMargin;
    put(l, from, l.height, x, m_y, true);
    m_y += l.height - from;
    m_maxY = qMax(m_maxY, m_y);
    m_pageHasRows = m_columnHasRows = true;
}

void ReportEngine::placeAcross(ReportBand* band, bool addsRow)
{
    const ReportPageSetup& setup = m_report.page;
    if (band->forceNewPage && m_pageHasRows)
        newPage();
    if (m_column == 0)
        m_rowTop = m_rowBottom = m_y;
    const double width = columnWidth();
    Layout l = layout(band, width);
    // A band that does not fit below the row above starts the next page; it
    // is never split (a label goes whole onto its sheet).
    if (m_rowTop + l.height > m_limit + kEps && m_pageHasRows) {
        newPage();
        m_rowTop = m_rowBottom = m_y;
        l = layout(band, width);
    }
    if (addsRow) {
        accumulate(band);
        if (m_showsOwnSums.count(band))
            l = layout(band, width);
    }
    put(l, 0, l.height, columnX(), m_rowTop, true);
    m_rowBottom = qMax(m_rowBottom, m_rowTop + l.height);
    m_maxY = qMax(m_maxY, m_rowBottom);
    m_pageHasRows = m_columnHasRows = true;
    if (m_column + 1 < setup.columns) {
        ++m_column;
        m_y = m_rowTop;
    } else {
        m_column = 0;
        m_y = m_rowBottom;
    }
}

double ReportEngine::safeBreak(const Layout& l, double cut) const
{
    bool changed = true;
    for (int guard = 0; changed && guard < 10000; ++guard) {
        changed = false;
        for (const auto& [top, bottom] : l.lines)
            if (top < cut - kEps && bottom > cut + kEps) {
                cut = top;
                changed = true;
            }
    }
    return cut;
}

void ReportEngine::put(const Layout& l, double from, double to, double x, double y, bool last)
{
    // Items are cut at the band's bottom edge (and at a page break inside
    // the band); a control placed above the band's top prints there, over
    // the band before it.
    if (!m_sink)
        return;   // only counting pages: nothing is kept
    const double pageWidth = m_pageSize.width();
    const double areaTop = from > kEps ? y : -1e4;
    const double areaBottom = y + (to - from);
    const QRectF area(-pageWidth, areaTop, 3 * pageWidth, areaBottom - areaTop);
    for (const ReportItem& src : l.items) {
        const double t = itemTop(src), b = itemBottom(src);
        const bool startsBefore = from > kEps && t < from - kEps;
        if (startsBefore && b <= from + kEps)
            continue;   // drawn with an earlier part
        if (last ? (t > to + kEps || (t >= to - kEps && b > t + kEps)) : t >= to - kEps)
            continue;   // below the band, or a later part
        ReportItem i = src;
        translate(i, x, y - from);
        if (startsBefore || b > to + kEps) {
            if (i.kind == ReportItem::RichText) {
                const double top = qMax(t, from), bottom = qMin(b, to);
                i.documentTop = src.documentTop + (top - t);
                i.rect = QRectF(src.rect.left() + x, y + (top - from), src.rect.width(), bottom - top);
            } else {
                i.clip = i.clip.isNull() ? area : i.clip.intersected(area);
            }
        }
        page().items.push_back(std::move(i));
    }
}

// ---------------------------------------------------------------------------
// Controls

QString ReportEngine::controlText(ReportControl& c, const ReportExprContext& ctx)
{
    switch (c.kind()) {
    case ReportControl::Label:
        return static_cast<ReportLabel&>(c).caption;
    case ReportControl::Memo:
        return static_cast<ReportMemo&>(c).lines.join('\n');
    case ReportControl::DataText: {
        auto& d = static_cast<ReportDataText&>(c);
        QVariant v;
        if (d.dataSet) {
            if (!d.dataSet->isEmpty() && !d.dataSet->has(d.field))
                throw ReportError(QString("Rapor alanı bulunamadı: %1.%2 (%3)").arg(d.dataSet->name, d.field, d.name));
            v = d.dataSet->value(d.field);
        } else if (!ctx.field(QString(), d.field, v)) {
            throw ReportError(QString("Rapor alanı bulunamadı: %1 (%2)").arg(d.field, d.name));
        }
        if (!d.mask.isEmpty() && !v.isNull() && v.isValid()) {
            bool ok = false;
            const double n = v.toString().replace(',', '.').toDouble(&ok);
            if (ok)
                return ReportFormat::formatFloat(d.mask, n);
        }
        return ReportFormat::toText(v);
    }
    case ReportControl::Expr: {
        auto& e = static_cast<ReportExpr&>(c);
        const QVariant v = e.parsed().evaluate(ctx);
        if (!e.mask.isEmpty() && v.typeId() != QMetaType::QString)
            return ReportFormat::formatFloat(e.mask, v.toDouble());
        return ReportFormat::toText(v);
    }
    case ReportControl::SysData: {
        auto& s = static_cast<ReportSysData&>(c);
        const QDateTime now = ctx.now();
        QString value;
        switch (s.data) {
        case ReportSysData::PageNumber:
            value = QString::number(m_report.pageNumber());
            break;
        case ReportSysData::PageCount:
            value = ctx.pageCount();
            break;
        case ReportSysData::PageNumberOfTotal:
            value = QString::number(m_report.pageNumber()) + " / " + ctx.pageCount();
            break;
        case ReportSysData::Date:
            value = now.date().toString("dd.MM.yyyy");
            break;
        case ReportSysData::Time:
            value = now.time().toString("HH:mm:ss");
            break;
        case ReportSysData::DateTime:
            value = now.toString("dd.MM.yyyy HH:mm:ss");
            break;
        case ReportSysData::ReportTitle:
            value = m_report.title;
            break;
        case ReportSysData::DetailNo:
            value = QString::number(m_report.detailNumber());
            break;
        }
        return s.prefix + value;
    }
    default:
        return QString();
    }
}

ReportEngine::Layout ReportEngine::layout(ReportBand* band, double width)
{
    Layout out;
    const ReportExprContext ctx = contextOf(dataBandOf(band));
    double stretchBottom = band->height;
    for (const auto& cp : band->controls()) {
        ReportControl& c = *cp;
        if (!c.enabled)
            continue;
        const size_t first = out.items.size();
        switch (c.kind()) {
        case ReportControl::RichText:
            layoutRichText(static_cast<ReportRichText&>(c), out, stretchBottom);
            break;
        case ReportControl::Shape:
            layoutShape(static_cast<ReportShape&>(c), out);
            break;
        case ReportControl::Image:
            layoutImage(static_cast<ReportImage&>(c), out);
            break;
        default:
            layoutText(static_cast<ReportTextControl&>(c), controlText(c, ctx), out, stretchBottom);
            break;
        }
        for (size_t i = first; i < out.items.size(); ++i) {
            out.items[i].name = c.name;
            out.items[i].band = band->name;
        }
    }
    out.height = qMax(band->height, stretchBottom);

    std::vector<ReportItem> frame;
    if (band->color.alpha() > 0) {
        ReportItem bg = background(QRectF(0, 0, width, out.height), band->color);
        bg.name = bg.band = band->name;
        out.items.insert(out.items.begin(), bg);
    }
    if (band->frame.any()) {
        Layout lines;
        addFrame(QRectF(0, 0, width, out.height), band->frame, band->name, band->name, lines);
        for (ReportItem& i : lines.items)
            out.items.push_back(std::move(i));
    }
    return out;
}

void ReportEngine::addFrame(const QRectF& r, const ReportFrame& f, const QString& name, const QString& band,
                            Layout& out)
{
    auto edge = [&](QPointF a, QPointF b) {
        ReportItem i;
        i.kind = ReportItem::Line;
        i.name = name;
        i.band = band;
        i.line = QLineF(a, b);
        i.rect = QRectF(a, b).normalized();
        i.penColor = f.color;
        i.penWidth = f.width;
        i.penStyle = f.style;
        out.items.push_back(std::move(i));
    };
    if (f.top)
        edge(r.topLeft(), r.topRight());
    if (f.bottom)
        edge(r.bottomLeft(), r.bottomRight());
    if (f.left)
        edge(r.topLeft(), r.bottomLeft());
    if (f.right)
        edge(r.topRight(), r.bottomRight());
}

void ReportEngine::layoutText(ReportTextControl& c, const QString& text, Layout& out, double& stretchBottom)
{
    const QFont font = ReportFonts::resolve(c.font);
    const double lh = ReportFonts::lineHeight(font);
    QStringList lines;
    if (!text.isEmpty()) {
        static const QRegularExpression breaks("\r\n|\r|\n");
        lines = c.wordWrap ? ReportFonts::wrap(font, text, c.rect.width()) : text.split(breaks);
    }
    QRectF r = c.rect;
    if (c.autoSize && !c.wordWrap && !lines.isEmpty()) {
        double w = 0;
        for (const QString& l : lines)
            w = qMax(w, ReportFonts::textWidth(font, l));
        if (c.alignment & Qt::AlignRight)
            r.setLeft(r.right() - w);
        else if (c.alignment & Qt::AlignHCenter)
            r = QRectF(r.center().x() - w / 2, r.top(), w, r.height());
        else
            r.setWidth(w);
    }
    const double content = lines.size() * lh;
    if (c.autoStretch && content > r.height()) {
        r.setHeight(content);
        stretchBottom = qMax(stretchBottom, r.bottom());
    }
    int shown = int(lines.size());
    if (!c.autoStretch)
        shown = qMin(shown, qMax(1, int((r.height() + kEps) / lh)));
    double offset = 0;
    const double used = shown * lh;
    if (c.alignment & Qt::AlignVCenter)
        offset = (r.height() - used) / 2;
    else if (c.alignment & Qt::AlignBottom)
        offset = r.height() - used;

    if (c.background.alpha() > 0)
        out.items.push_back(background(r, c.background));
    Qt::Alignment h = c.alignment & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
    if (!h)
        h = Qt::AlignLeft;
    for (int i = 0; i < shown; ++i) {
        ReportItem t;
        t.kind = ReportItem::Text;
        t.rect = QRectF(r.left(), r.top() + offset + i * lh, r.width(), lh);
        t.text = lines[i];
        t.font = font;
        t.color = c.color;
        t.alignment = h;
        if (!c.wordWrap && !c.autoSize && !ReportFonts::fitsWidth(font, t.text, r.width() + kEps))
            t.clip = r;   // a fixed box: what does not fit is cut off
        out.lines.emplace_back(t.rect.top(), t.rect.bottom());
        out.items.push_back(std::move(t));
    }
    if (c.frame.any())
        addFrame(r, c.frame, c.name, QString(), out);
}

void ReportEngine::layoutRichText(ReportRichText& c, Layout& out, double& stretchBottom)
{
    std::shared_ptr<QTextDocument> doc(c.document()->clone());
    doc->documentLayout()->setPaintDevice(ReportFonts::referenceDevice());
    doc->setDocumentMargin(0);
    doc->setDefaultFont(ReportFonts::resolve(c.font));
    mapDocumentFonts(*doc);
    doc->setTextWidth(ReportFonts::mmToRef(c.rect.width()));
    const double height = ReportFonts::refToMm(doc->size().height());

    QRectF r = c.rect;
    if (c.autoStretch && height > r.height()) {
        r.setHeight(height);
        stretchBottom = qMax(stretchBottom, r.bottom());
    }
    if (c.background.alpha() > 0)
        out.items.push_back(background(r, c.background));
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next()) {
        const QRectF box = layout->blockBoundingRect(b);
        QTextLayout* tl = b.layout();
        if (!tl)
            continue;
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            const double top = r.top() + ReportFonts::refToMm(box.top() + line.y());
            out.lines.emplace_back(top, top + ReportFonts::refToMm(line.height()));
        }
    }
    ReportItem item;
    item.kind = ReportItem::RichText;
    item.rect = r;
    item.document = doc;
    item.documentTop = 0;
    if (!c.autoStretch && height > r.height())
        item.clip = r;
    out.items.push_back(std::move(item));
    if (c.frame.any())
        addFrame(r, c.frame, c.name, QString(), out);
}

void ReportEngine::layoutShape(ReportShape& c, Layout& out)
{
    ReportItem i;
    i.penColor = c.penColor;
    i.penWidth = c.penWidth;
    i.penStyle = c.penStyle;
    i.brush = c.brush;
    i.rect = c.rect;
    switch (c.shape) {
    case ReportShape::Rectangle:
        i.kind = ReportItem::Rect;
        break;
    case ReportShape::RoundRect:
        i.kind = ReportItem::RoundRect;
        i.radius = c.radius;
        break;
    case ReportShape::Circle:
        i.kind = ReportItem::Ellipse;
        break;
    case ReportShape::HorLine:
        i.kind = ReportItem::Line;
        i.line = QLineF(c.rect.left(), c.rect.center().y(), c.rect.right(), c.rect.center().y());
        i.rect = QRectF(i.line.p1(), i.line.p2()).normalized();
        break;
    case ReportShape::VertLine:
        i.kind = ReportItem::Line;
        i.line = QLineF(c.rect.center().x(), c.rect.top(), c.rect.center().x(), c.rect.bottom());
        i.rect = QRectF(i.line.p1(), i.line.p2()).normalized();
        break;
    }
    out.items.push_back(std::move(i));
    if (c.frame.any())
        addFrame(c.rect, c.frame, c.name, QString(), out);
}

void ReportEngine::layoutImage(ReportImage& c, Layout& out)
{
    if (c.background.alpha() > 0)
        out.items.push_back(background(c.rect, c.background));
    if (!c.picture.isNull()) {
        const QRectF frame = c.rect;
        QSizeF natural;
        // Pictures store their resolution per metre, rounded; a whole number
        // of dots per inch is what they were made with.
        auto mmPerDot = [](int dotsPerMeter) {
            if (dotsPerMeter <= 0)
                return 25.4 / 96.0;
            const double dpi = dotsPerMeter * 0.0254;
            return std::fabs(dpi - std::round(dpi)) < 0.05 ? 25.4 / std::round(dpi) : 1000.0 / dotsPerMeter;
        };
        natural = QSizeF(c.picture.width() * mmPerDot(c.picture.dotsPerMeterX()),
                         c.picture.height() * mmPerDot(c.picture.dotsPerMeterY()));
        QSizeF size = natural;
        if (c.stretch && !c.keepAspect)
            size = frame.size();
        else if (c.stretch || c.keepAspect)
            size = natural.scaled(frame.size(), Qt::KeepAspectRatio);
        QPointF at = frame.topLeft();
        if (c.center)
            at = QPointF(frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2);
        ReportItem i;
        i.kind = ReportItem::Image;
        i.rect = QRectF(at, size);
        i.image = c.picture;
        if (!frame.contains(i.rect.adjusted(kEps, kEps, -kEps, -kEps)))
            i.clip = frame;
        out.items.push_back(std::move(i));
    }
    if (c.frame.any())
        addFrame(c.rect, c.frame, c.name, QString(), out);
}

// ---------------------------------------------------------------------------

namespace {

// Whether a report shows its page count: as text ("n / total", a page count
// field) or as a value an expression works with (PAGECOUNT).
struct PageCountUse {
    bool text = false;
    bool value = false;
};

PageCountUse pageCountUse(const Report& r)
{
    PageCountUse use;
    for (const auto& b : r.bands()) {
        if (b->kind() == ReportBand::GroupHeader && ReportExpression::parse(b->expression).usesPageCount())
            use.value = true;
        for (const auto& c : b->controls()) {
            if (c->kind() == ReportControl::SysData) {
                const auto data = static_cast<const ReportSysData&>(*c).data;
                if (data == ReportSysData::PageCount || data == ReportSysData::PageNumberOfTotal)
                    use.text = true;
            } else if (c->kind() == ReportControl::Expr) {
                if (static_cast<ReportExpr&>(*c).parsed().usesPageCount())
                    use.value = true;
            }
        }
    }
    return use;
}

} // namespace

int Report::layOut(const std::function<void(ReportPage&&)>& sink, bool pageCountFirst)
{
    struct PageNumberReset {
        int& n;
        ~PageNumberReset() { n = 0; }
    } reset{m_pageNumber};
    const PageCountUse use = pageCountUse(*this);
    int known = -1;
    if (use.value || (pageCountFirst && use.text)) {
        // Counting runs, which keep nothing: first with the count unknown,
        // then, where expressions work with it, again with the count found
        // until the layout no longer changes with it.
        known = ReportEngine(*this, {}, -1).run();
        for (int tries = 0; use.value; ++tries) {
            const int again = ReportEngine(*this, {}, known).run();
            if (again == known)
                break;
            if (tries == 2)
                throw ReportError(kUnsettledPageCount);
            known = again;
        }
    }
    const int pages = ReportEngine(*this, sink, known).run();
    if (known >= 0 && pages != known)
        throw ReportError(kUnsettledPageCount);
    return pages;
}

const ReportDocument& Report::run()
{
    auto doc = std::make_shared<ReportDocument>();
    doc->title = title;
    doc->pageSize = page.size();
    const int pages = layOut([&doc](ReportPage&& p) { doc->pages.push_back(std::move(p)); }, false);
    for (ReportPage& p : doc->pages)
        fillPageCount(p, pages);
    m_pages.reset();
    m_document = doc;
    m_lastPageCount = pages;
    return *m_document;
}
