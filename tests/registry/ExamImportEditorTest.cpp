// The exam import through the person editor's import mode, opened from the
// main window's menu item, over fixture packages: a club database made with
// the schema, marked rows and photos beside it.
#include "ExamImportFixture.h"

#include "app/BrivexSchema.h"
#include "app/dialogs/ImtRapor.h"
#include "platform/paths/DriveMap.h"
#include "platform/text/Rtf.h"
#include "registry/KlupGiris2.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QWindow>

namespace ExamImportEditorTestLocal {

const QString kExamDate = "15.06.2009";

struct ExamLogLine {
    QString text;
    QColor colour;
    bool operator==(const ExamLogLine& o) const { return text == o.text && colour == o.colour; }
};

void PrintTo(const ExamLogLine& l, std::ostream* os)
{
    *os << l.text.toStdString() << " [" << l.colour.name().toStdString() << "]";
}

class ExamImportEditorTest : public ExamImportFixture {
protected:
    void SetUp() override
    {
        ExamImportFixture::SetUp();
        folder = dir.path() + "/paket";
        QDir().mkpath(folder);
        packageFile = folder + "/BG200.mdb";
        {
            Database package;
            package.open(packageFile, false);
            brivexSchema().create(package);
            // The club's row comes first in the table: rows are found by key.
            package.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", "KARTAL SPOR"}, {"E1", "İSTANBUL"}});
            package.insert("C_UYELIKSURESI",
                           {{"Durum_Key", 1}, {"Durum", "-"}, {"Sokak", "0000101"}, {"Cadde", "0000102"}});
        }
    }

    // Changes the package database.
    void inPackage(const std::function<void(Database&)>& change)
    {
        Database package;
        package.open(packageFile);
        change(package);
    }
    // A marked athlete of the package.
    void athlete(int key, const QString& first, const QString& last, const QString& oldBelt, const QString& newBelt,
                 const QVariantMap& extra = {})
    {
        QVariantMap row{{"Musteri_Key", key},      {"Adi", first},         {"Soyadi", last},
                        {"Ad_Soyad", first + " " + last}, {"Vergi_Dairesi", "İSTANBUL"}, {"E75", oldBelt},
                        {"E25", newBelt},          {"E16", "KARTAL SPOR"}, {"Terfi", 1},
                        {"M7", kExamDate},         {"Telefonlar", "0212 555 11 22"},
                        {"E50", "SPORCU"},         {"E15", "ERKEK"},       {"E53", k57}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            row.insert(it.key(), it.value());
        inPackage([&](Database& p) { p.insert("C_MUSTERI", row); });
    }
    // The photo of a package athlete, beside the database.
    void photo(int key, Qt::GlobalColor colour = Qt::red)
    {
        examPhoto(folder + "/R" + QString::number(key) + ".jpg", colour);
    }
    // The next question of the shared yes/no dialog: answered, its text kept.
    void answer(bool yes)
    {
        modals().expect("TForm5", [this, yes](QDialog* d) {
            questions << Form5->Label1->text();
            click(child<QPushButton>(d, yes ? "BitBtn1" : "BitBtn2"));
        });
    }
    // Opens the editor from the main window's menu item and presses "Aktar"
    // with the package chosen; the questions queued after it answer the
    // run's questions.
    void runImport(const std::function<void()>& queueAnswers = {})
    {
        fromImportMenu(
            [this](QDialog* d) {
                buttonsDuring = {editor->BitBtn1->isVisible(), editor->BitBtn3->isVisible(),
                                 editor->BitBtn4->isVisible()};
                ui().answerFile(packageFile);
                click(editor->BitBtn4);
                editorEnabledAfter = editor->isEnabled();
                // The log is kept in front of the modal editor and is not
                // blocked by it.
                logOwnedByEditor = ImtRapor->windowHandle() &&
                                   ImtRapor->windowHandle()->transientParent() == d->windowHandle();
                clubPrefill = {KlupGiris2->Edit26->text(), KlupGiris2->Edit4->text(),
                               QString::number(KlupGiris2->FPrefilled)};
            },
            queueAnswers);
    }
    QList<ExamLogLine> logLines() const
    {
        QList<ExamLogLine> out;
        for (QTextBlock b = ImtRapor->RichEdit1->document()->begin(); b.isValid(); b = b.next()) {
            if (b.text().isEmpty())
                continue;
            out << ExamLogLine{b.text(), b.begin().fragment().charFormat().foreground().color()};
        }
        return out;
    }
    Record packageRow(int key)
    {
        Database copy;
        copy.open(folder + "/fed.mdb");
        const auto r = copy.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}});
        return r ? *r : Record();
    }
    QByteArray packageHash() const
    {
        QFile f(packageFile);
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    QString clubKeyText() const { return QString::number(club); }

    QString folder;
    QString packageFile;
    QStringList questions;
    QList<bool> buttonsDuring;
    bool editorEnabledAfter = true;
    bool logOwnedByEditor = false;
    QStringList clubPrefill;
};

