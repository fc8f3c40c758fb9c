#include "platform/report/Report.h"

#include "platform/paths/DriveMap.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPageStore.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/Messages.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPrinter>
#include <QTextDocument>

// ---------------------------------------------------------------------------
// Page set-up

QSizeF ReportPageSetup::size() const
{
    QSizeF s;
    switch (paper) {
    case A4:
        s = QSizeF(210, 297);
        break;
    case A5:
        s = QSizeF(148, 210);
        break;
    case Custom:
        s = customSize;
        break;
    }
    const double shortSide = qMin(s.width(), s.height());
    const double longSide = qMax(s.width(), s.height());
    if (paper != Custom)
        s = QSizeF(shortSide, longSide);
    if (orientation == Landscape)
        s = QSizeF(s.height(), s.width());
    return s;
}

// ---------------------------------------------------------------------------
// Controls

ReportExpression& ReportExpr::parsed()
{
    if (!m_isParsed || m_parsedText != expression) {
        m_parsed = ReportExpression::parse(expression);
        m_parsedText = expression;
        m_isParsed = true;
    }
    return m_parsed;
}

void ReportExpr::reset()
{
    if (m_isParsed)
        m_parsed.reset();
}

ReportRichText::ReportRichText(ReportBand* band, QString name, const QRectF& rect)
    : ReportControl(RichText, band, std::move(name), rect), m_document(std::make_unique<QTextDocument>())
{
}

ReportRichText::~ReportRichText() = default;

void ReportRichText::setHtml(const QString& html)
{
    m_document->setHtml(html);
}

void ReportRichText::setPlainText(const QString& text)
{
    m_document->setPlainText(text);
}

bool ReportImage::loadFromFile(const QString& path)
{
    picture = QImage();
    const QString host = DriveMap::toHost(path);
    if (!QFileInfo(host).isFile())
        return false;
    QImageReader reader(host);
    reader.setAutoTransform(true);
    picture = reader.read();
    return !picture.isNull();
}

// ---------------------------------------------------------------------------
// Bands

ReportBand::ReportBand(Report* report, Kind kind, QString n, double h, ReportBand* owner)
    : name(std::move(n)), height(h), m_report(report), m_kind(kind), m_owner(owner)
{
}

ReportLabel* ReportBand::addLabel(const QString& n, const QRectF& r, const QString& caption)
{
    return add<ReportLabel>(n, r, caption);
}

ReportDataText* ReportBand::addDataText(const QString& n, const QRectF& r, ReportQuery* ds, const QString& field)
{
    return add<ReportDataText>(n, r, ds, field);
}

ReportExpr* ReportBand::addExpr(const QString& n, const QRectF& r, const QString& expression)
{
    return add<ReportExpr>(n, r, expression);
}

ReportSysData* ReportBand::addSysData(const QString& n, const QRectF& r, ReportSysData::Data data,
                                      const QString& prefix)
{
    return add<ReportSysData>(n, r, data, prefix);
}

ReportMemo* ReportBand::addMemo(const QString& n, const QRectF& r, const QStringList& lines)
{
    auto* m = add<ReportMemo>(n, r);
    m->lines = lines;
    return m;
}

ReportRichText* ReportBand::addRichText(const QString& n, const QRectF& r)
{
    return add<ReportRichText>(n, r);
}

ReportShape* ReportBand::addShape(const QString& n, const QRectF& r, ReportShape::ShapeKind shape)
{
    return add<ReportShape>(n, r, shape);
}

ReportImage* ReportBand::addImage(const QString& n, const QRectF& r)
{
    return add<ReportImage>(n, r);
}

ReportControl* ReportBand::control(const QString& n) const
{
    for (const auto& c : m_controls)
        if (c->name == n)
            return c.get();
    return nullptr;
}

// ---------------------------------------------------------------------------
// Report

Report::Report() : m_alive(std::make_shared<bool>(true)) {}

Report::~Report()
{
    *m_alive = false;
}

ReportBand* Report::makeBand(ReportBand::Kind kind, const QString& n, double h, ReportBand* owner)
{
    m_bands.push_back(std::unique_ptr<ReportBand>(new ReportBand(this, kind, n, h, owner)));
    return m_bands.back().get();
}

ReportBand* Report::addBand(ReportBand::Kind kind, const QString& n, double h)
{
    switch (kind) {
    case ReportBand::Title:
    case ReportBand::PageHeader:
    case ReportBand::ColumnHeader:
    case ReportBand::Detail:
    case ReportBand::Summary:
    case ReportBand::PageFooter:
        return makeBand(kind, n, h, nullptr);
    case ReportBand::SubDetail:
        return addSubDetail(n, h, nullptr);
    default:
        throw ReportError(QString("Rapor bandı %1 kendi işleviyle eklenir").arg(n));
    }
}

ReportBand* Report::addSubDetail(const QString& n, double h, ReportQuery* ds, ReportBand* masterBand)
{
    ReportBand* b = makeBand(ReportBand::SubDetail, n, h, nullptr);
    b->dataSet = ds;
    b->master = masterBand;
    return b;
}

ReportBand* Report::addSubDetailHeader(ReportBand* subDetail, const QString& n, double h)
{
    return makeBand(ReportBand::SubDetailHeader, n, h, subDetail);
}

