#include "competition/CompetitionFixture.h"

#include <QApplication>
#include <QLabel>

namespace {

const char* const kSaved = "Sporcular Müsabakaya Kaydedildi ...!";

class BoutEntryTest : public CompetitionTest {};

TEST_F(BoutEntryTest, ANewBoutTakesThreeCounterValuesAndWritesItsRow)
{
    Counters::set(db, "sayi2", 40);
    const int categoryKeyBefore = Counters::current(db, "Sayi");
    match->FExtraTimeMen = "00:01:30";

    ASSERT_EQ(enter(Bout()), 1);
    EXPECT_EQ(ui().texts(), QStringList{kSaved});
    EXPECT_EQ(Kura_Kayit->FSavedCategory, "57 KG ERKEK BÜYÜKLER");
    EXPECT_EQ(Kura_Kayit->ComboBox4->currentText(), "ERKEK");
    EXPECT_FALSE(Kura_Kayit->isVisible());

    EXPECT_EQ(Counters::current(db, "sayi2"), 43);
    const Record r = boutRow(41);
    EXPECT_EQ(r.str("Brans"), "57 KG ERKEK BÜYÜKLER");
    EXPECT_EQ(r.str("Cinsiyet"), "ERKEK");
    EXPECT_EQ(r.str("Ad1"), "ALİ YILMAZ");
    EXPECT_EQ(r.str("Bolge1"), "ANKARA");
    EXPECT_EQ(r.str("Klup1"), "GÜCÜ SK");
    EXPECT_EQ(r.str("Tip1"), "AD");
    EXPECT_EQ(r.toInt("Sira1"), 42);
    EXPECT_EQ(r.str("Ad2"), "VELİ KAYA");
    EXPECT_EQ(r.str("Bolge2"), "İZMİR");
    EXPECT_EQ(r.str("Klup2"), "");
    EXPECT_EQ(r.str("Tip2"), "AD");
    EXPECT_EQ(r.toInt("Sira2"), 43);
    EXPECT_EQ(r.str("Grup"), "A");
    EXPECT_EQ(r.str("Tur"), "Final");
    EXPECT_EQ(r.str("Sira"), "1");
    EXPECT_EQ(r.date("Tarih"), kEntryDay);
    for (const char* c : {"Salon", "Galip", "Tar_Saat", "Skor", "Hakem", "H1", "H2", "H3", "R1", "R2", "R3", "R4",
                          "Karar"})
        EXPECT_EQ(r.str(c), "") << c;
    for (const char* c : {"Derece1", "Derece2", "Tur_Key1", "Tur_Key2"})
        EXPECT_TRUE(r.isNull(c)) << c;
    // The scoring columns the bout opening needs are filled.
    for (const char* c : {"Puan1", "Puan2", "Foul1", "Foul2", "H1K", "H2K", "H3K", "H1M", "H2M", "H3M", "C1K", "C2K",
                          "C3K", "C1M", "C2M", "C3M"}) {
        EXPECT_FALSE(r.isNull(c)) << c;
        EXPECT_EQ(r.toInt(c), 0) << c;
    }
    EXPECT_EQ(r.str("Raunt"), "1");
    EXPECT_EQ(r.str("Raunt_Say"), "3") << "the match screen's round count";
    EXPECT_EQ(r.str("d_time"), "00:02:00") << "the men's duration, filled when the gender was chosen";
    EXPECT_EQ(r.str("n_time"), "00:02:00") << "a new bout's clock starts at its duration";
    EXPECT_EQ(r.str("ex_time"), "00:01:30");

    // The category was missing: it is created with the composed name.
    const auto category = db.first("select * from C_BRANS where Durum = :d", {{"d", "57 KG ERKEK BÜYÜKLER"}});
    ASSERT_TRUE(category.has_value());
    EXPECT_EQ(category->toInt("Durum_Key"), categoryKeyBefore + 1);
    EXPECT_EQ(Counters::current(db, "Sayi"), categoryKeyBefore + 1);
    EXPECT_DOUBLE_EQ(category->toDouble("Kilo"), 57.0);
    EXPECT_DOUBLE_EQ(category->toDouble("AltKilo"), 57.0);
    EXPECT_DOUBLE_EQ(category->toDouble("UstKilo"), 57.0);
    EXPECT_EQ(category->str("E_B"), "E");
}

TEST_F(BoutEntryTest, ASeriesOfOneCategoryKeepsItsFieldsAndCreatesTheCategoryOnce)
{
    Bout first;
    first.weight = "63,5";
    first.gender = "BAYAN";
    first.category = "GENÇLER";
    match->FMatchTimeWomen = "00:01:30";
    ASSERT_EQ(enter(first), 1);
    EXPECT_EQ(Kura_Kayit->FSavedCategory, "63,5 KG BAYAN GENÇLER");

    // The second showing keeps weight, gender, category, rounds and duration
    // and clears both corners.
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), "63,5");
        EXPECT_EQ(child<QComboBox>(d, "ComboBox4")->currentText(), "BAYAN");
        EXPECT_EQ(child<QLineEdit>(d, "Edit7")->text(), "GENÇLER");
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit2")->text(), "01:30");
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit1")->text(), "3");
        for (const char* corner : {"Edit3", "Edit1", "Edit4", "Edit5", "Edit2", "Edit6"})
            EXPECT_EQ(child<QLineEdit>(d, corner)->text(), "") << corner;
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit3")->text(), "1");
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit4")->text(), "01:30");
        child<QLineEdit>(d, "Edit3")->setText("AYŞE DEMİR");
        pick(child<QComboBox>(d, "DBLookupComboBox1"), "BURSA");
        child<QLineEdit>(d, "Edit5")->setText("FATMA ÇELİK");
        pick(child<QComboBox>(d, "DBLookupComboBox2"), "BURSA");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    Kura_Kayit->showModal();
    ASSERT_EQ(Kura_Kayit->FSaved, 1);

    EXPECT_EQ(db.scalar("select count(*) from C_BRANS where Durum = :d", {{"d", "63,5 KG BAYAN GENÇLER"}}).toInt(), 1);
    const Records bouts =
        db.select("select * from C_KURA where Brans = :b order by Kura_Key", {{"b", "63,5 KG BAYAN GENÇLER"}});
    ASSERT_EQ(bouts.size(), 2);
    EXPECT_EQ(bouts[1].str("d_time"), "00:01:30");
    EXPECT_EQ(bouts[1].str("Bolge1"), "BURSA") << "one region may stand on both sides";
    EXPECT_EQ(bouts[1].toInt("Kura_Key"), bouts[0].toInt("Kura_Key") + 3);
}

