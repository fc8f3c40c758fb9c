// The checks before an exam package is built: date, committee, athletes.

#include "exchange/ExamChecks.h"
#include "support/TestSupport.h"

namespace ExamChecksTestLocal {

ExamChecks::Committee examFullCommittee()
{
    ExamChecks::Committee c;
    c.chairman = {"ÖMER ÇELİK", "1234567", "5"};
    c.chairmanCoachNo = "AB-77";
    c.representative = "İSMAİL GÜR";
    return c;
}

TEST(ExamChecks, TheExamDate)
{
    QDate d;
    EXPECT_EQ(ExamChecks::examDate("15.06.2010", &d), "");
    EXPECT_EQ(d, QDate(2010, 6, 15));
    EXPECT_EQ(ExamChecks::examDate("01.01.1950", &d), "");
    EXPECT_EQ(ExamChecks::examDate("01.01.2050", &d), "");
    for (const char* bad : {"  .  .    ", "31.02.2010", "15.13.2010", ""})
        EXPECT_EQ(ExamChecks::examDate(bad, &d), QString::fromUtf8("Boş veya Hatalı Tarih...!")) << bad;
    for (const char* far : {"31.12.1949", "02.01.2050"})
        EXPECT_EQ(ExamChecks::examDate(far, &d), QString::fromUtf8("Çok Büyük yada Çok Küçük Tarih ...!")) << far;
}

TEST(ExamChecks, TheCommitteeInTheScreensOrder)
{
    using F = ExamChecks::Field;
    struct Case {
        const char* what;
        std::function<void(ExamChecks::Committee&)> change;
        const char* message;   // nullptr: passes
        F field;
    };
    const QList<Case> cases = {
        {"complete", [](auto&) {}, nullptr, F::ChairmanName},
        {"members 1 and 2 empty, 3 complete",
         [](auto& c) { c.members[2] = {"EDA SU", "7654321", "2"}; }, nullptr, F::ChairmanName},
        {"no chairman", [](auto& c) { c.chairman.name = ""; }, "Sınav Komisyonu Başkanının Adını Girmediniz ...!",
         F::ChairmanName},
        {"no chairman number", [](auto& c) { c.chairman.registerNo = ""; },
         "Sınav Komisyonu Başkanının Sicil Numarasını Girmediniz ...!", F::ChairmanNo},
        {"no chairman grade", [](auto& c) { c.chairman.dan = ""; },
         "Sınav Komisyonu Başkanının Dan Derecesini Girmediniz ...!", F::ChairmanDan},
        {"no certificate", [](auto& c) { c.chairmanCoachNo = ""; },
         "Sınav Komisyonu Başkanının Antrenörlük Belge Numarasını Girmediniz ...!", F::ChairmanCoachNo},
        {"no representative", [](auto& c) { c.representative = ""; }, "İl Temsilcisinin Adını Girmediniz ...!",
         F::Representative},
        {"member 3 with a name only", [](auto& c) { c.members[2].name = "EDA SU"; },
         "Sınav Komisyonu Üyesi-3'ün Sicil Numarasını Girmediniz ...!", F::Member3No},
        {"member 3 without a name", [](auto& c) { c.members[2] = {"", "7654321", "2"}; },
         "Sınav Komisyonu Üyesi-3'ün Adını Girmediniz ...!", F::Member3Name},
        {"member 3 without a grade", [](auto& c) { c.members[2] = {"EDA SU", "7654321", ""}; },
         "Sınav Komisyonu Üyesi-3'ün Dan Derecesini Girmediniz ...!", F::Member3Dan},
        {"short chairman number", [](auto& c) { c.chairman.registerNo = "123456"; },
         "Sınav Komisyonu Başkanının Sicil Numarasını 7 Haneli Giriniz ...!", F::ChairmanNo},
        {"chairman number with a letter", [](auto& c) { c.chairman.registerNo = "12345A7"; },
         "Sınav Komisyonu Başkanının Sicil Numarasını Hatalı Girdiniz. Lütfen Sayısal Değer Giriniz ...!",
         F::ChairmanNo},
        {"short member 1 number", [](auto& c) { c.members[0].registerNo = "12"; },
         "Sınav Komisyonu Üyesi-1'inn Sicil Numarasını 7 Haneli Giriniz ...!", F::Member1No},
        {"member 1 number with a letter", [](auto& c) { c.members[0].registerNo = "A234567"; },
         "Sınav Komisyonu Üyesi-1'in Sicil Numarasını Hatalı Girdiniz. Lütfen Sayısal Değer Giriniz ...!",
         F::Member1No},
        {"short member 2 number", [](auto& c) { c.members[1].registerNo = "12345678"; },
         "Sınav Komisyonu Üyesi-2'nin Sicil Numarasını 7 Haneli Giriniz ...!", F::Member2No},
        {"member 3 number with a letter", [](auto& c) { c.members[2] = {"EDA SU", "765432X", "2"}; },
         "Sınav Komisyonu Üyesi-3'ün Sicil Numarasını Hatalı Girdiniz. Lütfen Sayısal Değer Giriniz ...!",
         F::Member3No},
    };
    for (const Case& c : cases) {
        ExamChecks::Committee committee = examFullCommittee();
        c.change(committee);
        const auto failure = ExamChecks::committee(committee);
        if (!c.message) {
            EXPECT_FALSE(failure) << c.what << ": " << failure->text.toStdString();
            continue;
        }
        ASSERT_TRUE(failure) << c.what;
        EXPECT_EQ(failure->text, QString::fromUtf8(c.message)) << c.what;
        EXPECT_EQ(failure->field, c.field) << c.what;
    }
}

TEST(ExamChecks, EachAthleteInOrderOfTheChecks)
{
    const QStringList belts = {"BEYAZ KUŞAK", "SARI KUŞAK", "TURUNCU KUŞAK", "YEŞİL KUŞAK"};
    auto athlete = [](QVariantMap change) {
        QVariantMap m = {{"Ad_Soyad", "ALİ'NİN OĞLU"}, {"E48", "HOCA"},      {"E42", "10000000146"},
                         {"E24", ""},                 {"E75", "BEYAZ KUŞAK"}, {"E25", "SARI KUŞAK"}};
        for (auto it = change.begin(); it != change.end(); ++it)
            m.insert(it.key(), it.value());
        return Record(m.keys(), m.values());
    };
    struct Case {
        const char* what;
        QVariantMap change;
        bool photo;
        const char* message;
    };
    const QList<Case> cases = {
        {"passes", {}, true, ""},
        {"no photo", {}, false, "ALİ'NİN OĞLU --> Lütfen Fotoğrafını Kaydediniz ...!"},
        {"no coach", {{"E48", ""}}, true,
         "ALİ'NİN OĞLU --> Sporcunun Antrenörünü Girmediniz. Lütfen Sicil Kaydına Girip Güncelleyiniz ...!"},
        {"short identity", {{"E42", "1234"}}, true,
         "ALİ'NİN OĞLU --> Sporcunun T.C. Kimlik Numarasını 11 hane ve rakam olarak giriniz. Lütfen Sicil Kaydına "
         "Girip Güncelleyiniz ...!"},
        {"wrong identity", {{"E42", "10000000147"}}, true,
         "ALİ'NİN OĞLU --> Sporcunun T.C. Kimlik numarası hatalı. Lütfen Sicil Kaydına Girip Güncelleyiniz ...!"},
        {"passport equal to the identity field", {{"E42", "u1234567"}, {"E24", "U1234567"}}, true, ""},
        {"passport of five characters", {{"E42", "U1234"}, {"E24", "U1234"}}, true,
         "ALİ'NİN OĞLU --> Sporcunun T.C. Kimlik Numarasını 11 hane ve rakam olarak giriniz. Lütfen Sicil Kaydına "
         "Girip Güncelleyiniz ...!"},
        {"lowest belt as the new one", {{"E25", "BEYAZ KUŞAK"}}, true,
         "ALİ'NİN OĞLU --> Yeni Kuşağı BEYAZ KUŞAK'dan Büyük Olmalıdır ...!"},
        {"two steps", {{"E25", "TURUNCU KUŞAK"}}, true,
         "ALİ'NİN OĞLU --> Eski Kuşağı ile Yeni Kuşağı Arasında 1 Kuşak Fark Olmalıdır ...!"},
        {"new belt by its beginning", {{"E75", "SARI KUŞAK"}, {"E25", "TURUNCU"}}, true, ""},
        {"unknown new belt", {{"E25", "MOR KUŞAK"}}, true,
         "ALİ'NİN OĞLU --> Yeni Kuşağı MOR KUŞAK'dan Büyük Olmalıdır ...!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExamChecks::athlete(athlete(c.change), c.photo, belts), QString::fromUtf8(c.message)) << c.what;
}

}
