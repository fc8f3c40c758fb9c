#include "platform/report/ReportQuery.h"

#include <QDataStream>
#include <QIODevice>

#include <cstring>

namespace {

// How a value is packed: a tag, then what the tag needs.
enum Tag : quint8 {
    Invalid,        // QVariant()
    NullOf,         // a null value of a type: the type's id follows
    LongLong,       // 8 bytes
    Real,           // 8 bytes
    Utf8,           // a text: its length in bytes, then UTF-8
    EmptyText,      // "" (not a null text)
    NullText,       // a null QString in a value that is not null
    Int,            // 4 bytes
    Streamed,       // anything else: its length, then the value as QDataStream writes it
    Utf16,          // a text that is no valid UTF-16: its length in units, then the units
    Bytes,          // a QByteArray: its length, then the bytes
};

// Rows go into blocks of this size (a longer row gets a block of its own).
constexpr qsizetype kBlockSize = 1 << 20;

void putLength(QByteArray& out, quint64 n)
{
    while (n >= 0x80) {
        out.append(char(quint8(n) | 0x80));
        n >>= 7;
    }
    out.append(char(n));
}

quint64 getLength(const char* p, quint32& at)
{
    quint64 n = 0;
    int shift = 0;
    for (;;) {
        const quint8 b = quint8(p[at++]);
        n |= quint64(b & 0x7F) << shift;
        if (!(b & 0x80))
            return n;
        shift += 7;
    }
}

template <class T>
void putRaw(QByteArray& out, T v)
{
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

template <class T>
T getRaw(const char* p, quint32& at)
{
    T v;
    std::memcpy(&v, p + at, sizeof v);
    at += sizeof v;
    return v;
}

void pack(QByteArray& out, const QVariant& v)
{
    if (!v.isValid()) {
        out.append(char(Invalid));
        return;
    }
    if (v.isNull()) {
        out.append(char(NullOf));
        putRaw<qint32>(out, v.typeId());
        return;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong:
        out.append(char(LongLong));
        putRaw<qint64>(out, v.toLongLong());
        return;
    case QMetaType::Double:
        out.append(char(Real));
        putRaw<double>(out, v.toDouble());
        return;
    case QMetaType::Int:
        out.append(char(Int));
        putRaw<qint32>(out, v.toInt());
        return;
    case QMetaType::QString: {
        const QString& s = *static_cast<const QString*>(v.constData());
        if (s.isNull()) {
            out.append(char(NullText));
        } else if (s.isEmpty()) {
            out.append(char(EmptyText));
        } else if (QStringView(s).isValidUtf16()) {
            const QByteArray utf8 = s.toUtf8();
            out.append(char(Utf8));
            putLength(out, quint64(utf8.size()));
            out.append(utf8);
        } else {
            out.append(char(Utf16));
            putLength(out, quint64(s.size()));
            out.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        }
        return;
    }
    case QMetaType::QByteArray: {
        const QByteArray& b = *static_cast<const QByteArray*>(v.constData());
        out.append(char(Bytes));
        putLength(out, quint64(b.size()));
        out.append(b);
        return;
    }
    default: {
        QByteArray streamed;
        {
            QDataStream s(&streamed, QIODevice::WriteOnly);
            s << v;
        }
        out.append(char(Streamed));
        putLength(out, quint64(streamed.size()));
        out.append(streamed);
        return;
    }
    }
}

// A column of the database's row packed as its value would be, without
// making the value first.
void packColumn(QByteArray& out, const Database::RawRow& row, int c)
{
    if (!row.fromEngine()) {
        pack(out, row.value(c));
        return;
    }
    switch (row.type(c)) {
    case Database::RawRow::Integer:
        out.append(char(LongLong));
        putRaw<qint64>(out, row.integer(c));
        return;
    case Database::RawRow::Real:
        out.append(char(Real));
        putRaw<double>(out, row.real(c));
        return;
    case Database::RawRow::Null:
        out.append(char(NullOf));
        putRaw<qint32>(out, QMetaType::QString);
        return;
    case Database::RawRow::Blob: {
        const QByteArrayView b = row.bytes(c);
        out.append(char(Bytes));
        putLength(out, quint64(b.size()));
        out.append(b.data(), b.size());
        return;
    }
    case Database::RawRow::Text: {
        const QByteArrayView t = row.bytes(c);
        if (t.isEmpty()) {
            out.append(char(EmptyText));
            return;
        }
        out.append(char(Utf8));
        putLength(out, quint64(t.size()));
        out.append(t.data(), t.size());
        return;
    }
    }
}

// Moves `at` past the value there.
void skip(const char* p, quint32& at)
{
    switch (Tag(quint8(p[at++]))) {
    case Invalid:
    case EmptyText:
    case NullText:
        return;
    case NullOf:
    case Int:
        at += 4;
        return;
    case LongLong:
    case Real:
        at += 8;
        return;
    case Utf16:
        at += quint32(getLength(p, at) * 2);
        return;
    case Utf8:
    case Streamed:
    case Bytes:
        at += quint32(getLength(p, at));
        return;
    }
}

QVariant unpack(const char* p, quint32 at)
{
    switch (Tag(quint8(p[at++]))) {
    case Invalid:
        return QVariant();
    case NullOf:
        return QVariant(QMetaType(getRaw<qint32>(p, at)));
    case LongLong:
        return QVariant(qlonglong(getRaw<qint64>(p, at)));
    case Real:
        return QVariant(getRaw<double>(p, at));
    case Int:
        return QVariant(getRaw<qint32>(p, at));
    case EmptyText:
        return QVariant(QString::fromLatin1("", 0));
    case NullText:
        return QVariant(QString());
    case Utf8: {
        const qsizetype n = qsizetype(getLength(p, at));
        return QVariant(QString::fromUtf8(p + at, n));
    }
    case Utf16: {
        const qsizetype n = qsizetype(getLength(p, at));
        QString s(n, Qt::Uninitialized);
        std::memcpy(s.data(), p + at, size_t(n) * 2);
        return QVariant(s);
    }
    case Bytes: {
        const qsizetype n = qsizetype(getLength(p, at));
        return QVariant(QByteArray(p + at, n));
    }
    case Streamed: {
        const qsizetype n = qsizetype(getLength(p, at));
        QDataStream s(QByteArray::fromRawData(p + at, n));
        QVariant v;
        s >> v;
        return v;
    }
    }
    return QVariant();
}

} // namespace

ReportQuery::ReportQuery(QString n) : name(std::move(n)) {}

void ReportQuery::clearRows()
{
    m_names.clear();
    m_columns.clear();
    m_blocks.clear();
    m_rowAt.clear();
    m_located = -1;
    m_cellAt.clear();
    m_record = Record();
    m_recordRow = -1;
}

void ReportQuery::addRow(const QVariantList& values)
{
    QByteArray row;
    for (const QVariant& v : values)
        pack(row, v);
    addPacked(row);
}

void ReportQuery::addPacked(const QByteArray& row)
{
    if (m_blocks.empty() || m_blocks.back().size() + row.size() > m_blocks.back().capacity()) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(qMax(kBlockSize, row.size()));
    }
    QByteArray& block = m_blocks.back();
    m_rowAt.emplace_back(quint32(m_blocks.size() - 1), quint32(block.size()));
    block.append(row);
}

