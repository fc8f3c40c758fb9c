#include "app/SplashForm.h"
#include "app/Station.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>

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

} // namespace
