#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "platform/settings/Registry.h"
#include "registry/KlupGiris2.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include <functional>

namespace {

class KlupGiris2Test : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login("ADMIN", "1234"));
        KlupGiris2->FNow = [] { return QDateTime(QDate(2009, 3, 5), QTime(10, 0)); };
        editor = KlupGiris2;
    }

    void open(int key, std::function<void(QDialog*)> script)
    {
        editor->FClubKey = key;
        modals().expect("TKlupGiris2", std::move(script));
        editor->showModal();
    }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(editor, name); }
    void pickRegion(const QString& name)
    {
        auto* combo = child<QComboBox>(editor, "DBLookupComboBox2");
        const int i = combo->findText(name);
        ASSERT_GE(i, 0) << name.toStdString();
        combo->setCurrentIndex(i);
        Q_EMIT combo->activated(i);
    }
    void fillClub(const QString& name = "KARTAL SPOR")
    {
        click(child<QRadioButton>(editor, "RadioButton1"));
        edit("Edit26")->setText(name);
        edit("Edit1")->setText("AHMET YILMAZ");
        pickRegion("İSTANBUL");
    }
    void save() { click(child<QPushButton>(editor, "BitBtn1")); }
    int addClub(const QString& name, const QString& contact, const QString& region)
    {
        const int key = Counters::next(db, "sayik");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", key}, {"Durum", name}, {"Ad_Soyad", contact}, {"E1", region}});
        return key;
    }
    void addPerson(int key, const QString& club, const QString& region)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Adi", "KİŞİ"}, {"E16", club}, {"Vergi_Dairesi", region},
                                {"Client_Key", 1}, {"User", "ESKİ, 01.01.2001"}, {"M1", QDate(2001, 1, 1)}});
    }
    int count(const QString& table) { return db.scalar("select count(*) from " + table).toInt(); }

    TKlupGiris2* editor = nullptr;
};

TEST_F(KlupGiris2Test, Design)
{
    EXPECT_EQ(editor->windowTitle(), "Kulüp Giriş Ekranı");
    EXPECT_EQ(child<QRadioButton>(editor, "RadioButton1")->text(), "Kulüp");
    EXPECT_EQ(child<QRadioButton>(editor, "RadioButton2")->text(), "Salon/Kişisel");
    EXPECT_EQ(child<QCheckBox>(editor, "CheckBox1")->text(), "Faal Değil");
    EXPECT_EQ(child<QPushButton>(editor, "BitBtn1")->text(), "Kaydet");
    EXPECT_EQ(child<QPushButton>(editor, "BitBtn2")->text(), "Kapat");
    EXPECT_EQ(child<QLabel>(editor, "Label1")->text(), "Yetkili Kişi");
    EXPECT_TRUE(edit("Edit4")->isReadOnly());
    EXPECT_EQ(edit("Edit26")->maxLength(), 40);
    EXPECT_EQ(editor->FPrefilled, 0);
}

