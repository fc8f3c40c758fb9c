// Reference data of the application core: regions, person statuses and
// titles, weight categories and category names, activity types, belts and
// their styles, letter texts, and the clubs register.
#include "app/setup/SetupTables.h"

#include "app/kit/DbConventions.h"
#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "registry/ExamImport.h"

#include <QStringList>

namespace {

// The provinces of Turkey: the region code is the province's two-digit
// number, which is also its key (so the flag of İstanbul is Flg34.bmp), and
// the short name is the three-letter form the lists and the scoreboard show.
struct Province {
    int code;
    const char* name;
    const char* shortName;
};

const Province kProvinces[] = {
    {1, "ADANA", "ADA"},          {2, "ADIYAMAN", "ADY"},      {3, "AFYONKARAHİSAR", "AFY"},
    {4, "AĞRI", "AĞR"},           {5, "AMASYA", "AMS"},        {6, "ANKARA", "ANK"},
    {7, "ANTALYA", "ANT"},        {8, "ARTVİN", "ART"},        {9, "AYDIN", "AYD"},
    {10, "BALIKESİR", "BLK"},     {11, "BİLECİK", "BLC"},      {12, "BİNGÖL", "BNG"},
    {13, "BİTLİS", "BTL"},        {14, "BOLU", "BOL"},         {15, "BURDUR", "BRD"},
    {16, "BURSA", "BRS"},         {17, "ÇANAKKALE", "ÇNK"},    {18, "ÇANKIRI", "ÇKR"},
    {19, "ÇORUM", "ÇRM"},         {20, "DENİZLİ", "DNZ"},      {21, "DİYARBAKIR", "DYB"},
    {22, "EDİRNE", "EDR"},        {23, "ELAZIĞ", "ELZ"},       {24, "ERZİNCAN", "ERC"},
    {25, "ERZURUM", "ERZ"},       {26, "ESKİŞEHİR", "ESK"},    {27, "GAZİANTEP", "GAZ"},
    {28, "GİRESUN", "GRS"},       {29, "GÜMÜŞHANE", "GMŞ"},    {30, "HAKKARİ", "HKR"},
    {31, "HATAY", "HTY"},         {32, "ISPARTA", "ISP"},      {33, "MERSİN", "MER"},
    {34, "İSTANBUL", "İST"},      {35, "İZMİR", "İZM"},        {36, "KARS", "KRS"},
    {37, "KASTAMONU", "KST"},     {38, "KAYSERİ", "KAY"},      {39, "KIRKLARELİ", "KLR"},
    {40, "KIRŞEHİR", "KRŞ"},      {41, "KOCAELİ", "KOC"},      {42, "KONYA", "KON"},
    {43, "KÜTAHYA", "KÜT"},       {44, "MALATYA", "MLT"},      {45, "MANİSA", "MNS"},
    {46, "KAHRAMANMARAŞ", "KMR"}, {47, "MARDİN", "MRD"},       {48, "MUĞLA", "MUĞ"},
    {49, "MUŞ", "MUŞ"},           {50, "NEVŞEHİR", "NEV"},     {51, "NİĞDE", "NİĞ"},
    {52, "ORDU", "ORD"},          {53, "RİZE", "RİZ"},         {54, "SAKARYA", "SAK"},
    {55, "SAMSUN", "SAM"},        {56, "SİİRT", "SİT"},        {57, "SİNOP", "SİN"},
    {58, "SİVAS", "SVS"},         {59, "TEKİRDAĞ", "TKD"},     {60, "TOKAT", "TOK"},
    {61, "TRABZON", "TRB"},       {62, "TUNCELİ", "TUN"},      {63, "ŞANLIURFA", "ŞUR"},
    {64, "UŞAK", "UŞK"},          {65, "VAN", "VAN"},          {66, "YOZGAT", "YOZ"},
    {67, "ZONGULDAK", "ZON"},     {68, "AKSARAY", "AKS"},      {69, "BAYBURT", "BAY"},
    {70, "KARAMAN", "KRM"},       {71, "KIRIKKALE", "KKL"},    {72, "BATMAN", "BAT"},
    {73, "ŞIRNAK", "ŞIR"},        {74, "BARTIN", "BRT"},       {75, "ARDAHAN", "ARD"},
    {76, "IĞDIR", "IĞD"},         {77, "YALOVA", "YAL"},       {78, "KARABÜK", "KRB"},
    {79, "KİLİS", "KLS"},         {80, "OSMANİYE", "OSM"},     {81, "DÜZCE", "DÜZ"},
};

// Keys below this belong to the home country's regions; every key the shared
// counter hands out after the provinces is above it, so a country added
// later never passes for a province.
constexpr int kLastHomeRegionKey = 100;

// Person statuses and titles: name, code, kind ("S" athlete, "H" referee,
// "A" coach, "D" other). The coach grades are the ones the cards print.
struct Status {
    const char* name;
    const char* code;
    const char* kind;
};

const Status kStatuses[] = {
    {"SPORCU", "S", "S"},
    {"İL HAKEMİ", "İ", "H"},
    {"ULUSAL HAKEM", "U", "H"},
    {"ULUSLARARASI HAKEM", "UA", "H"},
    {"1.KADEME ANTRENÖR", "1", "A"},
    {"2.KADEME ANTRENÖR", "2", "A"},
    {"3.KADEME ANTRENÖR", "3", "A"},
    {"4.KADEME ANTRENÖR", "4", "A"},
    {"5.KADEME ANTRENÖR", "5", "A"},
    {"YÖNETİM KURULU ÜYESİ", "YK", "D"},
    {"İL TEMSİLCİSİ", "İT", "D"},
    {"FEDERASYON PERSONELİ", "FP", "D"},
};

// Category names (age classes) with their age ranges.
struct CategoryName {
    const char* name;
    int fromAge;
    int toAge;
};

const CategoryName kCategoryNames[] = {
    {"BÜYÜKLER", 19, 40},
    {"GENÇLER", 16, 18},
    {"YILDIZLAR", 13, 15},
    {"MİNİKLER", 10, 12},
};

// Belts from the lowest grade up (the key order is the rank order): the
// colour belts under the names and in the order the belt exam knows them
// (ExamImport::colourBelts), then the dan grades, which the exam committee
// holds.
QStringList seedBelts()
{
    QStringList belts = ExamImport::colourBelts();
    for (int dan = 1; dan <= 9; ++dan)
        belts << QString::number(dan) + ".DAN";
    return belts;
}

struct ActivityType {
    const char* name;
    const char* kind;
};

const ActivityType kActivityTypes[] = {
    {"TÜRKİYE ŞAMPİYONASI", "ULUSAL"},
    {"TÜRKİYE KUPASI", "ULUSAL"},
    {"KUŞAK SINAVI", "ULUSAL"},
    {"SEMİNER", "ULUSAL"},
    {"AVRUPA ŞAMPİYONASI", "ULUSLAR ARASI"},
    {"DÜNYA ŞAMPİYONASI", "ULUSLAR ARASI"},
    {"DÜNYA KUPASI", "ULUSLAR ARASI"},
    {kPenaltyActivityType, "ULUSAL"},
};

} // namespace

