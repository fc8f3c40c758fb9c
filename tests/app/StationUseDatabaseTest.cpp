// A station that works on a database that exists already: a ring computer
// on the main computer's "M:\QVX_PROG\Fdr.mdb" (`brivex-station
// use-database`). The step checks the file and never creates, changes or
// overwrites a database; `brivex-station info` lists the drives, ring
// computers and serial ports of the station.
#include "app/Main.h"
#include "app/Sifre.h"
#include "app/Station.h"
#include "app/kit/Session.h"
#include "platform/db/JournalMode.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

namespace {

const QString kMainOnM = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runStationTool(const QString& home, const QStringList& args)
{
    QProcess tool;
    tool.start(BRIVEX_STATION_TOOL, args + QStringList{"--home", home});
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardOutput()), QString::fromUtf8(tool.readAllStandardError())};
}

// The "DBQ" value a station's info prints.
QString dbqLine(const QString& home)
{
    for (const QString& line : runStationTool(home, {"info"}).out.split('\n'))
        if (line.startsWith("DBQ"))
            return line;
    return QString();
}

// The bytes of a file, or "(none)" when it is not there.
QByteArray fileState(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(none)";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

// --- Refusals ------------------------------------------------------------------

// What lies at the main computer's "C:\CO\" folder (the folder drive M: maps).
using MainFolder = std::function<void(const QString& folder, const QString& home)>;

struct RefusalCase {
    const char* name;
    MainFolder make;
    bool mapM;
    QString message;            // the refusal's lines before the last; %1 is the file's host path
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

void brivexMain(const QString&, const QString& home)
{
    EXPECT_EQ(runStationTool(home, {"init"}).exitCode, 0);
}

void fileWith(const QString& folder, const QByteArray& bytes)
{
    QDir().mkpath(folder + "/QVX_PROG");
    QFile f(folder + "/QVX_PROG/Fdr.mdb");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class UseDatabaseRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(UseDatabaseRefusals, TellWhyAndChangeNothing)
{
    QTemporaryDir mainHome, ringHome;
    const QString folder = mainHome.path() + "/C/CO";
    GetParam().make(folder, mainHome.path());
    const QString file = folder + "/QVX_PROG/Fdr.mdb";
    const QByteArray before = fileState(file);

    ASSERT_EQ(runStationTool(ringHome.path(), {"init"}).exitCode, 0);
    if (GetParam().mapM) {
        ASSERT_EQ(runStationTool(ringHome.path(), {"map-drive", "M", folder, "--remote"}).exitCode, 0);
    }
    const QString ownDbq = dbqLine(ringHome.path());
    ASSERT_EQ(ownDbq, "DBQ               : C:\\CO\\QVX_PROG\\Fdr.mdb");

    const ToolRun run = runStationTool(ringHome.path(), {"use-database", kMainOnM});
    EXPECT_EQ(run.exitCode, 1);
    QString message = GetParam().message;
    message.replace("%1", file);
    EXPECT_TRUE(run.err.startsWith(message + "\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith("\nİstasyonun ayarları değiştirilmedi.\n")) << run.err.toStdString();
    EXPECT_EQ(dbqLine(ringHome.path()), ownDbq) << "the station keeps its database";
    EXPECT_EQ(fileState(file), before) << "nothing is written into the file, nothing is made";
    EXPECT_EQ(QFileInfo::exists(folder + "/QVX_PROG"), before != "(none)") << "no folder is made";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UseDatabaseRefusals,
    ::testing::Values(
        RefusalCase{"NoDriveM", brivexMain, false,
                    "M: ağ sürücüsü bağlı değil: M:\\QVX_PROG\\Fdr.mdb açılamaz.\n"
                    "Önce ana bilgisayarın klasörünü bağlayın: brivex-station map-drive M KLASÖR --remote"},
        RefusalCase{"NoFile", [](const QString& f, const QString&) { QDir().mkpath(f); }, true,
                    "Veritabanı dosyası bulunamadı: M:\\QVX_PROG\\Fdr.mdb (%1)"},
        RefusalCase{"TextFile", [](const QString& f, const QString&) { fileWith(f, QByteArray(4096, 'x')); }, true,
                    "Bu dosya bir Brivex veritabanı değil: M:\\QVX_PROG\\Fdr.mdb (%1)"},
        RefusalCase{"EmptyFile", [](const QString& f, const QString&) { fileWith(f, {}); }, true,
                    "Bu dosya bir Brivex veritabanı değil: M:\\QVX_PROG\\Fdr.mdb (%1)"},
        RefusalCase{"AnotherProgramsDatabase",
                    [](const QString& f, const QString&) {
                        QDir().mkpath(f + "/QVX_PROG");
                        Database other;
                        other.open(f + "/QVX_PROG/Fdr.mdb", false);
                        other.exec("create table NOTES (x)");
                    },
                    true, "Bu dosya bir Brivex veritabanı değil: M:\\QVX_PROG\\Fdr.mdb (%1)"},
        RefusalCase{"PrivateStationsDatabase",
                    [](const QString&, const QString& home) {
                        EXPECT_EQ(runStationTool(home, {"init", "--private"}).exitCode, 0);
                    },
                    true,
                    "Veritabanı açılamadı: M:\\QVX_PROG\\Fdr.mdb\n"
                    "Bu veritabanı yalnız kendi bilgisayarında açılabilen özel bir istasyona ait (WAL günlük kipi). "
                    "Ağ sürücüsü ya da ring adı üzerinden açılamaz: M:\\QVX_PROG\\Fdr.mdb"},
        RefusalCase{"CannotWrite",
                    [](const QString& f, const QString& home) {
                        brivexMain(f, home);
                        // The journal beside the file cannot be made, as in a
                        // read-only folder.
                        QFile::link(home + "/no-such-folder/journal", f + "/QVX_PROG/Fdr.mdb-journal");
                    },
                    true,
                    "Bu istasyon veritabanına yazamıyor: M:\\QVX_PROG\\Fdr.mdb\n" +
                        DbError::textFor(DbError::Kind::ReadOnly)}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// --- Paths that name no drive -------------------------------------------------

// The main computer's database given by its host path: taken through the
// drive that maps its folder, refused when no drive does (the program folder
// would have no drive letter).
TEST(UseDatabaseHostPath, IsTakenThroughItsDriveOrRefusedWithTheExpectedForm)
{
    QTemporaryDir mainHome, ringHome;
    ASSERT_EQ(runStationTool(mainHome.path(), {"init"}).exitCode, 0);
    const QString folder = mainHome.path() + "/C/CO";
    const QString file = folder + "/QVX_PROG/Fdr.mdb";
    ASSERT_EQ(runStationTool(ringHome.path(), {"init"}).exitCode, 0);
    const QString ownDbq = dbqLine(ringHome.path());

    // No drive maps the main computer's folder yet: every form without a
    // drive is refused, and the station keeps its own database.
    for (const QString& given : {file, QString("QVX_PROG\\Fdr.mdb"), QString("\\\\MAIN\\CO\\QVX_PROG\\Fdr.mdb")}) {
        SCOPED_TRACE(given.toStdString());
        const ToolRun run = runStationTool(ringHome.path(), {"use-database", given});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "Veritabanı yolu bir sürücü harfiyle verilmeli: " + given +
                               "\nÖrnek: M:\\QVX_PROG\\Fdr.mdb (ana bilgisayarın klasörü M: olarak bağlıyken; "
                               "bağlamak için: brivex-station map-drive M KLASÖR --remote)"
                               "\nİstasyonun ayarları değiştirilmedi.\n");
        EXPECT_EQ(dbqLine(ringHome.path()), ownDbq);
    }

    // Once M: maps it, the host path stands for "M:\QVX_PROG\Fdr.mdb".
    ASSERT_EQ(runStationTool(ringHome.path(), {"map-drive", "M", folder, "--remote"}).exitCode, 0);
    const ToolRun use = runStationTool(ringHome.path(), {"use-database", file});
    ASSERT_EQ(use.exitCode, 0) << use.err.toStdString();
    EXPECT_EQ(use.out.split('\n').value(0), "İstasyon var olan veritabanını kullanıyor: " + kMainOnM);
    EXPECT_EQ(dbqLine(ringHome.path()), "DBQ               : " + kMainOnM);
    EXPECT_TRUE(runStationTool(ringHome.path(), {"info"}).out.contains("Veritabanı dosyası: " + file));
}

// --- A ring computer made on the main computer's database ------------------

class RingOnMainDatabase : public ScreensTest {
protected:
    void TearDown() override
    {
        ScreensTest::TearDown();
        DriveMap::setDataRoot(dir.path());
        Registry::reload();
    }
    QTemporaryDir ringHome;
};

TEST_F(RingOnMainDatabase, UseDatabaseMakesTheRingSignInOnTheMainDatabase)
{
    // This test's station is the main computer; a user of its own.
    addUser(2, "HAKEM", "55", "VAR");
    const QString mainFile = db.hostPath();
    const QByteArray before = fileState(mainFile);
    const QString folder = DriveMap::driveFolder('C') + "/CO";
    ASSERT_EQ(runStationTool(ringHome.path(), {"map-drive", "M", folder, "--remote"}).exitCode, 0);

    // "init" on a database that exists refuses and points at the step.
    const ToolRun init = runStationTool(ringHome.path(), {"init", "--database", kMainOnM});
    EXPECT_EQ(init.exitCode, 1);
    EXPECT_EQ(init.err.trimmed(), "Veritabanı dosyası zaten var, üzerine yazılmadı: " + mainFile +
                                      "\nVar olan bir veritabanını kullanmak için: brivex-station use-database " +
                                      kMainOnM);

    const ToolRun use = runStationTool(ringHome.path(), {"use-database", kMainOnM, "--office"});
    ASSERT_EQ(use.exitCode, 0) << use.err.toStdString();
    const QStringList lines = use.out.split('\n');
    EXPECT_EQ(lines.value(0), "İstasyon var olan veritabanını kullanıyor: " + kMainOnM);
    EXPECT_TRUE(lines.contains("DBQ               : " + kMainOnM)) << use.out.toStdString();
    EXPECT_TRUE(lines.contains("Veritabanı dosyası: " + mainFile)) << use.out.toStdString();
    EXPECT_TRUE(lines.contains("M: sürücüsü       : " + folder + " (ağ)")) << use.out.toStdString();
    EXPECT_TRUE(lines.contains("İstasyon türü     : ofis (menüler açık)")) << use.out.toStdString();
    EXPECT_EQ(fileState(mainFile), before) << "the main database is left as it was";
    EXPECT_TRUE(QFileInfo(ringHome.path() + "/C/CO").isDir()) << "the ring's own work folder";

    // The ring signs in on the main computer's database with its users.
    DriveMap::setDataRoot(ringHome.path());
    Registry::reload();
    ASSERT_TRUE(login("HAKEM", "55")) << ui().texts().join(" | ").toStdString();
    EXPECT_EQ(QFileInfo(session().db.hostPath()).canonicalFilePath(), QFileInfo(mainFile).canonicalFilePath());
}

// --- What info lists -----------------------------------------------------------

class StationInfoMaps : public StationTest {};

TEST_F(StationInfoMaps, InfoListsRingComputersAndSerialPorts)
{
    EXPECT_TRUE(Station::describe().contains("Seri portlar      : (tanımlı yok)"));

    // A USB adapter plugged in gets its name; a port named by hand keeps its.
    QDir().mkpath(Registry::hardwareRoot() + "/sys/class/tty/ttyUSB0");
    PortMap::setDevice("COM7", "/dev/pts/9");
    DriveMap::mapRing("ring2", "/mnt/ring2");
    const QStringList lines = Station::describe();
    const qsizetype usb = lines.indexOf("Seri port         : COM3 -> /dev/ttyUSB0");
    const qsizetype byHand = lines.indexOf("Seri port         : COM7 -> /dev/pts/9");
    EXPECT_GE(usb, 0) << lines.join('\n').toStdString();
    EXPECT_GT(byHand, usb) << "ports by number";
    EXPECT_TRUE(lines.contains("Ring bilgisayarı  : \\\\RING2 -> /mnt/ring2")) << lines.join('\n').toStdString();
    EXPECT_FALSE(lines.contains("Seri portlar      : (tanımlı yok)"));
    EXPECT_EQ(PortMap::devicePath("COM3"), "/dev/ttyUSB0") << "the name listed is the one the program uses";
}

TEST(StationToolInfo, InfoPrintsAPortMappedWithTheTool)
{
    QTemporaryDir home;
    ASSERT_EQ(runStationTool(home.path(), {"init"}).exitCode, 0);
    ASSERT_EQ(runStationTool(home.path(), {"map-port", "COM9", "/dev/ttyS4"}).exitCode, 0);
    const ToolRun info = runStationTool(home.path(), {"info"});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_TRUE(info.out.split('\n').contains("Seri port         : COM9 -> /dev/ttyS4")) << info.out.toStdString();
}

} // namespace
