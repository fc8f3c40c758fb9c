// The person record editor: its controls, the fields by column, opening and
// loading a person, the save and closing. The career grids are in
// MusteriGiris2Career.cpp.
#include "registry/MusteriGiris2.h"

#include "app/dialogs/Form5.h"
#include "app/dialogs/ImtRapor.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "app/kit/PickLists.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/paths/DriveMap.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/Messages.h"
#include "registry/Bilgi_Giris.h"
#include "registry/CompanionMirror.h"
#include "registry/KlupGiris2.h"
#include "registry/MaskEdit.h"
#include "registry/PersonChecks.h"
#include "registry/PersonPhoto.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A row of controls in one grid cell.
QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    bool first = true;
    for (QWidget* x : widgets) {
        x->setParent(w);
        // The row's main field takes the room that is left.
        h->addWidget(x, first ? 2 : 1);
        first = false;
    }
    return w;
}

Records onlyAboveOne(const Records& rows)
{
    Records r;
    for (const Record& x : rows)
        if (x.toInt("Durum_Key") > 1)
            r << x;
    return r;
}

// Room left for a title bar the window manager has not drawn yet.
constexpr int kEditorTitleRoom = 32;

} // namespace

TMusteriGiris2::TMusteriGiris2()
{
    setObjectName("MusteriGiris2");
    setWindowTitle("Bilgi Giriş");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(1024, 768);

    // The editor fits a 1024 x 768 screen: what does not fit scrolls.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("EditorScroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    content->setObjectName("EditorContent");
    auto* inner = new QVBoxLayout(content);
    auto* top = new QWidget(content);
    inner->addWidget(top);
    buildMainBlock(top);
    buildPages();
    inner->addWidget(PageControl1, 1);
    scroll->setWidget(content);

    // The personal page's fields, made from the tables of buildPages, as
    // members of their own.
    static const std::pair<const char*, QLineEdit* TMusteriGiris2::*> named[] = {
        {"Edit2", &TMusteriGiris2::Edit2}, {"Edit3", &TMusteriGiris2::Edit3}, {"Edit6", &TMusteriGiris2::Edit6}, {"Edit7", &TMusteriGiris2::Edit7},
        {"Edit8", &TMusteriGiris2::Edit8}, {"Edit9", &TMusteriGiris2::Edit9}, {"Edit10", &TMusteriGiris2::Edit10}, {"Edit14", &TMusteriGiris2::Edit14},
        {"Edit17", &TMusteriGiris2::Edit17}, {"Edit19", &TMusteriGiris2::Edit19}, {"Edit21", &TMusteriGiris2::Edit21}, {"Edit22", &TMusteriGiris2::Edit22},
        {"Edit23", &TMusteriGiris2::Edit23}, {"Edit24", &TMusteriGiris2::Edit24}, {"Edit27", &TMusteriGiris2::Edit27}, {"Edit28", &TMusteriGiris2::Edit28},
        {"Edit29", &TMusteriGiris2::Edit29}, {"Edit30", &TMusteriGiris2::Edit30}, {"Edit31", &TMusteriGiris2::Edit31}, {"Edit32", &TMusteriGiris2::Edit32},
        {"Edit33", &TMusteriGiris2::Edit33}, {"Edit34", &TMusteriGiris2::Edit34}, {"Edit35", &TMusteriGiris2::Edit35}, {"Edit36", &TMusteriGiris2::Edit36},
        {"Edit37", &TMusteriGiris2::Edit37}, {"Edit39", &TMusteriGiris2::Edit39}, {"Edit40", &TMusteriGiris2::Edit40}, {"Edit41", &TMusteriGiris2::Edit41},
        {"Edit44", &TMusteriGiris2::Edit44}, {"Edit45", &TMusteriGiris2::Edit45}, {"Edit46", &TMusteriGiris2::Edit46}, {"Edit47", &TMusteriGiris2::Edit47},
        {"Edit59", &TMusteriGiris2::Edit59}, {"Edit60", &TMusteriGiris2::Edit60}, {"Edit61", &TMusteriGiris2::Edit61}, {"Edit62", &TMusteriGiris2::Edit62},
        {"Edit63", &TMusteriGiris2::Edit63}, {"Edit64", &TMusteriGiris2::Edit64}, {"Edit65", &TMusteriGiris2::Edit65}, {"Edit66", &TMusteriGiris2::Edit66},
        {"Edit70", &TMusteriGiris2::Edit70}, {"Edit71", &TMusteriGiris2::Edit71}, {"Edit72", &TMusteriGiris2::Edit72},
    };
    for (const auto& [name, member] : named)
        this->*member = findChild<QLineEdit*>(name);
    static const std::pair<const char*, QLabel* TMusteriGiris2::*> captions[] = {
        {"Label52", &TMusteriGiris2::Label52}, {"Label51", &TMusteriGiris2::Label51},
        {"Label43", &TMusteriGiris2::Label43}, {"Label20", &TMusteriGiris2::Label20},
        {"Label50", &TMusteriGiris2::Label50}, {"Label53", &TMusteriGiris2::Label53},
        {"Label54", &TMusteriGiris2::Label54}, {"Label55", &TMusteriGiris2::Label55},
        {"Label38", &TMusteriGiris2::Label38}, {"Label15", &TMusteriGiris2::Label15},
        {"Label_E18", &TMusteriGiris2::Label_E18},
    };
    for (const auto& [name, member] : captions)
        this->*member = findChild<QLabel*>(name);

    // Every field without a handler of its own marks the record changed.
    const QList<QWidget*> own = {Edit11, Edit12, Edit82, Edit25, Edit52, Edit51,
                                 Edit50, Edit43, Edit53, Edit54, Edit55, Edit58};
    for (QWidget* w : m_fields) {
        if (own.contains(w))
            continue;
        if (auto* e = qobject_cast<QLineEdit*>(w))
            connect(e, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit13Change);
    }
    connect(ComboBox3, &QComboBox::currentIndexChanged, this, &TMusteriGiris2::Edit13Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TMusteriGiris2::Button1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TMusteriGiris2::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TMusteriGiris2::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, guarded(this, &TMusteriGiris2::BitBtn4Click));
    connect(SpeedButton4, &QToolButton::clicked, this, &TMusteriGiris2::SpeedButton4Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMusteriGiris2::SpeedButton6Click);
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox1Click);
    wireFields();
    wireTitles();
    wireFiles();

    // Typed letters become Turkish capitals; Enter is left to the window.
    QList<QWidget*> typed;
    for (QLineEdit* e : m_typedFields)
        typed << e;
    TurkishEntry::textField(typed, nullptr);

    // Buttons are pressed by a click only: Enter in a field never saves.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    FKeepLoaded = 0;
    FBatchMode = 0;
    FPendingLicence = PendingLicence(8);
    if (ImtRapor)
        ImtRapor->enableOnClose(this);
}

