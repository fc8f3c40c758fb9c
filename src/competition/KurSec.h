#pragma once
// "Kura Çekim Seçenekleri": asked by the match screen's "Kura Çek" before a
// draw. It asks what to draw (the branch chosen on the match screen, every
// branch, or every branch of one category name) and the bout settings the
// draw and the scoreboard use afterwards: the bout durations for men and
// women and the number of rounds. It writes nothing itself:
//
//   Kur_Sec->FMatchState = matchState;      // the durations and rounds shown
//   Kur_Sec->FShowDurations = scoreboardCommandEnabled;
//   Kur_Sec->showModal();
//   if (Kur_Sec->FCancelled == 0) {
//       "00:" + Edit1, Edit2, Edit3, Edit4 text -> durations; Edit5 -> rounds;
//       RadioButton1/2/3 -> what to draw; Edit6 -> the category name
//   }

#include "app/kit/Form.h"

class MatchState;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TKur_Sec : public Form {
    Q_OBJECT
public:
    TKur_Sec();

    // 1 at every showing and after "İptal"; 0 after "Devam" when every check
    // passed: the caller draws only when it reads 0.
    int FCancelled = 1;
    // The match screen's settings shown in the fields; set by the opener.
    // Without one the start-up defaults are shown.
    MatchState* FMatchState = nullptr;
    // Whether the durations panel shows (the match screen's scoreboard
    // command is enabled); set by the opener.
    bool FShowDurations = true;

    QRadioButton* RadioButton1;     // "Seçilen Branşın Kurasını Çek"
    QRadioButton* RadioButton2;     // "Tüm Branşların Kuralarını Çek"
    QRadioButton* RadioButton3;     // "Aşağıda Seçilen Kategorinin Kuralarını Çek"
    QLabel* Label1;                 // "Kategori"
    QComboBox* DBLookupComboBox5;   // category names
    QLineEdit* Edit6;               // the chosen category name, read-only, over the list
    QFrame* Panel1;                 // the durations and the round count
    QLabel* Label2;                 // "Müsabaka Süresi (Erkek)"
    QLineEdit* Edit1;               // men's bout duration "MM:SS"
    QLabel* Label3;                 // "Müsabaka Süresi (Bayan)"
    QLineEdit* Edit2;               // women's bout duration "MM:SS"
    QLabel* Label4;                 // "Round Sayısı"
    QLineEdit* Edit5;               // number of rounds
    QLineEdit* Edit3;               // men's final duration (hidden)
    QLineEdit* Edit4;               // women's final duration (hidden)
    QFrame* Panel2;                 // the order switch's panel (hidden)
    QRadioButton* RadioButton4;     // order switch of the draw, always unchecked
    QPushButton* BitBtn4;           // "Devam"
    QPushButton* BitBtn1;           // "İptal"

public Q_SLOTS:
    void BitBtn4Click();            // "Devam"
    void BitBtn1Click();            // "İptal"
    void RadioButton1Click();       // the choice rule, for all three choices
    void DBLookupComboBox5Click();  // category chosen

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;

private:
    const MatchState& matchState() const;
    // The dialog's width without and with the durations panel.
    int m_narrowWidth = kNarrowDialogWidth;
    int m_wideWidth = 0;
    static constexpr int kNarrowDialogWidth = 278;
};

inline TKur_Sec* Kur_Sec = nullptr;
