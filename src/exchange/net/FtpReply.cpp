#include "exchange/net/FtpReply.h"

#include <QStringList>

#include <limits>

namespace FtpReply {

int skipBlanks(const QString& text, int pos)
{
    while (pos < text.size()) {
        const QChar c = text.at(pos);
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            break;
        ++pos;
    }
    return pos;
}

namespace {
template <typename T>
int ftpReplyParseNumber(const QString& text, int pos, T& value, bool* ok)
{
    value = 0;
    bool good = false;
    pos = skipBlanks(text, pos);
    bool negative = false;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-')) {
        negative = text.at(pos) == u'-';
        ++pos;
    }
    // Accumulated as a negative number so that the lowest value fits too.
    T acc = 0;
    bool overflow = false;
    while (pos < text.size() && text.at(pos) >= u'0' && text.at(pos) <= u'9') {
        const T digit = T(text.at(pos).unicode() - u'0');
        if (acc < (std::numeric_limits<T>::min() + digit) / 10)
            overflow = true;
        else
            acc = acc * 10 - digit;
        good = true;
        ++pos;
    }
    if (overflow || (!negative && acc == std::numeric_limits<T>::min()))
        good = false;
    else
        value = negative ? acc : T(-acc);
    if (!good)
        value = 0;
    if (ok)
        *ok = good;
    return pos;
}
} // namespace

int getInteger(const QString& text, int pos, int& value, bool* ok)
{
    return ftpReplyParseNumber<int>(text, pos, value, ok);
}

int getInt64(const QString& text, int pos, int64_t& value, bool* ok)
{
    return ftpReplyParseNumber<int64_t>(text, pos, value, ok);
}

int getQuotedString(const QString& text, int pos, QString& value)
{
    value.clear();
    pos = skipBlanks(text, pos);
    if (pos >= text.size() || text.at(pos) != u'"')
        return pos;
    ++pos;
    while (pos < text.size()) {
        if (text.at(pos) == u'"') {
            if (pos + 1 < text.size() && text.at(pos + 1) == u'"') {
                value += u'"';
                pos += 2;
                continue;
            }
            return pos + 1;
        }
        value += text.at(pos++);
    }
    return pos;
}

int getNextWord(const QString& text, int pos, QString& value)
{
    value.clear();
    pos = skipBlanks(text, pos);
    while (pos < text.size() && text.at(pos) != u' ')
        value += text.at(pos++);
    return pos;
}

bool parsePassiveAddress(const QString& reply, QString& host, quint16& port)
{
    host.clear();
    port = 0;
    const int open = reply.indexOf(u'(');
    if (open < 0)
        return false;
    QString rest = reply.mid(open + 1);
    const int close = rest.indexOf(u')');
    if (close >= 0)
        rest.truncate(close);
    const QStringList fields = rest.split(u',');
    if (fields.size() != 6)
        return false;
    int n[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        n[i] = fields[i].trimmed().toInt(&ok);
        if (!ok || n[i] < 0 || n[i] > 255)
            return false;
    }
    host = QStringLiteral("%1.%2.%3.%4").arg(n[0]).arg(n[1]).arg(n[2]).arg(n[3]);
    port = quint16(n[4] * 256 + n[5]);
    return true;
}

int leadingCode(const QString& line)
{
    if (line.isEmpty() || line.at(0) < u'0' || line.at(0) > u'9')
        return -1;
    int code = 0;
    bool ok = false;
    getInteger(line, 0, code, &ok);
    return ok ? code : -1;
}

} // namespace FtpReply

int FtpReplyBuffer::append(const char* data, int length)
{
    const int take = qMax(0, qMin(length, space()));
    m_data.append(data, take);
    return take;
}

FtpReplyBuffer::Take FtpReplyBuffer::takeLine(QByteArray& line, bool acceptLF)
{
    line.clear();
    qsizetype end = -1;
    int endLength = 0;
    if (acceptLF) {
        end = m_data.indexOf('\n');
        endLength = 1;
    } else {
        end = m_data.indexOf("\r\n");
        endLength = 2;
    }
    if (end < 0) {
        if (m_data.size() < Capacity)
            return Take::None;
        // Full without a line end: the line is cut here and reported, so
        // that neither a stall nor a busy loop follows.
        line = m_data;
        m_data.clear();
        return Take::Overlong;
    }
    line = m_data.left(end);
    m_data.remove(0, end + endLength);
    while (!line.isEmpty() && (line.endsWith('\r') || line.endsWith('\n')))
        line.chop(1);
    return Take::Line;
}

FtpReplyReader::Line FtpReplyReader::feed(const QString& line)
{
    Line result;
    const bool threeDigits = line.size() >= 3 && line.at(0).isDigit() && line.at(1).isDigit()
        && line.at(2).isDigit() && line.at(0).unicode() < 128 && line.at(1).unicode() < 128
        && line.at(2).unicode() < 128;
    const int code = threeDigits ? line.left(3).toInt() : -1;
    const QChar after = line.size() > 3 ? line.at(3) : QChar();
    if (m_multiCode >= 0) {
        result.code = m_multiCode;
        if (code == m_multiCode && (after == u' ' || after == u'\t')) {
            result.kind = Kind::Final;
            m_multiCode = -1;
        } else {
            result.kind = Kind::Continuation;
        }
        return result;
    }
    if (!threeDigits || (line.size() > 3 && after.isDigit()))
        return result; // not a reply line
    result.code = code;
    if (after == u'-') {
        m_multiCode = code;
        result.kind = Kind::Continuation;
    } else {
        result.kind = Kind::Final;
    }
    return result;
}
