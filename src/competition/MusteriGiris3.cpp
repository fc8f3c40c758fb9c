#include "competition/MusteriGiris3.h"
#include "app/kit/WeightCategories.h"

#include "app/comport/DevicePort.h"
#include "app/comport/SerialPort.h"
#include "app/dialogs/Agirlik.h"
#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/ReservedRows.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/db/SqlFunctions.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"
#include "registry/MusteriGiris2.h"
#include "reports/CompetitionReports.h"
#include "reports/RegistryReports.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const char* const kSlotColumns[3] = {"E53", "E54", "E55"};

QString noWeightText()
{
    return QString("0") + Formats::decimalSeparator() + "000";
}

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    w->setPalette(p);
}

QColor textColor(const QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

// A read-only field lying over its drop-down list, the list's button beside it.
QWidget* pickerRow(QWidget* parent, QLineEdit* field, const QList<QComboBox*>& lists)
{
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    field->setParent(row);
    field->setReadOnly(true);
    h->addWidget(field, 1);
    for (QComboBox* list : lists) {
        list->setParent(row);
        list->setFixedWidth(22);
        h->addWidget(list);
    }
    return row;
}

} // namespace

// --- Creation -----------------------------------------------------------------

TMusteriGiris3::TMusteriGiris3()
{
    setObjectName("MusteriGiris3");
    setWindowTitle("Sporcu Tartı Ekranı");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(1024, 740);

    FSearchOrder = "Ad_Soyad";
    // The main window sets it at start-up as well; the lists need an order
    // from the first showing on.
    FOrderBy = "Ad";

    buildControls();

    // The scale's line is the device line of the port chooser.
    SerialPort1 = DevicePort::make(this);
    SerialPort1->OnRxChar = [this](QObject* Sender, int Count) { SerialPort1RxChar(Sender, Count); };

    // "Kaydet" of the registration sits where "Yeni Kayıt" is; the chosen
    // class's panel where the slots are, hidden.
    Panel5->hide();
}

TMusteriGiris3::~TMusteriGiris3()
{
    SerialPort1->OnRxChar = nullptr;
    try {
        SerialPort1->ClosePort();
    } catch (const ESerialPort&) {
    }
}

