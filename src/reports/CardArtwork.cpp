#include "reports/CardArtwork.h"

#include "platform/paths/DriveMap.h"
#include "platform/text/CodePage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <utility>

namespace {

QSize pixels(const QSizeF& mm)
{
    return QSize(qRound(mm.width() * CardArtwork::kPixelsPerMm), qRound(mm.height() * CardArtwork::kPixelsPerMm));
}

QImage blank(const QSizeF& mm)
{
    QImage image(pixels(mm), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int dpm = qRound(CardArtwork::kPixelsPerMm * 1000);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    return image;
}

QImage readFile(const QString& windowsPath)
{
    const QString host = DriveMap::toHost(windowsPath);
    if (!QFileInfo(host).isFile())
        return QImage();
    QImageReader reader(host);
    reader.setAutoTransform(true);
    return reader.read();
}

QPointF star(const QPointF& centre, double outer, double inner, int i)
{
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 == 0 ? outer : inner;
    return centre + QPointF(r * std::cos(a), r * std::sin(a));
}

QPainterPath starPath(const QPointF& centre, double outer)
{
    QPainterPath path;
    path.moveTo(star(centre, outer, outer * 0.42, 0));
    for (int i = 1; i < 10; ++i)
        path.lineTo(star(centre, outer, outer * 0.42, i));
    path.closeSubpath();
    return path;
}

// Fine wavy lines over a field, as on printed security paper.
void guilloche(QPainter& p, const QRectF& area, const QColor& tone)
{
    QColor line = tone;
    line.setAlpha(38);
    p.setPen(QPen(line, 1.2));
    p.setBrush(Qt::NoBrush);
    const double step = area.height() / 18.0;
    for (int k = 0; k < 18; ++k) {
        QPainterPath path;
        const double base = area.top() + k * step + step / 2;
        for (double x = area.left(); x <= area.right(); x += 4) {
            const double y = base + std::sin((x + k * 37) / 55.0) * step * 0.8 +
                             std::sin((x - k * 11) / 23.0) * step * 0.25;
            if (x == area.left())
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.drawPath(path);
    }
}

} // namespace

QString CardArtwork::leftLogoFile()
{
    return "C:\\CO\\MusLogo.bmp";
}

QString CardArtwork::rightLogoFile()
{
    return "C:\\CO\\KartLogo.bmp";
}

QString CardArtwork::signatureFile()
{
    return "C:\\CO\\Imza.bmp";
}

QString CardArtwork::presidentFile()
{
    return "C:\\CO\\Baskan.txt";
}

QString CardArtwork::presidentName()
{
    QString text;
    if (!Cp1254::readFile(DriveMap::toHost(presidentFile()), text))
        return QString();
    return text.section('\n', 0, 0).remove('\r').trimmed();
}

QImage CardArtwork::cardBackground(const QSizeF& size, const QColor& tone, const QRectF& titleBand)
{
    return cardSide(cardField(size, tone), tone, titleBand);
}

QImage CardArtwork::cardField(const QSizeF& size, const QColor& tone)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, image.width(), image.height());
    QLinearGradient field(all.topLeft(), all.bottomRight());
    field.setColorAt(0, QColor(252, 252, 250));
    field.setColorAt(1, tone.lighter(185));
    p.fillRect(all, field);
    guilloche(p, all, tone);
    return image;
}

QImage CardArtwork::cardSide(QImage field, const QColor& tone, const QRectF& titleBand)
{
    QImage image = std::move(field);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double k = kPixelsPerMm;
    const QRectF all(0, 0, image.width(), image.height());

    if (!titleBand.isEmpty()) {
        const QRectF band(titleBand.left() * k, titleBand.top() * k, titleBand.width() * k, titleBand.height() * k);
        QLinearGradient g(band.topLeft(), band.topRight());
        g.setColorAt(0, tone.darker(135));
        g.setColorAt(0.5, tone);
        g.setColorAt(1, tone.darker(135));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(band, 0.8 * k, 0.8 * k);
    }
    p.setPen(QPen(tone.darker(120), 0.35 * k));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(all.adjusted(0.4 * k, 0.4 * k, -0.4 * k, -0.4 * k), 2.5 * k, 2.5 * k);
    return image;
}

