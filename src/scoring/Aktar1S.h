#pragma once
// The results screen: closes a competition. With an activity of C_TURNUVA
// chosen it runs one of four jobs, chosen by the caller in FRankingMode:
//   1 posts every weigh-in row's result into the person's record (F_DER):
//     the place as Derece, "DİSKALİFİYE" as Odul for a disqualified or
//     absent athlete;
//   2 the points list: points into C_LISTE.Puan and the ranking of teams;
//   3 the ranking list: places into C_LISTE.Puan and the results list;
//   4 posts FDutyText for the persons selected in the registry list.
// The caller sets the caption, Label15, FRankingMode, the visibility of the
// two check boxes (and for job 4 FDutyText and FSelectedKeys) and shows the
// screen modally. The work itself is done by widget-free routines
// (Placings.h, ResultsPosting.h) and the report launchers
// (reports/ResultsReports.h).

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TAktar1S : public Form {
    Q_OBJECT
public:
    TAktar1S();

    int FRankingMode = 0;           // job 1 to 4
    QString FDutyText;              // job 4: Gorev of the rows posted
    // Job 4: the Musteri_Key values of the persons selected in the registry
    // list, comma-separated; set by the caller.
    QString FSelectedKeys;
    QString FBranchFilter;          // inputs of Derecele
    int FFullRanking = 0;
    int FFirstPlacePoints = 1;      // inputs of DerecePuanla
    int FSecondPlacePoints = 2;
    int FThirdPlacePoints = 3;
    int FParticipationPoints = 0;   // job 2
    int FByePoints = 0;
    int FWinPoints = 0;
    int FSkipActivate = 0;          // the next activation only clears it
    QObject* FPreviewReport = nullptr;

    QLabel* Label15;                // the caption label ("Turnuva", "Başlık")
    QComboBox* DBLookupComboBox1;   // the activities, newest first (Turnuva_Adi)
    QLineEdit* Edit8;               // the chosen activity's title, read-only
    QCheckBox* CheckBox1;           // "İlk 3'ü göster" (ticked)
    QCheckBox* CheckBox2;           // "Takım/Kulüp Göster"
    QProgressBar* ProgressBar1;
    QPushButton* BitBtn3;           // "Tamam"
    QPushButton* BitBtn1;           // "Çıkış"
    // The category filter, never shown: Edit6 stays empty.
    QLabel* Label1;                 // "Kategori"
    QComboBox* DBLookupComboBox2;   // category names of C_BRANSADI above key 2
    QLineEdit* Edit6;

    // Datasets, open while the screen shows.
    Records Query1;                 // C_TURNUVA, newest first
    Records Query2;                 // C_BRANSADI (status names)
    Records Query3;                 // C_TURTURU (type names)
    Records Query4;                 // C_BRANSADI above key 2 (the category filter)

    // The chosen activity's row, or none.
    const Record* activity() const;

    // Placings with the screen's fields (Placings.h).
    void DerecePuanla();
    void Derecele();

    void SetPreviewReport(QObject* report) { FPreviewReport = report; }

    // Messages of the jobs.
    static QString postedText(int posted, int notPosted);   // job 1
    static QString dutiesText(int posted, int notPosted);   // job 4

public Q_SLOTS:
    void BitBtn3Click();                // "Tamam"
    void BitBtn1Click();                // "Çıkış"
    void DBLookupComboBox1Click();
    void Label1Click();
    void DBLookupComboBox2Click();
    void TurnuvaIsle();                 // job 4

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void postResults();                 // job 1
    void pointsList();                  // job 2
    void rankingList();                 // job 3
    bool ask(const QString& question, bool moveUp);
    void setProgress(int percent);
};

inline TAktar1S* Aktar1S = nullptr;
