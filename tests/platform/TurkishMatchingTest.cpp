// LIKE and the Turkish collation as the database runs them: the answers of a
// table of cases through SQL, and the quick paths (a pattern made ready once
// per statement, texts upper-cased and compared unit by unit) checked against
// the plain rules on many generated texts.

#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "platform/db/SqlFunctions.h"
#include "platform/paths/DriveMap.h"
#include "platform/text/Turkish.h"

#include <QCollator>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace TurkishMatchingTestLocal {

// The LIKE rules written out the plain way: the pattern and the text
// upper-cased whole, the escape character looked at wherever it stands.
bool plainLike(const QString& pattern, const QString& text, QChar escape)
{
    const QString p = Turkish::upper(pattern);
    const QString t = Turkish::upper(text);
    int pi = 0, ti = 0, starP = -1, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size()) {
            QChar pc = p[pi];
            bool literal = false;
            int step = 1;
            if (!escape.isNull() && pc == Turkish::upper(QString(escape)).at(0) && pi + 1 < p.size()) {
                pc = p[pi + 1];
                literal = true;
                step = 2;
            } else if (pc == '[' && pi + 2 < p.size() && p[pi + 2] == ']') {
                pc = p[pi + 1];
                literal = true;
                step = 3;
            }
            if (!literal && pc == '%') {
                starP = pi++;
                starT = ti;
                continue;
            }
            if ((!literal && pc == '_') || pc == t[ti]) {
                pi += step;
                ++ti;
                continue;
            }
        }
        if (starP >= 0) {
            pi = starP + 1;
            ti = ++starT;
            continue;
        }
        return false;
    }
    while (pi < p.size() && p[pi] == '%')
        ++pi;
    return pi == p.size();
}

int sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// The collator the database's order stands on, asked directly.
int collatorSign(const QString& a, const QString& b)
{
    static QCollator c = [] {
        QCollator col(QLocale(QLocale::Turkish, QLocale::Turkey));
        col.setCaseSensitivity(Qt::CaseInsensitive);
        col.setNumericMode(false);
        col.setIgnorePunctuation(false);
        return col;
    }();
    return sign(c.compare(a, b));
}

QString randomText(std::mt19937& rnd, const QString& alphabet, int maxLength)
{
    QString s = QStringLiteral("");   // empty, not NULL
    const int n = int(rnd() % unsigned(maxLength + 1));
    for (int i = 0; i < n; ++i)
        s += alphabet[int(rnd() % unsigned(alphabet.size()))];
    return s;
}

// A text the pattern should match: wildcards filled in, escaped letters
// taken as they stand, letters in either case; now and then one letter
// changed, so that near misses come up as well.
QString textFor(std::mt19937& rnd, const QString& pattern, const QString& letters)
{
    QString t = QStringLiteral("");
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == '%')
            t += randomText(rnd, letters, 2);
        else if (c == '_')
            t += letters[int(rnd() % unsigned(letters.size()))];
        else if (c == '\\' && i + 1 < pattern.size())
            t += pattern[++i];
        else
            t += rnd() % 2 ? Turkish::lower(QString(c)) : Turkish::upper(QString(c));
    }
    if (!t.isEmpty() && rnd() % 4 == 0)
        t[int(rnd() % unsigned(t.size()))] = letters[int(rnd() % unsigned(letters.size()))];
    return t;
}

class TurkishMatching : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DriveMap::setDataRoot(dir.path());
        db.open("C:\\CO\\test.mdb", false);
        Schema s;
        s.addTable({"C_KISI", {Col::integer("Key_No"), Col::text("Ad"), Col::text("Desen")}, "Key_No", {"Ad"}});
        s.create(db);
    }
    // The database's answer to `text LIKE pattern` (with the escape
    // character when one is given): 1, 0, or -1 for NULL.
    int like(const QString& text, const QString& pattern, const QString& escape = QString())
    {
        const QString sql = escape.isEmpty() ? "select :t like :p" : "select :t like :p escape :e";
        const QVariant v = db.scalar(sql, {{"t", text}, {"p", pattern}, {"e", escape}});
        return v.isNull() ? -1 : v.toInt();
    }
    QTemporaryDir dir;
    Database db;
};

struct SqlLikeCase {
    const char* text;
    const char* pattern;
    const char* escape;
    int match;   // 1, 0; -1 for NULL
};

void PrintTo(const SqlLikeCase& c, std::ostream* os)
{
    *os << "'" << c.text << "' like '" << c.pattern << "' escape '" << c.escape << "'";
}

