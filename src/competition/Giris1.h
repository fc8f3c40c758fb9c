#pragma once
// "Sporcu Seçme Tercihleri": the settings of a weigh-in, chosen before the
// athletes are weighed: the category whose weight classes are weighed, the
// tournament kind (club, team, team with grade), how many out-of-limit
// weighings an athlete gets before a disqualification, the minimum belt, and
// whether to ask before a disqualification is written. "Devam" hands them to
// the weigh-in screen and shows it modally; when it closes, so does this
// dialog. The choices stay for the next weigh-in of the run.
//
// The main window shows it from " TARTI " / "  Sporcu TARTI Ekranı".

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TGiris1 : public Form {
    Q_OBJECT
public:
    TGiris1();

    // Lists opened at activation.
    Records FKinds;         // C_KL_BL
    Records FCategories;    // C_BRANSADI but the row with key 2
    Records FBelts;         // KUSAK
    // The chosen keys; they stay between showings.
    int FKindKey = 1;
    int FBeltKey = 1;
    // The category row "Devam" found for the name in Edit6 (0 before).
    int FCategoryKey = 0;

    QLabel* Label1;                   // "Turnuva Türü"
    QComboBox* DBLookupComboBox1;     // tournament kinds
    QLabel* Label2;                   // "Kategori"
    QLineEdit* Edit6;                 // the chosen category (read-only)
    QComboBox* DBLookupComboBox5;     // categories
    QLabel* Label3;                   // "Max Tartma Sayısı"
    QComboBox* ComboBox3;             // "SINIRSIZ", "1" .. "20"
    QLabel* Label4;                   // "Min Kuşak" (a click returns to key 1)
    QComboBox* DBLookupComboBox2;     // belts
    QCheckBox* CheckBox1;             // "Diskalifiye Olmadan Önce Uyar"
    QPushButton* BitBtn4;             // "Devam"

public Q_SLOTS:
    void BitBtn4Click();
    void DBLookupComboBox1Click();
    void DBLookupComboBox5Click();
    void DBLookupComboBox2Click();
    void Label4Click();

protected:
    void FormActivate() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showKind();
    void showBelt();
};

inline TGiris1* Giris1 = nullptr;
