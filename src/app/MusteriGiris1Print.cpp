// The person search's report drop-down: the lists, record sheets, counts,
// letters, labels and CSV lists of the register, and the card items.

#include "app/MusteriGiris1.h"

#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/setup/MetinIlave.h"
#include "exchange/BilgiAktar.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/Messages.h"
#include "reports/CardLaunch.h"
#include "reports/RegistryReports.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

void TMusteriGiris1::buildPrintMenu()
{
    auto item = [this](const QString& name, const QString& caption, bool shown = true) {
        QAction* a = PlacedControls::makeItem(PopupMenu1, name, caption);
        a->setVisible(shown);
        connect(a, &QAction::triggered, this, [this, name] { runPrintCommand(name); });
        return a;
    };
    GenelListe31 = item("GenelListe31", "Genel Liste");
    SporcuRapor1 = item("SporcuRapor1", "Sporcu Rapor", false);
    AntrenrRapor1 = item("AntrenrRapor1", "Antrenör Rapor");
    HakemRapor1 = item("HakemRapor1", "Hakem Rapor", false);
    iftlerListesi1 = item("iftlerListesi1", "Çiftler Listesi", false);
    SporcuListesi1 = item("SporcuListesi1", "Genel Liste (Adresli)");
    GenelListe21 = item("GenelListe21", "Genel Liste (Unvan Tarihli)");
    KlpListesi1 = item("KlpListesi1", "Genel Liste (Kulüp v.s.)");
    KulpBazndaSporcuSaylar1 = item("KulpBazndaSporcuSaylar1", "Kulüp Bazında Sporcu Sayıları");
    SporcuSicilDkm1 = item("SporcuSicilDkm1", "Sicil Dökümü");
    Mektup2 = item("Mektup2", "Mektup (Adresli)");
    GenelMektupAdressiz1 = item("GenelMektupAdressiz1", "Mektup (Adressiz)");
    Etiket1 = item("Etiket1", "Etiket");
    MillilikDiplomas1 = item("MillilikDiplomas1", "Millilik Diploması", false);
    SporcuBilgileri1 = item("SporcuBilgileri1", "SPORCU Listesi");
    SporcuBranListeleri1 = item("SporcuBranListeleri1", "Branşlara Göre SPORCU Dağılımı");
    BlgeBazndaHakemListesi1 = item("BlgeBazndaHakemListesi1", "Bölge Bazında Hakem Listesi");
    BlgeBazndaAntrenrListesi1 = item("BlgeBazndaAntrenrListesi1", "Bölge Bazında Antrenör Listesi");
    BlgeBazndaKuakListesi1 = item("BlgeBazndaKuakListesi1", "Bölge Bazında Kuşak Listesi");
    // The club's exam list: hidden; the start-up configuration shows it on
    // an office station (a club's own computer).
    GIPmtihanListesiOlutur1 = PlacedControls::makeItem(PopupMenu1, "GIPmtihanListesiOlutur1", "GIP İmtihan Listesi Oluştur");
    GIPmtihanListesiOlutur1->setVisible(false);
    connect(GIPmtihanListesiOlutur1, &QAction::triggered, this,
            guarded(this, &TMusteriGiris1::GIPmtihanListesiOlutur1Click));
    PopupMenu1->addSeparator();
    Cards::addMenuItems(PopupMenu1, session().user.FIsAdmin, [this](const QString& name) {
        Cards::launch(name, reportCaller(), registryList());
    });
}

void TMusteriGiris1::GIPmtihanListesiOlutur1Click()
{
    if (!FListOpen) {
        Messages::info("Lütfen 'Kayıt Bul' Düğmesine Basarak Listelenen Sporcular İçinden GIP İmtihanına Girenleri "
                       "Seçiniz ...!");
        return;
    }
    if (!hasCurrentKey()) {
        Messages::info("Liste Alanında Herhangibir Sporcu Bulunmamaktadır ...!");
        return;
    }
    if (BilgiAktar->refuseWhileOpen())
        return;
    const ReportLaunch::RegistrySelection s = selection();
    Reports::genelBelgeKisileri(s);
    BilgiAktar->FSelectionWhere = s.whereClause + ReportLaunch::narrowing(s, "Musteri_Key");
    BilgiAktar->FSelectionParams = s.params;
    BilgiAktar->FOrderBy = s.orderBy;
    BilgiAktar->showModal();
    if (BilgiAktar->FChanged)
        QIslem();
}

void TMusteriGiris1::BitBtn6Click()
{
    runPrintCommand("GenelListe31");
}

