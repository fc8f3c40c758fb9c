#include "app/kit/DbConventions.h"
#include "competition/TurnuvaGir.h"
#include "competition/TurnuvaTuru.h"
#include "support/ScreenDriving.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

namespace {

class TurnuvaGirTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        national = typeKey("TÜRKİYE ŞAMPİYONASI");
        european = typeKey("AVRUPA ŞAMPİYONASI");
        seniors = db.scalar("select Durum_Key from C_BRANSADI where Durum = 'BÜYÜKLER'").toInt();
        juniors = db.scalar("select Durum_Key from C_BRANSADI where Durum = 'GENÇLER'").toInt();
        belt = db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = '1.DAN'").toInt();
    }
    void TearDown() override
    {
        TTurnuvaGir::askTitle = {};
        TTurnuvaGir::printList = {};
        SignedInTest::TearDown();
    }
    TTurnuvaGir* s() { return TurnuvaGir; }
    TDBGrid* grid() { return s()->DBGrid1; }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
    int typeKey(const QString& name)
    {
        return db.scalar("select Tur_Key from C_TURTURU where Turu = :n", {{"n", name}}).toInt();
    }
    void addActivity(int key, const QString& name, int type, int category)
    {
        db.insert("C_TURNUVA", {{"Turnuva_Key", key}, {"Adi", name}, {"Tur_Key", type}, {"Durum_Key", category},
                                {"Yer", "ANKARA"}, {"Tarih1", QDate(2009, 3, 5)}, {"Tarih2", QDate(2009, 3, 8)},
                                {"Yili", 2009}});
    }
    void chooseCategory(int key)
    {
        s()->DBLookupComboBox1->setCurrentIndex(s()->DBLookupComboBox1->findData(key));
        Q_EMIT s()->DBLookupComboBox1->activated(s()->DBLookupComboBox1->currentIndex());
    }
    void chooseType(int key)
    {
        s()->DBLookupComboBox2->setCurrentIndex(s()->DBLookupComboBox2->findData(key));
        Q_EMIT s()->DBLookupComboBox2->activated(s()->DBLookupComboBox2->currentIndex());
    }
    QList<int> gridKeys()
    {
        QList<int> keys;
        for (int r = 0; r < grid()->rowCount(); ++r)
            keys << grid()->record(r).toInt("Turnuva_Key");
        return keys;
    }
    static QColor colour(QLabel* l) { return l->palette().color(QPalette::WindowText); }
    // A new row of a seniors' national championship, filled in as required.
    void newRow(const QString& name)
    {
        chooseType(national);
        chooseCategory(seniors);
        s()->Yeni1->trigger();
        grid()->setFieldValue("Adi", name);
        grid()->setFieldValue("Yer", "İZMİR");
        grid()->setFieldValue("Tarih1", QDate(2009, 3, 5));
        grid()->setFieldValue("Tarih2", QDate(2009, 3, 8));
    }

    int national = 0;
    int european = 0;
    int seniors = 0;
    int juniors = 0;
    int belt = 0;
};

