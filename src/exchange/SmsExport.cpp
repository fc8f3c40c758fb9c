#include "exchange/SmsExport.h"

#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace SmsExport {

namespace {

const QColor kSmsNavy{0, 0, 128};
const QColor kSmsBlack{0, 0, 0};
const QColor kSmsGrey{128, 128, 128};

// The key the outside database gave the row just inserted.
QVariant smsInsertedKey(Database& sms, const QString& table, const QString& keyColumn, const QString& insertSql,
                        const QVariantMap& params)
{
    const QSqlQuery q = sms.run(insertSql, params);
    const QVariant rowId = q.lastInsertId();
    return sms.scalar("select " + keyColumn + " from " + table + " where rowid = :r", {{"r", rowId}});
}

// grup_id of the group "LİSTE" (the last one read when there are several),
// made when there is none.
QVariant smsGroupId(Database& sms)
{
    QVariant id;
    for (const Record& r : sms.select("select * from t_grup"))
        if (r.str("grup_adi") == QString::fromUtf8(kGroupName))
            id = r.value("grup_id");
    if (id.isValid())
        return id;
    return smsInsertedKey(sms, "t_grup", "grup_id", "insert into t_grup (grup_adi) values (:n)",
                          {{"n", QString::fromUtf8(kGroupName)}});
}

// Takes every member out of the group; a recipient no other group uses is
// deleted with his membership.
void smsEmptyGroup(Database& sms, const QVariant& group)
{
    for (const Record& m : sms.select("select kisi_id from t_kisi_grubu where grup_id = :g", {{"g", group}})) {
        const QVariant person = m.value("kisi_id");
        sms.exec("delete from t_kisi_grubu where grup_id = :g and kisi_id = :k", {{"g", group}, {"k", person}});
        const int elsewhere =
            sms.scalar("select count(*) from t_kisi_grubu where kisi_id = :k", {{"k", person}}).toInt();
        if (elsewhere == 0)
            sms.exec("delete from t_kisi where kisi_id = :k", {{"k", person}});
    }
}

} // namespace

QString normalMobile(const QString& stored)
{
    QString s;
    for (const QChar ch : stored)
        if (!ch.isSpace())
            s += ch;
    if (s.isEmpty())
        return QString();
    for (const QChar ch : s)
        if (ch < QChar('0') || ch > QChar('9'))
            return QString();
    if (s.size() > 10 && s.startsWith('0'))
        s.remove(0, 1);
    if (s.size() != 10 || !s.startsWith('5'))
        return QString();
    return s;
}

QString findProgram(bool alsoX86)
{
    if (QFileInfo::exists(DriveMap::toHost(kProgram)))
        return kProgram;
    if (alsoX86 && QFileInfo::exists(DriveMap::toHost(kProgramX86)))
        return kProgramX86;
    return QString();
}

QString dataSourcePath()
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (!reg.openKeyReadOnly(kDataSourceKey))
        return QString();
    return reg.readString("DBQ").trimmed();
}

Outcome exportRows(const QList<SmsRow>& rows, bool alsoX86, const QString& duplicateTail)
{
    Outcome out;
    out.program = findProgram(alsoX86);
    if (out.program.isEmpty()) {
        out.status = Outcome::NoProgram;
        out.message = kNoProgram;
        return out;
    }
    const QString source = dataSourcePath();
    if (source.isEmpty()) {
        out.status = Outcome::NoDataSource;
        out.message = kNoDataSource;
        return out;
    }
    out.log << LogLine{kLogHeading, kSmsNavy};
    try {
        Database sms;
        sms.open(source, true);
        Transaction t(sms);
        const QVariant group = smsGroupId(sms);
        smsEmptyGroup(sms, group);
        for (const SmsRow& row : rows) {
            const QString raw = row.mobile.isEmpty() ? row.phone : row.mobile;
            if (raw.isEmpty())
                continue;
            const QString number = normalMobile(raw);
            if (number.isEmpty()) {
                out.log << LogLine{row.name + " (" + raw + ")", kSmsBlack};
                continue;
            }
            const Records found = sms.select(
                "select t_kisi.adsoyad, t_kisi.kisi_id, t_kisi.gsm, t_kisi_grubu.grup_id from t_kisi inner join "
                "t_kisi_grubu on t_kisi.kisi_id = t_kisi_grubu.kisi_id where t_kisi_grubu.grup_id = :g and "
                "t_kisi.gsm = :n",
                {{"g", group}, {"n", number}});
            if (found.isEmpty()) {
                const QVariant person =
                    smsInsertedKey(sms, "t_kisi", "kisi_id", "insert into t_kisi (adsoyad, gsm) values (:a, :n)",
                                   {{"a", row.name}, {"n", number}});
                sms.exec("insert into t_kisi_grubu (kisi_id, grup_id) values (:k, :g)",
                         {{"k", person}, {"g", group}});
                out.csvLines << row.name + ";" + number;
                ++out.added;
                continue;
            }
            QString names = row.name;
            QString lastSeen = row.name;
            bool other = false;
            for (const Record& r : found) {
                if (r.str("adsoyad") != lastSeen) {
                    names += ", " + r.str("adsoyad");
                    lastSeen = r.str("adsoyad");
                    other = true;
                }
            }
            if (other)
                out.log << LogLine{names + " (" + number + duplicateTail, kSmsGrey};
        }
        t.commit();
        sms.close();
    } catch (const DbError& e) {
        out.status = Outcome::Failed;
        out.message = e.message();
        out.csvLines.clear();
        out.added = 0;
        return out;
    }
    if (out.added > 0)
        out.programStarted = Shell::start(out.program);
    return out;
}

Outcome exportPersons(Database& db, const ReportLaunch::RegistrySelection& s)
{
    const QString sql = "select Musteri_Key, Ad_Soyad, Telefonlar, E62 from C_MUSTERI " + s.whereClause +
                        ReportLaunch::narrowing(s, "Musteri_Key") + " Order By " + s.orderBy;
    QList<SmsRow> rows;
    for (const Record& r : db.select(sql, s.params))
        rows << SmsRow{r.str("Ad_Soyad"), r.str("E62"), r.str("Telefonlar")};
    return exportRows(rows, true, " --> Aynı Numara)");
}

namespace {

Outcome smsExportClubRows(const Records& clubs)
{
    QList<SmsRow> rows;
    for (const Record& r : clubs) {
        const QString name = r.str("Ad_Soyad").isEmpty() ? r.str("Durum") : r.str("Ad_Soyad");
        rows << SmsRow{name, r.str("E3"), r.str("Telefonlar")};
    }
    return exportRows(rows, false, " --> Aynı Numara.)");
}

} // namespace

Outcome exportClubs(Database& db, const Reports::ClubSelection& s)
{
    QString sql = s.listSql;
    if (!s.selectedKeys.isEmpty() && s.selectedKeys != "0")
        sql += " and Durum_Key in (" + ReportLaunch::keyList(s.selectedKeys) + ")";
    sql += " order by " + (s.orderBy.isEmpty() ? QStringLiteral("Durum") : s.orderBy);
    return smsExportClubRows(db.select(sql, s.params));
}

Outcome exportClubs(Database& db, const QList<int>& clubKeys)
{
    QStringList keys;
    for (int k : clubKeys)
        keys << QString::number(k);
    if (keys.isEmpty())
        return smsExportClubRows({});
    return smsExportClubRows(
        db.select("select * from C_UYELIKSURESI where Durum_Key in (" + keys.join(',') + ") order by Durum"));
}

}
