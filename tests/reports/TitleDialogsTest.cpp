// The title dialogs: their controls, the title that survives every way of
// closing, the upper-casing, the sort choice, and the competition dialog's
// activity title and options.
#include "ReportsFixture.h"

#include "app/kit/Formats.h"
#include "reports/Baslik1.h"
#include "reports/Baslik1S.h"
#include "reports/Baslik2.h"
#include "reports/Baslik4.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

enum class Way { Tamam, CloseBox, Escape };

TBaslik1* dialogNamed(const QString& name)
{
    if (name == "TBaslik1")
        return Baslik1;
    if (name == "TBaslik2")
        return Baslik2;
    return Baslik4;
}

void leave(QDialog* d, Way way)
{
    switch (way) {
    case Way::Tamam: click(d->findChild<QWidget*>("BitBtn4")); break;
    case Way::CloseBox: d->close(); break;
    case Way::Escape: QTest::keyClick(d, Qt::Key_Escape); break;
    }
    EXPECT_FALSE(d->isVisible());
}

// --- TBaslik1, TBaslik2, TBaslik4 ---------------------------------------------------

struct PlainCase {
    const char* dialog;
    Way way;
};

class PlainTitle : public ReportsTest, public ::testing::WithParamInterface<PlainCase> {};

TEST_P(PlainTitle, EveryWayOfClosingKeepsTheTitle)
{
    const PlainCase c = GetParam();
    TBaslik1* d = dialogNamed(c.dialog);
    EXPECT_EQ(d->windowTitle(), "Rapor Başlığı Girişi");
    EXPECT_EQ(d->Label15->text(), "Başlık");
    EXPECT_TRUE(d->Label15->font().bold());
    EXPECT_EQ(d->BitBtn4->text(), "Tamam");
    EXPECT_TRUE(d->BitBtn4->font().bold());
    EXPECT_EQ(d->findChildren<QPushButton*>().size(), 1) << "no cancel";

    d->Edit8->setText("GENEL LİSTE");
    modals().expect(c.dialog, [&](QDialog* shown) {
        EXPECT_EQ(shown->focusWidget(), d->Edit8);
        leave(shown, c.way);
    });
    d->showModal();
    EXPECT_EQ(d->Edit8->text(), "GENEL LİSTE");

    // The next showing still holds it; a click on "Başlık" clears it.
    modals().expect(c.dialog, [&](QDialog* shown) {
        EXPECT_EQ(d->Edit8->text(), "GENEL LİSTE");
        QTest::mouseClick(d->Label15, Qt::LeftButton);
        EXPECT_EQ(d->Edit8->text(), "");
        leave(shown, c.way);
    });
    d->showModal();
    EXPECT_EQ(d->Edit8->text(), "");
}

INSTANTIATE_TEST_SUITE_P(Ways, PlainTitle,
                         ::testing::Values(PlainCase{"TBaslik1", Way::Tamam}, PlainCase{"TBaslik1", Way::CloseBox},
                                           PlainCase{"TBaslik1", Way::Escape}, PlainCase{"TBaslik2", Way::Tamam},
                                           PlainCase{"TBaslik2", Way::CloseBox}, PlainCase{"TBaslik4", Way::Escape},
                                           PlainCase{"TBaslik4", Way::Tamam}));

struct TypingCase {
    const char* dialog;
    const char* typed;
    const char* held;
};

class TitleTyping : public ReportsTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TitleTyping, LettersAndEnter)
{
    const TypingCase c = GetParam();
    TBaslik1* d = dialogNamed(c.dialog);
    d->Edit8->clear();
    modals().expect(c.dialog, [&](QDialog* shown) {
        typeInto(d->Edit8, QString::fromUtf8(c.typed));
        EXPECT_EQ(d->Edit8->text(), QString::fromUtf8(c.held));
        // Enter moves to "Tamam" without pressing it.
        QTest::keyClick(d->Edit8, Qt::Key_Return);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->focusWidget(), d->BitBtn4);
        QTest::keyClick(d->BitBtn4, Qt::Key_Return);
        EXPECT_FALSE(shown->isVisible());
    });
    d->showModal();
    EXPECT_EQ(d->Edit8->text(), QString::fromUtf8(c.held));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TitleTyping,
                         ::testing::Values(TypingCase{"TBaslik1", "şule ılgaz iğde", "ŞULE ILGAZ İĞDE"},
                                           TypingCase{"TBaslik4", "çağrı ögün", "ÇAĞRI ÖGÜN"},
                                           // The record sheet's title keeps the letters as typed.
                                           TypingCase{"TBaslik2", "Şule ılgaz", "Şule ılgaz"}));

