// The weigh-in screen's accreditation cards, reached through the drop-down
// of its "Tartı Listesi" button: the cards of the accepted list, previewed,
// saved and logged.
#include "competition/WeighInFixture.h"

#include "platform/paths/DriveMap.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/CodePage.h"
#include "reports/Akreditasyon.h"
#include "reports/Baslik1S.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

namespace {

class WeighInCards : public WeighInTest {
protected:
    void TearDown() override
    {
        TAkreditasyon::setClock(nullptr);
        WeighInTest::TearDown();
    }

    QAction* menuItem(const char* name)
    {
        QMenu* menu = screen->BitBtn3->menu();
        EXPECT_NE(menu, nullptr);
        for (QAction* a : menu ? menu->actions() : QList<QAction*>())
            if (a->objectName() == name)
                return a;
        return nullptr;
    }
};

TEST_F(WeighInCards, TheListButtonOffersBothCardCommands)
{
    open();
    QAction* one = menuItem("KartYazdr1");
    QAction* list = menuItem("AkreditasyonKart1");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(one->isVisible());
    EXPECT_EQ(one->text(), "Kart Yazdır");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->text(), "Müsabaka Kartları");
    // BRIVEX_WEIGHIN_CARDS_SCREENSHOT=/tmp/menu.png: a picture of the open drop-down.
    if (const QByteArray path = qgetenv("BRIVEX_WEIGHIN_CARDS_SCREENSHOT"); !path.isEmpty()) {
        QMenu* menu = screen->BitBtn3->menu();
        menu->popup(screen->BitBtn3->mapToGlobal(QPoint(0, screen->BitBtn3->height())));
        EXPECT_TRUE(menu->grab().save(QString::fromLocal8Bit(path)));
        menu->hide();
    }
}

TEST_F(WeighInCards, TheAcceptedListGetsItsCardsAndTheSavedOnesAreLogged)
{
    TAkreditasyon::setClock([] { return QDateTime(kWeighDay, QTime(14, 30, 5)); });
    addPerson(11, "ŞEVKET DURU", {{"E53", "BÜYÜKLER"}});
    addPerson(12, "İLHAN ACAR");
    open();
    screen->DBGrid2->setRecords(db.select("select * from C_MUSTERI order by Musteri_Key"));
    screen->Edit2->setText(kMen70);

    modals().expect("TBaslik1S", [](QDialog* d) {
        auto* t = static_cast<TBaslik1S*>(d);
        EXPECT_TRUE(t->Edit8->isReadOnly());
        t->Edit8->setText("TÜRKİYE ŞAMPİYONASI");
        t->FActivityTitle = "TÜRKİYE ŞAMPİYONASI 2024";
        d->close();
    });
    QTemporaryDir out;
    const QString pdf = out.filePath("kartlar.pdf");
    std::optional<ReportDocument> pages;
    modals().expect("ReportPreview", [&](QDialog* d) {
        pages = static_cast<ReportPreview*>(d)->document();
        ui().answerFile(pdf);
        click(d->findChild<QWidget*>("SaveButton"));
        d->close();
    });
    answer(true);
    menuItem("AkreditasyonKart1")->trigger();
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(questions, QStringList{"Müsabaka kartı yazdırılan kişiler kaydedilsin mi?"});

    // The keys of the list from its last row to its first, printed in name
    // order; every card names the weight class, not the person's category.
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->pageCount(), 2);
    EXPECT_EQ(pages->pages[0].find("QRLabelName")->text, "İLHAN ACAR");
    EXPECT_EQ(pages->pages[1].find("QRLabelName")->text, "ŞEVKET DURU");
    for (const ReportPage& p : pages->pages) {
        EXPECT_EQ(p.find("QRLabelRole")->text, "SPORCU");
        EXPECT_EQ(p.find("QRLabelCategory")->text, kMen70);
        EXPECT_EQ(p.find("QRLabelTitle")->text, "TÜRKİYE ŞAMPİYONASI 2024");
    }
    QFile log(DriveMap::toHost(TAkreditasyon::logFile()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), Cp1254::encode("17.05.2024 14:30 0000012 İLHAN ACAR\r\n"
                                            "17.05.2024 14:30 0000011 ŞEVKET DURU\r\n"));
}

