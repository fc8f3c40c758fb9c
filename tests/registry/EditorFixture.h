#pragma once
// The person record editor signed in as the administrator, with a weight
// category, a club and a style to pick, and helpers that drive it as the
// clerk does: typing and picking in its named controls.

#include "app/kit/DbConventions.h"
#include "app/dialogs/Form5.h"
#include "app/kit/Formats.h"
#include "app/Sifre.h"
#include "registry/Bilgi_Giris.h"
#include "registry/Bilgi_Giris_1.h"
#include "registry/MaskEdit.h"
#include "registry/MusteriGiris2.h"
#include "registry/Seminer.h"
#include "support/ScreenDriving.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <tuple>

inline const QString k57 = QString::fromUtf8("57 KG ERKEK BÜYÜKLER");
inline const QString k63 = QString::fromUtf8("63 KG ERKEK BÜYÜKLER");

class EditorTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        for (const auto& [name, low, high] : {std::tuple{k57, 54.0, 57.0}, std::tuple{k63, 57.0, 63.0}})
            db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", name}, {"E_B", "E"},
                                  {"AltKilo", low}, {"UstKilo", high}});
        club = Counters::next(db, "sayik");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", club}, {"Durum", "KARTAL SPOR"}, {"E1", "İSTANBUL"}});
        otherClub = Counters::next(db, "sayik");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", otherClub}, {"Durum", "ANKARA GÜCÜ"}, {"E1", "ANKARA"}});
        editor = MusteriGiris2;
        editor->FNow = [] { return QDateTime(QDate(2009, 3, 5), QTime(14, 5, 9)); };
        Bilgi_Giris_1->FToday = [] { return QDate(2009, 3, 5); };
    }

    // Opens the editor as the search screen does; the script runs while it
    // shows, as the active window.
    void open(int key, std::function<void()> script)
    {
        editor->FPersonKey = key;
        editor->FFromWeighIn = 0;
        editor->FBatchMode = 0;
        modals().expect("TMusteriGiris2", [script](QDialog* d) {
            QApplication::setActiveWindow(d);
            script();
            // Leaves without the closing question.
            MusteriGiris2->FModified = 0;
            d->reject();
        });
        editor->showModal();
    }

    QLineEdit* edit(const QString& name) { return child<QLineEdit>(editor, name); }
    TMaskEdit* date(const QString& name) { return child<TMaskEdit>(editor, name); }
    QComboBox* list(const QString& name) { return child<QComboBox>(editor, name); }
    QLabel* label(const QString& name) { return child<QLabel>(editor, name); }
    QPushButton* button(const QString& name) { return child<QPushButton>(editor, name); }

    // Types a date's digits into a date field, as the clerk does.
    static void typeDate(TMaskEdit* field, const QString& shown)
    {
        field->clear();
        field->setFocus();
        field->setCursorPosition(0);
        const QString digits = QString(shown).remove('.').trimmed();
        if (!digits.isEmpty())
            typeInto(field, digits);
    }

    // A stored person.
    int insertPerson(int key, const QVariantMap& extra = {})
    {
        QVariantMap row{{"Musteri_Key", key},  {"Vergi_Numarasi", "0000009"}, {"Adi", "AYŞE"},
                        {"Soyadi", "KAYA"},    {"Ad_Soyad", "AYŞE KAYA"},     {"Vergi_Dairesi", "ANKARA"},
                        {"E43", "İL TEMSİLCİSİ"}, {"M1", QDate(2008, 1, 1)},  {"M2", QDate(2001, 2, 3)},
                        {"Kullanici", 0},      {"Tip", 1}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            row.insert(it.key(), it.value());
        db.insert("C_MUSTERI", row);
        return key;
    }
    Record stored(int key)
    {
        const auto r = db.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value());
        return r ? *r : Record();
    }
    int count(const QString& table) { return db.scalar("select count(*) from " + table).toInt(); }
    int titleKey(const QString& name)
    {
        return db.scalar("select Durum_Key from C_UYEKULLANICI where Durum = :d", {{"d", name}}).toInt();
    }
    int beltKey(const QString& name)
    {
        return db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = :d", {{"d", name}}).toInt();
    }

    // Scripts the entry dialog "Giriş": place, date, number, diploma text
    // and visa year (or style) typed, then "Tamam".
    static void expectEntry(const QString& place, const QString& when, const QString& number = QString(),
                            const QString& diploma = QString(), const QString& visaYear = QString())
    {
        modals().expect("TBilgi_Giris", [=](QDialog*) {
            TBilgi_Giris* d = Bilgi_Giris;
            typeInto(d->Edit1, place);
            if (!when.isEmpty())
                typeDate(d->MaskEdit1, when);
            typeInto(d->Edit2, number);
            typeInto(d->Edit4, diploma);
            if (!visaYear.isEmpty()) {
                d->Edit3->clear();
                typeInto(d->Edit3, visaYear);
            }
            click(d->BitBtn1);
            EXPECT_FALSE(d->isVisible()) << ui().texts().join(" | ").toStdString();
        });
    }
    static void expectCancelledEntry()
    {
        modals().expect("TBilgi_Giris", [](QDialog*) { click(Bilgi_Giris->BitBtn2); });
    }
    // Scripts the licence dialog: number, licence and visa dates, manager.
    static void expectLicence(const QString& number, const QString& licenceDate, const QString& visaDate,
                              const QString& manager = QString())
    {
        modals().expect("TBilgi_Giris_1", [=](QDialog*) {
            TBilgi_Giris_1* d = Bilgi_Giris_1;
            d->Edit1->clear();
            typeInto(d->Edit1, number);
            typeDate(d->MaskEdit1, licenceDate);
            if (!visaDate.isEmpty())
                typeDate(d->MaskEdit2, visaDate);
            typeInto(d->Edit2, manager);
            click(d->BitBtn1);
            EXPECT_FALSE(d->isVisible()) << ui().texts().join(" | ").toStdString();
        });
    }

    TMusteriGiris2* editor = nullptr;
    int club = 0;
    int otherClub = 0;
};
