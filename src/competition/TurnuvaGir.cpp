#include "competition/TurnuvaGir.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "competition/TurnuvaTuru.h"
#include "platform/ui/Messages.h"
#include "reports/ActivityReports.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

// The whole-number columns typed into the grid.
const char* const kCountColumns[] = {"Ulke_Say", "Sporcu_Say", "Erkek_Deg", "Bayan_Deg", "Takim_Deg"};

bool isBlank(const QVariant& v)
{
    return !v.isValid() || v.isNull() || v.toString().trimmed().isEmpty();
}

QVariant keyOrNull(const Record& row, const QString& field)
{
    return isBlank(row.value(field)) ? QVariant() : QVariant(row.toInt(field));
}

QList<QPair<QVariant, QString>> lookupOf(const Records& rows, const QString& keyField, const QString& nameField)
{
    QList<QPair<QVariant, QString>> pairs;
    for (const Record& r : rows)
        pairs.append({r.value(keyField), r.str(nameField)});
    return pairs;
}

void colourLabel(QLabel* label, bool chosen)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, chosen ? QColor(Qt::blue) : QColor(Qt::black));
    label->setPalette(p);
}

// Refills a drop-down and chooses the entry with the key again when it is
// still there.
void refill(QComboBox* box, const QList<QPair<QVariant, QString>>& entries, const QVariant& chosen)
{
    box->clear();
    for (const auto& e : entries)
        box->addItem(e.second, e.first);
    box->setCurrentIndex(chosen.isValid() ? box->findData(chosen) : -1);
}

}

TTurnuvaGir::TTurnuvaGir() : FOrderBy("Turnuva_Key desc")
{
    setObjectName("TurnuvaGir");
    setWindowTitle("Faaliyet Bilgileri Girişi");

    Label1 = new QLabel("Kategori", this);
    Label1->setObjectName("Label1");
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName("DBLookupComboBox1");
    DBLookupComboBox1->setMaxVisibleItems(8);
    DBLookupComboBox1->setMinimumWidth(200);
    Label2 = new QLabel("Türü", this);
    Label2->setObjectName("Label2");
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName("DBLookupComboBox2");
    DBLookupComboBox2->setMaxVisibleItems(14);
    DBLookupComboBox2->setMinimumWidth(200);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("...");
    SpeedButton1->setToolTip("Yeni Turnuva Türü Ekle");
    BitBtn1 = new QPushButton("Sil", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new QPushButton("Rapor", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn3 = new QPushButton("Kapat", this);
    BitBtn3->setObjectName("BitBtn3");
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        b->setAutoDefault(false);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName("DBGrid1");
    GridColumn key("Turnuva_Key", "Kod", 40);
    key.readOnly = true;
    key.alignment = Qt::AlignRight;
    GridColumn type("Turu", "Faaliyet Türü", 150);
    type.keyField = "Tur_Key";
    GridColumn category("Kategori", "Kategorisi", 110);
    category.keyField = "Durum_Key";
    auto dateColumn = [](const QString& field, const QString& title, int width) {
        GridColumn c(field, title, width);
        c.date = true;
        c.alignment = Qt::AlignHCenter;
        return c;
    };
    auto countColumn = [](const QString& field, const QString& title) {
        GridColumn c(field, title, 50);
        c.alignment = Qt::AlignRight;
        return c;
    };
    GridColumn belt("Kusak_Adi", "Web Min Kuşak", 100);
    belt.keyField = "Kusak_Key";
    GridColumn minBirth = dateColumn("Dt1", "Doğum Tar. Min", 80);
    minBirth.visible = false;
    GridColumn maxBirth = dateColumn("Dt2", "Doğum Tar. Max", 80);
    maxBirth.visible = false;
    DBGrid1->setColumns({key,
                         {"Adi", "Faaliyet Adı", 250},
                         type,
                         category,
                         {"Yer", "Yapıldığı Yer", 120},
                         dateColumn("Tarih1", "Baş.Tarihi", 75),
                         dateColumn("Tarih2", "Bit.Tarihi", 75),
                         countColumn("Ulke_Say", "Ülke S."),
                         countColumn("Sporcu_Say", "Sporcu S."),
                         countColumn("Erkek_Deg", "Erkek Tk."),
                         countColumn("Bayan_Deg", "Bayan Tk."),
                         countColumn("Takim_Deg", "Genel Kls."),
                         dateColumn("Web_Tar", "Web Son Tarih", 85),
                         belt,
                         {"WebBr_Key", "Web Kategoriler", 120},
                         minBirth,
                         maxBirth});
    DBGrid1->setReadOnly(false);
    DBGrid1->setTurkishUpper();
    DBGrid1->setNewRowHandler([this](Record& row) { return Table1NewRecord(row); });
    DBGrid1->setPostCheck([](Record& row) { return Table1BeforePost(ReferenceScreens::db(), row); });
    DBGrid1->setWriter([this](const Record& row, bool isNew) { writeRow(row, isNew); });
    ReferenceScreens::limitCellLength(DBGrid1, {{"Adi", 70}, {"Yer", 50}, {"WebBr_Key", 50}});
    const ReferenceScreens::GridMenu menu = ReferenceScreens::gridMenu(this, DBGrid1);
    PopupMenu1 = menu.menu;
    Sil1 = menu.Sil1;
    Yeni1 = menu.Yeni1;

    auto* layout = new QGridLayout(this);
    auto* filters = new QHBoxLayout;
    filters->addWidget(Label1);
    filters->addWidget(DBLookupComboBox1);
    filters->addSpacing(16);
    filters->addWidget(Label2);
    filters->addWidget(DBLookupComboBox2);
    filters->addWidget(SpeedButton1);
    filters->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    layout->addLayout(filters, 0, 0);
    layout->addWidget(DBGrid1, 1, 0);
    layout->addLayout(buttons, 2, 0);
    resize(980, 520);

    PlacedControls::onClick(Label1, [this] { Label1Click(); });
    PlacedControls::onClick(Label2, [this] { Label2Click(); });
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TTurnuvaGir::DBLookupComboBox1Click);
    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TTurnuvaGir::DBLookupComboBox2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TTurnuvaGir::SpeedButton1Click);
    connect(Sil1, &QAction::triggered, this, &TTurnuvaGir::Sil1Click);
    connect(Yeni1, &QAction::triggered, this, &TTurnuvaGir::Yeni1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TTurnuvaGir::Sil1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TTurnuvaGir::Yazdr1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TTurnuvaGir::BitBtn3Click);
}

