#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/Sifre.h"
#include "platform/db/Schema.h"
#include "platform/settings/Registry.h"
#include "registry/CompanionMirror.h"
#include "registry/KlupGiris2.h"
#include "registry/MaskEdit.h"
#include "registry/MusteriGiris2.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>

namespace {

const QString kMen57 = QString::fromUtf8("57 KG ERKEK BÜYÜKLER");

class MusteriGiris2Test : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        saved = Formats::decimalSeparator();
        Formats::setDecimalSeparator(',');
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", kMen57}, {"E_B", "E"},
                              {"AltKilo", 54.0}, {"UstKilo", 57.0}});
        ASSERT_TRUE(login("ADMIN", "1234"));
        MusteriGiris2->FNow = [] { return QDateTime(QDate(2009, 3, 5), QTime(14, 5, 9)); };
        editor = MusteriGiris2;
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator(saved);
        ScreensTest::TearDown();
    }

    // Opens the editor as the search screen does and runs the script while
    // it shows.
    void open(int key, std::function<void(QDialog*)> script)
    {
        editor->FPersonKey = key;
        editor->FFromWeighIn = 0;
        editor->FBatchMode = 0;
        modals().expect("TMusteriGiris2", std::move(script));
        editor->showModal();
    }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(editor, name); }
    TMaskEdit* date(const QString& name) { return child<TMaskEdit>(editor, name); }

    void pickRegion(const QString& name)
    {
        auto* combo = child<QComboBox>(editor, "DBLookupComboBox2");
        const int i = combo->findText(name);
        ASSERT_GE(i, 0);
        combo->setCurrentIndex(i);
        Q_EMIT combo->activated(i);
    }
    // Fills a new athlete: typed names and weight, picked region, and the
    // texts the other pick lists put into their read-only fields.
    void fillAthlete()
    {
        typeInto(edit("Edit11"), QString::fromUtf8("ali rıza"));
        typeInto(edit("Edit12"), QString::fromUtf8("yılmaz"));
        pickRegion(QString::fromUtf8("İSTANBUL"));
        edit("Edit50")->setText("SPORCU");
        edit("Edit15")->setText("ERKEK");
        edit("Edit53")->setText(kMen57);
        child<QComboBox>(editor, "ComboBox3")->setCurrentIndex(1);
        typeInto(edit("Edit38"), "56,5");
    }
    int insertPerson(int key, const QVariantMap& extra = {})
    {
        QVariantMap row{{"Musteri_Key", key},
                        {"Vergi_Numarasi", "0000009"},
                        {"Adi", "AYŞE"},
                        {"Soyadi", "KAYA"},
                        {"Ad_Soyad", "AYŞE KAYA"},
                        {"Vergi_Dairesi", "ANKARA"},
                        {"E43", "İL TEMSİLCİSİ"},
                        {"E38", 72.5},
                        {"M3", QDate(1980, 12, 31)},
                        {"M1", QDate(2008, 1, 1)},
                        {"M2", QDate(2001, 2, 3)},
                        {"Kullanici", 0},
                        {"Tip", 1},
                        {"Stiller", "SARI(KICK)"},
                        {"E68", 2008}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            row.insert(it.key(), it.value());
        db.insert("C_MUSTERI", row);
        return key;
    }
    Record stored(int key)
    {
        const auto r = db.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value());
        return r ? *r : Record();
    }
    int count(const QString& table) { return db.scalar("select count(*) from " + table).toInt(); }
    void companion()
    {
        RegistryValues::setDbq("C:\\CO\\QVX_PROG\\Tolk.mdb", "tolk");
        Database c;
        c.open("C:\\CO\\QVX_PROG\\Tolk.mdb", false);
        CompanionMirror::companionSchema().create(c);
        c.insert("C_MUSTERI", {{"Musteri_Key", 1}, {"Vergi_Numarasi", ""}});
        c.insert("C_MUSTERI", {{"Musteri_Key", 2}, {"Sokak", "500"}});
        c.insert("C_SAYI", {{"sayi", 2}});
        c.insert("C_UYEKULLANICI", {{"Durum_Key", 3}, {"Durum", "ÜYE"}});
        c.insert("C_UYELIKTURU", {{"Durum", "BURSA"}, {"Tip1", "16"}, {"Tip2", ""}});
    }

    QChar saved;
    TMusteriGiris2* editor = nullptr;
};

