#pragma once
// "Scoreboard": the full-screen, stay-on-top display of the bout being
// scored, shown to the public on the ring computer's screen.
//
// The window holds no scoring of its own: live scoring (LiveScoring) opens it
// for a bout, writes every text, colour and visibility on it and owns the
// clock, points, penalties and decision. The scoreboard gives
//   - its layout: the controls live scoring fills, at their design places
//     (a client area of 1016 x 734; blue side Panel1 on the left, red side
//     Panel2 on the right, the judges' boxes at the bottom);
//   - its keys: each item of its menu PopupMenu1 forwards one operation to
//     live scoring (N/M/J/K/I/O penalties, with Ctrl taken back; Space start
//     and stop; X or S end of bout; A extra round; 1 2 3 / 8 9 0 points, with
//     Ctrl taken off; T swaps the sides; Esc closes);
//   - the display switch: while it shows, the screen runs at 1024 x 768 when
//     FScoringEdition is on, and the size before is put back at the close.
// Its captions are English.

#include "app/kit/Form.h"
#include "scoring/ScoreboardScale.h"

#include <QList>
#include <QPointer>

class LiveScoring;
class MarkCircle;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
class SymbolLabel;

class TSkor : public Form {
    Q_OBJECT
public:
    TSkor();

    // --- State ----------------------------------------------------------
    int FBoutOpen = 0;              // 1 while a bout is open on the scoreboard
    QString FOpenBoutKey;           // Kura_Key of the open bout, as text
    int FSavedScreenWidth = 0;      // the display size before the switch
    int FSavedScreenHeight = 0;
    int FSavedMatchScreenLeft = 0;  // the match screen's place before it
    int FSavedMatchScreenTop = 0;
    // The main window's ScoringEdition as given to the scoreboard: 1 switches
    // the display to 1024 x 768 while the scoreboard shows.
    int FScoringEdition = 1;

    // Live scoring that the keys and the close reach (set by the bout
    // opening) and the match screen whose place the display switch keeps.
    QPointer<LiveScoring> FLive;
    QPointer<QWidget> FMatchScreen;

    // --- Top band -------------------------------------------------------
    QLabel* Label4;             // status line
    QComboBox* ComboBox1;       // winner: blue name, red name, "EVEN"
    QLabel* Label1;             // "Decision:"
    QComboBox* ComboBox2;       // "AB", "RSC", "WO", "RSCH", "KO", "Points", "Disq", "Even", "Other"
    QPushButton* BitBtn1;       // "OK"
    QFrame* Bevel1;
    QLabel* Label2;             // "Round"
    QLabel* Raunt;              // round number
    QLabel* n_time;             // clock "HH:MM:SS"
    QLabel* Sira;               // "Ring/Match: " + ring + "/" + match
    QLabel* Brans;              // the category
    QLabel* Hakem;              // "Referee: " + name
    QLabel* Label71;            // ring number (hidden)

    // --- Blue side (Panel1) and red side (Panel2) ------------------------
    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* Ad1;
    QLabel* Ad2;
    QFrame* Panel9;             // flag of the blue athlete's region
    QToolButton* SpeedButton1;
    QFrame* Panel10;            // flag of the red athlete's region
    QToolButton* SpeedButton2;
    QLabel* Takim1;             // region, club or nothing
    QLabel* Takim2;
    SymbolLabel* Label19;       // blue lead marks of judges 1, 2, 3
    SymbolLabel* Label20;
    SymbolLabel* Label21;
    SymbolLabel* Label16;       // red lead marks of judges 1, 2, 3
    SymbolLabel* Label17;
    SymbolLabel* Label18;
    QLabel* Label44;            // blue leads as numbers, judges 1, 2, 3
    QLabel* Label45;
    QLabel* Label46;
    QLabel* Label41;            // red leads as numbers
    QLabel* Label42;
    QLabel* Label43;
    QLabel* Label35;            // "Minus:" "Fo:" "Ex:" blue
    QLabel* Label36;
    QLabel* Label37;
    QLabel* Label38;            // the same red
    QLabel* Label39;
    QLabel* Label40;
    SymbolLabel* Label47;       // blue Minus, Foul, Exit marks
    SymbolLabel* Label48;
    SymbolLabel* Label49;
    SymbolLabel* Label50;       // red Minus, Foul, Exit marks
    SymbolLabel* Label51;
    SymbolLabel* Label52;
    QLabel* Label28;            // blue Minus, Foul, Exit counts (hidden)
    QLabel* Label29;
    QLabel* Label30;
    QLabel* Label31;            // red Minus, Foul, Exit counts (hidden)
    QLabel* Label32;
    QLabel* Label33;
    QLabel* Label54;            // blue back number (hidden)
    QLabel* Label55;            // red back number (hidden)
    QLabel* PuanS1;             // large points (semi-contact)
    QLabel* PuanS2;
    QFrame* Panel7;             // blue Foul and Exit circles (semi-contact)
    QFrame* Panel8;             // red
    MarkCircle* FMF1; MarkCircle* FMF2; MarkCircle* FMF3; MarkCircle* FMF4;   // blue Foul
    MarkCircle* FM1; MarkCircle* FM2; MarkCircle* FM3; MarkCircle* FM4;       // blue Exit
    MarkCircle* FKF1; MarkCircle* FKF2; MarkCircle* FKF3; MarkCircle* FKF4;   // red Foul
    MarkCircle* FK1; MarkCircle* FK2; MarkCircle* FK3; MarkCircle* FK4;       // red Exit