void addReferenceTables(Schema& s)
{
    // Regions: the provinces and the foreign countries.
    s.addTable({"C_UYELIKTURU",
                {Col::integer("Durum_Key"), Col::text("Durum", 30), Col::text("Tip1", 10), Col::text("Tip2", 10),
                 Col::text("Tip3", 10), Col::text("BolgeK", 10)},
                "Durum_Key",
                {"Durum"}});
    // Person statuses and titles of the four kinds.
    s.addTable({"C_UYEKULLANICI",
                {Col::integer("Durum_Key"), Col::text("Durum", 255), Col::text("Tip1", 10), Col::text("Tip2", 1)},
                "Durum_Key",
                {"Durum", "Tip2"}});
    // Weight categories and their limits.
    s.addTable({"C_BRANS",
                {Col::integer("Durum_Key"), Col::text("Durum", 40), Col::real("Kilo"), Col::real("AltKilo"),
                 Col::real("UstKilo"), Col::text("E_B", 3), Col::text("Web", 1), Col::date("Dt1"), Col::date("Dt2")},
                "Durum_Key",
                {"Durum"}});
    // Category names (age and level classes).
    s.addTable({"C_BRANSADI",
                {Col::integer("Durum_Key"), Col::text("Durum", 30), Col::integer("Yas1"), Col::integer("Yas2")},
                "Durum_Key",
                {}});
    // Activity types.
    s.addTable({"C_TURTURU", {Col::integer("Tur_Key"), Col::text("Turu", 50), Col::text("Tipi", 20)}, "Tur_Key",
                {"Turu"}});
    // Belts in rank order, and the styles belts are given in.
    s.addTable({"KUSAK", {Col::integer("Kusak_Key"), Col::text("Kusak_Adi", 30)}, "Kusak_Key", {"Kusak_Adi"}});
    s.addTable({"STIL", {Col::integer("Stil_Key"), Col::text("Stil", 30)}, "Stil_Key", {}});
    // Letter texts; each one's document is "M" + key + ".rtf".
    s.addTable({"METINLER", {Col::integer("Met_Key"), Col::text("Met_Adi", 30)}, "Met_Key", {"Met_Adi"}});
    // Clubs and private gyms.
    s.addTable({"C_UYELIKSURESI",
                {Col::integer("Durum_Key"), Col::text("Durum", 40), Col::text("Ad_Soyad", 40),
                 Col::text("Telefonlar", 40), Col::text("E3", 50), Col::text("E4", 50), Col::text("Fax", 30),
                 Col::text("E1", 50), Col::text("Cadde", 40), Col::text("Sokak", 40), Col::text("No1", 40),
                 Col::text("Ilce", 20), Col::text("PostaKodu", 20), Col::text("Il", 20), Col::text("E2", 50),
                 Col::integer("Salon"), Col::text("Faal", 1), Col::integer("Sira"), Col::text("E5", 50),
                 Col::text("E6", 50)},
                "Durum_Key",
                {"Durum", "Ad_Soyad", "E1"}});
}