Database& TMusteriGiris2::db() const
{
    return session().db;
}

bool TMusteriGiris2::TCKimlikDogrula(const QString& number)
{
    return ::TCKimlikDogrula(number);
}

QLineEdit* TMusteriGiris2::addEdit(const QString& name, const QString& column, int maxLength)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    if (!column.isEmpty())
        m_fields.insert(column, e);
    // The e-mail address keeps its letters as typed.
    if (column != "E63")
        m_typedFields << e;
    return e;
}

TMaskEdit* TMusteriGiris2::addDate(const QString& name, const QString& column)
{
    auto* e = new TMaskEdit(this);
    e->setObjectName(name);
    e->setFixedWidth(80);
    m_fields.insert(column, e);
    return e;
}

void TMusteriGiris2::buildMainBlock(QWidget* host)
{
    using namespace PlacedControls;
    auto* h = new QHBoxLayout(host);
    h->setContentsMargins(0, 0, 0, 0);

    // Left block.
    auto* left = new QWidget(host);
    auto* g = new QGridLayout(left);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(2);
    Edit11 = addEdit("Edit11", "Adi", 40);
    Edit12 = addEdit("Edit12", "Soyadi", 20);
    Edit1 = addEdit("Edit1", "Ad_Soyad", 61);
    Edit1->setVisible(false);
    Edit13 = addEdit("Edit13", "Klup_Yetkilisi", 30);
    DBLookupComboBox13 = PickLists::make("DBLookupComboBox13", left);
    Edit4 = addEdit("Edit4", "Vergi_Dairesi", 30);
    Edit4->setReadOnly(true);
    DBLookupComboBox2 = PickLists::make("DBLookupComboBox2", left);
    Edit43 = addEdit("Edit43", "E43", 40);
    Edit43->setReadOnly(true);
    DBLookupComboBox7 = PickLists::make("DBLookupComboBox7", left);
    Edit52 = addEdit("Edit52", "E52", 255);
    Edit52->setReadOnly(true);
    DBLookupComboBox6 = PickLists::make("DBLookupComboBox6", left);
    Edit56 = addEdit("Edit56", "E56", 30);
    MaskEdit5 = addDate("MaskEdit5", "M5");
    Edit51 = addEdit("Edit51", "E51", 255);
    Edit51->setReadOnly(true);
    DBLookupComboBox5 = PickLists::make("DBLookupComboBox5", left);
    Edit57 = addEdit("Edit57", "E57", 30);
    MaskEdit6 = addDate("MaskEdit6", "M6");
    Edit25 = addEdit("Edit25", "E25", 30);
    Edit25->setReadOnly(true);
    DBLookupComboBox11 = PickLists::make("DBLookupComboBox11", left);
    Edit58 = addEdit("Edit58", "E58", 30);
    MaskEdit7 = addDate("MaskEdit7", "M7");
    Edit82 = addEdit("Edit82", "Stil", 30);
    Edit82->setReadOnly(true);
    DBLookupComboBox14 = PickLists::make("DBLookupComboBox14", left);
    Edit74 = addEdit("Edit74", "E74", 30);
    MaskEdit9 = addDate("MaskEdit9", "M9");
    Edit20 = addEdit("Edit20", "DosyaNo", 20);
    Label25 = make<QLabel>("Label25", "Kuşak", left);

    int r = 0;
    g->addWidget(make<QLabel>("Label11", "Adı", left), r, 0);
    g->addWidget(Edit11, r++, 1);
    g->addWidget(make<QLabel>("Label12", "Soyadı", left), r, 0);
    g->addWidget(Edit12, r++, 1);
    g->addWidget(make<QLabel>("Label13", "Diğer Ad/Unv", left), r, 0);
    g->addWidget(row(left, {Edit13, DBLookupComboBox13}), r++, 1);
    g->addWidget(make<QLabel>("Label4", "Bölge", left), r, 0);
    g->addWidget(row(left, {Edit4, DBLookupComboBox2}), r++, 1);
    g->addWidget(make<QLabel>("Label43", "Unvan", left), r, 0);
    g->addWidget(row(left, {Edit43, DBLookupComboBox7}), r++, 1);
    g->addWidget(make<QLabel>("Label52", "Antrenör", left), r, 0);
    g->addWidget(row(left, {Edit52, DBLookupComboBox6, Edit56, MaskEdit5}), r++, 1);
    g->addWidget(make<QLabel>("Label51", "Hakem", left), r, 0);
    g->addWidget(row(left, {Edit51, DBLookupComboBox5, Edit57, MaskEdit6}), r++, 1);
    g->addWidget(Label25, r, 0);
    g->addWidget(row(left, {Edit25, DBLookupComboBox11, Edit58, MaskEdit7, Edit82, DBLookupComboBox14}), r++, 1);
    // The main window gives the captions of this configuration at start-up
    // ("Prof. Hakem", "Kick Beden No", "Kick Ayak.No").
    Label29 = make<QLabel>("Label29", "Poomse / Mil", left);
    g->addWidget(Label29, r, 0);
    g->addWidget(row(left, {Edit74, MaskEdit9}), r++, 1);
    g->addWidget(make<QLabel>("Label20", "Dosya No", left), r, 0);
    g->addWidget(Edit20, r++, 1);
    h->addWidget(left, 3);

    // Right block.
    auto* right = new QWidget(host);
    auto* gr = new QGridLayout(right);
    gr->setContentsMargins(0, 0, 0, 0);
    gr->setVerticalSpacing(2);
    Edit5 = addEdit("Edit5", "Vergi_Numarasi", 20);
    Edit5->setReadOnly(true);
    Edit26 = addEdit("Edit26", "E26", 20);
    Edit67 = addEdit("Edit67", "E67", 4);
    Edit67->setFixedWidth(44);
    Edit50 = addEdit("Edit50", "E50", 40);
    Edit50->setReadOnly(true);
    DBLookupComboBox4 = PickLists::make("DBLookupComboBox4", right);
    Edit53 = addEdit("Edit53", "E53", 40);
    Edit53->setReadOnly(true);
    DBLookupComboBox8 = PickLists::make("DBLookupComboBox8", right);
    Edit54 = addEdit("Edit54", "E54", 40);
    Edit54->setReadOnly(true);
    DBLookupComboBox9 = PickLists::make("DBLookupComboBox9", right);
    Edit55 = addEdit("Edit55", "E55", 40);
    Edit55->setReadOnly(true);
    DBLookupComboBox10 = PickLists::make("DBLookupComboBox10", right);
    ComboBox3 = new QComboBox(right);
    ComboBox3->setObjectName("ComboBox3");
    ComboBox3->addItems({"YARIŞMAYACAK", "1", "2", "3"});
    Edit38 = addEdit("Edit38", "E38", 8);
    Edit38->setFixedWidth(60);
    Edit15 = addEdit("Edit15", "E15", 20);
    Edit15->setReadOnly(true);
    ComboBox2 = new QComboBox(right);
    ComboBox2->setObjectName("ComboBox2");
    ComboBox2->addItems({"BAYAN", "ERKEK"});
    ComboBox2->setFixedWidth(20);
    MaskEdit3 = addDate("MaskEdit3", "M3");
    CheckBox1 = new QCheckBox("Faal Değil", right);
    CheckBox1->setObjectName("CheckBox1");

    r = 0;
    gr->addWidget(make<QLabel>("Label5", "Sicil Numarası", right), r, 0);
    gr->addWidget(Edit5, r++, 1);
    gr->addWidget(make<QLabel>("Label26", "Lisans No/V.Yılı", right), r, 0);
    gr->addWidget(row(right, {Edit26, Edit67}), r++, 1);
    gr->addWidget(make<QLabel>("Label50", "Sporcu", right), r, 0);
    gr->addWidget(row(right, {Edit50, DBLookupComboBox4}), r++, 1);
    gr->addWidget(make<QLabel>("Label53", "Branş/Kategori", right), r, 0);
    gr->addWidget(row(right, {Edit53, DBLookupComboBox8}), r++, 1);
    gr->addWidget(make<QLabel>("Label54", "Diğer Branş 1", right), r, 0);
    gr->addWidget(row(right, {Edit54, DBLookupComboBox9}), r++, 1);
    gr->addWidget(make<QLabel>("Label55", "Diğer Branş 2", right), r, 0);
    gr->addWidget(row(right, {Edit55, DBLookupComboBox10}), r++, 1);
    gr->addWidget(make<QLabel>("Label39", "Katılm", right), r, 0);
    gr->addWidget(row(right, {ComboBox3, make<QLabel>("Label38", "Kilo", right), Edit38}), r++, 1);
    gr->addWidget(make<QLabel>("Label15", "Cinsiyet", right), r, 0);
    gr->addWidget(row(right, {Edit15, ComboBox2}), r++, 1);
    gr->addWidget(make<QLabel>("Label3", "Doğum Tarihi", right), r, 0);
    gr->addWidget(row(right, {MaskEdit3, CheckBox1}), r++, 1);
    h->addWidget(right, 2);

    // Photo and visa years.
    auto* side = new QWidget(host);
    auto* sv = new QVBoxLayout(side);
    sv->setContentsMargins(0, 0, 0, 0);
    GroupBox1 = new QGroupBox("Fotoğraf", side);
    GroupBox1->setObjectName("GroupBox1");
    auto* pv = new QVBoxLayout(GroupBox1);
    SpeedButton1 = new QToolButton(GroupBox1);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("Ekle");
    SpeedButton1->setAutoRaise(true);
    SpeedButton2 = new QToolButton(GroupBox1);
    SpeedButton2->setObjectName("SpeedButton2");
    SpeedButton2->setText("Sil");
    SpeedButton2->setAutoRaise(true);
    for (QToolButton* b : {SpeedButton1, SpeedButton2}) {
        QFont f = b->font();
        f.setUnderline(true);
        b->setFont(f);
    }
    Image1 = new QLabel(GroupBox1);
    Image1->setObjectName("Image1");
    // The photo's place is kept while no photo shows, so that a photo
    // appearing moves no other field.
    Image1->setFixedSize(75, 90);
    Image1->setScaledContents(true);
    QSizePolicy keep = Image1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Image1->setSizePolicy(keep);
    Image1->setVisible(false);
    Label_ResimNo = make<QLabel>("Label_ResimNo", "", GroupBox1);
    Label_ResimNo->setVisible(false);
    auto* photoButtons = new QVBoxLayout;
    photoButtons->addWidget(SpeedButton1);
    photoButtons->addWidget(SpeedButton2);
    photoButtons->addStretch(1);
    auto* ph = new QHBoxLayout;
    ph->addLayout(photoButtons);
    ph->addStretch(1);
    ph->addWidget(Image1);
    pv->setContentsMargins(4, 2, 4, 2);
    pv->addLayout(ph);
    sv->addWidget(GroupBox1);

    auto* visas = new QGroupBox("Vize Yılları ve Son Seminer", side);
    visas->setObjectName("GroupBox2");
    auto* gv = new QGridLayout(visas);
    Edit68 = addEdit("Edit68", "E68", 4);
    Edit77 = addEdit("Edit77", "E77", 4);
    Edit78 = addEdit("Edit78", "E78", 4);
    Edit69 = addEdit("Edit69", "E69", 4);
    Edit79 = addEdit("Edit79", "E79", 4);
    Edit80 = addEdit("Edit80", "E80", 4);
    MaskEdit8 = addDate("MaskEdit8", "M8");
    Edit81 = addEdit("Edit81", "E81", 4);
    gv->addWidget(make<QLabel>("Label68", "Hakemlik", visas), 0, 0);
    gv->addWidget(row(visas, {Edit68, Edit77, Edit78}), 0, 1);
    gv->addWidget(make<QLabel>("Label69", "Antrenörlük", visas), 1, 0);
    gv->addWidget(row(visas, {Edit69, Edit79, Edit80}), 1, 1);
    gv->addWidget(make<QLabel>("Label8", "Seminer Tar", visas), 2, 0);
    gv->addWidget(MaskEdit8, 2, 1);
    gv->addWidget(make<QLabel>("Label81", "Hak.Böl.Viz", visas), 3, 0);
    gv->addWidget(Edit81, 3, 1);
    sv->addWidget(visas);

    BitBtn1 = new QPushButton("Kaydet", side);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn3 = new QPushButton("Rapor", side);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn2 = new QPushButton("Kapat", side);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn4 = new QPushButton("Aktar", side);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setVisible(false);
    sv->addWidget(row(side, {BitBtn1, BitBtn3, BitBtn2, BitBtn4}));
    h->addWidget(side, 2);

    // Hidden fields.
    MaskEdit1 = addDate("MaskEdit1", "M1");
    MaskEdit2 = addDate("MaskEdit2", "M2");
    Edit48 = addEdit("Edit48", "E48", 40);
    Edit49 = addEdit("Edit49", "E49", 40);
    Edit75 = addEdit("Edit75", "E75", 60);
    Edit107 = addEdit("Edit107", "E107", 0);
    CheckBox3 = new QCheckBox(this);
    CheckBox3->setObjectName("CheckBox3");
    Label_Ovunc = make<QLabel>("Label_Ovunc", "Övünç", this);
    for (QWidget* w : std::initializer_list<QWidget*>{MaskEdit1, MaskEdit2, Edit48, Edit49, Edit75, Edit107,
                                                      CheckBox3, Label_Ovunc})
        w->setVisible(false);
}

