// The person search on a 1024 x 768 screen: it fits (the rest scrolls on a
// smaller one), and its controls keep their places whatever the list shows,
// so that a click aimed at "Kayıt Bul" lands on it.

#include "app/MusteriGiris1.h"
#include "app/kit/Session.h"
#include "support/ScreenDriving.h"
#include "support/Screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace PersonSearchLayoutTestLocal {

class PersonSearchLayout : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        session().today = [] { return QDate(2024, 2, 3); };
        for (int key = 1; key <= 40; ++key)
            db.insert("C_MUSTERI", {{"Musteri_Key", key},
                                    {"Ad_Soyad", QString("KİŞİ %1").arg(key, 2, 10, QChar('0'))},
                                    {"Adi", "KİŞİ"},
                                    {"Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0'))},
                                    {"Vergi_Dairesi", "ANKARA"},
                                    {"E16", "KARTAL SPOR"},
                                    {"Tip", 1}});
        db.insert("C_UYELIKSURESI", {{"Durum_Key", 50}, {"Durum", "KARTAL SPOR"}});
        screen = MusteriGiris1;
        open(screen);
        showAtSize(screen, kInside);
    }
    void TearDown() override
    {
        screen->close();
        SignedInTest::TearDown();
    }

    // Where every control the clerk aims at stands in the window: the
    // buttons, the criteria with their captions and drop-downs, the sort
    // buttons' places, the list panel's buttons and the list's top.
    QMap<QString, QRect> places() const
    {
        QMap<QString, QRect> out;
        auto at = [this](const QWidget* w) { return QRect(w->mapTo(screen, QPoint(0, 0)), w->size()); };
        for (QWidget* w : screen->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            const bool aimedAt = qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w) ||
                                 qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QCheckBox*>(w) || name.startsWith("Label");
            const bool sort = w == screen->SpeedButton4 || w == screen->SpeedButton6 || w == screen->SpeedButton8;
            if (name.isEmpty() || !aimedAt || sort || !w->isVisibleTo(screen))
                continue;
            out.insert(name, at(w));
        }
        // A sort button and its marker take turns in one place.
        for (const QToolButton* b : {screen->SpeedButton4, screen->SpeedButton6, screen->SpeedButton8})
            out.insert("place of " + b->objectName(), at(b->parentWidget()));
        out.insert("list top", QRect(at(screen->DBGrid1).topLeft(), QSize()));
        return out;
    }
    // The control a click at the point would reach.
    QWidget* under(const QPoint& p) const { return screen->childAt(p); }

    // What a 1024 x 768 screen leaves for the window's inside.
    static constexpr QSize kInside{1024, 768 - TMusteriGiris1::kTitleRoom};
    TMusteriGiris1* screen = nullptr;
};

TEST_F(PersonSearchLayout, FitsA1024x768ScreenWithAndWithoutRows)
{
    const QSize smallest = screen->minimumSizeHint();
    EXPECT_LE(smallest.width(), kInside.width());
    EXPECT_LE(smallest.height(), kInside.height());
    auto* scroll = child<QScrollArea>(screen, "SearchScroll");
    ASSERT_NE(scroll, nullptr);
    for (const bool rows : {false, true}) {
        if (rows) {
            pick(child<QComboBox>(screen, "DBLookupComboBox4"), "KARTAL SPOR");
            click(screen->BitBtn1);
            ASSERT_EQ(screen->DBGrid1->rowCount(), 40);
        }
        QApplication::processEvents();
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << rows;
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << rows;
        for (QWidget* w : {static_cast<QWidget*>(screen->DBGrid1), static_cast<QWidget*>(screen->BitBtn4),
                           static_cast<QWidget*>(screen->SpeedButton1), static_cast<QWidget*>(screen->CountLabel)}) {
            const QRect r(w->mapTo(screen, QPoint(0, 0)), w->size());
            EXPECT_TRUE(screen->rect().contains(r)) << rows << " " << w->objectName().toStdString();
        }
        // With rows the list fills the space under the controls.
        if (rows) {
            EXPECT_GT(screen->DBGrid1->height(), kInside.height() / 2);
        }
    }
    saveScreenshot(screen, "BRIVEX_PERSONSEARCH_SCREENSHOT", kInside);
}

