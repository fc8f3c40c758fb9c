#include "scoring/KuraList.h"

#include "app/comport/DevicePort.h"
#include "app/comport/SerialPort.h"
#include "app/dialogs/Form5.h"
#include "app/dialogs/Porgres.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/NotAvailable.h"
#include "app/kit/WeightCategories.h"
#include "competition/KuraKayit.h"
#include "competition/KurSec.h"
#include "competition/MusteriGiris3.h"
#include "platform/input/MouseInput.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"
#include "reports/CompetitionReports.h"
#include "scoring/Advancement.h"
#include "scoring/JudgeDevices.h"
#include "scoring/KuraDraw.h"
#include "scoring/MatchDefaults.h"
#include "scoring/RandomSource.h"
#include "scoring/ScoringDevices.h"
#include "scoring/Skor.h"
#include "scoring/SlotTable.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

const QString kBranchError = QStringLiteral("BRANŞ Tanımında HATA ile Karşılaşıldı ...!");
const QString kPortError = QStringLiteral("Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu "
                                          "Seçili.\nLütfen 'İletişim Portu Seçme' Ekranından Düzeltiniz ...!");
// The scoring station's own text: its port settings screen is out of reach
// (the menus are hidden), so it says where the port is set.
const QString kScoringPortError = QStringLiteral(
    "Puanlama cihazının seri portu (%1) açılamadı: puanlar klavyeden ve hakem farelerinden verilecektir.\n"
    "Düzeltmek için programı kapatıp portu 'brivex-station map-port %1 AYGIT' komutuyla cihaza bağlayınız "
    "(kullanıcı 'dialout' grubunda olmalıdır). Bu mesaj bir kez gösterilir ...!");
const QString kDeviceKey = QStringLiteral("\\HARDWARE\\DEVICEMAP\\SERIALCOMM");
const QString kDeviceValue = QStringLiteral("\\Device\\VCP0");
const QString kMainDatabase = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");
const QString kWeighInTitle = QStringLiteral("Ad Soyad");

void setRed(QLabel* label, bool red)
{
    label->setStyleSheet(red ? "color: red" : "color: black");
}

// A whole number typed into a grid cell.
bool isIntegerCell(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return true;
    bool ok = false;
    v.toString().trimmed().toInt(&ok);
    return ok || v.toString().trimmed().isEmpty();
}

QVariant integerValue(const QVariant& v)
{
    const QString t = v.toString().trimmed();
    return t.isEmpty() ? QVariant() : QVariant(t.toInt());
}

// A name column whose athlete did not attend is drawn struck out.
GridColumn absentStruckOut(GridColumn c, const QString& absentField)
{
    c.struckOut = [absentField](const Record& r) { return r.toInt(absentField) == 1; };
    return c;
}

// A field of a grid's current row; "" when the grid has no row.
QString currentField(const TDBGrid* grid, const QString& field)
{
    const Record r = grid->currentRecord();
    return r.has(field) ? r.str(field) : QString();
}

} // namespace

TKuraList::TKuraList()
    : m_systemRandom(std::make_unique<SystemRandom>()), m_random(m_systemRandom.get())
{
    setObjectName("KuraList");
    setWindowTitle("KURA Ekranı");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(1016, 700);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    buildMenus();
    buildDrawPanel();
    buildBoutPanel();
    layout->addWidget(Panel2);
    layout->addWidget(Panel1, 1);

    // The scoring device's port, with the device's line settings.
    SerialPort1 = DevicePort::make(this);

    // Creation.
    FScoringStation = 0;
    FEnglish = 0;
    FSkipActivate = 0;
    FRestrictedUser = 1;
    FMiceMode = 0;
    FMiceLinked = 0;
    m_closeHomeLeft = BitBtn4->x();
    // The hidden "Raporlar" on the row of the chart button; "Bağlantı" and
    // "Kura Aktar" on the row of "Kapat".
    BitBtn111->move(BitBtn2->x(), BitBtn2->y());
    BitBtn15->move(BitBtn15->x(), BitBtn4->y());
    BitBtn16->move(BitBtn16->x(), BitBtn4->y());

    // Live scoring of the bouts of this screen. It finds the scoreboard and
    // its settings dialog when first used (they are created after this
    // screen). Its control group goes between the branch choice and the
    // bout grid.
    m_live = std::make_unique<LiveScoring>(session().db, *this, *this);
    GroupBox2 = m_live->GroupBox2;
    // The judges' hand boxes: the scoring device on SerialPort1, the mice.
    m_devices = std::make_shared<ScoringDevices>(*m_live, SerialPort1, MouseInputSource::instance(), this);
    m_live->setInputs(m_devices);
    static_cast<QVBoxLayout*>(Panel1->layout())->insertWidget(1, GroupBox2);
    GroupBox2->hide();
    // The scoreboard in its design layout, the colours of the marks and of
    // the loser's side (dark and light grey), and the mark symbols.
    m_live->FNormalSides = 1;
    m_live->FHomePending = 1;
    m_live->FMarkColour = 0x2A2A2A;
    m_live->FLoserColour = 0xA6A6A6;
    m_live->FPointBarChar = "n";
    m_live->FPenaltyBarChar = "n";
}

TKuraList::~TKuraList()
{
    SerialPort1->ClosePort();
    // The devices and live scoring go first; the control group is a child of
    // this window.
    m_live->setInputs(nullptr);
    m_devices.reset();
    m_live.reset();
}

Database& TKuraList::db() const
{
    return session().db;
}

void TKuraList::setRandomSource(RandomSource* random)
{
    m_random = random ? random : m_systemRandom.get();
}

QString TKuraList::weighInOrder()
{
    // The weigh-in screen's order is the match screen's too.
    return MusteriGiris3 && !MusteriGiris3->FOrderBy.isEmpty() ? MusteriGiris3->FOrderBy : QString("Ad");
}

// ---------------------------------------------------------------------------
// Building the window

