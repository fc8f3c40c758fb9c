#pragma once
// "Kilo Girişi": the weight typed by hand when no scale value is available.
// The caller shows it modally; when FConfirmed is 1 the text of Edit1 reads
// as a number of kilograms with the user's decimal separator.

#include "app/kit/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TAgirlik : public Form {
    Q_OBJECT
public:
    TAgirlik();

    // 1 when closed with "Tamam" after a valid number, 0 otherwise.
    int FConfirmed = 0;

    QLabel* Label1;         // "Tartılan Kilo"
    QLineEdit* Edit1;       // the weight
    QPushButton* BitBtn1;   // "Tamam" (default button, also Enter in the field)
    QPushButton* BitBtn2;   // "İptal" (cancel button, Esc)

    // Whether a text reads as a decimal number written with this decimal
    // separator (optional sign, digits, at most one separator, an optional
    // exponent; blanks around it are allowed). Another mark, thousands
    // separators included, makes it no number.
    static bool readsAsNumber(const QString& text, QChar decimalSeparator, double* value = nullptr);

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void FormActivate() override;
};

inline TAgirlik* Agirlik = nullptr;
