#include "app/kit/DbConventions.h"
#include "app/setup/Brans.h"
#include "support/ScreenDriving.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class BransTest : public SignedInTest {
protected:
    TBrans* s() { return Brans; }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
    void addCategory(int key, const QString& name, double lower, double upper, const QString& sex = "E")
    {
        db.insert("C_BRANS", {{"Durum_Key", key}, {"Durum", name}, {"Kilo", 0}, {"AltKilo", lower},
                              {"UstKilo", upper}, {"E_B", sex}, {"Web", "1"}});
    }
    void chooseName(const QString& name)
    {
        s()->DBLookupComboBox5->setCurrentIndex(s()->DBLookupComboBox5->findText(name));
        Q_EMIT s()->DBLookupComboBox5->activated(s()->DBLookupComboBox5->currentIndex());
    }
    void chooseSex(const QString& sex)
    {
        s()->ComboBox4->setCurrentIndex(s()->ComboBox4->findText(sex));
        Q_EMIT s()->ComboBox4->activated(s()->ComboBox4->currentIndex());
    }
    void fill(const QString& weight, const QString& lower, const QString& upper)
    {
        s()->Edit2->setText(weight);
        s()->Edit3->setText(lower);
        s()->Edit4->setText(upper);
    }
    QStringList gridNames()
    {
        QStringList names;
        for (int r = 0; r < s()->DBGrid1->rowCount(); ++r)
            names << s()->DBGrid1->record(r).str("Durum");
        return names;
    }
};

TEST_F(BransTest, OpensOnTheCategoriesOfTheChosenSex)
{
    addCategory(500, "48 KİLO ERKEK BÜYÜKLER", 45, 48);
    addCategory(501, "52 KİLO BAYAN GENÇLER", 48, 52, "B");
    addCategory(502, "51 KİLO ERKEK GENÇLER", 48, 51);
    EXPECT_EQ(s()->ComboBox4->currentText(), "ERKEK") << "chosen when the screen is made";
    open(s());
    EXPECT_EQ(s()->windowTitle(), "Branşlar/Kategoriler");
    EXPECT_EQ(s()->Label1->text(), "Kilo");
    EXPECT_EQ(s()->Label2->text(), "Erkek/Bayan");
    EXPECT_EQ(s()->Label3->text(), "Branş Türü");
    EXPECT_EQ(s()->Label4->text(), "Alt Limit Kilo");
    EXPECT_EQ(s()->Label5->text(), "Üst Limit Kilo");
    EXPECT_EQ(s()->Edit5->text(), "KİLO");
    EXPECT_TRUE(s()->Edit1->isReadOnly());
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit2);
    EXPECT_TRUE(s()->BitBtn3->isEnabled());
    EXPECT_EQ(gridNames(), QStringList({"48 KİLO ERKEK BÜYÜKLER", "51 KİLO ERKEK GENÇLER"})) << "by name";

    QStringList offered;
    for (int i = 0; i < s()->DBLookupComboBox5->count(); ++i)
        offered << s()->DBLookupComboBox5->itemText(i);
    QStringList expected;
    for (const Record& r : db.select("select Durum from C_BRANSADI where Durum_Key > 2 order by Durum_Key"))
        expected << r.str("Durum");
    EXPECT_EQ(offered, expected);

    TDBGrid* grid = s()->DBGrid1;
    QStringList titles;
    for (int c = 0; c < grid->columns().size(); ++c)
        if (!grid->isColumnHidden(c))
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Branş Adı", "Alt Limit Kilo", "Üst Limit Kilo", "Erkek/Bayan", "Web",
                                   "Web Min Doğum Tar.", "Web Max Doğum Tar."}));
    EXPECT_TRUE(grid->isColumnHidden(grid->columnOf("Kilo")));
    EXPECT_EQ(grid->cellText(0, grid->columnOf("AltKilo")), "45");

    // A category name and the sex narrow the grid.
    chooseName("GENÇLER");
    EXPECT_EQ(s()->Edit1->text(), "GENÇLER");
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit1);
    EXPECT_EQ(gridNames(), QStringList({"51 KİLO ERKEK GENÇLER"}));
    chooseSex("BAYAN");
    EXPECT_EQ(gridNames(), QStringList({"52 KİLO BAYAN GENÇLER"}));
    chooseName("BÜYÜKLER");
    EXPECT_TRUE(gridNames().isEmpty());
    EXPECT_FALSE(s()->BitBtn3->isEnabled()) << "nothing to delete in an empty grid";
}