void TKuraList::buildMenus()
{
    using namespace PlacedControls;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    KuraGrafiiSeilenin1 = makeItem(PopupMenu1, "KuraGrafiiSeilenin1", "Kura Çizelgesi");
    KuraizelgesiYatay1 = makeItem(PopupMenu1, "KuraizelgesiYatay1", "Kura Çizelgesi (Yatay)");
    Rpsajizelgesi1 = makeItem(PopupMenu1, "Rpsajizelgesi1", "Röpresaj Çizelgesi");
    MenuItem1 = makeItem(PopupMenu1, "MenuItem1", "Kura Listesi");
    MenuItem2 = makeItem(PopupMenu1, "MenuItem2", "Kura Listeleri (Tamamı)");
    RinglereDalmTablosu1 = makeItem(PopupMenu1, "RinglereDalmTablosu1", "Ringlere Dağılım Listesi");
    MaSonuSayfas1 = makeItem(PopupMenu1, "MaSonuSayfas1", "Müsabaka Sonuç Listeleri");
    MaSonuSayfas1->setVisible(false);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    Sec1 = makeItem(PopupMenu2, "Sec1", "Seç");
    Degistir1 = makeItem(PopupMenu2, "Degistir1", "Değiştir");
    Degistir1->setEnabled(false);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName("PopupMenu3");
    Listeler1 = makeItem(PopupMenu3, "Listeler1", "Tartı Listesi");
    ListelerTm1 = makeItem(PopupMenu3, "ListelerTm1", "Tartı Listeleri (TAMAMI)");

    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName("PopupMenu4");
    N31 = makeItem(PopupMenu4, "N31", "Ad1");
    N41 = makeItem(PopupMenu4, "N41", "Ad2");
    Sil1 = makeItem(PopupMenu4, "Sil1", "Galibi Sil");
    N1 = PopupMenu4->addSeparator();
    N1->setObjectName("N1");
    MsabakayEkranaYkle1 = makeItem(PopupMenu4, "MsabakayEkranaYkle1", "SKORBOARD AÇ");
    MsabakayEkranaYkle1->setEnabled(false);
    SonuListesi1 = makeItem(PopupMenu4, "SonuListesi1", "Sonuç Raporu");
    SonuListesi1->setVisible(false);
    SkorboardSfrla1 = makeItem(PopupMenu4, "SkorboardSfrla1", "Skorboard Sıfırla");

    PopupMenu5 = new QMenu(this);
    PopupMenu5->setObjectName("PopupMenu5");
    MsKATILMADI1 = makeItem(PopupMenu5, "MsKATILMADI1", "Müs. KATILMADI");
    KATILDI1 = makeItem(PopupMenu5, "KATILDI1", "KATILDI");

    PopupMenu6 = new QMenu(this);
    PopupMenu6->setObjectName("PopupMenu6");
    OpenScoreboard1 = makeItem(PopupMenu6, "OpenScoreboard1", "Scoreboad Aç");
    Report1 = makeItem(PopupMenu6, "Report1", "Rapor");
    ResetScore1 = makeItem(PopupMenu6, "ResetScore1", "Sıfırla");
    ChangeDetails1 = makeItem(PopupMenu6, "ChangeDetails1", "Düzelt");
    Delete1 = makeItem(PopupMenu6, "Delete1", "Sil");

    connect(KuraGrafiiSeilenin1, &QAction::triggered, this, &TKuraList::BitBtn2Click);
    connect(KuraizelgesiYatay1, &QAction::triggered, this, &TKuraList::KuraizelgesiYatay1Click);
    connect(Rpsajizelgesi1, &QAction::triggered, this, &TKuraList::Rpsajizelgesi1Click);
    connect(MenuItem1, &QAction::triggered, this, &TKuraList::MenuItem1Click);
    connect(MenuItem2, &QAction::triggered, this, &TKuraList::MenuItem2Click);
    connect(RinglereDalmTablosu1, &QAction::triggered, this, &TKuraList::RinglereDalmTablosu1Click);
    connect(MaSonuSayfas1, &QAction::triggered, this, &TKuraList::MaSonuSayfas1Click);
    connect(Sec1, &QAction::triggered, this, &TKuraList::Sec1Click);
    connect(Degistir1, &QAction::triggered, this, &TKuraList::Degistir1Click);
    connect(Listeler1, &QAction::triggered, this, &TKuraList::BitBtn3Click);
    connect(ListelerTm1, &QAction::triggered, this, &TKuraList::ListelerTm1Click);
    connect(N31, &QAction::triggered, this, &TKuraList::N31Click);
    connect(N41, &QAction::triggered, this, &TKuraList::N41Click);
    connect(Sil1, &QAction::triggered, this, &TKuraList::Sil1Click);
    connect(MsabakayEkranaYkle1, &QAction::triggered, this, &TKuraList::MsabakayEkranaYkle1Click);
    connect(SonuListesi1, &QAction::triggered, this, &TKuraList::SonuListesi1Click);
    connect(SkorboardSfrla1, &QAction::triggered, this, &TKuraList::SkorboardSfrla1Click);
    connect(MsKATILMADI1, &QAction::triggered, this, &TKuraList::MsKATILMADI1Click);
    connect(KATILDI1, &QAction::triggered, this, &TKuraList::KATILDI1Click);
    connect(OpenScoreboard1, &QAction::triggered, this, &TKuraList::MsabakayEkranaYkle1Click);
    connect(Report1, &QAction::triggered, this, &TKuraList::SonuListesi1Click);
    connect(ResetScore1, &QAction::triggered, this, &TKuraList::SkorboardSfrla1Click);
    connect(ChangeDetails1, &QAction::triggered, this, &TKuraList::ChangeDetails1Click);
    connect(Delete1, &QAction::triggered, this, &TKuraList::Delete1Click);
}

void TKuraList::buildDrawPanel()
{
    using namespace PlacedControls;
    Panel2 = new QFrame(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFixedWidth(330);
    auto* column = new QVBoxLayout(Panel2);
    column->setContentsMargins(2, 2, 2, 2);

    auto* top = new QWidget(Panel2);
    top->setFixedHeight(62);
    Label1 = makeLabel("Label1", "Branş", top, 4, 8);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    DBLookupComboBox2 = makeList("DBLookupComboBox2", top, {44, 4, 280, 24});
    Edit2 = readOnly(makeEdit("Edit2", top, {44, 32, 196, 24}));
    Edit3 = readOnly(makeEdit("Edit3", top, {244, 32, 80, 24}));
    ComboBox1 = makeList("ComboBox1", top, {244, 4, 80, 24});
    ComboBox1->addItems({WeightCategories::kWomen, WeightCategories::kMen});
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->hide();

    DBGrid2 = new TDBGrid(Panel2);
    DBGrid2->setObjectName("DBGrid2");
    DBGrid2->setRowSelect(true);
    DBGrid2->setColumns({{"Ad", kWeighInTitle, 190}, {"Bolge", "Bölge", 100}});
    GridColumn kilo("TartilanKilo", "Kilo", 50);
    kilo.visible = false;
    GridColumn number("Sira", "Sırt No", 50);
    number.visible = false;
    QList<GridColumn> columns = DBGrid2->columns();
    columns << kilo << number;
    DBGrid2->setColumns(columns);
    DBGrid2->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* bottom = new QWidget(Panel2);
    bottom->setFixedHeight(40);
    BitBtn7 = makeButton("BitBtn7", "Kura Çek", bottom, {4, 4, 110, 30});
    BitBtn3 = makeButton("BitBtn3", "Raporlar", bottom, {118, 4, 110, 30});

    column->addWidget(top);
    column->addWidget(DBGrid2, 1);
    column->addWidget(bottom);

    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TKuraList::DBLookupComboBox2Click);
    connect(ComboBox1, qOverload<int>(&QComboBox::activated), this, &TKuraList::ComboBox1Change);
    connect(DBGrid2, &TDBGrid::rowChanged, this, [this] { updateWeighInTitle(); });
    connect(DBGrid2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu3->popup(DBGrid2->viewport()->mapToGlobal(p)); });
    connect(BitBtn7, &QPushButton::clicked, this, &TKuraList::BitBtn7Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TKuraList::BitBtn3Click);
}

