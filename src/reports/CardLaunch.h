#pragma once
// The card prints: the card items of the registry search screen's report
// menu, the accreditation cards of that screen and of the weigh-in screen,
// the diploma and the national-athlete card.
//
// The registry search screen describes its result list and calls the
// launcher of the item chosen:
//
//   Cards::RegistryList list;
//   list.open = Query1 is open;
//   list.currentKey = the current row's Musteri_Key (null for none);
//   list.recordCount = rows of the result list;
//   list.selection = {FReportSql, FWhereClause, FHasWhere, FSelectedKeys, FOrderBy};
//   ReportCaller caller = ReportCaller::screen(this, &FInPreview, [this](QObject* r) { SetPreviewReport(r); });
//   Cards::launch("AntrenrKimlik1", caller, list);   // any item of Cards::menuItems()
//
// Its report drop-down gets the card items with one call, which names every
// action as its item and runs the launcher of the item chosen:
//
//   Cards::addMenuItems(PopupMenu1, session().user.FIsAdmin,
//                       [this](const QString& item) { Cards::launch(item, caller, list()); });
//   Cards::applyRights(PopupMenu1, session().user.FIsAdmin); // after another login
//
// Who is offered what (offered()): the referee cards every user, the other
// cards the administrator. The design hid some items from everybody (the
// belt, representative, poomse and president cards, the coach card without
// visa, the national-athlete card, the accreditation card, the diploma, the
// class cards of professional athletes); the administrator is offered them
// too, so every card can be printed. Two of them only repeat an item that is
// offered ("Sporcu Kimlikleri" > "Sporcu", "Hakem Kimlik") and stay hidden.
// A card launch refuses an item that is not offered to the user who runs it.
//
// Every card print: the two checks of the result list, a fresh card form,
// the page-setup dialog (Margin.h), the persons of the last search (only
// the selected ones when there is a selection) in the list's order, the
// waiting preview; the form is freed afterwards.

#include "reports/ReportLaunch.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

class QMenu;
class TAkreditasyon;

namespace Cards {

// What the registry search screen tells a launcher about its result list.
struct RegistryList {
    bool open = false;            // its result query is open (a search ran)
    QVariant currentKey;          // Musteri_Key of the current row; null or empty: none
    int recordCount = 0;          // rows in the list
    ReportLaunch::RegistrySelection selection;
};

enum class Shown { Administrator, Everyone, Nobody };

// One card item of the report menu.
struct MenuItem {
    const char* name;             // objectName of the menu item
    const char* caption;          // caption after the start-up configuration
    const char* submenu;          // objectName of its submenu, "" for the menu itself
    const char* form;             // the card form it prints ("" for the dialogs' launchers)
    int kind;                     // FCardKind, 0 for none
    const char* title;            // role title given by the launcher ("" none)
    const char* subtitle;
    Shown shown;
};

// The submenus of the card items, in menu order: objectName and caption.
struct Submenu {
    const char* name;
    const char* caption;
    Shown shown;
};
const std::vector<Submenu>& submenus();
// The card items in menu order (the second column of the drop-down starts
// with the first of them), the accreditation card, the diploma and the
// national-athlete card included.
const std::vector<MenuItem>& menuItems();
const MenuItem* menuItem(const QString& name);
// The design's rule: who saw the item.
bool shownTo(Shown shown, bool isAdmin);
// Whether the item is offered to a user (see above).
bool offered(const MenuItem& item, bool isAdmin);

// Adds the card items to the end of a report drop-down, after a separator:
// the submenus and items in menu order, each QAction (and QMenu) named as
// its item, visible by offered(). `run` gets the item's name when chosen.
void addMenuItems(QMenu* menu, bool isAdmin, const std::function<void(const QString& item)>& run);
// Shows and hides the card items of a menu built by addMenuItems for a user.
void applyRights(QMenu* menu, bool isAdmin);

// Messages of the launchers.
QString notSearchedText();       // "Lütfen 'Kayıt Bul' Düğmesine Basarak Kimlik Bastıracağınız Kişiyi Seçiniz ...!"
QString emptyListText();         // "Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!"

// Runs the item `name` of menuItems() (its handler: the card print, or the
// accreditation, diploma or national-athlete launcher).
void launch(const QString& name, const ReportCaller& caller, const RegistryList& list);

// "Müsabaka Kartı": the competition title dialog with its person panel,
// the cards of the listed persons (or of a typed name), the log question.
void MsabakaKart1Click(const ReportCaller& caller, const RegistryList& list);
// "Diploma": the exam texts, then one sheet per listed person.
void Diploma1Click(const ReportCaller& caller, const RegistryList& list);
// "Milli Sporcu Kimlik": the page setup, the national-team result of the
// person's achievements, then the cards.
void MilliSporcuKimlik1Click(const ReportCaller& caller, const RegistryList& list);

// The weigh-in screen's accreditation cards: of one athlete (printed
// without preview, category the weighing class) or of every approved
// athlete of a list (keys in the order given, previewed, category the
// weight class). Both ask the log question afterwards.
void weighInCard(const ReportCaller& caller, int athleteKey, const QString& category);
void weighInCards(const ReportCaller& caller, const QList<int>& keys, const QString& category);

// The end of every accreditation launch: the title line, role band and
// query set, the preview (or the print), the log question; the card is
// freed by the caller. Runs the preview through the caller unless `direct`.
void printAccreditation(TAkreditasyon& card, const ReportCaller& caller, bool direct);

}
