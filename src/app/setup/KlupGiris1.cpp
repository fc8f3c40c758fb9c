#include "app/setup/KlupGiris1.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PickLists.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "app/setup/ClubListRules.h"
#include "app/setup/MetinIlave.h"
#include "exchange/SmsExportLog.h"
#include "platform/ui/Messages.h"
#include "registry/KlupGiris2.h"
#include "reports/RegistryReports.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

void clubCaptionColour(QWidget* w, bool red)
{
    w->setStyleSheet(red ? "color: red;" : QString());
}

// Runs a handler's work; a database failure is shown, not thrown on.
template <class Work>
void clubListRun(Work work)
{
    try {
        work();
    } catch (const DbError& e) {
        Messages::error(e.message());
    }
}

} // namespace

TKlupGiris1::TKlupGiris1()
{
    using namespace PlacedControls;
    setObjectName("KlupGiris1");
    setWindowTitle("Yeni Kulüp Girişi ve İşlem Ekranı");
    setFixedSize(900, 600);
    FOrderBy = ClubListRules::kOrderByName;

    // Filters.
    Label7 = make<QLabel>("Label7", "Yetkili Kişi", this, {12, 14, 80, 20});
    Edit7 = make<QLineEdit>("Edit7", this, {96, 12, 220, 24});
    DBLookupComboBox7 = PickLists::make("DBLookupComboBox7", this, {316, 12, 20, 24});
    Label3 = make<QLabel>("Label3", "Kulüp", this, {12, 44, 80, 20});
    Edit3 = make<QLineEdit>("Edit3", this, {96, 42, 220, 24});
    DBLookupComboBox3 = PickLists::make("DBLookupComboBox3", this, {316, 42, 20, 24});
    Label2 = make<QLabel>("Label2", "Bölge", this, {12, 74, 80, 20});
    Edit2 = readOnly(make<QLineEdit>("Edit2", this, {96, 72, 220, 24}));
    DBLookupComboBox2 = PickLists::make("DBLookupComboBox2", this, {316, 72, 20, 24});
    for (QLabel* l : {Label7, Label3, Label2})
        l->setCursor(Qt::PointingHandCursor);
    onClick(Label7, [this] { Edit7->clear(); });
    onClick(Label3, [this] { Edit3->clear(); });
    onClick(Label2, [this] { Edit2->clear(); });

    RadioButton1 = make<QRadioButton>("RadioButton1", "Kulüp", this, {370, 12, 130, 22});
    RadioButton2 = make<QRadioButton>("RadioButton2", "Salon/Kişisel", this, {370, 38, 130, 22});
    RadioButton3 = make<QRadioButton>("RadioButton3", "Hepsi", this, {370, 64, 130, 22});
    RadioButton3->setChecked(true);
    CheckBox1 = make<QCheckBox>("CheckBox1", "Faal Olmayanlar", this, {520, 12, 160, 22});

    BitBtn1 = makeButton("BitBtn1", "Kayıt Bul", this, {520, 60, 110, 30});

    // Order buttons above the grid's first three columns, and the marker of
    // the order in force in place of its button.
    const int gridTop = 130;
    const int orderLeft[] = {14, 204, 354};
    const char* const hints[] = {"Kulüp Adına göre sırala", "Yetkili Kişiye göre sırala", "Bölgeye göre sırala"};
    QToolButton** buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3};
    QLabel** markers[] = {&Image1, &Image2, &Image3};
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = make<QToolButton>(QString("SpeedButton%1").arg(i + 1), this, {orderLeft[i], gridTop - 22, 18, 18});
        (*buttons[i])->setText("▼");
        (*buttons[i])->setToolTip(hints[i]);
        *markers[i] = make<QLabel>(QString("Image%1").arg(i + 1), "●", this, {orderLeft[i] + 4, gridTop - 22, 18, 18});
    }

    DBGrid1 = make<TDBGrid>("DBGrid1", this, {10, gridTop, 880, 380});
    GridColumn key("Durum_Key", "Kayıt No", 65);
    key.text = [](const Record& r) { return ClubListRules::keyText(r.toInt("Durum_Key")); };
    key.color = Qt::gray;
    DBGrid1->setColumns({{"Durum", "Kulüp Adı", 190},
                         {"Ad_Soyad", "Yetkili Kişi", 150},
                         {"E1", "Bölge", 100},
                         {"E3", "Cep Telefonu", 95},
                         {"Telefonlar", "İş Telefonu", 95},
                         {"Fax", "Fax", 75},
                         {"E4", "Ev Telf.", 75},
                         key});
    DBGrid1->setMultiSelect(true);
    Label10 = make<QLabel>("Label10", "Kayıt Sayısı : ", this, {12, 516, 200, 20});

    const int buttonTop = 550;
    BitBtn2 = makeButton("BitBtn2", "Yeni Kayıt", this, {10, buttonTop, 100, 32});
    BitBtn3 = makeButton("BitBtn3", "Yazdır", this, {116, buttonTop, 90, 32});
    BitBtn4 = make<QToolButton>("BitBtn4", this, {206, buttonTop, 24, 32});
    BitBtn4->setPopupMode(QToolButton::InstantPopup);
    BitBtn4->setText("▼");
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    KulpListesi1 = makeItem(PopupMenu1, "KulpListesi1", "Kulüp Listesi");
    SporcuSaylar1 = makeItem(PopupMenu1, "SporcuSaylar1", "Sporcu Sayıları");
    MektupAdresli1 = makeItem(PopupMenu1, "MektupAdresli1", "Mektup (Adresli)");
    MektupAdressiz1 = makeItem(PopupMenu1, "MektupAdressiz1", "Mektup (Adressiz)");
    Etiket1 = makeItem(PopupMenu1, "Etiket1", "Etiket");
    BitBtn4->setMenu(PopupMenu1);
    BitBtn5 = makeButton("BitBtn5", "Aktarım", this, {300, buttonTop, 100, 32});
    BitBtn6 = makeButton("BitBtn6", "Kayıt Sil", this, {406, buttonTop, 100, 32});
    BitBtn7 = makeButton("BitBtn7", "Sms Gönder", this, {512, buttonTop, 110, 32});
    BitBtn8 = makeButton("BitBtn8", "Kapat", this, {790, buttonTop, 100, 32});

    // Enter in a text field runs the search.
    TurkishEntry::textField({Edit7, Edit3}, nullptr)->setEnterAction([this] { Search(); });
    TurkishEntry::textField(Edit2, nullptr)->setEnterAction([this] { Search(); });
    for (QLineEdit* e : {Edit7, Edit3, Edit2})
        connect(e, &QLineEdit::textChanged, this, [this](const QString& text) {
            paintFilterCaptions();
            if (text.isEmpty())
                Search();
        });
    const QList<QPair<QComboBox*, QLineEdit*>> picks = {
        {DBLookupComboBox7, Edit7}, {DBLookupComboBox3, Edit3}, {DBLookupComboBox2, Edit2}};
    for (const auto& [list, field] : picks)
        connect(list, &QComboBox::activated, this, [this, list = list, field = field](int index) {
            if (index < 0)
                return;
            field->setText(list->itemText(index));
            Search();
        });
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
        connect(r, &QRadioButton::clicked, this, [this] {
            paintFilterCaptions();
            Search();
        });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] {
        paintFilterCaptions();
        Search();
    });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { setOrder(ClubListRules::kOrderByName); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { setOrder(ClubListRules::kOrderByContact); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { setOrder(ClubListRules::kOrderByRegion); });

    connect(BitBtn1, &QPushButton::clicked, this, &TKlupGiris1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TKlupGiris1::BitBtn2Click);
    connect(DBGrid1, &TDBGrid::dblClick, this, &TKlupGiris1::DBGrid1DblClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TKlupGiris1::KulpListesi1Click);
    connect(KulpListesi1, &QAction::triggered, this, &TKlupGiris1::KulpListesi1Click);
    connect(SporcuSaylar1, &QAction::triggered, this, &TKlupGiris1::SporcuSaylar1Click);
    connect(MektupAdresli1, &QAction::triggered, this, &TKlupGiris1::MektupAdresli1Click);
    connect(MektupAdressiz1, &QAction::triggered, this, &TKlupGiris1::MektupAdressiz1Click);
    connect(Etiket1, &QAction::triggered, this, &TKlupGiris1::Etiket1Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TKlupGiris1::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TKlupGiris1::BitBtn6Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TKlupGiris1::BitBtn7Click);
    connect(BitBtn8, &QPushButton::clicked, this, &QDialog::close);

    paintFilterCaptions();
    setOrder(FOrderBy);
}

