// Letters over the stored letter texts and address labels, for persons and
// clubs.
#include "RegistryFixture.h"

#include "app/kit/DbConventions.h"
#include "platform/paths/DriveMap.h"
#include "platform/report/ReportFonts.h"
#include "platform/settings/Registry.h"
#include "platform/text/Rtf.h"
#include "reports/PrintMenu19.h"
#include "reports/PrintMenu199.h"
#include "reports/RegistryReports.h"

#include <QTextCursor>
#include <QTextDocument>

using fixture::textsOf;

namespace {

class Letters : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "GÜLER"}, {"Adres", "ATATÜRK CAD. 5"}, {"Sokak", "ÇANKAYA/ANKARA"}});
        addPerson(2, {{"Adi", "MEHMET"}, {"Soyadi", "ÖZ"}, {"Adres", "GÜL SK. 3"}, {"Sokak", ""}});
        addPerson(3, {{"Adi", "ZEKİ"}, {"Soyadi", "ŞAHİN"}, {"Adres", "LALE SK. 9"}, {"Sokak", "KONAK/İZMİR"}});
        db.exec("delete * from C_UYELIKSURESI where Durum_Key > 1");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 11}, {"Durum", "ÇANKAYA SK"}, {"Ad_Soyad", "ALİ VELİ"},
                                     {"Cadde", "ATATÜRK CAD."}, {"No1", "5"}, {"PostaKodu", "06100"},
                                     {"Ilce", "ÇANKAYA"}, {"Il", "ANKARA"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 12}, {"Durum", "GÜÇ SPOR"}, {"Ad_Soyad", "CAN ER"}, {"Il", "İZMİR"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 13}, {"Durum", "ADRESSİZ SK"}, {"Il", "BURSA"}});
    }

    // A letter text "M7.rtf" in a folder, with a bold first line.
    void writeLetter(const QString& windowsFolder)
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.insertText("Değerli Sporcumuz,", bold);
        c.insertBlock();
        c.insertText("Şampiyonamıza katılımınız için teşekkür ederiz.", QTextCharFormat());
        const QString path = host(windowsFolder + "M7.rtf");
        QDir().mkpath(QFileInfo(path).path());
        QString why;
        ASSERT_TRUE(Rtf::save(doc, path, &why)) << why.toStdString();
    }

    static Reports::LetterHeader header(const QString& file = "M7.rtf")
    {
        return {"DAVET", "ŞAMPİYONA", "2010/17", "15 MART 2010", file};
    }
};

TEST_F(Letters, PersonLetterMergesTheLetterTextOnePagePerAddressee)
{
    writeLetter("C:\\CO\\");
    const QString pdf = pdfPath("mektup.pdf");
    expectPreview(pdf);
    Reports::mektup(caller, everyone("1,3"), header(), true);
    const ReportDocument& doc = *PrintMenu19->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 2);
    const ReportPage& first = doc.pages[0];
    EXPECT_EQ(first.find("QRLabel5")->text, "TÜRKİYE KİCK BOKS FEDERASYONU");
    EXPECT_EQ(first.find("QRLabel1")->text, "Sayı : 2010/17");
    EXPECT_EQ(first.find("QRLabel9")->text, "Konu : ŞAMPİYONA");
    EXPECT_EQ(first.find("QRLabel7")->text, "15 MART 2010");
    EXPECT_EQ(first.find("QRLabel2")->text, "DAVET");
    EXPECT_EQ(first.find("QRDBText1")->text, "AYŞE GÜLER");
    EXPECT_EQ(first.bandTexts("DetailBand1").filter("ATATÜRK").size(), 1);
    EXPECT_EQ(first.find("QRLabel4")->text, " ULUS İŞ HANI A BLOK ALTINDAĞ / ANKARA");
    EXPECT_EQ(first.find("QRLabel10")->text, "15.03.2010");
    EXPECT_NE(first.find("QRRichText1"), nullptr) << "the letter body";
    EXPECT_EQ(doc.pages[1].find("QRDBText1")->text, "ZEKİ ŞAHİN");
    EXPECT_NE(doc.pages[1].find("QRRichText1"), nullptr) << "on every letter";

    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"TÜRKİYE KİCK BOKS FEDERASYONU", "Sayın :", "AYŞE GÜLER", "ATATÜRK CAD. 5",
                                 "ÇANKAYA/ANKARA", "Değerli Sporcumuz,", "katılımınız için teşekkür ederiz.",
                                 "Konu : ŞAMPİYONA", "ZEKİ ŞAHİN", "KONAK/İZMİR"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(Letters, WithoutALetterTextOrAddressBlockOnlyTheLetterheadAndTitlePrint)
{
    expectPreview();
    Reports::mektup(caller, everyone("2"), {"DUYURU", "", "", "", ""}, false);
    const ReportDocument& doc = *PrintMenu19->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    const ReportPage& page = doc.pages[0];
    EXPECT_EQ(page.find("QRLabel2")->text, "DUYURU");
    EXPECT_FALSE(fixture::prints(page, "QRLabel1")) << "no number: an empty line";
    for (const char* hidden : {"QRShape1", "QRLabel3", "QRDBText1", "QRLabel8", "QRRichText1"})
        EXPECT_FALSE(fixture::prints(page, hidden)) << hidden;

    // A missing letter document leaves the body out as well.
    expectPreview();
    Reports::mektup(caller, everyone("2"), header("M99.rtf"), true);
    EXPECT_FALSE(fixture::prints(PrintMenu19->ReportBody1.document()->pages[0], "QRRichText1"));
    EXPECT_TRUE(fixture::prints(PrintMenu19->ReportBody1.document()->pages[0], "QRLabel3"));
}