void TMusteriGiris3::buildControls()
{
    using namespace PlacedControls;
    auto* root = new QHBoxLayout(this);

    // --- Left: person search and registration --------------------------------
    GroupBox1 = new QGroupBox(" Sporcu Sicil İşlemleri ", this);
    GroupBox1->setObjectName("GroupBox1");
    auto* left = new QVBoxLayout(GroupBox1);
    DBGrid1 = new TDBGrid(GroupBox1);
    DBGrid1->setObjectName("DBGrid1");
    GridColumn participation("Kullanici", "Katılım", 40);
    participation.visible = false;
    DBGrid1->setColumns({{"Ad_Soyad", "Ad Soyad", 150}, {"Vergi_Numarasi", "Sicil No", 60}, {"E38", "Kilo", 40},
                         {"E23", "Baba Adı", 80}, participation});
    CountLabel = make<QLabel>("CountLabel", "", GroupBox1);
    auto* leftButtons = new QGridLayout;
    BitBtn7 = makeButton("BitBtn7", "Yeni Kayıt", GroupBox1);
    BitBtn10 = makeButton("BitBtn10", "Kaydet", GroupBox1);
    BitBtn6 = makeButton("BitBtn6", "Raporlar", GroupBox1);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    SporcuBilgileri1 = makeAction("SporcuBilgileri1", "Sporcu Listesi", PopupMenu1);
    MenuItem2 = makeAction("MenuItem2", "Branşlara Göre Sporcu Dağılımı", PopupMenu1);
    PopupMenu1->addAction(SporcuBilgileri1);
    PopupMenu1->addAction(MenuItem2);
    BitBtn6->setMenu(PopupMenu1);
    // The quick registration's "Kaydet" at the height of "Yeni Kayıt",
    // beside it, where a station shows both.
    leftButtons->addWidget(BitBtn7, 0, 0);
    leftButtons->addWidget(BitBtn10, 0, 1);
    leftButtons->addWidget(BitBtn6, 0, 2);
    buildSearchPanel(left);
    left->addWidget(DBGrid1, 1);
    left->addWidget(CountLabel);
    left->addLayout(leftButtons);
    GroupBox1->setFixedWidth(300);
    root->addWidget(GroupBox1);

    // --- Middle: selection fields and the athlete ------------------------------
    auto* middle = new QVBoxLayout;
    auto* fields = new QGridLayout;
    AdSoyadCaption = make<QLabel>("AdSoyadCaption", "Ad Soyad", this);
    Edit7 = new QLineEdit(this);
    Edit7->setObjectName("Edit7");
    CopyNameCaption = make<QLabel>("CopyNameCaption", "<----", this);
    SicilNoCaption = make<QLabel>("SicilNoCaption", "Sicil No", this);
    Edit6 = new QLineEdit(this);
    Edit6->setObjectName("Edit6");
    KlupTakimCaption = make<QLabel>("KlupTakimCaption", "Klüp/Takım", this);
    Edit8 = new QLineEdit;
    Edit8->setObjectName("Edit8");
    DBLookupComboBox4 = new QComboBox;
    DBLookupComboBox4->setObjectName("DBLookupComboBox4");
    ComboBox3 = new QComboBox;
    ComboBox3->setObjectName("ComboBox3");
    ComboBox3->addItems(teamNames());
    ComboBox5 = new QComboBox;
    ComboBox5->setObjectName("ComboBox5");
    ComboBox5->addItems(grades());
    TartiBransCaption = make<QLabel>("TartiBransCaption", "Tartı Branşı", this);
    Edit19 = new QLineEdit;
    Edit19->setObjectName("Edit19");
    DBLookupComboBox19 = new QComboBox;
    DBLookupComboBox19->setObjectName("DBLookupComboBox19");
    fields->addWidget(AdSoyadCaption, 0, 0);
    fields->addWidget(Edit7, 0, 1);
    fields->addWidget(CopyNameCaption, 0, 2);
    fields->addWidget(SicilNoCaption, 1, 0);
    fields->addWidget(Edit6, 1, 1);
    fields->addWidget(KlupTakimCaption, 2, 0);
    fields->addWidget(pickerRow(this, Edit8, {DBLookupComboBox4, ComboBox3, ComboBox5}), 2, 1);
    fields->addWidget(TartiBransCaption, 3, 0);
    fields->addWidget(pickerRow(this, Edit19, {DBLookupComboBox19}), 3, 1);
    for (QLabel* caption : {AdSoyadCaption, CopyNameCaption, SicilNoCaption, KlupTakimCaption, TartiBransCaption}) {
        caption->setCursor(Qt::PointingHandCursor);
        caption->installEventFilter(this);
    }
    middle->addLayout(fields);

    AthletePanel = new QWidget(this);
    AthletePanel->setObjectName("AthletePanel");
    auto* athlete = new QGridLayout(AthletePanel);
    auto* liveCaption = new QLabel("aktif tartı", AthletePanel);
    Label4 = make<QLabel>("Label4", noWeightText(), AthletePanel);
    QFont big = Label4->font();
    big.setPointSize(28);
    big.setBold(true);
    Label4->setFont(big);
    BitBtn2 = makeButton("BitBtn2", "Listeye Ekle", AthletePanel);
    BitBtn2->setAutoDefault(true);
    BitBtn8 = makeButton("BitBtn8", "Kabul'e Ekle", AthletePanel);
    BitBtn9 = makeButton("BitBtn9", "Red'e Ekle", AthletePanel);
    BitBtn8->hide();
    BitBtn9->hide();
    Label12 = make<QLabel>("Label12", "Sistemde Kayıtlı Kilo : ", AthletePanel);
    Label55 = make<QLabel>("Label55", "", AthletePanel);
    SpeedButton1 = new QToolButton(AthletePanel);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("X");
    athlete->addWidget(liveCaption, 0, 0);
    athlete->addWidget(Label4, 1, 0, 1, 2);
    athlete->addWidget(SpeedButton1, 0, 3, Qt::AlignRight);
    auto* weighButtons = new QHBoxLayout;
    weighButtons->addWidget(BitBtn2);
    weighButtons->addWidget(BitBtn8);
    weighButtons->addWidget(BitBtn9);
    athlete->addLayout(weighButtons, 2, 0, 1, 4);
    athlete->addWidget(Label12, 3, 0, 1, 2);
    athlete->addWidget(Label55, 3, 2, 1, 2);

    Panel4 = new QWidget(AthletePanel);
    Panel4->setObjectName("Panel4");
    auto* slotGrid = new QGridLayout(Panel4);
    slotGrid->setContentsMargins(0, 0, 0, 0);
    slotGrid->addWidget(new QLabel("Sistemde Kayıtlı Branşı", Panel4), 0, 1);
    slotGrid->addWidget(new QLabel(" Alt Kilo ", Panel4), 0, 2);
    slotGrid->addWidget(new QLabel(" Üst Kilo ", Panel4), 0, 3);
    for (int i = 0; i < 3; ++i) {
        SlotArrow[i] = make<QLabel>(QString("SlotArrow%1").arg(i + 1), "-->", Panel4);
        SlotName[i] = make<QLabel>(QString("SlotName%1").arg(i + 1), "", Panel4);
        SlotMin[i] = make<QLabel>(QString("SlotMin%1").arg(i + 1), "", Panel4);
        SlotMax[i] = make<QLabel>(QString("SlotMax%1").arg(i + 1), "", Panel4);
        SlotArrow[i]->hide();
        slotGrid->addWidget(SlotArrow[i], i + 1, 0);
        slotGrid->addWidget(SlotName[i], i + 1, 1);
        slotGrid->addWidget(SlotMin[i], i + 1, 2);
        slotGrid->addWidget(SlotMax[i], i + 1, 3);
    }
    Panel5 = new QWidget(AthletePanel);
    Panel5->setObjectName("Panel5");
    auto* changed = new QGridLayout(Panel5);
    changed->setContentsMargins(0, 0, 0, 0);
    changed->addWidget(new QLabel("Tartı Branşı", Panel5), 0, 0);
    changed->addWidget(new QLabel(" Alt Kilo ", Panel5), 0, 1);
    changed->addWidget(new QLabel(" Üst Kilo ", Panel5), 0, 2);
    ChangedName = make<QLabel>("ChangedName", "", Panel5);
    ChangedMin = make<QLabel>("ChangedMin", "", Panel5);
    ChangedMax = make<QLabel>("ChangedMax", "", Panel5);
    changed->addWidget(ChangedName, 1, 0);
    changed->addWidget(ChangedMin, 1, 1);
    changed->addWidget(ChangedMax, 1, 2);
    // The chosen class's panel takes the place of the slotGrid.
    athlete->addWidget(Panel4, 4, 0, 1, 4);
    athlete->addWidget(Panel5, 4, 0, 1, 4);

    Image1 = make<QLabel>("Image1", "", AthletePanel);
    Image1->setFixedSize(120, 150);
    Image1->setScaledContents(true);
    Image1->hide();
    athlete->addWidget(new QLabel("Fotoğraf", AthletePanel), 5, 0);
    athlete->addWidget(Image1, 6, 0, 9, 1);
    const QList<std::pair<const char*, QLabel**>> data = {
        {"Unvanı", &ValueE50},         {"Bölgesi", &ValueRegion}, {"Cinsiyet", &ValueE15},
        {"Kuşak", &ValueE25},          {"Doğ.Tar.", &ValueM3},    {"Kulübü", &ValueE16},
        {"Antrenör", &ValueE48},       {"Sicil No", &ValueRegisterNumber}, {"Lis. No", &ValueE26},
    };
    const QStringList names = {"ValueE50", "ValueRegion", "ValueE15", "ValueE25", "ValueM3",
                               "ValueE16", "ValueE48", "ValueRegisterNumber", "ValueE26"};
    for (int i = 0; i < data.size(); ++i) {
        athlete->addWidget(new QLabel(QString::fromUtf8(data[i].first), AthletePanel), 6 + i, 1);
        *data[i].second = make<QLabel>(names[i], "", AthletePanel);
        athlete->addWidget(*data[i].second, 6 + i, 2, 1, 2);
    }
    SpeedButton2 = makeButton("SpeedButton2", "Bilgi Düzeltme", AthletePanel);
    athlete->addWidget(SpeedButton2, 15, 2, 1, 2);
    middle->addWidget(AthletePanel, 1);
    middle->addStretch();
    root->addLayout(middle, 1);

    // --- Right: settings, class browsing, the lists ----------------------------
    auto* right = new QVBoxLayout;
    auto* head = new QGridLayout;
    head->addWidget(new QLabel("Kategori : ", this), 0, 0);
    Label56 = make<QLabel>("Label56", "", this);
    head->addWidget(Label56, 0, 1);
    head->addWidget(new QLabel("Müs. Türü", this), 1, 0);
    Label60 = make<QLabel>("Label60", "", this);
    head->addWidget(Label60, 1, 1);
    Edit5 = new QLineEdit(this);
    Edit5->setObjectName("Edit5");
    Edit5->setEchoMode(QLineEdit::Password);
    Edit5->setFixedWidth(80);
    Edit5->hide();
    head->addWidget(Edit5, 0, 2);
    BitBtn3 = makeButton("BitBtn3", "Raporlar", this);
    PopupMenu5 = new QMenu(this);
    PopupMenu5->setObjectName("PopupMenu5");
    TartiListesi1 = makeAction("TartiListesi1", "Tartı Listesi", PopupMenu5);
    ListelerTm1 = makeAction("ListelerTm1", "Tartı Listeleri (TAMAMI)", PopupMenu5);
    PopupMenu5->addAction(TartiListesi1);
    PopupMenu5->addAction(ListelerTm1);
    BitBtn3->setMenu(PopupMenu5);
    BitBtn5 = makeButton("BitBtn5", "Kapat", this);
    head->addWidget(BitBtn3, 0, 3);
    head->addWidget(BitBtn5, 1, 3);
    right->addLayout(head);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    auto* browse = new QHBoxLayout(Panel2);
    browse->setContentsMargins(0, 0, 0, 0);
    browse->addWidget(new QLabel("Branş", Panel2));
    Edit2 = new QLineEdit;
    Edit2->setObjectName("Edit2");
    DBLookupComboBox2 = new QComboBox;
    DBLookupComboBox2->setObjectName("DBLookupComboBox2");
    browse->addWidget(pickerRow(Panel2, Edit2, {DBLookupComboBox2}), 1);
    Edit3 = new QLineEdit("ERKEK", Panel2);
    Edit3->setObjectName("Edit3");
    Edit3->hide();
    right->addWidget(Panel2);

    const QList<GridColumn> listColumns = [] {
        GridColumn name("Ad", "Ad Soyad", 170);
        GridColumn region("Bolge", "Bölge", 90);
        GridColumn weight("TartilanKilo", "Kilo", 50);
        weight.visible = false;
        GridColumn number("Sira", "No.", 40);
        number.visible = false;
        return QList<GridColumn>{name, region, weight, number};
    }();
    GroupBox2 = new QGroupBox(" Kabul Edilenler Listesi ", this);
    GroupBox2->setObjectName("GroupBox2");
    DBGrid2 = new TDBGrid(GroupBox2);
    DBGrid2->setObjectName("DBGrid2");
    DBGrid2->setColumns(listColumns);
    DBGrid2->setRowSelect(true);
    (new QVBoxLayout(GroupBox2))->addWidget(DBGrid2);
    GroupBox3 = new QGroupBox(" Diskalifiye Edilenler Listesi ", this);
    GroupBox3->setObjectName("GroupBox3");
    DBGrid3 = new TDBGrid(GroupBox3);
    DBGrid3->setObjectName("DBGrid3");
    DBGrid3->setColumns(listColumns);
    DBGrid3->setRowSelect(true);
    (new QVBoxLayout(GroupBox3))->addWidget(DBGrid3);
    right->addWidget(GroupBox2, 2);
    right->addWidget(GroupBox3, 1);
    auto* rightBox = new QWidget(this);
    rightBox->setLayout(right);
    rightBox->setFixedWidth(330);
    root->addWidget(rightBox);

    // Context menus.
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    Sil1 = makeAction("Sil1", "Listeden Çıkart", PopupMenu2);
    DiskalifiyeEt1 = makeAction("DiskalifiyeEt1", "Diskalifiye", PopupMenu2);
    BilgiDuzeltme1 = makeAction("BilgiDuzeltme1", "Bilgi Düzeltme", PopupMenu2);
    PopupMenu2->addActions({Sil1, DiskalifiyeEt1, BilgiDuzeltme1});
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName("PopupMenu3");
    Sil2 = makeAction("Sil2", "Listeden Çıkart", PopupMenu3);
    KabuleEkle1 = makeAction("KabuleEkle1", "Kabule Ekle", PopupMenu3);
    PopupMenu3->addActions({Sil2, KabuleEkle1});
    for (auto [grid, menu] : {std::pair{DBGrid2, PopupMenu2}, std::pair{DBGrid3, PopupMenu3}}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, menu,
                [grid = grid, menu = menu](const QPoint& at) { menu->popup(grid->viewport()->mapToGlobal(at)); });
    }
    buildCardCommands();
    // The screen's menu holds the barcode entry, never shown; F9 reaches it.
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName("PopupMenu4");
    BarCode1 = makeAction("BarCode1", "BarCode", PopupMenu4);
    BarCode1->setVisible(false);
    PopupMenu4->addAction(BarCode1);
    auto* f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    f9->setContext(Qt::WindowShortcut);
    connect(f9, &QShortcut::activated, this, &TMusteriGiris3::BarCode1Click);

    // Handlers.
    connect(BitBtn2, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn2Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn8Click);
    connect(BitBtn9, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn9Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn5Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn3Click);
    connect(TartiListesi1, &QAction::triggered, this, &TMusteriGiris3::BitBtn3Click);
    connect(ListelerTm1, &QAction::triggered, this, &TMusteriGiris3::ListelerTm1Click);
    connect(MenuItem2, &QAction::triggered, this, &TMusteriGiris3::MenuItem2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TMusteriGiris3::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TMusteriGiris3::SpeedButton2Click);
    connect(BilgiDuzeltme1, &QAction::triggered, this, &TMusteriGiris3::BilgiDuzeltme1Click);
    connect(Sil1, &QAction::triggered, this, &TMusteriGiris3::Sil1Click);
    connect(Sil2, &QAction::triggered, this, &TMusteriGiris3::Sil2Click);
    connect(DiskalifiyeEt1, &QAction::triggered, this, &TMusteriGiris3::DiskalifiyeEt1Click);
    connect(KabuleEkle1, &QAction::triggered, this, &TMusteriGiris3::KabuleEkle1Click);
    connect(BarCode1, &QAction::triggered, this, &TMusteriGiris3::BarCode1Click);
    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this,
            &TMusteriGiris3::DBLookupComboBox2Click);
    connect(DBLookupComboBox19, qOverload<int>(&QComboBox::activated), this,
            &TMusteriGiris3::DBLookupComboBox19Click);
    connect(DBLookupComboBox4, qOverload<int>(&QComboBox::activated), this,
            &TMusteriGiris3::DBLookupComboBox4Click);
    connect(ComboBox3, qOverload<int>(&QComboBox::activated), this, &TMusteriGiris3::ComboBox3Click);
    connect(ComboBox5, qOverload<int>(&QComboBox::activated), this, &TMusteriGiris3::ComboBox5Click);
    connect(Edit5, &QLineEdit::textChanged, this, &TMusteriGiris3::Edit5Change);
    connect(Edit7, &QLineEdit::textEdited, this, &TMusteriGiris3::Edit7Change);
    for (QLineEdit* e : {Edit7, Edit6, Edit8, Edit19})
        connect(e, &QLineEdit::textChanged, this, &TMusteriGiris3::updateCaptionColours);

    // Enter in the name or the register number selects the athlete.
    TurkishEntry::textField(Edit7, nullptr)->setEnterAction([this] {
        FSelectedByEnter = 1;
        auto done = qScopeGuard([this] { FSelectedByEnter = 0; });
        SporcuSec();
    });
    TurkishEntry::enterOnly(Edit6, nullptr)->setEnterAction([this] {
        if (Edit6->text().isEmpty())
            return;
        FSelectedByEnter = 1;
        auto done = qScopeGuard([this] { FSelectedByEnter = 0; });
        SicildenArama1();
    });
    TurkishEntry::enterOnly(Edit5, nullptr);

    updateCaptionColours();
}

