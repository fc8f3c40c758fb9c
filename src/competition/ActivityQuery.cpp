#include "competition/ActivityQuery.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"

#include <QRegularExpression>

namespace {

bool activityQueryEmptyDate(const QString& text)
{
    QString rest = text;
    rest.remove('.');
    return rest.trimmed().isEmpty();
}

// One condition with its value bound under a name of its own.
void activityQueryAdd(ActivityQuery::Condition& c, const QString& text, const QString& name, const QVariant& value)
{
    c.whereClause += text.arg(":" + name);
    c.params.insert(name, value);
}

} // namespace

ActivityQuery::DateState ActivityQuery::checkDate(const QString& text)
{
    if (activityQueryEmptyDate(text))
        return DateState::Empty;
    QDate d;
    if (!Formats::tryStrToDate(text.trimmed(), d) || !d.isValid())
        return DateState::Invalid;
    if (d < QDate(1950, 1, 1) || d > QDate(2050, 1, 1))
        return DateState::OutOfRange;
    return DateState::Valid;
}

QString ActivityQuery::dateMessage(DateState state)
{
    return state == DateState::OutOfRange ? QString(kDateOutOfRange) : QString(kBadDate);
}

QString ActivityQuery::statusColumn(int kind)
{
    static const char* const columns[4] = {"E50", "E51", "E52", "E43"};
    return columns[kind];
}

ActivityQuery::Condition ActivityQuery::build(const Filters& f, const QString& databaseKind)
{
    Condition c;
    c.whereClause = " where TURSORGU.Turnuva_Key > 0 ";
    const auto like = [](const QString& v) { return "%" + v + "%"; };

    if (!f.name.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Ad_Soyad like %1", "aq_ad", like(f.name));
    if (checkDate(f.dateFrom) == DateState::Valid)
        c.whereClause += " and TURSORGU.Tarih1 >=" + sqlDateLiteral(f.dateFrom, databaseKind);
    if (checkDate(f.dateTo) == DateState::Valid)
        c.whereClause += " and TURSORGU.Tarih2 <=" + sqlDateLiteral(f.dateTo, databaseKind);
    if (!f.type.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Turu = %1", "aq_turu", f.type);
    if (!f.kind.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Tipi = %1", "aq_tipi", f.kind);
    if (!f.weightClass.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Durum1 = %1", "aq_brans", f.weightClass);
    if (!f.activity.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Adi like %1", "aq_adi", like(f.activity));
    if (!f.gender.isEmpty())
        activityQueryAdd(c, " and TURSORGU.E15 = %1", "aq_cins", f.gender);
    if (!f.category.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Durum1 like %1", "aq_kat", like(f.category));
    if (!f.registerNumber.isEmpty())
        activityQueryAdd(c, " and TURSORGU.vergi_numarasi like %1", "aq_sicil", like(f.registerNumber));
    if (!f.region.isEmpty())
        activityQueryAdd(c, " and TURSORGU.Vergi_Dairesi = %1", "aq_bolge", f.region);
    // The placings come from the field's own list: numbers and commas only.
    static const QRegularExpression placingList("^[0-9]+(,[0-9]+)*$");
    if (!f.placing.isEmpty() && placingList.match(f.placing).hasMatch())
        c.whereClause += " and TURSORGU.Derece In (" + f.placing + ")";
    if (f.role == "SPORCU")
        c.whereClause += " and TURSORGU.E50 <> ''";
    else if (f.role == "HAKEM")
        c.whereClause += " and TURSORGU.E51 <> ''";
    else if (f.role == "ANTRENÖR")
        c.whereClause += " and TURSORGU.E52 <> ''";
    else if (f.role == "DİĞER")
        c.whereClause += " and TURSORGU.E43 <> ''";

    if (!f.listMode) {
        for (int k = 0; k < 4; ++k)
            if (!f.statuses[k].isEmpty())
                activityQueryAdd(c, " and TURSORGU." + statusColumn(k) + " = %1", QString("aq_st%1").arg(k),
                                 f.statuses[k]);
    } else {
        QStringList terms;
        for (int k = 0; k < 4; ++k) {
            if (f.statuses[k].isEmpty())
                continue;
            for (int i = 0; i < f.statusLists[k].size(); ++i) {
                const QString name = QString("aq_l%1_%2").arg(k).arg(i);
                terms << "TURSORGU." + statusColumn(k) + " = :" + name;
                c.params.insert(name, f.statusLists[k].at(i));
            }
        }
        if (!terms.isEmpty())
            c.whereClause += " and (" + terms.join(" or ") + ")";
    }
    return c;
}

QString ActivityQuery::reportSql(const QString& whereClause)
{
    return "Select * from TURSORGU" + whereClause;
}

QString ActivityQuery::listSelect(const QString& whereClause, const QString& orderBy)
{
    const QString order =
        orderBy == "Vergi_Numarasi" || orderBy == "Vergi_Dairesi" ? orderBy : QString("Ad_Soyad");
    return "select Musteri_Key,Ad_Soyad,Vergi_dairesi,Vergi_numarasi,E50,E51,E52,E43,E15,Durum1,Adi,Durum,Turu,"
           "Tarih1,Tarih2,Derece from TURSORGU" +
           whereClause + " order by " + order;
}
