#pragma once
// "Vize Yılı İşleme": the licence visa year the person search writes into
// its selection, and whose visa it is (referee, coach, regional referee).
// One instance for the whole run; it writes nothing itself:
//
//   Vizeler->showModal();
//   if (Vizeler->FConfirmed == 1) { year = Vizeler->Edit1->text().toInt(); kind = Vizeler->kind(); }
//
// The year stays from one use to the next; the choice of visa does not.

#include "app/kit/Form.h"
#include "registry/PersonBatch.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TVizeler : public Form {
    Q_OBJECT
public:
    TVizeler();

    // 1 when closed by "Devam" with valid input, otherwise 0.
    int FConfirmed = 0;

    QLabel* Label1;                 // "Lisans Vize Yılı"
    QLineEdit* Edit1;               // the year, at most 4 characters
    QGroupBox* GroupBox1;           // "  Aktivite Türü "
    QRadioButton* RadioButton1;     // "HAKEM"
    QRadioButton* RadioButton2;     // "ANTRENÖR"
    QRadioButton* RadioButton3;     // "BÖLGE HAKEM"
    QPushButton* BitBtn1;           // "Devam"
    QPushButton* BitBtn2;           // "İptal"

    // The visa of the radio button that is on (after a confirmed showing).
    PersonBatch::VisaKind kind() const;
    // Its caption ("HAKEM", "ANTRENÖR", "BÖLGE HAKEM"); empty when none is on.
    QString chosenCaption() const;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void RadioButtonClick();

protected:
    void FormActivate() override;
};

inline TVizeler* Vizeler = nullptr;
