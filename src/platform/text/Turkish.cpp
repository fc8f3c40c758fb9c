#include "platform/text/Turkish.h"

#include <QCollator>
#include <QLocale>

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

} // namespace

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
    return collator().compare(a, b);
}

bool Turkish::equalsIgnoreCase(const QString& a, const QString& b)
{
    return upper(a) == upper(b);
}
