// The belt exam from end to end: a club marks its athletes and writes the
// package with its own routines, the archive is unpacked into a folder as a
// clerk would, and the federation imports the database copy through the
// person editor's import mode. What the club writes is what the federation
// reads: the exam date, the committee on the reserved row, the club's key
// in the file name, the photos under the club's person keys.
#include "ExamImportFixture.h"

#include "app/BrivexSchema.h"
#include "app/Station.h"
#include "app/dialogs/ImtRapor.h"
#include "exchange/ExamChecks.h"
#include "exchange/ExamPackage.h"
#include "registry/ExamImport.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace ExamRoundTripTestLocal {

const QString kRoundTripClubProgram = "K:\\";

class ExamRoundTripTest : public ExamImportFixture {
protected:
    void SetUp() override
    {
        ExamImportFixture::SetUp();
        clubFolder = dir.path() + "/kulup";
        usbFolder = dir.path() + "/usb";
        unpackFolder = dir.path() + "/acilan";
        for (const QString& f : {clubFolder, usbFolder, unpackFolder})
            QDir().mkpath(f);
        DriveMap::mapDrive('K', clubFolder, false);
        DriveMap::mapDrive('E', usbFolder, false);

        // The club's own database: the reserved row, its club row (key 200,
        // stored first) and its athletes.
        clubDb.open(clubFolder + "/club.mdb", false);
        brivexSchema().create(clubDb);
        clubDb.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", "KARTAL SPOR"}, {"E1", "İSTANBUL"}});
        clubDb.insert("C_UYELIKSURESI", {{"Durum_Key", 1}, {"Durum", "-"}});
    }

