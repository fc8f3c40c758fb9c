#pragma once
// "Yeni Kayıt Girişi ve Sicil Bilgileri İşlem Ekranı": the person search.
// The clerk fills any of the criteria in the upper part and presses "Kayıt
// Bul" (or Enter in a criterion); the persons meeting all of them are
// listed. Rows are selected with the mouse (Shift and Ctrl ranges), the
// keyboard or a barcode scanner (F9, then the register number); the batch
// buttons post a visa year, a seminar or a duty to the selection, delete the
// highlighted person, export the numbers to the SMS program, and the report
// drop-down prints the list.
//
// The screen is in the shell's folder because it reaches across the
// subsystems: the person editor and seminar dialog (registry), the SMS
// export (exchange), the results window (scoring) and the letter header
// dialog (setup). Its logic lives below it: the filter builder
// (registry/PersonSearch.h), the batch writes (registry/PersonBatch.h), the
// SMS export (exchange/SmsExport.h) and the report launchers.
//
// Files: MusteriGiris1.cpp (controls, criteria, search, selection),
// MusteriGiris1Batch.cpp (editor, delete, visa, seminar, duty, SMS),
// MusteriGiris1Print.cpp (the report drop-down).

#include "app/kit/Form.h"
#include "platform/db/Database.h"
#include "registry/PersonSearch.h"
#include "reports/ReportLaunch.h"

#include <QHash>
#include <QSize>
#include <QVariantMap>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;
class TDBGrid;
class TMaskEdit;
namespace Cards {
struct RegistryList;
}

class TMusteriGiris1 : public Form {
    Q_OBJECT
public:
    TMusteriGiris1();

    // --- State ---------------------------------------------------------------
    QString FReportSql;             // "Select * from C_MUSTERI" + FWhereClause
    QString FWhereClause;           // "" or " where ..." (values bound: FParams)
    int FHasWhere = 0;
    QVariantMap FParams;            // the values FWhereClause binds
    QString FOrderBy = "Ad_Soyad";  // Ad_Soyad, Vergi_Numarasi or Vergi_Dairesi
    QString FSelectedKeys;          // Musteri_Key of the selected rows, in the order selected
    int FInPreview = 0;             // the next activation only clears it
    QObject* FPreviewReport = nullptr;
    QString FDatabaseKind;          // DBName of C_DATABASE
    QString FProgramFolder;         // where the photos are
    bool FListOpen = false;         // Query1 is open

    // --- Criteria -------------------------------------------------------------
    QLineEdit* Edit7;               // "Ad Soyad"
    QCheckBox* CheckBox1;           // part of the name
    QLineEdit* Edit30;              // "Ad"
    QLineEdit* Edit31;              // "Soyad"
    TMaskEdit* MaskEdit1;           // "Kayıt Tar"
    QDateEdit* DateTimePicker1;
    TMaskEdit* MaskEdit2;           // its "Arası"
    QDateEdit* DateTimePicker2;
    QLineEdit* Edit3;               // "Kulüp"
    QComboBox* DBLookupComboBox4;
    QLineEdit* Edit16;              // "Branş"
    QComboBox* DBLookupComboBox8;
    QLineEdit* Edit13;              // "Kilo" (at least)
    QLineEdit* Edit14;              // its "Arası" (at most)
    QLineEdit* Edit15;              // "Cinsiyet"
    QComboBox* ComboBox2;
    QLineEdit* Edit1;               // "Sicil No"
    QLineEdit* Edit24;              // the scanner's field, under Edit1
    QLineEdit* Edit2;               // "Bölge"
    QComboBox* DBLookupComboBox2;
    QLineEdit* Edit12;              // "Aktivite"
    QComboBox* ComboBox1;
    QLineEdit* Edit9;               // "Sporcu"
    QComboBox* DBLookupComboBox5;
    QLineEdit* Edit11;              // "Hakem"
    QComboBox* DBLookupComboBox7;
    QLineEdit* Edit10;              // "Antrenör"
    QComboBox* DBLookupComboBox6;
    QLineEdit* Edit5;               // "Diğer"
    QComboBox* DBLookupComboBox9;
    QLineEdit* Edit25;              // "Kuşak"
    QComboBox* DBLookupComboBox11;
    QLineEdit* Edit36;              // "Stil"
    QComboBox* DBLookupComboBox21;
    QLineEdit* Edit4;               // "Katılım"
    QComboBox* ComboBox3;
    QLineEdit* Edit6;               // "Faal/Değil"
    QComboBox* ComboBox4;
    QLineEdit* Edit26;              // "E-Mail"
    QComboBox* ComboBox7;
    QLineEdit* Edit19;              // "Prof.Hakem"
    QComboBox* ComboBox5;
    QLabel* Label28;                // its caption
    QLineEdit* Edit20;              // "Cep Telf"
    QComboBox* ComboBox6;
    QLineEdit* Edit17;              // "Hak.Vize Yılı"
    QLineEdit* Edit8;               // "Ant.Vize Yılı"
    QLineEdit* Edit27;              // "Hak.Böl.Vize Yılı"
    QLineEdit* Edit22;              // "Spor.Vize Yılı"
    QLineEdit* Edit21;              // "Telf No"
    QLineEdit* Edit23;              // "Kan Grb"
    QLineEdit* Edit29;              // "Meslek"
    QLineEdit* Edit18;              // "Kimlik No"
    QLineEdit* Edit28;              // "No" (certificate number)