void TKlupGiris1::paintFilterCaptions()
{
    clubCaptionColour(Label7, !Edit7->text().isEmpty());
    clubCaptionColour(Label3, !Edit3->text().isEmpty());
    clubCaptionColour(Label2, !Edit2->text().isEmpty());
    clubCaptionColour(RadioButton1, RadioButton1->isChecked());
    clubCaptionColour(RadioButton2, RadioButton2->isChecked());
    clubCaptionColour(CheckBox1, CheckBox1->isChecked());
}

void TKlupGiris1::readPickLists()
{
    Database& db = session().db;
    PickLists::fill(DBLookupComboBox7,
                     db.select("select distinct(Ad_Soyad) as Ad_Soyad from C_UYELIKSURESI where ad_soyad<>'' "
                               "order by Ad_Soyad"),
                     "Ad_Soyad");
    PickLists::fill(DBLookupComboBox3,
                     db.select("select Durum_Key, Durum from C_UYELIKSURESI where Durum_Key > 1 order by Durum"),
                     "Durum");
    PickLists::fill(DBLookupComboBox2, db.select("select * from C_UYELIKTURU order by durum"), "Durum");
}

void TKlupGiris1::FormActivate()
{
    if (FInPreview == 1) {
        FInPreview = 0;
        return;
    }
    KlupGiris2->FPrefilled = 0;
    clubListRun([this] {
        readPickLists();
        Search();
    });
}

