// The person record editor's career grids: belts, coach and referee titles,
// seminars, achievements and penalties, gyms, athlete licences. Each grid
// shows the rows of the person on screen; rows typed into a grid are stored
// when the cursor leaves them, through the grid's check, independently of
// the person's "Kaydet".
#include "registry/MusteriGiris2.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/ReservedRows.h"
#include "app/kit/Session.h"
#include "platform/db/Schema.h"
#include "platform/ui/Messages.h"
#include "registry/CareerRules.h"
#include "registry/MaskEdit.h"
#include "registry/RegistryTables.h"
#include "registry/Seminer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopedValueRollback>
#include <QComboBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kIncomplete = "Eksik veya hatalı giriş yaptınız ...!";

GridColumn plain(const QString& field, const QString& title, int width)
{
    return GridColumn(field, title, width);
}

GridColumn dateColumn(const QString& field, const QString& title, int width)
{
    GridColumn c(field, title, width);
    c.date = true;
    c.alignment = Qt::AlignHCenter;
    return c;
}

GridColumn centred(const QString& field, const QString& title, int width)
{
    GridColumn c(field, title, width);
    c.alignment = Qt::AlignHCenter;
    return c;
}

GridColumn lookupColumn(const QString& field, const QString& keyField, const QString& title, int width,
                        const QList<QPair<QVariant, QString>>& lookup)
{
    GridColumn c(field, title, width);
    c.keyField = keyField;
    c.lookup = lookup;
    return c;
}

// A field of the grid's current row; invalid when the grid has no row (a
// person not yet saved has closed grids).
QVariant currentValue(const TDBGrid* grid, const QString& field)
{
    const Record row = grid->currentRecord();
    return row.has(field) ? row.value(field) : QVariant();
}

// Changes every column of the grid that `match` picks.
template <typename Match, typename Change>
void changeColumns(TDBGrid* grid, Match match, Change change)
{
    for (int i = 0; i < grid->columns().size(); ++i) {
        if (match(grid->column(i))) {
            GridColumn c = grid->column(i);
            change(c);
            grid->setColumn(i, c);
        }
    }
}

} // namespace

