// Windows a clerk uses on a 1024 x 768 screen: the date pickers' calendars
// speak Turkish, and the captions of the dialogs and lists show whole.

#include "app/MusteriGiris1.h"
#include "app/publish/Publish1.h"
#include "app/setup/Brans.h"
#include "competition/KurSec.h"
#include "reports/Baslik1S.h"
#include "reports/Baslik3.h"
#include "scoring/Skor.h"
#include "support/ScreenDriving.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

namespace ClerkWindowsTestLocal {

using ClerkWindows = SignedInTest;

// Every date picker of the program, once every screen exists.
QList<QDateTimeEdit*> datePickers()
{
    QList<QDateTimeEdit*> out;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* p = qobject_cast<QDateTimeEdit*>(w); p && p->calendarPopup())
            out << p;
    return out;
}

TEST_F(ClerkWindows, DatePickersNameMonthsAndDaysInTurkish)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const QList<QDateTimeEdit*> pickers = datePickers();
    // The person search, activity query, weigh-in title, ring plan, seminar
    // and publishing screens have them.
    ASSERT_GE(pickers.size(), 8);
    for (QDateTimeEdit* p : pickers) {
        const QString name = p->window()->objectName() + "." + p->objectName();
        QCalendarWidget* calendar = p->calendarWidget();
        ASSERT_NE(calendar, nullptr) << name.toStdString();
        calendar->setSelectedDate(QDate(2026, 12, 11));
        // What the calendar shows: the month in its title bar, the days over
        // its columns.
        auto* month = calendar->findChild<QToolButton*>("qt_calendar_monthbutton");
        ASSERT_NE(month, nullptr);
        EXPECT_EQ(month->text(), "Aralık") << name.toStdString();
        auto* days = calendar->findChild<QTableView*>("qt_calendar_calendarview");
        ASSERT_NE(days, nullptr);
        QStringList heads;
        for (int c = 0; c < days->model()->columnCount(); ++c)
            heads << days->model()->index(0, c).data().toString();
        EXPECT_EQ(heads.first(), turkish.dayName(1, QLocale::ShortFormat)) << name.toStdString();
        EXPECT_TRUE(heads.contains(turkish.dayName(3, QLocale::ShortFormat))) << name.toStdString();
        EXPECT_FALSE(heads.contains("Mon")) << name.toStdString();
        // The picker's own text keeps the program's date form.
        p->setDate(QDate(2026, 12, 11));
        EXPECT_EQ(p->text(), "11.12.2026") << name.toStdString();
    }
}

// The line fields of the picker's window (the pickers' own left out).
QList<QLineEdit*> fieldsBeside(QDateTimeEdit* picker)
{
    QList<QLineEdit*> out;
    for (QLineEdit* e : picker->window()->findChildren<QLineEdit*>())
        if (!qobject_cast<QAbstractSpinBox*>(e->parentWidget()))
            out << e;
    return out;
}

// The field that came to show `day` (as the program writes dates) when the
// picker's date was set to it.
QLineEdit* fieldWritten(QDateTimeEdit* picker, const QDate& day)
{
    QHash<QLineEdit*, QString> before;
    for (QLineEdit* e : fieldsBeside(picker))
        before.insert(e, e->text());
    picker->setDate(day);
    for (QLineEdit* e : fieldsBeside(picker))
        if (e->text() == day.toString("dd.MM.yyyy") && before.value(e) != e->text())
            return e;
    return nullptr;
}

// Opens the picker's calendar with a click on its arrow and clicks `day`
// in it, as a clerk does.
void pickWithTheMouse(QDateTimeEdit* picker, const QDate& day)
{
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 6, picker->height() / 2));
    QCalendarWidget* calendar = picker->calendarWidget();
    ASSERT_TRUE(calendar->isVisible()) << "the calendar did not open";
    ASSERT_EQ(calendar->selectedDate(), day);
    auto* days = calendar->findChild<QTableView*>("qt_calendar_calendarview");
    ASSERT_NE(days, nullptr);
    const QModelIndex cell = days->selectionModel()->currentIndex();
    ASSERT_TRUE(cell.isValid());
    ASSERT_EQ(cell.data().toInt(), day.day());
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(cell).center());
    EXPECT_FALSE(calendar->isVisible()) << "the calendar stays open after the pick";
}

TEST_F(ClerkWindows, EveryPickWritesItsDateAlsoTheDateThePickerHolds)
{
    const QList<QDateTimeEdit*> pickers = datePickers();
    ASSERT_GE(pickers.size(), 10);
    for (QDateTimeEdit* p : pickers) {
        const std::string name = (p->window()->objectName() + "." + p->objectName()).toStdString();
        SCOPED_TRACE(name);
        open(p->window());
        // A changed date goes into its field...
        const QDate day = p->date() == QDate(2009, 6, 7) ? QDate(2009, 6, 8) : QDate(2009, 6, 7);
        p->setDate(day.addDays(1));
        QLineEdit* field = fieldWritten(p, day);
        ASSERT_NE(field, nullptr) << "no field shows the date picked";
        // ...and so does the date the picker holds, picked again once the
        // field was emptied (a fresh picker holds today).
        field->clear();
        ASSERT_NE(field->text(), day.toString("dd.MM.yyyy"));
        pickWithTheMouse(p, day);
        EXPECT_EQ(field->text(), day.toString("dd.MM.yyyy"));
        p->window()->hide();
    }
}

// --- Captions shown whole ----------------------------------------------------

QString captionOf(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->wordWrap() ? QString() : l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return QString();
}

