#include "competition/ScaleFrame.h"

#include "app/kit/Formats.h"

#include <cmath>

namespace {
const char kCarriageReturn = '\r';
}

ScaleFrame::Type ScaleFrame::typeOf(const QString& registryType)
{
    if (registryType == "1")
        return Type::Type1;
    if (registryType == "2")
        return Type::Type2;
    return Type::None;
}

int ScaleFrame::fieldOffset(Type type)
{
    switch (type) {
    case Type::Type1:
        return 4;
    case Type::Type2:
        return 6;
    case Type::None:
        break;
    }
    return 0;
}

ScaleFrame::Stability ScaleFrame::stabilityOf(const QByteArray& marks)
{
    if (marks.contains("US"))
        return Stability::Unstable;
    if (marks.contains("ST"))
        return Stability::Stable;
    return Stability::Unknown;
}

double ScaleFrame::kilogramsOf(const QByteArray& digits)
{
    // At most 7 digits: the whole number fits a double exactly.
    double n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    // Rounded to grams, as every weight of the weigh-in.
    return std::round(n * 1000.0) / 1000.0 / 100.0;
}

QList<ScaleFrame::Reading> ScaleFrame::take(QByteArray& buffer, Type type)
{
    QList<Reading> readings;

    if (type == Type::None) {
        // Nothing to cut a weight from: a block reads as 0 and is dropped.
        if (buffer.size() >= kBlockLength) {
            readings.append(Reading{});
            buffer.clear();
        }
        return readings;
    }

    const int offset = fieldOffset(type);
    const int frameLength = offset + kFieldLength;
    for (;;) {
        const qsizetype start = buffer.indexOf(kCarriageReturn);
        if (start < 0) {
            // No frame begins here; whatever came belongs to no frame.
            buffer.clear();
            break;
        }
        buffer.remove(0, start);

        // A carriage return inside the frame means this one was cut short:
        // the next frame starts there.
        const qsizetype next = buffer.indexOf(kCarriageReturn, 1);
        if (next > 0 && next < frameLength) {
            buffer.remove(0, next);
            continue;
        }
        if (buffer.size() < frameLength)
            break;  // the field is not complete yet: wait for more

        Reading r;
        r.marks = buffer.mid(1, offset - 1);
        for (char c : buffer.mid(offset, kFieldLength))
            if (c >= '0' && c <= '9')
                r.digits.append(c);
        r.kilograms = kilogramsOf(r.digits);
        r.stability = stabilityOf(r.marks);
        readings.append(r);
        buffer.remove(0, frameLength);
    }
    return readings;
}

QString ScaleFrame::liveText(double kilograms)
{
    return Formats::floatToStr(kilograms);
}