void TMusteriGiris2::buildCareerGrids()
{
    using namespace PlacedControls;
    auto makeGrid = [this](const QString& name, QWidget* parent) {
        auto* g = new TDBGrid(parent);
        g->setObjectName(name);
        g->setReadOnly(false);
        g->setTurkishUpper();
        return g;
    };

    // Career page: coach and referee titles above, belts and seminars below.
    auto* cg = new QGridLayout(TabSheet2);
    DBGrid13 = makeGrid("DBGrid13", TabSheet2);
    DBGrid14 = makeGrid("DBGrid14", TabSheet2);
    DBGrid12 = makeGrid("DBGrid12", TabSheet2);
    DBGrid15 = makeGrid("DBGrid15", TabSheet2);
    SpeedButton3 = new QToolButton(TabSheet2);
    SpeedButton3->setObjectName("SpeedButton3");
    SpeedButton3->setText("Stil Ekle");
    Label_Stiller = new QLabel(TabSheet2);
    Label_Stiller->setObjectName("Label_Stiller");
    SpeedButton6 = new QToolButton(TabSheet2);
    SpeedButton6->setObjectName("SpeedButton6");
    SpeedButton6->setText("+");
    SpeedButton6->setToolTip("Yeni Giriş");
    cg->addWidget(bold(make<QLabel>("Label_F_ANT", "Antrenörlük Kariyeri", TabSheet2)), 0, 0);
    cg->addWidget(DBGrid13, 1, 0);
    cg->addWidget(bold(make<QLabel>("Label_F_HAKEM", "Hakemlik Kariyeri", TabSheet2)), 0, 1);
    cg->addWidget(DBGrid14, 1, 1);
    auto* beltHead = new QWidget(TabSheet2);
    auto* bh = new QHBoxLayout(beltHead);
    bh->setContentsMargins(0, 0, 0, 0);
    bh->addWidget(bold(make<QLabel>("Label_F_KUSAK", "Kuşak Bilgileri", beltHead)));
    bh->addWidget(SpeedButton3);
    bh->addWidget(new QLabel("Stil Bilgileri :", beltHead));
    bh->addWidget(Label_Stiller, 1);
    cg->addWidget(beltHead, 2, 0);
    cg->addWidget(DBGrid12, 3, 0);
    auto* semHead = new QWidget(TabSheet2);
    auto* sh = new QHBoxLayout(semHead);
    sh->setContentsMargins(0, 0, 0, 0);
    sh->addWidget(bold(make<QLabel>("Label_F_SEM", "Katıldığı Seminerler", semHead)));
    sh->addWidget(SpeedButton6);
    sh->addStretch(1);
    cg->addWidget(semHead, 2, 1);
    cg->addWidget(DBGrid15, 3, 1);

    auto* av = new QVBoxLayout(TabSheet3);
    DBGrid16 = makeGrid("DBGrid16", TabSheet3);
    av->addWidget(bold(make<QLabel>("Label_F_DER", "Başarı, Derece, Ödül ve Cezalar", TabSheet3)));
    av->addWidget(DBGrid16, 1);

    auto* pg = qobject_cast<QGridLayout*>(TabSheet1->layout());
    DBGrid17 = makeGrid("DBGrid17", TabSheet1);
    pg->addWidget(bold(make<QLabel>("Label_F_GOR", "Salon ve Antrenörleri", TabSheet1)), 4, 0, 1, 2);
    pg->addWidget(DBGrid17, 5, 0, 1, 2);
    pg->setRowStretch(5, 1);

    auto* lv = new QVBoxLayout(TabSheet4);
    DBGrid1 = makeGrid("DBGrid1", TabSheet4);
    lv->addWidget(bold(make<QLabel>("Label_F_LNC", "Sporcu Lisans Bilgileri", TabSheet4)));
    lv->addWidget(DBGrid1, 1);

    // Pop-up menus.
    auto menu = [this](const QString& name, TDBGrid* grid) {
        auto* m = new QMenu(this);
        m->setObjectName(name);
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [m, grid](const QPoint& pos) { m->popup(grid->viewport()->mapToGlobal(pos)); });
        return m;
    };
    auto item = [this](QMenu* m, const QString& name, const QString& text, void (TMusteriGiris2::*slot)()) {
        QAction* a = m->addAction(text);
        a->setObjectName(name);
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };
    PopupMenu12 = menu("PopupMenu12", DBGrid12);
    MenuItem7 = item(PopupMenu12, "MenuItem7", "Sil", &TMusteriGiris2::MenuItem7Click);
    MenuItem8 = item(PopupMenu12, "MenuItem8", "Yeni", &TMusteriGiris2::MenuItem8Click);
    DosyaEkle1 = item(PopupMenu12, "DosyaEkle1", "Dosya Ekle", nullptr);
    DosyaGster1 = item(PopupMenu12, "DosyaGster1", "Dosya Göster", nullptr);
    DosyaSil1 = item(PopupMenu12, "DosyaSil1", "Dosya Sil", nullptr);
    PopupMenu13 = menu("PopupMenu13", DBGrid13);
    MenuItem1 = item(PopupMenu13, "MenuItem1", "Sil", &TMusteriGiris2::MenuItem1Click);
    MenuItem2 = item(PopupMenu13, "MenuItem2", "Yeni", &TMusteriGiris2::MenuItem2Click);
    DosyaEkle2 = item(PopupMenu13, "DosyaEkle2", "Dosya Ekle", nullptr);
    DosyaGster2 = item(PopupMenu13, "DosyaGster2", "Dosya Göster", nullptr);
    DosyaSil2 = item(PopupMenu13, "DosyaSil2", "Dosya Sil", nullptr);
    PopupMenu14 = menu("PopupMenu14", DBGrid14);
    MenuItem3 = item(PopupMenu14, "MenuItem3", "Sil", &TMusteriGiris2::MenuItem3Click);
    MenuItem4 = item(PopupMenu14, "MenuItem4", "Yeni", &TMusteriGiris2::MenuItem4Click);
    DosyaEkle3 = item(PopupMenu14, "DosyaEkle3", "Dosya Ekle", nullptr);
    DosyaGster3 = item(PopupMenu14, "DosyaGster3", "Dosya Göster", nullptr);
    DosyaSil3 = item(PopupMenu14, "DosyaSil3", "Dosya Sil", nullptr);
    PopupMenu15 = menu("PopupMenu15", DBGrid15);
    MenuItem5 = item(PopupMenu15, "MenuItem5", "Sil", &TMusteriGiris2::MenuItem5Click);
    MenuItem6 = item(PopupMenu15, "MenuItem6", "Yeni", &TMusteriGiris2::MenuItem6Click);
    PopupMenu16 = menu("PopupMenu16", DBGrid16);
    MenuItem9 = item(PopupMenu16, "MenuItem9", "Sil", &TMusteriGiris2::MenuItem9Click);
    MenuItem10 = item(PopupMenu16, "MenuItem10", "Yeni", &TMusteriGiris2::MenuItem10Click);
    PopupMenu17 = menu("PopupMenu17", DBGrid17);
    MenuItem11 = item(PopupMenu17, "MenuItem11", "Sil", &TMusteriGiris2::MenuItem11Click);
    MenuItem12 = item(PopupMenu17, "MenuItem12", "Yeni", &TMusteriGiris2::MenuItem12Click);
    PopupMenu1 = menu("PopupMenu1", DBGrid1);
    MenuItem13 = item(PopupMenu1, "MenuItem13", "Sil", &TMusteriGiris2::MenuItem13Click);
    MenuItem14 = item(PopupMenu1, "MenuItem14", "Yeni", &TMusteriGiris2::MenuItem14Click);

    m_career[Belts] = {DBGrid12, "F_KUSAK", "Kus_Key", "Tarih,Kus_Key", PopupMenu12};
    m_career[Coach] = {DBGrid13, "F_ANT", "Ant_Key", "Tarih,Ant_Key", PopupMenu13};
    m_career[Referee] = {DBGrid14, "F_HAKEM", "Hak_Key", "Tarih,Hak_Key", PopupMenu14};
    m_career[Seminars] = {DBGrid15, "F_SEM", "Sem_Key", "Tarih,Sem_Key", PopupMenu15};
    m_career[Achievements] = {DBGrid16, "F_DER", "Der_Key", "Tarih desc, Der_Key desc", PopupMenu16};
    m_career[Gyms] = {DBGrid17, "F_GOR", "Gor_Key", "Gor_Key desc", PopupMenu17};
    m_career[Licences] = {DBGrid1, "F_LNC", "Lnc_Key", "Lnc_Key", PopupMenu1};

    for (int i = 0; i < CareerCount; ++i) {
        const auto which = CareerIndex(i);
        TDBGrid* g = m_career[i].grid;
        g->setNewRowHandler([this, which](Record& row) { return newRowKeys(which, row); });
        g->setWriter([this, which](const Record& row, bool isNew) { writeRow(which, row, isNew); });
    }

    // Checks before a row is stored.
    for (int i = 0; i < CareerCount; ++i) {
        const auto which = CareerIndex(i);
        m_career[i].grid->setPostCheck([this, which](Record& row) { return checkCareerRow(which, row); });
    }

    // The style of a belt row is changed only through the style field.
    connect(DBGrid12, &TDBGrid::keyPressed, this, [this](QKeyEvent* e, bool* consumed) {
        if (e->type() != QEvent::KeyPress || DBGrid12->currentField().toLower() != "stil")
            return;
        const QString t = e->text();
        if (!t.isEmpty() && (t[0].isPrint() || t[0] == QChar('\b')))
            *consumed = true;
    });
    connect(DBGrid12, &QAbstractItemView::clicked, this, [this] {
        if (FLoaded)
            FModified = 1;
    });

    buildCareerColumns();
}