void TMusteriGiris2::buildPages()
{
    using namespace PlacedControls;
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    auto page = [this](const QString& name, const QString& title) {
        auto* w = new QWidget(PageControl1);
        w->setObjectName(name);
        PageControl1->addTab(w, "    " + title + "    ");
        return w;
    };
    TabSheet1 = page("TabSheet1", "Kişisel Bilgiler");
    TabSheet2 = page("TabSheet2", "Kariyer Bilgileri");
    TabSheet3 = page("TabSheet3", "Başarı ve Cezalar");
    TabSheet4 = page("TabSheet4", "Sporcu Lisans");
    TabSheet5 = page("TabSheet5", "Mesleki Bilgiler");

    // Personal page: addresses, telephones, civil registry data and the rest.
    auto* p = TabSheet1;
    auto* pg = new QGridLayout(p);
    pg->setVerticalSpacing(2);

    auto* addresses = new QGroupBox("Adresler", p);
    addresses->setObjectName("GroupBox3");
    auto* ag = new QGridLayout(addresses);
    ag->setVerticalSpacing(2);
    struct Address {
        const char* title;
        const char* street;
        const char* streetColumn;
        const char* area;
        const char* areaColumn;
    };
    const Address addressRows[] = {{"Posta Adresi", "Edit3", "Adres", "Edit6", "Sokak"},
                                   {"İş Adresi", "Edit45", "Mahalle", "Edit8", "No1"},
                                   {"Ev Adresi", "Edit9", "Semt", "Edit7", "Cadde"},
                                   {"Salon Adresi", "Edit59", "E59", "Edit60", "E60"}};
    int r = 0;
    for (const Address& a : addressRows) {
        ag->addWidget(make<QLabel>(QString("Label_") + a.streetColumn, a.title, addresses), r, 0);
        QLineEdit* street = addEdit(a.street, a.streetColumn, 100);
        QLineEdit* area = addEdit(a.area, a.areaColumn, 50);
        ag->addWidget(street, r, 1);
        ag->addWidget(area, r++, 2);
    }
    struct Plain {
        const char* title;
        const char* name;
        const char* column;
        int limit;
        const char* label = nullptr;  // the caption's own name, when it has one
    };
    auto labelName = [](const Plain& x) { return x.label ? QString(x.label) : QString("Label_") + x.column; };
    const Plain phones[] = {{"İrtibat Tel", "Edit2", "Telefonlar", 20}, {"İş Tel", "Edit10", "E10", 20},
                            {"Ev Tel", "Edit61", "E61", 20},          {"Cep Tel", "Edit62", "E62", 20},
                            {"Fax No", "Edit46", "Fax", 20},          {"e-mail Adresi", "Edit63", "E63", 40}};
    for (const Plain& ph : phones) {
        ag->addWidget(make<QLabel>(QString("Label_") + ph.column, ph.title, addresses), r, 0);
        ag->addWidget(addEdit(ph.name, ph.column, ph.limit), r++, 1);
    }
    pg->addWidget(addresses, 0, 0, 2, 1);

    auto* civil = new QGroupBox("Nüfus Bilgileri", p);
    civil->setObjectName("GroupBox4");
    auto* cg = new QGridLayout(civil);
    cg->setVerticalSpacing(2);
    const Plain civilRows[] = {{"NC. Seri No", "Edit21", "E21", 20},   {"Baba Adı", "Edit23", "E23", 20},
                               {"Ana Adı", "Edit22", "E22", 20},       {"Doğum Yeri", "Edit17", "E17", 20},
                               {"Kan Grubu", "Edit39", "E39", 10},     {"Dini", "Edit44", "E44", 10},
                               {"İl", "Edit27", "E27", 20},            {"İlçe", "Edit28", "E28", 20},
                               {"Mahalle", "Edit29", "E29", 20},       {"Köy", "Edit40", "E40", 20},
                               {"Cilt No", "Edit31", "E31", 8},        {"Hane No", "Edit30", "E30", 8},
                               {"Sıra No", "Edit32", "E32", 8},        {"Veriliş Nedeni", "Edit19", "E19", 10},
                               {"Verildiği Yer", "Edit41", "E41", 12}, {"TC Kimlik No", "Edit42", "E42", 20},
                               {"Kızlık Soyadı", "Edit47", "E47", 20}, {"Pasaport No", "Edit24", "E24", 20}};
    r = 0;
    int c = 0;
    for (const Plain& x : civilRows) {
        cg->addWidget(make<QLabel>(QString("Label_") + x.column, x.title, civil), r, c);
        cg->addWidget(addEdit(x.name, x.column, x.limit), r, c + 1);
        if (++r == 9) {
            r = 0;
            c = 2;
        }
    }
    Edit42 = findChild<QLineEdit*>("Edit42");
    Edit18 = addEdit("Edit18", "E18", 10);
    Edit18->setReadOnly(true);
    ComboBox1 = new QComboBox(civil);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->addItems({"BEKAR", "EVLİ"});
    ComboBox1->setFixedWidth(20);
    MaskEdit4 = addDate("MaskEdit4", "M4");
    cg->addWidget(make<QLabel>("Label_E18", "Med.Hali", civil), 9, 0);
    cg->addWidget(row(civil, {Edit18, ComboBox1}), 9, 1);
    cg->addWidget(make<QLabel>("Label_M4", "Verildiği Tarih", civil), 9, 2);
    cg->addWidget(MaskEdit4, 9, 3);
    pg->addWidget(civil, 0, 1, 2, 1);

    auto* other = new QGroupBox(p);
    other->setObjectName("GroupBox5");
    auto* og = new QGridLayout(other);
    og->setVerticalSpacing(2);
    const Plain otherRows[] = {{"Mesleği", "Edit70", "E70", 30},
                               {"Sağlık Bilgileri", "Edit72", "E72", 100},
                               {"Düşünceler", "Edit71", "E71", 100},
                               {"Ceza Durumu", "Edit73", "E73", 100},
                               {"Yabancı Diller ve Seviyesi", "Edit33", "E33", 30},
                               {"Bitirdiği Okul ve Eğitimi", "Edit14", "E14", 50}};
    r = 0;
    for (const Plain& x : otherRows) {
        og->addWidget(make<QLabel>(QString("Label_") + x.column, x.title, other), r, 0);
        og->addWidget(addEdit(x.name, x.column, x.limit), r++, 1, 1, 5);
    }
    Edit73 = findChild<QLineEdit*>("Edit73");
    const Plain sizes[] = {{"Boy", "Edit37", "E37", 10},          {"Beden", "Edit34", "E34", 10},
                           {"Elbise Ölçüsü", "Edit35", "E35", 8}, {"Ayakkabı No", "Edit36", "E36", 8},
                           {"... Beden No", "Edit64", "E64", 10, "Label46"}, {"... Ayak.No", "Edit65", "E65", 8, "Label47"},
                           {"Spor Ayak.No", "Edit66", "E66", 8}};
    c = 0;
    for (const Plain& x : sizes) {
        og->addWidget(make<QLabel>(labelName(x), x.title, other), r, c);
        og->addWidget(addEdit(x.name, x.column, x.limit), r, c + 1);
        c += 2;
        if (c == 6) {
            c = 0;
            ++r;
        }
    }
    pg->addWidget(other, 2, 0, 1, 2);

    auto* club = new QWidget(p);
    auto* clubRow = new QHBoxLayout(club);
    clubRow->setContentsMargins(0, 0, 0, 0);
    Edit16 = addEdit("Edit16", "E16", 50);
    DBLookupComboBox1 = PickLists::make("DBLookupComboBox1", club);
    SpeedButton4 = new QToolButton(club);
    SpeedButton4->setObjectName("SpeedButton4");
    SpeedButton4->setText("...");
    SpeedButton4->setToolTip("Yeni Kulüp Ekle");
    CheckBox2 = new QCheckBox("Ferdi Sporcu", club);
    CheckBox2->setObjectName("CheckBox2");
    clubRow->addWidget(make<QLabel>("Label16", "Kulübü", club));
    clubRow->addWidget(Edit16, 1);
    clubRow->addWidget(DBLookupComboBox1);
    clubRow->addWidget(SpeedButton4);
    clubRow->addWidget(CheckBox2);
    pg->addWidget(club, 3, 0, 1, 2);

    m_fields.insert("Tip", CheckBox1);
    m_fields.insert("Ferdi", CheckBox2);
    m_fields.insert("E82", CheckBox3);
    m_fields.insert("Kullanici", ComboBox3);

    Label46 = findChild<QLabel*>("Label46");
    Label47 = findChild<QLabel*>("Label47");

    buildCareerGrids();
}

