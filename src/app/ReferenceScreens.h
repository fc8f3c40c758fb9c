#pragma once
// Small pieces the reference-data screens share: the yes/no question before
// a delete, the look-up of rows that still use a reference row, clickable
// labels, the pop-up menu of an editable grid and the length limits of typed
// grid cells.

#include <QMap>
#include <QString>
#include <QVariantMap>

#include <functional>

class Database;
class QAction;
class QLabel;
class QMenu;
class QWidget;
class TDBGrid;

namespace ReferenceScreens {

// The database every screen works on (the login's connection).
Database& db();

// True when the statement (values bound by name) finds at least one row.
bool hasRows(Database& db, const QString& sql, const QVariantMap& params = {});

// Asks the shared yes/no question; true after "Evet".
bool confirm(const QString& question);

// Runs `action` when the label is clicked (and shows the hand cursor).
void onClick(QLabel* label, std::function<void()> action);

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

}
