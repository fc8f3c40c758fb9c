// A national register: 20,000 and 200,000 persons with 5,000 clubs, filled
// through the program's own connection and kept between runs in the build
// tree (bench-cache/), so that only the first run pays for it.
//
// Every figure stands beside a baseline taken in the same run on the same
// file: SQLite's own work on the same rows, through a bare connection without
// the program's functions (the built-in LIKE, BINARY comparison and order).
//
//   BM_Search/<kind>/<persons>   the person search's query (the list the
//       search window shows) for a part of a name, a belt, a region, a club,
//       a register number and a category. Counters: ms (median), first_ms
//       (the first run), rows, sqlite_ms, sqlite_rows, ratio (ms / sqlite_ms).
//   BM_PersonSave/<persons>      a new person written with its register
//       number (the checks and the save). Counters: ms, sqlite_ms (a bare
//       insert of the same row, committed alone).
//   BM_OpenSearchWindow/<persons> the person search window shown (its lists
//       filled). Counters: ms, sqlite_ms (scans of the lists' rows).
//   BM_ListPerPage/<persons>     the 10,000-row register list laid out and
//       written to PDF. Counters: ms_per_page, pages, sqlite_ms_per_page.
//   BM_RegisterPdf/<persons>     the whole register's list written to PDF
//       (straight to the file, and through the preview's save). Counters:
//       ms_per_page, pages, peak_mb (the run's peak resident memory above
//       what the process held before it), sqlite_ms_per_page.
//
// Run one size: bench_register --benchmark_filter=/20000
#include "BenchSupport.h"

#include "app/MusteriGiris1.h"
#include "app/Screens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Session.h"
#include "app/BrivexSchema.h"
#include "platform/db/HeapReuse.h"
#include "platform/paths/DriveMap.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/Messages.h"
#include "registry/PersonChecks.h"
#include "registry/PersonSave.h"
#include "registry/PersonSearch.h"
#include "reports/PrintMenu4.h"
#include "reports/ReportLaunch.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <malloc.h>

#include <chrono>
#include <map>
#include <memory>
#include <random>

#ifndef BRIVEX_BENCH_CACHE
#define BRIVEX_BENCH_CACHE "bench-cache"
#endif

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// --- The register -------------------------------------------------------------------

constexpr int kClubs = 5000;
// Changes whenever the generated rows change, so an old cache is not used.
constexpr int kGeneratorVersion = 4;

const QStringList kFirstNames = {
    "AHMET", "MEHMET", "MUSTAFA", "ALİ", "HÜSEYİN", "HASAN", "İBRAHİM", "İSMAİL", "OSMAN", "YUSUF", "MURAT",
    "ÖMER", "RAMAZAN", "HALİL", "SÜLEYMAN", "ABDULLAH", "MAHMUT", "SALİH", "KEMAL", "RECEP", "EMRE", "BURAK",
    "CAN", "DENİZ", "ÇAĞRI", "OĞUZ", "UĞUR", "GÖKHAN", "ŞAHİN", "İLKER", "ÖZGÜR", "FATMA", "AYŞE", "EMİNE",
    "HATİCE", "ZEYNEP", "ELİF", "MERYEM", "ŞERİFE", "ZEHRA", "SULTAN", "HAVVA", "ESRA", "ÖZLEM", "YASEMİN",
    "DİLEK", "GÜL", "ÇİĞDEM", "İPEK", "IŞIL", "SELİN", "BÜŞRA", "DAMLA", "EBRU", "TUĞBA", "NUR", "ŞULE",
    "ARDA", "EFE", "KAAN"};
