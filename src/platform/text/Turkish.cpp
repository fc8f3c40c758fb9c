#include "platform/text/Turkish.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>

namespace {

const QLocale& turkishLocale()
{
    static const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    return tr;
}

QCollator& collator()
{
    // One per thread: a collator must not be used by two threads at once.
    thread_local QCollator c = [] {
        QCollator col(QLocale(QLocale::Turkish, QLocale::Turkey));
        col.setCaseSensitivity(Qt::CaseInsensitive);
        col.setNumericMode(false);
        col.setIgnorePunctuation(false);
        return col;
    }();
    return c;
}

// Units below this have a table entry in upperUnit().
constexpr char16_t kUpperTableSize = 0x250;

// The collator's order for the letters, digits, blanks and punctuation of
// Turkish texts: one rank per character, the same rank for the two cases of
// a letter. Within this set every character is one primary weight with no
// accent, so two texts of it compare as their ranks do, character by
// character (tests check this against the collator).
struct SortRanks {
    static constexpr char16_t kSize = 0x160;   // covers ı (0x131) and Ş/ş (0x15E/0x15F)
    quint16 rank[kSize] = {};                  // 0: not in the set
};

const SortRanks& sortRanks()
{
    static const SortRanks ranks = [] {
        SortRanks r;
        QList<QChar> set;
        for (char16_t c = 0x20; c < 0x7F; ++c)
            set << QChar(c);
        for (char16_t c : {u'Ç', u'ç', u'Ğ', u'ğ', u'İ', u'ı', u'Ö', u'ö', u'Ş', u'ş', u'Ü', u'ü'})
            set << QChar(c);
        QCollator& col = collator();
        std::stable_sort(set.begin(), set.end(),
                         [&](QChar a, QChar b) { return col.compare(QString(a), QString(b)) < 0; });
        quint16 rank = 0;
        for (int i = 0; i < set.size(); ++i) {
            if (i == 0 || col.compare(QString(set[i - 1]), QString(set[i])) != 0)
                ++rank;
            r.rank[set[i].unicode()] = rank;
        }
        return r;
    }();
    return ranks;
}

// The next character of UTF-8 text at `i` (moved past it) as its rank, or 0
// when it has none (not in the set, or not valid UTF-8).
inline quint16 nextRank(const unsigned char* s, int n, int& i, const SortRanks& r)
{
    const unsigned char c = s[i];
    if (c < 0x80) {
        ++i;
        return r.rank[c];
    }
    if ((c & 0xE0) == 0xC0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
        const char16_t u = char16_t(((c & 0x1F) << 6) | (s[i + 1] & 0x3F));
        i += 2;
        return u >= 0x80 && u < SortRanks::kSize ? r.rank[u] : 0;
    }
    return 0;
}

// The rank of a UTF-16 unit, 0 when it has none.
inline quint16 unitRank(char16_t u, const SortRanks& r)
{
    return u < SortRanks::kSize ? r.rank[u] : quint16(0);
}

// Orders two ranks where a text that has ended (kEnd) comes first.
constexpr quint16 kEnd = 0xFFFF;
inline int rankOrder(quint16 x, quint16 y)
{
    return x == kEnd ? -1 : (y == kEnd ? 1 : (x < y ? -1 : 1));
}

} // namespace

char16_t Turkish::upperUnit(char16_t c)
{
    static const std::array<char16_t, kUpperTableSize> table = [] {
        std::array<char16_t, kUpperTableSize> t{};
        for (char16_t u = 1; u < kUpperTableSize; ++u) {
            const QString up = upper(QString(QChar(u)));
            t[u] = up.size() == 1 ? up.at(0).unicode() : 0;
        }
        return t;
    }();
    return c < kUpperTableSize ? table[c] : 0;
}

int Turkish::compareUtf8(const char* a, int lengthA, const char* b, int lengthB)
{
    const SortRanks& r = sortRanks();
    const auto* sa = reinterpret_cast<const unsigned char*>(a);
    const auto* sb = reinterpret_cast<const unsigned char*>(b);
    int i = 0, j = 0;
    // The first difference decides, once the characters after it are in the
    // set as well: a combining mark there would make one letter with the
    // character before it (C and a cedilla are Ç). Anything outside the set
    // sends the pair to the collator.
    while (i < lengthA || j < lengthB) {
        const quint16 x = i < lengthA ? nextRank(sa, lengthA, i, r) : kEnd;
        const quint16 y = j < lengthB ? nextRank(sb, lengthB, j, r) : kEnd;
        if (x == 0 || y == 0)
            return collator().compare(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
        if (x != y) {
            int ni = i, nj = j;
            if ((ni < lengthA && nextRank(sa, lengthA, ni, r) == 0) || (nj < lengthB && nextRank(sb, lengthB, nj, r) == 0))
                return collator().compare(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
            return rankOrder(x, y);
        }
    }
    return 0;
}

QString Turkish::upper(const QString& text)
{
    QString s = text;
    for (QChar& c : s) {
        if (c == QChar('i'))
            c = QChar(0x0130);
        else if (c == QChar(0x0131))
            c = QChar('I');
    }
    return turkishLocale().toUpper(s);
}

QString Turkish::asciiUpper(const QString& text)
{
    QString s = text;
    for (QChar& c : s)
        if (c >= QChar('a') && c <= QChar('z'))
            c = QChar(c.unicode() - 0x20);
    return s;
}

QString Turkish::lower(const QString& text)
{
    QString s = text;
    for (QChar& c : s) {
        if (c == QChar('I'))
            c = QChar(0x0131);
        else if (c == QChar(0x0130))
            c = QChar('i');
    }
    return turkishLocale().toLower(s);
}

int Turkish::compare(const QString& a, const QString& b)
{
    const SortRanks& r = sortRanks();
    const qsizetype na = a.size(), nb = b.size();
    const char16_t* ua = reinterpret_cast<const char16_t*>(a.utf16());
    const char16_t* ub = reinterpret_cast<const char16_t*>(b.utf16());
    // As compareUtf8: the first difference decides when the characters
    // after it are in the set too.
    for (qsizetype i = 0; i < na || i < nb; ++i) {
        const quint16 x = i < na ? unitRank(ua[i], r) : kEnd;
        const quint16 y = i < nb ? unitRank(ub[i], r) : kEnd;
        if (x == 0 || y == 0)
            return collator().compare(a, b);
        if (x != y) {
            if ((i + 1 < na && unitRank(ua[i + 1], r) == 0) || (i + 1 < nb && unitRank(ub[i + 1], r) == 0))
                return collator().compare(a, b);
            return rankOrder(x, y);
        }
    }
    return 0;
}

bool Turkish::equalsIgnoreCase(const QString& a, const QString& b)
{
    return upper(a) == upper(b);
}
