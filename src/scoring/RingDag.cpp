#include "scoring/RingDag.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/text/Csv.h"
#include "platform/ui/Messages.h"
#include "reports/CompetitionReports.h"
#include "reports/RegistryReports.h"
#include "scoring/RingPlan.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScopeGuard>

TRingDag::TRingDag()
{
    using namespace PlacedControls;
    setObjectName("RingDag");
    setWindowTitle("Maçların Ringlere Dağıtılması");
    setFixedSize(520, 470);

    Label1 = make<QLabel>("Label1", "Lütfen Ringlere Dağılımı Yapılacak Olan Branşları Seçiniz", this,
                          {12, 8, 496, 20});
    DBGrid1 = make<TDBGrid>("DBGrid1", this, {12, 30, 320, 380});
    DBGrid1->setColumns({{"Brans", "Branş Adı", 290}});
    DBGrid1->setMultiSelect(true);
    Label2 = make<QLabel>("Label2", "Ring Sayısı", this, {344, 30, 160, 20});
    ComboBox1 = make<QComboBox>("ComboBox1", this, {344, 50, 80, 24});
    for (int n = 1; n <= RingPlan::kMaxRings; ++n)
        ComboBox1->addItem(QString::number(n));
    ComboBox1->setCurrentIndex(-1);
    Label3 = make<QLabel>("Label3", "Tarih", this, {344, 84, 160, 20});
    DateTimePicker1 = makeDatePicker("DateTimePicker1", this, {344, 104, 120, 24});
    MaskEdit1 = readOnly(make<QLineEdit>("MaskEdit1", this, {344, 134, 120, 24}));
    MaskEdit1->setInputMask("99.99.9999;_");
    ProgressBar1 = make<QProgressBar>("ProgressBar1", this, {12, 420, 496, 16});
    BitBtn1 = makeButton("BitBtn1", "Ringe Dağıt", this, {344, 200, 160, 30});
    BitBtn3 = makeButton("BitBtn3", "Yazdır", this, {344, 240, 160, 30});
    BitBtn4 = makeButton("BitBtn4", "İptal", this, {344, 280, 160, 30});
    BitBtn2 = makeButton("BitBtn2", "Kapat", this, {344, 380, 160, 30});

    // Creation: no preview, today's date.
    FInPreview = 0;
    DateTimePicker1->setDate(session().today());

    PlacedControls::onDatePicked(DateTimePicker1, this, [this](const QDate&) { DateTimePicker1Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TRingDag::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TRingDag::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TRingDag::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TRingDag::BitBtn2Click);
}

void TRingDag::FormActivate()
{
    if (FInPreview == 1) {
        FInPreview = 0;
        return;
    }
    MaskEdit1->setText(DateTimePicker1->date().toString("dd.MM.yyyy"));
    ProgressBar1->setValue(0);
    ringDagOpenList();
    FRingWord = "RİNG";
}

void TRingDag::FormClose()
{
    DBGrid1->setRecords({});
}

void TRingDag::ringDagOpenList()
{
    DBGrid1->setRecords(session().db.select("select Brans from C_KURA group by Brans order by Brans"));
    // Nothing is chosen until the operator selects classes.
    DBGrid1->selectionModel()->clearSelection();
}

void TRingDag::DateTimePicker1Change()
{
    MaskEdit1->setText(DateTimePicker1->date().toString("dd.MM.yyyy"));
}

void TRingDag::Sec()
{
    FSelectedBranches.clear();
    FSelectedCount = 0;
    FSelectedList.clear();
    QList<int> rows = DBGrid1->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        const QString name = DBGrid1->record(row).str("Brans");
        if (FSelectedCount > 0)
            FSelectedBranches += ",";
        FSelectedBranches += "'" + name + "'";
        FSelectedList << name;
        ++FSelectedCount;
    }
}

bool TRingDag::ringDagAsk(const QString& text, bool twoLines)
{
    Form5->Label1->setText(text);
    if (twoLines)
        Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() - 8);
    auto back = qScopeGuard([twoLines] {
        if (twoLines)
            Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() + 8);
    });
    Form5->showModal();
    return Form5->FConfirmed == 1;
}

void TRingDag::BitBtn1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        Messages::error("Lütfen " + Label2->text() + " Seçiniz ...!");
        return;
    }
    Sec();
    if (FSelectedCount == 0) {
        Messages::error("Lütfen Branşları Seçiniz ...!");
        return;
    }
    const QString dateText = MaskEdit1->text();
    if (!ringDagAsk("Müsabakaların Yapılacağı Tarih : " + dateText + ",  Seçilen Branş Sayısı : " +
                        QString::number(FSelectedCount) + "\nDevam Edilsinmi ...?",
                    true))
        return;
    ProgressBar1->setValue(0);
    const int planned = RingPlan::distribute(session().db, FSelectedList, ComboBox1->currentText().toInt(), dateText);
    ProgressBar1->setValue(100);
    Messages::info(QString("Seçilen Branşların %1 Müsabakası %2 Ringe Dağıtılmıştır ...!")
                       .arg(planned)
                       .arg(ComboBox1->currentText()));
}

void TRingDag::BitBtn3Click()
{
    const QString dateText = MaskEdit1->text();
    const ReportCaller caller =
        ReportCaller::screen(this, &FInPreview, [this](QObject* report) { SetPreviewReport(report); });
    if (!Reports::ringListesi(caller, dateText, FRingWord))
        return;

    // The day's plan as a CSV file, and its copy where the operator wants it.
    QString why;
    if (!Csv::writeFile(DriveMap::toHost(kPlanFile), RingPlan::csvRows(session().db, dateText), &why)) {
        Messages::error(why);
        return;
    }
    const QString folder = Dialogs::chooseFolder(Reports::kChooseCsvFolder);
    if (folder.isEmpty())
        return;
    // The chooser gives a folder of this machine (or one in the drives'
    // form): the copy goes into it.
    const QString target = QDir(DriveMap::toHost(folder)).filePath(Reports::kListCsvCopyName);
    QFile source(DriveMap::toHost(kPlanFile));
    QSaveFile copy(target);
    // The old copy is replaced only by a complete new one.
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly) || copy.write(source.readAll()) < 0 ||
        !copy.commit()) {
        Messages::error("Dosya Kopyalanamadı: " + target);
        return;
    }
    Shell::show(target);
}

void TRingDag::BitBtn4Click()
{
    Sec();
    if (FSelectedCount == 0) {
        Messages::error("Lütfen Ringlere Dağılımı İptal Edilecek Branşları Seçiniz ...!");
        return;
    }
    if (!ringDagAsk("Ringlere Dağılımı İptal Edilecek Branş Sayısı: " + QString::number(FSelectedCount) +
                        ".    Devam Edilsin mi...?",
                    false))
        return;
    RingPlan::cancel(session().db, FSelectedList);
    Messages::info("Seçilen Braşların Ringlere Dağılımı İptal Edilmiştir...!");
}

void TRingDag::BitBtn2Click()
{
    close();
}
