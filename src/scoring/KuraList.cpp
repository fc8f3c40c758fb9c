// The match screen "KURA Ekranı": its construction (the menus, the draw
// panel, the bout panel with live scoring's control group) and its closing.
// The rest of the screen lives beside it: KuraListStartup.cpp (start-up
// configuration and activation), KuraListGrid.cpp (the weigh-in and bout
// lists and their grids), KuraListCommands.cpp (the draw, bout entry, the
// winner, live scoring and the lists), KuraListCharts.cpp (bracket charts)
// and KuraListUpkeep.cpp (draw upkeep and score sheets).
#include "scoring/KuraList.h"

#include "app/comport/DevicePort.h"
#include "app/comport/SerialPort.h"
#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/WeightCategories.h"
#include "competition/MusteriGiris3.h"
#include "platform/input/MouseInput.h"
#include "scoring/KuraListParts.h"
#include "scoring/RandomSource.h"
#include "scoring/ScoringDevices.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using KuraListParts::kWeighInTitle;

namespace {

// A name column whose athlete did not attend is drawn struck out.
GridColumn absentStruckOut(GridColumn c, const QString& absentField)
{
    c.struckOut = [absentField](const Record& r) { return r.toInt(absentField) == 1; };
    return c;
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
    ToolBar2->setMovable(false);
    ToolButton2 = new QToolButton(ToolBar2);
    ToolButton2->setObjectName("ToolButton2");
    ToolButton2->setText("Raporlar");
    ToolButton2->setMenu(PopupMenu1);
    ToolButton2->setPopupMode(QToolButton::InstantPopup);
    ToolButton2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolButton2Item = ToolBar2->addWidget(ToolButton2);
    // As wide as its button with the caption and the drop-down arrow.
    ToolBar2->setGeometry(670, 4, ToolBar2->sizeHint().width(), 30);

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
// Closing

bool TKuraList::FormCloseQuery()
{
    if (!boutOpen())
        return true;
    // "Evet" ends the running bout: "Hayır" is the default.
    return Form5->confirm("Skorboard Şu Anda Aktif, Çıkarsanız Kapanacaktır. Çıkmak İstediğinizden Eminmisiniz ...?",
                          false, TForm5::DefaultNo);
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
