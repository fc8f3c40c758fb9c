#include "competition/WeighSearch.h"

#include "app/kit/Formats.h"
#include "platform/db/Database.h"

double WeighSearch::weightOf(const QString& text, bool* ok)
{
    bool good = false;
    const double w = Formats::strToFloat(text.trimmed(), &good);
    if (ok)
        *ok = good && !text.trimmed().isEmpty();
    return good ? w : 0.0;
}

QString WeighSearch::padRegisterNumber(const QString& text)
{
    QString n = text;
    while (!n.isEmpty() && n.size() < 7)
        n.prepend('0');
    return n;
}

bool WeighSearch::build(const Filters& f, Condition& out)
{
    Condition c;
    const auto add = [&c](const QString& text, const QString& name, const QVariant& value) {
        c.conditions += text.arg(":" + name);
        c.params.insert(name, value);
    };
    double weight = 0;
    if (!f.weight.isEmpty()) {
        bool ok = false;
        weight = weightOf(f.weight, &ok);
        if (!ok)
            return false;
    }
    if (!f.name.isEmpty())
        add(" and Ad_Soyad like %1", "ws_ad", "%" + f.name + "%");
    if (!f.weightClass.isEmpty()) {
        c.conditions += " and (E53 = :ws_brans or E54 = :ws_brans or E55 = :ws_brans)";
        c.params.insert("ws_brans", f.weightClass);
    }
    if (!f.region.isEmpty())
        add(" and Vergi_Dairesi = %1", "ws_bolge", f.region);
    if (!f.club.isEmpty())
        add(" and E16 = %1", "ws_klup", f.club);
    if (!f.weight.isEmpty())
        add(" and E38 = %1", "ws_kilo", weight);
    if (!f.licence.isEmpty())
        add(" and E26 = %1", "ws_lisans", f.licence);
    if (!f.registerNumber.isEmpty())
        add(" and vergi_numarasi = %1", "ws_sicil", f.registerNumber);
    if (f.participation == "YARIŞACAK")
        c.conditions += " and Kullanici > 0";
    else if (f.participation == "YARIŞMAYACAK")
        c.conditions += " and Kullanici = 0";
    out = c;
    return true;
}

QString WeighSearch::reportSql(const Condition& c)
{
    return "select * from C_MUSTERI where E50 <> ''" + c.conditions;
}

QString WeighSearch::listSelect(const Condition& c, const QString& order)
{
    return "select Musteri_Key,Ad_Soyad,E38,Kullanici,Vergi_Numarasi,E23 from C_MUSTERI where E50 <> ''" +
           c.conditions + " order by " + Database::identifier(order);
}
