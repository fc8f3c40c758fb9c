#include "app/SplashForm.h"
#include "app/Startup.h"
#include "app/Station.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class StartupTest : public StationTest {};

TEST_F(StartupTest, SplashReplacesAReadOnlyLogoWithoutAMessage)
{
    const QString logo = host(TSplashForm::logoFile());
    writeFile(logo, "old");
    QFile::setPermissions(logo, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    TSplashForm splash;
    splash.show();
    const QImage written(logo);
    EXPECT_EQ(written.size(), QSize(125, 124));
    EXPECT_EQ(ui().count(), 0);
}

TEST_F(StartupTest, InitRefusesToOverwriteAStation)
{
    db.insert("C_SIFRE", {{"Key_No", 2}, {"Ad", "KALSIN"}, {"Sifre", "1"}, {"R/F", "YOK"}});
    EXPECT_THROW(Station::init(), std::runtime_error);
    EXPECT_EQ(db.scalar("select count(*) from C_SIFRE").toInt(), 2);
}

TEST_F(StartupTest, NewStationHasItsSeedRowsAndRegistryValue)
{
    EXPECT_EQ(RegistryValues::dbq(), Station::kDefaultDatabase);
    EXPECT_TRUE(Station::exists());
    EXPECT_EQ(db.scalar("select DBName from C_DATABASE").toString(), "ACCESS");
    const auto admin = db.first("select * from C_SIFRE where Key_No = 1");
    ASSERT_TRUE(admin.has_value());
    EXPECT_EQ(admin->str("R/F"), "YOK");
    EXPECT_EQ(db.scalar("select count(*) from C_SAYI").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from C_YAZILAR").toInt(), 1);
    EXPECT_TRUE(DriveMap::exists("C:\\CO\\QVX_PROG\\Flags"));
}

TEST(QtTranslations, QtsOwnDialogsSpeakTurkish)
{
    ASSERT_TRUE(Startup::loadQtTranslations()) << "qt6-translations-l10n is installed by scripts/setup.sh";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "İptal");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Evet");
    EXPECT_TRUE(Startup::loadQtTranslations()) << "loaded once, asked again";
}

// The station tool makes each kind of station and tells which it is.
class StationToolKinds : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(StationToolKinds, InitMakesTheKindAndInfoTellsIt)
{
    const QString tool = QCoreApplication::applicationDirPath() + "/../src/brivex-station";
    ASSERT_TRUE(QFileInfo::exists(tool)) << tool.toStdString();
    QTemporaryDir home;
    auto runTool = [&](const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("BRIVEX_HOME", home.path());
        p.setProcessEnvironment(env);
        p.start(tool, args);
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    QStringList init = {"init"};
    if (*GetParam().first)
        init << GetParam().first;
    runTool(init);
    const QString info = runTool({"info"});
    EXPECT_TRUE(info.contains(QString::fromUtf8("İstasyon türü     : ") + QString::fromUtf8(GetParam().second)))
        << info.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, StationToolKinds,
                         ::testing::Values(std::pair{"", "puanlama (yalnız müsabaka araç çubuğu)"},
                                           std::pair{"--office", "ofis (menüler açık)"}));

} // namespace
