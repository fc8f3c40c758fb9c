// The weigh-in's decisions: weighing an athlete ("Listeye Ekle"), writing the
// list rows (Kaydet), the two buttons that write without the limit rule, and
// the operations on list rows.
#include "competition/MusteriGiris3.h"
#include "app/kit/WeightCategories.h"

#include "app/dialogs/Agirlik.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/kit/ReservedRows.h"
#include "platform/ui/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace {
const char* const kInBout = "Bu Sporcu Kura Listesinde Bulunduğundan İşlem Yapılamıyor ...!";
const char* const kRowGone = "Seçilen Kayıt Listede Bulunamadı. Başka Bir Bilgisayardan Silinmiş Olabilir ...!";
}

bool TMusteriGiris3::typedWeight(double& kilograms)
{
    Agirlik->showModal();
    if (Agirlik->FConfirmed != 1)
        return false;
    // Read with the separator the dialog checked it with: "65,0004" is 65.0004
    // kilograms for a Turkish user.
    double typed = 0;
    if (!TAgirlik::readsAsNumber(Agirlik->Edit1->text(), Formats::decimalSeparator(), &typed))
        return false;
    kilograms = roundWeight(typed);
    return true;
}

void TMusteriGiris3::BitBtn2Click()
{
    const bool classChange = !Edit19->text().isEmpty();

    // 1
    if (classChange && FOverrideGender != FAthleteGender) {
        Messages::warning("Sporcunun cinsiyeti Branş ile uyuşmamaktadır. Lütfen sicil kaydından düzeltiniz ...!");
        return;
    }

    // 2: the athlete is weighed in the chosen class: the person's record
    // takes it as the one class.
    if (classChange) {
        const QString weightClass = Edit19->text();
        if (FClassCount != 0
            && !askTwoLines("Sporcu " + weightClass + " Branşında tartıya alınmaktadır.!" + "\n" + "DEVAM EDİLSİNMİ...?"))
            return;
        const Record* row = classRow(weightClass);
        const double upper = row ? row->toDouble("UstKilo") : Formats::strToFloat(FOverrideMax);
        db().update("C_MUSTERI",
                    {{"E38", upper},
                     {"E53", weightClass},
                     {"E54", ""},
                     {"E55", ""},
                     {"E15", FOverrideGender},
                     {"M1", FToday()},
                     {"Kullanici", 1},
                     {"User", userStamp()}},
                    "Musteri_Key = :w_k", {{"w_k", FAthleteKey}});
        const QString liveText = Label4->text();
        const QColor liveColor = liveWeightColor();
        FKeepTeamField = 1;
        {
            auto done = qScopeGuard([this] { FKeepTeamField = 0; });
            reselect();
        }
        setLiveWeight(liveText, liveColor);
        if (FAthleteKey == 0)
            return;
    }

    // 3
    if (!classChange && FClassCount == 0) {
        if (askTwoLines("Sporcunun Branşı ve Müsabakada Katılacağı Branş Sayısı belli değildir.\nSporcu sicil "
                        "ekranında bunları girmek istermisiniz ...?"))
            openEditorAndReselect();
        return;
    }

    // 4
    bool isNumber = false;
    double w = Formats::strToFloat(Label4->text(), &isNumber);
    if (!isNumber)
        w = 0;

    // 5: no scale or no weight from it: the weight is typed, never re-weighed.
    if (FPortFailed || w == 0) {
        if (!FManualNoticeShown) {
            Messages::warning("Bilgisayara Bağlı Tartı Cihazı Bulunamadığından veya Tartıdan Kilo Bilgisi "
                              "Alınamadığından Kilo Girişleri Manuel Olarak Yapılacaktır ...!");
            FManualNoticeShown = 1;
        }
        double typed = 0;
        if (FAthleteKey != 0 && FKeptTypedKey == FAthleteKey)
            typed = FKeptTypedWeight;
        else if (!typedWeight(typed))
            return;
        FKeptTypedWeight = typed;
        FKeptTypedKey = FAthleteKey;
        FWeighedWeight = typed;
        Kaydet(insideLimits(FWeighedWeight, FWeighMin, FWeighMax) ? 1 : 0);
        return;
    }

    // 6: the scale's weight.
    FManualNoticeShown = 0;
    FWeighedWeight = roundWeight(w);
    if (insideLimits(FWeighedWeight, FWeighMin, FWeighMax)) {
        Kaydet(1);
        return;
    }
    const QString weight = Formats::floatToStr(FWeighedWeight);
    if (FMaxWeighings > 0) {
        if (FWeighCount < FMaxWeighings)
            ++FWeighCount;
        if (FWeighCount == FMaxWeighings) {
            Kaydet(0);
        } else {
            Messages::warning("Sporcunun Kilosu " + weight + " Gelmiştir. Bu Kilo ile DİSKALİFİYE Olacaktır." + "\n"
                              + "Sporcuyu Diskalifiye Etmeden Önce " + QString::number(weighCountLeft())
                              + " Defa Daha Tartıp 'Listeye Ekle' Tuşuna Basmanız Gerekmektedir ...!");
        }
        return;
    }
    if (!askTwoLines("Sporcunun Kilosu " + weight + " Gelmiştir. Bu Kilo ile DİSKALİFİYE Olacaktır." + "\n"
                     + "Diskalifiye Listesine Eklenmeden Önce Tekrar Tartmak İstermisiniz ...?"))
        Kaydet(0);
}