bool TMusteriGiris3::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == Edit18)
        Edit18Exit();
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == AdSoyadCaption)
            AdSoyadCaptionClick();
        else if (watched == SicilNoCaption)
            SicilNoCaptionClick();
        else if (watched == KlupTakimCaption)
            KlupTakimCaptionClick();
        else if (watched == TartiBransCaption)
            TartiBransCaptionClick();
    }
    return Form::eventFilter(watched, event);
}

QString TMusteriGiris3::personSelect()
{
    // Only persons with a person type.
    return "select Musteri_Key,Ad_Soyad,E53,M3,E54,E55,Kullanici,E38,E15,Vergi_Dairesi,Vergi_Numarasi,E16,E50,E25,"
           "E48,E26 from C_MUSTERI where E50<>''";
}

Database& TMusteriGiris3::db() const
{
    return session().db;
}

// --- Small rules -------------------------------------------------------------

bool TMusteriGiris3::insideLimits(double weight, double lower, double upper)
{
    return lower <= weight && weight <= upper;
}

double TMusteriGiris3::roundWeight(double kilograms)
{
    return std::round(kilograms * 1000.0) / 1000.0;
}

QStringList TMusteriGiris3::teamNames()
{
    QStringList names;
    for (const QChar letter : QString("ABCDEFGHIJKLMNOPRSTUVYZ"))
        names << QString(letter) + " TAKIMI";
    return names;
}

