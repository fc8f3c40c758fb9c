#include "platform/db/JetSql.h"

#include <QList>
#include <QRegularExpression>

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

} // namespace

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
            out += "||";
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
    if (!pendingLimit.isEmpty() && !pendingLimit.first().isEmpty()) {
        QString trimmed = out.trimmed();
        bool semicolon = trimmed.endsWith(';');
        if (semicolon)
            trimmed.chop(1);
        out = trimmed + " limit " + pendingLimit.first() + (semicolon ? ";" : "");
    }
    return out;
}
