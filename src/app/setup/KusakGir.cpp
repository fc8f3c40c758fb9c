#include "app/setup/KusakGir.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TKusakGir::TKusakGir()
{
    using PlacedControls::make;
    setObjectName("KusakGir");
    setWindowTitle("Giriş Ekranı");

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Kuşak Adı", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    const ReferenceScreens::EntryButtons buttons = ReferenceScreens::entryButtons(this);
    BitBtn1 = buttons.BitBtn1;
    BitBtn3 = buttons.BitBtn3;
    BitBtn2 = buttons.BitBtn2;
    DBGrid1 = make<TDBGrid>("DBGrid1", this);
    GridColumn name("Kusak_Adi", "Kuşak Adı", 200);
    name.readOnly = true;
    DBGrid1->setColumns({name});
    DBGrid1->setRowSelect(true);
    DBGrid1->setNewRowHandler([this](Record& row) { return Table1NewRecord(row); });

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(BitBtn1, 1, 0);
    grid->addWidget(BitBtn3, 1, 1);
    grid->addWidget(BitBtn2, 1, 2);
    grid->addWidget(DBGrid1, 2, 0, 1, 3);
    resize(340, 380);

    TurkishEntry::textField(Edit1, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TKusakGir::Button1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TKusakGir::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TKusakGir::BitBtn2Click);
}

void TKusakGir::openTable()
{
    DBGrid1->setRecords(ReferenceScreens::db().select("select * from KUSAK order by Kusak_Key"));
}

void TKusakGir::FormActivate()
{
    FInserting = false;
    openTable();
    ReferenceScreens::enableDeleteWithRows(DBGrid1, BitBtn3);
    Edit1->setFocus();
}

void TKusakGir::FormClose()
{
    DBGrid1->cancel();
}

bool TKusakGir::Table1NewRecord(Record&)
{
    // Belts are added through "Kaydet" only.
    return ReferenceScreens::ownRowsOnly(FInserting, [this] { openTable(); });
}

void TKusakGir::Button1Click()
{
    const QString name = Edit1->text();
    // Nothing in the grid can be changed: the row is stored as it is.
    if (ReferenceScreens::postGridRow(name, DBGrid1))
        return;
    if (name.isEmpty()) {
        Messages::error("Giriş Yapmadınız ...!");
        Edit1->setFocus();
        return;
    }
    if (ReferenceScreens::refuseLeadingSpace(Edit1))
        return;
    Database& db = ReferenceScreens::db();
    const int key = Counters::next(db, "Sayi");
    FInserting = true;
    db.insert("KUSAK", {{"Kusak_Key", key}, {"Kusak_Adi", name}});

    Edit1->clear();
    openTable();
    ReferenceScreens::enableDeleteWithRows(DBGrid1, BitBtn3);
    FInserting = false;
    DBGrid1->setCurrentRow(DBGrid1->rowCount() - 1);
    Edit1->setFocus();
}

QString TKusakGir::SilmeKontrol(Database& db, const QString& name, int key)
{
    const QString advice = " Silmek İçin Önce Tüm Sporcu Kayıtları İçerisinde Bunları Değiştirmeniz Gerekmektedir ...!";
    if (ReferenceScreens::hasRows(db, "select Musteri_Key from C_MUSTERI where E25 = :n or E75 = :n", {{"n", name}}))
        return name + " Bulunan Sporcular Olduğundan Silemezsiniz." + advice;
    if (ReferenceScreens::hasRows(db, "select Kus_Key from F_KUSAK where Kusak_Key = :k", {{"k", key}}))
        return name + " Bulunan Sporcu Kariyer Bilgileri Bulunmaktadır." + advice;
    // An activity names its lowest belt of the web entry by key.
    if (ReferenceScreens::hasRows(db, "select Turnuva_Key from C_TURNUVA where Kusak_Key = :k", {{"k", key}}))
        return name + " Bulunan Faaliyetler Olduğundan Silemezsiniz. Silmek İçin Önce Bu Faaliyetlerin Web Min "
                      "Kuşak Bilgisini Değiştirmeniz Gerekmektedir ...!";
    return QString();
}

void TKusakGir::BitBtn3Click()
{
    if (!ReferenceScreens::deleteCurrentRow(DBGrid1, "KUSAK", "Kusak_Key", "Kusak_Adi", &SilmeKontrol))
        return;
    openTable();
    ReferenceScreens::disableDeleteWithoutRows(DBGrid1, BitBtn3);
}

void TKusakGir::BitBtn2Click()
{
    close();
}
