#pragma once
// "Seminer İşleme": a seminar's name, place and dates. One instance for the
// whole run; it writes nothing itself. The person editor adds the seminar
// to the person on screen, the search screen to each selected person:
//
//   Seminer->showModal();
//   if (Seminer->FConfirmed == 1) {
//       name = Seminer->Edit1->text(); place = Seminer->Edit2->text();
//       end = Seminer->MaskEdit1->maskedText();      // required
//       start = Seminer->MaskEdit2->maskedText();    // may be the blank mask
//   }
//
// The date texts are read-only: the date pickers beside them fill them.
// The name stays from one use to the next; the place and dates do not.

#include "app/kit/Form.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class TMaskEdit;

class TSeminer : public Form {
    Q_OBJECT
public:
    TSeminer();

    // 1 when closed by a successful "Devam", otherwise 0.
    int FConfirmed = 0;

    QLabel* Label1;                   // "Seminer Adı"
    QLineEdit* Edit1;                 // name
    QLabel* Label2;                   // "Verildiği Yer"
    QLineEdit* Edit2;                 // place
    QLabel* Label4;                   // "Başlangıç Tarihi" (a click blanks the start date)
    TMaskEdit* MaskEdit2;             // start date
    QDateEdit* DateTimePicker2;
    QLabel* Label3;                   // "Bitiş Tarihi"
    TMaskEdit* MaskEdit1;             // end date
    QDateEdit* DateTimePicker1;
    QPushButton* BitBtn1;             // "Devam"
    QPushButton* BitBtn2;             // "İptal"

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void DateTimePicker1Change();
    void DateTimePicker2Change();
    void Label4Click();

protected:
    void FormActivate() override;
};

inline TSeminer* Seminer = nullptr;
