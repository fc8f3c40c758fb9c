#include "app/MainCommands.h"

#include "app/AboutBox.h"
#include "app/Main.h"
#include "app/MusteriGiris1.h"
#include "app/StationMaintenance.h"
#include "app/dialogs/SifreCheck.h"
#include "app/publish/Publish1.h"
#include "app/setup/Brans.h"
#include "app/setup/CS_Durum2.h"
#include "app/setup/CmPort.h"
#include "app/setup/Isyeri.h"
#include "app/setup/KlupGiris1.h"
#include "app/setup/KusakGir.h"
#include "app/setup/Metins.h"
#include "app/setup/Users.h"
#include "competition/Giris1.h"
#include "platform/ui/Messages.h"
#include "competition/TurnuvaGir.h"
#include "competition/TurnuvaGiris1.h"
#include "registry/MusteriGiris2.h"
#include "reports/CompetitionReports.h"
#include "reports/ReportLaunch.h"
#include "reports/ResultsReports.h"
#include "scoring/Aktar1S.h"
#include "scoring/KuraList.h"
#include "scoring/RingDag.h"
#include "scoring/Test.h"

#include <QCheckBox>
#include <QLabel>
#include <QString>

namespace {

// "  Kullanıcı Tanıtma": the user accounts, after the administrator password.
void userAccounts(TMain&)
{
    SifreCheck->showModal();
    if (SifreCheck->FPasswordOk != 1)
        return;
    Users->showModal();
}

// The results window in one of the main window's modes: 1 posts an
// activity's results, 2 the points list, 3 the ranking list.
void resultsWindow(int mode, const QString& label, const QString& caption, bool firstThreeShown)
{
    Aktar1S->setWindowTitle(caption);
    Aktar1S->Label15->setText(label);
    Aktar1S->FRankingMode = mode;
    Aktar1S->CheckBox1->setVisible(firstThreeShown);
    // The duty posting of the registry hides the club option; these modes
    // offer it again.
    Aktar1S->CheckBox2->setVisible(true);
    Aktar1S->showModal();
}

// "  Turnuva Bilgilerinin Sporcu Sicillerine İşlenmesi": the results window
// in mode 1, after the administrator password.
void postResults(TMain&)
{
    SifreCheck->showModal();
    if (SifreCheck->FPasswordOk != 1)
        return;
    resultsWindow(1, "Turnuva", "Lütfen Turnuva Seçiniz", false);
}

} // namespace

bool MainCommand::isSeparator() const
{
    return QString(caption) == "-";
}

const QList<MainMenu>& MainCommands::menus()
{
    static const QList<MainMenu> m = {
        {"Genellemler1", " Genel İşlemler "},
        {"SCL1", " SİCİL "},
        {"FAALYET1", "FAALİYET"},
        {"TARTI1", " TARTI "},
        {"KURA1", " KURA "},
    };
    return m;
}

