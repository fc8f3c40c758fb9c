#include "reports/CardDesigns.h"

namespace Cards {
namespace {

const char* const kHeading1 = "TÜRKİYE KİCK BOKS FEDERASYONU";
const char* const kHeading2 = "TURKISH KICKBOXING FEDERATION";

const char* const kName = "ADI SOYADI / Name Surname";
const char* const kRegion = "BÖLGE / Region";
const char* const kRegister = "SİCİL NO / Register No";
const char* const kCategory = "KATEGORİ / Category";
const char* const kTitleBox = "UNVAN / Federation Title";

const char* const kVisas = "VİZELER / Vizas";
const char* const kLicenceVisas = "LİSANS VİZELERİ / Vizas of Licence";
const char* const kVisaValid = "Bu kart, vize yapıldığı yıl için geçerlidir.";
const char* const kApprovalValid = "Bu kart, onay yapıldığı yıl için geçerlidir.";

const QColor kAthlete(0, 86, 160);
const QColor kReferee(160, 28, 40);
const QColor kCoach(22, 118, 64);
const QColor kFederation(96, 40, 128);
const QColor kManager(176, 96, 18);
const QColor kRepresentative(0, 120, 130);
const QColor kNational(200, 16, 46);
const QColor kPresident(20, 40, 90);

constexpr double kBoxLeft = 29.6;
constexpr double kMirroredLeft = 2.1;
constexpr double kBoxWidth = 51.6;
constexpr double kTops[] = {20.9, 28.8, 36.8, 44.7};

Field col(const char* column)
{
    return {Src::Column, column};
}

// Name, region, the design's own third box, register number.
std::vector<FrontBox> fourBoxes(double left, const char* third, Field field)
{
    return {{kName, col("Ad_Soyad"), left, kTops[0], kBoxWidth},
            {kRegion, col("Vergi_Dairesi"), left, kTops[1], kBoxWidth},
            {third, field, left, kTops[2], kBoxWidth},
            {kRegister, {Src::Register, "Vergi_Numarasi"}, left, kTops[3], kBoxWidth}};
}

// The licence cards: name, region and register number from the second box
// place down.
std::vector<FrontBox> licenceBoxes(bool licenceNumber)
{
    std::vector<FrontBox> b{{kName, col("Ad_Soyad"), kBoxLeft, kTops[1], kBoxWidth},
                            {kRegion, col("Vergi_Dairesi"), kBoxLeft, kTops[2], kBoxWidth},
                            {kRegister, {Src::Register, "Vergi_Numarasi"}, kBoxLeft, kTops[3], kBoxWidth}};
    // The licence number stands in the region box, after the region.
    if (licenceNumber)
        b.push_back({nullptr, col("E26"), 55.0, kTops[2], kBoxLeft + kBoxWidth - 55.0});
    return b;
}

const BackRow kFather{"Baba Adı", "Father's Name", col("E23"), 0, 0, 0, 0};
const BackRow kMother{"Ana Adı", "Mother's Name", col("E22"), 0, 0, 0, 0};

BackRow at(BackRow r, double top, double width, double valueLeft, double left = 2.1)
{
    r.left = left;
    r.top = top;
    r.width = width;
    r.valueLeft = valueLeft;
    return r;
}

BackRow row(const char* tr, const char* en, Field f)
{
    return {tr, en, f, 0, 0, 0, 0};
}

constexpr double kPersonalTops[] = {4.0, 9.5, 15.1, 20.6, 26.2, 31.8, 37.3, 42.9};

// The rows beside the barcode (bars at 48.4 mm) end 2.9 mm left of them, so
// that the bars keep a quiet zone of ten modules (2.65 mm) clear of the
// rows' frames.
constexpr double kBesideBars = 43.4;

// The personal-rows back: eight rows, the first three beside the barcode.
std::vector<BackRow> personalRows(const std::vector<BackRow>& eight)
{
    std::vector<BackRow> out;
    for (size_t i = 0; i < eight.size(); ++i)
        out.push_back(at(eight[i], kPersonalTops[i], i < 3 ? kBesideBars : 51.1, 16.9));
    return out;
}

std::vector<BackRow> personRows()
{
    return personalRows({kFather, kMother, row("TC Kimlik No", "Citizenship ID No", col("E42")),
                         row("Doğum Tar./Yer", "Date of Birth/Place", {Src::Birth, ""}),
                         row("İl", "City", col("E27")), row("İlçe", "Town", col("E28")),
                         row("Mahalle/Köy", "District/Village", {Src::Place, ""}),
                         row("Kan Grubu", "Blood Group", col("E39"))});
}

std::vector<BackRow> nationalRows()
{
    return personalRows({kFather, kMother, row("TC Kimlik No", "Citizenship ID No", col("E42")),
                         row("Doğum Tar./Yer", "Date of Birth/Place", {Src::Birth, ""}),
                         row("SİCİL NO", "Register No", {Src::Register, "Vergi_Numarasi"}),
                         row("BÖLGE", "Region", col("Vergi_Dairesi")),
                         row("Millilik Belge Tar.", "Date", {Src::Date, "M9"}),
                         row("Belge Yer/No", "No", col("E74"))});
}

enum class VisaRows { Normal, BloodInIdentity, Across };

// The visa back's rows: father, mother, identity, birth, city with the
// blood group beside it.
std::vector<BackRow> visaRows(VisaRows kind)
{
    const double narrow = kind == VisaRows::Across ? 79.6 : kBesideBars;
    const BackRow identity = kind == VisaRows::BloodInIdentity
                                 ? row("Kan Grubu", "Blood Group", {Src::Identity, "E42"})
                                 : row("TC Kimlik No", "Citizenship ID No", {Src::Identity, "E42"});
    std::vector<BackRow> out{at(kFather, 1.9, narrow, 17.2), at(kMother, 7.4, narrow, 17.2),
                             at(identity, 13.0, narrow, 17.2),
                             at(row("Doğum Tar./Yer", "Date of Birth/Place", {Src::Birth, ""}), 18.5, 79.6, 17.2)};
    const BackRow city = row("İl/İlçe", "City/Town", {Src::City, ""});
    if (kind == VisaRows::BloodInIdentity) {
        out.push_back(at(city, 24.1, 79.6, 17.2));
    } else {
        out.push_back(at(city, 24.1, 56.9, 17.2));
        out.push_back(at(row("Kan Grubu", "Blood Group", {Src::Blood, "E39"}), 24.1, 23.5, 69.4, 58.2));
    }
    return out;
}

std::vector<BackRow> beltRows()
{
    return {at(kFather, 1.9, kBesideBars, 17.2),
            at(kMother, 7.4, kBesideBars, 17.2),
            at(row("İl/İlçe", "City/Town", {Src::City, ""}), 13.0, kBesideBars, 17.2),
            at(row("Doğum Yeri", "Place of Birth", col("E17")), 18.5, 39.6, 17.2),
            at(row("Doğum Tarihi", "Date of Birth", {Src::Date, "M3"}), 18.5, 38.7, 57.5, 43.0),
            at(row("Kan Grubu", "Blood Group", col("E39")), 24.1, 38.7, 57.5, 43.0)};
}

std::vector<CardDesign> makeDesigns()
{
    const Field byKind{Src::ByKind, ""};
    std::vector<CardDesign> d;
    auto visaCard = [&](const char* form, const char* title, const char* subtitle, const char* third, Field field,
                        Rewrite rewrite, char klasman, QColor tone) {
        d.push_back({form, title, subtitle, kHeading1, kHeading2, Front::Standard,
                     fourBoxes(kBoxLeft, third, field), Back::Visa, visaRows(VisaRows::Normal),
                     Sides::FrontsThenBacks, TitleRule::Dialog, true, rewrite, klasman, kVisas, kVisaValid, false,
                     tone});
    };
    auto approvalCard = [&](const char* form, const char* title, const char* subtitle, const char* third,
                            VisaRows rows, QColor tone) {
        d.push_back({form, title, subtitle, kHeading1, kHeading2, Front::Standard, fourBoxes(kBoxLeft, third, byKind),
                     Back::Visa, visaRows(rows), Sides::FrontsThenBacks, TitleRule::Dialog, true, Rewrite::None, 0,
                     "", kApprovalValid, false, tone});
    };

    d.push_back({"TPrintMenu55", "SPORCU", "ATHLETE", kHeading1, kHeading2, Front::Standard,
                 fourBoxes(kBoxLeft, "KUŞAK DERECESİ / Degree of Belt", col("E25")), Back::PersonalRows, personRows(),
                 Sides::FrontAndBackPages, TitleRule::Dialog, false, Rewrite::None, 0, "", "", false, kAthlete});
    visaCard("TPrintMenu56", "HAKEM", "REFEREE", kCategory, byKind, Rewrite::None, 0, kReferee);
    visaCard("TPrintMenu57", "ANTRENÖR", "TRAINER", kCategory, byKind, Rewrite::CoachA, 0, kCoach);
    approvalCard("TPrintMenu58", "FEDERASYON KURULLARI", "COMMITTEES of FEDERATION", kTitleBox, VisaRows::Normal,
                 kFederation);
    approvalCard("TPrintMenu59", "İL TEMSİLCİSİ", "CITY REPRESENTATIVE", "KİMLİK NO / Citizenship ID No",
                 VisaRows::BloodInIdentity, kRepresentative);
    approvalCard("TPrintMenu60", "YÖNETİM KURULU", "BOARD of DIRECTORS", kTitleBox, VisaRows::Normal, kFederation);
    approvalCard("TPrintMenu61", "FEDERASYON PERSONELİ", "PERSONNEL", kTitleBox, VisaRows::Normal, kFederation);
    d.push_back({"TPrintMenu62", "PROFESYONEL SPORCU KİMLİK KARTI", "PROFESSIONAL ATHLETE", kHeading1, kHeading2,
                 Front::Standard, licenceBoxes(true), Back::Visa, visaRows(VisaRows::Normal), Sides::FrontOverBack,
                 TitleRule::DialogBlankSubtitle, true, Rewrite::None, 0, kLicenceVisas, kVisaValid, false, kAthlete});
    d.push_back({"TPrintMenu63", "SPORCU KUŞAK KARTI", "", kHeading1, kHeading2, Front::BeltCard,
                 fourBoxes(kBoxLeft, "TC KİMLİK NO / Citizenship ID No", col("E42")), Back::Belt, beltRows(),
                 Sides::FrontAndBackPages, TitleRule::None, false, Rewrite::None, 0, "KUŞAK DERECESİ / Degree of Belt",
                 "", false, kAthlete});
    visaCard("TPrintMenu64", "", "", kCategory, byKind, Rewrite::None, 'A', kManager);
    {
        std::vector<FrontBox> b = fourBoxes(kBoxLeft, "KULÜP / Clup", col("E16"));
        b.pop_back();
        b.push_back({"LİSANS NO / Licence No", col("E26"), 29.6, kTops[3], 29.1});
        b.push_back({kRegister, {Src::Register, "Vergi_Numarasi"}, 60.1, kTops[3], 21.2});
        d.push_back({"TPrintMenu65", "AMATÖR SPORCU LİSANSI", "AMATEUR ATHLETE LICENCE", kHeading1, kHeading2,
                     Front::Standard, b, Back::Visa, visaRows(VisaRows::Normal), Sides::FrontOverBack,
                     TitleRule::Dialog, true, Rewrite::None, 0, kLicenceVisas, kVisaValid, false, kAthlete});
    }
    visaCard("TPrintMenu66", "MENAJER", "", kCategory, byKind, Rewrite::CoachB, 0, kManager);
    visaCard("TPrintMenu67", "", "", kCategory, byKind, Rewrite::None, 'B', kManager);
    visaCard("TPrintMenu68", "", "", kCategory, byKind, Rewrite::None, 'C', kManager);
    d.push_back({"TPrintMenu70", "TEMSİLCİ", "", kHeading1, kHeading2, Front::Representative,
                 fourBoxes(kBoxLeft, kCategory, col("E43")), Back::Visa, visaRows(VisaRows::Normal),
                 Sides::FrontAndBackPages, TitleRule::None, true, Rewrite::None, 0, kVisas, kVisaValid, true,
                 kRepresentative});
    d.push_back({"TPrintMenu72", "POOMSE HAKEM", "POOMSE REFEREE", kHeading1, kHeading2, Front::Mirrored,
                 fourBoxes(kMirroredLeft, "Poomse Hakem Ünvanı Verildiği Yer / Tarih", {Src::Poomse, ""}), Back::Visa,
                 visaRows(VisaRows::Normal), Sides::FrontsThenBacks, TitleRule::None, false, Rewrite::None, 0, kVisas,
                 kVisaValid, false, kReferee});
    d.push_back({"TPrintMenu73", "ANTRENÖR", "TRAINER", kHeading1, kHeading2, Front::Mirrored,
                 fourBoxes(kMirroredLeft, kCategory, byKind), Back::VisaBarcode, visaRows(VisaRows::Across),
                 Sides::FrontsThenBacks, TitleRule::None, false, Rewrite::CoachA, 0, "", "", false, kCoach});
    d.push_back({"TPrintMenu75", "PROFESYONEL SPORCU", "", kHeading1, kHeading2, Front::Standard, licenceBoxes(false),
                 Back::Visa, visaRows(VisaRows::Normal), Sides::FrontOverBack, TitleRule::DialogBlankSubtitle, true,
                 Rewrite::None, 0, kLicenceVisas, kVisaValid, false, kAthlete});
    d.push_back({"TPrintMenu5B", "FEDERASYON BAŞKANI", "", "T.C. GENÇLİK VE SPOR BAKANLIĞI",
                 "Spor Genel Müdürlüğü - Türkiye Kick Boks Federasyonu", Front::Mirrored,
                 {{kName, col("Ad_Soyad"), kMirroredLeft, 31.2, kBoxWidth},
                  {kRegister, {Src::Register, "Vergi_Numarasi"}, kMirroredLeft, 40.2, kBoxWidth}},
                 Back::PersonalRows, personRows(), Sides::FrontAndBackPages, TitleRule::None, false, Rewrite::None, 0,
                 "", "", false, kPresident});
    d.push_back({"TPrintMenu71", "MİLLİ SPORCU", "", kHeading1, kHeading2, Front::National,
                 {{"Adı Soyadı / Name Surname", col("Ad_Soyad"), kBoxLeft, kTops[0], kBoxWidth},
                  {"Milli Olduğu Müsabaka Adı", {Src::Competition, "Edit1"}, kBoxLeft, kTops[1], kBoxWidth},
                  {"Müsabaka Yeri ve Tarihi", {Src::Competition, "Edit2"}, kBoxLeft, kTops[2], kBoxWidth},
                  {"Müsabakaya Katılan Ülke Sayısı", {Src::Competition, "Edit3"}, kBoxLeft, kTops[3], 24.9},
                  {"Derecesi", {Src::Competition, "Edit4"}, 55.8, kTops[3], 25.4}},
                 Back::PersonalRows, nationalRows(), Sides::FrontAndBackPages, TitleRule::None, false, Rewrite::None,
                 0, "", "", false, kNational});
    return d;
}

} // namespace

const std::vector<CardDesign>& designs()
{
    static const std::vector<CardDesign> all = makeDesigns();
    return all;
}

const CardDesign* design(const QString& form)
{
    for (const CardDesign& d : designs())
        if (form == QLatin1String(d.form))
            return &d;
    return nullptr;
}

} // namespace Cards
