#include "app/publish/ResultsDatabase.h"

#include "platform/db/Database.h"
#include "scoring/Placings.h"

#include <QFileInfo>
#include <QHash>
#include <QPair>

#include <algorithm>

namespace {

const char* const kResultsCreate[] = {
    "CREATE TABLE Kuralar ( Sira_No INT NOT NULL PRIMARY KEY, Brans VARCHAR(40), Cinsiyet VARCHAR(20), "
    "Tur VARCHAR(20), Tarih_Ring VARCHAR(40), Ring_Sira VARCHAR(10), Grup VARCHAR(5), Ad_1 VARCHAR(40), "
    "Bolge_1 VARCHAR(40), Bolge_Kisa_1 VARCHAR(20), Flag_1 VARCHAR(20), Ad_2 VARCHAR(40), "
    "Bolge_2 VARCHAR(40), Bolge_Kisa_2 VARCHAR(20), Flag_2 VARCHAR(20), Galip VARCHAR(40), "
    "Puan_1 INT, Puan_2 INT, Disq_1 INT, Disq_2 INT, Karar VARCHAR(50) ); ",
    "CREATE TABLE Listeler ( Sira_No INT NOT NULL PRIMARY KEY, Brans VARCHAR(40), Cinsiyet VARCHAR(20), "
    "Ad VARCHAR(40), Bolge VARCHAR(40), Bolge_Kisa VARCHAR(20), Onay INT, Kulup VARCHAR(40), "
    "Flag VARCHAR(20), Tarih DATE ); ",
    "CREATE TABLE Dereceler ( Sira_No INT NOT NULL PRIMARY KEY, Brans VARCHAR(40), Cinsiyet VARCHAR(20), "
    "Bolge VARCHAR(40), Bolge_Kisa VARCHAR(20), Ad VARCHAR(40), Flag VARCHAR(20), Derece INT ); ",
    "CREATE TABLE Tarih ( Tarih DATE, Saat DATE ); ",
};

const char* const kResultsTables[] = {"Kuralar", "Listeler", "Dereceler", "Tarih"};

// A side of a bout: its region and short region from the weigh-in row of
// its back number in the bout's own category.
struct ResultsSide {
    QString region;
    QString shortRegion;
};

ResultsSide resultsSideOf(const Database& source, const Record& bout, int side)
{
    const QString n = QString::number(side);
    if (bout.isNull("Sira" + n) || bout.str("Sira" + n).isEmpty() || bout.str("Bolge" + n) == "Pass")
        return {};
    const std::optional<Record> row =
        source.first("select Bolge, BolgeK from C_LISTE where Sira = :s and Brans = :b and Cinsiyet = :c "
                     "order by Liste_Key",
                     {{"s", bout.value("Sira" + n)}, {"b", bout.str("Brans")}, {"c", bout.str("Cinsiyet")}});
    if (!row)
        return {};
    return {row->str("Bolge"), row->str("BolgeK")};
}

QVariant resultsOrNull(const Record& r, const QString& field)
{
    return r.isNull(field) ? QVariant() : r.value(field);
}

}

