// The SMS export into the SMS program's own database: a second SQLite file
// named by the data source's "DBQ", with its group, recipient and
// membership tables.

#include "exchange/SmsExport.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace SmsExportTestLocal {

class SmsExportTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        smsPath = dir.filePath("sms/velisto.db");
        QDir().mkpath(dir.filePath("sms"));
        sms.open(smsPath, false);
        sms.exec("create table t_grup (grup_id integer primary key autoincrement, grup_adi text)");
        sms.exec("create table t_kisi (kisi_id integer primary key autoincrement, adsoyad text, gsm text)");
        sms.exec("create table t_kisi_grubu (grup_id integer, kisi_id integer)");
        setDataSource(smsPath);
        installProgram(SmsExport::kProgram);
        Shell::setHook([this](const Shell::Request& r) {
            started << r.target;
            return true;
        });
    }
    void TearDown() override
    {
        Shell::setHook({});
        sms.close();
        StationTest::TearDown();
    }

    static void setDataSource(const QString& path)
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        reg.openKey(SmsExport::kDataSourceKey, true);
        reg.writeString("DBQ", path);
    }
    static void installProgram(const QString& windowsPath)
    {
        writeFile(DriveMap::toHost(windowsPath), "MZ");
    }

    void addPerson(int key, const QString& name, const QString& mobile, const QString& phone = QString())
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Ad_Soyad", name}, {"E62", mobile}, {"Telefonlar", phone},
                                {"Vergi_Numarasi", QString::number(key)}});
    }
    static ReportLaunch::RegistrySelection everyone(const QString& keys = QString())
    {
        ReportLaunch::RegistrySelection s;
        s.reportSql = "Select * from C_MUSTERI";
        s.selectedKeys = keys;
        s.orderBy = "Musteri_Key";
        return s;
    }
    // "name;gsm" of the members of the group named "LİSTE" (the last one).
    QStringList members()
    {
        const QVariant group =
            sms.scalar("select max(grup_id) from t_grup where grup_adi = :n", {{"n", SmsExport::kGroupName}});
        QStringList out;
        for (const Record& r : sms.select("select t_kisi.adsoyad, t_kisi.gsm from t_kisi_grubu inner join t_kisi on "
                                          "t_kisi.kisi_id = t_kisi_grubu.kisi_id where t_kisi_grubu.grup_id = :g "
                                          "order by t_kisi.gsm",
                                          {{"g", group}}))
            out << r.str("adsoyad") + ";" + r.str("gsm");
        return out;
    }
    static QStringList logTexts(const SmsExport::Outcome& o)
    {
        QStringList out;
        for (const SmsExport::LogLine& l : o.log)
            out << l.text;
        return out;
    }

    QString smsPath;
    Database sms;
    QStringList started;
};

TEST_F(SmsExportTest, NumbersAreCheckedDigitByDigit)
{
    const QList<std::pair<QString, QString>> cases = {
        {"5321234567", "5321234567"},
        {"0532 123 45 67", "5321234567"},
        {" 05321234567 ", "5321234567"},
        {"53212345,6", ""},          // a decimal comma is no digit
        {"5.3e9", ""},               // nor is a number in exponent form
        {"03124445566", ""},         // a land line
        {"4321234567", ""},
        {"905321234567", ""},        // with the country code
        {"+905321234567", ""},
        {"(0532) 1234567", ""},
        {"532123456", ""},           // nine digits
        {QString::fromUtf8("٥٣٢١٢٣٤٥٦٧"), ""},   // digits of another script
        {"", ""},
    };
    for (const auto& [stored, normal] : cases)
        EXPECT_EQ(SmsExport::normalMobile(stored), normal) << stored.toStdString();
}