const QStringList kLastNames = {
    "YILMAZ", "KAYA", "DEMİR", "ŞAHİN", "ÇELİK", "YILDIZ", "YILDIRIM", "ÖZTÜRK", "AYDIN", "ÖZDEMİR", "ARSLAN",
    "DOĞAN", "KILIÇ", "ASLAN", "ÇETİN", "KARA", "KOÇ", "KURT", "ÖZKAN", "ŞİMŞEK", "POLAT", "ÖZCAN", "KORKMAZ",
    "ÇAKIR", "ERDOĞAN", "YAVUZ", "CAN", "ACAR", "ŞEN", "AKTAŞ", "GÜLER", "YALÇIN", "GÜNEŞ", "BOZKURT", "BULUT",
    "KESKİN", "ÜNAL", "TURAN", "GÜL", "ÖZER", "IŞIK", "KAPLAN", "AVCI", "SARI", "TEKİN", "TAŞ", "KÖSE",
    "YÜKSEL", "ATEŞ", "ALADAĞ", "ÇİFTÇİ", "UZUN", "ERTEN", "İNCE", "GÜNDOĞDU", "ÖZBEK", "AKIN", "DURMAZ",
    "BAŞARAN", "ÇOBAN"};
const QStringList kWords = {
    "GENÇLİK", "YILDIRIM", "ŞAFAK", "ÇINAR", "ÖZGÜR", "KARTAL", "ŞAHİN", "AKINCI", "ATILIM", "İSTİKLAL",
    "DOĞAN", "GÜNEŞ", "ÇAĞDAŞ", "BİRLİK", "ÜLKÜ", "ZAFER", "İLERİ", "ŞİMŞEK", "YÜKSELİŞ", "AKDENİZ",
    "KARADENİZ", "EGE", "TOROS", "ANADOLU", "BOĞAZİÇİ", "ÇAMLICA", "ERCİYES", "ULUDAĞ", "PALANDÖKEN", "MERKEZ"};
const QStringList kFallbackRegions = {"ADANA", "ANKARA", "ANTALYA", "BURSA", "ÇANAKKALE", "DİYARBAKIR",
                                      "ERZURUM", "ESKİŞEHİR", "GAZİANTEP", "İSTANBUL", "İZMİR", "KAYSERİ",
                                      "KONYA", "MUĞLA", "SAMSUN", "ŞANLIURFA", "TRABZON", "UŞAK", "VAN"};

QStringList columnOf(Database& db, const QString& sql)
{
    QStringList out;
    for (const Record& r : db.select(sql))
        if (!r.str("n").isEmpty())
            out << r.str("n");
    return out;
}