namespace ResultsDatabase {

void prepare(const QString& hostPath)
{
    const bool existed = QFileInfo::exists(hostPath);
    Database out;
    out.open(hostPath, false);
    Transaction tx(out);
    if (existed && out.hasTable("Kuralar")) {
        for (const char* table : kResultsTables)
            out.exec(QStringLiteral("DELETE from ") + QLatin1String(table));
    } else {
        for (const char* create : kResultsCreate)
            out.exec(QString::fromLatin1(create));
    }
    tx.commit();
    out.close();
}

QString flagOf(const Database& source, const QString& region)
{
    const Records rows = source.select("select Durum_Key from C_UYELIKTURU where Durum = :r", {{"r", region}});
    if (rows.size() != 1)
        return {};
    const int key = rows.first().toInt("Durum_Key");
    return key < 101 ? QStringLiteral("Flg0.bmp") : QStringLiteral("Flg%1.bmp").arg(key);
}

void fill(const Database& source, const QString& hostPath, bool flags, const QDateTime& at)
{
    QHash<QString, QString> flagCache;
    auto flag = [&](const QString& region) -> QVariant {
        if (!flags)
            return QString();
        auto it = flagCache.find(region);
        if (it == flagCache.end())
            it = flagCache.insert(region, region.isEmpty() ? QString() : flagOf(source, region));
        return it.value();
    };

    Database out;
    out.open(hostPath, true);
    Transaction tx(out);
    // Bouts. The third-place row nobody fights carries "-" as its winner.
    int number = 0;
    for (const Record& b : source.select("select * from C_KURA where Salon is null or Salon <> '-' "
                                         "order by Kura_Key")) {
        const ResultsSide blue = resultsSideOf(source, b, 1);
        const ResultsSide red = resultsSideOf(source, b, 2);
        const bool bye = b.str("Bolge1") == "Pass" || b.str("Bolge2") == "Pass";
        const bool decided = !b.str("Salon").isEmpty() && !b.str("Galip").isEmpty();
        const bool scored = decided && !bye;
        out.insert("Kuralar", {{"Sira_No", ++number},
                               {"Brans", b.str("Brans")},
                               {"Cinsiyet", b.str("Cinsiyet")},
                               {"Tur", b.str("Tur")},
                               {"Tarih_Ring", b.str("Tar_Saat")},
                               {"Ring_Sira", b.str("Skor")},
                               {"Grup", b.str("Grup")},
                               {"Ad_1", b.str("Sira1").isEmpty() ? QString() : b.str("Ad1")},
                               {"Bolge_1", blue.region},
                               {"Bolge_Kisa_1", blue.shortRegion},
                               {"Flag_1", flag(blue.region)},
                               {"Ad_2", b.str("Sira2").isEmpty() ? QString() : b.str("Ad2")},
                               {"Bolge_2", red.region},
                               {"Bolge_Kisa_2", red.shortRegion},
                               {"Flag_2", flag(red.region)},
                               {"Galip", decided ? b.str("Salon") : QString()},
                               {"Puan_1", scored ? resultsOrNull(b, "Puan1") : QVariant()},
                               {"Puan_2", scored ? resultsOrNull(b, "Puan2") : QVariant()},
                               {"Disq_1", resultsOrNull(b, "Dis1")},
                               {"Disq_2", resultsOrNull(b, "Dis2")},
                               {"Karar", b.str("Karar")}});
    }

    // Weigh-in rows.
    number = 0;
    for (const Record& l : source.select("Select * from C_LISTE order by Liste_Key")) {
        out.insert("Listeler", {{"Sira_No", ++number},
                                {"Brans", l.str("Brans")},
                                {"Cinsiyet", l.str("Cinsiyet")},
                                {"Ad", l.str("Ad")},
                                {"Bolge", l.str("Bolge")},
                                {"Bolge_Kisa", l.str("BolgeK")},
                                {"Onay", resultsOrNull(l, "Onay")},
                                {"Kulup", l.str("Klup")},
                                {"Flag", flag(l.str("Bolge"))},
                                {"Tarih", l.isNull("Tarih") ? QVariant() : QVariant(l.date("Tarih"))}});
    }

    // Placings 1 to 4 of each category that has a first place, the
    // categories in the order of their names.
    QHash<int, Record> entries;
    for (const Record& l : source.select("select Liste_Key, Ad, Bolge, BolgeK from C_LISTE"))
        entries.insert(l.toInt("Liste_Key"), l);
    const QList<Placings::Placing> places = Placings::ranking(source, {QString(), true});
    number = 0;
    for (const Record& cat : source.select("select Cinsiyet, Brans from C_KURA group by Cinsiyet, Brans "
                                           "order by Brans, Cinsiyet")) {
        QList<QPair<int, Record>> placed;
        for (const Placings::Placing& p : places)
            if (p.place >= 1 && p.place <= 4 && p.brans == cat.str("Brans") &&
                p.cinsiyet == cat.str("Cinsiyet") && entries.contains(p.listeKey))
                placed.append({p.place, entries.value(p.listeKey)});
        std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first < b.first;
            return QString::localeAwareCompare(a.second.str("Ad"), b.second.str("Ad")) < 0;
        });
        if (placed.isEmpty() || placed.first().first != 1)
            continue;
        for (const auto& [place, row] : placed)
            out.insert("Dereceler", {{"Sira_No", ++number},
                                     {"Brans", cat.str("Brans")},
                                     {"Cinsiyet", cat.str("Cinsiyet")},
                                     {"Bolge", row.str("Bolge")},
                                     {"Bolge_Kisa", row.str("BolgeK")},
                                     {"Ad", row.str("Ad")},
                                     {"Flag", flag(row.str("Bolge"))},
                                     {"Derece", place}});
    }

    out.insert("Tarih", {{"Tarih", at.date()}, {"Saat", at.time()}});
    tx.commit();
    out.close();
}

}
