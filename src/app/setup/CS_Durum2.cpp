#include "app/setup/CS_Durum2.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kKinds[][2] = {{"SPORCU", "S"}, {"HAKEM", "H"}, {"ANTRENÖR", "A"}, {"DİĞER", "D"}};

// The person columns that hold a status or title by name: the athlete
// status, the referee, coach and official's titles, and the other title an
// official may be given from the same list.
const char* const kPersonColumns[] = {"E43", "E50", "E51", "E52", "Klup_Yetkilisi"};

}

TCS_Durum2::TCS_Durum2()
{
    using PlacedControls::make;
    setObjectName("CS_Durum2");
    setWindowTitle("Aktivite Türleri Girişi");

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Aktivite Türü", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    Label2 = make<QLabel>("Label2", "Aktivite Tipi", this);
    ComboBox1 = make<QComboBox>("ComboBox1", this);
    for (const auto& kind : kKinds)
        ComboBox1->addItem(QString::fromUtf8(kind[0]));
    ComboBox1->setCurrentIndex(-1);
    Label3 = make<QLabel>("Label3", "Kod", this);
    Edit2 = make<QLineEdit>("Edit2", this);
    const ReferenceScreens::EntryButtons buttons = ReferenceScreens::entryButtons(this);
    BitBtn1 = buttons.BitBtn1;
    BitBtn3 = buttons.BitBtn3;
    BitBtn2 = buttons.BitBtn2;

    DBGrid1 = make<TDBGrid>("DBGrid1", this);
    GridColumn name("Durum", "Aktivite Türü", 220);
    name.readOnly = true;
    GridColumn kind("Tip2", "Tipi", 50);
    kind.readOnly = true;
    DBGrid1->setColumns({name, {"Tip1", "Kod", 60}, kind});
    DBGrid1->setReadOnly(false);
    DBGrid1->setNewRowHandler([this](Record& row) { return Table1NewRecord(row); });
    DBGrid1->setPostCheck([this](Record& row) { return Table1BeforePost(row); });
    DBGrid1->setWriter([this](const Record& row, bool isNew) { writeRow(row, isNew); });

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(ComboBox1, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Edit2, 2, 1);
    grid->addWidget(BitBtn1, 3, 0);
    grid->addWidget(BitBtn3, 3, 1);
    grid->addWidget(BitBtn2, 3, 2);
    grid->addWidget(DBGrid1, 4, 0, 1, 3);
    resize(420, 420);

    TurkishEntry::textField(Edit1, ComboBox1);
    TurkishEntry::textField(Edit2, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TCS_Durum2::Button1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TCS_Durum2::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TCS_Durum2::BitBtn2Click);
    connect(ComboBox1, qOverload<int>(&QComboBox::activated), this, &TCS_Durum2::ComboBox1Change);
}

QString TCS_Durum2::kindCode(const QString& caption)
{
    for (const auto& kind : kKinds)
        if (caption == QString::fromUtf8(kind[0]))
            return kind[1];
    return QString();
}

void TCS_Durum2::openTable()
{
    DBGrid1->setRecords(
        ReferenceScreens::db().select("select * from C_UYEKULLANICI where Durum_Key > 1 order by Durum_Key"));
}

void TCS_Durum2::FormActivate()
{
    FInserting = false;
    openTable();
    ReferenceScreens::enableDeleteWithRows(DBGrid1, BitBtn3);
    Edit1->setFocus();
}

void TCS_Durum2::FormClose()
{
    // A code typed into the grid and not stored yet is dropped with the table.
    DBGrid1->cancel();
}

void TCS_Durum2::ComboBox1Change()
{
    Edit2->setFocus();
}

bool TCS_Durum2::Table1NewRecord(Record&)
{
    // Entries are added through the fields above the grid only.
    return ReferenceScreens::ownRowsOnly(FInserting, [this] { openTable(); });
}