// Fills a new station's database with `persons` persons and the clubs, rows
// shaped as the person save writes them (every text column of the editor).
void fillRegister(Database& db, int persons)
{
    std::mt19937 rnd(20240203);
    auto pick = [&](const QStringList& list) { return list[int(rnd() % unsigned(list.size()))]; };
    QStringList regions = columnOf(db, "select Durum as n from C_UYELIKTURU");
    if (regions.size() < 10)
        regions = kFallbackRegions;
    QStringList belts = columnOf(db, "select Kusak_Adi as n from KUSAK order by Kusak_Key");
    const QStringList bigCities = {"İSTANBUL", "ANKARA", "İZMİR"};
    for (const QString& c : bigCities)
        if (!regions.contains(c))
            regions << c;
    // Weight categories by gender and age class.
    QStringList men, women;
    {
        Transaction t(db);
        int key = 5000;
        for (const char* age : {"BÜYÜKLER", "GENÇLER", "YILDIZLAR"}) {
            double low = 0;
            for (double kg : {51.0, 54.0, 57.0, 60.0, 63.5, 67.0, 71.0, 75.0, 81.0, 86.0, 91.0}) {
                const QString name = QString("%1 KG ERKEK %2").arg(kg).arg(QString::fromUtf8(age));
                db.insert("C_BRANS", {{"Durum_Key", ++key}, {"Durum", name}, {"Kilo", kg}, {"AltKilo", low},
                                      {"UstKilo", kg}, {"E_B", "E"}});
                men << name;
                low = kg;
            }
            low = 0;
            for (double kg : {48.0, 52.0, 56.0, 60.0, 65.0, 70.0}) {
                const QString name = QString("%1 KG BAYAN %2").arg(kg).arg(QString::fromUtf8(age));
                db.insert("C_BRANS", {{"Durum_Key", ++key}, {"Durum", name}, {"Kilo", kg}, {"AltKilo", low},
                                      {"UstKilo", kg}, {"E_B", "B"}});
                women << name;
                low = kg;
            }
        }
        t.commit();
    }
    const QStringList styles = {"KICK BOKS", "FULL CONTACT", "LOW KICK", "K1", "POINT FIGHTING"};

    QStringList clubs;
    {
        Transaction t(db);
        for (int c = 1; c <= kClubs; ++c) {
            const QString name = QString("%1 %2 SPOR KULÜBÜ %3").arg(pick(kWords), pick(kWords)).arg(c);
            clubs << name;
            db.insert("C_UYELIKSURESI", {{"Durum_Key", 1000 + c}, {"Durum", name}, {"E1", pick(regions)}});
        }
        t.commit();
    }

    Transaction t(db);
    for (int i = 1; i <= persons; ++i) {
        QString first = pick(kFirstNames);
        if (rnd() % 4 == 0)
            first += " " + pick(kFirstNames);
        const QString last = pick(kLastNames);
        QVariantMap row;
        for (const QString& c : kPersonTextColumns)
            row.insert(c, QString());
        const int club = int(rnd() % kClubs);
        // Most persons hold one of the lower belts: 30 % the first, 22 %
        // the second, ... 6 % the highest.
        static const int shares[] = {30, 52, 67, 79, 88, 94, 100};
        const int r = int(rnd() % 100);
        int belt = 0;
        while (belt < 6 && r >= shares[belt])
            ++belt;
        belt = belts.isEmpty() ? -1 : qMin(belt, int(belts.size()) - 1);
        const QString style = pick(styles);
        row.insert("Musteri_Key", i);
        row.insert("Adi", first);
        row.insert("Soyadi", last);
        row.insert("Ad_Soyad", first + " " + last);
        row.insert("Vergi_Numarasi", QString("%1").arg(i, 7, 10, QChar('0')));
        // The biggest cities hold a good part of the register.
        const int city = int(rnd() % 100);
        row.insert("Vergi_Dairesi", city < 18 ? bigCities[0] : city < 25 ? bigCities[1] : city < 30 ? bigCities[2]
                                                                                          : pick(regions));
        row.insert("E16", clubs[club]);
        row.insert("Client_Key", 1001 + club);
        const bool woman = rnd() % 3 == 0;
        row.insert("E15", woman ? "BAYAN" : "ERKEK");
        row.insert("E50", "SPORCU");
        if (rnd() % 20 == 0)
            row.insert("E52", "1.KADEME ANTRENÖR");
        if (rnd() % 30 == 0)
            row.insert("E51", "İL HAKEMİ");
        if (belt >= 0) {
            row.insert("E25", belts[belt]);
            row.insert("Stil", style);
            row.insert("Stiller", belts[belt] + "(" + style + ")");
        }
        row.insert("E53", pick(woman ? women : men));
        row.insert("E42", QString::number(10000000000LL + qint64(rnd() % 89999999999LL)));
        row.insert("Telefonlar", QString("0312 %1").arg(rnd() % 10000000, 7, 10, QChar('0')));
        row.insert("E62", QString("05%1").arg(rnd() % 1000000000, 9, 10, QChar('0')));
        row.insert("Adres", QString("%1 CADDESİ NO:%2").arg(pick(kWords)).arg(rnd() % 300));
        row.insert("Sokak", pick(regions));
        row.insert("E38", 40 + int(rnd() % 60));
        row.insert("M3", QDate(1960, 1, 1).addDays(int(rnd() % 18000)));
        row.insert("M1", QDate(2015, 1, 1).addDays(int(rnd() % 3000)));
        row.insert("Tip", 1);
        row.insert("Kullanici", 0);
        row.insert("User", "ADMIN");
        db.insert("C_MUSTERI", row);
    }
    db.exec("update C_SAYI set SonSicil = :n", {{"n", QString("%1").arg(persons, 7, 10, QChar('0'))}});
    Counters::set(db, "sayi_uye", persons);
    t.commit();
}

