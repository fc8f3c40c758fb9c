// The match screen's commands: the weigh-in lists of the draw panel, the
// draw with its options, bout entry and bout edit, the winner popup, the
// scoreboard's commands and the bout lists. The bracket charts are in
// KuraListCharts.cpp, draw upkeep and the score sheets in KuraListUpkeep.cpp.
#include "scoring/KuraList.h"

#include "app/dialogs/Form5.h"
#include "app/dialogs/Porgres.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Session.h"
#include "competition/KuraKayit.h"
#include "competition/KurSec.h"
#include "platform/ui/Messages.h"
#include "reports/CompetitionReports.h"
#include "scoring/Advancement.h"
#include "scoring/KuraDraw.h"
#include "scoring/KuraListParts.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

using KuraListParts::currentField;

// ---------------------------------------------------------------------------
// Weigh-in lists

ReportCaller TKuraList::reportCaller()
{
    return ReportCaller::screen(this, &FSkipActivate, [this](QObject* report) { SetPreviewReport(report); });
}

void TKuraList::BitBtn3Click()
{
    Reports::WeighInClass list;
    list.listOpen = m_weighInOpen;
    list.hasAthlete = m_weighInOpen && (!DBGrid2->currentRecord().isEmpty() || !m_unapproved.isEmpty());
    list.brans = Edit2->text();
    list.cinsiyet = Edit3->text();
    Reports::tartiListesi(reportCaller(), list, {});
}

void TKuraList::ListelerTm1Click()
{
    Reports::tartiListeleriKategori(reportCaller(), QString(), {});
}

// ---------------------------------------------------------------------------
// The draw

void TKuraList::BitBtn7Click()
{
    Kur_Sec->FMatchState = this;
    Kur_Sec->FShowDurations = MsabakayEkranaYkle1->isEnabled();
    Kur_Sec->showModal();
    if (Kur_Sec->FCancelled != 0)
        return;
    takeDrawOptions(Kur_Sec->Edit1->text(), Kur_Sec->Edit2->text(), Kur_Sec->Edit3->text(), Kur_Sec->Edit4->text(),
                    Kur_Sec->Edit5->text().trimmed().toInt());
    if (Kur_Sec->RadioButton1->isChecked())
        BitBtn1Click();
    else if (Kur_Sec->RadioButton2->isChecked())
        BitBtn5Click();
    else if (Kur_Sec->RadioButton3->isChecked())
        BrKuraCek();
}

void TKuraList::BitBtn1Click()
{
    if (m_weighInOpen && !currentField(DBGrid2, "Liste_Key").isEmpty()) {
        KuraCek(Edit2->text(), Edit3->text());
        return;
    }
    if (!Edit2->text().isEmpty())
        Messages::error("Seçilen Listede Sporcu Bulunmamaktadır ...!");
    else
        Messages::error("Lütfen Kurasını Çekeceğiniz Branşı Seçiniz ...!");
}

void TKuraList::BitBtn5Click()
{
    if (!Form5->confirm("Tüm Müsabakaların KURALARI Çekilecektir. Eminmisiniz ...?"))
        return;
    const Records categories = db().select(KuraDraw::kCategoriesSql);
    if (categories.isEmpty()) {
        Messages::error("Herhangi bir Müsabaka Listesi Bulunmamaktadır ...!");
        return;
    }
    for (const Record& r : categories)
        KuraCek(r.str("Brans"), r.str("Cinsiyet"));
}

void TKuraList::BrKuraCek()
{
    const QString category = Kur_Sec->Edit6->text();
    if (!Form5->confirm(category + " KURALARI Çekilecektir. Eminmisiniz ...?"))
        return;
    const Records categories = KuraDraw::categoriesOf(db(), category);
    if (categories.isEmpty())
        Messages::error(KuraDraw::noCategoryText(category));
    for (const Record& r : categories)
        KuraCek(r.str("Brans"), r.str("Cinsiyet"));
}