const QColor kNavy(0, 0, 128);
const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 111, 0);
const QColor kRed(255, 0, 0);

QList<ExamLogLine> examHeader()
{
    return {{"Kulüp : KARTAL SPOR", kNavy}, {"Bölge : İSTANBUL", kNavy}, {"Sisteme Aktarma Tarihi : 05.03.2009", kNavy}};
}

TEST_F(ExamImportEditorTest, ImportsThePackageRowByRowAndLogsEachInColour)
{
    // A new white belt, a promoted athlete found by identity number, a new
    // athlete with an apostrophe in his name found by no step, a wrong grade
    // and an athlete without a photo.
    athlete(31, "ALİ", "VELİ", "BEYAZ KUŞAK", "SARI KUŞAK", {{"E42", "10000000146"}});
    athlete(32, "AYŞE", "KAYA", "SARI KUŞAK", "YEŞİL KUŞAK", {{"E42", "12345678950"}, {"Telefonlar", "0216 1"}});
    athlete(33, "CAN", "O'NEIL", "SARI KUŞAK", "YEŞİL KUŞAK", {{"E26", "L'7"}});
    athlete(34, "DENİZ", "ER", "X.GIP", "SARI KUŞAK");
    athlete(35, "EMRE", "TAŞ", "BEYAZ KUŞAK", "SARI KUŞAK");
    photo(31);
    photo(32, Qt::blue);
    photo(33);
    photo(34);
    insertPerson(10, {{"Vergi_Numarasi", "0000010"}, {"Vergi_Dairesi", "İSTANBUL"}, {"E42", "12345678950"},
                      {"E25", "SARI KUŞAK"}, {"Telefonlar", "eski"}});
    const QByteArray before = packageHash();

    runImport([this] {
        answer(true);   // the club and the count
        answer(true);   // CAN O'NEIL enters as new
    });

    ASSERT_EQ(questions.size(), 2) << questions.join("|");
    EXPECT_EQ(questions[0], "Kulüp Adı: İSTANBUL / KARTAL SPOR\nSporcu Sayısı: 5   Tarih: 15.06.2009    Lütfen Ödeme "
                            "Miktarını Kontrol Ediniz.\nDevam Edilsin mi ?");
    EXPECT_EQ(questions[1], "CAN O'NEIL (Lisans No:L'7)\nAd Soyad ve Bölgesi Uyuşan Kayıt Bulunamamıştır. Yeni Kayıt "
                            "Olarak Girilsin mi ?");

    const auto ali = federationPerson("ALİ VELİ");
    const auto can = federationPerson("CAN O'NEIL");
    ASSERT_TRUE(ali && can);
    QList<ExamLogLine> expected = examHeader();
    expected << ExamLogLine{"ALİ VELİ (" + ali->str("Vergi_Numarasi") + ") --> Yeni Kayıt Olarak Girildi.", kGreen}
             << ExamLogLine{"AYŞE KAYA (0000010) --> Güncellendi.", kGreen}
             << ExamLogLine{"CAN O'NEIL (" + can->str("Vergi_Numarasi") + ") --> Yeni Kayıt Olarak Girildi.", kGreen}
             << ExamLogLine{"DENİZ ER --> Hatalı Kuşak Numarası.", kBlack}
             << ExamLogLine{"EMRE TAŞ --> Sporcuya Ait Fotoğraf Dosyası Bulunamadı.", kBlack};
    EXPECT_EQ(logLines(), expected);
    EXPECT_EQ(ImtRapor->ProgressBar1->value(), 100);
    EXPECT_TRUE(ui().texts().contains(
        "İşlem Tamamlandı. Hatalı Durumları Tespit Etmek için Lütfen Hatalı Listesini Alınız !"))
        << ui().texts().join("|");

    // The register: new persons with the package's names, region and belts;
    // the promoted one keeps his name and takes the package's other values.
    EXPECT_EQ(ali->str("Vergi_Dairesi"), "İSTANBUL");
    EXPECT_EQ(ali->str("E25"), "SARI KUŞAK");
    EXPECT_EQ(ali->str("E75"), "BEYAZ KUŞAK");
    EXPECT_EQ(ali->date("M7"), QDate(2009, 6, 15));
    EXPECT_EQ(ali->str("Vergi_Numarasi"), "0000001");
    EXPECT_EQ(can->str("Vergi_Numarasi"), "0000002");
    const Record ayse = stored(10);
    EXPECT_EQ(ayse.str("E25"), "YEŞİL KUŞAK");
    EXPECT_EQ(ayse.str("E75"), "SARI KUŞAK");
    EXPECT_EQ(ayse.str("Telefonlar"), "0216 1");
    EXPECT_EQ(ayse.str("Vergi_Numarasi"), "0000010");
    EXPECT_FALSE(federationPerson("DENİZ ER").has_value());
    EXPECT_FALSE(federationPerson("EMRE TAŞ").has_value());

    // Photos under the federation's keys.
    EXPECT_TRUE(QFile::exists(programPhoto(ali->toInt("Musteri_Key"))));
    EXPECT_TRUE(QFile::exists(programPhoto(can->toInt("Musteri_Key"))));
    QImage promoted;
    ASSERT_TRUE(promoted.load(programPhoto(10)));
    EXPECT_GT(qBlue(promoted.pixel(5, 5)), 200);

    // The working copy holds the results; the chosen file is unchanged.
    EXPECT_EQ(packageHash(), before);
    for (int key : {31, 32, 33}) {
        const Record r = packageRow(key);
        EXPECT_EQ(r.toInt("Terfi"), 2) << key;
        EXPECT_EQ(r.str("User"), "FEDERASYON, 05.03.2009");
        EXPECT_EQ(r.date("M1"), QDate(2009, 3, 5));
        EXPECT_EQ(r.str("E75"), r.str("E25"));
    }
    EXPECT_EQ(packageRow(32).str("Vergi_Numarasi"), "0000010");
    EXPECT_EQ(packageRow(31).str("Vergi_Numarasi"), "0000001");
    for (int key : {34, 35}) {
        EXPECT_EQ(packageRow(key).toInt("Terfi"), 1) << key;
        EXPECT_TRUE(packageRow(key).str("User").isEmpty());
    }

    // The log is saved as RTF, colours and all, beside the package.
    const QString rtfFile = folder + "/Rapor" + clubKeyText() + ".rtf";
    QFile rtf(rtfFile);
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly)) << rtfFile;
    const QByteArray rtfText = rtf.readAll();
    EXPECT_TRUE(rtfText.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtfText.contains("\\red0\\green0\\blue128"));
    EXPECT_TRUE(rtfText.contains("\\red0\\green111\\blue0"));
    QTextDocument back;
    ASSERT_TRUE(Rtf::load(back, rtfFile));
    EXPECT_TRUE(back.toPlainText().contains("CAN O'NEIL (0000002) --> Yeni Kayıt Olarak Girildi."));
    EXPECT_EQ(ImtRapor->SaveDialog1.FileName, DriveMap::toWindows(folder) + "/Rapor" + clubKeyText() + ".rtf");

    // Import mode showed "Aktar" only; the editor stays disabled beside the
    // log, is left empty, and gets its buttons back.
    EXPECT_EQ(buttonsDuring, (QList<bool>{false, false, true}));
    EXPECT_FALSE(editorEnabledAfter);
    EXPECT_TRUE(logOwnedByEditor);
    EXPECT_EQ(editor->FPersonKey, 0);
    EXPECT_EQ(editor->FBatchMode, 0);
    EXPECT_FALSE(editor->BitBtn1->isHidden());
    EXPECT_FALSE(editor->BitBtn3->isHidden());
    EXPECT_TRUE(editor->BitBtn4->isHidden());
    EXPECT_TRUE(ImtRapor->isVisible());
    EXPECT_TRUE(ImtRapor->BitBtn4->isHidden());
}

