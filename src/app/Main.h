#pragma once
// The main window: the application's main window for the whole run; closing
// it ends the program. Its first showing runs the login and then configures
// the program for the scoring station: the edition settings other screens
// read from it, the hidden menus (only the left tool bar stays in use), the
// match screen's defaults and the signed-in user's rights.
//
// Its commands (menu items, tool buttons, the blank label) come from the one
// table in MainCommands.cpp; run one with runCommand(name).

#include "app/kit/Form.h"
#include "app/kit/Session.h"
#include "reports/ReportLaunch.h"
#include "scoring/MatchDefaults.h"

#include <QDate>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QToolButton;

// A format besides its own that every report preview offers when the user
// saves a report.
struct ReportExportFilter {
    QString description;    // as the save chooser lists it
    QString extension;      // without the dot
    QString separator;      // between the fields of a line ("" when the format has none)
};

class TMain : public QMainWindow {
    Q_OBJECT
public:
    TMain();

    // The edition settings fixed at start-up: the session's, which other
    // screens read there (app/kit/Session.h).
    QString& FederationCode = session().edition.FederationCode;    // profile code, "049"
    QString& SportName = session().edition.SportName;              // Ihbar of C_YAZILAR
    int& ScoringEdition = session().edition.ScoringEdition;        // 1: electronic-scoring edition
    int& ThirdPlaceBouts = session().edition.ThirdPlaceBouts;      // 0: one third-place bout
    int& RegionSeparation = session().edition.RegionSeparation;    // 1: regions kept apart
    int FInPreview = 0;             // set before a preview of this window; the next activation only clears it
    QPointer<QObject> FPreviewReport;   // the report whose preview a launcher of this window runs
    MatchDefaults FMatchDefaults;   // filled by the start-up configuration
    // Plain text, comma-separated values and HTML.
    const QList<ReportExportFilter> ExportFilters;

    // Controls.
    QMenuBar* MainMenu1;            // the five top-level menus (hidden after start-up)
    QToolBar* Menu;                 // the left tool bar
    QToolBar* ToolBar1;             // the top tool bar: "Çıkış", "Kısayollar"
    QLabel* Label1;                 // the product title
    QLabel* Panel1;                 // "Tarih : " + today's date
    QLabel* Label_User;             // "Kullanıcı : " + user
    QLabel* Label2;                 // "Version"
    QLabel* Label_Version;          // the version label
    QLabel* Label_t;                // blank; a double click opens the device button test
    QStatusBar* StatusBar1;         // one simple panel: the application's hint

    QString versionText() const;

    // The command of a menu item, tool button or the blank label, by its name.
    QAction* command(const QString& name) const;
    void runCommand(const QString& name);
    QMenu* menu(const QString& name) const;
    QToolButton* toolButton(const QString& name) const;
    // A separator of a tool bar, by its name.
    QAction* toolBarSeparator(const QString& name) const;

    // The first showing: login, then the start-up configuration. Runs once.
    void FormShow();
    bool configured() const { return m_configured; }
    // Runs the activation handler now (as the window system would).
    void activateNow() { FormActivate(); }

    // Copies the application's current hint text into the status bar.
    void ShowHint();
    // The application's current hint: the hint of the control under the mouse.
    static QString applicationHint();

    void SetPreviewReport(QObject* report);
    // The main window as the caller of a report launcher: its FInPreview,
    // its left tool bar `Menu` (hidden while the preview shows) and its
    // SetPreviewReport.
    ReportCaller reportCaller();
    // The main window's part of a report launcher: remembers the report, sets
    // FInPreview, disables `window` (for this window also hides the left tool
    // bar while it shows), runs `preview` (which returns when the preview
    // closes) and enables the window again, showing the tool bar again when
    // it was hidden for the preview.
    void RunPreview(QObject* report, QWidget* window, const std::function<void()>& preview);

    // Today's date, as the configuration writes it into the date panel.
    std::function<QDate()>& Today = session().today;   // the session's

    // The registry rule of creation: the serial port value "comport" is made
    // "COM1" unless its first three letters, upper-cased, are "COM".
    static void ComportDefault();

    // Ends the program without showing the main window any further: shrinks
    // it to 1 x 1 pixel and closes it.
    void endProgram();
    bool programEnded() const { return m_programEnded; }

public Q_SLOTS:
    void Label_tDblClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void FormActivate();

private:
    void buildMenus();
    void buildToolBars();
    void buildWorkArea();
    void applyMatchOnlyRights();

    ActivationTracker m_tracker;
    bool m_firstShowDone = false;
    bool m_configured = false;
    bool m_programEnded = false;
    bool m_hintHandler = false;
};

inline TMain* Main = nullptr;
