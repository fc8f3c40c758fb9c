#pragma once
// "Bilgi Giriş": the person record editor. One instance for the whole run.
//
// Callers pass nothing: they check that it is not open already (the person
// editor, the club editor and the person search open each other, and an open
// editor keeps its person), set FPersonKey (0 for a new person),
// FFromWeighIn and FBatchMode, show the editor modally and read its fields
// afterwards (FPersonKey, FSaved, FRefreshNeeded):
//
//   if (MusteriGiris2->refuseWhileOpen())
//       return;
//   MusteriGiris2->FPersonKey = key;
//   MusteriGiris2->FFromWeighIn = 0;
//   MusteriGiris2->FBatchMode = 0;
//   MusteriGiris2->showModal();
//   if (MusteriGiris2->FRefreshNeeded) ...
//
// The exam import drives it without a user: FBatchMode := 1, FormActivate()
// (loads the person or clears the fields), fields filled through
// setFieldText(column, text), FSaved := 0, Button1Click(), then FSaved,
// FPersonKey and the register number field Edit5 are read. The import
// itself is the editor's import mode ("Aktar", MusteriGiris2Import.cpp,
// over the rules of ExamImport.h): showImportMode() hides "Kaydet" and
// "Rapor", shows "Aktar" and opens the editor empty.
//
// Every field stands for one column of C_MUSTERI; fieldOf(column) gives the
// control. The checks and the writing themselves are in PersonChecks.h and
// PersonSave.h; the companion mirror in exchange/CompanionMirror.h.

#include "app/kit/DbGrid.h"
#include "app/kit/Form.h"
#include "registry/PersonSave.h"
#include "registry/PersonValues.h"

#include <QDateTime>
#include <QHash>
#include <QImage>

#include <functional>

class QCheckBox;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QTabWidget;
class QToolButton;
class TMaskEdit;
class Database;

class TMusteriGiris2 : public Form {
    Q_OBJECT
public:
    TMusteriGiris2();

    // --- State read and written by other screens ---------------------------
    int FPersonKey = 0;         // Musteri_Key shown; 0 = a new person
    int FBatchMode = 0;         // the exam import saves without a user
    int FFromWeighIn = 0;       // opened from the weigh-in screen
    int FKeepLoaded = 0;        // one-shot: the next activation keeps the fields
    int FSaved = 0;             // set by every successful save
    int FRefreshNeeded = 0;     // cleared by each load, set by each save
    int FModified = 0;          // unsaved changes in the fields
    int FLoaded = 0;            // 0 while a load or clear runs
    int FLoading = 0;           // 1 while the load fills the fields
    QString FProgramFolder;     // photos and attachments live here
    // The exam import: the folder of the package being imported (with its
    // separator at the end), and whether the row being saved enters as a
    // new person.
    QString FImportFolder;
    int FImportAsNew = 0;
    int FPhotoLoaded = 0;       // the photo file was found and shown
    int FInGrid = 0;            // a career grid has the focus
    int FStyleChanged = 0;      // the style field changed since the load
    int FAddingStyle = 0;       // "Stil Ekle" runs the belt flow
    int FNewAchievement = 0;    // the achievement grid's new-row flag
    // First career rows of a person not yet saved (from the entry dialogs).
    PendingCareerRow FPendingBelt;
    PendingCareerRow FPendingCoachTitle;
    PendingCareerRow FPendingRefereeTitle;
    PendingLicence FPendingLicence;
    // The report whose preview the record sheet button runs.
    QObject* FPreviewReport = nullptr;
    void SetPreviewReport(QObject* report) { FPreviewReport = report; }
    // The photo buffer, provided by the load.
    QImage FPhoto;
    // The clock the editor dates its changes with (tests set a fixed one).
    std::function<QDateTime()> FNow = [] { return QDateTime::currentDateTime(); };

