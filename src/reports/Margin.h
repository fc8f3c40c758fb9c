#pragma once
// "Sayfa Yapısı": the page setup of every card print. Created once at
// start-up; the visa year and the two offsets keep what was typed last
// until the program ends.
//
//   Margin->showModal();          // no cancel: the print always follows
//   card.FVisaYear = Margin->visaYear();
//   card.FStamp = Margin->FConfirmed == 1;
//
// "Evet" stamps the visa of the year on the cards, "Hayır" leaves the
// circles plain; both check the three numbers first and stay open on a
// wrong one, with the focus on it. The offsets are in screen pixels
// (1/96 inch) and take a decimal comma; the year must be a whole number.

#include "app/kit/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TMargin : public Form {
    Q_OBJECT
public:
    TMargin();

    QLabel* Label1;          // "Kimlik Kartına"
    QLineEdit* Edit2;        // the visa year
    QLabel* Label2;          // "Yılı Vizesi Basılsınmı ?"
    QLabel* Label3;          // "Kimlik Kartı Üst Boşluk"
    QLineEdit* Edit8;        // top offset
    QLabel* Label4;          // "pixels"
    QLabel* Label5;          // "Kimlik Kartı Sol Boşluk"
    QLineEdit* Edit1;        // left offset
    QLabel* Label6;          // "pixels"
    QCheckBox* CheckBox1;    // "Kimlikte Sicil Numarası Yazmasın"
    QLabel* Label7;          // "Başlık"
    QComboBox* ComboBox1;    // the card titles
    QLineEdit* Edit3;        // the chosen card title, read-only, over the list's text
    QPushButton* BitBtn4;    // "Evet"
    QPushButton* BitBtn1;    // "Hayır"

    int FConfirmed = 0;      // 1: the visa of the year is stamped
    int FValuesOk = 0;       // the last Kontrol passed

    // The card titles of the list.
    static const QStringList& cardTitles();
    // Messages of Kontrol.
    static QString valueErrorText();   // an offset
    static QString yearErrorText();    // the year

    // The numbers as checked by Kontrol (call after the dialog closed).
    double topOffset() const;
    double leftOffset() const;
    int visaYear() const;

    // Checks the top offset, the left offset and the year, in this order;
    // the first wrong one gets the error box and the focus.
    void Kontrol();

public Q_SLOTS:
    void BitBtn4Click();     // "Evet"
    void BitBtn1Click();     // "Hayır"
    void ComboBox1Change();

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_answered = false;
};

inline TMargin* Margin = nullptr;
