#include "platform/db/SqlFunctions.h"

#include "platform/text/Turkish.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString argText(sqlite3_value* v)
{
    const unsigned char* t = sqlite3_value_text(v);
    if (!t)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(t), sqlite3_value_bytes(v));
}

bool isNull(sqlite3_value* v)
{
    return sqlite3_value_type(v) == SQLITE_NULL;
}

// A number that fits a 64-bit integer after rounding (no undefined
// conversion of a huge, infinite or missing value).
bool fitsInt64(double d)
{
    return std::isfinite(d) && d > -9.2e18 && d < 9.2e18;
}

// An integer argument held within [low, high] (a count or a position).
qint64 intArg(sqlite3_value* v, qint64 low, qint64 high)
{
    return std::clamp<qint64>(sqlite3_value_int64(v), low, high);
}

void overflow(sqlite3_context* ctx, const char* function)
{
    const QByteArray text = QByteArray(function) + ": sayı sınırların dışında (taşma)";
    sqlite3_result_error(ctx, text.constData(), int(text.size()));
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// A date out of whatever a column holds: ISO text, "dd.mm.yyyy" or a number
// of days as Jet counts them (from 30 December 1899).
QDateTime toDateTime(sqlite3_value* v)
{
    if (isNull(v))
        return QDateTime();
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        const double d = sqlite3_value_double(v);
        // Days as Jet counts them reach from year 100 to 9999.
        if (!std::isfinite(d) || d < -657434.0 || d > 2958466.0)
            return QDateTime();
        const QDate base(1899, 12, 30);
        const qint64 days = qint64(std::floor(d));
        const int secs = int(std::round((d - double(days)) * 86400.0));
        return QDateTime(base.addDays(days), QTime(0, 0).addSecs(secs));
    }
    const QString s = argText(v).trimmed();
    QDateTime dt = QDateTime::fromString(s.left(19), "yyyy-MM-dd HH:mm:ss");
    if (dt.isValid())
        return dt;
    QDate d = QDate::fromString(s.left(10), "yyyy-MM-dd");
    if (d.isValid())
        return QDateTime(d, QTime(0, 0));
    d = QDate::fromString(s.left(10), "dd.MM.yyyy");
    if (d.isValid())
        return QDateTime(d, QTime(0, 0));
    dt = QDateTime::fromString(s, "dd.MM.yyyy HH:mm:ss");
    return dt;
}

int collateTurkish(void*, int lenA, const void* a, int lenB, const void* b)
{
    return Turkish::compareUtf8(static_cast<const char*>(a), lenA, static_cast<const char*>(b), lenB);
}

// A LIKE pattern made ready once for every row it is matched against:
// upper-cased the Turkish way and cut into tokens.
struct LikePattern {
    enum Kind { Literal, One, Any };
    struct Token {
        Kind kind;
        char16_t unit;       // Literal: the upper-case unit it stands for
        bool allPercent;     // the token is written as "%" characters only
    };
    QChar escape;
    QByteArray escapeBytes;   // the escape argument as it was given
    std::vector<Token> tokens;

    LikePattern(const QString& pattern, QChar esc) : escape(esc)
    {
        const QString p = Turkish::upper(pattern);
        const QChar e = esc.isNull() ? QChar() : Turkish::upper(QString(esc)).at(0);
        for (qsizetype i = 0; i < p.size();) {
            const QChar c = p[i];
            if (!esc.isNull() && c == e && i + 1 < p.size()) {
                tokens.push_back({Literal, p[i + 1].unicode(), c == '%' && p[i + 1] == '%'});
                i += 2;
            } else if (c == '[' && i + 2 < p.size() && p[i + 2] == ']') {
                // Jet's "[%]": the one character in brackets stands for itself.
                tokens.push_back({Literal, p[i + 1].unicode(), false});
                i += 3;
            } else if (c == '%') {
                tokens.push_back({Any, 0, true});
                ++i;
            } else if (c == '_') {
                tokens.push_back({One, 0, false});
                ++i;
            } else {
                tokens.push_back({Literal, c.unicode(), false});
                ++i;
            }
        }
    }

    // Matches upper-cased text: wildcard matching with backtracking to the
    // last "%".
    bool matches(const char16_t* t, qsizetype n) const
    {
        const size_t count = tokens.size();
        size_t pi = 0;
        qsizetype ti = 0, starT = 0;
        std::ptrdiff_t starP = -1;
        while (ti < n) {
            if (pi < count) {
                const Token& k = tokens[pi];
                if (k.kind == Any) {
                    starP = std::ptrdiff_t(pi++);
                    starT = ti;
                    continue;
                }
                if (k.kind == One || k.unit == t[ti]) {
                    ++pi;
                    ++ti;
                    continue;
                }
            }
            if (starP >= 0) {
                pi = size_t(starP) + 1;
                ti = ++starT;
                continue;
            }
            return false;
        }
        while (pi < count && tokens[pi].allPercent)
            ++pi;
        return pi == count;
    }

