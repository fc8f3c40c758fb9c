// The person record editor's field handling: the change flag, the label
// colours, the pick lists that fill the read-only fields, the captions that
// empty fields, moving between fields with Enter and the arrow keys, the
// record sheet and the new-club button.
#include "registry/MusteriGiris2.h"

#include "app/kit/Formats.h"
#include "registry/KlupGiris2.h"
#include "platform/ui/Messages.h"
#include "registry/CaptionClick.h"
#include "registry/MaskEdit.h"
#include "registry/PersonRecordSheet.h"
#include "reports/Baslik2.h"
#include "reports/ReportLaunch.h"
#include "app/kit/Session.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

void TMusteriGiris2::wireFields()
{
    connect(Edit11, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit11Change);
    connect(Edit12, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit11Change);
    connect(Edit82, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit82Change);
    connect(Edit50, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit50Change);
    connect(Edit43, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit43Change);
    connect(Edit53, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit53Change);
    connect(Edit54, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit54Change);
    connect(Edit55, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit55Change);
    connect(Edit58, &QLineEdit::textChanged, this, &TMusteriGiris2::Edit58Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &TMusteriGiris2::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TMusteriGiris2::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::clicked, this, &TMusteriGiris2::CheckBox3Click);
    connect(DBLookupComboBox2, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox2Click);
    connect(DBLookupComboBox4, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox4Click);
    connect(DBLookupComboBox7, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox7Click);
    connect(DBLookupComboBox13, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox13Click);
    connect(DBLookupComboBox8, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox8Click);
    connect(DBLookupComboBox9, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox9Click);
    connect(DBLookupComboBox10, &QComboBox::activated, this, &TMusteriGiris2::DBLookupComboBox10Click);
    // A choice in the list, also of the entry it already showed.
    connect(ComboBox2, &QComboBox::activated, this, &TMusteriGiris2::ComboBox2Change);
    connect(ComboBox1, &QComboBox::activated, this, &TMusteriGiris2::ComboBox1Change);

    // Captions that empty their fields.
    emptyOnCaptionClick(Label50, {Edit50});
    emptyOnCaptionClick(Label43, {Edit43});
    emptyOnCaptionClick(Label52, {Edit52, Edit56, MaskEdit5});
    emptyOnCaptionClick(Label51, {Edit51, Edit57, MaskEdit6});
    emptyOnCaptionClick(Label25, {Edit25, Edit58, Edit82, MaskEdit7});
    emptyOnCaptionClick(Label53, {Edit53});
    emptyOnCaptionClick(Label54, {Edit54});
    emptyOnCaptionClick(Label55, {Edit55});
    emptyOnCaptionClick(Label15, {Edit15});
    emptyOnCaptionClick(Label_E18, {Edit18});
    emptyOnCaptionClick(Label38, {Edit38});
    emptyOnCaptionClick(Label20, {Edit20});

    // Key preview: the window sees the keys of its fields first. The career
    // grids keep their keys (FInGrid).
    for (QWidget* w : findChildren<QWidget*>()) {
        bool inGrid = false;
        for (const Career& c : m_career)
            inGrid = inGrid || w == c.grid || c.grid->isAncestorOf(w);
        if (!inGrid)
            w->installEventFilter(this);
    }
    // DBGrid12Enter / DBGrid12Exit: whether the focus is in a career grid.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || now->window() != this)
            return;
        bool inGrid = false;
        for (const Career& c : m_career)
            inGrid = inGrid || now == c.grid || c.grid->isAncestorOf(now);
        FInGrid = inGrid ? 1 : 0;
    });
}

// --- The change flag and the label colours -------------------------------------

void TMusteriGiris2::Edit13Change()
{
    if (FLoaded)
        FModified = 1;
}

void TMusteriGiris2::Edit11Change()
{
    if (FLoaded)
        FModified = 1;
    QString full = Edit11->text();
    if (!Edit12->text().isEmpty())
        full += " " + Edit12->text();
    Edit1->setText(full);
}