void TKuraList::buildBoutPanel()
{
    using namespace PlacedControls;
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(2, 2, 2, 2);

    auto* top = new QWidget(Panel1);
    top->setFixedHeight(62);
    ToolButton3 = new QToolButton(top);
    ToolButton3->setObjectName("ToolButton3");
    ToolButton3->setGeometry(4, 4, 24, 24);
    ToolButton3->setText("<");
    GroupBox1 = new QGroupBox(" Liste Alanı ", top);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(32, 0, 110, 60);
    RadioButton1 = new QRadioButton("Branşlar", GroupBox1);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton1->setGeometry(8, 16, 96, 20);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton("Ringler", GroupBox1);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton2->setGeometry(8, 36, 96, 20);

    Label2 = makeLabel("Label2", "Branş", top, 150, 8);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);
    DBLookupComboBox1 = makeList("DBLookupComboBox1", top, {190, 4, 300, 24});
    Edit7 = readOnly(makeEdit("Edit7", top, {190, 4, 281, 24}));
    Edit7->raise();
    Edit1 = readOnly(makeEdit("Edit1", top, {190, 32, 281, 24}));
    Edit4 = readOnly(makeEdit("Edit4", top, {476, 32, 80, 24}));
    ComboBox2 = makeList("ComboBox2", top, {496, 4, 80, 24});
    ComboBox2->addItems({WeightCategories::kWomen, WeightCategories::kMen});
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->hide();

    Label4 = makeLabel("Label4", "Ringler", top, 150, 8);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    Label4->hide();
    DBLookupComboBox3 = makeList("DBLookupComboBox3", top, {200, 4, 290, 24});
    DBLookupComboBox3->hide();
    Edit6 = readOnly(makeEdit("Edit6", top, {200, 32, 271, 24}));
    Edit6->hide();

    Edit5 = makeEdit("Edit5", top, {580, 4, 80, 24});
    Edit5->setEchoMode(QLineEdit::Password);
    Edit5->hide();

    ToolBar2 = new QToolBar(top);
    ToolBar2->setObjectName("ToolBar2");
    ToolBar2->setGeometry(670, 4, 40, 30);
    ToolButton2 = new QToolButton(ToolBar2);
    ToolButton2->setObjectName("ToolButton2");
    ToolButton2->setText("Raporlar");
    ToolButton2->setMenu(PopupMenu1);
    ToolButton2->setPopupMode(QToolButton::InstantPopup);
    m_toolButton2Item = ToolBar2->addWidget(ToolButton2);

    DBGrid1 = new TDBGrid(Panel1);
    DBGrid1->setObjectName("DBGrid1");
    auto side = [](const QString& field, const QString& title, int width, const QColor& colour,
                   bool visible = true) {
        GridColumn c(field, title, width);
        c.color = colour;
        c.visible = visible;
        c.readOnly = true;
        return c;
    };
    auto plain = [](const QString& field, const QString& title, int width, bool visible = true,
                    bool readOnly = true) {
        GridColumn c(field, title, width);
        c.visible = visible;
        c.readOnly = readOnly;
        return c;
    };
    GridColumn turMac("Tur_Mac", "Tur", 120);
    turMac.text = [](const Record& r) { return MatchState::turMac(r.str("Tur"), r.str("Sira")); };
    GridColumn ringBrans("Ring_Brans", "Date / Ring", 140);
    ringBrans.text = [this](const Record& r) { return FRingList == 1 ? r.str("Brans") : r.str("Tar_Saat"); };
    const QColor blue(Qt::blue), red(Qt::red);
    DBGrid1->setColumns({turMac,
                         plain("Kura_Key", "Key", 50, false),
                         plain("Grup", "", 30, false),
                         side("Derece1", "Derece", 40, blue, false),
                         side("Sira1", "Sırt No", 50, blue),
                         absentStruckOut(side("Ad1", "Adı Soyadı", 160, blue), "Dis1"),
                         side("Derece2", "", 40, red, false),
                         side("Sira2", "Sırt No", 50, red),
                         absentStruckOut(side("Ad2", "Adı Soyadı", 160, red), "Dis2"),
                         plain("Galip", "Sırt No", 50),
                         plain("Salon", "Galip Sporcu Adı Soyadı", 160),
                         plain("Skor", "Sıra", 50),
                         ringBrans,
                         plain("Hakem", "", 100, true, false),
                         [&] {
                             GridColumn c = side("Puan1", "Puan", 40, blue);
                             c.readOnly = false;
                             return c;
                         }(),
                         side("Foul1", "Faul", 40, blue, false),
                         [&] {
                             GridColumn c = side("Puan2", "Puan", 40, red);
                             c.readOnly = false;
                             return c;
                         }(),
                         side("Foul2", "", 40, red, false),
                         plain("Raunt", "Round", 50, true, false),
                         plain("n_time", "Kalan Süre", 70, true, false),
                         plain("Karar", "", 80, true, false)});
    DBGrid1->setReadOnly(false);
    DBGrid1->setRowSelect(false);
    // The grid never starts rows of its own; the rows it edits are checked
    // and written by key.
    DBGrid1->setPostCheck([this](Record& row) { return boutWritable(row); });
    DBGrid1->setWriter([this](const Record& row, bool) { writeBoutRow(row); });
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    m_gridPopup = PopupMenu2;

    auto* bottom = new QWidget(Panel1);
    bottom->setFixedHeight(76);
    BitBtn6 = makeButton("BitBtn6", "Kura Sil", bottom, {4, 4, 90, 30});
    BitBtn2 = makeButton("BitBtn2", "--", bottom, {98, 4, 90, 30});
    BitBtn111 = makeButton("BitBtn111", "Raporlar", bottom, {98, 40, 90, 30});
    BitBtn111->hide();
    BitBtn15 = makeButton("BitBtn15", "Bağlantı", bottom, {460, 40, 90, 30});
    BitBtn15->hide();
    BitBtn16 = makeButton("BitBtn16", "Kura Aktar", bottom, {552, 40, 90, 30});
    BitBtn16->hide();
    BitBtn4 = makeButton("BitBtn4", "Kapat", bottom, {650, 4, 90, 30});
    BitBtn11 = makeButton("BitBtn11", "Sporcu Kayıt", bottom, {4, 40, 110, 30});
    BitBtn11->hide();
    BitBtn12 = makeButton("BitBtn12", "Rapor", bottom, {118, 40, 90, 30});
    BitBtn12->hide();
    BitBtn13 = makeButton("BitBtn13", "Sil", bottom, {212, 40, 90, 30});
    BitBtn13->hide();
    BitBtn14 = makeButton("BitBtn14", "Kapat", bottom, {650, 40, 90, 30});
    BitBtn14->hide();

    column->addWidget(top);
    column->addWidget(DBGrid1, 1);
    column->addWidget(bottom);

    connect(ToolButton3, &QToolButton::clicked, this, &TKuraList::ToolButton3Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &TKuraList::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TKuraList::RadioButton1Click);
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, [this] {
        FRingList = 0;
        DBLookupComboBox1Click();
    });
    connect(DBLookupComboBox3, qOverload<int>(&QComboBox::activated), this, &TKuraList::DBLookupComboBox3Click);
    connect(ComboBox2, qOverload<int>(&QComboBox::activated), this, &TKuraList::ComboBox2Change);
    connect(Edit5, &QLineEdit::textChanged, this, &TKuraList::Edit5Change);
    connect(DBGrid1, &TDBGrid::dblClick, this, &TKuraList::DBGrid1DblClick);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        // The click puts the cursor on its cell; the popup is the one of the
        // cell the cursor is on (a row that may not be left keeps it).
        const QModelIndex cell = DBGrid1->indexAt(p);
        if (cell.isValid())
            DBGrid1->setCurrentIndex(cell);
        if (QMenu* menu = popupFor(DBGrid1->currentField()))
            menu->popup(DBGrid1->viewport()->mapToGlobal(p));
    });
    connect(BitBtn6, &QPushButton::clicked, this, &TKuraList::BitBtn6Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TKuraList::BitBtn2Click);
    connect(BitBtn111, &QPushButton::clicked, this, &TKuraList::KuraizelgesiYatay1Click);
    connect(BitBtn15, &QPushButton::clicked, this, &TKuraList::BitBtn15Click);
    connect(BitBtn16, &QPushButton::clicked, this, &TKuraList::BitBtn16Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TKuraList::BitBtn14Click);
    connect(BitBtn11, &QPushButton::clicked, this, &TKuraList::BitBtn11Click);
    connect(BitBtn12, &QPushButton::clicked, this, &TKuraList::BitBtn12Click);
    connect(BitBtn13, &QPushButton::clicked, this, &TKuraList::Delete1Click);
    connect(BitBtn14, &QPushButton::clicked, this, &TKuraList::BitBtn14Click);
}