class TurkishLikeCases : public TurkishMatching, public ::testing::WithParamInterface<SqlLikeCase> {};

TEST_P(TurkishLikeCases, GivesTheAnswer)
{
    const SqlLikeCase& c = GetParam();
    EXPECT_EQ(like(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern), QString::fromUtf8(c.escape)), c.match)
        << c.text << " like " << c.pattern << " escape " << c.escape;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TurkishLikeCases,
    ::testing::Values(
        // Dotted and dotless I keep apart in both cases.
        SqlLikeCase{"IŞIK", "%ışık%", "", 1}, SqlLikeCase{"IŞIK", "%işık%", "", 0},
        SqlLikeCase{"işçi", "%İŞ%", "", 1}, SqlLikeCase{"İSTANBUL", "i%", "", 1},
        SqlLikeCase{"ISPARTA", "ı%", "", 1}, SqlLikeCase{"ılgaz", "I%", "", 1}, SqlLikeCase{"ılgaz", "İ%", "", 0},
        SqlLikeCase{"istanbul", "İ%", "", 1}, SqlLikeCase{"istanbul", "I%", "", 0},
        // Ş, Ğ, Ü, Ö, Ç in either case, never their plain letters.
        SqlLikeCase{"ŞĞÜÖÇ", "%şğüöç%", "", 1}, SqlLikeCase{"şğüöç", "%ŞĞÜÖÇ%", "", 1},
        SqlLikeCase{"Ş", "s", "", 0}, SqlLikeCase{"ğ", "G", "", 0}, SqlLikeCase{"Ü", "u", "", 0},
        SqlLikeCase{"ö", "O", "", 0}, SqlLikeCase{"Ç", "c", "", 0},
        SqlLikeCase{"ÇAĞRI ÖZGÜR ŞİMŞEK", "%özgür şi%", "", 1},
        // Escaped "%" and "_" stand for themselves; unescaped they are wildcards.
        SqlLikeCase{"YÜZDE 50% İNDİRİM", "%50\\%%", "\\", 1}, SqlLikeCase{"YÜZDE 500 İNDİRİM", "%50\\%%", "\\", 0},
        SqlLikeCase{"A_B", "A\\_B", "\\", 1}, SqlLikeCase{"AXB", "A\\_B", "\\", 0}, SqlLikeCase{"AXB", "A_B", "\\", 1},
        SqlLikeCase{"C:\\YOL", "C:\\\\%", "\\", 1}, SqlLikeCase{"C:YOL", "C:\\\\%", "\\", 0},
        SqlLikeCase{"ABC\\", "abc\\", "\\", 1},   // an escape at the end is itself
        SqlLikeCase{"A%B", "A!%B", "!", 1}, SqlLikeCase{"AXB", "A!%B", "!", 0},
        SqlLikeCase{"a\\xyz", "A\\%", "", 1},     // no escape: the backslash is a letter
        // Jet's brackets.
        SqlLikeCase{"50%", "50[%]", "", 1}, SqlLikeCase{"500", "50[%]", "", 0},
        // Letters that upper-case into two (ß) or lie beyond the quick table.
        SqlLikeCase{"Straße", "%SS%", "", 1}, SqlLikeCase{"STRASSE", "%ß%", "", 1},
        SqlLikeCase{"KÂĞIT", "%âğı%", "", 1}, SqlLikeCase{"ΣΟΦΊΑ", "%σοφ%", "", 1},
        // Wildcards, empty texts, NULL.
        SqlLikeCase{"", "%", "", 1}, SqlLikeCase{"", "_", "", 0}, SqlLikeCase{"ALİ", "a_i%", "\\", 1},
        SqlLikeCase{"AYILE", "a_i%", "\\", 0}, SqlLikeCase{"ABCABD", "%AB_", "", 1}));

TEST_F(TurkishMatching, NullOnEitherSideIsNull)
{
    EXPECT_TRUE(db.scalar("select null like 'a'").isNull());
    EXPECT_TRUE(db.scalar("select 'a' like null").isNull());
}

// A pattern that changes from row to row (a column) is made ready for each
// row and still answers for that row.
TEST_F(TurkishMatching, PatternFromAColumnAnswersRowByRow)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ŞULE IŞIK"}, {"Desen", "%ışık"}});
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "ŞULE IŞIK"}, {"Desen", "%işık"}});
    db.insert("C_KISI", {{"Key_No", 3}, {"Ad", "50% ZAM"}, {"Desen", "50\\%%"}});
    db.insert("C_KISI", {{"Key_No", 4}, {"Ad", "500 ZAM"}, {"Desen", "50\\%%"}});
    QStringList keys;
    for (const Record& r : db.select("select Key_No from C_KISI where Ad like Desen escape '\\' order by Key_No"))
        keys << r.str("Key_No");
    EXPECT_EQ(keys, (QStringList{"1", "3"}));
}

