#pragma once
// "Rapor Başlığı Girişi" of the person lists: the title dialog of Baslik1.h
// with the sort column of the list (" Sıra ").
//
//   Baslik4->showModal();
//   order = Baslik4->sortColumn();   // "Ad_Soyad", "Vergi_Numarasi", ...

#include "reports/Baslik1.h"

class QGroupBox;
class QRadioButton;

class TBaslik4 : public TBaslik1 {
    Q_OBJECT
public:
    TBaslik4();

    QGroupBox* GroupBox1;           // " Sıra "
    QRadioButton* RadioButton1;     // "İsim"                                     Ad_Soyad
    QRadioButton* RadioButton2;     // "Sicil No"                                 Vergi_Numarasi
    QRadioButton* RadioButton6;     // "Bölge"                                    Vergi_Dairesi
    QRadioButton* RadioButton3;     // "Son Kuşak/Dan Verildiği Tarih"            M7
    QRadioButton* RadioButton4;     // "Son Hakem Ünvanı Verildiği Tarih"         M6
    QRadioButton* RadioButton5;     // "Son Antrenörlük Ünvanı Verildiği Tarih"   M5

    // The sort column of the checked button.
    QString sortColumn() const;
};

inline TBaslik4* Baslik4 = nullptr;