// ---------------------------------------------------------------------------
// Start-up configuration

void TKuraList::applyStartupConfiguration(bool isAdmin, bool matchOnlyUser)
{
    FScoringStation = 1;

    // Commands of the scoring station.
    MsabakayEkranaYkle1->setEnabled(true);
    // An office station reaches the bracket charts and the lists through the
    // tool bar's "Raporlar"; a scoring station has neither.
    const bool office = session().station.isOffice();
    KuraizelgesiYatay1->setVisible(office);
    m_toolButton2Item->setVisible(office);
    MaSonuSayfas1->setVisible(true);
    SonuListesi1->setVisible(true);
    SkorbTestDefault();

    // Defaults of a bout.
    const MatchDefaults d = scoringStationDefaults(isAdmin);
    FMatchTimeMen = d.FMatchTimeMen;
    FMatchTimeWomen = d.FMatchTimeWomen;
    FExtraTimeMen = d.FExtraTimeMen;
    FExtraTimeWomen = d.FExtraTimeWomen;
    FFinalTimeMen = d.FFinalTimeMen;
    FFinalTimeWomen = d.FFinalTimeWomen;
    FBreakTime = d.FBreakTime;
    FRoundCount = d.FRoundCount;
    setMinusPoints(d.FMinusPoints);

    // The bout grid: no round label and winner number; the regions in place
    // of the back numbers.
    DBGrid1->setColumnVisible("Tur_Mac", false);
    DBGrid1->setColumnVisible("Galip", false);
    for (const auto& [number, region] : {std::pair{"Sira1", "Bolge1"}, std::pair{"Sira2", "Bolge2"}}) {
        const int i = DBGrid1->columnOf(number);
        if (i < 0)
            continue;
        GridColumn c = DBGrid1->column(i);
        c.field = region;
        c.title = "Bölge";
        c.width = 100;
        c.alignment = Qt::AlignLeft;
        c.titleAlignment = Qt::AlignLeft;
        DBGrid1->setColumn(i, c);
    }

    setWindowTitle("Müsabaka Ekranı");
    BitBtn12->setText("Raporlar");
    m_gridPopup = PopupMenu6;

    // Layout of the branch choice and of "Kapat".
    Label2->move(10, Label2->y());
    DBLookupComboBox1->setGeometry(DBLookupComboBox1->x() + 14, DBLookupComboBox1->y(),
                                   DBLookupComboBox1->width() + 24, DBLookupComboBox1->height());
    Edit7->setGeometry(DBLookupComboBox1->x(), Edit7->y(), DBLookupComboBox1->width() - 19, Edit7->height());
    Edit1->setGeometry(DBLookupComboBox1->x(), Edit1->y(), Edit7->width(), Edit1->height());
    BitBtn14->move(BitBtn14->x() + 8, BitBtn14->y());

    // No list area, no draw, no charts: bout entry, reports and "Kapat".
    GroupBox1->hide();
    for (QPushButton* b : {BitBtn6, BitBtn2}) {
        b->setText(QString());
        b->setEnabled(false);
        b->setFixedWidth(0);
    }
    ToolButton3Click();
    ToolButton3->hide();
    m_toolButton2Item->setVisible(false);
    ToolBar2->hide();
    BitBtn11->show();
    BitBtn12->show();
    BitBtn14->show();
    BitBtn4->hide();
    for (QPushButton* b : {BitBtn11, BitBtn12, BitBtn13, BitBtn14})
        b->move(b->x(), BitBtn4->y());

    // A match-only user changes no scores and no winners.
    if (matchOnlyUser) {
        for (const char* field : {"Puan1", "Puan2", "Raunt", "n_time"})
            DBGrid1->setColumnReadOnly(field, true);
        DBGrid1->setColumnReadOnly("HAKEM", true, Qt::CaseInsensitive);
        DBGrid1->setColumnReadOnly("KARAR", true, Qt::CaseInsensitive);
        for (QAction* a : {N31, N41, Sil1, N1, Delete1})
            a->setVisible(false);
    }

    // The administrator alone reopens decided bouts and resets scores.
    FRestrictedUser = d.FRestrictedUser;
    SkorboardSfrla1->setVisible(isAdmin);
}

void TKuraList::ToolButton3Click()
{
    Panel2->setVisible(ToolButton3ImageIndex != 0);
    ToolButton3ImageIndex = ToolButton3ImageIndex == 0 ? 1 : 0;
    ToolButton3->setText(ToolButton3ImageIndex == 0 ? "<" : ">");
}

