#include "competition/QuickRegistration.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "competition/WeighSearch.h"
#include "registry/PersonSave.h"

namespace {

bool quickRegistrationDigits(const QString& s)
{
    for (QChar ch : s)
        if (ch.unicode() < '0' || ch.unicode() > '9')
            return false;
    return true;
}

// The text columns a new person gets empty.
QStringList quickRegistrationEmptyColumns()
{
    QStringList c{"Ferdi", "Telefonlar", "Fax", "Adres", "Semt", "Mahalle", "Sokak", "Cadde", "No1", "E10", "E14",
                  "E51", "E52", "Klup_Yetkilisi", "DosyaNo", "Stil", "Stiller"};
    const auto range = [&c](int from, int to) {
        for (int i = from; i <= to; ++i)
            c << QString("E%1").arg(i);
    };
    range(17, 19);
    range(21, 25);
    range(27, 37);
    range(39, 44);
    range(47, 49);
    range(54, 75);
    range(77, 81);
    return c;
}

QVariant quickRegistrationClubKey(Database& db, const QString& club)
{
    if (!club.isEmpty())
        if (auto r = db.first("select Durum_Key from C_UYELIKSURESI where Durum <> '' and Durum = :c", {{"c", club}}))
            return r->value("Durum_Key");
    return QVariant();
}

} // namespace

std::pair<QString, QString> QuickRegistration::splitName(const QString& name)
{
    const int space = name.lastIndexOf(' ');
    if (space < 0)
        return {name, QString()};
    return {name.left(space), name.mid(space + 1)};
}

QuickRegistration::Licence QuickRegistration::LisHes(const QString& regionCode, const QString& region,
                                                     const QString& licence, const QString& federationCode)
{
    Licence l;
    if (licence.size() > 10) {
        l.ok = true;
        l.number = licence;
        return l;
    }
    if (region.isEmpty()) {
        l.failure = {kNoRegion, Field::Region};
        return l;
    }
    if (licence.isEmpty()) {
        l.failure = {kNoLicenceDigits, Field::Licence};
        return l;
    }
    if (licence.size() > 6) {
        l.failure = {kLicenceTooLong, Field::Licence};
        return l;
    }
    if (!quickRegistrationDigits(licence)) {
        l.failure = {kLicenceNotDigits, Field::Licence};
        return l;
    }
    l.ok = true;
    l.number = regionCode + "-" + federationCode + QString("%1").arg(licence, 6, QChar('0'));
    return l;
}

std::optional<QuickRegistration::Failure> QuickRegistration::check(const Input& in, bool clubTournament,
                                                                    const QString& federationCode)
{
    const QString& n = in.name;
    if (n.isEmpty())
        return Failure{"Sporcunun Adını Soyadını Girmediniz ...!", Field::Name};
    if (n.startsWith(' '))
        return Failure{"Sporcunun Adını Soyadını Hatalı Girdiniz. Başta Boşluk var ...!", Field::Name};
    if (n.endsWith(' '))
        return Failure{"Sporcunun Adını Soyadını Hatalı Girdiniz. Sonda Boşluk var ...!", Field::Name, false};
    if (n.contains("  "))
        return Failure{"Adını Hatalı Girdiniz. Ad İçerisinde Çift Boşluk Kullanılmış ...!", Field::Name, false};
    if (in.region.isEmpty())
        return Failure{kNoRegion, Field::Region};
    if (in.licence.isEmpty())
        return Failure{"Lütfen Sporcunun Lisans Numarasının Son Rakamlarını Giriniz ...!", Field::Licence};
    if (in.weightClass.isEmpty() || in.weightClass == "-")
        return Failure{"Lütfen Sporcunun Branşını Seçiniz ...!", Field::Class};
    if (in.gender.isEmpty())
        return Failure{"Lütfen Sporcunun Cinsiyetini Seçiniz ...!", Field::None};
    if (in.weight.isEmpty())
        return Failure{"Lütfen Sporcunun Kilosunu Giriniz ...!", Field::Weight};
    bool ok = false;
    WeighSearch::weightOf(in.weight, &ok);
    if (!ok)
        return Failure{WeighSearch::kBadWeight, Field::Weight};
    if (clubTournament && in.club.isEmpty())
        return Failure{"Lütfen Sporcunun Kulübünü Seçiniz ...!", Field::Club};
    const Licence l = LisHes(in.regionCode, in.region, in.licence, federationCode);
    if (!l.ok)
        return l.failure;
    return std::nullopt;
}

