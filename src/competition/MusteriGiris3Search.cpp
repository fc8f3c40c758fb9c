// The weigh-in screen's left panel: the person search with its fields, the
// person editor from the result, the athlete list report, the quick
// registration ("Kaydet", LisHes) and the correction dialog's two openers.
// The rules are WeighSearch.h, QuickRegistration.h and WeighCorrection.h.
#include "competition/MusteriGiris3.h"

#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "competition/Form2.h"
#include "competition/QuickRegistration.h"
#include "competition/WeighSearch.h"
#include "platform/ui/Messages.h"
#include "registry/MusteriGiris2.h"
#include "reports/RegistryReports.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void weighSearchCaptionColour(QLabel* caption, bool filled)
{
    QPalette p = caption->palette();
    p.setColor(QPalette::WindowText, filled ? QColor(255, 0, 0) : QColor(Qt::black));
    caption->setPalette(p);
}

} // namespace

void TMusteriGiris3::buildSearchPanel(QVBoxLayout* panel)
{
    using namespace PlacedControls;
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const auto field = [this](const char* name) {
        auto* e = make<QLineEdit>(name, GroupBox1);
        return e;
    };
    const auto list = [this](const char* name) {
        auto* c = make<QComboBox>(name, GroupBox1);
        c->setFixedWidth(22);
        return c;
    };
    Edit4 = field("Edit4");
    Edit9 = readOnly(field("Edit9"));
    DBLookupComboBox5 = list("DBLookupComboBox5");
    Edit18 = field("Edit18");
    Edit16 = readOnly(field("Edit16"));
    DBLookupComboBox8 = list("DBLookupComboBox8");
    Edit13 = field("Edit13");
    Edit12 = readOnly(field("Edit12"));
    DBLookupComboBox6 = list("DBLookupComboBox6");
    Edit1 = field("Edit1");
    Edit10 = readOnly(field("Edit10"));
    ComboBox4 = list("ComboBox4");
    ComboBox4->addItems({"YARIŞACAK", "YARIŞMAYACAK"});
    ComboBox4->setCurrentIndex(-1);
    Edit15 = field("Edit15");
    Edit15->hide();
    Edit11 = field("Edit11");
    Edit11->hide();

    const QList<std::tuple<const char*, QLineEdit*, QComboBox*>> rows = {
        {"Ad Soyad", Edit4, nullptr},   {"Bölge", Edit9, DBLookupComboBox5}, {"Lisans No", Edit18, nullptr},
        {"Branş", Edit16, DBLookupComboBox8}, {"Kilo", Edit13, nullptr}, {"Kulüp", Edit12, DBLookupComboBox6},
        {"Sicil No", Edit1, nullptr},   {"Katılım", Edit10, ComboBox4}};
    int row = 0;
    for (const auto& [caption, edit, picker] : rows) {
        auto* label = make<QLabel>(QString("Caption_") + edit->objectName(), QString::fromUtf8(caption), GroupBox1);
        SearchCaptions << label;
        SearchFields << edit;
        grid->addWidget(label, row, 0);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(edit, 1);
        if (picker) {
            cell->addWidget(picker);
            connect(picker, qOverload<int>(&QComboBox::activated), this,
                    [this, edit = edit, picker = picker] { searchFieldPicked(edit, picker->currentText()); });
        }
        grid->addLayout(cell, row, 1);
        QLineEdit* e = edit;
        onClick(label, [e] { e->clear(); });
        connect(e, &QLineEdit::textChanged, this, [this, e, label](const QString& text) {
            weighSearchCaptionColour(label, !text.isEmpty());
            if (text.isEmpty())
                QIslem();
        });
        // A typed key closes the result.
        connect(e, &QLineEdit::textEdited, this, [this] { QIslem(); });
        TurkishEntry::textField(e, nullptr)->setEnterAction([this, e] { searchEnter(e); });
        ++row;
    }
    Edit18->installEventFilter(this);
    BitBtn1 = makeButton("BitBtn1", "Kayıt Bul", GroupBox1);
    grid->addWidget(BitBtn1, row, 1);
    panel->addLayout(grid);

    connect(BitBtn1, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn1Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn7Click);
    connect(BitBtn10, &QPushButton::clicked, this, &TMusteriGiris3::BitBtn10Click);
    connect(SporcuBilgileri1, &QAction::triggered, this, &TMusteriGiris3::SporcuBilgileri1Click);
    connect(DBGrid1, &TDBGrid::dblClick, this, &TMusteriGiris3::DBGrid1DblClick);
}