QStringList TMusteriGiris3::grades()
{
    QStringList g{"-"};
    for (int n = 1; n <= 16; ++n)
        g << QString::number(n);
    return g;
}

QColor TMusteriGiris3::liveWeightColor() const
{
    return textColor(Label4);
}

QString TMusteriGiris3::userStamp() const
{
    return session().user.FUserName + ", " + Formats::dateToStr(FToday());
}

QString TMusteriGiris3::orderBy() const
{
    // The order is the program's own text: column names only.
    QStringList columns;
    for (const QString& c : FOrderBy.split(',', Qt::SkipEmptyParts))
        columns << Database::identifier(c.trimmed());
    return columns.isEmpty() ? QString("Ad") : columns.join(", ");
}

const Record* TMusteriGiris3::classRow(const QString& name) const
{
    for (const Record& r : FClassRows)
        if (r.str("Durum") == name)
            return &r;
    return nullptr;
}

bool TMusteriGiris3::ask(const QString& text)
{
    Form5->Label1->setText(text);
    Form5->showModal();
    return Form5->FConfirmed == 1;
}

bool TMusteriGiris3::askTwoLines(const QString& text)
{
    // The question's label moves up for its second line while it shows.
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() - 8);
    auto back = qScopeGuard([] { Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() + 8); });
    return ask(text);
}

// --- Activation and closing ---------------------------------------------------

