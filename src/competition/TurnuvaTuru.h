#pragma once
// "Faaliyet Türü Tanımları": the activity types of C_TURTURU, each national
// ("ULUSAL") or international ("ULUSLAR ARASI"), added, corrected and deleted
// directly in one grid. A type that an activity still has is not deleted.
// Shown modally by the activity definitions screen, which re-reads its type
// lists afterwards.

#include "app/kit/Form.h"

class Database;
class QAction;
class QMenu;
class Record;
class TDBGrid;

class TTurnuvaTuru : public Form {
    Q_OBJECT
public:
    TTurnuvaTuru();

    TDBGrid* DBGrid1;           // "Faaliyet Türü" (Turu), Tipi
    QMenu* PopupMenu1;
    QAction* Sil1;              // "Sil"
    QAction* Yeni1;             // "Yeni"

    // Why the type with this key may not be deleted: the message to show,
    // or "" when no activity has it.
    static QString SilmeKontrol(Database& db, const QString& name, int key);

public Q_SLOTS:
    void Yeni1Click();
    void Sil1Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void openTable();
    bool Table1NewRecord(Record& row);
    bool Table1BeforePost(Record& row);
    void writeRow(const Record& row, bool isNew);
};

inline TTurnuvaTuru* TurnuvaTuru = nullptr;