void TKuraList::KuraCek(const QString& branch, const QString& gender)
{
    // The edition's draw flags.
    RegionSeparation = session().edition.RegionSeparation;
    ThirdPlaceBouts = session().edition.ThirdPlaceBouts;
    KuraDraw draw(db(), *this, *m_random);
    draw.confirm = [](const QString& question) { return Form5->confirm(question); };
    draw.progress = [this](int percent) {
        if (!Porgres->isVisible()) {
            FSkipActivate = 1;
            Porgres->show();
        }
        Porgres->ProgressBar1->setValue(percent);
    };
    bool drawn = false;
    try {
        drawn = draw.KuraCek(branch, gender);
    } catch (...) {
        Porgres->close();
        throw;
    }
    Porgres->close();
    if (!drawn)
        return;
    reloadBoutBranches();
    showCategory(branch, gender);
}

// ---------------------------------------------------------------------------
// Bout entry and bout edit

void TKuraList::BitBtn11Click()
{
    if (Kura_Kayit->refuseWhileOpen())
        return;
    Kura_Kayit->FMatchState = this;
    Kura_Kayit->FBoutKey = 0;
    Kura_Kayit->showModal();
    if (Kura_Kayit->FSaved == 1)
        showSavedBout(Kura_Kayit->FSavedBoutKey);
}

void TKuraList::ChangeDetails1Click()
{
    const QString key = currentField(DBGrid1, "Kura_Key");
    if (!m_boutListOpen || key.isEmpty() || Kura_Kayit->refuseWhileOpen())
        return;
    if (FRestrictedUser == 1) {
        SifreCheck->showModal();
        if (SifreCheck->FPasswordOk != 1) {
            Messages::error("Müsabaka Detayı Admin Kullanıcı tarafından değiştirebilir...!");
            return;
        }
    }
    Kura_Kayit->FMatchState = this;
    Kura_Kayit->FBoutKey = key.toInt();
    Kura_Kayit->setChangeFieldsEnabled(true);
    Kura_Kayit->showModal();
    Kura_Kayit->setChangeFieldsEnabled(false);
    // The scoreboard opens for the bout that was edited, wherever it stands
    // in its category.
    if (Kura_Kayit->FSaved == 1)
        showSavedBout(key.toInt());
}

void TKuraList::showSavedBout(int boutKey)
{
    reloadBoutBranches();
    showCategory(Kura_Kayit->FSavedCategory, Kura_Kayit->ComboBox4->currentText());
    if (DBGrid1->rowCount() == 0)
        return;
    if (!DBGrid1->locate("Kura_Key", boutKey))
        DBGrid1->setCurrentRow(DBGrid1->rowCount() - 1);
    DBGrid1DblClick();
}

// ---------------------------------------------------------------------------
// Winner popup

void TKuraList::chooseWinner(int side)
{
    const int key = currentField(DBGrid1, "Kura_Key").toInt();
    Advancement advancement(db(), *this);
    if (advancement.chooseWinner(key, side))
        reloadBoutsAt(key);
}

void TKuraList::N31Click()
{
    chooseWinner(1);
}

void TKuraList::N41Click()
{
    chooseWinner(2);
}

void TKuraList::Sil1Click()
{
    const int key = currentField(DBGrid1, "Kura_Key").toInt();
    Advancement advancement(db(), *this);
    advancement.removeWinner(key, [] {
        SifreCheck->showModal();
        return SifreCheck->FPasswordOk == 1;
    });
    reloadBoutsAt(key);
}

// ---------------------------------------------------------------------------
// Commands of live scoring, charts, reports and draw upkeep, built with them.

void TKuraList::MsabakayEkranaYkle1Click()
{
    m_live->MsabakayEkranaYkle1Click();
}

void TKuraList::SkorboardSfrla1Click()
{
    m_live->SkorboardSfrla1Click();
}

void TKuraList::MenuItem1Click()
{
    const Record bout = DBGrid1->currentRecord();
    Reports::kuraListesi(reportCaller(), m_boutListOpen, bout.isEmpty() ? QVariant() : bout.value("Kura_Key"),
                         Edit1->text(), Edit4->text());
}

void TKuraList::MenuItem2Click()
{
    Reports::kuraListeleri(reportCaller());
}

void TKuraList::RinglereDalmTablosu1Click()
{
    Reports::ringlereDagilimListesi(reportCaller(), m_live->FRingWord);
}
