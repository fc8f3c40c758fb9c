#pragma once
#include <QPointer>
// The match screen "KURA Ekranı" (retitled "Müsabaka Ekranı" at start-up):
// the competition desk. Two lists side by side:
//   - the draw panel (Panel2, left): the approved weigh-in rows of one
//     branch, with the draw ("Kura Çek");
//   - the bout list (Panel1, right): the bouts of one branch and gender, or
//     of one ring, with bout entry ("Sporcu Kayıt"), bout edit ("Düzelt")
//     and the commands of live scoring, charts and reports.
//
// The window is the match state (durations, rounds, the draw's work areas)
// that the draw, the winner advancement and the slot table work on, and that
// the bout entry and the draw options read.
//
// The main window shows it modally from "  MÜSABAKA EKRANI  " and configures
// it once at start-up through applyStartupConfiguration().
//
// Live scoring (LiveScoring) lives beside the screen for the whole run: the
// screen is its host (bout list, list area, grid columns, link button), holds
// its control group " Skorboard Kontrol " (GroupBox2), and routes the
// scoreboard's commands to it: "Scoreboad Aç", "SKORBOARD AÇ" and the bout
// grid's double click open the current bout; "Sıfırla" and "Skorboard
// Sıfırla" reset its scores. Whether a bout is open and which one are the
// scoreboard's (Skor->FBoutOpen, Skor->FOpenBoutKey); the live values and
// the scoreboard's orientation are live scoring's.

#include "app/kit/Form.h"
#include "competition/MatchState.h"
#include "platform/db/Database.h"
#include "reports/ReportLaunch.h"
#include "scoring/LiveScoring.h"

#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolBar;
class QToolButton;
class QAction;
class RandomSource;
class ScoringDevices;
class TDBGrid;
class TSerialPort;

class TKuraList : public Form, public MatchState, public LiveScoringHost {
    Q_OBJECT
public:
    TKuraList();
    ~TKuraList() override;

    // --- Fields other screens set or read ---------------------------------
    int FEnglish = 0;               // English wording; always 0
    QString FProgramFolder;         // this station's program folder
    QString FMainDatabasePath;      // the main computer's database as a station reaches it
    int FMainDbReachable = 0;       // 1: own database on C: and the main database exists
    QString FSpecialCode;           // OzelKod of C_SAYI
    QPointer<QObject> FPreviewReport;   // the report whose preview a launcher of this screen runs
    void SetPreviewReport(QObject* report) { FPreviewReport = report; }
    // What the activation finds and hands to live scoring.
    int FSerialDevice = 0;          // the serial scoring device is in use
    int FDevicePortFailed = 0;      // the device port failed to open at the last activation
    int FMiceMode = 0;              // judges' mice present
    int FMiceLinked = 0;
    int FBranchFromList = 1;        // 0 while a caller has put branch and gender into Edit1 and Edit4
    int FRingList = 0;              // 1 while the bout list shows a ring
    // The exchange of two athletes: the picked side.
    int FSwapBoutKey = 0;
    QString FSwapSide;
    QStringList FSwapAthlete;       // name, region, club, Tip, back number
    // The toggle button's picture index (0: the draw panel is shown).
    int ToolButton3ImageIndex = 0;

