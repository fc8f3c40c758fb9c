#include "platform/report/ReportExpression.h"

#include "platform/text/Turkish.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <limits>

// ---------------------------------------------------------------------------
// Values

namespace {

bool isText(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::QString || t == QMetaType::QByteArray || t == QMetaType::QChar;
}

double toNumber(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return 0;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (isText(v)) {
        QString s = v.toString().trimmed();
        s.replace(',', '.');
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok ? d : 0;
    }
    return v.toDouble();
}

bool toBool(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isText(v)) {
        const QString s = v.toString().trimmed().toUpper();
        return s == "TRUE" || (s != "FALSE" && !s.isEmpty() && toNumber(v) != 0);
    }
    return toNumber(v) != 0;
}

// Both sides read as numbers: neither is text, or both texts are numbers.
bool numericPair(const QVariant& a, const QVariant& b)
{
    auto numeric = [](const QVariant& v) {
        if (!isText(v))
            return true;
        bool ok = false;
        QString s = v.toString().trimmed();
        s.replace(',', '.');
        s.toDouble(&ok);
        return ok;
    };
    if (!isText(a) && !isText(b))
        return true;
    return isText(a) && isText(b) ? false : numeric(a) && numeric(b);
}

QChar& decimalChar()
{
    static QChar c('.');
    return c;
}

} // namespace

void ReportFormat::setDecimalSeparator(QChar separator)
{
    decimalChar() = separator;
}

QChar ReportFormat::decimalSeparator()
{
    return decimalChar();
}

QString ReportFormat::toText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        QString s = QString::number(d, 'g', 15);
        s.replace('.', decimalChar());
        return s;
    }
    case QMetaType::Bool:
        return v.toBool() ? "True" : "False";
    case QMetaType::QDate:
        return v.toDate().toString("dd.MM.yyyy");
    case QMetaType::QTime:
        return v.toTime().toString("HH:mm:ss");
    case QMetaType::QDateTime:
        return v.toDateTime().toString("dd.MM.yyyy HH:mm:ss");
    default:
        return v.toString();
    }
}

namespace {

struct MaskSection {
    QString prefix, suffix;
    int intZeros = 0;
    int decZeros = 0;
    int decPlaces = 0;
    bool thousands = false;
    bool hasDigits = false;
};

QStringList splitSections(const QString& mask)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            cur += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            cur += c;
        } else if (c == ';') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

MaskSection parseSection(const QString& s)
{
    MaskSection m;
    bool afterPoint = false;
    QChar quote;
    for (QChar c : s) {
        QString* literal = m.hasDigits ? &m.suffix : &m.prefix;
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                *literal += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            m.hasDigits = true;
            m.suffix.clear();   // text between digit places is not kept
            if (afterPoint) {
                ++m.decPlaces;
                if (c == '0')
                    m.decZeros = m.decPlaces;
            } else if (c == '0') {
                ++m.intZeros;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            m.hasDigits = true;
        } else if (c == ',' && !afterPoint) {
            m.thousands = true;
        } else {
            *literal += c;
        }
    }
    return m;
}

QString applySection(const MaskSection& m, double magnitude, bool minus)
{
    if (!m.hasDigits)
        return m.prefix;
    // Halves round away from zero, as the classic formatting does.
    const double scale = std::pow(10.0, m.decPlaces);
    QString digits = QString::number(std::round(magnitude * scale) / scale, 'f', m.decPlaces);
    QString intPart = digits, frac;
    const int dot = digits.indexOf('.');
    if (dot >= 0) {
        intPart = digits.left(dot);
        frac = digits.mid(dot + 1);
    }
    while (frac.size() > m.decZeros && frac.endsWith('0'))
        frac.chop(1);
    if (intPart == "0" && m.intZeros == 0)
        intPart.clear();
    while (intPart.size() < m.intZeros)
        intPart.prepend('0');
    if (m.thousands) {
        for (int i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, ',');
    }
    QString out = (minus ? QString("-") : QString()) + m.prefix + intPart;
    if (!frac.isEmpty())
        out += decimalChar() + frac;
    return out + m.suffix;
}

} // namespace