TEST_F(TurkishMatching, OneStatementOverManyRowsMatchesEachRow)
{
    const QStringList names = {"ÇAĞRI ŞİMŞEK", "çağrı şimşek", "CAGRI SIMSEK", "ÇAĞRI ŞİMŞEKOĞLU", "AYŞE ÇAĞRI"};
    for (int i = 0; i < names.size(); ++i)
        db.insert("C_KISI", {{"Key_No", i + 1}, {"Ad", names[i]}});
    QStringList keys;
    for (const Record& r :
         db.select("select Key_No from C_KISI where Ad like :p escape '\\' order by Key_No", {{"p", "çağrı şimşek%"}}))
        keys << r.str("Key_No");
    EXPECT_EQ(keys, (QStringList{"1", "2", "4"}));
}

// Generated patterns and texts over the letters that matter (both I's,
// Turkish letters, wildcards, the escape, brackets, ß): the database, the
// C++ function and the plain rules agree.
TEST_F(TurkishMatching, AgreesWithThePlainRulesOnGeneratedCases)
{
    std::mt19937 rnd(42);
    const QString patternLetters = QString::fromUtf8("aiıIİşŞğÜö%_\\[]ßx ");
    const QString textLetters = QString::fromUtf8("aAiıIİşŞğĞüÜöÖ%_\\[]ßSx ");
    int matched = 0;
    for (int n = 0; n < 3000; ++n) {
        const QString p = randomText(rnd, patternLetters, 6);
        const QString t = rnd() % 3 ? textFor(rnd, p, textLetters) : randomText(rnd, textLetters, 8);
        const bool expected = plainLike(p, t, QChar('\\'));
        ASSERT_EQ(like(t, p, "\\"), expected ? 1 : 0) << qPrintable(t) << " like " << qPrintable(p);
        ASSERT_EQ(SqlFunctions::like(p, t, QChar('\\')), expected) << qPrintable(t) << " like " << qPrintable(p);
        ASSERT_EQ(SqlFunctions::like(p, t), plainLike(p, t, QChar())) << qPrintable(t) << " like " << qPrintable(p);
        matched += expected;
    }
    EXPECT_GT(matched, 1000) << "many generated cases should match";
    EXPECT_LT(matched, 2500) << "many generated cases should miss";
}

// Each unit upper-cases alone as it does in a text, and a text of such units
// upper-cases unit by unit.
TEST(TurkishUpperUnit, MatchesUpperOfTheWholeText)
{
    for (char16_t u = 1; u < 0x300; ++u) {
        const QString up = Turkish::upper(QString(QChar(u)));
        const char16_t unit = Turkish::upperUnit(u);
        if (unit) {
            ASSERT_EQ(up, QString(QChar(unit))) << int(u);
        }
    }
    EXPECT_EQ(Turkish::upperUnit(u'i'), u'İ');
    EXPECT_EQ(Turkish::upperUnit(u'ı'), u'I');
    EXPECT_EQ(Turkish::upperUnit(u'ş'), u'Ş');
    EXPECT_EQ(Turkish::upperUnit(u'ß'), 0) << "upper-cases into two letters";
    std::mt19937 rnd(7);
    for (int n = 0; n < 2000; ++n) {
        QString s, mapped;
        bool simple = true;
        for (int i = 0; i < 10; ++i) {
            const char16_t u = char16_t(1 + rnd() % 0x24F);
            s += QChar(u);
            const char16_t m = Turkish::upperUnit(u);
            simple = simple && m;
            mapped += QChar(m);
        }
        if (simple) {
            ASSERT_EQ(Turkish::upper(s), mapped) << qPrintable(s);
        }
    }
}

struct OrderCase {
    const char* a;
    const char* b;
    int order;   // -1: a before b, 0: the same, 1: a after b
};
void PrintTo(const OrderCase& c, std::ostream* os)
{
    *os << "'" << c.a << "' / '" << c.b << "'";
}

class TurkishOrderCases : public ::testing::TestWithParam<OrderCase> {};

