#pragma once
// "Faaliyet Bilgileri Girişi": the activities of C_TURNUVA (tournaments,
// seminars, exams) edited in place in a grid, newest first, filtered by
// category and type. A new activity takes the category and type that filter
// the grid. The row with key 1 (the persons' penalties) and any lower key
// never show. Shown modally from the main window's "Faaliyet Giriş Ekranı".

#include "app/kit/Form.h"
#include "platform/db/Database.h"

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class TDBGrid;

class TTurnuvaGir : public Form {
    Q_OBJECT
public:
    TTurnuvaGir();

    // The grid's order, set when the screen is created.
    QString FOrderBy;
    // The statement the grid shows (all columns of C_TURNUVA with the
    // screen's filter and order); the activity list report prints it.
    QString FQueryText;

    // The activity list print of "Rapor": the title dialog (its answer is
    // the title) and the report over a statement; the reports' own
    // (ActivityReports.h) unless a test puts others in.
    static inline std::function<QString()> askTitle;
    static inline std::function<void(const QString& title, const QString& sql)> printList;

    QLabel* Label1;                 // "Kategori" (a click clears the choice)
    QComboBox* DBLookupComboBox1;   // categories
    QLabel* Label2;                 // "Türü" (a click clears the choice)
    QComboBox* DBLookupComboBox2;   // activity types
    QToolButton* SpeedButton1;      // "...", the activity types screen
    TDBGrid* DBGrid1;
    QMenu* PopupMenu1;
    QAction* Sil1;                  // "Sil"
    QAction* Yeni1;                 // "Yeni"
    QPushButton* BitBtn1;           // "Sil"
    QPushButton* BitBtn2;           // "Rapor"
    QPushButton* BitBtn3;           // "Kapat"

    // The rows the screen's lists offer.
    Records FCategories;            // C_BRANSADI, keys above 1
    Records FTypes;                 // C_TURTURU
    Records FBelts;                 // KUSAK

    // How the category drop-down shows a category: "(" + key + ") " + name,
    // and "-" alone for the category named "-".
    static QString categoryCaption(int key, const QString& name);
    // The checks before an activity row is stored; shows their messages and
    // sets Yili. False when the row is refused.
    static bool Table1BeforePost(Database& db, Record& row);

public Q_SLOTS:
    void DBLookupComboBox1Click();
    void DBLookupComboBox2Click();
    void Label1Click();
    void Label2Click();
    void SpeedButton1Click();
    void Yeni1Click();
    void Sil1Click();
    void Yazdr1Click();             // "Rapor"
    void BitBtn3Click();            // "Kapat"

    // Re-reads the grid with the chosen filter.
    void Query();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void openLists();
    void readTypes();
    bool Table1NewRecord(Record& row);
    void writeRow(const Record& row, bool isNew);
    QVariant chosenCategory() const;
    QVariant chosenType() const;
};

inline TTurnuvaGir* TurnuvaGir = nullptr;
