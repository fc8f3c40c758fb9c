#include "app/StationUpkeep.h"

#include "app/kit/DbConventions.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

const char* const kUpkeepTables[] = {"C_LISTE", "C_KURA", "C_SAYI"};

// The columns of `table` here, by lower-case name, with their spelling.
QHash<QString, QString> upkeepColumns(Database& db, const QString& table)
{
    QHash<QString, QString> columns;
    for (const QString& c : db.columns(table))
        columns.insert(c.toLower(), c);
    return columns;
}

// The values of `row` for the columns `table` has here.
QVariantMap upkeepFieldsOf(const Record& row, const QHash<QString, QString>& columns,
                           const QStringList& only = QStringList())
{
    QVariantMap fields;
    for (int i = 0; i < row.fieldNames().size(); ++i) {
        const QString name = row.fieldNames().at(i).toLower();
        const auto it = columns.find(name);
        if (it == columns.end())
            continue;
        if (!only.isEmpty() && !only.contains(name))
            continue;
        fields.insert(it.value(), row.value(i));
    }
    return fields;
}

QString upkeepDateText(const QVariant& value)
{
    const Record r({"d"}, {value});
    const QDate d = r.date("d");
    return d.isValid() ? d.toString("dd.MM.yyyy") : r.str("d");
}

} // namespace

