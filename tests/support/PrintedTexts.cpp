#include "support/PrintedTexts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QProcess>

QStringList clippedTexts(const ReportDocument& document)
{
    // Measured at a fine resolution, in millimetres.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(47244);
    device.setDotsPerMeterY(47244);
    const double mmPerDot = 1000.0 / 47244;
    QStringList clipped;
    for (const ReportPage& page : document.pages)
        for (const ReportItem& item : page.items) {
            if (item.kind != ReportItem::Text || item.text.trimmed().isEmpty())
                continue;
            const QFontMetricsF metrics(item.font, &device);
            const double width = metrics.horizontalAdvance(item.text) * mmPerDot;
            const double height = (metrics.ascent() + metrics.descent()) * mmPerDot;
            if (width > item.rect.width() + 0.1 || height > item.rect.height() + 0.1)
                clipped << item.text;
        }
    return clipped;
}

QString pdftotext(const QString& pdf, const QStringList& options)
{
    QProcess p;
    p.start("pdftotext", QStringList(options) << pdf << "-");
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return "<pdftotext failed>";
    return QString::fromUtf8(p.readAllStandardOutput());
}
