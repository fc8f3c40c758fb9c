#include "app/comport/SerialPort.h"
#include "app/setup/CmPort.h"
#include "comport/PtyPair.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char* const kChoosePort = "Lütfen Seri İletişim Portu Seçiniz ...!";
const char* const kBadPort =
    "Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu Seçtiniz. Lütfen Düzeltiniz ...!";
const char* const kKey = "\\Software\\Classes\\.comport\\Shellex\\PropertySheet";

class CmPortTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        // The main window's creation stored "COM1" as the port; each case
        // here starts from what it stores itself.
        Registry reg(Registry::HKEY_CURRENT_USER);
        if (reg.openKey(kKey, false))
            reg.deleteValue("comport");
        ASSERT_TRUE(pty.valid());
        PortMap::setDevice("COM7", pty.slavePath());
    }

    static void store(const QString& port, const QString& type)
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.openKey(kKey, true));
        if (!port.isNull())
            reg.writeString("comport", port);
        if (!type.isNull())
            reg.writeString("Type", type);
    }
    // A stored value, or a null text when the value (or its key) is missing.
    static QString stored(const QString& name)
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        if (!reg.openKeyReadOnly(kKey) || !reg.valueExists(name))
            return QString();
        return reg.readString(name);
    }

    // Opens the screen with a script that picks a port and a type and
    // presses "Tamam"; `after` checks the screen once the button has run.
    void choose(const QString& port, int type, std::function<void(QDialog*)> after)
    {
        modals().expect("TCmPort", [=](QDialog* d) {
            auto* combo = child<QComboBox>(d, "ComboBox1");
            combo->setCurrentIndex(combo->findText(port));
            if (type == 1)
                child<QRadioButton>(d, "RadioButton1")->setChecked(true);
            if (type == 2)
                child<QRadioButton>(d, "RadioButton2")->setChecked(true);
            click(child<QPushButton>(d, "BitBtn1"));
            after(d);
            if (d->isVisible())
                d->close();
        });
        CmPort->showModal();
    }

    PtyPair pty;
};