void TMusteriGiris2::buildCareerColumns()
{
    DBGrid12->setColumns({lookupColumn("Kusak_Adi", "Kusak_Key", "Kuşak", 102, m_beltNames), plain("Stil", "", 84),
                          plain("Yer", "Verildiği Yer", 86), dateColumn("Tarih", "", 60), plain("KarNo", "No", 44),
                          plain("Dip_No_Tar", "Dip.Tarih, No", 81)});
    DBGrid12->setColumnReadOnly("Stil", true);
    DBGrid13->setColumns({lookupColumn("Durum", "Durum_Key", "Antrenörlük Durumu", 160, m_coachTitles),
                          plain("Yer", "Verildiği Yer", 94), dateColumn("Tarih", "", 67), plain("KarNo", "No", 56),
                          plain("Dip_No_Tar", "Dip.Tarih, No", 81)});
    DBGrid14->setColumns({lookupColumn("Durum", "Durum_Key", "Hakemlik Durumu", 160, m_refereeTitles),
                          plain("Yer", "Verildiği Yer", 94), dateColumn("Tarih", "", 67), plain("KarNo", "No", 56),
                          plain("Dip_No_Tar", "Dip.Tarih, No", 81)});
    DBGrid15->setColumns({plain("Seminer", "Seminer Adı", 230), dateColumn("BTar", "Baş. Tarihi", 63),
                          dateColumn("Tarih", "Bitiş Tarihi", 63), plain("Yer", "Verildiği Yer", 103)});
    DBGrid16->setColumns({lookupColumn("Turnuva_Adi", "Turnuva_Key", "Faaliyet", 397, m_activities),
                          lookupColumn("Brans_Adi", "Durum_Key", "Branş", 200, m_categoryNames),
                          centred("Sp_Say", "Sp.Say.", 41), centred("Derece", "", 41), dateColumn("Tarih", "", 63),
                          plain("Odul", "Ödül/Puan", 76), plain("Gorev", "Açıklama", 145),
                          plain("Kulup", "Kulüp / Görev Yeri", 402)});
    DBGrid17->setColumns({plain("Gorev", "Salonu", 259), plain("Antrenor", "Antrenörü", 195)});
    DBGrid1->setColumns({plain("Lnc_No", "Lisans Numarası", 100),
                          lookupColumn("Klup_Adi", "Klup_Key", "Kulüp Adı", 355, m_clubNames),
                          lookupColumn("Bolge_Adi", "Bolge_Key", "Bölge", 64, m_regionNames),
                          dateColumn("L_Tarih", "Lisans Tarihi", 78), dateColumn("V_Tarih", "Vize Tarihi", 78),
                          dateColumn("T_Tarih", "Transfer Tarihi", 79), plain("Kategori", "Menajer", 149),
                          plain("Ack", "Açıklama", 460)});
}