void TKlupGiris1::FormClose()
{
    DBGrid1->setRecords({});
    FSelectedKeys = "0";
}

void TKlupGiris1::Search()
{
    if (m_searching || !session().db.isOpen())
        return;
    m_searching = true;
    ClubListFilter f;
    f.contact = Edit7->text();
    f.club = Edit3->text();
    f.region = Edit2->text();
    f.kind = RadioButton1->isChecked()   ? ClubListFilter::Kind::Club
             : RadioButton2->isChecked() ? ClubListFilter::Kind::Gym
                                         : ClubListFilter::Kind::All;
    f.inactiveOnly = CheckBox1->isChecked();
    clubListRun([&] {
        FListFilter = ClubListRules::filterText(f, FListParams);
        FListSql = ClubListRules::kListSql + FListFilter;
        DBGrid1->setRecords(session().db.select(FListSql + " order by " + FOrderBy, FListParams));
    });
    Label10->setText("Kayıt Sayısı : " + QString::number(DBGrid1->rowCount()));
    m_searching = false;
}

void TKlupGiris1::setOrder(const QString& orderBy)
{
    FOrderBy = orderBy;
    const QString orders[] = {ClubListRules::kOrderByName, ClubListRules::kOrderByContact,
                              ClubListRules::kOrderByRegion};
    QToolButton* buttons[] = {SpeedButton1, SpeedButton2, SpeedButton3};
    QLabel* markers[] = {Image1, Image2, Image3};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setVisible(orders[i] != orderBy);
        markers[i]->setVisible(orders[i] == orderBy);
    }
    Search();
}

void TKlupGiris1::BitBtn1Click()
{
    Search();
}

void TKlupGiris1::Sec(int)
{
    QList<int> rows = DBGrid1->selectedRows();
    std::sort(rows.begin(), rows.end());
    QList<int> keys;
    for (const int r : rows)
        keys << DBGrid1->record(r).toInt("Durum_Key");
    FSelectedKeys = ClubListRules::selectedKeys(keys);
    if (!DBGrid1->isEmpty())
        DBGrid1->setCurrentRow(rows.isEmpty() ? 0 : rows.last());
}