TEST_F(TurnuvaGirTest, ListsTheActivitiesNewestFirstWithoutTheReservedOnes)
{
    addActivity(700, "2009 TÜRKİYE ŞAMPİYONASI", national, seniors);
    addActivity(702, "2009 AVRUPA ŞAMPİYONASI", european, juniors);
    addActivity(701, "2009 GENÇLER ŞAMPİYONASI", national, juniors);
    open(s());
    EXPECT_EQ(s()->windowTitle(), "Faaliyet Bilgileri Girişi");
    EXPECT_EQ(s()->Label1->text(), "Kategori");
    EXPECT_EQ(s()->Label2->text(), "Türü");
    EXPECT_EQ(s()->SpeedButton1->toolTip(), "Yeni Turnuva Türü Ekle");
    EXPECT_EQ(s()->BitBtn1->text(), "Sil");
    EXPECT_EQ(s()->BitBtn2->text(), "Rapor");
    EXPECT_EQ(s()->BitBtn3->text(), "Kapat");
    EXPECT_EQ(gridKeys(), QList<int>({702, 701, 700})) << "the penalty activity (key 1) never shows";

    QStringList titles;
    for (int c = 0; c < grid()->columns().size(); ++c)
        if (!grid()->isColumnHidden(c))
            titles << grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Kod", "Faaliyet Adı", "Faaliyet Türü", "Kategorisi", "Yapıldığı Yer", "Baş.Tarihi",
                                   "Bit.Tarihi", "Ülke S.", "Sporcu S.", "Erkek Tk.", "Bayan Tk.", "Genel Kls.",
                                   "Web Son Tarih", "Web Min Kuşak", "Web Kategoriler"}));
    EXPECT_TRUE(grid()->isColumnHidden(grid()->columnOf("Dt1")));
    EXPECT_TRUE(grid()->isColumnHidden(grid()->columnOf("Dt2")));
    EXPECT_EQ(grid()->cellText(0, grid()->columnOf("Turu")), "AVRUPA ŞAMPİYONASI");
    EXPECT_EQ(grid()->cellText(0, grid()->columnOf("Kategori")), "GENÇLER");
    EXPECT_EQ(grid()->cellText(0, grid()->columnOf("Tarih1")), "05.03.2009");

    // The category list: key above 1 in key order, "(key) name", "-" alone.
    QStringList categories;
    for (int i = 0; i < s()->DBLookupComboBox1->count(); ++i)
        categories << s()->DBLookupComboBox1->itemText(i);
    QStringList expected;
    for (const Record& r : db.select("select * from C_BRANSADI where Durum_Key > 1 order by Durum_Key"))
        expected << (r.str("Durum") == "-" ? QString("-") : QString("(%1) %2").arg(r.toInt("Durum_Key")).arg(r.str("Durum")));
    EXPECT_EQ(categories, expected);
    EXPECT_TRUE(categories.contains("-"));
    EXPECT_EQ(TTurnuvaGir::categoryCaption(12, "GENÇLER"), "(12) GENÇLER");
    EXPECT_EQ(s()->DBLookupComboBox2->count(), count("select count(*) from C_TURTURU"));
}

TEST_F(TurnuvaGirTest, FiltersByCategoryAndType)
{
    addActivity(700, "2009 TÜRKİYE ŞAMPİYONASI", national, seniors);
    addActivity(701, "2009 GENÇLER ŞAMPİYONASI", national, juniors);
    addActivity(702, "2009 AVRUPA ŞAMPİYONASI", european, juniors);
    open(s());
    EXPECT_EQ(colour(s()->Label1), QColor(Qt::black));
    chooseCategory(juniors);
    EXPECT_EQ(gridKeys(), QList<int>({702, 701}));
    EXPECT_EQ(colour(s()->Label1), QColor(Qt::blue));
    chooseType(national);
    EXPECT_EQ(gridKeys(), QList<int>({701}));
    EXPECT_EQ(colour(s()->Label2), QColor(Qt::blue));
    EXPECT_EQ(s()->FQueryText.toStdString(), "select * from C_TURNUVA where Turnuva_Key > 1 and Durum_Key = " +
                                                 std::to_string(juniors) + " and Tur_Key = " +
                                                 std::to_string(national) + " order by Turnuva_Key desc");
    QTest::mouseClick(s()->Label1, Qt::LeftButton);
    EXPECT_EQ(s()->DBLookupComboBox1->currentIndex(), -1);
    EXPECT_EQ(colour(s()->Label1), QColor(Qt::black));
    EXPECT_EQ(gridKeys(), QList<int>({701, 700})) << "the type alone";
    QTest::mouseClick(s()->Label2, Qt::LeftButton);
    EXPECT_EQ(gridKeys(), QList<int>({702, 701, 700}));

    // The choices stay for the next showing.
    chooseCategory(seniors);
    s()->close();
    open(s());
    EXPECT_EQ(s()->DBLookupComboBox1->currentData().toInt(), seniors);
    EXPECT_EQ(gridKeys(), QList<int>({700}));
}

