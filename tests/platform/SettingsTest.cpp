#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DriveMap::setDataRoot(dir.path());
        Registry::reload();
        Registry::setHardwareRoot(dir.path() + "/hw");
    }
    void write(const QString& relative, const QByteArray& content)
    {
        const QString path = dir.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir dir;
};

TEST_F(SettingsTest, RegistryValuesPersistAndKeysIgnoreCase)
{
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.openKey("\\Software\\ODBC\\ODBC.INI\\fdr", true));
        EXPECT_TRUE(reg.writeString("DBQ", "C:\\CO\\QVX_PROG\\Fdr.mdb"));
        EXPECT_TRUE(reg.writeInteger("Count", 3));
    }
    Registry::reload();
    Registry reg(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKeyReadOnly("SOFTWARE\\odbc\\ODBC.INI\\FDR"));
    EXPECT_EQ(reg.readString("dbq"), "C:\\CO\\QVX_PROG\\Fdr.mdb");
    EXPECT_EQ(reg.readInteger("COUNT"), 3);
    EXPECT_EQ(reg.readString("missing"), "");
    EXPECT_FALSE(reg.writeString("DBQ", "x")) << "a key opened read-only refuses writes";
    Registry machine(Registry::HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(machine.openKeyReadOnly("\\Software\\ODBC\\ODBC.INI\\fdr")) << "roots are apart";
}

TEST_F(SettingsTest, MouseServiceListsUsbMiceFromProc)
{
    write("hw/proc/bus/input/devices",
          "I: Bus=0003 Vendor=0461 Product=4d17 Version=0111\n"
          "N: Name=\"Judge mouse 1\"\n"
          "P: Phys=usb-0000:00:14.0-1/input0\n"
          "H: Handlers=mouse0 event3\n"
          "\n"
          "I: Bus=0011 Vendor=0002 Product=0013 Version=0006\n"
          "N: Name=\"PS/2 mouse\"\n"
          "P: Phys=isa0060/serio1/input0\n"
          "H: Handlers=mouse1 event4\n"
          "\n"
          "I: Bus=0003 Vendor=045e Product=0750 Version=0110\n"
          "N: Name=\"Keyboard\"\n"
          "P: Phys=usb-0000:00:14.0-2/input0\n"
          "H: Handlers=sysrq kbd event5\n");
    Registry reg(Registry::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.openKeyReadOnly("\\System\\CurrentControlSet\\Services\\Mouhid\\Enum"));
    EXPECT_EQ(reg.readInteger("Count"), 1);
    EXPECT_EQ(reg.readString("0"), "HID\\VID_0461&PID_4D17\\usb-0000:00:14.0-1/input0");
    EXPECT_EQ(reg.readString("1"), "");
}

TEST_F(SettingsTest, SerialCommNamesUsbPortsInAStableOrder)
{
    write("hw/sys/class/tty/ttyUSB1/dev", "188:1\n");
    write("hw/sys/class/tty/ttyACM0/dev", "166:0\n");
    write("hw/sys/class/tty/ttyUSB0/dev", "188:0\n");
    write("hw/sys/class/tty/ttyS0/dev", "4:64\n");
    Registry reg(Registry::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.openKeyReadOnly("\\HARDWARE\\DEVICEMAP\\SERIALCOMM"));
    EXPECT_EQ(reg.valueNames(), QStringList({"\\Device\\VCP0", "\\Device\\VCP1", "\\Device\\VCP2"}));
    EXPECT_EQ(reg.readString("\\Device\\VCP0"), "COM3");
    EXPECT_EQ(PortMap::devicePath("COM3"), "/dev/ttyACM0");
    EXPECT_EQ(PortMap::devicePath("com5"), "/dev/ttyUSB1");
    // A device keeps its name when another one goes away.
    QDir(dir.path() + "/hw/sys/class/tty/ttyACM0").removeRecursively();
    EXPECT_EQ(reg.readString("\\Device\\VCP0"), "COM4");
    EXPECT_EQ(PortMap::devicePath("COM4"), "/dev/ttyUSB0");
}

TEST_F(SettingsTest, DriveMapTurnsWindowsPathsIntoHostPaths)
{
    write("C/CO/QVX_PROG/Fdr.mdb", "x");
    EXPECT_EQ(DriveMap::toHost("C:\\CO\\QVX_PROG\\FDR.MDB"), dir.path() + "/C/CO/QVX_PROG/Fdr.mdb");
    EXPECT_EQ(DriveMap::toHost("c:/co/qvx_prog/Yeni.mdb"), dir.path() + "/C/CO/QVX_PROG/Yeni.mdb");
    EXPECT_EQ(DriveMap::toHost("/tmp/x.mdb"), "/tmp/x.mdb");
    EXPECT_EQ(DriveMap::toWindows(dir.path() + "/C/CO/QVX_PROG/Fdr.mdb"), "C:\\CO\\QVX_PROG\\Fdr.mdb");

    QTemporaryDir main;
    EXPECT_EQ(DriveMap::driveType('M'), DriveMap::DriveType::None);
    DriveMap::mapDrive('m', main.path(), true);
    EXPECT_EQ(DriveMap::driveType('M'), DriveMap::DriveType::Remote);
    EXPECT_EQ(DriveMap::toHost("M:\\QVX_PROG\\Fdr.mdb"), main.path() + "/QVX_PROG/Fdr.mdb");
    DriveMap::mapRing("ring2", main.path());
    EXPECT_EQ(DriveMap::toHost("\\\\RING2\\CO\\QVX_PROG\\Fdr.mdb"), main.path() + "/CO/QVX_PROG/Fdr.mdb");
    EXPECT_EQ(DriveMap::driveType('C'), DriveMap::DriveType::Local);
}

} // namespace
