#include "exchange/ExamChecks.h"

#include "registry/PersonChecks.h"

namespace {

bool examIsNumber(const QString& text)
{
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

// A member's register number when given: seven characters, a number.
std::optional<ExamChecks::Failure> examRegisterNo(const QString& no, const QString& who, const QString& whoLength,
                                                  ExamChecks::Field field)
{
    if (no.size() != 7)
        return ExamChecks::Failure{"Sınav Komisyonu " + whoLength + " Sicil Numarasını 7 Haneli Giriniz ...!", field};
    if (!examIsNumber(no))
        return ExamChecks::Failure{"Sınav Komisyonu " + who +
                                       " Sicil Numarasını Hatalı Girdiniz. Lütfen Sayısal Değer Giriniz ...!",
                                   field};
    return std::nullopt;
}

} // namespace

namespace ExamChecks {

QString examDate(const QString& typed, QDate* date)
{
    const QDate d = QDate::fromString(typed.trimmed(), "dd.MM.yyyy");
    if (!d.isValid())
        return "Boş veya Hatalı Tarih...!";
    if (d < QDate(1950, 1, 1) || d > QDate(2050, 1, 1))
        return "Çok Büyük yada Çok Küçük Tarih ...!";
    if (date)
        *date = d;
    return {};
}

std::optional<Failure> committee(const Committee& c)
{
    const QString head = "Sınav Komisyonu Başkanının ";
    if (c.chairman.name.trimmed().isEmpty())
        return Failure{head + "Adını Girmediniz ...!", Field::ChairmanName};
    if (c.chairman.registerNo.trimmed().isEmpty())
        return Failure{head + "Sicil Numarasını Girmediniz ...!", Field::ChairmanNo};
    if (c.chairman.dan.trimmed().isEmpty())
        return Failure{head + "Dan Derecesini Girmediniz ...!", Field::ChairmanDan};
    if (c.chairmanCoachNo.trimmed().isEmpty())
        return Failure{head + "Antrenörlük Belge Numarasını Girmediniz ...!", Field::ChairmanCoachNo};
    if (c.representative.trimmed().isEmpty())
        return Failure{"İl Temsilcisinin Adını Girmediniz ...!", Field::Representative};

    const Person& m3 = c.members[2];
    const bool name3 = !m3.name.trimmed().isEmpty();
    const bool no3 = !m3.registerNo.trimmed().isEmpty();
    const bool dan3 = !m3.dan.trimmed().isEmpty();
    if ((name3 || dan3) && !no3)
        return Failure{"Sınav Komisyonu Üyesi-3'ün Sicil Numarasını Girmediniz ...!", Field::Member3No};
    if ((no3 || dan3) && !name3)
        return Failure{"Sınav Komisyonu Üyesi-3'ün Adını Girmediniz ...!", Field::Member3Name};
    if ((name3 || no3) && !dan3)
        return Failure{"Sınav Komisyonu Üyesi-3'ün Dan Derecesini Girmediniz ...!", Field::Member3Dan};

    if (auto f = examRegisterNo(c.chairman.registerNo, "Başkanının", "Başkanının", Field::ChairmanNo))
        return f;
    if (!c.members[0].registerNo.isEmpty())
        if (auto f = examRegisterNo(c.members[0].registerNo, "Üyesi-1'in", "Üyesi-1'inn", Field::Member1No))
            return f;
    if (!c.members[1].registerNo.isEmpty())
        if (auto f = examRegisterNo(c.members[1].registerNo, "Üyesi-2'nin", "Üyesi-2'nin", Field::Member2No))
            return f;
    if (!m3.registerNo.isEmpty())
        if (auto f = examRegisterNo(m3.registerNo, "Üyesi-3'ün", "Üyesi-3'ün", Field::Member3No))
            return f;
    return std::nullopt;
}

QString athlete(const Record& row, bool hasPhoto, const QStringList& beltsInOrder)
{
    const QString name = row.str("Ad_Soyad");
    if (!hasPhoto)
        return name + " --> Lütfen Fotoğrafını Kaydediniz ...!";
    if (row.str("E48").isEmpty())
        return name + " --> Sporcunun Antrenörünü Girmediniz. Lütfen Sicil Kaydına Girip Güncelleyiniz ...!";
    const QString identity = row.str("E42");
    const QString passport = row.str("E24");
    const bool byPassport = passport.size() > 5 && passport.compare(identity, Qt::CaseInsensitive) == 0;
    if (!byPassport) {
        if (identity.size() != 11)
            return name + " --> Sporcunun T.C. Kimlik Numarasını 11 hane ve rakam olarak giriniz. Lütfen Sicil "
                          "Kaydına Girip Güncelleyiniz ...!";
        if (!TCKimlikDogrula(identity))
            return name + " --> Sporcunun T.C. Kimlik numarası hatalı. Lütfen Sicil Kaydına Girip Güncelleyiniz ...!";
    }
    const QString newBelt = row.str("E25");
    int at = -1;
    for (int i = 0; i < beltsInOrder.size(); ++i)
        if (beltsInOrder[i].startsWith(newBelt)) {
            at = i;
            break;
        }
    if (at <= 0)
        return name + " --> Yeni Kuşağı " + newBelt + "'dan Büyük Olmalıdır ...!";
    if (beltsInOrder[at - 1] != row.str("E75"))
        return name + " --> Eski Kuşağı ile Yeni Kuşağı Arasında 1 Kuşak Fark Olmalıdır ...!";
    return {};
}

QStringList belts(Database& db)
{
    QStringList names;
    for (const Record& r : db.select("select * from KUSAK order by Kusak_Key"))
        names.append(r.str("Kusak_Adi"));
    return names;
}

}