TEST_F(TurnuvaGirTest, ANewActivityNeedsATypeAndACategoryChosen)
{
    open(s());
    const int counter = Counters::current(db, "Sayi");
    chooseCategory(seniors);
    s()->Yeni1->trigger();
    EXPECT_EQ(ui().texts(), QStringList({"Lütfen Faaliyet Türünü Seçiniz ...!"}));
    EXPECT_EQ(grid()->rowCount(), 0);
    QTest::mouseClick(s()->Label1, Qt::LeftButton);
    chooseType(national);
    ui().clear();
    s()->Yeni1->trigger();
    EXPECT_EQ(ui().texts(), QStringList({"Lütfen Kategorisini Seçiniz ...!"}));
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(Counters::current(db, "Sayi"), counter) << "no key is taken for a refused row";
}

TEST_F(TurnuvaGirTest, ANewActivityIsTypedIntoTheGridAndStaysInView)
{
    open(s());
    const int counter = Counters::current(db, "Sayi");
    chooseType(european);
    chooseCategory(juniors);
    s()->Yeni1->trigger();
    ASSERT_EQ(grid()->rowCount(), 1);
    const Record fresh = grid()->currentRecord();
    EXPECT_EQ(fresh.toInt("Turnuva_Key"), counter + 1);
    EXPECT_EQ(fresh.toInt("Tur_Key"), european);
    EXPECT_EQ(fresh.toInt("Durum_Key"), juniors);
    typeCell(grid(), 0, "Adi", "avrupa gençler şampiyonası");
    typeCell(grid(), 0, "Yer", "viyana");
    typeCell(grid(), 0, "Tarih1", "05.03.2009");
    typeCell(grid(), 0, "Tarih2", "08.03.2009");
    typeCell(grid(), 0, "Ulke_Say", "31");
    ASSERT_TRUE(grid()->post()) << ui().lastText().toStdString();
    const auto row = db.first("select * from C_TURNUVA where Turnuva_Key = :k", {{"k", counter + 1}});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->str("Adi").toStdString(), "AVRUPA GENÇLER ŞAMPİYONASI");
    EXPECT_EQ(row->str("Yer"), "VİYANA");
    EXPECT_EQ(row->date("Tarih1"), QDate(2009, 3, 5));
    EXPECT_EQ(row->toInt("Yili"), 2009);
    EXPECT_EQ(row->toInt("Ulke_Say"), 31);
    EXPECT_TRUE(row->isNull("Sporcu_Say"));
    s()->Query();
    EXPECT_EQ(gridKeys(), QList<int>({counter + 1})) << "it has the filter's category and type";
}

struct TurnuvaGirRowCase {
    const char* field;
    QVariant value;
    UiRequest::Kind box;
    const char* message;
};
class TurnuvaGirChecks : public TurnuvaGirTest, public ::testing::WithParamInterface<TurnuvaGirRowCase> {};