void TMusteriGiris2::applyLookups()
{
    // Only the names change; titles and widths stay as they are (the main
    // window retitles a column at start-up).
    auto refresh = [](TDBGrid* grid, const QString& keyField, const QList<QPair<QVariant, QString>>& names) {
        changeColumns(
            grid, [&](const GridColumn& c) { return c.keyField == keyField; },
            [&](GridColumn& c) { c.lookup = names; });
    };
    refresh(DBGrid12, "Kusak_Key", m_beltNames);
    refresh(DBGrid13, "Durum_Key", m_coachTitles);
    refresh(DBGrid14, "Durum_Key", m_refereeTitles);
    refresh(DBGrid16, "Turnuva_Key", m_activities);
    refresh(DBGrid16, "Durum_Key", m_categoryNames);
    refresh(DBGrid1, "Klup_Key", m_clubNames);
    refresh(DBGrid1, "Bolge_Key", m_regionNames);
}

void TMusteriGiris2::KulupAdlari()
{
    const auto offerClubs = [this](GridColumn& c) { c.pickList = m_allClubNames; };
    changeColumns(DBGrid16, [](const GridColumn& c) { return c.field == "Kulup"; }, offerClubs);
    changeColumns(DBGrid17, [](const GridColumn& c) { return c.field.toLower() == "gorev"; }, offerClubs);
}

// --- Opening, closing, reopening ---------------------------------------------------

