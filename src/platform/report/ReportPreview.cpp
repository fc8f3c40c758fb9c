#include "platform/report/ReportPreview.h"

#include "platform/report/ReportOutput.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 5.0;
constexpr double kZoomStep = 1.25;
constexpr int kPaperMargin = 12;   // screen pixels around the paper
}

// The paper of the shown page.
class ReportPageView : public QWidget {
public:
    explicit ReportPageView(QWidget* parent) : QWidget(parent) { setObjectName("PageView"); }

    void setPage(const ReportPage* page, double pixelsPerMm)
    {
        m_page = page;
        m_scale = pixelsPerMm;
        const QSizeF size = page ? page->size * pixelsPerMm : QSizeF(0, 0);
        setFixedSize(int(std::ceil(size.width())) + 2 * kPaperMargin, int(std::ceil(size.height())) + 2 * kPaperMargin);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        if (!m_page)
            return;
        const QRectF paper(kPaperMargin, kPaperMargin, m_page->size.width() * m_scale, m_page->size.height() * m_scale);
        p.fillRect(paper.translated(3, 3), QColor(70, 70, 70));
        p.fillRect(paper, Qt::white);
        p.translate(paper.topLeft());
        p.setClipRect(QRectF(QPointF(0, 0), paper.size()));
        ReportOutput::paintPage(p, *m_page, m_scale);
    }

private:
    const ReportPage* m_page = nullptr;
    double m_scale = 1;
};

ReportPreview::ReportPreview(std::shared_ptr<const ReportDocument> document, QWidget* parent)
    : ReportPreview(std::make_shared<ReportDocumentPages>(std::move(document)), parent)
{
}