void TMusteriGiris3::fillSearchLists()
{
    DBLookupComboBox5->clear();
    for (const Record& r : db().select("select * from C_UYELIKTURU order by durum"))
        DBLookupComboBox5->addItem(r.str("Durum"), r.str("Tip1"));
    DBLookupComboBox5->setCurrentIndex(-1);
    DBLookupComboBox8->clear();
    for (const Record& r : FClassRows)
        DBLookupComboBox8->addItem(r.str("Durum"), r.str("E_B"));
    DBLookupComboBox8->setCurrentIndex(-1);
    DBLookupComboBox6->clear();
    for (const Record& r : db().select("select Durum_Key,Durum from C_UYELIKSURESI where Durum <>'' order by Durum"))
        DBLookupComboBox6->addItem(r.str("Durum"), r.value("Durum_Key"));
    DBLookupComboBox6->setCurrentIndex(-1);
}

void TMusteriGiris3::searchFieldPicked(QLineEdit* field, const QString& value)
{
    field->setText(value);
    field->setFocus();
    QIslem();
    if (field == Edit16) {
        const QString sex = DBLookupComboBox8->currentData().toString();
        if (value == "-")
            Edit15->clear();
        else if (sex == "E")
            Edit15->setText("ERKEK");
        else if (sex == "B")
            Edit15->setText("BAYAN");
    } else if (field == Edit9) {
        Edit11->setText(DBLookupComboBox5->currentData().toString());
        if (value.isEmpty())
            Edit9->setFocus();
        else if (!BitBtn10->isHidden())
            BitBtn10->setFocus();
        else
            Edit18->setFocus();
    }
}

void TMusteriGiris3::searchEnter(QLineEdit* field)
{
    if (BitBtn10->isHidden()) {
        BitBtn1Click();
        return;
    }
    // The registration's order.
    if (field == Edit4) {
        DBLookupComboBox5->setFocus();
        DBLookupComboBox5->showPopup();
        return;
    }
    const QList<std::pair<QLineEdit*, QWidget*>> next = {{Edit9, Edit18},  {Edit18, Edit16}, {Edit16, Edit13},
                                                        {Edit13, Edit12}, {Edit12, BitBtn10}, {Edit1, Edit10},
                                                        {Edit10, BitBtn1}};
    for (const auto& [from, to] : next)
        if (from == field)
            to->setFocus();
}

// --- Search --------------------------------------------------------------------------------

void TMusteriGiris3::BitBtn1Click()
{
    WeighSearch::Filters f;
    f.weight = Edit13->text();
    bool weightOk = true;
    if (!f.weight.isEmpty())
        WeighSearch::weightOf(f.weight, &weightOk);
    if (!weightOk) {
        Messages::error(WeighSearch::kBadWeight);
        Edit13->clear();
        Edit13->setFocus();
        return;
    }
    if (!Edit1->text().isEmpty())
        Edit1->setText(WeighSearch::padRegisterNumber(Edit1->text()));
    f.name = Edit4->text();
    f.weightClass = Edit16->text();
    f.region = Edit9->text();
    f.club = Edit12->text();
    f.licence = Edit18->text();
    f.registerNumber = Edit1->text();
    f.participation = Edit10->text();
    WeighSearch::Condition c;
    WeighSearch::build(f, c);
    FReportSql = WeighSearch::reportSql(c);
    FSearchParams = c.params;
    QIslem();
    const Records rows = db().select(WeighSearch::listSelect(c, FSearchOrder), c.params);
    DBGrid1->setRecords(rows);
    FSearchOpen = true;
    CountLabel->setText("Kayıt Sayısı : " + QString::number(rows.size()));
}

void TMusteriGiris3::DBGrid1DblClick()
{
    if (session().user.FMatchOnlyUser)
        return;
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty() || row.value("Musteri_Key").isNull())
        return;
    SecimTemizle();
    FEditKey = row.str("Musteri_Key");
    if (!SpAc())
        return;
    Edit6->setText(row.str("Vergi_Numarasi"));
    Edit6->setFocus();
}

void TMusteriGiris3::BitBtn7Click()
{
    if (session().user.FMatchOnlyUser)
        return;
    FEditKey = "0";
    if (!SpAc())
        return;
    fillSearchLists();
    if (FSearchOpen) {
        BitBtn1Click();
        DBGrid1->locate("Musteri_Key", MusteriGiris2->FPersonKey);
    }
    SecimTemizle();
}

void TMusteriGiris3::SporcuBilgileri1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (!FSearchOpen || row.isEmpty() || row.value("Musteri_Key").isNull())
        return;
    ReportLaunch::RegistrySelection s{FReportSql, QString(), true, QString(), FSearchOrder, FSearchParams};
    Reports::sporcuListesi(reportCaller(), s, Edit16->text());
}

// --- Quick registration -------------------------------------------------------------------

