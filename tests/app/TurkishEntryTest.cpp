#include "app/kit/TurkishEntry.h"
#include "app/Main.h"
#include "app/Sifre.h"
#include "platform/text/CodePage.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// --- The conversion of one character --------------------------------------

struct KeyCase {
    const char* typed;
    const char* result;
};

class TurkishUpperKeyCases : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TurkishUpperKeyCases, ConvertsOneCharacter)
{
    const QString typed = QString::fromUtf8(GetParam().typed);
    ASSERT_EQ(typed.size(), 1);
    QChar c = typed[0];
    TurkishUpperKey(c);
    EXPECT_EQ(QString(c), QString::fromUtf8(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TurkishUpperKeyCases,
    ::testing::Values(
        // The dotted and dotless i keep their dot.
        KeyCase{"i", "İ"}, KeyCase{"İ", "İ"}, KeyCase{"ı", "I"}, KeyCase{"I", "I"},
        // The other Turkish letters.
        KeyCase{"ğ", "Ğ"}, KeyCase{"Ğ", "Ğ"}, KeyCase{"ü", "Ü"}, KeyCase{"Ü", "Ü"}, KeyCase{"ş", "Ş"},
        KeyCase{"Ş", "Ş"}, KeyCase{"ö", "Ö"}, KeyCase{"Ö", "Ö"}, KeyCase{"ç", "Ç"}, KeyCase{"Ç", "Ç"},
        // ASCII letters.
        KeyCase{"a", "A"}, KeyCase{"q", "Q"}, KeyCase{"w", "W"}, KeyCase{"x", "X"}, KeyCase{"z", "Z"},
        KeyCase{"K", "K"},
        // Everything else stays: accented letters, digits, punctuation, controls.
        KeyCase{"â", "â"}, KeyCase{"î", "î"}, KeyCase{"û", "û"}, KeyCase{"é", "é"}, KeyCase{"ß", "ß"},
        KeyCase{"7", "7"}, KeyCase{" ", " "}, KeyCase{",", ","}, KeyCase{"-", "-"}, KeyCase{"@", "@"},
        KeyCase{"\x08", "\x08"}, KeyCase{"\r", "\r"}, KeyCase{"\x1b", "\x1b"}, KeyCase{"\x03", "\x03"},
        KeyCase{"\x16", "\x16"}, KeyCase{"\x18", "\x18"}));

// Every byte of code page 1254, as the conversion is defined on bytes: the
// character of each byte converted gives the character of the byte that the
// byte rules give.
TEST(TurkishUpperKeyBytes, EveryCodePageByteFollowsTheByteRules)
{
    auto expected = [](int b) {
        switch (b) {
        case 0x69: case 0xDD: return 0xDD;
        case 0x49: case 0xFD: return 0x49;
        case 0xD0: case 0xF0: return 0xD0;
        case 0xDC: case 0xFC: return 0xDC;
        case 0xDE: case 0xFE: return 0xDE;
        case 0xD6: case 0xF6: return 0xD6;
        case 0xC7: case 0xE7: return 0xC7;
        default: return b >= 0x61 && b <= 0x7A ? b - 0x20 : b;
        }
    };
    int checked = 0;
    for (int b = 0; b < 256; ++b) {
        const QString s = Cp1254::decode(QByteArray(1, char(b)));
        bool lossless = false;
        if (Cp1254::encode(s, &lossless) != QByteArray(1, char(b)) || !lossless)
            continue;  // a byte the code page leaves undefined
        QChar c = s[0];
        TurkishUpperKey(c);
        const QByteArray out = Cp1254::encode(QString(c));
        ASSERT_EQ(out.size(), 1);
        EXPECT_EQ(static_cast<unsigned char>(out[0]), expected(b)) << "byte " << b;
        ++checked;
    }
    EXPECT_GE(checked, 249);
}

// --- The handler forms on real controls ------------------------------------

// A small screen: two name fields, a code combo, a free-text field, a
// default button.
class EntryScreen : public QDialog {
public:
    EntryScreen()
    {
        auto* l = new QVBoxLayout(this);
        for (auto** e : {&Edit1, &Edit2, &Edit3}) {
            *e = new QLineEdit(this);
            l->addWidget(*e);
        }
        Edit1->setObjectName("Edit1");
        Edit2->setObjectName("Edit2");
        Edit3->setObjectName("Edit3");
        ComboBox1 = new QComboBox(this);
        ComboBox1->setEditable(true);
        ComboBox1->addItems({"ULUSAL", "ULUSLAR ARASI"});
        l->addWidget(ComboBox1);
        Memo1 = new QPlainTextEdit(this);
        l->addWidget(Memo1);
        BitBtn1 = new QPushButton("Kaydet", this);
        BitBtn1->setDefault(true);
        l->addWidget(BitBtn1);
        QObject::connect(BitBtn1, &QPushButton::clicked, [this] { ++saves; });
    }
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QComboBox* ComboBox1;
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;
    int saves = 0;
};

class TurkishEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen.show();
        QApplication::setActiveWindow(&screen);
        ui().clear();
    }
    void TearDown() override { screen.hide(); }
    void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }
    EntryScreen screen;
};