    bool matches(const QString& text) const
    {
        const QString t = Turkish::upper(text);
        return matches(reinterpret_cast<const char16_t*>(t.utf16()), t.size());
    }
};

// Upper-cases UTF-8 text unit by unit into `out`; false when a character
// needs Turkish::upper on the whole text (or the text is not plain UTF-8).
bool upperUtf8(const unsigned char* s, int n, std::vector<char16_t>& out)
{
    out.clear();
    for (int i = 0; i < n;) {
        const unsigned char c = s[i];
        char16_t u;
        if (c < 0x80) {
            u = c;
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
            u = char16_t(((c & 0x1F) << 6) | (s[i + 1] & 0x3F));
            if (u < 0x80)
                return false;   // an overlong form: the decoder's business
            i += 2;
        } else {
            return false;
        }
        const char16_t up = Turkish::upperUnit(u);
        if (!up)
            return false;
        out.push_back(up);
    }
    return true;
}

void deleteLikePattern(void* p)
{
    delete static_cast<LikePattern*>(p);
}

// like(pattern, text[, escape]): the pattern is made ready once per
// statement (SQLite keeps it while the pattern argument stays the same).
void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    // The escape character as the statement gives it, read as text only
    // when the pattern is made ready.
    QByteArrayView escapeBytes;
    if (argc == 3 && !isNull(argv[2]))
        escapeBytes = QByteArrayView(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])),
                                     sqlite3_value_bytes(argv[2]));
    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern || pattern->escapeBytes != escapeBytes) {
        QChar escape;
        if (argc == 3) {
            const QString e = argText(argv[2]);
            if (e.size() == 1)
                escape = e[0];
        }
        pattern = new LikePattern(argText(argv[0]), escape);
        pattern->escapeBytes = escapeBytes.toByteArray();
        sqlite3_set_auxdata(ctx, 0, pattern, deleteLikePattern);
        // SQLite may have freed it already when the argument is not constant.
        pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) {
            const LikePattern once(argText(argv[0]), escape);
            sqlite3_result_int(ctx, once.matches(argText(argv[1])) ? 1 : 0);
            return;
        }
    }
    thread_local std::vector<char16_t> text;
    const auto* t = sqlite3_value_text(argv[1]);
    const int n = sqlite3_value_bytes(argv[1]);
    const bool match = upperUtf8(t, n, text) ? pattern->matches(text.data(), qsizetype(text.size()))
                                             : pattern->matches(argText(argv[1]));
    sqlite3_result_int(ctx, match ? 1 : 0);
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (!isNull(argv[0]))
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_int(ctx, 0);
}

// Jet's IIf without the third argument gives Null when the condition fails.
void fnIIf2(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (!isNull(argv[0]) && sqlite3_value_double(argv[0]) != 0.0)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_null(ctx);
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, int(argText(argv[0]).size()));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv[0]);
    const qsizetype start = qsizetype(intArg(argv[1], 1, qint64(s.size()) + 1));
    if (argc > 2)
        resultText(ctx, s.mid(start - 1, qsizetype(intArg(argv[2], 0, s.size()))));
    else
        resultText(ctx, s.mid(start - 1));
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, argText(argv[0]).left(qsizetype(intArg(argv[1], 0, 1 << 30))));
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, argText(argv[0]).right(qsizetype(intArg(argv[1], 0, 1 << 30))));
}

void fnUCase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, Turkish::upper(argText(argv[0])));
}

void fnLCase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, Turkish::lower(argText(argv[0])));
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER) {
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    }
    if (type == SQLITE_FLOAT) {
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    }
    const double d = SqlFunctions::val(argText(argv[0]));
    if (d == std::floor(d) && std::fabs(d) < 9e15)
        sqlite3_result_int64(ctx, qint64(d));
    else
        sqlite3_result_double(ctx, d);
}

template <int Part>
void fnDatePart(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const QDateTime dt = toDateTime(argv[0]);
    if (!dt.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    const QDate d = dt.date();
    sqlite3_result_int(ctx, Part == 0 ? d.year() : Part == 1 ? d.month() : d.day());
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss"));
}

void fnDateValue(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const QDateTime dt = toDateTime(argv[0]);
    if (!dt.isValid())
        sqlite3_result_null(ctx);
    else
        resultText(ctx, dt.date().toString("yyyy-MM-dd"));
}

void fnCStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        sqlite3_result_null(ctx);
    else
        resultText(ctx, argText(argv[0]));
}

void fnCInt(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const int type = sqlite3_value_type(argv[0]);
    const double d = (type == SQLITE_TEXT) ? SqlFunctions::val(argText(argv[0])) : sqlite3_value_double(argv[0]);
    if (!fitsInt64(d)) {
        overflow(ctx, "CInt");
        return;
    }
    // Jet rounds half to even when it converts to an integer.
    sqlite3_result_int64(ctx, qint64(std::nearbyint(d)));
}

void fnCDbl(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const int type = sqlite3_value_type(argv[0]);
    sqlite3_result_double(ctx, type == SQLITE_TEXT ? SqlFunctions::val(argText(argv[0])) : sqlite3_value_double(argv[0]));
}

