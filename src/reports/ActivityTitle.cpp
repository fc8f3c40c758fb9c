#include "reports/ActivityTitle.h"

namespace {

const char* const kTurkishMonths[] = {"OCAK",   "ŞUBAT",   "MART",  "NİSAN", "MAYIS", "HAZİRAN",
                                      "TEMMUZ", "AĞUSTOS", "EYLÜL", "EKİM",  "KASIM", "ARALIK"};
const char* const kEnglishMonths[] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                      "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, '0');
}

} // namespace

QString ActivityTitle::monthName(int month, bool international)
{
    if (month < 1 || month > 12)
        return QString();
    return QString::fromUtf8(international ? kEnglishMonths[month - 1] : kTurkishMonths[month - 1]);
}

QString ActivityTitle::period(const QDate& from, const QDate& to, bool international)
{
    if (!from.isValid() && !to.isValid())
        return QString();
    const QDate first = from.isValid() ? from : to;
    const QDate last = to.isValid() ? to : from;

    // "12", then " MART " or " ARALIK 2010 " where the last day's month or
    // year differs, then " - 14 MART 2010".
    QString middle;
    if (first.year() != last.year())
        middle = " " + monthName(first.month(), international) + " " + QString::number(first.year()) + " ";
    else if (first.month() != last.month())
        middle = " " + monthName(first.month(), international) + " ";
    return twoDigits(first.day()) + middle + " - " + twoDigits(last.day()) + " " +
           monthName(last.month(), international) + " " + QString::number(last.year());
}

QString ActivityTitle::compose(const QString& name, const QDate& from, const QDate& to, const QString& place,
                               bool international)
{
    return name + "\n" + period(from, to, international) + "  " + place;
}

QString ActivityTitle::compose(const Record& activity, bool international)
{
    return compose(activity.str("Adi"), activity.date("Tarih1"), activity.date("Tarih2"), activity.str("Yer"),
                   international);
}
