// The exam import's rules without the editor: belt grades, the committee
// and the match cascade, over a station database as the federation's
// register.
#include "registry/ExamImport.h"
#include "support/TestSupport.h"

#include <QRegularExpression>

#include <deque>

namespace ExamRulesTestLocal {

// Records the questions and answers them from a queue (no answer: "no").
struct ExamRulesAsker {
    QStringList asked;
    QList<int> raised;
    std::deque<bool> answers;
    ExamImport::Ask ask()
    {
        return [this](const QString& text, int raise) {
            asked << text;
            raised << raise;
            if (answers.empty())
                return false;
            const bool a = answers.front();
            answers.pop_front();
            return a;
        };
    }
};

const QString kBeltListText = "BEYAZ, SARI, YEŞİL, MAVİ, TURUNCU veya KAHVERENGİ";

// --- Belts --------------------------------------------------------------------

struct BeltCase {
    const char* oldBelt;
    const char* newBelt;
    int answer;             // -1: no question expected; 0/1: the answer given
    QStringList refusals;
};

class ExamBeltCheck : public ::testing::TestWithParam<BeltCase> {};

TEST_P(ExamBeltCheck, RefusesOrPasses)
{
    const BeltCase& c = GetParam();
    ExamRulesAsker asker;
    if (c.answer >= 0)
        asker.answers.push_back(c.answer == 1);
    const QStringList got =
        ExamImport::checkBelts("ALİ VELİ", QString::fromUtf8(c.oldBelt), QString::fromUtf8(c.newBelt), asker.ask());
    EXPECT_EQ(got, c.refusals);
    EXPECT_EQ(asker.asked.size(), c.answer >= 0 ? 1 : 0) << asker.asked.join("|");
}

INSTANTIATE_TEST_SUITE_P(
    Belts, ExamBeltCheck,
    ::testing::Values(
        BeltCase{"SARI KUŞAK", "YEŞİL KUŞAK", -1, {}},
        BeltCase{"A.KAHVERENGİ KUŞAK", "K.KAHVERENGİ KUŞAK", -1, {}},
        BeltCase{"BEYAZ KUŞAK", "YEŞİL KUŞAK", 1, {}},
        BeltCase{"BEYAZ KUŞAK", "YEŞİL KUŞAK", 0,
                 {" --> Yeni Kuşak Derecesi Eski Kuşak Derecesine Göre Çok Büyük."}},
        BeltCase{"YEŞİL KUŞAK", "SARI KUŞAK", -1,
                 {" --> Eski Kuşak Derecesi Yeni Kuşak Derecesinden Büyük veya Eşit."}},
        BeltCase{"SARI KUŞAK", "SARI KUŞAK", -1,
                 {" --> Eski Kuşak Derecesi Yeni Kuşak Derecesinden Büyük veya Eşit."}},
        BeltCase{"10.GIP", "9.GIP", -1, {}},
        BeltCase{"", "SARI KUŞAK", -1, {" --> Eski Kuşağı Belirtilmemiş."}},
        BeltCase{"SARI KUŞAK", "KIR", -1, {" --> Yeni Kuşağı Uyumsuz."}},
        BeltCase{"SİYAH KUŞAK", "", -1,
                 {" --> Eski Kuşak Derecesinin " + kBeltListText + " Olması Gerekmektedir.",
                  " --> Yeni Kuşağı Belirtilmemiş."}},
        BeltCase{"SARI KUŞAK", "1.DAN", -1,
                 {" --> Yeni Kuşak Derecesinin " + kBeltListText + " Olması Gerekmektedir."}},
        // Grades that are no number from 1 to 10 are refused; the run goes on.
        BeltCase{"X.GIP", "SARI KUŞAK", -1, {" --> Hatalı Kuşak Numarası."}},
        BeltCase{"11.GIP", "10.GIP", -1, {" --> Hatalı Kuşak Numarası."}},
        BeltCase{"SARI KUŞAK", "0.GIP", -1, {" --> Hatalı Kuşak Numarası."}}));

TEST(ExamBeltGrades, ColourBeltsBecomeGradesOthersStay)
{
    EXPECT_EQ(ExamImport::grade("BEYAZ KUŞAK"), "10.GIP");
    EXPECT_EQ(ExamImport::grade("K.KAHVERENGİ KUŞAK"), "4.GIP");
    EXPECT_EQ(ExamImport::grade("2.DAN"), "2.DAN");
    EXPECT_EQ(ExamImport::gradeNumber("10.GIP"), 10);
    EXPECT_EQ(ExamImport::gradeNumber("9.GIP"), 9);
    EXPECT_EQ(ExamImport::gradeNumber("09.GIP"), 0);
}

TEST(ExamBeltGrades, TheJumpQuestionNamesTheBeltsAsSent)
{
    ExamRulesAsker asker;
    asker.answers.push_back(true);
    ExamImport::checkBelts("ALİ VELİ", "BEYAZ KUŞAK", "MAVİ KUŞAK", asker.ask());
    ASSERT_EQ(asker.asked.size(), 1);
    EXPECT_EQ(asker.asked[0], "ALİ VELİ --> Yeni Kuşak Derecesi (MAVİ KUŞAK)\nEski Kuşak Derecesine (BEYAZ KUŞAK) Göre "
                              "Çok Büyük Gönderilmiş.\nDevam Edilsin mi?");
    EXPECT_EQ(asker.raised[0], 12);
}

TEST(ExamPackageName, TheClubKeyComesFromTheFileName)
{
    EXPECT_EQ(ExamImport::clubKeyOfFile("/x/y/BG200.mdb"), 200);
    EXPECT_EQ(ExamImport::clubKeyOfFile("bg17.MDB"), 17);
    EXPECT_EQ(ExamImport::clubKeyOfFile("BG.mdb"), 0);
    EXPECT_EQ(ExamImport::clubKeyOfFile("BG200 (1).mdb"), 0);
}

// --- Register fixtures ----------------------------------------------------------

class ExamRegisterTest : public StationTest {
protected:
    void person(int key, const QString& name, const QString& region, const QVariantMap& extra = {})
    {
        QVariantMap row{{"Musteri_Key", key}, {"Ad_Soyad", name}, {"Vergi_Dairesi", region}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            row.insert(it.key(), it.value());
        db.insert("C_MUSTERI", row);
    }
    ExamRulesAsker asker;
};

// --- The committee --------------------------------------------------------------

struct CommitteeCase {
    const char* title;
    std::function<void(Database&)> extra;   // changes to the register before the check
    ExamImport::Committee committee;
    int answer;                             // -1: no question; else the answer
    bool passed;
    QString message;
};

class ExamCommitteeCheck : public ExamRegisterTest, public ::testing::WithParamInterface<CommitteeCase> {};

TEST_P(ExamCommitteeCheck, ChecksChairmanAndMembers)
{
    const CommitteeCase& c = GetParam();
    person(1, "BAŞKAN BEY", "İSTANBUL", {{"Vergi_Numarasi", "0000101"}, {"E69", 2009}, {"E25", "5.DAN"}});
    person(2, "ÜYE BİR", "İSTANBUL", {{"Vergi_Numarasi", "0000102"}, {"E25", "1.DAN"}});
    person(3, "ÜYE İKİ", "ANKARA", {{"Vergi_Numarasi", "0000103"}, {"E25", "2.DAN"}});
    if (c.extra)
        c.extra(db);
    if (c.answer >= 0)
        asker.answers.push_back(c.answer == 1);
    const ExamImport::CommitteeCheck got =
        ExamImport::checkCommittee(db, c.committee, "İSTANBUL", 2009, asker.ask());
    EXPECT_EQ(got.passed, c.passed);
    EXPECT_EQ(got.message, c.message);
    EXPECT_EQ(asker.asked.size(), c.answer >= 0 ? 1 : 0) << asker.asked.join("|");
}

const QString kNotDone = "\nİşlem Tamamlanmadı ...!";
const ExamImport::Committee kFullCommittee{"0000101", {"0000102", "0000103", ""}};

INSTANTIATE_TEST_SUITE_P(
    Committee, ExamCommitteeCheck,
    ::testing::Values(
        CommitteeCase{"passes", nullptr, kFullCommittee, -1, true, ""},
        CommitteeCase{"no chairman", nullptr, {"0000999", {"", "", ""}}, -1, false,
                      "Sistemde Komisyon Başkanının Sicil Numarasında (0000999) Kayıta Rastlanmamıştır ...!" +
                          kNotDone},
        CommitteeCase{"two chairmen",
                      [](Database& d) {
                          d.insert("C_MUSTERI", {{"Musteri_Key", 9}, {"Ad_Soyad", "İKİNCİ"}, {"Vergi_Numarasi", "0000101"}});
                      },
                      kFullCommittee, -1, false,
                      "Sistemde Komisyon Başkanının Sicil Numarasında (0000101) Birden Çok Kayıta Rastlanmıştır ...!" +
                          kNotDone},
        CommitteeCase{"old visa",
                      [](Database& d) { d.exec("update C_MUSTERI set E69 = 2008 where Musteri_Key = 1"); },
                      kFullCommittee, -1, false,
                      "Sistemde Komisyon Başkanının (BAŞKAN BEY) Antrenörlük Vize Yılının 2008 Olduğu Tespit "
                      "Edilmiştir ...!" + kNotDone},
        CommitteeCase{"no visa",
                      [](Database& d) { d.exec("update C_MUSTERI set E69 = null where Musteri_Key = 1"); },
                      kFullCommittee, -1, false,
                      "Sistemde Komisyon Başkanının (BAŞKAN BEY) Antrenörlük Vize Yılının BOŞ Olduğu Tespit "
                      "Edilmiştir ...!" + kNotDone},
        CommitteeCase{"other region, go on",
                      [](Database& d) { d.exec("update C_MUSTERI set Vergi_Dairesi = 'ANKARA' where Musteri_Key = 1"); },
                      kFullCommittee, 1, true, ""},
        CommitteeCase{"other region, stop",
                      [](Database& d) { d.exec("update C_MUSTERI set Vergi_Dairesi = 'ANKARA' where Musteri_Key = 1"); },
                      kFullCommittee, 0, false, ""},
        CommitteeCase{"no member 2", nullptr, {"0000101", {"0000102", "0000777", ""}}, -1, false,
                      "Sistemde 2.Komisyon Üyesinin Sicil Numarasında (0000777) Kayıta Rastlanmamıştır ...!" + kNotDone},
        CommitteeCase{"two members 3",
                      [](Database& d) {
                          d.insert("C_MUSTERI", {{"Musteri_Key", 9}, {"Ad_Soyad", "İKİNCİ"}, {"Vergi_Numarasi", "0000102"}});
                      },
                      {"0000101", {"", "", "0000102"}}, -1, false,
                      "Sistemde 3.Komisyon Üyesinin Sicil Numarasında (0000102) Birden Çok Kayıta Rastlanmıştır ...!" +
                          kNotDone},
        CommitteeCase{"member without belt",
                      [](Database& d) { d.exec("update C_MUSTERI set E25 = null where Musteri_Key = 2"); },
                      kFullCommittee, -1, false,
                      "Sistemde 1.Komisyon Üyesinin (ÜYE BİR) Kuşak Durumunun BOŞ Olduğu Tespit Edilmiştir ...!" +
                          kNotDone},
        CommitteeCase{"member with a short belt",
                      [](Database& d) { d.exec("update C_MUSTERI set E25 = 'DAN' where Musteri_Key = 3"); },
                      kFullCommittee, -1, false,
                      "Sistemde 2.Komisyon Üyesinin (ÜYE İKİ) Kuşak Durumunun UYUMSUZ Olduğu Tespit Edilmiştir ...!" +
                          kNotDone},
        CommitteeCase{"member without a dan",
                      [](Database& d) { d.exec("update C_MUSTERI set E25 = 'SARI KUŞAK' where Musteri_Key = 2"); },
                      kFullCommittee, -1, false,
                      "Sistemde 1.Komisyon Üyesinin (ÜYE BİR) Kuşak Durumunun DAN Olmadığı Tespit Edilmiştir ...!" +
                          kNotDone}),
    [](const ::testing::TestParamInfo<CommitteeCase>& info) {
        return QString::fromUtf8(info.param.title).replace(QRegularExpression("[^A-Za-z0-9]"), "_").toStdString();
    });

// --- The match cascade ------------------------------------------------------------

// A package row: the examined athlete as the club sent him.
Record examRow(const QVariantMap& values)
{
    QVariantMap m{{"Musteri_Key", 41},  {"Ad_Soyad", "ALİ VELİ"}, {"Vergi_Dairesi", "İSTANBUL"},
                  {"E75", "SARI KUŞAK"}, {"E25", "YEŞİL KUŞAK"}, {"E42", ""},
                  {"Vergi_Numarasi", ""}, {"E26", ""}};
    for (auto it = values.begin(); it != values.end(); ++it)
        m.insert(it.key(), it.value());
    return Record(m.keys(), m.values());
}

// A valid identity number, and another.
const QString kIdentityA = "10000000146";
const QString kIdentityB = "12345678950";

class ExamCascadeTest : public ExamRegisterTest {};

TEST_F(ExamCascadeTest, IdentityMatchWithTheNewBeltIsOnlyLogged)
{
    person(5, "ALİ VELİ", "İSTANBUL",
           {{"E42", kIdentityA}, {"E25", "YEŞİL KUŞAK"}, {"M7", QDate(2008, 6, 1)}, {"E16", "KARTAL SPOR"}});
    const ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E42", kIdentityA}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Skip);
    EXPECT_EQ(m.line, "ALİ VELİ --> Aynı TC Kimlik No, Bölge, Ad Soyadlı ve Kuşaklı (YEŞİL KUŞAK,01.06.2008,KARTAL "
                      "SPOR) Kayıt Sistemde Bulunmaktadır.");
}

TEST_F(ExamCascadeTest, IdentityMatchWithTheOldBeltIsUpdatedWithoutAQuestion)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E42", kIdentityA}, {"E25", "SARI KUŞAK"}});
    person(6, "ALİ VELİ", "İSTANBUL", {{"E42", kIdentityB}, {"E25", "SARI KUŞAK"}});
    const ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E42", kIdentityA}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    EXPECT_EQ(m.personKey, 5);
    EXPECT_TRUE(asker.asked.isEmpty());
}

TEST_F(ExamCascadeTest, IdentityMatchWithAnotherBeltAsks)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E42", kIdentityA}, {"E25", "MAVİ KUŞAK"}, {"E16", "X"}});
    ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E42", kIdentityA}}), asker.ask());
    ASSERT_EQ(asker.asked.size(), 1);
    EXPECT_EQ(asker.asked[0], "ALİ VELİ (Sistemde: MAVİ KUŞAK,,X)\nTC Kimlik No, Adı Soyadı ve Bölgesi "
                              "Uyuşmaktadır.\nAncak Kuşağı Sistemdekinden Farklıdır. Güncellensin mi?");
    EXPECT_EQ(asker.raised[0], 12);
    EXPECT_EQ(m.action, ExamImport::Match::Skip);
    EXPECT_EQ(m.line, "ALİ VELİ (Sistemde: MAVİ KUŞAK) --> TC Kimlik No, Adı Soyadı ve Bölgesi Uyuşmaktadır. Ancak "
                      "Kuşağı Sistemdekinden Farklıdır.");
    asker.answers.push_back(true);
    m = ExamImport::findPerson(db, examRow({{"E42", kIdentityA}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    EXPECT_EQ(m.personKey, 5);
}

TEST_F(ExamCascadeTest, SeveralIdentityMatchesEndTheRow)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E42", kIdentityA}});
    person(6, "ALİ VELİ", "İSTANBUL", {{"E42", kIdentityA}});
    const ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E42", kIdentityA}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Skip);
    EXPECT_EQ(m.line, "ALİ VELİ --> Aynı TC Kimlik No, Bölge, Ad Soyadlı ve Kuşaklı Kayıt Sistemde Birden Fazla "
                      "Bulunmaktadır.");
}

TEST_F(ExamCascadeTest, AnInvalidIdentityNumberIsNotLookedUp)
{
    // Same number in the register, but the number fails its check: the
    // register number step finds the person instead.
    person(5, "ALİ VELİ", "İSTANBUL", {{"E42", "12345678901"}, {"Vergi_Numarasi", "0000044"}, {"E25", "SARI KUŞAK"}});
    const ExamImport::Match m = ExamImport::findPerson(
        db, examRow({{"E42", "12345678901"}, {"Vergi_Numarasi", "0000044"}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    EXPECT_EQ(m.personKey, 5);
}

TEST_F(ExamCascadeTest, RegisterNumberMatch)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"Vergi_Numarasi", "0000044"}, {"E25", "YEŞİL KUŞAK"}});
    const ExamImport::Match m = ExamImport::findPerson(db, examRow({{"Vergi_Numarasi", "0000044"}}), asker.ask());
    EXPECT_EQ(m.line, "ALİ VELİ --> Aynı Sicil Numarası, Bölge, Ad Soyadlı ve Kuşaklı (YEŞİL KUŞAK,,) Kayıt Sistemde "
                      "Bulunmaktadır.");
}

TEST_F(ExamCascadeTest, ARegisterNumberThatMatchesNobodyIsIgnored)
{
    // Nobody has 0000044 in the region: the name step finds the person.
    person(5, "ALİ VELİ", "İSTANBUL", {{"Vergi_Numarasi", "0000050"}, {"E25", "SARI KUŞAK"}});
    const ExamImport::Match m = ExamImport::findPerson(db, examRow({{"Vergi_Numarasi", "0000044"}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    EXPECT_EQ(m.personKey, 5);
}

TEST_F(ExamCascadeTest, WhiteBeltWithoutNamesakesEntersAsNew)
{
    // A person of the same name in another region does not count.
    person(5, "ALİ VELİ", "ANKARA", {{"E75", "BEYAZ KUŞAK"}});
    const ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E75", "BEYAZ KUŞAK"}, {"E25", "SARI KUŞAK"}}),
                                                       asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Enter);
    EXPECT_TRUE(asker.asked.isEmpty());
}

TEST_F(ExamCascadeTest, WhiteBeltNamesakesWithValidOtherIdentitiesDoNotStopANewEntry)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E75", "BEYAZ KUŞAK"}, {"E42", kIdentityB}});
    const ExamImport::Match m = ExamImport::findPerson(
        db, examRow({{"E75", "BEYAZ KUŞAK"}, {"E25", "SARI KUŞAK"}, {"E42", kIdentityA}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Enter);
}

TEST_F(ExamCascadeTest, AWhiteBeltNamesakeWithoutAValidIdentityStopsTheRow)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E75", "BEYAZ KUŞAK"}, {"E42", kIdentityB}});
    person(6, "ALİ VELİ", "İSTANBUL",
           {{"E75", "BEYAZ KUŞAK"}, {"E42", ""}, {"E25", "SARI KUŞAK"}, {"M7", QDate(2009, 1, 2)}, {"E16", "K"}});
    const ExamImport::Match m =
        ExamImport::findPerson(db, examRow({{"E75", "BEYAZ KUŞAK"}, {"E25", "SARI KUŞAK"}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Skip);
    EXPECT_EQ(m.line, "ALİ VELİ --> Aynı Ad Soyad, Bölge ve Yeni Kuşaklı (SARI KUŞAK,02.01.2009,K) Kayıt Sistemde "
                      "Bulunmaktadır.");
}

TEST_F(ExamCascadeTest, LicenceMatchAndItsDuplicates)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E26", "L-7"}, {"E25", "SARI KUŞAK"}});
    ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E26", "L-7"}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    EXPECT_EQ(m.personKey, 5);
    person(6, "ALİ VELİ", "İSTANBUL", {{"E26", "L-7"}, {"E25", "MAVİ KUŞAK"}});
    m = ExamImport::findPerson(db, examRow({{"E26", "L-7"}}), asker.ask());
    EXPECT_EQ(m.line, "ALİ VELİ --> Aynı Lisans Numarası, Bölge ve Ad Soyadlı Kayıt Sistemde Birden Fazla "
                      "Bulunmaktadır.");
}

TEST_F(ExamCascadeTest, NameMatchAndItsDuplicates)
{
    person(5, "ALİ VELİ", "İSTANBUL", {{"E25", "SARI KUŞAK"}});
    ExamImport::Match m = ExamImport::findPerson(db, examRow({}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    person(6, "ALİ VELİ", "İSTANBUL", {{"E25", "SARI KUŞAK"}});
    m = ExamImport::findPerson(db, examRow({}), asker.ask());
    EXPECT_EQ(m.line, "ALİ VELİ --> Aynı Ad Soyad, Bölge ve Kuşaklı Kayıt Sistemde Birden Fazla Bulunmaktadır.");
}

TEST_F(ExamCascadeTest, NobodyFoundAsksForANewEntry)
{
    ExamImport::Match m = ExamImport::findPerson(db, examRow({{"E26", "L-9"}}), asker.ask());
    ASSERT_EQ(asker.asked.size(), 1);
    EXPECT_EQ(asker.asked[0], "ALİ VELİ (Lisans No:L-9)\nAd Soyad ve Bölgesi Uyuşan Kayıt Bulunamamıştır. Yeni Kayıt "
                              "Olarak Girilsin mi ?");
    EXPECT_EQ(asker.raised[0], 8);
    EXPECT_EQ(m.line, "ALİ VELİ --> Ad Soyad ve Bölgesi Uyuşan Kayıt Sistemde Bulunmamaktadır.");
    asker.answers.push_back(true);
    m = ExamImport::findPerson(db, examRow({{"E26", "L-9"}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Enter);
}

TEST_F(ExamCascadeTest, NamesWithAnApostropheAreLookedUpAsThemselves)
{
    person(5, "AYŞE O'NEIL", "İSTANBUL", {{"E25", "SARI KUŞAK"}, {"E26", "L'1"}});
    const ExamImport::Match m =
        ExamImport::findPerson(db, examRow({{"Ad_Soyad", "AYŞE O'NEIL"}, {"E26", "L'1"}}), asker.ask());
    EXPECT_EQ(m.action, ExamImport::Match::Update);
    EXPECT_EQ(m.personKey, 5);
}

} // namespace ExamRulesTestLocal