TEST_F(BoutEntryTest, ChangingAHandEnteredBoutKeepsItInItsCategory)
{
    Bout b;
    b.weight = "-57";
    b.gender = "BAYAN";
    ASSERT_EQ(enter(b), 1);
    const QString category = "-57 KG BAYAN BÜYÜKLER";
    ASSERT_EQ(Kura_Kayit->FSavedCategory, category);
    const auto row = db.first("select * from C_BRANS where Durum = :d", {{"d", category}});
    ASSERT_TRUE(row.has_value());
    EXPECT_DOUBLE_EQ(row->toDouble("Kilo"), 57.0) << "the category row holds the weight without its sign";
    const int key = Counters::current(db, "sayi2") - 2;
    const int categories = count("C_BRANS");

    // Live scoring has been under way.
    db.update("C_KURA", {{"Puan1", 2}, {"H1M", 4}, {"R1", "4;3;0;0;0;0;0;0;0;0;0;0"}}, "Kura_Key = :w_k", {{"w_k", key}});

    ui().clear();
    change(key, [&](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), "-57") << "the weight as it stands in the category";
        EXPECT_EQ(child<QComboBox>(d, "ComboBox4")->currentText(), "BAYAN");
        EXPECT_EQ(child<QLineEdit>(d, "Edit7")->text(), "BÜYÜKLER");
        EXPECT_EQ(child<QLineEdit>(d, "Edit3")->text(), "ALİ YILMAZ");
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit4")->text(), "02:00");
        EXPECT_TRUE(child<QLineEdit>(d, "MaskEdit3")->isEnabled());
        child<QLineEdit>(d, "Edit3")->setText("ALİ YILDIZ");
        child<QLineEdit>(d, "MaskEdit3")->setText("2");
        child<QLineEdit>(d, "MaskEdit4")->setText("01:15");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    EXPECT_EQ(Kura_Kayit->FSaved, 1);
    EXPECT_EQ(ui().texts(), QStringList{kSaved});
    EXPECT_EQ(Kura_Kayit->FSavedCategory, category);
    EXPECT_EQ(count("C_BRANS"), categories) << "no other category was made";

    const Record r = boutRow(key);
    EXPECT_EQ(r.str("Brans"), category);
    EXPECT_EQ(r.str("Ad1"), "ALİ YILDIZ");
    EXPECT_EQ(r.str("Raunt"), "2");
    EXPECT_EQ(r.str("n_time"), "00:01:15");
    EXPECT_EQ(r.str("d_time"), "00:02:00");
    // Keys, numbers and scores stay.
    EXPECT_EQ(r.toInt("Sira1"), key + 1);
    EXPECT_EQ(r.toInt("Sira2"), key + 2);
    EXPECT_EQ(r.toInt("Puan1"), 2);
    EXPECT_EQ(r.toInt("H1M"), 4);
    EXPECT_EQ(r.str("R1"), "4;3;0;0;0;0;0;0;0;0;0;0");
    EXPECT_EQ(r.str("Tur"), "Final");
    EXPECT_FALSE(Kura_Kayit->MaskEdit3->isEnabled()) << "disabled again after the change";
}

