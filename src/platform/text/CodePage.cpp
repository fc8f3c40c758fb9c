#include "platform/text/CodePage.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion descriptor for the length of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

    // Converts all of `bytes` (`expected` bytes of output reserved). Where
    // a sequence cannot be converted, `standIn` writes what stands for it
    // and returns how many input bytes it covers (at least one, at most
    // `left`); the conversion goes on after them.
    template <typename StandIn>
    QByteArray convert(QByteArray bytes, qsizetype expected, StandIn standIn)
    {
        QByteArray out;
        out.reserve(expected);
        char* src = bytes.data();
        size_t srcLeft = size_t(bytes.size());
        char buffer[2048];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, int(dst - buffer));
            if (r != size_t(-1) || errno == E2BIG)
                continue;
            const size_t skip = standIn(src, srcLeft, out);
            src += skip;
            srcLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with this byte.
int utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// Whether the code page leaves this byte undefined (iconv cannot read it).
bool undefinedByte(unsigned char b, const char* codePage)
{
    Converter conv("UTF-8", codePage);
    if (!conv.valid())
        return false;
    char in[1] = {char(b)};
    char* src = in;
    size_t srcLeft = 1;
    char buffer[8];
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    return iconv(conv.handle(), &src, &srcLeft, &dst, &dstLeft) == size_t(-1);
}

} // namespace

QByteArray CodePage::encode(const QString& text, const char* codePage, bool* lossless)
{
    if (lossless)
        *lossless = true;
    Converter conv(codePage, "UTF-8");
    if (!conv.valid()) {
        const QByteArray latin = text.toLatin1();
        if (lossless)
            *lossless = QString::fromLatin1(latin) == text;
        return latin;
    }
    const QByteArray in = text.toUtf8();
    // A character without a byte in this code page (or a broken sequence):
    // "?" for it. A control character U+0080..U+009F whose number is a byte
    // the code page leaves undefined is that byte again, as decode() read it.
    return conv.convert(in, in.size(), [lossless, codePage](const char* at, size_t left, QByteArray& out) {
        const auto lead = static_cast<unsigned char>(at[0]);
        if (left >= 2 && lead == 0xC2) {
            const auto code = static_cast<unsigned char>(at[1]);
            if (code >= 0x80 && code <= 0x9F && undefinedByte(code, codePage)) {
                out.append(char(code));
                return size_t(2);
            }
        }
        out.append('?');
        if (lossless)
            *lossless = false;
        return qMin(size_t(utf8Length(lead)), left);
    });
}

QString CodePage::decode(const QByteArray& bytes, const char* codePage)
{
    Converter conv("UTF-8", codePage);
    if (!conv.valid())
        return QString::fromLatin1(bytes);
    // A byte the code page leaves undefined: the character of the same
    // number, so that nothing is lost.
    return QString::fromUtf8(conv.convert(bytes, bytes.size() * 2, [](const char* at, size_t, QByteArray& out) {
        out.append(QString(QChar(static_cast<unsigned char>(*at))).toUtf8());
        return size_t(1);
    }));
}

int CodePage::byteOf(QChar c, const char* codePage)
{
    if (c.unicode() < 0x80)
        return c.unicode();
    bool lossless = false;
    const QByteArray b = encode(QString(c), codePage, &lossless);
    if (!lossless || b.size() != 1)
        return -1;
    return static_cast<unsigned char>(b[0]);
}

QByteArray Cp1254::encode(const QString& text, bool* lossless)
{
    return CodePage::encode(text, "CP1254", lossless);
}

QString Cp1254::decode(const QByteArray& bytes)
{
    return CodePage::decode(bytes, "CP1254");
}

bool Cp1254::writeFile(const QString& hostPath, const QString& text, QString* error)
{
    QSaveFile f(hostPath);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    f.write(encode(text));
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool Cp1254::readFile(const QString& hostPath, QString& text, QString* error)
{
    QFile f(hostPath);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    text = decode(f.readAll());
    return true;
}