    // The status list mode: values collected per kind, all shown in ListBox1.
    QListWidget* ListBox1;          // "Listelenen Aktivite Türleri"; visible: the mode is on
    QListWidget* ListBox2;          // athlete statuses
    QListWidget* ListBox3;          // referee statuses
    QListWidget* ListBox4;          // coach statuses
    QListWidget* ListBox5;          // other statuses
    QListWidget* ListBox6;          // belts
    QToolButton* SpeedButton2;      // the mode on
    QToolButton* SpeedButton1;      // the mode off

    // Sort order buttons above the columns and their markers.
    QToolButton* SpeedButton4;      // "Ad Soyada göre sırala"
    QToolButton* SpeedButton6;      // "Sicil Numarasına göre sırala"
    QToolButton* SpeedButton8;      // "Bölgeye göre sırala"
    QLabel* SortMarker4;
    QLabel* SortMarker6;
    QLabel* SortMarker8;

    // --- List and buttons ------------------------------------------------------
    TDBGrid* DBGrid1;
    QLabel* CountLabel;             // "Kayıt Sayısı : n"
    QPushButton* BitBtn1;           // "Kayıt Bul"
    QPushButton* BitBtn3;           // "Yeni Kayıt"
    QPushButton* BitBtn6;           // "Raporlar"
    QToolButton* ToolButton1;       // the report drop-down
    QPushButton* BitBtn7;           // "Vize İşle"
    QPushButton* BitBtn9;           // "Seminer İşle"
    QPushButton* BitBtn10;          // "Turnuva İşle"
    QPushButton* BitBtn5;           // "Kayıt Sil"
    QPushButton* BitBtn8;           // "Sms Gönder"
    QPushButton* BitBtn4;           // "Kapat"
    QPushButton* BitBtn2;           // "Kaydı Aç" (hidden; a double click on a row)
    QMenu* PopupMenu1;              // the report drop-down
    QAction* GenelListe31;          // "Genel Liste"
    QAction* SporcuRapor1;          // "Sporcu Rapor" (hidden)
    QAction* AntrenrRapor1;         // "Antrenör Rapor"
    QAction* HakemRapor1;           // "Hakem Rapor" (hidden)
    QAction* iftlerListesi1;        // "Çiftler Listesi" (hidden)
    QAction* SporcuListesi1;        // "Genel Liste (Adresli)"
    QAction* GenelListe21;          // "Genel Liste (Unvan Tarihli)"
    QAction* KlpListesi1;           // "Genel Liste (Kulüp v.s.)"
    QAction* KulpBazndaSporcuSaylar1;   // "Kulüp Bazında Sporcu Sayıları"
    QAction* SporcuSicilDkm1;       // "Sicil Dökümü"
    QAction* Mektup2;               // "Mektup (Adresli)"
    QAction* GenelMektupAdressiz1;  // "Mektup (Adressiz)"
    QAction* Etiket1;               // "Etiket"
    QAction* MillilikDiplomas1;     // "Millilik Diploması" (hidden at start-up)
    QAction* SporcuBilgileri1;      // "SPORCU Listesi"
    QAction* SporcuBranListeleri1;  // "Branşlara Göre SPORCU Dağılımı"
    QAction* BlgeBazndaHakemListesi1;       // "Bölge Bazında Hakem Listesi"
    QAction* BlgeBazndaAntrenrListesi1;     // "Bölge Bazında Antrenör Listesi"
    QAction* BlgeBazndaKuakListesi1;        // "Bölge Bazında Kuşak Listesi"
    QAction* Hazrlayanlar1;         // "BarCode" (F9), never shown
    QAction* GIPmtihanListesiOlutur1;   // "GIP İmtihan Listesi Oluştur", shown on an office station