QString ReportFormat::formatFloat(const QString& mask, double value)
{
    if (mask.isEmpty())
        return toText(value);
    const QStringList sections = splitSections(mask);
    const MaskSection first = parseSection(sections.value(0));
    // The value as the first section rounds it decides between the sections.
    const double rounded = std::round(std::fabs(value) * std::pow(10.0, first.decPlaces)) /
                           std::pow(10.0, first.decPlaces);
    if (rounded == 0 && sections.size() > 2 && !sections[2].isEmpty())
        return applySection(parseSection(sections[2]), 0, false);
    if (value < 0 && rounded != 0) {
        if (sections.size() > 1 && !sections[1].isEmpty())
            return applySection(parseSection(sections[1]), -value, false);
        return applySection(first, -value, true);
    }
    return applySection(first, std::fabs(value), false);
}

// ---------------------------------------------------------------------------
// Parser

struct ReportExpression::Node {
    enum Kind { Const, Field, Neg, Not, Binary, Call };
    Kind kind = Const;
    QVariant value;
    QString dataset;
    QString name;   // field name, operator or function name (upper case)
    std::vector<std::unique_ptr<Node>> args;
    int depth = 1;  // levels of the tree below and with this node

    // Aggregate state
    bool aggregate = false;
    double sum = 0;
    qint64 count = 0;
    QVariant min, max;
};

namespace {

using Node = ReportExpression::Node;

const QStringList& aggregateNames()
{
    static const QStringList n = {"SUM", "COUNT", "MIN", "MAX", "AVERAGE"};
    return n;
}

const QStringList& plainFunctions()
{
    static const QStringList n = {"IF", "STR", "UPPER", "COPY", "FORMATNUMERIC", "INT", "ROUND",
                                  "DATE", "TIME", "NOW", "PAGENUMBER", "PAGECOUNT"};
    return n;
}

struct Token {
    enum Kind { End, Number, String, Ident, Op };
    Kind kind = End;
    QString text;
    double number = 0;
};

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) { advance(); }

    std::unique_ptr<Node> parseAll()
    {
        auto n = parseOr();
        if (m_tok.kind != Token::End)
            fail("beklenmeyen '" + m_tok.text + "'");
        return n;
    }

