#pragma once
// "Uyarı": the shared yes/no question. The caller writes the question into
// Label1 (a "\n" gives a second line; callers with two lines move the label
// 8 pixels up before showing it and back afterwards), may change the button
// captions (and restores them), shows it modally and then tests FConfirmed.
//
//   Form5->Label1->setText(name.left(20) + " Silinecektir. Emin misiniz ...?");
//   Form5->showModal();
//   if (Form5->FConfirmed == 1) ...
//
// or in one call, which also moves the label for a two-line question:
//
//   if (Form5->confirm("Silinecektir." "\n" "Devam Edilsinmi ?", true)) ...
//
// A question whose "Evet" ends a running bout or deletes lists is asked with
// "Hayır" as the default button: Enter answers "Hayır", and Space (the bout
// clock's key, pressed out of habit) answers neither button.
//
//   if (Form5->confirm(question, false, TForm5::DefaultNo)) ...

#include "app/kit/Form.h"

class QLabel;
class QPushButton;

class TForm5 : public Form {
    Q_OBJECT
public:
    TForm5();

    // 1 when the dialog was closed with "Evet"; 0 otherwise (reset at every
    // showing).
    int FConfirmed = 0;

    QLabel* Image1;         // the warning picture
    QLabel* Label1;         // the question
    QPushButton* BitBtn1;   // "Evet" (default button, Enter)
    QPushButton* BitBtn2;   // "Hayır" (cancel button, Esc)

    // Which button a question has as its default.
    enum DefaultButton {
        DefaultYes,     // "Evet" takes Enter and the focus
        DefaultNo       // "Hayır" takes Enter and the focus; Space answers neither
    };

    // Asks `question` modally; true for "Evet". With twoLines the label
    // stands 8 pixels higher while the question shows. The default button
    // holds for this question only.
    bool confirm(const QString& question, bool twoLines = false, DefaultButton defaultButton = DefaultYes);

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void FormShow() override;
    void FormActivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setDefaultButton(DefaultButton defaultButton);

    DefaultButton m_default = DefaultYes;
};

inline TForm5* Form5 = nullptr;
