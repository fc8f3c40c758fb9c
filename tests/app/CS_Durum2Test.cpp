#include "app/kit/DbConventions.h"
#include "app/setup/CS_Durum2.h"
#include "support/ScreenDriving.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class CS_Durum2Test : public SignedInTest {
protected:
    TCS_Durum2* s() { return CS_Durum2; }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
    void addStatus(int key, const QString& name, const QString& code, const QString& kind)
    {
        db.insert("C_UYEKULLANICI", {{"Durum_Key", key}, {"Durum", name}, {"Tip1", code}, {"Tip2", kind}});
    }
    void chooseKind(const QString& kind)
    {
        s()->ComboBox1->setCurrentIndex(s()->ComboBox1->findText(kind));
    }
    bool selectByName(const QString& name) { return s()->DBGrid1->locate("Durum", name); }
};

TEST_F(CS_Durum2Test, ListsEntriesAboveKeyOneInKeyOrder)
{
    addStatus(1, "HİÇBİRİ", "-", "D");
    EXPECT_FALSE(s()->BitBtn3->isEnabled()) << "disabled at start";
    open(s());
    EXPECT_EQ(s()->windowTitle(), "Aktivite Türleri Girişi");
    EXPECT_EQ(s()->Label1->text(), "Aktivite Türü");
    EXPECT_EQ(s()->Label2->text(), "Aktivite Tipi");
    EXPECT_EQ(s()->Label3->text(), "Kod");
    EXPECT_EQ(s()->BitBtn1->text(), "Kaydet");
    EXPECT_EQ(s()->BitBtn3->text(), "Kayıt Sil");
    EXPECT_EQ(s()->BitBtn2->text(), "Kapat");
    QStringList kinds;
    for (int i = 0; i < s()->ComboBox1->count(); ++i)
        kinds << s()->ComboBox1->itemText(i);
    EXPECT_EQ(kinds, QStringList({"SPORCU", "HAKEM", "ANTRENÖR", "DİĞER"}));
    EXPECT_EQ(s()->ComboBox1->currentIndex(), -1);

    TDBGrid* grid = s()->DBGrid1;
    QStringList titles;
    for (int c = 0; c < grid->columns().size(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Aktivite Türü", "Kod", "Tipi"}));
    ASSERT_EQ(grid->rowCount(), count("select count(*) from C_UYEKULLANICI where Durum_Key > 1"));
    int previous = 1;
    for (int r = 0; r < grid->rowCount(); ++r) {
        EXPECT_GT(grid->record(r).toInt("Durum_Key"), previous);
        previous = grid->record(r).toInt("Durum_Key");
    }
    EXPECT_TRUE(s()->BitBtn3->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit1);
}

TEST_F(CS_Durum2Test, SavesATypedEntryOfTheChosenKind)
{
    open(s());
    const int before = Counters::current(db, "Sayi");
    typeInto(s()->Edit1, "baş hakem");
    QTest::keyClick(s()->Edit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->ComboBox1);
    chooseKind("HAKEM");
    Q_EMIT s()->ComboBox1->activated(s()->ComboBox1->currentIndex());
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit2);
    typeInto(s()->Edit2, "u");
    QTest::keyClick(s()->Edit2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->BitBtn1) << "Enter moves to Kaydet without pressing it";
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI where Durum = 'BAŞ HAKEM'"), 0);

    click(s()->BitBtn1);
    EXPECT_TRUE(ui().texts().isEmpty()) << "no message after a save";
    const auto row = db.first("select * from C_UYEKULLANICI where Durum = :n", {{"n", "BAŞ HAKEM"}});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->str("Tip1"), "U");
    EXPECT_EQ(row->str("Tip2"), "H");
    EXPECT_EQ(row->toInt("Durum_Key"), before + 1) << "the key from the shared counter";
    EXPECT_EQ(s()->Edit1->text(), "");
    EXPECT_EQ(s()->Edit2->text(), "");
    EXPECT_EQ(s()->ComboBox1->currentIndex(), -1);
    EXPECT_TRUE(s()->DBGrid1->locate("Durum", "BAŞ HAKEM"));
    EXPECT_FALSE(s()->FInserting);

    // Names are not checked for duplicates.
    s()->Edit1->setText("BAŞ HAKEM");
    s()->Edit2->setText("B");
    chooseKind("DİĞER");
    click(s()->BitBtn1);
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI where Durum = 'BAŞ HAKEM'"), 2);
}

struct KindCase {
    const char* caption;
    const char* code;
};
class CS_Durum2Kinds : public CS_Durum2Test, public ::testing::WithParamInterface<KindCase> {};

