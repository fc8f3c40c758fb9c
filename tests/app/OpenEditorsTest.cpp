// An editor that is open already is never opened again. The person editor,
// the club editor and the person search open each other, so an open
// editor can be asked for again further up the chain: the caller is told the
// editor is open and leaves its key alone (a new key would make the open
// editor's "Kaydet" overwrite another record with what is typed there), and
// the modal runner itself refuses a dialog whose modal run has not ended.

#include "app/Main.h"
#include "app/MusteriGiris1.h"
#include "app/kit/StationKind.h"
#include "app/setup/KlupGiris1.h"
#include "competition/Giris1.h"
#include "competition/MusteriGiris3.h"
#include "registry/KlupGiris2.h"
#include "registry/MusteriGiris2.h"
#include "support/Reach.h"
#include "support/ScreenDriving.h"
#include "support/Screenshot.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

namespace OpenEditorsTestLocal {

QString alreadyOpen(const QString& caption)
{
    return "'" + caption + "' Şu Anda Açık. Lütfen Önce Açık Olan Ekranı Kapatınız ...!";
}

class OpenEditors : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        StationKinds::write(StationKind::Office);
        db.insert("C_BRANS", {{"Durum_Key", 901}, {"Durum", "60 KİLO ERKEK BÜYÜKLER"}, {"Kilo", 60.0},
                              {"AltKilo", 57.01}, {"UstKilo", 60.0}, {"E_B", "E"}, {"Web", "1"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 50}, {"Durum", "KARTAL SPOR"}, {"E1", "ANKARA"}});
        db.insert("C_MUSTERI", {{"Musteri_Key", 7}, {"Ad_Soyad", "ALİ VELİ"}, {"Adi", "ALİ"}, {"Soyadi", "VELİ"},
                                {"Vergi_Numarasi", "0000007"}, {"Tip", 1}, {"E16", "KARTAL SPOR"}});
        ASSERT_TRUE(login("ADMIN", "1234"));
        showAtSize(Main, QSize(1024, 768));
        ui().clear();
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != Main && w->isVisible() && w->isModal())
                w->hide();
        Main->hide();
        ScreensTest::TearDown();
    }

    // In the person search: the register listed by name.
    static void listAli()
    {
        ASSERT_TRUE(Reach::type(MusteriGiris1->findChild<QLineEdit*>("Edit7"), "ALİ VELİ"));
        ASSERT_TRUE(Reach::press(MusteriGiris1->BitBtn1));   // "Kayıt Bul"
        ASSERT_EQ(MusteriGiris1->DBGrid1->rowCount(), 1);
    }
    // "Kaydı Aç" of the listed person: a double click on its row.
    static bool openAli() { return Reach::doubleClickCell(MusteriGiris1->DBGrid1, 0, "Ad_Soyad"); }
    // The person editor left with "Kapat", its question about the unsaved
    // changes answered "Evet".
    static void leaveEditor()
    {
        answerQuestion(true);
        ASSERT_TRUE(Reach::press(MusteriGiris2->BitBtn2));
    }

    int persons() { return db.scalar("select count(*) from C_MUSTERI").toInt(); }
};

