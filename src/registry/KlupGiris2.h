#pragma once
// "Kulüp Giriş Ekranı": adds one club (or gym) to C_UYELIKSURESI or changes
// one. Callers check that it is not open already (an open editor keeps its
// club), set FClubKey (0 for a new club) and show it modally:
//
//   if (KlupGiris2->refuseWhileOpen())
//       return;
//   KlupGiris2->FClubKey = key;
//   KlupGiris2->showModal();
//
// The exam import prepares the next new club without showing the editor:
//
//   KlupGiris2->Edit26->setText(club);
//   KlupGiris2->Edit4->setText(region);
//   KlupGiris2->FPrefilled = 1;
//
// A new club takes its key from the counter "sayik". A club saved under a
// new name may carry the name into the persons of its region (after a
// question); the club row and the persons change together or not at all.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

#include <QDateTime>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TKlupGiris2 : public Form {
    Q_OBJECT
public:
    TKlupGiris2();

    // Durum_Key of the club being edited; 0 for a new club (the save sets
    // it to the new key).
    int FClubKey = 0;
    // 1: the next new club keeps the name and region a caller put in.
    int FPrefilled = 0;
    // The registry value that marks a server installation ("0").
    QString FInstallMode;
    // The clock the renamed persons' change stamps are dated with.
    std::function<QDateTime()> FNow = [] { return QDateTime::currentDateTime(); };

    QLineEdit* Edit26;          // "Kulüp/Salon Adı" (Durum)
    QLabel* Label1;             // "Yetkili Kişi"
    QLineEdit* Edit1;           // contact person (Ad_Soyad)
    QLineEdit* Edit2;           // "İş Telefonu" (Telefonlar)
    QLineEdit* Edit5;           // "Cep Telefonu" (E3)
    QLineEdit* Edit9;           // "Ev Telefonu" (E4)
    QLineEdit* Edit46;          // "Fax Numarası" (Fax)
    QLineEdit* Edit4;           // "Bölge", read-only (E1)
    QComboBox* DBLookupComboBox2;   // the regions, under Edit4
    QLabel* Label15;            // "Kod : " + club code, server installation only
    QLineEdit* Edit7;           // "Adres (1.Satır)" (Cadde)
    QLineEdit* Edit6;           // "Adres (2.Satır)" (Sokak)
    QLineEdit* Edit8;           // "Adres (3.Satır)" (No1)
    QLineEdit* Edit11;          // "İlçe" (Ilce)
    QLineEdit* Edit13;          // "Posta Kodu" (PostaKodu)
    QLineEdit* Edit12;          // "İl" (Il)
    QLineEdit* Edit3;           // name code, hidden (E2)
    QLineEdit* Edit15;          // order number, hidden (Sira)
    QRadioButton* RadioButton1; // "Kulüp"
    QRadioButton* RadioButton2; // "Salon/Kişisel" (Salon = 1)
    QCheckBox* CheckBox1;       // "Faal Değil" (Faal = "0")
    QPushButton* BitBtn1;       // "Kaydet"
    QPushButton* BitBtn2;       // "Kapat"

    // The club code of a short text: each character up to the first 0x00 is
    // replaced by its substitute, and the substitutes come in reverse order.
    static QString KodCoz(const QString& input);
    // The name code of a club name (N1, N(n-1), N2, N(n) and the letter after
    // the first blank), as the save stores it in E2.
    static QString nameCode(const QString& name);
    // The input of the club code from the name and the region code.
    static QString clubCodeInput(const QString& name, const QString& regionCode);

    // The label "Yetkili Kişi" opens the person search (modally; when it is
    // open already the operator is told) to look up the contact person;
    // nothing is copied back.
    // The search lives in the shell, which sets this when it makes it.
    std::function<void()> FShowPersonSearch;

    // Where the installation mode is read.
    static QString installKey() { return "\\Software\\Classes\\.lgat\\Shellex\\PropertySheet"; }

public Q_SLOTS:
    void Button1Click();            // "Kaydet"
    void BitBtn2Click();            // "Kapat"
    void DBLookupComboBox2Click();  // region pick
    void CheckBox1Click();
    void Edit26Change();
    void Label1Click();             // "Yetkili Kişi"

protected:
    void FormShow() override;
    void FormClose() override;

private:
    Database& db() const;
    bool askRaised(const QString& text);
    void clearKinds();
    QLineEdit* addEdit(const QString& name, int maxLength);
};

inline TKlupGiris2* KlupGiris2 = nullptr;