void TMusteriGiris3::FormActivate()
{
    if (FInPreview) {
        FInPreview = 0;
        return;
    }

    // 1-2: the special code and the participation points.
    FSpecialCode = db().scalar("select OzelKod from C_SAYI").toString();
    Edit5->setVisible(!FSpecialCode.isEmpty());
    FParticipationPoints = db().scalar("select Puani from C_PUAN").toInt();

    // 3-4: the weight classes of the category.
    if (FCategoryKey == kAllCategoriesKey)
        FClassRows = db().select("select * from C_BRANS where Durum_Key > 1 order by Durum");
    else
        FClassRows = db().select("select * from C_BRANS where Durum like :c order by Durum",
                                 {{"c", "%" + SqlFunctions::likeLiteral(FCategoryName) + "%"}});
    DBLookupComboBox19->clear();
    for (const Record& r : FClassRows)
        DBLookupComboBox19->addItem(r.str("Durum"));
    DBLookupComboBox19->setCurrentIndex(-1);
    ListelerTm1->setText(FCategoryKey == kAllCategoriesKey ? QString("Tartı Listeleri (TAMAMI)")
                                                            : "Tartı Listeleri (" + FCategoryName + ")");

    // 5: the clubs; no selection state left over.
    FClubRows = db().select("select Durum_Key, Durum from C_UYELIKSURESI where Durum_Key > 1 order by Durum");
    DBLookupComboBox4->clear();
    for (const Record& r : FClubRows)
        DBLookupComboBox4->addItem(r.str("Durum"), r.value("Durum_Key"));
    DBLookupComboBox4->setCurrentIndex(-1);
    fillSearchLists();
    FManualOverride = 0;
    FByRegisterNumber = 0;
    FKeepTeamField = 0;
    FSelectedByEnter = 0;
    FOverrideGender.clear();
    FOverrideMax.clear();
    FOverrideMin.clear();
    dropClassChange();
    GroupBox2->setTitle(" Kabul Edilenler Listesi ");

    // 6: the club/team field of the tournament kind.
    const bool grade = FGradeMode != 0;
    const bool team = FTeamMode != 0 && !grade;
    DBLookupComboBox4->setVisible(!FTeamMode);
    ComboBox3->setVisible(team);
    ComboBox5->setVisible(grade);
    KlupTakimCaption->setText(grade ? "Derece" : team ? "Takım Adı" : "Kulüp Adı");

    // 7: empty fields.
    Edit7->clear();
    Edit5->clear();
    Edit6->clear();
    Edit8->clear();
    FPortFailed = 0;
    FManualNoticeShown = 0;
    QIslem();

    // 8: the scale.
    portSetUp();

    // 9: the no-athlete view.
    FScaleBuffer.clear();
    SpGoster();
    if (!session().user.FMatchOnlyUser)
        Edit7->setFocus();
}

void TMusteriGiris3::portSetUp()
{
    const QString key = DevicePort::registryKey();

    // A USB serial adapter replaces the port chosen on the settings screen,
    // and the replacement stays stored.
    QString adapter;
    Registry hardware(Registry::HKEY_LOCAL_MACHINE);
    if (hardware.openKeyReadOnly("\\HARDWARE\\DEVICEMAP\\SERIALCOMM")) {
        adapter = hardware.readString("\\Device\\VCP0");
        hardware.closeKey();
    }
    if (!adapter.isEmpty()) {
        Registry user(Registry::HKEY_CURRENT_USER);
        user.openKey(key, true);
        user.writeString("comport", adapter);
        user.closeKey();
    }

    const DevicePort::Choice stored = DevicePort::stored();
    FScaleType = stored.type;
    SerialPort1->setPort(stored.port);

    // The settings screen stores "1" or "2"; anything else is no type, with
    // which no weight can be read.
    if (ScaleFrame::typeOf(FScaleType) == ScaleFrame::Type::None)
        Messages::error("Lütfen 'İletişim Portu Seçme' Ekranından Tartı Tipini Seçiniz.\nAksi Halde Yanlış Tartı "
                        "Yapabilirsiniz ...!");

    FPortFailed = 0;
    try {
        SerialPort1->OpenPort();
    } catch (const ESerialPort&) {
        SerialPort1->ClosePort();
        Messages::error("Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu Seçili.\nLütfen "
                        "'İletişim Portu Seçme' Ekranından Düzeltiniz ...!");
        FPortFailed = 1;
    }
    FScaleBuffer.clear();
}

void TMusteriGiris3::FormClose()
{
    try {
        SerialPort1->ClosePort();
    } catch (const ESerialPort&) {
        // The screen closes all the same; the next showing opens the port anew.
    }
    closeLists();
    closeClassBrowsing();
    QIslem();
    FPerson = Record();
    CountLabel->clear();
}

void TMusteriGiris3::BitBtn5Click()
{
    close();
}

void TMusteriGiris3::QIslem()
{
    FSearchOpen = false;
    DBGrid1->setRecords({});
    CountLabel->clear();
}

// --- The scale ------------------------------------------------------------------

void TMusteriGiris3::SerialPort1RxChar(QObject* Sender, int Count)
{
    Q_UNUSED(Sender);
    QByteArray received;
    try {
        SerialPort1->ReadText(received, Count);
    } catch (const ESerialPort&) {
        // Nothing read: the buffer and the live weight stay as they were.
        return;
    }
    FScaleBuffer.append(received);
    const QList<ScaleFrame::Reading> readings = ScaleFrame::take(FScaleBuffer, ScaleFrame::typeOf(FScaleType));
    if (!readings.isEmpty()) {
        FCharsWithoutFrame = 0;
        showLiveWeight(readings.last().kilograms);
        return;
    }
    FCharsWithoutFrame += int(received.size());
    if (FCharsWithoutFrame >= ScaleFrame::kBlockLength) {
        FCharsWithoutFrame = 0;
        showLiveWeight(0);
    }
}

void TMusteriGiris3::showLiveWeight(double w)
{
    QColor color = kRed;
    if (w != 0) {
        bool inside;
        if (!Edit19->text().isEmpty() && !FOverrideMin.isEmpty() && !FOverrideMax.isEmpty())
            inside = insideLimits(w, Formats::strToFloat(FOverrideMin), Formats::strToFloat(FOverrideMax));
        else
            inside = insideLimits(w, FWeighMin, FWeighMax);
        color = inside ? kGreen : kRed;
    }
    setLiveWeight(ScaleFrame::liveText(w), color);
}

void TMusteriGiris3::setLiveWeight(const QString& text, const QColor& color)
{
    Label4->setText(text);
    setTextColor(Label4, color);
}

// --- Selecting and showing an athlete ---------------------------------------------

void TMusteriGiris3::SicilTamamla()
{
    QString number = Edit6->text();
    while (number.size() < 7)
        number.prepend('0');
    Edit6->setText(number);
}

void TMusteriGiris3::SicildenArama1()
{
    SicilTamamla();
    FByRegisterNumber = 1;
    auto done = qScopeGuard([this] { FByRegisterNumber = 0; });
    SporcuSec();
}

