// The record sheet: a person's columns, photo and career sections, one page
// per person, launched from the person search and from the person editor.
#include "RegistryFixture.h"

#include "registry/MusteriGiris2.h"
#include "reports/Baslik2.h"
#include "reports/PrintMenu1S.h"
#include "reports/RegistryReports.h"

#include <QPushButton>

using fixture::textsOf;

namespace {

class RecordSheet : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        db.insert("C_UYEKULLANICI", {{"Durum_Key", 901}, {"Durum", "1. KADEME ANTRENÖR"}, {"Tip2", "A"}});
        db.insert("C_UYEKULLANICI", {{"Durum_Key", 902}, {"Durum", "ULUSAL HAKEM"}, {"Tip2", "H"}});
        db.insert("KUSAK", {{"Kusak_Key", 901}, {"Kusak_Adi", "SİYAH KUŞAK"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 901}, {"Durum", "ÇANKAYA SPOR KULÜBÜ"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 901}, {"Durum", "ŞANLIURFA"}});

        // A person with every career section, a photo, all belt columns.
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "GÜLER"}, {"Vergi_Dairesi", "ANKARA"}, {"E16", "ÇANKAYA SPOR KULÜBÜ"},
                      {"E25", "SİYAH KUŞAK"}, {"E58", "ANKARA"}, {"M7", QDate(2009, 5, 1)}, {"Stil", "KICK"},
                      {"E52", "1. KADEME ANTRENÖR"}, {"E56", "İZMİR"}, {"M5", QDate(2008, 1, 2)},
                      {"E74", "PH-7"}, {"M9", QDate(2007, 6, 30)}, {"Adres", "ATATÜRK CAD. 5"},
                      {"Sokak", "ÇANKAYA"}, {"E63", "ayse@ornek.org"}, {"M3", QDate(1990, 2, 3)},
                      {"E42", "12345678901"}, {"Ferdi", 1}, {"E15", "BAYAN"}});
        addPhoto(1);
        db.insert("F_GOR", {{"Gor_Key", 1}, {"Musteri_Key", 1}, {"Gorev", "GÜÇ SALONU"}, {"Antrenor", "ÖMER ÇELİK"}});
        db.insert("F_ANT", {{"Ant_Key", 2}, {"Musteri_Key", 1}, {"Durum_Key", 901}, {"Yer", "ANKARA"},
                            {"Tarih", QDate(2008, 1, 2)}, {"KarNo", "K-1"}, {"Dip_No_Tar", "D-44"}});
        db.insert("F_HAKEM", {{"Hak_Key", 3}, {"Musteri_Key", 1}, {"Durum_Key", 902}, {"Yer", "BURSA"},
                              {"Tarih", QDate(2006, 4, 5)}, {"KarNo", "H-9"}});
        db.insert("F_KUSAK", {{"Kus_Key", 4}, {"Musteri_Key", 1}, {"Kusak_Key", 901}, {"Yer", "ANKARA"},
                              {"Tarih", QDate(2009, 5, 1)}, {"KarNo", "B-2"}});
        db.insert("F_SEM", {{"Sem_Key", 5}, {"Musteri_Key", 1}, {"Seminer", "HAKEM SEMİNERİ"},
                            {"BTar", QDate(2009, 9, 1)}, {"Tarih", QDate(2009, 9, 3)}, {"Yer", "ANTALYA"}});
        db.insert("F_LNC", {{"Lnc_Key", 6}, {"Musteri_Key", 1}, {"Klup_Key", 901}, {"Bolge_Key", 901},
                            {"L_Tarih", QDate(2005, 1, 1)}, {"V_Tarih", QDate(2009, 1, 1)}});
        db.insert("C_TURTURU", {{"Tur_Key", 901}, {"Turu", "AVRUPA ŞAMPİYONASI"}, {"Tipi", "ULUSLAR ARASI"}});
        db.insert("C_TURTURU", {{"Tur_Key", 902}, {"Turu", "TÜRKİYE ŞAMPİYONASI"}, {"Tipi", "ULUSAL"}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 901}, {"Adi", "2009 AVRUPA"}, {"Tur_Key", 901},
                                {"Tarih1", QDate(2009, 10, 1)}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 902}, {"Adi", "2009 TÜRKİYE"}, {"Tur_Key", 902},
                                {"Tarih1", QDate(2009, 4, 1)}});
        db.insert("F_DER", {{"Der_Key", 7}, {"Musteri_Key", 1}, {"Turnuva_Key", 901}, {"Derece", 2},
                            {"Tarih", QDate(2009, 10, 2)}, {"Odul", "GÜMÜŞ"}});
        db.insert("F_DER", {{"Der_Key", 8}, {"Musteri_Key", 1}, {"Turnuva_Key", 902}, {"Derece", 1},
                            {"Tarih", QDate(2009, 4, 2)}, {"Gorev", "KATILDI"}});

        // A person without career rows and without photo, whose belt
        // columns are empty but for the belt date; not active.
        addPerson(2, {{"Adi", "MEHMET"}, {"Soyadi", "ÖZ"}, {"M7", QDate(2010, 1, 15)}, {"Tip", 0}});
        // A third person, with a photo of his own.
        addPerson(3, {{"Adi", "ZEKİ"}, {"Soyadi", "ŞAHİN"}, {"E51", "ULUSAL HAKEM"}});
        addPhoto(3, Qt::darkRed);
    }

    // The sheets of the given persons through the search's command.
    const ReportDocument& print(const QString& keys, const QString& title = QString(), const QString& pdf = QString())
    {
        expectTitle("TBaslik2", title);
        expectPreview(pdf);
        Reports::sicilDokumu(caller, everyone(keys));
        return *PrintMenu1S->ReportBody1.document();
    }

    // The page a person's sheet starts on.
    static int pageOf(const ReportDocument& doc, const QString& name)
    {
        for (const ReportPage& p : doc.pages)
            for (const ReportItem* i : p.findAll("QRDBTextAd_Soyad"))
                if (i->text == name)
                    return p.number;
        return 0;
    }
};

