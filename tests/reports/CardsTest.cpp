// Identity and licence cards printed from the registry list: the pages and
// their millimetres, the barcode that scans, the rules that fill a card.
#include "CardsFixture.h"

#include "app/Sifre.h"
#include "reports/CardDesigns.h"
#include "reports/CardReport.h"
#include "reports/CardArtwork.h"
#include "reports/Millilik.h"
#include "platform/text/CodePage.h"

using cards::expectRect;
using cards::kLeft;
using cards::kTop;
using cards::textOn;

namespace {

// Texts of a control on every page that prints it.
QStringList texts(const ReportDocument& doc, const QString& control)
{
    return fixture::textsOf(doc, control);
}

int printedCount(const ReportPage& page, const QString& prefix, int n)
{
    int count = 0;
    for (int i = 1; i <= n; ++i)
        count += fixture::prints(page, prefix + QString::number(i)) ? 1 : 0;
    return count;
}

} // namespace

TEST_F(CardsTest, AthleteCardPrintsFrontAndBackPagesAtTheirMillimetres)
{
    addThree();
    addPhoto(3);
    const QString pdf = m_out.filePath("sporcu.pdf");
    const ReportDocument doc = print("KimlikYazdrma1", searched(), false, nullptr, pdf);

    // A page with the front, then one with the back, per person in the
    // list's order.
    ASSERT_EQ(doc.pageCount(), 6);
    EXPECT_EQ(texts(doc, "BoxValue1"), (QStringList{"AHMET IŞIK", "BERK ŞAHİN", "CEMİL ÖZ"}));
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(fixture::prints(doc.pages[p], "FrontBackground"), p % 2 == 0) << p;
        EXPECT_EQ(fixture::prints(doc.pages[p], "BackBackground"), p % 2 == 1) << p;
    }
    EXPECT_EQ(doc.title, "Kimlik");
    EXPECT_NEAR(doc.pageSize.width(), 297, 1e-6);
    EXPECT_NEAR(doc.pageSize.height(), 210, 1e-6);

    const ReportPage& front = doc.pages[0];
    expectRect(front.find("FrontBackground"), kLeft, kTop, 83.9, 51.3);
    expectRect(front.find("LogoLeft"), kLeft + 1.6, kTop + 2.1, 10.6, 10.6);
    expectRect(front.find("LogoRight"), kLeft + 71.2, kTop + 2.1, 10.6, 10.6);
    expectRect(front.find("Photo"), kLeft + 1.9, kTop + 18.0, 26.5, 31.8);
    const double boxTops[] = {20.9, 28.8, 36.8, 44.7};
    for (int i = 0; i < 4; ++i) {
        const QString k = QString::number(i + 1);
        expectRect(front.find("BoxFrame" + k), kLeft + 29.6, kTop + boxTops[i], 51.6, 4.2);
        expectRect(front.find("BoxShadow" + k), kLeft + 30.4, kTop + boxTops[i] + 0.8, 51.6, 4.2);
    }
    EXPECT_EQ(textOn(front, "SPORCU"), "SPORCU");
    EXPECT_EQ(textOn(front, "Subtitle"), "ATHLETE");
    EXPECT_EQ(textOn(front, "BoxCaption3"), "KUŞAK DERECESİ / Degree of Belt");
    EXPECT_EQ(textOn(front, "BoxValue4"), "0000103");
    // A person without a photo file gets a card without photo.
    EXPECT_FALSE(fixture::prints(doc.pages[2], "Photo"));

    const ReportPage& back = doc.pages[1];
    const ReportItem* bars = back.find("ReportBarcode1");
    ASSERT_NE(bars, nullptr);
    EXPECT_NEAR(bars->rect.left(), kLeft + 48.4, 0.01);
    EXPECT_NEAR(bars->rect.top(), kTop + 6.3, 0.01);
    // The control's size follows the symbol: 124 units of 1/96 inch wide
    // for seven digits (the card's 32.8 mm), 40 high.
    EXPECT_NEAR(bars->rect.width(), px(124), 0.01);
    EXPECT_NEAR(bars->rect.height(), px(40), 0.01);
    expectRect(back.find("SignatureBox"), kLeft + 52.9, kTop + 20.6, 28.8, 28.0);
    expectRect(back.find("RowFrame1"), kLeft + 2.1, kTop + 4.0, 43.4, 5.8);
    expectRect(back.find("RowFrame8"), kLeft + 2.1, kTop + 42.9, 51.1, 5.8);
    EXPECT_EQ(textOn(back, "PrintDate"), "15.03.2010");

    // The PDF: A4 landscape, and the back's bars read back as the register
    // number.
    cards::expectPdfPages(pdf, 6, 297, 210);
    EXPECT_EQ(BarcodeTest::zbarFile(cards::pageImage(pdf, 2, m_out.path())), QStringList{"CODE-128:0000103"});
    EXPECT_EQ(BarcodeTest::zbarFile(cards::pageImage(pdf, 6, m_out.path())), QStringList{"CODE-128:0000102"});
}