// " TARTI " > weigh-in > "Yeni Kayıt" opens the person editor; its club
// button opens the club editor, whose "Yetkili Kişi" opens the person
// search. There "Kaydı Aç" and "Yeni Kayıt" would open the person editor
// that is open below with another key.
TEST_F(OpenEditors, ThePersonSearchAboveAnOpenPersonEditorLeavesItsKeyAlone)
{
    QString firstName, lastName;
    int keyAfter = -1;
    QStringList told;
    modals().expect("TGiris1", [&](QDialog*) {
        ASSERT_TRUE(Reach::choose(Giris1->DBLookupComboBox5, "BÜYÜKLER"));
        ASSERT_TRUE(Reach::choose(Giris1->DBLookupComboBox1, "KULÜPLER ARASI"));
        modals().expect("TMusteriGiris3", [&](QDialog*) {
            modals().expect("TMusteriGiris2", [&](QDialog*) {
                ASSERT_TRUE(Reach::type(MusteriGiris2->Edit11, "YENİ"));
                ASSERT_TRUE(Reach::type(MusteriGiris2->Edit12, "SPORCU"));
                modals().expect("TKlupGiris2", [&](QDialog*) {
                    modals().expect("TMusteriGiris1", [&](QDialog*) {
                        ASSERT_NO_FATAL_FAILURE(listAli());
                        ui().clear();
                        ASSERT_TRUE(openAli());
                        told << ui().texts();
                        ui().clear();
                        ASSERT_TRUE(Reach::press(MusteriGiris1->BitBtn3));   // "Yeni Kayıt"
                        told << ui().texts();
                        ASSERT_TRUE(Reach::press(MusteriGiris1->BitBtn4));   // "Kapat"
                    });
                    ASSERT_TRUE(Reach::press(KlupGiris2->Label1));   // "Yetkili Kişi"
                    ASSERT_TRUE(Reach::press(KlupGiris2->BitBtn2));  // "Kapat"
                });
                ASSERT_TRUE(Reach::press(MusteriGiris2->SpeedButton4));
                // Back in the person editor: still the new person typed.
                keyAfter = MusteriGiris2->FPersonKey;
                firstName = MusteriGiris2->Edit11->text();
                lastName = MusteriGiris2->Edit12->text();
                ASSERT_NO_FATAL_FAILURE(leaveEditor());
            });
            ASSERT_TRUE(Reach::press(MusteriGiris3->BitBtn7));   // "Yeni Kayıt"
            ASSERT_TRUE(Reach::press(MusteriGiris3->BitBtn5));   // "Kapat"
        });
        ASSERT_TRUE(Reach::press(Giris1->BitBtn4));   // "Devam"
    });
    ASSERT_TRUE(Reach::menu(Main->MainMenu1, " TARTI ", "  Sporcu TARTI Ekranı"));

    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(told, (QStringList{alreadyOpen("Bilgi Giriş"), alreadyOpen("Bilgi Giriş")}));
    EXPECT_EQ(keyAfter, 0) << "the open editor still adds a new person";
    EXPECT_EQ(firstName, "YENİ");
    EXPECT_EQ(lastName, "SPORCU");
    EXPECT_EQ(modals().seen().count("TMusteriGiris2"), 1) << modals().seen().join(", ");
    EXPECT_EQ(persons(), 1) << "nothing was saved";
    EXPECT_EQ(db.scalar("select Ad_Soyad from C_MUSTERI where Musteri_Key = 7").toString(), "ALİ VELİ");
}

// " Genel İşlemler " > "Kulüpler" > a club opened: its "Yetkili Kişi" opens
// the person search, whose "Kaydı Aç" opens the person editor; the editor's
// club button would open the club editor that is open below as a new club.
TEST_F(OpenEditors, ThePersonEditorAboveAnOpenClubEditorLeavesItsKeyAlone)
{
    int clubKeyAfter = -1;
    QString typedPhone, clubName;
    QStringList told;
    modals().expect("TKlupGiris1", [&](QDialog*) {
        modals().expect("TKlupGiris2", [&](QDialog*) {
            ASSERT_EQ(KlupGiris2->FClubKey, 50);
            ASSERT_TRUE(Reach::type(KlupGiris2->Edit2, "03124445566"));   // "İş Telefonu"
            modals().expect("TMusteriGiris1", [&](QDialog*) {
                ASSERT_NO_FATAL_FAILURE(listAli());
                modals().expect("TMusteriGiris2", [&](QDialog*) {
                    ui().clear();
                    ASSERT_TRUE(Reach::press(MusteriGiris2->SpeedButton4));
                    told << ui().texts();
                    ASSERT_TRUE(Reach::press(MusteriGiris2->BitBtn2));   // "Kapat", nothing changed
                });
                ASSERT_TRUE(openAli());
                ASSERT_TRUE(Reach::press(MusteriGiris1->BitBtn4));   // "Kapat"
            });
            ASSERT_TRUE(Reach::press(KlupGiris2->Label1));   // "Yetkili Kişi"
            clubKeyAfter = KlupGiris2->FClubKey;
            typedPhone = KlupGiris2->Edit2->text();
            clubName = KlupGiris2->Edit26->text();
            ASSERT_TRUE(Reach::press(KlupGiris2->BitBtn2));   // "Kapat"
        });
        ASSERT_TRUE(Reach::doubleClickCell(KlupGiris1->DBGrid1, 0, "Durum"));
        KlupGiris1->close();
    });
    ASSERT_TRUE(Reach::menu(Main->MainMenu1, " Genel İşlemler ", "Kulüpler"));

    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(told, QStringList{alreadyOpen("Kulüp Giriş Ekranı")});
    EXPECT_EQ(clubKeyAfter, 50) << "the open editor still changes club 50";
    EXPECT_EQ(typedPhone, "03124445566");
    EXPECT_EQ(clubName, "KARTAL SPOR");
    EXPECT_EQ(modals().seen().count("TKlupGiris2"), 1) << modals().seen().join(", ");
}

