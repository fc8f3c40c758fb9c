// The match screen's upkeep of bout rows and its score-sheet commands: the
// handlers gather the screen's choice, ask the operator, and hand the work
// to DrawUpkeep or to the report launchers.
#include "scoring/KuraList.h"

#include "app/kit/DbGrid.h"
#include "app/dialogs/Form5.h"
#include "app/dialogs/Porgres.h"
#include "app/dialogs/SifreCheck.h"
#include "competition/KuraAktar.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintScore.h"
#include "scoring/DrawUpkeep.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace {

const QString kOpenOnScoreboard = QStringLiteral(
    "Skorboard'da Açık Olan Müsabaka Silinemez veya Değiştirilemez. Lütfen Önce Skorboard'ı Kapatınız ...!");

} // namespace

QString TKuraList::currentSide() const
{
    const QString field = DBGrid1->currentField();
    if (field.compare("Ad1", Qt::CaseInsensitive) == 0)
        return "1";
    if (field.compare("Ad2", Qt::CaseInsensitive) == 0)
        return "2";
    return QString();
}

bool TKuraList::openOnScoreboard(const QList<int>& boutKeys)
{
    if (!boutOpen() || !boutKeys.contains(m_live->openBoutKey()))
        return false;
    Messages::error(kOpenOnScoreboard);
    return true;
}

// ---------------------------------------------------------------------------
// Deleting

void TKuraList::Delete1Click()
{
    const int key = currentBoutKey();
    if (!m_boutListOpen || key == 0)
        return;
    // The row as stored now, not as the list last read it.
    const std::optional<Record> bout = db().first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
    if (!bout) {
        requeryBoutList(key);
        return;
    }
    if (const QString refusal = DrawUpkeep::deleteRefusal(*bout, FRestrictedUser); !refusal.isEmpty()) {
        Messages::error(refusal);
        return;
    }
    if (openOnScoreboard({key}))
        return;
    if (!Form5->confirm(bout->str("Ad1") + " / " + bout->str("Ad2") + "\nMüsabakası Silinecektir. Eminmisiniz ...?", true,
                        TForm5::DefaultNo))
        return;
    DrawUpkeep(db()).deleteBout(key);
    reloadBoutBranches();
    requeryBoutList(key);
    Messages::info("Müsabaka Silindi ...!");
}

void TKuraList::BitBtn6Click()
{
    if (!m_boutListOpen || FRingList == 1 || currentBoutKey() == 0)
        return;
    SifreCheck->showModal();
    if (SifreCheck->FPasswordOk != 1)
        return;
    const QString branch = Edit1->text();
    const QString gender = Edit4->text();
    QList<int> keys;
    for (const Record& r : db().select("select Kura_Key from C_KURA where Brans = :b and Cinsiyet = :g order by Kura_Key",
                                       {{"b", branch}, {"g", gender}}))
        keys << r.toInt("Kura_Key");
    if (openOnScoreboard(keys))
        return;
    if (!Form5->confirm(branch + " Branşında KURA Listesi Silinecektir.\nEminmisiniz ...?", true, TForm5::DefaultNo))
        return;

    FSkipActivate = 1;
    Porgres->show();
    try {
        DrawUpkeep(db()).deleteCategoryDraw(branch, gender,
                                           [](int percent) { Porgres->ProgressBar1->setValue(percent); });
    } catch (...) {
        Porgres->close();
        throw;
    }
    reloadBoutBranches();
    Edit1->clear();
    Edit7->clear();
    DBLookupComboBox1->setCurrentIndex(-1);
    closeBoutList();
    SecClear();
    Porgres->close();
    updateLabels();
    Messages::info(branch + " BRANŞINDA KURA LİSTESİ SİLİNDİ ...!");
}

// ---------------------------------------------------------------------------
// "Kura Aktar"

void TKuraList::BitBtn16Click()
{
    if (FRingList == 1 || !m_boutListOpen || currentBoutKey() == 0) {
        Messages::info(Reports::kChooseBranch);
        return;
    }
    KuraAktar->FBranchEdit = Edit1;
    KuraAktar->FGenderEdit = Edit4;
    KuraAktar->showModal();
}

// ---------------------------------------------------------------------------
// Exchanging two athletes

bool TKuraList::swapPopupOpens() const
{
    if (FSpecialCode.isEmpty() || Edit5->text().isEmpty() || Turkish::upper(Edit5->text()) != FSpecialCode)
        return false;
    if (!m_boutListOpen || FRingList == 1)
        return false;
    const Record bout = DBGrid1->currentRecord();
    if (bout.isEmpty() || bout.str("Kura_Key").isEmpty())
        return false;
    return DrawUpkeep::swappable(bout, currentSide());
}

void TKuraList::Sec1Click()
{
    if (!swapPopupOpens())
        return;
    const int key = currentBoutKey();
    const std::optional<Record> bout = db().first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
    const QString side = currentSide();
    if (!bout || !DrawUpkeep::swappable(*bout, side))
        return;
    FSwapAthlete = DrawUpkeep::athleteOf(*bout, side);
    FSwapSide = side;
    FSwapBoutKey = key;
    Sec1->setText("Seç (Seçilen:" + FSwapAthlete.first() + ")");
    Degistir1->setEnabled(true);
}

void TKuraList::Degistir1Click()
{
    const int key = currentBoutKey();
    const QString side = currentSide();
    if (FSwapBoutKey == 0 || FSwapSide.isEmpty() || key == 0 || side.isEmpty())
        return;
    if (openOnScoreboard({FSwapBoutKey, key}))
        return;
    // Both bouts are read again: a decision or another change since "Seç"
    // refuses the exchange.
    const QString refusal = DrawUpkeep(db()).swap(FSwapBoutKey, FSwapSide, FSwapAthlete, key, side);
    SecClear();
    requeryBoutList(key);
    if (!refusal.isEmpty())
        Messages::error(refusal);
}

// ---------------------------------------------------------------------------
// Attendance

void TKuraList::MsKATILMADI1Click()
{
    const int key = currentBoutKey();
    const QString side = currentSide();
    if (key == 0 || side.isEmpty())
        return;
    DrawUpkeep(db()).setAbsent(key, side.toInt(), true);
    requeryBoutList(key);
}

void TKuraList::KATILDI1Click()
{
    const int key = currentBoutKey();
    const QString side = currentSide();
    if (key == 0 || side.isEmpty())
        return;
    DrawUpkeep(db()).setAbsent(key, side.toInt(), false);
    requeryBoutList(key);
}

// ---------------------------------------------------------------------------
// Score sheets

void TKuraList::MaSonuSayfas1Click()
{
    PrintScore->FScope = 1;
    SkoreRaporu();
}

void TKuraList::SonuListesi1Click()
{
    PrintScore->FScope = 2;
    SkoreRaporu();
}

void TKuraList::BitBtn12Click()
{
    // Without a class and a bout nothing happens, and nothing is said.
    if (!m_boutListOpen || currentBoutKey() == 0)
        return;
    PrintScore->FScope = 1;
    SkoreRaporu();
}

void TKuraList::SkoreRaporu()
{
    const Record bout = DBGrid1->currentRecord();
    Reports::skoreRaporu(reportCaller(), m_boutListOpen, bout.isEmpty() ? QVariant() : bout.value("Kura_Key"),
                         Edit1->text(), Edit4->text());
}