// --- Fields by column --------------------------------------------------------

QWidget* TMusteriGiris2::fieldOf(const QString& column) const
{
    return m_fields.value(column);
}

QString TMusteriGiris2::fieldText(const QString& column) const
{
    QWidget* w = fieldOf(column);
    if (auto* m = qobject_cast<TMaskEdit*>(w))
        return m->maskedText();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* b = qobject_cast<QCheckBox*>(w))
        return b->isChecked() ? "1" : "";
    if (auto* c = qobject_cast<QComboBox*>(w))
        return QString::number(qMax(0, c->currentIndex()));
    return QString();
}

void TMusteriGiris2::setFieldText(const QString& column, const QString& text)
{
    QWidget* w = fieldOf(column);
    if (auto* m = qobject_cast<TMaskEdit*>(w))
        m->setMaskedText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* b = qobject_cast<QCheckBox*>(w))
        b->setChecked(!text.isEmpty());
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->setCurrentIndex(qBound(0, text.toInt(), c->count() - 1));
}

PersonValues TMusteriGiris2::values() const
{
    PersonValues v;
    for (auto it = m_fields.constBegin(); it != m_fields.constEnd(); ++it) {
        if (qobject_cast<QLineEdit*>(it.value()))
            v.set(it.key(), fieldText(it.key()));
    }
    v.participation = qMax(0, ComboBox3->currentIndex());
    v.inactive = CheckBox1->isChecked();
    v.individual = CheckBox2->isChecked();
    v.flag82 = CheckBox3->isChecked();
    return v;
}