    // --- Controls ---------------------------------------------------------
    // Draw panel.
    QFrame* Panel2;
    QLabel* Label1;                 // "Branş"
    QComboBox* DBLookupComboBox2;   // weigh-in branches
    QLineEdit* Edit2;               // the weigh-in branch
    QLineEdit* Edit3;               // its gender
    QComboBox* ComboBox1;           // gender choice (hidden)
    TDBGrid* DBGrid2;               // approved weigh-in rows
    QPushButton* BitBtn7;           // "Kura Çek"
    QPushButton* BitBtn3;           // "Raporlar" (weigh-in list)
    // Bout list.
    QFrame* Panel1;
    QToolButton* ToolButton3;       // shows and hides the draw panel
    QGroupBox* GroupBox1;           // " Liste Alanı "
    QRadioButton* RadioButton1;     // "Branşlar"
    QRadioButton* RadioButton2;     // "Ringler"
    QLabel* Label2;                 // "Branş"
    QComboBox* DBLookupComboBox1;   // bout branches
    QLineEdit* Edit7;               // the chosen branch, over the list
    QLineEdit* Edit1;               // the bout branch
    QLineEdit* Edit4;               // its gender
    QComboBox* ComboBox2;           // gender choice (hidden)
    QLabel* Label4;                 // "Ringler"
    QComboBox* DBLookupComboBox3;   // rings
    QLineEdit* Edit6;               // the ring
    QLineEdit* Edit5;               // the special code (password characters)
    QToolBar* ToolBar2;             // holds the chart and list drop-down
    QToolButton* ToolButton2;       // drops down PopupMenu1
    QGroupBox* GroupBox2;           // " Skorboard Kontrol " (live scoring's, embedded here)
    TDBGrid* DBGrid1;               // the bouts
    QPushButton* BitBtn6;           // "Kura Sil"
    QPushButton* BitBtn2;           // "--" (portrait chart)
    QPushButton* BitBtn111;         // "Raporlar" (landscape chart, hidden)
    QPushButton* BitBtn11;          // "Sporcu Kayıt"
    QPushButton* BitBtn12;          // "Rapor" (score sheets)
    QPushButton* BitBtn13;          // "Sil" (never shown)
    QPushButton* BitBtn14;          // "Kapat"
    QPushButton* BitBtn4;           // "Kapat"
    QPushButton* BitBtn15;          // "Bağlantı"
    QPushButton* BitBtn16;          // "Kura Aktar" (never shown)
    // Menus.
    QMenu* PopupMenu1;              // charts and lists
    QAction* KuraGrafiiSeilenin1;   // "Kura Çizelgesi"
    QAction* KuraizelgesiYatay1;    // "Kura Çizelgesi (Yatay)"
    QAction* Rpsajizelgesi1;        // "Röpresaj Çizelgesi"
    QAction* MenuItem1;             // "Kura Listesi"
    QAction* MenuItem2;             // "Kura Listeleri (Tamamı)"
    QAction* RinglereDalmTablosu1;  // "Ringlere Dağılım Listesi"
    QAction* MaSonuSayfas1;         // "Müsabaka Sonuç Listeleri"
    QMenu* PopupMenu2;              // exchange: "Seç" / "Değiştir"
    QAction* Sec1;
    QAction* Degistir1;
    QMenu* PopupMenu3;              // weigh-in lists
    QAction* Listeler1;             // "Tartı Listesi"
    QAction* ListelerTm1;           // "Tartı Listeleri (TAMAMI)"
    QMenu* PopupMenu4;              // winner
    QAction* N31;                   // "Ad1"
    QAction* N41;                   // "Ad2"
    QAction* Sil1;                  // "Galibi Sil"
    QAction* N1;                    // separator
    QAction* MsabakayEkranaYkle1;   // "SKORBOARD AÇ"
    QAction* SonuListesi1;          // "Sonuç Raporu"
    QAction* SkorboardSfrla1;       // "Skorboard Sıfırla"
    QMenu* PopupMenu5;              // attendance
    QAction* MsKATILMADI1;          // "Müs. KATILMADI"
    QAction* KATILDI1;              // "KATILDI"
    QMenu* PopupMenu6;              // the bout popup
    QAction* OpenScoreboard1;       // "Scoreboad Aç"
    QAction* Report1;               // "Rapor"
    QAction* ResetScore1;           // "Sıfırla"
    QAction* ChangeDetails1;        // "Düzelt"
    QAction* Delete1;               // "Sil"
    TSerialPort* SerialPort1;       // the scoring device's port

    // --- Start-up configuration --------------------------------------------
    // What the main window sets on this screen once, after the login: the
    // scoring station, the defaults (bout and final times "00:02:00", break
    // and extension "00:01:00", 3 rounds, minus 1) and the rights of the
    // signed-in user. A scoring station, and a match-only user anywhere,
    // gets the hidden draw panel and list area and the commands and columns
    // of the scoring station; an office station keeps the whole screen.
    void applyStartupConfiguration(bool isAdmin, bool matchOnlyUser);

    // The chance the draw takes (the program's SystemRandom unless a test
    // gives another; not owned).
    void setRandomSource(RandomSource* random);

    // Live scoring of this screen (one for the whole run).
    LiveScoring& live() const { return *m_live; }
    // A bout is open on the scoreboard.
    bool boutOpen() const { return m_live->boutOpen(); }
    // The scoring device on SerialPort1 and the judges' mice (ListBox1).
    ScoringDevices& devices() const { return *m_devices; }

    // --- Live scoring's host ----------------------------------------------
    // The bout list and the approved weigh-in list are open (loaded).
    bool boutListOpen() const override { return m_boutListOpen; }
    int currentBoutKey() const override;
    bool boutListEditing() const override;
    void postBoutListEdit() override;
    bool listShowsRings() const override;
    bool boutClockColumnHidden() const override;
    bool locateBout(int boutKey) override;
    void reloadBoutList(int boutKey) override;
    void reloadRingList() override;
    void setScoringColumnsVisible(bool visible) override;
    void setLinkButtonVisible(bool visible) override;
    QWidget* matchScreen() const override { return const_cast<TKuraList*>(this); }

    bool weighInListOpen() const { return m_weighInOpen; }
    // The unapproved weigh-in rows of the chosen branch.
    const Records& unapprovedRows() const { return m_unapproved; }
    // The popup a right click on a column of the bout grid opens (none when
    // it refuses to open).
    QMenu* popupFor(const QString& field);
    // The popup attached to the bout grid.
    QMenu* gridPopup() const { return m_gridPopup; }
    // The exchange popup opens: the special code typed, the bout list open on
    // a class, its current bout undecided, and the current column a name
    // seated by the draw (Ad1 with Tip1 "AD", Ad2 with Tip2 "AD").
    bool swapPopupOpens() const;
    // The order of the weigh-in lists (the weigh-in screen's order).
    static QString weighInOrder();