private:
    [[noreturn]] void fail(const QString& why) const
    {
        throw ReportError(QString("Hatalı rapor ifadesi: %1 (%2)").arg(m_text, why));
    }

    void advance()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        m_tok = Token();
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        if (c.isDigit() || (c == '.' && m_pos + 1 < m_text.size() && m_text[m_pos + 1].isDigit())) {
            int j = m_pos;
            while (j < m_text.size() && (m_text[j].isDigit() || m_text[j] == '.'))
                ++j;
            m_tok.kind = Token::Number;
            m_tok.text = m_text.mid(m_pos, j - m_pos);
            bool ok = false;
            m_tok.number = m_tok.text.toDouble(&ok);
            if (!ok)
                fail("sayı okunamadı: " + m_tok.text);
            m_pos = j;
            return;
        }
        if (c == '\'' || c == '"') {
            QString s;
            int j = m_pos + 1;
            for (;;) {
                if (j >= m_text.size())
                    fail("kapanmayan metin");
                if (m_text[j] == c) {
                    if (j + 1 < m_text.size() && m_text[j + 1] == c) {
                        s += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                s += m_text[j++];
            }
            m_tok.kind = Token::String;
            m_tok.text = s;
            m_pos = j + 1;
            return;
        }
        if (c.isLetter() || c == '_' || c == '[') {
            if (c == '[') {
                const int close = m_text.indexOf(']', m_pos);
                if (close < 0)
                    fail("kapanmayan [");
                m_tok.kind = Token::Ident;
                m_tok.text = m_text.mid(m_pos + 1, close - m_pos - 1);
                m_pos = close + 1;
                return;
            }
            int j = m_pos;
            while (j < m_text.size() && (m_text[j].isLetterOrNumber() || m_text[j] == '_'))
                ++j;
            m_tok.kind = Token::Ident;
            m_tok.text = m_text.mid(m_pos, j - m_pos);
            m_pos = j;
            return;
        }
        static const QStringList twoChar = {"<>", "<=", ">="};
        const QString two = m_text.mid(m_pos, 2);
        m_tok.kind = Token::Op;
        if (twoChar.contains(two)) {
            m_tok.text = two;
            m_pos += 2;
            return;
        }
        if (QString("+-*/()=<>,.").contains(c)) {
            m_tok.text = c;
            ++m_pos;
            return;
        }
        fail(QString("tanınmayan işaret '%1'").arg(c));
    }

    bool isOp(const char* op) const { return m_tok.kind == Token::Op && m_tok.text == QLatin1String(op); }
    bool isWord(const char* w) const
    {
        return m_tok.kind == Token::Ident && m_tok.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }

    std::unique_ptr<Node> binary(const QString& op, std::unique_ptr<Node> l, std::unique_ptr<Node> r)
    {
        auto n = std::make_unique<Node>();
        n->kind = Node::Binary;
        n->name = op;
        n->args.push_back(std::move(l));
        n->args.push_back(std::move(r));
        return measured(std::move(n));
    }

    // The expression's nesting is bounded, so neither the parser nor the
    // evaluation can run out of stack (brackets, NOT NOT ..., long chains).
    std::unique_ptr<Node> measured(std::unique_ptr<Node> n) const
    {
        for (const auto& a : n->args)
            n->depth = std::max(n->depth, a->depth + 1);
        if (n->depth > ReportExpression::kMaxDepth)
            fail("iç içe ifade çok derin");
        return n;
    }

    struct Nesting {
        explicit Nesting(Parser& p) : parser(p)
        {
            if (++parser.m_nesting > ReportExpression::kMaxDepth)
                parser.fail("iç içe ifade çok derin");
        }
        ~Nesting() { --parser.m_nesting; }
        Parser& parser;
    };

    std::unique_ptr<Node> parseOr()
    {
        const Nesting nesting(*this);
        auto l = parseAnd();
        while (isWord("OR")) {
            advance();
            l = binary("OR", std::move(l), parseAnd());
        }
        return l;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto l = parseNot();
        while (isWord("AND")) {
            advance();
            l = binary("AND", std::move(l), parseNot());
        }
        return l;
    }

    std::unique_ptr<Node> parseNot()
    {
        if (isWord("NOT")) {
            advance();
            auto n = std::make_unique<Node>();
            n->kind = Node::Not;
            const Nesting nesting(*this);
            n->args.push_back(parseNot());
            return measured(std::move(n));
        }
        return parseCompare();
    }

    std::unique_ptr<Node> parseCompare()
    {
        auto l = parseAdd();
        for (const char* op : {"=", "<>", "<=", ">=", "<", ">"}) {
            if (isOp(op)) {
                advance();
                return binary(op, std::move(l), parseAdd());
            }
        }
        return l;
    }

    std::unique_ptr<Node> parseAdd()
    {
        auto l = parseMul();
        while (isOp("+") || isOp("-")) {
            const QString op = m_tok.text;
            advance();
            l = binary(op, std::move(l), parseMul());
        }
        return l;
    }

    std::unique_ptr<Node> parseMul()
    {
        auto l = parseUnary();
        while (isOp("*") || isOp("/")) {
            const QString op = m_tok.text;
            advance();
            l = binary(op, std::move(l), parseUnary());
        }
        return l;
    }

    std::unique_ptr<Node> parseUnary()
    {
        if (isOp("-")) {
            advance();
            auto n = std::make_unique<Node>();
            n->kind = Node::Neg;
            const Nesting nesting(*this);
            n->args.push_back(parseUnary());
            return measured(std::move(n));
        }
        if (isOp("+")) {
            advance();
            const Nesting nesting(*this);
            return parseUnary();
        }
        return parsePrimary();
    }

    std::unique_ptr<Node> parsePrimary()
    {
        auto n = std::make_unique<Node>();
        if (m_tok.kind == Token::Number) {
            n->value = m_tok.number;
            advance();
            return n;
        }
        if (m_tok.kind == Token::String) {
            n->value = m_tok.text;
            advance();
            return n;
        }
        if (isOp("(")) {
            advance();
            auto inner = parseOr();
            if (!isOp(")"))
                fail("')' eksik");
            advance();
            return inner;
        }
        if (m_tok.kind != Token::Ident)
            fail(m_tok.kind == Token::End ? QString("ifade eksik") : "beklenmeyen '" + m_tok.text + "'");

        const QString word = m_tok.text;
        const QString upper = word.toUpper();
        advance();
        if (upper == "TRUE" || upper == "FALSE") {
            n->value = upper == "TRUE";
            return n;
        }
        if (isOp("(")) {
            if (!aggregateNames().contains(upper) && !plainFunctions().contains(upper))
                fail("bilinmeyen işlev " + word);
            advance();
            n->kind = Node::Call;
            n->name = upper;
            if (!isOp(")")) {
                for (;;) {
                    n->args.push_back(parseOr());
                    if (isOp(",")) {
                        advance();
                        continue;
                    }
                    break;
                }
            }
            if (!isOp(")"))
                fail("')' eksik");
            advance();
            checkArity(*n);
            return measured(std::move(n));
        }
        if (isOp(".")) {
            advance();
            if (m_tok.kind != Token::Ident)
                fail("alan adı eksik");
            n->kind = Node::Field;
            n->dataset = word;
            n->name = m_tok.text;
            advance();
            return n;
        }
        if (upper == "COUNT" || upper == "DATE" || upper == "TIME" || upper == "NOW" || upper == "PAGENUMBER" ||
            upper == "PAGECOUNT") {
            n->kind = Node::Call;
            n->name = upper;
            checkArity(*n);
            return n;
        }
        n->kind = Node::Field;
        n->name = word;
        return n;
    }

    void checkArity(Node& n)
    {
        const int count = int(n.args.size());
        int lo = 0, hi = 0;
        if (n.name == "COUNT") {
            hi = 1;
        } else if (aggregateNames().contains(n.name) || n.name == "STR" || n.name == "UPPER" || n.name == "INT") {
            lo = hi = 1;
        } else if (n.name == "IF" || n.name == "COPY") {
            lo = hi = 3;
        } else if (n.name == "FORMATNUMERIC") {
            lo = hi = 2;
        } else if (n.name == "ROUND") {
            lo = 1;
            hi = 2;
        }
        if (count < lo || count > hi)
            fail(QString("%1 işlevine %2 değer verildi").arg(n.name).arg(count));
        if (aggregateNames().contains(n.name)) {
            n.aggregate = true;
            for (const auto& a : n.args)
                if (containsAggregate(*a))
                    fail("toplam işlevleri iç içe olamaz");
        }
    }

    static bool containsAggregate(const Node& n)
    {
        if (n.aggregate)
            return true;
        for (const auto& a : n.args)
            if (containsAggregate(*a))
                return true;
        return false;
    }

    QString m_text;
    int m_pos = 0;
    int m_nesting = 0;
    Token m_tok;
};

