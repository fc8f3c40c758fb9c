#pragma once
// "Giriş Ekranı": the belts of KUSAK. Their key order is their rank order
// (belts are entered from the lowest grade up). A belt is added here and
// deleted while nothing uses it; its name is not changed here. Callers only
// show the screen modally.

#include "app/kit/Form.h"

class Database;
class QLabel;
class QLineEdit;
class QPushButton;
class Record;
class TDBGrid;

class TKusakGir : public Form {
    Q_OBJECT
public:
    TKusakGir();

    // Set while the screen inserts its own row.
    bool FInserting = false;

    QLabel* Label1;             // "Kuşak Adı"
    QLineEdit* Edit1;
    QPushButton* BitBtn1;       // "Kaydet"
    QPushButton* BitBtn3;       // "Kayıt Sil"
    QPushButton* BitBtn2;       // "Kapat"
    TDBGrid* DBGrid1;           // "Kuşak Adı", read-only

    // Why the belt with this name and key may not be deleted: the message to
    // show, or "" when nothing uses it.
    static QString SilmeKontrol(Database& db, const QString& name, int key);

public Q_SLOTS:
    void Button1Click();        // "Kaydet"
    void BitBtn3Click();        // "Kayıt Sil"
    void BitBtn2Click();        // "Kapat"

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void openTable();
    bool Table1NewRecord(Record& row);
};

inline TKusakGir* KusakGir = nullptr;
