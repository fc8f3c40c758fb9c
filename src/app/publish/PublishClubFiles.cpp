// The publishing screen's club files: "Kulüp Sonuç" (one club's result
// document and athletes package, chosen in TKlbSec) and a tournament's Word
// result file named through TDosyaSec.
#include "app/publish/DosyaSec.h"
#include "app/publish/KlbSec.h"
#include "app/publish/Publish1.h"
#include "app/publish/UploadQueue.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

void TPublishForm::Button5Click()
{
    FQueueMode = false;
    FResultsPending = false;
    KlbSec->showModal();
    showQueue();
    if (KlbSec->CheckBox1->isChecked() && !KlbSec->CheckBox2->isChecked() && !KlbSec->FResultFileName.isEmpty()) {
        // The result document alone goes as a single file under its remote
        // name in the "db" folder.
        Edit1->setText(KlbSec->chosenPdfPath());
        HostFileEdit->setText("db/" + KlbSec->FResultFileName);
        return;
    }
    Edit1->clear();
    if (KlbSec->CheckBox2->isChecked() && !KlbSec->FResultFileName.isEmpty()) {
        Label13->setText(UploadQueue::kFiles);
        Edit1->setText(Turkish::asciiUpper(Label13->text()) + " SEÇİLDİ...");
        FQueueMode = true;
    }
}

void TPublishForm::Skating()
{
    const QString file = Dialogs::openFile("Dosya Seç", "Skating Sonuç Word Dosyası (*.doc)");
    if (file.isEmpty())
        return;
    FQueueMode = false;
    FResultsPending = false;
    DosyaSec->Label3->setText(QFileInfo(file).fileName());
    DosyaSec->showModal();
    if (!DosyaSec->FTournamentFileName.isEmpty()) {
        Edit1->setText(file);
        HostFileEdit->setText("db/" + DosyaSec->FTournamentFileName);
        FQueue.clear();
        showQueue();
    } else {
        Edit1->clear();
    }
}