QString schemaKey()
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const TableDef& t : brivexSchema().tables())
        h.addData(Schema::createSql(t).toUtf8());
    h.addData(QByteArray::number(kGeneratorVersion));
    return QString::fromLatin1(h.result().toHex().left(12));
}

// The cached register file of `persons` persons, made when missing.
QString cachedRegister(int persons)
{
    QDir().mkpath(BRIVEX_BENCH_CACHE);
    const QString path = QDir(BRIVEX_BENCH_CACHE).filePath(QString("register-%1-%2.mdb").arg(persons).arg(schemaKey()));
    if (QFileInfo::exists(path))
        return path;
    const auto start = Clock::now();
    {
        BenchStation station;
        fillRegister(station.db, persons);
        station.db.close();
        const QString made = DriveMap::toHost(Station::kDefaultDatabase);
        QFile::remove(path + ".part");
        if (!QFile::copy(made, path + ".part") || !QFile::rename(path + ".part", path))
            qFatal("register cache not written: %s", qPrintable(path));
    }
    fprintf(stderr, "register of %d persons made in %.1f s: %s\n", persons, msSince(start) / 1000, qPrintable(path));
    return path;
}

// A station whose database is a copy of the cached register, with the
// program's session on it and a bare SQLite connection beside it.
struct RegisterStation {
    explicit RegisterStation(int persons) : persons(persons)
    {
        const QString cache = cachedRegister(persons);
        DriveMap::setDataRoot(dir.path());
        Registry::reload();
        Station::init();
        const QString host = DriveMap::toHost(Station::kDefaultDatabase);
        QFile::remove(host);
        if (!QFile::copy(cache, host))
            qFatal("register copy failed");
        QFile(host).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        Screens::createAll();
        session().db.open(Station::kDefaultDatabase);
        session().user.FIsAdmin = true;
        session().user.FUserName = "ADMIN";
        if (sqlite3_open_v2(qPrintable(host), &bare, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            qFatal("bare connection failed");
    }
    ~RegisterStation()
    {
        sqlite3_close(bare);
        Screens::destroyAll();
    }
    Database& db() { return session().db; }

    QTemporaryDir dir;
    int persons;
    sqlite3* bare = nullptr;
};

std::map<int, std::unique_ptr<RegisterStation>> stations;

RegisterStation& station(int persons)
{
    auto& s = stations[persons];
    if (!s) {
        stations.clear();   // one register at a time: the screens are global
        stations[persons] = std::make_unique<RegisterStation>(persons);
        return *stations[persons];
    }
    return *s;
}

// SQLite's own run of a statement on the bare connection: every column of
// every row read as text, as a grid or a report reads it. Returns the rows.
int bareRun(sqlite3* db, const QString& sql, const QVariantMap& params = {})
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        qFatal("bare statement refused: %s\n%s", sqlite3_errmsg(db), qPrintable(sql));
    for (auto it = params.begin(); it != params.end(); ++it) {
        const int i = sqlite3_bind_parameter_index(st, (":" + it.key()).toUtf8().constData());
        if (i <= 0)
            continue;
        const QByteArray v = it.value().toString().toUtf8();
        sqlite3_bind_text(st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    int rows = 0;
    const int columns = sqlite3_column_count(st);
    size_t bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c)
            if (const unsigned char* t = sqlite3_column_text(st, c))
                bytes += size_t(sqlite3_column_bytes(st, c)) + (t[0] != 0);
    }
    benchmark::DoNotOptimize(bytes);
    sqlite3_finalize(st);
    return rows;
}

// The search's condition as SQLite alone runs it: equality and order in
// BINARY (the TURKISH collation is the program's).
QString bareCondition(const QString& where)
{
    QString w = where;
    static const QRegularExpression eq("(=|<>|<=|>=|<|>) (:ps\\d+)");
    w.replace(eq, "\\1 \\2 collate binary");
    return w;
}

// --- Searches -----------------------------------------------------------------------

enum SearchKind { NamePart, Belt, CommonBelt, Region, BigRegion, Club, RegisterNumber, Category };
const char* const kSearchNames[] = {"name part",         "belt (the highest, 6 %)", "belt (the first, 30 %)",
                                    "region",            "region (İSTANBUL, 18 %)", "club",
                                    "register number",   "category"};

PersonSearch::Criteria criteriaFor(SearchKind kind, Database& db, int persons)
{
    PersonSearch::Criteria c;
    switch (kind) {
    case NamePart:
        c.name = "MEHMET";
        c.nameContains = true;
        break;
    case Belt:
        // The highest belt that persons hold (the dan grades above it are
        // held by nobody in this register).
        c.belt = db.scalar("select Kusak_Adi from KUSAK where Kusak_Adi in (select E25 from C_MUSTERI) "
                           "order by Kusak_Key desc")
                     .toString();
        break;
    case CommonBelt:
        c.belt = db.scalar("select Kusak_Adi from KUSAK order by Kusak_Key").toString();
        break;
    case Region:
        c.region = db.scalar("select Vergi_Dairesi from C_MUSTERI where Vergi_Dairesi not in "
                             "('İSTANBUL', 'ANKARA', 'İZMİR') order by Musteri_Key")
                       .toString();
        break;
    case BigRegion:
        c.region = "İSTANBUL";
        break;
    case Club:
        c.club = db.scalar("select E16 from C_MUSTERI where Musteri_Key = 11").toString();
        break;
    case RegisterNumber:
        c.registerNumber = PersonSearch::padRegisterNumber(QString::number(persons / 2));
        break;
    case Category:
        c.category = db.scalar("select E53 from C_MUSTERI where Musteri_Key = 13").toString();
        break;
    }
    return c;
}

void BM_Search(benchmark::State& state)
{
    const auto kind = SearchKind(state.range(0));
    RegisterStation& s = station(int(state.range(1)));
    Database& db = s.db();
    const PersonSearch::Condition w = PersonSearch::build(db, criteriaFor(kind, db, s.persons));
    const QString bareSql = "select " + QString(PersonSearch::kListColumns) + " from C_MUSTERI" +
                            bareCondition(w.where) + " order by Ad_Soyad collate binary";
    std::vector<double> ours, theirs;
    int rows = 0, bareRows = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        bareRows = bareRun(s.bare, bareSql, w.params);
        theirs.push_back(msSince(t0));
        t0 = Clock::now();
        const Records r = PersonSearch::list(db, w, "Ad_Soyad");
        ours.push_back(msSince(t0));
        rows = int(r.size());
    }
    state.counters["ms"] = median(ours);
    // The first run of the search in this process (the memory of its list
    // handed out by the kernel for the first time).
    state.counters["first_ms"] = ours.empty() ? 0 : ours.front();
    state.counters["sqlite_ms"] = median(theirs);
    state.counters["ratio"] = median(ours) / std::max(1e-9, median(theirs));
    state.counters["rows"] = rows;
    state.counters["sqlite_rows"] = bareRows;
    state.SetLabel(kSearchNames[kind]);
}