void TKuraList::SkorbTestDefault()
{
    m_live->SkorbTestDefault();
}

void TKuraList::EkranDegis()
{
    m_live->EkranDegis();
}

// ---------------------------------------------------------------------------
// Activation

void TKuraList::FormShow()
{
    // Every showing loads its lists; the flag only guards a return from a
    // window opened while the screen was showing.
    FSkipActivate = 0;
}

void TKuraList::FormActivate()
{
    if (FSkipActivate) {
        FSkipActivate = 0;
        return;
    }
    if (boutOpen())
        return;
    // Live scoring's part: the scoreboard's home positions (once), the
    // sounds, the idle state, " Skorboard Kontrol " hidden.
    m_live->activate();

    // Judges' mice.
    const int mice = JudgeDevices::MouseKontrol() ? 1 : 0;
    FMiceMode = mice;
    FMiceLinked = mice;

    // The special code unlocks the exchange of athletes.
    FSpecialCode = db().scalar("select OzelKod from C_SAYI").toString();
    Edit5->setVisible(FRestrictedUser == 0 && !FSpecialCode.isEmpty());

    FChartSilent = 0;
    FBranchFromList = 1;

    // Lists.
    DBLookupComboBox2->clear();
    for (const Record& r : db().select("select distinct(Brans) as Br from C_LISTE order by Brans"))
        DBLookupComboBox2->addItem(r.str("Br"));
    DBLookupComboBox2->setCurrentIndex(-1);
    reloadBoutBranches();
    DBLookupComboBox1->setCurrentIndex(-1);
    reloadRings();
    DBLookupComboBox3->setCurrentIndex(-1);
    Edit2->clear();
    Edit1->clear();
    Edit7->clear();
    Edit6->clear();
    Edit5->clear();

    RadioButton1Click();
    SecClear();
    DBGrid2->setColumn(0, [&] {
        GridColumn c = DBGrid2->column(0);
        c.title = kWeighInTitle;
        return c;
    }());

    // Folders and the main computer's database.
    FProgramFolder = Folders::programFolderFor(RegistryValues::dbq());
    FMainDatabasePath = kMainDatabase;
    MusVarSenkron();

    openPorts();
    updateLabels();

    // What live scoring takes from this activation.
    m_live->FProgramFolder = FProgramFolder;
    m_live->FMainDatabasePath = FMainDatabasePath;
    m_live->FSerialDevice = FSerialDevice;
    m_live->FDevicePortFailed = FDevicePortFailed;
    m_live->FMiceMode = FMiceMode;
    m_live->FMiceLinked = FMiceLinked;
    m_devices->activated();
}

void TKuraList::openPorts()
{
    // A scoring device plugged in through a USB adapter becomes the chosen
    // port.
    Registry hardware(Registry::HKEY_LOCAL_MACHINE);
    if (hardware.openKeyReadOnly(kDeviceKey)) {
        if (hardware.valueExists(kDeviceValue)) {
            const QString port = hardware.readString(kDeviceValue);
            Registry user(Registry::HKEY_CURRENT_USER);
            if (user.openKey(DevicePort::registryKey(), true))
                user.writeString("comport", port);
        }
        hardware.closeKey();
    }

    FDevicePortFailed = 0;
    QString port;
    Registry user(Registry::HKEY_CURRENT_USER);
    if (user.openKeyReadOnly(DevicePort::registryKey()))
        port = user.readString("comport");
    SerialPort1->setPort(port);
    // The activation only tests the port; live scoring opens it.
    try {
        SerialPort1->OpenPort();
    } catch (const ESerialPort&) {
        SerialPort1->ClosePort();
        FDevicePortFailed = 1;
        // Another station is told at every activation, and fixes it on the
        // port settings screen. A scoring station is told once per run, and
        // where to fix it; without a device on its port (none plugged in,
        // the port named to no device) it scores from the keys and the mice
        // and is told nothing.
        if (FScoringStation != 1) {
            Messages::error(kPortError);
        } else if (!m_portFailureTold) {
            const QString device = PortMap::devicePath(port);
            if (!device.isEmpty() && QFileInfo::exists(device)) {
                Messages::error(kScoringPortError.arg(port));
                m_portFailureTold = true;
            }
        }
    }
    SerialPort1->ClosePort();
    FSerialDevice = 1;
}

void TKuraList::MusVarSenkron()
{
    FMainDbReachable = FProgramFolder.startsWith('C') && DriveMap::exists(FMainDatabasePath) ? 1 : 0;
    BitBtn15->setVisible(FMainDbReachable == 1 && !boutOpen());
    BitBtn16->move(FMainDbReachable == 1 ? 552 : BitBtn15->x(), BitBtn16->y());
}

void TKuraList::BitBtn15Click()
{
    MusVarSenkron();
    if (FMainDbReachable == 0)
        Messages::error("Ana Sistem bağlantınsı sağlanamadı. Lütfen M sürücüsü oluşturulduğundan emin olunuz ...!");
}

void TKuraList::RadioButton1Click()
{
    const bool branches = RadioButton1->isChecked();
    if (branches) {
        // The ring choice goes.
        Edit6->clear();
        DBLookupComboBox3->setCurrentIndex(-1);
        if (FRingList == 1)
            closeBoutList();
        FRingList = 0;
    } else {
        Edit1->clear();
        Edit7->clear();
        Edit4->clear();
        DBLookupComboBox1->setCurrentIndex(-1);
        if (FRingList == 0)
            closeBoutList();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, Edit1, Edit7, DBLookupComboBox1, Edit4})
        w->setVisible(branches);
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, Edit6, DBLookupComboBox3})
        w->setVisible(!branches);
    BitBtn7->setVisible(branches);
    BitBtn6->setVisible(branches);
    ToolBar2->setVisible(branches);
    BitBtn4->move(branches ? m_closeHomeLeft : BitBtn6->x(), BitBtn4->y());
    BitBtn111->setText(branches ? "Raporlar" : "Rapor");
    const int ring = DBGrid1->columnOf("Ring_Brans");
    if (ring >= 0) {
        GridColumn c = DBGrid1->column(ring);
        c.title = branches ? "Date / Ring" : "Branş";
        DBGrid1->setColumn(ring, c);
    }
    updateLabels();
}

void TKuraList::SecClear()
{
    Sec1->setText("Seç");
    Degistir1->setText("Değiştir");
    Degistir1->setEnabled(false);
    FSwapAthlete.clear();
    FSwapBoutKey = 0;
    FSwapSide.clear();
}

void TKuraList::updateLabels()
{
    setRed(Label1, !Edit2->text().isEmpty());
    setRed(Label2, !Edit1->text().isEmpty());
    setRed(Label4, !Edit6->text().isEmpty());
}

void TKuraList::Edit5Change()
{
    QPalette p = Edit5->palette();
    const bool match = !FSpecialCode.isEmpty() && Turkish::upper(Edit5->text()) == FSpecialCode;
    p.setColor(QPalette::Text, match ? QColor(Qt::red) : QColor(Qt::black));
    Edit5->setPalette(p);
}