TEST_F(KlupGiris2Test, ANewClubIsAddedWithTheNextKey)
{
    const int before = Counters::current(db, "sayik");
    open(0, [&](QDialog* d) {
        EXPECT_FALSE(edit("Edit26")->isReadOnly());
        click(child<QRadioButton>(d, "RadioButton2"));
        typeInto(edit("Edit26"), "kartal spor");
        EXPECT_EQ(edit("Edit26")->text(), "KARTAL SPOR");
        typeInto(edit("Edit1"), "ahmet");
        pickRegion("İSTANBUL");
        EXPECT_EQ(edit("Edit4")->text(), "İSTANBUL");
        edit("Edit12")->setText("İSTANBUL");
        click(child<QCheckBox>(d, "CheckBox1"));
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
        EXPECT_EQ(editor->FClubKey, before + 1);
        EXPECT_FALSE(edit("Edit26")->isReadOnly());
        // A second "Kaydet" without changes updates the same row.
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
    EXPECT_EQ(Counters::current(db, "sayik"), before + 1);
    EXPECT_EQ(count("C_UYELIKSURESI"), 2);
    const auto r = db.first("select * from C_UYELIKSURESI where Durum_Key = :k", {{"k", before + 1}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->str("Durum"), "KARTAL SPOR");
    EXPECT_EQ(r->str("Ad_Soyad"), "AHMET");
    EXPECT_EQ(r->str("E1"), "İSTANBUL");
    EXPECT_EQ(r->str("Il"), "İSTANBUL");
    EXPECT_EQ(r->toInt("Salon"), 1);
    EXPECT_EQ(r->str("Faal"), "0");
    EXPECT_TRUE(r->isNull("Sira"));
    EXPECT_EQ(r->str("E2"), TKlupGiris2::nameCode("KARTAL SPOR"));
    EXPECT_EQ(r->str("E2").size(), 5);
}

TEST_F(KlupGiris2Test, AnExistingClubIsChangedWithoutARenameQuestion)
{
    const int key = addClub("DOĞAN SPOR", "ALİ", "ANKARA");
    db.update("C_UYELIKSURESI", {{"Salon", 1}, {"Faal", "0"}, {"Sira", 12}, {"E5", "KALIR"}}, "Durum_Key = :w",
              {{"w", key}});
    open(key, [&](QDialog* d) {
        EXPECT_TRUE(edit("Edit26")->isReadOnly());
        EXPECT_EQ(edit("Edit26")->palette().color(QPalette::Text), QColor(0, 0, 128));
        EXPECT_EQ(edit("Edit26")->text(), "DOĞAN SPOR");
        EXPECT_EQ(edit("Edit4")->text(), "ANKARA");
        EXPECT_TRUE(child<QRadioButton>(d, "RadioButton2")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "CheckBox1")->isChecked());
        EXPECT_EQ(child<QCheckBox>(d, "CheckBox1")->palette().color(QPalette::WindowText), QColor(Qt::red));
        edit("Edit2")->setText("0312 111 22 33");
        click(child<QCheckBox>(d, "CheckBox1"));
        click(child<QRadioButton>(d, "RadioButton1"));
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
        EXPECT_TRUE(modals().seen().filter("TForm5").isEmpty());
    });
    const auto r = db.first("select * from C_UYELIKSURESI where Durum_Key = :k", {{"k", key}});
    EXPECT_EQ(r->str("Telefonlar"), "0312 111 22 33");
    EXPECT_TRUE(r->isNull("Salon"));
    EXPECT_EQ(r->str("Faal"), "");
    EXPECT_EQ(r->toInt("Sira"), 12);
    EXPECT_EQ(r->str("E5"), "KALIR");
}

TEST_F(KlupGiris2Test, ARenameIsCarriedIntoThePersonsOfTheRegion)
{
    open(0, [&](QDialog*) {
        fillClub("KARTAL SPOR");
        save();
        const int key = editor->FClubKey;
        addPerson(1, "KARTAL SPOR", "İSTANBUL");
        addPerson(2, "KARTAL SPOR", "ANKARA");
        addPerson(3, "BAŞKA SPOR", "İSTANBUL");
        edit("Edit26")->setText("KARTAL GENÇLİK SPOR");
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "Sicil ve Lisans kayıtlarındaki KARTAL SPOR adları\nKARTAL GENÇLİK SPOR "
                                             "olarak değiştirilsinmi...?");
            click(Form5->BitBtn1);
        });
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!\nSicil kayıtlarındaki Kulüp adları değiştirildi ...!");
        EXPECT_EQ(editor->FClubKey, key);
    });
    EXPECT_EQ(db.scalar("select E16 from C_MUSTERI where Musteri_Key = 1").toString(), "KARTAL GENÇLİK SPOR");
    EXPECT_EQ(db.scalar("select User from C_MUSTERI where Musteri_Key = 1").toString(), "ADMIN, 05.03.2009");
    EXPECT_EQ(db.first("select M1 from C_MUSTERI where Musteri_Key = 1")->date("M1"), QDate(2009, 3, 5));
    // Another region's club of that name and another club stay as they are.
    EXPECT_EQ(db.scalar("select E16 from C_MUSTERI where Musteri_Key = 2").toString(), "KARTAL SPOR");
    EXPECT_EQ(db.scalar("select User from C_MUSTERI where Musteri_Key = 2").toString(), "ESKİ, 01.01.2001");
    EXPECT_EQ(db.scalar("select E16 from C_MUSTERI where Musteri_Key = 3").toString(), "BAŞKA SPOR");
    EXPECT_EQ(db.scalar("select Client_Key from C_MUSTERI where Musteri_Key = 1").toInt(), 1);
    EXPECT_EQ(count("C_UYELIKSURESI"), 2);
}