// Every caption shown in the window (labels, check boxes, radio buttons,
// push buttons): as wide as its text needs, inside the window and clear of
// the other captions.
void expectCaptionsWhole(QWidget* window)
{
    const QString where = window->metaObject()->className();
    QList<QPair<QWidget*, QRect>> shown;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || captionOf(w).isEmpty() || qobject_cast<QAbstractItemView*>(w->parentWidget()))
            continue;
        const QString name = where + "." + w->objectName() + " \"" + captionOf(w) + "\"";
        EXPECT_GE(w->width(), w->sizeHint().width()) << name.toStdString();
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(window->rect().contains(r)) << name.toStdString();
        for (const auto& [other, otherRect] : shown) {
            if (!other->isAncestorOf(w) && !w->isAncestorOf(other)) {
                EXPECT_FALSE(r.intersects(otherRect))
                    << name.toStdString() << " over " << other->objectName().toStdString();
            }
        }
        shown.append({w, r});
    }
    EXPECT_FALSE(shown.isEmpty()) << where.toStdString();
}

TEST_F(ClerkWindows, DrawOptionsShowTheirChoicesWhole)
{
    for (const bool durations : {false, true}) {
        Kur_Sec->FShowDurations = durations;
        modals().expect("TKur_Sec", [](QDialog* d) {
            EXPECT_EQ(Kur_Sec->RadioButton3->text(), "Aşağıda Seçilen Kategorinin Kuralarını Çek");
            expectCaptionsWhole(d);
            click(Kur_Sec->BitBtn1);
        });
        Kur_Sec->showModal();
    }
    Kur_Sec->FShowDurations = true;
}

TEST_F(ClerkWindows, TitleDialogsShowTheirOptionsWhole)
{
    modals().expect("TBaslik3", [](QDialog* d) {
        EXPECT_TRUE(Baslik3->CheckBox6->isVisible());
        EXPECT_EQ(Baslik3->CheckBox6->text(), "Uluslar arası Müsabaka");
        expectCaptionsWhole(d);
        d->close();
    });
    Baslik3->showModal();

    // The weigh-in's lists offer "Uluslar arası Müsabaka" beside the two
    // others.
    Baslik1S->CheckBox5->show();
    modals().expect("TBaslik1S", [](QDialog* d) {
        expectCaptionsWhole(d);
        d->close();
    });
    Baslik1S->showModal();
    Baslik1S->CheckBox5->hide();

    // The accreditation card's person panel under it, as its launcher shows
    // it.
    const QSize size = Baslik1S->size();
    Baslik1S->Panel1->move(0, size.height());
    Baslik1S->Panel1->show();
    Baslik1S->setFixedSize(size.width(), size.height() + Baslik1S->Panel1->height());
    modals().expect("TBaslik1S", [](QDialog* d) {
        expectCaptionsWhole(d);
        d->close();
    });
    Baslik1S->showModal();
    Baslik1S->Panel1->hide();
    Baslik1S->setFixedSize(size);
}

// The winner list of the scoreboard, also in the larger type of a scoreboard
// scaled to a larger screen: each row as tall and wide as its name.
TEST_F(ClerkWindows, WinnerListShowsEachNameWhole)
{
    QComboBox* list = Skor->ComboBox1;
    const QFont design = list->font();
    for (const double factor : {1.0, 1.5, 2.0}) {
        QFont f = design;
        f.setPixelSize(int(design.pixelSize() * factor));
        list->setFont(f);
        list->clear();
        list->addItems({"MEHMET ALİ YILMAZOĞLU", "GÜLŞEN ÇAĞLAYANGİL", "EVEN"});
        list->show();
        list->showPopup();
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(view->isVisible());
        const QFontMetrics metrics(view->font());
        EXPECT_EQ(view->font().pixelSize(), f.pixelSize());
        for (int row = 0; row < list->count(); ++row) {
            const QRect r = view->visualRect(view->model()->index(row, 0));
            EXPECT_GE(r.height(), metrics.height()) << factor << " row " << row;
            EXPECT_GE(r.width(), metrics.horizontalAdvance(list->itemText(row))) << factor << " row " << row;
        }
        list->hidePopup();
        list->hide();
    }
    list->clear();
    list->setFont(design);
}

// Every data grid of the program shows its column titles whole.
TEST_F(ClerkWindows, GridColumnTitlesShowWhole)
{
    int grids = 0;
    for (QWidget* w : QApplication::allWidgets()) {
        auto* grid = qobject_cast<TDBGrid*>(w);
        if (!grid)
            continue;
        ++grids;
        QHeaderView* head = grid->horizontalHeader();
        for (int c = 0; c < head->count(); ++c) {
            if (grid->isColumnHidden(c))
                continue;
            EXPECT_GE(grid->columnWidth(c), head->sectionSizeHint(c))
                << grid->window()->objectName().toStdString() << "." << grid->objectName().toStdString() << " \""
                << grid->model()->headerData(c, Qt::Horizontal).toString().toStdString() << "\"";
        }
    }
    EXPECT_GE(grids, 10);
    // The categories' grid, with its long titles.
    TDBGrid* categories = Brans->DBGrid1;
    const int web = categories->columnOf("Dt1");
    EXPECT_EQ(categories->model()->headerData(web, Qt::Horizontal).toString(), "Web Min Doğum Tar.");
    EXPECT_GT(categories->columnWidth(web), 110) << "wider than designed, as its title needs";
}

} // namespace ClerkWindowsTestLocal

