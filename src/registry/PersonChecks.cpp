#include "registry/PersonChecks.h"

#include "app/dialogs/Agirlik.h"
#include "app/kit/Formats.h"
#include "platform/text/Turkish.h"

#include <QDate>

bool isBlankDate(const QString& text)
{
    for (const QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

bool TCKimlikDogrula(const QString& number)
{
    if (number.size() != 11)
        return false;
    int d[11];
    for (int i = 0; i < 11; ++i) {
        const QChar c = number[i];
        if (c < QChar('0') || c > QChar('9'))
            return false;
        d[i] = c.unicode() - '0';
    }
    const int odd = d[0] + d[2] + d[4] + d[6] + d[8];
    const int even = d[1] + d[3] + d[5] + d[7];
    // The remainder is taken in 0..9 also when the difference is negative.
    const int c10 = ((7 * odd - even) % 10 + 10) % 10;
    const int c11 = (odd + even + c10) % 10;
    return d[0] != 0 && d[9] == c10 && d[10] == c11;
}

bool isVisaYear(const QString& text)
{
    if (text.size() != 4)
        return false;
    for (const QChar c : text)
        if (c < QChar('0') || c > QChar('9'))
            return false;
    const int year = text.toInt();
    return year >= 1900 && year <= 2100;
}

bool readsAsWeight(const QString& text, double* value)
{
    return TAgirlik::readsAsNumber(text, Formats::decimalSeparator(), value);
}

CheckLists CheckLists::read(Database& db)
{
    CheckLists lists;
    lists.categories = db.select("select * from C_BRANS order by Durum");
    for (const Record& r : db.select("select Durum from C_UYELIKTURU order by Durum"))
        lists.regions << r.str("Durum");
    return lists;
}

namespace {

const char* const kSameCategory = "Aynı Branş 2 Defa Seçilmiş. Lütfen Düzeltiniz ...!";

struct DateRule {
    const char* column;
    QDate from;
    QDate to;
    const char* notADate;
    const char* outOfRange;
    bool focus;
};

const DateRule kDateRules[] = {
    {"M1", QDate(1950, 1, 1), QDate(2050, 1, 1), "Hatalı Tarih ...!", "Çok Büyük yada Çok Küçük Tarih ...!", false},
    {"M2", QDate(1950, 1, 1), QDate(2050, 1, 1), "Hatalı Tarih ...!", "Çok Büyük yada Çok Küçük Tarih ...!", false},
    {"M3", QDate(1890, 1, 1), QDate(2099, 1, 1), "Doğum Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Doğum Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", false},
    {"M4", QDate(1890, 1, 1), QDate(2099, 1, 1), "Verildiği Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Verildiği Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", false},
    {"M5", kTitleDateFrom, kTitleDateTo, "Antrenörlük Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Antrenörlük Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", false},
    {"M6", kTitleDateFrom, kTitleDateTo, "Hakemlik Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Hakemlik Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", false},
    {"M7", kTitleDateFrom, kTitleDateTo, "Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", true},
    {"M8", QDate(1900, 1, 1), QDate(2099, 1, 1), "Son Seminer Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Son Seminer Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", false},
    {"M9", QDate(1900, 1, 1), QDate(2099, 1, 1), "Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
     "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", true},
};

// The visa year fields in the order they are checked.
const char* const kVisaOrder[] = {"E67", "E68", "E77", "E78", "E79", "E80", "E81", "E69"};

CheckFailure fail(int number, const QString& message, CheckFailure::Kind kind, const QString& focus = QString())
{
    return CheckFailure{number, message, kind, focus};
}

int categoryCount(const PersonValues& v)
{
    int n = 0;
    for (const char* c : {"E53", "E54", "E55"})
        if (!v.value(c).isEmpty())
            ++n;
    return n;
}

// The category checks of one field; nothing when they pass.
std::optional<CheckFailure> checkCategory(const PersonValues& v, const CheckLists& lists, const CheckPrompts& p,
                                          int index)
{
    static const char* const columns[] = {"E53", "E54", "E55"};
    static const char* const mismatch[] = {
        "DİKKAT! Sporcu Branşında Uyuşmazlık Bulunmaktadır.",
        "DİKKAT! Sporcu Branşında Uyuşmazlık Bulunmaktadır (Branş1).",
        "DİKKAT! Sporcu Branşında Uyuşmazlık Bulunmaktadır (Branş2).",
    };
    static const char* const limits[] = {
        "Sporcunun Kilosu Branşın Kilo Limitleri Arasında Değildir.\nBilgiler Kaydedilsinmi ...?",
        "Sporcunun Kilosu Branş 1'in Kilo Limitleri Arasında Değildir.\nBilgiler Kaydedilsinmi ...?",
        "Sporcunun Kilosu Branş 2'nin Kilo Limitleri Arasında Değildir.\nBilgiler Kaydedilsinmi ...?",
    };
    const QString column = columns[index];
    const QString text = v.value(column);
    if (text.isEmpty())
        return std::nullopt;

    const Record* found = nullptr;
    for (const Record& r : lists.categories) {
        if (r.str("Durum").startsWith(text)) {
            found = &r;
            break;
        }
    }
    if (!found || found->str("Durum") != text) {
        if (p.warning)
            p.warning(mismatch[index]);
    }
    // No category begins with the text: there is nothing to compare the
    // gender and the weight with.
    if (!found)
        return std::nullopt;

    const QString kind = found->str("E_B");
    const QString gender = v.value("E15");
    if ((kind == "E" && gender == "BAYAN") || (kind == "B" && gender == "ERKEK"))
        return fail(24, gender + " Sporcu " + text + " Branşında Yarışamaz. Lütfen Düzeltiniz ...!",
                    CheckFailure::ErrorBox, column);

    double weight = 0;
    readsAsWeight(v.value("E38"), &weight);
    if (weight < found->toDouble("AltKilo") || weight > found->toDouble("UstKilo")) {
        const bool yes = p.question ? p.question(limits[index]) : false;
        if (!yes)
            return fail(24, QString(), CheckFailure::Silent, index == 0 ? QString() : column);
    }
    return std::nullopt;
}

} // namespace

std::optional<CheckFailure> KayitKontrol(PersonValues& v, bool batchMode, const CheckLists& lists,
                                         const CheckPrompts& prompts)
{
    using K = CheckFailure;
    const QString name = v.value("Adi");
    if (name.isEmpty())
        return fail(1, "Adını Girmediniz ...!", K::ErrorBox, "Adi");
    if (name.startsWith(' '))
        return fail(2, "Adını Hatalı Girdiniz. Başta Boşluk var ...!", K::Notice, "Adi");
    if (name.contains("  "))
        return fail(3, "Adını Hatalı Girdiniz. Ad İçerisinde Çift Boşluk Kullanılmış ...!", K::Notice, "Adi");
    if (name.endsWith(' '))
        return fail(4, "Adını Hatalı Girdiniz. Sonda Boşluk var ...!", K::Notice, "Adi");

    int number = 5;
    for (const char* column : kVisaOrder) {
        const QString year = v.value(column);
        if (!year.isEmpty() && !isVisaYear(year))
            return fail(number, "Hatalı Vize Yılı Girdiniz. Lütfen Vize Yılını 4 Hane Yıl Olarak Giriniz ...",
                        K::Notice, column);
        ++number;
    }

    if (v.value("Vergi_Dairesi").isEmpty())
        return fail(13, "Bölgesini Seçmediniz ...!", K::ErrorBox, "Vergi_Dairesi");
    if (v.value("E43").isEmpty() && v.value("E50").isEmpty() && v.value("E51").isEmpty() &&
        v.value("E52").isEmpty())
        return fail(14,
                    "Girmiş Olduğunuz Kişi ile İlgili; Unvan, Sporcu, Antrenör veya Hakem Kısımlarından en az "
                    "Birini Seçmeniz Gerekmektedir ...!",
                    K::ErrorBox);
    const bool athlete = v.isAthlete();
    if (athlete && v.value("E15").isEmpty())
        return fail(15, "Sporcunun Cinsiyetinin Girmeniz Gerekmektedir ...!", K::ErrorBox, "E15");
    if (athlete && v.value("E38").isEmpty())
        v.set("E38", "0");

    // A passport number may stand in the identity number field.
    const QString passport = v.value("E24");
    const QString identity = v.value("E42");
    const bool passportException =
        passport.size() > 5 && Turkish::asciiUpper(passport) == Turkish::asciiUpper(identity);
    if (!batchMode && !passportException && !identity.isEmpty()) {
        if (identity.size() != 11)
            return fail(16, "T.C. Kimlik Numarasını 11 hane ve rakam olarak giriniz ...!", K::ErrorBox);
        if (!TCKimlikDogrula(identity))
            return fail(17, "T.C. Kimlik Numarasını Hatalı ...!", K::ErrorBox);
    }

    if (!v.value("E38").isEmpty() && !readsAsWeight(v.value("E38")))
        return fail(18, "Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)",
                    K::ErrorBox);

    if (athlete) {
        const QString c1 = v.value("E53"), c2 = v.value("E54"), c3 = v.value("E55");
        if (c1.isEmpty())
            return fail(19, "Sporcunun Branşı/Kategorisini Girmeniz Gerekmektedir ...!", K::ErrorBox, "E53");
        if (!c3.isEmpty() && c2.isEmpty())
            return fail(20, "Diğer Branşları Sıralı Giriniz. (Branş 2'yi Branş 1'e Yazınız) ...!", K::ErrorBox,
                        "E54");
        if (!c1.isEmpty() && (c1 == c2 || c1 == c3))
            return fail(21, kSameCategory, K::ErrorBox, "E53");
        if (!c2.isEmpty() && (c2 == c1 || c2 == c3))
            return fail(22, kSameCategory, K::ErrorBox, "E54");
        if (!c3.isEmpty() && (c3 == c1 || c3 == c2))
            return fail(23, kSameCategory, K::ErrorBox, "E55");
        if (!batchMode) {
            for (int i = 0; i < 3; ++i)
                if (auto f = checkCategory(v, lists, prompts, i))
                    return f;
            if (v.participation != 0 && categoryCount(v) != v.participation)
                return fail(25,
                            "Seçilen Branş Adeti ile Katılacağı Branş Sayısı Tutmamaktadır. Lütfen Düzeltiniz ...!",
                            K::Notice);
        }
    } else if (v.participation != 0) {
        if (!batchMode && prompts.notice)
            prompts.notice("Bilgiler Kaydedilecektir. Ancak Kaydedilecek Olan Kişi SPORCU olmadığından Katılacağı "
                           "Branş Sayısı \"YARIŞMAYACAK\" olarak düzeltilecektir ...!");
        v.participation = 0;
    }

    number = 26;
    for (const DateRule& rule : kDateRules) {
        const QString text = v.value(rule.column);
        if (!isBlankDate(text)) {
            QDate d;
            const QString focus = rule.focus ? QString(rule.column) : QString();
            if (!Formats::tryStrToDate(text, d))
                return fail(number, rule.notADate, K::ErrorBox, focus);
            if (d < rule.from || d > rule.to)
                return fail(number + 1, rule.outOfRange, K::Notice, focus);
        }
        number += 2;
    }

    if (v.value("E52").isEmpty() && (!v.value("E56").isEmpty() || !isBlankDate(v.value("M5"))))
        return fail(44,
                    "Antrenörlüğün Verildiği Yer ve Tarihi ile İlgili Bilgiler Girdiniz. Fakat Herhangi bir "
                    "Antrenörlük Pozisyonu Seçilmemiş Bulumaktadır.\nLütfen Kontrol Ediniz ...!",
                    K::Notice, "E52");
    if (v.value("E51").isEmpty() && (!v.value("E57").isEmpty() || !isBlankDate(v.value("M6"))))
        return fail(45,
                    "Hakemliğin Verildiği Yer ve Tarihi ile İlgili Bilgiler Girdiniz. Fakat Herhangi bir "
                    "Hakemlik Pozisyonu Seçilmemiş Bulumaktadır.\nLütfen Kontrol Ediniz ...!",
                    K::Notice, "E51");
    if (v.value("E25").isEmpty() &&
        (!v.value("E58").isEmpty() || !isBlankDate(v.value("M7")) || !v.value("Stil").isEmpty()))
        return fail(46,
                    lists.beltCaption + " ile ilgili bazı bilgiler girdiniz. Fakat herhangi bir " +
                        lists.beltCaption + " seçimi yapmadınız.\nLütfen kontrol ediniz ...!",
                    K::Notice, "E25");
    if (!lists.regions.contains(v.value("Vergi_Dairesi")))
        return fail(47, "Lütfen Bölgesini Tekrar Seçiniz ...!", K::Notice);
    return std::nullopt;
}