TEST_F(MusteriGiris2Test, Design)
{
    EXPECT_EQ(editor->windowTitle(), "Bilgi Giriş");
    EXPECT_EQ(editor->size(), QSize(1024, 768));
    auto* pages = child<QTabWidget>(editor, "PageControl1");
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i)
        titles << pages->tabText(i);
    EXPECT_EQ(titles, QStringList({"    Kişisel Bilgiler    ", "    Kariyer Bilgileri    ", "    Başarı ve Cezalar    ",
                                   "    Sporcu Lisans    ", "    Mesleki Bilgiler    "}));
    EXPECT_EQ(child<QPushButton>(editor, "BitBtn1")->text(), "Kaydet");
    EXPECT_EQ(child<QPushButton>(editor, "BitBtn2")->text(), "Kapat");
    EXPECT_EQ(child<QPushButton>(editor, "BitBtn3")->text(), "Rapor");
    EXPECT_FALSE(child<QPushButton>(editor, "BitBtn4")->isVisibleTo(editor));
    EXPECT_EQ(child<QComboBox>(editor, "ComboBox3")->itemText(0), "YARIŞMAYACAK");
    // Every column of the person table that the editor keeps has a field.
    for (const QString& c : kPersonTextColumns + kVisaYearColumns + kPersonDateColumns)
        EXPECT_NE(editor->fieldOf(c), nullptr) << c.toStdString();
    EXPECT_EQ(editor->fieldOf("Adi"), edit("Edit11"));
    EXPECT_EQ(editor->fieldOf("Vergi_Numarasi"), edit("Edit5"));
    EXPECT_EQ(editor->fieldOf("M3"), date("MaskEdit3"));
    EXPECT_EQ(editor->Edit46, edit("Edit46"));
    EXPECT_EQ(editor->fieldOf("Fax"), editor->Edit46);
    EXPECT_EQ(editor->fieldOf("E72"), editor->Edit72);
    for (const char* grid : {"DBGrid12", "DBGrid13", "DBGrid14", "DBGrid15", "DBGrid16", "DBGrid17", "DBGrid1"})
        EXPECT_NE(child<TDBGrid>(editor, grid), nullptr);
}

// The editor fits a 1024 x 768 screen with a title bar: its smallest size
// is below what such a screen leaves, the rest scrolls, and shown on a
// smaller screen it keeps within it.
TEST_F(MusteriGiris2Test, FitsA1024x768Screen)
{
    const QSize smallest = editor->minimumSizeHint();
    EXPECT_LE(smallest.width(), 1024);
    EXPECT_LE(smallest.height(), 768 - 32);
    auto* scroll = child<QScrollArea>(editor, "EditorScroll");
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->widget()->isAncestorOf(child<QTabWidget>(editor, "PageControl1")));
    EXPECT_TRUE(scroll->widget()->isAncestorOf(child<QPushButton>(editor, "BitBtn1")));

    modals().expect("TMusteriGiris2", [](QDialog* d) {
        const QRect room = d->screen()->availableGeometry();
        EXPECT_LE(d->width(), room.width());
        EXPECT_LE(d->height(), room.height());
        d->close();
    });
    editor->showModal();
}

TEST_F(MusteriGiris2Test, ANewPersonIsSavedThroughTheNamedControls)
{
    companion();
    open(0, [&](QDialog* d) {
        EXPECT_EQ(edit("Edit11")->text(), "");
        EXPECT_EQ(date("MaskEdit1")->maskedText(), "05.03.2009");
        EXPECT_EQ(date("MaskEdit2")->maskedText(), "05.03.2009");
        EXPECT_EQ(date("MaskEdit3")->maskedText(), "  .  .    ");
        EXPECT_EQ(child<QComboBox>(d, "ComboBox3")->currentText(), "YARIŞMAYACAK");
        fillAthlete();
        EXPECT_EQ(edit("Edit11")->text(), "ALİ RIZA");
        EXPECT_EQ(edit("Edit1")->text(), "ALİ RIZA YILMAZ");
        EXPECT_EQ(edit("Edit4")->text(), "İSTANBUL");
        EXPECT_EQ(editor->FModified, 1);

        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
        EXPECT_EQ(editor->FPersonKey, 1);
        EXPECT_EQ(edit("Edit5")->text(), "0000001");
        EXPECT_EQ(editor->FSaved, 1);
        EXPECT_EQ(editor->FRefreshNeeded, 1);
        EXPECT_EQ(editor->FModified, 0);
        // Closing after the save asks nothing.
        click(child<QPushButton>(d, "BitBtn2"));
        EXPECT_FALSE(d->isVisible());
    });
    const Record r = stored(1);
    EXPECT_EQ(r.str("Ad_Soyad"), "ALİ RIZA YILMAZ");
    EXPECT_EQ(r.str("Vergi_Dairesi"), "İSTANBUL");
    EXPECT_DOUBLE_EQ(r.toDouble("E38"), 56.5);
    EXPECT_EQ(r.str("User"), "ADMIN, 05.03.2009");
    EXPECT_EQ(r.toInt("Client_Key"), 1);
    EXPECT_EQ(r.toInt("Tip"), 1);

    Database c;
    c.open("C:\\CO\\QVX_PROG\\Tolk.mdb");
    const auto mirrored = c.first("select * from C_MUSTERI where Sokak = '1'");
    ASSERT_TRUE(mirrored);
    EXPECT_EQ(mirrored->str("Ad_Soyad"), "ALİ RIZA YILMAZ");
    EXPECT_EQ(mirrored->str("Vergi_Numarasi"), "16-1001");
    EXPECT_EQ(mirrored->str("E10"), "SPORCU");
}

