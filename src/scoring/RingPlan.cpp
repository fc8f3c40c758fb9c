#include "scoring/RingPlan.h"

#include "scoring/BoutScore.h"

#include <QMap>

#include <algorithm>

namespace {

// "Brans in (:rp0, :rp1, ...)" with the names bound.
QString ringPlanBranchList(const QStringList& branches, QVariantMap& params)
{
    QStringList names;
    for (int i = 0; i < branches.size(); ++i) {
        const QString name = QString("rp%1").arg(i);
        names << ":" + name;
        params.insert(name, branches.at(i));
    }
    return "Brans in (" + names.join(", ") + ")";
}

bool ringPlanUnplayed(const Record& bout)
{
    // The bye's bout is decided by the draw; the third-place row is never fought.
    return bout.str("Bolge1") == "Pass" || bout.str("Bolge2") == "Pass" || bout.str("Tur") == "3.'LÜK MAÇI";
}

// The ring number of a label "... / RİNG-n" (0 when it has none).
int ringPlanRingOf(const QString& label)
{
    const int dash = label.lastIndexOf('-');
    return dash < 0 ? 0 : label.mid(dash + 1).trimmed().toInt();
}

QString ringPlanBoutLabel(const Record& bout)
{
    const QString tur = bout.str("Tur");
    if (tur == "FİNAL" || tur == "3.'LÜK MAÇI")
        return tur;
    return tur + " " + bout.str("Sira") + ".MAÇ";
}

} // namespace

QString RingPlan::ringLabel(const QString& dateText, int ring, const QString& ringWord)
{
    return dateText + " / " + ringWord + "-" + QString::number(ring);
}

int RingPlan::distribute(Database& db, const QStringList& branches, int rings, const QString& dateText,
                         const Timing& timing)
{
    if (rings < 1 || rings > kMaxRings)
        throw DbError(QString("Ring sayısı 1 ile %1 arasında olmalıdır: %2").arg(kMaxRings).arg(rings));
    if (branches.isEmpty())
        return 0;

    Transaction tx(db);
    QVariantMap params;
    const QString inList = ringPlanBranchList(branches, params);
    // The chosen classes start afresh.
    db.exec("update C_KURA set Tar_Saat = '', Skor = '', StartTime = '' where " + inList, params);

    // Slots the day's other bouts already hold.
    int usedSlots = 0;
    for (const Record& r : db.select("select Skor from C_KURA where Tar_Saat like :day and Skor <> ''",
                                     {{"day", dateText + " / %"}}))
        if (const auto code = RingMatch::split(r.str("Skor")))
            usedSlots = std::max(usedSlots, code->match.toInt());

    // Round levels: within each class the rounds in Kura_Key order.
    const Records bouts =
        db.select("select Kura_Key, Brans, Cinsiyet, Tur, Bolge1, Bolge2 from C_KURA where " + inList +
                      " order by Brans, Cinsiyet, Kura_Key",
                  params);
    QMap<int, QList<int>> byLevel;   // level -> Kura_Key, classes in name order
    QString lastClass;
    QString lastRound;
    int level = -1;
    for (const Record& b : bouts) {
        const QString cls = b.str("Brans") + "\x1f" + b.str("Cinsiyet");
        if (cls != lastClass) {
            lastClass = cls;
            lastRound = QString();
            level = -1;
        }
        if (b.str("Tur") != lastRound || level < 0) {
            lastRound = b.str("Tur");
            ++level;
        }
        if (!ringPlanUnplayed(b))
            byLevel[level].append(b.toInt("Kura_Key"));
    }

    int slot = usedSlots;   // slots used so far (0-based next slot)
    int planned = 0;
    for (auto it = byLevel.constBegin(); it != byLevel.constEnd(); ++it) {
        const QList<int>& keys = it.value();
        for (int i = 0; i < keys.size(); ++i) {
            const int ring = i % rings + 1;
            const int match = slot + i / rings + 1;
            if (match > 999)
                throw DbError("Bir ringe 999'dan fazla müsabaka yerleştirilemez.");
            const QTime start = timing.firstStart.addSecs(60 * timing.slotMinutes * (match - 1));
            db.update("C_KURA",
                      {{"Tar_Saat", ringLabel(dateText, ring)},
                       {"Skor", RingMatch::compose(ring, match)},
                       {"StartTime", start.toString("HH:mm")}},
                      "Kura_Key = :rp_k", {{"rp_k", keys.at(i)}});
            ++planned;
        }
        // The next level begins in a slot of its own.
        slot += (int(keys.size()) + rings - 1) / rings;
    }
    tx.commit();
    return planned;
}

int RingPlan::cancel(Database& db, const QStringList& branches)
{
    if (branches.isEmpty())
        return 0;
    QVariantMap params;
    const QString inList = ringPlanBranchList(branches, params);
    return db.exec("update C_KURA set Tar_Saat = '', Skor = '', StartTime = '' where " + inList, params);
}

CsvRows RingPlan::csvRows(Database& db, const QString& dateText)
{
    Records bouts = db.select("select * from C_KURA where Tar_Saat like :day and Tar_Saat <> ''",
                              {{"day", dateText + "%"}});
    std::stable_sort(bouts.begin(), bouts.end(), [](const Record& a, const Record& b) {
        const int ra = ringPlanRingOf(a.str("Tar_Saat"));
        const int rb = ringPlanRingOf(b.str("Tar_Saat"));
        if (ra != rb)
            return ra < rb;
        if (a.str("Tar_Saat") != b.str("Tar_Saat"))
            return a.str("Tar_Saat") < b.str("Tar_Saat");
        if (a.str("Skor").size() != b.str("Skor").size())
            return a.str("Skor").size() < b.str("Skor").size();
        if (a.str("Skor") != b.str("Skor"))
            return a.str("Skor") < b.str("Skor");
        return a.toInt("Kura_Key") < b.toInt("Kura_Key");
    });
    CsvRows rows{{"Ring", "Sıra", "Saat", "Tur", "Branş", "Sırt No", "Adı Soyadı", "Bölge", "Sırt No", "Adı Soyadı",
                  "Bölge", "Galip"}};
    for (const Record& b : bouts) {
        const auto code = RingMatch::split(b.str("Skor"));
        rows.append({b.str("Tar_Saat"), code ? QString::number(code->match.toInt()) : b.str("Skor"),
                     b.str("StartTime"), ringPlanBoutLabel(b), b.str("Brans"), b.str("Sira1"), b.str("Ad1"),
                     b.str("Bolge1"), b.str("Sira2"), b.str("Ad2"), b.str("Bolge2"), b.str("Salon")});
    }
    return rows;
}