// --- Opening and loading -------------------------------------------------------

void TMusteriGiris2::FormShow()
{
    m_firstActivation = true;
    // Within the screen it opens on, its title bar included (a 1024 x 768
    // screen leaves less than 768 pixels for the editor's inside).
    if (const QScreen* on = screen()) {
        const QRect room = on->availableGeometry();
        const QSize frame = frameGeometry().size() - geometry().size();
        const QSize fits(std::min(width(), room.width() - frame.width()),
                         std::min(height(), room.height() - std::max(frame.height(), kEditorTitleRoom)));
        if (fits != size())
            resize(fits);
    }
}

void TMusteriGiris2::FormActivate()
{
    const bool firstOfShowing = m_firstActivation;
    m_firstActivation = false;
    if (!FBatchMode && FKeepLoaded) {
        FKeepLoaded = 0;
        return;
    }
    // Coming back from another window of the program reloads the record;
    // typed changes are dropped only when the operator agrees.
    if (!FBatchMode && !firstOfShowing && FLoaded && FModified) {
        if (!askQuestion("DEĞİŞİKLİKLERİ KAYDETMEDİNİZ. KAYIT YENİDEN YÜKLENSİN Mİ ...?", false))
            return;
    }

    FProgramFolder = Folders::programFolder();

    // Only the administrator changes the licence grid.
    const bool admin = session().user.FIsAdmin;
    DBGrid1->setReadOnly(!admin);
    DBGrid1->setContextMenuPolicy(admin ? Qt::CustomContextMenu : Qt::NoContextMenu);

    FLoaded = 0;
    FRefreshNeeded = 0;
    FInGrid = 0;
    FAddingStyle = 0;
    FNewAchievement = 0;
    FPhoto = QImage();

    openLists();

    Image1->setVisible(false);
    FPhotoLoaded = 1;
    FLoading = 1;
    FPendingLicence = PendingLicence(8);

    if (FPersonKey != 0)
        loadPerson();
    else
        clearPerson();

    CheckBox1Click();
    CheckBox2Click();
    CheckBox3Click();

    FLoading = 0;
    FLoaded = 1;
    FModified = 0;
    FStyleChanged = 0;
}

