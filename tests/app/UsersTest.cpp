#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/Main.h"
#include "app/setup/Users.h"
#include "app/Sifre.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kPasswordRule = "Şifreyi 8 Karakteri Geçmeyecek Şekilde Rakam Olarak Giriniz...!";
const char* const kBadEntry = "Hatalı Giriş ...!";
const char* const kBadSpecialCode = "Sistemde Kayıtlı Özel Kod Rakamlardan Oluşmalıdır. Kayıt Yapılamadı ...!";

class UsersTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        addUser(5, "MASA", "5", "YOK");
        addUser(6, "HAKEM MASASI", "42", "VAR");
        ASSERT_TRUE(login("MASA", "5"));
    }
    // Shows the screen modally and runs `script` on it; whatever the script
    // leaves open is closed through "Çıkış".
    void open(std::function<void(TUsers*)> script)
    {
        modals().expect("TUsers", [script](QDialog* d) {
            QApplication::setActiveWindow(d);
            script(Users);
            if (d->isVisible())
                click(Users->BitBtn3);
        });
        Users->showModal();
    }
    void enter(const QString& name, const QString& password)
    {
        Users->Edit1->setText(name);
        Users->Edit2->setText(password);
        click(Users->BitBtn1);
    }
    int gridRowOf(int key) const
    {
        for (int r = 0; r < Users->DBGrid1->rowCount(); ++r)
            if (Users->DBGrid1->record(r).toInt("Key_No") == key)
                return r;
        return -1;
    }
    std::optional<Record> user(int key) { return db.first("select * from C_SIFRE where Key_No = :k", {{"k", key}}); }
    int userCount() { return db.scalar("select count(*) from C_SIFRE").toInt(); }
};

TEST_F(UsersTest, DesignOfTheScreen)
{
    EXPECT_EQ(Users->windowTitle(), "Kullanıcılar");
    EXPECT_FALSE(Users->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(child<QLabel>(Users, "Label1")->text(), "Kullanıcı Adı");
    EXPECT_EQ(child<QLabel>(Users, "Label2")->text(), "Şifre");
    EXPECT_EQ(Users->Edit2->echoMode(), QLineEdit::Normal) << "passwords are shown in plain text";
    EXPECT_EQ(Users->CheckBox1->text(), "Sadece Müsabaka Yetkisi Var");
    EXPECT_EQ(child<QPushButton>(Users, "BitBtn1")->text(), "Kaydet");
    EXPECT_EQ(child<QPushButton>(Users, "BitBtn2")->text(), "Sil");
    EXPECT_EQ(child<QPushButton>(Users, "BitBtn3")->text(), "Çıkış");
    EXPECT_FALSE(Users->BitBtn2->isEnabled()) << "disabled until the table is opened";
    EXPECT_FALSE(Users->DBEdit1->isVisibleTo(Users));

    const TDBGrid* grid = child<TDBGrid>(Users, "DBGrid1");
    ASSERT_EQ(grid->columns().size(), 4);
    EXPECT_EQ(grid->column(0).field, "Tip");
    EXPECT_EQ(grid->column(0).title, "Kullanıcı Türü");
    EXPECT_TRUE(grid->column(0).readOnly);
    EXPECT_EQ(grid->column(1).title, "Kullanıcı Adı");
    EXPECT_EQ(grid->column(2).title, "Şifre");
    EXPECT_EQ(grid->column(3).field, "R/F");
    EXPECT_EQ(grid->column(3).title, "Müsabaka");
    EXPECT_FALSE(grid->column(3).visible);
    EXPECT_TRUE(grid->column(3).readOnly);
}

TEST_F(UsersTest, ActivationOpensTheTableAndTheSpecialCode)
{
    db.update("C_SAYI", {{"OzelKod", "4321"}}, QString());
    open([](TUsers* u) {
        EXPECT_EQ(u->FInserting, 0);
        EXPECT_EQ(u->DBEdit1->text(), "4321");
        ASSERT_EQ(u->DBGrid1->rowCount(), 3);
        EXPECT_EQ(u->DBGrid1->record(0).str("Ad"), "ADMIN");
        EXPECT_EQ(u->DBGrid1->record(2).str("Ad"), "HAKEM MASASI");
        EXPECT_TRUE(u->BitBtn2->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), u->Edit1);
    });
}