void TMusteriGiris2::DBGridIslem(bool open)
{
    m_careerOpen = open;
    for (int i = 0; i < CareerCount; ++i) {
        if (open)
            reopen(CareerIndex(i));
        else
            m_career[i].grid->setRecords({});
    }
}

void TMusteriGiris2::reopen(CareerIndex which, const QVariant& keepKey)
{
    const Career& c = m_career[which];
    if (!m_careerOpen) {
        c.grid->setRecords({});
        return;
    }
    c.grid->setRecords(db().select("select * from " + Database::identifier(c.table) +
                                       " where Musteri_Key = :k order by " + c.orderBy,
                                   {{"k", FPersonKey}}));
    if (keepKey.isValid() && !keepKey.isNull())
        c.grid->locate(c.keyColumn, keepKey);
}

QString TMusteriGiris2::lookupName(const QList<QPair<QVariant, QString>>& list, const QVariant& key) const
{
    if (!key.isValid() || key.isNull() || key.toString().isEmpty())
        return QString();
    for (const auto& item : list)
        if (item.first.toString() == key.toString())
            return item.second;
    return QString();
}

QVariant TMusteriGiris2::lookupKey(const QList<QPair<QVariant, QString>>& list, const QString& name) const
{
    for (const auto& item : list)
        if (item.second == name)
            return item.first;
    return QVariant(QMetaType(QMetaType::Int));
}

// --- Checks before a row is stored ----------------------------------------------------

bool TMusteriGiris2::checkCareerRow(CareerIndex which, Record& row)
{
    switch (which) {
    case Belts:
        if (lookupName(m_beltNames, row.value("Kusak_Key")).isEmpty()) {
            Messages::info(kIncomplete);
            return false;
        }
        return true;
    case Coach:
    case Referee:
        if (lookupName(which == Coach ? m_coachTitles : m_refereeTitles, row.value("Durum_Key")).isEmpty()) {
            Messages::info(kIncomplete);
            return false;
        }
        return !sameTitleHeld(which, row);
    case Seminars:
        if (row.str("Seminer").isEmpty() || row.str("Tarih").isEmpty()) {
            Messages::info(kIncomplete);
            return false;
        }
        return true;
    case Achievements: {
        if (lookupName(m_categoryNames, row.value("Durum_Key")).isEmpty() ||
            lookupName(m_activities, row.value("Turnuva_Key")).isEmpty()) {
            Messages::info(kIncomplete);
            return false;
        }
        const int activity = row.toInt("Turnuva_Key");
        if ((activity == 1 || activity == 2) && row.str("Tarih").isEmpty()) {
            Messages::info("Tarih Girmediniz ...!");
            return false;
        }
        return true;
    }
    case Gyms:
        if (row.str("Gorev").isEmpty() && row.str("Antrenor").isEmpty()) {
            Messages::info("Eksik giriş yaptınız ...!");
            return false;
        }
        return true;
    case Licences:
        if (lookupName(m_regionNames, row.value("Bolge_Key")).isEmpty() || row.str("Lnc_No").isEmpty() ||
            row.str("L_Tarih").isEmpty() || lookupName(m_clubNames, row.value("Klup_Key")).isEmpty()) {
            Messages::info(kIncomplete);
            return false;
        }
        return true;
    case CareerCount:
        break;
    }
    return true;
}

bool TMusteriGiris2::storeCareerRow(CareerIndex which, const QVariantMap& values)
{
    TDBGrid* g = m_career[which].grid;
    if (!m_careerOpen)
        return false;
    // An entry dialog writes its row also where the operator may not type
    // (the licence grid of a user who is not the administrator).
    const bool readOnly = g->isReadOnly();
    g->setReadOnly(false);
    bool stored = g->appendRow();
    if (stored) {
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            g->setFieldValue(it.key(), it.value());
        stored = g->post();
        // A refused row stays for correction where the operator may correct
        // it, and is dropped where the operator may not.
        if (!stored && readOnly)
            g->cancel();
    }
    g->setReadOnly(readOnly);
    return stored;
}

// --- New rows, storing, deleting ------------------------------------------------------

