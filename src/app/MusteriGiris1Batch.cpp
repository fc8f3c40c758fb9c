// The person search's batch operations: the person editor, the delete, the
// visa years, the seminars, the duty posting and the SMS export.

#include "app/MusteriGiris1.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/kit/Session.h"
#include "exchange/SmsExport.h"
#include "exchange/SmsExportLog.h"
#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"
#include "registry/MaskEdit.h"
#include "registry/MusteriGiris2.h"
#include "registry/PersonBatch.h"
#include "registry/Seminer.h"
#include "registry/Vizeler.h"
#include "scoring/Aktar1S.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// The yes/no question of Form5.
bool searchBatchConfirm(const QString& question)
{
    return Form5->confirm(question);
}

// The three checks before a batch operation: a search ran, the list has a
// current row, rows are selected; each refusal says so and gives false.
bool searchBatchReady(bool listOpen, bool hasKey, const QString& selectedKeys, const QString& notListed,
                      const QString& noneSelected)
{
    if (!listOpen) {
        Messages::info(notListed);
        return false;
    }
    if (!hasKey) {
        Messages::info("Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!");
        return false;
    }
    if (selectedKeys.isEmpty()) {
        Messages::info(noneSelected);
        return false;
    }
    return true;
}

} // namespace

// --- The person editor -------------------------------------------------------------

void TMusteriGiris1::BitBtn2Click()
{
    if (!hasCurrentKey() || MusteriGiris2->refuseWhileOpen())
        return;
    MusteriGiris2->FPersonKey = DBGrid1->currentRecord().toInt("Musteri_Key");
    MusteriGiris2->FFromWeighIn = 0;
    MusteriGiris2->FBatchMode = 0;
    MusteriGiris2->showModal();
    fillLookup(DBLookupComboBox4, "select Durum_Key, Durum from C_UYELIKSURESI where Durum <> '' order by Durum",
               "Durum");
    if (MusteriGiris2->FRefreshNeeded)
        QIslem();
    DBGrid1->clearSelection();
    FSelectedKeys.clear();
}

void TMusteriGiris1::BitBtn3Click()
{
    if (MusteriGiris2->refuseWhileOpen())
        return;
    MusteriGiris2->FPersonKey = 0;
    MusteriGiris2->FFromWeighIn = 0;
    MusteriGiris2->FBatchMode = 0;
    MusteriGiris2->showModal();
    fillLookup(DBLookupComboBox4, "select Durum_Key, Durum from C_UYELIKSURESI where Durum <> '' order by Durum",
               "Durum");
    if (MusteriGiris2->FRefreshNeeded)
        QIslem();
}

// --- Delete --------------------------------------------------------------------------

void TMusteriGiris1::BitBtn5Click()
{
    if (!FListOpen) {
        Messages::info("Lütfen 'Kayıt Bul' Düğmesine Basarak Sporcuları Listeleyiniz. Sonra Silecek Olduğunuz "
                       "Sporcuyu Seçiniz ...!");
        return;
    }
    if (!hasCurrentKey()) {
        Messages::info("Liste Alanında Herhangibir Sporcu Bulunmamaktadır ...!");
        return;
    }
    Database& db = session().db;
    const int key = DBGrid1->currentRecord().toInt("Musteri_Key");
    PersonBatch::DeleteCheck check = PersonBatch::checkDelete(db, key);
    if (!check.refusal.isEmpty()) {
        Messages::info(check.refusal);
        return;
    }
    check.name = DBGrid1->currentRecord().str("Ad_Soyad");
    if (!searchBatchConfirm(PersonBatch::deleteQuestion(check)))
        return;
    const QString photo = DriveMap::toHost(FProgramFolder + "R" + QString::number(key) + ".jpg");
    PersonBatch::deletePerson(db, key, photo);
    Messages::info("Kayıt Silindi ...!");
    QIslem();
}

// --- Visa years ----------------------------------------------------------------------

void TMusteriGiris1::BitBtn7Click()
{
    if (!searchBatchReady(FListOpen, hasCurrentKey(), FSelectedKeys,
                          "Lütfen 'Kayıt Bul' Düğmesine Basarak Kayıtları Listeleyiniz. Sonra Lisans Vize Yılı "
                          "İşlenecek Olan Hakem veya Antrenörleri Seçiniz ...!",
                          QStringLiteral("Lütfen Hakem veya Antrenörleri Seçiniz ...!")))
        return;
    Vizeler->showModal();
    if (Vizeler->FConfirmed != 1)
        return;
    const int year = Vizeler->Edit1->text().trimmed().toInt();
    Database& db = session().db;
    const int count = PersonBatch::countPersons(db, FSelectedKeys);
    if (!searchBatchConfirm(QStringLiteral("Seçilen %1 %2E %3 Yılı Lisans Vizesi Verilecektir. Devam Edilsinmi ...?")
                                .arg(count)
                                .arg(Vizeler->chosenCaption())
                                .arg(year)))
        return;
    const QDate today = session().today();
    PersonBatch::postVisa(db, FSelectedKeys, Vizeler->kind(), year,
                          PersonBatch::userStamp(session().user.FUserName, today), today);
    Messages::info("Lisans Vize Yılları İşlenmiştir ...!");
}

