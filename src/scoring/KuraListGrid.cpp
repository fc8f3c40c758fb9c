// The match screen's lists and grids: the list area (branches or rings),
// the approved weigh-in list of the draw panel, the bout list with the
// grid's popups, the scores edited in the grid, and what live scoring asks
// of the bout list.
#include "scoring/KuraList.h"

#include "app/kit/DbGrid.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"
#include "app/kit/Session.h"
#include "app/kit/WeightCategories.h"
#include "scoring/Advancement.h"
#include "scoring/KuraListParts.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QToolBar>

#include <initializer_list>

using KuraListParts::currentField;
using KuraListParts::kWeighInTitle;

namespace {

const QString kBranchError = QStringLiteral("BRANŞ Tanımında HATA ile Karşılaşıldı ...!");

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

} // namespace

// ---------------------------------------------------------------------------
// The list area

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
