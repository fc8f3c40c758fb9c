// The club editor's label "Yetkili Kişi" opens the person search, reached
// from the main window of an office station through visible controls:
// " Genel İşlemler " > "Kulüpler" > "Yeni Kayıt" > "Yetkili Kişi".

#include "app/Main.h"
#include "app/MusteriGiris1.h"
#include "app/kit/StationKind.h"
#include "app/setup/KlupGiris1.h"
#include "registry/KlupGiris2.h"
#include "support/ScreenDriving.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace ClubContactPersonTestLocal {

class ClubContactPerson : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        StationKinds::write(StationKind::Office);
        ASSERT_TRUE(login("ADMIN", "1234"));
        Main->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Main->hide();
        ScreensTest::TearDown();
    }
    // A click on the label as the mouse makes it.
    static void clickLabel(QLabel* label)
    {
        QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
        QApplication::processEvents();
    }
};

TEST_F(ClubContactPerson, TheLabelOpensThePersonSearchFromTheMainWindow)
{
    QStringList shown;
    modals().expect("TKlupGiris1", [&](QDialog* d) {
        shown << "TKlupGiris1";
        ASSERT_TRUE(KlupGiris1->BitBtn2->isVisible());
        ASSERT_TRUE(KlupGiris1->BitBtn2->isEnabled());
        click(KlupGiris1->BitBtn2);   // "Yeni Kayıt"
        d->close();
    });
    modals().expect("TKlupGiris2", [&](QDialog* d) {
        shown << "TKlupGiris2";
        ASSERT_TRUE(KlupGiris2->Label1->isVisible());
        EXPECT_EQ(KlupGiris2->Label1->text(), "Yetkili Kişi");
        EXPECT_EQ(KlupGiris2->Label1->cursor().shape(), Qt::PointingHandCursor);
        KlupGiris2->Edit1->setText("AHMET YILMAZ");
        clickLabel(KlupGiris2->Label1);
        // Nothing is copied back.
        EXPECT_EQ(KlupGiris2->Edit1->text(), "AHMET YILMAZ");
        d->close();
    });
    modals().expect("TMusteriGiris1", [&](QDialog* d) {
        shown << "TMusteriGiris1";
        EXPECT_TRUE(d->isVisible());
        d->close();
    });

    QMenu* menu = Main->menu("Genellemler1");
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->menuAction()->isVisible());
    QAction* clubs = Main->command("Kulpler1");
    ASSERT_NE(clubs, nullptr);
    ASSERT_TRUE(clubs->isVisible());
    ASSERT_TRUE(clubs->isEnabled());
    EXPECT_EQ(clubs->text(), "Kulüpler");
    clubs->trigger();

    EXPECT_EQ(shown, (QStringList{"TKlupGiris1", "TKlupGiris2", "TMusteriGiris1"}));
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(ui().count(), 0) << ui().texts().join(" | ").toStdString();
}

TEST_F(ClubContactPerson, ASearchThatShowsAlreadyIsNotOpenedAgain)
{
    MusteriGiris1->show();
    modals().expect("TKlupGiris2", [](QDialog* d) {
        clickLabel(KlupGiris2->Label1);
        d->close();
    });
    KlupGiris2->FClubKey = 0;
    KlupGiris2->showModal();
    EXPECT_EQ(modals().seen().filter("TMusteriGiris1"), QStringList());
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(ui().lastText(), "'Yeni Kayıt Girişi ve Sicil Bilgileri İşlem Ekranı' Şu Anda Açık. Lütfen Önce Açık "
                               "Olan Ekranı Kapatınız ...!")
        << "the operator is told";
    MusteriGiris1->hide();
}

} // namespace ClubContactPersonTestLocal
