#pragma once
// "Millilik Bilgileri": the national-team result printed on the national
// athlete card. The launcher sets the statement of the achievement list
// (Query16, rows of F_DER) before showing it; picking an achievement fills
// the four texts from its activity, and all four stay editable. The class
// choice keeps its button from one use to the next.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TMillilik : public Form {
    Q_OBJECT
public:
    TMillilik();

    QLabel* Label1;                    // "Turnuva Adı"
    QComboBox* DBLookupComboBox1;      // the achievements by activity name; key Der_Key
    QLabel* Label2;                    // "Milli Olduğu Müsabaka Adı"
    QLineEdit* Edit1;
    QLabel* Label3;                    // "Müsabaka Yeri ve Tarihi"
    QLineEdit* Edit2;
    QLabel* Label4;                    // "Müsabakaya Katılan Ülke Sayısı"
    QLineEdit* Edit3;
    QLabel* Label5;                    // "Derecesi"
    QLineEdit* Edit4;
    QRadioButton* RadioButton1;        // "A Sınıfı"
    QRadioButton* RadioButton2;        // "B Sınıfı"
    QRadioButton* RadioButton3;        // "C Sınıfı"
    QPushButton* BitBtn4;              // "Devam"

    // The achievement list's statement, set by the launcher.
    QString Query16Sql;
    // Open while the dialog shows: the achievements with Turnuva_Adi,
    // Tur_Yer, Ulke_Say1 and Tur_Tarih of their activity.
    Records Query16;
    Records Query17;                   // the activities (C_TURNUVA)

    // The class letter chosen: "A", "B" or "C".
    QString classLetter() const;

public Q_SLOTS:
    void DBLookupComboBox1Click();
    void BitBtn4Click();

protected:
    void FormActivate() override;
    void FormClose() override;
};

inline TMillilik* Millilik = nullptr;
