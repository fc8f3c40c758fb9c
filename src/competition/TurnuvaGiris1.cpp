#include "competition/TurnuvaGiris1.h"

#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "competition/ActivityQuery.h"
#include "platform/ui/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct TurnuvaQueryField {
    const char* field;     // objectName of the text field
    const char* caption;   // its caption
    const char* picker;    // objectName of its list, "" for typed fields and dates
};

const TurnuvaQueryField kTurnuvaQueryFields[TTurnuvaGiris1::FilterCount] = {
    {"Edit1", "Ad Soyad", ""},
    {"Edit2", "Faaliyet Tarihi", ""},
    {"Edit3", "Arası", ""},
    {"Edit4", "Faaliyet Türü", "DBLookupComboBox1"},
    {"Edit5", "Ulusal/ U.Arası", "DBLookupComboBox2"},
    {"Edit6", "Branş", "DBLookupComboBox3"},
    {"Edit13", "Faaliyet", "DBLookupComboBox4"},
    {"Edit15", "Cinsiyet", "ComboBox1"},
    {"Edit7", "Kategori", "DBLookupComboBox5"},
    {"Edit8", "Sicil No", ""},
    {"Edit9", "Bölge", "DBLookupComboBox6"},
    {"Edit10", "Derece", "ComboBox2"},
    {"Edit11", "Aktivite", "ComboBox3"},
    {"Edit12", "Sporcu", "DBLookupComboBox7"},
    {"Edit14", "Hakem", "DBLookupComboBox8"},
    {"Edit16", "Antrenör", "DBLookupComboBox9"},
    {"Edit17", "Diğer", "DBLookupComboBox10"},
};

bool turnuvaQueryIsStatus(int f)
{
    return f >= TTurnuvaGiris1::Sporcu && f <= TTurnuvaGiris1::Diger;
}

QStringList turnuvaQueryColumn(const Records& rows, const QString& column)
{
    QStringList values;
    for (const Record& r : rows)
        values << r.str(column);
    return values;
}

GridColumn turnuvaQueryDate(const char* field, const char* title)
{
    GridColumn c(field, QString::fromUtf8(title), 80);
    c.date = true;
    return c;
}

} // namespace