TEST_F(SmsExportTest, PersonsFillTheGroupAndTheRefusedAreLogged)
{
    addPerson(1, "ALİ VELİ", "0532 123 45 67");
    addPerson(2, "AYŞE KAYA", "", "5551112233");          // the telephone when the mobile is empty
    addPerson(3, "CAN ÖZ", "03124445566", "5550000000");  // a land line in the mobile: refused
    addPerson(4, "DENİZ AK", "5321234567");               // the same number under another name
    addPerson(5, "ALİ VELİ", "05321234567");              // the same number and name: no line
    addPerson(6, "EMRE SU", "", "");                      // nothing: passed over
    addPerson(7, "FATMA ER", "53212345,6");

    const SmsExport::Outcome o = SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(o.status, SmsExport::Outcome::Done);
    EXPECT_EQ(members(), (QStringList{"ALİ VELİ;5321234567", "AYŞE KAYA;5551112233"}));
    EXPECT_EQ(o.csvLines, (QStringList{"ALİ VELİ;5321234567", "AYŞE KAYA;5551112233"}));
    EXPECT_EQ(logTexts(o), (QStringList{"*** CEP TELEFONU HATALI OLAN KAYITLAR LİSTESİ ***", "CAN ÖZ (03124445566)",
                                        "DENİZ AK, ALİ VELİ (5321234567 --> Aynı Numara)",
                                        "FATMA ER (53212345,6)"}));
    EXPECT_EQ(o.log[0].colour, QColor(0, 0, 128));
    EXPECT_EQ(o.log[1].colour, QColor(0, 0, 0));
    EXPECT_EQ(o.log[2].colour, QColor(128, 128, 128));
    EXPECT_EQ(o.added, 2);
    EXPECT_EQ(started, QStringList{SmsExport::kProgram});
}

TEST_F(SmsExportTest, OnlyTheSelectedPersonsAreExported)
{
    addPerson(1, "ALİ VELİ", "5321234567");
    addPerson(2, "AYŞE KAYA", "5551112233");
    addPerson(3, "CAN ÖZ", "5440001122");
    SmsExport::exportPersons(db, everyone("3,1"));
    EXPECT_EQ(members(), (QStringList{"ALİ VELİ;5321234567", "CAN ÖZ;5440001122"}));
}

TEST_F(SmsExportTest, ARecipientAnotherGroupUsesIsKept)
{
    sms.exec("insert into t_grup (grup_adi) values ('DİĞER')");
    sms.exec("insert into t_grup (grup_adi) values (:n)", {{"n", SmsExport::kGroupName}});
    sms.exec("insert into t_kisi (kisi_id, adsoyad, gsm) values (10, 'ORTAK KİŞİ', '5000000001')");
    sms.exec("insert into t_kisi (kisi_id, adsoyad, gsm) values (11, 'ESKİ KİŞİ', '5000000002')");
    sms.exec("insert into t_kisi_grubu (grup_id, kisi_id) values (1, 10)");
    sms.exec("insert into t_kisi_grubu (grup_id, kisi_id) values (2, 10)");
    sms.exec("insert into t_kisi_grubu (grup_id, kisi_id) values (2, 11)");
    addPerson(1, "ALİ VELİ", "5321234567");

    SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(members(), QStringList{"ALİ VELİ;5321234567"});
    EXPECT_EQ(sms.scalar("select adsoyad from t_kisi where kisi_id = 10").toString(), "ORTAK KİŞİ");
    EXPECT_EQ(sms.scalar("select count(*) from t_kisi_grubu where grup_id = 1 and kisi_id = 10").toInt(), 1);
    EXPECT_EQ(sms.scalar("select count(*) from t_kisi where kisi_id = 11").toInt(), 0);
}