ReportPreview::ReportPreview(std::shared_ptr<const ReportPages> pages, QWidget* parent)
    : QDialog(parent), m_pages(std::move(pages))
{
    setObjectName("ReportPreview");
    setWindowTitle(m_pages->title());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(900, 700);

    auto button = [this](const char* name, const QString& text, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    FirstPage = button("FirstPage", "|<", "İlk Sayfa");
    PriorPage = button("PriorPage", "<", "Önceki Sayfa");
    NextPage = button("NextPage", ">", "Sonraki Sayfa");
    LastPage = button("LastPage", ">|", "Son Sayfa");
    ZoomOut = button("ZoomOut", "-", "Uzaklaştır");
    ZoomIn = button("ZoomIn", "+", "Yakınlaştır");
    FitWidth = button("FitWidth", "Sayfa Genişliği", "Sayfayı pencere genişliğine sığdır");
    FitPage = button("FitPage", "Tüm Sayfa", "Sayfanın tamamını göster");
    PrintButton = button("PrintButton", "Yazdır", "Raporu yazıcıya gönder");
    SaveButton = button("SaveButton", "Kaydet", "Raporu PDF, metin, CSV ya da HTML dosyası olarak kaydet");
    CloseButton = button("CloseButton", "Kapat", "Önizlemeyi kapat");
    PageLabel = new QLabel(this);
    PageLabel->setObjectName("PageLabel");
    ZoomLabel = new QLabel(this);
    ZoomLabel->setObjectName("ZoomLabel");

    auto* bar = new QHBoxLayout;
    bar->setSpacing(4);
    for (QWidget* w : std::initializer_list<QWidget*>{FirstPage, PriorPage, PageLabel, NextPage, LastPage})
        bar->addWidget(w);
    bar->addSpacing(16);
    for (QWidget* w : std::initializer_list<QWidget*>{ZoomOut, ZoomLabel, ZoomIn, FitWidth, FitPage})
        bar->addWidget(w);
    bar->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{PrintButton, SaveButton, CloseButton})
        bar->addWidget(w);

    m_area = new QScrollArea(this);
    m_area->setObjectName("PageArea");
    m_area->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_area->setBackgroundRole(QPalette::Dark);
    m_view = new ReportPageView(m_area);
    m_area->setWidget(m_view);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_area, 1);

    connect(FirstPage, &QToolButton::clicked, this, [this] { showPage(1); });
    connect(PriorPage, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(NextPage, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(LastPage, &QToolButton::clicked, this, [this] { showPage(m_pages->pageCount()); });
    connect(ZoomIn, &QToolButton::clicked, this, [this] { setZoom(m_zoom * kZoomStep); });
    connect(ZoomOut, &QToolButton::clicked, this, [this] { setZoom(m_zoom / kZoomStep); });
    connect(FitWidth, &QToolButton::clicked, this, &ReportPreview::fitWidth);
    connect(FitPage, &QToolButton::clicked, this, &ReportPreview::fitPage);
    connect(PrintButton, &QToolButton::clicked, this, &ReportPreview::printDocument);
    connect(SaveButton, &QToolButton::clicked, this, &ReportPreview::saveDocument);
    connect(CloseButton, &QToolButton::clicked, this, &QDialog::reject);

    m_page = m_pages->pageCount() > 0 ? 1 : 0;
    if (m_page > 0)
        m_shown = m_pages->page(0);
    refresh();
}

ReportPreview::~ReportPreview() = default;

const ReportDocument& ReportPreview::document() const
{
    if (!m_document)
        m_document = m_pages->document();
    return *m_document;
}

double ReportPreview::pixelsPerMm(double zoom) const
{
    return zoom * logicalDpiX() / 25.4;
}

void ReportPreview::refresh()
{
    const int count = m_pages->pageCount();
    PageLabel->setText(QString("Sayfa %1 / %2").arg(m_page).arg(count));
    ZoomLabel->setText(QString("%%1").arg(qRound(m_zoom * 100)));
    FirstPage->setEnabled(m_page > 1);
    PriorPage->setEnabled(m_page > 1);
    NextPage->setEnabled(m_page < count);
    LastPage->setEnabled(m_page < count);
    ZoomIn->setEnabled(m_zoom < kMaxZoom - 1e-9);
    ZoomOut->setEnabled(m_zoom > kMinZoom + 1e-9);
    PrintButton->setEnabled(count > 0);
    SaveButton->setEnabled(count > 0);
    m_view->setPage(m_page > 0 ? &m_shown : nullptr, pixelsPerMm(m_zoom));
}

void ReportPreview::showPage(int number)
{
    const int count = m_pages->pageCount();
    if (count == 0)
        return;
    const int page = qBound(1, number, count);
    if (page != m_page) {
        m_shown = m_pages->page(page - 1);
        m_page = page;
    }
    refresh();
    m_area->verticalScrollBar()->setValue(0);
}

void ReportPreview::setZoom(double zoom)
{
    m_zoom = qBound(kMinZoom, zoom, kMaxZoom);
    refresh();
}

void ReportPreview::fitWidth()
{
    if (m_page == 0)
        return;
    const double width = m_area->viewport()->width() - 2 * kPaperMargin;
    const double paper = m_shown.size.width() * pixelsPerMm(1.0);
    if (width > 0 && paper > 0)
        setZoom(width / paper);
}

void ReportPreview::fitPage()
{
    if (m_page == 0)
        return;
    const QSizeF room(m_area->viewport()->width() - 2 * kPaperMargin, m_area->viewport()->height() - 2 * kPaperMargin);
    const QSizeF paper = m_shown.size * pixelsPerMm(1.0);
    if (room.width() > 0 && room.height() > 0 && paper.width() > 0 && paper.height() > 0)
        setZoom(qMin(room.width() / paper.width(), room.height() / paper.height()));
}

bool ReportPreview::printDocument()
{
    const bool done = ReportOutput::printOnChosenPrinter(*m_pages);
    if (done)
        Q_EMIT output();
    return done;
}

bool ReportPreview::saveDocument()
{
    const bool done = ReportOutput::saveAs(*m_pages);
    if (done)
        Q_EMIT output();
    return done;
}

void ReportPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        showPage(m_page - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(1);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(m_pages->pageCount());
            return;
        }
        break;
    case Qt::Key_Plus:
        setZoom(m_zoom * kZoomStep);
        return;
    case Qt::Key_Minus:
        setZoom(m_zoom / kZoomStep);
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}
