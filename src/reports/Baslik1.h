#pragma once
// "Rapor Başlığı Girişi": the plain title dialogs of the reports.
//
//   Baslik1->showModal();
//   PrintMenu1A->QRLabel9->caption = Baslik1->Edit8->text();
//
// There is no cancel: however the dialog is closed, the caller goes on with
// whatever the title field holds. The field keeps its text from one use to
// the next; only a click on the label "Başlık" clears it. Enter in the field
// moves the focus to "Tamam".
//
// TBaslik1 upper-cases typed letters the Turkish way; TBaslik2 takes them as
// typed; TBaslik4 (Baslik4.h) adds the sort choice of the person lists.

#include "app/kit/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TBaslik1 : public Form {
    Q_OBJECT
public:
    TBaslik1();

    QLabel* Label15;        // "Başlık" (bold); a click clears the title
    QLineEdit* Edit8;       // the title
    QPushButton* BitBtn4;   // "Tamam" (bold)

public Q_SLOTS:
    void Label15Click();
    void BitBtn4Click();

protected:
    // upperCase: typed letters become Turkish capitals.
    TBaslik1(const QString& name, bool upperCase);
    void FormActivate() override;
    // The window's height without the parts a derived dialog adds.
    static constexpr int kTitleHeight = 96;
};

inline TBaslik1* Baslik1 = nullptr;