void TMusteriGiris3::Kaydet(int decision)
{
    // 1-2
    if (FAthleteKey == 0) {
        Messages::error("Herhangi Bir Sporcu Seçilmediğinden Listeye Kaydedemezsiniz ...!");
        return;
    }
    if (FWeighClass.isEmpty()) {
        Messages::error("Sporcunun BRANŞI Sisteme Girilmediğinden Listeye Kaydedilemedi ...!");
        return;
    }
    if (FAthleteGender.isEmpty()) {
        Messages::error("Sporcunun CİNSİYETİ Sisteme Girilmediğinden Listeye Kaydedilemedi ...!");
        return;
    }
    if (FRegisteredWeight == 0) {
        Messages::error("Sporcunun KİLOSU Sisteme Girilmediğinden Listeye Kaydedilemedi ...!");
        return;
    }
    if (Edit8->text().isEmpty()) {
        Messages::error(FGradeMode  ? "Lütfen Sporcunun Derecesini Seçiniz ...!"
                        : FTeamMode ? "Lütfen Sporcunun Takımını Seçiniz ...!"
                                    : "Lütfen Sporcunun Kulübünü Seçiniz ...!");
        return;
    }

    // 3
    double q = FWeighedWeight;
    if (FManualOverride && !typedWeight(q))
        return;

    // 4: the slots to write.
    const int count = qBound(0, FClassCount, 3);
    int first = 1;
    int last = 0;
    if (FCategoryKey == kAllCategoriesKey) {
        last = count;
    } else {
        for (int i = 1; i <= count; ++i)
            if (WeightCategories::belongsToCategory(FSlotName[i - 1], FCategoryName))
                first = last = i;
    }

    // 5
    if (first == 1 && last == 0) {
        if (askTwoLines("Sporcu " + FCategoryName + " Tartısına Katılmamaktadır." + "\n"
                        + "Sporcu Bilgilerine Branş Eklemek İstermisiniz ...?"))
            openEditorAndReselect();
        return;
    }

    // 6
    bool weightStored = false;
    for (int i = first; i <= last; ++i) {
        const QString weightClass = FSlotName[i - 1];
        // A slot whose class is not a weight class gets no row: a row
        // without a class would belong to no draw.
        if (weightClass.isEmpty())
            continue;

        // a
        int r = decision;
        if (i > 1 && !FManualOverride)
            r = insideLimits(q, FSlotMin[i - 1], FSlotMax[i - 1]) ? 1 : 0;

        // b
        if (db().first("select Liste_Key from C_LISTE where Musteri_Key = :k and Brans = :b",
                       {{"k", FAthleteKey}, {"b", weightClass}})) {
            Messages::error("Sporcu " + weightClass + " Branşında Listede KAYITLI Bulunmaktadır ...!");
            continue;
        }

        // c
        bool write = true;
        if (r == 0 && !FManualOverride && FWarnBeforeDisqualify
            && askTwoLines("Sporcu " + weightClass + " Branşında DİSKALİFİYE Edilecektir." + "\n"
                           + "Branşı Değiştirilsinmi ...?"))
            write = false;

        // d
        markSlot(i - 1);

        // e: key first, then (for an athlete without one) the back number.
        if (write) {
            const int listKey = Counters::next(db(), "sayi1");
            if (FBackNumber == 0)
                FBackNumber = Counters::next(db(), "sayi3");
            db().insert("C_LISTE", {{"Liste_Key", listKey},
                                    {"Brans", weightClass},
                                    {"Onay", r},
                                    {"Ad", FAthleteName},
                                    {"Sira", FBackNumber},
                                    {"Musteri_Key", FAthleteKey},
                                    {"Bolge", FAthleteRegion},
                                    {"BolgeK", FAthleteRegionShort},
                                    {"Klup", FTeamMode ? FAthleteClub : Edit8->text()},
                                    {"Cinsiyet", FAthleteGender},
                                    {"Kilo", FRegisteredWeight},
                                    {"TartilanKilo", q},
                                    {"Tarih", FToday()},
                                    {"Puan", r == 1 ? FParticipationPoints : 0},
                                    {"Takim", Edit8->text()}});
            SpNoBul();
        }

        // f: the registered weight, once per call.
        if (!weightStored) {
            weightStored = true;
            FKeptTypedKey = 0;
            db().update("C_MUSTERI", {{"E38", q}}, "Musteri_Key = :w_k", {{"w_k", FAthleteKey}});
            Label12->setText("Sistemde Kayıtlı Kilo : " + Formats::floatToStr(q));
            if (auto p = db().first(personSelect() + " and Musteri_Key = :k", {{"k", FAthleteKey}}))
                FPerson = *p;
            if (FSearchOpen)
                DBGrid1->locate("Musteri_Key", FAthleteKey);
        }

        // g
        openLists(weightClass, FAthleteGender);
        DBGrid2->locate("Musteri_Key", FAthleteKey);
        DBGrid3->locate("Musteri_Key", FAthleteKey);
        FWeighClass = weightClass;

        // h
        if (!write) {
            openEditorAndReselect();
            return;
        }

        // i
        if (r == 1)
            Messages::info("Sporcu " + weightClass + " Branşında KABUL Listesine Eklendi ...!");
        else
            Messages::warning("Sporcu " + weightClass + " Branşında DİSKALİFİYE Listesine Eklendi ...!");
        Edit7->setFocus();
    }
}