TEST_F(CardsTest, ASelectionPrintsOnlyTheSelectedPersonsInTheListsOrder)
{
    addThree();
    const ReportDocument doc = print("Hakem1", searched("2, 3"));
    // Fronts first, then the backs, both in the list's order.
    ASSERT_EQ(doc.pageCount(), 4);
    EXPECT_EQ(texts(doc, "BoxValue1"), (QStringList{"AHMET IŞIK", "CEMİL ÖZ"}));
    EXPECT_TRUE(fixture::prints(doc.pages[1], "FrontBackground"));
    EXPECT_TRUE(fixture::prints(doc.pages[2], "BackBackground"));
    EXPECT_EQ(m_previewReport != nullptr, true);
    EXPECT_EQ(m_inPreview, 0);
}

TEST_F(CardsTest, LaunchersRefuseWithoutASearchOrWithAnEmptyList)
{
    Cards::RegistryList notSearched;
    Cards::launch("AntrenrKimlik1", caller(), notSearched);
    Cards::RegistryList empty = searched();
    empty.currentKey = QVariant();
    Cards::launch("AntrenrKimlik1", caller(), empty);
    EXPECT_EQ(ui().texts(), (QStringList{
                                "Lütfen 'Kayıt Bul' Düğmesine Basarak Kimlik Bastıracağınız Kişiyi Seçiniz ...!",
                                "Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!"}));
    EXPECT_TRUE(modals().seen().isEmpty());
}

TEST_F(CardsTest, OnlyTheAdministratorPrintsIdCardsWhileRefereeCardsAreEveryonesToo)
{
    addThree();
    Sifre->FIsAdmin = false;
    Cards::launch("KimlikYazdrma1", caller(), searched());
    Cards::launch("AntrenrKimlik1", caller(), searched());
    EXPECT_TRUE(modals().seen().isEmpty());
    // "Hakem" prints the referee card of the hidden "Hakem Kimlik".
    const ReportDocument doc = print("Hakem1", searched());
    EXPECT_EQ(texts(doc, "SPORCU"), (QStringList{"HAKEM", "HAKEM", "HAKEM"}));

    for (const Cards::MenuItem& item : Cards::menuItems()) {
        const QString name = item.name;
        const bool referee = QString(item.submenu) == "HakemKimlikleri1";
        EXPECT_EQ(Cards::shownTo(item.shown, false), referee) << name.toStdString();
    }
    EXPECT_TRUE(Cards::shownTo(Cards::menuItem("lKemsilcisiKimlik1")->shown, true));
    EXPECT_FALSE(Cards::shownTo(Cards::menuItem("HakemKimlik1")->shown, true));
    // What the design hid from everybody is offered to the administrator,
    // except the two items that repeat another.
    EXPECT_TRUE(Cards::offered(*Cards::menuItem("SporcuKuakKimlik1"), true));
    EXPECT_FALSE(Cards::offered(*Cards::menuItem("SporcuKuakKimlik1"), false));
    EXPECT_FALSE(Cards::offered(*Cards::menuItem("HakemKimlik1"), true));
    EXPECT_FALSE(Cards::offered(*Cards::menuItem("Sporcu1"), true));
}

