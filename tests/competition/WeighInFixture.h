#pragma once
// A signed-in station with weight classes, clubs and athletes, and the
// weigh-in screen opened as the preferences dialog would open it.

#include "app/BrivexSchema.h"
#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "competition/MusteriGiris3.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <ostream>

inline const QString kMen70 = QStringLiteral("70 KİLO ERKEK BÜYÜKLER");      // 70 .. 75
inline const QString kMen65 = QStringLiteral("65 KİLO ERKEK BÜYÜKLER");      // 60 .. 65
inline const QString kMen80 = QStringLiteral("80 KİLO ERKEK BÜYÜKLER");      // 75.01 .. 80
inline const QString kJunior60 = QStringLiteral("60 KİLO ERKEK GENÇLER");    // 55 .. 60
inline const QString kWomen55 = QStringLiteral("55 KİLO BAYAN BÜYÜKLER");    // 50 .. 55
inline const QString kClub = QStringLiteral("ANKARA SPOR");
inline const QDate kWeighDay(2024, 5, 17);
inline constexpr int kPoints = 3;   // participation points of the station

inline const char* const kAccepted = "Sporcu %1 Branşında KABUL Listesine Eklendi ...!";
inline const char* const kDisqualified = "Sporcu %1 Branşında DİSKALİFİYE Listesine Eklendi ...!";
inline const char* const kNoTypeChosen =
    "Lütfen 'İletişim Portu Seçme' Ekranından Tartı Tipini Seçiniz.\nAksi Halde Yanlış Tartı Yapabilirsiniz ...!";
inline const char* const kPortUnusable =
    "Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu Seçili.\nLütfen 'İletişim Portu Seçme' "
    "Ekranından Düzeltiniz ...!";
inline const char* const kManualNotice =
    "Bilgisayara Bağlı Tartı Cihazı Bulunamadığından veya Tartıdan Kilo Bilgisi Alınamadığından Kilo Girişleri "
    "Manuel Olarak Yapılacaktır ...!";

inline QString msg(const char* text, const QString& weightClass)
{
    return QString::fromUtf8(text).arg(weightClass);
}

class WeighInTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        Formats::setDecimalSeparator(',');
        ASSERT_TRUE(login(kInitialAdminName, kInitialAdminPassword));

        const auto weightClass = [&](int key, const QString& name, double lower, double upper, const char* sex) {
            db.insert("C_BRANS", {{"Durum_Key", key}, {"Durum", name}, {"Kilo", 0.0}, {"AltKilo", lower},
                                  {"UstKilo", upper}, {"E_B", sex}, {"Web", "1"}});
        };
        weightClass(501, kMen70, 70.0, 75.0, "E");
        weightClass(502, kMen65, 60.0, 65.0, "E");
        weightClass(503, kMen80, 75.01, 80.0, "E");
        weightClass(504, kJunior60, 55.0, 60.0, "E");
        weightClass(505, kWomen55, 50.0, 55.0, "B");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 2}, {"Durum", kClub}, {"E1", "ANKARA"}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 3}, {"Durum", "İZMİR SPOR"}, {"E1", "İZMİR"}});
        db.exec("delete * from C_PUAN");
        db.insert("C_PUAN", {{"Puani", kPoints}});
        db.insert("C_PUAN", {{"Puani", 1}});

        screen = MusteriGiris3;
        screen->FToday = [] { return kWeighDay; };
        // The preferences as "Devam" hands them over: all categories, a club
        // tournament, two weighings, no minimum belt.
        screen->FCategoryKey = kAllCategoriesKey;
        screen->FCategoryName = kAllCategoriesName;
        screen->FTeamMode = 0;
        screen->FGradeMode = 0;
        screen->FMaxWeighings = 2;
        screen->FMinBeltKey = 0;
        screen->FWarnBeforeDisqualify = 0;
    }

    void TearDown() override
    {
        if (screen && screen->isVisible())
            screen->close();
        Formats::setDecimalSeparator('.');
        ScreensTest::TearDown();
    }

    // An athlete of the register; `fields` override the defaults.
    void addPerson(int key, const QString& name, const QVariantMap& fields = {})
    {
        QVariantMap p{{"Musteri_Key", key},
                      {"Ad_Soyad", name},
                      {"Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0'))},
                      {"E50", "SPORCU"},
                      {"E15", "ERKEK"},
                      {"E53", kMen70},
                      {"Kullanici", 1},
                      {"E38", 72.0},
                      {"Vergi_Dairesi", "ANKARA"},
                      {"E16", kClub},
                      {"E25", "1.DAN"}};
        for (auto it = fields.begin(); it != fields.end(); ++it)
            p.insert(it.key(), it.value());
        db.insert("C_MUSTERI", p);
    }

    // Shows the screen (its activation runs); the messages of the
    // activation are dropped.
    void open()
    {
        screen->show();
        ui().clear();
    }

    // Enter in the register-number field.
    void selectByNumber(const QString& number)
    {
        screen->Edit6->setText(number);
        QTest::keyClick(screen->Edit6, Qt::Key_Return);
    }
    void selectByName(const QString& name)
    {
        screen->Edit7->setText(name);
        QTest::keyClick(screen->Edit7, Qt::Key_Return);
    }

    // The next yes/no question: answers it and keeps its text.
    void answer(bool yes)
    {
        modals().expect("TForm5", [this, yes](QDialog* d) {
            questions << Form5->Label1->text();
            click(child<QPushButton>(d, yes ? "BitBtn1" : "BitBtn2"));
        });
    }
    // The next weight entry: types the text and confirms (or cancels).
    void typeWeight(const QString& text, bool confirm = true)
    {
        modals().expect("TAgirlik", [text, confirm](QDialog* d) {
            child<QLineEdit>(d, "Edit1")->setText(text);
            click(child<QPushButton>(d, confirm ? "BitBtn1" : "BitBtn2"));
        });
    }

    Records rows() { return db.select("select * from C_LISTE order by Liste_Key"); }
    double registeredWeight(int key)
    {
        return db.scalar("select E38 from C_MUSTERI where Musteri_Key = :k", {{"k", key}}).toDouble();
    }

    // A weigh-in row written directly (as another weighing would have).
    void addRow(int key, int person, const QString& name, const QString& weightClass, int approved, int number)
    {
        db.insert("C_LISTE", {{"Liste_Key", key}, {"Brans", weightClass}, {"Onay", approved}, {"Ad", name},
                              {"Sira", number}, {"Musteri_Key", person}, {"Bolge", "ANKARA"}, {"Cinsiyet", "ERKEK"},
                              {"TartilanKilo", 72.0}, {"Puan", approved ? kPoints : 0}});
    }

    TMusteriGiris3* screen = nullptr;
    QStringList questions;
};