TEST_F(SmsExportTest, AFailureHalfWayLeavesTheGroupAsItWas)
{
    sms.exec("insert into t_grup (grup_adi) values (:n)", {{"n", SmsExport::kGroupName}});
    sms.exec("insert into t_kisi (adsoyad, gsm) values ('ESKİ KİŞİ', '5000000002')");
    sms.exec("insert into t_kisi_grubu (grup_id, kisi_id) values (1, 1)");
    sms.exec("create trigger velisto_full before insert on t_kisi when new.gsm = '5559999999' "
             "begin select raise(abort, 'disk dolu'); end");
    addPerson(1, "ALİ VELİ", "5321234567");
    addPerson(2, "AYŞE KAYA", "5559999999");

    const SmsExport::Outcome o = SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(o.status, SmsExport::Outcome::Failed);
    EXPECT_TRUE(o.message.contains("disk dolu")) << o.message.toStdString();
    EXPECT_EQ(members(), QStringList{"ESKİ KİŞİ;5000000002"});
    EXPECT_EQ(sms.scalar("select count(*) from t_kisi").toInt(), 1);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(SmsExportTest, MembershipsTakeTheKeyOfTheRowJustWritten)
{
    // This database gives its recipients falling keys: the largest key is
    // not the row just written.
    sms.exec("drop table t_kisi");
    sms.exec("create table t_kisi (kisi_id integer, adsoyad text, gsm text)");
    sms.exec("create trigger velisto_keys after insert on t_kisi begin update t_kisi set kisi_id = "
             "(select 1000 - count(*) from t_kisi) where rowid = new.rowid; end");
    addPerson(1, "ALİ VELİ", "5321234567");
    addPerson(2, "AYŞE KAYA", "5551112233");
    SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(members(), (QStringList{"ALİ VELİ;5321234567", "AYŞE KAYA;5551112233"}));
}

TEST_F(SmsExportTest, WithEveryNumberRefusedTheGroupEndsEmptyAndNothingStarts)
{
    sms.exec("insert into t_grup (grup_adi) values (:n)", {{"n", SmsExport::kGroupName}});
    sms.exec("insert into t_kisi (adsoyad, gsm) values ('ESKİ KİŞİ', '5000000002')");
    sms.exec("insert into t_kisi_grubu (grup_id, kisi_id) values (1, 1)");
    addPerson(1, "ALİ VELİ", "03124445566");
    const SmsExport::Outcome o = SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(o.status, SmsExport::Outcome::Done);
    EXPECT_EQ(o.added, 0);
    EXPECT_TRUE(members().isEmpty());
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(SmsExportTest, TheLastGroupNamedListeIsUsedAndOneIsMadeWhenNone)
{
    addPerson(1, "ALİ VELİ", "5321234567");
    SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(sms.scalar("select count(*) from t_grup").toInt(), 1);
    EXPECT_EQ(members(), QStringList{"ALİ VELİ;5321234567"});

    sms.exec("insert into t_grup (grup_adi) values (:n)", {{"n", SmsExport::kGroupName}});
    addPerson(2, "AYŞE KAYA", "5551112233");
    SmsExport::exportPersons(db, everyone("2"));
    EXPECT_EQ(members(), QStringList{"AYŞE KAYA;5551112233"});
    EXPECT_EQ(sms.scalar("select count(*) from t_kisi_grubu where grup_id = 1").toInt(), 1);
}

TEST_F(SmsExportTest, WithoutProgramOrDataSourceNothingChanges)
{
    addPerson(1, "ALİ VELİ", "5321234567");
    QFile::remove(DriveMap::toHost(SmsExport::kProgram));
    SmsExport::Outcome o = SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(o.status, SmsExport::Outcome::NoProgram);
    EXPECT_EQ(o.message, "SMS Gönderi arayüzü bulunamamıştır. Lütfen yükleyiniz ...!");

    // The persons' export also looks under "Program Files (x86)"; the clubs' does not.
    installProgram(SmsExport::kProgramX86);
    EXPECT_EQ(SmsExport::exportClubs(db, QList<int>{}).status, SmsExport::Outcome::NoProgram);
    setDataSource("");
    o = SmsExport::exportPersons(db, everyone());
    EXPECT_EQ(o.status, SmsExport::Outcome::NoDataSource);
    EXPECT_EQ(o.message, "<smssend> VERİTABANI BAĞLANTISI KURULAMADI\n"
                         "LÜTFEN GEREKLİ AYARLAMALARI YAPIP PROGRAMI ÇALIŞTIRINIZ ...!");
    EXPECT_EQ(sms.scalar("select count(*) from t_grup").toInt(), 0);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(SmsExportTest, ClubsGoUnderTheirContactOrTheirName)
{
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 20}, {"Durum", "KARTAL SPOR"}, {"Ad_Soyad", "HASAN ÇELİK"},
                                 {"E3", "0532 123 45 67"}});
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 21}, {"Durum", "ANKARA GÜCÜ"}, {"Ad_Soyad", ""},
                                 {"Telefonlar", "5551112233"}});
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 22}, {"Durum", "İZMİR SPOR"}, {"Ad_Soyad", "MERT AY"},
                                 {"E3", "5321234567"}});
    Reports::ClubSelection s{"select * from C_UYELIKSURESI where Durum_Key>1", "", {}, "", "Durum_Key"};
    const SmsExport::Outcome o = SmsExport::exportClubs(db, s);
    EXPECT_EQ(members(), (QStringList{"HASAN ÇELİK;5321234567", "ANKARA GÜCÜ;5551112233"}));
    EXPECT_EQ(logTexts(o).last(), "MERT AY, HASAN ÇELİK (5321234567 --> Aynı Numara.)");

    s.selectedKeys = "22";
    SmsExport::exportClubs(db, s);
    EXPECT_EQ(members(), QStringList{"MERT AY;5321234567"});
    SmsExport::exportClubs(db, QList<int>{21});
    EXPECT_EQ(members(), QStringList{"ANKARA GÜCÜ;5551112233"});
}

} // namespace SmsExportTestLocal