struct BransNameCase {
    const char* weight;
    const char* unit;
    const char* sex;
    const char* categoryName;
    const char* name;
    const char* refusal;    // "" when it is stored
};

class BransName : public BransTest, public ::testing::WithParamInterface<BransNameCase> {};

TEST_P(BransName, IsComposedFromThePartsAndStoredOnlyWhenItFits)
{
    const BransNameCase& c = GetParam();
    const QString categoryName = QString::fromUtf8(c.categoryName);
    if (!count("select count(*) from C_BRANSADI where Durum = :n", {{"n", categoryName}}))
        db.insert("C_BRANSADI", {{"Durum_Key", 300}, {"Durum", categoryName}, {"Yas1", 0}, {"Yas2", 99}});
    open(s());
    chooseSex(QString::fromUtf8(c.sex));
    chooseName(categoryName);
    s()->Edit5->setText(QString::fromUtf8(c.unit));
    fill(QString::fromUtf8(c.weight), "40", "48");
    const int counter = Counters::current(db, "Sayi");
    click(s()->BitBtn1);
    const QString name = QString::fromUtf8(c.name);
    if (QString::fromUtf8(c.refusal).isEmpty()) {
        EXPECT_EQ(ui().texts(), QStringList({"Branş Kaydedildi ...!"}));
        const auto row = db.first("select * from C_BRANS where Durum = :n", {{"n", name}});
        ASSERT_TRUE(row.has_value()) << name.toStdString();
        EXPECT_EQ(row->str("E_B"), QString::fromUtf8(c.sex).left(1));
        EXPECT_EQ(row->toInt("Durum_Key"), counter + 1);
        EXPECT_EQ(s()->DBGrid1->currentRecord().str("Durum"), name) << "the grid moves to the new category";
    } else {
        EXPECT_EQ(ui().lastText().toStdString(), c.refusal);
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Info);
        EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key > 1"), 0);
        EXPECT_EQ(Counters::current(db, "Sayi"), counter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, BransName,
    ::testing::Values(
        BransNameCase{"48", "KİLO", "ERKEK", "BÜYÜKLER", "48 KİLO ERKEK BÜYÜKLER", ""},
        BransNameCase{"52,5", "KİLO", "BAYAN", "GENÇLER", "52,5 KİLO BAYAN GENÇLER", ""},
        BransNameCase{"+91", "KG", "ERKEK", "YILDIZLAR", "+91 KG ERKEK YILDIZLAR", ""},
        // 40 characters fit; 41 are refused.
        BransNameCase{"100", "KİLO", "BAYAN", "ÜMİT GENÇLER ŞAMPİYONLUĞU", "100 KİLO BAYAN ÜMİT GENÇLER ŞAMPİYONLUĞU", ""},
        BransNameCase{"100,5", "KİLO", "BAYAN", "ÜMİT GENÇLER ŞAMPİYONLUĞU", "",
                 "100,5 KİLO BAYAN ÜMİT GENÇLER ŞAMPİYONLUĞU Branş Adı çok uzun...!"},
        // A hyphen is refused once for each.
        BransNameCase{"-48", "KİLO", "ERKEK", "BÜYÜKLER", "", "Lütfen '-' İşaterini Kullanmayınız ...!"},
        BransNameCase{"48", "KİLO", "ERKEK", "O'NEIL-KUPASI", "", "Lütfen '-' İşaterini Kullanmayınız ...!"},
        // A category name with an apostrophe.
        BransNameCase{"60", "KİLO", "ERKEK", "D'ARTAGNAN KUPASI", "60 KİLO ERKEK D'ARTAGNAN KUPASI", ""}));

TEST_F(BransTest, EnterLeadsThroughTheEntryRow)
{
    open(s());
    typeInto(s()->Edit2, "48");
    QTest::keyClick(s()->Edit2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit3);
    QTest::keyClick(s()->Edit3, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit4);
    QTest::keyClick(s()->Edit4, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->ComboBox4);
    QTest::keyClick(s()->ComboBox4, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->BitBtn1);
    EXPECT_TRUE(ui().texts().isEmpty()) << "Kaydet is not pressed";
    // The unit word is a name: typed letters become capitals.
    s()->Edit5->clear();
    typeInto(s()->Edit5, "kilo");
    EXPECT_EQ(s()->Edit5->text(), "KİLO");
    QTest::keyClick(s()->Edit5, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit3);
}

TEST_F(BransTest, TwoHyphensAreRefusedTwice)
{
    open(s());
    chooseName("BÜYÜKLER");
    fill("-48-", "40", "48");
    click(s()->BitBtn1);
    EXPECT_EQ(ui().texts(), QStringList({"Lütfen '-' İşaterini Kullanmayınız ...!",
                                         "Lütfen '-' İşaterini Kullanmayınız ...!"}));
}

TEST_F(BransTest, ASecondCategoryOfTheSameNameIsRefused)
{
    open(s());
    chooseName("BÜYÜKLER");
    fill("48", "45", "48");
    click(s()->BitBtn1);
    EXPECT_EQ(s()->Edit2->text(), "") << "weight and limits are cleared";
    EXPECT_EQ(s()->Edit3->text(), "");
    EXPECT_EQ(s()->Edit4->text(), "");
    EXPECT_EQ(s()->Edit1->text(), "BÜYÜKLER") << "the sex, unit and name stay";
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit2);
    const auto row = db.first("select * from C_BRANS where Durum = '48 KİLO ERKEK BÜYÜKLER'");
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->toDouble("AltKilo"), 45);
    EXPECT_EQ(row->toDouble("UstKilo"), 48);
    EXPECT_EQ(row->str("Web"), "1");
    EXPECT_EQ(row->toDouble("Kilo"), 0);
    ui().clear();

    fill("48", "45", "48");
    click(s()->BitBtn1);
    EXPECT_EQ(ui().texts(), QStringList({"48 KİLO ERKEK BÜYÜKLER Branşı Kayıtlı Bulunmaktadır. İkinci Kez "
                                         "Kaydedemezsiniz ...!"}));
    EXPECT_EQ(count("select count(*) from C_BRANS where Durum = '48 KİLO ERKEK BÜYÜKLER'"), 1);

    // The comparison is exact: a name in other letter case is another name.
    s()->Edit5->setText("Kilo");
    fill("48", "45", "48");
    click(s()->BitBtn1);
    EXPECT_EQ(ui().lastText(), "Branş Kaydedildi ...!");
}