TEST_F(KlupGiris2Test, NamesWithApostrophesAreSavedAndCarried)
{
    open(0, [&](QDialog*) {
        fillClub("D'ARTAGNAN SPOR");
        save();
        addPerson(1, "D'ARTAGNAN SPOR", "İSTANBUL");
        edit("Edit26")->setText("O'NEIL SPOR");
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!\nSicil kayıtlarındaki Kulüp adları değiştirildi ...!");
    });
    EXPECT_EQ(db.scalar("select E16 from C_MUSTERI").toString(), "O'NEIL SPOR");
}

TEST_F(KlupGiris2Test, ARenameNotCarriedLeavesThePersons)
{
    open(0, [&](QDialog*) {
        fillClub("KARTAL SPOR");
        save();
        addPerson(1, "KARTAL SPOR", "İSTANBUL");
        edit("Edit26")->setText("KARTAL GENÇLİK");
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn2); });
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!\nSicil kayıtlarındaki Kulüp adları değiştirilmedi.");
    });
    EXPECT_EQ(db.scalar("select E16 from C_MUSTERI").toString(), "KARTAL SPOR");
    EXPECT_EQ(db.scalar("select Durum from C_UYELIKSURESI where Durum_Key > 1").toString(), "KARTAL GENÇLİK");
}

TEST_F(KlupGiris2Test, TheClubAndItsPersonsAreRenamedTogetherOrNotAtAll)
{
    open(0, [&](QDialog*) {
        fillClub("KARTAL SPOR");
        save();
        // The persons cannot be written: the rename of the club is undone too.
        db.exec("drop table C_MUSTERI");
        edit("Edit26")->setText("KARTAL GENÇLİK");
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        EXPECT_THROW(editor->Button1Click(), DbError);
    });
    EXPECT_EQ(db.scalar("select Durum from C_UYELIKSURESI where Durum_Key > 1").toString(), "KARTAL SPOR");
}

struct RefusalCase {
    const char* name;
    std::function<void(TKlupGiris2*)> change;
    const char* message;
    UiRequest::Kind kind;
    const char* focus;
};

std::string refusalName(const ::testing::TestParamInfo<RefusalCase>& info)
{
    return info.param.name;
}

class ClubRefusals : public KlupGiris2Test, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ClubRefusals, ShowTheirMessageAndWriteNothing)
{
    addClub("DOĞAN SPOR", "MEHMET", "ANKARA");
    const int clubs = count("C_UYELIKSURESI");
    open(0, [&](QDialog*) {
        fillClub();
        GetParam().change(editor);
        save();
        ASSERT_FALSE(ui().texts().isEmpty());
        EXPECT_EQ(ui().lastText().toStdString(), GetParam().message);
        EXPECT_EQ(ui().requests.last().kind, GetParam().kind);
        if (*GetParam().focus) {
            EXPECT_EQ(editor->focusWidget(), edit(GetParam().focus));
        }
        EXPECT_EQ(editor->FClubKey, 0);
    });
    EXPECT_EQ(count("C_UYELIKSURESI"), clubs);
}