void TKlupGiris1::DBGrid1DblClick()
{
    if (DBGrid1->currentRow() < 0)
        return;
    if (KlupGiris2->refuseWhileOpen())
        return;
    const int key = DBGrid1->currentRecord().toInt("Durum_Key");
    KlupGiris2->FClubKey = key;
    KlupGiris2->showModal();
    clubListRun([this] { readPickLists(); });
    Search();
    DBGrid1->locate("Durum_Key", key);
}

void TKlupGiris1::BitBtn2Click()
{
    if (KlupGiris2->refuseWhileOpen())
        return;
    KlupGiris2->FClubKey = 0;
    KlupGiris2->showModal();
    clubListRun([this] { readPickLists(); });
    Search();
}

void TKlupGiris1::BitBtn6Click()
{
    if (DBGrid1->currentRow() < 0)
        return;
    const Record club = DBGrid1->currentRecord();
    const int key = club.toInt("Durum_Key");
    clubListRun([&] {
        Database& db = session().db;
        const QString refusal = ClubListRules::deleteRefusal(db, key);
        if (!refusal.isEmpty()) {
            Messages::info(refusal);
            return;
        }
        if (!Form5->confirm(ClubListRules::deleteQuestion(club.str("Durum"))))
            return;
        ClubListRules::deleteClub(db, key);
        readPickLists();
    });
    Search();
}

void TKlupGiris1::BitBtn5Click()
{
    if (DBGrid1->currentRow() < 0)
        return;
    const int current = DBGrid1->currentRecord().toInt("Durum_Key");
    Sec(0);
    const QString refusal = ClubListRules::moveRefusal(FSelectedKeys);
    if (!refusal.isEmpty()) {
        Messages::info(refusal);
        return;
    }
    clubListRun([&] {
        Database& db = session().db;
        const ClubMove move = ClubListRules::planMove(db, FSelectedKeys, current);
        if (!Form5->confirm(ClubListRules::moveQuestion(move), true))
            return;
        ClubListRules::movePersons(db, move, session().user.FUserName, FToday());
        Messages::info("Aktarım Tamamlandı ...!");
    });
}

ReportCaller TKlupGiris1::caller()
{
    return ReportCaller::screen(this, &FInPreview, [this](QObject* report) { FPreviewReport = report; });
}

namespace {
Reports::ClubSelection clubSelectionOf(const TKlupGiris1& s)
{
    return {s.FListSql, s.FListFilter, s.FListParams, s.FSelectedKeys == "0" ? QString() : s.FSelectedKeys,
            s.FOrderBy};
}
} // namespace

void TKlupGiris1::KulpListesi1Click()
{
    if (DBGrid1->isEmpty())
        return;
    Sec(0);
    clubListRun([this] { Reports::kulupListesi(caller(), clubSelectionOf(*this)); });
}

void TKlupGiris1::SporcuSaylar1Click()
{
    if (DBGrid1->isEmpty())
        return;
    Sec(0);
    clubListRun([this] { Reports::kulupSporcuSayilari(caller(), clubSelectionOf(*this)); });
}

void TKlupGiris1::letters(bool withAddress)
{
    if (DBGrid1->isEmpty())
        return;
    Sec(0);
    MetinIlave->showModal();
    const Reports::LetterHeader header{MetinIlave->Edit8->text(), MetinIlave->Edit5->text(),
                                       MetinIlave->Edit6->text(), MetinIlave->Edit1->text(),
                                       MetinIlave->FLetterFile};
    clubListRun([&] { Reports::kulupMektup(caller(), clubSelectionOf(*this), header, withAddress); });
}

void TKlupGiris1::MektupAdresli1Click()
{
    letters(true);
}

void TKlupGiris1::MektupAdressiz1Click()
{
    letters(false);
}

void TKlupGiris1::Etiket1Click()
{
    if (DBGrid1->isEmpty())
        return;
    Sec(0);
    clubListRun([this] { Reports::kulupEtiket(caller(), clubSelectionOf(*this)); });
}

void TKlupGiris1::BitBtn7Click()
{
    if (DBGrid1->isEmpty())
        return;
    Sec(0);
    clubListRun([this] {
        SmsExport::showOutcome(SmsExport::exportClubs(session().db, clubSelectionOf(*this)), this, &FInPreview,
                               false);
    });
}