void TMusteriGiris3::SporcuSec()
{
    const QString byName = personSelect() + " and Ad_Soyad = :v";
    const QString byNumber = personSelect() + " and Vergi_Numarasi = :v";
    Records rows;
    if (FByRegisterNumber) {
        rows = db().select(byNumber, {{"v", Edit6->text()}});
    } else {
        if (Edit7->text().isEmpty())
            return;
        rows = db().select(byName, {{"v", Edit7->text()}});
        if (rows.size() != 1 && !Edit6->text().isEmpty()) {
            SicilTamamla();
            rows = db().select(byNumber, {{"v", Edit6->text()}});
        }
    }
    if (rows.size() != 1) {
        Messages::error("Hiç Sporcu Kaydına Rastlanamamış veya Birden Fazla Sporcu Kaydına Rastlanmıştır ...!");
        SecimTemizle();
        return;
    }
    FPerson = rows.first();
    Edit6->setText(FPerson.str("Vergi_Numarasi"));
    Edit7->setText(FPerson.str("Ad_Soyad"));
    if (FSearchOpen)
        DBGrid1->locate("Musteri_Key", FPerson.value("Musteri_Key"));
    SpGoster();
}

void TMusteriGiris3::SecimTemizle()
{
    Edit7->clear();
    Edit6->clear();
    SpGoster();
    dropClassChange();
}

void TMusteriGiris3::AdSoyadCaptionClick()
{
    SecimTemizle();
}

void TMusteriGiris3::SpeedButton1Click()
{
    SecimTemizle();
}

void TMusteriGiris3::SicilNoCaptionClick()
{
    Edit6->clear();
}

void TMusteriGiris3::Edit7Change(const QString& text)
{
    // Emptied by hand: back to the lists of the classes.
    if (!text.isEmpty())
        return;
    SpGoster();
    dropClassChange();
}

void TMusteriGiris3::BarCode1Click()
{
    // Ready for a barcode reader that types the number and Enter.
    Edit6->clear();
    Edit6->setFocus();
}

void TMusteriGiris3::SpGoster()
{
    if (Edit7->text().isEmpty())
        showNoAthlete();
    else
        showAthlete();
}

void TMusteriGiris3::showNoAthlete()
{
    FPerson = Record();
    FAthleteKey = 0;
    FAthleteName.clear();
    FBackNumber = 0;
    FRegisteredWeight = 0;
    FClassCount = 0;
    for (int i = 0; i < 3; ++i) {
        FSlotName[i].clear();
        FSlotMin[i] = FSlotMax[i] = 0;
    }
    FWeighClass.clear();
    FWeighMin = FWeighMax = 0;
    FAthleteGender.clear();
    FAthleteRegion.clear();
    FAthleteRegionShort.clear();
    FAthleteClub.clear();
    Edit2->clear();
    Edit8->clear();
    FScaleBuffer.clear();
    FWeighCount = 0;
    setLiveWeight(noWeightText(), kRed);
    Panel2->show();
    AthletePanel->hide();
    closeLists();
    openClassBrowsing();
}

void TMusteriGiris3::showAthlete()
{
    const Record& p = FPerson;

    // 1-2
    Image1->hide();
    Edit2->clear();
    if (!FKeepTeamField)
        Edit8->clear();
    else if (Edit8->text().isEmpty() && FTeamMode)
        teamDefault();
    FScaleBuffer.clear();
    // A weight typed for the athlete shown before is not kept.
    FKeptTypedKey = 0;
    closeClassBrowsing();
    Label4->setText(noWeightText());
    Panel2->hide();
    AthletePanel->show();
    if (!BitBtn2->isHidden())
        BitBtn2->setFocus();
    else
        Edit7->setFocus();

    // 3: the class slotGrid; a name that no weight class has stays empty.
    FWeighClass.clear();
    FWeighMin = FWeighMax = 0;
    for (int i = 0; i < 3; ++i) {
        FSlotName[i].clear();
        FSlotMin[i] = FSlotMax[i] = 0;
        const QString name = p.str(kSlotColumns[i]);
        if (name.isEmpty())
            continue;
        if (auto row = db().first("select Durum, AltKilo, UstKilo from C_BRANS where Durum = :d", {{"d", name}})) {
            FSlotName[i] = row->str("Durum");
            FSlotMin[i] = row->toDouble("AltKilo");
            FSlotMax[i] = row->toDouble("UstKilo");
        }
    }

    // 4
    const int key = p.toInt("Musteri_Key");
    if (key != FAthleteKey)
        FWeighCount = 0;
    FAthleteKey = key;
    FAthleteName = p.str("Ad_Soyad");
    FClassCount = p.toInt("Kullanici");
    FAthleteGender = p.str("E15");
    FAthleteRegion = p.str("Vergi_Dairesi");
    FAthleteClub = p.str("E16");
    FAthleteRegionShort =
        db().scalar("select BolgeK from C_UYELIKTURU where Durum = :d", {{"d", FAthleteRegion}}).toString();
    FRegisteredWeight = p.toDouble("E38");

    // 5
    SpNoBul();

    // 6: the labels.
    Label12->setText("Sistemde Kayıtlı Kilo : " + (p.isNull("E38") ? QString() : Formats::floatToStr(FRegisteredWeight)));
    for (int i = 0; i < 3; ++i) {
        const bool shown = i == 0 || !FSlotName[i].isEmpty();
        SlotName[i]->setText(FSlotName[i]);
        SlotMin[i]->setText(shown ? Formats::floatToStr(FSlotMin[i]) : QString());
        SlotMax[i]->setText(shown ? Formats::floatToStr(FSlotMax[i]) : QString());
    }
    ValueE50->setText(p.str("E50"));
    ValueRegion->setText(FAthleteRegion);
    ValueE15->setText(FAthleteGender);
    ValueE25->setText(p.str("E25"));
    setTextColor(ValueE25, Qt::black);
    ValueM3->setText(Formats::dateToStr(p.date("M3")));
    ValueE16->setText(FAthleteClub);
    ValueE48->setText(p.str("E48"));
    ValueRegisterNumber->setText(p.str("Vergi_Numarasi"));
    ValueE26->setText(p.str("E26"));

    // 7: the registered club proposed in a club tournament.
    if (!FTeamMode && !FKeepTeamField) {
        const int at = DBLookupComboBox4->findText(FAthleteClub);
        if (at >= 0 && !FAthleteClub.isEmpty()) {
            DBLookupComboBox4->setCurrentIndex(at);
            Edit8->setText(FAthleteClub);
        }
    }

    // 8: the photo, when its file loads.
    const QString photo = DriveMap::toHost(Folders::programFolder() + "R" + QString::number(key) + ".jpg");
    QPixmap picture;
    if (QFile::exists(photo) && picture.load(photo)) {
        Image1->setPixmap(picture);
        Image1->show();
    }

    // 9: the weigh class: the first, or the last that belongs to the category.
    FWeighClass = FSlotName[0];
    FWeighMin = FSlotMin[0];
    FWeighMax = FSlotMax[0];
    if (FCategoryKey != kAllCategoriesKey) {
        for (int i = 0; i < 3; ++i) {
            if (WeightCategories::belongsToCategory(FSlotName[i], FCategoryName)) {
                FWeighClass = FSlotName[i];
                FWeighMin = FSlotMin[i];
                FWeighMax = FSlotMax[i];
            }
        }
    }

    // 10
    if ((FWeighMin == 0 && FWeighMax == 0) || FRegisteredWeight == 0)
        setTextColor(Label4, kRed);

    // 11-12: the lists, and the arrow at the weigh class.
    if (!Panel5->isHidden() && !Edit19->text().isEmpty())
        openLists(Edit19->text(), FAthleteGender);
    else
        openLists(FWeighClass, FAthleteGender);
    int arrow = -1;
    for (int i = 0; i < 3 && arrow < 0; ++i)
        if (!FWeighClass.isEmpty() && FSlotName[i] == FWeighClass)
            arrow = i;
    markSlot(arrow);

    // 13: the belt, when the athlete was selected with Enter.
    if (FMinBeltKey != 0 && FSelectedByEnter) {
        const auto belt = db().first("Select * from KUSAK where Kusak_Adi = :b", {{"b", p.str("E25")}});
        if (!belt) {
            Messages::warning("DİKKAT! Sporcunun kuşağı sistemde kayıtlı değildir...!");
        } else if (belt->toInt("Kusak_Key") < FMinBeltKey) {
            setTextColor(ValueE25, kRed);
            Messages::warning("DİKKAT! Sporcunun kuşağı müsabaka için tercih edilen kuşaktan küçüktür...!");
        }
    }
}

