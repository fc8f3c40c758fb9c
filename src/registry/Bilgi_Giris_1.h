#pragma once
// "Sporcu Lisans Bilgileri": a licence or transfer of an athlete, asked
// when the person editor's club is picked. One instance for the whole run;
// it writes nothing itself. The caller names the picked club and the
// person's region, fills Edit1 with the licence number shown, empties the
// licence date, shows it modally and reads FCancelled, FClubKey,
// FRegionKey and the fields:
//
//   Bilgi_Giris_1->FPickedClubKey = clubKey;
//   Bilgi_Giris_1->FRegionName = Edit4->text();
//   Bilgi_Giris_1->Edit1->setText(Edit26->text());
//   Bilgi_Giris_1->MaskEdit1->clear();
//   Bilgi_Giris_1->showModal();
//   if (Bilgi_Giris_1->FCancelled == 0) ...
//
// The dates come back as "dd.mm.yyyy", or the blank mask for the visa and
// transfer dates not given.

#include "app/kit/Form.h"

#include <QDate>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TMaskEdit;

class TBilgi_Giris_1 : public Form {
    Q_OBJECT
public:
    TBilgi_Giris_1();

    // In: the Durum_Key of the club just picked, and the person's region.
    int FPickedClubKey = 0;
    QString FRegionName;
    // Out: 1 unless closed by a successful "Tamam"; the club's and the
    // region's Durum_Key as text ("" when not found).
    int FCancelled = 1;
    QString FClubKey;
    QString FRegionKey;
    // Today's date for the date captions (tests set a fixed one).
    std::function<QDate()> FToday = [] { return QDate::currentDate(); };

    QLabel* Label1;       // the prompt
    QLabel* Label8;       // "Kulüp Adı :"
    QLabel* Label6;       // the club's name
    QLabel* Label9;       // "Bölge :"
    QLabel* Label7;       // the region's name
    QLabel* Label2;       // "Lisans Numarası"
    QLineEdit* Edit1;     // licence number
    QLabel* Label3;       // "Lisans Tarihi"
    TMaskEdit* MaskEdit1; // licence date
    QLabel* Label4;       // "Vize Tarihi"
    TMaskEdit* MaskEdit2; // visa date
    QLabel* Label5;       // "Transfer Tarihi"
    TMaskEdit* MaskEdit3; // transfer date
    QLabel* Label10;      // "Kategori" ("Menajer" after start-up)
    QLineEdit* Edit2;     // manager
    QLabel* Label11;      // "Açıklama"
    QLineEdit* Edit3;     // remark
    QPushButton* BitBtn1; // "Tamam"
    QPushButton* BitBtn2; // "İptal"

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void Label3Click();   // today into the licence date
    void Label4Click();   // today into the visa date
    void Label5Click();   // today into the transfer date

protected:
    void FormActivate() override;
};

inline TBilgi_Giris_1* Bilgi_Giris_1 = nullptr;