void TMusteriGiris2::openLists()
{
    Database& d = db();
    m_regions = d.select("select * from C_UYELIKTURU order by durum");
    PickLists::fill(DBLookupComboBox2, m_regions, "Durum", "Durum_Key");
    struct Titles {
        QComboBox* combo;
        const char* kind;
    };
    for (const Titles& t : {Titles{DBLookupComboBox4, "S"}, Titles{DBLookupComboBox5, "H"},
                            Titles{DBLookupComboBox6, "A"}, Titles{DBLookupComboBox7, "D"},
                            Titles{DBLookupComboBox13, "D"}}) {
        const Records rows =
            d.select("select * from C_UYEKULLANICI where tip2 = :k order by Durum_Key", {{"k", t.kind}});
        PickLists::fill(t.combo, onlyAboveOne(rows), "Durum", "Durum_Key");
    }
    m_categories = d.select("select * from C_BRANS order by Durum");
    for (QComboBox* c : {DBLookupComboBox8, DBLookupComboBox9, DBLookupComboBox10})
        PickLists::fill(c, m_categories, "Durum", "Durum_Key");
    m_belts = d.select("select * from KUSAK order by Kusak_Key");
    PickLists::fill(DBLookupComboBox11, m_belts, "Kusak_Adi", "Kusak_Key");
    m_styles = d.select("select * from STIL order by Stil_Key");
    PickLists::fill(DBLookupComboBox14, m_styles, "Stil", "Stil_Key");
    PickLists::fill(Bilgi_Giris->DBLookupComboBox14, m_styles, "Stil", "Stil_Key");
    // Without styles the style functions are hidden.
    const bool styles = !m_styles.isEmpty();
    DBLookupComboBox14->setVisible(styles);
    SpeedButton3->setVisible(styles);

    // The lists the career grids show names from.
    auto pairs = [](const Records& rows, const QString& key, const QString& name) {
        QList<QPair<QVariant, QString>> list;
        for (const Record& r : rows)
            list << qMakePair(r.value(key), r.str(name));
        return list;
    };
    m_beltNames = pairs(m_belts, "Kusak_Key", "Kusak_Adi");
    m_coachTitles = pairs(d.select("select * from C_UYEKULLANICI where tip2 = 'A' order by Durum_Key"), "Durum_Key",
                          "Durum");
    m_refereeTitles = pairs(d.select("select * from C_UYEKULLANICI where tip2 = 'H' order by Durum_Key"),
                            "Durum_Key", "Durum");
    m_activities.clear();
    for (const Record& a : d.select("select * from C_TURNUVA order by Turnuva_Key desc")) {
        // The display name of an activity: name and place, or the name alone
        // when the place is "-".
        const QString name = a.str("Yer") == "-" ? a.str("Adi") : a.str("Adi") + " /" + a.str("Yer");
        m_activities << qMakePair(a.value("Turnuva_Key"), name);
    }
    m_categoryNames = pairs(m_categories, "Durum_Key", "Durum");
    m_regionNames = pairs(d.select("select * from C_UYELIKTURU order by Durum"), "Durum_Key", "Durum");
    // The clubs: "Kulübü", the licence grid, the club-name lists.
    openClubLists();
}

