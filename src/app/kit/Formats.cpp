#include "app/kit/Formats.h"

#include <QRegularExpression>

namespace {
QChar& decimal()
{
    static QChar d = QChar('.');
    return d;
}
}

void Formats::fix()
{
    // The desktop's locale (QLocale::system()) may say "." (C, en_US); the
    // weights, lists and messages of the program are Turkish.
    decimal() = kDecimalSeparator;
}

QChar Formats::decimalSeparator()
{
    return decimal();
}

void Formats::setDecimalSeparator(QChar separator)
{
    decimal() = separator;
}

QString Formats::dateToStr(const QDate& date)
{
    return date.isValid() ? date.toString(kShortDate) : QString();
}

QString Formats::timeToStr(const QTime& time)
{
    return time.isValid() ? time.toString(kLongTime) : QString();
}

QString Formats::dateTimeToStr(const QDateTime& dt)
{
    return dt.isValid() ? dt.toString(QString(kShortDate) + " " + kLongTime) : QString();
}

bool Formats::tryStrToDate(const QString& text, QDate& date)
{
    static const QRegularExpression re("^\\s*(\\d{1,2})[./-](\\d{1,2})[./-](\\d{2}|\\d{4})\\s*$");
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 50 ? 2000 : 1900;
    const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return false;
    date = d;
    return true;
}

QDate Formats::strToDate(const QString& text)
{
    QDate d;
    return tryStrToDate(text, d) ? d : QDate();
}

QTime Formats::strToTime(const QString& text)
{
    const QString t = text.trimmed();
    QTime time = QTime::fromString(t, "H:m:s");
    if (!time.isValid())
        time = QTime::fromString(t, "H:m");
    return time;
}

double Formats::strToFloat(const QString& text, bool* ok)
{
    QString t = text.trimmed();
    t.replace(',', '.');
    bool converted = false;
    const double v = t.toDouble(&converted);
    if (ok)
        *ok = converted;
    return converted ? v : 0.0;
}

QString Formats::floatToStr(double value, int decimals)
{
    QString s = decimals < 0 ? QString::number(value, 'g', 15) : QString::number(value, 'f', decimals);
    if (decimal() != QChar('.'))
        s.replace('.', decimal());
    return s;
}

QString Formats::today()
{
    return dateToStr(QDate::currentDate());
}