void uncheckKinds(TKlupGiris2* e)
{
    for (QRadioButton* b : {e->RadioButton1, e->RadioButton2}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ClubRefusals,
    ::testing::Values(
        RefusalCase{"NoKind", uncheckKinds, "Lütfen Kulüp veya Salon/Kişisel'den birini seçiniz ...!", UiRequest::Error,
                    ""},
        RefusalCase{"NameEmpty", [](TKlupGiris2* e) { e->Edit26->clear(); }, "Kulüp Adını Girmediniz ...!",
                    UiRequest::Error, "Edit26"},
        RefusalCase{"LeadingBlank", [](TKlupGiris2* e) { e->Edit26->setText(" KARTAL"); },
                    "Kulüp Adını Hatalı Girdiniz ...", UiRequest::Info, "Edit26"},
        RefusalCase{"FourLetters", [](TKlupGiris2* e) { e->Edit26->setText("ABCD"); },
                    "Kulüp adı çok kısa, Lütfen Düzeltiniz...!", UiRequest::Info, "Edit26"},
        RefusalCase{"Slash", [](TKlupGiris2* e) { e->Edit26->setText("A/B SPOR"); },
                    "Lütfen Kulüp Adı İçinde \\ ve / Karakterleri Kullanmayınız ...!", UiRequest::Error, "Edit26"},
        RefusalCase{"Backslash", [](TKlupGiris2* e) { e->Edit26->setText("A\\B SPOR"); },
                    "Lütfen Kulüp Adı İçinde \\ ve / Karakterleri Kullanmayınız ...!", UiRequest::Error, "Edit26"},
        RefusalCase{"RegionEmpty", [](TKlupGiris2* e) { e->Edit4->clear(); }, "Bölgesini Seçmediniz ...!",
                    UiRequest::Error, "Edit4"},
        RefusalCase{"RegionOnlyBeginsOne", [](TKlupGiris2* e) { e->Edit4->setText("İSTAN"); },
                    "Bölgesini Hatalı. Lütfen Bölge Seçiniz ...!", UiRequest::Error, "Edit4"},
        RefusalCase{"RegionUnknown", [](TKlupGiris2* e) { e->Edit4->setText("ATLANTİS"); },
                    "Bölgesini Hatalı. Lütfen Bölge Seçiniz ...!", UiRequest::Error, "Edit4"},
        RefusalCase{"NameTaken", [](TKlupGiris2* e) { e->Edit26->setText("DOĞAN SPOR"); },
                    "DOĞAN SPOR Kayıtlı Bulunmaktadır ...!", UiRequest::Info, ""}),
    refusalName);

TEST_F(KlupGiris2Test, AFiveLetterNamePasses)
{
    open(0, [&](QDialog*) {
        fillClub("ABCDE");
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
    });
}

TEST_F(KlupGiris2Test, ATakenNameIsCutTo35Characters)
{
    const QString longName = "ÇOK UZUN ADLI GENÇLİK VE SPOR KULÜBÜ";
    ASSERT_EQ(longName.size(), 36);
    addClub(longName, "", "ANKARA");
    open(0, [&](QDialog*) {
        fillClub(longName);
        save();
        EXPECT_EQ(ui().lastText(), longName.left(35) + " Kayıtlı Bulunmaktadır ...!");
    });
}

TEST_F(KlupGiris2Test, TheSameContactInTheSameRegionAsksOnce)
{
    addClub("BİRİNCİ SPOR", "AHMET YILMAZ", "İSTANBUL");
    addClub("İKİNCİ SPOR", "AHMET YILMAZ", "İSTANBUL");
    addClub("KARTAL SPOR", "", "İSTANBUL");  // not reached after "yes"
    open(0, [&](QDialog*) {
        fillClub("KARTAL SPOR");
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "AHMET YILMAZ Kayıtlı Bulunmaktadır.\nDevam Etmek İstiyormusunuz ...?");
            click(Form5->BitBtn1);
        });
        save();
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
        EXPECT_EQ(modals().seen().filter("TForm5").size(), 1);
    });
    EXPECT_EQ(db.scalar("select count(*) from C_UYELIKSURESI where Durum = 'KARTAL SPOR'").toInt(), 2);
}

TEST_F(KlupGiris2Test, TheSameContactAnsweredNoEndsTheSaveSilently)
{
    addClub("BİRİNCİ SPOR", "AHMET YILMAZ", "İSTANBUL");
    const int clubs = count("C_UYELIKSURESI");
    open(0, [&](QDialog*) {
        fillClub("KARTAL SPOR");
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn2); });
        save();
        EXPECT_TRUE(ui().texts().isEmpty());
    });
    EXPECT_EQ(count("C_UYELIKSURESI"), clubs);
}

TEST_F(KlupGiris2Test, APrefilledNewClubKeepsTheImportedNameAndRegion)
{
    editor->Edit26->setText("YENİ SPOR");
    editor->Edit4->setText("BURSA");
    editor->Edit1->setText("ESKİ YETKİLİ");
    editor->FPrefilled = 1;
    open(0, [&](QDialog*) {
        EXPECT_EQ(edit("Edit26")->text(), "YENİ SPOR");
        EXPECT_EQ(edit("Edit4")->text(), "BURSA");
        EXPECT_EQ(edit("Edit1")->text(), "");
    });
    EXPECT_EQ(editor->FPrefilled, 0);
    open(0, [&](QDialog*) { EXPECT_EQ(edit("Edit26")->text(), ""); });
}