TTurnuvaGiris1::TTurnuvaGiris1()
{
    using namespace PlacedControls;
    setObjectName("TurnuvaGiris1");
    setWindowTitle("Faaliyet Sorgulama ve Rapor Ekranı");
    resize(1000, 700);
    FOrderBy = "Ad_Soyad";

    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* filters = new QGridLayout;
    for (int f = 0; f < FilterCount; ++f) {
        const TurnuvaQueryField& d = kTurnuvaQueryFields[f];
        Caption[f] = make<QLabel>(QString(d.caption) + "_Label", QString::fromUtf8(d.caption), this);
        Caption[f]->setObjectName(QString("Label_%1").arg(d.field));
        Field[f] = make<QLineEdit>(d.field, this);
        Picker[f] = nullptr;
        const int row = f % 9;
        const int col = (f / 9) * 3;
        filters->addWidget(Caption[f], row, col);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(Field[f], 1);
        if (*d.picker) {
            Field[f]->setReadOnly(true);
            Picker[f] = make<QComboBox>(d.picker, this);
            Picker[f]->setFixedWidth(22);
            cell->addWidget(Picker[f]);
            connect(Picker[f], qOverload<int>(&QComboBox::activated), this, [this, f] { turnuvaQueryPick(Filter(f)); });
        }
        if (f == TarihBas || f == TarihBit) {
            Field[f]->setInputMask("99.99.9999;_");
            Field[f]->setText(QString());
            QDateEdit*& picker = f == TarihBas ? DateTimePicker1 : DateTimePicker2;
            picker = PlacedControls::makeDatePicker(f == TarihBas ? "DateTimePicker1" : "DateTimePicker2", this);
            picker->setFixedWidth(110);
            picker->setDate(session().today());
            cell->addWidget(picker);
            PlacedControls::onDatePicked(picker, this, [this, f](const QDate& day) {
                Field[f]->setText(day.toString("dd.MM.yyyy"));
                Reset();
            });
        }
        filters->addLayout(cell, row, col + 1);
        PlacedControls::onClick(Caption[f], [this, f] { turnuvaQueryCaptionClick(Filter(f)); });
        connect(Field[f], &QLineEdit::textChanged, this, [this, f] {
            turnuvaQueryColour(Filter(f));
            Reset();
        });
        // Enter searches; the Turkish letters as everywhere.
        TurkishEntry::textField(Field[f], nullptr)->setEnterAction([this] { BitBtn1Click(); });
    }
    Edit13 = Field[Faaliyet];
    Edit15 = Field[Cinsiyet];
    top->addLayout(filters, 1);

    // The fixed lists.
    turnuvaQueryFill(Cinsiyet, {"BAYAN", "ERKEK"});
    turnuvaQueryFill(Derece, {"1", "2", "3", "4", "1,2", "1,2,3", "1,2,3,4", "1,2,3,4,5,6,7,8", "5,6,7,8"});
    turnuvaQueryFill(Aktivite, {"SPORCU", "HAKEM", "ANTRENÖR", "DİĞER"});
    // "Faaliyet" is typed or picked.
    Field[Faaliyet]->setReadOnly(false);

    auto* side = new QVBoxLayout;
    auto* panelHead = new QHBoxLayout;
    panelHead->addWidget(new QLabel("Listelenen Aktivite Türleri", this));
    SpeedButton1 = make<QToolButton>("SpeedButton1", "+", this);
    SpeedButton2 = make<QToolButton>("SpeedButton2", "-", this);
    panelHead->addWidget(SpeedButton1);
    panelHead->addWidget(SpeedButton2);
    side->addLayout(panelHead);
    ListBox1 = make<QListWidget>("ListBox1", this);
    ListBox1->hide();
    side->addWidget(ListBox1, 1);
    auto* orderRow = new QHBoxLayout;
    SpeedButton3 = make<QToolButton>("SpeedButton3", "Ad", this);
    SpeedButton3->setToolTip("Ad Soyada göre sırala");
    SpeedButton4 = make<QToolButton>("SpeedButton4", "Sicil", this);
    SpeedButton4->setToolTip("Sicil Numarasına göre sırala");
    SpeedButton5 = make<QToolButton>("SpeedButton5", "Bölge", this);
    SpeedButton5->setToolTip("Bölgeye göre sırala");
    OrderMarker = make<QLabel>("OrderMarker", "▶", this);
    for (QWidget* w : {static_cast<QWidget*>(OrderMarker), static_cast<QWidget*>(SpeedButton3),
                       static_cast<QWidget*>(SpeedButton4), static_cast<QWidget*>(SpeedButton5)})
        orderRow->addWidget(w);
    side->addLayout(orderRow);
    BitBtn1 = makeButton("BitBtn1", "Kayıt Bul", this);
    BitBtn6 = makeButton("BitBtn6", "Raporlar", this);
    BitBtn7 = makeButton("BitBtn7", "Diğer Raporlar", this);
    BitBtn2 = makeButton("BitBtn2", "Kapat", this);
    for (QPushButton* b : {BitBtn1, BitBtn6, BitBtn7, BitBtn2})
        side->addWidget(b);
    top->addLayout(side);
    root->addLayout(top);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    GenelListe1 = makeItem(PopupMenu1, "GenelListe1", "Genel Liste");
    urnuvaBazndaListe1 = makeItem(PopupMenu1, "urnuvaBazndaListe1", "Faaliyet Bazında Liste");
    urnuvaTrBazndaListe1 = makeItem(PopupMenu1, "urnuvaTrBazndaListe1", "Faaliyet Türü Bazında Liste");
    arihBazndaListe1 = makeItem(PopupMenu1, "arihBazndaListe1", "Tarih Bazında Liste");
    HakemPerformans1 = makeItem(PopupMenu1, "HakemPerformans1", "Hakem Performans");
    KlpBazndaListe1 = makeItem(PopupMenu1, "KlpBazndaListe1", "Kulüp Bazında Liste");
    KulpBazndaFaaliyetListesi1 = makeItem(PopupMenu1, "KulpBazndaFaaliyetListesi1", "Kulüp Bazında Faaliyet Listesi");
    itlerListesi1 = makeItem(PopupMenu1, "itlerListesi1", "Çiftler Listesi (Kulübe göre sıralı)");
    iftlerListesiBranagresral1 =
        makeItem(PopupMenu1, "iftlerListesiBranagresral1", "Çiftler Listesi (Branşa göre sıralı)");
    BitBtn7->setMenu(PopupMenu1);

    DBGrid1 = make<TDBGrid>("DBGrid1", this);
    DBGrid1->setColumns({{"Ad_Soyad", "Ad Soyad", 170},
                         {"Vergi_Numarasi", "Sicil No", 70},
                         {"Vergi_Dairesi", "Bölge", 90},
                         {"Adi", "Faaliyet", 200},
                         {"Turu", "Faaliyet Türü", 110},
                         {"Durum", "Kategori", 100},
                         turnuvaQueryDate("Tarih1", "Baş.Tarihi"),
                         turnuvaQueryDate("Tarih2", "Bitiş Tarihi"),
                         {"Derece", "Derece", 50}});
    Label10 = make<QLabel>("Label10", "", this);
    root->addWidget(DBGrid1, 1);
    root->addWidget(Label10);

    connect(BitBtn1, &QPushButton::clicked, this, &TTurnuvaGiris1::BitBtn1Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TTurnuvaGiris1::BitBtn6Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    connect(GenelListe1, &QAction::triggered, this, &TTurnuvaGiris1::BitBtn6Click);
    connect(urnuvaBazndaListe1, &QAction::triggered, this, &TTurnuvaGiris1::urnuvaBazndaListe1Click);
    connect(urnuvaTrBazndaListe1, &QAction::triggered, this, &TTurnuvaGiris1::urnuvaTrBazndaListe1Click);
    connect(arihBazndaListe1, &QAction::triggered, this, &TTurnuvaGiris1::arihBazndaListe1Click);
    connect(HakemPerformans1, &QAction::triggered, this, &TTurnuvaGiris1::HakemPerformans1Click);
    connect(KlpBazndaListe1, &QAction::triggered, this, &TTurnuvaGiris1::KlpBazndaListe1Click);
    connect(KulpBazndaFaaliyetListesi1, &QAction::triggered, this,
            &TTurnuvaGiris1::KulpBazndaFaaliyetListesi1Click);
    connect(itlerListesi1, &QAction::triggered, this, &TTurnuvaGiris1::itlerListesi1Click);
    connect(iftlerListesiBranagresral1, &QAction::triggered, this,
            &TTurnuvaGiris1::iftlerListesiBranagresral1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TTurnuvaGiris1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TTurnuvaGiris1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { setOrder("Ad_Soyad"); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { setOrder("Vergi_Numarasi"); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { setOrder("Vergi_Dairesi"); });
    setOrder(FOrderBy);
    for (int f = 0; f < FilterCount; ++f)
        turnuvaQueryColour(Filter(f));
}

// --- Lists and fields -----------------------------------------------------------

void TTurnuvaGiris1::turnuvaQueryFill(Filter f, const QStringList& values)
{
    QComboBox* list = Picker[f];
    list->clear();
    list->addItems(values);
    list->setCurrentIndex(-1);
}

void TTurnuvaGiris1::FormActivate()
{
    Database& db = session().db;
    FDatabaseKind = DbKind::read(db);
    turnuvaQueryFill(Turu, turnuvaQueryColumn(db.select("select * from C_TURTURU order by Tur_Key"), "Turu"));
    turnuvaQueryFill(Tipi, turnuvaQueryColumn(db.select("select Distinct(Tipi) as tip from C_TURTURU"), "tip"));
    turnuvaQueryFill(Brans, turnuvaQueryColumn(db.select("select * from C_BRANS order by Durum"), "Durum"));
    turnuvaQueryFill(Faaliyet, turnuvaQueryColumn(
                                   db.select("select Turnuva_Key,Adi from C_TURNUVA order by Turnuva_Key desc"), "Adi"));
    turnuvaQueryFill(Kategori, turnuvaQueryColumn(
                                   db.select("select * from C_BRANSADI Where Durum_Key > 1 order by Durum_Key"), "Durum"));
    turnuvaQueryFill(Bolge, turnuvaQueryColumn(db.select("select * from C_UYELIKTURU order by durum"), "Durum"));
    const char kinds[4] = {'S', 'H', 'A', 'D'};
    for (int k = 0; k < 4; ++k)
        turnuvaQueryFill(Filter(Sporcu + k),
                         turnuvaQueryColumn(db.select("select * from C_UYEKULLANICI where tip2 = :t and Durum_Key > 1 "
                                                      "order by Durum_Key",
                                                      {{"t", QString(kinds[k])}}),
                                            "Durum"));
    Reset();
}

void TTurnuvaGiris1::FormClose()
{
    Reset();
}

void TTurnuvaGiris1::turnuvaQueryColour(Filter f)
{
    QPalette p = Caption[f]->palette();
    const bool empty = ActivityQuery::checkDate(Field[f]->text()) == ActivityQuery::DateState::Empty;
    p.setColor(QPalette::WindowText, empty ? QColor(Qt::black) : QColor(255, 0, 0));
    Caption[f]->setPalette(p);
}

void TTurnuvaGiris1::turnuvaQueryPick(Filter f)
{
    const QString value = Picker[f]->currentText();
    Field[f]->setText(value);
    if (turnuvaQueryIsStatus(f)) {
        QStringList& list = FStatusLists[f - Sporcu];
        if (!value.isEmpty() && !list.contains(value)) {
            list << value;
            turnuvaQueryRebuildPanel();
        }
    }
    Reset();
}

void TTurnuvaGiris1::turnuvaQueryCaptionClick(Filter f)
{
    Field[f]->clear();
    if (turnuvaQueryIsStatus(f)) {
        FStatusLists[f - Sporcu].clear();
        turnuvaQueryRebuildPanel();
    }
    turnuvaQueryColour(f);
    Reset();
}

void TTurnuvaGiris1::turnuvaQueryRebuildPanel()
{
    ListBox1->clear();
    for (const QStringList& list : FStatusLists)
        ListBox1->addItems(list);
}

void TTurnuvaGiris1::SpeedButton1Click()
{
    if (FListMode)
        return;
    FListMode = true;
    ListBox1->show();
    for (int k = 0; k < 4; ++k) {
        Field[Sporcu + k]->clear();
        FStatusLists[k].clear();
    }
    turnuvaQueryRebuildPanel();
    Reset();
}

void TTurnuvaGiris1::SpeedButton2Click()
{
    if (!FListMode)
        return;
    FListMode = false;
    ListBox1->hide();
    Reset();
}

void TTurnuvaGiris1::setOrder(const QString& column)
{
    FOrderBy = column;
    const QList<std::pair<QToolButton*, QString>> buttons = {
        {SpeedButton3, "Ad_Soyad"}, {SpeedButton4, "Vergi_Numarasi"}, {SpeedButton5, "Vergi_Dairesi"}};
    for (const auto& [button, order] : buttons)
        button->setVisible(order != column);
    Reset();
}

// --- Search -------------------------------------------------------------------------

void TTurnuvaGiris1::Reset()
{
    FResultOpen = false;
    DBGrid1->setRecords({});
    DBGrid1->setMaximumHeight(DBGrid1->horizontalHeader()->height() + 4);
    Label10->clear();
}

void TTurnuvaGiris1::BitBtn1Click()
{
    for (Filter f : {TarihBas, TarihBit}) {
        const ActivityQuery::DateState state = ActivityQuery::checkDate(Field[f]->text());
        if (state == ActivityQuery::DateState::Invalid) {
            Messages::error(ActivityQuery::kBadDate);
            return;
        }
        if (state == ActivityQuery::DateState::OutOfRange) {
            Messages::info(ActivityQuery::kDateOutOfRange);
            return;
        }
    }
    ActivityQuery::Filters filters;
    QString* values[FilterCount] = {&filters.name,     &filters.dateFrom,  &filters.dateTo,   &filters.type,
                                    &filters.kind,     &filters.weightClass, &filters.activity, &filters.gender,
                                    &filters.category, &filters.registerNumber, &filters.region, &filters.placing,
                                    &filters.role,     &filters.statuses[0], &filters.statuses[1],
                                    &filters.statuses[2], &filters.statuses[3]};
    for (Filter f : {TarihBas, TarihBit}) {
        // A date is rewritten in its normal form first.
        if (ActivityQuery::checkDate(Field[f]->text()) == ActivityQuery::DateState::Valid) {
            const QString normal = Formats::strToDate(Field[f]->text().trimmed()).toString("dd.MM.yyyy");
            QSignalBlocker quiet(Field[f]);
            Field[f]->setText(normal);
        }
    }
    for (int f = 0; f < FilterCount; ++f)
        *values[f] = Field[f]->text();
    filters.listMode = FListMode;
    for (int k = 0; k < 4; ++k)
        filters.statusLists[k] = FStatusLists[k];

    const ActivityQuery::Condition c = ActivityQuery::build(filters, FDatabaseKind);
    FWhereClause = c.whereClause;
    FParams = c.params;
    FReportSql = ActivityQuery::reportSql(FWhereClause);
    const Records rows = session().db.select(ActivityQuery::listSelect(FWhereClause, FOrderBy), FParams);
    DBGrid1->setRecords(rows);
    DBGrid1->setMaximumHeight(QWIDGETSIZE_MAX);
    FResultOpen = true;
    Label10->setText("Kayıt Sayısı : " + QString::number(rows.size()));
    if (rows.isEmpty())
        Messages::info(ActivityQuery::kNothingFound);
}

// --- Reports -------------------------------------------------------------------------

Reports::ActivitySelection TTurnuvaGiris1::turnuvaQuerySelection() const
{
    return {FResultOpen, FResultOpen && DBGrid1->rowCount() > 0, FReportSql, FWhereClause, FParams, FOrderBy,
            Edit13->text(), Edit15->text()};
}

ReportCaller TTurnuvaGiris1::turnuvaQueryCaller()
{
    return ReportCaller::screen(this, &FInPreview, [this](QObject* r) { FPreviewReport = r; });
}

void TTurnuvaGiris1::BitBtn6Click() { Reports::rapTurnuva(turnuvaQueryCaller(), turnuvaQuerySelection()); }
void TTurnuvaGiris1::urnuvaBazndaListe1Click() { Reports::rapTurnuva1(turnuvaQueryCaller(), turnuvaQuerySelection()); }
void TTurnuvaGiris1::urnuvaTrBazndaListe1Click() { Reports::rapTurnuva2(turnuvaQueryCaller(), turnuvaQuerySelection()); }
void TTurnuvaGiris1::arihBazndaListe1Click() { Reports::rapTurnuva3(turnuvaQueryCaller(), turnuvaQuerySelection()); }
void TTurnuvaGiris1::HakemPerformans1Click() { Reports::rapTurnuvaH(turnuvaQueryCaller(), turnuvaQuerySelection()); }
void TTurnuvaGiris1::KlpBazndaListe1Click() { Reports::rapTurnuvaK(turnuvaQueryCaller(), turnuvaQuerySelection()); }
void TTurnuvaGiris1::KulpBazndaFaaliyetListesi1Click()
{
    Reports::rapTurnuvaK1(turnuvaQueryCaller(), turnuvaQuerySelection());
}
void TTurnuvaGiris1::itlerListesi1Click() { Reports::rapTurnuvaC(turnuvaQueryCaller(), turnuvaQuerySelection(), true); }
void TTurnuvaGiris1::iftlerListesiBranagresral1Click()
{
    Reports::rapTurnuvaC(turnuvaQueryCaller(), turnuvaQuerySelection(), false);
}