void ReportQuery::open()
{
    if (!database)
        throw DbError(QString("Rapor veri kümesi %1 bir veritabanına bağlı değil").arg(name));
    QVariantMap bound;
    if (master && !master->eof()) {
        // The master's current row supplies the parameters the query does not
        // set itself, field by field.
        const Record& r = master->record();
        for (int i = 0; i < r.fieldNames().size(); ++i)
            bound.insert(r.fieldNames().at(i), r.value(i));
    }
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        bound.insert(it.key(), it.value());
    // Read row by row into packed rows (the result is never held as Records
    // whole); the rows of before stay until the new ones are all read.
    ReportQuery fresh;
    QByteArray row;
    database->forEachRawRow(sql, bound, [&fresh, &row](const QStringList& names, const Database::RawRow& raw) {
        if (fresh.m_names.isEmpty())
            fresh.m_names = names;
        row.clear();
        for (int c = 0; c < raw.count(); ++c)
            packColumn(row, raw, c);
        fresh.addPacked(row);
    });
    clearRows();
    m_names = std::move(fresh.m_names);
    m_blocks = std::move(fresh.m_blocks);
    m_rowAt = std::move(fresh.m_rowAt);
    m_pos = 0;
    m_view = -1;
    m_open = true;
    if (afterScroll)
        afterScroll(*this);
}

