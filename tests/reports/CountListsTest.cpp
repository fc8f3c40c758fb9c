// The club list, the athletes per club and the counts per region.
#include "RegistryFixture.h"

#include "reports/PrintMenu196.h"
#include "reports/PrintMenu197.h"
#include "reports/RapHakList.h"
#include "reports/RegistryReports.h"

using fixture::textsOf;

namespace {

class CountLists : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        db.exec("delete * from C_UYELIKSURESI where Durum_Key > 1");
        addClub(11, "ÇANKAYA SK", "ANKARA", {{"Cadde", "ATATÜRK CAD."}, {"No1", "5"}, {"PostaKodu", "06100"},
                                              {"Ilce", "ÇANKAYA"}, {"Il", "ANKARA"}, {"Ad_Soyad", "ALİ VELİ"}});
        addClub(12, "GÜÇ SPOR", "İZMİR", {{"PostaKodu", "35000"}, {"Il", "İZMİR"}});
        addClub(13, "SERBEST", "", {});
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "GÜLER"}, {"E16", "ÇANKAYA SK"}, {"Vergi_Dairesi", "ANKARA"},
                      {"E51", "ULUSAL HAKEM"}, {"E25", "SİYAH"}});
        addPerson(2, {{"Adi", "MEHMET"}, {"Soyadi", "ÖZ"}, {"E16", "ÇANKAYA SK"}, {"Vergi_Dairesi", "ANKARA"},
                      {"E51", "ULUSAL HAKEM"}, {"E52", "1. KADEME"}});
        addPerson(3, {{"Adi", "ZEKİ"}, {"Soyadi", "ŞAHİN"}, {"E16", "GÜÇ SPOR"}, {"Vergi_Dairesi", "İZMİR"},
                      {"E51", "BÖLGE HAKEMİ"}, {"E25", "SİYAH"}});
        addPerson(4, {{"Adi", "CAN"}, {"Soyadi", "ER"}, {"E16", "SERBEST"}, {"Vergi_Dairesi", "İZMİR"}, {"E51", ""}});
    }
    void addClub(int key, const QString& name, const QString& region, QVariantMap fields)
    {
        fields.insert("Durum_Key", key);
        fields.insert("Durum", name);
        fields.insert("E1", region);
        db.insert("C_UYELIKSURESI", fields);
    }
    static Reports::ClubSelection clubs(const QString& keys = QString())
    {
        return {"select * from C_UYELIKSURESI where Durum_Key>1", "", {}, keys, "Durum,Durum_Key"};
    }
};

struct AddressCase {
    QVariantMap club;
    const char* expected;
};
class ClubAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ClubAddress, IsBuiltFromItsParts)
{
    const QVariantMap& m = GetParam().club;
    const Record club(m.keys(), m.values());
    EXPECT_EQ(TPrintMenu196::addressLine(club), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Clubs, ClubAddress,
    ::testing::Values(
        AddressCase{{{"Cadde", "ATATÜRK CAD."}, {"Sokak", ""}, {"No1", "5"}, {"PostaKodu", "06100"},
                     {"Ilce", "ÇANKAYA"}, {"Il", "ANKARA"}},
                    "ATATÜRK CAD. 5 06100 ÇANKAYA /  ANKARA"},
        AddressCase{{{"Cadde", ""}, {"Sokak", ""}, {"No1", ""}, {"PostaKodu", "06100"}, {"Ilce", ""}, {"Il", "ANKARA"}},
                    "06100  ANKARA"},
        AddressCase{{{"Cadde", ""}, {"Sokak", "GÜL SK."}, {"No1", ""}, {"PostaKodu", ""}, {"Ilce", ""}, {"Il", ""}},
                    "GÜL SK.   "}));

TEST_F(CountLists, ClubListPrintsEveryColumnWithTheAddressLine)
{
    const QString pdf = pdfPath("kulup.pdf");
    expectTitle("TBaslik1", "KULÜPLER");
    expectPreview(pdf);
    Reports::kulupListesi(caller, clubs());
    const ReportDocument& doc = *PrintMenu196->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "KULÜP LİSTESİ");
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"ÇANKAYA SK", "GÜÇ SPOR", "SERBEST"}));
    EXPECT_EQ(textsOf(doc, "QRLabel1"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(textsOf(doc, "QRDBText8").first(), "ATATÜRK CAD. 5 06100 ÇANKAYA /  ANKARA");
    EXPECT_EQ(PrintMenu196->FAddress, "  ") << "the last club's address";
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"KULÜPLER", "KULÜP LİSTESİ", "Yetkili Kişi", "ALİ VELİ", "35000 İZMİR"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();

    expectTitle("TBaslik1", "SEÇİLİ");
    expectPreview();
    Reports::kulupListesi(caller, clubs("12"));
    EXPECT_EQ(textsOf(*PrintMenu196->ReportBody1.document(), "QRDBText1"), QStringList{"GÜÇ SPOR"});
}

TEST_F(CountLists, AthletesPerClubFromTheClubsScreen)
{
    const QString pdf = pdfPath("sayilar.pdf");
    expectTitle("TBaslik1", "SAYILAR");
    expectPreview(pdf);
    Reports::kulupSporcuSayilari(caller, clubs());
    const ReportDocument& doc = *PrintMenu197->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "KULÜP SPORCU SAYILARI");
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"ÇANKAYA SK", "GÜÇ SPOR"})) << "SERBEST is left out";
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"ANKARA", "İZMİR"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"2", "1"}));
    EXPECT_TRUE(fixture::squeezedPdfText(pdf).contains("Sporcu Sayısı"));

    // A filter naming a column clubs and persons share stays the clubs'.
    Reports::ClubSelection s = clubs();
    s.filter = " and Il = :il";
    s.params = {{"il", "İZMİR"}};
    expectTitle("TBaslik1", "İZMİR");
    expectPreview();
    Reports::kulupSporcuSayilari(caller, s);
    EXPECT_EQ(textsOf(*PrintMenu197->ReportBody1.document(), "QRDBText1"), QStringList{"GÜÇ SPOR"});
}