const QList<MainCommand>& MainCommands::commands()
{
    // name, caption, menu, tool button, handler (nullptr: its screen comes
    // later; the command exists and says it is not available here).
    static const QList<MainCommand> c = {
        // " Genel İşlemler "
        {"FederasyonAdresi1", "Federasyon Adresi", "Genellemler1", "", [](TMain&) { Isyeri->showModal(); }},
        {"AktiviteTrleri1", "Aktivite Türleri", "Genellemler1", "", [](TMain&) { CS_Durum2->showModal(); }},
        {"BranlarKategoriler1", "Branşlar/Kategoriler", "Genellemler1", "", [](TMain&) { Brans->showModal(); }},
        {"Kuaklar1", "Kuşaklar", "Genellemler1", "", [](TMain&) { KusakGir->showModal(); }},
        {"Kulpler1", "Kulüpler", "Genellemler1", "", [](TMain&) { KlupGiris1->showModal(); }},
        {"MektupMetni1", "Mektup Metni", "Genellemler1", "", [](TMain&) { Metins->showModal(); }},
        {"KullancTantma1", "  Kullanıcı Tanıtma", "Genellemler1", "ToolButton2", userAccounts},
        {"letiimPortuSeme1", "  İletişim Portu Seçme", "Genellemler1", "",
         [](TMain&) { CmPort->showModal(); }},
        {"DataTransfer1", "Dosya Transferi", "Genellemler1", "", [](TMain&) { PublishForm->showModal(); }},
        {"N1", "-", "Genellemler1", "", nullptr},
        {"BilgilerinYedeklenmesi1", "  Bilgilerin Yedeklenmesi    ", "Genellemler1", "ToolButton6",
         [](TMain&) { StationMaintenance::backup(); }},
        {"N2", "-", "Genellemler1", "", nullptr},
        {"Hakknda1", "Hakkında", "Genellemler1", "", [](TMain&) { AboutBox->showModal(); }},
        {"Programdank1", "Programdan Çıkış", "Genellemler1", "", [](TMain& m) { m.close(); }},

        // " SİCİL "
        {"SporcuKaydveSCLlemleri1", "  Sporcu Kaydı ve SİCİL İşlemleri ", "SCL1", "",
         [](TMain&) { MusteriGiris1->showModal(); }},
        {"GIPmtihanSonularnnAktarlmas1", "  İmtihanı Sonuçlarının Aktarılması", "SCL1", "",
         [](TMain&) { MusteriGiris2->showImportMode(); }},

        // "FAALİYET"
        {"FaaliyetGiriEkran1", "Faaliyet Giriş Ekranı", "FAALYET1", "", [](TMain&) { TurnuvaGir->showModal(); }},
        {"SorgulamaveRaporlar1", "Sorgulama ve Raporlar", "FAALYET1", "", [](TMain&) { TurnuvaGiris1->showModal(); }},

        // " TARTI "
        {"SporcularnMsabakalaraKatlmarnnSfrlanmas1", "  Sporcuların Müsabakalara Katılmarının Sıfırlanması",
         "TARTI1", "", [](TMain&) { StationMaintenance::resetParticipation(); }},
        {"ncekiTartListelerinSilinmesi1", "  Önceki Tartı Listelerin Silinmesi", "TARTI1", "",
         [](TMain&) { StationMaintenance::clearWeighInLists(); }},
        {"N3", "-", "TARTI1", "", nullptr},
        {"SporcuTARTIEkran1", "  Sporcu TARTI Ekranı", "TARTI1", "", [](TMain&) { Giris1->showModal(); }},
        {"MsabakastatistikRaporu1", "  Müsabaka İstatistik Raporu", "TARTI1", "",
         [](TMain& m) { Reports::istatistikRaporu(m.reportCaller()); }},
        {"TartlarnToplanmas1", "  Tartıların Toplanması", "TARTI1", "",
         [](TMain&) { StationMaintenance::gatherWeighIns(); }},
        {"TartListeleri1", "  Tartı Listeleri", "TARTI1", "", [](TMain& m) { Reports::tartiListeleri(m.reportCaller()); }},
        {"N4", "-", "TARTI1", "", nullptr},
        {"TartveKuralarnSistemeAktarlmas1", "  Tartı ve Kuraların Sisteme Aktarılması", "TARTI1", "",
         [](TMain&) { StationMaintenance::replaceListsAndBouts(); }},
        {"TurnuvaBilgilerininSporcuSicillerinelenmesi1", "  Turnuva Bilgilerinin Sporcu Sicillerine İşlenmesi",
         "TARTI1", "", postResults},

        // " KURA "
        {"ncekiMsabakalarnSilinmesi1", "  Önceki Müsabakaların Silinmesi  ", "KURA1", "ToolButton8",
         [](TMain&) { StationMaintenance::clearBouts(); }},
        {"N5", "-", "KURA1", "", nullptr},
        {"KURAekimiveMsabaka1", "  KURA Çekimi ve Müsabaka", "KURA1", "ToolButton4", [](TMain&) { KuraList->showModal(); }},
        {"MalarnRinglereDatlmas1", "  Maçların Ringlere Dağıtılması", "KURA1", "", [](TMain&) { RingDag->showModal(); }},
        {"SonularnnToplanmas1", "  Sonuçlarının Toplanması", "KURA1", "",
         [](TMain&) { StationMaintenance::gatherResults(); }},
        {"N6", "-", "KURA1", "", nullptr},
        {"KuraListeleri1", "  Kura Listeleri", "KURA1", "", [](TMain& m) { Reports::kuraListeleri(m.reportCaller()); }},
        {"PuanlamaListesi1", "  Puanlama Listesi", "KURA1", "",
         [](TMain&) { resultsWindow(2, "Başlık", "Puanlama Listesi", true); }},
        {"DereceListesi1", "  Derece Listesi", "KURA1", "",
         [](TMain&) { resultsWindow(3, "Başlık", "Derece Listesi", true); }},
        {"MsabakaListeleri1", "  Müsabaka Sonuç Listeleri", "KURA1", "ToolButton10",
         [](TMain& m) { Reports::sonucListeleri(m.reportCaller()); }},                   // all score sheets

        // Without a menu item.
        {"ToolButton11", "Çıkış", "", "ToolButton11", [](TMain& m) { m.close(); }},
        {"ToolButton13", "Kısayollar", "", "ToolButton13",
         [](TMain& m) { m.Menu->setVisible(m.Menu->isHidden()); }},
        {"Label_t", "     ", "", "", [](TMain&) { Test->showModal(); }},                  // device button test
    };
    return c;
}

const QList<ToolBarItem>& MainCommands::leftToolBar()
{
    static const QList<ToolBarItem> l = {
        {"ToolButton1", ToolBarItem::Blank},
        {"ToolButton2", ToolBarItem::Button},       // "  Kullanıcı Tanıtma"
        {"ToolButton3", ToolBarItem::Separator},
        {"ToolButton4", ToolBarItem::Button},       // "  MÜSABAKA EKRANI  "
        {"ToolButton5", ToolBarItem::Separator},
        {"ToolButton6", ToolBarItem::Button},       // "  Bilgilerin Yedeklenmesi    "
        {"ToolButton7", ToolBarItem::Separator},
        {"ToolButton8", ToolBarItem::Button},       // "  Önceki Müsabakaların Silinmesi  "
        {"ToolButton9", ToolBarItem::Separator},
        {"ToolButton10", ToolBarItem::Button},      // "  Müsabaka Sonuç Listeleri"
    };
    return l;
}

const QList<ToolBarItem>& MainCommands::topToolBar()
{
    static const QList<ToolBarItem> t = {
        {"ToolButton11", ToolBarItem::Button},      // "Çıkış"
        {"ToolButton12", ToolBarItem::Separator},
        {"ToolButton13", ToolBarItem::Button},      // "Kısayollar"
    };
    return t;
}

const MainCommand* MainCommands::find(const QString& name)
{
    for (const MainCommand& c : commands())
        if (name == c.name)
            return &c;
    return nullptr;
}

void MainCommands::run(const MainCommand& command, TMain& main)
{
    if (command.handler)
        command.handler(main);
    else
        NotAvailable::tell();
}

const MainCommand* MainCommands::forToolButton(const QString& toolButton)
{
    if (toolButton.isEmpty())
        return nullptr;
    for (const MainCommand& c : commands())
        if (toolButton == c.toolButton)
            return &c;
    return nullptr;
}