void ReportQuery::openRows(const Records& rows)
{
    clearRows();
    if (!rows.isEmpty())
        m_names = rows.first().fieldNames();
    for (const Record& r : rows) {
        if (r.fieldNames() == m_names) {
            addRow(r.values());
            continue;
        }
        // Rows given by the program share the first row's fields.
        QVariantList aligned;
        for (const QString& n : std::as_const(m_names))
            aligned << (r.has(n) ? r.value(n) : QVariant());
        addRow(aligned);
    }
    m_pos = 0;
    m_view = -1;
    m_open = true;
    if (afterScroll)
        afterScroll(*this);
}

void ReportQuery::close()
{
    clearRows();
    m_pos = 0;
    m_view = -1;
    m_open = false;
}

void ReportQuery::first()
{
    if (!m_open)
        return;
    if (beforeScroll)
        beforeScroll(*this);
    m_pos = 0;
    if (afterScroll)
        afterScroll(*this);
}

void ReportQuery::next()
{
    if (!m_open || eof())
        return;
    if (beforeScroll)
        beforeScroll(*this);
    ++m_pos;
    if (afterScroll)
        afterScroll(*this);
}

void ReportQuery::locate(int row) const
{
    if (m_located == row)
        return;
    const auto [block, offset] = m_rowAt[size_t(row)];
    const char* p = m_blocks[block].constData();
    m_cellAt.resize(size_t(m_names.size()));
    quint32 at = offset;
    for (size_t c = 0; c < m_cellAt.size(); ++c) {
        m_cellAt[c] = at;
        skip(p, at);
    }
    m_located = row;
}

QVariant ReportQuery::cell(int row, int c) const
{
    locate(row);
    return unpack(m_blocks[m_rowAt[size_t(row)].first].constData(), m_cellAt[size_t(c)]);
}

int ReportQuery::column(const QString& field) const
{
    auto it = m_columns.constFind(field);
    if (it != m_columns.constEnd())
        return *it;
    int found = -1;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(field, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    m_columns.insert(field, found);
    return found;
}

const Record& ReportQuery::record() const
{
    static const Record empty;
    const int i = current();
    if (!m_open || i < 0 || i >= recordCount())
        return empty;
    if (m_recordRow != i) {
        QVariantList values;
        values.reserve(m_names.size());
        for (int c = 0; c < m_names.size(); ++c)
            values << cell(i, c);
        m_record = Record(m_names, values);
        m_recordRow = i;
    }
    return m_record;
}

QString ReportQuery::calculatedKey(const QString& field) const
{
    return field.toUpper();
}

bool ReportQuery::has(const QString& field) const
{
    if (!m_calculated.empty() && m_calculated.count(calculatedKey(field)))
        return true;
    return !m_rowAt.empty() && column(field) >= 0;
}

QVariant ReportQuery::value(const QString& field) const
{
    const int i = current();
    if (!m_open || i < 0 || i >= recordCount())
        return QVariant();   // the end of the data
    if (!m_calculated.empty()) {
        auto it = m_calculated.find(calculatedKey(field));
        if (it != m_calculated.end())
            return it->second(*this);
    }
    const int c = column(field);
    if (c < 0)
        throw DbError(QString("Alan bulunamadı: %1").arg(field));
    return cell(i, c);
}

QVariant ReportQuery::stored(const QString& field) const
{
    const int i = current();
    if (!m_open || i < 0 || i >= recordCount())
        return QVariant();
    const int c = column(field);
    return c < 0 ? QVariant() : cell(i, c);
}

QString ReportQuery::str(const QString& field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

double ReportQuery::toDouble(const QString& field) const
{
    return value(field).toDouble();
}

int ReportQuery::toInt(const QString& field) const
{
    return value(field).toInt();
}

void ReportQuery::addCalculated(const QString& field, Calculated compute)
{
    m_calculated[calculatedKey(field)] = std::move(compute);
}