void collectAggregates(Node* n, std::vector<Node*>& out)
{
    if (n->aggregate)
        out.push_back(n);
    for (auto& a : n->args)
        collectAggregates(a.get(), out);
}

QVariant eval(const Node& n, const ReportExprContext& ctx, const QString& text);

double number(const Node& n, const ReportExprContext& ctx, const QString& text)
{
    return toNumber(eval(n, ctx, text));
}

QVariant aggregateValue(const Node& n)
{
    if (n.name == "SUM")
        return n.sum;
    if (n.name == "COUNT")
        return double(n.count);
    if (n.name == "AVERAGE")
        return n.count ? n.sum / double(n.count) : 0.0;
    if (n.name == "MIN")
        return n.min.isValid() ? n.min : QVariant(0.0);
    return n.max.isValid() ? n.max : QVariant(0.0);
}

QVariant callFunction(const Node& n, const ReportExprContext& ctx, const QString& text)
{
    const QString& f = n.name;
    if (n.aggregate)
        return aggregateValue(n);
    if (f == "IF")
        return toBool(eval(*n.args[0], ctx, text)) ? eval(*n.args[1], ctx, text) : eval(*n.args[2], ctx, text);
    if (f == "STR")
        return ReportFormat::toText(eval(*n.args[0], ctx, text));
    if (f == "UPPER")
        return Turkish::upper(ReportFormat::toText(eval(*n.args[0], ctx, text)));
    if (f == "COPY") {
        const QString s = ReportFormat::toText(eval(*n.args[0], ctx, text));
        // Positions and lengths beyond the text (or not numbers at all)
        // are held to what a text can have before they become integers.
        auto held = [](double v) {
            if (std::isnan(v))
                return qsizetype(0);
            return qsizetype(std::clamp(std::trunc(v), -1.0, double(std::numeric_limits<int>::max())));
        };
        const qsizetype start = held(number(*n.args[1], ctx, text));
        const qsizetype len = held(number(*n.args[2], ctx, text));
        if (start < 1 || len <= 0 || start > s.size())
            return QString();
        return s.mid(start - 1, len);
    }
    if (f == "FORMATNUMERIC")
        return ReportFormat::formatFloat(ReportFormat::toText(eval(*n.args[0], ctx, text)),
                                         number(*n.args[1], ctx, text));
    if (f == "INT")
        return std::trunc(number(*n.args[0], ctx, text));
    if (f == "ROUND") {
        const double digits = n.args.size() > 1 ? std::trunc(number(*n.args[1], ctx, text)) : 0;
        const double scale = std::pow(10.0, digits);
        return std::round(number(*n.args[0], ctx, text) * scale) / scale;
    }
    const QDateTime now = ctx.now ? ctx.now() : QDateTime::currentDateTime();
    if (f == "DATE")
        return now.date();
    if (f == "TIME")
        return now.time();
    if (f == "NOW")
        return now;
    if (f == "PAGENUMBER")
        return double(ctx.pageNumber ? ctx.pageNumber() : 1);
    if (f == "PAGECOUNT") {
        // A number once the count is known; before, the engine's stand-in
        // text (it lays out again with the count known).
        const QString count = ctx.pageCount ? ctx.pageCount() : QString("1");
        bool known = false;
        const int pages = count.toInt(&known);
        return known ? QVariant(double(pages)) : QVariant(count);
    }
    throw ReportError(QString("Hatalı rapor ifadesi: %1 (bilinmeyen işlev %2)").arg(text, f));
}