namespace StationUpkeep {

void ListTemizle(Database& db)
{
    Transaction tx(db);
    db.exec("delete * from C_LISTE");
    Counters::set(db, "sayi1", 0);
    Counters::set(db, "sayi3", 0);
    tx.commit();
}

void KuraTemizle(Database& db)
{
    Transaction tx(db);
    db.exec("delete * from C_KURA");
    Counters::set(db, "sayi2", 0);
    tx.commit();
}

QString weighInPeriod(Database& db)
{
    const QVariant earliest = db.scalar("select min(Tarih) as Tar from C_LISTE");
    const QVariant latest = db.scalar("select max(Tarih) as Tar from C_LISTE");
    if (earliest.isNull() && latest.isNull())
        return QString();
    const QString first = upkeepDateText(earliest);
    const QString last = upkeepDateText(latest);
    if (first != last)
        return first + " ile " + last + " Tarihleri Arasında";
    return first + " Tarihinde";
}

QString clearListsQuestion(const QString& period)
{
    return period + " Oluşturulan Önceki Tartı " + "\n" + " Listeleri Silinecektir. Eminmisiniz ...?";
}

int athletesWithCounts(Database& db)
{
    return db.scalar("select count(*) as c1 from C_MUSTERI where E50<>'' and Kullanici<>0").toInt();
}

void resetCounts(Database& db)
{
    Transaction tx(db);
    db.exec("Update C_MUSTERI SET Kullanici=0 where E50<>'' and Kullanici<>0");
    tx.commit();
}

StationCopy readCopy(const QString& hostPath)
{
    if (!QFileInfo(hostPath).isFile())
        throw DbError("Seçilen dosya bulunamadı: " + hostPath);
    StationCopy copy;
    Database source;
    try {
        source.open(hostPath, true);
        // A damaged file is found here, before anything changes.
        const QVariant check = source.scalar("PRAGMA quick_check");
        if (check.toString() != "ok")
            throw DbError(check.toString());
        for (const char* table : kUpkeepTables)
            if (!source.hasTable(table))
                throw DbError(QString("%1 tablosu yok").arg(table));
        copy.lists = source.select("select * from C_LISTE order by Liste_Key");
        copy.bouts = source.select("select * from C_KURA order by Kura_Key");
        copy.sayi1 = Counters::current(source, "sayi1");
        copy.sayi2 = Counters::current(source, "sayi2");
        copy.sayi3 = Counters::current(source, "sayi3");
    } catch (const DbError& e) {
        throw DbError("Seçilen dosya bu programın bir veritabanı değil ya da okunamıyor: "
                      + QFileInfo(hostPath).fileName() + "\n" + e.message());
    }
    return copy;
}

void replaceFromCopy(Database& db, const StationCopy& copy)
{
    Transaction tx(db);
    ListTemizle(db);
    KuraTemizle(db);
    const QHash<QString, QString> listColumns = upkeepColumns(db, "C_LISTE");
    for (const Record& row : copy.lists)
        db.insert("C_LISTE", upkeepFieldsOf(row, listColumns));
    const QHash<QString, QString> boutColumns = upkeepColumns(db, "C_KURA");
    for (const Record& row : copy.bouts)
        db.insert("C_KURA", upkeepFieldsOf(row, boutColumns));
    Counters::set(db, "sayi1", copy.sayi1);
    Counters::set(db, "sayi2", copy.sayi2);
    Counters::set(db, "sayi3", copy.sayi3);
    tx.commit();
}

GatherOutcome gatherWeighIns(Database& db, const StationCopy& copy)
{
    GatherOutcome out;
    const QHash<QString, QString> columns = upkeepColumns(db, "C_LISTE");
    Transaction tx(db);
    for (const Record& row : copy.lists) {
        const QVariant athlete = row.value("Musteri_Key");
        const QString name = row.str("Ad");
        const QString category = row.str("Brans");
        if (db.first("select Musteri_Key, Ad, Brans from C_LISTE where Musteri_Key = :k and Ad = :a and Brans = :b",
                     {{"k", athlete}, {"a", name}, {"b", category}}))
            continue;
        const Records persons = db.select(
            "select Musteri_Key, Ad_Soyad from C_MUSTERI where Musteri_Key = :k and Ad_Soyad = :a",
            {{"k", athlete}, {"a", name}});
        if (persons.size() != 1) {
            out.missing << name + " adlı sporcu sistemde bulunamadığı için aktarılmadı." + "\n" + "Branşı: "
                               + category + "\n" + "LÜTFEN BU BİLGİLERİ NOT ALINIZ VE GEREKLİ DÜZENLEMEYİ YAPINIZ.";
            continue;
        }
        const int key = Counters::next(db, "sayi1");
        // One back number per athlete: the one he has here already, else
        // the new key (the back-number counter never goes back).
        int backNumber = db.scalar("select Sira from C_LISTE where Musteri_Key = :k and Sira is not null",
                                   {{"k", athlete}})
                             .toInt();
        if (backNumber == 0) {
            backNumber = key;
            if (Counters::current(db, "sayi3") < key)
                Counters::set(db, "sayi3", key);
        }
        QVariantMap fields = upkeepFieldsOf(row, columns);
        fields.insert(columns.value("liste_key", "Liste_Key"), key);
        fields.insert(columns.value("sira", "Sira"), backNumber);
        db.insert("C_LISTE", fields);
        ++out.transferred;
    }
    tx.commit();
    out.notTransferred = std::max(0, int(copy.lists.size()) - out.transferred);
    return out;
}

QString weighInsOutcomeText(const GatherOutcome& outcome)
{
    return "Aktarılan sporcu sayısı: " + QString::number(outcome.transferred) + "\n"
           + "AKTARILAMAYAN SPORCU SAYISI: " + QString::number(outcome.notTransferred);
}

GatherOutcome gatherResults(Database& db, const StationCopy& copy)
{
    GatherOutcome out;
    int bouts = 0;
    int realTransferred = 0;
    const QHash<QString, QString> columns = upkeepColumns(db, "C_KURA");
    Transaction tx(db);
    for (const Record& row : copy.bouts) {
        const bool realBout = row.str("Ad1") != "-" && row.str("Ad2") != "-";
        if (realBout)
            ++bouts;
        const int key = row.toInt("Kura_Key");
        const std::optional<Record> here = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        if (!row.str("Karar").isEmpty()) {
            if (!here) {
                out.missing << row.str("Brans") + "/ " + row.str("Tur") + ", Sistemde bulunamadı...!";
                continue;
            }
            if (!here->str("Karar").isEmpty())
                continue;
            QVariantMap fields = upkeepFieldsOf(row, columns);
            fields.remove(columns.value("kura_key", "Kura_Key"));
            db.update("C_KURA", fields, "Kura_Key = :w_k", {{"w_k", key}});
            ++out.transferred;
            if (realBout)
                ++realTransferred;
            continue;
        }
        // An undecided bout: the winners the station advanced into it, for
        // the sides still empty here.
        if (!here || !here->str("Karar").isEmpty())
            continue;
        QVariantMap fields;
        for (const char* side : {"1", "2"}) {
            const QString n(side);
            if (row.str("Sira" + n).isEmpty() || !here->str("Sira" + n).isEmpty())
                continue;
            QStringList only;
            for (const char* c : {"Ad", "Sira", "Tur_Key", "Dis", "Bolge", "Klup", "Tip"})
                only << (QString(c) + n).toLower();
            fields.insert(upkeepFieldsOf(row, columns, only));
        }
        if (!fields.isEmpty())
            db.update("C_KURA", fields, "Kura_Key = :w_k", {{"w_k", key}});
    }
    tx.commit();
    out.notTransferred = std::max(0, bouts - realTransferred);
    return out;
}

QString resultsOutcomeText(const GatherOutcome& outcome)
{
    return "Aktarılan müsabaka sayısı: " + QString::number(outcome.transferred) + "\n"
           + "AKTARILAMAYAN MÜSABAKA SAYISI: " + QString::number(outcome.notTransferred);
}

}
