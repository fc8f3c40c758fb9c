#pragma once
// "Bilgi Girişi": the letter header dialog that the letter runs show before
// printing. It asks for the title, subject, number and date of the letter
// and the letter text to print as its body. Callers show it modally and then
// read Edit8, Edit5, Edit6, Edit1 and FLetterFile:
//
//   MetinIlave->showModal();
//   report->FLetterFile = MetinIlave->FLetterFile;   // "" prints no body
//
// The four fields keep their texts from one letter run to the next.

#include "app/kit/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TMetinIlave : public Form {
    Q_OBJECT
public:
    TMetinIlave();

    // "M" + Met_Key + ".rtf" of the chosen letter text (a file name in the
    // letters folder), or "" when none was chosen or the dialog was left
    // otherwise than with "Devam".
    QString FLetterFile;
    // The dialog was closed with "Devam".
    bool FConfirmed = false;

    QLabel* Label1;                 // "Metin" (a click clears the choice)
    QComboBox* DBLookupComboBox1;   // the letter texts by name
    QToolButton* SpeedButton1;      // "...", the letter texts screen
    QLabel* Label15;                // "Başlık"
    QLineEdit* Edit8;
    QLabel* Label8;                 // "Konu"
    QLineEdit* Edit5;
    QLabel* Label14;                // "Sayı"
    QLineEdit* Edit6;
    QLabel* Label2;                 // "Tarih"
    QLineEdit* Edit1;               // free text
    QPushButton* BitBtn4;           // "Devam"

public Q_SLOTS:
    void BitBtn4Click();            // "Devam"
    void SpeedButton1Click();       // "..."
    void DBLookupComboBox1CloseUp();
    void Label1Click();
    void Label15Click();
    void Label8Click();
    void Label14Click();
    void Label2Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    // Lists the letter texts, keeping the chosen one when it is still there.
    void openList();
    QVariant m_chosenKey;
};

inline TMetinIlave* MetinIlave = nullptr;
