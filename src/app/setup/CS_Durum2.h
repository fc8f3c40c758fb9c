#pragma once
// "Aktivite Türleri Girişi": the person statuses and titles of C_UYEKULLANICI
// in four kinds, "S" athlete ("SPORCU"), "H" referee ("HAKEM"), "A" coach
// ("ANTRENÖR") and "D" other ("DİĞER"). New entries are made with the fields
// above the grid; the grid corrects their codes; an entry is deleted only
// while no person holds it and no title history row names it. Callers only
// show the screen modally.

#include "app/kit/Form.h"

class Database;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Record;
class TDBGrid;

class TCS_Durum2 : public Form {
    Q_OBJECT
public:
    TCS_Durum2();

    // Set while the screen inserts its own row.
    bool FInserting = false;

    QLabel* Label1;             // "Aktivite Türü"
    QLineEdit* Edit1;           // the name
    QLabel* Label2;             // "Aktivite Tipi"
    QComboBox* ComboBox1;       // "SPORCU", "HAKEM", "ANTRENÖR", "DİĞER"
    QLabel* Label3;             // "Kod"
    QLineEdit* Edit2;           // the code
    QPushButton* BitBtn1;       // "Kaydet"
    QPushButton* BitBtn3;       // "Kayıt Sil"
    QPushButton* BitBtn2;       // "Kapat"
    TDBGrid* DBGrid1;

    // The kind letter stored for a kind's caption ("" for none).
    static QString kindCode(const QString& caption);
    // Why the entry with this name and key may not be deleted: the message
    // to show, or "" when nothing holds it.
    static QString SilmeKontrol(Database& db, const QString& name, int key);

public Q_SLOTS:
    void Button1Click();        // "Kaydet"
    void BitBtn3Click();        // "Kayıt Sil"
    void BitBtn2Click();        // "Kapat"
    void ComboBox1Change();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void openTable();
    bool Table1BeforePost(Record& row);
    bool Table1NewRecord(Record& row);
    void writeRow(const Record& row, bool isNew);
};

inline TCS_Durum2* CS_Durum2 = nullptr;
