#pragma once
// "Sporcu Tartı Ekranı": the weigh-in. The operator selects an athlete (by
// name, register number or barcode), lets the athlete stand on the scale and
// presses "Listeye Ekle"; the screen checks the live weight against the
// limits of the athlete's weight class and writes an accepted or a
// disqualified row of the weigh-in lists (C_LISTE) with the athlete's back
// number. The accepted and disqualified lists of the class stand on the
// right, where rows are removed, disqualified or accepted again.
//
// The preferences dialog (TGiris1) sets the competition's settings and shows
// the screen modally. The scale is read through SerialPort1, opened at each
// activation with the port and frame type stored by the port settings
// screen, and closed with the screen.
//
// Terms: a weight class is a C_BRANS row named by its Durum; the category
// is the C_BRANSADI row chosen in the preferences (key 1: all categories);
// a weight class belongs to the category its name ends with.

#include "app/kit/Form.h"
#include "competition/ScaleFrame.h"
#include "platform/db/Database.h"
#include "reports/ReportLaunch.h"

#include <QColor>
#include <QDate>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QToolButton;
class QWidget;
class QVBoxLayout;
class TDBGrid;
class TSerialPort;

class TMusteriGiris3 : public Form {
    Q_OBJECT
public:
    TMusteriGiris3();
    ~TMusteriGiris3() override;

    // --- State ---------------------------------------------------------------
    QString FReportSql;             // select of the last person search
    QString FSearchOrder;           // order of the person search, "Ad_Soyad"
    QByteArray FScaleBuffer;        // received from the scale, not yet evaluated
    // Characters received since the last whole frame: a scale that sends
    // a block's worth (ScaleFrame::kBlockLength) without one shows 0 in red,
    // so a stale weight is never taken.
    int FCharsWithoutFrame = 0;
    QString FScaleType;             // "Type" of the port settings: "1", "2"
    int FParticipationPoints = 0;   // Puani of the first C_PUAN row
    int FInPreview = 0;             // a report preview runs: the next activation only clears it
    int FManualOverride = 0;        // a write runs from "Kabul'e Ekle" or "Red'e Ekle"
    int FPortFailed = 0;            // the scale port could not be opened: weights are typed
    int FManualNoticeShown = 0;     // the notice on typed weights was shown
    int FByRegisterNumber = 0;      // the selection looks the athlete up by register number
    int FNotInDraw = 0;             // result of KuraKontrol: 1 not in a bout
    int FKeepTeamField = 0;         // showing the athlete keeps the club/team field
    int FSelectedByEnter = 0;       // the selection was started with Enter (belt check)
    QObject* FPreviewReport = nullptr;
    QString FEditKey;               // Musteri_Key handed to the person editor ("0" new)
    int FTeamMode = 0;              // team tournament (with or without grade)
    int FLicenceOk = 0;
    int FGradeMode = 0;             // team tournament with grade
    int FAthleteKey = 0;            // the athlete shown; 0 none
    int FBackNumber = 0;            // the athlete's back number, 0 none yet
    int FClassCount = 0;            // Kullanici: weight classes entered (0 not competing)
    int FWeighCount = 0;            // out-of-limit weighings of the athlete shown
    int FMaxWeighings = 0;          // before a disqualification; 0 unlimited
    int FMinBeltKey = 0;            // Kusak_Key of the minimum belt
    double FRegisteredWeight = 0;   // E38 as loaded
    double FSlotMin[3] = {0, 0, 0}; // AltKilo of the class slots 1 .. 3
    double FSlotMax[3] = {0, 0, 0}; // UstKilo
    double FWeighedWeight = 0;      // weight of the last weighing
    // A typed weight kept for the athlete it was typed for until a row is
    // written or an athlete is shown: after a refusal before the write (no
    // club chosen) "Listeye Ekle" uses it again instead of asking anew.
    double FKeptTypedWeight = 0;
    int FKeptTypedKey = 0;
    double FWeighMin = 0;           // limits of FWeighClass
    double FWeighMax = 0;
    QString FAthleteName;
    QString FAthleteGender;         // E15
    QString FAthleteRegion;         // Vergi_Dairesi
    QString FAthleteRegionShort;    // BolgeK of that region
    QString FSlotName[3];           // E53, E54, E55 (found in C_BRANS)
    QString FWeighClass;            // the class the athlete is weighed in
    QString FAthleteClub;           // E16
    QString FSpecialCode;           // OzelKod of C_SAYI
    QString FOrderBy;               // order of both lists
    QString FOverrideGender;        // of the class chosen under "Tartı Branşı"
    QString FOverrideMax;
    QString FOverrideMin;

