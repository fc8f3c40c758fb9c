#include "app/kit/Logo.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

QImage brivexLogo(const QSize& size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal d = qMin(w, h) * 0.92;
    const QRectF ring((w - d) / 2, (h - d) / 2, d, d);
    // A red ring with a navy centre and the white initial.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 16, 46));
    p.drawEllipse(ring);
    p.setBrush(QColor(0, 32, 96));
    p.drawEllipse(ring.adjusted(d * 0.08, d * 0.08, -d * 0.08, -d * 0.08));
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(int(d * 0.5));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(ring, Qt::AlignCenter, "B");
    QFont small("DejaVu Sans");
    small.setBold(true);
    small.setPixelSize(qMax(6, int(d * 0.09)));
    p.setFont(small);
    p.drawText(ring.adjusted(0, d * 0.62, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "BRIVEX");
    return img;
}