    // The window's size by design; it keeps within a smaller screen.
    static constexpr QSize kDesignSize{1024, 768};
    // Room left for a title bar whose height is not known yet.
    static constexpr int kTitleRoom = 32;
    // The list's area keeps a few rows even on a small window.
    static constexpr int kListAreaMinimumHeight = 150;

    // --- Operations ----------------------------------------------------------
    // The criteria as the filter builder takes them (after validation).
    PersonSearch::Criteria criteria() const;
    // What the report launchers and the SMS export read of the list.
    ReportLaunch::RegistrySelection selection() const;
    Cards::RegistryList registryList() const;
    // The list is open and its current row has a key.
    bool hasCurrentKey() const;
    void SetPreviewReport(QObject* report) { FPreviewReport = report; }

public Q_SLOTS:
    void QIslem();                  // reset the list
    void BitBtn1Click();            // "Kayıt Bul"
    void SatirSecme();              // FSelectedKeys follows the grid's selection
    void AnaListEkle();             // ListBox1 := ListBox2 .. ListBox6
    void BitBtn4Click();            // "Kapat"
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton4Click();
    void SpeedButton6Click();
    void SpeedButton8Click();
    void Hazrlayanlar1Click();      // F9: the scanner field
    void Edit24Enter();             // the scanner's Enter
    // Batch operations (MusteriGiris1Batch.cpp).
    void BitBtn2Click();            // open the highlighted person
    void BitBtn3Click();            // new person
    void BitBtn5Click();            // delete
    void BitBtn7Click();            // visa years
    void BitBtn9Click();            // seminars
    void BitBtn10Click();           // duties through the results window
    void BitBtn8Click();            // SMS export
    // Print commands (MusteriGiris1Print.cpp).
    void BitBtn6Click();            // "Raporlar": the general list
    void GIPmtihanListesiOlutur1Click();    // the club's exam list and package
    void runPrintCommand(const QString& item);

protected:
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;

private:
    struct Criterion {
        QWidget* field;
        QLabel* caption;
    };
    QList<Criterion> m_criteria;
    QHash<QWidget*, QLabel*> m_captionOf;

    QLineEdit* pickField(const QString& name, QComboBox** list, const QString& listName,
                         const QStringList& items = {});
    void addCriterion(int row, int column, const QString& captionName, const QString& caption, QWidget* field,
                      QWidget* extra = nullptr);
    void criterionChanged(QWidget* field, bool empty);
    void fillLookup(QComboBox* list, const QString& sql, const QString& column, const QString& filter = {});
    void titlePicked(QComboBox* list, QLineEdit* field, QListWidget* box);
    void setSortColumn(const QString& column);
    bool validate();
    ReportCaller reportCaller();
    void buildPrintMenu();
};

inline TMusteriGiris1* MusteriGiris1 = nullptr;