    // Settings of the preferences dialog as they stood at "Devam": the
    // category (key 1: all categories), its name, and whether to ask before
    // a disqualification is written.
    int FCategoryKey = 0;
    QString FCategoryName;
    int FWarnBeforeDisqualify = 0;

    // The person shown (the person query) and the lists behind the pickers.
    Record FPerson;
    Records FClassRows;             // weight classes of the category
    Records FClubRows;              // clubs but the no-club row
    QString FListClass;             // class and gender the two lists show
    QString FListGender;
    bool FListsOpen = false;
    bool FSearchOpen = false;       // the search result of the left panel

    // Today's date; tests fix it.
    std::function<QDate()> FToday = [] { return QDate::currentDate(); };

    // --- Controls -------------------------------------------------------------
    // Person search and registration panel (left).
    QGroupBox* GroupBox1;           // " Sporcu Sicil İşlemleri "
    TDBGrid* DBGrid1;               // search result
    QLabel* CountLabel;             // "Kayıt Sayısı : n"
    QPushButton* BitBtn7;           // "Yeni Kayıt"
    QPushButton* BitBtn10;          // "Kaydet" (quick registration)
    QPushButton* BitBtn6;           // "Raporlar" of the search panel
    QMenu* PopupMenu1;
    QAction* SporcuBilgileri1;      // "Sporcu Listesi"
    QAction* MenuItem2;             // "Branşlara Göre Sporcu Dağılımı"
    // Search fields (MusteriGiris3Search.cpp), top to bottom, each with its
    // caption (a click empties it) and, where picked, its list.
    QLineEdit* Edit4;               // "Ad Soyad"
    QLineEdit* Edit9;               // "Bölge"
    QComboBox* DBLookupComboBox5;
    QLineEdit* Edit18;              // "Lisans No"
    QLineEdit* Edit16;              // "Branş"
    QComboBox* DBLookupComboBox8;
    QLineEdit* Edit13;              // "Kilo"
    QLineEdit* Edit12;              // "Kulüp"
    QComboBox* DBLookupComboBox6;
    QLineEdit* Edit1;               // "Sicil No"
    QLineEdit* Edit10;              // "Katılım"
    QComboBox* ComboBox4;
    QLineEdit* Edit15;              // gender of the picked class (hidden)
    QLineEdit* Edit11;              // region code of the picked region (hidden)
    QPushButton* BitBtn1;           // "Kayıt Bul"
    QList<QLabel*> SearchCaptions;  // the eight captions, in the fields' order
    QList<QLineEdit*> SearchFields;
    QVariantMap FSearchParams;      // the values FReportSql binds

    // Selection fields.
    QLabel* AdSoyadCaption;         // "Ad Soyad": a click clears the selection
    QLineEdit* Edit7;               // the athlete's name
    QLabel* CopyNameCaption;        // "<----"
    QLabel* SicilNoCaption;         // "Sicil No": a click empties Edit6
    QLineEdit* Edit6;               // register number
    QLabel* KlupTakimCaption;       // "Klüp/Takım" / "Kulüp Adı" / "Takım Adı" / "Derece"
    QLineEdit* Edit8;               // club, team or grade
    QComboBox* DBLookupComboBox4;   // clubs
    QComboBox* ComboBox3;           // team names
    QComboBox* ComboBox5;           // grades
    QLabel* TartiBransCaption;      // "Tartı Branşı": a click drops the change
    QLineEdit* Edit19;              // the class chosen for this weighing
    QComboBox* DBLookupComboBox19;  // classes of the category

