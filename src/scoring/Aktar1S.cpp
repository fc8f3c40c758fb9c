#include "scoring/Aktar1S.h"

#include "app/dialogs/Form5.h"
#include "app/kit/Session.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"
#include "reports/ActivityTitle.h"
#include "reports/Baslik1.h"
#include "reports/Baslik1S.h"
#include "reports/ResultsReports.h"
#include "scoring/Placings.h"
#include "scoring/ResultsPosting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

namespace {

const QString kResultsFor = QStringLiteral("Turnuvaya Katılan Sporcuların Sicil Kayıtlarına Turnuva Bilgileri İşlenecektir.");
const QString kDutiesFor = QStringLiteral("Seçilen Kişilerin Sicil Kayıtlarına Turnuva Bilgisi İşlenecektir.");
const QString kChooseActivity = QStringLiteral("Lütfen Hangi Turnuvanın İşleneceğini Seçiniz ...!");
const QString kNoUndo =
    QStringLiteral("İşlemi Geri Alma İmkanı Bulunmamaktadır. Devam Etmek İstediğinizden Eminmisiniz ...!");
const QString kWinnersMissing = QStringLiteral(
    "Kura Listelerinde Galip Gelen Tüm Sporcular Belirtilmemiştir. Galiplere Puan Verilmeyecek\n"
    " ve Derece Puanlamaları Eksik Hesaplanacaktır. İşleme Devam Edilsinmi ...?");

Database& db()
{
    return session().db;
}

QString lookup(const Records& rows, const QString& keyField, const QVariant& key, const QString& field)
{
    if (key.isNull())
        return QString();
    for (const Record& r : rows)
        if (!r.isNull(keyField) && r.toInt(keyField) == key.toInt())
            return r.str(field);
    return QString();
}

ResultsPosting::Stamp stamp()
{
    return {session().today(), session().user.FUserName};
}

QFont bold(QFont f)
{
    f.setBold(true);
    return f;
}

} // namespace

TAktar1S::TAktar1S()
{
    setObjectName("Aktar1S");
    setWindowTitle("Başlık");

    Label15 = new QLabel("Başlık", this);
    Label15->setObjectName("Label15");
    Label15->setFont(bold(Label15->font()));
    Label15->setGeometry(12, 18, 66, 18);   // wide enough for "Turnuva"

    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName("DBLookupComboBox1");
    DBLookupComboBox1->setGeometry(80, 14, 440, 24);
    Edit8 = new QLineEdit(this);
    Edit8->setObjectName("Edit8");
    Edit8->setReadOnly(true);
    Edit8->setGeometry(80, 44, 440, 24);

    CheckBox1 = new QCheckBox("İlk 3'ü göster", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox1->move(80, 76);
    CheckBox1->adjustSize();
    CheckBox2 = new QCheckBox("Takım/Kulüp Göster", this);
    CheckBox2->setObjectName("CheckBox2");
    CheckBox2->move(230, 76);
    CheckBox2->adjustSize();

    Label1 = new QLabel("Kategori", this);
    Label1->setObjectName("Label1");
    Label1->move(12, 110);
    Label1->adjustSize();
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName("DBLookupComboBox2");
    DBLookupComboBox2->setGeometry(80, 106, 150, 24);
    Edit6 = new QLineEdit(this);
    Edit6->setObjectName("Edit6");
    Edit6->setReadOnly(true);
    Edit6->setGeometry(234, 106, 120, 24);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(DBLookupComboBox2),
                       static_cast<QWidget*>(Edit6)})
        w->hide();

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setGeometry(12, 108, 320, 20);

    BitBtn3 = new QPushButton("Tamam", this);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn3->setFont(bold(BitBtn3->font()));
    BitBtn3->setGeometry(348, 102, 82, 30);
    BitBtn1 = new QPushButton("Çıkış", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(438, 102, 82, 30);

    // Enter in the list or the check boxes runs no job: only a click does.
    for (QPushButton* b : {BitBtn3, BitBtn1}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(BitBtn3, &QPushButton::clicked, this, &TAktar1S::BitBtn3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TAktar1S::BitBtn1Click);
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TAktar1S::DBLookupComboBox1Click);
    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TAktar1S::DBLookupComboBox2Click);
    PlacedControls::onClick(Label1, [this] { Label1Click(); });
    TurkishEntry::textField(Edit8, nullptr);
    setFixedSize(532, 144);
}