void TMusteriGiris2::Edit82Change()
{
    if (FLoaded)
        FModified = 1;
    FStyleChanged = 1;
}

void TMusteriGiris2::colourByText(QLabel* caption, QLineEdit* field)
{
    colourCaption(caption, field->text().isEmpty() ? QColor(Qt::black) : QColor(Qt::blue));
}

void TMusteriGiris2::Edit50Change()
{
    if (FLoaded)
        FModified = 1;
    colourByText(Label50, Edit50);
}

void TMusteriGiris2::Edit43Change()
{
    if (FLoaded)
        FModified = 1;
    colourByText(Label43, Edit43);
}

void TMusteriGiris2::Edit53Change()
{
    if (FLoaded)
        FModified = 1;
    colourByText(Label53, Edit53);
}

void TMusteriGiris2::Edit54Change()
{
    if (FLoaded)
        FModified = 1;
    colourByText(Label54, Edit54);
}

void TMusteriGiris2::Edit55Change()
{
    if (FLoaded)
        FModified = 1;
    colourByText(Label55, Edit55);
}

void TMusteriGiris2::Edit58Change()
{
    if (FLoaded)
        FModified = 1;
}

void TMusteriGiris2::CheckBox1Click()
{
    colourCaption(CheckBox1, CheckBox1->isChecked() ? QColor(Qt::red) : QColor(Qt::black));
    if (FLoaded)
        FModified = 1;
}

void TMusteriGiris2::CheckBox2Click()
{
    colourCaption(CheckBox2, CheckBox2->isChecked() ? QColor(Qt::blue) : QColor(Qt::black));
    if (FLoaded)
        FModified = 1;
}

void TMusteriGiris2::CheckBox3Click()
{
    colourCaption(Label_Ovunc, CheckBox3->isChecked() ? QColor(Qt::blue) : QColor(Qt::black));
    if (FLoaded)
        FModified = 1;
}

// --- Pick lists ------------------------------------------------------------------

void TMusteriGiris2::pickInto(QLineEdit* field, const QString& name)
{
    QLineEdit* const outer = m_userPick;
    const QString outerBefore = m_beforePick;
    m_userPick = field;
    m_beforePick = field->text();
    field->setText(name);
    m_userPick = outer;
    m_beforePick = outerBefore;
}

namespace {

// The entry the operator chose in a pick list; "" for none.
QString picked(QComboBox* list)
{
    const int i = list->currentIndex();
    return i < 0 ? QString() : list->itemText(i);
}

} // namespace

void TMusteriGiris2::DBLookupComboBox2Click()
{
    if (DBLookupComboBox2->currentIndex() < 0)
        return;
    Edit4->setText(picked(DBLookupComboBox2));
    Edit4->setFocus();
}

void TMusteriGiris2::DBLookupComboBox4Click()
{
    if (DBLookupComboBox4->currentIndex() < 0)
        return;
    pickInto(Edit50, picked(DBLookupComboBox4));
    // An athlete needs a category: the first of the list until one is picked.
    if (Edit53->text().isEmpty() && !m_categories.isEmpty())
        Edit53->setText(m_categories.first().str("Durum"));
    Edit50->setFocus();
}

void TMusteriGiris2::DBLookupComboBox7Click()
{
    if (DBLookupComboBox7->currentIndex() < 0)
        return;
    pickInto(Edit43, picked(DBLookupComboBox7));
    Edit43->setFocus();
}

void TMusteriGiris2::DBLookupComboBox13Click()
{
    if (DBLookupComboBox13->currentIndex() < 0)
        return;
    pickInto(Edit13, picked(DBLookupComboBox13));
    Edit13->setFocus();
}