ReportBand* Report::addSubDetailFooter(ReportBand* subDetail, const QString& n, double h)
{
    return makeBand(ReportBand::SubDetailFooter, n, h, subDetail);
}

ReportBand* Report::addGroup(const QString& n, double h, const QString& expr, ReportBand* masterBand)
{
    ReportBand* b = makeBand(ReportBand::GroupHeader, n, h, nullptr);
    b->expression = expr;
    b->master = masterBand;
    return b;
}

ReportBand* Report::addGroupFooter(ReportBand* group, const QString& n, double h)
{
    ReportBand* b = makeBand(ReportBand::GroupFooter, n, h, group);
    group->m_groupFooter = b;
    return b;
}

ReportBand* Report::addChild(ReportBand* parent, const QString& n, double h)
{
    ReportBand* b = makeBand(ReportBand::Child, n, h, parent);
    parent->m_child = b;
    return b;
}

ReportBand* Report::band(const QString& n) const
{
    for (const auto& b : m_bands)
        if (b->name == n)
            return b.get();
    return nullptr;
}

ReportControl* Report::control(const QString& n) const
{
    for (const auto& b : m_bands)
        if (ReportControl* c = b->control(n))
            return c;
    return nullptr;
}

void Report::resetExpressions()
{
    for (const auto& b : m_bands)
        for (const auto& c : b->controls())
            if (c->kind() == ReportControl::Expr)
                static_cast<ReportExpr*>(c.get())->reset();
}

std::shared_ptr<const ReportDocument> Report::document() const
{
    if (!m_document && m_pages)
        m_document = m_pages->document();
    return m_document;
}

std::shared_ptr<const ReportPages> Report::runToStore()
{
    auto store = std::make_shared<ReportPageStore>(title, page.size());
    const int pages = layOut([&store](ReportPage&& p) { store->append(std::move(p)); }, false);
    store->finish();
    m_document.reset();
    m_pages = store;
    m_lastPageCount = pages;
    return store;
}

bool Report::stream(ReportPageWriter& writer, QString* why)
{
    // A short report's pages are kept for document(); a longer one keeps
    // none.
    auto kept = std::make_shared<ReportDocument>();
    kept->title = title;
    kept->pageSize = page.size();
    bool keeping = true;
    struct OutputFailed {};
    int pages = 0;
    try {
        pages = layOut(
            [&](ReportPage&& p) {
                if (keeping && kept->pageCount() >= kKeptPages) {
                    keeping = false;
                    kept->pages.clear();
                    kept->pages.shrink_to_fit();
                }
                if (keeping)
                    kept->pages.push_back(p);
                if (!writer.add(std::move(p)))
                    throw OutputFailed{};
            },
            true);
    } catch (const OutputFailed&) {
        writer.cancel();
        if (why)
            *why = writer.error();
        return false;
    } catch (...) {
        writer.cancel();
        throw;
    }
    if (!writer.finish()) {
        if (why)
            *why = writer.error();
        return false;
    }
    m_pages.reset();
    m_document = keeping ? kept : nullptr;
    m_lastPageCount = pages;
    return true;
}

void Report::preview()
{
    const std::shared_ptr<const ReportPages> pages = runToStore();
    {
        ReportPreview dialog(pages);
        QObject::connect(&dialog, &ReportPreview::output, [this] {
            if (afterOutput)
                afterOutput(*this);
        });
        ModalRunner::exec(&dialog);
    }
    if (afterPreview)
        afterPreview(*this);
}

void Report::previewModal()
{
    preview();
}

ReportPreview* Report::showPreview(QWidget* parent)
{
    auto* dialog = new ReportPreview(runToStore(), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    std::weak_ptr<bool> alive = m_alive;
    QObject::connect(dialog, &ReportPreview::output, dialog, [this, alive] {
        if (auto a = alive.lock(); a && *a && afterOutput)
            afterOutput(*this);
    });
    QObject::connect(dialog, &QDialog::finished, dialog, [this, alive] {
        if (auto a = alive.lock(); a && *a && afterPreview)
            afterPreview(*this);
    });
    dialog->show();
    return dialog;
}

bool Report::print()
{
    return ReportOutput::withChosenPrinter([this](QPrinter& printer) { return print(printer); });
}

bool Report::print(QPrinter& printer)
{
    QString why;
    auto writer = ReportPageWriter::printer(printer, title, page.size(), &why);
    if (!writer || !stream(*writer, &why)) {
        Messages::error(ReportOutput::printFailedText(printer, why));
        return false;
    }
    return outputDone(true);
}

bool Report::saveToFile(const QString& path)
{
    const QString host = DriveMap::toHost(path);
    switch (ReportOutput::formatOf(host)) {
    case ReportOutput::Unknown:
        Messages::error(ReportOutput::kUnknownFormat);
        return false;
    case ReportOutput::Pdf: {
        QString why;
        auto writer = ReportPageWriter::pdf(host, title, page.size(), &why);
        if (!writer || !stream(*writer, &why)) {
            Messages::error(ReportOutput::saveFailedText(host, why));
            return false;
        }
        return outputDone(true);
    }
    default:
        return outputDone(ReportOutput::save(*runToStore(), path));
    }
}

bool Report::outputDone(bool done)
{
    if (done && afterOutput)
        afterOutput(*this);
    return done;
}