    void clubAthlete(int key, const QString& first, const QString& last, const QString& oldBelt,
                     const QString& newBelt, const QVariantMap& extra = {})
    {
        QVariantMap row{{"Musteri_Key", key},  {"Adi", first},          {"Soyadi", last},
                        {"Ad_Soyad", first + " " + last}, {"Vergi_Dairesi", "İSTANBUL"}, {"E75", oldBelt},
                        {"E25", newBelt},      {"E16", "KARTAL SPOR"},  {"Telefonlar", "0212 555 11 22"},
                        {"E50", "SPORCU"},     {"E15", "ERKEK"},        {"E53", k57}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            row.insert(it.key(), it.value());
        clubDb.insert("C_MUSTERI", row);
    }
    void clubPhoto(int key, Qt::GlobalColor colour)
    {
        examPhoto(clubFolder + "/" + ExamPackage::photoName(QString::number(key)), colour);
    }
    // Unpacks every entry of the archive into the folder.
    void unpack(const QString& archive)
    {
        for (const QString& name : ZipArchive::entryNames(archive))
            writeFile(unpackFolder + "/" + name, ZipArchive::read(archive, name));
    }
    // The person editor opened from the main window's menu item, "Aktar"
    // pressed with the unpacked database copy chosen.
    void importAtFederation(const QString& file, int questionsAnswered)
    {
        fromImportMenu(
            [file](QDialog*) {
                ui().answerFile(file);
                click(MusteriGiris2->BitBtn4);
            },
            [this, questionsAnswered] {
                for (int i = 0; i < questionsAnswered; ++i)
                    modals().expect("TForm5", [this](QDialog* d) {
                        questions << Form5->Label1->text();
                        click(child<QPushButton>(d, "BitBtn1"));
                    });
            });
    }
    QStringList logTexts() const
    {
        QStringList out;
        for (QTextBlock b = ImtRapor->RichEdit1->document()->begin(); b.isValid(); b = b.next())
            if (!b.text().isEmpty())
                out << b.text();
        return out;
    }

    Database clubDb;
    QString clubFolder, usbFolder, unpackFolder;
    QStringList questions;
};

TEST_F(ExamRoundTripTest, WhatTheClubWritesTheFederationReads)
{
    // At the club: a white belt seen for the first time at the federation,
    // a promoted athlete the federation knows by identity number, one not
    // in this exam.
    clubAthlete(31, "ALİ", "VELİ", "BEYAZ KUŞAK", "SARI KUŞAK", {{"E42", "10000000146"}});
    clubAthlete(32, "AYŞE", "KAYA", "SARI KUŞAK", "YEŞİL KUŞAK", {{"E42", "12345678950"}});
    clubAthlete(33, "CAN", "DURMAZ", "SARI KUŞAK", "YEŞİL KUŞAK");
    clubPhoto(31, Qt::red);
    clubPhoto(32, Qt::blue);
    clubPhoto(33, Qt::green);
    insertPerson(10, {{"Vergi_Numarasi", "0000010"}, {"Vergi_Dairesi", "İSTANBUL"}, {"E42", "12345678950"},
                      {"E25", "SARI KUŞAK"}});

    ExamPackage::mark(clubDb, QDate(2009, 6, 15), " where Musteri_Key in (:a, :b)", {{"a", 31}, {"b", 32}},
                      {"0000101", "0000102", "", ""});
    const ExamPackage::Club club = ExamPackage::readClub(clubDb);
    ASSERT_TRUE(club.ok);
    const QString archive = ExamPackage::write(clubDb, {kRoundTripClubProgram, club.key, {}}, "E:\\");
    EXPECT_EQ(archive, usbFolder + "/F200.zip");
    EXPECT_EQ(ZipArchive::entryNames(archive), (QStringList{"BG200.mdb", "R31.jpg", "R32.jpg"}));

    unpack(archive);
    importAtFederation(unpackFolder + "/BG200.mdb", 1);

    ASSERT_EQ(questions.size(), 1) << questions.join("|").toStdString();
    EXPECT_EQ(questions[0], "Kulüp Adı: İSTANBUL / KARTAL SPOR\nSporcu Sayısı: 2   Tarih: 15.06.2009    Lütfen Ödeme "
                            "Miktarını Kontrol Ediniz.\nDevam Edilsin mi ?");
    const auto ali = federationPerson("ALİ VELİ");
    ASSERT_TRUE(ali.has_value());
    EXPECT_EQ(logTexts(), (QStringList{"Kulüp : KARTAL SPOR", "Bölge : İSTANBUL", "Sisteme Aktarma Tarihi : 05.03.2009",
                                       "ALİ VELİ (" + ali->str("Vergi_Numarasi") + ") --> Yeni Kayıt Olarak Girildi.",
                                       "AYŞE KAYA (0000010) --> Güncellendi."}));

    // The register holds the new athlete and the promoted one with their
    // new belts and the exam date; the athlete outside the exam stays out.
    EXPECT_EQ(ali->str("E25"), "SARI KUŞAK");
    EXPECT_EQ(ali->str("E75"), "BEYAZ KUŞAK");
    EXPECT_EQ(ali->date("M7"), QDate(2009, 6, 15));
    const Record ayse = stored(10);
    EXPECT_EQ(ayse.str("E25"), "YEŞİL KUŞAK");
    EXPECT_EQ(ayse.str("E75"), "SARI KUŞAK");
    EXPECT_FALSE(federationPerson("CAN DURMAZ").has_value());

    // The photos, copied under the federation's keys.
    QImage picture;
    ASSERT_TRUE(picture.load(programPhoto(ali->toInt("Musteri_Key"))));
    EXPECT_GT(qRed(picture.pixel(5, 5)), 200);
    ASSERT_TRUE(picture.load(programPhoto(10)));
    EXPECT_GT(qBlue(picture.pixel(5, 5)), 200);

    // The log saved beside the unpacked package, under the federation's
    // key of the club.
    EXPECT_TRUE(QFile::exists(unpackFolder + "/Rapor" + QString::number(this->club) + ".rtf"));
    // The working copy records the import.
    Database copy;
    copy.open(unpackFolder + "/fed.mdb");
    EXPECT_EQ(copy.scalar("select count(*) from C_MUSTERI where Terfi = 2").toInt(), 2);
}

// Two stations as "brivex-station init" makes them, a club's and the
// federation's, with nothing added to their belts: the club's belt choices
// pass its own checks and the federation promotes the athletes.
TEST_F(ExamRoundTripTest, ANewClubStationsPackagePromotesItsAthletesAtANewFederationStation)
{
    Station::init(kRoundTripClubProgram + QString("Kulup.mdb"));
    Database clubStation;
    clubStation.open(kRoundTripClubProgram + QString("Kulup.mdb"));
    // The federation's station stays the one this program works on.
    Registry reg(Registry::HKEY_CURRENT_USER);
    reg.openKey("\\Software\\ODBC\\ODBC.INI\\fdr", true);
    reg.writeString("DBQ", Station::kDefaultDatabase);
    clubStation.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", "KARTAL SPOR"}, {"E1", "İSTANBUL"}});

    // Each step between two colour belts of the club's own belt list, as the
    // exam screen offers them; the federation knows the first athlete with
    // his old belt.
    const QStringList clubBelts = ExamChecks::belts(clubStation);
    const QStringList fedBelts = ExamChecks::belts(db);
    EXPECT_EQ(clubBelts, fedBelts);
    const QStringList colours = ExamImport::colourBelts();
    ASSERT_EQ(clubBelts.mid(0, colours.size()), colours);
    const QStringList identities = {"10000000146", "12345678950", "20000000282", "30000000328",
                                    "40000000464", "50000000500"};
    for (int i = 0; i + 1 < colours.size(); ++i) {
        const int key = 41 + i;
        const Record row = [&] {
            QVariantMap r{{"Musteri_Key", key},          {"Adi", "SPORCU"},
                          {"Soyadi", QString(QChar('A' + i))}, {"Ad_Soyad", "SPORCU " + QString(QChar('A' + i))},
                          {"Vergi_Dairesi", "İSTANBUL"}, {"E75", clubBelts[i]},
                          {"E25", clubBelts[i + 1]},    {"E16", "KARTAL SPOR"},
                          {"E48", "HOCA"},               {"E42", identities[i]},
                          {"E50", "SPORCU"},             {"E15", "ERKEK"},
                          {"E53", k57}};
            clubStation.insert("C_MUSTERI", r);
            return *clubStation.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}});
        }();
        EXPECT_EQ(ExamChecks::athlete(row, true, clubBelts), "") << clubBelts[i].toStdString();
        examPhoto(clubFolder + "/" + ExamPackage::photoName(QString::number(key)), Qt::red);
    }
    insertPerson(10, {{"Vergi_Numarasi", "0000010"}, {"Ad_Soyad", "SPORCU A"}, {"Adi", "SPORCU"}, {"Soyadi", "A"},
                      {"Vergi_Dairesi", "İSTANBUL"}, {"E42", identities[0]}, {"E25", fedBelts[0]}});

    ExamPackage::mark(clubStation, QDate(2009, 6, 15), " where Musteri_Key > 40", {}, {"0000101", "0000102", "", ""});
    const QString archive = ExamPackage::write(clubStation, {kRoundTripClubProgram, "200", {}}, "E:\\");
    unpack(archive);
    // The club question, then "enter as new" for each athlete the
    // federation does not know (all but the first, whose belt is not white).
    importAtFederation(unpackFolder + "/BG200.mdb", int(colours.size()) - 1);

    for (const QString& line : logTexts())
        EXPECT_FALSE(line.contains("Olması Gerekmektedir")) << line.toStdString();
    const Record promoted = stored(10);
    EXPECT_EQ(promoted.str("E25"), fedBelts[1]) << "the athlete is promoted";
    EXPECT_EQ(promoted.str("E75"), fedBelts[0]);
    for (int i = 1; i + 1 < colours.size(); ++i) {
        const auto p = federationPerson("SPORCU " + QString(QChar('A' + i)));
        ASSERT_TRUE(p.has_value()) << i << " " << logTexts().join(" | ").toStdString();
        EXPECT_EQ(p->str("E25"), fedBelts[i + 1]);
    }
}

} // namespace ExamRoundTripTestLocal
