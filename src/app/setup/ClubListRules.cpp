#include "app/setup/ClubListRules.h"

#include "app/kit/Formats.h"
#include "platform/db/Database.h"

namespace {

// A typed part of a text as a LIKE pattern that finds it anywhere, with
// "%", "_" and the escape character themselves taken literally.
QString clubContainsPattern(const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == '%' || c == '_' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return "%" + escaped + "%";
}

// The persons of a club: those that refer to it by key, and those of its
// region that carry its name without a club key of their own.
const char* const kClubPersons =
    "(C_MUSTERI.Client_Key = :src or (C_MUSTERI.E16 = :srcName and C_MUSTERI.Vergi_Dairesi = :srcRegion"
    " and (C_MUSTERI.Client_Key is null or C_MUSTERI.Client_Key <= 1)))";

QVariantMap clubPersonsParams(Database& db, int key)
{
    const std::optional<Record> club =
        db.first("Select Durum, E1 from C_UYELIKSURESI where Durum_Key = :k", {{"k", key}});
    return {{"src", key},
            {"srcName", club ? club->str("Durum") : QString()},
            {"srcRegion", club ? club->str("E1") : QString()}};
}

} // namespace

namespace ClubListRules {

QString filterText(const ClubListFilter& f, QVariantMap& params)
{
    params.clear();
    QString filter;
    if (!f.contact.isEmpty()) {
        filter += " and C_UYELIKSURESI.Ad_Soyad like :contact escape '\\'";
        params.insert("contact", clubContainsPattern(f.contact));
    }
    if (!f.club.isEmpty()) {
        filter += " and C_UYELIKSURESI.Durum like :club escape '\\'";
        params.insert("club", clubContainsPattern(f.club));
    }
    if (!f.region.isEmpty()) {
        filter += " and C_UYELIKSURESI.E1 = :region";
        params.insert("region", f.region);
    }
    if (f.kind == ClubListFilter::Kind::Club)
        filter += " and C_UYELIKSURESI.Salon is null";
    else if (f.kind == ClubListFilter::Kind::Gym)
        filter += " and C_UYELIKSURESI.Salon = 1";
    if (f.inactiveOnly)
        filter += " and C_UYELIKSURESI.Faal = '0'";
    else
        filter += " and (C_UYELIKSURESI.Faal <> '0' or C_UYELIKSURESI.Faal is null)";
    return filter;
}

QString keyText(int key)
{
    const QString digits = QString::number(key);
    return digits.size() == 3 ? "0" + digits : digits;
}

QString selectedKeys(const QList<int>& keys)
{
    if (keys.isEmpty())
        return "0";
    QStringList parts;
    for (const int k : keys)
        parts << QString::number(k);
    return parts.join(',');
}

QString deleteRefusal(Database& db, int key)
{
    if (db.scalar("Select Count(*) as Sayi from F_LNC where Klup_Key = :k", {{"k", key}}).toInt() > 0)
        return QString("Silmek istediğiniz Kulüple ilgili Lisans kayıtları bulunmaktadır.") + "\n"
               + "Kulübü silmek için önce bu sporcuların Lisans Kulüp bilgisini değiştirmeniz gerekmektedir.";
    if (db.scalar(QString("Select Count(*) as Sayi from C_MUSTERI where ") + kClubPersons, clubPersonsParams(db, key))
            .toInt()
        > 0)
        return QString("Silmek istediğiniz Kulüple ilgili sporcu kayıtları bulunmaktadır.") + "\n"
               + "Kulübü silmek için önce bu sporcuların Kulübünü değiştirmeniz gerekmektedir.";
    return QString();
}

QString deleteQuestion(const QString& name)
{
    return name.left(35) + " Kulübü Silinecektir. Eminmisiniz ...?";
}

void deleteClub(Database& db, int key)
{
    Transaction tx(db);
    db.exec("delete from C_UYELIKSURESI where Durum_Key = :k", {{"k", key}});
    tx.commit();
}

QString moveRefusal(const QString& selectedKeys)
{
    if (selectedKeys == "0" || selectedKeys.isEmpty())
        return "Lütfen Aktarım yapılacak ve Aktarılacak olmak üzere 2 Kulüp Seçiniz...!";
    const int count = int(selectedKeys.split(',').size());
    if (count >= 3)
        return "Lütfen sadece 2 Kulüp Seçiniz...!";
    if (count == 1)
        return "Lütfen 2 Kulüp Seçiniz...!";
    return QString();
}

ClubMove planMove(Database& db, const QString& selectedKeys, int currentKey)
{
    const QStringList keys = selectedKeys.split(',');
    ClubMove m;
    m.sourceKey = keys.value(0).toInt();
    m.targetKey = keys.value(1).toInt();
    if (m.sourceKey == currentKey)
        std::swap(m.sourceKey, m.targetKey);
    m.sourceName = db.scalar("Select Durum from C_UYELIKSURESI where Durum_Key = :k", {{"k", m.sourceKey}}).toString();
    m.targetName = db.scalar("Select Durum from C_UYELIKSURESI where Durum_Key = :k", {{"k", m.targetKey}}).toString();
    m.persons = db.scalar(QString("Select Count(*) as Sayi from C_MUSTERI where ") + kClubPersons,
                          clubPersonsParams(db, m.sourceKey))
                    .toInt();
    return m;
}

QString moveQuestion(const ClubMove& m)
{
    return "Sicil Kayıtlarında " + m.sourceName + " Sporcuları (" + QString::number(m.persons) + ")" + "\n"
           + m.targetName + " Aktarılacaktır. Devam Edilsin mi?";
}

void movePersons(Database& db, const ClubMove& m, const QString& userName, const QDate& today)
{
    QVariantMap params = clubPersonsParams(db, m.sourceKey);
    params.insert("name", m.targetName);
    params.insert("target", m.targetKey);
    params.insert("stamp", userName + ", " + Formats::dateToStr(today));
    params.insert("today", today);
    Transaction tx(db);
    // The gym (E49) becomes the target club too: the persons now train there.
    db.exec(QString("Update C_MUSTERI SET E16 = :name, E49 = :name, Client_Key = :target, User = :stamp, M1 = :today "
                    "where ")
                + kClubPersons,
            params);
    tx.commit();
}

}