namespace {

int nextReferenceKey(Database& db)
{
    return Counters::next(db, "Sayi");
}

} // namespace

void seedReferenceRows(Database& db)
{
    Transaction tx(db);

    for (const Province& p : kProvinces) {
        const QString code = QString("%1").arg(p.code, 2, 10, QChar('0'));
        db.insert("C_UYELIKTURU", {{"Durum_Key", p.code}, {"Durum", QString::fromUtf8(p.name)}, {"Tip1", code},
                                   {"Tip2", code}, {"Tip3", ""}, {"BolgeK", QString::fromUtf8(p.shortName)}});
    }
    if (Counters::current(db, "Sayi") < kLastHomeRegionKey)
        Counters::set(db, "Sayi", kLastHomeRegionKey);

    for (const Status& st : kStatuses)
        db.insert("C_UYEKULLANICI", {{"Durum_Key", nextReferenceKey(db)}, {"Durum", QString::fromUtf8(st.name)},
                                     {"Tip1", QString::fromUtf8(st.code)}, {"Tip2", st.kind}});

    // Key 1 stands for every category name; key 2 is the activities' "no
    // category" and is offered nowhere else.
    db.insert("C_BRANSADI", {{"Durum_Key", kAllCategoriesKey}, {"Durum", kAllCategoriesName}, {"Yas1", 0}, {"Yas2", 99}});
    db.insert("C_BRANSADI", {{"Durum_Key", kNoCategoryKey}, {"Durum", kNoCategoryName}, {"Yas1", 0}, {"Yas2", 99}});
    for (const CategoryName& c : kCategoryNames)
        db.insert("C_BRANSADI", {{"Durum_Key", nextReferenceKey(db)}, {"Durum", QString::fromUtf8(c.name)},
                                 {"Yas1", c.fromAge}, {"Yas2", c.toAge}});

    // Weight category 1 is the class "-": duty rows of a person's activities
    // and results of unknown classes point to it, and a person whose classes
    // were dropped holds it. Any weight is within its limits.
    db.insert("C_BRANS", {{"Durum_Key", kNoWeightCategoryKey}, {"Durum", kNoWeightCategoryName}, {"Kilo", 0.0}, {"AltKilo", 0.0},
                          {"UstKilo", 999.0}, {"E_B", "E/B"}, {"Web", ""}});

    for (const QString& belt : seedBelts())
        db.insert("KUSAK", {{"Kusak_Key", nextReferenceKey(db)}, {"Kusak_Adi", belt}});

    for (const ActivityType& t : kActivityTypes)
        db.insert("C_TURTURU", {{"Tur_Key", nextReferenceKey(db)}, {"Turu", QString::fromUtf8(t.name)},
                                {"Tipi", QString::fromUtf8(t.kind)}});

    // Club 1 stands for no club: persons without a known club point to it.
    db.insert("C_UYELIKSURESI", {{"Durum_Key", kNoClubKey}, {"Durum", kNoClubName}});
    if (Counters::current(db, "sayik") < 1)
        Counters::set(db, "sayik", 1);

    tx.commit();
}
