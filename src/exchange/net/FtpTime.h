#pragma once
// Time and size helpers of the FTP client: the modification time of an FTP
// MDTM reply, and the size of a local file.

#include <QDateTime>
#include <QString>

#include <cstdint>

// Days since 30 December 1899 with the time of day as the fraction.
using TDateTime = double;

// "YYYYMMDDhhmmss" with an optional ".sss": the moment; 0 for a text that
// holds no usable time (shorter than 14, month or day out of range), -1 for a
// date or time the calendar or clock rejects.
TDateTime MdtmToDateTime(const QString& S);
// The size of a local file; 0 when there is none.
int64_t GetLocalFileSize(const QString& FileName);
// Conversions between TDateTime and QDateTime (local time, no zone).
TDateTime DateTimeFromQDateTime(const QDateTime& D);
QDateTime QDateTimeFromDateTime(TDateTime D);
