// The weigh-in screen's accreditation cards: of the athlete shown, printed
// at once, or of every athlete of the accepted list, previewed. Both are
// items of the "Tartı Listesi" drop-down, so the cards can be printed where
// the athletes are weighed; the design's button for the first stays hidden.
#include "competition/MusteriGiris3.h"

#include "app/kit/DbGrid.h"
#include "platform/ui/Messages.h"
#include "reports/CardLaunch.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

void TMusteriGiris3::buildCardCommands()
{
    KartYazdr1 = new QAction("Kart Yazdır", PopupMenu5);
    KartYazdr1->setObjectName("KartYazdr1");
    AkreditasyonKart1 = new QAction("Müsabaka Kartları", PopupMenu5);
    AkreditasyonKart1->setObjectName("AkreditasyonKart1");
    PopupMenu5->addSeparator();
    for (QAction* a : {KartYazdr1, AkreditasyonKart1})
        PopupMenu5->addAction(a);
    SpeedButton3 = new QToolButton(this);
    SpeedButton3->setObjectName("SpeedButton3");
    SpeedButton3->hide();
    connect(KartYazdr1, &QAction::triggered, this, &TMusteriGiris3::Kart_Yazdir);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMusteriGiris3::Kart_Yazdir);
    connect(AkreditasyonKart1, &QAction::triggered, this, &TMusteriGiris3::AkreditasyonKart1Click);
}

void TMusteriGiris3::Kart_Yazdir()
{
    // Without an athlete shown there is no card to print.
    if (FAthleteKey == 0) {
        Messages::info("Lütfen Kartını Yazdıracağınız Sporcuyu Seçiniz ...!");
        return;
    }
    Cards::weighInCard(reportCaller(), FAthleteKey, Edit19->text());
}

void TMusteriGiris3::AkreditasyonKart1Click()
{
    QList<int> keys;
    const Records& rows = DBGrid2->records();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        if (!it->isNull("Musteri_Key"))
            keys << it->toInt("Musteri_Key");
    // An empty accepted list prints nothing.
    if (keys.isEmpty()) {
        Messages::info("Onaylı Listede Kartı Yazdırılacak Sporcu Bulunmamaktadır ...!");
        return;
    }
    Cards::weighInCards(reportCaller(), keys, Edit2->text());
}