void TMusteriGiris2::loadPerson()
{
    if (!FBatchMode)
        Edit11->setFocus();
    const auto found = db().first("select * from C_MUSTERI where Musteri_key = :k", {{"k", FPersonKey}});
    PageControl1->setCurrentWidget(TabSheet1);
    const Record r = found ? *found : Record();

    for (auto it = m_fields.constBegin(); it != m_fields.constEnd(); ++it) {
        const QString& column = it.key();
        if (column == "Adi" || column == "Soyadi")
            continue;
        if (auto* m = qobject_cast<TMaskEdit*>(it.value())) {
            const QDate d = r.date(column);
            m->setMaskedText(d.isValid() ? Formats::dateToStr(d) : QString());
        } else if (auto* e = qobject_cast<QLineEdit*>(it.value())) {
            if (column == "E38")
                e->setText(r.isNull("E38") ? QString() : Formats::floatToStr(r.toDouble("E38")));
            else
                e->setText(r.str(column));
        }
    }
    ComboBox3->setCurrentIndex(qBound(0, r.toInt("Kullanici"), ComboBox3->count() - 1));
    // Only a stored 0 means "not active": an empty flag is not taken for one.
    CheckBox1->setChecked(!r.isNull("Tip") && !r.str("Tip").isEmpty() && r.toInt("Tip") == 0);
    CheckBox2->setChecked(!r.str("Ferdi").isEmpty());
    CheckBox3->setChecked(r.toInt("E82") == 1);
    Label_Stiller->setText(r.str("Stiller"));
    // The names last, so that the full name is made from them.
    Edit11->setText(r.str("Adi"));
    Edit12->setText(r.str("Soyadi"));

    Label_ResimNo->setText("Resim No : " + QString::number(FPersonKey));
    DBGridIslem(true);
    loadPhoto();
}

void TMusteriGiris2::clearPerson()
{
    for (auto it = m_fields.constBegin(); it != m_fields.constEnd(); ++it) {
        if (auto* m = qobject_cast<TMaskEdit*>(it.value()))
            m->clear();
        else if (auto* e = qobject_cast<QLineEdit*>(it.value()))
            e->clear();
    }
    Label_ResimNo->clear();
    Label_Stiller->clear();
    const QString today = Formats::dateToStr(FNow().date());
    MaskEdit1->setMaskedText(today);
    MaskEdit2->setMaskedText(today);
    ComboBox3->setCurrentIndex(0);
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
    if (!FBatchMode)
        Edit11->setFocus();
    PageControl1->setCurrentWidget(TabSheet1);
    DBGridIslem(false);
}

