#include "platform/db/JetSql.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <functional>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == '_';
}

// "#m/d/yyyy#" or "#m/d/yyyy h:mm[:ss] [AM|PM]#" -> ISO text, "" when not a date.
QString dateLiteral(const QString& inner)
{
    static const QRegularExpression re(
        "^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{2,4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?)?\\s*$");
    const auto m = re.match(inner);
    if (!m.hasMatch())
        return QString();
    const int month = m.captured(1).toInt();
    const int day = m.captured(2).toInt();
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 30 ? 2000 : 1900;
    QString out = QString("%1-%2-%3")
                      .arg(year, 4, 10, QChar('0'))
                      .arg(month, 2, 10, QChar('0'))
                      .arg(day, 2, 10, QChar('0'));
    if (!m.captured(4).isEmpty()) {
        int hour = m.captured(4).toInt();
        const QString ampm = m.captured(7).toUpper();
        if (ampm == "PM" && hour < 12)
            hour += 12;
        if (ampm == "AM" && hour == 12)
            hour = 0;
        out += QString(" %1:%2:%3")
                   .arg(hour, 2, 10, QChar('0'))
                   .arg(m.captured(5))
                   .arg(m.captured(6).isEmpty() ? QString("00") : m.captured(6));
    }
    return out;
}

// Where "&" stood, until its operands are known.
const QChar kJoin = QChar(0x0001);

// The translated statement in pieces: quoted strings and names, words
// (names, numbers, parameters), brackets, the join mark, single characters.
struct SqlToken {
    int start;
    int end;    // one past
    QChar kind; // '\'', '"', 'w', '(', ')', kJoin, ' ' or the character
};

QList<SqlToken> sqlTokens(const QString& sql)
{
    QList<SqlToken> tokens;
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == '\'' || c == '"') {
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            tokens.append({i, qMin(j + 1, n), c});
            i = j + 1;
            continue;
        }
        if (isWordChar(c) || c == ':' || c == '.' || c == '?') {
            int j = i + 1;
            while (j < n && (isWordChar(sql[j]) || sql[j] == '.'))
                ++j;
            tokens.append({i, j, QChar('w')});
            i = j;
            continue;
        }
        tokens.append({i, i + 1, c});
        ++i;
    }
    return tokens;
}

// The token that closes (forward) or opens (backward) the bracket at `at`.
int matchingBracket(const QList<SqlToken>& t, int at, int direction)
{
    int depth = 0;
    for (int k = at; k >= 0 && k < t.size(); k += direction) {
        if (t[k].kind == '(')
            depth += direction;
        else if (t[k].kind == ')')
            depth -= direction;
        if (depth == 0)
            return k;
    }
    return direction > 0 ? int(t.size()) - 1 : 0;
}

// Jet's "&" takes Null as an empty text: each operand of a join is wrapped
// in coalesce(x, '') before the joins become "||".
QString joinsWithNullAsEmpty(const QString& sql)
{
    if (!sql.contains(kJoin))
        return sql;
    const QList<SqlToken> t = sqlTokens(sql);
    QList<QPair<int, int>> operands;   // character spans to wrap
    for (int k = 0; k < t.size(); ++k) {
        if (t[k].kind != kJoin)
            continue;
        if (k > 0) {
            int first = k - 1;
            if (t[first].kind == ')') {
                first = matchingBracket(t, first, -1);
                // A function's name stands right before its bracket; a
                // word with a blank between ("select (") is no part of it.
                if (first > 0 && t[first - 1].kind == 'w' && t[first - 1].end == t[first].start)
                    --first;
            }
            // A quoted text is never Null: it needs no wrapping.
            const QChar before = t[k - 1].kind;
            if (before == 'w' || before == '"' || before == ')')
                operands.append({t[first].start, t[k - 1].end});
        }
        if (k + 1 < t.size()) {
            int last = k + 1;
            // A signed number or term: the sign goes with it.
            while ((t[last].kind == '-' || t[last].kind == '+') && last + 1 < t.size())
                ++last;
            if (t[last].kind == 'w' && last + 1 < t.size() && t[last + 1].kind == '(' &&
                t[last].end == t[last + 1].start)
                ++last;
            if (t[last].kind == '(')
                last = matchingBracket(t, last, 1);
            const QChar after = t[last].kind;
            if (after == 'w' || after == '"' || after == ')')
                operands.append({t[k + 1].start, t[last].end});
        }
    }
    // A span may be the operand of two joins ("a & b & c"); spans either
    // nest or stand apart, and the marks go in from the back.
    std::sort(operands.begin(), operands.end());
    operands.erase(std::unique(operands.begin(), operands.end()), operands.end());
    QList<QPair<int, QString>> marks;
    for (const auto& span : operands) {
        marks.append({span.second, QStringLiteral(", '')")});
        marks.append({span.first, QStringLiteral("coalesce(")});
    }
    std::stable_sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QString out = sql;
    for (const auto& m : marks)
        out.insert(m.first, m.second);
    out.replace(kJoin, QStringLiteral("||"));
    return out;
}

