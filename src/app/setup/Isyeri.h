#pragma once
// "Federasyon Adresi": the federation's name, the name of its sport and its
// postal address, kept in the first row of C_YAZILAR. The main window reads
// the sport name as the prefix of report titles (SportName); saving here
// changes it at once. Callers only show the screen modally.

#include "app/kit/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

class TIsyeri : public Form {
    Q_OBJECT
public:
    TIsyeri();

    // Lengths the columns hold.
    static constexpr int kNameLength = 70;
    static constexpr int kSportLength = 50;
    static constexpr int kAddressLength = 254;

    QLabel* Label1;             // "Federasyon Adı"
    QLineEdit* Edit1;           // FirmaAdi
    QLabel* Label2;             // "Spor Dalı"
    QLineEdit* Edit2;           // Ihbar
    QLabel* Label3;             // "Federasyon Adresi"
    QTextEdit* RichEdit1;       // Adres, several lines, letter case kept
    QPushButton* BitBtn1;       // "Kaydet"
    QPushButton* BitBtn3;       // "Kapat"

    // The address as it is stored: its lines joined by line breaks.
    QString addressText() const;

public Q_SLOTS:
    void BitBtn1Click();        // "Kaydet"
    void BitBtn3Click();        // "Kapat"
    void RichEdit1Change();

protected:
    void FormActivate() override;
};

inline TIsyeri* Isyeri = nullptr;
