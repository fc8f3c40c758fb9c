// Belts, titles, licences and seminars entered through the person editor's
// pick lists and buttons, for a saved person (rows at once) and a person
// not yet saved (rows at the first save).
#include "EditorFixture.h"

#include <QTabWidget>
#include <QToolButton>

namespace {

using CareerEntryTest = EditorTest;

// Fills the least a new athlete needs to be saved, through the controls.
void fillNewAthlete(EditorTest& t)
{
    typeInto(MusteriGiris2->Edit11, "veli");
    pick(MusteriGiris2->DBLookupComboBox2, "İSTANBUL");
    pick(MusteriGiris2->DBLookupComboBox4, "SPORCU");
    pick(MusteriGiris2->DBLookupComboBox8, k57);
    pick(MusteriGiris2->ComboBox2, "ERKEK");
    typeInto(MusteriGiris2->Edit38, "55");
    (void)t;
}

// --- Belts -------------------------------------------------------------------------------------

TEST_F(CareerEntryTest, ASavedPersonsBeltBecomesARowAtOnce)
{
    insertPerson(7, {{"E25", "BEYAZ KUŞAK"}});
    db.insert("STIL", {{"Stil_Key", 1}, {"Stil", "KICK"}});
    db.insert("STIL", {{"Stil_Key", 2}, {"Stil", "FULL"}});
    open(7, [&] {
        modals().expect("TBilgi_Giris", [&](QDialog*) {
            TBilgi_Giris* d = Bilgi_Giris;
            EXPECT_EQ(d->Label1->text(), "Lütfen seçmiş olduğunuz Kuşakla ilgili aşağıdaki bilgileri giriniz.");
            EXPECT_EQ(d->Label6->text(), "Stil");
            EXPECT_TRUE(d->Edit3->isReadOnly());
            EXPECT_FALSE(d->DBLookupComboBox14->isHidden());
            EXPECT_TRUE(d->Edit82->isHidden());
            typeInto(d->Edit1, "izmir");
            typeDate(d->MaskEdit1, "10.10.2008");
            typeInto(d->Edit2, "12");
            pick(d->DBLookupComboBox14, "FULL");
            click(d->BitBtn1);
        });
        pick(list("DBLookupComboBox11"), "SARI KUŞAK");
        EXPECT_EQ(editor->PageControl1->currentWidget(), editor->TabSheet2);
        EXPECT_EQ(edit("Edit25")->text(), "SARI KUŞAK");
        EXPECT_EQ(edit("Edit58")->text(), "İZMİR");
        EXPECT_EQ(date("MaskEdit7")->maskedText(), "10.10.2008");
        EXPECT_EQ(edit("Edit82")->text(), "FULL");
        EXPECT_EQ(editor->DBGrid12->rowCount(), 1);
        EXPECT_EQ(editor->FPendingBelt.KarNo, "12");
        // The dialog is put back for the titles, its place and style emptied.
        EXPECT_EQ(Bilgi_Giris->Label6->text(), "Vize Yılı");
        EXPECT_FALSE(Bilgi_Giris->Edit3->isReadOnly());
        EXPECT_TRUE(Bilgi_Giris->DBLookupComboBox14->isHidden());
        EXPECT_EQ(Bilgi_Giris->Edit1->text(), "");
        EXPECT_EQ(Bilgi_Giris->Edit3->text(), "");
        // Picking the belt shown changes nothing and opens nothing.
        pick(list("DBLookupComboBox11"), "SARI KUŞAK");
    });
    EXPECT_EQ(modals().seen().count("TBilgi_Giris"), 1);
    ASSERT_EQ(count("F_KUSAK"), 1);
    const auto row = db.first("select * from F_KUSAK");
    EXPECT_EQ(row->toInt("Musteri_Key"), 7);
    EXPECT_EQ(row->toInt("Kusak_Key"), beltKey("SARI KUŞAK"));
    EXPECT_EQ(row->str("Yer"), "İZMİR");
    EXPECT_EQ(row->str("Stil"), "FULL");
    EXPECT_EQ(row->str("KarNo"), "12");
    EXPECT_EQ(row->date("Tarih"), QDate(2008, 10, 10));
}

TEST_F(CareerEntryTest, ANewPersonsBeltWaitsForTheFirstSave)
{
    open(0, [&] {
        fillNewAthlete(*this);
        expectEntry("bursa", "", "77", "DİP-1");
        pick(list("DBLookupComboBox11"), "MAVİ KUŞAK");
        EXPECT_EQ(editor->PageControl1->currentWidget(), editor->TabSheet1) << "the page stays for a new person";
        EXPECT_EQ(count("F_KUSAK"), 0);
        EXPECT_EQ(Counters::current(db, "Sayiu"), 0);
        click(button("BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
    const auto row = db.first("select * from F_KUSAK");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Kusak_Key"), beltKey("MAVİ KUŞAK"));
    EXPECT_EQ(row->str("Yer"), "BURSA");
    EXPECT_EQ(row->str("KarNo"), "77");
    EXPECT_EQ(row->str("Dip_No_Tar"), "DİP-1");
    EXPECT_TRUE(row->isNull("Tarih") || row->str("Tarih").isEmpty());
}

TEST_F(CareerEntryTest, ACancelledBeltDialogKeepsThePickAndWritesNothing)
{
    insertPerson(7);
    open(7, [&] {
        editor->FPendingBelt = {"ÖNCE", "DAHA ÖNCE"};
        expectCancelledEntry();
        pick(list("DBLookupComboBox11"), "1.DAN");
        EXPECT_EQ(edit("Edit25")->text(), "1.DAN");
        EXPECT_EQ(edit("Edit58")->text(), "");
        EXPECT_EQ(editor->FPendingBelt.KarNo, "ÖNCE");
    });
    EXPECT_EQ(count("F_KUSAK"), 0);
}

TEST_F(CareerEntryTest, WithoutStylesTheBeltDialogHasNoStyleLine)
{
    insertPerson(7);
    open(7, [&] {
        modals().expect("TBilgi_Giris", [](QDialog*) {
            EXPECT_TRUE(Bilgi_Giris->Edit3->isHidden());
            EXPECT_TRUE(Bilgi_Giris->Label6->isHidden());
            click(Bilgi_Giris->BitBtn1);
            EXPECT_EQ(Bilgi_Giris->FCancelled, 0);
        });
        pick(list("DBLookupComboBox11"), "SARI KUŞAK");
        EXPECT_FALSE(Bilgi_Giris->Edit3->isHidden());
    });
    EXPECT_EQ(count("F_KUSAK"), 1);
}

TEST_F(CareerEntryTest, StilEkleAddsABeltRowAndLeavesTheCurrentBelt)
{
    insertPerson(7, {{"E25", "SARI KUŞAK"}, {"E58", "ANKARA"}, {"Stil", "KICK"}, {"M7", QDate(2005, 5, 5)}});
    db.insert("STIL", {{"Stil_Key", 1}, {"Stil", "KICK"}});
    db.insert("STIL", {{"Stil_Key", 2}, {"Stil", "FULL"}});
    open(7, [&] {
        modals().expect("TBilgi_Giris", [](QDialog*) {
            TBilgi_Giris* d = Bilgi_Giris;
            EXPECT_EQ(d->Label1->text(), "Lütfen Kuşak ve Stil ile ilgili aşağıdaki bilgileri giriniz.");
            EXPECT_FALSE(d->Edit82->isHidden());
            EXPECT_EQ(d->Edit3->text(), "");
            click(d->BitBtn1);
            click(d->BitBtn1);
            pick(d->DBLookupComboBox1, "YEŞİL KUŞAK");
            click(d->BitBtn1);
            pick(d->DBLookupComboBox14, "FULL");
            typeInto(d->Edit1, "van");
            click(d->BitBtn1);
        });
        click(child<QToolButton>(editor, "SpeedButton3"));
        EXPECT_EQ(ui().texts(), QStringList({"Lütfen Kuşak Seçiniz ...!", "Lütfen Kuşak Seçiniz ...!",
                                             "Lütfen Stil Seçiniz ...!"}));
        EXPECT_EQ(edit("Edit25")->text(), "SARI KUŞAK");
        EXPECT_EQ(edit("Edit58")->text(), "ANKARA");
        EXPECT_EQ(edit("Edit82")->text(), "KICK");
        EXPECT_EQ(date("MaskEdit7")->maskedText(), "05.05.2005");
        EXPECT_TRUE(Bilgi_Giris->Edit82->isHidden());
        EXPECT_EQ(editor->FAddingStyle, 0);
    });
    const auto row = db.first("select * from F_KUSAK");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Kusak_Key"), beltKey("YEŞİL KUŞAK"));
    EXPECT_EQ(row->str("Stil"), "FULL");
    EXPECT_EQ(row->str("Yer"), "VAN");
}

// --- Titles --------------------------------------------------------------------------------------

TEST_F(CareerEntryTest, ASavedPersonsCoachTitleMovesTheVisaYearsAndBecomesARow)
{
    insertPerson(7, {{"E69", 2008}, {"E79", 2007}, {"E80", 2006}});
    open(7, [&] {
        modals().expect("TBilgi_Giris", [](QDialog*) {
            TBilgi_Giris* d = Bilgi_Giris;
            EXPECT_EQ(d->Label1->text(), "2.KADEME ANTRENÖR Lisansının Verildiği Yer, Tarih, Karar Numarası ve Vize "
                                         "Yılını Giriniz.");
            EXPECT_EQ(d->Label6->text(), "Vize Yılı");
            typeInto(d->Edit1, "ankara");
            typeDate(d->MaskEdit1, "01.06.2009");
            typeInto(d->Edit2, "K/9");
            typeInto(d->Edit4, "01.07.2009 - 55");
            typeInto(d->Edit3, "2009");
            click(d->BitBtn1);
        });
        pick(list("DBLookupComboBox6"), "2.KADEME ANTRENÖR");
        EXPECT_EQ(edit("Edit52")->text(), "2.KADEME ANTRENÖR");
        EXPECT_EQ(edit("Edit56")->text(), "ANKARA");
        EXPECT_EQ(date("MaskEdit5")->maskedText(), "01.06.2009");
        EXPECT_EQ(edit("Edit69")->text(), "2009");
        EXPECT_EQ(edit("Edit79")->text(), "2008");
        EXPECT_EQ(edit("Edit80")->text(), "2007");
        EXPECT_EQ(editor->DBGrid13->rowCount(), 1);
        EXPECT_EQ(label("Label52")->palette().color(QPalette::WindowText), QColor(Qt::blue));

        // The visa year typed is offered again; the same year moves nothing.
        modals().expect("TBilgi_Giris", [](QDialog*) {
            EXPECT_EQ(Bilgi_Giris->Edit3->text(), "2009");
            EXPECT_EQ(Bilgi_Giris->Edit1->text(), "");
            click(Bilgi_Giris->BitBtn1);
        });
        pick(list("DBLookupComboBox5"), "İL HAKEMİ");
        EXPECT_EQ(edit("Edit68")->text(), "2009");
        EXPECT_EQ(edit("Edit77")->text(), "");
        click(button("BitBtn1"));
    });
    const auto row = db.first("select * from F_ANT");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Durum_Key"), titleKey("2.KADEME ANTRENÖR"));
    EXPECT_EQ(row->str("Yer"), "ANKARA");
    EXPECT_EQ(row->date("Tarih"), QDate(2009, 6, 1));
    EXPECT_EQ(row->str("KarNo"), "K/9");
    EXPECT_EQ(row->str("Dip_No_Tar"), "01.07.2009 - 55");
    EXPECT_EQ(count("F_HAKEM"), 1);
    const Record p = stored(7);
    EXPECT_EQ(p.toInt("E69"), 2009);
    EXPECT_EQ(p.toInt("E79"), 2008);
    EXPECT_EQ(p.toInt("E80"), 2007);
}

TEST_F(CareerEntryTest, ATitleHeldAlreadyIsRefusedAndTheFieldsStayAsTheyWere)
{
    insertPerson(7, {{"E52", "1.KADEME ANTRENÖR"}, {"E56", "ANKARA"}, {"M5", QDate(2001, 1, 1)}, {"E69", 2008}});
    db.insert("F_ANT", {{"Ant_Key", 3}, {"Musteri_Key", 7}, {"Durum_Key", titleKey("2.KADEME ANTRENÖR")}});
    open(7, [&] {
        expectEntry("izmir", "02.02.2009", "", "", "2010");
        pick(list("DBLookupComboBox6"), "2.KADEME ANTRENÖR");
        EXPECT_EQ(ui().texts(), QStringList({"Aynı Antrenörlük Bilgisi Kayıtlıdır. Lütfen Düzeltme ve İlavenizi Onun "
                                             "Üzerinde Yapınız ...!"}));
        EXPECT_EQ(edit("Edit52")->text(), "1.KADEME ANTRENÖR");
        EXPECT_EQ(edit("Edit56")->text(), "ANKARA");
        EXPECT_EQ(date("MaskEdit5")->maskedText(), "01.01.2001");
        EXPECT_EQ(edit("Edit69")->text(), "2008");
        EXPECT_EQ(edit("Edit79")->text(), "");
        EXPECT_EQ(editor->DBGrid13->rowCount(), 1);
    });
    EXPECT_EQ(count("F_ANT"), 1);
}

TEST_F(CareerEntryTest, ACancelledTitleDialogKeepsThePickAndWritesNothing)
{
    insertPerson(7, {{"E68", 2008}});
    open(7, [&] {
        expectCancelledEntry();
        pick(list("DBLookupComboBox5"), "ULUSAL HAKEM");
        EXPECT_EQ(edit("Edit51")->text(), "ULUSAL HAKEM");
        EXPECT_EQ(edit("Edit68")->text(), "2008");
    });
    EXPECT_EQ(count("F_HAKEM"), 0);
}

TEST_F(CareerEntryTest, ANewPersonsRefereeTitleIsWrittenByTheFirstSave)
{
    open(0, [&] {
        typeInto(edit("Edit11"), "ayşe");
        pick(list("DBLookupComboBox2"), "ANKARA");
        expectEntry("ankara", "03.03.2003", "H-1", "", "2009");
        pick(list("DBLookupComboBox5"), "ULUSAL HAKEM");
        EXPECT_EQ(count("F_HAKEM"), 0);
        EXPECT_EQ(edit("Edit68")->text(), "2009");
        click(button("BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
    const auto row = db.first("select * from F_HAKEM");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Durum_Key"), titleKey("ULUSAL HAKEM"));
    EXPECT_EQ(row->str("KarNo"), "H-1");
    EXPECT_EQ(row->date("Tarih"), QDate(2003, 3, 3));
    EXPECT_EQ(stored(1).toInt("E68"), 2009);
}

// What the title dialog takes, the save takes: a visa year refused there
// never reaches the save, and a year taken there saves.
TEST_F(CareerEntryTest, TheVisaYearTheDialogTakesIsSaved)
{
    insertPerson(7);
    open(7, [&] {
        modals().expect("TBilgi_Giris", [](QDialog*) {
            typeInto(Bilgi_Giris->Edit3, "2009-2010");
            click(Bilgi_Giris->BitBtn1);
            EXPECT_EQ(ui().lastText(), "Vize Yılını hatalı girdiniz ...!");
            Bilgi_Giris->Edit3->setText("2100");
            click(Bilgi_Giris->BitBtn1);
        });
        pick(list("DBLookupComboBox6"), "3.KADEME ANTRENÖR");
        click(button("BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
    EXPECT_EQ(stored(7).toInt("E69"), 2100);
}

// The exam import writes the title and belt fields itself: no dialog opens.
TEST_F(CareerEntryTest, TheExamImportsTitlesOpenNoDialog)
{
    editor->FBatchMode = 1;
    editor->FPersonKey = 0;
    editor->FormActivate();
    editor->setFieldText("Adi", "VELİ");
    editor->setFieldText("Vergi_Dairesi", "ANKARA");
    editor->setFieldText("E52", "1.KADEME ANTRENÖR");
    editor->setFieldText("E51", "İL HAKEMİ");
    editor->setFieldText("E25", "SARI KUŞAK");
    editor->Button1Click();
    editor->FBatchMode = 0;
    EXPECT_EQ(editor->FSaved, 1);
    EXPECT_EQ(modals().seen().count("TBilgi_Giris"), 0) << modals().seen().join(",").toStdString();
}

// --- Licences ------------------------------------------------------------------------------------

TEST_F(CareerEntryTest, AClubCannotBePickedBeforeTheRegion)
{
    open(0, [&] {
        pick(list("DBLookupComboBox1"), "KARTAL SPOR");
        EXPECT_EQ(ui().texts(), QStringList({"Lütfen Önce Sporcunun Bölgesini Seçiniz ...!"}));
        EXPECT_EQ(edit("Edit16")->text(), "");
        EXPECT_EQ(editor->focusWidget(), edit("Edit4"));
    });
    EXPECT_EQ(modals().seen().count("TBilgi_Giris_1"), 0);
}

TEST_F(CareerEntryTest, AClubOfAnotherRegionIsTakenAfterTheWarning)
{
    db.insert("C_UYELIKSURESI", {{"Durum_Key", Counters::next(db, "sayik")}, {"Durum", "SERBEST SPOR"},
                                 {"E1", "SERBEST"}});
    db.insert("C_UYELIKSURESI", {{"Durum_Key", Counters::next(db, "sayik")}, {"Durum", "FERDİ SPOR"},
                                 {"E1", "FERDİ"}});
    open(0, [&] {
        pick(list("DBLookupComboBox2"), "İSTANBUL");
        modals().expect("TBilgi_Giris_1", [](QDialog*) { click(Bilgi_Giris_1->BitBtn2); });
        pick(list("DBLookupComboBox1"), "ANKARA GÜCÜ");
        EXPECT_EQ(ui().texts(),
                  QStringList({"DİKKAT ...! Seçtiğiniz Kulübün Bölgesi ile Sporcunun Bölgesi Aynı Değildir."}));
        EXPECT_EQ(edit("Edit16")->text(), "ANKARA GÜCÜ") << "a cancelled dialog leaves the club picked";
        ui().clear();
        for (const char* club : {"SERBEST SPOR", "FERDİ SPOR", "KARTAL SPOR"}) {
            modals().expect("TBilgi_Giris_1", [](QDialog*) { click(Bilgi_Giris_1->BitBtn2); });
            pick(list("DBLookupComboBox1"), club);
        }
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    });
}

TEST_F(CareerEntryTest, ASavedPersonsLicenceIsStoredWithThePersonsRegion)
{
    insertPerson(7, {{"Vergi_Dairesi", "İZMİR"}, {"E26", "35-049-000001"}, {"E67", 2007}});
    db.insert("F_LNC", {{"Lnc_Key", 3}, {"Musteri_Key", 7}, {"Lnc_No", "35-049-000001"}, {"Klup_Key", club},
                        {"Bolge_Key", 6}, {"L_Tarih", QDate(2007, 1, 1)}, {"V_Tarih", QDate(2007, 2, 1)}});
    Counters::set(db, "Sayiu", 10);
    // Without the administrator's rights: licences come only through the dialog.
    Sifre->FIsAdmin = false;
    open(7, [&] {
        ASSERT_TRUE(editor->DBGrid1->isReadOnly());
        // The licence grid stands on a row of another region.
        editor->DBGrid1->setCurrentRow(0);
        modals().expect("TBilgi_Giris_1", [](QDialog*) {
            TBilgi_Giris_1* d = Bilgi_Giris_1;
            EXPECT_EQ(d->Edit1->text(), "35-049-000001") << "the licence number shown is offered";
            EXPECT_TRUE(d->MaskEdit1->isBlank());
            EXPECT_TRUE(d->MaskEdit2->isBlank());
            EXPECT_TRUE(d->MaskEdit3->isBlank());
            d->Edit1->setText("35-049-000002");
            typeDate(d->MaskEdit1, "01.01.2009");
            click(d->Label4);
            click(d->BitBtn1);
        });
        pick(list("DBLookupComboBox1"), "ANKARA GÜCÜ");
        EXPECT_EQ(editor->PageControl1->currentWidget(), editor->TabSheet4);
        EXPECT_EQ(editor->DBGrid1->rowCount(), 2);
        EXPECT_EQ(editor->DBGrid1->currentRow(), 1);
        EXPECT_EQ(edit("Edit26")->text(), "35-049-000002");
        EXPECT_EQ(edit("Edit67")->text(), "2009");
        EXPECT_EQ(edit("Edit107")->text(), "2007,2009");
        click(button("BitBtn1"));
    });
    Sifre->FIsAdmin = true;
    const auto row = db.first("select * from F_LNC where Lnc_Key <> 3");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Bolge_Key"), 35) << "the person's region, not the club's, nor the grid's row";
    EXPECT_EQ(row->toInt("Klup_Key"), otherClub);
    EXPECT_EQ(row->date("V_Tarih"), QDate(2009, 3, 5));
    const Record p = stored(7);
    EXPECT_EQ(p.str("E26"), "35-049-000002");
    EXPECT_EQ(p.toInt("E67"), 2009);
    EXPECT_EQ(p.str("E107"), "2007,2009");
    EXPECT_EQ(p.str("E16"), "ANKARA GÜCÜ");
}

TEST_F(CareerEntryTest, TheReservedClubGivesALicenceRowTheCheckRefuses)
{
    insertPerson(7, {{"Vergi_Dairesi", "İZMİR"}});
    open(7, [&] {
        expectLicence("35-1", "01.01.2009", "");
        pick(list("DBLookupComboBox1"), "-");
        // The reserved club belongs to no region: the warning, then the refusal.
        EXPECT_EQ(ui().texts(),
                  QStringList({"DİKKAT ...! Seçtiğiniz Kulübün Bölgesi ile Sporcunun Bölgesi Aynı Değildir.",
                               "Eksik veya hatalı giriş yaptınız ...!"}));
        EXPECT_EQ(editor->DBGrid1->state(), TDBGrid::Insert) << "the row stays for the administrator to correct";
        editor->DBGrid1->cancel();
    });
    EXPECT_EQ(count("F_LNC"), 0);
}

TEST_F(CareerEntryTest, ANewPersonsLicenceSurvivesAReturnedDialog)
{
    open(0, [&] {
        fillNewAthlete(*this);
        expectLicence("34-049-000009", "01.01.2009", "02.01.2009");
        pick(list("DBLookupComboBox1"), "KARTAL SPOR");
        EXPECT_EQ(count("F_LNC"), 0);
        // Picked again and cancelled: the licence entered stays for the save.
        modals().expect("TBilgi_Giris_1", [](QDialog*) { click(Bilgi_Giris_1->BitBtn2); });
        pick(list("DBLookupComboBox1"), "KARTAL SPOR");
        EXPECT_EQ(editor->FPendingLicence.value(0), "34-049-000009");
        click(button("BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
    const auto row = db.first("select * from F_LNC");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->str("Lnc_No"), "34-049-000009");
    EXPECT_EQ(row->toInt("Klup_Key"), club);
    EXPECT_EQ(row->toInt("Bolge_Key"), 34);
    EXPECT_EQ(row->date("V_Tarih"), QDate(2009, 1, 2));
}

TEST_F(CareerEntryTest, DeletingLicenceRowsRecomputesTheSummary)
{
    insertPerson(7, {{"E26", "B"}, {"E67", 2009}, {"E107", "2008,2009"}});
    db.insert("F_LNC", {{"Lnc_Key", 3}, {"Musteri_Key", 7}, {"Lnc_No", "A"}, {"Klup_Key", club}, {"Bolge_Key", 34},
                        {"L_Tarih", QDate(2008, 1, 1)}, {"V_Tarih", QDate(2008, 2, 1)}});
    db.insert("F_LNC", {{"Lnc_Key", 4}, {"Musteri_Key", 7}, {"Lnc_No", "B"}, {"Klup_Key", club}, {"Bolge_Key", 34},
                        {"L_Tarih", QDate(2009, 1, 1)}, {"V_Tarih", QDate(2009, 2, 1)}});
    open(7, [&] {
        editor->DBGrid1->setCurrentRow(1);
        answerQuestion(true);
        editor->MenuItem13Click();
        EXPECT_EQ(edit("Edit26")->text(), "A");
        EXPECT_EQ(edit("Edit67")->text(), "2008");
        EXPECT_EQ(edit("Edit107")->text(), "2008");
        answerQuestion(true);
        editor->MenuItem13Click();
        EXPECT_EQ(edit("Edit26")->text(), "");
        EXPECT_EQ(edit("Edit67")->text(), "");
        EXPECT_EQ(edit("Edit107")->text(), "");
    });
}

// --- Seminars ------------------------------------------------------------------------------------

TEST_F(CareerEntryTest, SeminarsEnteredThroughTheDialogMoveTheSeminarDateOnlyForward)
{
    insertPerson(7, {{"M8", QDate(2008, 5, 5)}});
    db.insert("F_SEM", {{"Sem_Key", 3}, {"Musteri_Key", 7}, {"Seminer", "ESKİ"}, {"Tarih", QDate(2008, 5, 5)}});
    open(7, [&] {
        EXPECT_EQ(editor->FModified, 0);
        auto seminar = [&](const QString& name, const QDate& end, const QDate& start) {
            modals().expect("TSeminer", [=](QDialog*) {
                TSeminer* d = Seminer;
                d->Edit1->clear();
                typeInto(d->Edit1, name);
                typeInto(d->Edit2, "ankara");
                d->DateTimePicker1->setDate(end);
                if (start.isValid())
                    d->DateTimePicker2->setDate(start);
                click(d->BitBtn1);
            });
            click(child<QToolButton>(editor, "SpeedButton6"));
        };
        seminar("daha eski", QDate(2007, 1, 1), QDate());
        EXPECT_EQ(date("MaskEdit8")->maskedText(), "05.05.2008") << "an earlier seminar leaves the date";
        EXPECT_EQ(editor->FModified, 1);
        seminar("yeni", QDate(2009, 9, 9), QDate(2009, 9, 7));
        EXPECT_EQ(date("MaskEdit8")->maskedText(), "09.09.2009");
        EXPECT_EQ(editor->DBGrid15->rowCount(), 3);
        // "İptal" writes nothing.
        modals().expect("TSeminer", [](QDialog*) { click(Seminer->BitBtn2); });
        click(child<QToolButton>(editor, "SpeedButton6"));
        EXPECT_EQ(editor->DBGrid15->rowCount(), 3);
        click(button("BitBtn1"));
    });
    EXPECT_EQ(stored(7).date("M8"), QDate(2009, 9, 9));
    const auto older = db.first("select * from F_SEM where Seminer = 'DAHA ESKİ'");
    ASSERT_TRUE(older);
    EXPECT_TRUE(older->isNull("BTar") || older->str("BTar").isEmpty()) << "no start date: an empty BTar";
    EXPECT_EQ(older->str("Yer"), "ANKARA");
    const auto newer = db.first("select * from F_SEM where Seminer = 'YENİ'");
    ASSERT_TRUE(newer);
    EXPECT_EQ(newer->date("BTar"), QDate(2009, 9, 7));
}

// --- Achievements, penalties and gyms -------------------------------------------------------------

TEST_F(CareerEntryTest, ThePenaltyStatusFollowsTheLatestPenalty)
{
    insertPerson(7, {{"E73", "ELLE YAZILMIŞ"}});
    db.insert("F_DER", {{"Der_Key", 3}, {"Musteri_Key", 7}, {"Turnuva_Key", 1}, {"Durum_Key", 1},
                        {"Tarih", QDate(2007, 1, 1)}, {"Gorev", "UYARI"}});
    db.insert("F_DER", {{"Der_Key", 4}, {"Musteri_Key", 7}, {"Turnuva_Key", 1}, {"Durum_Key", 1},
                        {"Tarih", QDate(2008, 1, 1)}, {"Gorev", "1 YIL MEN"}});
    open(7, [&] {
        TDBGrid* g = editor->DBGrid16;
        ASSERT_EQ(g->currentRecord().str("Gorev"), "1 YIL MEN") << "the newest first";
        answerQuestion(true);
        editor->MenuItem9Click();
        EXPECT_EQ(editor->Edit73->text(), "UYARI");
        answerQuestion(true);
        editor->MenuItem9Click();
        EXPECT_EQ(editor->Edit73->text(), "");
    });
}

TEST_F(CareerEntryTest, TheGymAndCoachFollowTheNewestGymRow)
{
    insertPerson(7, {{"E49", "ŞAHİN"}, {"E48", "VELİ"}});
    db.insert("F_GOR", {{"Gor_Key", 3}, {"Musteri_Key", 7}, {"Gorev", "KARTAL"}, {"Antrenor", "AHMET"}});
    db.insert("F_GOR", {{"Gor_Key", 4}, {"Musteri_Key", 7}, {"Gorev", "ŞAHİN"}, {"Antrenor", "VELİ"}});
    open(7, [&] {
        answerQuestion(true);
        editor->MenuItem11Click();
        EXPECT_EQ(editor->Edit49->text(), "KARTAL");
        EXPECT_EQ(editor->Edit48->text(), "AHMET");
        answerQuestion(true);
        editor->MenuItem11Click();
        EXPECT_EQ(editor->Edit49->text(), "");
        EXPECT_EQ(editor->Edit48->text(), "");
    });
}

} // namespace

namespace {

// The dialogs' checks in their order, reached through the editor's picks,
// for a saved person (row at once) and a person not yet saved (no row).
class DialogChecksThroughTheEditor : public EditorTest, public ::testing::WithParamInterface<bool> {
protected:
    int person() { return GetParam() ? insertPerson(7, {{"Vergi_Dairesi", "İSTANBUL"}}) : 0; }
};

TEST_P(DialogChecksThroughTheEditor, TheTitleDialog)
{
    const int key = person();
    QStringList shown;
    open(key, [&] {
        if (key == 0)
            pick(list("DBLookupComboBox2"), "İSTANBUL");
        modals().expect("TBilgi_Giris", [&](QDialog*) {
            TBilgi_Giris* d = Bilgi_Giris;
            auto tamam = [&] {
                ui().clear();
                click(d->BitBtn1);
                shown << ui().texts().join(" + ");
            };
            typeDate(d->MaskEdit1, "99.99.2000");
            typeInto(d->Edit3, "20a0");
            tamam();
            typeDate(d->MaskEdit1, "02.01.2050");
            tamam();
            typeDate(d->MaskEdit1, "01.01.1950");
            tamam();
            d->Edit3->setText("1899");
            tamam();
            d->Edit3->setText("1900");
            tamam();
            EXPECT_FALSE(d->isVisible());
        });
        pick(list("DBLookupComboBox5"), "ULUSAL HAKEM");
        EXPECT_EQ(edit("Edit68")->text(), "1900");
        EXPECT_EQ(date("MaskEdit6")->maskedText(), "01.01.1950");
    });
    const QString visa = "Vize Yılını hatalı girdiniz ...!";
    EXPECT_EQ(shown, QStringList({"Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...! + " + visa,
                                  "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...! + " + visa, visa, visa,
                                  ""}));
    EXPECT_EQ(count("F_HAKEM"), GetParam() ? 1 : 0);
}

TEST_P(DialogChecksThroughTheEditor, TheLicenceDialog)
{
    const int key = person();
    QStringList shown;
    open(key, [&] {
        if (key == 0)
            pick(list("DBLookupComboBox2"), "İSTANBUL");
        typeInto(edit("Edit26"), " 34");
        modals().expect("TBilgi_Giris_1", [&](QDialog*) {
            TBilgi_Giris_1* d = Bilgi_Giris_1;
            auto tamam = [&] {
                ui().clear();
                click(d->BitBtn1);
                shown << ui().texts().join(" + ");
            };
            EXPECT_EQ(d->Edit1->text(), " 34");
            tamam();
            d->Edit1->clear();
            tamam();
            d->Edit1->setText("34-1");
            tamam();
            typeDate(d->MaskEdit1, "02.01.2050");
            tamam();
            typeDate(d->MaskEdit1, "01.01.2050");
            typeDate(d->MaskEdit2, "29.02.2009");
            tamam();
            typeDate(d->MaskEdit2, "31.12.1949");
            tamam();
            d->MaskEdit2->clear();
            typeDate(d->MaskEdit3, "12.13.2009");
            tamam();
            typeDate(d->MaskEdit3, "31.12.1949");
            tamam();
            typeDate(d->MaskEdit3, "01.01.1950");
            tamam();
            EXPECT_FALSE(d->isVisible());
        });
        pick(list("DBLookupComboBox1"), "KARTAL SPOR");
    });
    EXPECT_EQ(shown, QStringList({"Hatalı Lisans Numarası Girdiniz ...", "Lisans Numarası Girmediniz ...!",
                                  "Boş veya Hatalı Lisans Tarihi. Lütfen Düzeltiniz ...!",
                                  "Lisans Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!",
                                  "Vize Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                                  "Vize Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!",
                                  "Transfer Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                                  "Transfer Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", ""}));
    EXPECT_EQ(count("F_LNC"), GetParam() ? 1 : 0);
}

TEST_P(DialogChecksThroughTheEditor, TheSeminarDialogOnlyForASavedPerson)
{
    const int key = person();
    QStringList shown;
    open(key, [&] {
        if (GetParam()) {
            modals().expect("TSeminer", [&](QDialog*) {
                TSeminer* d = Seminer;
                auto devam = [&] {
                    ui().clear();
                    click(d->BitBtn1);
                    shown << ui().texts().join(" + ");
                };
                d->Edit1->clear();
                devam();
                typeInto(d->Edit1, " x");
                devam();
                d->Edit1->setText("X");
                devam();
                d->DateTimePicker1->setDate(QDate(2001, 2, 3));
                devam();
            });
        }
        click(child<QToolButton>(editor, "SpeedButton6"));
        if (!GetParam())
            shown << ui().texts();
    });
    if (GetParam())
        EXPECT_EQ(shown, QStringList({"Lütfen Seminer Adı Giriniz ...!", "Seminer Adı Hatalı Girdiniz. Lütfen "
                                      "Düzeltiniz ...!",
                                      "Lütfen Bitiş Tarihini Giriniz ...!", ""}));
    else
        EXPECT_EQ(shown, QStringList({"Kayıt girebilmek için önce 'Kaydet' düğmesine basıp bilgileri kaydetmeniz "
                                      "gerekmektedir...!"}));
    EXPECT_EQ(count("F_SEM"), GetParam() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Persons, DialogChecksThroughTheEditor, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Saved" : "NotYetSaved"; });

} // namespace