    // Athlete panel.
    QWidget* AthletePanel;
    QLabel* Label4;                 // the live weight
    QLabel* Label12;                // "Sistemde Kayıtlı Kilo : "
    QLabel* Label55;                // "Sırt Numarası : "
    QPushButton* BitBtn2;           // "Listeye Ekle"
    QPushButton* BitBtn8;           // "Kabul'e Ekle"
    QPushButton* BitBtn9;           // "Red'e Ekle"
    QWidget* Panel4;                // the three class slots
    QLabel* SlotName[3];
    QLabel* SlotMin[3];
    QLabel* SlotMax[3];
    QLabel* SlotArrow[3];
    QWidget* Panel5;                // the class chosen under "Tartı Branşı"
    QLabel* ChangedName;
    QLabel* ChangedMin;
    QLabel* ChangedMax;
    QLabel* Image1;                 // photo
    QLabel* ValueE50;               // "Unvanı"
    QLabel* ValueRegion;            // "Bölgesi"
    QLabel* ValueE15;               // "Cinsiyet"
    QLabel* ValueE25;               // "Kuşak"
    QLabel* ValueM3;                // "Doğ.Tar."
    QLabel* ValueE16;               // "Kulübü"
    QLabel* ValueE48;               // "Antrenör"
    QLabel* ValueRegisterNumber;    // "Sicil No"
    QLabel* ValueE26;               // "Lis. No"
    QPushButton* SpeedButton2;      // "Bilgi Düzeltme"
    QToolButton* SpeedButton1;      // clears the selection

    // Class browsing.
    QWidget* Panel2;
    QLineEdit* Edit2;
    QComboBox* DBLookupComboBox2;
    QLineEdit* Edit3;               // gender of class browsing (hidden)

    QLabel* Label56;                // the category name
    QLabel* Label60;                // the tournament kind + " ŞAMP."
    QLineEdit* Edit5;               // the special code (masked)

    // Lists.
    QGroupBox* GroupBox2;           // " Kabul Edilenler Listesi "
    TDBGrid* DBGrid2;
    QGroupBox* GroupBox3;           // " Diskalifiye Edilenler Listesi "
    TDBGrid* DBGrid3;
    QMenu* PopupMenu2;              // of the accepted list
    QAction* Sil1;                  // "Listeden Çıkart"
    QAction* DiskalifiyeEt1;        // "Diskalifiye"
    QAction* BilgiDuzeltme1;        // "Bilgi Düzeltme"
    QMenu* PopupMenu3;              // of the disqualified list
    QAction* Sil2;                  // "Listeden Çıkart"
    QAction* KabuleEkle1;           // "Kabule Ekle"
    QMenu* PopupMenu4;              // of the screen
    QAction* BarCode1;              // "BarCode" (F9), never shown

    QPushButton* BitBtn3;           // "Raporlar"
    QMenu* PopupMenu5;
    QAction* TartiListesi1;         // "Tartı Listesi"
    QAction* ListelerTm1;           // "Tartı Listeleri (...)"
    // Accreditation cards (MusteriGiris3Cards.cpp), in the list drop-down.
    QAction* KartYazdr1;            // "Kart Yazdır": the athlete shown
    QAction* AkreditasyonKart1;     // "Müsabaka Kartları": the accepted list
    QToolButton* SpeedButton3;      // runs "Kart Yazdır"
    QPushButton* BitBtn5;           // "Kapat"

    TSerialPort* SerialPort1;

    // --- Routines -----------------------------------------------------------
    // Shows the athlete of Edit7 (the person query), or the no-athlete view
    // when Edit7 is empty.
    void SpGoster();
    // The athlete's back number from the lists.
    void SpNoBul();
    // Pads the register number in Edit6 with zeros to 7 characters.
    void SicilTamamla();
    // Selects the athlete by the register number of Edit6.
    void SicildenArama1();
    // Reloads both lists for the class with the arrow.
    void Q5_Sorgu();
    // Opens the person editor for FEditKey, then refreshes; false when the
    // editor is open already (the operator was told).
    bool SpAc();
    // Closes the search result.
    void QIslem();
    // The licence number of "Lisans No" (quick registration); sets FLicenceOk.
    void LisHes();
    // After a registration: class browsing on the registered class, the
    // accepted list on its last row.
    void KayitBul1(const QString& weightClass);
    // Writes the athlete into the lists: decision 1 accept, 0 disqualify.
    void Kaydet(int decision);
    // Deletes the current row of the accepted (1) or disqualified (0) list.
    void KayitSil(int list);
    // Whether the accepted list's current athlete stands in a bout of its
    // class (FNotInDraw 0, with the message) or not (1).
    void KuraKontrol();
    // Selects the athlete whose name (or register number) stands in the
    // selection fields.
    void SporcuSec();
    // Empties the selection and shows the no-athlete view.
    void SecimTemizle();