    // --- Centre and bottom (full contact) ---------------------------------
    QFrame* Panel3;             // totals
    QLabel* Puan1;
    QLabel* Label34;            // ":"
    QLabel* Puan2;
    QFrame* Panel4;             // judge 1, 2, 3 boxes
    QFrame* Panel5;
    QFrame* Panel6;
    QLabel* Label25; QLabel* Label22;   // judge 1 blue : red
    QLabel* Label26; QLabel* Label23;   // judge 2
    QLabel* Label27; QLabel* Label24;   // judge 3
    QLabel* Label65;            // "Connection Error" judges 1, 2, 3
    QLabel* Label66;
    QLabel* Label67;
    QLabel* Label74;            // "Last Round" judges 1, 2, 3
    QLabel* Label75;
    QLabel* Label76;
    QLabel* Label5;             // names under the judges' boxes
    QLabel* Label14;
    QLabel* Label15;

    QTimer* Timer1;             // end of a judge box's flash, judges 1, 2, 3
    QTimer* Timer2;
    QTimer* Timer3;

    // --- Keys -----------------------------------------------------------
    QMenu* PopupMenu1;
    QAction* MaviMinus1; QAction* RedMinus1; QAction* MaviFo1; QAction* RedFo1; QAction* MaviEx1; QAction* RedEx1;
    QAction* MaviMinus2; QAction* RedMinus2; QAction* MaviFo2; QAction* RedFo2; QAction* MaviEx2; QAction* RedEx2;
    QAction* StartStop1; QAction* Exit1; QAction* MaBitir1; QAction* laveRound1;
    QAction* MaviPuan1; QAction* MaviPuan21; QAction* MaviPuan31;
    QAction* RedH1Puan1; QAction* RedPuan21; QAction* RedPuan31;
    QAction* MaviH2Puan1; QAction* MaviPuan22; QAction* MaviPuan32;
    QAction* RedH2Puan1; QAction* RedPuan22; QAction* RedPuan32;
    QAction* ScreenChange1; QAction* Exit2;

    // The 22 controls the side mirror moves, in the order of their home
    // positions.
    QList<QWidget*> mirroredControls() const;
    // A judge's box turns to a colour for 200 ms (judge 1..3).
    void flashJudge(int judge, const QColor& colour);
    // Closes without the confirmation (the match screen asked already, or the
    // judges' hand boxes have vanished).
    void closeUnasked();
    // Colours of the winner list's items: text and background.
    static std::pair<QColor, QColor> ComboBox1DrawItem(int index);

public Q_SLOTS:
    void MaviMinus1Click(); void RedMinus1Click(); void MaviFo1Click(); void RedFo1Click();
    void MaviEx1Click(); void RedEx1Click();
    void MaviMinus2Click(); void RedMinus2Click(); void MaviFo2Click(); void RedFo2Click();
    void MaviEx2Click(); void RedEx2Click();
    void StartStop1Click(); void Exit1Click(); void MaBitir1Click(); void laveRound1Click();
    void MaviPuan1Click(); void MaviPuan21Click(); void MaviPuan31Click();
    void RedH1Puan1Click(); void RedPuan21Click(); void RedPuan31Click();
    void MaviH2Puan1Click(); void MaviPuan22Click(); void MaviPuan32Click();
    void RedH2Puan1Click(); void RedPuan22Click(); void RedPuan32Click();
    void ScreenChange1Click(); void Exit2Click();
    void BitBtn1Click();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTop();
    void buildSides();
    void buildBottom();
    void buildMenu();
    QAction* item(const char* name, const QString& caption, const QKeySequence& key, void (TSkor::*slot)());
    bool handleKey(QKeyEvent* event);
    void penalty(int kind, bool blue, bool add);

    bool m_switchedThisShowing = false;
    bool m_closeUnasked = false;

public:
    // The content scaled to the window where the display keeps a larger
    // size than 1024 x 768.
    ScoreboardScale FScale{this, {1016, 734}};
};

inline TSkor* Skor = nullptr;