TEST_F(MusteriGiris2Test, AnExistingPersonIsLoadedAndUpdated)
{
    insertPerson(7, {{"Tip", 0}, {"Ferdi", 1}, {"E82", 1}, {"E16", "KARTAL"}});
    open(7, [&](QDialog* d) {
        EXPECT_EQ(edit("Edit11")->text(), "AYŞE");
        EXPECT_EQ(edit("Edit1")->text(), "AYŞE KAYA");
        EXPECT_EQ(edit("Edit5")->text(), "0000009");
        EXPECT_EQ(edit("Edit38")->text(), "72,5");
        EXPECT_EQ(edit("Edit68")->text(), "2008");
        EXPECT_EQ(date("MaskEdit3")->maskedText(), "31.12.1980");
        EXPECT_EQ(date("MaskEdit8")->maskedText(), "  .  .    ");
        EXPECT_TRUE(child<QCheckBox>(d, "CheckBox1")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "CheckBox2")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "CheckBox3")->isChecked());
        EXPECT_EQ(child<QLabel>(d, "Label_Stiller")->text(), "SARI(KICK)");
        EXPECT_EQ(child<QLabel>(d, "Label_ResimNo")->text(), "Resim No : 7");
        EXPECT_EQ(child<QTabWidget>(d, "PageControl1")->currentWidget(), editor->TabSheet1);
        EXPECT_EQ(editor->FModified, 0);

        typeInto(edit("Edit12"), "N");
        EXPECT_EQ(edit("Edit1")->text(), "AYŞE KAYAN");
        click(child<QCheckBox>(d, "CheckBox1"));
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Bilgiler Kaydedildi ...!");
        EXPECT_EQ(editor->FPersonKey, 7);
        EXPECT_EQ(date("MaskEdit1")->maskedText(), "05.03.2009");
    });
    EXPECT_EQ(count("C_MUSTERI"), 1);
    const Record r = stored(7);
    EXPECT_EQ(r.str("Ad_Soyad"), "AYŞE KAYAN");
    EXPECT_EQ(r.str("Vergi_Numarasi"), "0000009");
    EXPECT_EQ(r.toInt("Tip"), 1);
    EXPECT_EQ(r.date("M1"), QDate(2009, 3, 5));
    EXPECT_EQ(r.date("M2"), QDate(2001, 2, 3));
    EXPECT_EQ(r.toInt("E68"), 2008);
    EXPECT_EQ(Counters::current(db, "sayi_uye"), 0);
}

TEST_F(MusteriGiris2Test, APersonWithAnEmptyActiveFlagStaysActive)
{
    insertPerson(7, {{"Tip", QVariant()}});
    open(7, [&](QDialog* d) {
        EXPECT_FALSE(child<QCheckBox>(d, "CheckBox1")->isChecked());
        click(child<QPushButton>(d, "BitBtn1"));
    });
    EXPECT_EQ(stored(7).toInt("Tip"), 1);
    EXPECT_FALSE(stored(7).isNull("Tip"));
}

