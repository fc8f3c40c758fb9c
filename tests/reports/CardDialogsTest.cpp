// The card prints' dialogs and the documents that need one of their own:
// the page setup, the card items of the registry screen's report menu, the
// diploma with its exam dialog and the national-athlete card with its
// national-team dialog.
#include "CardsFixture.h"

#include "app/Sifre.h"
#include "reports/BaslikDip.h"
#include "reports/CardReport.h"
#include "reports/CardRules.h"
#include "reports/Millilik.h"
#include "reports/PrintMenuD1.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

using cards::textOn;

// --- The page setup ------------------------------------------------------------

struct VisaYearCase {
    const char* name;
    QDate today;
    int year;
};

class VisaYearDefault : public ::testing::TestWithParam<VisaYearCase> {};

TEST_P(VisaYearDefault, IsThisYearAndTheNextInDecember)
{
    EXPECT_EQ(CardRules::visaYearFor(GetParam().today), GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(Dates, VisaYearDefault,
                         ::testing::Values(VisaYearCase{"January", QDate(2010, 1, 1), 2010},
                                           VisaYearCase{"November", QDate(2010, 11, 30), 2010},
                                           VisaYearCase{"December", QDate(2010, 12, 1), 2011},
                                           VisaYearCase{"NewYearsEve", QDate(2010, 12, 31), 2011}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MarginCase {
    const char* name;
    const char* top;
    const char* left;
    const char* year;
    const char* message;   // "" when the dialog closes
    const char* focus;     // the field that gets the focus
};

class MarginCheck : public CardsTest, public ::testing::WithParamInterface<MarginCase> {};

TEST_P(MarginCheck, RefusesTheFirstWrongFieldInOrderAndStaysOpen)
{
    const MarginCase c = GetParam();
    bool closedAfterFirstTry = false;
    modals().expect("TMargin", [&](QDialog* d) {
        auto* m = static_cast<TMargin*>(d);
        m->Edit8->setText(QString::fromUtf8(c.top));
        m->Edit1->setText(QString::fromUtf8(c.left));
        m->Edit2->setText(QString::fromUtf8(c.year));
        click(m->BitBtn4);
        closedAfterFirstTry = !m->isVisible();
        if (!closedAfterFirstTry) {
            EXPECT_EQ(m->FValuesOk, 0);
            EXPECT_EQ(d->focusWidget(), m->findChild<QWidget*>(c.focus));
            // Put right, the answer goes through.
            m->Edit8->setText("4");
            m->Edit1->setText("2");
            m->Edit2->setText("2010");
            click(m->BitBtn4);
        }
    });
    Margin->showModal();
    const QString message = QString::fromUtf8(c.message);
    EXPECT_EQ(closedAfterFirstTry, message.isEmpty());
    EXPECT_EQ(ui().texts(), message.isEmpty() ? QStringList() : QStringList{message});
    EXPECT_EQ(Margin->FConfirmed, 1);
}

const char* const kValueError = "Hatalı Değer Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)";
const char* const kYearError = "Hatalı Yıl Girdiniz. Lütfen Düzeltiniz ...!";

INSTANTIATE_TEST_SUITE_P(
    Fields, MarginCheck,
    ::testing::Values(MarginCase{"Right", "4", "2", "2010", "", ""},
                      MarginCase{"DecimalComma", "10,5", "0,25", "2011", "", ""},
                      MarginCase{"LettersAsTop", "abc", "2", "2010", kValueError, "Edit8"},
                      MarginCase{"EmptyLeft", "4", "", "2010", kValueError, "Edit1"},
                      MarginCase{"EmptyYear", "4", "2", "", kYearError, "Edit2"},
                      MarginCase{"FractionalYear", "4", "2", "2010,5", kYearError, "Edit2"},
                      MarginCase{"AllWrongTopFirst", "x", "y", "z", kValueError, "Edit8"},
                      MarginCase{"LeftBeforeYear", "4", "y", "z", kValueError, "Edit1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CardsTest, ThePageSetupKeepsNumbersButResetsTheRestAtEveryShowing)
{
    modals().expect("TMargin", [](QDialog* d) {
        auto* m = static_cast<TMargin*>(d);
        m->Edit8->setText("7");
        m->CheckBox1->setChecked(true);
        pick(m->ComboBox1, "AMATÖR SPORCU");
        EXPECT_EQ(m->Edit3->text(), "AMATÖR SPORCU");
        EXPECT_TRUE(m->Edit3->isReadOnly());
        // "-" empties the title.
        pick(m->ComboBox1, "-");
        EXPECT_EQ(m->Edit3->text(), "");
        pick(m->ComboBox1, "MİLLİ TAKIM TEKNİK DİREKTÖRÜ");
        saveScreenshot(m, "BRIVEX_MARGIN_SCREENSHOT", m->size());
        click(m->BitBtn4);
    });
    Margin->showModal();
    EXPECT_EQ(Margin->Edit3->text(), "MİLLİ TAKIM TEKNİK DİREKTÖRÜ");
    EXPECT_EQ(Margin->FConfirmed, 1);

    modals().expect("TMargin", [](QDialog* d) {
        auto* m = static_cast<TMargin*>(d);
        EXPECT_EQ(m->windowTitle(), "Sayfa Yapısı");
        EXPECT_EQ(m->Edit8->text(), "7");
        EXPECT_EQ(m->Edit2->text(), "2010");
        EXPECT_EQ(m->Edit3->text(), "");
        EXPECT_FALSE(m->CheckBox1->isChecked());
        EXPECT_EQ(m->FConfirmed, 0);
        EXPECT_EQ(d->focusWidget(), m->Edit2);
        // Enter walks year, top offset, left offset, "Evet" without pressing it.
        QTest::keyClick(m->Edit2, Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), m->Edit8);
        QTest::keyClick(m->Edit8, Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), m->Edit1);
        QTest::keyClick(m->Edit1, Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), m->BitBtn4);
        EXPECT_TRUE(m->isVisible());
        // Esc is no way out: there is no cancel.
        QTest::keyClick(m, Qt::Key_Escape);
        EXPECT_TRUE(m->isVisible());
        click(m->BitBtn1);
    });
    Margin->showModal();
    EXPECT_EQ(Margin->FConfirmed, 0);
}

// --- The card items of the registry screen's report menu ------------------------------

TEST_F(CardsTest, TheCardMenuOffersTheRefereeCardsToEveryoneAndEveryCardToTheAdministrator)
{
    QMenu menu;
    QStringList chosen;
    Cards::addMenuItems(&menu, true, [&chosen](const QString& item) { chosen << item; });

    auto visible = [&menu](const char* name) {
        QAction* a = menu.findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a && a->isVisible();
    };
    // The administrator: every card, the accreditation card, the diploma and
    // the national-athlete card; not the two items that repeat another.
    for (const char* name : {"KimlikYazdrma1", "AntrenrKimlik1", "Hakem1", "SporcuKuakKimlik1", "Tamsilci",
                             "PoomseHakem1", "AntrenrKimlikVizesiz1", "FederasyonBakan1", "MsabakaKart1", "Diploma1",
                             "MilliSporcuKimlik1", "AKlasmanProfesyonelHakem2", "NewKlasmanProfesyonelSporcu1"})
        EXPECT_TRUE(visible(name)) << name;
    EXPECT_FALSE(visible("Sporcu1"));
    EXPECT_FALSE(visible("HakemKimlik1"));
    auto* athletes = menu.findChild<QMenu*>("SporcuKimlikleri1");
    ASSERT_NE(athletes, nullptr);
    EXPECT_EQ(athletes->title(), "Sporcu Kimlikleri");
    EXPECT_TRUE(athletes->menuAction()->isVisible());
    EXPECT_EQ(menu.findChild<QMenu*>("MenejerKimlik1")->title(), "Menajer Kimlikler");
    // BRIVEX_CARD_MENU_SCREENSHOT=/tmp/menu.png: a picture of the administrator's menu.
    if (const QByteArray path = qgetenv("BRIVEX_CARD_MENU_SCREENSHOT"); !path.isEmpty()) {
        menu.popup(QPoint(0, 0));
        EXPECT_TRUE(menu.grab().save(QString::fromLocal8Bit(path)));
        menu.hide();
    }

    // Any other user: only the referee cards.
    Cards::applyRights(&menu, false);
    for (const Cards::MenuItem& item : Cards::menuItems())
        EXPECT_EQ(visible(item.name), QString(item.submenu) == "HakemKimlikleri1") << item.name;
    EXPECT_FALSE(athletes->menuAction()->isVisible());
    EXPECT_FALSE(menu.findChild<QMenu*>("MenejerKimlik1")->menuAction()->isVisible());
    EXPECT_TRUE(menu.findChild<QMenu*>("HakemKimlikleri1")->menuAction()->isVisible());

    // An item runs its own launcher.
    menu.findChild<QAction*>("AKlasmanProfesyonelHakem1")->trigger();
    EXPECT_EQ(chosen, QStringList{"AKlasmanProfesyonelHakem1"});
}

TEST_F(CardsTest, ACardNotOfferedToTheUserIsNotPrinted)
{
    addThree();
    Sifre->FIsAdmin = false;
    for (const char* item : {"KimlikYazdrma1", "Diploma1", "MilliSporcuKimlik1", "MsabakaKart1", "Tamsilci"})
        Cards::launch(item, caller(), searched());
    EXPECT_TRUE(modals().seen().isEmpty());
    EXPECT_TRUE(ui().texts().isEmpty());
}

// --- The diploma ---------------------------------------------------------------------

class DiplomaTest : public CardsTest {
protected:
    static void expectExam(const QString& place, const QString& date, const QString& degree, const QString& president)
    {
        modals().expect("TBaslikDip", [=](QDialog* d) {
            auto* b = static_cast<TBaslikDip*>(d);
            EXPECT_EQ(d->focusWidget(), b->Edit8);
            b->Edit8->setText(place);
            b->Edit1->setText(date);
            b->Edit2->setText(degree);
            b->Edit3->setText(president);
            click(b->BitBtn4);
        });
    }
};

TEST_F(DiplomaTest, EachSelectedPersonGetsASheetWithTwoIdenticalCopies)
{
    addThree();
    db.update("C_MUSTERI", {{"M3", QDate(1995, 7, 8)}}, "Musteri_Key = 2");
    expectExam("İZMİR", "12-13 MART 2010", "1. DAN", "AHMET BAŞKAN");
    std::optional<ReportDocument> pages;
    const QString pdf = m_out.filePath("diploma.pdf");
    expectPreview(pages, pdf);
    Cards::launch("Diploma1", caller(), searched("1,2,3"));
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->pageCount(), 3);
    EXPECT_NEAR(pages->pageSize.width(), 420, 1e-6);
    EXPECT_NEAR(pages->pageSize.height(), 285, 1e-6);

    // CEMİL ÖZ, the third in name order, on the third sheet: the left copy
    // at 58.2 mm, the right one at 269.9 mm, the exam texts on both.
    const ReportPage& sheet = pages->pages[2];
    EXPECT_EQ(textOn(sheet, "QRDBText2"), "CEMİL ÖZ");
    EXPECT_EQ(textOn(sheet, "QRDBText6"), "CEMİL ÖZ");
    EXPECT_EQ(textOn(sheet, "QRDBText1"), "0000102");
    EXPECT_EQ(textOn(sheet, "QRDBText3"), "ANKARA");
    EXPECT_EQ(textOn(sheet, "QRDBText4"), "08.07.1995");
    EXPECT_EQ(textOn(sheet, "QRDBText8"), "08.07.1995");
    EXPECT_NEAR(sheet.find("QRDBText2")->rect.left(), 10 + 58.2, 0.01);
    EXPECT_NEAR(sheet.find("QRDBText6")->rect.left(), 10 + 269.9, 0.01);
    EXPECT_NEAR(sheet.find("QRDBText2")->rect.top(), 10 + 96.8, 0.01);
    for (const char* name : {"QRLabel1", "QRLabel5"})
        EXPECT_EQ(textOn(sheet, name), "1. DAN") << name;
    for (const char* name : {"QRLabel2", "QRLabel6"})
        EXPECT_EQ(textOn(sheet, name), "İZMİR") << name;
    for (const char* name : {"QRLabel3", "QRLabel7"})
        EXPECT_EQ(textOn(sheet, name), "12-13 MART 2010") << name;
    for (const char* name : {"QRLabel4", "QRLabel8"})
        EXPECT_EQ(textOn(sheet, name), "AHMET BAŞKAN") << name;
    EXPECT_NEAR(sheet.find("QRLabel8")->rect.top(), 10 + 214.3, 0.01);

    // The PDF: three sheets of 420 x 285 mm, each with the person twice.
    cards::expectPdfPages(pdf, 3, 420, 285);
    const QStringList sheets = fixture::pdfText(pdf).split('\f');
    ASSERT_GE(sheets.size(), 3);
    EXPECT_EQ(sheets[0].count("AHMET IŞIK"), 2) << sheets[0].toStdString();
    EXPECT_EQ(sheets[2].count("AHMET BAŞKAN"), 2);
    EXPECT_EQ(sheets[1].count("BERK ŞAHİN"), 2);
}

TEST_F(DiplomaTest, TheExamDialogKeepsItsTextsAndAnyCaptionEmptiesThePlace)
{
    addThree();
    expectExam("İZMİR", "MART 2010", "1. DAN", "AHMET BAŞKAN");
    std::optional<ReportDocument> pages;
    expectPreview(pages);
    Cards::launch("Diploma1", caller(), searched());

    modals().expect("TBaslikDip", [](QDialog* d) {
        auto* b = static_cast<TBaslikDip*>(d);
        EXPECT_EQ(b->windowTitle(), "Sınav Yeri ve Tarihi");
        EXPECT_EQ(b->Edit8->text(), "İZMİR");
        EXPECT_EQ(b->Edit2->text(), "1. DAN");
        // A click on "Derece" empties the exam place, not the degree.
        QTest::mouseClick(b->Label2, Qt::LeftButton);
        EXPECT_EQ(b->Edit8->text(), "");
        EXPECT_EQ(b->Edit2->text(), "1. DAN");
        // Typed letters are capitals by the Turkish rule; Enter goes to "Tamam".
        b->Edit8->setFocus();
        QTest::keyClicks(b->Edit8, "izmir");
        EXPECT_EQ(b->Edit8->text(), "İZMİR");
        QTest::keyClick(b->Edit8, Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), b->BitBtn4);
        saveScreenshot(b, "BRIVEX_DIPLOMA_SCREENSHOT", b->size());
        click(b->BitBtn4);
    });
    expectPreview(pages);
    Cards::launch("Diploma1", caller(), searched());
    EXPECT_EQ(fixture::textsOf(*pages, "QRLabel2"), QStringList(3, "İZMİR"));
    EXPECT_EQ(fixture::textsOf(*pages, "QRLabel6"), QStringList(3, "İZMİR"));
}

TEST_F(DiplomaTest, TheLaunchSpeaksOfPersons)
{
    Cards::launch("Diploma1", caller(), Cards::RegistryList{});
    Cards::RegistryList empty = searched();
    empty.currentKey = QVariant();
    Cards::launch("Diploma1", caller(), empty);
    EXPECT_EQ(ui().texts(), (QStringList{"Lütfen 'Kayıt Bul' Düğmesine Basarak Kişileri Listeleyiniz ...!",
                                         "Liste Alanında Herhangibir Kişi Bulunmamaktadır ...!"}));
    EXPECT_TRUE(modals().seen().isEmpty());
}

// --- The national-athlete card ----------------------------------------------------

class NationalCardTest : public CardsTest {
protected:
    void addAchievements()
    {
        addPerson(1, "BERK ŞAHİN", "0000101",
                  {{"Vergi_Dairesi", "İZMİR"}, {"E42", "12345678901"}, {"M9", QDate(2009, 10, 1)}, {"E74", "B-17"}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 50},
                                {"Adi", "AVRUPA ŞAMPİYONASI"},
                                {"Yer", "LİZBON"},
                                {"Tarih1", QDate(2009, 9, 20)},
                                {"Ulke_Say", 31}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 51}, {"Adi", "DÜNYA KUPASI"}, {"Ulke_Say", 12}});
        db.insert("F_DER", {{"Der_Key", 1}, {"Musteri_Key", 1}, {"Turnuva_Key", 50}, {"Derece", 2},
                            {"Tarih", QDate(2009, 9, 20)}});
        db.insert("F_DER", {{"Der_Key", 2}, {"Musteri_Key", 1}, {"Turnuva_Key", 51}, {"Derece", 1},
                            {"Tarih", QDate(2008, 4, 1)}});
    }

    // The national-team dialog: picks `activity`, then `more`, then "Devam".
    static void expectMillilik(const QString& activity, std::function<void(TMillilik*)> more = nullptr)
    {
        modals().expect("TMillilik", [=](QDialog* d) {
            auto* m = static_cast<TMillilik*>(d);
            EXPECT_EQ(m->windowTitle(), "Millilik Bilgileri");
            EXPECT_EQ(m->DBLookupComboBox1->currentIndex(), -1);
            EXPECT_EQ(m->Edit1->text(), "");
            if (!activity.isEmpty())
                pick(m->DBLookupComboBox1, activity);
            if (more)
                more(m);
            click(m->BitBtn4);
        });
    }
};

