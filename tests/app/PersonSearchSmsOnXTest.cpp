// "Sms Gönder" under a real X server with a window manager: the person
// search runs modally (as from the main window), the export's status window
// "Rapor" comes above it as the active window and takes a real click on
// "Kapat", and the search takes clicks again afterwards.
//
// The test starts Xvfb and openbox and runs itself again on that display
// (support/OnXDisplay.h).

#include "app/MusteriGiris1.h"
#include "app/dialogs/ImtRapor.h"
#include "app/kit/Session.h"
#include "exchange/SmsExport.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"
#include "support/OnXDisplay.h"
#include "support/ScreenDriving.h"
#include "support/SmsProgram.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace PersonSearchSmsOnXTestLocal {

const char* const kSmsOnXChild = "BRIVEX_SMS_EXPORT_ON_X";

class PersonSearchSmsOnX : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        person(1, "AYŞE KAYA", "5551112233");
        person(2, "DENİZ AK", "5440001122");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 50}, {"Durum", "KARTAL SPOR"}});
        // The SMS program and its data source.
        installSmsProgram(dir.path());
        Shell::setHook([](const Shell::Request&) { return true; });
    }
    void TearDown() override
    {
        Shell::setHook({});
        if (ImtRapor)
            ImtRapor->close();
        SignedInTest::TearDown();
    }
    void person(int key, const QString& name, const QString& mobile)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key},
                                {"Ad_Soyad", name},
                                {"Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0'))},
                                {"E16", "KARTAL SPOR"},
                                {"E62", mobile},
                                {"Tip", 1}});
    }
};

TEST_F(PersonSearchSmsOnX, TheStatusWindowComesAboveTheSearchAndTheSearchIsUsableAfterIt)
{
    if (!OnX::isChildRun(kSmsOnXChild))
        GTEST_SKIP() << "runs on the display PersonSearchSmsOnARealDisplay starts";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");

    bool ran = false;
    modals().expect("TMusteriGiris1", [&](QDialog* d) {
        TMusteriGiris1* search = MusteriGiris1;
        ASSERT_TRUE(OnX::waitFor([&] { return OnX::activeWindow() == OnX::idOf(d); }))
            << "the search is the active window";
        pick(search->DBLookupComboBox4, "KARTAL SPOR");
        pick(search->ComboBox6, "KAYDI OLANLAR");
        OnX::click(search->BitBtn1);
        ASSERT_TRUE(OnX::waitFor([&] { return search->DBGrid1->rowCount() == 2; }));

        // "Sms Gönder": the export, then the status window.
        OnX::click(search->BitBtn8);
        ASSERT_TRUE(OnX::waitFor([] { return ImtRapor->isVisible(); }));
        EXPECT_EQ(ImtRapor->Memo1->toPlainText(), "AYŞE KAYA;5551112233\nDENİZ AK;5440001122");
        EXPECT_TRUE(OnX::waitFor([] { return OnX::activeWindow() == OnX::idOf(ImtRapor); }))
            << "the status window is the active window";
        EXPECT_TRUE(OnX::above(ImtRapor, d)) << "the status window stands above the search";
        EXPECT_FALSE(search->isEnabled()) << "the search waits for the status window";

        // A real click on "Kapat" closes it.
        OnX::click(ImtRapor->BitBtn2);
        EXPECT_TRUE(OnX::waitFor([] { return !ImtRapor->isVisible(); })) << "the status window took the click";
        ASSERT_FALSE(ImtRapor->isVisible());
        EXPECT_TRUE(search->isEnabled());
        EXPECT_TRUE(OnX::waitFor([&] { return OnX::activeWindow() == OnX::idOf(d); }))
            << "the search is active again";

        // The search takes clicks again: "Kayıt Bul" searches anew.
        search->DBGrid1->setRecords({});
        search->CountLabel->clear();
        OnX::click(search->BitBtn1);
        EXPECT_TRUE(OnX::waitFor([&] { return search->CountLabel->text() == "Kayıt Sayısı : 2"; }))
            << search->CountLabel->text().toStdString();
        EXPECT_EQ(search->DBGrid1->rowCount(), 2);
        ran = true;
    });
    MusteriGiris1->showModal();
    EXPECT_TRUE(ran);
}

TEST(PersonSearchSmsOnARealDisplay, TheStatusWindowComesAboveTheSearchAndTheSearchIsUsableAfterIt)
{
    if (OnX::isChildRun(kSmsOnXChild))
        GTEST_SKIP() << "already on the display";
    OnX::DisplayServer server;
    QString why;
    ASSERT_TRUE(server.start(&why)) << why.toStdString();
    const OnX::ChildRun run = OnX::runTest(
        server, kSmsOnXChild, "PersonSearchSmsOnX.TheStatusWindowComesAboveTheSearchAndTheSearchIsUsableAfterIt");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
    server.stop();
}

} // namespace PersonSearchSmsOnXTestLocal