// A sort on a computed value (a join, a function) has no column's collation:
// it gets the Turkish one, as the columns have.
QString computedOrderInTurkish(const QString& sql)
{
    const QList<SqlToken> t = sqlTokens(sql);
    QList<int> inserts;
    for (int k = 0; k + 1 < t.size(); ++k) {
        if (t[k].kind != 'w' || t[k + 1].kind != 'w')
            continue;
        if (sql.mid(t[k].start, t[k].end - t[k].start).compare("order", Qt::CaseInsensitive) != 0 ||
            sql.mid(t[k + 1].start, t[k + 1].end - t[k + 1].start).compare("by", Qt::CaseInsensitive) != 0)
            continue;
        int itemStart = k + 2;
        int m = itemStart;
        auto closeItem = [&](int itemEnd) {
            // itemEnd: one past the item's last token
            int last = itemEnd - 1;
            if (last >= itemStart && t[last].kind == 'w') {
                const QString w = sql.mid(t[last].start, t[last].end - t[last].start).toLower();
                if (w == "asc" || w == "desc")
                    --last;
            }
            if (last <= itemStart)
                return;     // a bare name or number keeps its own order
            bool hasCollate = false;
            for (int q = itemStart; q <= last; ++q)
                if (t[q].kind == 'w' && sql.mid(t[q].start, t[q].end - t[q].start).compare("collate", Qt::CaseInsensitive) == 0)
                    hasCollate = true;
            if (!hasCollate)
                inserts.append(t[last].end);
        };
        while (m < t.size()) {
            const QChar kind = t[m].kind;
            if (kind == '(') {
                m = matchingBracket(t, m, 1) + 1;
                continue;
            }
            if (kind == ')' || kind == ';')
                break;
            if (kind == 'w') {
                const QString w = sql.mid(t[m].start, t[m].end - t[m].start).toLower();
                if (w == "limit" || w == "union" || w == "offset")
                    break;
            }
            if (kind == ',') {
                closeItem(m);
                itemStart = m + 1;
            }
            ++m;
        }
        closeItem(m);
        k = m;
    }
    QString out = sql;
    std::sort(inserts.begin(), inserts.end(), std::greater<int>());
    for (int at : inserts)
        out.insert(at, QStringLiteral(" collate TURKISH"));
    return out;
}

// The end of the quoted text (string or name) that starts at `at`: one past
// its closing quote, a doubled quote standing for one.
int pastQuoted(const QString& sql, int at)
{
    const QChar quote = sql[at];
    const QChar close = quote == '[' ? QChar(']') : quote;
    const int n = int(sql.size());
    int j = at + 1;
    while (j < n) {
        if (sql[j] == close) {
            if (close != ']' && j + 1 < n && sql[j + 1] == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return n;
}

bool opensQuoted(QChar c)
{
    return c == '\'' || c == '"' || c == '[' || c == '`';
}

// Jet has no comments: "--" is two minus signs and "/*" a division by
// whatever follows. The engine would read both as the start of a comment,
// so a blank goes between the two characters.
QString withoutCommentMarks(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 4);
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (opensQuoted(c)) {
            const int end = pastQuoted(sql, i);
            out += sql.mid(i, end - i);
            i = end;
            continue;
        }
        out += c;
        ++i;
        if (i < n && ((c == '-' && sql[i] == '-') || (c == '/' && sql[i] == '*')))
            out += ' ';
    }
    return out;
}

} // namespace

int JetSql::secondStatement(const QString& sql)
{
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (opensQuoted(c)) {
            i = pastQuoted(sql, i);
            continue;
        }
        // A ";" inside a trigger's body (begin ... end) ends no statement:
        // the engine's own rule says where one is complete.
        if (c == ';' && sqlite3_complete(sql.left(i + 1).toUtf8().constData())) {
            for (int j = i + 1; j < n; ++j)
                if (!sql[j].isSpace())
                    return j;
            return -1;
        }
        ++i;
    }
    return -1;
}

