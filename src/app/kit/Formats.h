#pragma once
// The date, time and number formats the whole program relies on.
//
// Dates are shown and typed as "dd.mm.yyyy", times as "HH:mm:ss", the date
// separator is ".", the time separator ":", the thousands separator ",". The
// decimal separator is the Turkish ",", whatever the locale of the desktop
// the program runs on (the messages ask for a comma, the lists print one).
// These are fixed at start-up for the whole run.

#include <QDate>
#include <QString>
#include <QTime>

namespace Formats {

inline constexpr const char* kShortDate = "dd.MM.yyyy";
inline constexpr const char* kLongTime = "HH:mm:ss";
inline constexpr QChar kDateSeparator = QChar('.');
inline constexpr QChar kTimeSeparator = QChar(':');
inline constexpr QChar kThousandSeparator = QChar(',');

// The program's own decimal separator.
inline constexpr QChar kDecimalSeparator = QChar(',');
// Fixes the process formats: the decimal separator becomes
// kDecimalSeparator, never the desktop's.
void fix();
QChar decimalSeparator();
// Sets the decimal separator (tests of the older "." reading set it).
void setDecimalSeparator(QChar separator);

// "05.03.2009"
QString dateToStr(const QDate& date);
// "14:05:09"
QString timeToStr(const QTime& time);
// "05.03.2009 14:05:09"
QString dateTimeToStr(const QDateTime& dt);
// Reads a date typed day first: "05.03.2009", "5.3.2009", "05/03/2009"; an
// invalid QDate when the text is no date.
QDate strToDate(const QString& text);
bool tryStrToDate(const QString& text, QDate& date);
// Reads "HH:mm:ss" or "HH:mm"; invalid when the text is no time.
QTime strToTime(const QString& text);
// A number typed with either decimal mark ("72,5" or "72.5"); ok false when
// the text is no number.
double strToFloat(const QString& text, bool* ok = nullptr);
// A number as the user reads it, with the user's decimal separator.
QString floatToStr(double value, int decimals = -1);
// Today's date in the short date format.
QString today();

}
