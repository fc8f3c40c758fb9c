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
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
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

} // namespace ClerkWindowsTestLocal