TEST_P(TurnuvaGirChecks, RefuseAFaultyRow)
{
    addActivity(710, "D'ARTAGNAN KUPASI", national, seniors);
    open(s());
    newRow("YENİ FAALİYET");
    grid()->setFieldValue(GetParam().field, GetParam().value);
    EXPECT_FALSE(grid()->post());
    EXPECT_EQ(ui().texts(), QStringList({QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(ui().requests.first().kind, GetParam().box);
    EXPECT_EQ(grid()->state(), TDBGrid::Insert) << "the row stays for correction";
    EXPECT_EQ(count("select count(*) from C_TURNUVA where Turnuva_Key > 1"), 1);
}

const char* const kMissing = "Eksik veya hatalı giriş yaptınız ...!";

INSTANTIATE_TEST_SUITE_P(
    Rows, TurnuvaGirChecks,
    ::testing::Values(
        TurnuvaGirRowCase{"Adi", "", UiRequest::Info, kMissing}, TurnuvaGirRowCase{"Yer", "", UiRequest::Info, kMissing},
        TurnuvaGirRowCase{"Tarih1", QVariant(), UiRequest::Info, kMissing},
        TurnuvaGirRowCase{"Tarih2", QVariant(), UiRequest::Info, kMissing},
        TurnuvaGirRowCase{"Tur_Key", QVariant(), UiRequest::Info, kMissing},
        TurnuvaGirRowCase{"Durum_Key", QVariant(), UiRequest::Info, kMissing},
        TurnuvaGirRowCase{"Web_Tar", QDate(2009, 2, 1), UiRequest::Info,
                "Web Min Kuşak ve Web Kategoriler Bilgilerini Girmeniz Gerekmektedir...!"},
        TurnuvaGirRowCase{"Dt2", QDate(1995, 1, 1), UiRequest::Info,
                "Doğum Tarihi girecekseniz Min ve Max olarak iki tarihi de girmeniz gerekmektedir...!"},
        TurnuvaGirRowCase{"Sporcu_Say", "12a", UiRequest::Info, "Sayı Alanlarına Yalnızca Rakam Giriniz ...!"},
        TurnuvaGirRowCase{"Adi", "D'ARTAGNAN KUPASI", UiRequest::Error,
                "Girmiş Olduğunuz Faaliyet Adı Daha Önce Girilmiştir. Lütfen düzeltiniz ...!"}));

TEST_F(TurnuvaGirTest, WebFieldsAndBirthDatesGoTogether)
{
    open(s());
    newRow("WEB KUPASI");
    grid()->setFieldValue("Web_Tar", QDate(2009, 2, 1));
    grid()->setFieldValue("WebBr_Key", "BÜYÜKLER");
    EXPECT_FALSE(grid()->post()) << "the lowest belt is missing";
    // The belt is picked by name; its key is written.
    ASSERT_TRUE(grid()->model()->setData(gridCell(grid(), grid()->currentRow(), "Kusak_Adi"), "1.DAN"));
    EXPECT_EQ(grid()->currentRecord().toInt("Kusak_Key"), belt);
    grid()->setFieldValue("Dt1", QDate(1980, 1, 1));
    grid()->setFieldValue("Dt2", QDate(1995, 12, 31));
    ui().clear();
    ASSERT_TRUE(grid()->post()) << ui().lastText().toStdString();
    const auto row = db.first("select * from C_TURNUVA where Adi = 'WEB KUPASI'");
    EXPECT_EQ(row->toInt("Kusak_Key"), belt);
    EXPECT_EQ(row->date("Web_Tar"), QDate(2009, 2, 1));
    EXPECT_EQ(row->date("Dt2"), QDate(1995, 12, 31));
    EXPECT_EQ(grid()->cellText(grid()->currentRow(), grid()->columnOf("Kusak_Adi")), "1.DAN");

    // A row with neither web data nor birth dates is accepted too.
    newRow("YEREL TURNUVA");
    EXPECT_TRUE(grid()->post());
}

TEST_F(TurnuvaGirTest, ChangingAnActivityKeepsItsOwnName)
{
    addActivity(720, "O'NEIL KUPASI", national, seniors);
    open(s());
    ASSERT_TRUE(grid()->locate("Turnuva_Key", 720));
    grid()->setFieldValue("Yer", "BURSA");
    grid()->setFieldValue("Tarih1", QDate(2010, 6, 1));
    ASSERT_TRUE(grid()->post()) << ui().lastText().toStdString();
    const auto row = db.first("select * from C_TURNUVA where Turnuva_Key = 720");
    EXPECT_EQ(row->str("Yer"), "BURSA");
    EXPECT_EQ(row->toInt("Yili"), 2010) << "the year follows the first day";
}

TEST_F(TurnuvaGirTest, DeletesAnActivityAfterTheQuestionOnly)
{
    addActivity(730, "2008 TÜRKİYE KUPASI", national, seniors);
    addActivity(731, "2009 TÜRKİYE KUPASI", national, seniors);
    db.insert("F_DER", {{"Der_Key", 5}, {"Musteri_Key", 4}, {"Turnuva_Key", 730}, {"Durum_Key", 1}});
    open(s());
    ASSERT_TRUE(grid()->locate("Turnuva_Key", 730));
    QString asked;
    answerQuestion(false, &asked);
    click(s()->BitBtn1);
    EXPECT_EQ(asked, "2008 TÜRKİYE KUPASI Silinecektir. Eminmisiniz ...?");
    EXPECT_EQ(count("select count(*) from C_TURNUVA where Turnuva_Key = 730"), 1);
    answerQuestion(true);
    s()->Sil1->trigger();
    EXPECT_EQ(count("select count(*) from C_TURNUVA where Turnuva_Key = 730"), 0);
    EXPECT_EQ(gridKeys(), QList<int>({731}));
    EXPECT_EQ(count("select count(*) from F_DER where Turnuva_Key = 730"), 1) << "persons' rows stay as they are";
}

TEST_F(TurnuvaGirTest, RaporPrintsTheListedActivities)
{
    QStringList calls;
    TTurnuvaGir::askTitle = [&calls] {
        calls << "title";
        return QString("2009 FAALİYETLERİ");
    };
    TTurnuvaGir::printList = [&calls](const QString& title, const QString& sql) { calls << title << sql; };
    open(s());
    click(s()->BitBtn2);
    EXPECT_EQ(ui().texts(), QStringList({"Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!"}));
    EXPECT_TRUE(calls.isEmpty());

    addActivity(740, "2009 TÜRKİYE ŞAMPİYONASI", national, seniors);
    chooseType(national);
    click(s()->BitBtn2);
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0], "title");
    EXPECT_EQ(calls[1], "2009 FAALİYETLERİ");
    EXPECT_EQ(calls[2], s()->FQueryText) << "the grid's own statement";
    const Records printed = db.select(calls[2]);
    ASSERT_EQ(printed.size(), 1) << "the penalty activity is not printed";
    EXPECT_EQ(printed.first().toInt("Turnuva_Key"), 740);
}

TEST_F(TurnuvaGirTest, TypesAddedOnTheTypesScreenAreOfferedAtOnce)
{
    addActivity(750, "2009 AVRUPA ŞAMPİYONASI", european, seniors);
    open(s());
    chooseType(european);
    int added = 0;
    modals().expect("TTurnuvaTuru", [&added](QDialog* d) {
        TurnuvaTuru->Yeni1->trigger();
        TurnuvaTuru->DBGrid1->setFieldValue("Turu", "BALKAN ŞAMPİYONASI");
        TurnuvaTuru->DBGrid1->setFieldValue("Tipi", "ULUSLAR ARASI");
        added = TurnuvaTuru->DBGrid1->currentRecord().toInt("Tur_Key");
        ASSERT_TRUE(TurnuvaTuru->DBGrid1->post());
        d->close();
    });
    click(s()->SpeedButton1);
    ASSERT_GT(added, 0);
    EXPECT_GE(s()->DBLookupComboBox2->findData(added), 0) << "the new type can be chosen";
    EXPECT_EQ(s()->DBLookupComboBox2->currentData().toInt(), european) << "the choice stays";
    EXPECT_EQ(gridKeys(), QList<int>({750}));
    EXPECT_EQ(grid()->cellText(0, grid()->columnOf("Turu")), "AVRUPA ŞAMPİYONASI");
    const int column = grid()->columnOf("Turu");
    bool offered = false;
    for (const auto& item : grid()->column(column).lookup)
        offered = offered || item.second == "BALKAN ŞAMPİYONASI";
    EXPECT_TRUE(offered) << "the grid's type column offers it too";
}

} // namespace
