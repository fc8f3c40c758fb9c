#include "reports/CardRules.h"

#include "app/kit/Formats.h"

#include <cmath>

QString CardRules::joinSlash(const QString& first, const QString& second)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    return first + "/" + second;
}

QString CardRules::dateText(const Record& row, const QString& field)
{
    if (!row.has(field) || row.isNull(field))
        return QString();
    const QDate d = row.date(field);
    return d.isValid() ? Formats::dateToStr(d) : row.str(field);
}

QString CardRules::birthText(const Record& row)
{
    return joinSlash(dateText(row, "M3"), row.str("E17"));
}

QString CardRules::cityText(const Record& row)
{
    return joinSlash(row.str("E27"), row.str("E28"));
}

QString CardRules::placeText(const Record& row)
{
    return joinSlash(row.str("E29"), row.str("E40"));
}

int CardRules::visaYearFor(const QDate& today)
{
    return today.month() > 11 ? today.year() + 1 : today.year();
}

bool CardRules::parseVisaYear(const QString& text, int& year)
{
    bool ok = false;
    const double value = Formats::strToFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e6)
        return false;
    year = int(value);
    return true;
}

QStringList CardRules::visaYears(int year)
{
    QStringList out;
    for (int i = 0; i < 4; ++i)
        out << QString::number(year + i);
    return out;
}

CardRules::CoachGrade CardRules::coachGradeA(const QString& grade)
{
    if (grade == "1.KADEME ANTRENÖR")
        return {"1.KADEME YARDIMCI ANTRENÖR", "ANTRENÖR", "TRAINER"};
    if (grade == "3.KADEME ANTRENÖR")
        return {"3.KADEME KIDEMLİ ANTRENÖR", "ANTRENÖR", "TRAINER"};
    if (grade == "4.KADEME ANTRENÖR")
        return {"4.KADEME BAŞ ANTRENÖR", "ANTRENÖR", "TRAINER"};
    if (grade == "5.KADEME ANTRENÖR")
        return {"5.KADEME", "TEKNİK DİREKTÖR", "TECHNICAL COACH"};
    return {grade, "ANTRENÖR", "TRAINER"};
}

QString CardRules::coachGradeB(const QString& grade)
{
    if (grade == "5.KADEME ANTRENÖR")
        return "TEKNİK DİREKTÖR";
    const CoachGrade a = coachGradeA(grade);
    return a.box;
}

QString CardRules::categoryByKind(int kind, const Record& row, bool* known)
{
    if (known)
        *known = kind >= 1 && kind <= 4;
    switch (kind) {
    case 1:
        return row.str("E52");
    case 2:
        return row.str("E51");
    case 3:
        return row.str("Klup_Yetkilisi");
    case 4:
        return row.str("E42");
    default:
        return QString();
    }
}

const QStringList& CardRules::beltNames()
{
    static const QStringList names{"BEYAZ", "SARI", "TURUNCU", "YEŞİL", "MAVİ", "3. KYU", "2. KYU", "1. KYU"};
    return names;
}

int CardRules::beltStampCount(const QString& belt)
{
    // The station's colour belts carry the word " KUŞAK" after the colour
    // ("SARI KUŞAK"); the card names the colour alone.
    static const QString suffix = QStringLiteral(" KUŞAK");
    const QString colour = belt.endsWith(suffix) ? belt.chopped(suffix.size()) : belt;
    return int(beltNames().indexOf(colour)) + 1;
}

QString CardRules::accreditationLogLine(const QDateTime& when, const QString& registerNumber, const QString& name)
{
    return Formats::dateToStr(when.date()) + " " + Formats::timeToStr(when.time()).left(5) + " " + registerNumber +
           " " + name;
}
