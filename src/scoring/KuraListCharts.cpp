// The match screen's bracket charts: "Kura Çizelgesi" (portrait), "Kura
// Çizelgesi (Yatay)" (two-sided landscape) and "Röpresaj Çizelgesi". Each
// shows the draw-sheet title dialog, fills its chart (BracketChartData.h)
// and previews it; in the draw's silent mode the first two only build the
// slot table.
#include "scoring/KuraList.h"

#include "platform/ui/Messages.h"
#include "reports/Baslik3.h"
#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "reports/PrintMenuR.h"
#include "scoring/BracketChartData.h"
#include "scoring/SlotTable.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

// The portrait and landscape commands' checks: an open bout list with a
// current bout.
bool chartBoutListReady(bool listOpen, int currentKey)
{
    if (!listOpen) {
        Messages::error("Lütfen Branş Seçiniz ...!");
        return false;
    }
    if (currentKey == 0) {
        Messages::error("Seçilen Branşta KURA Listesi Bulunmamaktadır ...!");
        return false;
    }
    return true;
}

} // namespace

void TKuraList::BitBtn2Click()
{
    if (RadioButton2->isChecked() && FChartSilent != 1) {
        RinglereDalmTablosu1Click();
        return;
    }
    if (FChartSilent == 1) {
        SlotTable::buildForDraw(db(), *this);
        return;
    }
    if (!chartBoutListReady(m_boutListOpen, currentBoutKey()))
        return;
    Baslik3->showModal();
    const QString refusal = BracketChartData::fillPortrait(db(), *this, Edit1->text(), Edit4->text(),
                                                           Baslik3->options(), Baslik3->Edit8->text(), *PrintMenu2D);
    if (!refusal.isEmpty()) {
        Messages::error(refusal);
        return;
    }
    ReportLaunch::preview(*PrintMenu2D, reportCaller());
}

void TKuraList::KuraizelgesiYatay1Click()
{
    if (RadioButton2->isChecked() && FChartSilent != 1) {
        RinglereDalmTablosu1Click();
        return;
    }
    if (FChartSilent == 1) {
        SlotTable::build(db(), *this, FDrawBranch, drawGender(), true);
        return;
    }
    if (!chartBoutListReady(m_boutListOpen, currentBoutKey()))
        return;
    // The title comes from the activity list.
    Baslik3->Edit8->setReadOnly(true);
    Baslik3->showModal();
    Baslik3->Edit8->setReadOnly(false);
    const QString refusal =
        BracketChartData::fillLandscape(db(), *this, Edit1->text(), Edit4->text(), Baslik3->options(),
                                        Baslik3->FActivityTitle, *PrintMenu2D_1);
    if (!refusal.isEmpty()) {
        Messages::error(refusal);
        return;
    }
    ReportLaunch::preview(*PrintMenu2D_1, reportCaller());
}

void TKuraList::Rpsajizelgesi1Click()
{
    // Without a bout list and a current bout nothing happens.
    if (!m_boutListOpen || currentBoutKey() == 0)
        return;
    Baslik3->showModal();
    const QString refusal = BracketChartData::fillRepechage(db(), Edit1->text(), Edit4->text(), Baslik3->options(),
                                                            Baslik3->FActivityTitle, *PrintMenuR);
    if (!refusal.isEmpty()) {
        Messages::error(refusal);
        return;
    }
    ReportLaunch::preview(*PrintMenuR, reportCaller());
}