// "Tamam" is drawn as the default button exactly while Enter presses it: not
// while the title field has the focus (Enter there moves to "Tamam"), and
// once it has the focus, when Enter closes the dialog.
class TitleDefaultButton : public ReportsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TitleDefaultButton, DrawnAsDefaultExactlyWhenEnterPressesIt)
{
    QDialog* d = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->metaObject()->className() == QString(GetParam()))
            d = qobject_cast<QDialog*>(w);
    ASSERT_NE(d, nullptr);
    auto* edit = child<QLineEdit>(d, "Edit8");
    auto* tamam = child<QPushButton>(d, "BitBtn4");
    bool closedByEnter = false;
    modals().expect(GetParam(), [&](QDialog* shown) {
        // The window manager makes the dialog the active window.
        QApplication::setActiveWindow(shown);
        EXPECT_EQ(shown->focusWidget(), edit);
        EXPECT_FALSE(tamam->isDefault()) << "drawn as default while Enter would not press it";
        edit->clear();
        typeInto(edit, "DENEME");
        QTest::keyClick(edit, Qt::Key_Return);
        ASSERT_TRUE(shown->isVisible()) << "Enter in the title moves to Tamam";
        EXPECT_EQ(shown->focusWidget(), tamam);
        EXPECT_TRUE(tamam->isDefault());
        QTest::keyClick(tamam, Qt::Key_Return);
        closedByEnter = !shown->isVisible();
        if (!closedByEnter)
            shown->close();
    });
    static_cast<Form*>(d)->showModal();
    EXPECT_TRUE(closedByEnter);
    EXPECT_EQ(edit->text(), "DENEME");
    // Shown again, the field has the focus and Tamam is plain again.
    modals().expect(GetParam(), [&](QDialog* shown) {
        QApplication::setActiveWindow(shown);
        EXPECT_EQ(shown->focusWidget(), edit);
        EXPECT_FALSE(tamam->isDefault());
        QTest::keyClick(shown, Qt::Key_Return);
        EXPECT_TRUE(shown->isVisible()) << "no button drawn as default, none pressed";
        shown->close();
    });
    static_cast<Form*>(d)->showModal();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TitleDefaultButton,
                         ::testing::Values("TBaslik1", "TBaslik2", "TBaslik4", "TBaslik1S", "TBaslik3", "TBaslikDip"));

struct SortCase {
    const char* button;
    const char* caption;
    const char* column;
};

