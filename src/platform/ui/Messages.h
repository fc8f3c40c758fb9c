#pragma once
// Message boxes, common choosers and modal dialogs, all routed through hooks
// that tests replace, so that no test ever waits on a window.
//
//   Messages::error("Hatalı Şifre Girdiniz ...");
//   if (Messages::ask("Silinsin mi ...?")) ...
//   const QString file = Dialogs::saveFile("Kaydet", "RTF (*.rtf)", "C:\\CO\\HATALILAR.rtf");
//   ModalRunner::exec(dialog);
//
// Without a hook the real Qt dialogs show. Chooser results are host paths;
// an initial path may be given in Windows form.

#include <QString>

#include <functional>

class QDialog;
class QWidget;

struct UiRequest {
    enum Kind { Error, Info, Warning, Question, OpenFile, SaveFile, Folder, Printer };
    Kind kind = Info;
    QString caption;
    QString text;       // message text, or the chooser's title
    QString filter;     // file choosers: "RTF (*.rtf)"
    QString initial;    // file choosers: starting file or folder
};

struct UiAnswer {
    bool accepted = false;  // Yes / OK / a choice was made
    QString value;          // the chosen path or printer
};

using UiHook = std::function<UiAnswer(const UiRequest&)>;

namespace Messages {
void setHook(UiHook hook);
const UiHook& hook();

// An error box (caption "Hata").
void error(const QString& text);
// A plain message box with the program's title (caption "Brivex").
void info(const QString& text);
// A warning box (caption "Uyarı").
void warning(const QString& text);
// A yes/no question; true for yes.
bool ask(const QString& text, const QString& caption = QString());
}

namespace Dialogs {
// Each returns "" when the user cancels. Every chooser opens in the
// station's work folder when the caller names no folder (nothing,
// or a file name alone), never in the program's current folder.
QString openFile(const QString& title, const QString& filter, const QString& initial = QString());
QString saveFile(const QString& title, const QString& filter, const QString& initial = QString());
QString chooseFolder(const QString& title, const QString& initial = QString());
// The station's work folder, as the drive map knows it.
inline constexpr const char* kWorkFolder = "C:\\CO\\";
// Where a chooser starts for the caller's `initial`: the work
// folder for nothing, the work folder and the name for a name alone, else
// `initial` itself (Windows form; mapped when the chooser opens).
QString startIn(const QString& initial);
// The printer name chosen (the default printer preselected); when the user
// chose to print into a PDF file, that file as a "file:" URL.
QString choosePrinter(const QString& title);
}

// The window that stays in front of every other while it shows (the
// scoreboard). While it is visible, every message box, chooser and modal
// dialog is parented to it and shown above it, and when one closes the
// keyboard goes back to it, so a question is never hidden behind it and the
// next key never lands on the window underneath.
//
//   FrontWindow::set(this);        // when the scoreboard shows
//   FrontWindow::clear(this);      // when it hides
namespace FrontWindow {
void set(QWidget* window);
void clear(QWidget* window);
// The front window while it is visible; nullptr otherwise.
QWidget* current();
// Puts the keyboard back on the front window (raised and active), if any.
void giveBackKeyboard();
}

namespace ModalRunner {
// A hook receives each dialog shown modally, already visible, and may fill its
// controls and close it; returning false means it did not handle it.
using Hook = std::function<bool(QDialog*)>;
void setHook(Hook hook);
const Hook& hook();
// Shows a dialog modally (or hands it to the hook) and returns its result.
// A dialog whose modal run has not ended is not shown again: the call
// returns QDialog::Rejected at once and leaves the dialog and its run alone.
int exec(QDialog* dialog);
// Whether the dialog is in a modal run now.
bool running(const QDialog* dialog);
}
