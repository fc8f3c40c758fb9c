#include "scoring/DrawUpkeep.h"

#include "competition/MatchState.h"

#include <QSet>

const QString DrawUpkeep::kDecidedBout =
    QStringLiteral("Karara bağlanmış müsabakayı silme yetkiniz bulunmamaktadır...!");
const QString DrawUpkeep::kSwapChanged = QStringLiteral(
    "Seçilen Müsabakalardan Biri Karara Bağlanmış veya Sporcusu Değişmiş. Lütfen Sporcuyu Yeniden Seçiniz ...!");

namespace {

// A back number as an integer column holds it: no value when empty.
QVariant storedBackNumber(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? QVariant(n) : QVariant();
}

QString labelOf(const Record& bout)
{
    return MatchState::turMac(bout.str("Tur"), bout.str("Sira"));
}

} // namespace

std::optional<Record> DrawUpkeep::bout(int key) const
{
    return m_db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
}

QString DrawUpkeep::deleteRefusal(const Record& bout, int restrictedUser)
{
    if (restrictedUser != 1)
        return QString();
    const bool decided = !bout.str("Karar").trimmed().isEmpty() || !bout.str("Salon").trimmed().isEmpty() ||
                         !bout.str("Galip").trimmed().isEmpty();
    return decided ? kDecidedBout : QString();
}

void DrawUpkeep::withdraw(const Record& source, const QString& replacement)
{
    // The chain of wins runs forward through the bracket; a row pointing
    // back at a bout already visited is not followed twice.
    QSet<int> visited;
    std::function<void(const Record&, const QString&)> takeBack = [&](const Record& from, const QString& put) {
        const int key = from.toInt("Kura_Key");
        if (visited.contains(key))
            return;
        visited.insert(key);
        const Records fed = m_db.select("select * from C_KURA where Brans = :b and Cinsiyet = :g and "
                                        "(Tur_Key1 = :k or Tur_Key2 = :k) order by Kura_Key",
                                        {{"b", from.str("Brans")}, {"g", from.str("Cinsiyet")}, {"k", key}});
        for (const Record& next : fed) {
            for (const QString& n : {QStringLiteral("1"), QStringLiteral("2")}) {
                if (next.isNull("Tur_Key" + n) || next.toInt("Tur_Key" + n) != key)
                    continue;
                const QString athlete = next.str("Sira" + n).trimmed();
                m_db.update("C_KURA",
                            {{"Ad" + n, put}, {"Sira" + n, QVariant()}, {"Tur_Key" + n, QVariant()},
                             {"Derece" + n, QVariant()}},
                            "Kura_Key = :w_k", {{"w_k", next.toInt("Kura_Key")}});
                // He had won that bout too: the win was his, so it goes, and
                // the bout after it waits for that bout's winner again.
                if (!athlete.isEmpty() && next.str("Galip").trimmed() == athlete) {
                    m_db.update("C_KURA", {{"Galip", QString()}, {"Salon", QString()}}, "Kura_Key = :w_k",
                                {{"w_k", next.toInt("Kura_Key")}});
                    takeBack(next, labelOf(next));
                }
            }
        }
    };
    takeBack(source, replacement);
}

bool DrawUpkeep::deleteBout(int boutKey)
{
    Transaction tx(m_db);
    const std::optional<Record> b = bout(boutKey);
    if (!b)
        return false;
    // What its winner's advancement wrote goes; no side is left waiting for
    // a bout that will not be fought.
    withdraw(*b, QString());
    for (const QString& n : {QStringLiteral("1"), QStringLiteral("2")})
        m_db.update("C_KURA", {{"Ad" + n, QString()}},
                    QString("Brans = :w_b and Cinsiyet = :w_g and Ad%1 = :w_l and Sira%1 is null and "
                            "Kura_Key <> :w_k")
                        .arg(n),
                    {{"w_b", b->str("Brans")}, {"w_g", b->str("Cinsiyet")}, {"w_l", labelOf(*b)}, {"w_k", boutKey}});
    m_db.exec("delete * from C_KURA where Kura_Key = :k", {{"k", boutKey}});
    tx.commit();
    return true;
}

int DrawUpkeep::deleteCategoryDraw(const QString& branch, const QString& gender,
                                   const std::function<void(int)>& progress)
{
    Transaction tx(m_db);
    const Records keys = m_db.select("select Kura_Key from C_KURA where Brans = :b and Cinsiyet = :g order by Kura_Key",
                                     {{"b", branch}, {"g", gender}});
    const int count = int(keys.size());
    int deleted = 0;
    for (const Record& r : keys) {
        m_db.exec("delete * from C_KURA where Kura_Key = :k", {{"k", r.toInt("Kura_Key")}});
        ++deleted;
        if (progress)
            progress(deleted * 100 / count);
    }
    tx.commit();
    return deleted;
}

bool DrawUpkeep::swappable(const Record& bout, const QString& side)
{
    if (bout.isEmpty() || (side != "1" && side != "2"))
        return false;
    return bout.str("Salon").isEmpty() && bout.str("Tip" + side) == "AD";
}

QStringList DrawUpkeep::athleteOf(const Record& bout, const QString& side)
{
    return {bout.str("Ad" + side), bout.str("Bolge" + side), bout.str("Klup" + side), bout.str("Tip" + side),
            bout.str("Sira" + side)};
}

QString DrawUpkeep::swap(int pickedKey, const QString& pickedSide, const QStringList& picked, int boutKey,
                         const QString& side)
{
    Transaction tx(m_db);
    const std::optional<Record> from = bout(pickedKey);
    const std::optional<Record> to = bout(boutKey);
    if (!from || !to || !swappable(*from, pickedSide) || !swappable(*to, side) ||
        athleteOf(*from, pickedSide) != picked)
        return kSwapChanged;
    if (pickedKey == boutKey && pickedSide == side)
        return QString();
    auto write = [this](int key, const QString& n, const QStringList& a) {
        m_db.update("C_KURA",
                    {{"Ad" + n, a[0]}, {"Bolge" + n, a[1]}, {"Klup" + n, a[2]}, {"Tip" + n, a[3]},
                     {"Sira" + n, storedBackNumber(a[4])}},
                    "Kura_Key = :w_k", {{"w_k", key}});
    };
    write(pickedKey, pickedSide, athleteOf(*to, side));
    write(boutKey, side, picked);
    tx.commit();
    return QString();
}

bool DrawUpkeep::setAbsent(int boutKey, int side, bool absent)
{
    if (side != 1 && side != 2)
        return false;
    return m_db.update("C_KURA", {{QString("Dis%1").arg(side), absent ? QVariant(1) : QVariant()}}, "Kura_Key = :w_k",
                       {{"w_k", boutKey}}) > 0;
}