bool TCS_Durum2::Table1BeforePost(Record& row)
{
    if (row.str("Durum").isEmpty()) {
        Messages::info("Hatalı Giriş Yaptınız, Lütfen Düzeltiniz ...!");
        return false;
    }
    return true;
}

void TCS_Durum2::writeRow(const Record& row, bool isNew)
{
    ReferenceScreens::storeRow(ReferenceScreens::db(), "C_UYEKULLANICI", "Durum_Key",
                               {{"Durum", row.value("Durum")}, {"Tip1", row.value("Tip1")}, {"Tip2", row.value("Tip2")}},
                               row, isNew);
}

void TCS_Durum2::Button1Click()
{
    // Saves a code corrected in the grid.
    if (ReferenceScreens::postGridRow(Edit1->text(), DBGrid1))
        return;
    const QString name = Edit1->text();
    const QString code = Edit2->text();
    if (name.isEmpty()) {
        Messages::error("Aktivite Türü Girmediniz ...!");
        Edit1->setFocus();
        return;
    }
    if (ReferenceScreens::refuseLeadingSpace(Edit1))
        return;
    if (name.contains(',')) {
        Messages::error("Aktivite Türü içinde virgül (,) karakteri kullanmayınız ...!");
        Edit1->setFocus();
        return;
    }
    if (code.isEmpty()) {
        Messages::error("Kodu Girmediniz ...!");
        Edit2->setFocus();
        return;
    }
    if (ReferenceScreens::refuseLeadingSpace(Edit2))
        return;
    const QString kind = kindCode(ComboBox1->currentText());
    if (ComboBox1->currentIndex() < 0 || kind.isEmpty()) {
        Messages::info("Lütfen Aktivite Tipini Seçiniz ...!");
        ComboBox1->setFocus();
        return;
    }

    Database& db = ReferenceScreens::db();
    const int key = Counters::next(db, "Sayi");
    FInserting = true;
    db.insert("C_UYEKULLANICI", {{"Durum_Key", key}, {"Durum", name}, {"Tip1", code}, {"Tip2", kind}});

    Edit1->clear();
    Edit2->clear();
    ComboBox1->setCurrentIndex(-1);
    openTable();
    ReferenceScreens::enableDeleteWithRows(DBGrid1, BitBtn3);
    FInserting = false;
    Edit1->setFocus();
}

QString TCS_Durum2::SilmeKontrol(Database& db, const QString& name, int key)
{
    const QString held =
        name + " Türünün Bulunduğu Kayıtlar Olduğundan Silemezsiniz. Silmek için önce tüm Kayıtlar içerisinde bu "
               "Türde olanları Değiştirmeniz Gerekmektedir ...!";
    // The persons whose columns hold the name (the database compares text
    // without regard to case; the name must match exactly).
    QStringList conditions;
    for (const char* column : kPersonColumns)
        conditions << QString("%1 = :n").arg(column);
    const Records persons = db.select("select E43, E50, E51, E52, Klup_Yetkilisi from C_MUSTERI where " +
                                          conditions.join(" or "),
                                      {{"n", name}});
    for (const Record& person : persons)
        for (const char* column : kPersonColumns)
            if (person.str(column) == name)
                return held;
    // The coach and referee title histories name a title by its key.
    if (ReferenceScreens::hasRows(db, "select Ant_Key from F_ANT where Durum_Key = :k", {{"k", key}}) ||
        ReferenceScreens::hasRows(db, "select Hak_Key from F_HAKEM where Durum_Key = :k", {{"k", key}}))
        return held;
    return QString();
}

void TCS_Durum2::BitBtn3Click()
{
    if (!ReferenceScreens::deleteCurrentRow(DBGrid1, "C_UYEKULLANICI", "Durum_Key", "Durum", &SilmeKontrol))
        return;
    openTable();
    ReferenceScreens::disableDeleteWithoutRows(DBGrid1, BitBtn3);
}

void TCS_Durum2::BitBtn2Click()
{
    close();
}
