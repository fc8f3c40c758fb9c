#pragma once
// "Kura Aktar": the ring-copy dialog of the match screen's "Kura Aktar". It
// names the category the match screen shows and tells the operator that the
// draw cannot be copied to another ring from this station; it changes
// nothing.
//
//   KuraAktar->FBranchEdit = Edit1;   // the match screen's category edit
//   KuraAktar->FGenderEdit = Edit4;   // and its gender edit
//   KuraAktar->showModal();

#include "app/kit/Form.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

class TKuraAktar : public Form {
    Q_OBJECT
public:
    TKuraAktar();

    // The opener's category and gender edits, read at every activation.
    QPointer<QLineEdit> FBranchEdit;
    QPointer<QLineEdit> FGenderEdit;

    QLabel* Label1;         // "Branş"
    QLineEdit* Edit1;       // the category
    QLabel* Label2;         // "Cinsiyet"
    QLineEdit* Edit2;       // the gender
    QLabel* Label3;         // the notice
    QPushButton* BitBtn1;   // "Kapat"

    static const QString kNotAvailable;

protected:
    void FormActivate() override;
};

inline TKuraAktar* KuraAktar = nullptr;
