// The person search screen driven through its named controls: the search,
// the selection made with the mouse (Shift and Ctrl) and the keyboard, the
// batch buttons, the SMS export and the report drop-down.

#include "app/MusteriGiris1.h"
#include "app/dialogs/ImtRapor.h"
#include "app/kit/Session.h"
#include "exchange/SmsExport.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"
#include "registry/MaskEdit.h"
#include "registry/Seminer.h"
#include "registry/Vizeler.h"
#include "reports/RegistryReports.h"
#include "scoring/Aktar1S.h"
#include "support/ScreenDriving.h"
#include "support/SmsProgram.h"
#include "support/PrintedTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace PersonSearchScreenTestLocal {

class PersonSearchScreen : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        session().today = [] { return QDate(2024, 2, 3); };
        person(1, "ALİ VELİ", {{"E16", "KARTAL SPOR"}, {"E51", "ULUSAL HAKEM"}, {"E68", 2023}, {"E62", "5321234567"}});
        person(2, "AYŞE KAYA", {{"E16", "KARTAL SPOR"}, {"E52", "ANTRENÖR"}, {"E69", 2022}, {"E62", "0555 111 22 33"}});
        person(3, "CAN ÖZ", {{"E16", "KARTAL SPOR"}, {"E51", "İL HAKEMİ"}, {"E62", "03124445566"}});
        person(4, "DENİZ AK", {{"E16", "KARTAL SPOR"}, {"E62", "5440001122"}});
        person(5, "EMRE SU", {{"E16", "ANKARA GÜCÜ"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 50}, {"Durum", "KARTAL SPOR"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 51}, {"Durum", "ANKARA GÜCÜ"}});
        screen = MusteriGiris1;
        open(screen);
    }
    void TearDown() override
    {
        Shell::setHook({});
        if (ImtRapor)
            ImtRapor->close();
        screen->close();
        SignedInTest::TearDown();
    }

    void person(int key, const QString& name, QVariantMap fields)
    {
        fields.insert("Musteri_Key", key);
        fields.insert("Ad_Soyad", name);
        fields.insert("Adi", name.section(' ', 0, 0));
        fields.insert("Soyadi", name.section(' ', 1));
        fields.insert("Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0')));
        fields.insert("Tip", 1);
        db.insert("C_MUSTERI", fields);
    }

    // The club criterion picked and "Kayıt Bul" pressed.
    void searchClub(const QString& club = "KARTAL SPOR")
    {
        pick(child<QComboBox>(screen, "DBLookupComboBox4"), club);
        click(screen->BitBtn1);
    }

    // A click on a row of the list with the keyboard modifiers held.
    void clickRow(int row, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        TDBGrid* grid = screen->DBGrid1;
        const QRect r = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, r.center());
        QApplication::processEvents();
    }

    QString keysOf(const QStringList& names)
    {
        QStringList keys;
        for (const QString& n : names)
            keys << db.scalar("select Musteri_Key from C_MUSTERI where Ad_Soyad = :n", {{"n", n}}).toString();
        return keys.join(',');
    }

    TMusteriGiris1* screen = nullptr;
};

TEST_F(PersonSearchScreen, EnterInACriterionSearchesAndTypingClosesTheList)
{
    QLineEdit* name = child<QLineEdit>(screen, "Edit7");
    name->setFocus();
    typeInto(name, "ali veli");
    EXPECT_EQ(name->text(), "ALİ VELİ");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(screen->FListOpen);
    EXPECT_EQ(screen->CountLabel->text(), "Kayıt Sayısı : 1");
    EXPECT_EQ(screen->FReportSql, "Select * from C_MUSTERI where (Ad_Soyad = :ps1)");
    EXPECT_EQ(screen->FParams.value("ps1").toString(), "ALİ VELİ");
    typeInto(name, "X");
    EXPECT_FALSE(screen->FListOpen);
    EXPECT_TRUE(screen->CountLabel->text().isEmpty());
}