// --- The save -----------------------------------------------------------------------

PersonSave newPerson(Database& db, int n)
{
    PersonSave s;
    PersonValues& v = s.values;
    for (const QString& c : kPersonDateColumns)
        v.set(c, kBlankDate);
    v.set("Adi", "ALİ RIZA");
    v.set("Soyadi", QString("YILMAZ%1").arg(n));
    v.set("Ad_Soyad", QString("ALİ RIZA YILMAZ%1").arg(n));
    v.set("Vergi_Dairesi", db.scalar("select Vergi_Dairesi from C_MUSTERI where Musteri_Key = 3").toString());
    v.set("E50", "SPORCU");
    v.set("E15", "ERKEK");
    v.set("E53", "57 KG ERKEK BÜYÜKLER");
    v.set("E16", db.scalar("select E16 from C_MUSTERI where Musteri_Key = 5").toString());
    v.set("E42", "10000000146");
    v.set("M1", "01.03.2009");
    v.set("M2", "01.03.2009");
    v.set("M3", "7.4.1990");
    s.userName = "ADMIN";
    s.now = QDateTime(QDate(2024, 3, 5), QTime(14, 5, 9));
    return s;
}

void BM_PersonSave(benchmark::State& state)
{
    RegisterStation& s = station(int(state.range(0)));
    Database& db = s.db();
    const CheckLists lists = CheckLists::read(db);
    CheckPrompts prompts;
    prompts.warning = [](const QString&) {};
    prompts.question = [](const QString&) { return true; };
    prompts.notice = [](const QString&) {};
    db.exec("create table if not exists BENCH_SAVE as select * from C_MUSTERI where 0");
    std::vector<double> ours, theirs;
    int n = 0;
    for (auto _ : state) {
        PersonSave p = newPerson(db, ++n);
        auto t0 = Clock::now();
        const auto failure = KayitKontrol(p.values, false, lists, prompts);
        if (failure) {
            state.SkipWithError(qPrintable("check failed: " + failure->message));
            break;
        }
        if (PersonWriter::KisiYaz(db, p) != PersonWriter::Saved) {
            state.SkipWithError("not saved");
            break;
        }
        ours.push_back(msSince(t0));
        // SQLite alone: the same row inserted and committed.
        t0 = Clock::now();
        const QString sql = QString("insert into BENCH_SAVE select * from C_MUSTERI where Musteri_Key = %1").arg(p.personKey);
        char* error = nullptr;
        if (sqlite3_exec(s.bare, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            state.SkipWithError(error ? error : "bare insert failed");
            sqlite3_free(error);
            break;
        }
        theirs.push_back(msSince(t0));
    }
    state.counters["ms"] = median(ours);
    state.counters["sqlite_ms"] = median(theirs);
    state.counters["ratio"] = median(ours) / std::max(1e-9, median(theirs));
}

// --- The search window --------------------------------------------------------------

void BM_OpenSearchWindow(benchmark::State& state)
{
    RegisterStation& s = station(int(state.range(0)));
    std::vector<double> ours, theirs;
    int listed = 0;
    for (auto _ : state) {
        MusteriGiris1->DBLookupComboBox4->clear();
        auto t0 = Clock::now();
        MusteriGiris1->show();
        MusteriGiris1->activateWindow();
        QCoreApplication::processEvents();
        ours.push_back(msSince(t0));
        listed = MusteriGiris1->DBLookupComboBox4->count();
        MusteriGiris1->hide();
        QCoreApplication::processEvents();
        t0 = Clock::now();
        for (const char* sql : {"select * from C_UYELIKTURU order by durum collate binary",
                                "select Durum_Key, Durum from C_UYELIKSURESI where Durum <> '' collate binary "
                                "order by Durum collate binary",
                                "select * from C_BRANS order by Durum collate binary",
                                "select * from KUSAK order by Kusak_Key", "select * from C_UYEKULLANICI",
                                "select * from STIL order by Stil_Key"})
            bareRun(s.bare, sql);
        theirs.push_back(msSince(t0));
    }
    state.counters["ms"] = median(ours);
    state.counters["sqlite_ms"] = median(theirs);
    state.counters["ratio"] = median(ours) / std::max(1e-9, median(theirs));
    state.counters["clubs_listed"] = listed;
}

// --- Lists to PDF -------------------------------------------------------------------

long residentKb(const char* field)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Starts a new peak of the resident memory (Linux: VmHWM back to VmRSS).
void resetPeak()
{
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

struct PdfFigures {
    double ms = 0;
    int pages = 0;
    double peakMb = 0;
};

// The register's "Genel Liste" of the persons `where` selects, written to PDF
// straight from the report, or through the preview's save command.
PdfFigures listToPdf(RegisterStation& s, const QString& where, bool throughPreview)
{
    TPrintMenu4& r = *PrintMenu4;
    r.closeDataSets();
    r.QRLabel9->caption = "GENEL LİSTE";
    r.QRLabel10->caption = "03.02.2024";
    r.FActivityFilter.clear();
    r.setEmailColumn(false);
    r.Query1.sql = "Select * from C_MUSTERI" + where + " Order By Ad_Soyad";
    r.Query1.params.clear();
    r.FFirstRow = 1;
    const QString pdf = s.dir.filePath("liste.pdf");
    QFile::remove(pdf);
    PdfFigures f;
    QCoreApplication::processEvents();
    malloc_trim(0);   // memory freed before is given back, so that the peak shows this run
    const long before = residentKb("VmRSS:");
    resetPeak();
    const auto t0 = Clock::now();
    if (throughPreview) {
        ModalRunner::setHook([&](QDialog* d) {
            auto* preview = qobject_cast<ReportPreview*>(d);
            if (!preview)
                return false;
            Messages::setHook([&](const UiRequest& q) {
                UiAnswer a;
                a.accepted = q.kind == UiRequest::SaveFile;
                a.value = pdf;
                return a;
            });
            preview->saveDocument();
            Messages::setHook({});
            f.pages = preview->pages().pageCount();
            d->reject();
            return true;
        });
        r.ReportBody1.preview();
        ModalRunner::setHook({});
    } else {
        r.ReportBody1.saveToFile(pdf);
    }
    f.ms = msSince(t0);
    f.peakMb = double(residentKb("VmHWM:") - before) / 1024.0;
    if (!throughPreview)
        f.pages = r.ReportBody1.pageCount();
    r.closeDataSets();
    return f;
}

void reportPdf(benchmark::State& state, RegisterStation& s, const QString& where, bool throughPreview)
{
    std::vector<double> perPage, theirs, peaks;
    int pages = 0;
    for (auto _ : state) {
        const PdfFigures f = listToPdf(s, where, throughPreview);
        if (f.pages <= 0) {
            state.SkipWithError("no pages");
            return;
        }
        pages = f.pages;
        perPage.push_back(f.ms / f.pages);
        peaks.push_back(f.peakMb);
        const auto t0 = Clock::now();
        bareRun(s.bare, "select * from C_MUSTERI" + where + " order by Ad_Soyad collate binary");
        theirs.push_back(msSince(t0) / f.pages);
    }
    state.counters["pages"] = pages;
    state.counters["ms_per_page"] = median(perPage);
    state.counters["sqlite_ms_per_page"] = median(theirs);
    state.counters["peak_mb"] = *std::max_element(peaks.begin(), peaks.end());
    state.SetLabel(throughPreview ? "preview, saved as PDF" : "straight to PDF");
}

void BM_ListPerPage(benchmark::State& state)
{
    RegisterStation& s = station(int(state.range(0)));
    reportPdf(state, s, " where Musteri_Key <= 10000", false);
}

void BM_RegisterPdf(benchmark::State& state)
{
    RegisterStation& s = station(int(state.range(0)));
    reportPdf(state, s, " where Tip = 1", state.range(1) != 0);
}

// Every benchmark of one register size before the next size, so that each
// register is opened once.
void registerAll()
{
    for (int persons : {20000, 200000}) {
        for (int k = NamePart; k <= Category; ++k)
            benchmark::RegisterBenchmark("BM_Search", BM_Search)
                ->Args({k, persons})
                ->Iterations(7)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_PersonSave", BM_PersonSave)
            ->Arg(persons)
            ->Iterations(15)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_OpenSearchWindow", BM_OpenSearchWindow)
            ->Arg(persons)
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_ListPerPage", BM_ListPerPage)
            ->Arg(persons)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        for (int preview : {0, 1})
            benchmark::RegisterBenchmark("BM_RegisterPdf", BM_RegisterPdf)
                ->Args({persons, preview})
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    // As the program starts (Startup::run).
    HeapReuse::keepFreedMemory();
    QApplication app(argc, argv);
    registerAll();
    const int result = BenchSupport::runBenchmarks(argc, argv);
    stations.clear();   // the screens go before the application
    return result;
}
