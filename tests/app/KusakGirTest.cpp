#include "app/kit/DbConventions.h"
#include "app/setup/KusakGir.h"
#include "support/ScreenDriving.h"

#include <QLineEdit>

namespace {

class KusakGirTest : public SignedInTest {
protected:
    TKusakGir* s() { return KusakGir; }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
    QStringList gridNames()
    {
        QStringList names;
        for (int r = 0; r < s()->DBGrid1->rowCount(); ++r)
            names << s()->DBGrid1->record(r).str("Kusak_Adi");
        return names;
    }
};

TEST_F(KusakGirTest, ANewBeltIsTheLastInRankAndSelected)
{
    EXPECT_FALSE(s()->BitBtn3->isEnabled()) << "disabled at start";
    open(s());
    EXPECT_EQ(s()->windowTitle(), "Giriş Ekranı");
    EXPECT_EQ(s()->Label1->text(), "Kuşak Adı");
    EXPECT_EQ(s()->BitBtn1->text(), "Kaydet");
    EXPECT_EQ(s()->BitBtn3->text(), "Kayıt Sil");
    EXPECT_EQ(s()->BitBtn2->text(), "Kapat");
    EXPECT_EQ(s()->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), "Kuşak Adı");
    EXPECT_TRUE(s()->BitBtn3->isEnabled());
    const QStringList before = gridNames();
    ASSERT_FALSE(before.isEmpty());

    typeInto(s()->Edit1, "siyah 2.dan");
    QTest::keyClick(s()->Edit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s()->BitBtn1) << "Enter moves to Kaydet without pressing it";
    EXPECT_EQ(count("select count(*) from KUSAK where Kusak_Adi = 'SİYAH 2.DAN'"), 0);
    const int counter = Counters::current(db, "Sayi");
    click(s()->BitBtn1);
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(gridNames(), before + QStringList({"SİYAH 2.DAN"})) << "in rank (key) order";
    EXPECT_EQ(s()->DBGrid1->currentRow(), s()->DBGrid1->rowCount() - 1);
    EXPECT_EQ(db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = 'SİYAH 2.DAN'").toInt(), counter + 1);
    EXPECT_EQ(s()->Edit1->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), s()->Edit1);

    // Two belts of one name can be kept.
    s()->Edit1->setText("SİYAH 2.DAN");
    click(s()->BitBtn1);
    EXPECT_EQ(count("select count(*) from KUSAK where Kusak_Adi = 'SİYAH 2.DAN'"), 2);
}

struct KusakGirEntryCase {
    const char* name;
    UiRequest::Kind box;
    const char* message;
};
class KusakGirChecks : public KusakGirTest, public ::testing::WithParamInterface<KusakGirEntryCase> {};

TEST_P(KusakGirChecks, RefuseWithTheirMessage)
{
    db.exec("delete * from KUSAK");
    open(s());
    s()->Edit1->setText(GetParam().name);
    click(s()->BitBtn1);
    EXPECT_EQ(ui().texts(), QStringList({QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(ui().requests.first().kind, GetParam().box);
    EXPECT_EQ(count("select count(*) from KUSAK"), 0);
}

INSTANTIATE_TEST_SUITE_P(Entries, KusakGirChecks,
                         ::testing::Values(KusakGirEntryCase{"", UiRequest::Error, "Giriş Yapmadınız ...!"},
                                           KusakGirEntryCase{" SARI", UiRequest::Info, "Hatalı Giriş ....."}));

TEST_F(KusakGirTest, KaydetWithAnEmptyNameAndARowChangesNothing)
{
    open(s());
    const Records before = db.select("select * from KUSAK order by Kusak_Key");
    click(s()->BitBtn1);
    EXPECT_TRUE(ui().texts().isEmpty());
    const Records after = db.select("select * from KUSAK order by Kusak_Key");
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].str("Kusak_Adi"), before[i].str("Kusak_Adi"));
}

// Every place that uses a belt: the persons' two belt columns by name, the
// belt history and the activities' lowest web belt by key.
struct KusakGirUserCase {
    const char* table;
    const char* column;
    const char* message;
};
class KusakGirGuard : public KusakGirTest, public ::testing::WithParamInterface<KusakGirUserCase> {};

TEST_P(KusakGirGuard, RefusesToDeleteABeltInUse)
{
    const QString name = "D'ARTAGNAN KUŞAĞI";
    db.insert("KUSAK", {{"Kusak_Key", 700}, {"Kusak_Adi", name}});
    const QString table = GetParam().table;
    if (table == "C_MUSTERI")
        db.insert(table, {{"Musteri_Key", 3}, {GetParam().column, name}});
    else if (table == "F_KUSAK")
        db.insert(table, {{"Kus_Key", 40}, {"Musteri_Key", 3}, {"Kusak_Key", 700}});
    else
        db.insert(table, {{"Turnuva_Key", 41}, {"Adi", "WEB KUPASI"}, {"Kusak_Key", 700}});
    open(s());
    ASSERT_TRUE(s()->DBGrid1->locate("Kusak_Key", 700));
    click(s()->BitBtn3);
    EXPECT_EQ(ui().texts(), QStringList({name + QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Info);
    EXPECT_EQ(count("select count(*) from KUSAK where Kusak_Key = 700"), 1);
}

const char* const kKusakGirPersons = " Bulunan Sporcular Olduğundan Silemezsiniz. Silmek İçin Önce Tüm Sporcu Kayıtları "
                             "İçerisinde Bunları Değiştirmeniz Gerekmektedir ...!";

INSTANTIATE_TEST_SUITE_P(
    Users, KusakGirGuard,
    ::testing::Values(KusakGirUserCase{"C_MUSTERI", "E25", kKusakGirPersons}, KusakGirUserCase{"C_MUSTERI", "E75", kKusakGirPersons},
                      KusakGirUserCase{"F_KUSAK", "Kusak_Key",
                               " Bulunan Sporcu Kariyer Bilgileri Bulunmaktadır. Silmek İçin Önce Tüm Sporcu Kayıtları "
                               "İçerisinde Bunları Değiştirmeniz Gerekmektedir ...!"},
                      KusakGirUserCase{"C_TURNUVA", "Kusak_Key",
                               " Bulunan Faaliyetler Olduğundan Silemezsiniz. Silmek İçin Önce Bu Faaliyetlerin Web "
                               "Min Kuşak Bilgisini Değiştirmeniz Gerekmektedir ...!"}),
    [](const auto& info) { return std::string(info.param.table) + "_" + info.param.column; });

TEST_F(KusakGirTest, DeletesAnUnusedBeltAfterTheQuestion)
{
    db.exec("delete * from KUSAK");
    const QString name = "KIRMIZI-BEYAZ ŞERİTLİ ÇOCUK KUŞAĞI SEVİYE BİR";
    db.insert("KUSAK", {{"Kusak_Key", 701}, {"Kusak_Adi", name}});
    open(s());
    QString asked;
    answerQuestion(false, &asked);
    click(s()->BitBtn3);
    EXPECT_EQ(asked, name.left(40) + " Silinecektir. Eminmisiniz .... ?");
    EXPECT_EQ(count("select count(*) from KUSAK"), 1);
    answerQuestion(true);
    click(s()->BitBtn3);
    EXPECT_EQ(count("select count(*) from KUSAK"), 0);
    EXPECT_FALSE(s()->BitBtn3->isEnabled());
}

} // namespace
