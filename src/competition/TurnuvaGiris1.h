#pragma once
// "Faaliyet Sorgulama ve Rapor Ekranı": the persons' activity rows
// (TURSORGU) filtered by person, activity and result, listed, and printed
// in seven reports and the two pairs lists. It only reads. The condition is
// built by ActivityQuery.h; the reports are launched through
// reports/ActivityReports.h. Opened modally by the main window.
//
// The seventeen filter fields, each with its clickable caption (a click
// empties it) and, where the value is picked, a drop-down list beside it:
//   Edit1 "Ad Soyad", Edit2 "Faaliyet Tarihi" (DateTimePicker1), Edit3
//   "Arası" (DateTimePicker2), Edit4 "Faaliyet Türü", Edit5 "Ulusal/ U.Arası",
//   Edit6 "Branş", Edit13 "Faaliyet", Edit15 "Cinsiyet", Edit7 "Kategori",
//   Edit8 "Sicil No", Edit9 "Bölge", Edit10 "Derece", Edit11 "Aktivite",
//   Edit12 "Sporcu", Edit14 "Hakem", Edit16 "Antrenör", Edit17 "Diğer".

#include "app/kit/Form.h"
#include "reports/ActivityReports.h"

#include <QStringList>
#include <QVariantMap>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;
class TDBGrid;

class TTurnuvaGiris1 : public Form {
    Q_OBJECT
public:
    TTurnuvaGiris1();

    QString FWhereClause;       // " where TURSORGU.Turnuva_Key > 0 " + the filters of the last search
    QString FReportSql;         // "Select * from TURSORGU" + FWhereClause
    QString FOrderBy;           // "Ad_Soyad", "Vergi_Numarasi" or "Vergi_Dairesi"
    QVariantMap FParams;        // the values FWhereClause binds
    QString FDatabaseKind;      // DBName of C_DATABASE
    bool FListMode = false;     // the panel list is shown
    QStringList FStatusLists[4];   // Sporcu, Hakem, Antrenör, Diğer
    bool FResultOpen = false;   // a search ran since the last reset
    int FInPreview = 0;
    QObject* FPreviewReport = nullptr;

    // The filter fields by their order in the condition (see above).
    enum Filter {
        AdSoyad, TarihBas, TarihBit, Turu, Tipi, Brans, Faaliyet, Cinsiyet, Kategori, SicilNo, Bolge, Derece,
        Aktivite, Sporcu, Hakem, Antrenor, Diger, FilterCount
    };
    QLineEdit* Field[FilterCount];
    QLabel* Caption[FilterCount];
    QComboBox* Picker[FilterCount];   // null for the typed fields and the dates
    QLineEdit* Edit13;          // "Faaliyet" (also the report title offered)
    QLineEdit* Edit15;          // "Cinsiyet"
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;

    QListWidget* ListBox1;      // "Listelenen Aktivite Türleri"
    QToolButton* SpeedButton1;  // list mode on
    QToolButton* SpeedButton2;  // list mode off
    QToolButton* SpeedButton3;  // "Ad Soyada göre sırala"
    QToolButton* SpeedButton4;  // "Sicil Numarasına göre sırala"
    QToolButton* SpeedButton5;  // "Bölgeye göre sırala"
    QLabel* OrderMarker;        // stands in for the button of the order in force

    TDBGrid* DBGrid1;
    QLabel* Label10;            // "Kayıt Sayısı : n"
    QPushButton* BitBtn1;       // "Kayıt Bul"
    QPushButton* BitBtn6;       // "Raporlar": the general list
    QPushButton* BitBtn7;       // the drop-down of reports
    QPushButton* BitBtn2;       // "Kapat"
    QMenu* PopupMenu1;
    QAction* GenelListe1;
    QAction* urnuvaBazndaListe1;
    QAction* urnuvaTrBazndaListe1;
    QAction* arihBazndaListe1;
    QAction* HakemPerformans1;
    QAction* KlpBazndaListe1;
    QAction* KulpBazndaFaaliyetListesi1;
    QAction* itlerListesi1;
    QAction* iftlerListesiBranagresral1;

    // Closes the result: the grid shrinks to its title row, no count.
    void Reset();
    // Sets the order and resets.
    void setOrder(const QString& column);

public Q_SLOTS:
    void BitBtn1Click();        // "Kayıt Bul"
    void BitBtn6Click();        // "Genel Liste"
    void urnuvaBazndaListe1Click();
    void urnuvaTrBazndaListe1Click();
    void arihBazndaListe1Click();
    void HakemPerformans1Click();
    void KlpBazndaListe1Click();
    void KulpBazndaFaaliyetListesi1Click();
    void itlerListesi1Click();
    void iftlerListesiBranagresral1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void turnuvaQueryFill(Filter f, const QStringList& values);
    void turnuvaQueryPick(Filter f);
    void turnuvaQueryCaptionClick(Filter f);
    void turnuvaQueryRebuildPanel();
    void turnuvaQueryColour(Filter f);
    Reports::ActivitySelection turnuvaQuerySelection() const;
    ReportCaller turnuvaQueryCaller();
};

inline TTurnuvaGiris1* TurnuvaGiris1 = nullptr;
