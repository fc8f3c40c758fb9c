#include "exchange/net/FtpTime.h"

#include <QFileInfo>

#include <cmath>

namespace {

int ftpTimeNumber(const QString& S, int From, int Len)
{
    int Value = 0;
    for (int I = From; I < From + Len && I < S.size(); ++I) {
        const QChar C = S[I];
        if (C < QLatin1Char('0') || C > QLatin1Char('9'))
            return -1;
        Value = Value * 10 + (C.unicode() - '0');
    }
    return Value;
}

const QDate ftpTimeEpoch(1899, 12, 30);

} // namespace

TDateTime MdtmToDateTime(const QString& S)
{
    if (S.size() < 14)
        return 0;
    const int Year = ftpTimeNumber(S, 0, 4);
    const int Month = ftpTimeNumber(S, 4, 2);
    const int Day = ftpTimeNumber(S, 6, 2);
    if (Month <= 0 || Month > 12 || Day <= 0 || Day > 31)
        return 0;
    const QDate Date(Year, Month, Day);
    if (Year <= 0 || !Date.isValid())
        return -1;
    const int Hour = ftpTimeNumber(S, 8, 2);
    const int Minute = ftpTimeNumber(S, 10, 2);
    const int Second = ftpTimeNumber(S, 12, 2);
    const int Msec = S.size() >= 18 ? ftpTimeNumber(S, 15, 3) : 0;
    const QTime Time(Hour, Minute, Second, Msec);
    if (Hour < 0 || Minute < 0 || Second < 0 || Msec < 0 || !Time.isValid())
        return -1;
    return double(ftpTimeEpoch.daysTo(Date)) + Time.msecsSinceStartOfDay() / 86400000.0;
}

int64_t GetLocalFileSize(const QString& FileName)
{
    const QFileInfo Info(QFileInfo(FileName).absoluteFilePath());
    if (!Info.exists())
        return 0;
    return Info.size();
}

TDateTime DateTimeFromQDateTime(const QDateTime& D)
{
    return double(ftpTimeEpoch.daysTo(D.date())) + D.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime QDateTimeFromDateTime(TDateTime D)
{
    const double Days = std::floor(D);
    const qint64 Ms = qint64(std::llround((D - Days) * 86400000.0));
    return QDateTime(ftpTimeEpoch.addDays(qint64(Days)), QTime(0, 0).addMSecs(int(Ms)));
}
