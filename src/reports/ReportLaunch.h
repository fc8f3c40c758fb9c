#pragma once
// How a screen launches a report: the one contract every caller follows.
//
//   1. its own checks (messages of its own; refusals of the list screens
//      below), 2. the title dialog, title and date into the report's labels,
//   3. the report's options, 4. FFirstRow := 1 (FRowNo := 0),
//   5. the main dataset's text, 6. open it (and check it has rows where the
//      caller does), 7. the preview:
//
//   ReportLaunch::preview(*PrintMenu2C, caller);
//
// The waiting preview remembers the report in the caller (SetPreviewReport),
// sets the caller's one-shot flag (FInPreview, or FSkipActivate on the
// match screen), hides the caller's tool bar when it shows, disables the
// caller's window, runs the preview until it is closed, and then enables
// the window, shows the tool bar again and closes the report's datasets.
// The preview is a modal window, and a screen is not activated again when
// a modal window it opened closes; so the flag is cleared here once the
// preview is over, leaving the caller as it was before the launch.
//
// The modal preview (the reports that run that way) neither disables the
// caller nor sets its flag; when it closes the caller's activation runs, as
// on any return to the screen.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>

class QWidget;
class TReportForm;

// What a launcher needs of the screen it runs from.
struct ReportCaller {
    QWidget* window = nullptr;        // disabled while the waiting preview shows
    int* inPreview = nullptr;         // FInPreview / FSkipActivate: 1 while the preview shows
    std::function<void(QObject* report)> setPreviewReport;   // the screen's SetPreviewReport
    QWidget* toolBar = nullptr;       // hidden while the preview shows (the main window's `Menu`)
    std::function<void()> activate;   // the screen's activation (after a modal preview)

    // (The main window describes itself: TMain::reportCaller().)
    // A screen with its one-shot flag and its SetPreviewReport.
    static ReportCaller screen(QWidget* window, int* flag, std::function<void(QObject* report)> setPreviewReport);
};

namespace ReportLaunch {

enum class Kind { Waiting, Modal };

// Step 7 of the launch for a report whose datasets the caller prepared.
// The caller's window is enabled again and the datasets are closed also
// when the run fails (the error then goes on to the caller).
void preview(TReportForm& report, const ReportCaller& caller, Kind kind = Kind::Waiting);

// Refusals of the list screens' report commands.
// "Lütfen 'Kayıt Bul' Düğmesine Basarak " + nouns + " Listeleyiniz ...!"
QString notListedText(const QString& nouns);
// "Liste Alanında Herhangibir " + noun + " Bulunmamaktadır ...!"
QString emptyListText(const QString& noun);
// The two checks of a list screen before a report: the result list is open
// and its current row has a key. Shows the refusal and returns false when
// one fails ("Sporcuları" / "Sporcu", "Kulüpleri" / "Kulüp", ...).
bool checkList(bool listOpen, bool currentRowHasKey, const QString& nouns, const QString& noun);

// The person query of the registry screen's report commands.
struct RegistrySelection {
    QString reportSql;      // FReportSql: "Select * from C_MUSTERI" + the search condition
    QString whereClause;    // FWhereClause: the condition alone, empty or " where ..."
    bool hasWhere = false;  // FHasWhere
    QString selectedKeys;   // FSelectedKeys: comma-separated Musteri_Key values, empty for none
    QString orderBy;        // FOrderBy: the grid's order
    QVariantMap params = {};   // the values the search condition binds
};
// Lists: the rows of the last search, narrowed to the selected rows when
// there are any, with the command's extra condition (may be empty), in the
// given order (the grid's when empty).
QString listQuery(const RegistrySelection& s, const QString& extra = QString(), const QString& order = QString());
// Record sheets and CSV reports: the same over "Select * from C_MUSTERI "
// + the condition, with the selection qualified by the table.
QString sheetQuery(const RegistrySelection& s, const QString& extra = QString(), const QString& order = QString());
// What narrows a statement that ends with the search condition: the
// selected keys (keyColumn in (...)) and the extra condition, each joined
// with " where " or " and "; empty when there is neither.
QString narrowing(const RegistrySelection& s, const QString& keyColumn, const QString& extra = QString());
// A comma-separated list of keys as it may stand in a statement: numbers
// only; anything else throws DbError.
QString keyList(const QString& keys);

}