TEST_F(CmPortTest, ControlsAndPortSettings)
{
    EXPECT_EQ(CmPort->windowTitle(), "Seri İletişim Portu Seçme");
    EXPECT_FALSE(CmPort->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(CmPort->windowFlags() & Qt::WindowCloseButtonHint);

    auto* combo = child<QComboBox>(CmPort, "ComboBox1");
    ASSERT_EQ(combo->count(), 90);
    for (int i = 0; i < 90; ++i)
        EXPECT_EQ(combo->itemText(i), QString("COM%1").arg(i + 1));
    EXPECT_FALSE(combo->isEditable()) << "pick only";
    EXPECT_EQ(combo->maxVisibleItems(), 9);
    EXPECT_EQ(child<QLabel>(CmPort, "Label1")->text(), "Seri İletişim Portu");
    EXPECT_EQ(child<QLabel>(CmPort, "Label2")->text(), "Tartı Tipi");
    EXPECT_EQ(child<QRadioButton>(CmPort, "RadioButton1")->text(), "TİP-1");
    EXPECT_EQ(child<QRadioButton>(CmPort, "RadioButton2")->text(), "TİP-2 (BX 1)");
    auto* ok = child<QPushButton>(CmPort, "BitBtn1");
    EXPECT_EQ(ok->text(), "Tamam");
    EXPECT_TRUE(ok->isDefault());

    const TSerialPort* port = CmPort->SerialPort1;
    ASSERT_EQ(CmPort->findChild<TSerialPort*>("SerialPort1"), port);
    EXPECT_FALSE(port->Connected());
    const Serial::Dcb line = port->LineSettingsRecord();
    EXPECT_EQ(line.BaudRate, 9600u);
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_EQ(line.Parity, 0);
    EXPECT_EQ(line.StopBits, 0);
    EXPECT_EQ(line.flags(), 0x0811u) << "binary, DTR on, null bytes dropped, no handshake";
    EXPECT_EQ(port->Events(), TSerialEvents::all());
    EXPECT_FALSE(port->OnRxChar) << "no event handler";
}

struct StoredCase {
    const char* name;
    const char* port;   // nullptr: value missing
    const char* type;
    const char* selected;  // "" for no selection
    bool type1;
    bool type2;
};

class CmPortActivation : public CmPortTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(CmPortActivation, ShowsTheStoredChoice)
{
    const StoredCase& c = GetParam();
    if (c.port || c.type)
        store(c.port ? QString(c.port) : QString(), c.type ? QString(c.type) : QString());
    modals().expect("TCmPort", [&](QDialog* d) {
        EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentText().toStdString(), c.selected);
        EXPECT_EQ(child<QRadioButton>(d, "RadioButton1")->isChecked(), c.type1);
        EXPECT_EQ(child<QRadioButton>(d, "RadioButton2")->isChecked(), c.type2);
        d->close();
    });
    // What the screen showed last time does not stay.
    child<QComboBox>(CmPort, "ComboBox1")->setCurrentIndex(40);
    child<QRadioButton>(CmPort, "RadioButton1")->setChecked(true);
    CmPort->showModal();
    EXPECT_EQ(stored("comport"), c.port ? QString(c.port) : QString()) << "opening the screen stores nothing";
    EXPECT_EQ(stored("Type"), c.type ? QString(c.type) : QString()) << "opening the screen stores nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Values, CmPortActivation,
    ::testing::Values(StoredCase{"PortAndType2", "COM3", "2", "COM3", false, true},
                      StoredCase{"PortAndType1", "COM12", "1", "COM12", true, false},
                      StoredCase{"LowerCaseNameSelectsNothing", "com3", "1", "", true, false},
                      StoredCase{"UnknownType", "COM90", "3", "COM90", false, false},
                      StoredCase{"PortOutsideTheList", "COM91", "", "", false, false},
                      StoredCase{"TypeOnly", nullptr, "2", "", false, true},
                      StoredCase{"NothingStored", nullptr, nullptr, "", false, false}),
    [](const ::testing::TestParamInfo<StoredCase>& i) { return std::string(i.param.name); });

TEST_F(CmPortTest, NoPortChosenAsksForOne)
{
    modals().expect("TCmPort", [](QDialog* d) {
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_TRUE(d->isVisible()) << "the screen stays open";
        d->close();
    });
    CmPort->showModal();
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Info);
    EXPECT_EQ(ui().lastText(), kChoosePort);
    EXPECT_TRUE(stored("comport").isNull()) << "nothing stored";
    EXPECT_TRUE(stored("Type").isNull()) << "nothing stored";
}

struct SuccessCase {
    const char* name;
    const char* oldType;   // nullptr: no "Type" stored before
    int choice;            // 0 none, 1 "TİP-1", 2 "TİP-2 (BX 1)"
    const char* newType;   // nullptr: still missing
};

class CmPortSuccess : public CmPortTest, public ::testing::WithParamInterface<SuccessCase> {};

TEST_P(CmPortSuccess, StoresThePortAndTypeAndCloses)
{
    const SuccessCase& c = GetParam();
    store("COM3", c.oldType ? QString(c.oldType) : QString());
    bool openDuringTest = false;
    CmPort->SerialPort1->OnAfterOpen = [&](QObject*) { openDuringTest = true; };
    choose("COM7", c.choice, [](QDialog* d) { EXPECT_FALSE(d->isVisible()) << "the screen closed"; });
    CmPort->SerialPort1->OnAfterOpen = nullptr;

    EXPECT_TRUE(openDuringTest) << "the port was opened as a test";
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(stored("comport"), "COM7");
    EXPECT_EQ(stored("Type"), c.newType ? QString(c.newType) : QString());
    // Closing the screen released the port.
    EXPECT_FALSE(CmPort->SerialPort1->Connected());
    TSerialPort other;
    other.setPort("COM7");
    EXPECT_NO_THROW(other.OpenPort());
}

