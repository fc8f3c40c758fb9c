#include "platform/db/SqlFunctions.h"
#include "scoring/ResultsPosting.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "scoring/Placings.h"

#include <QHash>

#include <map>
#include <optional>

namespace {

void report(const ResultsPosting::Progress& progress, int done, int total)
{
    if (progress && total > 0)
        progress(done * 100 / total);
}

void stampPerson(Database& db, int personKey, const ResultsPosting::Stamp& stamp)
{
    db.update("C_MUSTERI", {{"M1", stamp.today}, {"User", stamp.user + ", " + Formats::dateToStr(stamp.today)}},
              "Musteri_Key = :w_k", {{"w_k", personKey}});
}

bool alreadyPosted(const Database& db, int activityKey, int personKey, int categoryKey)
{
    return db.scalar("select count(*) from F_DER where Turnuva_Key = :t and Musteri_Key = :m and Durum_Key = :d",
                     {{"t", activityKey}, {"m", personKey}, {"d", categoryKey}})
               .toInt() > 0;
}

// The athlete stayed away from his bout: the first bout of the branch that
// holds his back number and an absence mark decides by his own side's mark.
bool absent(const Database& db, const QString& branch, const QVariant& number)
{
    if (number.isNull())
        return false;
    const auto bout = db.first("select Sira1, Sira2, Dis1, Dis2 from C_KURA where Brans = :b and "
                               "(Sira1 = :n or Sira2 = :n) and (Dis1 = 1 or Dis2 = 1) order by Kura_Key",
                               {{"b", branch}, {"n", number}});
    if (!bout)
        return false;
    const int n = number.toInt();
    return (!bout->isNull("Sira1") && bout->toInt("Sira1") == n && bout->toInt("Dis1") == 1) ||
           (!bout->isNull("Sira2") && bout->toInt("Sira2") == n && bout->toInt("Dis2") == 1);
}

} // namespace

QStringList ResultsPosting::missingBranches(const Database& db)
{
    QStringList missing;
    for (const Record& r : db.select("select Brans from C_LISTE group by Brans order by Brans")) {
        const QString branch = r.str("Brans");
        if (db.scalar("select count(*) from C_BRANS where Durum = :d", {{"d", branch}}).toInt() == 0)
            missing << branch;
    }
    return missing;
}

QString ResultsPosting::missingBranchText(const QString& branch)
{
    return branch + " branşı sistemde kayıtlı değildir.\n"
                    "Lütfen turnuvada kaydı yapılmış olan bu branşın sisteme girişini yapınız ...!";
}

QString ResultsPosting::unknownAthleteText(const QString& name)
{
    return name + " adlı sporcu sistemde kayıtlı değildir.\n"
                  "Turnuvada kaydı yapılmış olan bu sporcunun sisteme girişini yapınız ve turnuva bilgilerini "
                  "kendiniz giriniz ...!";
}

QString ResultsPosting::unknownPersonText(const QString& name)
{
    return name + " Sistemde kayıtlı değildir.\nLütfen bu kişiye ait turnuva bilgilerini kendiniz giriniz ...!";
}

ResultsPosting::Totals ResultsPosting::postResults(Database& db, int activityKey, const QString& category,
                                                   const Stamp& stamp, const Progress& progress)
{
    Totals t;
    Transaction tx(db);
    db.exec("Update C_LISTE set Puan = 0");
    Placings::DerecePuanla(db, {1, 2, 3});

    QString sql = "select Liste_Key, Brans, Ad, Onay, Musteri_Key, Tarih, Puan, Takim, Sira from C_LISTE";
    QVariantMap params;
    if (!category.isEmpty()) {
        sql += " where Brans like :Kategori";
        params.insert("Kategori", "%" + SqlFunctions::likeLiteral(category));
    }
    const Records rows = db.select(sql + " order by Liste_Key", params);

    QHash<QString, int> categoryKeys;
    auto categoryKey = [&](const QString& branch) {
        auto it = categoryKeys.find(branch);
        if (it == categoryKeys.end()) {
            const QVariant key = db.scalar("select Durum_Key from C_BRANS where Durum = :d", {{"d", branch}});
            it = categoryKeys.insert(branch, key.isValid() && !key.isNull() ? key.toInt() : 1);
        }
        return it.value();
    };

    for (int i = 0; i < int(rows.size()); ++i) {
        report(progress, i + 1, int(rows.size()));
        const Record& r = rows[i];
        const int person = r.toInt("Musteri_Key");
        const int key = categoryKey(r.str("Brans"));
        if (alreadyPosted(db, activityKey, person, key)) {
            ++t.notPosted;
            continue;
        }
        const int found = db.scalar("select count(*) from C_MUSTERI where Ad_Soyad = :a and Musteri_Key = :m",
                                    {{"a", r.str("Ad")}, {"m", person}})
                              .toInt();
        if (found != 1) {
            ++t.notPosted;
            t.warnings << unknownAthleteText(r.str("Ad"));
            continue;
        }
        const int place = r.toInt("Puan");
        const bool disqualified = r.toInt("Onay") == 0 || absent(db, r.str("Brans"), r.value("Sira"));
        db.insert("F_DER", {{"Der_Key", Counters::next(db, "Sayiu")},
                            {"Musteri_Key", person},
                            {"Turnuva_Key", activityKey},
                            {"Durum_Key", key},
                            {"Tarih", r.value("Tarih")},
                            {"Derece", place >= 1 && place <= 3 ? QVariant(place) : QVariant()},
                            {"Odul", disqualified ? QVariant(kDisqualified) : QVariant()}});
        stampPerson(db, person, stamp);
        ++t.posted;
    }
    tx.commit();
    return t;
}