TEST_F(ExamImportEditorTest, AFailedSaveWritesNothingBackAndCopiesNoPhoto)
{
    athlete(31, "ALİ", "VELİ", "BEYAZ KUŞAK", "SARI KUŞAK");
    photo(31);
    // No register number can be made: the new person is not saved.
    db.exec("update C_SAYI set SonSicil = 'X17'");
    const int before = count("C_MUSTERI");

    runImport([this] { answer(true); });

    QList<ExamLogLine> expected = examHeader();
    expected << ExamLogLine{"ALİ VELİ --> Kayıtta Problem Oluştu.", kRed};
    EXPECT_EQ(logLines(), expected);
    EXPECT_TRUE(ui().texts().contains(PersonWriter::kNoRegisterNumberMessage));
    EXPECT_EQ(count("C_MUSTERI"), before);
    const Record r = packageRow(31);
    EXPECT_EQ(r.toInt("Terfi"), 1);
    EXPECT_TRUE(r.str("Vergi_Numarasi").isEmpty());
    EXPECT_TRUE(r.str("User").isEmpty());
    EXPECT_TRUE(QDir(host("C:\\CO\\QVX_PROG\\")).entryList({"R*.jpg"}, QDir::Files).isEmpty());

    // A failed update is logged as such.
    ImtRapor->close();
    db.exec("update C_SAYI set SonSicil = '0000000'");
    // The package leaves the athlete's gender empty: the editor refuses him.
    insertPerson(10, {{"Vergi_Numarasi", "0000010"}, {"Ad_Soyad", "ALİ VELİ"}, {"Vergi_Dairesi", "İSTANBUL"},
                      {"E25", "SARI KUŞAK"}, {"E50", "SPORCU"}, {"E53", k57}});
    inPackage([](Database& p) { p.exec("update C_MUSTERI set E75 = 'SARI KUŞAK', E25 = 'YEŞİL KUŞAK', E15 = ''"); });
    questions.clear();
    runImport([this] { answer(true); });
    EXPECT_EQ(logLines().value(3), (ExamLogLine{"ALİ VELİ --> Güncellemede Problem Oluştu.", kRed}));
    EXPECT_EQ(ui().texts().value(ui().texts().size() - 2), "Sporcunun Cinsiyetinin Girmeniz Gerekmektedir ...!");
    EXPECT_EQ(packageRow(31).toInt("Terfi"), 1);
    EXPECT_FALSE(QFile::exists(programPhoto(10)));
}