TEST_F(MusteriGiris2Test, ANewPersonAfterAnExistingOneShowsNothingOfIt)
{
    insertPerson(7, {{"Tip", 0}, {"Ferdi", 1}, {"E42", "10000000146"}, {"M4", QDate(2000, 1, 1)}});
    open(7, [](QDialog* d) { click(child<QPushButton>(d, "BitBtn2")); });
    open(0, [&](QDialog* d) {
        for (const QString& c : kPersonTextColumns + kVisaYearColumns)
            EXPECT_EQ(editor->fieldText(c), "") << c.toStdString();
        for (const QString& c : kPersonDateColumns.mid(2))
            EXPECT_EQ(editor->fieldText(c), kBlankDate) << c.toStdString();
        EXPECT_EQ(date("MaskEdit2")->maskedText(), "05.03.2009");
        for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3"})
            EXPECT_FALSE(child<QCheckBox>(d, box)->isChecked()) << box;
        EXPECT_EQ(child<QLabel>(d, "Label_Stiller")->text(), "");
        EXPECT_EQ(child<QLabel>(d, "Label_ResimNo")->text(), "");
        EXPECT_EQ(editor->DBGrid12->rowCount(), 0);
        click(child<QPushButton>(d, "BitBtn2"));
    });
}

TEST_F(MusteriGiris2Test, AFailedCheckShowsItsMessageAndWritesNothing)
{
    open(0, [&](QDialog* d) {
        fillAthlete();
        edit("Edit11")->clear();
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Adını Girmediniz ...!");
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
        EXPECT_EQ(editor->focusWidget(), edit("Edit11"));
        EXPECT_EQ(editor->FSaved, 0);
        EXPECT_EQ(editor->FPersonKey, 0);
        // A refused save keeps the typed values and the change flag.
        EXPECT_EQ(edit("Edit12")->text(), "YILMAZ");
        EXPECT_EQ(editor->FModified, 1);
        editor->FModified = 0;
    });
    EXPECT_EQ(count("C_MUSTERI"), 0);
}

TEST_F(MusteriGiris2Test, AWeightQuestionAnsweredNoStopsTheSave)
{
    open(0, [&](QDialog* d) {
        fillAthlete();
        edit("Edit38")->setText("70");
        modals().expect("TForm5", [](QDialog* q) {
            EXPECT_EQ(Form5->Label1->text(),
                      "Sporcunun Kilosu Branşın Kilo Limitleri Arasında Değildir.\nBilgiler Kaydedilsinmi ...?");
            click(Form5->BitBtn2);
            EXPECT_FALSE(q->isVisible());
        });
        const int labelTop = Form5->Label1->y();
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(Form5->Label1->y(), labelTop);
        EXPECT_EQ(editor->FSaved, 0);
        editor->FModified = 0;
    });
    EXPECT_EQ(count("C_MUSTERI"), 0);
}

TEST_F(MusteriGiris2Test, ARegisterNumberThatCannotBeMadeStopsTheSave)
{
    db.exec("update C_SAYI set SonSicil = 'X17'");
    open(0, [&](QDialog* d) {
        fillAthlete();
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(),
                  "En Son Verilen Sicil Numarası Sayısal Değer Olmadığından Otomatik Sicil Numarası Verilemiyor ...!");
        EXPECT_FALSE(ui().texts().contains("Bilgiler Kaydedildi ...!"));
        EXPECT_EQ(editor->FSaved, 0);
        EXPECT_EQ(editor->FPersonKey, 0);
        EXPECT_EQ(edit("Edit5")->text(), "");
        EXPECT_EQ(editor->FModified, 1);
        editor->FModified = 0;
    });
    EXPECT_EQ(count("C_MUSTERI"), 0);
    EXPECT_EQ(Counters::current(db, "sayi_uye"), 0);
}

TEST_F(MusteriGiris2Test, ACompanionThatFailsIsReportedAndTheSaveStillCounts)
{
    // A companion file that is not the companion's database.
    RegistryValues::setDbq("C:\\CO\\QVX_PROG\\Tolk.mdb", "tolk");
    writeFile(host("C:\\CO\\QVX_PROG\\Tolk.mdb"), "");
    editor->FSaved = 0;
    open(0, [&](QDialog* d) {
        fillAthlete();
        click(child<QPushButton>(d, "BitBtn1"));
        ASSERT_FALSE(ui().texts().isEmpty());
        EXPECT_TRUE(ui().lastText().startsWith(
            "Bilgiler Kaydedildi. Ancak Kişi Bilgileri Tolk Veritabanına Aktarılamadı ...!\n"))
            << ui().lastText().toStdString();
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
        EXPECT_FALSE(ui().texts().contains("Bilgiler Kaydedildi ...!"));
        EXPECT_EQ(editor->FSaved, 1);
        EXPECT_EQ(editor->FRefreshNeeded, 1);
        EXPECT_EQ(editor->FModified, 0);
        EXPECT_EQ(editor->FPersonKey, 1);
    });
    EXPECT_EQ(stored(1).str("Ad_Soyad"), "ALİ RIZA YILMAZ");
}