TEST_F(BoutEntryTest, AChangeRewritesOnlyItsColumnsAndDatesTheBoutToday)
{
    ASSERT_EQ(enter(Bout()), 1);
    const int key = Counters::current(db, "sayi2") - 2;
    db.update("C_KURA", {{"Tarih", QDate(2020, 1, 2)}, {"Galip", "7"}, {"Salon", "X"}, {"Skor", "1005"}},
              "Kura_Key = :w_k", {{"w_k", key}});
    const Record before = boutRow(key);
    Kura_Kayit->today = [] { return QDate(2024, 6, 1); };
    change(key, [](QDialog* d) {
        child<QLineEdit>(d, "Edit6")->setText("YENİ KULÜP");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    const Record after = boutRow(key);
    for (const QString& f : before.fieldNames()) {
        if (f == "Tarih" || f == "Klup2")
            continue;
        EXPECT_EQ(after.value(f), before.value(f)) << f.toStdString();
    }
    EXPECT_EQ(after.str("Klup2"), "YENİ KULÜP");
    EXPECT_EQ(after.date("Tarih"), QDate(2024, 6, 1));
}

TEST_F(BoutEntryTest, ABoutWithoutItsCategoryRowOpensWithoutWeightAndGenderAndSavesItsCategoryAgain)
{
    ASSERT_EQ(enter(Bout()), 1);
    const int key = Counters::current(db, "sayi2") - 2;
    db.exec("delete * from C_BRANS where Durum = :d", {{"d", "57 KG ERKEK BÜYÜKLER"}});
    ui().clear();
    change(key, [](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), "");
        EXPECT_EQ(child<QComboBox>(d, "ComboBox4")->currentIndex(), -1);
        EXPECT_EQ(child<QLineEdit>(d, "Edit7")->text(), "BÜYÜKLER");
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Kilo Girmediniz ...!");
        child<QLineEdit>(d, "Edit9")->setText("60");
        pick(child<QComboBox>(d, "ComboBox4"), "ERKEK");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    EXPECT_EQ(Kura_Kayit->FSaved, 1);
    EXPECT_EQ(boutRow(key).str("Brans"), "60 KG ERKEK BÜYÜKLER");
    EXPECT_EQ(db.scalar("select count(*) from C_BRANS where Durum = :d", {{"d", "60 KG ERKEK BÜYÜKLER"}}).toInt(), 1);
}

TEST_F(BoutEntryTest, ClosingWritesNothing)
{
    const int sayi2 = Counters::current(db, "sayi2");
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [](QDialog* d) {
        fill(d, Bout());
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Kura_Kayit->showModal();
    EXPECT_EQ(Kura_Kayit->FSaved, 0);
    EXPECT_EQ(count("C_KURA"), 0);
    EXPECT_EQ(Counters::current(db, "sayi2"), sayi2);
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(BoutEntryTest, TheGenderFillsTheDurationOnlyWhileItReadsZero)
{
    match->FMatchTimeMen = "00:03:00";
    match->FMatchTimeWomen = "00:01:45";
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [](QDialog* d) {
        auto* duration = child<QLineEdit>(d, "MaskEdit2");
        EXPECT_EQ(duration->text(), "00:00");
        pick(child<QComboBox>(d, "ComboBox4"), "BAYAN");
        EXPECT_EQ(duration->text(), "01:45");
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit4")->text(), "01:45") << "a new bout's remaining time follows";
        pick(child<QComboBox>(d, "ComboBox4"), "ERKEK");
        EXPECT_EQ(duration->text(), "01:45") << "a duration already there is kept";
        duration->setText("00:00");
        pick(child<QComboBox>(d, "ComboBox4"), "ERKEK");
        EXPECT_EQ(duration->text(), "03:00");
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Kura_Kayit->showModal();
}

TEST_F(BoutEntryTest, KnownNamesAreOneSortedListOnBothSides)
{
    for (const auto& [a1, a2] : {std::pair{"ZEKİ", "ÇAĞLA"}, std::pair{"ÇAĞLA", "ALİ"}, std::pair{"ŞULE", "CEM"}}) {
        const int key = Counters::next(db, "sayi2");
        db.insert("C_KURA", {{"Kura_Key", key}, {"Ad1", a1}, {"Ad2", a2}});
    }
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [](QDialog* d) {
        for (const char* name : {"ComboBox1", "ComboBox2"}) {
            auto* list = child<QComboBox>(d, name);
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            EXPECT_EQ(items, (QStringList{"ALİ", "CEM", "ÇAĞLA", "ŞULE", "ZEKİ"})) << name;
        }
        QApplication::setActiveWindow(d);
        pick(child<QComboBox>(d, "ComboBox2"), "ŞULE");
        EXPECT_EQ(child<QLineEdit>(d, "Edit5")->text(), "ŞULE");
        EXPECT_TRUE(child<QLineEdit>(d, "Edit5")->hasFocus());
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Kura_Kayit->showModal();
}

TEST_F(BoutEntryTest, WithOneRegionBothRegionBoxesStartFilled)
{
    db.exec("delete * from C_UYELIKTURU where Durum <> 'ANKARA'");
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "Edit1")->text(), "ANKARA");
        EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "ANKARA");
        EXPECT_TRUE(child<QLineEdit>(d, "Edit1")->isReadOnly());
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Kura_Kayit->showModal();
}

TEST_F(BoutEntryTest, NamesAndClubsAreTypedInTurkishCapitals)
{
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [](QDialog* d) {
        for (const char* field : {"Edit3", "Edit4", "Edit5", "Edit6"}) {
            auto* e = child<QLineEdit>(d, field);
            typeInto(e, "ilk ışık");
            EXPECT_EQ(e->text(), "İLK IŞIK") << field;
        }
        auto* weight = child<QLineEdit>(d, "Edit9");
        weight->clear();
        typeInto(weight, "5a");
        EXPECT_EQ(weight->text(), "5a") << "the weight has no filter";
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Kura_Kayit->showModal();
}

// --- Refusals ---------------------------------------------------------------

struct Refusal {
    const char* name;
    bool change;                                    // a change of an existing bout
    std::function<void(QDialog*)> spoil;            // after the valid fields are filled
    const char* message;
    bool errorBox;
    const char* focus;                              // "" for none
};

class BoutEntryRefusals : public BoutEntryTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(BoutEntryRefusals, ShowTheirMessageAndWriteNothing)
{
    const Refusal& c = GetParam();
    int key = 0;
    if (c.change) {
        ASSERT_EQ(enter(Bout()), 1);
        key = Counters::current(db, "sayi2") - 2;
    }
    const int bouts = count("C_KURA");
    const int categories = count("C_BRANS");
    const int sayi2 = Counters::current(db, "sayi2");
    const Record before = c.change ? boutRow(key) : Record();
    ui().clear();

    auto script = [&](QDialog* d) {
        QApplication::setActiveWindow(d);
        if (!c.change)
            fill(d, Bout());
        c.spoil(d);
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
        ASSERT_EQ(ui().requests.size(), 1);
        EXPECT_EQ(ui().requests[0].text.toStdString(), c.message);
        EXPECT_EQ(ui().requests[0].kind, c.errorBox ? UiRequest::Error : UiRequest::Info);
        if (*c.focus) {
            EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(d, c.focus));
        }
        click(child<QPushButton>(d, "BitBtn2"));
    };
    if (c.change) {
        change(key, script);
    } else {
        Kura_Kayit->FBoutKey = 0;
        modals().expect("TKura_Kayit", script);
        Kura_Kayit->showModal();
    }
    EXPECT_EQ(Kura_Kayit->FSaved, 0);
    EXPECT_EQ(count("C_KURA"), bouts);
    EXPECT_EQ(count("C_BRANS"), categories);
    EXPECT_EQ(Counters::current(db, "sayi2"), sayi2);
    if (c.change) {
        EXPECT_EQ(boutRow(key).values(), before.values());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, BoutEntryRefusals,
    ::testing::Values(
        Refusal{"NoWeight", false, [](QDialog* d) { setText(d, "Edit9", ""); }, "Kilo Girmediniz ...!", true, "Edit9"},
        Refusal{"WeightNoNumber", false, [](QDialog* d) { setText(d, "Edit9", "57.5"); },
                "Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)", true,
                "Edit9"},
        Refusal{"NoGender", false, [](QDialog* d) { child<QComboBox>(d, "ComboBox4")->setCurrentIndex(-1); },
                "Erkek/Bayan Seçimini Yapmadınız ...!", true, ""},
        Refusal{"NoCategory", false, [](QDialog* d) { setText(d, "Edit7", ""); }, "Kategori Seçmediniz ...!", true,
                "Edit7"},
        Refusal{"CategoryLeadingBlank", false, [](QDialog* d) { setText(d, "Edit7", " BÜYÜKLER"); },
                "Hatalı Kategori ...!", false, "Edit7"},
        Refusal{"NoBlueName", false, [](QDialog* d) { setText(d, "Edit3", ""); },
                "Mavi Köşe Sporcu Adı Soyadını Girmediniz ...!", true, "Edit3"},
        Refusal{"BlueLeadingBlank", false, [](QDialog* d) { setText(d, "Edit3", " ALİ"); },
                "Mavi Köşe Sporcu Adını Hatalı Girdiniz. Başta Boşluk var ...!", true, "Edit3"},
        Refusal{"BlueTrailingBlank", false, [](QDialog* d) { setText(d, "Edit3", "ALİ "); },
                "Mavi Köşe Sporcu Adını Hatalı Girdiniz. Sonda Boşluk var ...!", true, "Edit3"},
        Refusal{"NoBlueRegion", false, [](QDialog* d) { setText(d, "Edit1", ""); },
                "Mavi Köşe Bölgesini Seçmediniz ...!", true, "Edit1"},
        Refusal{"NoRedName", false, [](QDialog* d) { setText(d, "Edit5", ""); },
                "Kırmızı Köşe Sporcu Adı Soyadını Girmediniz ...!", true, "Edit5"},
        Refusal{"RedLeadingBlank", false, [](QDialog* d) { setText(d, "Edit5", " VELİ"); },
                "Kırmızı Köşe Sporcu Adını Hatalı Girdiniz. Başta Boşluk var ...!", true, "Edit5"},
        Refusal{"RedTrailingBlank", false, [](QDialog* d) { setText(d, "Edit5", "VELİ "); },
                "Kırmızı Köşe Sporcu Adını Hatalı Girdiniz. Sonda Boşluk var ...!", true, "Edit5"},
        Refusal{"NoRedRegion", false, [](QDialog* d) { setText(d, "Edit2", ""); },
                "Kırmızı Köşe Bölgesini Seçmediniz ...!", true, "Edit2"},
        Refusal{"ZeroRounds", false, [](QDialog* d) { setText(d, "MaskEdit1", "0"); },
                "Toplam Round Sıfır Girdiniz ...!", false, "MaskEdit1"},
        Refusal{"NoRounds", false, [](QDialog* d) { setText(d, "MaskEdit1", ""); },
                "Toplam Round Hatalı Girdiniz ...!", false, "MaskEdit1"},
        Refusal{"DurationFirstDigitBlank", false,
                [](QDialog* d) { typeMasked(child<QLineEdit>(d, "MaskEdit2"), "200", 1); }, kFormat,
                false, "MaskEdit2"},
        Refusal{"DurationSecondMinuteDigitBlank", false,
                [](QDialog* d) { typeOver(child<QLineEdit>(d, "MaskEdit2"), "02:00", 2, "2"); }, kFormat, false,
                "MaskEdit2"},
        Refusal{"DurationSixtyMinutes", false, [](QDialog* d) { setText(d, "MaskEdit2", "60:00"); }, kWrongTime, false,
                "MaskEdit2"},
        Refusal{"DurationSixtySeconds", false, [](QDialog* d) { setText(d, "MaskEdit2", "01:60"); }, kWrongTime, false,
                "MaskEdit2"},
        Refusal{"CurrentRoundZero", true, [](QDialog* d) { setText(d, "MaskEdit3", "0"); },
                "Şuanki Round Sıfır Girdiniz ...!", false, "MaskEdit3"},
        Refusal{"RemainingFirstDigitBlank", true,
                [](QDialog* d) { typeMasked(child<QLineEdit>(d, "MaskEdit4"), "100", 1); }, kFormat,
                false, "MaskEdit4"},
        Refusal{"RemainingNoTime", true, [](QDialog* d) { setText(d, "MaskEdit4", "00:99"); }, kWrongTime, false,
                "MaskEdit4"},
        Refusal{"RemainingAboveDuration", true, [](QDialog* d) { setText(d, "MaskEdit4", "02:01"); },
                "Kalan Süre Maç Süresi'den büyük. Lütfen değiştiriniz ...!", false, "MaskEdit4"},
        Refusal{"CurrentRoundAboveRounds", true, [](QDialog* d) { setText(d, "MaskEdit3", "4"); },
                "Şuanki Round Toplam Round'den büyük. Lütfen değiştiriniz ...!", false, "MaskEdit3"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(BoutEntryTest, LimitsThatPass)
{
    ASSERT_EQ(enter(Bout()), 1);
    const int key = Counters::current(db, "sayi2") - 2;
    // Remaining time equal to the duration and current round equal to the
    // rounds are accepted; so are 59:59.
    change(key, [](QDialog* d) {
        setText(d, "MaskEdit2", "59:59");
        setText(d, "MaskEdit4", "59:59");
        setText(d, "MaskEdit1", "3");
        setText(d, "MaskEdit3", "3");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    EXPECT_EQ(Kura_Kayit->FSaved, 1);
    EXPECT_EQ(boutRow(key).str("d_time"), "00:59:59");
    EXPECT_EQ(boutRow(key).str("Raunt"), "3");
}

TEST_F(BoutEntryTest, ForANewBoutTheRemainingTimeFollowsTheDuration)
{
    Bout b;
    Kura_Kayit->FBoutKey = 0;
    modals().expect("TKura_Kayit", [&](QDialog* d) {
        fill(d, b);
        setText(d, "MaskEdit2", "00:00");
        typeMasked(child<QLineEdit>(d, "MaskEdit2"), "0130");
        EXPECT_EQ(child<QLineEdit>(d, "MaskEdit4")->text(), "01:30");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    Kura_Kayit->showModal();
    ASSERT_EQ(Kura_Kayit->FSaved, 1);
    const Record r = boutRow(Counters::current(db, "sayi2") - 2);
    EXPECT_EQ(r.str("n_time"), "00:01:30");
    EXPECT_EQ(r.str("d_time"), "00:01:30");
}

} // namespace