QuickRegistration::Result QuickRegistration::KayitEkle(Database& db, const Input& in, const Settings& s)
{
    Result result;
    const QString licence = LisHes(in.regionCode, in.region, in.licence, s.federationCode).number;
    bool weightOk = false;
    const double weight = WeighSearch::weightOf(in.weight, &weightOk);
    const QString stamp = s.userName + ", " + Formats::dateToStr(s.today);
    const QVariant clubKey = quickRegistrationClubKey(db, in.club);

    Transaction tx(db);
    const auto found = db.first("select * from C_MUSTERI where Ad_Soyad = :n and Vergi_Dairesi = :r and "
                                "E50 = 'SPORCU' and E26 = :l order by Musteri_Key",
                                {{"n", in.name}, {"r", in.region}, {"l", licence}});
    int key = 0;
    if (found) {
        key = found->toInt("Musteri_Key");
        QVariantMap fields{{"E38", weight},     {"E53", in.weightClass}, {"E15", in.gender}, {"M1", s.today},
                           {"User", stamp},     {"E16", in.club}};
        if (found->toInt("Kullanici") == 0)
            fields.insert("Kullanici", 1);
        if (clubKey.isValid())
            fields.insert("Client_Key", clubKey);
        db.update("C_MUSTERI", fields, "Musteri_Key = :qr_k", {{"qr_k", key}});
    } else {
        // The register number first: without one nothing is written and no
        // counter moves.
        bool ok = false;
        const QString number =
            PersonWriter::OtoSicilVer(db.scalar("select SonSicil from C_SAYI").toString().trimmed(), &ok);
        if (!ok) {
            result.kind = Result::NoRegisterNumber;
            result.message = kNoRegisterNumber;
            return result;
        }
        key = Counters::next(db, "sayi_uye");
        db.exec("update C_SAYI set SonSicil = :n", {{"n", number}});
        const auto [first, last] = splitName(in.name);
        QVariantMap row{{"Musteri_Key", key},
                        {"Ad_Soyad", in.name},
                        {"Adi", first},
                        {"Soyadi", last},
                        {"E15", in.gender},
                        {"E38", weight},
                        {"E26", licence},
                        {"E50", "SPORCU"},
                        {"E53", in.weightClass},
                        {"Vergi_Numarasi", number},
                        {"Vergi_Dairesi", in.region},
                        {"M1", s.today},
                        {"M2", s.today},
                        {"Kullanici", 1},
                        {"User", stamp},
                        {"Tip", 1},
                        {"Client_Key", clubKey.isValid() ? clubKey : QVariant(1)},
                        {"E16", in.club}};
        for (const QString& c : quickRegistrationEmptyColumns())
            row.insert(c, QString());
        db.insert("C_MUSTERI", row);
        result.newPerson = true;
    }
    result.personKey = key;

    if (db.first("Select Liste_Key from C_LISTE where Musteri_Key = :k and Brans = :b",
                 {{"k", key}, {"b", in.weightClass}})) {
        // The person is written only together with a new list row.
        result.kind = Result::AlreadyListed;
        result.newPerson = false;
        result.message = "Sporcu " + in.weightClass + " Branşında Listede KAYITLI Bulunmaktadır ...!";
        return result;
    }
    const QVariant backNumber = db.scalar("select Sira from C_LISTE where Musteri_Key = :k order by Liste_Key",
                                          {{"k", key}});
    const int listKey = Counters::next(db, "sayi1");
    const int sira = backNumber.isValid() && !backNumber.isNull() ? backNumber.toInt() : Counters::next(db, "sayi3");
    db.insert("C_LISTE",
              {{"Liste_Key", listKey},
               {"Brans", in.weightClass},
               {"Onay", 1},
               {"Ad", in.name},
               {"Sira", sira},
               {"Musteri_Key", key},
               {"Bolge", in.region},
               {"BolgeK", db.scalar("select BolgeK from C_UYELIKTURU where Durum = :r", {{"r", in.region}}).toString()},
               {"Klup", in.club},
               {"Cinsiyet", in.gender},
               {"Kilo", weight},
               {"TartilanKilo", weight},
               {"Tarih", s.today},
               {"Puan", s.participationPoints},
               {"Takim", s.teamMode ? QString("A TAKIMI") : in.club}});
    tx.commit();
    result.kind = Result::Added;
    result.message = "Sporcu " + in.weightClass + " Branşında KABUL Listesine Eklendi ...!";
    return result;
}
