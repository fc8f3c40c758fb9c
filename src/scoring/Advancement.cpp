#include "scoring/Advancement.h"

#include "competition/MatchState.h"
#include "platform/ui/Messages.h"

namespace {

const QString kBadBackNumber = QStringLiteral("Hatalı Sırt Numarası Girdiniz. Lütfen Sırt Numarasını Sayı Giriniz ...!");
const QString kBadPlace = QStringLiteral("Hatalı Derece Girdiniz. Lütfen Düzeltiniz ...!");
const QString kAdminOnly = QStringLiteral("Galibi Admin Kullanıcı silebilir...!");

bool isThirdPlaceRound(const QString& tur)
{
    return tur.size() > 5 && tur.startsWith(Rounds::ThirdPlacePrefix);
}

// A back number as stored in an integer column: no value when empty.
QVariant backNumberValue(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? QVariant(n) : QVariant();
}

QVariant field(const QVariantMap& row, const QString& column)
{
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.value();
    return QVariant();
}

void setField(QVariantMap& row, const QString& column, const QVariant& value)
{
    for (auto it = row.begin(); it != row.end(); ++it) {
        if (it.key().compare(column, Qt::CaseInsensitive) == 0) {
            it.value() = value;
            return;
        }
    }
    row.insert(column, value);
}

} // namespace

QString Advancement::checkPlaces(const QVariant& place1, const QVariant& place2)
{
    for (const QVariant& p : {place1, place2}) {
        const QString t = p.isNull() ? QString() : p.toString().trimmed();
        if (!t.isEmpty() && t != "1" && t != "2" && t != "3")
            return kBadPlace;
    }
    return QString();
}

bool Advancement::GalipIs(int boutKey)
{
    const auto bout = m_db.first(
        "select Kura_Key, Brans, Cinsiyet, Tur, Sira, Salon, Derece1, Derece2 from C_KURA where Kura_Key = :k",
        {{"k", boutKey}});
    if (!bout)
        return false;
    const QString tur = bout->str("Tur");
    // A winner is recorded by his back number: a bout row never gets a
    // winner without one, nor a text where the number belongs.
    if (!isThirdPlaceRound(tur) && backNumberValue(s.FWinnerNo).isNull()) {
        Messages::error(kBadBackNumber);
        return false;
    }
    const QString placeError = checkPlaces(bout->value("Derece1"), bout->value("Derece2"));
    if (!placeError.isEmpty()) {
        Messages::error(placeError);
        return false;
    }

    Transaction tx(m_db);
    s.FWinnerBoutKey = boutKey;
    const QString label = MatchState::turMac(tur, bout->str("Sira"));
    if (!bout->str("Salon").isEmpty())
        GalipSil();

    CellSection changed = s.changedKeys();
    changed.clear();
    int count = 0;
    const QString winnerNo = s.FWinnerNo.trimmed();
    m_db.update("C_KURA", {{"Galip", winnerNo}, {"Salon", s.FWinnerName}}, "Kura_Key = :w_k", {{"w_k", boutKey}});
    changed.set(++count, boutKey);

    // The side that waits for this bout holds its label; blue sides are
    // searched first, then red ones. Labels compare exactly.
    const Records waiting =
        m_db.select("select Kura_Key, Ad1, Ad2 from C_KURA where Brans = :b and Cinsiyet = :g and "
                    "(Ad1 = :l or Ad2 = :l) order by Kura_Key",
                    {{"b", bout->str("Brans")}, {"g", bout->str("Cinsiyet")}, {"l", label}});
    for (int side = 1; side <= 2; ++side) {
        const QString n = QString::number(side);
        const auto it = std::find_if(waiting.begin(), waiting.end(),
                                     [&](const Record& r) { return r.str("Ad" + n) == label; });
        if (it == waiting.end())
            continue;
        const int next = it->toInt("Kura_Key");
        m_db.update("C_KURA",
                    {{"Ad" + n, s.FWinnerName}, {"Sira" + n, backNumberValue(winnerNo)}, {"Tur_Key" + n, boutKey}},
                    "Kura_Key = :w_k", {{"w_k", next}});
        changed.set(++count, next);
        break;
    }

    QStringList keys;
    for (int i = 1; i <= count; ++i)
        keys << changed.text(i);
    s.FChangedBoutKeys = keys.join(",");
    tx.commit();
    return true;
}