TEST_F(RecordSheet, PersonWithCareerRowsAndPhotoPrintsEverySection)
{
    const QString pdf = pdfPath("sicil.pdf");
    const ReportDocument& doc = print("1", "", pdf);
    ASSERT_GE(doc.pageCount(), 1);
    const ReportPage& page = doc.pages[0];
    EXPECT_EQ(page.find("QRLabel9")->text, "KİCK BOKS SİCİL BİLGİLERİ") << "an empty title gives the default";
    EXPECT_EQ(page.find("QRLabel42")->text, "15.03.2010");
    EXPECT_EQ(page.find("QRLabel63")->text, "SİYAH KUŞAK, ANKARA, 01.05.2009, KICK");
    EXPECT_EQ(page.find("QRLabel64")->text, "1. KADEME ANTRENÖR, İZMİR, 02.01.2008");
    EXPECT_EQ(page.find("QRLabel40")->text, "PH-7, 30.06.2007");
    EXPECT_EQ(page.find("QRLabel66")->text, "FERDİ SPORCU");
    EXPECT_FALSE(fixture::prints(page, "QRLabel67")) << "an active person has no status word";
    const ReportItem* photo = page.find("QRImage1");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->kind, ReportItem::Image);

    // Each section once, in order, with its looked-up names.
    const QStringList sections = textsOf(doc, "QRSection1") + textsOf(doc, "QRSection2") + textsOf(doc, "QRSection3") +
                                 textsOf(doc, "QRSection4") + textsOf(doc, "QRSection5") + textsOf(doc, "QRSection6") +
                                 textsOf(doc, "QRSection7") + textsOf(doc, "QRSection8");
    EXPECT_EQ(sections, (QStringList{" Salon ve Antrenörleri ", " Antrenörlük Kariyeri ", " Hakemlik Kariyeri ",
                                     " Kuşak Bilgileri ", " Katıldığı Seminerler ", " Sporcu Lisans Bilgileri ",
                                     " Uluslar Arası Faaliyet Başarı, Derece ve Cezalar ",
                                     " Ulusal Faaliyet Başarı, Derece ve Cezalar "}));
    EXPECT_EQ(textsOf(doc, "QRSec2Text1"), QStringList{"1. KADEME ANTRENÖR"});
    EXPECT_EQ(textsOf(doc, "QRSec3Text1"), QStringList{"ULUSAL HAKEM"});
    EXPECT_EQ(textsOf(doc, "QRSec4Text1"), QStringList{"SİYAH KUŞAK"});
    EXPECT_EQ(textsOf(doc, "QRSec6Text1"), QStringList{"ÇANKAYA SPOR KULÜBÜ"});
    EXPECT_EQ(textsOf(doc, "QRSec6Text2"), QStringList{"ŞANLIURFA"});
    EXPECT_EQ(textsOf(doc, "QRSec7Text1"), QStringList{"2009 AVRUPA"});
    EXPECT_EQ(textsOf(doc, "QRSec8Text1"), QStringList{"2009 TÜRKİYE"});

    // A seminar's first and last day are captioned as such.
    EXPECT_EQ(textsOf(doc, "QRSec5Caption2"), QStringList{"Baş. Tarihi"});
    EXPECT_EQ(textsOf(doc, "QRSec5Caption3"), QStringList{"Bitiş Tarihi"});
    EXPECT_EQ(textsOf(doc, "QRSec5Text2"), QStringList{"01.09.2009"});
    EXPECT_EQ(textsOf(doc, "QRSec5Text3"), QStringList{"03.09.2009"});

    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected :
         {"KİCK BOKS SİCİL BİLGİLERİ", "AYŞE GÜLER", "FERDİ SPORCU", "ayse@ornek.org", "12345678901", "NÜFUS BİLGİLERİ",
          "FİZİKSEL DURUM", "Katıldığı Seminerler", "HAKEM SEMİNERİ", "Baş. Tarihi", "ÖMER ÇELİK", "D-44", "GÜMÜŞ",
          "KATILDI", "ATATÜRK CAD. 5, ÇANKAYA"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression("Page size:\\s+595 x 842 pts")));
}

