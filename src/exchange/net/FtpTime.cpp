#include "exchange/net/FtpTime.h"

#include <QFileInfo>

#include <cmath>

namespace {

int netFtpTimeNumber(const QString& S, int From, int Len)
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

const QDate netFtpTimeEpoch(1899, 12, 30);

} // namespace

TDateTime MdtmToDateTime(const QString& S)
{
    if (S.size() < 14)
        return 0;
    const int Year = netFtpTimeNumber(S, 0, 4);
    const int Month = netFtpTimeNumber(S, 4, 2);
    const int Day = netFtpTimeNumber(S, 6, 2);
    if (Month <= 0 || Month > 12 || Day <= 0 || Day > 31)
        return 0;
    const QDate Date(Year, Month, Day);
    if (Year <= 0 || !Date.isValid())
        return -1;
    const int Hour = netFtpTimeNumber(S, 8, 2);
    const int Minute = netFtpTimeNumber(S, 10, 2);
    const int Second = netFtpTimeNumber(S, 12, 2);
    const int Msec = S.size() >= 18 ? netFtpTimeNumber(S, 15, 3) : 0;
    const QTime Time(Hour, Minute, Second, Msec);
    if (Hour < 0 || Minute < 0 || Second < 0 || Msec < 0 || !Time.isValid())
        return -1;
    return double(netFtpTimeEpoch.daysTo(Date)) + Time.msecsSinceStartOfDay() / 86400000.0;
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
    return double(netFtpTimeEpoch.daysTo(D.date())) + D.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime QDateTimeFromDateTime(TDateTime D)
{
    const double Days = std::floor(D);
    const qint64 Ms = qint64(std::llround((D - Days) * 86400000.0));
    return QDateTime(netFtpTimeEpoch.addDays(qint64(Days)), QTime(0, 0).addMSecs(int(Ms)));
}
