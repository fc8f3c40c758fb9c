// The exam result document: numbered rows, the signature blocks, the
// federation's name from its identity row.
#include "RegistryFixture.h"

#include "reports/GenelBelge.h"
#include "reports/RegistryReports.h"

using fixture::textsOf;

namespace {

class ExamDocument : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "GÜLER"}, {"E75", "SARI KUŞAK"}, {"E25", "TURUNCU KUŞAK"},
                      {"E26", "L-1"}});
        addPerson(2, {{"Adi", "MEHMET"}, {"Soyadi", "ÖZ"}, {"E75", "BEYAZ KUŞAK"}, {"E25", "SARI KUŞAK"}});
        addPerson(3, {{"Adi", "ZEKİ"}, {"Soyadi", "ŞAHİN"}, {"E75", "MAVİ KUŞAK"}, {"E25", "KAHVE KUŞAK"}});
    }
    static ExamDocumentTexts texts()
    {
        ExamDocumentTexts t;
        t.province = "ANKARA";
        t.place = "ATATÜRK SPOR SALONU";
        t.date = "15.03.2010";
        t.members[0] = {"ALİ VELİ", "0000101", "3"};
        t.members[1] = {"CAN ER", "0000102", "4"};
        t.members[2] = {"EDA SU", "0000103", "2"};
        t.chairman = {"ÖMER ÇELİK", "0000100", "5"};
        t.chairmanCoachNo = "AB-77";
        t.representative = "İSMAİL GÜR";
        t.paymentMethod = "HAVALE";
        t.receiptDate = "10.03.2010";
        t.explanation = "SINAV ÜCRETİ";
        t.note = {"İKİ SPORCU SAĞLIK RAPORU GETİRECEK."};
        return t;
    }
    const ReportDocument& print(const QString& keys, const Reports::ExamBands& bands, const QString& pdf = QString())
    {
        Reports::genelBelgeKisileri(everyone(keys));
        expectPreview(pdf);
        Reports::genelBelge(caller, texts(), bands);
        return *GenelBelge->ReportBody1.document();
    }
};

TEST_F(ExamDocument, PrintsTheFederationNameAndTheConfirmation)
{
    const QString pdf = pdfPath("sinav.pdf");
    const ReportDocument& doc = print("1,2,3", {true, true, true}, pdf);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.title, "Genel Rapor");
    EXPECT_EQ(doc.pages[0].find("QRLabel1")->text, "TÜRKİYE KİCK BOKS FEDERASYONU");
    EXPECT_EQ(doc.pages[0].find("QRLabel60")->text, "TÜRKİYE KİCK BOKS FEDERASYONU");
    EXPECT_EQ(doc.pages[0].find("QRLabel61")->text, "TASDİK OLUNUR");
    EXPECT_EQ(textsOf(doc, "QRLabel30"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"AYŞE GÜLER", "MEHMET ÖZ", "ZEKİ ŞAHİN"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3").first(), "SARI KUŞAK");
    EXPECT_EQ(textsOf(doc, "QRDBText4").first(), "TURUNCU KUŞAK");

    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected :
         {"TÜRKİYE KİCK BOKS FEDERASYONU", "Sonuç Listesi", "İli : ANKARA", "İmtihan Yeri/Adresi : ATATÜRK SPOR SALONU",
          "İmtihan Tarihi : 15.03.2010", "S.No", "Eski Kuşağı", "Yeni Kuşağı", "Lisans No",
          "Sınav Komisyonu Üyesi -1", "Sınav Komisyonu Üyesi -3", "EDA SU", "Sınav Komisyonu Başkanı", "ÖMER ÇELİK",
          "Ant.Bel.No : AB-77", "İl Temsilcisi", "İSMAİL GÜR", "TASDİK OLUNUR", "......./......./20......",
          "Ücret Gönderim Şekli : HAVALE", "Dekont Tarihi : 10.03.2010", "Açıklama : SINAV ÜCRETİ", "Açk;",
          "SAĞLIK RAPORU GETİRECEK."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("F e d e r a s y o n"));
    EXPECT_FALSE(text.contains(QString::fromUtf8("TASTİK")));
}

TEST_F(ExamDocument, ASecondRunNumbersFromOneAndTheCommitteeBandCanBeLeftOut)
{
    print("1,2,3", {true, false, true});
    const ReportDocument& doc = print("2,3", {false, false, false});
    EXPECT_EQ(textsOf(doc, "QRLabel30"), (QStringList{"1", "2"}));
    const ReportPage& page = doc.pages[0];
    EXPECT_FALSE(fixture::prints(page, "QRMemberTitle1"));
    EXPECT_FALSE(fixture::prints(page, "QRLabel70")) << "no payment band";
    EXPECT_FALSE(fixture::prints(page, "QRMemo1")) << "no note band";
    // The chairman's block follows the last row directly.
    const auto rows = page.findAll("QRDBText2");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_LT(page.find("QRLabel50")->rect.top() - rows.back()->rect.bottom(), 12);
    EXPECT_FALSE(GenelBelge->anyDataSetOpen());
}

TEST_F(ExamDocument, AnEmptySelectionPrintsTheHeaderAndTheSignatures)
{
    Reports::genelBelgeKisileri(searched(" where Musteri_Key = :k", {{"k", 99}}));
    expectPreview();
    Reports::genelBelge(caller, texts(), {});
    const ReportDocument& doc = *GenelBelge->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_TRUE(textsOf(doc, "QRDBText2").isEmpty());
    EXPECT_TRUE(fixture::prints(doc.pages[0], "QRLabel50"));
    EXPECT_TRUE(fixture::prints(doc.pages[0], "QRLabel11"));
}

} // namespace
