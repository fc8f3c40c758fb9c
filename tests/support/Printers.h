#pragma once
// How failure messages show Qt values: a QString printed by GoogleTest
// (EXPECT_EQ on texts) as its text in quotes, and streamed into a message
// (`<< text`) as its text.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline std::ostream& operator<<(std::ostream& os, const QString& text)
{
    return os << text.toStdString();
}