TEST_F(PersonSearchLayout, ControlsKeepTheirPlacesWhateverTheListShows)
{
    const QMap<QString, QRect> first = places();
    ASSERT_TRUE(first.contains("BitBtn1"));
    ASSERT_TRUE(first.contains("Edit7"));
    ASSERT_TRUE(first.contains("Label2"));
    const QPoint kayitBul = first.value("BitBtn1").center();
    ASSERT_EQ(under(kayitBul), screen->BitBtn1);

    const QList<std::pair<const char*, std::function<void()>>> states{
        {"a list with rows",
         [&] {
             pick(child<QComboBox>(screen, "DBLookupComboBox4"), "KARTAL SPOR");
             click(screen->BitBtn1);
             EXPECT_EQ(screen->CountLabel->text(), "Kayıt Sayısı : 40");
         }},
        {"a criterion just changed",
         [&] {
             typeInto(screen->Edit7, "K");
             EXPECT_FALSE(screen->FListOpen);
         }},
        {"a search that finds nobody",
         [&] {
             typeInto(screen->Edit30, "YOK");
             click(screen->BitBtn1);
             EXPECT_EQ(ui().lastText(), "Kayıt Bulunamadı ...!");
             EXPECT_EQ(screen->DBGrid1->rowCount(), 0);
         }},
        {"the title list open and the rows sorted by register number",
         [&] {
             screen->Edit30->clear();
             screen->Edit7->clear();
             click(screen->SpeedButton2);
             EXPECT_TRUE(screen->ListBox1->isVisible());
             click(screen->SpeedButton6);
             click(screen->BitBtn1);
             EXPECT_EQ(screen->DBGrid1->rowCount(), 40);
         }},
        {"the title list closed again",
         [&] {
             click(screen->SpeedButton1);
             EXPECT_FALSE(screen->ListBox1->isVisible());
         }},
    };
    for (const auto& [state, reach] : states) {
        reach();
        QApplication::processEvents();
        const QMap<QString, QRect> now = places();
        auto text = [](const QRect& r) {
            return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
        };
        for (auto it = first.constBegin(); it != first.constEnd(); ++it) {
            EXPECT_EQ(now.value(it.key()), it.value()) << state << ": " << it.key().toStdString() << " at "
                                                       << text(now.value(it.key())) << ", was " << text(it.value());
        }
        EXPECT_EQ(under(kayitBul), screen->BitBtn1) << state;
    }
}

// On a smaller screen the window keeps within it and the rest scrolls.
TEST_F(PersonSearchLayout, KeepsWithinASmallerScreenAndScrolls)
{
    screen->hide();
    modals().expect("TMusteriGiris1", [](QDialog* d) {
        const QRect room = d->screen()->availableGeometry();
        EXPECT_LE(d->width(), room.width());
        EXPECT_LE(d->height(), room.height() - TMusteriGiris1::kTitleRoom);
        d->close();
    });
    screen->showModal();

    // Shown, the window takes its size again; a clerk makes it smaller.
    showAtSize(screen, QSize(800, 420));
    screen->resize(800, 420);
    QApplication::processEvents();
    ASSERT_EQ(screen->size(), QSize(800, 420));
    auto* scroll = child<QScrollArea>(screen, "SearchScroll");
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    scroll->ensureWidgetVisible(screen->DBGrid1);
    QApplication::processEvents();
    const QRect grid(screen->DBGrid1->mapTo(scroll->viewport(), QPoint(0, 0)), screen->DBGrid1->size());
    EXPECT_TRUE(scroll->viewport()->rect().intersects(grid));
    EXPECT_GE(screen->DBGrid1->parentWidget()->height(), TMusteriGiris1::kListAreaMinimumHeight);
}

} // namespace PersonSearchLayoutTestLocal
