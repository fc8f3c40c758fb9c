#pragma once
// The weight the electronic scale sends, cut out of the characters received
// from its serial line.
//
// The scale repeats its reading as lines of text. A frame, as the weigh-in
// reads it, begins with a carriage return (0x0D); the marks of the line
// follow (line feed, the stable/unstable mark "ST"/"US", a sign, depending
// on the model), and then a weight field of 7 characters whose digits, in
// their order, are the weight with two implied decimals:
//
//   type "1" ("TİP-1")         CR, 3 mark characters, the field: "\r\nST0072.50 kg"
//   type "2" ("TİP-2 (BX 1)")  CR, 5 mark characters, the field: "\r\nST,+0072.50kg"
//
// Every other character of the field (sign, blank, decimal point, unit
// letters) is dropped, so "0072.50" and "-072.50" both read 72,5 kg.
//
// Characters arrive in chunks of any size, cut anywhere. take() keeps them in
// the caller's buffer and hands out a weight only for a whole frame: a frame
// whose field is still incomplete waits for the next chunk, so a weight cut
// at a chunk's edge never comes out (72.50 never reads as 7.25). A frame
// that a new carriage return interrupts before its field is complete was
// cut short and gives nothing; characters before a carriage return belong
// to no frame and are dropped.
//
// With no frame type chosen (the registry's "Type" holds neither "1" nor
// "2") no weight can be cut: every 34 characters received read as the
// weight 0, which sends the operator to typed weights.

#include <QByteArray>
#include <QList>
#include <QString>

namespace ScaleFrame {

enum class Type { None, Type1, Type2 };
enum class Stability { Unknown, Stable, Unstable };

// The frame type of the registry value "Type": "1", "2"; anything else is
// no type.
Type typeOf(const QString& registryType);

// Characters of a frame: the carriage return, the marks, the field.
inline constexpr int kFieldLength = 7;
// Where the field begins, counted from the carriage return (0 for None).
int fieldOffset(Type type);
// Without a frame type, a reading of 0 comes for every block of this many
// characters.
inline constexpr int kBlockLength = 34;

struct Reading {
    double kilograms = 0;   // digits / 100, 0 when the field has no digit
    QByteArray digits;      // the digits of the field, in their order
    QByteArray marks;       // the characters between the carriage return and the field
    Stability stability = Stability::Unknown;
};

// The stability the marks of a frame state: "US" unstable, "ST" stable.
Stability stabilityOf(const QByteArray& marks);

// The weight of the digits of a field: the digits read as a whole number n,
// n / 100 kilograms ("007250" gives 72.5; no digits give 0).
double kilogramsOf(const QByteArray& digits);

// Takes every whole frame out of `buffer` (the characters received and not
// yet evaluated) and returns their readings in the order they came. What is
// left in `buffer` is the beginning of a frame that is not complete yet.
QList<Reading> take(QByteArray& buffer, Type type);

// The live weight as the weigh-in screen shows it: shortest decimal text
// with the user's decimal separator ("72,5", "65", "0").
QString liveText(double kilograms);

}