TEST_F(MusteriGiris2Test, TakingTheFocusBackAsksBeforeUnsavedTypingIsLost)
{
    insertPerson(7);
    open(7, [&](QDialog*) {
        typeInto(edit("Edit13"), "onursal");
        ASSERT_EQ(editor->FModified, 1);
        // The window takes the focus back from a window that was not modal.
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "DEĞİŞİKLİKLERİ KAYDETMEDİNİZ. KAYIT YENİDEN YÜKLENSİN Mİ ...?");
            click(Form5->BitBtn2);
        });
        editor->FormActivate();
        EXPECT_EQ(edit("Edit13")->text(), "ONURSAL");
        EXPECT_EQ(editor->FModified, 1);

        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        editor->FormActivate();
        EXPECT_EQ(edit("Edit13")->text(), "");
        EXPECT_EQ(editor->FModified, 0);

        // Without changes the record is simply reloaded.
        db.update("C_MUSTERI", {{"Klup_Yetkilisi", "ŞEREF ÜYESİ"}}, "Musteri_Key = 7");
        editor->FormActivate();
        EXPECT_EQ(edit("Edit13")->text(), "ŞEREF ÜYESİ");
    });
}

TEST_F(MusteriGiris2Test, KeepLoadedSkipsOneActivation)
{
    insertPerson(7);
    open(7, [&](QDialog*) {
        typeInto(edit("Edit13"), "X");
        editor->FKeepLoaded = 1;
        editor->FormActivate();
        EXPECT_EQ(edit("Edit13")->text(), "X");
        EXPECT_EQ(editor->FKeepLoaded, 0);
        editor->FModified = 0;
    });
}

TEST_F(MusteriGiris2Test, ClosingWithChangesAsks)
{
    KlupGiris2->FPrefilled = 1;
    open(0, [&](QDialog* d) {
        click(child<QPushButton>(d, "BitBtn2"));
        EXPECT_FALSE(d->isVisible()) << "nothing changed: no question";
    });
    EXPECT_EQ(KlupGiris2->FPrefilled, 0);
    open(0, [&](QDialog* d) {
        typeInto(edit("Edit11"), "ALİ");
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "DEĞİŞİKLİKLERİ KAYDETMEDİNİZ. ÇIKMAK İSTEDİĞİNİZDEN EMİNMİSİNİZ ...?");
            click(Form5->BitBtn2);
        });
        click(child<QPushButton>(d, "BitBtn2"));
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(edit("Edit11")->text(), "ALİ");
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        click(child<QPushButton>(d, "BitBtn2"));
        EXPECT_FALSE(d->isVisible());
    });
}

TEST_F(MusteriGiris2Test, TypedLettersBecomeCapitalsExceptInTheEmailAddress)
{
    open(0, [&](QDialog*) {
        typeInto(edit("Edit63"), "ali@ornek.com");
        typeInto(edit("Edit17"), QString::fromUtf8("izmir"));
        EXPECT_EQ(edit("Edit63")->text(), "ali@ornek.com");
        EXPECT_EQ(edit("Edit17")->text(), QString::fromUtf8("İZMİR"));
        editor->FModified = 0;
    });
}