TEST_F(CardsTest, ATechnicalDirectorBetweenTwoCoachesChangesOnlyHisOwnCard)
{
    addThree();
    addPerson(4, "DURSUN EREN", "0000104", {{"E52", "USTA ÖĞRETİCİ"}});
    const ReportDocument doc = print("AntrenrKimlik1", searched());
    ASSERT_EQ(doc.pageCount(), 8);
    EXPECT_EQ(texts(doc, "SPORCU"), (QStringList{"ANTRENÖR", "ANTRENÖR", "TEKNİK DİREKTÖR", "ANTRENÖR"}));
    EXPECT_EQ(texts(doc, "Subtitle"), (QStringList{"TRAINER", "TRAINER", "TECHNICAL COACH", "TRAINER"}));
    EXPECT_EQ(texts(doc, "BoxValue3"), (QStringList{"1.KADEME YARDIMCI ANTRENÖR", "1.KADEME YARDIMCI ANTRENÖR",
                                                    "5.KADEME", "USTA ÖĞRETİCİ"}));

    // A card title of the dialog stays on every card, without subtitle.
    const ReportDocument titled = print("AntrenrKimlik1", searched(), false, [](TMargin* m) {
        pick(m->ComboBox1, "MİLLİ TAKIM ANTRENÖRÜ");
    });
    EXPECT_EQ(texts(titled, "SPORCU"), QStringList(4, "MİLLİ TAKIM ANTRENÖRÜ"));
    EXPECT_TRUE(texts(titled, "Subtitle").isEmpty());
}

TEST_F(CardsTest, ManagerCardsRewriteTheGradeInTheBoxOnly)
{
    addThree();
    const ReportDocument doc = print("Menajer1", searched());
    EXPECT_EQ(texts(doc, "BoxValue3"),
              (QStringList{"1.KADEME YARDIMCI ANTRENÖR", "1.KADEME YARDIMCI ANTRENÖR", "TEKNİK DİREKTÖR"}));
    EXPECT_EQ(texts(doc, "SPORCU"), QStringList(3, "MENAJER"));
    EXPECT_TRUE(texts(doc, "Subtitle").isEmpty());
}

TEST_F(CardsTest, ClassCardsShowTheirClassWhateverTheGrade)
{
    addPerson(1, "BERK ŞAHİN", "0000101", {{"E51", "ULUSAL HAKEM"}, {"E52", "5.KADEME ANTRENÖR"}});
    const ReportDocument referee = print("AKlasmanProfesyonelHakem1", searched(QString(), 1));
    EXPECT_EQ(texts(referee, "BoxValue3"), QStringList{"A KLASMANI"});
    EXPECT_EQ(texts(referee, "SPORCU"), QStringList{"PROFESYONEL HAKEM"});
    const ReportDocument manager = print("CKlasmanMenajer1", searched(QString(), 1));
    EXPECT_EQ(texts(manager, "BoxValue3"), QStringList{"C KLASMANI"});
    EXPECT_EQ(texts(manager, "SPORCU"), QStringList{"MENAJER"});
    const ReportDocument plain = print("Hakem1", searched(QString(), 1));
    EXPECT_EQ(texts(plain, "BoxValue3"), QStringList{"ULUSAL HAKEM"});
}

struct BeltCase {
    const char* name;
    const char* belt;
    int stamps;
};

class BeltStampTest : public CardsTest, public ::testing::WithParamInterface<BeltCase> {};