void TMusteriGiris1::runPrintCommand(const QString& item)
{
    const ReportCaller caller = reportCaller();
    const ReportLaunch::RegistrySelection s = selection();
    const bool open = FListOpen;
    const bool key = hasCurrentKey();
    auto persons = [&] { return ReportLaunch::checkList(open, key, "Sporcuları", "Sporcu"); };

    if (item == "GenelListe31") {
        if (persons())
            Reports::genelListe(caller, s, Edit12->text(), Edit26->text());
    } else if (item == "SporcuRapor1") {
        if (persons() && Reports::sporcuRapor(caller, s))
            Reports::saveListCsvCopy();
    } else if (item == "AntrenrRapor1") {
        if (ReportLaunch::checkList(open, key, "Antrenörleri", "Antrenör") && Reports::antrenorRapor(caller, s))
            Reports::saveListCsvCopy();
    } else if (item == "HakemRapor1") {
        if (ReportLaunch::checkList(open, key, "Hakemleri", "Hakem") && Reports::hakemRapor(caller, s))
            Reports::saveListCsvCopy();
    } else if (item == "iftlerListesi1") {
        if (!persons())
            return;
        if (Edit15->text().isEmpty()) {
            Messages::info("Lütfen Cinsiyet Bölümünden Erkek/Bayan Seçimi yapınız...!");
            return;
        }
        Reports::ciftlerListesi(caller, s);
    } else if (item == "SporcuListesi1") {
        if (persons())
            Reports::genelListeAdresli(caller, s);
    } else if (item == "GenelListe21") {
        if (persons())
            Reports::genelListeUnvanTarihli(caller, s);
    } else if (item == "KlpListesi1") {
        if (ReportLaunch::checkList(open, key, "Kulüpleri", "Kulüp"))
            Reports::genelListeKulup(caller, s);
    } else if (item == "KulpBazndaSporcuSaylar1") {
        if (persons())
            Reports::kulupBazindaSporcuSayilari(caller, s);
    } else if (item == "SporcuSicilDkm1") {
        if (persons())
            Reports::sicilDokumu(caller, s);
    } else if (item == "Mektup2" || item == "GenelMektupAdressiz1") {
        if (!persons())
            return;
        MetinIlave->showModal();
        Reports::LetterHeader header{MetinIlave->Edit8->text(), MetinIlave->Edit5->text(),
                                     MetinIlave->Edit6->text(), MetinIlave->Edit1->text(),
                                     MetinIlave->FLetterFile};
        Reports::mektup(caller, s, header, item == "Mektup2");
    } else if (item == "Etiket1") {
        if (persons())
            Reports::etiket(caller, s);
    } else if (item == "MillilikDiplomas1") {
        if (persons())
            Reports::millilikDiplomasi(caller, s);
    } else if (item == "SporcuBilgileri1") {
        if (!Edit12->text().isEmpty() && Edit12->text() != "SPORCU") {
            Messages::info("Bu Listeyi Sadece SPORCULAR için Alabilirsiniz ...!");
            return;
        }
        if (persons())
            Reports::sporcuListesi(caller, s, Edit16->text());
    } else if (item == "SporcuBranListeleri1") {
        Reports::bransDagilimi(caller, Reports::countFilterOf(Edit4->text()));
    } else if (item == "BlgeBazndaHakemListesi1") {
        if (!open) {
            Messages::info("Lütfen Aktivite Bölümünden 'HAKEM' i Seçip 'Kayıt Bul' Düğmesine Basarak Hakemleri "
                           "Listeleyiniz ...!");
            return;
        }
        if (!key) {
            Messages::info("Liste Alanında Herhangibir Hakem Bulunmamaktadır ...!");
            return;
        }
        Reports::bolgeHakemListesi(caller, s);
    } else if (item == "BlgeBazndaAntrenrListesi1") {
        if (!open) {
            Messages::info("Lütfen Aktivite Bölümünden 'ANTRENÖR' ü Seçip 'Kayıt Bul' Düğmesine Basarak "
                           "Antrenörleri Listeleyiniz ...!");
            return;
        }
        if (!key) {
            Messages::info("Liste Alanında Herhangibir Antrenör Bulunmamaktadır ...!");
            return;
        }
        Reports::bolgeAntrenorListesi(caller, s);
    } else if (item == "BlgeBazndaKuakListesi1") {
        if (!open) {
            Messages::info("Lütfen 'Kayıt Bul' Düğmesine Basarak Rapor Alacaklarınızı Listeleyiniz ...!");
            return;
        }
        if (!key) {
            Messages::info("Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!");
            return;
        }
        Reports::bolgeKusakListesi(caller, s);
    }
}