    // Limits of the weight classes: both ends belong to the class.
    static bool insideLimits(double weight, double lower, double upper);
    // A weight rounded to grams.
    static double roundWeight(double kilograms);
    // The 23 team names and the grades.
    static QStringList teamNames();
    static QStringList grades();

    QColor liveWeightColor() const;

    static inline const QColor kGreen = QColor(0, 128, 0);
    static inline const QColor kRed = QColor(255, 0, 0);
    static inline const QColor kBlue = QColor(0, 0, 255);

public Q_SLOTS:
    void BitBtn2Click();            // "Listeye Ekle"
    void BitBtn8Click();            // "Kabul'e Ekle"
    void BitBtn9Click();            // "Red'e Ekle"
    void BitBtn5Click();            // "Kapat"
    void Sil1Click();
    void Sil2Click();
    void DiskalifiyeEt1Click();
    void KabuleEkle1Click();
    void BarCode1Click();
    void DBLookupComboBox2Click();   // class browsing
    void DBLookupComboBox19Click(); // weigh-class change
    void DBLookupComboBox4Click();  // club
    void ComboBox3Click();          // team
    void ComboBox5Click();          // grade
    void Edit5Change();             // special code
    void Edit7Change(const QString& text);
    void AdSoyadCaptionClick();
    void SicilNoCaptionClick();
    void KlupTakimCaptionClick();
    void TartiBransCaptionClick();
    void SpeedButton1Click();
    void BitBtn3Click();            // "Tartı Listesi": the accepted list's class
    void ListelerTm1Click();        // the weigh-in lists of the category (or all)
    void Kart_Yazdir();             // the accreditation card of the athlete shown
    void AkreditasyonKart1Click();  // the cards of the accepted list, last row first
    void MenuItem2Click();          // "Branşlara Göre Sporcu Dağılımı"
    void SporcuBilgileri1Click();   // "Sporcu Listesi"
    void BitBtn1Click();            // "Kayıt Bul"
    void BitBtn7Click();            // "Yeni Kayıt"
    void BitBtn10Click();           // "Kaydet": quick registration
    void DBGrid1DblClick();
    void Edit18Exit();
    void SpeedButton2Click();       // "Bilgi Düzeltme" of the athlete panel
    void BilgiDuzeltme1Click();     // "Bilgi Düzeltme" of the accepted list
    // The scale's characters.
    void SerialPort1RxChar(QObject* Sender, int Count);

protected:
    void FormActivate() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // This screen as the caller of a report.
    ReportCaller reportCaller();
    // The person as the weigh-in reads it.
    static QString personSelect();
    Database& db() const;
    void buildControls();
    void buildCardCommands();
    void buildSearchPanel(QVBoxLayout* panel);
    void fillSearchLists();
    void searchFieldPicked(QLineEdit* field, const QString& value);
    void searchEnter(QLineEdit* field);
    void portSetUp();
    void showLiveWeight(double kilograms);
    void setLiveWeight(const QString& text, const QColor& color);
    void showNoAthlete();
    void showAthlete();
    void openLists(const QString& weightClass, const QString& gender);
    void closeLists();
    void refreshLists();
    void openClassBrowsing();
    void closeClassBrowsing();
    void refreshClassBrowsing();
    void markSlot(int slot);
    void dropClassChange();
    void teamDefault();
    void updateCaptionColours();
    void reselect();
    void openEditorAndReselect();
    bool askTwoLines(const QString& text);
    // The weight typed in the weight-entry dialog, rounded; false when the
    // dialog was cancelled.
    bool typedWeight(double& kilograms);
    bool ask(const QString& text);
    int weighCountLeft() const { return FMaxWeighings - FWeighCount; }
    QString userStamp() const;
    QString orderBy() const;
    Record listRow(int list) const;
    // The accepted list's current row while its athlete stands in no bout
    // (KuraKontrol, with its message); empty otherwise.
    Record acceptedRowOutOfDraw();
    // Moves a list row into the accepted (1) or disqualified (0) list with
    // its points and weight, dated today, and shows the lists again; a row
    // deleted meanwhile by another station is reported.
    void setAcceptance(const Record& row, int accepted, int points, double weight);
    const Record* classRow(const QString& name) const;
};

inline TMusteriGiris3* MusteriGiris3 = nullptr;