void TMusteriGiris3::SpNoBul()
{
    FBackNumber = 0;
    if (FAthleteKey != 0)
        FBackNumber = db().scalar("select Sira from C_LISTE where Musteri_Key = :k", {{"k", FAthleteKey}}).toInt();
    Label55->setText(FBackNumber ? "Sırt Numarası : " + QString::number(FBackNumber) : QString());
}

void TMusteriGiris3::markSlot(int slot)
{
    for (int i = 0; i < 3; ++i) {
        const bool marked = i == slot;
        SlotArrow[i]->setVisible(marked);
        for (QLabel* l : {SlotArrow[i], SlotName[i], SlotMin[i], SlotMax[i]})
            setTextColor(l, marked ? kBlue : QColor(Qt::black));
    }
}

// --- Club, team and grade -----------------------------------------------------------

void TMusteriGiris3::teamDefault()
{
    if (!FTeamMode)
        return;
    ComboBox3->setCurrentIndex(0);
    ComboBox5->setCurrentIndex(0);
    Edit8->setText(FGradeMode ? "-" : "A TAKIMI");
}

void TMusteriGiris3::KlupTakimCaptionClick()
{
    teamDefault();
}

void TMusteriGiris3::DBLookupComboBox4Click()
{
    Edit8->setText(DBLookupComboBox4->currentText());
}

void TMusteriGiris3::ComboBox3Click()
{
    Edit8->setText(ComboBox3->currentText());
}

void TMusteriGiris3::ComboBox5Click()
{
    Edit8->setText(ComboBox5->currentText());
}

void TMusteriGiris3::updateCaptionColours()
{
    const auto colour = [](QLineEdit* field) { return field->text().isEmpty() ? QColor(Qt::black) : kBlue; };
    setTextColor(AdSoyadCaption, colour(Edit7));
    setTextColor(CopyNameCaption, colour(Edit7));
    setTextColor(SicilNoCaption, colour(Edit6));
    setTextColor(KlupTakimCaption, colour(Edit8));
    setTextColor(TartiBransCaption, colour(Edit19));
}

// --- The lists and class browsing -----------------------------------------------------

void TMusteriGiris3::openLists(const QString& weightClass, const QString& gender)
{
    FListClass = weightClass;
    FListGender = gender;
    FListsOpen = true;
    const QString order = orderBy();
    const QVariantMap params{{"b", weightClass}, {"g", gender}};
    DBGrid2->setRecords(
        db().select("select * from C_LISTE where Onay = 1 and Brans = :b and Cinsiyet = :g order by " + order, params));
    DBGrid3->setRecords(
        db().select("select * from C_LISTE where Onay = 0 and Brans = :b and Cinsiyet = :g order by " + order, params));
    GroupBox2->setTitle(DBGrid2->isEmpty() ? QString(" Kabul Edilenler Listesi ")
                                           : QString(" Kabul Edilenler Listesi (%1)").arg(DBGrid2->rowCount()));
}

void TMusteriGiris3::closeLists()
{
    FListsOpen = false;
    DBGrid2->setRecords({});
    DBGrid3->setRecords({});
    GroupBox2->setTitle(" Kabul Edilenler Listesi ");
}

void TMusteriGiris3::refreshLists()
{
    if (FListsOpen)
        openLists(FListClass, FListGender);
}

void TMusteriGiris3::Q5_Sorgu()
{
    QString weightClass;
    for (int i = 0; i < 3; ++i)
        if (!SlotArrow[i]->isHidden())
            weightClass = FSlotName[i];
    openLists(weightClass, FAthleteGender);
}

void TMusteriGiris3::openClassBrowsing()
{
    const Records rows =
        FCategoryKey == kAllCategoriesKey
            ? db().select("select distinct(Brans) as Br from C_LISTE order by Brans")
            : db().select("select distinct(Brans) as Br from C_LISTE where Brans like :c order by Brans",
                          {{"c", "%" + SqlFunctions::likeLiteral(FCategoryName) + "%"}});
    DBLookupComboBox2->clear();
    for (const Record& r : rows)
        DBLookupComboBox2->addItem(r.str("Br"));
    DBLookupComboBox2->setCurrentIndex(DBLookupComboBox2->findText(Edit2->text()));
}