TEST_F(PersonSearchScreen, SearchRefusesWrongCriteriaWithTheirMessages)
{
    click(screen->BitBtn1);
    EXPECT_EQ(ui().lastText(), "Lütfen Arama Kriteri Giriniz ...!");

    struct Wrong {
        const char* field;
        const char* text;
        const char* message;
    };
    const QList<Wrong> cases = {
        {"MaskEdit1", "31.12.1949", "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!"},
        {"MaskEdit2", "02.01.2050", "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!"},
        {"MaskEdit1", "31.02.2010", "Tarihi Hatalı Girdiniz ...!"},
        {"Edit13", "5O", "Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)"},
        {"Edit8", "99", "Hatalı Vize Yılı Girdiniz. Lütfen Vize Yılını 4 Hane Yıl Olarak Giriniz ...!"},
        {"Edit17", "2101", "Hatalı Vize Yılı Girdiniz. Lütfen Vize Yılını 4 Hane Yıl Olarak Giriniz ...!"},
        {"Edit22", "20X4", "Hatalı Vize Yılı Girdiniz. Lütfen Düzeltiniz ...!"},
    };
    for (const Wrong& w : cases) {
        ui().clear();
        auto* field = child<QLineEdit>(screen, w.field);
        if (auto* mask = qobject_cast<TMaskEdit*>(field))
            mask->setMaskedText(w.text);
        else
            field->setText(w.text);
        click(screen->BitBtn1);
        EXPECT_EQ(ui().lastText(), QString::fromUtf8(w.message)) << w.field << " " << w.text;
        EXPECT_FALSE(screen->FListOpen);
        if (auto* mask = qobject_cast<TMaskEdit*>(field))
            mask->setMaskedText(QString());
        else
            field->clear();
    }
    // The bounds themselves pass.
    child<TMaskEdit>(screen, "MaskEdit1")->setMaskedText("01.01.1950");
    child<TMaskEdit>(screen, "MaskEdit2")->setMaskedText("01.01.2050");
    child<QLineEdit>(screen, "Edit1")->setText("3");
    ui().clear();
    click(screen->BitBtn1);
    EXPECT_EQ(child<QLineEdit>(screen, "Edit1")->text(), "0000003");
    EXPECT_TRUE(screen->FListOpen);
}