TEST_F(UsersTest, KaydetAddsAUserWithMatchRightsFromTheCounter)
{
    const int before = db.scalar("select Sayi from C_SAYI").toInt();
    open([this](TUsers* u) {
        enter("YENİ MASA", "0042");
        EXPECT_EQ(ui().count(), 0);
        EXPECT_EQ(u->Edit1->text(), "");
        EXPECT_EQ(u->Edit2->text(), "");
        EXPECT_EQ(u->FInserting, 0);
        ASSERT_EQ(u->DBGrid1->rowCount(), 4);
        EXPECT_EQ(u->DBGrid1->record(3).str("Ad"), "YENİ MASA") << "the table was opened again";
    });
    const int key = before + 1;
    EXPECT_EQ(db.scalar("select Sayi from C_SAYI").toInt(), key);
    const auto row = user(key);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->str("Tip"), "User");
    EXPECT_EQ(row->str("Ad"), "YENİ MASA");
    EXPECT_EQ(row->str("Sifre"), "0042") << "leading zeros kept as typed";
    EXPECT_EQ(row->str("R/F"), "VAR") << "the start-up configuration checked the hidden box";
}

TEST_F(UsersTest, WithTheBoxClearedANewUserGetsFullRights)
{
    open([this](TUsers* u) {
        u->CheckBox1->setChecked(false);
        enter("TAM YETKİ", "7");
    });
    EXPECT_EQ(db.scalar("select [R/F] from C_SIFRE where Ad = 'TAM YETKİ'").toString(), "YOK");
}

TEST_F(UsersTest, TypedNameBecomesTurkishCapitalsAndEnterWalksToKaydet)
{
    open([this](TUsers* u) {
        typeInto(u->Edit1, "istanbul ırmak");
        EXPECT_EQ(u->Edit1->text(), "İSTANBUL IRMAK");
        QTest::keyClick(u->Edit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), u->Edit2);
        typeInto(u->Edit2, "12");
        QTest::keyClick(u->Edit2, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), u->BitBtn1);
        EXPECT_EQ(userCount(), 3) << "Enter does not press Kaydet";
        click(u->BitBtn1);
    });
    EXPECT_EQ(db.scalar("select Sifre from C_SIFRE where Ad = 'İSTANBUL IRMAK'").toString(), "12");
}

struct FieldCase {
    const char* name;
    const char* user;
    const char* password;
    const char* message;
};

class KaydetChecks : public UsersTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(KaydetChecks, RefuseWithTheirMessage)
{
    const FieldCase& c = GetParam();
    open([&](TUsers* u) {
        enter(c.user, c.password);
        ASSERT_EQ(ui().count(), 1);
        EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
        EXPECT_EQ(ui().lastText().toStdString(), c.message);
        EXPECT_EQ(u->Edit1->text(), QString(c.user)) << "the fields stay for correction";
    });
    EXPECT_EQ(userCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KaydetChecks,
    ::testing::Values(FieldCase{"NoName", "", "12", "Lütfen Kullanıcı Adı Giriniz ...!"},
                      FieldCase{"BlankFirst", " ALİ", "12", "Hatalı Kullanıcı Adı Girdiniz ...!"},
                      FieldCase{"NoPassword", "ALİ", "", "Lütfen Şifre Giriniz ...!"},
                      FieldCase{"Letter", "ALİ", "12A4", kPasswordRule},
                      FieldCase{"NineDigits", "ALİ", "123456789", kPasswordRule},
                      FieldCase{"Sign", "ALİ", "-5", kPasswordRule},
                      FieldCase{"Plus", "ALİ", "+5", kPasswordRule},
                      FieldCase{"Blank", "ALİ", " 12", kPasswordRule},
                      FieldCase{"OtherDigits", "ALİ", "١٢", kPasswordRule}),
    [](const ::testing::TestParamInfo<FieldCase>& i) { return std::string(i.param.name); });

TEST(UsersPasswordRule, DigitsOnlyAtMostEight)
{
    EXPECT_TRUE(TUsers::isWholeNumber("0"));
    EXPECT_TRUE(TUsers::isWholeNumber("00000042"));
    EXPECT_TRUE(TUsers::isWholeNumber("99999999"));
    EXPECT_FALSE(TUsers::isWholeNumber(""));
    EXPECT_FALSE(TUsers::isWholeNumber("123456789"));
    EXPECT_FALSE(TUsers::isWholeNumber("1.5"));
    EXPECT_FALSE(TUsers::isWholeNumber("$FF")) << "no hexadecimal";
}

// --- Editing in the grid ----------------------------------------------------------

TEST_F(UsersTest, KaydetWithEmptyFieldsSavesTheGridRow)
{
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(6)));
        u->DBGrid1->setFieldValue("Ad", "HAKEM 1");
        u->DBGrid1->setFieldValue("Sifre", "007");
        click(u->BitBtn1);
        EXPECT_EQ(ui().count(), 0);
        EXPECT_EQ(u->DBGrid1->state(), TDBGrid::Browse);
    });
    EXPECT_EQ(user(6)->str("Ad"), "HAKEM 1");
    EXPECT_EQ(user(6)->str("Sifre"), "007");
    EXPECT_EQ(userCount(), 3);
}