QString TTurnuvaGir::categoryCaption(int key, const QString& name)
{
    return name == "-" ? name : "(" + QString::number(key) + ") " + name;
}

QVariant TTurnuvaGir::chosenCategory() const
{
    return DBLookupComboBox1->currentIndex() >= 0 ? DBLookupComboBox1->currentData() : QVariant();
}

QVariant TTurnuvaGir::chosenType() const
{
    return DBLookupComboBox2->currentIndex() >= 0 ? DBLookupComboBox2->currentData() : QVariant();
}

void TTurnuvaGir::readTypes()
{
    Database& db = ReferenceScreens::db();
    FTypes = db.select("select * from C_TURTURU order by Tur_Key");
    refill(DBLookupComboBox2, lookupOf(FTypes, "Tur_Key", "Turu"), chosenType());
    const int column = DBGrid1->columnOf("Turu");
    GridColumn c = DBGrid1->column(column);
    c.lookup = lookupOf(FTypes, "Tur_Key", "Turu");
    DBGrid1->setColumn(column, c);
}

void TTurnuvaGir::openLists()
{
    Database& db = ReferenceScreens::db();
    FCategories = db.select("select * from C_BRANSADI where Durum_Key > 1 order by Durum_Key");
    QList<QPair<QVariant, QString>> captions;
    for (const Record& r : FCategories)
        captions.append({r.value("Durum_Key"), categoryCaption(r.toInt("Durum_Key"), r.str("Durum"))});
    refill(DBLookupComboBox1, captions, chosenCategory());
    const int categoryColumn = DBGrid1->columnOf("Kategori");
    GridColumn c = DBGrid1->column(categoryColumn);
    c.lookup = lookupOf(FCategories, "Durum_Key", "Durum");
    DBGrid1->setColumn(categoryColumn, c);

    FBelts = db.select("select * from KUSAK order by Kusak_Key");
    const int beltColumn = DBGrid1->columnOf("Kusak_Adi");
    GridColumn b = DBGrid1->column(beltColumn);
    b.lookup = lookupOf(FBelts, "Kusak_Key", "Kusak_Adi");
    DBGrid1->setColumn(beltColumn, b);

    readTypes();
}

void TTurnuvaGir::FormActivate()
{
    openLists();
    Query();
}

void TTurnuvaGir::FormClose()
{
    // A typed row was stored when the window closed; a new row left
    // untouched is dropped with the grid.
    DBGrid1->cancel();
}

void TTurnuvaGir::Query()
{
    const QVariant category = chosenCategory();
    const QVariant type = chosenType();
    colourLabel(Label1, category.isValid());
    colourLabel(Label2, type.isValid());
    // The keys come from the screen's own lists, never typed. The reserved
    // rows (key 1 and below) stay out of the grid and of its printed list.
    QString sql = "select * from C_TURNUVA where Turnuva_Key > 1";
    if (category.isValid())
        sql += " and Durum_Key = " + QString::number(category.toInt());
    if (type.isValid())
        sql += " and Tur_Key = " + QString::number(type.toInt());
    sql += " order by " + FOrderBy;
    FQueryText = sql;
    DBGrid1->setRecords(ReferenceScreens::db().select(FQueryText));
}

void TTurnuvaGir::DBLookupComboBox1Click()
{
    Query();
}

void TTurnuvaGir::DBLookupComboBox2Click()
{
    Query();
}

void TTurnuvaGir::Label1Click()
{
    DBLookupComboBox1->setCurrentIndex(-1);
    Query();
}