TEST_F(NationalCardTest, APersonAloneNeedsNoSelectionAndTheCardCarriesTheChosenResult)
{
    addAchievements();
    addPhoto(1);
    expectMargin();
    expectMillilik("AVRUPA ŞAMPİYONASI", [](TMillilik* m) {
        EXPECT_EQ(m->Edit1->text(), "AVRUPA ŞAMPİYONASI");
        EXPECT_EQ(m->Edit2->text(), "LİZBON/20.09.2009");
        EXPECT_EQ(m->Edit3->text(), "31");
        EXPECT_EQ(m->Edit4->text(), "2");
        // The list shows the person's achievements, the latest first.
        EXPECT_EQ(m->DBLookupComboBox1->itemText(0), "AVRUPA ŞAMPİYONASI");
        EXPECT_EQ(m->DBLookupComboBox1->itemText(1), "DÜNYA KUPASI");
        m->Edit4->setText("GÜMÜŞ MADALYA");
        m->RadioButton3->setChecked(true);
        saveScreenshot(m, "BRIVEX_MILLILIK_SCREENSHOT", m->size());
    });
    std::optional<ReportDocument> pages;
    const QString pdf = m_out.filePath("milli.pdf");
    expectPreview(pages, pdf);
    Cards::launch("MilliSporcuKimlik1", caller(), searched(QString(), 1));
    EXPECT_EQ(modals().pending(), 0);
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->pageCount(), 2);

    const ReportPage& front = pages->pages[0];
    EXPECT_EQ(textOn(front, "SPORCU"), "MİLLİ SPORCU");
    EXPECT_EQ(textOn(front, "ClassLetter"), "C");
    EXPECT_EQ(front.find("ClassLetter")->color, QColor(0, 128, 0));
    EXPECT_EQ(front.find("ClassCaption")->color, QColor(0, 128, 0));
    cards::expectRect(front.find("ClassCircle"), cards::kLeft + 1.3, cards::kTop + 8.7, 7.7, 7.7);
    EXPECT_EQ(textOn(front, "BoxValue1"), "BERK ŞAHİN");
    EXPECT_EQ(textOn(front, "BoxValue2"), "AVRUPA ŞAMPİYONASI");
    EXPECT_EQ(textOn(front, "BoxValue3"), "LİZBON/20.09.2009");
    EXPECT_EQ(textOn(front, "BoxValue4"), "31");
    EXPECT_EQ(textOn(front, "BoxValue5"), "GÜMÜŞ MADALYA");
    cards::expectRect(front.find("BoxFrame4"), cards::kLeft + 29.6, cards::kTop + 44.7, 24.9, 4.2);
    cards::expectRect(front.find("BoxFrame5"), cards::kLeft + 55.8, cards::kTop + 44.7, 25.4, 4.2);
    EXPECT_TRUE(fixture::prints(front, "Photo"));

    const ReportPage& back = pages->pages[1];
    EXPECT_EQ(textOn(back, "RowCaption5"), "SİCİL NO");
    EXPECT_EQ(textOn(back, "RowValue5"), "0000101");
    EXPECT_EQ(textOn(back, "RowValue6"), "İZMİR");
    EXPECT_EQ(textOn(back, "RowValue7"), "01.10.2009");
    EXPECT_EQ(textOn(back, "RowValue8"), "B-17");
    EXPECT_FALSE(fixture::prints(back, "VisaBox"));

    const QString text = fixture::pdfText(pdf);
    EXPECT_TRUE(text.contains("MİLLİ SPORCU")) << text.toStdString();
    EXPECT_TRUE(text.contains("GÜMÜŞ MADALYA")) << text.toStdString();
    EXPECT_EQ(BarcodeTest::zbarFile(cards::pageImage(pdf, 2, m_out.path())), QStringList{"CODE-128:0000101"});
}