void TMusteriGiris2::DBLookupComboBox8Click()
{
    const int i = DBLookupComboBox8->currentIndex();
    if (i < 0)
        return;
    pickInto(Edit53, picked(DBLookupComboBox8));
    // At the weigh-in the athlete competes in the category picked, at its
    // upper weight limit.
    if (FFromWeighIn && i < m_categories.size()) {
        ComboBox3->setCurrentIndex(ComboBox3->findText("1"));
        Edit38->setText(Formats::floatToStr(m_categories.at(i).toDouble("UstKilo")));
        if (FLoaded)
            FModified = 1;
    }
    Edit53->setFocus();
}

void TMusteriGiris2::DBLookupComboBox9Click()
{
    if (DBLookupComboBox9->currentIndex() < 0)
        return;
    pickInto(Edit54, picked(DBLookupComboBox9));
    Edit54->setFocus();
}

void TMusteriGiris2::DBLookupComboBox10Click()
{
    if (DBLookupComboBox10->currentIndex() < 0)
        return;
    pickInto(Edit55, picked(DBLookupComboBox10));
    Edit55->setFocus();
}

void TMusteriGiris2::ComboBox2Change()
{
    Edit15->setText(ComboBox2->currentText());
    Edit15->setFocus();
}

void TMusteriGiris2::ComboBox1Change()
{
    Edit18->setText(ComboBox1->currentText());
    Edit18->setFocus();
}

// --- Captions that empty fields ------------------------------------------------------

void TMusteriGiris2::emptyOnCaptionClick(QLabel* caption, const QList<QWidget*>& fields)
{
    onCaptionClick(caption, [fields] {
        for (QWidget* w : fields) {
            if (auto* m = qobject_cast<TMaskEdit*>(w))
                m->setMaskedText(QString());
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                e->clear();
        }
    });
}

// --- Moving between fields ---------------------------------------------------------------

bool TMusteriGiris2::eventFilter(QObject* watched, QEvent* event)
{
    // Only the key as the focused control gets it, not again as it passes
    // up to the control's parents.
    if (event->type() == QEvent::KeyPress && watched == focusWidget() && !FInGrid) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyPress(key))
            return true;
        FormKeyDown(key);
    }
    return Form::eventFilter(watched, event);
}

bool TMusteriGiris2::FormKeyPress(QKeyEvent* event)
{
    // Enter never reaches the field: it moves to the next control. On a
    // button it presses the button.
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    QWidget* focused = focusWidget();
    if (qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused))
        static_cast<QAbstractButton*>(focused)->click();
    else
        focusNextPrevChild(true);
    return true;
}

void TMusteriGiris2::FormKeyDown(QKeyEvent* event)
{
    // The arrows move once the focused control has seen them.
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)
        return;
    const bool next = event->key() == Qt::Key_Down;
    QMetaObject::invokeMethod(this, [this, next] { focusNextPrevChild(next); }, Qt::QueuedConnection);
}

// --- Record sheet and new club ----------------------------------------------------------------

void TMusteriGiris2::BitBtn3Click()
{
    if (FPersonKey == 0) {
        Messages::info("Yazıcı Dökümü Alabilmek için Bilgileri Kaydetmeniz Gerekmektedir ...!");
        return;
    }
    Baslik2->showModal();
    const QString title = PersonRecordSheet::title(Baslik2->Edit8->text(), session().edition.SportName);
    // The editor stays as it is when it takes the focus back from the
    // preview (FKeepLoaded), and is disabled while the preview shows.
    const ReportCaller caller =
        ReportCaller::screen(this, &FKeepLoaded, [this](QObject* report) { SetPreviewReport(report); });
    PersonRecordSheet::preview(caller, FPersonKey, title, Formats::dateToStr(FNow().date()));
}

void TMusteriGiris2::SpeedButton4Click()
{
    if (KlupGiris2->refuseWhileOpen())
        return;
    KlupGiris2->FClubKey = 0;
    KlupGiris2->showModal();
    // The new club can be picked at once: in "Kulübü", in the licence grid
    // and in the club-name lists of the achievement and gym grids.
    openClubLists();
}