TEST_F(RecordSheet, PersonWithoutCareerRowsGetsThePersonBandOnly)
{
    const ReportDocument& doc = print("2");
    ASSERT_EQ(doc.pageCount(), 1);
    for (int i = 1; i <= 8; ++i)
        EXPECT_TRUE(textsOf(doc, QString("QRSection%1").arg(i)).isEmpty()) << "no empty section header " << i;
    EXPECT_EQ(doc.pages[0].find("QRLabel63")->text, ", 15.01.2010") << "the belt line begins with \", \"";
    EXPECT_EQ(doc.pages[0].find("QRLabel67")->text, "FAAL DEĞİL");
    EXPECT_FALSE(fixture::prints(doc.pages[0], "QRImage1")) << "no photo file: no picture";
}

TEST_F(RecordSheet, ThreePersonsPrintOnThreePagesEachWithItsOwnRows)
{
    const QString pdf = pdfPath("uc.pdf");
    const ReportDocument& doc = print("1,2,3", "SİCİL", pdf);
    // The first person's sections may run onto a second page; each person
    // starts a page of his own.
    const int ayse = pageOf(doc, "AYŞE GÜLER"), mehmet = pageOf(doc, "MEHMET ÖZ"), zeki = pageOf(doc, "ZEKİ ŞAHİN");
    EXPECT_EQ(ayse, 1);
    EXPECT_GT(mehmet, ayse);
    EXPECT_EQ(zeki, mehmet + 1);
    EXPECT_EQ(doc.pageCount(), zeki);
    // The sections belong to the first person only.
    EXPECT_EQ(textsOf(doc, "QRSec1Text1"), QStringList{"GÜÇ SALONU"});
    // The second has no photo, the third his own again.
    EXPECT_FALSE(fixture::prints(doc.pages[size_t(mehmet - 1)], "QRImage1"));
    const ReportItem* photo = doc.pages[size_t(zeki - 1)].find("QRImage1");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->image.pixelColor(photo->image.width() / 2, photo->image.height() / 2).red() > 100, true);
    for (const ReportPage& p : doc.pages)
        EXPECT_EQ(p.find("QRLabel9")->text, "SİCİL");
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression(QString("Pages:\\s+%1\\b").arg(zeki))));
    // Closed after the preview.
    EXPECT_FALSE(PrintMenu1S->anyDataSetOpen());
    EXPECT_TRUE(shownWhileDisabled);
    EXPECT_EQ(flagWhileShown, 1);
}

