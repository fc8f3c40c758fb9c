#include "exchange/SmsExportLog.h"

#include "app/dialogs/ImtRapor.h"
#include "platform/ui/Messages.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextEdit>
#include <QWidget>

namespace SmsExport {

void showOutcome(const Outcome& outcome, QWidget* screen, int* inPreview, bool disableScreen)
{
    switch (outcome.status) {
    case Outcome::NoProgram:
    case Outcome::NoDataSource:
        Messages::warning(outcome.message);
        return;
    case Outcome::Failed:
        Messages::error(outcome.message);
        return;
    case Outcome::Done:
        break;
    }
    ImtRapor->SaveDialog1.FileName = kRejectedFile;
    ImtRapor->SaveDialog2.FileName = kListFile;
    ImtRapor->ProgressBar1->setValue(0);
    if (inPreview)
        *inPreview = 1;
    if (screen && disableScreen) {
        ImtRapor->enableOnClose(screen);
        screen->setEnabled(false);
    }
    ImtRapor->RichEdit1->clear();
    ImtRapor->Memo1->clear();
    // The callers are shown modally: the log goes above the caller, where it
    // takes clicks while the caller's modal loop runs.
    ImtRapor->showBeside(screen);
    for (const LogLine& line : outcome.log) {
        ImtRapor->CurrText().setForeground(line.colour);
        ImtRapor->addLine(line.text);
    }
    for (const QString& line : outcome.csvLines)
        ImtRapor->Memo1->appendPlainText(line);
    ImtRapor->ProgressBar1->setValue(100);
    if (outcome.added == 0)
        Messages::warning(kNothingAdded);
}

}
