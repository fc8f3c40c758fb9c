#pragma once
// "Sporcu Giriş": enters one bout by hand, or changes the details of a bout
// that already exists. The match screen is its only opener:
//
//   Kura_Kayit->FMatchState = matchState;     // durations, rounds, extension time
//   Kura_Kayit->FBoutKey = 0;                  // or the Kura_Key of the bout to change
//   Kura_Kayit->setChangeFieldsEnabled(true);  // a change only: current round, remaining time
//   Kura_Kayit->showModal();
//   Kura_Kayit->setChangeFieldsEnabled(false);
//   if (Kura_Kayit->FSaved == 1) ... FSavedCategory, ComboBox4->currentText() ...
//
// A new bout takes three values of the counter sayi2 (its key and the two
// athletes' numbers) and is a category of its own with one bout ("Final",
// group "A"); a category missing from C_BRANS is added there. A change
// rewrites only the names, regions, clubs, category, date, clock and rounds.

#include "app/kit/Form.h"

#include <QDate>

#include <functional>

class MatchState;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Bout durations typed as "MM:SS" in masked fields.
namespace BoutTimes {
// The text of a masked field with every position left blank read as a space
// (" 2:00" when the first minute digit was left blank).
QString maskedText(const QLineEdit* edit);
// The minutes and seconds of "MM:SS" when both are numbers below 60;
// -1 otherwise.
int secondsOf(const QString& minutesSeconds);
// The refusal of a duration, or "" when it passes: not five characters or
// a digit left blank gives the format message, no valid time the
// wrong-duration message.
QString durationRefusal(const QString& minutesSeconds);

inline const QString kFormatMessage = QStringLiteral("Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!");
inline const QString kWrongDuration = QStringLiteral("Süreyi Hatalı Girdiniz ...!");
// "HH:MM:SS" cut to its minutes and seconds.
QString minutesSeconds(const QString& clockText);
}

class TKura_Kayit : public Form {
    Q_OBJECT
public:
    TKura_Kayit();

    // Category text of the last successful save: weight, " KG ", gender, a
    // space, category name.
    QString FSavedCategory;
    // 1 when the last showing ended with a successful save.
    int FSaved = 0;
    // Kura_Key of the bout the last successful save wrote.
    int FSavedBoutKey = 0;
    // Kura_Key of the bout to change; 0 for a new bout. Set by the caller.
    int FBoutKey = 0;
    // The match screen's settings the dialog reads (durations, round count,
    // extension time); set by the opener. Without one the start-up defaults
    // are used.
    MatchState* FMatchState = nullptr;
    // The date written into the bout (today's unless a test sets another).
    std::function<QDate()> today;

    // Controls.
    QLabel* Label1;                     // "Kilo"
    QLineEdit* Edit9;                   // weight as typed
    QLabel* Label2;                     // "Erkek/Bayan"
    QComboBox* ComboBox4;               // "ERKEK" / "BAYAN"
    QLabel* Label3;                     // "Kategori"
    QComboBox* DBLookupComboBox5;       // category names
    QLineEdit* Edit7;                   // the category name, over the list
    QGroupBox* GroupBox1;               // "Sporcu (Mavi)"
    QLabel* Label4;                     // "Adı Soyadı"
    QComboBox* ComboBox1;               // known names
    QLineEdit* Edit3;                   // blue name, over the list
    QLabel* Label5;                     // "Bölge" (a click opens the list)
    QComboBox* DBLookupComboBox1;       // regions
    QLineEdit* Edit1;                   // blue region, read-only, over the list
    QLabel* Label6;                     // "Kulüp"
    QLineEdit* Edit4;                   // blue club
    QGroupBox* GroupBox2;               // "Sporcu (Kırmızı)"
    QLabel* Label7;                     // "Adı Soyadı"
    QComboBox* ComboBox2;               // known names
    QLineEdit* Edit5;                   // red name, over the list
    QLabel* Label8;                     // "Bölge" (a click opens the list)
    QComboBox* DBLookupComboBox2;       // regions
    QLineEdit* Edit2;                   // red region, read-only, over the list
    QLabel* Label9;                     // "Kulüp"
    QLineEdit* Edit6;                   // red club
    QLabel* Label11;                    // "Toplam Round"
    QLineEdit* MaskEdit1;               // number of rounds, one digit
    QLabel* Label12;                    // "Maç Süresi"
    QLineEdit* MaskEdit2;               // bout duration "MM:SS"
    QLabel* Label13;                    // "Şuanki Round"
    QLineEdit* MaskEdit3;               // current round (a change only)
    QLabel* Label14;                    // "Kalan Süre"
    QLineEdit* MaskEdit4;               // remaining time "MM:SS" (a change only)
    QPushButton* BitBtn1;               // "Kaydet"
    QPushButton* BitBtn2;               // "Kapat"

    // The current-round and remaining-time fields and their labels: enabled
    // with black text for a change, disabled with grey text otherwise.
    void setChangeFieldsEnabled(bool enabled);

public Q_SLOTS:
    void BitBtn1Click();                // save
    void BitBtn2Click();                // close without saving
    void DBLookupComboBox1Click();      // blue region chosen
    void DBLookupComboBox2Click();      // red region chosen
    void DBLookupComboBox5Click();      // category chosen
    void ComboBox1Click();              // known blue name chosen
    void ComboBox2Click();              // known red name chosen
    void ComboBox4Change();             // gender chosen
    void MaskEdit2Change();             // duration typed

protected:
    void FormActivate() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const MatchState& matchState() const;
    void loadKnownNames();
    void loadBout();
    // Shows a refusal and focuses the field (when it may take the focus).
    bool refuse(const QString& message, bool errorBox, QWidget* focus);
};

inline TKura_Kayit* Kura_Kayit = nullptr;
