#include "app/kit/DbConventions.h"
#include "app/setup/MetinIlave.h"
#include "app/setup/Metins.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"
#include "platform/text/Rtf.h"
#include "support/ScreenDriving.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

namespace {

class MetinsTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        Shell::setHook([this](const Shell::Request& r) {
            opened << r.target;
            return true;
        });
    }
    void TearDown() override
    {
        Shell::setHook({});
        SignedInTest::TearDown();
    }
    TMetins* s() { return Metins; }
    TDBGrid* grid() { return s()->DBGrid1; }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
    void addText(int key, const QString& name) { db.insert("METINLER", {{"Met_Key", key}, {"Met_Adi", name}}); }
    // Double-clicks the document column of the row with the key.
    void openDocumentOf(int key)
    {
        ASSERT_TRUE(grid()->locate("Met_Key", key));
        const QModelIndex cell = gridCell(grid(), grid()->currentRow(), "Met");
        grid()->setCurrentIndex(cell);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, grid()->visualRect(cell).center());
    }
    // A letter written in a word processor: a greeting, a bold name, an
    // italic closing line.
    static void writeLetter(QTextDocument& doc)
    {
        QTextCursor c(&doc);
        QTextCharFormat plain;
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        c.insertText("Sayın ", plain);
        c.insertText("Kulüp Başkanı", bold);
        c.insertText(",", plain);
        c.insertBlock();
        c.insertText("Şampiyonamıza katılımınızı bekleriz; ", plain);
        c.insertText("saygılarımızla.", italic);
    }
    // Each run of text with its bold and italic marks.
    static QStringList runs(const QTextDocument& doc)
    {
        QStringList out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                out << QString("%1|%2|%3")
                           .arg(f.text())
                           .arg(f.charFormat().fontWeight() >= QFont::Bold)
                           .arg(f.charFormat().fontItalic());
            }
        return out;
    }

    QStringList opened;
};

TEST_F(MetinsTest, ListsTheTextsByNameWithTheirDocumentMark)
{
    addText(600, "TEBRİK");
    addText(601, "DAVET");
    writeFile(host("C:\\CO\\M601.rtf"), "{\\rtf1 Davet}");
    open(s());
    EXPECT_EQ(s()->windowTitle(), "Metin Adları");
    EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), "Metin Adı");
    EXPECT_EQ(grid()->model()->headerData(1, Qt::Horizontal).toString(), "Metin Aç");
    EXPECT_EQ(s()->FLetterFolder, "C:\\CO\\");
    ASSERT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->record(0).str("Met_Adi"), "DAVET");
    EXPECT_EQ(s()->Table1CalcFields(grid()->record(0)), "r");
    EXPECT_EQ(s()->Table1CalcFields(grid()->record(1)), "");
    EXPECT_FALSE(grid()->cellText(0, 1).isEmpty()) << "the document mark";
    EXPECT_TRUE(grid()->cellText(1, 1).isEmpty());
    EXPECT_EQ(grid()->model()->data(gridCell(grid(), 0, "Met"), Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
}

struct MetinsFolderCase {
    const char* dbq;
    const char* document7;
};
class MetinsFolder : public MetinsTest, public ::testing::WithParamInterface<MetinsFolderCase> {};

TEST_P(MetinsFolder, TheDocumentLivesInTheLettersFolderOfTheDatabaseDrive)
{
    RegistryValues::setDbq(QString::fromUtf8(GetParam().dbq));
    open(s());
    EXPECT_EQ(s()->documentPath(7).toStdString(), GetParam().document7);
}

INSTANTIATE_TEST_SUITE_P(Drives, MetinsFolder,
                         ::testing::Values(MetinsFolderCase{"C:\\CO\\QVX_PROG\\Fdr.mdb", "C:\\CO\\M7.rtf"},
                                           MetinsFolderCase{"", "C:\\CO\\M7.rtf"},
                                           MetinsFolderCase{"M:\\QVX_PROG\\Fdr.mdb", "M:\\M7.rtf"}));

TEST_F(MetinsTest, ANewTextIsTypedIntoTheGrid)
{
    open(s());
    const int counter = Counters::current(db, "Sayi");
    s()->Yeni1->trigger();
    ASSERT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->currentRecord().toInt("Met_Key"), counter + 1);
    typeCell(grid(), 0, "Met_Adi", "bayram kutlaması");
    ASSERT_TRUE(grid()->post());
    EXPECT_EQ(db.scalar("select Met_Adi from METINLER where Met_Key = :k", {{"k", counter + 1}}).toString().toStdString(),
              "BAYRAM KUTLAMASI");
}

