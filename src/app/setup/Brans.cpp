#include "app/setup/Brans.h"

#include "app/dialogs/Agirlik.h"
#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "app/kit/WeightCategories.h"
#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
#include "platform/ui/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kDecimalNote = "\n(Not: Ondalık ayıracında virgül kullanınız)";

bool limitMissing(const QVariant& v)
{
    return !v.isValid() || v.isNull() || v.toString().isEmpty();
}

// A limit as the grid holds it: a number read from the database, or the
// text typed, read with the user's decimal separator.
bool readLimit(const QVariant& v, double* value)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
        *value = v.toDouble();
        return true;
    }
    return TAgirlik::readsAsNumber(v.toString(), Formats::decimalSeparator(), value);
}

}

TBrans::TBrans()
{
    using PlacedControls::make;
    setObjectName("Brans");
    setWindowTitle("Branşlar/Kategoriler");

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Kilo", this);
    Edit2 = make<QLineEdit>("Edit2", this);
    Edit5 = make<QLineEdit>("Edit5", this);
    Label2 = make<QLabel>("Label2", "Erkek/Bayan", this);
    ComboBox4 = make<QComboBox>("ComboBox4", this);
    ComboBox4->addItems({"ERKEK", "BAYAN"});
    ComboBox4->setCurrentIndex(0);
    Label3 = make<QLabel>("Label3", "Branş Türü", this);
    DBLookupComboBox5 = make<QComboBox>("DBLookupComboBox5", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    Edit1->setReadOnly(true);
    Label4 = make<QLabel>("Label4", "Alt Limit Kilo", this);
    Edit3 = make<QLineEdit>("Edit3", this);
    Label5 = make<QLabel>("Label5", "Üst Limit Kilo", this);
    Edit4 = make<QLineEdit>("Edit4", this);
    const ReferenceScreens::EntryButtons buttons = ReferenceScreens::entryButtons(this);
    BitBtn1 = buttons.BitBtn1;
    BitBtn3 = buttons.BitBtn3;
    BitBtn2 = buttons.BitBtn2;

    DBGrid1 = make<TDBGrid>("DBGrid1", this);
    GridColumn name("Durum", "Branş Adı", 220);
    name.readOnly = true;
    GridColumn lower("AltKilo", "Alt Limit Kilo", 80);
    lower.alignment = Qt::AlignRight;
    GridColumn upper("UstKilo", "Üst Limit Kilo", 80);
    upper.alignment = Qt::AlignRight;
    GridColumn sex("E_B", "Erkek/Bayan", 70);
    sex.readOnly = true;
    GridColumn web("Web", "Web", 40);
    GridColumn minBirth("Dt1", "Web Min Doğum Tar.", 110);
    minBirth.date = true;
    minBirth.alignment = Qt::AlignHCenter;
    GridColumn maxBirth("Dt2", "Web Max Doğum Tar.", 110);
    maxBirth.date = true;
    maxBirth.alignment = Qt::AlignHCenter;
    GridColumn weight("Kilo", "Kilo", 40);
    weight.visible = false;
    DBGrid1->setColumns({name, lower, upper, sex, web, minBirth, maxBirth, weight});
    DBGrid1->setReadOnly(false);
    DBGrid1->setNewRowHandler([this](Record& row) { return Table1NewRecord(row); });
    DBGrid1->setPostCheck([](Record& row) { return Table1BeforePost(row); });
    DBGrid1->setWriter([this](const Record& row, bool isNew) { writeRow(row, isNew); });

    // The entry row reads left to right like the name it composes.
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label2, 0, 2);
    grid->addWidget(Label3, 0, 3);
    grid->addWidget(Edit2, 1, 0);
    grid->addWidget(Edit5, 1, 1);
    grid->addWidget(ComboBox4, 1, 2);
    grid->addWidget(DBLookupComboBox5, 1, 3);
    grid->addWidget(Edit1, 2, 3);
    grid->addWidget(Label4, 3, 0);
    grid->addWidget(Edit3, 3, 1);
    grid->addWidget(Label5, 3, 2);
    grid->addWidget(Edit4, 3, 3);
    grid->addWidget(BitBtn1, 4, 1);
    grid->addWidget(BitBtn3, 4, 2);
    grid->addWidget(BitBtn2, 4, 3);
    grid->addWidget(DBGrid1, 5, 0, 1, 4);
    resize(760, 480);

    TurkishEntry::enterOnly(Edit2, Edit3);
    TurkishEntry::textField(Edit5, Edit3);
    TurkishEntry::enterOnly(ComboBox4, BitBtn1);
    TurkishEntry::textField(Edit1, Edit3);
    TurkishEntry::enterOnly(Edit3, Edit4);
    TurkishEntry::enterOnly(Edit4, ComboBox4);

    connect(BitBtn1, &QPushButton::clicked, this, &TBrans::Button1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TBrans::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TBrans::BitBtn2Click);
    connect(DBLookupComboBox5, qOverload<int>(&QComboBox::activated), this, &TBrans::DBLookupComboBox5Click);
    connect(ComboBox4, qOverload<int>(&QComboBox::activated), this, &TBrans::ComboBox4Click);
}

