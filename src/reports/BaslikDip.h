#pragma once
// "Sınav Yeri ve Tarihi": the exam texts printed on the diplomas. Created
// once at start-up; the four texts keep what was typed last. No check, no
// cancel: the print follows with whatever the fields hold.

#include "app/kit/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TBaslikDip : public Form {
    Q_OBJECT
public:
    TBaslikDip();

    QLabel* Label15;        // "Sınav Yeri"
    QLineEdit* Edit8;       // exam place
    QLabel* Label1;         // "Sınav Tarihi"
    QLineEdit* Edit1;       // exam date (free text)
    QLabel* Label2;         // "Derece"
    QLineEdit* Edit2;       // degree awarded
    QLabel* Label3;         // "Fed. Başkanı"
    QLineEdit* Edit3;       // president's name
    QPushButton* BitBtn4;   // "Tamam"

public Q_SLOTS:
    // Any of the four captions: empties the exam place.
    void Label15Click();
    void BitBtn4Click();

protected:
    void FormActivate() override;
};

inline TBaslikDip* BaslikDip = nullptr;
