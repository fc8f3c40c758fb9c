#pragma once
// "Branşlar/Kategoriler": the weight categories of C_BRANS. A new category's
// name is composed of the typed weight, the unit word, the sex and a category
// name of C_BRANSADI ("48 KİLO ERKEK BÜYÜKLER"); its limits are typed beside
// it. The grid corrects the limits and the web fields of existing categories.
// A category is deleted only while no person, weigh-in row, bout or career
// row uses it. Callers only show the screen modally.

#include "app/kit/Form.h"

class Database;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Record;
class TDBGrid;

class TBrans : public Form {
    Q_OBJECT
public:
    TBrans();

    // Set while the screen inserts its own row.
    bool FInserting = false;

    QLabel* Label1;                 // "Kilo"
    QLineEdit* Edit2;               // the weight text
    QLineEdit* Edit5;               // the unit word, "KİLO"
    QLabel* Label2;                 // "Erkek/Bayan"
    QComboBox* ComboBox4;           // "ERKEK", "BAYAN"
    QLabel* Label3;                 // "Branş Türü"
    QComboBox* DBLookupComboBox5;   // category names of C_BRANSADI (key above 2)
    QLineEdit* Edit1;               // the chosen category name, read-only
    QLabel* Label4;                 // "Alt Limit Kilo"
    QLineEdit* Edit3;
    QLabel* Label5;                 // "Üst Limit Kilo"
    QLineEdit* Edit4;
    QPushButton* BitBtn1;           // "Kaydet"
    QPushButton* BitBtn3;           // "Kayıt Sil"
    QPushButton* BitBtn2;           // "Kapat"
    TDBGrid* DBGrid1;

    // Why the category with this name and key may not be deleted: the
    // message to show, or "" when nothing uses it.
    static QString SilmeKontrol(Database& db, const QString& name, int key);
    // The checks before a category row is stored (also the screen's own
    // insert); shows their messages. The limits are left as numbers.
    static bool Table1BeforePost(Record& row);

public Q_SLOTS:
    void Button1Click();            // "Kaydet"
    void BitBtn3Click();            // "Kayıt Sil"
    void BitBtn2Click();            // "Kapat"
    void DBLookupComboBox5Click();
    void ComboBox4Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    // The grid's rows: the categories whose name holds both parts.
    void loadGrid(const QString& category, const QString& sex);
    void reload();
    void enableDelete();
    bool Table1NewRecord(Record& row);
    void writeRow(const Record& row, bool isNew);
};

inline TBrans* Brans = nullptr;