TEST_F(Letters, WithTheDatabaseOnDriveDTheLetterTextIsReadFromItsRoot)
{
    DriveMap::mapDrive('D', dir.filePath("D"), false);
    Registry reg(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKey("\\Software\\ODBC\\ODBC.INI\\fdr", true));
    reg.writeString("DBQ", "D:\\QVX_PROG\\Fdr.mdb");
    ASSERT_EQ(Folders::lettersFolder(), "D:\\");
    writeLetter("D:\\");
    expectPreview();
    Reports::mektup(caller, everyone("1"), header(), true);
    EXPECT_NE(PrintMenu19->ReportBody1.document()->pages[0].find("QRRichText1"), nullptr);
}

TEST_F(Letters, ClubLetterIsAddressedToTheContactPerson)
{
    const QString pdf = pdfPath("kulupmektup.pdf");
    expectPreview(pdf);
    Reports::kulupMektup(caller, {"select * from C_UYELIKSURESI where Durum_Key>1", "", {}, "11,12", "Durum"},
                         header(QString()), true);
    const ReportDocument& doc = *PrintMenu19S->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].find("QRDBText2")->text, "ALİ VELİ");
    EXPECT_EQ(doc.pages[0].find("QRDBText1")->text, "ÇANKAYA SK");
    EXPECT_EQ(PrintMenu19S->FAddress, "  İZMİR") << "only the province: two blanks before it";
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"ALİ VELİ", "ATATÜRK CAD.", "06100 ÇANKAYA / ANKARA", "CAN ER", "GÜÇ SPOR"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

// Every line of a long address stays inside the addressee's box, which
// grows for it, and the title goes below the box; a long subject goes on
// over several lines beside the box instead of under it.
struct LongLetterCase {
    const char* name;
    bool club;
    const char* subject;
    QStringList printed;     // fragments the PDF must show
    const char* lastLine;    // the address's last line as laid out
};

void PrintTo(const LongLetterCase& c, std::ostream* os)
{
    *os << c.name;
}

class LongLetters : public Letters, public ::testing::WithParamInterface<LongLetterCase> {};