TEST_P(CS_Durum2Kinds, StoreTheirLetter)
{
    open(s());
    s()->Edit1->setText("YENİ UNVAN");
    s()->Edit2->setText("Y");
    chooseKind(QString::fromUtf8(GetParam().caption));
    click(s()->BitBtn1);
    EXPECT_EQ(db.scalar("select Tip2 from C_UYEKULLANICI where Durum = 'YENİ UNVAN'").toString(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CS_Durum2Kinds,
                         ::testing::Values(KindCase{"SPORCU", "S"}, KindCase{"HAKEM", "H"},
                                           KindCase{"ANTRENÖR", "A"}, KindCase{"DİĞER", "D"}));

struct CSDurum2EntryCase {
    const char* name;
    const char* code;
    const char* kind;
    UiRequest::Kind box;
    const char* message;
};
class CS_Durum2Checks : public CS_Durum2Test, public ::testing::WithParamInterface<CSDurum2EntryCase> {};

TEST_P(CS_Durum2Checks, RefuseWithTheirMessageAndStoreNothing)
{
    const CSDurum2EntryCase& c = GetParam();
    open(s());
    const int rows = count("select count(*) from C_UYEKULLANICI");
    const int counter = Counters::current(db, "Sayi");
    s()->Edit1->setText(QString::fromUtf8(c.name));
    s()->Edit2->setText(QString::fromUtf8(c.code));
    chooseKind(QString::fromUtf8(c.kind));
    click(s()->BitBtn1);
    ASSERT_EQ(ui().count(), 1) << "one message, however many faults";
    EXPECT_EQ(ui().requests.first().kind, c.box);
    EXPECT_EQ(ui().lastText().toStdString(), c.message);
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI"), rows);
    EXPECT_EQ(Counters::current(db, "Sayi"), counter);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CS_Durum2Checks,
    ::testing::Values(CSDurum2EntryCase{" HAKEM", "H", "HAKEM", UiRequest::Info, "Hatalı Giriş ....."},
                      CSDurum2EntryCase{"A,B,C", "H", "HAKEM", UiRequest::Error,
                                "Aktivite Türü içinde virgül (,) karakteri kullanmayınız ...!"},
                      CSDurum2EntryCase{"MİLLİ HAKEM", "", "HAKEM", UiRequest::Error, "Kodu Girmediniz ...!"},
                      CSDurum2EntryCase{"MİLLİ HAKEM", " M", "HAKEM", UiRequest::Info, "Hatalı Giriş ....."},
                      CSDurum2EntryCase{"MİLLİ HAKEM", "M", "", UiRequest::Info, "Lütfen Aktivite Tipini Seçiniz ...!"}));

TEST_F(CS_Durum2Test, AnEmptyNameWithNoRowAsksForOne)
{
    db.exec("delete * from C_UYEKULLANICI where Durum_Key > 1");
    open(s());
    s()->Edit2->setText("X");
    chooseKind("SPORCU");
    click(s()->BitBtn1);
    EXPECT_EQ(ui().texts(), QStringList({"Aktivite Türü Girmediniz ...!"}));
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
    EXPECT_FALSE(s()->BitBtn3->isEnabled());
}

TEST_F(CS_Durum2Test, KaydetWithoutANameStoresTheCodeCorrectedInTheGrid)
{
    addStatus(900, "ULUSAL HAKEM ADAYI", "UA", "H");
    open(s());
    ASSERT_TRUE(selectByName("ULUSAL HAKEM ADAYI"));
    const int row = s()->DBGrid1->currentRow();
    typeCell(s()->DBGrid1, row, "Tip1", "UX");
    EXPECT_EQ(db.scalar("select Tip1 from C_UYEKULLANICI where Durum_Key = 900").toString(), "UA");
    const int rows = count("select count(*) from C_UYEKULLANICI");
    click(s()->BitBtn1);
    EXPECT_EQ(db.scalar("select Tip1 from C_UYEKULLANICI where Durum_Key = 900").toString(), "UX");
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI"), rows) << "nothing is created";
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(CS_Durum2Test, ARowWithoutANameIsNotStored)
{
    addStatus(901, "", "Q", "D");
    open(s());
    ASSERT_TRUE(s()->DBGrid1->locate("Durum_Key", 901));
    typeCell(s()->DBGrid1, s()->DBGrid1->currentRow(), "Tip1", "R");
    EXPECT_FALSE(s()->DBGrid1->post());
    EXPECT_EQ(ui().lastText(), "Hatalı Giriş Yaptınız, Lütfen Düzeltiniz ...!");
    EXPECT_EQ(s()->DBGrid1->state(), TDBGrid::Edit) << "the row stays in edit";
    EXPECT_EQ(db.scalar("select Tip1 from C_UYEKULLANICI where Durum_Key = 901").toString(), "Q");
}

TEST_F(CS_Durum2Test, TheGridStartsNoRowsOfItsOwn)
{
    open(s());
    const int rows = s()->DBGrid1->rowCount();
    s()->DBGrid1->setCurrentRow(rows - 1);
    s()->DBGrid1->setFocus();
    QTest::keyClick(s()->DBGrid1, Qt::Key_Down);
    QTest::keyClick(s()->DBGrid1, Qt::Key_Insert);
    EXPECT_EQ(s()->DBGrid1->rowCount(), rows);
    EXPECT_EQ(s()->DBGrid1->state(), TDBGrid::Browse);
}

// Every place that still holds an entry: the person columns by name, the
// coach and referee title histories by key.
struct HolderCase {
    const char* table;
    const char* column;
};
class CS_Durum2Guard : public CS_Durum2Test, public ::testing::WithParamInterface<HolderCase> {};

TEST_P(CS_Durum2Guard, RefusesToDeleteAnEntryInUse)
{
    const QString name = "D'ARTAGNAN'IN HAKEMİ";
    addStatus(910, name, "DA", "H");
    const QString table = GetParam().table;
    if (table == "C_MUSTERI")
        db.insert("C_MUSTERI", {{"Musteri_Key", 5}, {"Ad_Soyad", "ALİ VELİ"}, {GetParam().column, name}});
    else
        db.insert(table, {{table == "F_ANT" ? "Ant_Key" : "Hak_Key", 77}, {"Musteri_Key", 5}, {"Durum_Key", 910}});
    open(s());
    ASSERT_TRUE(selectByName(name));
    click(s()->BitBtn3);
    EXPECT_EQ(ui().texts(),
              QStringList({name + " Türünün Bulunduğu Kayıtlar Olduğundan Silemezsiniz. Silmek için önce tüm Kayıtlar "
                                  "içerisinde bu Türde olanları Değiştirmeniz Gerekmektedir ...!"}));
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Info);
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI where Durum_Key = 910"), 1);
    EXPECT_EQ(TCS_Durum2::SilmeKontrol(db, name, 910), ui().lastText());
}

INSTANTIATE_TEST_SUITE_P(Holders, CS_Durum2Guard,
                         ::testing::Values(HolderCase{"C_MUSTERI", "E43"}, HolderCase{"C_MUSTERI", "E50"},
                                           HolderCase{"C_MUSTERI", "E51"}, HolderCase{"C_MUSTERI", "E52"},
                                           HolderCase{"C_MUSTERI", "Klup_Yetkilisi"}, HolderCase{"F_ANT", "Durum_Key"},
                                           HolderCase{"F_HAKEM", "Durum_Key"}),
                         [](const auto& info) { return std::string(info.param.table) + "_" + info.param.column; });

TEST_F(CS_Durum2Test, TheGuardComparesNamesExactly)
{
    addStatus(911, "İL HAKEMİ YARDIMCISI", "İY", "H");
    db.insert("C_MUSTERI", {{"Musteri_Key", 6}, {"E51", "İL HAKEMİ YARDIMCIS"}, {"E52", "il hakemi yardimcisi"}});
    db.insert("F_HAKEM", {{"Hak_Key", 78}, {"Musteri_Key", 6}, {"Durum_Key", 912}});
    EXPECT_EQ(TCS_Durum2::SilmeKontrol(db, "İL HAKEMİ YARDIMCISI", 911), "");
}

TEST_F(CS_Durum2Test, DeletesAnUnusedEntryAfterTheQuestion)
{
    db.exec("delete * from C_UYEKULLANICI where Durum_Key > 1");
    const QString name = "ÇOK UZUN BİR UNVAN ADI OLAN FEDERASYON TEMSİLCİSİ";
    addStatus(920, name, "T", "D");
    open(s());
    ASSERT_TRUE(s()->BitBtn3->isEnabled());
    QString asked;
    answerQuestion(false, &asked);
    click(s()->BitBtn3);
    EXPECT_EQ(asked, name.left(40) + " Silinecektir. Eminmisiniz .... ?");
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI where Durum_Key = 920"), 1) << "kept after Hayır";

    answerQuestion(true);
    click(s()->BitBtn3);
    EXPECT_EQ(count("select count(*) from C_UYEKULLANICI where Durum_Key = 920"), 0);
    EXPECT_EQ(s()->DBGrid1->rowCount(), 0);
    EXPECT_FALSE(s()->BitBtn3->isEnabled()) << "nothing left to delete";
}

} // namespace