class TitleSort : public ReportsTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(TitleSort, CheckedButtonGivesTheColumn)
{
    EXPECT_EQ(Baslik4->GroupBox1->title(), " Sıra ");
    EXPECT_TRUE(Baslik4->RadioButton1->isChecked()) << "the first is checked at design";
    EXPECT_EQ(Baslik4->sortColumn(), "Ad_Soyad");
    auto* b = child<QRadioButton>(Baslik4, GetParam().button);
    EXPECT_EQ(b->text(), QString::fromUtf8(GetParam().caption));
    modals().expect("TBaslik4", [b](QDialog* d) {
        click(b);
        d->close();
    });
    Baslik4->showModal();
    EXPECT_EQ(Baslik4->sortColumn(), GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(Columns, TitleSort,
                         ::testing::Values(SortCase{"RadioButton1", "İsim", "Ad_Soyad"},
                                           SortCase{"RadioButton2", "Sicil No", "Vergi_Numarasi"},
                                           SortCase{"RadioButton6", "Bölge", "Vergi_Dairesi"},
                                           SortCase{"RadioButton3", "Son Kuşak/Dan Verildiği Tarih", "M7"},
                                           SortCase{"RadioButton4", "Son Hakem Ünvanı Verildiği Tarih", "M6"},
                                           SortCase{"RadioButton5", "Son Antrenörlük Ünvanı Verildiği Tarih", "M5"}));

// --- TBaslik1S ---------------------------------------------------------------------

class CompetitionTitle : public ReportsTest {
protected:
    void addActivity(int key, const char* name, const char* place, QDate from, QDate to)
    {
        db.insert("C_TURNUVA", {{"Turnuva_Key", key}, {"Adi", name}, {"Yer", place}, {"Tarih1", from},
                                {"Tarih2", to}, {"Durum_Key", categoryKey()}, {"Tur_Key", typeKey()}});
    }
    // The first category name the lists offer and the first activity type.
    int categoryKey()
    {
        return db.scalar("select min(Durum_Key) from C_BRANSADI where Durum_Key > 2").toInt();
    }
    int typeKey() { return db.scalar("select min(Tur_Key) from C_TURTURU").toInt(); }
    QString categoryName()
    {
        return db.scalar("select Durum from C_BRANSADI where Durum_Key = :k", {{"k", categoryKey()}}).toString();
    }
    QString typeName()
    {
        return db.scalar("select Turu from C_TURTURU where Tur_Key = :k", {{"k", typeKey()}}).toString();
    }
};

TEST_F(CompetitionTitle, DesignState)
{
    TBaslik1S* d = Baslik1S;
    EXPECT_EQ(d->windowTitle(), "Rapor Başlığı Girişi");
    EXPECT_EQ(d->height(), 147);
    EXPECT_EQ(d->CheckBox2->text(), "Kilo Gösterme");
    EXPECT_TRUE(d->CheckBox2->isChecked());
    EXPECT_EQ(d->CheckBox3->text(), "Takım/Kulüp Gösterme");
    EXPECT_TRUE(d->CheckBox3->isChecked());
    EXPECT_EQ(d->CheckBox5->text(), "Uluslar arası Müsabaka");
    EXPECT_FALSE(d->CheckBox5->isChecked());
    for (QWidget* hidden : {static_cast<QWidget*>(d->CheckBox5), static_cast<QWidget*>(d->Label4),
                            static_cast<QWidget*>(d->DateTimePicker1), static_cast<QWidget*>(d->MaskEdit1),
                            static_cast<QWidget*>(d->Panel1), static_cast<QWidget*>(d->Label54),
                            static_cast<QWidget*>(d->DBLookupComboBox5), static_cast<QWidget*>(d->Edit6),
                            static_cast<QWidget*>(d->Label3), static_cast<QWidget*>(d->ComboBox2)})
        EXPECT_FALSE(hidden->isVisibleTo(d)) << hidden->objectName().toStdString();
    EXPECT_FALSE(d->DBLookupComboBox1->isVisibleTo(d)) << "the start-up configuration hides the activity picker";
    EXPECT_EQ(d->DBLookupComboBox1->geometry(), d->Edit8->geometry());
    EXPECT_EQ(d->Panel1->x(), 0);
    EXPECT_EQ(d->Label4->text(), "Tarih");
    EXPECT_TRUE(d->MaskEdit1->isReadOnly());
    EXPECT_EQ(d->MaskEdit1->text(), Formats::dateToStr(d->DateTimePicker1->date()));
    EXPECT_EQ(d->Label54->text(), "Kategori");
    EXPECT_EQ(d->Label3->text(), "Kata/Kumite");
    EXPECT_EQ(d->ComboBox2->count(), 2);
    EXPECT_EQ(d->ComboBox2->itemText(1), "KUMİTE");
    EXPECT_EQ(d->Label1->text(), "Ad Soyad");
    EXPECT_EQ(d->Label2->text(), "Unvan");
    EXPECT_TRUE(d->RadioButton1->isChecked());
    EXPECT_FALSE(d->Edit1->isEnabled());
    EXPECT_FALSE(d->Edit2->isEnabled());
    QStringList radios;
    for (QRadioButton* b : {d->RadioButton1, d->RadioButton2, d->RadioButton3, d->RadioButton5, d->RadioButton4,
                            d->RadioButton6})
        radios << b->text();
    EXPECT_EQ(radios, (QStringList{"Sporcu", "Hakem", "Antrenör", "Hakem-Antrenör", "Unvan", "Diğer"}));
    EXPECT_EQ(d->findChildren<QPushButton*>().size(), 1) << "no cancel";
}

TEST_F(CompetitionTitle, PickerListsActivitiesNewestFirstAndTheDatasetsCloseWithTheDialog)
{
    addActivity(5, "ŞAMPİYONA", "ANKARA", {2010, 3, 12}, {2010, 3, 14});
    addActivity(6, "KUPA", "İZMİR", {2011, 5, 1}, {2011, 5, 2});
    modals().expect("TBaslik1S", [&](QDialog* d) {
        auto* picker = Baslik1S->DBLookupComboBox1;
        ASSERT_EQ(picker->count(), 3);   // with the penalty activity 1
        EXPECT_EQ(picker->itemData(0).toInt(), 6);
        EXPECT_EQ(picker->itemText(1), "12.03.2010-14.03.2010 ANKARA ŞAMPİYONA /" + categoryName() + " " + typeName());
        EXPECT_EQ(picker->itemData(2).toInt(), 1);
        EXPECT_EQ(d->focusWidget(), Baslik1S->Edit8);
        EXPECT_FALSE(Baslik1S->Query12.isEmpty());
        EXPECT_EQ(Baslik1S->DBLookupComboBox5->itemText(0), categoryName());
        d->close();
    });
    Baslik1S->showModal();
    EXPECT_TRUE(Baslik1S->Query2.isEmpty());
    EXPECT_TRUE(Baslik1S->Query12.isEmpty());
}

struct ActivityCase {
    QDate from, to;
    bool international;
    const char* second;   // the second line of the title
};

class ActivityTitle : public CompetitionTitle, public ::testing::WithParamInterface<ActivityCase> {};

TEST_P(ActivityTitle, ComposedFromThePickedActivity)
{
    const ActivityCase& c = GetParam();
    addActivity(5, "ŞAMPİYONA", "ANKARA", c.from, c.to);
    Baslik1S->CheckBox5->setChecked(c.international);
    modals().expect("TBaslik1S", [](QDialog* d) {
        auto* picker = Baslik1S->DBLookupComboBox1;
        picker->setCurrentIndex(picker->findData(5));
        emit picker->activated(picker->currentIndex());
        EXPECT_EQ(Baslik1S->Edit8->text(), picker->currentText());
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik1S->showModal();
    EXPECT_EQ(Baslik1S->FActivityTitle, "ŞAMPİYONA\n" + QString::fromUtf8(c.second) + "  ANKARA");
    EXPECT_EQ(Baslik1S->FActivityName, Baslik1S->DBLookupComboBox1->currentText());
    Baslik1S->CheckBox5->setChecked(false);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, ActivityTitle,
    ::testing::Values(ActivityCase{{2010, 3, 12}, {2010, 3, 14}, false, "12 - 14 MART 2010"},
                      ActivityCase{{2010, 4, 30}, {2010, 5, 2}, false, "30 NİSAN  - 02 MAYIS 2010"},
                      ActivityCase{{2010, 4, 30}, {2010, 5, 2}, true, "30 APRIL  - 02 MAY 2010"},
                      ActivityCase{{2010, 8, 1}, {2010, 8, 1}, false, "01 - 01 AĞUSTOS 2010"},
                      // Over a year's end both years stay.
                      ActivityCase{{2009, 12, 30}, {2010, 1, 2}, false, "30 ARALIK 2009  - 02 OCAK 2010"}));

TEST_F(CompetitionTitle, TypedTitleEmptiesTheActivityTitle)
{
    addActivity(5, "ŞAMPİYONA", "ANKARA", {2010, 3, 12}, {2010, 3, 14});
    Baslik1S->FActivityTitle = "ESKİ";
    Baslik1S->FActivityName = "ESKİ";
    modals().expect("TBaslik1S", [](QDialog* d) {
        auto* picker = Baslik1S->DBLookupComboBox1;
        picker->setCurrentIndex(picker->findData(5));
        Baslik1S->Edit8->setText("ELLE YAZILAN BAŞLIK");
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik1S->showModal();
    EXPECT_EQ(Baslik1S->FActivityTitle, "");
    EXPECT_EQ(Baslik1S->FActivityName, "");
    EXPECT_EQ(Baslik1S->Edit8->text(), "ELLE YAZILAN BAŞLIK");
}

TEST_F(CompetitionTitle, HiddenPickerAndReadOnlyTitleGiveNoActivityTitle)
{
    // As the start-up configuration and the weigh-in lists leave it.
    Baslik1S->DBLookupComboBox1->hide();
    Baslik1S->Edit8->setReadOnly(true);
    Baslik1S->Edit8->setText("ESKİ BAŞLIK");
    Baslik1S->FActivityTitle = "ESKİ";
    modals().expect("TBaslik1S", [](QDialog* d) { click(d->findChild<QWidget*>("BitBtn4")); });
    Baslik1S->showModal();
    EXPECT_EQ(Baslik1S->FActivityTitle, "");
}

TEST_F(CompetitionTitle, ClosingOtherwiseKeepsTheLastTitle)
{
    addActivity(5, "ŞAMPİYONA", "ANKARA", {2010, 3, 12}, {2010, 3, 14});
    modals().expect("TBaslik1S", [](QDialog* d) {
        auto* picker = Baslik1S->DBLookupComboBox1;
        picker->setCurrentIndex(picker->findData(5));
        emit picker->activated(picker->currentIndex());
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik1S->showModal();
    const QString title = Baslik1S->FActivityTitle;
    ASSERT_FALSE(title.isEmpty());
    modals().expect("TBaslik1S", [](QDialog* d) {
        Baslik1S->Edit8->setText("BAŞKA");
        d->close();
    });
    Baslik1S->showModal();
    EXPECT_EQ(Baslik1S->FActivityTitle, title);
    modals().expect("TBaslik1S", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    Baslik1S->showModal();
    EXPECT_EQ(Baslik1S->FActivityTitle, title);
}

TEST_F(CompetitionTitle, TitleFieldsUpperCase)
{
    Baslik1S->Panel1->show();
    click(Baslik1S->RadioButton6);
    modals().expect("TBaslik1S", [](QDialog* d) {
        Baslik1S->Edit8->clear();
        typeInto(Baslik1S->Edit8, "kış kupası");
        EXPECT_EQ(Baslik1S->Edit8->text(), "KIŞ KUPASI");
        QTest::keyClick(Baslik1S->Edit8, Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), Baslik1S->BitBtn4);
        typeInto(Baslik1S->Edit1, "ali işçi");
        EXPECT_EQ(Baslik1S->Edit1->text(), "ALİ İŞÇİ");
        typeInto(Baslik1S->Edit2, "başhakem");
        EXPECT_EQ(Baslik1S->Edit2->text(), "BAŞHAKEM");
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    Baslik1S->showModal();
    Baslik1S->Panel1->hide();
    click(Baslik1S->RadioButton1);
}

struct RoleCase {
    const char* button;
    bool nameOn;
    bool titleOn;
    bool keepsTexts;
};

class PersonRoles : public CompetitionTitle, public ::testing::WithParamInterface<RoleCase> {};

TEST_P(PersonRoles, RoleSetsTheNameAndTitleFields)
{
    const RoleCase& c = GetParam();
    click(Baslik1S->RadioButton6);
    Baslik1S->Edit1->setText("ALİ VELİ");
    Baslik1S->Edit2->setText("BAŞKAN");
    click(child<QRadioButton>(Baslik1S, c.button));
    EXPECT_EQ(Baslik1S->Edit1->isEnabled(), c.nameOn);
    EXPECT_EQ(Baslik1S->Label1->isEnabled(), c.nameOn);
    EXPECT_EQ(Baslik1S->Edit2->isEnabled(), c.titleOn);
    EXPECT_EQ(Baslik1S->Label2->isEnabled(), c.titleOn);
    EXPECT_EQ(Baslik1S->Edit1->text(), c.keepsTexts ? "ALİ VELİ" : "");
    EXPECT_EQ(Baslik1S->Edit2->text(), c.keepsTexts ? "BAŞKAN" : "");
}

INSTANTIATE_TEST_SUITE_P(Roles, PersonRoles,
                         ::testing::Values(RoleCase{"RadioButton1", false, false, false},
                                           RoleCase{"RadioButton2", false, false, false},
                                           RoleCase{"RadioButton3", false, false, false},
                                           RoleCase{"RadioButton5", false, false, false},
                                           RoleCase{"RadioButton4", false, true, false},
                                           RoleCase{"RadioButton6", true, true, true}));

TEST_F(CompetitionTitle, CategoryStyleAndDate)
{
    Baslik1S->Edit6->setText("ESKİ");
    Baslik1S->ComboBox2->setCurrentIndex(1);
    modals().expect("TBaslik1S", [this](QDialog* d) {
        // Activation empties the category and the style.
        EXPECT_EQ(Baslik1S->Edit6->text(), "");
        EXPECT_EQ(Baslik1S->ComboBox2->currentIndex(), -1);
        auto* categories = Baslik1S->DBLookupComboBox5;
        categories->setCurrentIndex(0);
        emit categories->activated(0);
        EXPECT_EQ(Baslik1S->Edit6->text(), categoryName());
        Baslik1S->Label54->show();
        QTest::mouseClick(Baslik1S->Label54, Qt::LeftButton);
        EXPECT_EQ(Baslik1S->Edit6->text(), "");
        Baslik1S->ComboBox2->setCurrentIndex(0);
        Baslik1S->Label3->show();
        QTest::mouseClick(Baslik1S->Label3, Qt::LeftButton);
        EXPECT_EQ(Baslik1S->ComboBox2->currentIndex(), -1);
        Baslik1S->DateTimePicker1->setDate(QDate(2010, 7, 9));
        EXPECT_EQ(Baslik1S->MaskEdit1->text(), "09.07.2010");
        d->close();
    });
    Baslik1S->showModal();
    Baslik1S->Label54->hide();
    Baslik1S->Label3->hide();
}

} // namespace