TEST_F(MusteriGiris2Test, ThePhotoShowsWhenItsFileIsAJpegPicture)
{
    insertPerson(7);
    insertPerson(8);
    QImage picture(100, 120, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    ASSERT_TRUE(picture.save(host("C:\\CO\\QVX_PROG\\R7.jpg"), "JPEG"));
    open(7, [&](QDialog* d) {
        EXPECT_EQ(editor->FProgramFolder, "C:\\CO\\QVX_PROG\\");
        EXPECT_EQ(editor->FPhotoLoaded, 1);
        EXPECT_TRUE(child<QLabel>(d, "Image1")->isVisible());
    });
    writeFile(host("C:\\CO\\QVX_PROG\\R8.jpg"), "no picture");
    open(8, [&](QDialog* d) {
        EXPECT_EQ(editor->FPhotoLoaded, 0);
        EXPECT_FALSE(child<QLabel>(d, "Image1")->isVisible());
    });
}

TEST_F(MusteriGiris2Test, WithoutStylesTheStyleFunctionsAreHidden)
{
    open(0, [&](QDialog* d) {
        EXPECT_TRUE(child<QComboBox>(d, "DBLookupComboBox14")->isHidden());
        EXPECT_TRUE(child<QToolButton>(d, "SpeedButton3")->isHidden());
    });
    db.insert("STIL", {{"Stil_Key", 1}, {"Stil", "KICK"}});
    open(0, [&](QDialog* d) {
        EXPECT_FALSE(child<QComboBox>(d, "DBLookupComboBox14")->isHidden());
        EXPECT_FALSE(child<QToolButton>(d, "SpeedButton3")->isHidden());
    });
}

TEST_F(MusteriGiris2Test, TheExamImportDrivesTheEditorWithoutAUser)
{
    editor->FBatchMode = 1;
    editor->FPersonKey = 0;
    editor->FormActivate();
    editor->setFieldText("Adi", "VELİ");
    editor->setFieldText("Vergi_Dairesi", "ANKARA");
    editor->setFieldText("E50", "SPORCU");
    editor->setFieldText("E15", "ERKEK");
    editor->setFieldText("E53", kMen57);
    editor->setFieldText("E25", "SARI KUŞAK");
    editor->setFieldText("E42", "123");  // not checked in batch mode
    editor->setFieldText("M3", "01.02.1995");
    editor->FSaved = 0;
    editor->Button1Click();
    EXPECT_EQ(editor->FSaved, 1);
    EXPECT_EQ(editor->FPersonKey, 1);
    EXPECT_EQ(editor->Edit5->text(), "0000001");
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    EXPECT_EQ(stored(1).date("M3"), QDate(1995, 2, 1));
    EXPECT_EQ(stored(1).str("E42"), "123");
    EXPECT_EQ(count("F_KUSAK"), 1);
    editor->FBatchMode = 0;
}

// --- Career grids ------------------------------------------------------------------

// Picks a name in a lookup cell of the current row, as the cell's list does.
void pick(TDBGrid* g, const QString& field, const QString& name)
{
    const QModelIndex i = g->model()->index(g->currentRow(), g->columnOf(field));
    ASSERT_TRUE(i.isValid()) << field.toStdString();
    ASSERT_TRUE(g->model()->setData(i, name, Qt::EditRole)) << field.toStdString();
}

TEST_F(MusteriGiris2Test, GridsOfAPersonNotYetSavedTakeNoRows)
{
    open(0, [&](QDialog*) {
        editor->MenuItem8Click();
        editor->MenuItem6Click();
        EXPECT_EQ(editor->DBGrid12->rowCount(), 0);
        EXPECT_EQ(editor->DBGrid15->rowCount(), 0);
        EXPECT_FALSE(editor->DBGrid15->appendRow());
        EXPECT_EQ(Counters::current(db, "Sayiu"), 0);
    });
}

TEST_F(MusteriGiris2Test, ASeminarRowIsCheckedStoredAndGivesTheSeminarDate)
{
    insertPerson(7);
    db.insert("F_SEM", {{"Sem_Key", 3}, {"Musteri_Key", 7}, {"Seminer", "ESKİ"}, {"Tarih", QDate(2004, 1, 1)}});
    Counters::set(db, "Sayiu", 10);
    open(7, [&](QDialog*) {
        TDBGrid* g = editor->DBGrid15;
        ASSERT_EQ(g->rowCount(), 1);
        editor->MenuItem6Click();
        ASSERT_EQ(g->state(), TDBGrid::Insert);
        EXPECT_EQ(g->currentRecord().toInt("Sem_Key"), 11);
        EXPECT_EQ(g->currentRecord().toInt("Musteri_Key"), 7);
        g->setFieldValue("Seminer", "HAKEM SEMİNERİ");
        EXPECT_FALSE(g->post());
        EXPECT_EQ(ui().lastText(), "Eksik veya hatalı giriş yaptınız ...!");
        g->setFieldValue("Tarih", QDate(2009, 2, 1));
        EXPECT_TRUE(g->post());
        EXPECT_EQ(date("MaskEdit8")->maskedText(), "01.02.2009");
        EXPECT_EQ(editor->FModified, 1) << "the seminar date is saved with the person";
        EXPECT_EQ(g->rowCount(), 2);

        // Deleting the latest seminar gives the date of the one before it;
        // deleting the only one blanks it.
        g->setCurrentRow(1);
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "HAKEM SEMİNERİ Silinecektir. Eminmisiniz ...?");
            click(Form5->BitBtn1);
        });
        editor->MenuItem5Click();
        EXPECT_EQ(date("MaskEdit8")->maskedText(), "01.01.2004");
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        editor->MenuItem5Click();
        EXPECT_EQ(date("MaskEdit8")->maskedText(), "  .  .    ");
        editor->FModified = 0;
    });
    EXPECT_EQ(count("F_SEM"), 0);
}

