#pragma once
// "Maçların Ringlere Dağıtılması": the ring plan of a competition day. The
// operator multi-selects weight classes that have bouts, then distributes
// their bouts over 1 to 20 rings for the day ("Ringe Dağıt"), prints the
// day's ring lists and saves them as "Liste.csv" ("Yazdır"), or cancels the
// plan of the selected classes ("İptal"). The plan itself is RingPlan.h.
// Opened modally by the main window.

#include "app/kit/Form.h"

#include <QStringList>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TDBGrid;

class TRingDag : public Form {
    Q_OBJECT
public:
    TRingDag();

    int FInPreview = 0;              // the ring lists' preview runs
    QString FRingWord;               // "RİNG"
    QObject* FPreviewReport = nullptr;
    QString FSelectedBranches;       // 'A','B': the selected names, quoted
    int FSelectedCount = 0;
    QStringList FSelectedList;       // the same names as values to bind

    // The file the ring plan is written to before it is copied.
    static inline const QString kPlanFile = QStringLiteral("C:\\CO\\Liste4.csv");

    QLabel* Label1;                  // heading of the class list
    TDBGrid* DBGrid1;                // "Branş Adı", multi-select
    QLabel* Label2;                  // "Ring Sayısı"
    QComboBox* ComboBox1;            // "1" .. "20"
    QLabel* Label3;                  // "Tarih"
    QDateEdit* DateTimePicker1;
    QLineEdit* MaskEdit1;            // the picked day, "dd.mm.yyyy"
    QProgressBar* ProgressBar1;
    QPushButton* BitBtn1;            // "Ringe Dağıt"
    QPushButton* BitBtn3;            // "Yazdır"
    QPushButton* BitBtn4;            // "İptal"
    QPushButton* BitBtn2;            // "Kapat"

    // Collects the selected classes.
    void Sec();
    void SetPreviewReport(QObject* report) { FPreviewReport = report; }

public Q_SLOTS:
    void DateTimePicker1Change();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn2Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    bool ringDagAsk(const QString& text, bool twoLines);
    void ringDagOpenList();
};

inline TRingDag* RingDag = nullptr;