void TBrans::loadGrid(const QString& category, const QString& sex)
{
    DBGrid1->setRecords(ReferenceScreens::db().select(
        "select * from C_BRANS where Durum_Key > 1 and Durum like :c and Durum like :s order by Durum",
        {{"c", "%" + SqlFunctions::likeLiteral(category) + "%"}, {"s", "%" + SqlFunctions::likeLiteral(sex) + "%"}}));
}

void TBrans::enableDelete()
{
    BitBtn3->setEnabled(DBGrid1->currentRow() >= 0);
}

void TBrans::reload()
{
    loadGrid(Edit1->text(), ComboBox4->currentText());
    enableDelete();
}

void TBrans::FormActivate()
{
    FInserting = false;
    loadGrid(QString(), ComboBox4->currentText());
    ReferenceScreens::enableDeleteWithRows(DBGrid1, BitBtn3);
    Edit1->clear();
    Edit5->setText("KİLO");
    Edit2->setFocus();
    DBLookupComboBox5->clear();
    for (const Record& r :
         ReferenceScreens::db().select("select * from C_BRANSADI where Durum_Key > 2 order by Durum_Key"))
        DBLookupComboBox5->addItem(r.str("Durum"), r.value("Durum_Key"));
    DBLookupComboBox5->setCurrentIndex(-1);
}

void TBrans::FormClose()
{
    // Corrections typed into the grid and not stored yet are dropped.
    DBGrid1->cancel();
}

void TBrans::DBLookupComboBox5Click()
{
    Edit1->setText(DBLookupComboBox5->currentText());
    Edit1->setFocus();
    reload();
}

void TBrans::ComboBox4Click()
{
    reload();
}

bool TBrans::Table1NewRecord(Record&)
{
    // Categories are added through the fields above the grid only.
    return ReferenceScreens::ownRowsOnly(FInserting, [this] { reload(); });
}

bool TBrans::Table1BeforePost(Record& row)
{
    bool refused = false;
    double lower = 0;
    double upper = 0;
    if (limitMissing(row.value("AltKilo"))) {
        Messages::error("Boş Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!");
        refused = true;
    }
    if (!refused && limitMissing(row.value("UstKilo"))) {
        Messages::error("Boş Üst Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!");
        refused = true;
    }
    if (!refused && !row.str("Web").isEmpty() && row.str("Web") != "1") {
        Messages::error("Aktif braşları 1 olarak işaretleyiniz. Aktif olmayanların boş olması gerekmektedir. ...!");
        refused = true;
    }
    if (!refused && !readLimit(row.value("AltKilo"), &lower)) {
        Messages::error(QString("Hatalı Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!") + kDecimalNote);
        refused = true;
    }
    if (!refused && !readLimit(row.value("UstKilo"), &upper)) {
        Messages::error(QString("Hatalı Üst Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!") + kDecimalNote);
        refused = true;
    }
    if (!refused && lower > upper) {
        Messages::error("Alt Limit Kilo Üst Limit Kilodan Daha Büyük. Lütfen Düzeltiniz ...!");
        refused = true;
    }
    const QString sex = row.str("E_B");
    if (!refused && sex != "E/B" && sex != "E" && sex != "B") {
        Messages::error("Hatalı Giriş Yaptınız. Erkek için 'E', Bayan için 'B', Her ikisi için 'E/B' Giriniz ...!");
        refused = true;
    }
    if (row.date("Dt1").isValid() != row.date("Dt2").isValid()) {
        Messages::info("Doğum Tarihi girecekseniz Min ve Max olarak iki tarihi de girmeniz gerekmektedir...!");
        refused = true;
    }
    if (refused)
        return false;
    TDBGrid::setValue(row, "AltKilo", lower);
    TDBGrid::setValue(row, "UstKilo", upper);
    return true;
}

void TBrans::writeRow(const Record& row, bool isNew)
{
    const QVariantMap fields{{"Durum", row.value("Durum")},
                             {"AltKilo", row.value("AltKilo")},
                             {"UstKilo", row.value("UstKilo")},
                             {"E_B", row.value("E_B")},
                             {"Web", row.str("Web")},
                             {"Dt1", ReferenceScreens::dateOrNull(row, "Dt1")},
                             {"Dt2", ReferenceScreens::dateOrNull(row, "Dt2")}};
    // Kilo is written once, when the category is made.
    ReferenceScreens::storeRow(ReferenceScreens::db(), "C_BRANS", "Durum_Key", fields, row, isNew,
                               {{"Kilo", row.value("Kilo")}});
}

