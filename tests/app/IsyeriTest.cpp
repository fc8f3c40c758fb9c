#include "app/Main.h"
#include "app/setup/Isyeri.h"
#include "support/ScreenDriving.h"

#include <QLineEdit>
#include <QTextEdit>

namespace {

class IsyeriTest : public SignedInTest {
protected:
    Record identity() { return *db.first("select * from C_YAZILAR"); }
};

TEST_F(IsyeriTest, ShowsTheStoredIdentity)
{
    db.update("C_YAZILAR",
              {{"FirmaAdi", "TÜRKİYE KICK BOKS FEDERASYONU"}, {"Ihbar", "KICK BOKS"}, {"Adres", "Ulus Mah.\r\nANKARA"}},
              "1 = 1");
    open(Isyeri);
    EXPECT_EQ(Isyeri->windowTitle(), "Federasyon Adresi");
    EXPECT_EQ(child<QLabel>(Isyeri, "Label1")->text(), "Federasyon Adı");
    EXPECT_EQ(child<QLabel>(Isyeri, "Label2")->text(), "Spor Dalı");
    EXPECT_EQ(child<QLabel>(Isyeri, "Label3")->text(), "Federasyon Adresi");
    EXPECT_EQ(child<QPushButton>(Isyeri, "BitBtn1")->text(), "Kaydet");
    EXPECT_EQ(child<QPushButton>(Isyeri, "BitBtn3")->text(), "Kapat");
    EXPECT_EQ(Isyeri->Edit1->maxLength(), 70);
    EXPECT_EQ(Isyeri->Edit2->maxLength(), 50);
    EXPECT_EQ(Isyeri->Edit1->text(), "TÜRKİYE KICK BOKS FEDERASYONU");
    EXPECT_EQ(Isyeri->Edit2->text(), "KICK BOKS");
    EXPECT_EQ(Isyeri->RichEdit1->toPlainText(), "Ulus Mah.\nANKARA");
    EXPECT_EQ(QApplication::focusWidget(), Isyeri->Edit1);
}

TEST_F(IsyeriTest, SavesTypedValuesAndTheNewSportNameAtOnce)
{
    open(Isyeri);
    Isyeri->Edit1->clear();
    typeInto(Isyeri->Edit1, "dünya kick boks birliği");
    QTest::keyClick(Isyeri->Edit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Isyeri->Edit2);
    Isyeri->Edit2->clear();
    typeInto(Isyeri->Edit2, "muay tay");
    QTest::keyClick(Isyeri->Edit2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Isyeri->RichEdit1);
    Isyeri->RichEdit1->clear();
    typeInto(Isyeri->RichEdit1, "Spor Genel Müdürlüğü");
    QTest::keyClick(Isyeri->RichEdit1, Qt::Key_Return);
    typeInto(Isyeri->RichEdit1, "Ulus, Ankara");

    click(Isyeri->BitBtn1);
    EXPECT_EQ(ui().texts(), QStringList({"Kayıt Yapıldı ...!"}));
    EXPECT_TRUE(Isyeri->isVisible()) << "the screen stays open";
    const Record row = identity();
    EXPECT_EQ(row.str("FirmaAdi").toStdString(), "DÜNYA KİCK BOKS BİRLİĞİ") << "names are held in capitals";
    EXPECT_EQ(row.str("Ihbar"), "MUAY TAY");
    EXPECT_EQ(row.str("Adres").toStdString(), "Spor Genel Müdürlüğü\nUlus, Ankara") << "the address keeps its case";
    EXPECT_EQ(Main->SportName, "MUAY TAY") << "report titles use the new sport name without a restart";
    EXPECT_EQ(db.scalar("select count(*) from C_YAZILAR").toInt(), 1);

    click(Isyeri->BitBtn3);
    EXPECT_FALSE(Isyeri->isVisible());
}

struct AddressCase {
    const char* stored;
    const char* shown;
    int lines;
};

class IsyeriAddress : public IsyeriTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(IsyeriAddress, StoredLinesAreShownWithoutAnEmptyLastLine)
{
    db.update("C_YAZILAR", {{"Adres", QString::fromUtf8(GetParam().stored)}}, "1 = 1");
    open(Isyeri);
    EXPECT_EQ(Isyeri->RichEdit1->toPlainText().toStdString(), GetParam().shown);
    EXPECT_EQ(Isyeri->RichEdit1->document()->blockCount(), GetParam().lines);
    // Saved again unchanged, it is stored with its line breaks between lines.
    click(Isyeri->BitBtn1);
    EXPECT_EQ(identity().str("Adres").toStdString(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Addresses, IsyeriAddress,
                         ::testing::Values(AddressCase{"Bir\nİki\nÜç", "Bir\nİki\nÜç", 3},
                                           AddressCase{"Bir\r\nİki\r\nÜç", "Bir\nİki\nÜç", 3},
                                           AddressCase{"Bir\nİki\n", "Bir\nİki", 2},
                                           AddressCase{"Bir\nİki\n\n", "Bir\nİki\n", 3},
                                           AddressCase{"", "", 1}));

TEST_F(IsyeriTest, AnEmptyTableGetsItsFirstRowAndNothingIsChecked)
{
    db.exec("delete * from C_YAZILAR");
    open(Isyeri);
    EXPECT_EQ(Isyeri->Edit1->text(), "");
    EXPECT_EQ(Isyeri->RichEdit1->toPlainText(), "");
    click(Isyeri->BitBtn1);
    EXPECT_EQ(ui().lastText(), "Kayıt Yapıldı ...!");
    ASSERT_EQ(db.scalar("select count(*) from C_YAZILAR").toInt(), 1);
    EXPECT_EQ(identity().str("FirmaAdi"), "");
    EXPECT_EQ(Main->SportName, "");
}

TEST_F(IsyeriTest, TheAddressTakesNoMoreThanTheColumnHolds)
{
    open(Isyeri);
    Isyeri->RichEdit1->clear();
    typeInto(Isyeri->RichEdit1, QString(250, 'a'));
    typeInto(Isyeri->RichEdit1, "bcdefgh");
    EXPECT_EQ(Isyeri->addressText(), QString(250, 'a') + "bcde");
    click(Isyeri->BitBtn1);
    EXPECT_EQ(identity().str("Adres").size(), 254);
}

} // namespace