TEST_F(MetinsTest, ANameTakesThirtyCharacters)
{
    open(s());
    s()->Yeni1->trigger();
    typeCell(grid(), 0, "Met_Adi", QString(35, 'a'));
    EXPECT_EQ(grid()->currentRecord().str("Met_Adi"), QString(30, 'A'));
}

struct MetinsRowCase {
    const char* name;
    UiRequest::Kind box;
    const char* message;
};
class MetinsChecks : public MetinsTest, public ::testing::WithParamInterface<MetinsRowCase> {};

TEST_P(MetinsChecks, RefuseAFaultyRow)
{
    addText(610, "O'NEIL'E TEŞEKKÜR");
    open(s());
    s()->Yeni1->trigger();
    grid()->setFieldValue("Met_Adi", QString::fromUtf8(GetParam().name));
    EXPECT_FALSE(grid()->post());
    EXPECT_EQ(ui().texts(), QStringList({QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(ui().requests.first().kind, GetParam().box);
    EXPECT_EQ(grid()->state(), TDBGrid::Insert);
    EXPECT_EQ(count("select count(*) from METINLER"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MetinsChecks,
    ::testing::Values(MetinsRowCase{"", UiRequest::Info, "Eksik veya Hatalı Giriş Yaptınız ...!"},
                      MetinsRowCase{"O'NEIL'E TEŞEKKÜR", UiRequest::Error,
                              "Girmiş Olduğunuz Bilgiler Daha Önce Girilmiştir. Lütfen Düzeltiniz ...!"}));

TEST_F(MetinsTest, ARenamedTextKeepsItsOwnName)
{
    addText(611, "O'NEIL'E TEŞEKKÜR");
    open(s());
    grid()->editRow();
    EXPECT_TRUE(grid()->post()) << "its own key is left out of the name search";
    grid()->setFieldValue("Met_Adi", "O'NEIL'E TEŞEKKÜRLER");
    EXPECT_TRUE(grid()->post());
    EXPECT_EQ(db.scalar("select Met_Adi from METINLER where Met_Key = 611").toString(), "O'NEIL'E TEŞEKKÜRLER");
}

TEST_F(MetinsTest, ALetterWrittenWithBoldAndItalicComesBackTheSame)
{
    addText(620, "DAVET MEKTUBU");
    // The operator writes the letter in a word processor and saves it as RTF.
    QTextDocument written;
    writeLetter(written);
    const QString draft = dir.path() + "/taslak.rtf";
    ASSERT_TRUE(Rtf::save(written, draft));

    open(s());
    ui().answerFile(draft);
    openDocumentOf(620);
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests.first().kind, UiRequest::OpenFile);
    EXPECT_EQ(ui().requests.first().filter, "WordPad Dosyası (*.rtf)");
    EXPECT_EQ(opened, QStringList({"C:\\CO\\M620.rtf"})) << "the copy is opened for editing";
    EXPECT_EQ(s()->Table1CalcFields(grid()->currentRecord()), "r");

    QTextDocument read;
    QString error;
    ASSERT_TRUE(Rtf::load(read, host("C:\\CO\\M620.rtf"), &error)) << error.toStdString();
    EXPECT_EQ(runs(read), runs(written));
    EXPECT_EQ(runs(read), QStringList({"Sayın |0|0", "Kulüp Başkanı|1|0", ",|0|0",
                                       "Şampiyonamıza katılımınızı bekleriz; |0|0", "saygılarımızla.|0|1"}));

    // A second double click opens the document, asking nothing.
    openDocumentOf(620);
    EXPECT_EQ(ui().count(), 1);
    EXPECT_EQ(opened, QStringList({"C:\\CO\\M620.rtf", "C:\\CO\\M620.rtf"}));
}

TEST_F(MetinsTest, ANewRowGetsNoDocumentUntilItIsStored)
{
    open(s());
    s()->Yeni1->trigger();
    grid()->setFieldValue("Met_Adi", "YENİ METİN");
    const int key = grid()->currentRecord().toInt("Met_Key");
    const QModelIndex cell = gridCell(grid(), 0, "Met");
    grid()->setCurrentIndex(cell);
    s()->DBGrid1DblClick();
    EXPECT_EQ(ui().count(), 0) << "no file is asked for";
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_TRUE(grid()->post());
    ui().answerCancel();
    openDocumentOf(key);
    EXPECT_EQ(ui().count(), 1) << "asked once stored";
    EXPECT_FALSE(DriveMap::exists(s()->documentPath(key)));
}

TEST_F(MetinsTest, ADocumentThatCannotBeCopiedIsReported)
{
    addText(630, "BİLGİLENDİRME");
    // The database's drive D: stands on a folder that cannot exist.
    writeFile(dir.path() + "/dosya", "x");
    DriveMap::mapDrive('D', dir.path() + "/dosya/D", false);
    RegistryValues::setDbq("D:\\DATA\\Fdr.mdb");
    QTextDocument letter;
    writeLetter(letter);
    const QString draft = dir.path() + "/taslak.rtf";
    ASSERT_TRUE(Rtf::save(letter, draft));

    open(s());
    ASSERT_EQ(s()->FLetterFolder, "D:\\");
    ui().answerFile(draft);
    openDocumentOf(630);
    EXPECT_EQ(ui().texts(), QStringList({"Seçilen Dosya Metin Dosyası Olarak Kopyalanamadı. Lütfen Dosyayı ve D:\\ "
                                         "Klasörünü Kontrol Ediniz ...!"}));
    EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
    EXPECT_TRUE(opened.isEmpty()) << "nothing is opened";
    EXPECT_EQ(s()->Table1CalcFields(grid()->currentRecord()), "");
}

TEST_F(MetinsTest, AChosenFileThatIsGoneIsReported)
{
    addText(631, "BİLGİLENDİRME");
    open(s());
    ui().answerFile(dir.path() + "/yok.rtf");
    openDocumentOf(631);
    EXPECT_EQ(ui().lastText(), "Seçilen Dosya Metin Dosyası Olarak Kopyalanamadı. Lütfen Dosyayı ve C:\\CO\\ "
                               "Klasörünü Kontrol Ediniz ...!");
    EXPECT_FALSE(DriveMap::exists("C:\\CO\\M631.rtf"));
}

TEST_F(MetinsTest, DeletingATextDeletesItsDocument)
{
    addText(640, "ESKİ DUYURU");
    addText(641, "YENİ DUYURU");
    writeFile(host("C:\\CO\\M640.rtf"), "{\\rtf1 Eski}");
    writeFile(host("C:\\CO\\M641.rtf"), "{\\rtf1 Yeni}");
    open(s());
    ASSERT_TRUE(grid()->locate("Met_Key", 640));
    QString asked;
    answerQuestion(false, &asked);
    s()->Sil1->trigger();
    EXPECT_EQ(asked, "ESKİ DUYURU Silinecektir. Eminmisiniz ...?");
    EXPECT_TRUE(DriveMap::exists("C:\\CO\\M640.rtf"));
    answerQuestion(true);
    s()->Sil1->trigger();
    EXPECT_FALSE(DriveMap::exists("C:\\CO\\M640.rtf"));
    EXPECT_EQ(count("select count(*) from METINLER where Met_Key = 640"), 0);
    EXPECT_TRUE(DriveMap::exists("C:\\CO\\M641.rtf")) << "the other text keeps its document";
    EXPECT_EQ(grid()->rowCount(), 1);
}

// --- The letter header dialog ---------------------------------------------------

class MetinIlaveTest : public MetinsTest {
protected:
    TMetinIlave* h() { return MetinIlave; }
    void choose(QComboBox* box, const QString& name)
    {
        box->setCurrentIndex(box->findText(name));
        Q_EMIT box->activated(box->currentIndex());
    }
};

TEST_F(MetinIlaveTest, DevamGivesTheChosenTextsDocument)
{
    addText(650, "TEBRİK");
    addText(651, "DAVET");
    modals().expect("TMetinIlave", [this](QDialog* d) {
        QApplication::setActiveWindow(d);
        EXPECT_EQ(d->windowTitle(), "Bilgi Girişi");
        EXPECT_EQ(h()->Label1->text(), "Metin");
        EXPECT_EQ(h()->Label15->text(), "Başlık");
        EXPECT_EQ(h()->Label8->text(), "Konu");
        EXPECT_EQ(h()->Label14->text(), "Sayı");
        EXPECT_EQ(h()->Label2->text(), "Tarih");
        EXPECT_EQ(h()->SpeedButton1->toolTip(), "Metinler");
        EXPECT_EQ(QApplication::focusWidget(), h()->Edit8);
        ASSERT_EQ(h()->DBLookupComboBox1->count(), 2);
        EXPECT_EQ(h()->DBLookupComboBox1->itemText(0), "DAVET") << "by name";
        EXPECT_EQ(h()->DBLookupComboBox1->currentIndex(), -1);
        choose(h()->DBLookupComboBox1, "TEBRİK");
        // Enter leads through the four fields to "Devam".
        typeInto(h()->Edit8, "Sayın Başkan");
        QTest::keyClick(h()->Edit8, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), h()->Edit5);
        typeInto(h()->Edit5, "Tebrik");
        QTest::keyClick(h()->Edit5, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), h()->Edit6);
        typeInto(h()->Edit6, "2009/14");
        QTest::keyClick(h()->Edit6, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), h()->Edit1);
        typeInto(h()->Edit1, "5 Mart 2009");
        QTest::keyClick(h()->Edit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), h()->BitBtn4);
        EXPECT_TRUE(d->isVisible()) << "Enter does not press Devam";
        click(h()->BitBtn4);
    });
    h()->showModal();
    EXPECT_EQ(h()->FLetterFile, "M650.rtf");
    EXPECT_EQ(h()->Edit8->text(), "Sayın Başkan") << "free text keeps its letters";
    EXPECT_EQ(h()->Edit5->text(), "Tebrik");
    EXPECT_EQ(h()->Edit6->text(), "2009/14");
    EXPECT_EQ(h()->Edit1->text(), "5 Mart 2009");

    // The next letter run offers the same header again; the file is asked anew.
    modals().expect("TMetinIlave", [this](QDialog*) {
        EXPECT_EQ(h()->FLetterFile, "");
        EXPECT_EQ(h()->Edit8->text(), "Sayın Başkan");
        EXPECT_EQ(h()->Edit1->text(), "5 Mart 2009");
        h()->Label1Click();
        click(h()->BitBtn4);
    });
    h()->showModal();
    EXPECT_EQ(h()->FLetterFile, "") << "no text chosen: the letter has no body";
}

