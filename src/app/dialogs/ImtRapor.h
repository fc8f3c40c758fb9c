#pragma once
// "Rapor": the coloured status log of long runs (the exam import, the SMS
// exports). The caller disables its own screen, clears the log, sets the
// progress bar to 0 and the save file names (and, for SMS exports, the list
// lines), shows the window modeless above its own screen (showBeside) and
// writes line by line (a run that keeps its log saves it itself at its end
// with saveLog):
//
//   ImtRapor->SaveDialog1.FileName = "C:\\CO\\HATALILAR.rtf";
//   ImtRapor->SaveDialog2.FileName = "C:\\CO\\Liste.csv";
//   ImtRapor->RichEdit1->clear();
//   ImtRapor->Memo1->clear();
//   ImtRapor->showBeside(this);
//   ImtRapor->CurrText().setForeground(LogColour::Navy);
//   ImtRapor->addLine("*** CEP TELEFONU HATALI OLAN KAYITLAR LİSTESİ ***");
//   ImtRapor->Memo1->appendPlainText(name + ";" + number);
//   ImtRapor->ProgressBar1->setValue(i * 100 / n);
//
// The window stays open beside the caller's screen until the user closes it;
// closing it enables again the screens registered with enableOnClose (the
// person editor and the person search screen register themselves when they
// are created) and shows "SMS Listesi" again.

#include "app/kit/Form.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QTextCharFormat>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

// The colours the callers give their lines.
namespace LogColour {
inline const QColor Navy{0, 0, 128};        // heading lines
inline const QColor Black{0, 0, 0};         // ordinary lines
inline const QColor DarkGreen{0, 111, 0};   // a success
inline const QColor Red{255, 0, 0};         // a problem
inline const QColor Grey{128, 128, 128};    // a remark
}

class TImtRapor : public Form {
    Q_OBJECT
public:
    // Where a button saves: the file name the caller sets (Windows form or a
    // host path), the file type and the default extension.
    struct SaveDialog {
        QString FileName;
        QString Filter;
        QString DefaultExt;
    };

    TImtRapor();

    QLabel* Label1;                 // "Durum Ekranı"
    QProgressBar* ProgressBar1;     // 0 to 100
    QTextEdit* RichEdit1;           // the log: read-only, no word wrap
    QPlainTextEdit* Memo1;          // the SMS list, hidden
    QPushButton* BitBtn1;           // "Hatalı Listesi"
    QPushButton* BitBtn4;           // "SMS Listesi"
    QPushButton* BitBtn2;           // "Kapat"
    SaveDialog SaveDialog1;         // the log ("WordPad Dosyası", rtf)
    SaveDialog SaveDialog2;         // the list ("Excel Dosyası", xls)

    // The character attributes of the text added next: set the colour, then
    // add the line; the line keeps that colour.
    QTextCharFormat& CurrText() { return m_currText; }
    // Adds one line at the end of the log in the attributes of CurrText.
    void addLine(const QString& line);
    // The log's lines as plain text.
    QStringList lines() const;
    // Saves the log as RTF, colours included, to a file (Windows form or
    // host path) without opening it; false when it could not be written.
    bool saveLog(const QString& file);

    // A screen that closing this window enables again.
    void enableOnClose(QWidget* screen);
    // Shows the log modeless in front of a caller that is itself shown
    // modally: the log is kept above the caller's window and takes clicks
    // while the caller's modal loop runs (a window shown plainly beside a
    // modal screen would be blocked by it, and the window manager puts the
    // caller back over it whenever a message box of the caller closes).
    // The log takes the keyboard; closing it gives the keyboard back to the
    // caller.
    void showBeside(QWidget* caller);

public Q_SLOTS:
    void BitBtn1Click();    // "Hatalı Listesi"
    void BitBtn4Click();    // "SMS Listesi"
    void BitBtn2Click();    // "Kapat"

protected:
    void FormClose() override;
    // Esc does not close the window; "Kapat" and the close box do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The file a button saves to: the caller's name, or one the user chooses
    // when none was set; "" when the user cancels.
    QString fileFor(SaveDialog& dialog);
    static void saveFailed(const QString& file);

    QTextCharFormat m_currText;
    QList<QPointer<QWidget>> m_enableOnClose;
    QPointer<QWidget> m_caller;     // the window showBeside put the log above
};

inline TImtRapor* ImtRapor = nullptr;
