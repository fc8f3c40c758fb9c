#include "competition/TurnuvaTuru.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

#include <QAction>
#include <QMenu>
#include <QVBoxLayout>

TTurnuvaTuru::TTurnuvaTuru()
{
    setObjectName("TurnuvaTuru");
    setWindowTitle("Faaliyet Türü Tanımları");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName("DBGrid1");
    GridColumn kind("Tipi", "Tipi", 120);
    kind.pickList = {"ULUSAL", "ULUSLAR ARASI"};
    DBGrid1->setColumns({{"Turu", "Faaliyet Türü", 260}, kind});
    DBGrid1->setReadOnly(false);
    DBGrid1->setTurkishUpper();
    DBGrid1->setNewRowHandler([this](Record& row) { return Table1NewRecord(row); });
    DBGrid1->setPostCheck([this](Record& row) { return Table1BeforePost(row); });
    DBGrid1->setWriter([this](const Record& row, bool isNew) { writeRow(row, isNew); });
    layout->addWidget(DBGrid1);
    resize(420, 320);

    const ReferenceScreens::GridMenu menu = ReferenceScreens::gridMenu(this, DBGrid1);
    PopupMenu1 = menu.menu;
    Sil1 = menu.Sil1;
    Yeni1 = menu.Yeni1;
    connect(Sil1, &QAction::triggered, this, &TTurnuvaTuru::Sil1Click);
    connect(Yeni1, &QAction::triggered, this, &TTurnuvaTuru::Yeni1Click);
}

void TTurnuvaTuru::openTable()
{
    DBGrid1->setRecords(ReferenceScreens::db().select("select * from C_TURTURU order by Tur_Key"));
}

void TTurnuvaTuru::FormActivate()
{
    openTable();
}

void TTurnuvaTuru::FormClose()
{
    // A row typed and not stored yet is dropped with the table.
    DBGrid1->cancel();
}

void TTurnuvaTuru::Yeni1Click()
{
    DBGrid1->appendRow();
    DBGrid1->setFocus();
}

bool TTurnuvaTuru::Table1NewRecord(Record& row)
{
    // The key is taken at once; a row given up leaves a gap.
    TDBGrid::setValue(row, "Tur_Key", Counters::next(ReferenceScreens::db(), "Sayi"));
    return true;
}

bool TTurnuvaTuru::Table1BeforePost(Record& row)
{
    const QString name = row.str("Turu");
    const QString kind = row.str("Tipi");
    if (name.isEmpty() || (kind != "ULUSAL" && kind != "ULUSLAR ARASI")) {
        Messages::info("Eksik veya hatalı giriş yaptınız ...!");
        return false;
    }
    if (ReferenceScreens::nameTaken(ReferenceScreens::db(), "C_TURTURU", "Turu", "Tur_Key", row)) {
        Messages::error("Girmiş Olduğunuz Faaliyet Türü Daha Önce Girilmiştir. Lütfen düzeltiniz ...!");
        return false;
    }
    return true;
}

void TTurnuvaTuru::writeRow(const Record& row, bool isNew)
{
    ReferenceScreens::storeRow(ReferenceScreens::db(), "C_TURTURU", "Tur_Key",
                               {{"Turu", row.value("Turu")}, {"Tipi", row.value("Tipi")}}, row, isNew);
}

QString TTurnuvaTuru::SilmeKontrol(Database& db, const QString& name, int key)
{
    // Activities name their type by its key.
    if (ReferenceScreens::hasRows(db, "select Turnuva_Key from C_TURNUVA where Tur_Key = :k", {{"k", key}}))
        return name + " Türünün Bulunduğu Faaliyetler Olduğundan Silemezsiniz. Silmek için önce bu Türdeki "
                      "Faaliyetleri Değiştirmeniz Gerekmektedir ...!";
    return QString();
}

void TTurnuvaTuru::Sil1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty() || row.isNull("Tur_Key"))
        return;
    const QString name = row.str("Turu");
    Database& db = ReferenceScreens::db();
    const QString refusal = SilmeKontrol(db, name, row.toInt("Tur_Key"));
    if (!refusal.isEmpty()) {
        Messages::info(refusal);
        return;
    }
    if (!ReferenceScreens::confirm(name + " Silinecektir. Eminmisiniz ...?"))
        return;
    db.exec("delete * from C_TURTURU where Tur_Key = :k", {{"k", row.value("Tur_Key")}});
    openTable();
}