TEST_F(PersonSearchScreen, SelectionFollowsShiftCtrlAndTheKeyboard)
{
    searchClub();
    ASSERT_EQ(screen->DBGrid1->rowCount(), 4);
    EXPECT_EQ(screen->FSelectedKeys, "");
    clickRow(0);
    EXPECT_EQ(screen->FSelectedKeys, keysOf({"ALİ VELİ"}));
    clickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(screen->FSelectedKeys, keysOf({"ALİ VELİ", "AYŞE KAYA", "CAN ÖZ"}));
    clickRow(1, Qt::ControlModifier);
    EXPECT_EQ(screen->FSelectedKeys, keysOf({"ALİ VELİ", "CAN ÖZ"}));
    clickRow(3, Qt::ControlModifier);
    clickRow(1, Qt::ControlModifier);
    EXPECT_EQ(screen->FSelectedKeys, keysOf({"ALİ VELİ", "CAN ÖZ", "DENİZ AK", "AYŞE KAYA"}));
    // The keyboard: a plain move selects the row it reaches, Shift extends.
    clickRow(0);
    QTest::keyClick(screen->DBGrid1, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(screen->FSelectedKeys, keysOf({"ALİ VELİ", "AYŞE KAYA"}));
    QTest::keyClick(screen->DBGrid1, Qt::Key_Down);
    EXPECT_EQ(screen->FSelectedKeys, keysOf({"CAN ÖZ"}));
    // A new search starts with nothing selected.
    click(screen->BitBtn1);
    EXPECT_EQ(screen->FSelectedKeys, "");
}

TEST_F(PersonSearchScreen, TheScannerSelectsTheRowOfAWholeRegisterNumber)
{
    searchClub();
    for (const char* scanned : {"000000", "0000009", "0000003"}) {
        screen->Hazrlayanlar1->trigger();
        typeInto(screen->Edit24, scanned);
        QTest::keyClick(screen->Edit24, Qt::Key_Return);
    }
    EXPECT_EQ(screen->FSelectedKeys, "3");
}

TEST_F(PersonSearchScreen, VisaYearGoesToEveryPersonOfTheSelection)
{
    searchClub();
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    modals().expect("TVizeler", [](QDialog*) {
        Vizeler->Edit1->setText("2024");
        click(Vizeler->RadioButton1);
        click(Vizeler->BitBtn1);
    });
    QString asked;
    answerQuestion(true, &asked);
    click(screen->BitBtn7);
    EXPECT_EQ(asked, "Seçilen 2 HAKEME 2024 Yılı Lisans Vizesi Verilecektir. Devam Edilsinmi ...?");
    EXPECT_EQ(ui().lastText(), "Lisans Vize Yılları İşlenmiştir ...!");
    const auto ali = db.first("select * from C_MUSTERI where Musteri_Key = 1");
    EXPECT_EQ(ali->toInt("E68"), 2024);
    EXPECT_EQ(ali->toInt("E77"), 2023);
    EXPECT_EQ(ali->str("User"), "ADMIN, 03.02.2024");
    EXPECT_EQ(db.first("select * from C_MUSTERI where Musteri_Key = 3")->toInt("E68"), 2024);
    EXPECT_TRUE(db.first("select * from C_MUSTERI where Musteri_Key = 2")->isNull("E68"));
    // The selection stays for the next operation.
    EXPECT_EQ(screen->FSelectedKeys, "1,3");
}

TEST_F(PersonSearchScreen, BatchButtonsRefuseWithoutListOrSelection)
{
    const auto shownBefore = modals().seen().size();
    click(screen->BitBtn7);
    EXPECT_EQ(ui().lastText(), "Lütfen 'Kayıt Bul' Düğmesine Basarak Kayıtları Listeleyiniz. Sonra Lisans Vize Yılı "
                               "İşlenecek Olan Hakem veya Antrenörleri Seçiniz ...!");
    searchClub();
    click(screen->BitBtn9);
    EXPECT_EQ(ui().lastText(), "Lütfen Seminer İşlenecek Olan Kişileri Seçiniz ...!");
    clickRow(0);
    click(screen->BitBtn10);
    EXPECT_EQ(ui().lastText(), "Lütfen Aktivite'den HAKEM, ANTRENÖR veya SPORCU Seçiniz ...!");
    EXPECT_EQ(modals().seen().size(), shownBefore);
}

TEST_F(PersonSearchScreen, SeminarAsksOnceForAPersonWithThatDate)
{
    db.insert("F_SEM", {{"Sem_Key", 900}, {"Musteri_Key", 2}, {"Tarih", QDate(2012, 5, 10)}});
    searchClub();
    clickRow(0);
    clickRow(1, Qt::ShiftModifier);
    modals().expect("TSeminer", [](QDialog*) {
        Seminer->Edit1->setText("HAKEM SEMİNERİ");
        Seminer->DateTimePicker1->setDate(QDate(2012, 5, 10));
        click(Seminer->BitBtn1);
    });
    QString count, duplicate;
    answerQuestion(true, &count);
    answerQuestion(false, &duplicate);
    click(screen->BitBtn9);
    EXPECT_EQ(count, "Seçilen 2 Kişiye Seminer İşlenecektir. Devam Edilsinmi ...?");
    EXPECT_EQ(duplicate, "AYŞE KAYA Aynı Bitiş Tarihi kaydı bulunmaktadır.\nYenisi de işlensin mi?");
    EXPECT_EQ(db.scalar("select count(*) from F_SEM where Musteri_Key = 1").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from F_SEM where Musteri_Key = 2").toInt(), 1);
    EXPECT_EQ(ui().lastText(), "İşlem Tamamlanmıştır ...!");
}

TEST_F(PersonSearchScreen, DeleteIsGuardedConfirmedAndAllOrNothing)
{
    db.insert("C_LISTE", {{"Liste_Key", 1}, {"Musteri_Key", 1}, {"Brans", "57 KG"}, {"Sira", 1}});
    db.insert("F_DER", {{"Der_Key", 1}, {"Musteri_Key", 2}});
    db.insert("F_SEM", {{"Sem_Key", 2}, {"Musteri_Key", 2}});
    searchClub();
    clickRow(0);
    click(screen->BitBtn5);
    EXPECT_EQ(ui().lastText(), "Bu Sporcu Tartı Listesinde Bulunduğundan Silinemiyor ...!");
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI where Musteri_Key = 1").toInt(), 1);

    // A failure half-way takes nothing away.
    clickRow(1);
    db.exec("create trigger person_search_locked before delete on C_MUSTERI begin select raise(abort, 'kilitli'); end");
    answerQuestion(true);
    EXPECT_THROW(screen->BitBtn5Click(), DbError);
    EXPECT_EQ(db.scalar("select count(*) from F_SEM where Musteri_Key = 2").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from F_DER where Musteri_Key = 2").toInt(), 1);
    db.exec("drop trigger person_search_locked");

    QString asked;
    answerQuestion(true, &asked);
    click(screen->BitBtn5);
    EXPECT_EQ(asked, "AYŞE KAYA Kaydı Silinecektir. Eminmisiniz ...?\n(Kişinin 1 Faaliyet Sonucu Kaydı da Silinecektir.)");
    EXPECT_EQ(ui().lastText(), "Kayıt Silindi ...!");
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI where Musteri_Key = 2").toInt(), 0);
    EXPECT_EQ(db.scalar("select count(*) from F_DER where Musteri_Key = 2").toInt(), 0);
    EXPECT_FALSE(screen->FListOpen);
}

TEST_F(PersonSearchScreen, DutyPostingHandsTheSelectionToTheResultsWindow)
{
    pick(child<QComboBox>(screen, "ComboBox1"), "HAKEM");
    click(screen->BitBtn1);
    clickRow(0);
    clickRow(1, Qt::ControlModifier);
    bool checked = false;
    modals().expect("TAktar1S", [&checked](QDialog* d) {
        EXPECT_EQ(Aktar1S->FRankingMode, 4);
        EXPECT_EQ(Aktar1S->FDutyText, "HAKEM OLARAK GÖREV YAPMIŞTIR.");
        EXPECT_EQ(Aktar1S->FSelectedKeys, "1,3");
        EXPECT_FALSE(Aktar1S->CheckBox1->isVisibleTo(d));
        EXPECT_FALSE(Aktar1S->CheckBox2->isVisibleTo(d));
        EXPECT_EQ(d->windowTitle(), "Lütfen Turnuva Seçiniz");
        checked = true;
        d->reject();
    });
    click(screen->BitBtn10);
    EXPECT_TRUE(checked);
}

TEST_F(PersonSearchScreen, SmsExportFillsTheGroupAndShowsTheLog)
{
    const QString smsPath = installSmsProgram(dir.path());
    QStringList started;
    Shell::setHook([&started](const Shell::Request& r) {
        started << r.target;
        return true;
    });

    searchClub();
    click(screen->BitBtn8);
    EXPECT_EQ(ui().lastText(), "Lütfen Cep Telefonu kısmından 'KAYDI OLANLAR'ı seçerek cep telefonu kayıtlı olan "
                               "kişileri listeleyiniz ...!");
    pick(child<QComboBox>(screen, "ComboBox6"), "KAYDI OLANLAR");
    click(screen->BitBtn1);
    ASSERT_EQ(screen->DBGrid1->rowCount(), 3);   // the land line is no mobile number
    clickRow(1);
    clickRow(2, Qt::ShiftModifier);
    click(screen->BitBtn8);
    EXPECT_TRUE(ImtRapor->isVisible());
    EXPECT_FALSE(screen->isEnabled());
    EXPECT_EQ(ImtRapor->Memo1->toPlainText(), "AYŞE KAYA;5551112233\nDENİZ AK;5440001122");
    EXPECT_EQ(started, QStringList{SmsExport::kProgramX86});
    ImtRapor->close();
    EXPECT_TRUE(screen->isEnabled());
}

TEST_F(PersonSearchScreen, GeneralListPrintsTheSelectedRows)
{
    searchClub();
    clickRow(1);
    clickRow(3, Qt::ControlModifier);
    const QString pdf = dir.filePath("genel.pdf");
    modals().expect("TBaslik1", [](QDialog* d) {
        d->findChild<QLineEdit*>("Edit8")->setText("KARTAL LİSTESİ");
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    modals().expect("ReportPreview", [pdf](QDialog* d) {
        ui().answerFile(pdf);
        click(d->findChild<QWidget*>("SaveButton"));
        d->close();
    });
    click(screen->BitBtn6);
    EXPECT_EQ(modals().pending(), 0);
    const QString text = pdftotext(pdf);
    EXPECT_TRUE(text.contains("KARTAL LİSTESİ")) << text.toStdString();
    EXPECT_TRUE(text.contains("AYŞE KAYA"));
    EXPECT_TRUE(text.contains("DENİZ AK"));
    EXPECT_FALSE(text.contains("ALİ VELİ"));
    EXPECT_FALSE(text.contains("CAN ÖZ"));
    // The list and its selection stay after the preview.
    EXPECT_TRUE(screen->FListOpen);
    EXPECT_EQ(screen->FSelectedKeys, "2,4");
}

TEST_F(PersonSearchScreen, PrintCommandsRefuseWithoutAList)
{
    const auto shownBefore = modals().seen().size();
    const QList<std::pair<const char*, const char*>> cases = {
        {"GenelListe31", "Lütfen 'Kayıt Bul' Düğmesine Basarak Sporcuları Listeleyiniz ...!"},
        {"AntrenrRapor1", "Lütfen 'Kayıt Bul' Düğmesine Basarak Antrenörleri Listeleyiniz ...!"},
        {"KlpListesi1", "Lütfen 'Kayıt Bul' Düğmesine Basarak Kulüpleri Listeleyiniz ...!"},
        {"BlgeBazndaHakemListesi1", "Lütfen Aktivite Bölümünden 'HAKEM' i Seçip 'Kayıt Bul' Düğmesine Basarak "
                                    "Hakemleri Listeleyiniz ...!"},
        {"BlgeBazndaKuakListesi1", "Lütfen 'Kayıt Bul' Düğmesine Basarak Rapor Alacaklarınızı Listeleyiniz ...!"},
    };
    for (const auto& [item, message] : cases) {
        ui().clear();
        screen->findChild<QAction*>(item)->trigger();
        EXPECT_EQ(ui().lastText(), QString::fromUtf8(message)) << item;
    }
    pick(child<QComboBox>(screen, "ComboBox1"), "HAKEM");
    click(screen->BitBtn1);
    ui().clear();
    screen->SporcuBilgileri1->trigger();
    EXPECT_EQ(ui().lastText(), "Bu Listeyi Sadece SPORCULAR için Alabilirsiniz ...!");
    EXPECT_EQ(modals().seen().size(), shownBefore);
}

TEST_F(PersonSearchScreen, CoachListCsvIsCopiedAndTheOldCopyKeptWhenTheListFails)
{
    const QString folder = dir.filePath("disari");
    QDir().mkpath(folder);
    writeFile(folder + "/Liste.csv", "ESKİ");
    QStringList opened;
    Shell::setHook([&opened](const Shell::Request& r) {
        opened << r.target;
        return true;
    });
    auto expectRun = [this](bool withFolder, const QString& folderPath) {
        modals().expect("TBaslik2", [](QDialog* d) { click(d->findChild<QWidget*>("BitBtn4")); });
        modals().expect("ReportPreview", [](QDialog* d) { d->close(); });
        if (withFolder)
            ui().answerFile(folderPath);
        screen->AntrenrRapor1->trigger();
    };
    searchClub();
    clickRow(1);
    // The list file cannot be written (a folder stands in its place): no
    // copy is made and the old Liste.csv stays.
    const QString list = host(Reports::kListCsv);
    QFile::remove(list);
    QDir().mkpath(list);
    expectRun(false, QString());
    QFile old(folder + "/Liste.csv");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("ESKİ"));
    old.close();
    EXPECT_TRUE(opened.isEmpty());

    QDir(list).removeRecursively();
    expectRun(true, folder);
    QFile copy(folder + "/Liste.csv");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QByteArray bytes = copy.readAll();
    QFile source(list);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes, source.readAll());
    EXPECT_TRUE(bytes.contains("KAYA")) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains("VEL"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(opened, QStringList{folder + "/Liste.csv"});
}

} // namespace PersonSearchScreenTestLocal