    // --- Controls (objectName = member name) -------------------------------
    // Main block, left.
    QLineEdit* Edit11;          // "Adı" (Adi)
    QLineEdit* Edit12;          // "Soyadı" (Soyadi)
    QLineEdit* Edit1;           // full name, hidden (Ad_Soyad)
    QLineEdit* Edit13;          // "Diğer Ad/Unv" (Klup_Yetkilisi)
    QComboBox* DBLookupComboBox13;
    QLineEdit* Edit4;           // "Bölge", read-only (Vergi_Dairesi)
    QComboBox* DBLookupComboBox2;
    QLineEdit* Edit43;          // "Unvan" (E43)
    QComboBox* DBLookupComboBox7;
    QLineEdit* Edit52;          // "Antrenör" title, place, date (E52, E56, M5)
    QComboBox* DBLookupComboBox6;
    QLineEdit* Edit56;
    TMaskEdit* MaskEdit5;
    QLineEdit* Edit51;          // "Hakem" title, place, date (E51, E57, M6)
    QComboBox* DBLookupComboBox5;
    QLineEdit* Edit57;
    TMaskEdit* MaskEdit6;
    QLineEdit* Edit25;          // "Kuşak" belt, place, date, style (E25, E58, M7, Stil)
    QComboBox* DBLookupComboBox11;
    QLineEdit* Edit58;
    TMaskEdit* MaskEdit7;
    QLineEdit* Edit82;
    QComboBox* DBLookupComboBox14;
    QLineEdit* Edit74;          // "Prof. Hakem" (E74, M9)
    TMaskEdit* MaskEdit9;
    QLineEdit* Edit20;          // "Dosya No" (DosyaNo)
    QLabel* Label25;            // "Kuşak"
    QLabel* Label52;            // "Antrenör"
    QLabel* Label51;            // "Hakem"
    QLabel* Label43;            // "Unvan"
    QLabel* Label20;            // "Dosya No"
    QLabel* Label29;            // caption of E74 ("Prof. Hakem" after start-up)
    QLabel* Label46;            // caption of E64 ("Kick Beden No" after start-up)
    QLabel* Label47;            // caption of E65 ("Kick Ayak.No" after start-up)
    // Main block, right.
    QLineEdit* Edit5;           // "Sicil Numarası", read-only (Vergi_Numarasi)
    QLineEdit* Edit26;          // "Lisans No/V.Yılı" (E26, E67)
    QLineEdit* Edit67;
    QLineEdit* Edit50;          // "Sporcu" (E50)
    QComboBox* DBLookupComboBox4;
    QLineEdit* Edit53;          // "Branş/Kategori" (E53)
    QComboBox* DBLookupComboBox8;
    QLineEdit* Edit54;          // "Diğer Branş 1" (E54)
    QComboBox* DBLookupComboBox9;
    QLineEdit* Edit55;          // "Diğer Branş 2" (E55)
    QComboBox* DBLookupComboBox10;
    QLabel* Label50;            // "Sporcu"
    QLabel* Label53;            // "Branş/Kategori"
    QLabel* Label54;            // "Diğer Branş 1"
    QLabel* Label55;            // "Diğer Branş 2"
    QLabel* Label38;            // "Kilo"
    QLabel* Label15;            // "Cinsiyet"
    QComboBox* ComboBox3;       // "Katılm": "YARIŞMAYACAK", "1", "2", "3" (Kullanici)
    QLineEdit* Edit38;          // "Kilo" (E38)
    QLineEdit* Edit15;          // "Cinsiyet", read-only (E15)
    QComboBox* ComboBox2;       // "BAYAN", "ERKEK"
    TMaskEdit* MaskEdit3;       // "Doğum Tarihi" (M3)
    QCheckBox* CheckBox1;       // "Faal Değil" (Tip)
    QGroupBox* GroupBox1;       // "Fotoğraf"
    QLabel* Image1;
    QToolButton* SpeedButton1;  // "Ekle"
    QToolButton* SpeedButton2;  // "Sil"
    QLabel* Label_ResimNo;      // "Resim No : " + key, hidden
    QLineEdit* Edit68;          // "Hakemlik" visa years (E68, E77, E78)
    QLineEdit* Edit77;
    QLineEdit* Edit78;
    QLineEdit* Edit69;          // "Antrenörlük" visa years (E69, E79, E80)
    QLineEdit* Edit79;
    QLineEdit* Edit80;
    TMaskEdit* MaskEdit8;       // "Seminer Tar" (M8)
    QLineEdit* Edit81;          // "Hak.Böl.Viz" (E81)
    // Hidden fields.
    TMaskEdit* MaskEdit1;       // change date (M1)
    TMaskEdit* MaskEdit2;       // registration date (M2)
    QLineEdit* Edit48;          // "Antrenörü" (E48)
    QLineEdit* Edit49;          // "Salonu" (E49)
    QLineEdit* Edit75;          // previous belt (E75)
    QLineEdit* Edit107;         // visa years of the licences (E107)
    QCheckBox* CheckBox3;       // flag (E82)
    QLabel* Label_Ovunc;        // "Övünç"
    // Buttons.
    QPushButton* BitBtn1;       // "Kaydet"
    QPushButton* BitBtn3;       // "Rapor"
    QPushButton* BitBtn2;       // "Kapat"
    QPushButton* BitBtn4;       // "Aktar", hidden unless the exam import opened the editor
    // Pages.
    QTabWidget* PageControl1;
    QWidget* TabSheet1;         // "Kişisel Bilgiler"
    QWidget* TabSheet2;         // "Kariyer Bilgileri"
    QWidget* TabSheet3;         // "Başarı ve Cezalar"
    QWidget* TabSheet4;         // "Sporcu Lisans"
    QWidget* TabSheet5;         // "Mesleki Bilgiler" (hidden at start-up by the main window)
    // Personal page.
    QLineEdit* Edit16;          // "Kulübü" (E16)
    QComboBox* DBLookupComboBox1;
    QToolButton* SpeedButton4;  // "..." new club
    QCheckBox* CheckBox2;       // "Ferdi Sporcu" (Ferdi)
    QLineEdit* Edit18;          // "Med.Hali", read-only (E18)
    QComboBox* ComboBox1;       // "BEKAR", "EVLİ"
    QLabel* Label_E18;          // "Med.Hali"
    QLineEdit* Edit42;          // "TC Kimlik No" (E42)
    QLineEdit* Edit73;          // "Ceza Durumu" (E73)
    TMaskEdit* MaskEdit4;       // "Verildiği Tarih" (M4)
    // The other fields of the personal page (Edit2 Telefonlar, Edit3 Adres,
    // Edit6 Sokak, Edit7 Cadde, Edit8 No1, Edit9 Semt, Edit45 Mahalle, Edit46
    // Fax; every other EditN holds the column EN).
    QLineEdit *Edit2, *Edit3, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit14;
    QLineEdit *Edit17, *Edit19, *Edit21, *Edit22, *Edit23, *Edit24, *Edit27, *Edit28;
    QLineEdit *Edit29, *Edit30, *Edit31, *Edit32, *Edit33, *Edit34, *Edit35, *Edit36;
    QLineEdit *Edit37, *Edit39, *Edit40, *Edit41, *Edit44, *Edit45, *Edit46, *Edit47;
    QLineEdit *Edit59, *Edit60, *Edit61, *Edit62, *Edit63, *Edit64, *Edit65, *Edit66;
    QLineEdit *Edit70, *Edit71, *Edit72;
    // Career page.
    QToolButton* SpeedButton3;  // "Stil Ekle"
    QLabel* Label_Stiller;      // "Stil Bilgileri": the styles summary
    QToolButton* SpeedButton6;  // "Yeni Giriş" (seminar)
    // Career grids.
    TDBGrid* DBGrid12;          // belts (F_KUSAK)
    TDBGrid* DBGrid13;          // coach titles (F_ANT)
    TDBGrid* DBGrid14;          // referee titles (F_HAKEM)
    TDBGrid* DBGrid15;          // seminars (F_SEM)
    TDBGrid* DBGrid16;          // achievements and penalties (F_DER)
    TDBGrid* DBGrid17;          // gyms and coaches (F_GOR)
    TDBGrid* DBGrid1;           // athlete licences (F_LNC)
    // Pop-up menus of the grids, with their items.
    QMenu* PopupMenu12;         // belts: MenuItem7 "Sil", MenuItem8 "Yeni", DosyaEkle1, DosyaGster1, DosyaSil1
    QMenu* PopupMenu13;         // coach titles: MenuItem1, MenuItem2, DosyaEkle2, DosyaGster2, DosyaSil2
    QMenu* PopupMenu14;         // referee titles: MenuItem3, MenuItem4, DosyaEkle3, DosyaGster3, DosyaSil3
    QMenu* PopupMenu15;         // seminars: MenuItem5, MenuItem6
    QMenu* PopupMenu16;         // achievements: MenuItem9, MenuItem10
    QMenu* PopupMenu17;         // gyms: MenuItem11, MenuItem12
    QMenu* PopupMenu1;          // licences: MenuItem13, MenuItem14
    QAction* MenuItem1;
    QAction* MenuItem2;
    QAction* MenuItem3;
    QAction* MenuItem4;
    QAction* MenuItem5;
    QAction* MenuItem6;
    QAction* MenuItem7;
    QAction* MenuItem8;
    QAction* MenuItem9;
    QAction* MenuItem10;
    QAction* MenuItem11;
    QAction* MenuItem12;
    QAction* MenuItem13;
    QAction* MenuItem14;
    QAction* DosyaEkle1;
    QAction* DosyaEkle2;
    QAction* DosyaEkle3;
    QAction* DosyaGster1;
    QAction* DosyaGster2;
    QAction* DosyaGster3;
    QAction* DosyaSil1;
    QAction* DosyaSil2;
    QAction* DosyaSil3;