bool TMusteriGiris2::newRowKeys(CareerIndex which, Record& row)
{
    // A person not yet saved has closed grids: no rows of its own.
    if (!m_careerOpen)
        return false;
    TDBGrid::setValue(row, m_career[which].keyColumn, Counters::next(db(), "Sayiu"));
    TDBGrid::setValue(row, "Musteri_Key", FPersonKey);
    return true;
}

void TMusteriGiris2::newRow(CareerIndex which)
{
    if (!m_careerOpen)
        return;
    m_career[which].grid->insertRow();
}

bool TMusteriGiris2::sameTitleHeld(CareerIndex which, const Record& row)
{
    const bool coach = which == Coach;
    if (!titleHeld(db(), coach, FPersonKey, row.value("Durum_Key"), row.value(coach ? "Ant_Key" : "Hak_Key")))
        return false;
    Messages::info(coach ? "Aynı Antrenörlük Bilgisi Kayıtlıdır. Lütfen Düzeltme ve İlavenizi Onun Üzerinde "
                           "Yapınız ...!"
                         : "Aynı Hakemlik Bilgisi Kayıtlıdır. Lütfen Düzeltme ve İlavenizi Onun Üzerinde Yapınız "
                           "...!");
    // The typed values are dropped: the grid shows the stored rows again.
    reopen(which);
    return true;
}

void TMusteriGiris2::writeRow(CareerIndex which, const Record& row, bool isNew)
{
    const Career& c = m_career[which];
    const TableDef* def = registrySchema().table(c.table);
    QVariantMap fields;
    for (const ColumnDef& col : def->columns)
        if (row.has(col.name))
            fields.insert(col.name, row.value(col.name));
    if (isNew) {
        db().insert(c.table, fields);
    } else {
        const QVariant key = fields.take(c.keyColumn);
        db().update(c.table, fields, Database::identifier(c.keyColumn) + " = :w_k", {{"w_k", key}});
    }
    afterCareerChange(which);
}

void TMusteriGiris2::deleteRow(CareerIndex which, const QString& name)
{
    if (!m_careerOpen)
        return;
    const Career& c = m_career[which];
    // A belt or title row's attachment goes first, with its own question; it
    // stays gone also when the row is kept.
    if (which == Belts || which == Coach || which == Referee)
        removeFile(which);
    const Record row = c.grid->currentRecord();
    const QVariant key = currentValue(c.grid, c.keyColumn);
    if (row.isEmpty() || !key.isValid() || key.isNull() || key.toString().isEmpty())
        return;
    if (!askQuestion(name + " Silinecektir. Eminmisiniz ...?", false))
        return;
    c.grid->cancel();
    db().exec("delete * from " + Database::identifier(c.table) + " where " + Database::identifier(c.keyColumn) +
                  " = :k",
              {{"k", key}});
    if (!afterCareerChange(which))
        reopen(which);
}

bool TMusteriGiris2::afterCareerChange(CareerIndex which)
{
    switch (which) {
    case Seminars:
        Query15AfterPost();
        return true;
    case Achievements:
        Query16AfterPost();
        return true;
    case Gyms:
        Query17AfterPost();
        return true;
    case Licences:
        Query19AfterPost();
        return true;
    default:
        return false;
    }
}

void TMusteriGiris2::MenuItem1Click()
{
    deleteRow(Coach, lookupName(m_coachTitles, currentValue(DBGrid13, "Durum_Key")));
}

void TMusteriGiris2::MenuItem2Click()
{
    newRow(Coach);
}

void TMusteriGiris2::MenuItem3Click()
{
    deleteRow(Referee, lookupName(m_refereeTitles, currentValue(DBGrid14, "Durum_Key")));
}

void TMusteriGiris2::MenuItem4Click()
{
    newRow(Referee);
}

void TMusteriGiris2::MenuItem5Click()
{
    deleteRow(Seminars, currentValue(DBGrid15, "Seminer").toString());
}

void TMusteriGiris2::MenuItem6Click()
{
    newRow(Seminars);
}

void TMusteriGiris2::MenuItem7Click()
{
    deleteRow(Belts, lookupName(m_beltNames, currentValue(DBGrid12, "Kusak_Key")));
}

