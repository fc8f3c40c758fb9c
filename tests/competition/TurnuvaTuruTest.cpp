#include "app/kit/DbConventions.h"
#include "competition/TurnuvaTuru.h"
#include "support/ScreenDriving.h"

#include <QAction>

namespace {

class TurnuvaTuruTest : public SignedInTest {
protected:
    TTurnuvaTuru* s() { return TurnuvaTuru; }
    TDBGrid* grid() { return s()->DBGrid1; }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
};

TEST_F(TurnuvaTuruTest, ShowsTheTypesInKeyOrder)
{
    open(s());
    EXPECT_EQ(s()->windowTitle(), "Faaliyet Türü Tanımları");
    EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), "Faaliyet Türü");
    EXPECT_EQ(grid()->model()->headerData(1, Qt::Horizontal).toString(), "Tipi");
    EXPECT_EQ(grid()->column(1).pickList, QStringList({"ULUSAL", "ULUSLAR ARASI"}));
    EXPECT_EQ(s()->Sil1->text(), "Sil");
    EXPECT_EQ(s()->Yeni1->text(), "Yeni");
    ASSERT_EQ(grid()->rowCount(), count("select count(*) from C_TURTURU"));
    for (int r = 1; r < grid()->rowCount(); ++r)
        EXPECT_LT(grid()->record(r - 1).toInt("Tur_Key"), grid()->record(r).toInt("Tur_Key"));
}

TEST_F(TurnuvaTuruTest, ANewTypeIsTypedIntoTheGrid)
{
    open(s());
    const int rows = grid()->rowCount();
    const int counter = Counters::current(db, "Sayi");
    s()->Yeni1->trigger();
    ASSERT_EQ(grid()->rowCount(), rows + 1);
    EXPECT_EQ(grid()->currentRecord().toInt("Tur_Key"), counter + 1) << "the key is taken with the new row";
    typeCell(grid(), rows, "Turu", "balkan şampiyonası");
    typeCell(grid(), rows, "Tipi", "uluslar arası");
    ASSERT_TRUE(grid()->post());
    const auto row = db.first("select * from C_TURTURU where Tur_Key = :k", {{"k", counter + 1}});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->str("Turu").toStdString(), "BALKAN ŞAMPİYONASI");
    EXPECT_EQ(row->str("Tipi").toStdString(), "ULUSLAR ARASI") << "the grid's Turkish capitals";
}

TEST_F(TurnuvaTuruTest, TypedUlusalIsAccepted)
{
    open(s());
    const int rows = grid()->rowCount();
    grid()->setCurrentRow(rows - 1);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Down);
    ASSERT_EQ(grid()->rowCount(), rows + 1) << "the grid starts a row past the last one";
    typeCell(grid(), rows, "Turu", "il şampiyonası");
    typeCell(grid(), rows, "Tipi", "ulusal");
    EXPECT_TRUE(grid()->post());
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(db.scalar("select Tipi from C_TURTURU where Turu = :n", {{"n", "İL ŞAMPİYONASI"}}).toString(), "ULUSAL");
}

struct TurnuvaTuruRowCase {
    const char* name;
    const char* kind;
    UiRequest::Kind box;
    const char* message;
};
class TurnuvaTuruChecks : public TurnuvaTuruTest, public ::testing::WithParamInterface<TurnuvaTuruRowCase> {};