TEST_F(ExamImportEditorTest, AClubNotInTheRegisterStopsTheRunAndPrefillsTheClubEntry)
{
    inPackage([](Database& p) { p.exec("update C_UYELIKSURESI set Durum = 'ŞAHİN''İN SPOR' where Durum_Key = 200"); });
    athlete(31, "ALİ", "VELİ", "SARI KUŞAK", "YEŞİL KUŞAK");

    runImport();
    EXPECT_EQ(ui().lastText(),
              "KULÜP ADI : ŞAHİN'İN SPOR\nBÖLGE : İSTANBUL\n\nYukarıda Belirtilen Kulüp / Bölge Sistemde Kayıtlı "
              "Değildir. Aktarma İşlemine Devam Edebilmek için Lütfen Yukarıda Belirtilen Ad ve Bölgede Kulüp "
              "Tanıtınız.\n\nNOT : Kulüp Adı ve Bölgesi Birebir Aynı Olmalıdır ...!");
    EXPECT_EQ(clubPrefill, (QStringList{"ŞAHİN'İN SPOR", "İSTANBUL", "1"}));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(packageRow(31).toInt("Terfi"), 1);

    // Once the club exists, its name with the apostrophe is found.
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 77}, {"Durum", "ŞAHİN'İN SPOR"}, {"E1", "İSTANBUL"}});
    runImport([this] { answer(false); });
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith("Kulüp Adı: İSTANBUL / ŞAHİN'İN SPOR\nSporcu Sayısı: 1"));
    EXPECT_EQ(ImtRapor->SaveDialog1.FileName, DriveMap::toWindows(folder) + "/Rapor77.rtf");
    EXPECT_FALSE(ImtRapor->isVisible());
}

TEST_F(ExamImportEditorTest, ARefusedCommitteeEndsTheRunBeforeAnyRow)
{
    db.exec("update C_MUSTERI set E25 = 'SİYAH KUŞAK' where Musteri_Key = 902");
    athlete(31, "ALİ", "VELİ", "SARI KUŞAK", "YEŞİL KUŞAK");
    photo(31);
    insertPerson(10, {{"Ad_Soyad", "ALİ VELİ"}, {"Vergi_Dairesi", "İSTANBUL"}, {"E25", "SARI KUŞAK"}});

    runImport([this] { answer(true); });
    EXPECT_EQ(ui().lastText(), "Sistemde 1.Komisyon Üyesinin (ÜYE BİR) Kuşak Durumunun DAN Olmadığı Tespit "
                               "Edilmiştir ...!\nİşlem Tamamlanmadı ...!");
    EXPECT_FALSE(ImtRapor->isVisible());
    EXPECT_EQ(stored(10).str("E25"), "SARI KUŞAK");
    EXPECT_EQ(packageRow(31).toInt("Terfi"), 1);
    EXPECT_TRUE(editorEnabledAfter);
}