int compareValues(const QVariant& a, const QVariant& b)
{
    if (numericPair(a, b)) {
        const double x = toNumber(a), y = toNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    // Text compares in Turkish alphabetical order without regard to case, as
    // the database does.
    return Turkish::compare(ReportFormat::toText(a), ReportFormat::toText(b));
}

QVariant eval(const Node& n, const ReportExprContext& ctx, const QString& text)
{
    switch (n.kind) {
    case Node::Const:
        return n.value;
    case Node::Field: {
        QVariant v;
        if (!ctx.field || !ctx.field(n.dataset, n.name, v))
            throw ReportError(QString("Rapor ifadesinde bilinmeyen alan: %1 (%2)")
                                  .arg(n.dataset.isEmpty() ? n.name : n.dataset + "." + n.name, text));
        return v;
    }
    case Node::Neg:
        return -number(*n.args[0], ctx, text);
    case Node::Not:
        return !toBool(eval(*n.args[0], ctx, text));
    case Node::Call:
        return callFunction(n, ctx, text);
    case Node::Binary:
        break;
    }
    const QString& op = n.name;
    if (op == "AND")
        return toBool(eval(*n.args[0], ctx, text)) && toBool(eval(*n.args[1], ctx, text));
    if (op == "OR")
        return toBool(eval(*n.args[0], ctx, text)) || toBool(eval(*n.args[1], ctx, text));
    const QVariant a = eval(*n.args[0], ctx, text);
    const QVariant b = eval(*n.args[1], ctx, text);
    if (op == "+") {
        if (isText(a) || isText(b) || a.typeId() == QMetaType::QDate || b.typeId() == QMetaType::QDate)
            return ReportFormat::toText(a) + ReportFormat::toText(b);
        return toNumber(a) + toNumber(b);
    }
    if (op == "-")
        return toNumber(a) - toNumber(b);
    if (op == "*")
        return toNumber(a) * toNumber(b);
    if (op == "/") {
        const double d = toNumber(b);
        if (d == 0)
            throw ReportError(QString("Rapor ifadesinde sıfıra bölme: %1").arg(text));
        return toNumber(a) / d;
    }
    const int c = compareValues(a, b);
    if (op == "=")
        return c == 0;
    if (op == "<>")
        return c != 0;
    if (op == "<")
        return c < 0;
    if (op == ">")
        return c > 0;
    if (op == "<=")
        return c <= 0;
    return c >= 0;
}

} // namespace

