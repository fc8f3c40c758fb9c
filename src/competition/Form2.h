#pragma once
// "Bilgi Düzeltme" / "Sicil Bilgileri Düzeltme": the weigh-in's correction
// of an athlete. List mode (from the accepted list's "Bilgi Düzeltme")
// corrects region, club and, in team tournaments, team in the athlete's
// weigh-in rows, bouts and person record; person mode (the athlete panel's
// "Bilgi Düzeltme") corrects region, club and gender in the person record.
// The saving is WeighCorrection.h. The weigh-in screen sets the fields and
// the third list before showing it.

#include "app/kit/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm2 : public Form {
    Q_OBJECT
public:
    TForm2();

    int FTeamMode = 0;        // list mode: a team tournament
    int FListRowMode = 0;     // 1 list mode, 0 person mode
    int FSaved = 0;           // a save succeeded during this showing
    int FListKey = 0;         // list mode: Liste_Key of the row
    int FPersonKey = 0;       // the athlete (list mode: from the row)
    QString FBackNumber;      // list mode: the row's Sira
    QString FOldGender;       // person mode: the gender before

    QLabel* Label3;           // the athlete's name
    QLabel* Label4;           // "Bölge"
    QLineEdit* Edit4;
    QComboBox* DBLookupComboBox2;
    QLabel* Label5;           // "Kulüp"
    QLineEdit* Edit8;
    QComboBox* DBLookupComboBox4;
    QLabel* Label6;           // "Takım" / "Cinsiyet"
    QLineEdit* Edit1;
    QComboBox* ComboBox3;
    QPushButton* BitBtn3;     // "Kaydet"
    QPushButton* BitBtn1;     // "Çıkış"

public Q_SLOTS:
    void DBLookupComboBox2Click();
    void DBLookupComboBox4Click();
    void ComboBox3Click();
    void BitBtn3Click();

protected:
    void FormActivate() override;
};

inline TForm2* Form2 = nullptr;