TEST_F(KlupGiris2Test, OutsideAServerInstallationTheRegionPickOnlyFillsTheRegion)
{
    open(0, [&](QDialog* d) {
        EXPECT_FALSE(child<QLabel>(d, "Label15")->isVisibleTo(d));
        pickRegion("ANKARA");
        EXPECT_EQ(edit("Edit4")->text(), "ANKARA");
        EXPECT_TRUE(ui().texts().isEmpty());
    });
}

TEST_F(KlupGiris2Test, AServerInstallationShowsTheClubCode)
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    reg.openKey(TKlupGiris2::installKey(), true);
    reg.writeString("VALUE", "0");
    reg.closeKey();
    db.insert("C_UYELIKTURU", {{"Durum_Key", 90}, {"Durum", "ÜÇ HARFLİ"}, {"Tip1", "ABC"}});
    db.insert("C_UYELIKTURU", {{"Durum_Key", 91}, {"Durum", "TEK HARFLİ"}, {"Tip1", "T"}});
    open(0, [&](QDialog* d) {
        auto* label = child<QLabel>(d, "Label15");
        EXPECT_TRUE(label->isVisibleTo(d));
        pickRegion("ANKARA");
        EXPECT_EQ(ui().lastText(), "Kulüp Adı ve Bölge Boş Olmamalıdır...!");
        edit("Edit26")->setText("KARTAL SPOR");
        pickRegion("ÜÇ HARFLİ");
        EXPECT_EQ(ui().lastText(), "Bu Bölge için KOD verilememektedir...!");
        EXPECT_EQ(label->text(), "");
        edit("Edit26")->setText("KART");
        pickRegion("ANKARA");
        EXPECT_EQ(ui().lastText(), "Kulüp adı çok kısa, Lütfen Düzeltiniz...!");

        edit("Edit26")->setText("KARTAL SPOR");
        pickRegion("ANKARA");  // code "06"
        EXPECT_EQ(label->text(), "Kod : " + TKlupGiris2::KodCoz(TKlupGiris2::clubCodeInput("KARTAL SPOR", "06")));
        EXPECT_EQ(label->text().size(), 6 + 7);
        edit("Edit26")->setText("KARTALSPOR");
        EXPECT_EQ(label->text(), "") << "a changed name clears the code";
        pickRegion("ANKARA");
        EXPECT_EQ(label->text().size(), 6 + 6);
        pickRegion("TEK HARFLİ");
        EXPECT_EQ(label->text().size(), 6 + 2);
    });
}

TEST(KodCoz, SubstitutesInReverseOrderUpToTheFirstNul)
{
    const QString a = TKlupGiris2::KodCoz("A");
    const QString b = TKlupGiris2::KodCoz("B");
    ASSERT_EQ(a.size(), 1);
    EXPECT_NE(a, b);
    EXPECT_EQ(TKlupGiris2::KodCoz("AB"), b + a);
    EXPECT_EQ(TKlupGiris2::KodCoz(QString("AB") + QChar(0) + "CD"), b + a);
    EXPECT_EQ(TKlupGiris2::KodCoz(""), "");
    // Every other character has one common substitute.
    EXPECT_EQ(TKlupGiris2::KodCoz("a"), TKlupGiris2::KodCoz("."));
    EXPECT_NE(TKlupGiris2::KodCoz("a"), a);
}

TEST(KodCoz, TheFortyKeysHaveFortyDifferentSubstitutes)
{
    const QString keys = QString::fromUtf8(" 0123456789ABCDEFGHIJKLMNOPRSTUVYZÇĞİÖŞÜ");
    ASSERT_EQ(keys.size(), 40);
    QSet<QString> seen;
    for (const QChar k : keys)
        seen.insert(TKlupGiris2::KodCoz(QString(k)));
    seen.insert(TKlupGiris2::KodCoz("q"));
    EXPECT_EQ(seen.size(), 41);
}

TEST(KodCoz, NameCodeTakesFirstSecondLastButOneLastAndTheLetterAfterTheBlank)
{
    EXPECT_EQ(TKlupGiris2::nameCode("KARTAL SPOR"), TKlupGiris2::KodCoz("KOARS"));
    EXPECT_EQ(TKlupGiris2::nameCode("KARTAL"), TKlupGiris2::KodCoz("KAAL"));
    EXPECT_EQ(TKlupGiris2::nameCode("KARTAL "), TKlupGiris2::KodCoz("KLA "));
}

} // namespace