TEST_F(UsersTest, GridCellsTakeTurkishCapitals)
{
    open([this](TUsers* u) {
        TDBGrid* grid = u->DBGrid1;
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(gridRowOf(6), grid->columnOf("Ad")));
        typeInto(grid, "hakem şiş");
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid) << "no cell editor opened";
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the cell editor commits after the key
        EXPECT_TRUE(grid->post());
    });
    EXPECT_EQ(user(6)->str("Ad"), "HAKEM ŞİŞ");
}

struct UsersRowCase {
    const char* name;
    int key;
    const char* field;
    const char* value;
    const char* message;
};

class GridRowChecks : public UsersTest, public ::testing::WithParamInterface<UsersRowCase> {};

TEST_P(GridRowChecks, RefuseTheRowAndKeepItInEdit)
{
    const UsersRowCase& c = GetParam();
    db.update("C_SIFRE", {{"R/F", "BAŞKA"}}, "Key_No = 5");
    const auto before = user(c.key);
    open([&](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(c.key)));
        u->DBGrid1->setFieldValue(c.field, c.value);
        EXPECT_FALSE(u->DBGrid1->post());
        EXPECT_EQ(ui().lastText().toStdString(), c.message);
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
        EXPECT_EQ(u->DBGrid1->state(), TDBGrid::Edit);
        u->DBGrid1->cancel();
    });
    EXPECT_EQ(user(c.key)->toMap(), before->toMap());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GridRowChecks,
    ::testing::Values(UsersRowCase{"EmptyName", 6, "Ad", "", kBadEntry},
                      UsersRowCase{"BlankFirst", 6, "Ad", " HAKEM", kBadEntry},
                      UsersRowCase{"EmptyPassword", 6, "Sifre", "", kBadEntry},
                      UsersRowCase{"RightsNeitherVarNorYok", 5, "Ad", "MASA 2", kBadEntry},
                      UsersRowCase{"LetterInPassword", 6, "Sifre", "4X", kPasswordRule},
                      UsersRowCase{"LongPassword", 6, "Sifre", "123456789", kPasswordRule}),
    [](const ::testing::TestParamInfo<UsersRowCase>& i) { return std::string(i.param.name); });

TEST_F(UsersTest, AdministratorKeepsFullRightsAndRightsAreStoredInCapitals)
{
    db.update("C_SIFRE", {{"R/F", "var"}}, "Key_No = 6");
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(1)));
        u->DBGrid1->setFieldValue("R/F", "VAR");
        EXPECT_TRUE(u->DBGrid1->post());
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(6)));
        u->DBGrid1->setFieldValue("Sifre", "43");
        EXPECT_TRUE(u->DBGrid1->post());
    });
    EXPECT_EQ(user(1)->str("R/F"), "YOK");
    EXPECT_EQ(user(6)->str("R/F"), "VAR");
    EXPECT_EQ(ui().count(), 0);
}

TEST_F(UsersTest, TheGridStartsNoRowsOfItsOwn)
{
    open([this](TUsers* u) {
        TDBGrid* grid = u->DBGrid1;
        grid->setFocus();
        grid->setCurrentRow(grid->rowCount() - 1);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Insert);
        EXPECT_EQ(grid->rowCount(), 3);
        EXPECT_EQ(grid->state(), TDBGrid::Browse);
    });
    EXPECT_EQ(userCount(), 3);
}

TEST_F(UsersTest, ANewUserDoesNotDropAChangeTypedIntoTheGrid)
{
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(6)));
        u->DBGrid1->setFieldValue("Ad", "HAKEM 2");
        enter("YENİ", "1");
    });
    EXPECT_EQ(user(6)->str("Ad"), "HAKEM 2");
    EXPECT_EQ(userCount(), 4);
}

TEST_F(UsersTest, ARefusedGridChangeStopsTheNewUser)
{
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(6)));
        u->DBGrid1->setFieldValue("Sifre", "X");
        enter("YENİ", "1");
        EXPECT_EQ(ui().lastText(), kPasswordRule);
        u->DBGrid1->cancel();
    });
    EXPECT_EQ(userCount(), 3);
}

// --- Deleting -----------------------------------------------------------------------

TEST_F(UsersTest, TheAdministratorCannotBeDeleted)
{
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(1)));
        click(u->BitBtn2);
        ASSERT_EQ(ui().count(), 1);
        EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
        EXPECT_EQ(ui().lastText(), "Bu Kullanıcıyı Silemezsiniz ...!");
    });
    EXPECT_TRUE(user(1).has_value());
    EXPECT_EQ(modals().seen(), QStringList({"TSifre", "TUsers"})) << "no question asked";
}

struct DeleteCase {
    const char* name;
    bool yes;
};