void TMusteriGiris3::closeClassBrowsing()
{
    DBLookupComboBox2->clear();
}

void TMusteriGiris3::refreshClassBrowsing()
{
    if (!Panel2->isHidden())
        openClassBrowsing();
}

void TMusteriGiris3::DBLookupComboBox2Click()
{
    const QString weightClass = DBLookupComboBox2->currentText();
    Edit2->setText(weightClass);
    const Records rows = db().select("select Durum, E_B from C_BRANS where Durum = :d", {{"d", weightClass}});
    if (rows.size() == 1) {
        const QString sex = rows.first().str("E_B");
        if (sex == "E")
            Edit3->setText("ERKEK");
        else if (sex == "B")
            Edit3->setText("BAYAN");
    } else {
        Messages::error("BRANŞ Tanımında HATA ile Karşılaşıldı ...!");
    }
    openLists(weightClass, Edit3->text());
}

// --- The weigh-class change ---------------------------------------------------------------

void TMusteriGiris3::DBLookupComboBox19Click()
{
    if (FAthleteKey == 0) {
        Messages::info("Lütfen önce tartılacak Sporcuyu seçiniz ...!");
        return;
    }
    const QString weightClass = DBLookupComboBox19->currentText();
    const Record* row = classRow(weightClass);
    if (weightClass.isEmpty() || !row) {
        Messages::info("Lütfen Branş seçiniz ...!");
        return;
    }
    Edit19->setText(weightClass);

    const QString sex = row->str("E_B");
    if ((sex == "E" && FAthleteGender != "ERKEK") || (sex == "B" && FAthleteGender != "BAYAN")) {
        Messages::warning("Seçilen Branş ile Sporcunun cinsiyeti uyuşmamaktadır ...!");
        dropClassChange();
        Q5_Sorgu();
        return;
    }
    FOverrideGender = sex == "E" ? "ERKEK" : sex == "B" ? "BAYAN" : "";
    if (weightClass == "-")
        FOverrideGender.clear();
    FOverrideMax = Formats::floatToStr(row->toDouble("UstKilo"));
    FOverrideMin = Formats::floatToStr(row->toDouble("AltKilo"));
    Panel4->hide();
    Panel5->show();
    ChangedName->setText(weightClass);
    ChangedMin->setText(FOverrideMin);
    ChangedMax->setText(FOverrideMax);
    openLists(weightClass, FAthleteGender);
}

void TMusteriGiris3::dropClassChange()
{
    Edit19->clear();
    Panel5->hide();
    Panel4->show();
}

void TMusteriGiris3::TartiBransCaptionClick()
{
    dropClassChange();
    if (!AthletePanel->isHidden())
        Q5_Sorgu();
}

// --- The special code -------------------------------------------------------------------

void TMusteriGiris3::Edit5Change()
{
    const bool unlocked = !FSpecialCode.isEmpty() && Turkish::asciiUpper(Edit5->text()) == FSpecialCode;
    BitBtn8->setVisible(unlocked);
    BitBtn9->setVisible(unlocked);
    BitBtn2->setVisible(!unlocked);
    setTextColor(Edit5, unlocked ? kRed : QColor(Qt::black));
}

// --- The person editor ---------------------------------------------------------------------

bool TMusteriGiris3::SpAc()
{
    // The person editor, for this person (0: a new one), as opened from here.
    if (MusteriGiris2->refuseWhileOpen())
        return false;
    MusteriGiris2->FFromWeighIn = 1;
    MusteriGiris2->FBatchMode = 0;
    MusteriGiris2->FPersonKey = FEditKey.toInt();
    MusteriGiris2->showModal();
    // What the editor may have changed: the clubs and the person.
    FClubRows = db().select("select Durum_Key, Durum from C_UYELIKSURESI where Durum_Key > 1 order by Durum");
    const QString club = DBLookupComboBox4->currentText();
    DBLookupComboBox4->clear();
    for (const Record& r : FClubRows)
        DBLookupComboBox4->addItem(r.str("Durum"), r.value("Durum_Key"));
    DBLookupComboBox4->setCurrentIndex(DBLookupComboBox4->findText(club));
    if (FAthleteKey != 0) {
        if (auto p = db().first(personSelect() + " and Musteri_Key = :k", {{"k", FAthleteKey}}))
            FPerson = *p;
    }
    return true;
}

void TMusteriGiris3::reselect()
{
    if (Edit6->text().isEmpty()) {
        SporcuSec();
        return;
    }
    SicildenArama1();
}

void TMusteriGiris3::openEditorAndReselect()
{
    FEditKey = QString::number(FAthleteKey);
    if (SpAc())
        reselect();
}

// --- Reports ---------------------------------------------------------------------------------

ReportCaller TMusteriGiris3::reportCaller()
{
    return ReportCaller::screen(this, &FInPreview, [this](QObject* report) { FPreviewReport = report; });
}

void TMusteriGiris3::MenuItem2Click()
{
    // Every athlete of the register, competing or not.
    Reports::bransDagilimi(reportCaller(), ">=0");
}

void TMusteriGiris3::BitBtn3Click()
{
    // The class and gender of the highlighted accepted row; a class whose
    // rows are all disqualified prints by its disqualified row.
    Reports::WeighInClass list;
    list.listOpen = FListsOpen;
    const Record accepted = DBGrid2->currentRecord();
    const Record shown = accepted.isEmpty() ? DBGrid3->currentRecord() : accepted;
    list.hasAthlete = FListsOpen && !shown.isEmpty();
    list.brans = shown.isEmpty() ? QString() : shown.str("Brans");
    list.cinsiyet = shown.isEmpty() ? QString() : shown.str("Cinsiyet");
    Reports::tartiListesi(reportCaller(), list, {true, FGradeMode != 0});
}

void TMusteriGiris3::ListelerTm1Click()
{
    Reports::tartiListeleriKategori(reportCaller(), FCategoryKey == kAllCategoriesKey ? QString() : FCategoryName,
                                    {true, FGradeMode != 0});
}