const Record* TAktar1S::activity() const
{
    const int row = DBLookupComboBox1->currentIndex();
    return row >= 0 && row < int(Query1.size()) ? &Query1[row] : nullptr;
}

void TAktar1S::FormActivate()
{
    if (FSkipActivate) {
        FSkipActivate = 0;
        return;
    }
    Database& d = db();
    Query2 = d.select("select * from C_BRANSADI");
    Query3 = d.select("select * from C_TURTURU");
    Query1 = d.select("select * from C_TURNUVA order by Turnuva_Key desc");
    Query4 = d.select("select * from C_BRANSADI where Durum_Key > 2 order by Durum_Key");
    DBLookupComboBox1->clear();
    for (const Record& a : std::as_const(Query1)) {
        const QString category = lookup(Query2, "Durum_Key", a.value("Durum_Key"), "Durum");
        const QString type = lookup(Query3, "Tur_Key", a.value("Tur_Key"), "Turu");
        DBLookupComboBox1->addItem(TBaslik1S::activityText(a, category, type), a.value("Turnuva_Key"));
    }
    DBLookupComboBox1->setCurrentIndex(-1);
    DBLookupComboBox2->clear();
    for (const Record& c : std::as_const(Query4))
        DBLookupComboBox2->addItem(c.str("Durum"), c.value("Durum_Key"));
    DBLookupComboBox2->setCurrentIndex(-1);

    ProgressBar1->setValue(0);
    Edit8->clear();
    Edit8->setFocus();
    Edit6->clear();
}

void TAktar1S::FormClose()
{
    Query1.clear();
    Query2.clear();
    Query3.clear();
    Query4.clear();
    DBLookupComboBox1->clear();
    DBLookupComboBox2->clear();
}

void TAktar1S::BitBtn1Click()
{
    close();
}

void TAktar1S::DBLookupComboBox1Click()
{
    Edit8->setText(DBLookupComboBox1->currentText());
}

void TAktar1S::Label1Click()
{
    Edit6->clear();
}

void TAktar1S::DBLookupComboBox2Click()
{
    Edit6->setText(DBLookupComboBox2->currentText());
}

void TAktar1S::DerecePuanla()
{
    Placings::DerecePuanla(db(), {FFirstPlacePoints, FSecondPlacePoints, FThirdPlacePoints});
}

void TAktar1S::Derecele()
{
    Placings::Derecele(db(), {FBranchFilter, FFullRanking == 1});
}

QString TAktar1S::postedText(int posted, int notPosted)
{
    return "Sicil Kayıtlarına Turnuva Bilgileri İşlenen Sporcu Sayısı : " + QString::number(posted) + "\n" +
           "Sicil Kayıtlarına Turnuva Bilgileri İşlenemeyen Sporcu Sayısı : " + QString::number(notPosted);
}

QString TAktar1S::dutiesText(int posted, int notPosted)
{
    return "Sicil Kayıtlarına Turnuva Bilgileri İşlenen Sayısı : " + QString::number(posted) + "\n" +
           "Sicil Kayıtlarına Turnuva Bilgileri İşlenemeyen Sayısı : " + QString::number(notPosted);
}

bool TAktar1S::ask(const QString& question, bool moveUp)
{
    Form5->Label1->setText(question);
    const int shift = moveUp ? 8 : 0;
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() - shift);
    auto back = qScopeGuard([shift] { Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() + shift); });
    Form5->showModal();
    return Form5->FConfirmed == 1;
}

