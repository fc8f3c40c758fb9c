#include "registry/PersonBatch.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "reports/ReportLaunch.h"

#include <QFile>
#include <QFileInfo>

namespace PersonBatch {

DeleteCheck checkDelete(Database& db, int personKey)
{
    DeleteCheck c;
    c.name = db.scalar("select Ad_Soyad from C_MUSTERI where Musteri_Key = :k", {{"k", personKey}}).toString();
    const bool inBout =
        db.scalar("select count(*) from C_KURA k, C_LISTE l where l.Musteri_Key = :k and k.Brans = l.Brans and "
                  "(k.Sira1 = l.Sira or k.Sira2 = l.Sira)",
                  {{"k", personKey}})
            .toInt() > 0;
    const bool inWeighIn =
        db.scalar("select count(*) from C_LISTE where Musteri_Key = :k", {{"k", personKey}}).toInt() > 0;
    if (inBout)
        c.refusal = kInBout;
    else if (inWeighIn)
        c.refusal = kInWeighIn;
    c.resultRows = db.scalar("select count(*) from F_DER where Musteri_Key = :k", {{"k", personKey}}).toInt();
    return c;
}

QString deleteQuestion(const DeleteCheck& check)
{
    QString q = check.name.left(35) + " Kaydı Silinecektir. Eminmisiniz ...?";
    if (check.resultRows > 0)
        q += QStringLiteral("\n(Kişinin %1 Faaliyet Sonucu Kaydı da Silinecektir.)").arg(check.resultRows);
    return q;
}

bool deletePerson(Database& db, int personKey, const QString& photoHostPath)
{
    {
        Transaction t(db);
        for (const char* table : {"F_SEM", "F_DER", "F_GOR", "F_KUSAK", "F_ANT", "F_HAKEM", "F_LNC"})
            db.exec(QStringLiteral("delete * from %1 where Musteri_Key = :k").arg(table), {{"k", personKey}});
        db.exec("delete * from C_MUSTERI where Musteri_Key = :k", {{"k", personKey}});
        t.commit();
    }
    if (photoHostPath.isEmpty() || !QFileInfo::exists(photoHostPath))
        return true;
    QFile photo(photoHostPath);
    photo.setPermissions(photo.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return photo.remove();
}

QString visaCaption(VisaKind kind)
{
    switch (kind) {
    case VisaKind::Referee: return QStringLiteral("HAKEM");
    case VisaKind::Coach: return QStringLiteral("ANTRENÖR");
    case VisaKind::RegionalReferee: return QStringLiteral("BÖLGE HAKEM");
    }
    return QString();
}

int countPersons(Database& db, const QString& selectedKeys)
{
    return db.scalar("select count(*) from C_MUSTERI where Musteri_Key In (" + ReportLaunch::keyList(selectedKeys) +
                     ")")
        .toInt();
}

QString userStamp(const QString& userName, const QDate& today)
{
    return userName + ", " + Formats::dateToStr(today);
}

int postVisa(Database& db, const QString& selectedKeys, VisaKind kind, int year, const QString& stamp,
             const QDate& today)
{
    const QString keys = ReportLaunch::keyList(selectedKeys);
    const char* latest = kind == VisaKind::Referee ? "E68" : kind == VisaKind::Coach ? "E69" : "E81";
    const char* second = kind == VisaKind::Referee ? "E77" : "E79";
    const char* third = kind == VisaKind::Referee ? "E78" : "E80";
    Transaction t(db);
    int changed = 0;
    for (const Record& r : db.select("select * from C_MUSTERI where Musteri_Key In (" + keys + ")")) {
        if (r.str(latest) == QString::number(year))
            continue;
        QVariantMap fields;
        if (kind != VisaKind::RegionalReferee) {
            fields.insert(third, r.value(second));
            fields.insert(second, r.value(latest));
        }
        fields.insert(latest, year);
        fields.insert("M1", today);
        fields.insert("User", stamp);
        db.update("C_MUSTERI", fields, "Musteri_Key = :w_k", {{"w_k", r.value("Musteri_Key")}});
        ++changed;
    }
    t.commit();
    return changed;
}

Records seminarPersons(Database& db, const QString& selectedKeys, const QString& orderBy)
{
    return db.select("Select Musteri_Key, Ad_Soyad, M8 from C_MUSTERI where Musteri_Key In(" +
                     ReportLaunch::keyList(selectedKeys) + ") order by " + Database::identifier(orderBy));
}

bool hasSeminarOn(Database& db, int personKey, const QDate& date)
{
    return db.scalar("select count(*) from F_SEM where Musteri_Key = :k and Tarih = :d",
                     {{"k", personKey}, {"d", date}})
               .toInt() > 0;
}

void postSeminar(Database& db, int personKey, const Seminar& seminar, const QString& stamp, const QDate& today)
{
    Transaction t(db);
    const int key = Counters::next(db, "Sayiu");
    db.insert("F_SEM", {{"Sem_Key", key},
                        {"Musteri_Key", personKey},
                        {"Seminer", seminar.name},
                        {"Yer", seminar.place},
                        {"Tarih", seminar.end},
                        {"BTar", seminar.start.isValid() ? QVariant(seminar.start) : QVariant()}});
    const auto person = db.first("select M8 from C_MUSTERI where Musteri_Key = :k", {{"k", personKey}});
    QVariantMap fields{{"M1", today}, {"User", stamp}};
    if (person && (!person->date("M8").isValid() || seminar.end > person->date("M8")))
        fields.insert("M8", seminar.end);
    db.update("C_MUSTERI", fields, "Musteri_Key = :w_k", {{"w_k", personKey}});
    t.commit();
}

}