void fnInt(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const double d = sqlite3_value_double(argv[0]);
    if (!fitsInt64(d)) {
        overflow(ctx, "Int");
        return;
    }
    sqlite3_result_int64(ctx, qint64(std::floor(d)));
}

void fnFix(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const double d = sqlite3_value_double(argv[0]);
    if (!fitsInt64(d)) {
        overflow(ctx, "Fix");
        return;
    }
    sqlite3_result_int64(ctx, qint64(std::trunc(d)));
}

void fnStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    // Str keeps a leading blank for the sign of a positive number.
    const QString t = argText(argv[0]);
    resultText(ctx, t.startsWith('-') ? t : " " + t);
}

void fnInStr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    int start = 1;
    int first = 0;
    if (argc == 3) {
        start = int(intArg(argv[0], 1, 1 << 30));
        first = 1;
    }
    if (isNull(argv[first]) || isNull(argv[first + 1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString hay = Turkish::upper(argText(argv[first]));
    const QString needle = Turkish::upper(argText(argv[first + 1]));
    sqlite3_result_int(ctx, int(hay.indexOf(needle, start - 1)) + 1);
}

void fnSpace(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const qint64 n = sqlite3_value_int64(argv[0]);
    if (n > SqlFunctions::kSpaceLimit) {
        overflow(ctx, "Space");
        return;
    }
    resultText(ctx, QString(qsizetype(qMax<qint64>(0, n)), ' '));
}

// Format(value, pattern): the date patterns ("dd.mm.yyyy", "yyyy", "mm/dd/yyyy",
// "hh:nn:ss") and fixed decimals ("0.00", "0").
void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (argc < 2) {
        resultText(ctx, argText(argv[0]));
        return;
    }
    const QString pattern = argText(argv[1]);
    const QString lower = pattern.toLower();
    if (lower.contains('d') || lower.contains('y') || lower.contains("hh") || lower.contains('n')) {
        const QDateTime dt = toDateTime(argv[0]);
        if (!dt.isValid()) {
            resultText(ctx, argText(argv[0]));
            return;
        }
        QString qtPattern = lower;
        qtPattern.replace("mm", "MM").replace("nn", "mm");
        resultText(ctx, dt.toString(qtPattern));
        return;
    }
    const int dot = int(pattern.indexOf('.'));
    const int decimals = dot < 0 ? 0 : int(pattern.size()) - dot - 1;
    resultText(ctx, QString::number(sqlite3_value_double(argv[0]), 'f', decimals));
}

struct FunctionDef {
    const char* name;
    int args;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
};

} // namespace

bool SqlFunctions::like(const QString& pattern, const QString& text, QChar escape)
{
    return LikePattern(pattern, escape).matches(text);
}

QString SqlFunctions::likeLiteral(const QString& typed)
{
    QString out;
    out.reserve(typed.size());
    for (const QChar c : typed) {
        if (c == '%' || c == '_' || c == '[')
            out += QString("[") + c + "]";
        else
            out += c;
    }
    return out;
}

double SqlFunctions::val(const QString& text)
{
    static const QRegularExpression re("^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?)");
    QString t = text;
    t.remove(' ');
    const auto m = re.match(t);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

bool SqlFunctions::install(sqlite3* handle)
{
    if (!handle)
        return false;
    if (sqlite3_create_collation_v2(handle, "TURKISH", SQLITE_UTF8, nullptr, collateTurkish, nullptr) != SQLITE_OK)
        return false;
    static const FunctionDef defs[] = {
        {"like", 2, fnLike},       {"like", 3, fnLike},
        {"nz", 1, fnNz},           {"nz", 2, fnNz},
        {"iif", 2, fnIIf2},
        {"len", 1, fnLen},
        {"mid", 2, fnMid},         {"mid", 3, fnMid},
        {"left", 2, fnLeft},       {"right", 2, fnRight},
        {"ucase", 1, fnUCase},     {"lcase", 1, fnLCase},
        {"val", 1, fnVal},
        {"year", 1, fnDatePart<0>}, {"month", 1, fnDatePart<1>}, {"day", 1, fnDatePart<2>},
        {"now", 0, fnNow},
        {"datevalue", 1, fnDateValue},
        {"cstr", 1, fnCStr},
        {"cint", 1, fnCInt},       {"clng", 1, fnCInt},
        {"cdbl", 1, fnCDbl},       {"csng", 1, fnCDbl},
        {"int", 1, fnInt},         {"fix", 1, fnFix},
        {"str", 1, fnStr},
        {"instr", 2, fnInStr},     {"instr", 3, fnInStr},
        {"space", 1, fnSpace},
        {"format", 1, fnFormat},   {"format", 2, fnFormat},
    };
    for (const FunctionDef& d : defs) {
        const int flags = SQLITE_UTF8 | (qstrcmp(d.name, "now") == 0 ? 0 : SQLITE_DETERMINISTIC);
        if (sqlite3_create_function_v2(handle, d.name, d.args, flags, nullptr, d.fn, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}