void TMusteriGiris3::LisHes()
{
    const QuickRegistration::Licence l =
        QuickRegistration::LisHes(Edit11->text(), Edit9->text(), Edit18->text(), session().edition.FederationCode);
    FLicenceOk = l.ok ? 1 : 0;
    if (l.ok) {
        Edit18->setText(l.number);
        return;
    }
    Messages::error(l.failure.message);
}

void TMusteriGiris3::Edit18Exit()
{
    if (!BitBtn10->isHidden() && !Edit18->text().isEmpty())
        LisHes();
}

void TMusteriGiris3::KayitBul1(const QString& weightClass)
{
    if (Panel2->isHidden())
        return;
    openClassBrowsing();
    const int at = DBLookupComboBox2->findText(weightClass);
    if (at < 0)
        return;
    DBLookupComboBox2->setCurrentIndex(at);
    DBLookupComboBox2Click();
    DBGrid2->setCurrentRow(DBGrid2->rowCount() - 1);
}

void TMusteriGiris3::BitBtn10Click()
{
    if (session().user.FMatchOnlyUser)
        return;
    QuickRegistration::Input in{Edit4->text(),  Edit9->text(),  Edit11->text(), Edit18->text(),
                                Edit16->text(), Edit15->text(), Edit13->text(), Edit12->text()};
    const QString federation = session().edition.FederationCode;
    if (const auto failed = QuickRegistration::check(in, FTeamMode == 0, federation)) {
        if (failed->error)
            Messages::error(failed->message);
        else
            Messages::info(failed->message);
        QWidget* focus[] = {nullptr, Edit4, Edit9, Edit18, Edit16, Edit13, Edit12};
        if (QWidget* w = focus[int(failed->field)])
            w->setFocus();
        FLicenceOk = 0;
        return;
    }
    FLicenceOk = 1;
    SecimTemizle();
    const QuickRegistration::Result r = QuickRegistration::KayitEkle(
        db(), in, {federation, FTeamMode, FParticipationPoints, session().user.FUserName, FToday()});
    switch (r.kind) {
    case QuickRegistration::Result::NoRegisterNumber:
        Messages::error(r.message);
        return;
    case QuickRegistration::Result::AlreadyListed:
        KayitBul1(in.weightClass);
        Messages::error(r.message);
        break;
    case QuickRegistration::Result::Added:
        Edit18->setText(QuickRegistration::LisHes(in.regionCode, in.region, in.licence, federation).number);
        KayitBul1(in.weightClass);
        Messages::info(r.message);
        break;
    }
    Edit4->clear();
    Edit9->clear();
    Edit12->clear();
    Edit4->setFocus();
}

// --- Correction ---------------------------------------------------------------------------------

void TMusteriGiris3::BilgiDuzeltme1Click()
{
    const Record row = DBGrid2->currentRecord();
    if (FGradeMode || !FListsOpen || row.isEmpty() || row.value("Liste_Key").isNull() || Form2->refuseWhileOpen())
        return;
    Form2->FTeamMode = FTeamMode;
    Form2->FListKey = row.toInt("Liste_Key");
    Form2->FListRowMode = 1;
    Form2->ComboBox3->clear();
    Form2->ComboBox3->addItems(teamNames());
    Form2->Label6->setText("Takım");
    Form2->setWindowTitle("Bilgi Düzeltme");
    Form2->FSaved = 0;
    Form2->showModal();
    const int listKey = Form2->FListKey;
    refreshLists();
    refreshClassBrowsing();
    DBGrid2->locate("Liste_Key", listKey);
    if (Form2->FSaved && !AthletePanel->isHidden() && Form2->FPersonKey == FAthleteKey)
        reselect();
}

void TMusteriGiris3::SpeedButton2Click()
{
    if (Edit6->text().isEmpty()) {
        Messages::info("Lütfen Sicil No'yu Giriniz ...!");
        return;
    }
    if (Form2->refuseWhileOpen())
        return;
    Form2->FPersonKey = FAthleteKey;
    Form2->FListRowMode = 0;
    Form2->ComboBox3->clear();
    Form2->ComboBox3->addItems({"BAYAN", "ERKEK"});
    Form2->Label6->setText("Cinsiyet");
    Form2->setWindowTitle("Sicil Bilgileri Düzeltme");
    Form2->FOldGender = FAthleteGender;
    Form2->FSaved = 0;
    Form2->showModal();
    if (!Form2->FSaved)
        return;
    const QString gender = db().scalar("select E15 from C_MUSTERI where Musteri_Key = :k", {{"k", FAthleteKey}})
                               .toString();
    if (gender != FAthleteGender)
        dropClassChange();
    SicildenArama1();
}
