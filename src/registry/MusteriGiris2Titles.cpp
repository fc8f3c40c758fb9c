// The person record editor's belt, coach title and referee title rows: a
// pick opens the entry dialog "Giriş" (TBilgi_Giris), whose values go into
// the row's fields and become a career row, at once for a stored person
// and at the first save for a new one. "Stil Ekle" records a further style
// of a belt with the same dialog.
#include "registry/MusteriGiris2.h"

#include "app/kit/Formats.h"
#include "platform/ui/Messages.h"
#include "registry/Bilgi_Giris.h"
#include "registry/CaptionClick.h"
#include "registry/CareerRules.h"
#include "registry/MaskEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QToolButton>

void TMusteriGiris2::wireTitles()
{
    connect(DBLookupComboBox11, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox11Click);
    connect(Edit25, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit25Change);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMusteriGiris2::SpeedButton3Click);
    connect(DBLookupComboBox6, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox6Click);
    connect(DBLookupComboBox5, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox5Click);
    connect(Edit52, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit52Change);
    connect(Edit51, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit51Change);
    connect(DBLookupComboBox14, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox14Click);
}

namespace {

QVariant titleDateOrNull(const QString& text)
{
    QDate d;
    if (isBlankDate(text) || !Formats::tryStrToDate(text, d))
        return QVariant(QMetaType(QMetaType::QDate));
    return d;
}

} // namespace

// --- Belts -----------------------------------------------------------------------

void TMusteriGiris2::DBLookupComboBox11Click()
{
    const int i = DBLookupComboBox11->currentIndex();
    if (i < 0)
        return;
    FAddingStyle = 0;
    Bilgi_Giris->Label1->setText("Lütfen seçmiş olduğunuz Kuşakla ilgili aşağıdaki bilgileri giriniz.");
    pickInto(Edit25, DBLookupComboBox11->itemText(i));
    Edit25->setFocus();
}

void TMusteriGiris2::Edit25Change()
{
    if (FLoaded)
        FModified = 1;
    colourByText(Label25, Edit25);
    if (FBatchMode || FLoading)
        return;
    // A cleared belt writes no row; only the operator's pick of a belt opens
    // the dialog (not a text the program writes), and never a second one.
    if (Edit25->text().isEmpty() || m_userPick != Edit25 || m_inEntry)
        return;
    beltFlow();
}

void TMusteriGiris2::SpeedButton3Click()
{
    if (!m_careerOpen) {
        Messages::info("Bilgileri kaydettikten sonra Stil ekleyebilirsiniz...!");
        return;
    }
    if (m_inEntry)
        return;
    Bilgi_Giris->Label1->setText("Lütfen Kuşak ve Stil ile ilgili aşağıdaki bilgileri giriniz.");
    Bilgi_Giris->setBeltPickShown(true);
    FAddingStyle = 1;
    beltFlow();
    FAddingStyle = 0;
    Bilgi_Giris->setBeltPickShown(false);
}

void TMusteriGiris2::beltFlow()
{
    const QScopedValueRollback<bool> entry(m_inEntry, true);
    TBilgi_Giris* d = Bilgi_Giris;
    const bool adding = FAddingStyle != 0;
    if (FPersonKey != 0)
        PageControl1->setCurrentWidget(TabSheet2);

    d->Edit2->clear();
    d->Edit4->clear();
    d->Edit3->setText(adding ? QString() : Edit82->text());
    const bool styles = !m_styles.isEmpty();
    const QString keptCaption = d->Label6->text();
    if (!styles) {
        d->Edit3->hide();
        d->Label6->hide();
    } else {
        d->Label6->setText("Stil");
        d->Edit3->show();
        d->Edit3->setReadOnly(true);
        d->DBLookupComboBox14->show();
    }
    d->showModal();
    if (styles) {
        d->Label6->setText(keptCaption);
        d->Edit3->setReadOnly(false);
        d->DBLookupComboBox14->hide();
    }
    d->Edit3->show();
    d->Label6->show();

    // Cancelled: the picked belt stays, nothing is written.
    if (d->FCancelled == 0) {
        if (!adding) {
            Edit58->setText(d->Edit1->text());
            Edit82->setText(d->Edit3->text());
        }
        FPendingBelt = {d->Edit2->text(), d->Edit4->text()};
        if (!adding)
            MaskEdit7->setMaskedText(d->MaskEdit1->maskedText());
        if (FPersonKey != 0) {
            const QString belt = adding ? d->Edit82->text() : Edit25->text();
            storeCareerRow(Belts, {{"KarNo", d->Edit2->text()},
                                   {"Kusak_Key", lookupKey(m_beltNames, belt)},
                                   {"Tarih", titleDateOrNull(d->MaskEdit1->maskedText())},
                                   {"Yer", d->Edit1->text()},
                                   {"Stil", d->Edit3->text()},
                                   {"Dip_No_Tar", d->Edit4->text()}});
            reopen(Belts);
        }
    }
    d->Edit3->clear();
    d->Edit1->clear();
}

