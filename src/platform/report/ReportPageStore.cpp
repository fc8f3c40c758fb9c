#include "platform/report/ReportPageStore.h"

#include "platform/report/ReportExpression.h"

#include <QDataStream>
#include <QDir>

namespace {

const char* const kStoreWriteFailed = "Rapor sayfaları geçici dosyaya yazılamadı";
const char* const kStoreReadFailed = "Rapor sayfaları geçici dosyadan okunamadı";

void writeRect(QDataStream& out, const QRectF& r)
{
    out << r.x() << r.y() << r.width() << r.height();
}

QRectF readRect(QDataStream& in)
{
    double x, y, w, h;
    in >> x >> y >> w >> h;
    return QRectF(x, y, w, h);
}

} // namespace

ReportPageStore::ReportPageStore(QString title, QSizeF pageSize, int pagesInMemory)
    : m_title(std::move(title)), m_pageSize(pageSize), m_pagesInMemory(pagesInMemory),
      m_file(QDir::tempPath() + "/brivex-rapor-XXXXXX.sayfa")
{
}

ReportPageStore::~ReportPageStore() = default;

quint32 ReportPageStore::stringIndex(const QString& s)
{
    auto it = m_stringIndex.constFind(s);
    if (it != m_stringIndex.constEnd())
        return *it;
    const quint32 i = quint32(m_strings.size());
    m_strings << s;
    m_stringIndex.insert(s, i);
    return i;
}

quint32 ReportPageStore::fontIndex(const QFont& f)
{
    const QString key = f.toString();
    auto it = m_fontIndex.constFind(key);
    if (it != m_fontIndex.constEnd())
        return *it;
    const quint32 i = quint32(m_fonts.size());
    m_fonts.push_back(f);
    m_fontIndex.insert(key, i);
    return i;
}

quint32 ReportPageStore::documentIndex(const std::shared_ptr<const QTextDocument>& d)
{
    auto it = m_documentIndex.constFind(d.get());
    if (it != m_documentIndex.constEnd())
        return *it;
    const quint32 i = quint32(m_documents.size());
    m_documents.push_back(d);
    m_documentIndex.insert(d.get(), i);
    return i;
}

qint64 ReportPageStore::writeBlock(const QByteArray& block)
{
    if (!m_file.isOpen() && !m_file.open())
        throw ReportError(QString(kStoreWriteFailed) + ": " + m_file.errorString());
    QByteArray framed;
    {
        QDataStream out(&framed, QIODevice::WriteOnly);
        out << block;
    }
    const qint64 at = m_end;
    if (!m_file.seek(at) || m_file.write(framed) != framed.size())
        throw ReportError(QString(kStoreWriteFailed) + ": " + m_file.errorString());
    m_end += framed.size();
    return at;
}

QByteArray ReportPageStore::readBlock(qint64 offset) const
{
    QByteArray block;
    if (m_file.seek(offset)) {
        QDataStream in(&m_file);
        in >> block;
        if (in.status() == QDataStream::Ok)
            return block;
    }
    throw ReportError(QString(kStoreReadFailed) + ": " + m_file.errorString());
}

