#include "registry/CareerRules.h"

#include "app/kit/ReservedRows.h"
#include "app/kit/Formats.h"

#include <QDate>

namespace {

// "dd.mm.yyyy" of a date column, "" for an empty one.
QString shownDate(const Record& r, const QString& column)
{
    const QDate d = r.date(column);
    return d.isValid() ? Formats::dateToStr(d) : QString();
}

} // namespace

LicenceSummary SonLisans(const Records& rows, const QString& visaYearShown)
{
    LicenceSummary s;
    QStringList years;
    for (const Record& r : rows) {
        const QString visa = shownDate(r, "V_Tarih");
        // The four characters from the seventh: the year.
        if (!visa.isEmpty())
            years << visa.mid(6, 4);
    }
    s.visaYears = years.join(",");
    s.visaYear = visaYearShown;
    if (rows.isEmpty()) {
        s.visaYear.clear();
        return s;
    }
    const Record& last = rows.last();
    QString reference = shownDate(last, "V_Tarih");
    if (reference.isEmpty())
        reference = shownDate(last, "T_Tarih");
    if (reference.isEmpty())
        reference = shownDate(last, "L_Tarih");
    if (reference.isEmpty())
        s.visaYear.clear();
    else if (last.str("Lnc_No") != "SERBEST")
        s.visaYear = reference.mid(6, 4);
    s.licenceNumber = last.str("Lnc_No");
    return s;
}

QString penaltyStatus(const Records& rows)
{
    for (const Record& r : rows)
        if (r.toInt("Turnuva_Key") == kPenaltyActivityKey)
            return r.str("Gorev");
    return QString();
}

GymAndCoach latestGym(const Records& rows)
{
    if (rows.isEmpty())
        return {};
    return {rows.first().str("Gorev"), rows.first().str("Antrenor")};
}

QString latestSeminarDate(const Records& rows)
{
    return rows.isEmpty() ? QString() : shownDate(rows.last(), "Tarih");
}

VisaYears shiftVisaYears(const VisaYears& years, const QString& entered)
{
    if (entered.isEmpty() || entered == years.first)
        return years;
    return {entered, years.first, years.second};
}

bool titleHeld(Database& db, bool coach, int personKey, const QVariant& titleKey, const QVariant& rowKey)
{
    // A row not yet stored has no key: every row of the person counts.
    const bool stored = rowKey.isValid() && !rowKey.isNull() && !rowKey.toString().isEmpty();
    const QString sql = coach ? "SELECT * from F_ANT where Musteri_Key = :p and Ant_Key <> :k and Durum_Key = :d"
                              : "SELECT * from F_HAKEM where Musteri_Key = :p and Hak_Key <> :k and Durum_Key = :d";
    return db.first(sql, {{"p", personKey}, {"k", stored ? rowKey : QVariant(-1)}, {"d", titleKey}}).has_value();
}