TEST_F(MetinIlaveTest, ClosingOtherwiseLeavesNoDocument)
{
    addText(652, "DAVET");
    modals().expect("TMetinIlave", [this](QDialog* d) {
        choose(h()->DBLookupComboBox1, "DAVET");
        d->close();
    });
    h()->showModal();
    EXPECT_EQ(h()->FLetterFile, "");
    EXPECT_FALSE(h()->FConfirmed);
}

TEST_F(MetinIlaveTest, ClickingACaptionClearsItsField)
{
    modals().expect("TMetinIlave", [this](QDialog*) {
        h()->Edit8->setText("A");
        h()->Edit5->setText("B");
        h()->Edit6->setText("C");
        h()->Edit1->setText("D");
        QTest::mouseClick(h()->Label15, Qt::LeftButton);
        EXPECT_EQ(h()->Edit8->text(), "");
        QTest::mouseClick(h()->Label8, Qt::LeftButton);
        EXPECT_EQ(h()->Edit5->text(), "");
        QTest::mouseClick(h()->Label14, Qt::LeftButton);
        EXPECT_EQ(h()->Edit6->text(), "");
        QTest::mouseClick(h()->Label2, Qt::LeftButton);
        EXPECT_EQ(h()->Edit1->text(), "");
        click(h()->BitBtn4);
    });
    h()->showModal();
}

TEST_F(MetinIlaveTest, TheLetterTextsScreenAddsATextToChooseFrom)
{
    modals().expect("TMetinIlave", [this](QDialog*) {
        EXPECT_EQ(h()->DBLookupComboBox1->count(), 0);
        click(h()->SpeedButton1);
        ASSERT_EQ(h()->DBLookupComboBox1->count(), 1) << "the list is read again";
        choose(h()->DBLookupComboBox1, "YENİ YIL");
        click(h()->BitBtn4);
    });
    int key = 0;
    modals().expect("TMetins", [&key](QDialog* d) {
        Metins->Yeni1->trigger();
        Metins->DBGrid1->setFieldValue("Met_Adi", "YENİ YIL");
        key = Metins->DBGrid1->currentRecord().toInt("Met_Key");
        ASSERT_TRUE(Metins->DBGrid1->post());
        d->close();
    });
    h()->showModal();
    EXPECT_EQ(h()->FLetterFile, "M" + QString::number(key) + ".rtf");
}

} // namespace