struct BransEntryCase {
    const char* weight;
    const char* lower;
    const char* upper;
    const char* message;    // "" when it is stored
};

class BransEntry : public BransTest, public ::testing::WithParamInterface<BransEntryCase> {};

TEST_P(BransEntry, NumbersAreReadWithTheDecimalComma)
{
    const BransEntryCase& c = GetParam();
    open(s());
    chooseName("GENÇLER");
    fill(c.weight, c.lower, c.upper);
    click(s()->BitBtn1);
    if (QString(c.message).isEmpty()) {
        EXPECT_EQ(ui().lastText(), "Branş Kaydedildi ...!");
        EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key > 1"), 1);
    } else {
        EXPECT_EQ(ui().texts(), QStringList({QString::fromUtf8(c.message)}));
        EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
        EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key > 1"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, BransEntry,
    ::testing::Values(
        BransEntryCase{"48", "47,5", "48", ""}, BransEntryCase{"48", "48", "48", ""},
        BransEntryCase{"", "47", "48", "Kilo Girmediniz ...!"},
        BransEntryCase{"48", "47.5", "48",
                  "Boş veya Hatalı Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül "
                  "kullanınız)"},
        BransEntryCase{"48", "", "48",
                  "Boş veya Hatalı Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül "
                  "kullanınız)"},
        BransEntryCase{"48", "47", "kırk",
                  "Boş veya Hatalı Üst Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül "
                  "kullanınız)"},
        BransEntryCase{"48", "48,5", "48", "Alt Limit Kilo Üst Limit Kilodan Daha Büyük. Lütfen Düzeltiniz ...!"}));

TEST_F(BransTest, NoNameAndNoRowAsksForTheName)
{
    open(s());
    ASSERT_EQ(s()->DBGrid1->rowCount(), 0);
    fill("48", "45", "48");
    click(s()->BitBtn1);
    EXPECT_EQ(ui().texts(), QStringList({"Branş Adını Girmediniz ...!"}));
}

TEST_F(BransTest, KaydetWithoutANameStoresTheGridCorrectionsOnly)
{
    addCategory(510, "60 KİLO ERKEK BÜYÜKLER", 57, 60);
    open(s());
    typeCell(s()->DBGrid1, 0, "AltKilo", "57,5");
    typeCell(s()->DBGrid1, 0, "Dt1", "01.01.1990");
    typeCell(s()->DBGrid1, 0, "Dt2", "31.12.2005");
    const int rows = count("select count(*) from C_BRANS");
    click(s()->BitBtn1);
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().lastText().toStdString();
    const auto row = db.first("select * from C_BRANS where Durum_Key = 510");
    EXPECT_EQ(row->toDouble("AltKilo"), 57.5);
    EXPECT_EQ(row->date("Dt1"), QDate(1990, 1, 1));
    EXPECT_EQ(row->date("Dt2"), QDate(2005, 12, 31));
    EXPECT_EQ(count("select count(*) from C_BRANS"), rows) << "nothing is created";
}

// The checks of a stored grid row: each failure shows its message, keeps the
// row in edit and stores nothing.
struct BransRowCase {
    const char* field;
    const char* value;
    QStringList messages;
};

class BransRow : public BransTest, public ::testing::WithParamInterface<BransRowCase> {};

TEST_P(BransRow, RefusesAFaultyRow)
{
    addCategory(520, "63 KİLO BAYAN BÜYÜKLER", 60, 63, "B");
    chooseSex("BAYAN");
    open(s());
    ASSERT_EQ(s()->DBGrid1->rowCount(), 1);
    const QString field = GetParam().field;
    ASSERT_TRUE(s()->DBGrid1->setFieldValue(field, GetParam().value == nullptr ? QVariant() : QVariant(GetParam().value)));
    if (field == "Dt2")
        s()->DBGrid1->setFieldValue("AltKilo", "");  // check 8 runs after an earlier failure too
    click(s()->BitBtn1);
    EXPECT_EQ(ui().texts(), GetParam().messages);
    EXPECT_EQ(s()->DBGrid1->state(), TDBGrid::Edit);
    EXPECT_EQ(s()->DBGrid1->currentRecord().str(field), QString(GetParam().value)) << "the typed value stays";
    const auto row = db.first("select * from C_BRANS where Durum_Key = 520");
    EXPECT_EQ(row->toDouble("AltKilo"), 60);
    EXPECT_EQ(row->toDouble("UstKilo"), 63);
    EXPECT_EQ(row->str("Web"), "1");
    EXPECT_TRUE(row->isNull("Dt1") || row->str("Dt1").isEmpty());
}

const QString kNote = "\n(Not: Ondalık ayıracında virgül kullanınız)";
const QString kBirth = "Doğum Tarihi girecekseniz Min ve Max olarak iki tarihi de girmeniz gerekmektedir...!";

INSTANTIATE_TEST_SUITE_P(
    Rows, BransRow,
    ::testing::Values(
        BransRowCase{"AltKilo", "", {"Boş Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!"}},
        BransRowCase{"UstKilo", "", {"Boş Üst Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!"}},
        BransRowCase{"Web", "2", {"Aktif braşları 1 olarak işaretleyiniz. Aktif olmayanların boş olması gerekmektedir. ...!"}},
        BransRowCase{"AltKilo", "60.5", {"Hatalı Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!" + kNote}},
        BransRowCase{"UstKilo", "6x", {"Hatalı Üst Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!" + kNote}},
        BransRowCase{"AltKilo", "63,5", {"Alt Limit Kilo Üst Limit Kilodan Daha Büyük. Lütfen Düzeltiniz ...!"}},
        BransRowCase{"E_B", "K",
                {"Hatalı Giriş Yaptınız. Erkek için 'E', Bayan için 'B', Her ikisi için 'E/B' Giriniz ...!"}},
        BransRowCase{"Dt1", "1990-01-01", {kBirth}},
        BransRowCase{"Dt2", "2005-12-31", {"Boş Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!", kBirth}}));

TEST_F(BransTest, AnEmptyWebMarkAndEqualLimitsAreStored)
{
    addCategory(530, "70 KİLO ERKEK BÜYÜKLER", 67, 70);
    open(s());
    typeCell(s()->DBGrid1, 0, "UstKilo", "67");
    s()->DBGrid1->setFieldValue("Web", "");
    EXPECT_TRUE(s()->DBGrid1->post());
    const auto row = db.first("select * from C_BRANS where Durum_Key = 530");
    EXPECT_EQ(row->toDouble("UstKilo"), 67);
    EXPECT_EQ(row->str("Web"), "");
}

TEST_F(BransTest, TheGridStartsNoRowsOfItsOwn)
{
    addCategory(540, "75 KİLO ERKEK BÜYÜKLER", 71, 75);
    open(s());
    s()->DBGrid1->setFocus();
    QTest::keyClick(s()->DBGrid1, Qt::Key_Down);
    QTest::keyClick(s()->DBGrid1, Qt::Key_Insert);
    EXPECT_EQ(s()->DBGrid1->rowCount(), 1);
}

// Every column that may carry a category: the persons' three category
// columns, weigh-in rows and bouts by name, activity rows by key.
struct BransUserCase {
    const char* table;
    const char* column;
    const char* message;
};

class BransGuard : public BransTest, public ::testing::WithParamInterface<BransUserCase> {};

TEST_P(BransGuard, RefusesToDeleteACategoryInUse)
{
    const QString name = "48 KİLO ERKEK O'NEIL KUPASI";
    addCategory(550, name, 45, 48);
    const QString table = GetParam().table;
    if (!db.hasTable(table))
        db.exec("create table " + table + " (Liste_Key integer, Brans text)");
    if (table == "C_MUSTERI")
        db.insert(table, {{"Musteri_Key", 9}, {GetParam().column, name}});
    else if (table == "F_DER")
        db.insert(table, {{"Der_Key", 31}, {"Musteri_Key", 9}, {"Turnuva_Key", 1}, {"Durum_Key", 550}});
    else
        db.insert(table, {{"Brans", name}});
    open(s());
    ASSERT_TRUE(s()->DBGrid1->locate("Durum_Key", 550));
    click(s()->BitBtn3);
    EXPECT_EQ(ui().texts(), QStringList({name + QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Info);
    EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key = 550"), 1);
}

const char* const kBransPersons = " Branşının Bulunduğu Sporcular Olduğundan Silemezsiniz. Silmek için önce tüm Sporcu "
                             "Kayıtları içerisinde bu Branşta olanları Değiştirmeniz Gerekmektedir ...!";

INSTANTIATE_TEST_SUITE_P(
    Users, BransGuard,
    ::testing::Values(
        BransUserCase{"C_MUSTERI", "E53", kBransPersons}, BransUserCase{"C_MUSTERI", "E54", kBransPersons},
        BransUserCase{"C_MUSTERI", "E55", kBransPersons},
        BransUserCase{"C_LISTE", "Brans",
                 " Branşının Bulunduğu Tartı Listeleri Olduğundan Silemezsiniz. Silmek için önce Bu Tartı Kayıtlarını "
                 "Silmeniz Gerekmektedir ...!"},
        BransUserCase{"C_KURA", "Brans",
                 " Branşının Bulunduğu Kura Listeleri Olduğundan Silemezsiniz. Silmek için önce Kura Kayıtlarını "
                 "Silmeniz Gerekmektedir ...!"},
        BransUserCase{"F_DER", "Durum_Key",
                 " Branşının Bulunduğu Sporcu Kariyer Bilgileri Bulunmaktadır. Silmek İçin Önce Tüm Sporcu Kayıtları "
                 "İçerisinde Bunları Değiştirmeniz Gerekmektedir ...!"}),
    [](const auto& info) { return std::string(info.param.table) + "_" + info.param.column; });

TEST_F(BransTest, DeletesAnUnusedCategoryAfterTheQuestion)
{
    const QString name = "100 KİLO BAYAN ÜMİT GENÇLER ŞAMPİYONLUĞU";
    addCategory(560, name, 90, 100, "B");
    chooseSex("BAYAN");
    open(s());
    QString asked;
    answerQuestion(false, &asked);
    click(s()->BitBtn3);
    EXPECT_EQ(asked, name.left(40) + " Silinecektir. Eminmisiniz .... ?");
    EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key = 560"), 1);
    answerQuestion(true);
    click(s()->BitBtn3);
    EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key = 560"), 0);
    EXPECT_FALSE(s()->BitBtn3->isEnabled());
    EXPECT_TRUE(TBrans::SilmeKontrol(db, name, 560).isEmpty());
}

} // namespace