    // The draw of one weight category and gender, with the progress window;
    // the category's bouts are listed afterwards.
    void KuraCek(const QString& branch, const QString& gender);

public Q_SLOTS:
    void ToolButton3Click();
    void SkorbTestDefault();
    void MusVarSenkron() override;
    void MusBilgiGoster();
    void EkranDegis();
    void SecClear();
    void RadioButton1Click();
    // Draw panel.
    void DBLookupComboBox2Click();
    void ComboBox1Change();
    void Label1Click();
    void BitBtn3Click();
    void ListelerTm1Click();
    void BitBtn7Click();            // "Kura Çek"
    void BitBtn1Click();            // the draw of the chosen branch
    void BitBtn5Click();            // the draw of every branch
    void BrKuraCek();               // the draw of the chosen category name
    // Bout list.
    void DBLookupComboBox1Click();
    void DBLookupComboBox3Click();
    void ComboBox2Change();
    void Label2Click();
    void Label4Click();
    void Edit5Change();
    void DBGrid1DblClick();
    void BitBtn11Click();           // "Sporcu Kayıt"
    void ChangeDetails1Click();     // "Düzelt"
    void BitBtn15Click();           // "Bağlantı"
    void BitBtn14Click();           // "Kapat"
    void N31Click();                // winner: blue
    void N41Click();                // winner: red
    void Sil1Click();               // "Galibi Sil"
    void BitBtn2Click();            // portrait chart
    void KuraizelgesiYatay1Click(); // landscape chart
    // Live scoring: open the current bout on the scoreboard, reset its scores.
    void MsabakayEkranaYkle1Click();
    void SkorboardSfrla1Click();
    // Draw upkeep (KuraListUpkeep.cpp): delete one bout, delete the
    // category's draw, "Kura Aktar", the exchange of two athletes, attendance.
    void Delete1Click();            // "Sil"
    void BitBtn6Click();            // "Kura Sil"
    void BitBtn16Click();           // "Kura Aktar"
    void Sec1Click();               // "Seç"
    void Degistir1Click();          // "Değiştir"
    void MsKATILMADI1Click();       // "Müs. KATILMADI"
    void KATILDI1Click();           // "KATILDI"
    // Lists and score sheets.
    void Rpsajizelgesi1Click();
    void MenuItem1Click();          // "Kura Listesi"
    void MenuItem2Click();          // "Kura Listeleri (Tamamı)"
    void RinglereDalmTablosu1Click();
    void MaSonuSayfas1Click();      // score sheets of the class
    void SonuListesi1Click();       // score sheet of the current bout
    void BitBtn12Click();           // "Raporlar": score sheets of the class
    void SkoreRaporu();             // the score sheets of PrintScore->FScope

protected:
    void FormShow() override;
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Database& db() const;
    void buildDrawPanel();
    void buildBoutPanel();
    void buildMenus();
    void openPorts();
    QString genderOf(const QString& branch, const QString& gender);
    void loadWeighInLists();
    void closeWeighInLists();
    void updateWeighInTitle();
    void closeBoutList();
    void reloadBoutBranches();
    void reloadRings();
    void updateLabels();
    // Lists the bouts of a branch and gender given by the caller.
    void showCategory(const QString& branch, const QString& gender);
    // After bout entry or bout edit: the saved category, on the saved bout
    // (its last bout when that is not listed), and the scoreboard for it.
    void showSavedBout(int boutKey);
    // The side ("1" or "2") of the current column when it is a name column.
    QString currentSide() const;
    // The bout open on the scoreboard, when it is one of these; the refusal
    // has been shown.
    bool openOnScoreboard(const QList<int>& boutKeys);
    void reloadBoutsAt(int key);
    // Runs the bout list's query again (branch and gender, or ring, as
    // shown) and puts it back on the bout when it is still listed.
    void requeryBoutList(int key);
    void chooseWinner(int side);
    // Sends the bouts waiting for the main database when it is reachable.
    // When they cannot be sent the operator is told how many wait: once
    // over the activations (again after they went), at every press of
    // "Bağlantı". Returns how many were sent.
    int sendWaitingBouts(bool pressed);
    bool boutWritable(Record& row);
    void writeBoutRow(const Record& row);

    // This screen as the caller of a report.
    ReportCaller reportCaller();
    bool m_boutListOpen = false;
    bool m_weighInOpen = false;
    Records m_unapproved;
    QMenu* m_gridPopup = nullptr;
    QAction* m_toolButton2Item = nullptr;  // ToolButton2's place on ToolBar2
    int m_closeHomeLeft = 0;        // design position of "Kapat" (BitBtn4)
    bool m_portFailureTold = false; // the operator was told of the failed device port
    bool m_waitingTold = false;     // ... that bouts wait for the main database
    std::unique_ptr<RandomSource> m_systemRandom;
    RandomSource* m_random = nullptr;
    std::unique_ptr<LiveScoring> m_live;
    std::shared_ptr<ScoringDevices> m_devices;
};

inline TKuraList* KuraList = nullptr;
