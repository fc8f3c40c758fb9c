#pragma once
// "Rapor Başlığı Girişi" of the competition reports (weigh-in, bout and ring
// lists, score sheets, competition and accreditation cards).
//
// Besides the free title (Edit8) it offers an activity of C_TURNUVA, from
// which "Tamam" composes a two-line activity title (FActivityTitle), and
// options each caller shows or hides before the showing and reads after it:
// "Kilo Gösterme", "Takım/Kulüp Gösterme", "Uluslar arası Müsabaka", a
// report date, and the person fields of the accreditation card (Panel1).
// The start-up configuration hides the activity picker, so FActivityTitle
// and FActivityName then stay empty.
//
// There is no cancel: however the dialog is closed the caller goes on;
// closing it other than by "Tamam" leaves FActivityTitle and FActivityName
// as the last "Tamam" made them.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TBaslik1S : public Form {
    Q_OBJECT
public:
    TBaslik1S();

    QLabel* Label15;                    // "Başlık" (bold); a click clears Edit8
    QLineEdit* Edit8;                   // the free title
    QComboBox* DBLookupComboBox1;       // activity picker over Edit8: Turnuva_Adi, key Turnuva_Key
    QCheckBox* CheckBox2;               // "Kilo Gösterme" (checked)
    QCheckBox* CheckBox3;               // "Takım/Kulüp Gösterme" (checked)
    QCheckBox* CheckBox5;               // "Uluslar arası Müsabaka" (hidden)
    QLabel* Label4;                     // "Tarih" (hidden)
    QDateEdit* DateTimePicker1;         // report date (hidden)
    QLineEdit* MaskEdit1;               // the picked date as text, read-only (hidden)
    QFrame* Panel1;                     // person fields of the accreditation card (hidden)
    QLabel* Label1;                     // "Ad Soyad"
    QLineEdit* Edit1;
    QLabel* Label2;                     // "Unvan"
    QLineEdit* Edit2;
    QRadioButton* RadioButton1;         // "Sporcu"
    QRadioButton* RadioButton2;         // "Hakem"
    QRadioButton* RadioButton3;         // "Antrenör"
    QRadioButton* RadioButton5;         // "Hakem-Antrenör"
    QRadioButton* RadioButton4;         // "Unvan"
    QRadioButton* RadioButton6;         // "Diğer"
    QLabel* Label54;                    // "Kategori" (hidden); a click clears Edit6
    QComboBox* DBLookupComboBox5;       // category names of Query12 (hidden)
    QLineEdit* Edit6;                   // the chosen category, read-only (hidden)
    QLabel* Label3;                     // "Kata/Kumite" (hidden); a click clears the choice
    QComboBox* ComboBox2;               // "KATA", "KUMİTE" (hidden)
    QPushButton* BitBtn4;               // "Tamam" (bold)

    // Read by the callers after the dialog closed.
    QString FActivityTitle;             // activity name, a line break, dates and place
    QString FActivityName;              // the chosen activity's Turnuva_Adi

    // Datasets, open while the dialog shows.
    Records Query2;                     // activities, newest first, with Durum, Turu, Turnuva_Adi
    Records Query1;                     // category names (lookup of Durum)
    Records Query3;                     // activity types (lookup of Turu)
    Records Query12;                    // category names above key 2

    // Turnuva_Adi of an activity row: the dates, the place, the name, " /",
    // the category and the type.
    static QString activityText(const Record& activity, const QString& category, const QString& type);
    // The activity title "Tamam" composes from an activity row (Adi, Yer,
    // Tarih1, Tarih2; ActivityTitle::compose); English month names for an
    // international competition.
    static QString composeTitle(const Record& activity, bool international);

public Q_SLOTS:
    void Label15Click();
    void DBLookupComboBox1Click();
    void DBLookupComboBox5Click();
    void DateTimePicker1Change();
    void RadioButton1Click();   // also "Hakem", "Antrenör", "Hakem-Antrenör"
    void RadioButton4Click();   // "Unvan"
    void RadioButton6Click();   // "Diğer"
    void Label54Click();
    void Label3Click();
    void BitBtn4Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void closeDataSets();
};

inline TBaslik1S* Baslik1S = nullptr;
