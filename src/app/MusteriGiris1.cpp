#include "app/MusteriGiris1.h"

#include "app/dialogs/ImtRapor.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"
#include "registry/CaptionClick.h"
#include "registry/MaskEdit.h"
#include "reports/CardLaunch.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A control with a read-only field over its drop-down list (only the
// list's button shows beside the field).
QWidget* searchPickerRow(QWidget* parent, QLineEdit* field, QComboBox* list)
{
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    field->setParent(row);
    field->setReadOnly(true);
    h->addWidget(field, 1);
    list->setParent(row);
    list->setFixedWidth(22);
    h->addWidget(list);
    return row;
}

QDateEdit* searchDatePicker(const QString& name, QWidget* parent)
{
    auto* p = PlacedControls::makeDatePicker(name, parent);
    p->setDate(session().today());
    p->setFixedWidth(22);
    return p;
}

bool searchFieldEmpty(QWidget* field)
{
    if (auto* mask = qobject_cast<TMaskEdit*>(field))
        return mask->isBlank();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit->text().isEmpty();
    return true;
}

QStringList searchListItems(const QListWidget* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->item(i)->text();
    return out;
}

} // namespace

// --- Creation -----------------------------------------------------------------

QLineEdit* TMusteriGiris1::pickField(const QString& name, QComboBox** list, const QString& listName,
                                     const QStringList& items)
{
    auto* field = PlacedControls::make<QLineEdit>(name, this);
    *list = PlacedControls::make<QComboBox>(listName, this);
    (*list)->addItems(items);
    (*list)->setCurrentIndex(-1);
    return field;
}

void TMusteriGiris1::addCriterion(int row, int column, const QString& captionName, const QString& caption,
                                  QWidget* field, QWidget* extra)
{
    auto* grid = static_cast<QGridLayout*>(findChild<QWidget*>("CriteriaPanel")->layout());
    auto* label = PlacedControls::make<QLabel>(captionName, caption, this);
    grid->addWidget(label, row, column * 2);
    grid->addWidget(extra ? extra : field, row, column * 2 + 1);
    m_criteria << Criterion{field, label};
    m_captionOf.insert(field, label);
}

