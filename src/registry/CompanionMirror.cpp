#include "registry/CompanionMirror.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

namespace CompanionMirror {

QString companionFile()
{
    // The key is only read, never created; a missing key or value reads "".
    QString dbq;
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (reg.openKeyReadOnly(QString("\\Software\\ODBC\\ODBC.INI\\") + kRegistrySource)) {
        dbq = reg.readString("DBQ");
        reg.closeKey();
    }
    return Folders::programFolderFor(dbq) + kFileName;
}

const Schema& companionSchema()
{
    static const Schema schema = [] {
        Schema s;
        QList<ColumnDef> person = {Col::integer("Musteri_Key"), Col::text("Vergi_Numarasi", 20), Col::text("No", 20),
                                   Col::integer("Kullanici"),   Col::text("Vergi_Dairesi", 50), Col::text("Ad_Soyad", 61),
                                   Col::text("Telefonlar", 50), Col::memo("Adres"),             Col::memo("Semt"),
                                   Col::text("Sokak", 50),      Col::text("Cadde", 50),         Col::text("Ilce", 50),
                                   Col::text("Il", 50),         Col::text("PostaKodu", 20),     Col::text("Mahalle", 100),
                                   Col::text("E10", 50)};
        for (int n = 14; n <= 26; ++n)
            person << Col::text(QString("E%1").arg(n), 100);
        person << Col::date("M1") << Col::date("M2") << Col::date("M3") << Col::text("R1", 50) << Col::text("R2", 50)
               << Col::text("R3", 50) << Col::text("User", 80) << Col::integer("Tip") << Col::integer("A_S");
        s.addTable({"C_MUSTERI", person, "Musteri_Key", {"Sokak"}});
        s.addTable({"C_SAYI", {Col::integer("sayi")}, {}, {}});
        s.addTable({"C_UYEKULLANICI", {Col::integer("Durum_Key"), Col::text("Durum", 255)}, "Durum_Key", {}});
        s.addTable({"C_UYELIKTURU", {Col::text("Durum", 50), Col::text("Tip1", 10), Col::text("Tip2", 10)}, {}, {}});
        return s;
    }();
    return schema;
}

QString homeAndWorkAddress(const PersonValues& v)
{
    QString home = v.value("Semt") + " " + v.value("Cadde");
    QString work = v.value("Mahalle") + " " + v.value("No1");
    home = home == " " ? QString() : home + " (EV)";
    work = work == " " ? QString() : work + " (İŞ)";
    if (!home.isEmpty() && !work.isEmpty())
        return home + ", " + work;
    return home + work;
}

QString roleText(const PersonValues& v)
{
    if (!v.value("E51").isEmpty())
        return "HAKEM";
    if (!v.value("E52").isEmpty())
        return "ANTRENÖR";
    if (!v.value("E50").isEmpty())
        return "SPORCU";
    return v.value("E43");
}

namespace {

QVariant nullDate()
{
    return QVariant(QMetaType(QMetaType::QDate));
}

// The register number of a new companion row: the counter row (key 1) holds
// the last one given; a companion without that row gives 1000 each time.
QString nextRegisterNumber(Database& c)
{
    const Records counter = c.select("select Musteri_Key, Vergi_Numarasi from C_MUSTERI where Musteri_Key = 1");
    if (counter.size() != 1)
        return "1000";
    QString last = counter.first().str("Vergi_Numarasi");
    if (last.isEmpty())
        last = "1000";
    bool ok = false;
    const qint64 n = last.trimmed().toLongLong(&ok);
    if (!ok)
        throw DbError("'" + last + "' is not a valid integer value");
    const QString number = QString::number(n + 1);
    c.update("C_MUSTERI", {{"Vergi_Numarasi", number}}, "Musteri_Key = 1");
    return number;
}

} // namespace

void mirror(Database& c, const PersonValues& v, int personKey, const QString& userName, const QDateTime& now)
{
    // A companion without a person above key 1, a status above key 1 or a
    // region is not set up: it receives nothing.
    const auto anyPerson = c.first("select Musteri_Key from C_MUSTERI where musteri_key > 1");
    const auto status = c.first("select * from C_UYEKULLANICI where Durum_Key>1");
    const auto region = c.first("select * from C_UYELIKTURU");
    if (!anyPerson || !status || !region)
        return;

    Transaction tx(c);
    const QString link = QString::number(personKey);
    const auto existing = c.first("select Musteri_Key from C_MUSTERI where Sokak = :s", {{"s", link}});

    QVariantMap row;
    row.insert("Ad_Soyad", v.value("Ad_Soyad"));
    row.insert("Telefonlar", v.value("Telefonlar"));
    row.insert("Adres", v.value("Adres") + " " + v.value("Sokak"));
    row.insert("Semt", homeAndWorkAddress(v));
    row.insert("Sokak", link);
    row.insert("E10", roleText(v));
    row.insert("E19", v.value("E63"));
    row.insert("E20", v.value("E42"));
    row.insert("E21", v.value("E23"));
    row.insert("E22", v.value("E22"));
    row.insert("E23", v.value("E26"));
    row.insert("E24", v.value("E67"));
    row.insert("E25", v.value("E16"));
    row.insert("E26", v.value("E14"));
    row.insert("E17", v.value("E17"));
    row.insert("E15", v.value("E15"));
    row.insert("E18", v.value("E18"));
    QDate birth;
    row.insert("M3", !isBlankDate(v.value("M3")) && Formats::tryStrToDate(v.value("M3"), birth) ? QVariant(birth)
                                                                                                : nullDate());
    row.insert("User", userName + ", " + Formats::dateToStr(now.date()) + ", " +
                           Formats::timeToStr(now.time()).left(5));
    row.insert("Tip", 1);
    row.insert("A_S", 1);
    for (const char* empty : {"Cadde", "Ilce", "Il", "PostaKodu", "E16", "E14", "Mahalle", "R1", "R2", "R3"})
        row.insert(empty, QString());
    row.insert("M1", nullDate());
    row.insert("M2", nullDate());

    if (existing) {
        c.update("C_MUSTERI", row, "Musteri_Key = :w_k", {{"w_k", existing->value("Musteri_Key")}});
    } else {
        const int key = Counters::next(c, "sayi");
        QString prefix = region->str("Tip1") + region->str("Tip2");
        if (!prefix.isEmpty())
            prefix += "-";
        const QString number = nextRegisterNumber(c);
        row.insert("Vergi_Numarasi", prefix + number);
        row.insert("No", number);
        row.insert("Musteri_Key", key);
        row.insert("Kullanici", status->value("Durum_Key"));
        row.insert("Vergi_Dairesi", region->str("Durum"));
        c.insert("C_MUSTERI", row);
    }
    tx.commit();
}

bool mirror(const PersonValues& values, int personKey, const QString& userName, const QDateTime& now)
{
    const QString file = companionFile();
    if (!DriveMap::exists(file))
        return false;
    Database companion;
    companion.open(file, true);
    mirror(companion, values, personKey, userName, now);
    companion.close();
    return true;
}

} // namespace CompanionMirror