QString JetSql::translate(const QString& jet)
{
    QString out;
    out.reserve(jet.size() + 16);
    const int n = int(jet.size());
    QString lastWord;           // previous keyword-like word (lower case)
    int depth = 0;
    QList<QString> pendingLimit = {QString()}; // per parenthesis depth
    int i = 0;

    auto skipSpaces = [&](int from) {
        while (from < n && jet[from].isSpace())
            ++from;
        return from;
    };

    while (i < n) {
        const QChar c = jet[i];
        if (c == '\'') {
            // Copy a single-quoted string, '' stays an escaped quote.
            int j = i + 1;
            while (j < n) {
                if (jet[j] == '\'') {
                    if (j + 1 < n && jet[j + 1] == '\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += jet.mid(i, j - i + 1);
            i = j + 1;
            lastWord.clear();
            continue;
        }
        if (c == '"') {
            QString content;
            int j = i + 1;
            while (j < n) {
                if (jet[j] == '"') {
                    if (j + 1 < n && jet[j + 1] == '"') {
                        content += '"';
                        j += 2;
                        continue;
                    }
                    break;
                }
                content += jet[j];
                ++j;
            }
            content.replace("'", "''");
            out += "'" + content + "'";
            i = j + 1;
            lastWord.clear();
            continue;
        }
        if (c == '[') {
            const int j = int(jet.indexOf(']', i + 1));
            if (j > i) {
                QString name = jet.mid(i + 1, j - i - 1);
                name.replace("\"", "\"\"");
                out += "\"" + name + "\"";
                i = j + 1;
                lastWord.clear();
                continue;
            }
        }
        if (c == '#') {
            const int j = int(jet.indexOf('#', i + 1));
            if (j > i) {
                const QString iso = dateLiteral(jet.mid(i + 1, j - i - 1));
                if (!iso.isEmpty()) {
                    out += "'" + iso + "'";
                    i = j + 1;
                    lastWord.clear();
                    continue;
                }
            }
        }
        if (c == ':' && i + 1 < n && isWordChar(jet[i + 1])) {
            int j = i + 1;
            while (j < n && isWordChar(jet[j]))
                ++j;
            out += jet.mid(i, j - i);
            i = j;
            continue;
        }
        if (c == '&') {
            out += kJoin;
            ++i;
            continue;
        }
        if (c == '(') {
            ++depth;
            pendingLimit.append(QString());
            out += c;
            ++i;
            lastWord.clear();
            continue;
        }
        if (c == ')') {
            if (depth > 0) {
                const QString limit = pendingLimit.takeLast();
                if (!limit.isEmpty())
                    out += " limit " + limit;
                --depth;
            }
            out += c;
            ++i;
            lastWord.clear();
            continue;
        }
        if (c == '*' && lastWord == "delete") {
            // "delete * from" -> "delete from"
            const int j = skipSpaces(i + 1);
            if (jet.mid(j, 4).compare("from", Qt::CaseInsensitive) == 0 && (j + 4 >= n || !isWordChar(jet[j + 4]))) {
                // drop the star and the blank before it
                while (out.endsWith(' '))
                    out.chop(1);
                out += ' ';
                i = j;
                continue;
            }
        }
        if (isWordChar(c) && !(i > 0 && (isWordChar(jet[i - 1]) || jet[i - 1] == '.'))) {
            int j = i;
            while (j < n && isWordChar(jet[j]))
                ++j;
            const QString word = jet.mid(i, j - i);
            const QString lower = word.toLower();
            const bool qualified = j < n && jet[j] == '.';
            if (!qualified && lower == "true") {
                out += "-1";
            } else if (!qualified && lower == "false") {
                out += "0";
            } else if (!qualified && lower == "mod") {
                out += "%";
            } else if (lower == "top" && (lastWord == "select" || lastWord == "distinct")) {
                int k = skipSpaces(j);
                int e = k;
                while (e < n && jet[e].isDigit())
                    ++e;
                if (e > k) {
                    pendingLimit[depth] = jet.mid(k, e - k);
                    // drop "top N" and the spaces that followed it
                    i = skipSpaces(e);
                    continue;
                }
                out += word;
            } else {
                out += word;
            }
            lastWord = lower;
            i = j;
            continue;
        }
        if (!c.isSpace() && c != '*')
            lastWord.clear();
        out += c;
        ++i;
    }
    out = joinsWithNullAsEmpty(out);
    out = computedOrderInTurkish(out);
    out = withoutCommentMarks(out);
    if (!pendingLimit.isEmpty() && !pendingLimit.first().isEmpty()) {
        QString trimmed = out.trimmed();
        bool semicolon = trimmed.endsWith(';');
        if (semicolon)
            trimmed.chop(1);
        out = trimmed + " limit " + pendingLimit.first() + (semicolon ? ";" : "");
    }
    return out;
}