// A picture goes into the file once, as its pixels stand (no encoding).
qint64 ReportPageStore::imageOffset(const QImage& image)
{
    auto it = m_imageOffsets.constFind(image.cacheKey());
    if (it != m_imageOffsets.constEnd())
        return *it;
    QByteArray block;
    {
        QDataStream out(&block, QIODevice::WriteOnly);
        out << qint32(image.format()) << qint32(image.width()) << qint32(image.height())
            << qint32(image.bytesPerLine()) << qint32(image.dotsPerMeterX()) << qint32(image.dotsPerMeterY())
            << image.colorTable();
        out.writeRawData(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
    }
    const qint64 at = writeBlock(block);
    m_imageOffsets.insert(image.cacheKey(), at);
    return at;
}

QImage ReportPageStore::readImage(qint64 offset) const
{
    const QByteArray block = readBlock(offset);
    QDataStream in(block);
    qint32 format, width, height, bytesPerLine, dpmX, dpmY;
    QList<QRgb> colors;
    in >> format >> width >> height >> bytesPerLine >> dpmX >> dpmY >> colors;
    QImage image(width, height, QImage::Format(format));
    if (image.isNull() || image.bytesPerLine() != bytesPerLine)
        throw ReportError(QString(kStoreReadFailed) + ": resim");
    if (in.readRawData(reinterpret_cast<char*>(image.bits()), int(image.sizeInBytes())) != image.sizeInBytes())
        throw ReportError(QString(kStoreReadFailed) + ": resim");
    image.setColorTable(colors);
    image.setDotsPerMeterX(dpmX);
    image.setDotsPerMeterY(dpmY);
    return image;
}

void ReportPageStore::write(QDataStream& out, const ReportItem& i)
{
    out << quint8(i.kind) << stringIndex(i.name) << stringIndex(i.band);
    writeRect(out, i.rect);
    out << quint8(i.clip.isNull() ? 0 : 1);
    if (!i.clip.isNull())
        writeRect(out, i.clip);
    switch (i.kind) {
    case ReportItem::Text:
        out << i.text << fontIndex(i.font) << i.color << qint32(i.alignment);
        break;
    case ReportItem::Line:
        out << i.line.x1() << i.line.y1() << i.line.x2() << i.line.y2();
        [[fallthrough]];
    case ReportItem::Rect:
    case ReportItem::RoundRect:
    case ReportItem::Ellipse:
        out << i.penColor << i.penWidth << qint32(i.penStyle) << i.brush << i.radius;
        break;
    case ReportItem::Image:
        out << (i.image.isNull() ? qint64(-1) : imageOffset(i.image));
        break;
    case ReportItem::RichText:
        out << (i.document ? qint32(documentIndex(i.document)) : qint32(-1)) << i.documentTop;
        break;
    }
}

ReportItem ReportPageStore::read(QDataStream& in) const
{
    ReportItem i;
    quint8 kind, clipped;
    quint32 name, band;
    in >> kind >> name >> band;
    i.kind = ReportItem::Kind(kind);
    i.name = m_strings.value(int(name));
    i.band = m_strings.value(int(band));
    i.rect = readRect(in);
    in >> clipped;
    if (clipped)
        i.clip = readRect(in);
    switch (i.kind) {
    case ReportItem::Text: {
        quint32 font;
        qint32 alignment;
        in >> i.text >> font >> i.color >> alignment;
        i.font = m_fonts.at(font);
        i.alignment = Qt::Alignment(alignment);
        break;
    }
    case ReportItem::Line: {
        double x1, y1, x2, y2;
        in >> x1 >> y1 >> x2 >> y2;
        i.line = QLineF(x1, y1, x2, y2);
        [[fallthrough]];
    }
    case ReportItem::Rect:
    case ReportItem::RoundRect:
    case ReportItem::Ellipse: {
        qint32 style;
        in >> i.penColor >> i.penWidth >> style >> i.brush >> i.radius;
        i.penStyle = Qt::PenStyle(style);
        break;
    }
    case ReportItem::Image: {
        qint64 offset;
        in >> offset;
        if (offset >= 0)
            i.image = readImage(offset);
        break;
    }
    case ReportItem::RichText: {
        qint32 document;
        in >> document >> i.documentTop;
        if (document >= 0)
            i.document = m_documents.at(size_t(document));
        break;
    }
    }
    return i;
}

void ReportPageStore::append(ReportPage&& page)
{
    if (int(m_memory.size()) < m_pagesInMemory && m_offsets.empty()) {
        m_memory.push_back(std::move(page));
        return;
    }
    QByteArray block;
    {
        QDataStream out(&block, QIODevice::WriteOnly);
        out << qint32(page.number) << page.size.width() << page.size.height() << quint32(page.items.size());
        for (const ReportItem& i : page.items)
            write(out, i);
    }
    m_offsets.push_back(writeBlock(block));
}

ReportPage ReportPageStore::page(int index) const
{
    ReportPage p;
    if (index < 0 || index >= pageCount())
        throw ReportError(QString("Rapor sayfası yok: %1").arg(index + 1));
    if (index < int(m_memory.size())) {
        p = m_memory[size_t(index)];
    } else {
        const QByteArray block = readBlock(m_offsets[size_t(index) - m_memory.size()]);
        QDataStream in(block);
        qint32 number;
        double width, height;
        quint32 count;
        in >> number >> width >> height >> count;
        p.number = number;
        p.size = QSizeF(width, height);
        p.items.reserve(count);
        for (quint32 n = 0; n < count; ++n)
            p.items.push_back(read(in));
        if (in.status() != QDataStream::Ok)
            throw ReportError(QString(kStoreReadFailed) + QString(": sayfa %1").arg(index + 1));
    }
    if (m_finished)
        fillPageCount(p, pageCount());
    return p;
}