TEST_P(LongLetters, PrintEveryAddressLineAndTheWholeSubject)
{
    const LongLetterCase& c = GetParam();
    db.insert("C_UYELIKSURESI",
              {{"Durum_Key", 14}, {"Durum", "KIZILAY GENÇLİK SK"}, {"Ad_Soyad", "AHMET YILMAZ"},
               {"Cadde", "KIZILAY MAH. ATATÜRK BULVARI MEŞRUTİYET CAD. KESİŞİMİ GÜVENPARK KARŞISI"},
               {"Sokak", "GÜVEN İŞ MERKEZİ"}, {"No1", "NO: 127/4"}, {"PostaKodu", "06420"}, {"Ilce", "ÇANKAYA"},
               {"Il", "ANKARA"}});
    addPerson(4, {{"Adi", "ELİF"}, {"Soyadi", "KARA"},
                  {"Adres", "BAHÇELİEVLER MAH. 7. CADDE ŞEHİT MEHMET ÖZTÜRK SOKAK NO: 45 KAT: 3 DAİRE: 12 "
                             "BAHÇELİEVLER SİTESİ B BLOK ARKASI"},
                  {"Sokak", "06490 ÇANKAYA / ANKARA"}});
    const QString pdf = pdfPath("uzun.pdf");
    expectPreview(pdf);
    Reports::LetterHeader h = header(QString());
    h.subject = QString::fromUtf8(c.subject);
    std::shared_ptr<const ReportDocument> doc;
    if (c.club) {
        Reports::kulupMektup(caller, {"select * from C_UYELIKSURESI where Durum_Key>1", "", {}, "14", "Durum"}, h,
                             true);
        doc = PrintMenu19S->ReportBody1.document();
    } else {
        Reports::mektup(caller, everyone("4"), h, true);
        doc = PrintMenu19->ReportBody1.document();
    }
    ASSERT_EQ(doc->pageCount(), 1);
    const ReportPage& page = doc->pages[0];
    // To look at the letters: BRIVEX_LONG_LETTER_PDF=/tmp/mektup (one PDF per case).
    if (qEnvironmentVariableIsSet("BRIVEX_LONG_LETTER_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("BRIVEX_LONG_LETTER_PDF") + "-" + c.name + ".pdf");

    const QString text = fixture::squeezedPdfText(pdf);
    for (const QString& fragment : c.printed)
        EXPECT_TRUE(text.contains(fragment)) << fragment.toStdString() << "\n" << text.toStdString();

    // The address inside the box, to its last line; the title below it.
    const ReportItem* box = page.find("QRShape1");
    ASSERT_NE(box, nullptr);
    const std::vector<const ReportItem*> address = page.findAll("QRLabel8");
    ASSERT_GE(address.size(), 4u);
    EXPECT_EQ(address.back()->text, QString::fromUtf8(c.lastLine));
    for (const ReportItem* line : address)
        EXPECT_TRUE(box->rect.contains(line->rect)) << line->text.toStdString();
    const ReportItem* title = page.find("QRLabel2");
    ASSERT_NE(title, nullptr);
    EXPECT_GE(title->rect.top(), box->rect.bottom());
    // The subject beside the box, never under it.
    const std::vector<const ReportItem*> subject = page.findAll("QRLabel9");
    ASSERT_FALSE(subject.empty());
    for (const ReportItem* line : subject) {
        EXPECT_LE(line->rect.right(), box->rect.left()) << line->text.toStdString();
        EXPECT_LE(line->rect.bottom(), title->rect.top()) << line->text.toStdString();
        EXPECT_FALSE(line->clip.isValid()) << "cut: " << line->text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Letters, LongLetters,
    ::testing::Values(
        LongLetterCase{"ClubOfFourLinesOneWrapped", true, "ŞAMPİYONA",
                       {"KIZILAY MAH. ATATÜRK", "GÜVENPARK KARŞISI", "GÜVEN İŞ MERKEZİ", "NO: 127/4",
                        "06420 ÇANKAYA / ANKARA"},
                       "06420 ÇANKAYA /  ANKARA"},
        LongLetterCase{"PersonWithAWrappedAddress", false, "ŞAMPİYONA",
                       {"BAHÇELİEVLER MAH.", "DAİRE: 12", "B BLOK ARKASI", "06490 ÇANKAYA / ANKARA"}, "06490 ÇANKAYA / ANKARA"},
        LongLetterCase{"LongSubject", true,
                       "2024 YILI TÜRKİYE KICK BOKS ŞAMPİYONASI KATILIM ŞARTLARI, KAYIT TARİHLERİ VE KONAKLAMA "
                       "HAKKINDA BİLGİLENDİRME",
                       {"Konu : 2024 YILI", "KONAKLAMA", "HAKKINDA BİLGİLENDİRME", "06420 ÇANKAYA / ANKARA"},
                       "06420 ÇANKAYA /  ANKARA"}),
    [](const ::testing::TestParamInfo<LongLetterCase>& info) { return std::string(info.param.name); });

// A name as long as its column takes (40 letters), of wide letters, prints
// whole inside the addressee's box: in smaller type, broken at a blank only
// where even that is too narrow, clear of the box's other texts. The next
// letter's short name keeps the design size.
struct LongNameCase {
    const char* name;
    bool club;
    const char* person;     // Ad_Soyad: the addressee, or the club's contact person
    const char* clubName;   // Durum ("" for a person's letter)
};

void PrintTo(const LongNameCase& c, std::ostream* os)
{
    *os << c.name;
}

class LongNames : public Letters, public ::testing::WithParamInterface<LongNameCase> {
protected:
    // The lines of the page's name field, checked inside the frame and
    // clear of the frame's other texts; returns them.
    static QStringList fittedLines(const ReportPage& page, const QString& control)
    {
        const ReportItem* frame = page.find("QRShape1");
        if (!frame)
            return {"<no frame>"};
        QStringList lines;
        for (const ReportItem* line : page.findAll(control)) {
            if (line->kind != ReportItem::Text)
                continue;
            lines << line->text;
            const QString what = control + " \"" + line->text + "\"";
            EXPECT_FALSE(line->clip.isValid()) << "cut: " << what.toStdString();
            EXPECT_LE(ReportFonts::textWidth(line->font, line->text), line->rect.width() + 1e-6) << what.toStdString();
            EXPECT_TRUE(frame->rect.contains(line->rect)) << what.toStdString();
            for (const ReportItem& other : page.items) {
                if (other.kind == ReportItem::Text && other.name != control && frame->rect.intersects(other.rect)) {
                    EXPECT_FALSE(other.rect.intersects(line->rect))
                        << what.toStdString() << " over " << other.name.toStdString();
                }
            }
        }
        return lines;
    }
};

TEST_P(LongNames, PrintWholeInsideTheAddresseesBox)
{
    const LongNameCase& c = GetParam();
    const QString person = QString::fromUtf8(c.person), clubName = QString::fromUtf8(c.clubName);
    ASSERT_EQ(person.size(), 40) << "as long as the column takes";
    const QString pdf = pdfPath(QString("uzun-ad-%1.pdf").arg(c.name));
    expectPreview(pdf);
    std::shared_ptr<const ReportDocument> doc;
    // The long name's letter and a short one's.
    std::vector<std::pair<QString, QString>> fields;   // control, the long name it prints
    QString shortControl, shortName;
    if (c.club) {
        ASSERT_EQ(clubName.size(), 40) << "as long as the column takes";
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 14}, {"Durum", clubName}, {"Ad_Soyad", person}, {"Il", "ANKARA"}});
        Reports::kulupMektup(caller, {"select * from C_UYELIKSURESI where Durum_Key>1", "", {}, "12,14", "Durum"},
                             header(QString()), true);
        doc = PrintMenu19S->ReportBody1.document();
        fields = {{"QRDBText1", clubName}, {"QRDBText2", person}};
        shortControl = "QRDBText1";
        shortName = "GÜÇ SPOR";
    } else {
        addPerson(4, {{"Ad_Soyad", person}, {"Adres", "GÜL SK. 3"}, {"Sokak", "KONAK/İZMİR"}});
        Reports::mektup(caller, everyone("2,4"), header(QString()), true);
        doc = PrintMenu19->ReportBody1.document();
        fields = {{"QRDBText1", person}};
        shortControl = "QRDBText1";
        shortName = "MEHMET ÖZ";
    }
    ASSERT_EQ(doc->pageCount(), 2);
    const int longPage = doc->pages[0].find(shortControl)->text == shortName ? 1 : 0;
    const ReportPage& page = doc->pages[size_t(longPage)];

    const QString text = fixture::squeezedPdfText(pdf);
    for (const auto& [control, name] : fields) {
        const QStringList lines = fittedLines(page, control);
        ASSERT_FALSE(lines.isEmpty()) << control.toStdString();
        EXPECT_EQ(lines.join(' '), name) << "every letter, broken at blanks only";
        EXPECT_LT(page.find(control)->font.pointSizeF(), 10) << control.toStdString();
        for (const QString& line : lines)
            EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\n" << text.toStdString();
    }

    // The short name of the other letter in the design size.
    const ReportItem* shortLine = doc->pages[size_t(1 - longPage)].find(shortControl);
    ASSERT_NE(shortLine, nullptr);
    EXPECT_EQ(shortLine->text, shortName);
    EXPECT_EQ(shortLine->font.pointSizeF(), 10);
    EXPECT_EQ(fittedLines(doc->pages[size_t(1 - longPage)], shortControl), QStringList{shortName});
}