TEST_F(RecordSheet, StartUpCaptionsTheKickAndProfessionalRefereeRows)
{
    const ReportDocument& doc = print("1");
    EXPECT_EQ(textsOf(doc, "QRLabel39"), QStringList{" Profesyonel Hakem"});
    EXPECT_EQ(textsOf(doc, "QRLabel79"), QStringList{" Kick Beden No"});
    EXPECT_EQ(textsOf(doc, "QRLabel80"), QStringList{" Kick Ayakkabı No"});
}

TEST_F(RecordSheet, PersonEditorPrintsTheSavedPersonOnly)
{
    TMusteriGiris2* editor = MusteriGiris2;
    editor->FPersonKey = 0;
    editor->BitBtn3Click();
    EXPECT_EQ(ui().texts(), QStringList{Reports::kSaveBeforePrint});
    EXPECT_TRUE(modals().seen().isEmpty()) << "no title dialog for an unsaved person";

    editor->FPersonKey = 3;
    int keepWhileShown = -1;
    bool disabled = false;
    expectTitle("TBaslik2", "ZEKİ'NİN SİCİLİ");
    modals().expect("ReportPreview", [&](QDialog* d) {
        keepWhileShown = editor->FKeepLoaded;
        disabled = !editor->isEnabled();
        d->close();
    });
    click(editor->BitBtn3);
    const ReportDocument& doc = *PrintMenu1S->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pages[0].find("QRDBTextAd_Soyad")->text, "ZEKİ ŞAHİN");
    EXPECT_EQ(doc.pages[0].find("QRLabel9")->text, "ZEKİ'NİN SİCİLİ");
    EXPECT_EQ(keepWhileShown, 1);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(editor->FPreviewReport, PrintMenu1S);
}

TEST_F(RecordSheet, ShortSheetPrintsOnePagePerPersonWithoutCareer)
{
    TPrintMenu1S1& r = *PrintMenu1S1;
    r.QRLabel9->caption = "KİCK BOKS SPORCU SİCİL BİLGİLERİ";
    r.QRLabel42->caption = "15.03.2010";
    r.FFirstRow = 1;
    r.Query1.sql = "select * from C_MUSTERI where Musteri_Key in (1, 3) order by Ad_Soyad";
    r.Query1.open();
    expectPreview();
    ReportLaunch::preview(r, caller);
    const ReportDocument& doc = *r.ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].find("QRLabel11")->text, "ÇANKAYA SPOR KULÜBÜ / ANKARA");
    EXPECT_EQ(doc.pages[0].find("QRLabel63")->text, "SİYAH KUŞAK");
    EXPECT_TRUE(fixture::prints(doc.pages[0], "QRImage1"));
    EXPECT_EQ(doc.pages[1].find("QRLabel11")->text, " / ");
}

} // namespace