TEST_F(ExamImportEditorTest, APackageWithoutMarkedRowsLogsOnlyItsHeader)
{
    athlete(31, "ALİ", "VELİ", "SARI KUŞAK", "YEŞİL KUŞAK", {{"Terfi", QVariant()}, {"M7", QVariant()}});

    runImport([this] { answer(true); });
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "Kulüp Adı: İSTANBUL / KARTAL SPOR\nSporcu Sayısı: 0   Tarih:     Lütfen Ödeme Miktarını "
                            "Kontrol Ediniz.\nDevam Edilsin mi ?");
    EXPECT_EQ(logLines(), examHeader());
    EXPECT_EQ(ui().lastText(),
              "İşlem Tamamlandı. Hatalı Durumları Tespit Etmek için Lütfen Hatalı Listesini Alınız !");
    EXPECT_TRUE(QFile::exists(folder + "/Rapor" + clubKeyText() + ".rtf"));
}

TEST_F(ExamImportEditorTest, NoFileChosenDoesNothing)
{
    fromImportMenu(
        [this](QDialog*) {
            ui().answerCancel();
            click(editor->BitBtn4);
        },
        {});
    ASSERT_EQ(ui().requests.size(), 1);
    EXPECT_FALSE(QFile::exists(folder + "/fed.mdb"));
    EXPECT_FALSE(ImtRapor->isVisible());
}

} // namespace ExamImportEditorTestLocal

namespace ExamImportEditorTestLocal {

// A package whose database cannot be read gets its own message (the club
// sends a new one), not the advice for the station's own database.
struct UnreadablePackage {
    const char* name;
    std::function<void(const QString& file)> spoil;
};

void PrintTo(const UnreadablePackage& p, std::ostream* os)
{
    *os << p.name;
}

class UnreadablePackages : public ExamImportEditorTest, public ::testing::WithParamInterface<UnreadablePackage> {};

TEST_P(UnreadablePackages, AreRefusedWithThePackagesOwnMessage)
{
    athlete(31, "ALİ", "VELİ", "SARI KUŞAK", "YEŞİL KUŞAK");
    photo(31);
    GetParam().spoil(packageFile);
    const QByteArray before = packageHash();

    runImport();
    ASSERT_FALSE(ui().texts().isEmpty());
    const QString shown = ui().lastText();
    EXPECT_TRUE(shown.startsWith("Seçtiğiniz imtihan paketi bozuk ya da eksik olduğundan okunamadı ...!\n"
                                 "Lütfen kulüpten imtihan paketini yeniden hazırlayıp göndermesini isteyiniz.\n\n"
                                 "Ayrıntı: "))
        << shown.toStdString();
    EXPECT_FALSE(shown.contains("yedeğinden")) << shown.toStdString();
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_FALSE(ImtRapor->isVisible());
    EXPECT_TRUE(editorEnabledAfter);
    EXPECT_EQ(packageHash(), before) << "the chosen file is never written";
    EXPECT_FALSE(federationPerson("ALİ VELİ"));
}

void spoilFile(const QString& file, const std::function<QByteArray(const QByteArray&)>& change)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = change(f.readAll());
    f.close();
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Packages, UnreadablePackages,
    ::testing::Values(
        // Cut short in transit: the first pages only.
        UnreadablePackage{"CutShort", [](const QString& f) { spoilFile(f, [](const QByteArray& b) { return b.left(8192); }); }},
        // Every page after the first overwritten.
        UnreadablePackage{"Scrambled",
                          [](const QString& f) {
                              spoilFile(f, [](const QByteArray& b) {
                                  return b.left(4096) + QByteArray(b.size() - 4096, char(0x5a));
                              });
                          }},
        // Another file under the package's name.
        UnreadablePackage{"NotADatabase",
                          [](const QString& f) {
                              spoilFile(f, [](const QByteArray&) { return QByteArray(8192, 'x'); });
                          }},
        // A database, but not a club's.
        UnreadablePackage{"NoClubTables",
                          [](const QString& f) {
                              QFile::remove(f);
                              Database other;
                              other.open(f, false);
                              other.exec("create table NOTLAR (Metin text)");
                          }}),
    [](const ::testing::TestParamInfo<UnreadablePackage>& info) { return std::string(info.param.name); });

} // namespace ExamImportEditorTestLocal
