#include "registry/PersonSearch.h"

#include <QStringList>

namespace PersonSearch {

namespace {

// Collects the conditions and their bound values.
class PersonSearchWhere {
public:
    // A placeholder bound to the value.
    QString bind(const QVariant& value)
    {
        const QString name = QStringLiteral("ps%1").arg(++m_count);
        m_out.params.insert(name, value);
        return ":" + name;
    }
    // A placeholder for "like" matching the text anywhere (its own % and _
    // match themselves), followed by the escape clause.
    QString containing(const QString& text)
    {
        QString escaped = text;
        escaped.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
        return bind("%" + escaped + "%") + " escape '\\'";
    }
    void add(const QString& condition)
    {
        m_out.where += (m_out.hasWhere ? " and " : " where ") + condition;
        m_out.hasWhere = true;
    }
    Condition result() const { return m_out; }

private:
    Condition m_out;
    int m_count = 0;
};

QString personSearchBeltTerm(PersonSearchWhere& w, const QString& belt, const QString& style)
{
    if (style.isEmpty())
        return "(E25 like " + w.containing(belt) + " or Stiller like " + w.containing(belt) + ")";
    return "((Stil like " + w.containing(style) + " and E25 like " + w.containing(belt) +
           ") or Stiller like " + w.containing(belt + "(" + style + ")") + ")";
}

// Musteri_Key of the persons with the certificate number in a belt, coach
// title or referee title row ("7" also finds "07" and "007").
QString personSearchCertificateKeys(Database& db, const QString& number)
{
    QString alternative;
    if (number.size() == 2)
        alternative = "0" + number;
    else if (number.size() == 1)
        alternative = "00" + number;
    QStringList keys;
    for (const char* table : {"F_KUSAK", "F_ANT", "F_HAKEM"}) {
        QString sql = QStringLiteral("select Musteri_Key from %1 where KarNo = :n").arg(table);
        QVariantMap params{{"n", number}};
        if (!alternative.isEmpty()) {
            sql += " or KarNo = :a";
            params.insert("a", alternative);
        }
        for (const Record& r : db.select(sql, params))
            if (!r.isNull("Musteri_Key"))
                keys << QString::number(r.toInt64("Musteri_Key"));
    }
    return keys.isEmpty() ? QStringLiteral("0") : keys.join(',');
}

} // namespace

Records list(Database& db, const Condition& condition, const QString& orderBy)
{
    // The rows are sorted after they are found ("+" keeps the engine from
    // walking the order's index instead): for a condition no index serves
    // (a part of a name, a belt), walking the index would fetch every row of
    // the register out of order, many times slower than reading the table
    // once and sorting the matches.
    return db.select(QStringLiteral("select ") + kListColumns + " from C_MUSTERI" + condition.where + " order by +" +
                         Database::identifier(orderBy) + " collate TURKISH",
                     condition.params);
}

QString padRegisterNumber(const QString& typed)
{
    QString s = typed;
    while (s.size() < 7)
        s.prepend('0');
    return s;
}

QString mobileCondition()
{
    return "(Telefonlar like '5%' or E62 like '5%'"
           " or Telefonlar like '05%' or E62 like '05%'"
           " or Telefonlar like '0 5%' or E62 like '0 5%')";
}

Condition build(Database& db, const Criteria& c)
{
    PersonSearchWhere w;
    if (!c.name.isEmpty()) {
        const bool oneWord = !c.name.contains(' ');
        if (c.nameContains)
            w.add(oneWord ? "(Ad_Soyad like " + w.containing(c.name) + " or E47 like " + w.containing(c.name) + ")"
                          : "(Ad_Soyad like " + w.containing(c.name) + ")");
        else
            w.add(oneWord ? "(Ad_Soyad = " + w.bind(c.name) + " or E47 = " + w.bind(c.name) + ")"
                          : "(Ad_Soyad = " + w.bind(c.name) + ")");
    }
    if (!c.firstName.isEmpty())
        w.add("Adi = " + w.bind(c.firstName));
    if (!c.lastName.isEmpty())
        w.add("Soyadi = " + w.bind(c.lastName));
    if (c.changedFrom.isValid())
        w.add("M1 >= " + w.bind(c.changedFrom));
    if (c.changedTo.isValid())
        w.add("M1 <= " + w.bind(c.changedTo));
    if (!c.club.isEmpty())
        w.add("E16 = " + w.bind(c.club));
    if (!c.category.isEmpty())
        w.add("(E53 = " + w.bind(c.category) + " or E54 = " + w.bind(c.category) + " or E55 = " +
              w.bind(c.category) + ")");
    if (c.weightMax)
        w.add("E38 <= " + w.bind(*c.weightMax));
    if (c.weightMin)
        w.add("E38 >= " + w.bind(*c.weightMin));
    if (!c.gender.isEmpty())
        w.add("E15 = " + w.bind(c.gender));
    if (!c.registerNumber.isEmpty())
        w.add("Vergi_Numarasi = " + w.bind(c.registerNumber));
    if (!c.region.isEmpty())
        w.add("Vergi_Dairesi = " + w.bind(c.region));
    if (c.activity == QStringLiteral("SPORCU"))
        w.add("E50 <> ''");
    else if (c.activity == QStringLiteral("HAKEM"))
        w.add("E51 <> ''");
    else if (c.activity == QStringLiteral("ANTRENÖR"))
        w.add("E52 <> ''");
    else if (c.activity == QStringLiteral("DİĞER"))
        w.add("E43 <> ''");

    // Statuses and belts.
    if (!c.statusListMode) {
        if (!c.athleteTitle.isEmpty())
            w.add("E50 = " + w.bind(c.athleteTitle));
        if (!c.refereeTitle.isEmpty())
            w.add("E51 = " + w.bind(c.refereeTitle));
        if (!c.coachTitle.isEmpty())
            w.add("E52 = " + w.bind(c.coachTitle));
        if (!c.otherTitle.isEmpty())
            w.add("(E43 = " + w.bind(c.otherTitle) + " or Klup_Yetkilisi = " + w.bind(c.otherTitle) + ")");
        if (!c.belt.isEmpty())
            w.add(personSearchBeltTerm(w, c.belt, c.style));
    } else {
        QStringList terms;
        if (!c.athleteTitle.isEmpty())
            for (const QString& t : c.athleteTitles)
                terms << "E50 = " + w.bind(t);
        if (!c.refereeTitle.isEmpty())
            for (const QString& t : c.refereeTitles)
                terms << "E51 = " + w.bind(t);
        if (!c.coachTitle.isEmpty())
            for (const QString& t : c.coachTitles)
                terms << "E52 = " + w.bind(t);
        if (!c.otherTitle.isEmpty()) {
            for (const QString& t : c.otherTitles)
                terms << "E43 = " + w.bind(t);
            for (const QString& t : c.otherTitles)
                terms << "Klup_Yetkilisi = " + w.bind(t);
        }
        if (!c.belt.isEmpty())
            for (const QString& t : c.belts)
                terms << personSearchBeltTerm(w, t, c.style);
        if (!terms.isEmpty())
            w.add("(" + terms.join(" or ") + ")");
    }
    if (!c.style.isEmpty() && c.belt.isEmpty())
        w.add("(Stil like " + w.containing(c.style) + " or Stiller like " + w.containing(c.style) + ")");

    if (c.participation == QStringLiteral("YARIŞACAK"))
        w.add("Kullanici > 0");
    else if (c.participation == QStringLiteral("YARIŞMAYACAK"))
        w.add("Kullanici = 0");
    if (c.active == QStringLiteral("FAAL"))
        w.add("Tip = 1");
    else if (c.active == QStringLiteral("FAAL DEĞİL"))
        w.add("Tip = 0");
    if (!c.email.isEmpty())
        w.add("E63 like '%@%'");
    if (c.profReferee == QStringLiteral("VAR"))
        w.add("(E74 <> '' or M9 is not null)");
    else if (c.profReferee == QStringLiteral("YOK"))
        w.add("((E74 = '' or E74 is null) and M9 is null)");
    if (!c.mobile.isEmpty())
        w.add(mobileCondition());
    if (c.refereeVisa)
        w.add("(E68 = " + w.bind(c.refereeVisa) + " or E77 = " + w.bind(c.refereeVisa) + " or E78 = " +
              w.bind(c.refereeVisa) + ")");
    if (c.coachVisa)
        w.add("(E69 = " + w.bind(c.coachVisa) + " or E79 = " + w.bind(c.coachVisa) + " or E80 = " +
              w.bind(c.coachVisa) + ")");
    if (c.regionalRefereeVisa)
        w.add("E81 = " + w.bind(c.regionalRefereeVisa));
    if (c.athleteVisa)
        w.add("E67 = " + w.bind(c.athleteVisa));
    if (!c.phone.isEmpty())
        w.add("(Telefonlar like " + w.containing(c.phone) + " or E10 like " + w.containing(c.phone) +
              " or E61 like " + w.containing(c.phone) + " or E62 like " + w.containing(c.phone) + ")");
    if (!c.bloodGroup.isEmpty())
        w.add("E39 like " + w.containing(c.bloodGroup));
    if (!c.profession.isEmpty())
        w.add("E70 like " + w.containing(c.profession));
    if (!c.identityNumber.isEmpty())
        w.add("E42 = " + w.bind(c.identityNumber));
    if (!c.certificateNumber.isEmpty())
        w.add("Musteri_Key in (" + personSearchCertificateKeys(db, c.certificateNumber) + ")");
    return w.result();
}

}
