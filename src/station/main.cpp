// brivex-station: creates and inspects a station's data.
//
//   brivex-station init [--home DIR] [--database PATH] [--if-missing] [--office] [--private]
//   brivex-station use-database PATH [--office] [--home DIR]
//   brivex-station info [--home DIR]
//   brivex-station map-drive LETTER FOLDER [--remote] [--home DIR]
//   brivex-station map-ring NAME FOLDER [--home DIR]
//   brivex-station map-port COMn DEVICE [--home DIR]

#include "app/BrivexSchema.h"
#include "app/Station.h"
#include "app/kit/StationKind.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/ui/Messages.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

int usage()
{
    QTextStream err(stderr);
    err << "Kullanım:\n"
           "  brivex-station init [--home KLASÖR] [--database YOL] [--if-missing] [--office] [--private]\n"
           "  brivex-station use-database YOL [--office] [--home KLASÖR]\n"
           "  brivex-station info [--home KLASÖR]\n"
           "  brivex-station map-drive HARF KLASÖR [--remote] [--home KLASÖR]\n"
           "  brivex-station map-ring AD KLASÖR [--home KLASÖR]\n"
           "  brivex-station map-port COMn AYGIT [--home KLASÖR]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);

    auto takeOption = [&](const QString& name) -> QString {
        const int i = int(args.indexOf(name));
        if (i < 0 || i + 1 >= args.size())
            return QString();
        const QString v = args[i + 1];
        args.remove(i, 2);
        return v;
    };
    auto takeFlag = [&](const QString& name) {
        const int i = int(args.indexOf(name));
        if (i < 0)
            return false;
        args.removeAt(i);
        return true;
    };

    // What the settings store would show in a box (a write that failed) goes
    // to the terminal.
    Messages::setHook([](const UiRequest& r) {
        QTextStream(stderr) << r.text << "\n";
        return UiAnswer{};
    });

    const QString home = takeOption("--home");
    if (!home.isEmpty())
        DriveMap::setDataRoot(home);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();

    try {
        if (command == "init") {
            QString database = takeOption("--database");
            if (database.isEmpty())
                database = Station::kDefaultDatabase;
            const bool ifMissing = takeFlag("--if-missing");
            // An office station shows the register's menus; the default is a
            // scoring station.
            const bool office = takeFlag("--office");
            // A station no other station opens: its database in WAL mode.
            const bool privateStation = takeFlag("--private");
            if (ifMissing && Station::exists()) {
                out << "İstasyon zaten var.\n";
                return 0;
            }
            Station::init(database);
            StationKinds::write(office ? StationKind::Office : StationKind::Scoring);
            if (privateStation)
                Station::makePrivate(database);
            out << "Yeni istasyon oluşturuldu.\n";
            out << "Yönetici: " << kInitialAdminName << ", şifre: " << kInitialAdminPassword << "\n";
            for (const QString& line : Station::describe())
                out << line << "\n";
            return 0;
        }
        if (command == "use-database" && !args.isEmpty()) {
            // A station that works on a database that exists already (a
            // ring computer on the main computer's database through M:).
            const bool office = takeFlag("--office");
            if (args.size() != 1)
                return usage();
            const QString used = Station::use(args[0]);
            if (office)
                StationKinds::write(StationKind::Office);
            out << "İstasyon var olan veritabanını kullanıyor: " << used << "\n";
            for (const QString& line : Station::describe())
                out << line << "\n";
            return 0;
        }
        if (command == "info") {
            for (const QString& line : Station::describe())
                out << line << "\n";
            return Station::exists() ? 0 : 1;
        }
        if (command == "map-drive" && args.size() >= 2) {
            const bool remote = takeFlag("--remote");
            if (args[0].size() < 1 || !args[0][0].isLetter())
                return usage();
            DriveMap::mapDrive(args[0][0], args[1], remote);
            return 0;
        }
        if (command == "map-ring" && args.size() >= 2) {
            DriveMap::mapRing(args[0], args[1]);
            return 0;
        }
        if (command == "map-port" && args.size() >= 2) {
            PortMap::setDevice(args[0], args[1]);
            return 0;
        }
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return usage();
}
