#include "platform/report/ReportPageStore.h"

#include "platform/report/ReportExpression.h"

#include <QDataStream>
#include <QDir>

#include <cstring>
#include <type_traits>

namespace {

const char* const kStoreWriteFailed = "Rapor sayfaları geçici dosyaya yazılamadı";
const char* const kStoreReadFailed = "Rapor sayfaları geçici dosyadan okunamadı";

// Pages are written as their bytes stand (a page is read back on the
// same machine by the same program): numbers as they lie in memory, texts
// as UTF-16.
class Out {
public:
    explicit Out(QByteArray& bytes) : m_bytes(bytes) {}
    template <class T>
    Out& operator<<(T v)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        m_bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
        return *this;
    }
    Out& operator<<(const QString& s)
    {
        *this << quint32(s.size());
        m_bytes.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        return *this;
    }
    Out& operator<<(const QRectF& r) { return *this << r.x() << r.y() << r.width() << r.height(); }
    Out& operator<<(const QColor& c)
    {
        // A colour given as RGB (as good as all of them) in eight bytes;
        // any other kind as Qt streams it.
        if (c.isValid() && c == c.toRgb())
            return *this << quint8(1) << c.rgba64();
        QByteArray other;
        {
            QDataStream d(&other, QIODevice::WriteOnly);
            d << c;
        }
        *this << quint8(0) << quint32(other.size());
        m_bytes.append(other);
        return *this;
    }

private:
    QByteArray& m_bytes;
};

} // namespace

// Reads what Out wrote; a page cut short reads as zeros and ok() turns false.
class ReportPageReader {
public:
    explicit ReportPageReader(const QByteArray& bytes) : m_bytes(bytes) {}
    template <class T>
    ReportPageReader& operator>>(T& v)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        take(&v, sizeof v);
        return *this;
    }
    ReportPageReader& operator>>(QString& s)
    {
        quint32 n = 0;
        *this >> n;
        if (!fits(qsizetype(n) * 2))
            return *this;
        s = QString(qsizetype(n), Qt::Uninitialized);
        take(s.data(), size_t(n) * 2);
        return *this;
    }
    ReportPageReader& operator>>(QRectF& r)
    {
        double x = 0, y = 0, w = 0, h = 0;
        *this >> x >> y >> w >> h;
        r = QRectF(x, y, w, h);
        return *this;
    }
    ReportPageReader& operator>>(QColor& c)
    {
        quint8 rgb = 0;
        *this >> rgb;
        if (rgb) {
            QRgba64 v;
            *this >> v;
            c = QColor::fromRgba64(v);
            return *this;
        }
        quint32 n = 0;
        *this >> n;
        if (!fits(n))
            return *this;
        QDataStream d(m_bytes.mid(m_at, n));
        d >> c;
        m_at += n;
        return *this;
    }
    bool ok() const { return m_ok; }

private:
    bool fits(qsizetype n)
    {
        if (n < 0 || m_at + n > m_bytes.size())
            m_ok = false;
        return m_ok;
    }
    void take(void* to, size_t n)
    {
        if (!fits(qsizetype(n))) {
            std::memset(to, 0, n);
            return;
        }
        std::memcpy(to, m_bytes.constData() + m_at, n);
        m_at += qsizetype(n);
    }
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};


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
    auto it = m_fontIndex.constFind(f);
    if (it != m_fontIndex.constEnd())
        return *it;
    const quint32 i = quint32(m_fonts.size());
    m_fonts.push_back(f);
    m_fontIndex.insert(f, i);
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
    const qint64 at = m_end;
    const qint64 size = block.size();
    if (!m_file.seek(at) || m_file.write(reinterpret_cast<const char*>(&size), sizeof size) != sizeof size ||
        m_file.write(block) != size)
        throw ReportError(QString(kStoreWriteFailed) + ": " + m_file.errorString());
    m_end += qint64(sizeof size) + size;
    return at;
}

QByteArray ReportPageStore::readBlock(qint64 offset) const
{
    qint64 size = 0;
    if (m_file.seek(offset) && m_file.read(reinterpret_cast<char*>(&size), sizeof size) == sizeof size && size >= 0 &&
        offset + qint64(sizeof size) + size <= m_end) {
        QByteArray block = m_file.read(size);
        if (block.size() == size)
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

void ReportPageStore::write(QByteArray& bytes, const ReportItem& i)
{
    Out out(bytes);
    out << quint8(i.kind) << stringIndex(i.name) << stringIndex(i.band) << i.rect;
    out << quint8(i.clip.isNull() ? 0 : 1);
    if (!i.clip.isNull())
        out << i.clip;
    switch (i.kind) {
    case ReportItem::Text:
        out << i.text << fontIndex(i.font) << i.color << qint32(i.alignment.toInt());
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

ReportItem ReportPageStore::read(ReportPageReader& in) const
{
    ReportItem i;
    quint8 kind = 0, clipped = 0;
    quint32 name = 0, band = 0;
    in >> kind >> name >> band >> i.rect >> clipped;
    i.kind = ReportItem::Kind(kind);
    i.name = m_strings.value(int(name));
    i.band = m_strings.value(int(band));
    if (clipped)
        in >> i.clip;
    switch (i.kind) {
    case ReportItem::Text: {
        quint32 font = 0;
        qint32 alignment = 0;
        in >> i.text >> font >> i.color >> alignment;
        if (font < m_fonts.size())
            i.font = m_fonts[font];
        i.alignment = Qt::Alignment(alignment);
        break;
    }
    case ReportItem::Line: {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        in >> x1 >> y1 >> x2 >> y2;
        i.line = QLineF(x1, y1, x2, y2);
        [[fallthrough]];
    }
    case ReportItem::Rect:
    case ReportItem::RoundRect:
    case ReportItem::Ellipse: {
        qint32 style = 0;
        in >> i.penColor >> i.penWidth >> style >> i.brush >> i.radius;
        i.penStyle = Qt::PenStyle(style);
        break;
    }
    case ReportItem::Image: {
        qint64 offset = -1;
        in >> offset;
        if (offset >= 0)
            i.image = readImage(offset);
        break;
    }
    case ReportItem::RichText: {
        qint32 document = -1;
        in >> document >> i.documentTop;
        if (document >= 0 && size_t(document) < m_documents.size())
            i.document = m_documents[size_t(document)];
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
    block.reserve(qsizetype(page.items.size()) * 96);
    Out(block) << qint32(page.number) << page.size.width() << page.size.height() << quint32(page.items.size());
    for (const ReportItem& i : page.items)
        write(block, i);
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
        ReportPageReader in(block);
        qint32 number = 0;
        double width = 0, height = 0;
        quint32 count = 0;
        in >> number >> width >> height >> count;
        p.number = number;
        p.size = QSizeF(width, height);
        for (quint32 n = 0; n < count && in.ok(); ++n)
            p.items.push_back(read(in));
        if (!in.ok())
            throw ReportError(QString(kStoreReadFailed) + QString(": sayfa %1").arg(index + 1));
    }
    if (m_finished)
        fillPageCount(p, pageCount());
    return p;
}