INSTANTIATE_TEST_SUITE_P(Values, CmPortSuccess,
                         ::testing::Values(SuccessCase{"Type1", "2", 1, "1"}, SuccessCase{"Type2", "1", 2, "2"},
                                           SuccessCase{"NoTypeKeepsTheOldOne", "2", 0, "2"},
                                           SuccessCase{"NoTypeAndNoneStored", nullptr, 0, nullptr}),
                         [](const ::testing::TestParamInfo<SuccessCase>& i) { return std::string(i.param.name); });

TEST_F(CmPortTest, MissingPortIsRefusedAndNothingStored)
{
    store("COM3", "2");
    choose("COM9", 1, [](QDialog* d) {
        EXPECT_TRUE(d->isVisible()) << "the screen stays open";
        EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentIndex(), -1) << "the selection is cleared";
    });
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_EQ(ui().lastText(), kBadPort);
    EXPECT_EQ(stored("comport"), "COM3");
    EXPECT_EQ(stored("Type"), "2");
    EXPECT_FALSE(CmPort->SerialPort1->Connected());
}

TEST_F(CmPortTest, PortHeldByAnotherProgramIsRefused)
{
    store("COM3", "2");
    TSerialPort holder;
    holder.setPort("COM7");
    holder.OpenPort();
    choose("COM7", 1, [](QDialog* d) { EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentIndex(), -1); });
    EXPECT_EQ(ui().texts(), QStringList({kBadPort}));
    EXPECT_EQ(stored("comport"), "COM3");
    EXPECT_EQ(stored("Type"), "2");
    EXPECT_TRUE(holder.Connected()) << "the other program keeps its port";
}

TEST_F(CmPortTest, EnterAnywherePressesTamam)
{
    modals().expect("TCmPort", [](QDialog* d) {
        const QStringList controls = {"ComboBox1", "RadioButton1", "RadioButton2", "BitBtn1"};
        for (const QString& name : controls) {
            auto* w = child<QWidget>(d, name);
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            EXPECT_EQ(ui().count(), controls.indexOf(name) + 1) << "Enter on " << name.toStdString();
        }
        d->close();
    });
    CmPort->showModal();
    EXPECT_EQ(ui().texts(), QStringList(4, kChoosePort));
}

TEST_F(CmPortTest, ClosingTheScreenReleasesAPortOpenedBefore)
{
    CmPort->SerialPort1->setPort("COM7");
    CmPort->SerialPort1->OpenPort();
    modals().expect("TCmPort", [](QDialog* d) {
        EXPECT_FALSE(CmPort->SerialPort1->Connected()) << "activation closes the port";
        CmPort->SerialPort1->OpenPort();
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
    });
    CmPort->showModal();
    EXPECT_FALSE(CmPort->SerialPort1->Connected());
}

TEST_F(CmPortTest, ASettingThatCannotBeWrittenIsReportedAndTheScreenStaysOpen)
{
    store("COM3", "2");
    // The settings file cannot be replaced (a folder stands in its place, as
    // a read-only data folder or a full disk refuse the new file).
    const QString file = Registry::storeFile();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    choose("COM7", 1, [](QDialog* d) { EXPECT_TRUE(d->isVisible()) << "not closed as if saved"; });
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(ui().lastText().startsWith(Registry::writeFailureMessage())) << ui().lastText().toStdString();
    EXPECT_FALSE(CmPort->SerialPort1->Connected());
    EXPECT_NE(stored("comport"), "COM7") << "the store does not pretend to hold it";
    ASSERT_TRUE(QDir(file).removeRecursively());
    Registry::reload();
    EXPECT_NE(stored("comport"), "COM7");
}

} // namespace
