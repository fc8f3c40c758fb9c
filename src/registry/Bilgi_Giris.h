#pragma once
// "Giriş": where, when and under which numbers a belt or a coach or
// referee title was given. One instance for the whole run; it writes
// nothing itself. The caller sets the prompt Label1, fills or empties the
// fields, shows it modally, then reads FCancelled and the fields:
//
//   Bilgi_Giris->Label1->setText(title + " Lisansının Verildiği Yer, ...");
//   Bilgi_Giris->Edit1->clear();
//   Bilgi_Giris->showModal();
//   if (Bilgi_Giris->FCancelled == 0) place = Bilgi_Giris->Edit1->text(); ...
//
// Edit3 is the title's visa year while its caption Label6 reads "Vize
// Yılı"; for a belt the caller captions it "Stil", makes it read-only and
// shows the style pick DBLookupComboBox14 over it (the person editor fills
// that list). For "Stil Ekle" the caller also shows the belt row (Label7,
// DBLookupComboBox1, Edit82); the dialog then lists the belts itself.

#include "app/kit/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMaskEdit;

class TBilgi_Giris : public Form {
    Q_OBJECT
public:
    TBilgi_Giris();

    // 1 unless the dialog was closed by a successful "Tamam".
    int FCancelled = 1;

    QLabel* Label1;                   // the prompt
    QLabel* Label7;                   // "Kuşak"
    QComboBox* DBLookupComboBox1;     // belt pick (for "Stil Ekle")
    QLineEdit* Edit82;                // the picked belt, read-only
    QLabel* Label2;                   // "Verildiği Yer"
    QLineEdit* Edit1;                 // place
    QLabel* Label3;                   // "Tarih"
    TMaskEdit* MaskEdit1;             // date
    QLabel* Label4;                   // "No"
    QLineEdit* Edit2;                 // decision or certificate number
    QLabel* Label5;                   // "Dip. Tarih ve No"
    QLineEdit* Edit4;                 // diploma date and number
    QLabel* Label6;                   // "Vize Yılı", or "Stil" while a belt is entered
    QLineEdit* Edit3;                 // visa year or style
    QComboBox* DBLookupComboBox14;    // style pick over Edit3
    QPushButton* BitBtn1;             // "Tamam"
    QPushButton* BitBtn2;             // "İptal"

    // Whether the belt row (for "Stil Ekle") shows.
    void setBeltPickShown(bool shown);
    bool beltPickShown() const;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void DBLookupComboBox1Click();
    void DBLookupComboBox14Click();

protected:
    void FormActivate() override;
    void FormClose() override;
};

inline TBilgi_Giris* Bilgi_Giris = nullptr;
