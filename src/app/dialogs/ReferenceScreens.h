#pragma once
// Small pieces the reference-data screens share: the yes/no question before
// a delete, the look-up of rows that still use a reference row, the pop-up
// menu of an editable grid, the length limits of typed
// grid cells, and the "Kaydet", "Kayıt Sil", "Kapat" entry screens' buttons,
// checks and delete.

#include <QMap>
#include <QString>
#include <QVariantMap>

#include <functional>

class Database;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;
class Record;
class TDBGrid;

namespace ReferenceScreens {

// The database every screen works on (the login's connection).
Database& db();

// True when the statement (values bound by name) finds at least one row.
bool hasRows(Database& db, const QString& sql, const QVariantMap& params = {});

// True when another row of `table` than the grid row (by `keyField`)
// already has the row's value of `nameField`.
bool nameTaken(Database& db, const QString& table, const QString& nameField, const QString& keyField,
               const Record& row);

// Stores a grid row of `table`: a new row with its key (and the fields
// `onInsert` that only a new row gets), a changed row by its key.
void storeRow(Database& db, const QString& table, const QString& keyField, QVariantMap fields, const Record& row,
              bool isNew, const QVariantMap& onInsert = {});

// A date column of a grid row as it is stored: the date, or no value when
// the cell holds none.
QVariant dateOrNull(const Record& row, const QString& field);

// Asks the shared yes/no question; true after "Evet".
bool confirm(const QString& question);

// The pop-up menu "Sil", "Yeni" of an editable grid: actions named Sil1 and
// Yeni1, owned by the menu PopupMenu1 of `owner`.
struct GridMenu {
    QMenu* menu;
    QAction* Sil1;
    QAction* Yeni1;
};
GridMenu gridMenu(QWidget* owner, TDBGrid* grid);

// Typed cells of these fields take at most so many characters, as the
// column's width in the database allows.
void limitCellLength(TDBGrid* grid, const QMap<QString, int>& lengths);

// The buttons under the fields of an entry screen: "Kaydet" (BitBtn1),
// "Kayıt Sil" (BitBtn3, off until the screen finds rows) and "Kapat"
// (BitBtn2), none of them pressed by Enter.
struct EntryButtons {
    QPushButton* BitBtn1;
    QPushButton* BitBtn3;
    QPushButton* BitBtn2;
};
EntryButtons entryButtons(QWidget* owner);

// After the screen read its table: "Kayıt Sil" is offered once the grid
// shows a row, and withdrawn once it shows none (each leaves the button as
// it is otherwise).
void enableDeleteWithRows(TDBGrid* grid, QPushButton* remove);
void disableDeleteWithoutRows(TDBGrid* grid, QPushButton* remove);

// "Kaydet" with nothing typed while the grid has a row: stores that row as
// corrected in the grid, through the grid's checks. True when it did (the
// click is done).
bool postGridRow(const QString& typed, TDBGrid* grid);

// A typed name may not start with a space: says "Hatalı Giriş ....." and
// puts the focus back on the field. True when refused.
bool refuseLeadingSpace(QLineEdit* field);

// The grid's handler of new rows on an entry screen: rows are added through
// the fields above the grid only, so a row the grid starts by itself is
// refused and the table read again (`reopen`), unless the screen is inserting.
bool ownRowsOnly(bool inserting, const std::function<void()>& reopen);

// "Kayıt Sil": deletes the grid's current row from `table` (key column
// `keyField`) after `check` (the message why it may not go, "" when nothing
// uses it) and the question, both naming the row by `nameField`. True when
// the row was deleted (the screen then reads its table again).
using DeleteCheck = QString (*)(Database& db, const QString& name, int key);
bool deleteCurrentRow(TDBGrid* grid, const QString& table, const QString& keyField, const QString& nameField,
                      DeleteCheck check);

}