TEST_F(MusteriGiris2Test, ACareerRowRefusedAtClosingBringsItsPageForward)
{
    insertPerson(7);
    open(7, [&](QDialog* d) {
        QApplication::setActiveWindow(d);
        TDBGrid* g = editor->DBGrid15;
        editor->PageControl1->setCurrentWidget(editor->TabSheet2);
        editor->MenuItem6Click();   // a new seminar row
        ASSERT_EQ(g->state(), TDBGrid::Insert);
        g->setFieldValue("Seminer", "HAKEM SEMİNERİ");
        // The clerk goes back to the first page and closes the editor.
        editor->PageControl1->setCurrentWidget(editor->TabSheet1);
        ASSERT_FALSE(g->isVisible());
        editor->FModified = 0;
        ui().clear();
        click(child<QPushButton>(editor, "BitBtn2"));   // "Kapat"
        EXPECT_TRUE(d->isVisible()) << "the refused row keeps the editor open";
        EXPECT_EQ(ui().texts(), QStringList{"Eksik veya hatalı giriş yaptınız ...!"});
        EXPECT_EQ(editor->PageControl1->currentWidget(), editor->TabSheet2) << "the row's page comes forward";
        EXPECT_TRUE(g->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), g);
        EXPECT_EQ(g->state(), TDBGrid::Insert);
        g->cancel();
        d->reject();
    });
    EXPECT_EQ(count("F_SEM"), 0);
}

TEST_F(MusteriGiris2Test, ADeleteAnsweredNoKeepsTheRow)
{
    insertPerson(7);
    db.insert("F_GOR", {{"Gor_Key", 3}, {"Musteri_Key", 7}, {"Gorev", "KARTAL"}, {"Antrenor", "AHMET"}});
    open(7, [&](QDialog*) {
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "KARTAL Silinecektir. Eminmisiniz ...?");
            click(Form5->BitBtn2);
        });
        editor->MenuItem11Click();
        EXPECT_EQ(editor->DBGrid17->rowCount(), 1);
    });
    EXPECT_EQ(count("F_GOR"), 1);
}

TEST_F(MusteriGiris2Test, ACoachTitleHeldAlreadyIsRefusedAndDropped)
{
    insertPerson(7);
    const int title = db.scalar("select Durum_Key from C_UYEKULLANICI where Durum = '1.KADEME ANTRENÖR'").toInt();
    db.insert("F_ANT", {{"Ant_Key", 3}, {"Musteri_Key", 7}, {"Durum_Key", title}, {"Yer", "ANKARA"}});
    open(7, [&](QDialog*) {
        TDBGrid* g = editor->DBGrid13;
        editor->MenuItem2Click();
        g->setFieldValue("Yer", "İZMİR");
        EXPECT_FALSE(g->post());
        EXPECT_EQ(ui().lastText(), "Eksik veya hatalı giriş yaptınız ...!");
        pick(g, "Durum", "1.KADEME ANTRENÖR");
        EXPECT_FALSE(g->post());
        EXPECT_EQ(ui().lastText(),
                  "Aynı Antrenörlük Bilgisi Kayıtlıdır. Lütfen Düzeltme ve İlavenizi Onun Üzerinde Yapınız ...!");
        EXPECT_EQ(g->state(), TDBGrid::Browse);
        EXPECT_EQ(g->rowCount(), 1);
    });
    EXPECT_EQ(count("F_ANT"), 1);
}

TEST_F(MusteriGiris2Test, APenaltyRowGivesThePenaltyStatus)
{
    insertPerson(7, {{"E73", "ELLE YAZILMIŞ"}});
    open(7, [&](QDialog*) {
        EXPECT_EQ(editor->Edit73->text(), "ELLE YAZILMIŞ");
        TDBGrid* g = editor->DBGrid16;
        editor->MenuItem10Click();
        pick(g, "Turnuva_Adi", "CEZA");
        pick(g, "Brans_Adi", "-");
        g->setFieldValue("Gorev", "1 YIL MÜSABAKADAN MEN");
        EXPECT_FALSE(g->post());
        EXPECT_EQ(ui().lastText(), "Tarih Girmediniz ...!");
        g->setFieldValue("Tarih", QDate(2009, 1, 1));
        EXPECT_TRUE(g->post());
        EXPECT_EQ(editor->Edit73->text(), "1 YIL MÜSABAKADAN MEN");
        editor->FModified = 0;
    });
    EXPECT_EQ(db.scalar("select Turnuva_Key from F_DER").toInt(), 1);
}

