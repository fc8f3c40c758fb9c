#include "reports/barcode/ReportBarcode.h"

#include <QPainter>

#include <cmath>

namespace {

// Dots per metre of a resolution in dots per inch.
int dotsPerMeter(double dpi)
{
    return int(std::lround(dpi / 0.0254));
}

// Sets a flag for the lifetime of the guard, also when an error leaves.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

TReportBarcode::TReportBarcode(ReportBand* band, QString name, const QRectF& rect)
    : ReportImage(band, std::move(name), rect), FGenerator(std::make_unique<TBarcode>())
{
    FGenerator->setHeight(50);
    FGenerator->OnChange = [this] { Rebuild(); };
}

void TReportBarcode::FitSize()
{
    FlagGuard resizing(FResizing);
    const int w = FGenerator->RotatedWidth();
    const int h = FGenerator->RotatedHeight();
    rect.setSize(QSizeF(px(w), px(h)));
}

void TReportBarcode::Resize()
{
    if (!FResizing)
        FitSize();
}

void TReportBarcode::Rebuild()
{
    // The generator may fire Change while it builds (a ratio brought into
    // range): the picture being made already shows that.
    if (FResizing || FRebuilding)
        return;
    FlagGuard rebuilding(FRebuilding);
    picture = QImage();
    FitSize();
    const int w = int(std::lround(rect.width() / px(1)));
    const int h = int(std::lround(rect.height() / px(1)));
    if (w <= 0 || h <= 0)
        return;
    QImage image(w * kPixelsPerUnit, h * kPixelsPerUnit, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Painted at screen resolution, so that fonts keep their size in units.
    image.setDotsPerMeterX(dotsPerMeter(96));
    image.setDotsPerMeterY(dotsPerMeter(96));
    {
        QPainter p(&image);
        p.scale(kPixelsPerUnit, kPixelsPerUnit);
        FGenerator->RenderTo(p);
    }
    image.setDotsPerMeterX(dotsPerMeter(96.0 * kPixelsPerUnit));
    image.setDotsPerMeterY(dotsPerMeter(96.0 * kPixelsPerUnit));
    picture = image;
}