void TMusteriGiris3::BitBtn8Click()
{
    FManualOverride = 1;
    auto done = qScopeGuard([this] { FManualOverride = 0; });
    Kaydet(1);
}

void TMusteriGiris3::BitBtn9Click()
{
    FManualOverride = 1;
    auto done = qScopeGuard([this] { FManualOverride = 0; });
    Kaydet(0);
}

// --- Operations on list rows ---------------------------------------------------------

Record TMusteriGiris3::listRow(int list) const
{
    if (!FListsOpen)
        return Record();
    const Record row = (list == 1 ? DBGrid2 : DBGrid3)->currentRecord();
    return row.isNull("Liste_Key") ? Record() : row;
}

void TMusteriGiris3::KuraKontrol()
{
    const Record row = listRow(1);
    const QVariantMap params{{"b", row.str("Brans")}, {"s", row.toInt("Sira")}};
    const bool inBout = db().first("Select Kura_Key from C_KURA where Brans = :b and Sira1 = :s", params)
                        || db().first("Select Kura_Key from C_KURA where Brans = :b and Sira2 = :s", params);
    FNotInDraw = inBout ? 0 : 1;
    if (inBout)
        Messages::error(kInBout);
}

void TMusteriGiris3::KayitSil(int list)
{
    const Record row = listRow(list);
    if (row.isEmpty())
        return;
    // A row another station deleted meanwhile is gone all the same.
    db().exec("delete * from C_LISTE where Liste_Key = :k", {{"k", row.toInt("Liste_Key")}});
    SpNoBul();
    refreshLists();
    refreshClassBrowsing();
}

Record TMusteriGiris3::acceptedRowOutOfDraw()
{
    const Record row = listRow(1);
    if (row.isEmpty())
        return Record();
    KuraKontrol();
    return FNotInDraw == 0 ? Record() : row;
}

void TMusteriGiris3::setAcceptance(const Record& row, int accepted, int points, double weight)
{
    const int changed =
        db().update("C_LISTE", {{"Onay", accepted}, {"Puan", points}, {"TartilanKilo", weight}, {"Tarih", FToday()}},
                    "Liste_Key = :w_k", {{"w_k", row.toInt("Liste_Key")}});
    if (changed == 0)
        Messages::error(kRowGone);
    refreshLists();
    refreshClassBrowsing();
}

void TMusteriGiris3::Sil1Click()
{
    const Record row = acceptedRowOutOfDraw();
    if (row.isEmpty())
        return;
    if (ask(row.str("Ad").left(35) + " Listeden Çıkarılacaktır. Eminmisiniz ...?"))
        KayitSil(1);
}

void TMusteriGiris3::Sil2Click()
{
    const Record row = listRow(0);
    if (row.isEmpty())
        return;
    if (ask(row.str("Ad").left(35) + " Listeden Çıkarılacaktır. Eminmisiniz ...?"))
        KayitSil(0);
}

void TMusteriGiris3::DiskalifiyeEt1Click()
{
    const Record row = acceptedRowOutOfDraw();
    if (row.isEmpty())
        return;
    if (ask(row.str("Ad").left(35) + " Diskalifiye Edilecektir. Eminmisiniz ...?"))
        setAcceptance(row, 0, 0, 0.0);
}

void TMusteriGiris3::KabuleEkle1Click()
{
    const Record row = listRow(0);
    if (row.isEmpty())
        return;
    const QString weightClass = row.str("Brans");
    if (db().first("Select Kura_Key from C_KURA where Brans = :b", {{"b", weightClass}})) {
        Messages::error("Bu branşın kurası çekildiğinden değişiklik yapılamıyor ...!");
        return;
    }
    if (!ask(row.str("Ad").left(35) + " Kabul Listesine Eklenecektir. Eminmisiniz ...?"))
        return;
    const auto limits = db().first("select Durum, UstKilo from C_BRANS where Durum = :d", {{"d", weightClass}});
    const double upper = limits ? limits->toDouble("UstKilo") : 0.0;
    setAcceptance(row, 1, FParticipationPoints, upper);
}
