#pragma once
// A signed-in station with every screen, the match screen's settings the
// bout entry and the draw options read, and helpers to fill their fields.

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "competition/KuraKayit.h"
#include "competition/KurSec.h"
#include "competition/MatchState.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <ostream>

inline const QDate kEntryDay(2024, 5, 18);

// The refusals of a duration typed into the bout entry or the draw options.
inline const char* const kFormat = "Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!";
inline const char* const kWrongTime = "Süreyi Hatalı Girdiniz ...!";

// Types into a masked field from a position, as the operator does (a
// position skipped stays blank).
inline void typeMasked(QLineEdit* edit, const QString& text, int from = 0)
{
    edit->setText(QString());
    edit->setFocus();
    edit->setCursorPosition(from);
    QTest::keyClicks(edit, text);
}

// Types `text` over the first `count` characters of a masked field that
// holds `before`, as an operator who selects them and types ("3" over "03"
// of "03:00" leaves "3_:00").
inline void typeOver(QLineEdit* edit, const QString& before, int count, const QString& text)
{
    edit->setText(before);
    edit->setFocus();
    edit->setSelection(0, count);
    QTest::keyClicks(edit, text);
}

// Puts a text into a named field of a shown dialog.
inline void setText(QDialog* d, const char* field, const QString& text)
{
    child<QLineEdit>(d, field)->setText(text);
}

class CompetitionTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login("ADMIN", "1234"));
        ui().clear();
        Formats::setDecimalSeparator(',');
        match = std::make_unique<MatchState>();
        Kura_Kayit->FMatchState = match.get();
        Kura_Kayit->today = [] { return kEntryDay; };
        Kur_Sec->FMatchState = match.get();
    }

    void TearDown() override
    {
        Formats::setDecimalSeparator('.');
        ScreensTest::TearDown();
    }

    struct Bout {
        QString weight = "57";
        QString gender = "ERKEK";
        QString category = "BÜYÜKLER";
        QString blue = "ALİ YILMAZ";
        QString blueRegion = "ANKARA";
        QString blueClub = "GÜCÜ SK";
        QString red = "VELİ KAYA";
        QString redRegion = "İZMİR";
        QString redClub = "";
    };

    // Fills the bout entry's fields (the dialog is showing).
    static void fill(QDialog* d, const Bout& b)
    {
        child<QLineEdit>(d, "Edit9")->setText(b.weight);
        pick(child<QComboBox>(d, "ComboBox4"), b.gender);
        pick(child<QComboBox>(d, "DBLookupComboBox5"), b.category);
        child<QLineEdit>(d, "Edit3")->setText(b.blue);
        pick(child<QComboBox>(d, "DBLookupComboBox1"), b.blueRegion);
        child<QLineEdit>(d, "Edit4")->setText(b.blueClub);
        child<QLineEdit>(d, "Edit5")->setText(b.red);
        pick(child<QComboBox>(d, "DBLookupComboBox2"), b.redRegion);
        child<QLineEdit>(d, "Edit6")->setText(b.redClub);
    }

    // Enters a new bout through the dialog; returns FSaved.
    int enter(const Bout& b)
    {
        Kura_Kayit->FBoutKey = 0;
        modals().expect("TKura_Kayit", [&](QDialog* d) {
            fill(d, b);
            click(child<QPushButton>(d, "BitBtn1"));
        });
        Kura_Kayit->showModal();
        return Kura_Kayit->FSaved;
    }

    // Opens a bout for a change as the match screen does; `script` edits it.
    void change(int key, const std::function<void(QDialog*)>& script)
    {
        Kura_Kayit->FBoutKey = key;
        Kura_Kayit->setChangeFieldsEnabled(true);
        modals().expect("TKura_Kayit", script);
        Kura_Kayit->showModal();
        Kura_Kayit->setChangeFieldsEnabled(false);
    }

    Record boutRow(int key)
    {
        const auto r = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no bout " << key;
        return r.value_or(Record());
    }

    int count(const QString& table)
    {
        return db.scalar("select count(*) from " + Database::identifier(table)).toInt();
    }

    std::unique_ptr<MatchState> match;
};