ReportExpression::ReportExpression() = default;
ReportExpression::~ReportExpression() = default;
ReportExpression::ReportExpression(ReportExpression&&) noexcept = default;
ReportExpression& ReportExpression::operator=(ReportExpression&&) noexcept = default;

ReportExpression ReportExpression::parse(const QString& text)
{
    ReportExpression e;
    e.m_text = text;
    if (text.trimmed().isEmpty()) {
        e.m_root = std::make_unique<Node>();
        e.m_root->value = QString();
        return e;
    }
    e.m_root = Parser(text).parseAll();
    collectAggregates(e.m_root.get(), e.m_aggregates);
    return e;
}

bool ReportExpression::hasAggregates() const
{
    return !m_aggregates.empty();
}

namespace {
bool nodeUsesPageCount(const Node& n)
{
    if (n.kind == Node::Call && n.name == "PAGECOUNT")
        return true;
    for (const auto& a : n.args)
        if (nodeUsesPageCount(*a))
            return true;
    return false;
}
}

bool ReportExpression::usesPageCount() const
{
    return m_root && nodeUsesPageCount(*m_root);
}

QVariant ReportExpression::evaluate(const ReportExprContext& context) const
{
    if (!m_root)
        return QVariant();
    return eval(*m_root, context, m_text);
}

void ReportExpression::accumulate(const ReportExprContext& context)
{
    for (Node* a : m_aggregates) {
        if (a->name == "COUNT" && a->args.empty()) {
            ++a->count;
            continue;
        }
        const QVariant v = eval(*a->args[0], context, m_text);
        // NULL values take no part, as in the database's own sums.
        if (v.isNull() || !v.isValid())
            continue;
        if (a->name == "COUNT") {
            ++a->count;
            continue;
        }
        if (a->name == "MIN" || a->name == "MAX") {
            QVariant& slot = a->name == "MIN" ? a->min : a->max;
            const int sign = a->name == "MIN" ? -1 : 1;
            if (!slot.isValid() || compareValues(v, slot) * sign > 0)
                slot = v;
            continue;
        }
        a->sum += toNumber(v);
        ++a->count;
    }
}

void ReportExpression::reset()
{
    for (Node* a : m_aggregates) {
        a->sum = 0;
        a->count = 0;
        a->min = QVariant();
        a->max = QVariant();
    }
}