struct WordCase {
    const char* typed;
    const char* shown;
};

class TypedWords : public TurkishEntryTest, public ::testing::WithParamInterface<WordCase> {};

TEST_P(TypedWords, TextFieldHoldsTurkishCapitals)
{
    TurkishEntry::textField(screen.Edit1, screen.Edit2);
    typeInto(screen.Edit1, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(screen.Edit1->text(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Words, TypedWords,
                         ::testing::Values(WordCase{"istanbul", "İSTANBUL"}, WordCase{"ırmak", "IRMAK"},
                                           WordCase{"şiş", "ŞİŞ"}, WordCase{"çığ", "ÇIĞ"},
                                           WordCase{"göğüs", "GÖĞÜS"}, WordCase{"IİIi", "IİIİ"},
                                           WordCase{"âîûé 12,5-x.", "âîûé 12,5-X."},
                                           WordCase{"Kırşehir 40", "KIRŞEHİR 40"}));

TEST_F(TurkishEntryTest, BackspaceAndClipboardKeepWorkingAndPastedTextStaysAsItIs)
{
    TurkishEntry::textField(screen.Edit1, screen.Edit2);
    typeInto(screen.Edit1, "abc");
    QTest::keyClick(screen.Edit1, Qt::Key_Backspace);
    EXPECT_EQ(screen.Edit1->text(), "AB");
    QTest::keyClick(screen.Edit1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(screen.Edit1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "AB");
    QTest::keyClick(screen.Edit1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(screen.Edit1->text(), "");
    QApplication::clipboard()->setText(QString::fromUtf8("istanbul"));
    QTest::keyClick(screen.Edit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(screen.Edit1->text(), "istanbul") << "pasted text is not converted";
    screen.Edit2->setText("izmir");
    EXPECT_EQ(screen.Edit2->text(), "izmir") << "text set by the program is not converted";
}

TEST_F(TurkishEntryTest, InputMethodTextIsConvertedToo)
{
    TurkishEntry::textField(screen.Edit1, screen.Edit2);
    screen.Edit1->setFocus();
    QInputMethodEvent e(QString(), {});
    e.setCommitString(QString::fromUtf8("şık"));
    QApplication::sendEvent(screen.Edit1, &e);
    EXPECT_EQ(screen.Edit1->text(), QString::fromUtf8("ŞIK"));
}

TEST_F(TurkishEntryTest, EnterMovesAlongTheChainToTheSaveButtonWithoutPressingIt)
{
    TurkishEntry::textField(screen.Edit1, screen.Edit2);
    TurkishEntry::textField(screen.Edit2, screen.BitBtn1);
    QSignalSpy returned(screen.Edit2, &QLineEdit::returnPressed);
    screen.Edit1->setFocus();
    enter(screen.Edit1);
    EXPECT_TRUE(screen.Edit2->hasFocus());
    enter(screen.Edit2);
    EXPECT_TRUE(screen.BitBtn1->hasFocus());
    EXPECT_EQ(screen.saves, 0) << "the default button was not pressed";
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(returned.count(), 1) << "the field still saw its Enter";
    // Enter on the focused button is the button's own business.
    enter(screen.BitBtn1);
    EXPECT_EQ(screen.saves, 1);
}

TEST_F(TurkishEntryTest, EnterOnlyMovesWithoutConverting)
{
    TurkishEntry::enterOnly(screen.Edit3, screen.BitBtn1);
    typeInto(screen.Edit3, "72,5 kg");
    EXPECT_EQ(screen.Edit3->text(), "72,5 kg");
    enter(screen.Edit3);
    EXPECT_TRUE(screen.BitBtn1->hasFocus());
    EXPECT_EQ(screen.saves, 0);
}

TEST_F(TurkishEntryTest, WithoutANextControlEnterKeepsItsUsualMeaning)
{
    TurkishEntry::textField(screen.Edit1, nullptr);
    typeInto(screen.Edit1, "12a4");
    EXPECT_EQ(screen.Edit1->text(), "12A4");
    enter(screen.Edit1);
    EXPECT_EQ(screen.saves, 1) << "the dialog's default button takes the Enter";
}

TEST_F(TurkishEntryTest, OneHandlerServesSeveralFieldsWithOneNextControl)
{
    TurkishEntry* h = TurkishEntry::textField({screen.Edit1, screen.Edit2}, screen.Edit3);
    EXPECT_EQ(h->kind(), TurkishEntry::TextField);
    typeInto(screen.Edit1, "ali");
    typeInto(screen.Edit2, "veli");
    EXPECT_EQ(screen.Edit1->text(), QString::fromUtf8("ALİ"));
    EXPECT_EQ(screen.Edit2->text(), QString::fromUtf8("VELİ"));
    enter(screen.Edit2);
    EXPECT_TRUE(screen.Edit3->hasFocus());
    screen.Edit1->setFocus();
    enter(screen.Edit1);
    EXPECT_TRUE(screen.Edit3->hasFocus());
}

TEST_F(TurkishEntryTest, NextControlChosenWhenEnterIsPressed)
{
    TurkishEntry* h = TurkishEntry::textField(screen.Edit1, screen.Edit2);
    h->setNextChooser([this]() -> QWidget* { if (screen.Edit2->isVisible())
            return screen.Edit2;
        return screen.BitBtn1; });
    screen.Edit2->hide();
    screen.Edit1->setFocus();
    enter(screen.Edit1);
    EXPECT_TRUE(screen.BitBtn1->hasFocus());
    screen.Edit2->show();
    screen.Edit1->setFocus();
    enter(screen.Edit1);
    EXPECT_TRUE(screen.Edit2->hasFocus());
}

TEST_F(TurkishEntryTest, ScreensOwnEnterActionReplacesTheMove)
{
    int searches = 0;
    TurkishEntry* h = TurkishEntry::textField(screen.Edit1, screen.Edit2);
    h->setEnterAction([&] { ++searches; });
    typeInto(screen.Edit1, "ankara");
    enter(screen.Edit1);
    EXPECT_EQ(searches, 1);
    EXPECT_TRUE(screen.Edit1->hasFocus());
    EXPECT_EQ(screen.Edit1->text(), "ANKARA");
    EXPECT_EQ(screen.saves, 0);
}

TEST_F(TurkishEntryTest, EditableComboConvertsAndKeepsItsList)
{
    TurkishEntry::textField(screen.ComboBox1, screen.Edit2);
    screen.ComboBox1->setCurrentIndex(-1);
    screen.ComboBox1->clearEditText();
    typeInto(screen.ComboBox1, QString::fromUtf8("yeni tür"));
    EXPECT_EQ(screen.ComboBox1->currentText().toStdString(), "YENİ TÜR");
    enter(screen.ComboBox1);
    EXPECT_TRUE(screen.Edit2->hasFocus());
    EXPECT_EQ(screen.ComboBox1->count(), 2) << "Enter adds no item";
    EXPECT_EQ(screen.saves, 0);
}

TEST_F(TurkishEntryTest, PlainTextEditConverts)
{
    TurkishEntry::textField(screen.Memo1, nullptr);
    typeInto(screen.Memo1, QString::fromUtf8("çağrı"));
    EXPECT_EQ(screen.Memo1->toPlainText(), QString::fromUtf8("ÇAĞRI"));
}

// --- The grid form ---------------------------------------------------------

TEST_F(TurkishEntryTest, GridFilterConvertsTypedCellsAndLeavesEnterToTheGrid)
{
    QStandardItemModel model(2, 2);
    model.setItem(0, 0, new QStandardItem("ULUSAL"));
    auto* view = new QTableView(&screen);
    view->setModel(&model);
    screen.layout()->addWidget(view);
    view->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
    TurkishEntry::grid(view);
    view->setCurrentIndex(model.index(1, 1));
    view->setFocus();
    // The first key opens the cell editor, the rest go to it.
    typeInto(view, QString::fromUtf8("ışık"));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, view) << "a cell editor is open";
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(model.item(1, 1)->text(), QString::fromUtf8("IŞIK"));
    EXPECT_TRUE(view->hasFocus()) << "Enter kept its grid meaning: the edit ended in the grid";
    EXPECT_EQ(screen.saves, 0);
}

// --- The login's password field --------------------------------------------

class PasswordField : public ScreensTest {};

TEST_F(PasswordField, TypedLettersAreUpperCasedAndEnterPressesDevam)
{
    modals().expect("TSifre", [](QDialog* d) {
        auto* combo = child<QComboBox>(d, "DBLookupComboBox1");
        combo->setCurrentIndex(combo->findText("ADMIN"));
        auto* pass = child<QLineEdit>(d, "Edit1");
        typeInto(pass, "12i4");
        EXPECT_EQ(pass->text(), QString::fromUtf8("12İ4"));
        pass->setText("1234");
        QTest::keyClick(pass, Qt::Key_Return);
    });
    Main->FormShow();
    EXPECT_EQ(Sifre->FLoginState, 1);
}

} // namespace
