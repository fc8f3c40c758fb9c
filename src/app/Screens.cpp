#include "app/Screens.h"

#include "app/AboutBox.h"
#include "app/Main.h"
#include "app/MusteriGiris1.h"
#include "app/Sifre.h"
#include "app/dialogs/Agirlik.h"
#include "app/dialogs/Form5.h"
#include "app/dialogs/ImtRapor.h"
#include "app/dialogs/Porgres.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/Session.h"
#include "app/publish/Publish1.h"
#include "app/setup/Brans.h"
#include "app/setup/CS_Durum2.h"
#include "app/setup/CmPort.h"
#include "app/setup/Isyeri.h"
#include "app/setup/KusakGir.h"
#include "app/setup/KlupGiris1.h"
#include "app/setup/MetinIlave.h"
#include "app/setup/Metins.h"
#include "app/setup/Users.h"
#include "competition/Form2.h"
#include "competition/Giris1.h"
#include "competition/KurSec.h"
#include "competition/KuraAktar.h"
#include "competition/KuraKayit.h"
#include "competition/MusteriGiris3.h"
#include "competition/TurnuvaGir.h"
#include "competition/TurnuvaGiris1.h"
#include "competition/TurnuvaTuru.h"
#include "exchange/BilgiAktar.h"
#include "registry/KlupGiris2.h"
#include "registry/Bilgi_Giris.h"
#include "registry/Bilgi_Giris_1.h"
#include "registry/MusteriGiris2.h"
#include "registry/Vizeler.h"
#include "registry/Seminer.h"
#include "reports/Baslik1.h"
#include "reports/Baslik1S.h"
#include "reports/Baslik2.h"
#include "reports/Baslik4.h"
#include "reports/BaslikDip.h"
#include "reports/Margin.h"
#include "reports/Millilik.h"
#include "reports/GenelBelge.h"
#include "reports/OdaYaz.h"
#include "reports/PrintMenu1.h"
#include "reports/PrintMenu19.h"
#include "reports/PrintMenu196.h"
#include "reports/PrintMenu197.h"
#include "reports/PrintMenu199.h"
#include "reports/PrintMenu1A.h"
#include "reports/PrintMenu1D.h"
#include "reports/PrintMenu1S.h"
#include "reports/PrintMenu1_1.h"
#include "reports/PrintMenu2.h"
#include "reports/PrintMenu4.h"
#include "reports/PrintMenuCA1.h"
#include "reports/PrintMenuCF1.h"
#include "reports/PrintMenuCS1.h"
#include "reports/PrintMenuMil.h"
#include "reports/RapHakList.h"
#include "reports/RapTurnuva.h"
#include "reports/PrintMenu1C.h"
#include "reports/PrintMenu1E.h"
#include "reports/PrintMenu3.h"
#include "reports/PrintMenu330.h"
#include "reports/RapTakimList.h"
#include "reports/PrintMenu2C.h"
#include "reports/PrintMenu2C1.h"
#include "reports/PrintScore.h"
#include "reports/Baslik3.h"
#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "reports/PrintMenuR.h"
#include "reports/PrintMenuD1.h"
#include "scoring/Aktar1S.h"
#include "scoring/KuraList.h"
#include "scoring/RingDag.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"
#include "scoring/Test.h"

#include <functional>
#include <vector>

namespace {
// How to delete what createAll made, last first.
std::vector<std::function<void()>>& destroyers()
{
    static std::vector<std::function<void()>> d;
    return d;
}

template <class T>
void make(T*& global)
{
    global = new T();
    destroyers().push_back([&global] {
        delete global;
        global = nullptr;
    });
}
}

void Screens::createAll()
{
    // A new set of screens starts a new session.
    session().reset();
    // The order of creation is the program's: no screen's constructor may
    // rely on a screen created after it.
    make(Main);
    make(Sifre);
    make(Form5);
    make(SifreCheck);
    make(Agirlik);
    make(Porgres);
    make(ImtRapor);
    make(AboutBox);
    make(CmPort);
    make(Users);
    make(PublishForm);
    make(Isyeri);
    make(CS_Durum2);
    make(Brans);
    make(KusakGir);
    make(TurnuvaTuru);
    make(Metins);
    make(MetinIlave);
    make(KlupGiris2);
    make(KlupGiris1);
    make(MusteriGiris2);
    make(Bilgi_Giris);
    make(Bilgi_Giris_1);
    make(Seminer);
    make(Vizeler);
    make(MusteriGiris1);
    make(BilgiAktar);
    make(TurnuvaGir);
    make(TurnuvaGiris1);
    make(Giris1);
    make(MusteriGiris3);
    make(Form2);
    make(Kura_Kayit);
    make(Kur_Sec);
    make(KuraAktar);
    make(KuraList);
    make(Skor);
    make(Skorb_giris);
    make(Test);
    make(RingDag);
    make(Aktar1S);
    make(Baslik1);
    make(Baslik2);
    make(Baslik4);
    make(Baslik1S);
    make(PrintMenu1C);
    make(PrintMenu2C);
    make(PrintMenu2C1);
    make(PrintScore);
    make(Baslik3);
    make(PrintMenu2D);
    make(PrintMenu2D_1);
    make(PrintMenuR);
    make(PrintMenu1E);
    make(RapTakimList);
    make(PrintMenu3);
    make(PrintMenu330);
    make(PrintMenuD1);
    // The card prints' dialogs; each card form is made for one print only.
    make(Margin);
    make(BaslikDip);
    make(Millilik);
    make(PrintMenu1);
    make(PrintMenu1A);
    make(PrintMenu1D);
    make(PrintMenu1S);
    make(PrintMenu1S1);
    make(PrintMenu1_1);
    make(PrintMenu2);
    make(PrintMenu4);
    make(PrintMenu41);
    make(PrintMenuMil);
    make(PrintMenu196);
    make(PrintMenu197);
    make(PrintMenu19);
    make(PrintMenu19S);
    make(PrintMenu198);
    make(PrintMenu199);
    make(PrintMenuCA1);
    make(PrintMenuCS1);
    make(PrintMenuCF1);
    make(RapHakList);
    make(RapAntList);
    make(RapDanList);
    make(GenelBelge);
    make(RapTurnuva);
    make(RapTurnuva1);
    make(RapTurnuva2);
    make(RapTurnuva3);
    make(RapTurnuvaH);
    make(RapTurnuvaK);
    make(RapTurnuvaK1);
    make(RapTurnuvaC);
    make(OdaYaz);

    // Screens below the shell that open a screen of the shell.
    KlupGiris2->FShowPersonSearch = [] {
        if (MusteriGiris1 && !MusteriGiris1->refuseWhileOpen())
            MusteriGiris1->showModal();
    };
}

void Screens::destroyAll()
{
    auto& d = destroyers();
    while (!d.empty()) {
        d.back()();
        d.pop_back();
    }
    // The connection closes with the screens that used it.
    session().reset();
}