void TMusteriGiris2::DBLookupComboBox14Click()
{
    const int i = DBLookupComboBox14->currentIndex();
    if (i < 0)
        return;
    Edit82->setText(DBLookupComboBox14->itemText(i));
    Edit82->setFocus();
}

// --- Coach and referee titles ------------------------------------------------------------

void TMusteriGiris2::DBLookupComboBox6Click()
{
    const int i = DBLookupComboBox6->currentIndex();
    if (i < 0)
        return;
    pickInto(Edit52, DBLookupComboBox6->itemText(i));
    Edit52->setFocus();
}

void TMusteriGiris2::DBLookupComboBox5Click()
{
    const int i = DBLookupComboBox5->currentIndex();
    if (i < 0)
        return;
    pickInto(Edit51, DBLookupComboBox5->itemText(i));
    Edit51->setFocus();
}

void TMusteriGiris2::Edit52Change()
{
    titleChanged(Coach);
}

void TMusteriGiris2::Edit51Change()
{
    titleChanged(Referee);
}

void TMusteriGiris2::titleChanged(CareerIndex which)
{
    QLineEdit* field = which == Coach ? Edit52 : Edit51;
    if (FLoaded)
        FModified = 1;
    colourByText(which == Coach ? Label52 : Label51, field);
    if (FLoading || field->text().isEmpty())
        return;
    // Only the operator's pick opens the dialog: the exam import and the
    // program's own writes do not, and an open dialog is not opened again.
    if (m_userPick != field || m_inEntry)
        return;
    titleFlow(which, m_beforePick);
}

void TMusteriGiris2::titleFlow(CareerIndex which, const QString& before)
{
    const QScopedValueRollback<bool> entry(m_inEntry, true);
    const bool coach = which == Coach;
    QLineEdit* field = coach ? Edit52 : Edit51;
    QLineEdit* place = coach ? Edit56 : Edit57;
    TMaskEdit* date = coach ? MaskEdit5 : MaskEdit6;
    QLineEdit* years[3] = {coach ? Edit69 : Edit68, coach ? Edit79 : Edit77, coach ? Edit80 : Edit78};
    TBilgi_Giris* d = Bilgi_Giris;
    if (FPersonKey != 0)
        PageControl1->setCurrentWidget(TabSheet2);

    // The visa year typed last time is offered again.
    d->Edit1->clear();
    d->Edit4->clear();
    d->Edit2->clear();
    d->Label1->setText(field->text() + " Lisansının Verildiği Yer, Tarih, Karar Numarası ve Vize Yılını Giriniz.");
    d->showModal();
    if (d->FCancelled != 0)
        return;  // the picked title stays, nothing is written

    const QVariant titleKey = lookupKey(coach ? m_coachTitles : m_refereeTitles, field->text());
    if (FPersonKey != 0 && titleHeld(db(), coach, FPersonKey, titleKey)) {
        // The person holds this title already: the entry is refused as a
        // whole, and the title, place and date stay as they were.
        Messages::info(coach ? "Aynı Antrenörlük Bilgisi Kayıtlıdır. Lütfen Düzeltme ve İlavenizi Onun Üzerinde "
                               "Yapınız ...!"
                             : "Aynı Hakemlik Bilgisi Kayıtlıdır. Lütfen Düzeltme ve İlavenizi Onun Üzerinde "
                               "Yapınız ...!");
        field->setText(before);
        return;
    }

    const VisaYears moved =
        shiftVisaYears({years[0]->text(), years[1]->text(), years[2]->text()}, d->Edit3->text());
    years[0]->setText(moved.first);
    years[1]->setText(moved.second);
    years[2]->setText(moved.third);
    place->setText(d->Edit1->text());
    date->setMaskedText(d->MaskEdit1->maskedText());
    // Assigned through a named reference: GCC 12 with -fsanitize=vptr
    // miscompiles a braced list assigned to a conditional expression (the
    // list's elements read `d` through a copy that is never set), which the
    // sanitized build stopped on here.
    PendingCareerRow& pending = coach ? FPendingCoachTitle : FPendingRefereeTitle;
    pending = {d->Edit2->text(), d->Edit4->text()};
    if (FPersonKey != 0) {
        storeCareerRow(which, {{"KarNo", d->Edit2->text()},
                               {"Durum_Key", titleKey},
                               {"Tarih", titleDateOrNull(date->maskedText())},
                               {"Yer", place->text()},
                               {"Dip_No_Tar", d->Edit4->text()}});
        reopen(which);
    }
}