void TBrans::Button1Click()
{
    // Saves the corrections typed into the grid, through its checks.
    if (ReferenceScreens::postGridRow(Edit1->text(), DBGrid1))
        return;
    const QString decimalNote = kDecimalNote;
    if (Edit1->text().isEmpty()) {
        Messages::error("Branş Adını Girmediniz ...!");
        DBLookupComboBox5->setFocus();
        return;
    }
    if (ReferenceScreens::refuseLeadingSpace(Edit1))
        return;
    if (Edit2->text().isEmpty()) {
        Messages::error("Kilo Girmediniz ...!");
        Edit2->setFocus();
        return;
    }
    if (ComboBox4->currentIndex() < 0) {
        Messages::error("Erkek/Bayan Seçimini Yapmadınız ...!");
        ComboBox4->setFocus();
        return;
    }
    double lower = 0;
    double upper = 0;
    if (!TAgirlik::readsAsNumber(Edit3->text(), Formats::decimalSeparator(), &lower)) {
        Messages::error("Boş veya Hatalı Alt Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!" + decimalNote);
        Edit3->setFocus();
        return;
    }
    if (!TAgirlik::readsAsNumber(Edit4->text(), Formats::decimalSeparator(), &upper)) {
        Messages::error("Boş veya Hatalı Üst Limit Kilo Girdiniz. Lütfen Düzeltiniz ...!" + decimalNote);
        Edit4->setFocus();
        return;
    }
    if (lower > upper) {
        Messages::error("Alt Limit Kilo Üst Limit Kilodan Daha Büyük. Lütfen Düzeltiniz ...!");
        Edit3->setFocus();
        return;
    }

    const QString sex = ComboBox4->currentText();
    const QString name = WeightCategories::composeName(Edit2->text(), Edit5->text(), sex, Edit1->text());
    Database& db = ReferenceScreens::db();
    // The names are compared exactly, letter case included.
    for (const Record& r : db.select("select Durum from C_BRANS where Durum = :n", {{"n", name}})) {
        if (r.str("Durum") == name) {
            Messages::info(name + " Branşı Kayıtlı Bulunmaktadır. İkinci Kez Kaydedemezsiniz ...!");
            return;
        }
    }
    const QString tooLong = WeightCategories::lengthRefusal(name);
    if (!tooLong.isEmpty()) {
        Messages::info(tooLong);
        return;
    }
    const QStringList hyphens = WeightCategories::hyphenRefusals(name);
    for (const QString& message : hyphens)
        Messages::info(message);
    if (!hyphens.isEmpty())
        return;

    const int key = Counters::next(db, "Sayi");
    FInserting = true;
    Record row({"Durum_Key", "Durum", "Kilo", "AltKilo", "UstKilo", "Web", "E_B", "Dt1", "Dt2"},
               {key, name, 0.0, lower, upper, "1", sex == "BAYAN" ? "B" : "E", QVariant(), QVariant()});
    if (!Table1BeforePost(row)) {
        FInserting = false;
        return;
    }
    writeRow(row, true);

    Edit2->clear();
    Edit3->clear();
    Edit4->clear();
    reload();
    FInserting = false;
    DBGrid1->locate("Durum_Key", key);
    Messages::info("Branş Kaydedildi ...!");
    Edit2->setFocus();
}

QString TBrans::SilmeKontrol(Database& db, const QString& name, int key)
{
    if (ReferenceScreens::hasRows(db, "select Musteri_Key from C_MUSTERI where E53 = :n or E54 = :n or E55 = :n",
                                  {{"n", name}}))
        return name + " Branşının Bulunduğu Sporcular Olduğundan Silemezsiniz. Silmek için önce tüm Sporcu "
                      "Kayıtları içerisinde bu Branşta olanları Değiştirmeniz Gerekmektedir ...!";
    // A station file without weigh-in lists or bouts has no row that uses it.
    if (db.hasTable("C_LISTE") &&
        ReferenceScreens::hasRows(db, "select Brans from C_LISTE where Brans = :n", {{"n", name}}))
        return name + " Branşının Bulunduğu Tartı Listeleri Olduğundan Silemezsiniz. Silmek için önce Bu Tartı "
                      "Kayıtlarını Silmeniz Gerekmektedir ...!";
    if (db.hasTable("C_KURA") &&
        ReferenceScreens::hasRows(db, "select Brans from C_KURA where Brans = :n", {{"n", name}}))
        return name + " Branşının Bulunduğu Kura Listeleri Olduğundan Silemezsiniz. Silmek için önce Kura "
                      "Kayıtlarını Silmeniz Gerekmektedir ...!";
    // The persons' activity rows name the category by its key.
    if (ReferenceScreens::hasRows(db, "select Der_Key from F_DER where Durum_Key = :k", {{"k", key}}))
        return name + " Branşının Bulunduğu Sporcu Kariyer Bilgileri Bulunmaktadır. Silmek İçin Önce Tüm Sporcu "
                      "Kayıtları İçerisinde Bunları Değiştirmeniz Gerekmektedir ...!";
    return QString();
}

void TBrans::BitBtn3Click()
{
    if (ReferenceScreens::deleteCurrentRow(DBGrid1, "C_BRANS", "Durum_Key", "Durum", &SilmeKontrol))
        reload();
}

void TBrans::BitBtn2Click()
{
    close();
}
