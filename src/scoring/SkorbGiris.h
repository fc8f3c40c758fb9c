#pragma once
// "Scoreboard Settings": the officials and the timing of a bout, confirmed
// before the bout goes on the scoreboard, and the judges' hand-box test.
//
// The bout opening fills the fields from the bout row and the match screen's
// defaults, says what kind of bout it is (FSemiContact), shows the dialog
// modally and reads the fields back unless FCancelled is set. While it is
// open each judge presses his blue and his red button once; the device and
// mouse handlers mark each press (markPress) and a full-contact bout is not
// accepted before all six marks are set, when hand boxes are attached.
// "Devam", Esc and the close box check the fields; "İptal" leaves without
// checks. The dialog writes nothing to the database.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SymbolLabel;

class TSkorb_giris : public Form {
    Q_OBJECT
public:
    TSkorb_giris();

    // --- Set by the bout opening before the showing ------------------------
    int FSemiContact = 0;       // judge 3 and the test are not asked
    int FByRing = 0;            // the bouts are listed by ring: ring and match are given
    int FTestRequired = 0;      // hand boxes are attached: full contact needs the test
    Database* FDatabase = nullptr;  // for the referee lists

    // --- Read back --------------------------------------------------------
    int FCancelled = 0;         // 1: left with "İptal"

    QLabel* Label7;             // "Orta Hakem"
    QLineEdit* Edit8;           // centre referee
    QLabel* Label5;             // "Hakem 1" (a click empties the name)
    QLineEdit* Edit1;
    QLabel* Label1;             // "Hakem 2"
    QLineEdit* Edit2;
    QLabel* Label6;             // "Hakem 3"
    QLineEdit* Edit3;
    QComboBox* DBLookupComboBox4;   // referee lists: centre referee, judges 1-3
    QComboBox* DBLookupComboBox1;
    QComboBox* DBLookupComboBox2;
    QComboBox* DBLookupComboBox3;
    QLabel* Label8;             // "Maç Numarası"
    QLineEdit* Edit9;           // match number, three digits
    QLabel* Label9;             // "Ring Numarası"
    QLineEdit* Edit10;          // ring number
    QLabel* Label10;            // "Minus Puanı"
    QLineEdit* Edit7;
    QLabel* Label2;             // "Round Sayısı"
    QLineEdit* Edit6;
    QLabel* Label3;             // "Müsabaka Süresi"
    QLineEdit* Edit4;           // MM:SS
    QLabel* Label4;             // "Müsabaka Arası"
    QLineEdit* Edit5;           // MM:SS
    QLabel* Label19;            // "Uzatma Süresi" or the mouse caption
    QLineEdit* Edit11;          // extension MM:SS
    SymbolLabel* Label20;       // mouse position marker
    QLabel* Label11;            // "Hakem 1 Test"
    SymbolLabel* Label48;       // judge 1 blue / red marks
    SymbolLabel* Label12;
    QLabel* Label13;            // "Hakem 2 Test"
    SymbolLabel* Label14;
    SymbolLabel* Label15;
    QLabel* Label16;            // "Hakem 3 Test"
    SymbolLabel* Label17;
    SymbolLabel* Label18;
    QRadioButton* RadioButton1; // "Bölge Adı Göster"
    QRadioButton* RadioButton2; // "Kulüp Adı Göster"
    QRadioButton* RadioButton3; // "Boş Göster"
    QPushButton* BitBtn4;       // "Devam"
    QPushButton* BitBtn2;       // "İptal"

    // The referee query of the lists.
    Records Query16;

    // Judge 1..3 pressed his blue or red button: the mark reads "C" in the
    // button's colour.
    void markPress(int judge, bool blue);
    // The six marks back to "o" in white.
    void resetTestMarks();
    // Marks of judges 1..3, blue then red.
    QList<SymbolLabel*> testMarks() const;

public Q_SLOTS:
    void BitBtn4Click();
    void BitBtn2Click();
    void Label5Click();
    void Label1Click();
    void Label6Click();
    void DBLookupComboBox1Click();
    void DBLookupComboBox2Click();
    void DBLookupComboBox3Click();
    void DBLookupComboBox4Click();

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool refuse(const QString& message, QWidget* field);
    bool checkTime(QLineEdit* field);
    void pickReferee(QComboBox* list, QLineEdit* field);
};

inline TSkorb_giris* Skorb_giris = nullptr;
