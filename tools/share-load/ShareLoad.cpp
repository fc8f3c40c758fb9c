// One station's load on a database file that other stations share: the tests
// and benchmarks start several of these at once on one file.
//
//   brivex-share-load counters <db> <count>
//       takes <count> values of the counter sayi1, one line each
//   brivex-share-load persons <db> <count>
//       saves <count> new persons, one line with each new key
//   brivex-share-load copies <main-db> <first-key> <count>
//       decides the bouts <first-key> .. on a station of its own and copies
//       each into the main database as a ring computer does, one line each
//
// Paths are host paths. Every message the program would show and every
// database error goes to stderr as one line starting with "MESSAGE" or
// "ERROR"; the exit code is the number of them (0: all went through).

#include "app/Station.h"
#include "app/kit/DbConventions.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"
#include "registry/PersonSave.h"
#include "scoring/MainDatabaseCopy.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

int shareLoadFailures = 0;

void shareLoadReport(const QString& kind, const QString& text)
{
    ++shareLoadFailures;
    QString line = text;
    line.replace('\n', " // ");
    std::fprintf(stderr, "%s %s\n", qPrintable(kind), qPrintable(line));
}

void shareLoadCounters(const QString& path, int count)
{
    Database db;
    db.open(path);
    QTextStream out(stdout);
    for (int i = 0; i < count; ++i) {
        try {
            out << Counters::next(db, "sayi1") << '\n';
        } catch (const DbError& e) {
            shareLoadReport("ERROR", e.message());
        }
    }
}

void shareLoadPersons(const QString& path, int count)
{
    Database db;
    db.open(path);
    QTextStream out(stdout);
    const qint64 pid = QCoreApplication::applicationPid();
    for (int i = 0; i < count; ++i) {
        PersonSave s;
        PersonValues& v = s.values;
        v.set("Adi", QString("SPORCU %1").arg(i));
        v.set("Soyadi", QString("İSTASYON %1").arg(pid));
        v.set("Ad_Soyad", QString("SPORCU %1 İSTASYON %2").arg(i).arg(pid));
        v.set("E50", "SPORCU");
        v.set("E15", "ERKEK");
        for (const QString& c : kPersonDateColumns)
            v.set(c, kBlankDate);
        v.set("M1", "01.03.2009");
        v.set("M2", "01.03.2009");
        s.userName = "ADMIN";
        s.now = QDateTime(QDate(2009, 3, 5), QTime(14, 5, 9));
        try {
            if (PersonWriter::KisiYaz(db, s) == PersonWriter::Saved)
                out << s.personKey << '\n';
            else
                shareLoadReport("ERROR", "no register number");
        } catch (const DbError& e) {
            shareLoadReport("ERROR", e.message());
        }
    }
}

void shareLoadCopies(const QString& mainPath, int firstKey, int count)
{
    // The ring's own station, with the bouts decided on it.
    Station::init();
    Database station;
    station.open(Station::kDefaultDatabase);
    for (int key = firstKey; key < firstKey + count; ++key)
        station.insert("C_KURA", {{"Kura_Key", key}, {"Brans", "57 KG"}, {"Tur", "1. TUR"}, {"Ad1", "MAVİ"},
                                  {"Ad2", "KIRMIZI"}, {"Galip", "MAVİ"}, {"Skor", QString::number(key)}});
    QTextStream out(stdout);
    for (int key = firstKey; key < firstKey + count; ++key) {
        const auto result = MainDatabaseCopy(station, "C:\\CO\\QVX_PROG\\", mainPath).copy(QString::number(key));
        if (result == MainDatabaseCopy::Result::Copied)
            out << key << '\n';
        else
            shareLoadReport("ERROR", QString("bout %1 not copied (%2)").arg(key).arg(int(result)));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: brivex-share-load counters|persons <db> <count> | copies <main-db> <first> <count>\n");
        return 100;
    }
    // Settings and folders of its own, as a station on another computer.
    QTemporaryDir home;
    DriveMap::setDataRoot(home.path());
    Registry::reload();
    Messages::setHook([](const UiRequest& r) {
        shareLoadReport("MESSAGE", r.text);
        return UiAnswer{};
    });
    try {
        if (args[1] == "counters")
            shareLoadCounters(args[2], args[3].toInt());
        else if (args[1] == "persons")
            shareLoadPersons(args[2], args[3].toInt());
        else if (args[1] == "copies" && args.size() >= 5)
            shareLoadCopies(args[2], args[3].toInt(), args[4].toInt());
        else
            return 100;
    } catch (const std::exception& e) {
        shareLoadReport("ERROR", QString::fromUtf8(e.what()));
    }
    std::fflush(stdout);
    return qMin(shareLoadFailures, 99);
}
