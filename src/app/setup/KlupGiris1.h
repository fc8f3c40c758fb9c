#pragma once
// "Yeni Kulüp Girişi ve İşlem Ekranı": the clubs of C_UYELIKSURESI with
// filters and a choice of order. From here the clerk opens a club in the
// club editor or adds one, deletes a club nothing refers to, moves the
// persons of one club to another ("Aktarım"), prints the club lists,
// letters and labels, and hands the selected clubs to the SMS export.
// Shown modally from the main window's "Kulüpler":
//
//   KlupGiris1->showModal();
//
// The rules without the window are in ClubListRules.h.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

#include <QDate>
#include <QPointer>
#include <QVariantMap>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class TDBGrid;
struct ReportCaller;

class TKlupGiris1 : public Form {
    Q_OBJECT
public:
    TKlupGiris1();

    // "select * from C_UYELIKSURESI where Durum_Key>1" + FListFilter.
    QString FListSql;
    // The conditions of the last search, each beginning with " and ".
    QString FListFilter;
    // The values the conditions bind.
    QVariantMap FListParams;
    // "Durum,Durum_Key", "Ad_Soyad,Durum_Key" or "E1,Durum_Key".
    QString FOrderBy;
    // The selected clubs' keys in list order, joined by ","; "0" for none.
    QString FSelectedKeys = "0";
    // 1 while a preview this screen started runs.
    int FInPreview = 0;
    QPointer<QObject> FPreviewReport;
    // Today, for the stamps of "Aktarım".
    std::function<QDate()> FToday = [] { return QDate::currentDate(); };

    QLabel* Label7;                 // "Yetkili Kişi" (a click empties Edit7)
    QLineEdit* Edit7;
    QComboBox* DBLookupComboBox7;   // contact persons
    QLabel* Label3;                 // "Kulüp"
    QLineEdit* Edit3;
    QComboBox* DBLookupComboBox3;   // club names
    QLabel* Label2;                 // "Bölge"
    QLineEdit* Edit2;               // read-only
    QComboBox* DBLookupComboBox2;   // regions
    QRadioButton* RadioButton1;     // "Kulüp"
    QRadioButton* RadioButton2;     // "Salon/Kişisel"
    QRadioButton* RadioButton3;     // "Hepsi"
    QCheckBox* CheckBox1;           // "Faal Olmayanlar"
    QToolButton* SpeedButton1;      // order by club name
    QToolButton* SpeedButton2;      // order by contact person
    QToolButton* SpeedButton3;      // order by region
    QLabel* Image1;                 // the marker of the order in force, in place of its button
    QLabel* Image2;
    QLabel* Image3;
    TDBGrid* DBGrid1;
    QLabel* Label10;                // "Kayıt Sayısı : " + rows
    QPushButton* BitBtn1;           // "Kayıt Bul"
    QPushButton* BitBtn2;           // "Yeni Kayıt"
    QPushButton* BitBtn3;           // "Yazdır"
    QToolButton* BitBtn4;           // the print menu
    QMenu* PopupMenu1;
    QAction* KulpListesi1;          // "Kulüp Listesi"
    QAction* SporcuSaylar1;         // "Sporcu Sayıları"
    QAction* MektupAdresli1;        // "Mektup (Adresli)"
    QAction* MektupAdressiz1;       // "Mektup (Adressiz)"
    QAction* Etiket1;               // "Etiket"
    QPushButton* BitBtn5;           // "Aktarım"
    QPushButton* BitBtn6;           // "Kayıt Sil"
    QPushButton* BitBtn7;           // "Sms Gönder"
    QPushButton* BitBtn8;           // "Kapat"

    // Sets FSelectedKeys from the grid's selection (list order); the
    // current row becomes the last selected row, or the first row.
    void Sec(int unused = 0);
    // The search with the filter controls as they stand.
    void Search();
    // The club list's order (one of ClubListRules' orders); runs the search.
    void setOrder(const QString& orderBy);

public Q_SLOTS:
    void BitBtn1Click();            // "Kayıt Bul"
    void BitBtn2Click();            // "Yeni Kayıt"
    void DBGrid1DblClick();         // edit the club
    void BitBtn6Click();            // "Kayıt Sil"
    void BitBtn5Click();            // "Aktarım"
    void KulpListesi1Click();       // "Yazdır" and "Kulüp Listesi"
    void SporcuSaylar1Click();
    void MektupAdresli1Click();
    void MektupAdressiz1Click();
    void Etiket1Click();
    void BitBtn7Click();            // "Sms Gönder"

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void readPickLists();
    void letters(bool withAddress);
    void paintFilterCaptions();
    ReportCaller caller();
    bool m_searching = false;
};

inline TKlupGiris1* KlupGiris1 = nullptr;