ResultsPosting::Totals ResultsPosting::postDuties(Database& db, int activityKey, const QDate& activityStart,
                                                  const QList<int>& personKeys, const QString& duty,
                                                  const Stamp& stamp, const Progress& progress)
{
    Totals t;
    if (personKeys.isEmpty())
        return t;
    QStringList keys;
    for (int k : personKeys)
        keys << QString::number(k);
    Transaction tx(db);
    const Records persons =
        db.select("Select Musteri_Key, Ad_Soyad from C_MUSTERI where Musteri_Key In(" + keys.join(',') + ")");
    for (int i = 0; i < int(persons.size()); ++i) {
        report(progress, i + 1, int(persons.size()));
        const Record& p = persons[i];
        const int person = p.toInt("Musteri_Key");
        if (alreadyPosted(db, activityKey, person, 1)) {
            ++t.notPosted;
            continue;
        }
        if (db.scalar("select count(*) from C_MUSTERI where Musteri_Key = :m", {{"m", person}}).toInt() != 1) {
            ++t.notPosted;
            t.warnings << unknownPersonText(p.str("Ad_Soyad"));
            continue;
        }
        db.insert("F_DER", {{"Der_Key", Counters::next(db, "Sayiu")},
                            {"Musteri_Key", person},
                            {"Turnuva_Key", activityKey},
                            {"Durum_Key", 1},
                            {"Tarih", activityStart.isValid() ? QVariant(activityStart) : QVariant()},
                            {"Gorev", duty}});
        stampPerson(db, person, stamp);
        ++t.posted;
    }
    tx.commit();
    return t;
}

// ---------------------------------------------------------------------------

PointsList::PointValues PointsList::read(const Database& db)
{
    const Records rows = db.select("select Puani from C_PUAN");
    auto value = [&](int i) { return i < int(rows.size()) ? rows[i].toInt("Puani") : 0; };
    return {value(0), value(1), value(2), value(3), value(4), value(5)};
}

bool PointsList::hasUndecidedBouts(const Database& db)
{
    return db.scalar("Select count(*) From C_KURA where Nz(Galip, '') = '' and Nz(Tur, '') not like :third "
                     "and Nz(Ad1, '') <> '-' and Nz(Ad2, '') <> '-'",
                     {{"third", "3.'LÜK%"}})
               .toInt() > 0;
}

void PointsList::compute(Database& db, const PointValues& points, bool winPoints)
{
    Transaction tx(db);
    db.exec("Update C_LISTE set Puan = 0");
    db.exec("update C_LISTE set Puan = Puan + :p where Onay = 1", {{"p", points.participation}});
    Placings::DerecePuanla(db, {points.first, points.second, points.third});

    // The approved rows of each category by back number.
    using Category = std::pair<QString, QString>;
    std::map<Category, QMultiHash<int, int>> entrants;   // category -> back number -> Liste_Key
    for (const Record& r : db.select("select Liste_Key, Brans, Cinsiyet, Sira from C_LISTE where Onay = 1"))
        entrants[{r.str("Brans"), r.str("Cinsiyet")}].insert(r.toInt("Sira"), r.toInt("Liste_Key"));
    auto add = [&](const Record& bout, const QVariant& number, int value) {
        const auto it = entrants.find({bout.str("Brans"), bout.str("Cinsiyet")});
        if (it == entrants.end() || it->second.size() < 2)
            return;
        bool ok = false;
        const int n = number.toString().trimmed().toInt(&ok);
        if (!ok || it->second.count(n) != 1)
            return;
        db.exec("update C_LISTE set Puan = Nz(Puan, 0) + :p where Liste_Key = :k",
                {{"p", value}, {"k", it->second.value(n)}});
    };

    for (const Record& b : db.select("select Kura_Key, Tip1, Sira1, Tip2, Sira2, Brans, Cinsiyet from C_KURA "
                                     "where (Nz(Tip1, '') <> '' and Nz(Tip2, '') = '') or "
                                     "(Nz(Tip1, '') = '' and Nz(Tip2, '') <> '') order by Kura_Key"))
        add(b, b.str("Tip1").isEmpty() ? b.value("Sira2") : b.value("Sira1"), points.bye);

    if (winPoints)
        for (const Record& b : db.select("select Kura_Key, Galip, Brans, Cinsiyet from C_KURA where "
                                         "Nz(Galip, '') <> '' and Galip <> '-' order by Kura_Key"))
            add(b, b.value("Galip"), points.win);
    tx.commit();
}