TEST_F(MusteriGiris2Test, LicenceRowsGiveTheLicenceSummary)
{
    insertPerson(7);
    const int club = Counters::next(db, "sayik");
    db.insert("C_UYELIKSURESI", {{"Durum_Key", club}, {"Durum", "KARTAL SPOR"}, {"E1", "ANKARA"}});
    db.insert("F_LNC", {{"Lnc_Key", 3}, {"Musteri_Key", 7}, {"Lnc_No", "06-049-000001"}, {"Klup_Key", club},
                        {"Bolge_Key", 6}, {"L_Tarih", QDate(2007, 1, 1)}, {"V_Tarih", QDate(2008, 1, 1)}});
    Counters::set(db, "Sayiu", 10);
    open(7, [&](QDialog*) {
        TDBGrid* g = editor->DBGrid1;
        editor->MenuItem14Click();
        g->setFieldValue("Lnc_No", "06-049-000002");
        pick(g, "Klup_Adi", "KARTAL SPOR");
        pick(g, "Bolge_Adi", "ANKARA");
        g->setFieldValue("L_Tarih", QDate(2009, 5, 1));
        g->setFieldValue("T_Tarih", QDate(2010, 6, 1));
        EXPECT_TRUE(g->post());
        EXPECT_EQ(editor->Edit107->text(), "2008");
        EXPECT_EQ(editor->Edit67->text(), "2010");
        EXPECT_EQ(editor->Edit26->text(), "06-049-000002");
        editor->FModified = 0;
    });
}

TEST_F(MusteriGiris2Test, GridTitlesSetAtStartUpSurviveTheOpening)
{
    GridColumn c = editor->DBGrid1->column(6);
    c.title = "YÖNETİCİ";
    editor->DBGrid1->setColumn(6, c);
    insertPerson(7);
    open(7, [&](QDialog*) { EXPECT_EQ(editor->DBGrid1->column(6).title, "YÖNETİCİ"); });
}

TEST_F(MusteriGiris2Test, NewRowsOfDifferentGridsTakeConsecutiveKeys)
{
    insertPerson(7);
    Counters::set(db, "Sayiu", 20);
    open(7, [&](QDialog*) {
        editor->MenuItem12Click();
        EXPECT_EQ(editor->DBGrid17->currentRecord().toInt("Gor_Key"), 21);
        editor->MenuItem8Click();
        EXPECT_EQ(editor->DBGrid12->currentRecord().toInt("Kus_Key"), 22);
        EXPECT_EQ(editor->DBGrid12->currentRecord().toInt("Musteri_Key"), 7);
    });
}

TEST_F(MusteriGiris2Test, TypingInTheStyleColumnOfTheBeltGridChangesNothing)
{
    insertPerson(7);
    const int belt = db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = 'SARI KUŞAK'").toInt();
    db.insert("F_KUSAK", {{"Kus_Key", 3}, {"Musteri_Key", 7}, {"Kusak_Key", belt}, {"Stil", "KICK"}, {"Yer", "ANKARA"}});
    open(7, [&](QDialog*) {
        TDBGrid* g = editor->DBGrid12;
        ASSERT_EQ(g->rowCount(), 1);
        QApplication::setActiveWindow(editor);
        auto typeCell = [&](const QString& field, const QString& text) {
            g->setFocus();
            g->setCurrentIndex(g->model()->index(0, g->columnOf(field)));
            typeInto(g, text);
            if (QWidget* cellEditor = QApplication::focusWidget(); cellEditor && cellEditor != g)
                QTest::keyClick(cellEditor, Qt::Key_Return);
            QApplication::processEvents();
        };
        typeCell("Stil", "full");
        EXPECT_EQ(g->currentRecord().str("Stil"), "KICK");
        EXPECT_EQ(g->state(), TDBGrid::Browse);
        typeCell("Yer", "izmir");
        EXPECT_EQ(g->currentRecord().str("Yer"), "İZMİR") << "other columns take typing";
        g->cancel();
        editor->FModified = 0;
    });
}

TEST_F(MusteriGiris2Test, OnlyTheAdministratorChangesTheLicenceGrid)
{
    open(0, [&](QDialog*) {
        EXPECT_FALSE(editor->DBGrid1->isReadOnly());
        EXPECT_EQ(editor->DBGrid1->contextMenuPolicy(), Qt::CustomContextMenu);
    });
    Sifre->FIsAdmin = false;
    open(0, [&](QDialog*) {
        EXPECT_TRUE(editor->DBGrid1->isReadOnly());
        EXPECT_EQ(editor->DBGrid1->contextMenuPolicy(), Qt::NoContextMenu);
    });
}

} // namespace