INSTANTIATE_TEST_SUITE_P(
    Letters, LongNames,
    ::testing::Values(
        LongNameCase{"PersonOfWs", false, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", ""},
        LongNameCase{"PersonOfTurkishCapitals", false, "ĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİ", ""},
        LongNameCase{"ClubOfWs", true, "WWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWWWWW",
                     "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"},
        LongNameCase{"ClubOfTurkishCapitals", true, "ĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞ ÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞ",
                     "ĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİÖÇĞÜŞİ"}),
    [](const ::testing::TestParamInfo<LongNameCase>& info) { return std::string(info.param.name); });

struct ClubAddressCase {
    QVariantMap club;
    const char* expected;
};
class ClubLetterAddress : public ::testing::TestWithParam<ClubAddressCase> {};

TEST_P(ClubLetterAddress, IsBuiltLineByLine)
{
    QVariantMap m{{"Cadde", ""}, {"Sokak", ""}, {"No1", ""}, {"PostaKodu", ""}, {"Ilce", ""}, {"Il", ""}};
    for (auto it = GetParam().club.constBegin(); it != GetParam().club.constEnd(); ++it)
        m.insert(it.key(), it.value());
    EXPECT_EQ(TPrintMenu19S::clubAddress(Record(m.keys(), m.values())), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Clubs, ClubLetterAddress,
    ::testing::Values(ClubAddressCase{{{"Il", "ANKARA"}}, "  ANKARA"},
                      ClubAddressCase{{{"PostaKodu", "06100"}, {"Ilce", "ÇANKAYA"}, {"Il", "ANKARA"}},
                                      "06100 ÇANKAYA /  ANKARA"},
                      ClubAddressCase{{{"Cadde", "ATATÜRK CAD."}, {"Sokak", "GÜL SK."}, {"No1", "5"}, {"Il", "ANKARA"}},
                                      "ATATÜRK CAD.\nGÜL SK.\n5\n  ANKARA"}));

TEST_F(Letters, PersonLabelsLeaveOutPersonsWithoutBothAddressLines)
{
    const QString pdf = pdfPath("etiket.pdf");
    expectPreview(pdf);
    Reports::etiket(caller, everyone());
    const ReportDocument& doc = *PrintMenu199->ReportBody1.document();
    EXPECT_EQ(doc.title, "Yazıcı Raporu");
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"AYŞE GÜLER", "ZEKİ ŞAHİN"}));
    // Two across: the second label 97.1 mm to the right of the first, at
    // the same height.
    const auto names = doc.pages[0].findAll("QRDBText1");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NEAR(names[1]->rect.left() - names[0]->rect.left(), 97.1, 1e-6);
    EXPECT_NEAR(names[1]->rect.top(), names[0]->rect.top(), 1e-6);
    EXPECT_NEAR(names[0]->rect.left(), 14 + 3, 1e-6);
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"AYŞE GÜLER", "ATATÜRK CAD. 5", "ÇANKAYA/ANKARA", "KONAK/İZMİR"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(text.contains(QString::fromUtf8("MEHMET")));
}

TEST_F(Letters, ClubLabelsNeedAProvinceAndAStreetPart)
{
    expectPreview();
    Reports::kulupEtiket(caller, {"select * from C_UYELIKSURESI where Durum_Key>1", "", {}, "", "Durum"});
    const ReportDocument& doc = *PrintMenu198->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText2"), QStringList{"ÇANKAYA SK"});
    EXPECT_EQ(textsOf(doc, "QRDBText1"), QStringList{"ALİ VELİ"});
    EXPECT_EQ(textsOf(doc, "QRLabel1"), (QStringList{"ATATÜRK CAD.", "5", "06100 ÇANKAYA /  ANKARA"}));
}

} // namespace