TEST_P(TurkishOrderCases, ComparesInTurkishOrder)
{
    const QString a = QString::fromUtf8(GetParam().a), b = QString::fromUtf8(GetParam().b);
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    EXPECT_EQ(sign(Turkish::compare(a, b)), GetParam().order) << GetParam().a << " / " << GetParam().b;
    EXPECT_EQ(sign(Turkish::compareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()))),
              GetParam().order)
        << GetParam().a << " / " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TurkishOrderCases,
    ::testing::Values(OrderCase{"CAN", "ÇAĞRI", -1}, OrderCase{"ÇAĞRI", "DENİZ", -1}, OrderCase{"GÜL", "ĞÖK", -1},
                      OrderCase{"ISPARTA", "İSTANBUL", -1}, OrderCase{"ılgaz", "İLGAZ", -1},
                      OrderCase{"ısparta", "ISPARTA", 0}, OrderCase{"istanbul", "İSTANBUL", 0},
                      OrderCase{"OSMAN", "ÖMER", -1}, OrderCase{"SU", "ŞAHİN", -1}, OrderCase{"UZUN", "ÜNAL", -1},
                      OrderCase{"ALİ", "ALİ RIZA", -1}, OrderCase{"ALİ RIZA", "ALİCAN", -1},
                      OrderCase{"10. KYU", "2. KYU", -1}, OrderCase{"", "A", -1}, OrderCase{"A", "", 1},
                      OrderCase{"", "", 0}, OrderCase{"O'NEIL", "ONEIL", -1},
                      // Beyond the quick set: the collator decides.
                      OrderCase{"KÂĞIT", "KAĞIT", 1}, OrderCase{"STRAßE", "STRASSE", 1},
                      // A letter and its combining mark are the one letter.
                      OrderCase{"I\u0307STANBUL", "İSTANBUL", 0}, OrderCase{"C\u0327AĞRI", "CAN", 1},
                      OrderCase{"C\u0327AĞRI", "DENİZ", -1}));

// Texts over the quick set (and now and then a letter beyond it) compare as
// the collator compares them, in both forms.
TEST(TurkishOrder, AgreesWithTheCollatorOnGeneratedTexts)
{
    std::mt19937 rnd(11);
    QString alphabet;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        alphabet += QChar(c);
    alphabet += QString::fromUtf8("ÇçĞğİıÖöŞşÜüÇĞİÖŞÜ");
    // Letters beyond it: accented ones, one that sorts as two, and the
    // combining marks that make Ç, Ğ, İ, Ö, Ş, Ü (and Catalan's L·) with
    // the letter before them.
    const QString beyond = QString::fromUtf8("âÂîûéßÆ\t\u00B7") + QChar(0x0307) + QChar(0x0327) + QChar(0x0306) +
                           QChar(0x0308);
    for (int n = 0; n < 40000; ++n) {
        QString a = randomText(rnd, alphabet, 6);
        QString b = rnd() % 3 == 0 ? a.left(int(rnd() % 4)) + randomText(rnd, alphabet, 3) : randomText(rnd, alphabet, 6);
        for (QString* t : {&a, &b})
            if (rnd() % 6 == 0)
                t->insert(int(rnd() % unsigned(t->size() + 1)), beyond[int(rnd() % unsigned(beyond.size()))]);
        if (rnd() % 2 == 0)
            b = rnd() % 2 ? Turkish::upper(b) : Turkish::lower(b);
        const int expected = collatorSign(a, b);
        const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
        ASSERT_EQ(sign(Turkish::compare(a, b)), expected) << qPrintable(a) << " / " << qPrintable(b);
        ASSERT_EQ(sign(Turkish::compareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()))),
                  expected)
            << qPrintable(a) << " / " << qPrintable(b);
    }
}

// The database orders by the collation.
TEST_F(TurkishMatching, OrderByFollowsTheTurkishAlphabet)
{
    const QStringList names = {"ZEYNEP", "ÖMER", "OSMAN", "İSMAİL", "ıLGAZ", "ÇAĞRI", "CAN", "ŞULE", "SELİN", "ÜNAL",
                               "UĞUR", "ĞÖKÇE", "GÜL"};
    for (int i = 0; i < names.size(); ++i)
        db.insert("C_KISI", {{"Key_No", i + 1}, {"Ad", names[i]}});
    QStringList sorted;
    for (const Record& r : db.select("select Ad from C_KISI order by Ad"))
        sorted << r.str("Ad");
    EXPECT_EQ(sorted, (QStringList{"CAN", "ÇAĞRI", "GÜL", "ĞÖKÇE", "ıLGAZ", "İSMAİL", "OSMAN", "ÖMER", "SELİN",
                                   "ŞULE", "UĞUR", "ÜNAL", "ZEYNEP"}));
}

} // namespace TurkishMatchingTestLocal
