#pragma once
// The main window's commands in one table: every menu item and every tool
// button, with its caption, its name (objectName) and what it does.
//
// The window builds its menus and tool bars from these lists at creation:
// each command row becomes a QAction named after the row (menu items stand in
// their menu in the order of the rows), and each tool button runs the command
// whose row names it. A command is run by its name:
//
//   Main->runCommand("KullancTantma1");
//
// Wiring a screen that is built later means completing the handler of its
// row in MainCommands.cpp, for example
//
//   {"FederasyonAdresi1", "Federasyon Adresi", "Genellemler1", "",
//    [](TMain&) { Isyeri->showModal(); }},
//
// A row without a handler is a command all the same (its menu item and tool
// button exist): running it tells the operator, in one message, that the
// command is not available on this station.

#include "app/kit/NotAvailable.h"

#include <QList>

class TMain;

struct MainCommand {
    // objectName of the menu item (a QAction); for a command without a menu
    // item, of the control that runs it.
    const char* name;
    // The caption as the user reads it; "-" for a menu separator.
    const char* caption;
    // objectName of the top-level menu the item stands in; "" for none.
    const char* menu;
    // objectName of the tool button that runs this command; "" for none.
    const char* toolButton;
    // What the command does; nullptr while its screen does not exist yet.
    void (*handler)(TMain& main);

    bool isSeparator() const;
};

struct MainMenu {
    const char* name;   // objectName of the QMenu
    const char* title;
};

// One place on a tool bar: a button running a command, a separator, or the
// blank disabled button at the top of the left tool bar.
struct ToolBarItem {
    enum Kind { Button, Separator, Blank };
    const char* name;   // objectName (a QToolButton, or the separator's QAction)
    Kind kind;
};

namespace MainCommands {
// The five top-level menus, left to right.
const QList<MainMenu>& menus();
// Every command, menu items in menu order.
const QList<MainCommand>& commands();
// The left tool bar `Menu`, top to bottom.
const QList<ToolBarItem>& leftToolBar();
// The top tool bar, left to right.
const QList<ToolBarItem>& topToolBar();
// The row of a command or of the command a tool button runs; nullptr when
// there is none.
const MainCommand* find(const QString& name);
const MainCommand* forToolButton(const QString& toolButton);

// What a command without a screen says when it is run.
inline constexpr const char* kNotAvailableHere = NotAvailable::kText;
// Runs a command's handler, or says kNotAvailableHere when it has none.
void run(const MainCommand& command, TMain& main);
}