void TTurnuvaGir::Label2Click()
{
    DBLookupComboBox2->setCurrentIndex(-1);
    Query();
}

void TTurnuvaGir::SpeedButton1Click()
{
    TurnuvaTuru->showModal();
    readTypes();
    Query();
}

void TTurnuvaGir::Yeni1Click()
{
    DBGrid1->appendRow();
    DBGrid1->setFocus();
}

bool TTurnuvaGir::Table1NewRecord(Record& row)
{
    const QVariant type = chosenType();
    if (!type.isValid()) {
        Messages::info("Lütfen Faaliyet Türünü Seçiniz ...!");
        return false;
    }
    const QVariant category = chosenCategory();
    if (!category.isValid()) {
        Messages::info("Lütfen Kategorisini Seçiniz ...!");
        return false;
    }
    TDBGrid::setValue(row, "Turnuva_Key", Counters::next(ReferenceScreens::db(), "Sayi"));
    TDBGrid::setValue(row, "Durum_Key", category.toInt());
    TDBGrid::setValue(row, "Tur_Key", type.toInt());
    return true;
}

bool TTurnuvaGir::Table1BeforePost(Database& db, Record& row)
{
    if (row.str("Adi").isEmpty() || isBlank(row.value("Durum_Key")) || isBlank(row.value("Tur_Key")) ||
        row.str("Yer").isEmpty() || !row.date("Tarih1").isValid() || !row.date("Tarih2").isValid()) {
        Messages::info("Eksik veya hatalı giriş yaptınız ...!");
        return false;
    }
    if (row.date("Web_Tar").isValid() && (row.str("WebBr_Key").isEmpty() || isBlank(row.value("Kusak_Key")))) {
        Messages::info("Web Min Kuşak ve Web Kategoriler Bilgilerini Girmeniz Gerekmektedir...!");
        return false;
    }
    if (row.date("Dt1").isValid() != row.date("Dt2").isValid()) {
        Messages::info("Doğum Tarihi girecekseniz Min ve Max olarak iki tarihi de girmeniz gerekmektedir...!");
        return false;
    }
    // The counts are whole numbers or empty.
    for (const char* column : kCountColumns) {
        const QVariant v = row.value(column);
        if (isBlank(v)) {
            TDBGrid::setValue(row, column, QVariant());
            continue;
        }
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok) {
            Messages::info("Sayı Alanlarına Yalnızca Rakam Giriniz ...!");
            return false;
        }
        TDBGrid::setValue(row, column, n);
    }
    TDBGrid::setValue(row, "Yili", row.date("Tarih1").year());
    if (ReferenceScreens::nameTaken(db, "C_TURNUVA", "Adi", "Turnuva_Key", row)) {
        Messages::error("Girmiş Olduğunuz Faaliyet Adı Daha Önce Girilmiştir. Lütfen düzeltiniz ...!");
        return false;
    }
    return true;
}

void TTurnuvaGir::writeRow(const Record& row, bool isNew)
{
    Database& db = ReferenceScreens::db();
    QVariantMap fields{{"Adi", row.value("Adi")},
                       {"Tur_Key", keyOrNull(row, "Tur_Key")},
                       {"Durum_Key", keyOrNull(row, "Durum_Key")},
                       {"Yer", row.value("Yer")},
                       {"Tarih1", ReferenceScreens::dateOrNull(row, "Tarih1")},
                       {"Tarih2", ReferenceScreens::dateOrNull(row, "Tarih2")},
                       {"Web_Tar", ReferenceScreens::dateOrNull(row, "Web_Tar")},
                       {"Kusak_Key", keyOrNull(row, "Kusak_Key")},
                       {"WebBr_Key", row.value("WebBr_Key")},
                       {"Dt1", ReferenceScreens::dateOrNull(row, "Dt1")},
                       {"Dt2", ReferenceScreens::dateOrNull(row, "Dt2")},
                       {"Yili", row.value("Yili")}};
    for (const char* column : kCountColumns)
        fields.insert(column, row.value(column));
    ReferenceScreens::storeRow(db, "C_TURNUVA", "Turnuva_Key", fields, row, isNew);
}

void TTurnuvaGir::Sil1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty() || isBlank(row.value("Turnuva_Key")))
        return;
    if (!ReferenceScreens::confirm(row.str("Adi") + " Silinecektir. Eminmisiniz ...?"))
        return;
    ReferenceScreens::db().exec("delete * from C_TURNUVA where Turnuva_Key = :k", {{"k", row.value("Turnuva_Key")}});
    Query();
}

void TTurnuvaGir::Yazdr1Click()
{
    if (DBGrid1->rowCount() == 0) {
        Messages::info("Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!");
        return;
    }
    const QString title = askTitle ? askTitle() : Reports::askActivityListTitle();
    Query();
    if (printList)
        printList(title, FQueryText);
    else
        Reports::odaYaz(ReportCaller::screen(this, nullptr, nullptr), title, FQueryText);
}

void TTurnuvaGir::BitBtn3Click()
{
    close();
}
