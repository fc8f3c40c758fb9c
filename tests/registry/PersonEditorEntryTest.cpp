// The person editor driven as the clerk drives it: typing into its named
// fields and picking in its lists, with the entry dialogs answered through
// their own controls.
#include "EditorFixture.h"

#include "app/Main.h"
#include "platform/shell/Shell.h"
#include "registry/PersonRecordSheet.h"
#include "reports/Baslik2.h"
#include "reports/PrintMenu1S.h"

#include <QTabWidget>
#include <QToolButton>

namespace {

using PersonEditorTest = EditorTest;

TEST_F(PersonEditorTest, AClerkRegistersANewAthleteThroughTheWindowsAlone)
{
    open(0, [&] {
        typeInto(edit("Edit11"), "ali rıza");
        typeInto(edit("Edit12"), "yılmaz");
        pick(list("DBLookupComboBox2"), "İSTANBUL");
        pick(list("DBLookupComboBox4"), "SPORCU");
        pick(list("DBLookupComboBox8"), k57);
        pick(list("ComboBox2"), "ERKEK");
        pick(list("ComboBox3"), "1");
        typeInto(edit("Edit38"), "56,5");
        typeDate(date("MaskEdit3"), "12.04.1990");
        typeInto(edit("Edit42"), "10000000146");
        expectEntry("ankara", "01.02.2008", "k-12", "2008/44");
        pick(list("DBLookupComboBox11"), "SARI KUŞAK");
        expectLicence("34-049-000001", "02.02.2008", "03.03.2009", "mehmet");
        pick(list("DBLookupComboBox1"), "KARTAL SPOR");
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
        click(button("BitBtn1"));
        EXPECT_EQ(ui().texts(), QStringList({"Bilgiler Kaydedildi ...!"}));
        EXPECT_EQ(editor->FPersonKey, 1);
        EXPECT_EQ(edit("Edit5")->text(), "0000001");
        EXPECT_EQ(editor->DBGrid12->rowCount(), 1) << "the grids show the first rows";
        EXPECT_EQ(editor->DBGrid1->rowCount(), 1);
    });
    const Record p = stored(1);
    EXPECT_EQ(p.str("Ad_Soyad"), "ALİ RIZA YILMAZ");
    EXPECT_EQ(p.str("Vergi_Dairesi"), "İSTANBUL");
    EXPECT_EQ(p.str("E50"), "SPORCU");
    EXPECT_EQ(p.str("E53"), k57);
    EXPECT_EQ(p.str("E15"), "ERKEK");
    EXPECT_EQ(p.toInt("Kullanici"), 1);
    EXPECT_DOUBLE_EQ(p.toDouble("E38"), 56.5);
    EXPECT_EQ(p.date("M3"), QDate(1990, 4, 12));
    EXPECT_EQ(p.str("E25"), "SARI KUŞAK");
    EXPECT_EQ(p.str("E58"), "ANKARA");
    EXPECT_EQ(p.date("M7"), QDate(2008, 2, 1));
    EXPECT_EQ(p.str("E16"), "KARTAL SPOR");
    EXPECT_EQ(p.toInt("Client_Key"), club);
    EXPECT_EQ(p.str("Vergi_Numarasi"), "0000001");

    const auto belt = db.first("select * from F_KUSAK where Musteri_Key = 1");
    ASSERT_TRUE(belt);
    EXPECT_EQ(belt->toInt("Kusak_Key"), beltKey("SARI KUŞAK"));
    EXPECT_EQ(belt->str("Yer"), "ANKARA");
    EXPECT_EQ(belt->date("Tarih"), QDate(2008, 2, 1));
    EXPECT_EQ(belt->str("KarNo"), "K-12");
    EXPECT_EQ(belt->str("Dip_No_Tar"), "2008/44");
    const auto lnc = db.first("select * from F_LNC where Musteri_Key = 1");
    ASSERT_TRUE(lnc);
    EXPECT_EQ(lnc->str("Lnc_No"), "34-049-000001");
    EXPECT_EQ(lnc->toInt("Klup_Key"), club);
    EXPECT_EQ(lnc->toInt("Bolge_Key"), 34);
    EXPECT_EQ(lnc->date("L_Tarih"), QDate(2008, 2, 2));
    EXPECT_EQ(lnc->date("V_Tarih"), QDate(2009, 3, 3));
    EXPECT_TRUE(lnc->isNull("T_Tarih") || lnc->str("T_Tarih").isEmpty());
    EXPECT_EQ(lnc->str("Kategori"), "MEHMET");
    // The belt row first, then the licence: consecutive keys.
    EXPECT_EQ(lnc->toInt("Lnc_Key"), belt->toInt("Kus_Key") + 1);
}

// --- Pick lists fill the read-only fields ------------------------------------------------

TEST_F(PersonEditorTest, PicksFillTheReadOnlyFieldsAndColourTheirCaptions)
{
    open(0, [&] {
        EXPECT_TRUE(edit("Edit50")->isReadOnly());
        pick(list("DBLookupComboBox4"), "SPORCU");
        EXPECT_EQ(edit("Edit50")->text(), "SPORCU");
        EXPECT_EQ(editor->focusWidget(), edit("Edit50"));
        EXPECT_EQ(label("Label50")->palette().color(QPalette::WindowText), QColor(Qt::blue));
        // An athlete without a category gets the first of the list.
        EXPECT_EQ(edit("Edit53")->text(), "-");
        pick(list("DBLookupComboBox8"), k63);
        pick(list("DBLookupComboBox4"), "SPORCU");
        EXPECT_EQ(edit("Edit53")->text(), k63) << "a category set stays";
        pick(list("DBLookupComboBox9"), k57);
        pick(list("DBLookupComboBox10"), "-");
        EXPECT_EQ(edit("Edit54")->text(), k57);
        EXPECT_EQ(edit("Edit55")->text(), "-");
        pick(list("DBLookupComboBox7"), "İL TEMSİLCİSİ");
        EXPECT_EQ(edit("Edit43")->text(), "İL TEMSİLCİSİ");
        pick(list("DBLookupComboBox13"), "YÖNETİM KURULU ÜYESİ");
        EXPECT_EQ(edit("Edit13")->text(), "YÖNETİM KURULU ÜYESİ");
        // The gender list's entry already shown is taken too.
        ASSERT_EQ(list("ComboBox2")->currentText(), "BAYAN");
        pick(list("ComboBox2"), "BAYAN");
        EXPECT_EQ(edit("Edit15")->text(), "BAYAN");
        pick(list("ComboBox1"), "EVLİ");
        EXPECT_EQ(edit("Edit18")->text(), "EVLİ");
        // The kind lists show no row with key 1 or less.
        EXPECT_EQ(list("DBLookupComboBox4")->count(), 1);
        // Picking from the search screen leaves participation and weight.
        EXPECT_EQ(list("ComboBox3")->currentText(), "YARIŞMAYACAK");
        EXPECT_EQ(edit("Edit38")->text(), "");
        EXPECT_EQ(editor->FModified, 1);
    });
}

TEST_F(PersonEditorTest, ACategoryPickedAtTheWeighInSetsParticipationAndWeight)
{
    editor->FPersonKey = 0;
    editor->FFromWeighIn = 1;
    modals().expect("TMusteriGiris2", [&](QDialog* d) {
        pick(list("DBLookupComboBox8"), k63);
        EXPECT_EQ(list("ComboBox3")->currentText(), "1");
        EXPECT_EQ(edit("Edit38")->text(), "63");
        editor->FModified = 0;
        d->reject();
    });
    editor->showModal();
    editor->FFromWeighIn = 0;
}

struct CaptionCase {
    const char* caption;
    QStringList fields;
};

class CaptionClicks : public EditorTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionClicks, EmptyTheirFields)
{
    insertPerson(7, {{"E50", "SPORCU"}, {"E52", "1.KADEME ANTRENÖR"}, {"E56", "ANKARA"}, {"M5", QDate(2001, 1, 1)},
                     {"E51", "İL HAKEMİ"}, {"E57", "İZMİR"}, {"M6", QDate(2002, 2, 2)}, {"E25", "SARI KUŞAK"},
                     {"E58", "BURSA"}, {"M7", QDate(2003, 3, 3)}, {"Stil", "KICK"}, {"E53", k57}, {"E54", k63},
                     {"E55", "-"}, {"E15", "ERKEK"}, {"E18", "BEKAR"}, {"E38", 56.0}, {"DosyaNo", "D-1"}});
    const QStringList all = {"Edit50", "Edit43", "Edit52", "Edit56", "MaskEdit5", "Edit51", "Edit57", "MaskEdit6",
                             "Edit25", "Edit58", "Edit82", "MaskEdit7", "Edit53", "Edit54", "Edit55", "Edit15",
                             "Edit18", "Edit38", "Edit20"};
    open(7, [&] {
        QHash<QString, QString> before;
        for (const QString& f : all)
            before[f] = edit(f)->displayText();
        click(label(GetParam().caption));
        for (const QString& f : all) {
            const bool emptied = GetParam().fields.contains(f);
            const QString now = edit(f)->displayText();
            if (emptied)
                EXPECT_TRUE(now.isEmpty() || now == kBlankDate) << f.toStdString();
            else
                EXPECT_EQ(now, before[f]) << f.toStdString();
        }
        EXPECT_EQ(editor->FModified, 1);
    });
    EXPECT_EQ(modals().seen().count("TBilgi_Giris"), 0) << "an emptied belt or title opens no dialog";
    EXPECT_EQ(count("F_KUSAK") + count("F_ANT") + count("F_HAKEM"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionClicks,
    ::testing::Values(CaptionCase{"Label50", {"Edit50"}}, CaptionCase{"Label43", {"Edit43"}},
                      CaptionCase{"Label52", {"Edit52", "Edit56", "MaskEdit5"}},
                      CaptionCase{"Label51", {"Edit51", "Edit57", "MaskEdit6"}},
                      CaptionCase{"Label25", {"Edit25", "Edit58", "Edit82", "MaskEdit7"}},
                      CaptionCase{"Label53", {"Edit53"}}, CaptionCase{"Label54", {"Edit54"}},
                      CaptionCase{"Label55", {"Edit55"}}, CaptionCase{"Label15", {"Edit15"}},
                      CaptionCase{"Label_E18", {"Edit18"}}, CaptionCase{"Label38", {"Edit38"}},
                      CaptionCase{"Label20", {"Edit20"}}),
    [](const ::testing::TestParamInfo<CaptionCase>& i) { return std::string(i.param.caption); });

TEST_F(PersonEditorTest, EmptyingTheBeltTurnsItsCaptionBlack)
{
    insertPerson(7, {{"E25", "SARI KUŞAK"}});
    open(7, [&] {
        EXPECT_EQ(label("Label25")->palette().color(QPalette::WindowText), QColor(Qt::blue));
        click(label("Label25"));
        EXPECT_EQ(label("Label25")->palette().color(QPalette::WindowText), QColor(Qt::black));
    });
}

// --- Moving between fields --------------------------------------------------------------------

TEST_F(PersonEditorTest, EnterAndTheArrowsMoveBetweenFieldsButNotInAGrid)
{
    insertPerson(7);
    db.insert("F_GOR", {{"Gor_Key", 3}, {"Musteri_Key", 7}, {"Gorev", "KARTAL"}, {"Antrenor", "AHMET"}});
    db.insert("F_GOR", {{"Gor_Key", 4}, {"Musteri_Key", 7}, {"Gorev", "ŞAHİN"}, {"Antrenor", "VELİ"}});
    open(7, [&] {
        edit("Edit11")->setFocus();
        QTest::keyClick(edit("Edit11"), Qt::Key_Return);
        EXPECT_EQ(editor->focusWidget(), edit("Edit12"));
        EXPECT_EQ(edit("Edit12")->text(), "KAYA") << "the field never sees the Enter";
        QTest::keyClick(edit("Edit12"), Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(editor->focusWidget(), edit("Edit13"));
        QTest::keyClick(edit("Edit13"), Qt::Key_Up);
        QApplication::processEvents();
        EXPECT_EQ(editor->focusWidget(), edit("Edit12"));

        TDBGrid* g = editor->DBGrid17;
        editor->PageControl1->setCurrentWidget(editor->TabSheet1);
        g->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(editor->FInGrid, 1);
        g->setCurrentIndex(g->model()->index(0, 0));
        QTest::keyClick(g, Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(g->currentRow(), 1) << "the arrow keeps its grid meaning";
        EXPECT_TRUE(g->hasFocus());
        QTest::keyClick(g, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(g == editor->focusWidget() || g->isAncestorOf(editor->focusWidget()))
            << "Enter does not leave the grid";
        edit("Edit11")->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(editor->FInGrid, 0);

        // Enter on a button presses it.
        button("BitBtn1")->setFocus();
        QTest::keyClick(button("BitBtn1"), Qt::Key_Return);
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
}

// --- Guards of a person not yet saved, and of a saved one ---------------------------------------

struct GuardCase {
    const char* name;
    std::function<void(TMusteriGiris2*)> act;
    QStringList unsaved;  // messages for a person not yet saved
};

class SaveFirstGuards : public EditorTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(SaveFirstGuards, ANewPersonGetsOnlyTheMessage)
{
    open(0, [&] {
        GetParam().act(editor);
        EXPECT_EQ(ui().texts(), GetParam().unsaved);
    });
    for (const char* dialog : {"TBilgi_Giris", "TSeminer", "TForm5", "TBaslik2"})
        EXPECT_EQ(modals().seen().count(dialog), 0) << dialog << ": no dialog for a person not yet saved";
    EXPECT_EQ(Counters::current(db, "Sayiu"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Guards, SaveFirstGuards,
    ::testing::Values(
        GuardCase{"StilEkle", [](TMusteriGiris2* e) { click(e->SpeedButton3); },
                  {"Bilgileri kaydettikten sonra Stil ekleyebilirsiniz...!"}},
        GuardCase{"YeniGiris", [](TMusteriGiris2* e) { click(e->SpeedButton6); },
                  {"Kayıt girebilmek için önce 'Kaydet' düğmesine basıp bilgileri kaydetmeniz gerekmektedir...!"}},
        GuardCase{"FotografEkle", [](TMusteriGiris2* e) { click(e->SpeedButton1); },
                  {"Fotoğraf Eklemek için Önce Bilgileri Kaydetmeniz Gerekmektedir ...!"}},
        GuardCase{"FotografSil", [](TMusteriGiris2* e) { click(e->SpeedButton2); }, {}},
        GuardCase{"Rapor", [](TMusteriGiris2* e) { click(e->BitBtn3); },
                  {"Yazıcı Dökümü Alabilmek için Bilgileri Kaydetmeniz Gerekmektedir ...!"}},
        GuardCase{"DosyaEkle", [](TMusteriGiris2* e) { e->DosyaEkle1->trigger(); }, {}},
        GuardCase{"DosyaSil", [](TMusteriGiris2* e) { e->DosyaSil2->trigger(); }, {}},
        GuardCase{"GridSil",
                  [](TMusteriGiris2* e) {
                      for (QAction* a : {e->MenuItem1, e->MenuItem3, e->MenuItem5, e->MenuItem7, e->MenuItem9,
                                         e->MenuItem11, e->MenuItem13})
                          a->trigger();
                  },
                  {}}),
    [](const ::testing::TestParamInfo<GuardCase>& i) { return std::string(i.param.name); });

// --- The record sheet -------------------------------------------------------------------------

TEST_F(PersonEditorTest, RaporAsksTheTitleOfTheSheetForASavedPerson)
{
    insertPerson(7);
    Main->SportName = "KICK BOKS";
    EXPECT_EQ(PersonRecordSheet::title("", "KICK BOKS"), "KICK BOKS SİCİL BİLGİLERİ");
    EXPECT_EQ(PersonRecordSheet::title("ÖZEL BAŞLIK", "KICK BOKS"), "ÖZEL BAŞLIK");
    open(7, [&] {
        typeInto(edit("Edit13"), "x");
        modals().expect("TBaslik2", [](QDialog* d) { click(Baslik2->BitBtn4); EXPECT_FALSE(d->isVisible()); });
        bool disabledWhileShown = false;
        QStringList shown;
        modals().expect("ReportPreview", [&](QDialog* d) {
            disabledWhileShown = !editor->isEnabled();
            shown = PrintMenu1S->ReportBody1.document()->texts();
            d->close();
        });
        click(button("BitBtn3"));
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
        EXPECT_TRUE(disabledWhileShown) << "the editor waits while the sheet shows";
        EXPECT_TRUE(shown.contains("KICK BOKS SİCİL BİLGİLERİ")) << shown.join(" | ").toStdString();
        EXPECT_TRUE(shown.contains("05.03.2009")) << "today's date";
        EXPECT_TRUE(shown.contains(stored(7).str("Ad_Soyad"))) << "the stored person's sheet";
        EXPECT_FALSE(PrintMenu1S->anyDataSetOpen()) << "closed after the preview";
        EXPECT_EQ(edit("Edit13")->text(), "X") << "the editor keeps what is typed";
        EXPECT_TRUE(editor->isEnabled());
    });
}

// --- A new club ---------------------------------------------------------------------------------

TEST_F(PersonEditorTest, AClubAddedThroughTheNewClubButtonCanBePickedAtOnce)
{
    insertPerson(7);
    open(7, [&] {
        EXPECT_EQ(list("DBLookupComboBox1")->findText("YENİ KULÜP"), -1);
        modals().expect("TKlupGiris2", [&](QDialog* d) {
            db.insert("C_UYELIKSURESI", {{"Durum_Key", Counters::next(db, "sayik")}, {"Durum", "YENİ KULÜP"},
                                         {"E1", "ANKARA"}});
            d->reject();
        });
        click(child<QToolButton>(editor, "SpeedButton4"));
        EXPECT_GE(list("DBLookupComboBox1")->findText("YENİ KULÜP"), 0);
        EXPECT_TRUE(editor->DBGrid16->column(editor->DBGrid16->columnOf("Kulup")).pickList.contains("YENİ KULÜP"));
        EXPECT_TRUE(editor->DBGrid17->column(editor->DBGrid17->columnOf("Gorev")).pickList.contains("YENİ KULÜP"));
        bool inLicenceGrid = false;
        for (const auto& item : editor->DBGrid1->column(editor->DBGrid1->columnOf("Klup_Adi")).lookup)
            inLicenceGrid = inLicenceGrid || item.second == "YENİ KULÜP";
        EXPECT_TRUE(inLicenceGrid);
        EXPECT_EQ(edit("Edit16")->text(), "") << "the club field is not filled in";
    });
}

} // namespace