TEST_F(CountLists, AthletesPerClubFromThePersonSearchHasNoRegion)
{
    expectTitle("TBaslik1", "KULÜP BAZINDA");
    expectPreview();
    Reports::kulupBazindaSporcuSayilari(caller, everyone("1,3,4"));
    const ReportDocument& doc = *PrintMenu197->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "KULÜP BAZINDA SPORCU SAYILARI");
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"ÇANKAYA SK", "GÜÇ SPOR"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"1", "1"}));
    EXPECT_FALSE(fixture::prints(doc.pages[0], "QRDBText2")) << "the search's statement has no region";
    EXPECT_EQ(doc.pages[0].bandTexts("PageFooterBand1"), QStringList{});
}

TEST_F(CountLists, RefereeCountGroupsByRegionAndSumsInTheFooter)
{
    const QString pdf = pdfPath("hakem.pdf");
    int activated = 0;
    caller.activate = [&activated] { ++activated; };
    expectTitle("TBaslik1", "HAKEMLER");
    expectPreview(pdf);
    Reports::bolgeHakemListesi(caller, everyone());
    const ReportDocument& doc = *RapHakList->ReportBody1.document();
    EXPECT_EQ(doc.title, "Rapor");
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"ANKARA", "İZMİR"}));
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"ULUSAL HAKEM", "BÖLGE HAKEMİ"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"2", "1"}));
    EXPECT_EQ(textsOf(doc, "QRLabel1"), (QStringList{"1", "2"}));
    EXPECT_EQ(textsOf(doc, "QRExpr1"), QStringList{"3"});
    // The modal preview: the caller stays enabled, its flag unset, and it is
    // activated afterwards.
    EXPECT_FALSE(shownWhileDisabled);
    EXPECT_EQ(flagWhileShown, 0);
    EXPECT_EQ(activated, 1);
    EXPECT_FALSE(RapHakList->anyDataSetOpen());
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"HAKEMLER", "S.No", "Hakemlik Türü", "Toplam", "Genel Toplam : 3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();

    // Run again: numbering and the total start afresh.
    expectTitle("TBaslik1", "HAKEMLER");
    expectPreview();
    Reports::bolgeHakemListesi(caller, searched(" where Vergi_Dairesi = :b", {{"b", "İZMİR"}}));
    EXPECT_EQ(textsOf(*RapHakList->ReportBody1.document(), "QRLabel1"), QStringList{"1"});
    EXPECT_EQ(textsOf(*RapHakList->ReportBody1.document(), "QRExpr1"), QStringList{"1"});
}

TEST_F(CountLists, CoachAndBeltCountsUseTheirColumns)
{
    expectTitle("TBaslik1", "ANTRENÖRLER");
    expectPreview();
    Reports::bolgeAntrenorListesi(caller, everyone());
    EXPECT_EQ(textsOf(*RapAntList->ReportBody1.document(), "QRDBText2"), QStringList{"1. KADEME"});
    EXPECT_EQ(RapAntList->ReportBody1.document()->pages[0].find("QRLabel3")->text, "Antrenörlük Türü");

    expectTitle("TBaslik1", "KUŞAKLAR");
    expectPreview();
    Reports::bolgeKusakListesi(caller, everyone());
    EXPECT_EQ(textsOf(*RapDanList->ReportBody1.document(), "QRDBText1"), (QStringList{"ANKARA", "İZMİR"}));
    EXPECT_EQ(textsOf(*RapDanList->ReportBody1.document(), "QRExpr1"), QStringList{"2"});
}

} // namespace