TMusteriGiris1::TMusteriGiris1()
{
    setObjectName("MusteriGiris1");
    setWindowTitle("Yeni Kayıt Girişi ve Sicil Bilgileri İşlem Ekranı");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(kDesignSize);

    // Everything scrolls when the window is smaller than the screen needs
    // (a small screen); on a 1024 x 768 screen nothing does. The controls
    // keep their places whatever the list shows: the list has an area of
    // its own that only it changes.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = PlacedControls::make<QScrollArea>("SearchScroll", this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = PlacedControls::make<QWidget>("SearchContent", scroll);
    auto* inner = new QVBoxLayout(content);
    auto* top = new QHBoxLayout;
    auto* criteriaPanel = PlacedControls::make<QWidget>("CriteriaPanel", this);
    auto* grid = new QGridLayout(criteriaPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    top->addWidget(criteriaPanel, 1);

    // Typed fields.
    auto typed = [this](const QString& name, int maxLength = 0) {
        auto* e = PlacedControls::make<QLineEdit>(name, this);
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        return e;
    };
    Edit7 = typed("Edit7", 40);
    CheckBox1 = PlacedControls::make<QCheckBox>("CheckBox1", "", this);
    CheckBox1->setToolTip("İsmin bir kısmı");
    Edit30 = typed("Edit30", 40);
    Edit31 = typed("Edit31", 40);
    MaskEdit1 = PlacedControls::make<TMaskEdit>("MaskEdit1", this);
    MaskEdit2 = PlacedControls::make<TMaskEdit>("MaskEdit2", this);
    DateTimePicker1 = searchDatePicker("DateTimePicker1", this);
    DateTimePicker2 = searchDatePicker("DateTimePicker2", this);
    Edit13 = typed("Edit13", 8);
    Edit14 = typed("Edit14", 8);
    Edit1 = typed("Edit1", 20);
    Edit24 = typed("Edit24", 20);
    Edit24->setFocusPolicy(Qt::ClickFocus);
    Edit17 = typed("Edit17", 4);
    Edit8 = typed("Edit8", 4);
    Edit27 = typed("Edit27", 4);
    Edit22 = typed("Edit22", 4);
    Edit21 = typed("Edit21", 20);
    Edit23 = typed("Edit23", 10);
    Edit29 = typed("Edit29", 40);
    Edit18 = typed("Edit18", 20);
    Edit28 = typed("Edit28", 20);

    // Picked fields.
    Edit3 = pickField("Edit3", &DBLookupComboBox4, "DBLookupComboBox4");
    Edit16 = pickField("Edit16", &DBLookupComboBox8, "DBLookupComboBox8");
    Edit15 = pickField("Edit15", &ComboBox2, "ComboBox2", {"BAYAN", "ERKEK"});
    Edit2 = pickField("Edit2", &DBLookupComboBox2, "DBLookupComboBox2");
    Edit12 = pickField("Edit12", &ComboBox1, "ComboBox1", {"SPORCU", "HAKEM", "ANTRENÖR", "DİĞER"});
    Edit9 = pickField("Edit9", &DBLookupComboBox5, "DBLookupComboBox5");
    Edit11 = pickField("Edit11", &DBLookupComboBox7, "DBLookupComboBox7");
    Edit10 = pickField("Edit10", &DBLookupComboBox6, "DBLookupComboBox6");
    Edit5 = pickField("Edit5", &DBLookupComboBox9, "DBLookupComboBox9");
    Edit25 = pickField("Edit25", &DBLookupComboBox11, "DBLookupComboBox11");
    Edit36 = pickField("Edit36", &DBLookupComboBox21, "DBLookupComboBox21");
    Edit4 = pickField("Edit4", &ComboBox3, "ComboBox3", {"YARIŞACAK", "YARIŞMAYACAK"});
    Edit6 = pickField("Edit6", &ComboBox4, "ComboBox4", {"FAAL", "FAAL DEĞİL"});
    Edit26 = pickField("Edit26", &ComboBox7, "ComboBox7", {"KAYDI OLANLAR"});
    Edit19 = pickField("Edit19", &ComboBox5, "ComboBox5", {"VAR", "YOK"});
    Edit20 = pickField("Edit20", &ComboBox6, "ComboBox6", {"KAYDI OLANLAR"});

    auto picker = [this](QLineEdit* f, QComboBox* l) { return searchPickerRow(this, f, l); };
    auto* registerBox = new QWidget(this);
    {
        // The scanner field lies under the register number, narrower.
        auto* g = new QGridLayout(registerBox);
        g->setContentsMargins(0, 0, 0, 0);
        Edit24->setParent(registerBox);
        Edit1->setParent(registerBox);
        g->addWidget(Edit24, 0, 0, Qt::AlignLeft);
        g->addWidget(Edit1, 0, 0);
        Edit24->setFixedWidth(40);
        Edit1->raise();
    }
    auto* dateBox1 = new QWidget(this);
    auto* dateBox2 = new QWidget(this);
    for (auto [box, mask, pick] : {std::tuple{dateBox1, MaskEdit1, DateTimePicker1},
                                   std::tuple{dateBox2, MaskEdit2, DateTimePicker2}}) {
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(0);
        mask->setParent(box);
        pick->setParent(box);
        h->addWidget(mask, 1);
        h->addWidget(pick);
    }

    auto* nameBox = new QWidget(this);
    {
        auto* h = new QHBoxLayout(nameBox);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(2);
        Edit7->setParent(nameBox);
        CheckBox1->setParent(nameBox);
        h->addWidget(Edit7, 1);
        h->addWidget(CheckBox1);
    }
    addCriterion(0, 0, "Label2", "Ad Soyad", Edit7, nameBox);
    addCriterion(0, 1, "Label35", "Ad", Edit30);
    addCriterion(0, 2, "Label36", "Soyad", Edit31);
    addCriterion(0, 3, "Label1", "Sicil No", Edit1, registerBox);
    addCriterion(1, 0, "Label9", "Kayıt Tar", MaskEdit1, dateBox1);
    addCriterion(1, 1, "Label10", "Arası", MaskEdit2, dateBox2);
    addCriterion(1, 2, "Label4", "Kulüp", Edit3, picker(Edit3, DBLookupComboBox4));
    addCriterion(1, 3, "Label3", "Bölge", Edit2, picker(Edit2, DBLookupComboBox2));
    addCriterion(2, 0, "Label13", "Branş", Edit16, picker(Edit16, DBLookupComboBox8));
    addCriterion(2, 1, "Label14", "Kilo", Edit13);
    addCriterion(2, 2, "Label15", "Arası", Edit14);
    addCriterion(2, 3, "Label16", "Cinsiyet", Edit15, picker(Edit15, ComboBox2));
    addCriterion(3, 0, "Label12", "Aktivite", Edit12, picker(Edit12, ComboBox1));
    addCriterion(3, 1, "Label6", "Sporcu", Edit9, picker(Edit9, DBLookupComboBox5));
    addCriterion(3, 2, "Label8", "Hakem", Edit11, picker(Edit11, DBLookupComboBox7));
    addCriterion(3, 3, "Label7", "Antrenör", Edit10, picker(Edit10, DBLookupComboBox6));
    addCriterion(4, 0, "Label5", "Diğer", Edit5, picker(Edit5, DBLookupComboBox9));
    addCriterion(4, 1, "Label25", "Kuşak", Edit25, picker(Edit25, DBLookupComboBox11));
    addCriterion(4, 2, "Label37", "Stil", Edit36, picker(Edit36, DBLookupComboBox21));
    addCriterion(4, 3, "Label11", "Katılım", Edit4, picker(Edit4, ComboBox3));
    addCriterion(5, 0, "Label17", "Faal/Değil", Edit6, picker(Edit6, ComboBox4));
    addCriterion(5, 1, "Label26", "E-Mail", Edit26, picker(Edit26, ComboBox7));
    addCriterion(5, 2, "Label28", "Poomse/Mil", Edit19, picker(Edit19, ComboBox5));
    addCriterion(5, 3, "Label20", "Cep Telf", Edit20, picker(Edit20, ComboBox6));
    addCriterion(6, 0, "Label18", "Hak.Vize Yılı", Edit17);
    addCriterion(6, 1, "Label19", "Ant.Vize Yılı", Edit8);
    addCriterion(6, 2, "Label27", "Hak.Böl.Vize Yılı", Edit27);
    addCriterion(6, 3, "Label22", "Spor.Vize Yılı", Edit22);
    addCriterion(7, 0, "Label21", "Telf No", Edit21);
    addCriterion(7, 1, "Label23", "Kan Grb", Edit23);
    addCriterion(7, 2, "Label29", "Meslek", Edit29);
    addCriterion(7, 3, "Label24", "Kimlik No", Edit18);
    addCriterion(8, 0, "Label30", "No", Edit28);
    Label28 = findChild<QLabel*>("Label28");

    // The status list panel: as wide with its list as without, and the list
    // as tall as the criteria beside it.
    auto* listPanelBox = PlacedControls::make<QWidget>("ListPanel", this);
    auto* listPanel = new QVBoxLayout(listPanelBox);
    listPanel->setContentsMargins(0, 0, 0, 0);
    auto* listHead = new QHBoxLayout;
    listHead->addWidget(new QLabel("Listelenen Aktivite Türleri", this));
    SpeedButton2 = PlacedControls::make<QToolButton>("SpeedButton2", "+", this);
    SpeedButton2->setToolTip("Aktivite Türlerini Listele");
    SpeedButton1 = PlacedControls::make<QToolButton>("SpeedButton1", "-", this);
    SpeedButton1->setToolTip("Listeyi Kapat");
    listHead->addWidget(SpeedButton2);
    listHead->addWidget(SpeedButton1);
    listPanel->addLayout(listHead);
    ListBox1 = PlacedControls::make<QListWidget>("ListBox1", this);
    ListBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    ListBox1->hide();
    listPanel->addWidget(ListBox1, 1);
    listPanel->addStretch();
    listPanelBox->setFixedWidth(std::max(220, listPanel->sizeHint().width()));
    ListBox2 = PlacedControls::make<QListWidget>("ListBox2", this);
    ListBox3 = PlacedControls::make<QListWidget>("ListBox3", this);
    ListBox4 = PlacedControls::make<QListWidget>("ListBox4", this);
    ListBox5 = PlacedControls::make<QListWidget>("ListBox5", this);
    ListBox6 = PlacedControls::make<QListWidget>("ListBox6", this);
    for (QListWidget* b : {ListBox2, ListBox3, ListBox4, ListBox5, ListBox6})
        b->hide();
    top->addWidget(listPanelBox);
    inner->addLayout(top);

    // Button row.
    auto* buttons = new QHBoxLayout;
    BitBtn1 = PlacedControls::makeButton("BitBtn1", "Kayıt Bul", this);
    BitBtn3 = PlacedControls::makeButton("BitBtn3", "Yeni Kayıt", this);
    BitBtn6 = PlacedControls::makeButton("BitBtn6", "Raporlar", this);
    ToolButton1 = PlacedControls::make<QToolButton>("ToolButton1", this);
    ToolButton1->setArrowType(Qt::DownArrow);
    ToolButton1->setPopupMode(QToolButton::InstantPopup);
    BitBtn7 = PlacedControls::makeButton("BitBtn7", "Vize İşle", this);
    BitBtn9 = PlacedControls::makeButton("BitBtn9", "Seminer İşle", this);
    BitBtn10 = PlacedControls::makeButton("BitBtn10", "Turnuva İşle", this);
    BitBtn5 = PlacedControls::makeButton("BitBtn5", "Kayıt Sil", this);
    BitBtn8 = PlacedControls::makeButton("BitBtn8", "Sms Gönder", this);
    BitBtn4 = PlacedControls::makeButton("BitBtn4", "Kapat", this);
    BitBtn2 = PlacedControls::makeButton("BitBtn2", "Kaydı Aç", this);
    BitBtn2->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, BitBtn3, BitBtn6, ToolButton1, BitBtn7, BitBtn9,
                                                      BitBtn10, BitBtn5, BitBtn8, BitBtn4})
        buttons->addWidget(w);
    for (QPushButton* b : {BitBtn1, BitBtn3, BitBtn6, BitBtn7, BitBtn9, BitBtn10, BitBtn5, BitBtn8, BitBtn4, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    buttons->addStretch();
    inner->addLayout(buttons);

    // Sort buttons and the count. The button of a column and its marker
    // share one place: one of them shows.
    auto* sortBar = PlacedControls::make<QWidget>("SortBar", this);
    auto* sortRow = new QHBoxLayout(sortBar);
    sortRow->setContentsMargins(0, 0, 0, 0);
    auto sortPair = [this, sortRow](const QString& button, const QString& marker, const QString& hint,
                                    QToolButton** b, QLabel** m) {
        auto* slot = new QWidget(this);
        *b = PlacedControls::make<QToolButton>(button, "▼", slot);
        (*b)->setToolTip(hint);
        *m = PlacedControls::make<QLabel>(marker, "▼", slot);
        (*m)->setStyleSheet("color: rgb(0, 0, 128);");
        (*m)->setAlignment(Qt::AlignCenter);
        const QSize size = (*b)->sizeHint().expandedTo((*m)->sizeHint());
        slot->setFixedSize(size);
        (*b)->setGeometry(QRect(QPoint(0, 0), size));
        (*m)->setGeometry(QRect(QPoint(0, 0), size));
        sortRow->addWidget(slot);
        sortRow->addSpacing(60);
    };
    sortPair("SpeedButton4", "SortMarker4", "Ad Soyada göre sırala", &SpeedButton4, &SortMarker4);
    sortPair("SpeedButton6", "SortMarker6", "Sicil Numarasına göre sırala", &SpeedButton6, &SortMarker6);
    sortPair("SpeedButton8", "SortMarker8", "Bölgeye göre sırala", &SpeedButton8, &SortMarker8);
    sortRow->addStretch();
    CountLabel = PlacedControls::make<QLabel>("CountLabel", "", this);
    sortRow->addWidget(CountLabel);
    sortBar->setFixedHeight(sortRow->sizeHint().height());
    inner->addWidget(sortBar);

    DBGrid1 = PlacedControls::make<TDBGrid>("DBGrid1", this);
    DBGrid1->setColumns({{"Ad_Soyad", "Ad Soyad", 170},
                         {"Vergi_Numarasi", "Sicil No", 70},
                         {"E23", "Baba Adı", 90},
                         {"M3", "Doğum Tarihi", 80},
                         {"Telefonlar", "İrtibat Telefonu", 100},
                         {"Vergi_Dairesi", "Bölge", 90},
                         {"E25", "Kuşak", 90},
                         {"E51", "Hakemlik Durumu", 110},
                         {"E52", "Antrenörlük Durumu", 120}});
    {
        GridColumn born = DBGrid1->column(3);
        born.date = true;
        born.alignment = Qt::AlignHCenter;
        DBGrid1->setColumn(3, born);
    }
    DBGrid1->setMultiSelect(true);
    DBGrid1->setRowSelect(true);
    // The list's area: the grid fills it, or keeps a strip at its top while
    // no list is open.
    auto* listArea = PlacedControls::make<QWidget>("ListArea", this);
    auto* listLayout = new QVBoxLayout(listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(DBGrid1, 1);
    listLayout->addStretch();
    listArea->setMinimumHeight(kListAreaMinimumHeight);
    inner->addWidget(listArea, 1);
    scroll->setWidget(content);

    // Menus.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    ToolButton1->setMenu(PopupMenu1);
    buildPrintMenu();
    Hazrlayanlar1 = PlacedControls::makeAction("Hazrlayanlar1", "BarCode", this);
    Hazrlayanlar1->setShortcut(Qt::Key_F9);
    Hazrlayanlar1->setShortcutContext(Qt::WindowShortcut);
    addAction(Hazrlayanlar1);

    // --- Handlers -------------------------------------------------------------
    QList<QWidget*> textFields;
    for (const Criterion& c : m_criteria)
        if (!qobject_cast<TMaskEdit*>(c.field))
            textFields << c.field;
    TurkishEntry::textField(textFields, nullptr)->setEnterAction([this] { BitBtn1Click(); });
    TurkishEntry::enterOnly({MaskEdit1, MaskEdit2}, nullptr)->setEnterAction([this] { BitBtn1Click(); });
    for (const Criterion& c : m_criteria) {
        QWidget* field = c.field;
        auto* edit = qobject_cast<QLineEdit*>(field);
        connect(edit, &QLineEdit::textChanged, this, [this, field] { criterionChanged(field, searchFieldEmpty(field)); });
        connect(edit, &QLineEdit::textEdited, this, &TMusteriGiris1::QIslem);
        QLabel* caption = c.caption;
        onCaptionClick(caption, [this, edit, caption] {
            if (auto* mask = qobject_cast<TMaskEdit*>(edit)) {
                if (!mask->isBlank())
                    mask->setMaskedText(QString());
                colourCaption(caption, Qt::black);
                QIslem();
                return;
            }
            edit->clear();
            const QHash<QLineEdit*, QListWidget*> boxes{
                {Edit9, ListBox2}, {Edit11, ListBox3}, {Edit10, ListBox4}, {Edit5, ListBox5}, {Edit25, ListBox6}};
            if (QListWidget* box = boxes.value(edit)) {
                box->clear();
                AnaListEkle();
            }
        });
    }
    PlacedControls::onDatePicked(DateTimePicker1, this, [this](const QDate& d) {
        MaskEdit1->setMaskedText(Formats::dateToStr(d));
        QIslem();
    });
    PlacedControls::onDatePicked(DateTimePicker2, this, [this](const QDate& d) {
        MaskEdit2->setMaskedText(Formats::dateToStr(d));
        QIslem();
    });
    const QList<std::pair<QComboBox*, QLineEdit*>> plain{
        {DBLookupComboBox2, Edit2}, {DBLookupComboBox4, Edit3}, {DBLookupComboBox8, Edit16},
        {DBLookupComboBox21, Edit36}, {ComboBox1, Edit12}, {ComboBox2, Edit15}, {ComboBox3, Edit4},
        {ComboBox4, Edit6}, {ComboBox5, Edit19}, {ComboBox6, Edit20}, {ComboBox7, Edit26}};
    for (auto [list, field] : plain)
        connect(list, qOverload<int>(&QComboBox::activated), this, [this, list = list, field = field] {
            field->setText(list->currentText());
            QIslem();
        });
    const QList<std::tuple<QComboBox*, QLineEdit*, QListWidget*>> titles{
        {DBLookupComboBox5, Edit9, ListBox2}, {DBLookupComboBox7, Edit11, ListBox3},
        {DBLookupComboBox6, Edit10, ListBox4}, {DBLookupComboBox9, Edit5, ListBox5},
        {DBLookupComboBox11, Edit25, ListBox6}};
    for (auto [list, field, box] : titles)
        connect(list, qOverload<int>(&QComboBox::activated), this,
                [this, list = list, field = field, box = box] { titlePicked(list, field, box); });

    connect(BitBtn1, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn6Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn7Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn8Click);
    connect(BitBtn9, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn9Click);
    connect(BitBtn10, &QPushButton::clicked, this, &TMusteriGiris1::BitBtn10Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TMusteriGiris1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMusteriGiris1::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMusteriGiris1::SpeedButton4Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMusteriGiris1::SpeedButton6Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TMusteriGiris1::SpeedButton8Click);
    connect(Hazrlayanlar1, &QAction::triggered, this, &TMusteriGiris1::Hazrlayanlar1Click);
    connect(DBGrid1, &TDBGrid::dblClick, this, &TMusteriGiris1::BitBtn2Click);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TMusteriGiris1::SatirSecme);
    auto* scanner = TurkishEntry::enterOnly(Edit24, nullptr);
    scanner->setEnterAction([this] { Edit24Enter(); });

    // Creation.
    setSortColumn("Ad_Soyad");
    if (ImtRapor)
        ImtRapor->enableOnClose(this);
    QIslem();
}

// --- Events ----------------------------------------------------------------------

void TMusteriGiris1::FormShow()
{
    // 1024 x 768 and centred, within the screen it opens on with its title
    // bar (a 1024 x 768 screen leaves less than 768 pixels for the inside).
    const QScreen* on = screen();
    if (!on)
        return;
    const QRect room = on->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const int titleRoom = std::max(frame.height(), kTitleRoom);
    const QSize fits(std::min(kDesignSize.width(), room.width() - frame.width()),
                     std::min(kDesignSize.height(), room.height() - titleRoom));
    if (fits != size())
        resize(fits);
    move(room.x() + (room.width() - fits.width() - frame.width()) / 2,
         room.y() + (room.height() - fits.height() - titleRoom) / 2);
}

void TMusteriGiris1::FormActivate()
{
    if (FInPreview) {
        FInPreview = 0;
        return;
    }
    Cards::applyRights(PopupMenu1, session().user.FIsAdmin);
    Registry reg(Registry::HKEY_CURRENT_USER);
    QString dbq;
    if (reg.openKeyReadOnly("\\Software\\ODBC\\ODBC.INI\\fdr"))
        dbq = reg.readString("DBQ").toUpper();
    FProgramFolder = Folders::programFolderFor(dbq);
    Database& db = session().db;
    FDatabaseKind = DbKind::read(db);
    fillLookup(DBLookupComboBox2, "select * from C_UYELIKTURU order by durum", "Durum");
    fillLookup(DBLookupComboBox4, "select Durum_Key, Durum from C_UYELIKSURESI where Durum <> '' order by Durum",
               "Durum");
    fillLookup(DBLookupComboBox8, "select * from C_BRANS order by Durum", "Durum");
    fillLookup(DBLookupComboBox11, "select * from KUSAK order by Kusak_Key", "Kusak_Adi");
    fillLookup(DBLookupComboBox5, "select * from C_UYEKULLANICI where tip2 = 'S' order by Durum_Key", "Durum", "1");
    fillLookup(DBLookupComboBox6, "select * from C_UYEKULLANICI where tip2 = 'A' order by Durum_Key", "Durum", "1");
    fillLookup(DBLookupComboBox7, "select * from C_UYEKULLANICI where tip2 = 'H' order by Durum_Key", "Durum", "1");
    fillLookup(DBLookupComboBox9, "select * from C_UYEKULLANICI where tip2 = 'D' order by Durum_Key", "Durum", "1");
    fillLookup(DBLookupComboBox21, "select * from STIL order by Stil_Key", "Stil");
    QIslem();
}

void TMusteriGiris1::FormClose()
{
    QIslem();
    CountLabel->clear();
}

void TMusteriGiris1::fillLookup(QComboBox* list, const QString& sql, const QString& column, const QString& filter)
{
    list->clear();
    for (const Record& r : session().db.select(sql)) {
        if (!filter.isEmpty() && r.toInt("Durum_Key") <= filter.toInt())
            continue;   // the row with key 1 is never offered
        list->addItem(r.str(column));
    }
    list->setCurrentIndex(-1);
}

// --- Criteria ----------------------------------------------------------------------

void TMusteriGiris1::criterionChanged(QWidget* field, bool empty)
{
    QLabel* caption = m_captionOf.value(field);
    if (field == Edit13)
        caption = findChild<QLabel*>("Label14");
    if (caption)
        colourCaption(caption, empty ? QColor(Qt::black) : QColor(255, 0, 0));
    if (empty)
        QIslem();
}

void TMusteriGiris1::titlePicked(QComboBox* list, QLineEdit* field, QListWidget* box)
{
    const QString text = list->currentText();
    field->setText(text);
    if (box->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty()) {
        box->addItem(text);
        AnaListEkle();
    }
    QIslem();
}

void TMusteriGiris1::AnaListEkle()
{
    ListBox1->clear();
    for (QListWidget* b : {ListBox2, ListBox3, ListBox4, ListBox5, ListBox6})
        ListBox1->addItems(searchListItems(b));
}

void TMusteriGiris1::SpeedButton2Click()
{
    if (ListBox1->isVisibleTo(this))
        return;
    ListBox1->show();
    for (QLineEdit* e : {Edit9, Edit11, Edit10, Edit5, Edit25})
        e->clear();
    for (QListWidget* b : {ListBox1, ListBox2, ListBox3, ListBox4, ListBox5, ListBox6})
        b->clear();
    QIslem();
}

void TMusteriGiris1::SpeedButton1Click()
{
    if (!ListBox1->isVisibleTo(this))
        return;
    ListBox1->hide();
    QIslem();
}

void TMusteriGiris1::setSortColumn(const QString& column)
{
    FOrderBy = column;
    const QList<std::tuple<QString, QToolButton*, QLabel*>> pairs{{"Ad_Soyad", SpeedButton4, SortMarker4},
                                                                   {"Vergi_Numarasi", SpeedButton6, SortMarker6},
                                                                   {"Vergi_Dairesi", SpeedButton8, SortMarker8}};
    for (const auto& [name, button, marker] : pairs) {
        button->setVisible(name != column);
        marker->setVisible(name == column);
    }
}

void TMusteriGiris1::SpeedButton4Click()
{
    setSortColumn("Ad_Soyad");
    QIslem();
}

void TMusteriGiris1::SpeedButton6Click()
{
    setSortColumn("Vergi_Numarasi");
    QIslem();
}

void TMusteriGiris1::SpeedButton8Click()
{
    setSortColumn("Vergi_Dairesi");
    QIslem();
}

PersonSearch::Criteria TMusteriGiris1::criteria() const
{
    PersonSearch::Criteria c;
    c.name = Edit7->text();
    c.nameContains = CheckBox1->isChecked();
    c.firstName = Edit30->text();
    c.lastName = Edit31->text();
    if (!MaskEdit1->isBlank())
        c.changedFrom = Formats::strToDate(MaskEdit1->maskedText());
    if (!MaskEdit2->isBlank())
        c.changedTo = Formats::strToDate(MaskEdit2->maskedText());
    c.club = Edit3->text();
    c.category = Edit16->text();
    if (!Edit14->text().isEmpty())
        c.weightMax = Formats::strToFloat(Edit14->text());
    if (!Edit13->text().isEmpty())
        c.weightMin = Formats::strToFloat(Edit13->text());
    c.gender = Edit15->text();
    c.registerNumber = Edit1->text();
    c.region = Edit2->text();
    c.activity = Edit12->text();
    c.athleteTitle = Edit9->text();
    c.refereeTitle = Edit11->text();
    c.coachTitle = Edit10->text();
    c.otherTitle = Edit5->text();
    c.belt = Edit25->text();
    c.statusListMode = ListBox1->isVisibleTo(this);
    c.athleteTitles = searchListItems(ListBox2);
    c.refereeTitles = searchListItems(ListBox3);
    c.coachTitles = searchListItems(ListBox4);
    c.otherTitles = searchListItems(ListBox5);
    c.belts = searchListItems(ListBox6);
    c.style = Edit36->text();
    c.participation = Edit4->text();
    c.active = Edit6->text();
    c.email = Edit26->text();
    c.profReferee = Edit19->text();
    c.mobile = Edit20->text();
    c.refereeVisa = Edit17->text().toInt();
    c.coachVisa = Edit8->text().toInt();
    c.regionalRefereeVisa = Edit27->text().toInt();
    c.athleteVisa = Edit22->text().toInt();
    c.phone = Edit21->text();
    c.bloodGroup = Edit23->text();
    c.profession = Edit29->text();
    c.identityNumber = Edit18->text();
    c.certificateNumber = Edit28->text();
    return c;
}

bool TMusteriGiris1::validate()
{
    for (TMaskEdit* mask : {MaskEdit1, MaskEdit2}) {
        if (mask->isBlank())
            continue;
        QDate d;
        if (!Formats::tryStrToDate(mask->maskedText(), d)) {
            Messages::error("Tarihi Hatalı Girdiniz ...!");
            return false;
        }
        if (d < QDate(1950, 1, 1) || d > QDate(2050, 1, 1)) {
            Messages::info("Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!");
            return false;
        }
    }
    for (QLineEdit* weight : {Edit13, Edit14}) {
        if (weight->text().isEmpty())
            continue;
        bool ok = false;
        Formats::strToFloat(weight->text(), &ok);
        if (!ok) {
            Messages::error("Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)");
            weight->clear();
            weight->setFocus();
            return false;
        }
    }
    for (QLineEdit* year : {Edit8, Edit22, Edit17, Edit27}) {
        if (year->text().isEmpty())
            continue;
        bool ok = false;
        const int y = year->text().trimmed().toInt(&ok);
        if (!ok) {
            Messages::error("Hatalı Vize Yılı Girdiniz. Lütfen Düzeltiniz ...!");
            year->setFocus();
            return false;
        }
        if (y < 1900 || y > 2100) {
            Messages::info("Hatalı Vize Yılı Girdiniz. Lütfen Vize Yılını 4 Hane Yıl Olarak Giriniz ...!");
            year->setFocus();
            return false;
        }
    }
    return true;
}

// --- The list ------------------------------------------------------------------------

void TMusteriGiris1::QIslem()
{
    FListOpen = false;
    DBGrid1->setRecords({});
    DBGrid1->setMaximumHeight(22 + DBGrid1->horizontalHeader()->height());
    CountLabel->clear();
    DBGrid1->clearSelection();
    FSelectedKeys.clear();
}

void TMusteriGiris1::BitBtn1Click()
{
    if (!validate())
        return;
    FHasWhere = 0;
    FWhereClause.clear();
    FParams.clear();
    if (!Edit1->text().isEmpty() && Edit1->text().size() < 7) {
        const QSignalBlocker keep(Edit1);
        Edit1->setText(PersonSearch::padRegisterNumber(Edit1->text()));
    }
    Database& db = session().db;
    const PersonSearch::Condition w = PersonSearch::build(db, criteria());
    if (w.where.isEmpty()) {
        Messages::error("Lütfen Arama Kriteri Giriniz ...!");
        return;
    }
    FWhereClause = w.where;
    FHasWhere = w.hasWhere ? 1 : 0;
    FParams = w.params;
    FReportSql = "Select * from C_MUSTERI" + FWhereClause;
    QIslem();
    const Records rows = PersonSearch::list(db, w, FOrderBy);
    {
        const QSignalBlocker quiet(DBGrid1->selectionModel());
        DBGrid1->setRecords(rows);
        DBGrid1->clearSelection();
    }
    FSelectedKeys.clear();
    FListOpen = true;
    DBGrid1->setMaximumHeight(QWIDGETSIZE_MAX);
    CountLabel->setText("Kayıt Sayısı : " + QString::number(rows.size()));
    if (rows.isEmpty())
        Messages::info("Kayıt Bulunamadı ...!");
}

bool TMusteriGiris1::hasCurrentKey() const
{
    return FListOpen && DBGrid1->currentRow() >= 0 && !DBGrid1->currentRecord().isNull("Musteri_Key");
}

void TMusteriGiris1::SatirSecme()
{
    if (!FListOpen)
        return;
    QStringList selected;
    for (int row : DBGrid1->selectedRows())
        selected << QString::number(DBGrid1->record(row).toInt64("Musteri_Key"));
    // Keys stay in the order they were selected; new ones go at the end.
    QStringList keys;
    for (const QString& k : FSelectedKeys.split(',', Qt::SkipEmptyParts))
        if (selected.contains(k))
            keys << k;
    for (const QString& k : selected)
        if (!keys.contains(k))
            keys << k;
    FSelectedKeys = keys.join(',');
}

void TMusteriGiris1::Hazrlayanlar1Click()
{
    Edit24->clear();
    Edit24->setFocus();
    if (!FListOpen) {
        Messages::info("Lütfen 'Kayıt Bul' Düğmesine Basarak Kayıtları Listeleyiniz. Sonrasında İşlem Yapınız ...!");
        return;
    }
    if (!hasCurrentKey())
        Messages::info("Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!");
}

void TMusteriGiris1::Edit24Enter()
{
    if (!hasCurrentKey())
        return;
    const QString text = Edit24->text();
    for (int row = 0; row < DBGrid1->rowCount(); ++row) {
        const QString number = DBGrid1->record(row).str("Vergi_Numarasi");
        if (!number.startsWith(text))
            continue;
        // The first row beginning with the text; it must be the number itself.
        if (number == text && !DBGrid1->selectedRows().contains(row)) {
            DBGrid1->setCurrentRow(row);
            DBGrid1->selectionModel()->select(DBGrid1->model()->index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        return;
    }
}

void TMusteriGiris1::BitBtn4Click()
{
    close();
}

ReportLaunch::RegistrySelection TMusteriGiris1::selection() const
{
    return {FReportSql, FWhereClause, FHasWhere != 0, FSelectedKeys, FOrderBy, FParams};
}

Cards::RegistryList TMusteriGiris1::registryList() const
{
    Cards::RegistryList list;
    list.open = FListOpen;
    if (hasCurrentKey())
        list.currentKey = DBGrid1->currentRecord().value("Musteri_Key");
    list.recordCount = FListOpen ? DBGrid1->rowCount() : 0;
    list.selection = selection();
    return list;
}

ReportCaller TMusteriGiris1::reportCaller()
{
    return ReportCaller::screen(this, &FInPreview, [this](QObject* r) { SetPreviewReport(r); });
}