void TAktar1S::setProgress(int percent)
{
    ProgressBar1->setValue(percent);
}

void TAktar1S::BitBtn3Click()
{
    FFullRanking = 0;
    try {
        switch (FRankingMode) {
        case 1:
            postResults();
            break;
        case 2:
            pointsList();
            break;
        case 3:
            rankingList();
            break;
        case 4:
            TurnuvaIsle();
            break;
        default:
            break;
        }
    } catch (const DbError& e) {
        // The job's transaction was rolled back: nothing of it remains.
        Messages::error(e.message());
    }
}

void TAktar1S::postResults()
{
    const Record* a = activity();
    if (!a) {
        Messages::warning(kResultsFor + "\n" + kChooseActivity);
        return;
    }
    if (!ask(kResultsFor + "\n" + kNoUndo, true))
        return;
    const QStringList missing = ResultsPosting::missingBranches(db());
    if (!missing.isEmpty()) {
        for (const QString& branch : missing)
            Messages::warning(ResultsPosting::missingBranchText(branch));
        Messages::warning(ResultsPosting::kRetryBranches);
        return;
    }
    FFirstPlacePoints = 1;
    FSecondPlacePoints = 2;
    FThirdPlacePoints = 3;
    ProgressBar1->setValue(0);
    const ResultsPosting::Totals t = ResultsPosting::postResults(db(), a->toInt("Turnuva_Key"), Edit6->text(), stamp(),
                                                                 [this](int p) { setProgress(p); });
    for (const QString& w : t.warnings)
        Messages::warning(w);
    Messages::info(postedText(t.posted, t.notPosted));
}

void TAktar1S::pointsList()
{
    bool winPoints = true;
    if (PointsList::hasUndecidedBouts(db())) {
        if (!ask(kWinnersMissing, false))
            return;
        winPoints = false;
    }
    const PointsList::PointValues v = PointsList::read(db());
    FParticipationPoints = v.participation;
    FByePoints = v.bye;
    FFirstPlacePoints = v.first;
    FSecondPlacePoints = v.second;
    FThirdPlacePoints = v.third;
    FWinPoints = v.win;
    PointsList::compute(db(), v, winPoints);

    // The modal preview; the screen's activation runs when it closes.
    ReportCaller caller;
    caller.activate = [this] { activateNow(); };
    Reports::puanlamaListesi(caller, CheckBox1->isChecked(), Edit8->text());
}

void TAktar1S::rankingList()
{
    FFullRanking = 1;
    FBranchFilter.clear();
    Derecele();

    Reports::RankingListOptions o;
    o.firstThree = CheckBox1->isChecked();
    o.clubs = CheckBox2->isChecked();
    const Record* a = activity();
    o.title = a ? ActivityTitle::compose(*a) : QString();
    o.category = Edit6->text();
    Reports::dereceListesi(ReportCaller::screen(this, &FSkipActivate, [this](QObject* r) { SetPreviewReport(r); }), o);
}

void TAktar1S::TurnuvaIsle()
{
    const Record* a = activity();
    if (!a) {
        Messages::warning(kDutiesFor + "\n" + kChooseActivity);
        return;
    }
    if (!ask(kDutiesFor + "\n" + kNoUndo, false))
        return;
    QList<int> keys;
    for (const QString& item : FSelectedKeys.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int key = item.trimmed().toInt(&ok);
        if (ok)
            keys << key;
    }
    ProgressBar1->setValue(0);
    const ResultsPosting::Totals t =
        ResultsPosting::postDuties(db(), a->toInt("Turnuva_Key"), a->date("Tarih1"), keys, FDutyText, stamp(),
                                   [this](int p) { setProgress(p); });
    for (const QString& w : t.warnings)
        Messages::warning(w);
    Messages::info(dutiesText(t.posted, t.notPosted));
}