// --- Seminars ------------------------------------------------------------------------

void TMusteriGiris1::BitBtn9Click()
{
    if (!searchBatchReady(FListOpen, hasCurrentKey(), FSelectedKeys,
                          "Lütfen 'Kayıt Bul' Düğmesine Basarak Kayıtları Listeleyiniz. Sonra Seminer İşlenecek Olan "
                          "Kişileri Seçiniz ...!",
                          QStringLiteral("Lütfen Seminer İşlenecek Olan Kişileri Seçiniz ...!")))
        return;
    Seminer->showModal();
    if (Seminer->FConfirmed != 1)
        return;
    PersonBatch::Seminar seminar;
    seminar.name = Seminer->Edit1->text();
    seminar.place = Seminer->Edit2->text();
    seminar.end = Formats::strToDate(Seminer->MaskEdit1->maskedText());
    if (!Seminer->MaskEdit2->isBlank())
        seminar.start = Formats::strToDate(Seminer->MaskEdit2->maskedText());
    Database& db = session().db;
    const Records persons = PersonBatch::seminarPersons(db, FSelectedKeys, FOrderBy);
    if (!searchBatchConfirm(QStringLiteral("Seçilen %1 Kişiye Seminer İşlenecektir. Devam Edilsinmi ...?")
                                .arg(persons.size())))
        return;
    const QDate today = session().today();
    const QString stamp = PersonBatch::userStamp(session().user.FUserName, today);
    for (const Record& p : persons) {
        const int key = p.toInt("Musteri_Key");
        if (PersonBatch::hasSeminarOn(db, key, seminar.end) &&
            !searchBatchConfirm(p.str("Ad_Soyad") + " Aynı " + Seminer->Label3->text() +
                                " kaydı bulunmaktadır.\nYenisi de işlensin mi?"))
            continue;
        PersonBatch::postSeminar(db, key, seminar, stamp, today);
    }
    Messages::info("İşlem Tamamlanmıştır ...!");
}

// --- Duties --------------------------------------------------------------------------

void TMusteriGiris1::BitBtn10Click()
{
    if (!searchBatchReady(FListOpen, hasCurrentKey(), FSelectedKeys,
                          "Lütfen 'Kayıt Bul' Düğmesine Basarak Kayıtları Listeleyiniz. Sonra Turnuva İşlenecek Olan "
                          "Kişileri Seçiniz ...!",
                          QStringLiteral("Lütfen Turnuva İşlenecek Olan Kişileri Seçiniz ...!")))
        return;
    if (Edit12->text().isEmpty()) {
        Messages::info("Lütfen Aktivite'den HAKEM, ANTRENÖR veya SPORCU Seçiniz ...!");
        return;
    }
    if (Aktar1S->refuseWhileOpen())
        return;
    const QString activity = Edit12->text();
    Aktar1S->Label15->setText("Turnuva");
    Aktar1S->setWindowTitle("Lütfen Turnuva Seçiniz");
    Aktar1S->FRankingMode = 4;
    Aktar1S->CheckBox1->setVisible(false);
    Aktar1S->CheckBox2->setVisible(false);
    Aktar1S->FDutyText = activity == "HAKEM"      ? QStringLiteral("HAKEM OLARAK GÖREV YAPMIŞTIR.")
                         : activity == "ANTRENÖR" ? QStringLiteral("ANTRENÖR OLARAK GÖREV YAPMIŞTIR.")
                         : activity == "SPORCU"   ? QStringLiteral("SPORCU OLARAK KATILMIŞTIR.")
                                                  : QString();
    Aktar1S->FSelectedKeys = FSelectedKeys;
    Aktar1S->showModal();
}

// --- SMS export ----------------------------------------------------------------------

void TMusteriGiris1::BitBtn8Click()
{
    const QString notListed = "Lütfen Cep Telefonu kısmından 'KAYDI OLANLAR'ı seçerek cep telefonu kayıtlı olan "
                              "kişileri listeleyiniz ...!";
    if (!FListOpen) {
        Messages::info(notListed);
        return;
    }
    if (!hasCurrentKey()) {
        Messages::info("Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!");
        return;
    }
    if (Edit20->text().isEmpty()) {
        Messages::warning(notListed);
        return;
    }
    SmsExport::showOutcome(SmsExport::exportPersons(session().db, selection()), this, &FInPreview, true);
}