TEST_P(BeltStampTest, StampsEveryBeltUpToTheOwnOne)
{
    addPerson(1, "BERK ŞAHİN", "0000101", {{"E25", QString::fromUtf8(GetParam().belt)}});
    const ReportDocument doc = print("SporcuKuakKimlik1", searched(QString(), 1));
    ASSERT_EQ(doc.pageCount(), 2);
    const ReportPage& back = doc.pages[1];
    const int stamps = GetParam().stamps;
    EXPECT_EQ(printedCount(back, "BeltStamp", 8), stamps);
    EXPECT_EQ(printedCount(back, "BeltCircle", 8), 8 - stamps);
    for (int i = 1; i <= stamps; ++i)
        EXPECT_TRUE(fixture::prints(back, "BeltStamp" + QString::number(i))) << i;
    EXPECT_EQ(textOn(back, "BeltName3"), "TURUNCU");
    // The belt card keeps its own title and has no visa area.
    EXPECT_EQ(textOn(doc.pages[0], "SPORCU"), "SPORCU KUŞAK KARTI");
    EXPECT_FALSE(fixture::prints(back, "VisaBox"));
    expectRect(doc.pages[0].find("LogoLeft"), kLeft + 1.6, kTop + 2.1, 14.0, 14.0);
}

INSTANTIATE_TEST_SUITE_P(Belts, BeltStampTest,
                         ::testing::Values(BeltCase{"White", "BEYAZ", 1}, BeltCase{"Orange", "TURUNCU", 3},
                                           BeltCase{"FirstKyu", "1. KYU", 8}, BeltCase{"Empty", "", 0},
                                           BeltCase{"DanGrade", "1.DAN", 0}, BeltCase{"Variant", "Turuncu", 0},
                                           // The station's own belt names.
                                           BeltCase{"StationYellow", "SARI KUŞAK", 2},
                                           BeltCase{"StationGreen", "YEŞİL KUŞAK", 4},
                                           BeltCase{"StationBrown", "A.KAHVERENGİ KUŞAK", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CardsTest, VisaYearsAndTheStampFollowTheDialog)
{
    addPerson(1, "BERK ŞAHİN", "0000101");
    const ReportDocument stamped = print("Hakem1", searched(QString(), 1), true, [](TMargin* m) {
        m->Edit2->setText("2011");
    });
    const ReportPage& back = stamped.pages[1];
    EXPECT_EQ((QStringList{textOn(back, "VisaYear1"), textOn(back, "VisaYear2"), textOn(back, "VisaYear3"),
                           textOn(back, "VisaYear4")}),
              (QStringList{"2011", "2012", "2013", "2014"}));
    expectRect(back.find("VisaStamp"), kLeft + 4.2, kTop + 33.6, 7.9, 7.9);
    EXPECT_FALSE(fixture::prints(back, "VisaCircle1"));
    EXPECT_EQ(printedCount(back, "VisaCircle", 4), 3);
    expectRect(back.find("VisaBox"), kLeft + 2.1, kTop + 29.6, 40.5, 19.8);
    expectRect(back.find("SignatureBox"), kLeft + 42.3, kTop + 29.6, 39.4, 19.8);
    EXPECT_EQ(textOn(back, "VisaCaption"), "VİZELER / Vizas");
    EXPECT_EQ(textOn(back, "Validity1"), "Bu kart, vize yapıldığı yıl için geçerlidir.");

    const ReportDocument plain = print("Hakem1", searched(QString(), 1), false);
    EXPECT_FALSE(fixture::prints(plain.pages[1], "VisaStamp"));
    EXPECT_EQ(printedCount(plain.pages[1], "VisaCircle", 4), 4);

    // The poomse referee card never prints the stamp.
    const ReportDocument poomse = print("PoomseHakem1", searched(QString(), 1), true);
    EXPECT_FALSE(fixture::prints(poomse.pages[1], "VisaStamp"));
    EXPECT_EQ(printedCount(poomse.pages[1], "VisaCircle", 4), 4);
    // Its front is mirrored: boxes at the left, the photo at the right.
    expectRect(poomse.pages[0].find("BoxFrame1"), kLeft + 2.1, kTop + 20.9, 51.6, 4.2);
}

TEST_F(CardsTest, HidingTheRegisterNumberEmptiesItsBoxButTheBarcodeStillCarriesIt)
{
    addPerson(1, "BERK ŞAHİN", "0000101");
    const QString pdf = m_out.filePath("hakem.pdf");
    const ReportDocument doc =
        print("Hakem1", searched(QString(), 1), false, [](TMargin* m) { m->CheckBox1->setChecked(true); }, pdf);
    EXPECT_FALSE(fixture::prints(doc.pages[0], "BoxValue4"));
    EXPECT_TRUE(fixture::prints(doc.pages[0], "BoxFrame4"));
    EXPECT_EQ(textOn(doc.pages[0], "BoxCaption4"), "SİCİL NO / Register No");
    EXPECT_EQ(BarcodeTest::zbarFile(cards::pageImage(pdf, 2, m_out.path())), QStringList{"CODE-128:0000101"});
}

TEST_F(CardsTest, OffsetsOfTheDialogMoveThePage)
{
    addPerson(1, "BERK ŞAHİN", "0000101");
    const ReportDocument doc = print("Hakem1", searched(QString(), 1), false, [](TMargin* m) {
        m->Edit8->setText("10,5");
        m->Edit1->setText("20");
    });
    expectRect(doc.pages[0].find("FrontBackground"), px(20), px(10.5), 83.9, 51.3);
}

TEST_F(CardsTest, CityRepresentativeCardShowsTheIdentityNumberInFrontAndTheBloodGroupBehind)
{
    addPerson(1, "BERK ŞAHİN", "0000101",
              {{"E42", "12345678901"}, {"E39", "A RH+"}, {"E27", "İZMİR"}, {"E28", "BORNOVA"}});
    const ReportDocument doc = print("lKemsilcisiKimlik1", searched(QString(), 1));
    EXPECT_EQ(textOn(doc.pages[0], "BoxValue3"), "12345678901");
    EXPECT_EQ(textOn(doc.pages[0], "BoxCaption3"), "KİMLİK NO / Citizenship ID No");
    const ReportPage& back = doc.pages[1];
    EXPECT_EQ(textOn(back, "RowCaption3"), "Kan Grubu");
    EXPECT_EQ(textOn(back, "RowValue3"), "A RH+");
    expectRect(back.find("RowFrame5"), kLeft + 2.1, kTop + 24.1, 79.6, 5.8);
    EXPECT_EQ(textOn(back, "RowValue5"), "İZMİR/BORNOVA");
    EXPECT_FALSE(fixture::prints(back, "RowFrame6"));
    EXPECT_FALSE(fixture::prints(back, "VisaCaption"));
    EXPECT_EQ(textOn(back, "Validity1"), "Bu kart, onay yapıldığı yıl için geçerlidir.");
}

TEST_F(CardsTest, JoinedTextsNeverStartOrEndWithASlash)
{
    addPerson(1, "BERK ŞAHİN", "0000101", {{"E17", "İZMİR"}, {"E28", "KONAK"}, {"E39", "0 RH-"}});
    addPerson(2, "CEMİL ÖZ", "0000102", {{"M3", QDate(1990, 5, 4)}, {"E17", "BURSA"}, {"E27", "BURSA"}});
    const ReportDocument doc = print("Hakem1", searched());
    // The visa back: birth in the fourth row, city in the fifth, blood beside.
    EXPECT_EQ(texts(doc, "RowValue4"), (QStringList{"İZMİR", "04.05.1990/BURSA"}));
    EXPECT_EQ(texts(doc, "RowValue5"), (QStringList{"KONAK", "BURSA"}));
    EXPECT_EQ(texts(doc, "RowValue6"), QStringList{"0 RH-"});
}

TEST_F(CardsTest, TheProfessionalLicenceCardPrintsThreeBoxesFrontOverBack)
{
    addPerson(1, "BERK ŞAHİN", "0000101", {{"Vergi_Dairesi", "İZMİR"}, {"E26", "L-778"}});
    addPerson(2, "CEMİL ÖZ", "0000102", {{"Vergi_Dairesi", "ANKARA"}});
    const ReportDocument doc = print("LisanslSporcuKimlik1", searched(QString(), 2));
    // One page per person, the back right under the front.
    ASSERT_EQ(doc.pageCount(), 2);
    const ReportPage& page = doc.pages[0];
    expectRect(page.find("BackBackground"), kLeft, kTop + 51.3, 83.9, 51.3);
    expectRect(page.find("BoxFrame1"), kLeft + 29.6, kTop + 28.8, 51.6, 4.2);
    EXPECT_EQ(textOn(page, "BoxValue2"), "İZMİR");
    EXPECT_EQ(textOn(page, "BoxValue4"), "L-778");
    EXPECT_NEAR(page.find("BoxValue4")->rect.left(), kLeft + 55.6, 0.01);
    EXPECT_FALSE(fixture::prints(doc.pages[1], "BoxValue4"));
    EXPECT_EQ(textOn(page, "VisaCaption"), "LİSANS VİZELERİ / Vizas of Licence");
    // A card title replaces the title; the subtitle is a single space.
    const ReportDocument titled = print("LisanslSporcuKimlik1", searched(QString(), 2), false,
                                        [](TMargin* m) { pick(m->ComboBox1, "MİLLİ SPORCU"); });
    EXPECT_EQ(texts(titled, "SPORCU"), QStringList(2, "MİLLİ SPORCU"));
    EXPECT_EQ(texts(titled, "Subtitle"), QStringList(2, " "));
}

TEST_F(CardsTest, TheRepresentativeCardIsACardSizedPagePerSide)
{
    addPerson(1, "BERK ŞAHİN", "0000101", {{"E43", "İL TEMSİLCİSİ"}});
    const QString pdf = m_out.filePath("temsilci.pdf");
    const ReportDocument doc = print("Tamsilci", searched(QString(), 1), false, nullptr, pdf);
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_NEAR(doc.pageSize.width(), 83.9, 1e-6);
    EXPECT_NEAR(doc.pageSize.height(), 51.3, 1e-6);
    EXPECT_EQ(textOn(doc.pages[0], "BoxValue3"), "İL TEMSİLCİSİ");
    EXPECT_TRUE(fixture::prints(doc.pages[0], "BoxLine1"));
    EXPECT_FALSE(fixture::prints(doc.pages[0], "BoxFrame1"));
    expectRect(doc.pages[0].find("LogoRight"), kLeft + 70.4, kTop + 1.6, 11.6, 20.9);
    cards::expectPdfPages(pdf, 2, 83.9, 51.3);
}

TEST_F(CardsTest, TheCoachCardWithoutVisaCarriesItsBarcodeInTheVisaBox)
{
    addPerson(1, "BERK ŞAHİN", "0000101", {{"E52", "5.KADEME ANTRENÖR"}});
    const ReportDocument doc = print("AntrenrKimlikVizesiz1", searched(QString(), 1), false,
                                     [](TMargin* m) { pick(m->ComboBox1, "MİLLİ SPORCU"); });
    // No card title on this design: the grade words the role.
    EXPECT_EQ(textOn(doc.pages[0], "SPORCU"), "TEKNİK DİREKTÖR");
    const ReportItem* bars = doc.pages[1].find("ReportBarcode1");
    ASSERT_NE(bars, nullptr);
    EXPECT_NEAR(bars->rect.left(), kLeft + 6.1, 0.01);
    EXPECT_NEAR(bars->rect.top(), kTop + 33.9, 0.01);
    EXPECT_FALSE(fixture::prints(doc.pages[1], "VisaCircle1"));
    expectRect(doc.pages[1].find("RowFrame1"), kLeft + 2.1, kTop + 1.9, 79.6, 5.8);
}

TEST_F(CardsTest, EveryDesignOfTheTablePrintsItsOwnCard)
{
    addPerson(1, "BERK ŞAHİN", "0000101");
    int forms = 0;
    for (const Cards::MenuItem& item : Cards::menuItems()) {
        // The national-athlete card has a dialog of its own; the two items
        // that repeat another are not offered.
        if (!*item.form || QString(item.name) == "MilliSporcuKimlik1" || !Cards::offered(item, true))
            continue;
        const ReportDocument doc = print(item.name, searched(QString(), 1));
        ASSERT_GE(doc.pageCount(), 1) << item.name;
        EXPECT_EQ(textOn(doc.pages[0], "BoxValue1"), "BERK ŞAHİN") << item.name;
        ++forms;
    }
    EXPECT_EQ(Cards::designs().size(), 20u);
}

// A scanner reads the printed card: ten modules of white left and right of
// the bars (a millimetre above and below too), on the card, with nothing
// printed in that white and nothing of the card hidden under it.
TEST_F(CardsTest, EveryDesignsBarcodeHasAQuietZoneOfTenModulesOnTheCard)
{
    addPerson(1, "BERK ŞAHİN", "0000101",
              {{"E23", "MUSTAFA KEMALETTİN"}, {"E22", "FATMA GÜLSÜM"}, {"E42", "12345678901"}, {"E27", "ANKARA"},
               {"E28", "ÇANKAYA"}, {"E17", "ANKARA"}, {"E39", "0 RH+"}, {"M3", QDate(1990, 5, 6)}});
    QSet<QString> forms;
    for (const Cards::MenuItem& item : Cards::menuItems()) {
        const QString form = QString::fromLatin1(item.form);
        if (form.isEmpty() || forms.contains(form) || !Cards::offered(item, true) ||
            !Cards::design(form))
            continue;
        forms.insert(form);
        std::optional<ReportDocument> pages;
        expectMargin();
        if (QString(item.name) == "MilliSporcuKimlik1")
            modals().expect("TMillilik", [](QDialog* d) { click(static_cast<TMillilik*>(d)->BitBtn4); });
        expectPreview(pages);
        Cards::launch(item.name, caller(), searched(QString(), 1));
        ASSERT_TRUE(pages) << item.name;
        const ReportPage* back = nullptr;
        for (const ReportPage& p : pages->pages)
            if (p.find("ReportBarcode1"))
                back = &p;
        ASSERT_NE(back, nullptr) << item.name;
        const ReportItem* bars = back->find("ReportBarcode1");
        const ReportItem* field = back->find("BarcodeField");
        const ReportItem* card = back->find("BackBackground");
        ASSERT_NE(field, nullptr) << item.name;
        ASSERT_NE(card, nullptr) << item.name;
        const QRectF symbol = cards::symbolOf(*bars);
        ASSERT_NEAR(symbol.width(), px(123), 0.01) << item.name;
        const double quiet = 10 * px(1);
        const QRectF zone = symbol.adjusted(-quiet, -1, quiet, 1);
        EXPECT_EQ(field->brush, QColor(Qt::white)) << item.name;
        EXPECT_EQ(field->penStyle, Qt::NoPen) << item.name;
        EXPECT_TRUE(field->rect.contains(zone)) << item.name;
        EXPECT_TRUE(card->rect.contains(field->rect)) << item.name;
        for (const ReportItem& i : back->items) {
            if (&i == bars || &i == field || &i == card)
                continue;
            EXPECT_FALSE(cards::marks(i, field->rect)) << item.name << " " << i.name.toStdString();
        }
    }
    EXPECT_EQ(forms.size(), Cards::designs().size());
}

TEST_F(CardsTest, ThePresidentsNameAndSignatureComeFromTheWorkFolder)
{
    addPerson(1, "BERK ŞAHİN", "0000101");
    const ReportDocument drawn = print("Hakem1", searched(QString(), 1));
    EXPECT_EQ(textOn(drawn.pages[1], "President"), "");
    EXPECT_TRUE(fixture::prints(drawn.pages[1], "Signature"));

    Cp1254::writeFile(DriveMap::toHost("C:\\CO\\Baskan.txt"), "MEHMET ÇAĞLAYAN\r\n");
    QImage signature(330, 104, QImage::Format_RGB32);
    signature.fill(Qt::white);
    ASSERT_TRUE(signature.save(DriveMap::toHost("C:\\CO\\Imza.bmp"), "BMP"));
    const ReportDocument own = print("Hakem1", searched(QString(), 1));
    EXPECT_EQ(textOn(own.pages[1], "President"), "MEHMET ÇAĞLAYAN");
    EXPECT_EQ(CardArtwork::signature().size(), signature.size());
}