// --- The modal runner ---------------------------------------------------------------

class ModalRunnerAgain : public ::testing::Test {};

// A dialog in its modal run (handed to the tests' script here) shown again
// from inside the run: refused at once, the run and the dialog untouched.
TEST_F(ModalRunnerAgain, ADialogInItsRunIsRefusedAndKeepsItsRun)
{
    QDialog dialog;
    dialog.setObjectName("RunTwice");
    int again = -1;
    bool visibleAfter = false;
    modals().clear();
    modals().expect("RunTwice", [&](QDialog* d) {
        again = ModalRunner::exec(d);
        visibleAfter = d->isVisible();
        d->done(QDialog::Accepted);
    });
    EXPECT_EQ(ModalRunner::exec(&dialog), QDialog::Accepted);
    EXPECT_EQ(again, QDialog::Rejected);
    EXPECT_TRUE(visibleAfter);
    EXPECT_EQ(modals().seen(), QStringList{"QDialog"});
    EXPECT_EQ(modals().pending(), 0);
    // A run that has ended leaves nothing behind: the dialog shows again.
    modals().expect("RunTwice", [](QDialog* d) { d->done(QDialog::Accepted); });
    EXPECT_EQ(ModalRunner::exec(&dialog), QDialog::Accepted);
    modals().clear();
}

// The same with the runner's own loop (no script): the second showing
// returns at once instead of starting a loop inside the first.
TEST_F(ModalRunnerAgain, WithoutAScriptTheSecondShowingStartsNoLoop)
{
    const ModalRunner::Hook hook = ModalRunner::hook();
    ModalRunner::setHook({});
    QDialog dialog;
    int again = -1;
    bool returnedInsideTheRun = false;
    QTimer::singleShot(0, &dialog, [&] {
        // Only if the second showing starts a loop of its own: ends it.
        QTimer::singleShot(0, &dialog, [&] {
            if (again == -1)
                dialog.done(7);
        });
        again = ModalRunner::exec(&dialog);
        returnedInsideTheRun = dialog.isVisible();
        dialog.done(QDialog::Accepted);
    });
    const int result = ModalRunner::exec(&dialog);
    ModalRunner::setHook(hook);
    EXPECT_EQ(again, QDialog::Rejected);
    EXPECT_TRUE(returnedInsideTheRun);
    EXPECT_EQ(result, QDialog::Accepted);
}

// --- The callers' check --------------------------------------------------------------

class OpenScreenCheck : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login("ADMIN", "1234"));
    }
};

TEST_F(OpenScreenCheck, AnOpenScreenIsReportedWithItsCaptionAndAClosedOneIsNot)
{
    ui().clear();
    EXPECT_FALSE(KlupGiris2->refuseWhileOpen());
    EXPECT_TRUE(ui().texts().isEmpty());

    QStringList seenInside;
    bool refusedInside = false;
    modals().expect("TKlupGiris2", [&](QDialog* d) {
        refusedInside = KlupGiris2->refuseWhileOpen();
        seenInside = ui().texts();
        d->close();
    });
    KlupGiris2->FClubKey = 0;
    KlupGiris2->showModal();
    EXPECT_TRUE(refusedInside);
    EXPECT_EQ(seenInside, QStringList{alreadyOpen("Kulüp Giriş Ekranı")});

    // A screen shown without a modal run is open too.
    MusteriGiris1->show();
    ui().clear();
    EXPECT_TRUE(MusteriGiris1->refuseWhileOpen());
    EXPECT_EQ(ui().texts(), QStringList{alreadyOpen(MusteriGiris1->windowTitle())});
    MusteriGiris1->hide();
}

} // namespace OpenEditorsTestLocal