void Advancement::GalipSil()
{
    const int key = s.FWinnerBoutKey;
    const auto bout = m_db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
    if (!bout)
        return;
    const QString label = MatchState::turMac(bout->str("Tur"), bout->str("Sira"));

    Transaction tx(m_db);
    m_db.update("C_KURA", {{"Galip", QString()}, {"Salon", QString()}}, "Kura_Key = :w_k", {{"w_k", key}});
    const Records fed = m_db.select(
        "select Kura_Key, Tur_Key1, Tur_Key2 from C_KURA where Brans = :b and Cinsiyet = :g and "
        "(Tur_Key1 = :k or Tur_Key2 = :k) order by Kura_Key",
        {{"b", bout->str("Brans")}, {"g", bout->str("Cinsiyet")}, {"k", key}});
    for (int side = 1; side <= 2; ++side) {
        const QString n = QString::number(side);
        const auto it = std::find_if(fed.begin(), fed.end(), [&](const Record& r) {
            return !r.isNull("Tur_Key" + n) && r.toInt("Tur_Key" + n) == key;
        });
        if (it == fed.end())
            continue;
        m_db.update("C_KURA",
                    {{"Ad" + n, label}, {"Sira" + n, QVariant()}, {"Tur_Key" + n, QVariant()}, {"Derece" + n, QVariant()}},
                    "Kura_Key = :w_k", {{"w_k", it->toInt("Kura_Key")}});
        break;
    }
    tx.commit();
}

void Advancement::galipChanged(QVariantMap& row) const
{
    if (isThirdPlaceRound(field(row, "Tur").toString()))
        return;
    const QVariant galip = field(row, "Galip");
    const QString text = galip.isNull() ? QString() : galip.toString().trimmed();
    if (text.isEmpty()) {
        setField(row, "Salon", QString());
        return;
    }
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok) {
        Messages::error(kBadBackNumber);
        return;
    }
    const QVariantMap params{{"n", number}, {"b", field(row, "Brans")}, {"g", field(row, "Cinsiyet")}};
    for (int side = 1; side <= 2; ++side) {
        const QString n = QString::number(side);
        const Records rows = m_db.select(
            QString("select Kura_Key,Sira%1,Ad%1 from C_KURA where Sira%1 = :n and Brans = :b and Cinsiyet = :g").arg(n),
            params);
        if (rows.size() == 1) {
            setField(row, "Salon", rows.first().str("Ad" + n));
            return;
        }
    }
}

bool Advancement::winnerPopupOpens(const Record& bout) const
{
    if (s.FScoringStation == 1 || bout.isEmpty() || bout.isNull("Kura_Key"))
        return false;
    return bout.str("Salon") != "-" && bout.str("Tur") != Rounds::ThirdPlace;
}

QString Advancement::winnerItemCaption(const Record& bout, int side)
{
    const QString n = QString::number(side);
    return bout.str("Sira" + n).isEmpty() ? QString() : bout.str("Ad" + n);
}

bool Advancement::chooseWinner(int boutKey, int side)
{
    const auto bout = m_db.first("select * from C_KURA where Kura_Key = :k", {{"k", boutKey}});
    if (!bout || winnerItemCaption(*bout, side).isEmpty())
        return false;
    const QString n = QString::number(side);
    s.FWinnerNo = bout->str("Sira" + n);
    s.FWinnerName = bout->str("Ad" + n);
    return GalipIs(boutKey);
}

void Advancement::removeWinner(int boutKey, const std::function<bool()>& administratorPassword)
{
    if (s.FRestrictedUser == 1 && !(administratorPassword && administratorPassword())) {
        Messages::error(kAdminOnly);
        return;
    }
    s.FWinnerBoutKey = boutKey;
    GalipSil();
}
