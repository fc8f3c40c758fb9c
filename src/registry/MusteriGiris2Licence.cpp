// The person record editor's athlete licences: picking the club opens the
// licence dialog "Sporcu Lisans Bilgileri" (TBilgi_Giris_1); its values
// become a licence row at once for a stored person and at the first save
// for a new one. After every change of the licence rows the licence
// number, visa year and visa-year list follow them (SonLisans).
#include "registry/MusteriGiris2.h"

#include "app/kit/Formats.h"
#include "platform/ui/Messages.h"
#include "registry/Bilgi_Giris_1.h"
#include "registry/CareerRules.h"
#include "registry/MaskEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTabWidget>

namespace {

// The text of a date field, "" when blank.
QString dateText(const TMaskEdit* field)
{
    return field->isBlank() ? QString() : field->maskedText();
}

QVariant dateOrNull(const QString& text)
{
    QDate d;
    if (text.isEmpty() || !Formats::tryStrToDate(text, d))
        return QVariant(QMetaType(QMetaType::QDate));
    return d;
}

QVariant keyOrNull(const QString& text)
{
    bool ok = false;
    const int key = text.toInt(&ok);
    return ok ? QVariant(key) : QVariant(QMetaType(QMetaType::Int));
}

} // namespace

void TMusteriGiris2::DBLookupComboBox1Click()
{
    const int i = DBLookupComboBox1->currentIndex();
    if (i < 0 || i >= m_clubs.size())
        return;
    if (Edit4->text().isEmpty()) {
        Messages::info("Lütfen Önce Sporcunun Bölgesini Seçiniz ...!");
        Edit4->setFocus();
        return;
    }
    const Record club = m_clubs.at(i);
    Edit16->setText(club.str("Durum"));
    const QString clubRegion = club.str("E1");
    if (clubRegion != "FERDİ" && clubRegion != Edit4->text()) {
        if (clubRegion != "SERBEST")
            Messages::info("DİKKAT ...! Seçtiğiniz Kulübün Bölgesi ile Sporcunun Bölgesi Aynı Değildir.");
        Edit16->setFocus();
    }
    if (!PageControl1->isTabVisible(PageControl1->indexOf(TabSheet4)) || FLoading || Edit16->text().isEmpty() ||
        m_inEntry)
        return;

    const QScopedValueRollback<bool> entry(m_inEntry, true);
    TBilgi_Giris_1* d = Bilgi_Giris_1;
    d->FPickedClubKey = club.toInt("Durum_Key");
    d->FRegionName = Edit4->text();
    d->Edit1->setText(Edit26->text());
    d->MaskEdit1->clear();
    d->showModal();
    // Cancelled: the club stays picked; a licence entered before for a
    // person not yet saved is kept for the first save.
    if (d->FCancelled != 0)
        return;

    FPendingLicence = PendingLicence{d->Edit1->text(),         d->FRegionKey,          d->FClubKey,
                                     dateText(d->MaskEdit1),    dateText(d->MaskEdit2), dateText(d->MaskEdit3),
                                     d->Edit2->text(),          d->Edit3->text()};
    if (FPersonKey == 0)
        return;  // the first save writes the row
    const PendingLicence& l = FPendingLicence;
    storeCareerRow(Licences, {{"Klup_Key", keyOrNull(l[2])},
                              {"Bolge_Key", keyOrNull(l[1])},
                              {"Lnc_No", l[0]},
                              {"L_Tarih", dateOrNull(l[3])},
                              {"V_Tarih", dateOrNull(l[4])},
                              {"T_Tarih", dateOrNull(l[5])},
                              {"Kategori", l[6]},
                              {"Ack", l[7]}});
    if (DBGrid1->state() == TDBGrid::Browse) {
        reopen(Licences);
        if (DBGrid1->rowCount() > 0)
            DBGrid1->setCurrentRow(DBGrid1->rowCount() - 1);
    }
    PageControl1->setCurrentWidget(TabSheet4);
}

void TMusteriGiris2::Query19AfterPost()
{
    reopen(Licences);
    SonLisans();
}

void TMusteriGiris2::SonLisans()
{
    const LicenceSummary s = ::SonLisans(DBGrid1->records(), Edit67->text());
    Edit107->setText(s.visaYears);
    Edit67->setText(s.visaYear);
    Edit26->setText(s.licenceNumber);
}