class DeleteUser : public UsersTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteUser, AsksWithTheFirstTwentyLettersOfTheName)
{
    addUser(7, "ABCDEFGHİJKLMNOPRSTUVYZ", "9", "VAR");
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(7)));
        modals().expect("TForm5", [](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "ABCDEFGHİJKLMNOPRSTU Silinecektir. Emin misiniz ...?");
            click(GetParam().yes ? Form5->BitBtn1 : Form5->BitBtn2);
        });
        click(u->BitBtn2);
        EXPECT_EQ(u->DBGrid1->rowCount(), GetParam().yes ? 3 : 4);
        EXPECT_TRUE(u->BitBtn2->isEnabled());
    });
    EXPECT_EQ(user(7).has_value(), !GetParam().yes);
    EXPECT_EQ(userCount(), GetParam().yes ? 3 : 4);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteUser, ::testing::Values(DeleteCase{"Evet", true}, DeleteCase{"Hayir", false}),
                         [](const ::testing::TestParamInfo<DeleteCase>& i) { return std::string(i.param.name); });

TEST_F(UsersTest, DeletingTheLastRowDisablesSil)
{
    // A table that holds no administrator (made by another program).
    db.exec("delete * from C_SIFRE where Key_No <> 6");
    open([](TUsers* u) {
        ASSERT_EQ(u->DBGrid1->rowCount(), 1);
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        click(u->BitBtn2);
        EXPECT_TRUE(u->DBGrid1->isEmpty());
        EXPECT_FALSE(u->BitBtn2->isEnabled());
        click(u->BitBtn2);
        EXPECT_EQ(ui().count(), 0);
    });
}

// --- The special code -------------------------------------------------------------

TEST_F(UsersTest, ASpecialCodeThatIsNoNumberIsReportedNotSilentlyRefused)
{
    db.update("C_SAYI", {{"OzelKod", "12AB"}}, QString());
    open([this](TUsers*) {
        enter("YENİ", "1");
        ASSERT_EQ(ui().count(), 1);
        EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
        EXPECT_EQ(ui().lastText(), kBadSpecialCode);
    });
    EXPECT_EQ(userCount(), 3);
    EXPECT_EQ(db.scalar("select OzelKod from C_SAYI").toString(), "12AB");
}

TEST_F(UsersTest, KaydetWritesTheSpecialCodeBackOnlyWhenItChangedHere)
{
    db.update("C_SAYI", {{"OzelKod", "4321"}}, QString());
    open([this](TUsers* u) {
        // Another station stores a new code while the screen is open.
        db.update("C_SAYI", {{"OzelKod", "5555"}}, QString());
        enter("YENİ", "1");
        EXPECT_EQ(db.scalar("select OzelKod from C_SAYI").toString(), "5555") << "not overwritten";
        u->DBEdit1->setText("777");
        enter("YENİ 2", "2");
    });
    EXPECT_EQ(db.scalar("select OzelKod from C_SAYI").toString(), "777");
    EXPECT_EQ(userCount(), 5);
}

// --- Closing -------------------------------------------------------------------------

TEST_F(UsersTest, ClosingKeepsTheSignedInUser)
{
    open([](TUsers*) {});
    EXPECT_EQ(Sifre->FUserName, "MASA") << "not the first user row";
    EXPECT_EQ(Main->Label_User->text(), "Kullanıcı : MASA");
    EXPECT_TRUE(Users->DBGrid1->isEmpty()) << "the table is closed";
}

TEST_F(UsersTest, ClosingStoresAGridChangeOrStaysOpenForItsCorrection)
{
    open([this](TUsers* u) {
        ASSERT_TRUE(u->DBGrid1->setCurrentRow(gridRowOf(6)));
        u->DBGrid1->setFieldValue("Sifre", "1X");
        click(u->BitBtn3);
        EXPECT_TRUE(u->isVisible()) << "the refused change is not dropped silently";
        EXPECT_EQ(ui().lastText(), kPasswordRule);
        u->DBGrid1->setFieldValue("Sifre", "18");
        click(u->BitBtn3);
        EXPECT_FALSE(u->isVisible());
    });
    EXPECT_EQ(user(6)->str("Sifre"), "18");
}

TEST_F(UsersTest, FitsAt1024x768)
{
    open([](TUsers* u) {
        EXPECT_LE(u->width(), 1024);
        EXPECT_LE(u->height(), 768);
        for (QWidget* w : {static_cast<QWidget*>(u->Edit1), static_cast<QWidget*>(u->BitBtn3),
                           static_cast<QWidget*>(u->DBGrid1)}) {
            const QRect r(w->mapTo(u, QPoint(0, 0)), w->size());
            EXPECT_TRUE(u->rect().contains(r)) << w->objectName().toStdString();
        }
        saveScreenshot(u, "BRIVEX_USERS_SCREENSHOT", u->size());
    });
}

} // namespace