    // --- Fields by column --------------------------------------------------
    // The control that holds a C_MUSTERI column (a line, a date field, a
    // check box or the participation list); nullptr for none.
    QWidget* fieldOf(const QString& column) const;
    // The text of a column's field (dates as shown: "  .  .    " when
    // blank; check boxes "1" or ""; "Katılm" its index) and its setter.
    QString fieldText(const QString& column) const;
    void setFieldText(const QString& column, const QString& text);
    // Every field's value, as the checks and the save take them.
    PersonValues values() const;

    // --- Operations ----------------------------------------------------------
    // Loads FPersonKey into the fields, or clears them for a new person
    // (runs when the window becomes active; the exam import calls it).
    void FormActivate() override;
    // Opens the seven career grids on FPersonKey, or closes them.
    void DBGridIslem(bool open);
    // Mirrors the person just saved into the companion database.
    void AktarmaTolk();
    // National identity number check; needs nothing of the window.
    static bool TCKimlikDogrula(const QString& number);
    // Recomputes the licence number, visa year and visa year list from the
    // licence rows (CareerRules.h).
    void SonLisans();
    // Rebuilds the club-name pick lists of the achievement and gym grids.
    void KulupAdlari();

public Q_SLOTS:
    void Button1Click();            // "Kaydet": the checks, then the save
    void BitBtn2Click();            // "Kapat"
    void BitBtn3Click();            // "Rapor": the person's record sheet
    void SpeedButton4Click();       // "..." beside "Kulübü": a new club
    // The exam import (MusteriGiris2Import.cpp).
    void showImportMode();          // the editor empty, "Aktar" instead of "Kaydet" and "Rapor"
    void BitBtn4Click();            // "Aktar": imports an exam package
    void KayitGuncelle();           // the row promotes the person found
    void KayitYeniGir();            // the row enters as a new person
    void KayitIslemK();             // fills, saves and logs one package row
    // Field handling (MusteriGiris2Fields.cpp).
    void DBLookupComboBox2Click();  // region pick
    void Edit13Change();            // the shared change flag
    void Edit11Change();            // first or last name: the full name follows
    void Edit82Change();            // the style field
    void Edit50Change();            // "Sporcu"
    void Edit43Change();            // "Unvan"
    void Edit53Change();            // "Branş/Kategori"
    void Edit54Change();            // "Diğer Branş 1"
    void Edit55Change();            // "Diğer Branş 2"
    void Edit58Change();            // the belt's place
    void CheckBox1Click();          // "Faal Değil"
    void CheckBox2Click();          // "Ferdi Sporcu"
    void CheckBox3Click();          // the hidden flag box
    void DBLookupComboBox4Click();  // pick in "Sporcu"
    void DBLookupComboBox7Click();  // pick in "Unvan"
    void DBLookupComboBox13Click(); // pick in "Diğer Ad/Unv"
    void DBLookupComboBox8Click();  // pick in "Branş/Kategori"
    void DBLookupComboBox9Click();  // pick in "Diğer Branş 1"
    void DBLookupComboBox10Click(); // pick in "Diğer Branş 2"
    void ComboBox2Change();         // "BAYAN" / "ERKEK" into "Cinsiyet"
    void ComboBox1Change();         // "BEKAR" / "EVLİ" into "Med.Hali"
    // Belts and titles (MusteriGiris2Titles.cpp).
    void DBLookupComboBox11Click(); // belt pick
    void Edit25Change();            // the belt field: the belt dialog
    void SpeedButton3Click();       // "Stil Ekle"
    void DBLookupComboBox6Click();  // coach title pick
    void DBLookupComboBox5Click();  // referee title pick
    void Edit52Change();            // the coach title field: the title dialog
    void Edit51Change();            // the referee title field: the title dialog
    void DBLookupComboBox14Click(); // style pick
    // Licences (MusteriGiris2Licence.cpp).
    void DBLookupComboBox1Click();  // club pick: the licence dialog
    // Seminars.
    void SpeedButton6Click();       // "Yeni Giriş": the seminar dialog
    // Photo and attachments (MusteriGiris2Files.cpp).
    void SpeedButton1Click();       // photo "Ekle"
    void SpeedButton2Click();       // photo "Sil"
    void DosyaEkle1Click();         // "Dosya Ekle" of the belt, coach and referee grids
    void DosyaEkle2Click();
    void DosyaEkle3Click();
    void DosyaGster1Click();        // "Dosya Göster"
    void DosyaGster2Click();
    void DosyaGster3Click();
    void DosyaSil1Click();          // "Dosya Sil"
    void DosyaSil2Click();
    void DosyaSil3Click();
    // Career grids: "Sil" and "Yeni" of each pop-up menu.
    void MenuItem1Click();          // coach titles: "Sil"
    void MenuItem2Click();          // coach titles: "Yeni"
    void MenuItem3Click();          // referee titles: "Sil"
    void MenuItem4Click();          // referee titles: "Yeni"
    void MenuItem5Click();          // seminars: "Sil"
    void MenuItem6Click();          // seminars: "Yeni"
    void MenuItem7Click();          // belts: "Sil"
    void MenuItem8Click();          // belts: "Yeni"
    void MenuItem9Click();          // achievements: "Sil"
    void MenuItem10Click();         // achievements: "Yeni"
    void MenuItem11Click();         // gyms: "Sil"
    void MenuItem12Click();         // gyms: "Yeni"
    void MenuItem13Click();         // licences: "Sil"
    void MenuItem14Click();         // licences: "Yeni"
    // After a career row was stored or deleted.
    void Query15AfterPost();        // seminars: the latest seminar date
    void Query16AfterPost();        // achievements: the penalty status
    void Query17AfterPost();        // gyms: the latest gym and coach
    void Query19AfterPost();        // licences: the licence summary

protected:
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void keyPressEvent(QKeyEvent* event) override;
    // The window sees every key of its fields first (FormKeyPress,
    // FormKeyDown).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Career {
        TDBGrid* grid = nullptr;
        QString table;
        QString keyColumn;
        QString orderBy;
        QMenu* menu = nullptr;
    };
    enum CareerIndex { Belts, Coach, Referee, Seminars, Achievements, Gyms, Licences, CareerCount };

    Database& db() const;
    void buildMainBlock(QWidget* host);
    void buildPages();
    void buildCareerGrids();
    void openLists();
    void loadPerson();
    void clearPerson();
    void buildCareerColumns();
    void applyLookups();
    void showCheckFailure(int kind, const QString& message, const QString& focusColumn);
    bool askQuestion(const QString& text, bool raised);
    // The shared question with its text moved up by some pixels while shown.
    bool askRaised(const QString& text, int pixels);
    // The exam import's run on a chosen package file, and its end.
    void runImport(const QString& chosenFile, Database& workingCopy);
    void finishImport();
    void importLine(const QColor& colour, const QString& line);
    // Reopens a career grid on the person, keeping the row with this key
    // current when it is still there.
    void reopen(CareerIndex which, const QVariant& keepKey = QVariant());
    // Common parts of the grids' handlers.
    void newRow(CareerIndex which);
    void deleteRow(CareerIndex which, const QString& name);
    bool newRowKeys(CareerIndex which, Record& row);
    void writeRow(CareerIndex which, const Record& row, bool isNew);
    // Runs what follows a stored or deleted row of the grid (its summary
    // fields); false for a grid that has nothing to follow.
    bool afterCareerChange(CareerIndex which);
    QString lookupName(const QList<QPair<QVariant, QString>>& list, const QVariant& key) const;
    QVariant lookupKey(const QList<QPair<QVariant, QString>>& list, const QString& name) const;
    bool sameTitleHeld(CareerIndex which, const Record& row);
    // The check a career row passes before it is stored (grid or dialog).
    bool checkCareerRow(CareerIndex which, Record& row);
    // Stores a row an entry dialog made: a new row of the grid (its key from
    // the counter), these values, stored through the grid's check. False
    // when the check refused it.
    bool storeCareerRow(CareerIndex which, const QVariantMap& values);
    void loadPhoto();
    // Reads the clubs anew into "Kulübü", the licence grid and the club-name
    // lists of the achievement and gym grids.
    void openClubLists();
    // Wiring of the concerns, called by the constructor.
    void wireFields();
    void wireTitles();
    void wireFiles();
    // Field handling.
    bool FormKeyPress(QKeyEvent* event);
    void FormKeyDown(QKeyEvent* event);
    void emptyOnCaptionClick(QLabel* caption, const QList<QWidget*>& fields);
    // Writes a picked name into a read-only field, as the operator's pick
    // (only such a change opens the belt and title dialogs).
    void pickInto(QLineEdit* field, const QString& name);
    void colourByText(QLabel* caption, QLineEdit* field);
    // Belts and titles.
    void beltFlow();
    void titleChanged(CareerIndex which);
    void titleFlow(CareerIndex which, const QString& before);
    // Attachments of the belt, coach and referee rows.
    void attachFile(CareerIndex which);
    void showFile(CareerIndex which);
    // False when the operator kept the attachment or it could not be removed.
    bool removeFile(CareerIndex which);
    QString attachmentOf(CareerIndex which, const QVariant& rowKey) const;
    QLineEdit* addEdit(const QString& name, const QString& column, int maxLength);
    TMaskEdit* addDate(const QString& name, const QString& column);

    // Pick lists opened at activation.
    Records m_regions;
    Records m_clubs;
    Records m_categories;
    Records m_belts;
    Records m_styles;
    // Lookups of the career grids.
    QList<QPair<QVariant, QString>> m_beltNames;
    QList<QPair<QVariant, QString>> m_coachTitles;
    QList<QPair<QVariant, QString>> m_refereeTitles;
    QList<QPair<QVariant, QString>> m_activities;
    QList<QPair<QVariant, QString>> m_categoryNames;
    QList<QPair<QVariant, QString>> m_regionNames;
    QList<QPair<QVariant, QString>> m_clubNames;      // clubs other than key 1
    QStringList m_allClubNames;                       // every club, key 1 included

    Career m_career[CareerCount];
    bool m_careerOpen = false;
    // The field a pick is writing into, and its text before the pick.
    QLineEdit* m_userPick = nullptr;
    QString m_beforePick;
    // An entry dialog is open (its flows do not run again meanwhile).
    bool m_inEntry = false;
    bool m_firstActivation = false;
    QHash<QString, QWidget*> m_fields;  // column -> control
    // The exam import: the package row being saved, the person found for
    // it, and the package's working copy while a run lasts.
    Record m_importRow;
    int m_importMatchKey = 0;
    Database* m_importCopy = nullptr;
    QList<QLineEdit*> m_typedFields;    // fields that upper-case typed letters
};

inline TMusteriGiris2* MusteriGiris2 = nullptr;