// On a fresh run (no other report left a title behind) the cards print
// from the weigh-in alone: the dialog offers the activity picker, and the
// activity picked gives the title.
TEST_F(WeighInCards, OnAFreshRunTheCardsAreForTheActivityPickedInTheDialog)
{
    db.insert("C_TURNUVA", {{"Turnuva_Key", 77}, {"Adi", "TÜRKİYE ŞAMPİYONASI"}, {"Yer", "ANTALYA"},
                            {"Tarih1", QDate(2024, 5, 17)}, {"Tarih2", QDate(2024, 5, 19)}, {"Yili", 2024}});
    addPerson(11, "ŞEVKET DURU");
    open();
    screen->DBGrid2->setRecords(db.select("select * from C_MUSTERI where Musteri_Key = 11"));
    screen->Edit2->setText(kMen70);
    ASSERT_TRUE(Baslik1S->Edit8->text().isEmpty());
    ASSERT_FALSE(Baslik1S->DBLookupComboBox1->isVisibleTo(Baslik1S)) << "hidden for the other reports";

    QString composed;
    modals().expect("TBaslik1S", [&](QDialog* d) {
        auto* t = static_cast<TBaslik1S*>(d);
        EXPECT_TRUE(t->Edit8->isReadOnly());
        ASSERT_TRUE(t->DBLookupComboBox1->isVisible()) << "the activity picker is offered";
        pick(t->DBLookupComboBox1, t->DBLookupComboBox1->itemText(t->DBLookupComboBox1->findData(77)));
        click(t->BitBtn4);
        composed = t->FActivityTitle;
    });
    std::optional<ReportDocument> pages;
    modals().expect("ReportPreview", [&](QDialog* d) {
        pages = static_cast<ReportPreview*>(d)->document();
        d->close();
    });
    menuItem("AkreditasyonKart1")->trigger();
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->pageCount(), 1);
    EXPECT_TRUE(composed.startsWith("TÜRKİYE ŞAMPİYONASI")) << composed.toStdString();
    EXPECT_EQ(pages->pages[0].find("QRLabelTitle")->text, composed.section('\n', 0, 0));
    EXPECT_FALSE(Baslik1S->DBLookupComboBox1->isVisibleTo(Baslik1S)) << "hidden again for the other reports";
}

// Refusals, each with its message and nothing printed.
TEST_F(WeighInCards, WithoutAnAthleteOrAnActivityNothingPrintsAndTheScreenSaysWhy)
{
    addPerson(11, "ŞEVKET DURU");
    open();
    // "Kart Yazdır" with no athlete shown.
    menuItem("KartYazdr1")->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Kartını Yazdıracağınız Sporcuyu Seçiniz ...!"});
    // "Müsabaka Kartları" with an empty accepted list.
    ui().clear();
    menuItem("AkreditasyonKart1")->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Onaylı Listede Kartı Yazdırılacak Sporcu Bulunmamaktadır ...!"});

    // No activity picked, even with a title another report left behind.
    screen->DBGrid2->setRecords(db.select("select * from C_MUSTERI where Musteri_Key = 11"));
    Baslik1S->Edit8->setText("BAŞKA BİR RAPORUN BAŞLIĞI");
    for (int run = 0; run < 2; ++run) {
        ui().clear();
        modals().expect("TBaslik1S", [](QDialog* d) { click(static_cast<TBaslik1S*>(d)->BitBtn4); });
        menuItem("AkreditasyonKart1")->trigger();
        EXPECT_EQ(ui().texts(), QStringList{"Lütfen Turnuva Seçiniz ...!"}) << run;
        Baslik1S->Edit8->clear();
    }
    EXPECT_FALSE(modals().seen().contains("ReportPreview"));
}

} // namespace