TEST_F(NationalCardTest, SeveralPersonsNeedASelectionAndTheHiddenNumberLeavesTheBack)
{
    addAchievements();
    addPerson(2, "CEMİL ÖZ", "0000102");
    Cards::launch("MilliSporcuKimlik1", caller(), searched(QString(), 2));
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Kimlik Bastıracağınız Kişiyi Seçiniz ...!"});
    EXPECT_TRUE(modals().seen().isEmpty());

    // With a selection: the achievements of the selected persons; an
    // activity without a place leaves the place and date as typed.
    expectMargin(false, [](TMargin* m) { m->CheckBox1->setChecked(true); });
    expectMillilik("DÜNYA KUPASI", [](TMillilik* m) {
        EXPECT_EQ(m->DBLookupComboBox1->count(), 2);
        EXPECT_EQ(m->Edit2->text(), "");
        m->Edit2->setText("PARİS/2008");
        pick(m->DBLookupComboBox1, "DÜNYA KUPASI");
        EXPECT_EQ(m->Edit2->text(), "PARİS/2008");
        EXPECT_EQ(m->Edit1->text(), "DÜNYA KUPASI");
        EXPECT_EQ(m->Edit4->text(), "1");
    });
    std::optional<ReportDocument> pages;
    expectPreview(pages);
    Cards::launch("MilliSporcuKimlik1", caller(), searched("1,2", 2));
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->pageCount(), 4);
    EXPECT_EQ(fixture::textsOf(*pages, "BoxValue3"), QStringList(2, "PARİS/2008"));
    // The class kept from the last use, red "A" by default.
    EXPECT_EQ(fixture::textsOf(*pages, "ClassLetter"), QStringList(2, "A"));
    EXPECT_EQ(pages->pages[0].find("ClassLetter")->color, QColor(Qt::red));
    // The register number stands on the back, left off as the dialog says.
    EXPECT_FALSE(fixture::prints(pages->pages[1], "RowValue5"));
    EXPECT_TRUE(fixture::prints(pages->pages[1], "RowFrame5"));
}