void TMusteriGiris2::MenuItem8Click()
{
    newRow(Belts);
}

void TMusteriGiris2::MenuItem9Click()
{
    deleteRow(Achievements, lookupName(m_activities, currentValue(DBGrid16, "Turnuva_Key")));
}

void TMusteriGiris2::MenuItem10Click()
{
    newRow(Achievements);
}

void TMusteriGiris2::MenuItem11Click()
{
    deleteRow(Gyms, currentValue(DBGrid17, "Gorev").toString());
}

void TMusteriGiris2::MenuItem12Click()
{
    newRow(Gyms);
}

void TMusteriGiris2::MenuItem13Click()
{
    deleteRow(Licences, lookupName(m_clubNames, currentValue(DBGrid1, "Klup_Key")));
}

void TMusteriGiris2::MenuItem14Click()
{
    newRow(Licences);
}

// --- What follows a stored or deleted row ------------------------------------------------

void TMusteriGiris2::Query15AfterPost()
{
    // The latest seminar (by the order Tarih, Sem_Key) gives "Seminer Tar".
    reopen(Seminars);
    if (DBGrid15->rowCount() > 0)
        DBGrid15->setCurrentRow(DBGrid15->rowCount() - 1);
    MaskEdit8->setMaskedText(latestSeminarDate(DBGrid15->records()));
}

void TMusteriGiris2::Query16AfterPost()
{
    // The penalty status is the text of the latest row on the penalty
    // activity.
    Edit73->clear();
    reopen(Achievements);
    Edit73->setText(penaltyStatus(DBGrid16->records()));
}

void TMusteriGiris2::Query17AfterPost()
{
    // The newest gym row gives the gym and the coach.
    reopen(Gyms);
    const GymAndCoach latest = latestGym(DBGrid17->records());
    Edit49->setText(latest.gym);
    Edit48->setText(latest.coach);
}

void TMusteriGiris2::SpeedButton6Click()
{
    if (!m_careerOpen) {
        Messages::info("Kayıt girebilmek için önce 'Kaydet' düğmesine basıp bilgileri kaydetmeniz "
                       "gerekmektedir...!");
        return;
    }
    if (m_inEntry)
        return;
    const QScopedValueRollback<bool> entry(m_inEntry, true);
    Seminer->showModal();
    if (Seminer->FConfirmed != 1)
        return;
    QDate end, start;
    Formats::tryStrToDate(Seminer->MaskEdit1->maskedText(), end);
    const bool started = !Seminer->MaskEdit2->isBlank() && Formats::tryStrToDate(Seminer->MaskEdit2->maskedText(), start);
    // Stored through the grid's check; the seminar date follows (Query15AfterPost).
    storeCareerRow(Seminars, {{"Seminer", Seminer->Edit1->text()},
                              {"Yer", Seminer->Edit2->text()},
                              {"Tarih", end.isValid() ? QVariant(end) : QVariant(QMetaType(QMetaType::QDate))},
                              {"BTar", started ? QVariant(start) : QVariant(QMetaType(QMetaType::QDate))}});
    if (DBGrid15->state() == TDBGrid::Browse)
        reopen(Seminars);
    // "Seminer Tar" is saved with the person.
    if (FLoaded)
        FModified = 1;
}

void TMusteriGiris2::openClubLists()
{
    Database& d = db();
    m_clubs = d.select("select Durum_Key,Durum,E1 from C_UYELIKSURESI order by Durum");
    QComboBox* list = DBLookupComboBox1;
    list->clear();
    for (const Record& r : m_clubs)
        list->addItem(r.str("Durum"), r.value("Durum_Key"));
    list->setCurrentIndex(-1);
    m_allClubNames.clear();
    for (const Record& r : d.select("select * from C_UYELIKSURESI order by Durum"))
        m_allClubNames << r.str("Durum");
    m_clubNames.clear();
    for (const Record& r : d.select("select * from C_UYELIKSURESI where Durum_Key>1 order by Durum"))
        m_clubNames << qMakePair(r.value("Durum_Key"), r.str("Durum"));
    applyLookups();
    KulupAdlari();
}
