#include "app/setup/Metins.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Messages.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QVBoxLayout>

namespace {

// The mark the document column shows for "r" (the document sign of the
// symbol font the column is drawn in).
const QChar kDocumentMark(0x2752);

}

TMetins::TMetins()
{
    setObjectName("Metins");
    setWindowTitle("Metin Adları");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = PlacedControls::make<TDBGrid>("DBGrid1", this);
    GridColumn mark("Met", "Metin Aç", 60);
    mark.alignment = Qt::AlignHCenter;
    mark.color = Qt::blue;
    mark.text = [this](const Record& row) { return Table1CalcFields(row) == "r" ? QString(kDocumentMark) : QString(); };
    DBGrid1->setColumns({{"Met_Adi", "Metin Adı", 240}, mark});
    DBGrid1->setReadOnly(false);
    DBGrid1->setTurkishUpper();
    DBGrid1->setNewRowHandler([this](Record& row) { return Table1NewRecord(row); });
    DBGrid1->setPostCheck([this](Record& row) { return Table1BeforePost(row); });
    DBGrid1->setWriter([this](const Record& row, bool isNew) { writeRow(row, isNew); });
    ReferenceScreens::limitCellLength(DBGrid1, {{"Met_Adi", kNameLength}});
    layout->addWidget(DBGrid1);
    resize(360, 320);

    const ReferenceScreens::GridMenu menu = ReferenceScreens::gridMenu(this, DBGrid1);
    PopupMenu1 = menu.menu;
    Sil1 = menu.Sil1;
    Yeni1 = menu.Yeni1;
    connect(Sil1, &QAction::triggered, this, &TMetins::Sil1Click);
    connect(Yeni1, &QAction::triggered, this, &TMetins::Yeni1Click);
    connect(DBGrid1, &TDBGrid::dblClick, this, &TMetins::DBGrid1DblClick);
}

QString TMetins::documentPath(int key) const
{
    return FLetterFolder + "M" + QString::number(key) + ".rtf";
}

QString TMetins::Table1CalcFields(const Record& row) const
{
    if (row.isNull("Met_Key") || FLetterFolder.isEmpty())
        return QString();
    return QFileInfo::exists(DriveMap::toHost(documentPath(row.toInt("Met_Key")))) ? "r" : QString();
}

void TMetins::openTable()
{
    DBGrid1->setRecords(ReferenceScreens::db().select("select * from METINLER order by Met_Adi"));
}

void TMetins::FormActivate()
{
    FLetterFolder = Folders::lettersFolder();
    openTable();
}

void TMetins::FormClose()
{
    DBGrid1->cancel();
}

void TMetins::Yeni1Click()
{
    DBGrid1->appendRow();
    DBGrid1->setFocus();
}

bool TMetins::Table1NewRecord(Record& row)
{
    // The key is taken at once; a row given up leaves a gap.
    TDBGrid::setValue(row, "Met_Key", Counters::next(ReferenceScreens::db(), "Sayi"));
    return true;
}

bool TMetins::Table1BeforePost(Record& row)
{
    const QString name = row.str("Met_Adi");
    if (name.isEmpty()) {
        Messages::info("Eksik veya Hatalı Giriş Yaptınız ...!");
        return false;
    }
    if (ReferenceScreens::nameTaken(ReferenceScreens::db(), "METINLER", "Met_Adi", "Met_Key", row)) {
        Messages::error("Girmiş Olduğunuz Bilgiler Daha Önce Girilmiştir. Lütfen Düzeltiniz ...!");
        return false;
    }
    return true;
}

void TMetins::writeRow(const Record& row, bool isNew)
{
    ReferenceScreens::storeRow(ReferenceScreens::db(), "METINLER", "Met_Key", {{"Met_Adi", row.value("Met_Adi")}}, row,
                               isNew);
}

void TMetins::DBGrid1DblClick()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty() || row.isNull("Met_Key") || DBGrid1->currentField() != "Met")
        return;
    const int key = row.toInt("Met_Key");
    const QString document = documentPath(key);
    if (DriveMap::exists(document)) {
        if (!Shell::open(document))
            Messages::error("Metin Dosyası Açılamadı ...!");
        return;
    }
    // A document is attached only to a text that is stored already.
    if (!ReferenceScreens::hasRows(ReferenceScreens::db(), "select * from METINLER where Met_Key = :k", {{"k", key}}))
        return;
    const QString chosen = Dialogs::openFile("Aç", "WordPad Dosyası (*.rtf)", FLetterFolder);
    if (chosen.isEmpty())
        return;
    const QString target = DriveMap::toHost(document);
    DriveMap::makePath(FLetterFolder);
    if (!QFileInfo(chosen).isFile() || !QFile::copy(chosen, target)) {
        Messages::error("Seçilen Dosya Metin Dosyası Olarak Kopyalanamadı. Lütfen Dosyayı ve " + FLetterFolder +
                        " Klasörünü Kontrol Ediniz ...!");
        return;
    }
    if (!Shell::open(document))
        Messages::error("Metin Dosyası Açılamadı ...!");
    openTable();
    DBGrid1->locate("Met_Key", key);
}

void TMetins::Sil1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty() || row.isNull("Met_Key"))
        return;
    if (!ReferenceScreens::confirm(row.str("Met_Adi") + " Silinecektir. Eminmisiniz ...?"))
        return;
    // The document goes with its text; a document that cannot be removed
    // keeps the text, so that nothing is left behind unnamed.
    const QString document = DriveMap::toHost(documentPath(row.toInt("Met_Key")));
    if (QFileInfo::exists(document) && !QFile::remove(document)) {
        Messages::error("Metin Dosyası Silinemedi ...!");
        return;
    }
    ReferenceScreens::db().exec("delete * from METINLER where Met_Key = :k", {{"k", row.value("Met_Key")}});
    openTable();
}