void TMusteriGiris2::loadPhoto()
{
    // A file that is missing or no JPEG picture leaves the photo hidden.
    FPhotoLoaded = PersonPhoto::load(PersonPhoto::fileName(FProgramFolder, FPersonKey), FPhoto) ? 1 : 0;
    if (FPhotoLoaded)
        Image1->setPixmap(QPixmap::fromImage(FPhoto));
    else
        Image1->clear();
    Image1->setVisible(FPhotoLoaded == 1);
}

// --- Saving -------------------------------------------------------------------

bool TMusteriGiris2::askQuestion(const QString& text, bool raised)
{
    // A two-line question sits 8 pixels higher while it shows.
    return askRaised(text, raised ? 8 : 0);
}

bool TMusteriGiris2::askRaised(const QString& text, int pixels)
{
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() - pixels);
    Form5->Label1->setText(text);
    Form5->showModal();
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() + pixels);
    return Form5->FConfirmed == 1;
}

void TMusteriGiris2::showCheckFailure(int kind, const QString& message, const QString& focusColumn)
{
    if (kind == CheckFailure::ErrorBox)
        Messages::error(message);
    else if (kind == CheckFailure::Notice)
        Messages::info(message);
    if (!FBatchMode && !focusColumn.isEmpty())
        if (QWidget* w = fieldOf(focusColumn))
            w->setFocus();
}

void TMusteriGiris2::Button1Click()
{
    PersonValues v = values();
    CheckLists lists;
    lists.categories = m_categories;
    for (const Record& r : m_regions)
        lists.regions << r.str("Durum");
    lists.beltCaption = Label25->text();
    CheckPrompts prompts;
    prompts.warning = [](const QString& t) { Messages::warning(t); };
    prompts.question = [this](const QString& t) { return askQuestion(t, true); };
    prompts.notice = [](const QString& t) { Messages::info(t); };

    const auto failure = KayitKontrol(v, FBatchMode != 0, lists, prompts);
    // The corrections made on the way stay, whatever the outcome.
    if (Edit38->text() != v.value("E38"))
        Edit38->setText(v.value("E38"));
    if (ComboBox3->currentIndex() != v.participation)
        ComboBox3->setCurrentIndex(v.participation);
    if (failure) {
        showCheckFailure(failure->kind, failure->message, failure->focus);
        return;
    }

    PersonSave save;
    save.values = v;
    save.personKey = FPersonKey;
    save.batchMode = FBatchMode != 0;
    save.styleChanged = FStyleChanged != 0;
    save.pendingBelt = FPendingBelt;
    save.pendingCoachTitle = FPendingCoachTitle;
    save.pendingRefereeTitle = FPendingRefereeTitle;
    save.pendingLicence = FPendingLicence;
    save.userName = session().user.FUserName;
    save.now = FNow();
    const bool styleStep = save.styleChanged && FPersonKey != 0 && !v.value("E25").isEmpty();
    if (PersonWriter::KisiYaz(db(), save) == PersonWriter::NoRegisterNumber) {
        Messages::error(PersonWriter::kNoRegisterNumberMessage);
        return;
    }

    // The fields show what was stored.
    FPersonKey = save.personKey;
    Edit5->setText(save.values.value("Vergi_Numarasi"));
    for (const QString& c : kPersonDateColumns)
        setFieldText(c, save.values.value(c));
    Label_Stiller->setText(save.values.value("Stiller"));
    Label_ResimNo->setText("Resim No : " + QString::number(FPersonKey));
    FStyleChanged = 0;
    if (styleStep)
        reopen(Belts);
    // The career grids show the first rows of a new person and the exam
    // import's rows.
    if (save.wasNew || FBatchMode)
        DBGridIslem(true);

    // The person is stored: a companion that cannot take it is reported as
    // such, and the save still counts as done.
    bool mirrored = true;
    try {
        AktarmaTolk();
    } catch (const DbError& e) {
        mirrored = false;
        Messages::error("Bilgiler Kaydedildi. Ancak Kişi Bilgileri Tolk Veritabanına Aktarılamadı ...!\n" +
                        e.message());
    }
    if (mirrored && !FBatchMode)
        Messages::info("Bilgiler Kaydedildi ...!");
    FModified = 0;
    FRefreshNeeded = 1;
    FSaved = 1;
    if (!FBatchMode)
        BitBtn2->setFocus();
}

void TMusteriGiris2::AktarmaTolk()
{
    CompanionMirror::mirror(values(), FPersonKey, session().user.FUserName, FNow());
}

// --- Closing ------------------------------------------------------------------

void TMusteriGiris2::BitBtn2Click()
{
    close();
}

bool TMusteriGiris2::FormCloseQuery()
{
    if (FModified)
        return askQuestion("DEĞİŞİKLİKLERİ KAYDETMEDİNİZ. ÇIKMAK İSTEDİĞİNİZDEN EMİNMİSİNİZ ...?", false);
    return true;
}

void TMusteriGiris2::FormClose()
{
    FPhoto = QImage();
    Image1->clear();
    m_regions.clear();
    m_clubs.clear();
    m_categories.clear();
    m_belts.clear();
    m_styles.clear();
    Bilgi_Giris->DBLookupComboBox14->clear();
    if (KlupGiris2)
        KlupGiris2->FPrefilled = 0;
    DBGridIslem(false);
}

void TMusteriGiris2::keyPressEvent(QKeyEvent* event)
{
    // Esc does not close the editor: "Kapat" and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}