bool TKuraList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label1) {
            Label1Click();
            return true;
        }
        if (watched == Label2) {
            Label2Click();
            return true;
        }
        if (watched == Label4) {
            Label4Click();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Closing

bool TKuraList::FormCloseQuery()
{
    if (!boutOpen())
        return true;
    return askYesNo("Skorboard Şu Anda Aktif, Çıkarsanız Kapanacaktır. Çıkmak İstediğinizden Eminmisiniz ...?");
}

void TKuraList::FormClose()
{
    // The scoreboard closes without a second question: the bout row keeps
    // the remaining time, the clock and the device stop, the sounds are
    // released and the grid shows its scoring columns again.
    m_live->matchScreenClosing();
    closeWeighInLists();
    closeBoutList();
    DBLookupComboBox1->clear();
    DBLookupComboBox2->clear();
    DBLookupComboBox3->clear();
    if (FSerialDevice)
        SerialPort1->ClosePort();
}

void TKuraList::BitBtn14Click()
{
    close();
}

bool TKuraList::askYesNo(const QString& question)
{
    Form5->Label1->setText(question);
    Form5->showModal();
    return Form5->FConfirmed == 1;
}

// ---------------------------------------------------------------------------
// Weigh-in list (draw panel)

QString TKuraList::genderOf(const QString& branch, const QString& gender)
{
    const Records rows = db().select("select Durum, E_B from C_BRANS where Durum = :b", {{"b", branch}});
    if (rows.size() != 1) {
        Messages::error(kBranchError);
        return gender;
    }
    const QString eb = rows.first().str("E_B");
    if (eb == "E")
        return WeightCategories::kMen;
    if (eb == "B")
        return WeightCategories::kWomen;
    return gender;
}

void TKuraList::DBLookupComboBox2Click()
{
    Edit2->setText(DBLookupComboBox2->currentText());
    if (Edit2->text().isEmpty()) {
        closeWeighInLists();
        updateLabels();
        return;
    }
    Edit3->setText(genderOf(Edit2->text(), Edit3->text()));
    DBLookupComboBox2->setCurrentIndex(DBLookupComboBox2->findText(Edit2->text()));
    loadWeighInLists();
    updateLabels();
}

void TKuraList::ComboBox1Change()
{
    Edit3->setText(ComboBox1->currentText());
    if (!Edit2->text().isEmpty())
        loadWeighInLists();
}

void TKuraList::loadWeighInLists()
{
    const QString sql = "select * from C_LISTE where Onay = %1 and Brans = :b and Cinsiyet = :g order by " +
                        Database::identifier(weighInOrder());
    const QVariantMap category{{"b", Edit2->text()}, {"g", Edit3->text()}};
    m_unapproved = db().select(sql.arg(0), category);
    m_weighInOpen = true;
    DBGrid2->setRecords(db().select(sql.arg(1), category));
    updateWeighInTitle();
}

void TKuraList::closeWeighInLists()
{
    m_weighInOpen = false;
    m_unapproved.clear();
    DBGrid2->setRecords({});
    updateWeighInTitle();
}

void TKuraList::updateWeighInTitle()
{
    GridColumn c = DBGrid2->column(0);
    const int n = DBGrid2->rowCount();
    const QString title =
        m_weighInOpen && n > 0 ? kWeighInTitle + QString(18, ' ') + "Sp.Say: " + QString::number(n) : kWeighInTitle;
    if (c.title == title)
        return;
    c.title = title;
    DBGrid2->setColumn(0, c);
}

void TKuraList::Label1Click()
{
    Edit2->clear();
    DBLookupComboBox2->setCurrentIndex(-1);
    closeWeighInLists();
    updateLabels();
}

ReportCaller TKuraList::reportCaller()
{
    return ReportCaller::screen(this, &FSkipActivate, [this](QObject* report) { SetPreviewReport(report); });
}

void TKuraList::BitBtn3Click()
{
    Reports::WeighInClass list;
    list.listOpen = m_weighInOpen;
    list.hasAthlete = m_weighInOpen && (!DBGrid2->currentRecord().isEmpty() || !m_unapproved.isEmpty());
    list.brans = Edit2->text();
    list.cinsiyet = Edit3->text();
    Reports::tartiListesi(reportCaller(), list, {});
}

void TKuraList::ListelerTm1Click()
{
    Reports::tartiListeleriKategori(reportCaller(), QString(), {});
}

// ---------------------------------------------------------------------------
// The draw

void TKuraList::BitBtn7Click()
{
    Kur_Sec->FMatchState = this;
    Kur_Sec->FShowDurations = MsabakayEkranaYkle1->isEnabled();
    Kur_Sec->showModal();
    if (Kur_Sec->FCancelled != 0)
        return;
    takeDrawOptions(Kur_Sec->Edit1->text(), Kur_Sec->Edit2->text(), Kur_Sec->Edit3->text(), Kur_Sec->Edit4->text(),
                    Kur_Sec->Edit5->text().trimmed().toInt());
    if (Kur_Sec->RadioButton1->isChecked())
        BitBtn1Click();
    else if (Kur_Sec->RadioButton2->isChecked())
        BitBtn5Click();
    else if (Kur_Sec->RadioButton3->isChecked())
        BrKuraCek();
}

void TKuraList::BitBtn1Click()
{
    if (m_weighInOpen && !currentField(DBGrid2, "Liste_Key").isEmpty()) {
        KuraCek(Edit2->text(), Edit3->text());
        return;
    }
    if (!Edit2->text().isEmpty())
        Messages::error("Seçilen Listede Sporcu Bulunmamaktadır ...!");
    else
        Messages::error("Lütfen Kurasını Çekeceğiniz Branşı Seçiniz ...!");
}

void TKuraList::BitBtn5Click()
{
    if (!askYesNo("Tüm Müsabakaların KURALARI Çekilecektir. Eminmisiniz ...?"))
        return;
    const Records categories = db().select(KuraDraw::kCategoriesSql);
    if (categories.isEmpty()) {
        Messages::error("Herhangi bir Müsabaka Listesi Bulunmamaktadır ...!");
        return;
    }
    for (const Record& r : categories)
        KuraCek(r.str("Brans"), r.str("Cinsiyet"));
}

void TKuraList::BrKuraCek()
{
    const QString category = Kur_Sec->Edit6->text();
    if (!askYesNo(category + " KURALARI Çekilecektir. Eminmisiniz ...?"))
        return;
    bool matched = false;
    for (const Record& r : db().select(KuraDraw::kCategoriesSql)) {
        if (!WeightCategories::belongsToCategory(r.str("Brans"), category))
            continue;
        matched = true;
        KuraCek(r.str("Brans"), r.str("Cinsiyet"));
    }
    if (!matched)
        Messages::error(category + " Branşında Müsabaka Listesi Bulunmamaktadır ...!");
}

void TKuraList::KuraCek(const QString& branch, const QString& gender)
{
    // The edition's draw flags.
    RegionSeparation = session().edition.RegionSeparation;
    ThirdPlaceBouts = session().edition.ThirdPlaceBouts;
    KuraDraw draw(db(), *this, *m_random);
    draw.confirm = [this](const QString& question) { return askYesNo(question); };
    draw.progress = [this](int percent) {
        if (!Porgres->isVisible()) {
            FSkipActivate = 1;
            Porgres->show();
        }
        Porgres->ProgressBar1->setValue(percent);
    };
    bool drawn = false;
    try {
        drawn = draw.KuraCek(branch, gender);
    } catch (...) {
        Porgres->close();
        throw;
    }
    Porgres->close();
    if (!drawn)
        return;
    reloadBoutBranches();
    showCategory(branch, gender);
}

// ---------------------------------------------------------------------------
// The bout list

void TKuraList::reloadBoutBranches()
{
    const QString kept = DBLookupComboBox1->currentText();
    DBLookupComboBox1->clear();
    for (const Record& r : db().select("select distinct(Brans) as Br from C_KURA order by Brans"))
        DBLookupComboBox1->addItem(r.str("Br"));
    DBLookupComboBox1->setCurrentIndex(DBLookupComboBox1->findText(kept));
}

void TKuraList::reloadRings()
{
    const QString kept = DBLookupComboBox3->currentText();
    DBLookupComboBox3->clear();
    for (const Record& r :
         db().select("select distinct(Tar_Saat) as Rng from C_KURA where Tar_Saat<> '' order by Tar_Saat"))
        DBLookupComboBox3->addItem(r.str("Rng"));
    DBLookupComboBox3->setCurrentIndex(DBLookupComboBox3->findText(kept));
}

void TKuraList::closeBoutList()
{
    m_boutListOpen = false;
    DBGrid1->setRecords({});
}

void TKuraList::DBLookupComboBox3Click()
{
    FRingList = 1;
    DBLookupComboBox1Click();
}

void TKuraList::DBLookupComboBox1Click()
{
    Records bouts;
    if (FRingList == 1) {
        Edit6->setText(DBLookupComboBox3->currentText());
        const QString ring = Edit6->text();
        if (ring.isEmpty()) {
            closeBoutList();
            updateLabels();
            return;
        }
        DBLookupComboBox3->setCurrentIndex(DBLookupComboBox3->findText(ring));
        bouts = db().select("select * from C_KURA where Tar_Saat = :r order by Skor, Kura_Key", {{"r", ring}});
    } else {
        if (FBranchFromList == 1) {
            Edit1->setText(DBLookupComboBox1->currentText());
            Edit7->setText(Edit1->text());
        }
        const QString branch = Edit1->text();
        if (branch.isEmpty()) {
            closeBoutList();
            updateLabels();
            return;
        }
        Edit4->setText(genderOf(branch, Edit4->text()));
        DBLookupComboBox1->setCurrentIndex(DBLookupComboBox1->findText(branch));
        Edit7->setText(branch);
        bouts = db().select("select * from C_KURA where Brans = :b and Cinsiyet = :g order by Kura_Key",
                            {{"b", branch}, {"g", Edit4->text()}});
    }
    m_boutListOpen = true;
    DBGrid1->setRecords(bouts);
    MusVarSenkron();
    MusBilgiGoster();
    if (DBGrid1->rowCount() > 0)
        DBGrid1->setCurrentRow(0);
    updateLabels();
}

void TKuraList::ComboBox2Change()
{
    Edit4->setText(ComboBox2->currentText());
    if (!Edit1->text().isEmpty()) {
        FBranchFromList = 0;
        FRingList = 0;
        DBLookupComboBox1Click();
        FBranchFromList = 1;
    }
}

void TKuraList::Label2Click()
{
    Edit1->clear();
    Edit7->clear();
    DBLookupComboBox1->setCurrentIndex(-1);
    closeBoutList();
    SecClear();
    updateLabels();
}

void TKuraList::Label4Click()
{
    Edit6->clear();
    DBLookupComboBox3->setCurrentIndex(-1);
    closeBoutList();
    SecClear();
    updateLabels();
}

void TKuraList::MusBilgiGoster()
{
    m_live->MusBilgiGoster();
}

void TKuraList::setScoringColumnsVisible(bool visible)
{
    for (const GridColumn& c : QList<GridColumn>(DBGrid1->columns())) {
        const QString field = c.field.toUpper();
        if (field == "HAKEM" || field == "PUAN1" || field == "PUAN2" || field == "RAUNT" || field == "N_TIME" ||
            field == "KARAR")
            DBGrid1->setColumnVisible(c.field, visible);
    }
}

void TKuraList::setLinkButtonVisible(bool visible)
{
    BitBtn15->setVisible(visible);
}

int TKuraList::currentBoutKey() const
{
    return m_boutListOpen ? currentField(DBGrid1, "Kura_Key").toInt() : 0;
}

bool TKuraList::boutListEditing() const
{
    return DBGrid1->state() != TDBGrid::Browse;
}

void TKuraList::postBoutListEdit()
{
    DBGrid1->post();
}

bool TKuraList::listShowsRings() const
{
    return RadioButton2->isChecked();
}

bool TKuraList::boutClockColumnHidden() const
{
    const int i = DBGrid1->columnOf("n_time");
    return i < 0 || !DBGrid1->column(i).visible;
}

bool TKuraList::locateBout(int boutKey)
{
    return m_boutListOpen && DBGrid1->locate("Kura_Key", boutKey) && currentBoutKey() == boutKey;
}

void TKuraList::reloadBoutList(int boutKey)
{
    requeryBoutList(boutKey);
}

void TKuraList::reloadRingList()
{
    reloadRings();
    if (m_boutListOpen && FRingList == 1)
        requeryBoutList(currentBoutKey());
}

void TKuraList::requeryBoutList(int key)
{
    if (!m_boutListOpen)
        return;
    const int column = DBGrid1->currentIndex().column();
    const Records bouts =
        FRingList == 1
            ? db().select("select * from C_KURA where Tar_Saat = :r order by Skor, Kura_Key", {{"r", Edit6->text()}})
            : db().select("select * from C_KURA where Brans = :b and Cinsiyet = :g order by Kura_Key",
                          {{"b", Edit1->text()}, {"g", Edit4->text()}});
    DBGrid1->setRecords(bouts);
    if (DBGrid1->rowCount() > 0)
        DBGrid1->setCurrentRow(0);
    if (DBGrid1->locate("Kura_Key", key) && column >= 0)
        DBGrid1->setCurrentIndex(DBGrid1->model()->index(DBGrid1->currentRow(), column));
}

void TKuraList::showCategory(const QString& branch, const QString& gender)
{
    Edit1->setText(branch);
    Edit4->setText(gender);
    FBranchFromList = 0;
    FRingList = 0;
    DBLookupComboBox1Click();
    FBranchFromList = 1;
}

void TKuraList::reloadBoutsAt(int key)
{
    const int column = DBGrid1->currentIndex().column();
    FBranchFromList = 0;
    DBLookupComboBox1Click();
    FBranchFromList = 1;
    if (DBGrid1->locate("Kura_Key", key) && column >= 0)
        DBGrid1->setCurrentIndex(DBGrid1->model()->index(DBGrid1->currentRow(), column));
}

QMenu* TKuraList::popupFor(const QString& field)
{
    if (field == "Salon") {
        const Record bout = DBGrid1->currentRecord();
        Advancement advancement(db(), *this);
        if (!m_boutListOpen || !advancement.winnerPopupOpens(bout))
            return nullptr;
        N31->setText(Advancement::winnerItemCaption(bout, 1));
        N41->setText(Advancement::winnerItemCaption(bout, 2));
        return PopupMenu4;
    }
    const bool onBout = m_boutListOpen && !currentField(DBGrid1, "Kura_Key").isEmpty();
    // A name: the exchange while the special code is typed, else attendance
    // of the athlete seated there (a side waiting for a winner has none).
    if (field == "Ad1" || field == "Ad2") {
        if (swapPopupOpens())
            return PopupMenu2;
        return onBout && !currentField(DBGrid1, "Sira" + field.right(1)).isEmpty() ? PopupMenu5 : nullptr;
    }
    if (m_gridPopup == PopupMenu6)
        return onBout ? PopupMenu6 : nullptr;
    return nullptr;
}

void TKuraList::DBGrid1DblClick()
{
    if (session().edition.ScoringEdition != 1)
        return;
    if (!m_boutListOpen || currentField(DBGrid1, "Kura_Key").isEmpty())
        return;
    MsabakayEkranaYkle1Click();
}

// ---------------------------------------------------------------------------
// Bout entry and bout edit

void TKuraList::BitBtn11Click()
{
    Kura_Kayit->FMatchState = this;
    Kura_Kayit->FBoutKey = 0;
    Kura_Kayit->showModal();
    if (Kura_Kayit->FSaved == 1)
        showSavedBout(Kura_Kayit->FSavedBoutKey);
}

void TKuraList::ChangeDetails1Click()
{
    const QString key = currentField(DBGrid1, "Kura_Key");
    if (!m_boutListOpen || key.isEmpty())
        return;
    if (FRestrictedUser == 1) {
        SifreCheck->showModal();
        if (SifreCheck->FPasswordOk != 1) {
            Messages::error("Müsabaka Detayı Admin Kullanıcı tarafından değiştirebilir...!");
            return;
        }
    }
    Kura_Kayit->FMatchState = this;
    Kura_Kayit->FBoutKey = key.toInt();
    Kura_Kayit->setChangeFieldsEnabled(true);
    Kura_Kayit->showModal();
    Kura_Kayit->setChangeFieldsEnabled(false);
    // The scoreboard opens for the bout that was edited, wherever it stands
    // in its category.
    if (Kura_Kayit->FSaved == 1)
        showSavedBout(key.toInt());
}

void TKuraList::showSavedBout(int boutKey)
{
    reloadBoutBranches();
    showCategory(Kura_Kayit->FSavedCategory, Kura_Kayit->ComboBox4->currentText());
    if (DBGrid1->rowCount() == 0)
        return;
    if (!DBGrid1->locate("Kura_Key", boutKey))
        DBGrid1->setCurrentRow(DBGrid1->rowCount() - 1);
    DBGrid1DblClick();
}

// ---------------------------------------------------------------------------
// Editing scores in the grid

bool TKuraList::boutWritable(Record& row)
{
    const QString placeError = Advancement::checkPlaces(row.value("Derece1"), row.value("Derece2"));
    if (!placeError.isEmpty()) {
        Messages::error(placeError);
        return false;
    }
    for (const char* field : {"Puan1", "Puan2", "Raunt"}) {
        if (!isIntegerCell(row.value(field))) {
            Messages::error("'" + row.str(field) + "' Geçerli Bir Sayı Değildir ...!");
            return false;
        }
    }
    // The clock reads "HH:MM:SS".
    const QString clock = row.str("n_time").trimmed();
    if (!clock.isEmpty() && !QTime::fromString(clock, "HH:mm:ss").isValid()) {
        Messages::error("Süreyi Hatalı Girdiniz ...!");
        return false;
    }
    return true;
}

void TKuraList::writeBoutRow(const Record& row)
{
    const QString clock = row.str("n_time").trimmed();
    db().update("C_KURA",
                {{"Puan1", integerValue(row.value("Puan1"))},
                 {"Puan2", integerValue(row.value("Puan2"))},
                 {"Raunt", integerValue(row.value("Raunt"))},
                 {"Hakem", row.str("Hakem")},
                 {"n_time", clock.isEmpty() ? QVariant() : QVariant(clock)},
                 {"Karar", row.str("Karar")}},
                "Kura_Key = :w_k", {{"w_k", row.toInt("Kura_Key")}});
}

// ---------------------------------------------------------------------------
// Winner popup

void TKuraList::chooseWinner(int side)
{
    const int key = currentField(DBGrid1, "Kura_Key").toInt();
    Advancement advancement(db(), *this);
    if (advancement.chooseWinner(key, side))
        reloadBoutsAt(key);
}

void TKuraList::N31Click()
{
    chooseWinner(1);
}

void TKuraList::N41Click()
{
    chooseWinner(2);
}

void TKuraList::Sil1Click()
{
    const int key = currentField(DBGrid1, "Kura_Key").toInt();
    Advancement advancement(db(), *this);
    advancement.removeWinner(key, [] {
        SifreCheck->showModal();
        return SifreCheck->FPasswordOk == 1;
    });
    reloadBoutsAt(key);
}

// ---------------------------------------------------------------------------
// Commands of live scoring, charts, reports and draw upkeep, built with them.

void TKuraList::MsabakayEkranaYkle1Click()
{
    m_live->MsabakayEkranaYkle1Click();
}

void TKuraList::SkorboardSfrla1Click()
{
    m_live->SkorboardSfrla1Click();
}

void TKuraList::MenuItem1Click()
{
    const Record bout = DBGrid1->currentRecord();
    Reports::kuraListesi(reportCaller(), m_boutListOpen, bout.isEmpty() ? QVariant() : bout.value("Kura_Key"),
                         Edit1->text(), Edit4->text());
}

void TKuraList::MenuItem2Click()
{
    Reports::kuraListeleri(reportCaller());
}

void TKuraList::RinglereDalmTablosu1Click()
{
    Reports::ringlereDagilimListesi(reportCaller(), m_live->FRingWord);
}