QImage CardArtwork::accreditationBackground(const QSizeF& size, const QRectF& roleBand)
{
    const QColor tone(33, 160, 203);
    QImage image = cardBackground(size, tone, QRectF());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double k = kPixelsPerMm;
    // The role band runs from the left edge and ends in a point.
    QPainterPath band;
    const QRectF r(roleBand.left() * k, roleBand.top() * k, roleBand.width() * k, roleBand.height() * k);
    band.moveTo(r.topLeft());
    band.lineTo(r.right(), r.top());
    band.lineTo(r.right() + r.height() / 2, r.center().y());
    band.lineTo(r.right(), r.bottom());
    band.lineTo(r.bottomLeft());
    band.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(216, 118, 20));
    p.drawPath(band);
    // A white panel under the photo, rows and barcode keeps them readable.
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawRoundedRect(QRectF(1.0 * k, 28.0 * k, size.width() * k - 2.0 * k, size.height() * k - 29.0 * k), 1.5 * k,
                      1.5 * k);
    return image;
}

QImage CardArtwork::emblem(const QColor& tone)
{
    QImage image = blank(QSizeF(10.6, 10.6));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(image.rect()).adjusted(2, 2, -2, -2);
    p.setPen(QPen(tone.darker(140), image.width() * 0.06));
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    p.setPen(QPen(tone, image.width() * 0.025));
    p.drawEllipse(r.adjusted(r.width() * 0.12, r.height() * 0.12, -r.width() * 0.12, -r.height() * 0.12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 16, 46));
    p.drawPath(starPath(r.center(), r.width() * 0.28));
    return image;
}

QImage CardArtwork::visaStamp()
{
    QImage image = blank(QSizeF(7.9, 7.9));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor red(190, 20, 30, 220);
    const QRectF r = QRectF(image.rect()).adjusted(2, 2, -2, -2);
    p.setPen(QPen(red, image.width() * 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r);
    p.setPen(QPen(red, image.width() * 0.03));
    p.drawEllipse(r.adjusted(r.width() * 0.13, r.height() * 0.13, -r.width() * 0.13, -r.height() * 0.13));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(starPath(QPointF(r.center().x(), r.top() + r.height() * 0.3), r.width() * 0.12));
    QFont f("DejaVu Sans", 8, QFont::Bold);
    f.setPixelSize(qMax(8, int(r.height() * 0.22)));
    p.setFont(f);
    p.setPen(red);
    p.drawText(QRectF(r.left(), r.center().y() - r.height() * 0.1, r.width(), r.height() * 0.3), Qt::AlignCenter,
               QString::fromUtf8("VİZE"));
    return image;
}

QImage CardArtwork::leftLogo()
{
    const QImage file = readFile(leftLogoFile());
    return file.isNull() ? emblem(QColor(0, 56, 130)) : file;
}

QImage CardArtwork::rightLogo()
{
    const QImage file = readFile(rightLogoFile());
    return file.isNull() ? emblem(QColor(200, 16, 46)) : file;
}

QImage CardArtwork::signature()
{
    const QImage file = readFile(signatureFile());
    if (!file.isNull())
        return file;
    // The place to sign: a dotted line near the bottom.
    QImage image = blank(QSizeF(27.5, 8.7));
    QPainter p(&image);
    p.setPen(QPen(QColor(90, 90, 90), 2, Qt::DotLine));
    const double y = image.height() * 0.85;
    p.drawLine(QPointF(image.width() * 0.1, y), QPointF(image.width() * 0.9, y));
    return image;
}