TEST_P(TurnuvaTuruChecks, RefuseAFaultyRow)
{
    open(s());
    const int rows = grid()->rowCount();
    s()->Yeni1->trigger();
    grid()->setFieldValue("Turu", QString::fromUtf8(GetParam().name));
    grid()->setFieldValue("Tipi", QString::fromUtf8(GetParam().kind));
    EXPECT_FALSE(grid()->post());
    EXPECT_EQ(ui().texts(), QStringList({QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(ui().requests.first().kind, GetParam().box);
    EXPECT_EQ(grid()->state(), TDBGrid::Insert) << "the row stays for correction";
    EXPECT_EQ(count("select count(*) from C_TURTURU"), rows);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TurnuvaTuruChecks,
    ::testing::Values(TurnuvaTuruRowCase{"", "ULUSAL", UiRequest::Info, "Eksik veya hatalı giriş yaptınız ...!"},
                      TurnuvaTuruRowCase{"KULÜPLER KUPASI", "", UiRequest::Info, "Eksik veya hatalı giriş yaptınız ...!"},
                      TurnuvaTuruRowCase{"KULÜPLER KUPASI", "ULUSAL ", UiRequest::Info, "Eksik veya hatalı giriş yaptınız ...!"},
                      TurnuvaTuruRowCase{"TÜRKİYE KUPASI", "ULUSAL", UiRequest::Error,
                              "Girmiş Olduğunuz Faaliyet Türü Daha Önce Girilmiştir. Lütfen düzeltiniz ...!"}));

TEST_F(TurnuvaTuruTest, ARenameToAnotherTypesNameIsRefusedAnUnchangedSaveIsNot)
{
    db.insert("C_TURTURU", {{"Tur_Key", 800}, {"Turu", "O'NEIL KUPASI"}, {"Tipi", "ULUSAL"}});
    open(s());
    ASSERT_TRUE(grid()->locate("Tur_Key", 800));
    grid()->editRow();
    EXPECT_TRUE(grid()->post()) << "its own key is left out of the name search";
    grid()->setFieldValue("Turu", "TÜRKİYE KUPASI");
    EXPECT_FALSE(grid()->post());
    EXPECT_EQ(ui().lastText(), "Girmiş Olduğunuz Faaliyet Türü Daha Önce Girilmiştir. Lütfen düzeltiniz ...!");
    EXPECT_EQ(db.scalar("select Turu from C_TURTURU where Tur_Key = 800").toString(), "O'NEIL KUPASI");
}

TEST_F(TurnuvaTuruTest, AnAbandonedNewRowKeepsItsKeyUsed)
{
    open(s());
    const int counter = Counters::current(db, "Sayi");
    s()->Yeni1->trigger();
    grid()->cancel();
    EXPECT_EQ(Counters::current(db, "Sayi"), counter + 1);
    EXPECT_EQ(count("select count(*) from C_TURTURU where Tur_Key = :k", {{"k", counter + 1}}), 0);
}

TEST_F(TurnuvaTuruTest, DeletesAnUnusedTypeAfterTheQuestion)
{
    const QString name = "UZUN ADLI ULUSLARARASI DAVETLİ TURNUVA TÜRÜ ADI";
    db.insert("C_TURTURU", {{"Tur_Key", 810}, {"Turu", name}, {"Tipi", "ULUSLAR ARASI"}});
    open(s());
    ASSERT_TRUE(grid()->locate("Tur_Key", 810));
    QString asked;
    answerQuestion(false, &asked);
    s()->Sil1->trigger();
    EXPECT_EQ(asked, name + " Silinecektir. Eminmisiniz ...?") << "the whole name";
    EXPECT_EQ(count("select count(*) from C_TURTURU where Tur_Key = 810"), 1);
    answerQuestion(true);
    s()->Sil1->trigger();
    EXPECT_EQ(count("select count(*) from C_TURTURU where Tur_Key = 810"), 0);
    EXPECT_FALSE(grid()->locate("Tur_Key", 810));
}

TEST_F(TurnuvaTuruTest, ATypeThatActivitiesHaveIsNotDeleted)
{
    db.insert("C_TURTURU", {{"Tur_Key", 820}, {"Turu", "D'ARTAGNAN KUPASI"}, {"Tipi", "ULUSAL"}});
    db.insert("C_TURNUVA", {{"Turnuva_Key", 821}, {"Adi", "2009 D'ARTAGNAN KUPASI"}, {"Tur_Key", 820}});
    open(s());
    ASSERT_TRUE(grid()->locate("Tur_Key", 820));
    s()->Sil1->trigger();
    EXPECT_EQ(ui().texts(), QStringList({"D'ARTAGNAN KUPASI Türünün Bulunduğu Faaliyetler Olduğundan Silemezsiniz. "
                                         "Silmek için önce bu Türdeki Faaliyetleri Değiştirmeniz Gerekmektedir ...!"}));
    EXPECT_EQ(count("select count(*) from C_TURTURU where Tur_Key = 820"), 1);
}

} // namespace
