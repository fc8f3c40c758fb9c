#pragma once
// A station driven from its main window as an operator drives it: the main
// window shown, the login answered through its window, every command reached
// through visible, enabled widgets (support/Reach.h), the reports saved as
// PDF from their preview and read back with pdftotext. The clock of live
// scoring moves only when the test says so, and the display is a stand-in.

#include "LiveFixture.h"

#include "app/Main.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/Sifre.h"
#include "app/kit/StationKind.h"
#include "platform/report/ReportExpression.h"
#include "platform/report/ReportPreview.h"
#include "reports/Baslik1S.h"
#include "reports/Baslik3.h"
#include "scoring/KuraList.h"
#include "scoring/RandomSource.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"
#include "support/PrintedTexts.h"
#include "support/Reach.h"
#include "support/Screenshot.h"

#include <QDate>
#include <QDateEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>

#include <map>

class ReachTest : public ScreensTest {
protected:
    // The day of the competition: the scoreboard's day, picked for the ring
    // plan and its lists.
    static inline const QDate kCompetitionDay{2026, 3, 6};

    // The kind of station the test drives; set before SetUp runs.
    explicit ReachTest(StationKind kind) : m_kind(kind) {}

    void SetUp() override
    {
        ScreensTest::SetUp();
        // The program's start-up: the decimal comma, whatever the locale.
        m_separator = Formats::decimalSeparator();
        Formats::fix();
        ReportFormat::setDecimalSeparator(Formats::decimalSeparator());
        StationKinds::write(m_kind);
        display = std::make_shared<FakeDisplay>(QSize(1024, 768));
        DisplayMode::setBackend(display);
        time = std::make_shared<ManualTimeSource>();
        time->setToday(kCompetitionDay);
        KuraList->live().setTimeSource(time);
        KuraList->setRandomSource(&random);
        ASSERT_TRUE(pdfDir.isValid());
    }

    void TearDown() override
    {
        if (Skor->isVisible())
            Skor->closeUnasked();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != Main && w->isVisible() && w->isModal())
                w->hide();
        Main->hide();
        DisplayMode::setBackend(nullptr);
        Formats::setDecimalSeparator(m_separator);
        ReportFormat::setDecimalSeparator(m_separator);
        ScreensTest::TearDown();
    }

    // The main window shown at 1024 x 768, and its first showing's login
    // answered through the login window.
    void signInThroughTheWindow(const QString& user, const QString& password)
    {
        modals().expect("TSifre", [user, password](QDialog*) {
            ASSERT_TRUE(Reach::choose(Sifre->DBLookupComboBox1, user));
            ASSERT_TRUE(Reach::type(Sifre->Edit1, password));
            ASSERT_TRUE(Reach::press(Sifre->BitBtn1));
        });
        showAtSize(Main, QSize(1024, 768));
        // The login runs from the loop, as the first thing it does.
        for (int turn = 0; turn < 10 && !Main->configured(); ++turn)
            QApplication::processEvents();
        ASSERT_TRUE(Main->configured()) << "the login did not sign the user in";
        ASSERT_TRUE(Main->isVisible());
    }

    // The match screen through the left tool bar's "  MÜSABAKA EKRANI  ";
    // `work` runs while it shows and closes it.
    static void onMatchScreen(const std::function<void()>& work)
    {
        modals().expect("TKuraList", [work](QDialog*) {
            work();
            if (KuraList->isVisible())
                KuraList->close();
        });
        ASSERT_TRUE(Reach::press(Main->toolButton("ToolButton4")));
        EXPECT_FALSE(KuraList->isVisible());
    }

    // Answers the next yes/no question through its buttons, keeping its text.
    void answerNext(bool yes)
    {
        modals().expect("TForm5", [this, yes](QDialog*) {
            questions << Form5->Label1->text();
            Reach::press(yes ? Form5->BitBtn1 : Form5->BitBtn2);
        });
    }

    // The administrator password dialog, answered.
    static void givePassword(const QString& password)
    {
        modals().expect("TSifreCheck", [password](QDialog*) {
            ASSERT_TRUE(Reach::type(SifreCheck->Edit1, password));
            ASSERT_TRUE(Reach::press(SifreCheck->BitBtn1));
        });
    }

    // The competition report title dialog: the title typed, "Tamam".
    static void expectListTitle(const QString& title)
    {
        modals().expect("TBaslik1S", [title](QDialog*) {
            Baslik1S->Edit8->clear();
            ASSERT_TRUE(Reach::type(Baslik1S->Edit8, title));
            ASSERT_TRUE(Reach::press(Baslik1S->BitBtn4));
        });
    }

    // The title dialog of the ring lists: the competition's day picked, the
    // title typed, "Tamam".
    static void expectRingListTitle(const QString& title)
    {
        modals().expect("TBaslik1S", [title](QDialog*) {
            ASSERT_TRUE(Reach::pickDate(Baslik1S->DateTimePicker1, kCompetitionDay));
            Baslik1S->Edit8->clear();
            ASSERT_TRUE(Reach::type(Baslik1S->Edit8, title));
            ASSERT_TRUE(Reach::press(Baslik1S->BitBtn4));
        });
    }

    // The preview that follows: saved as PDF under `name`, then closed. The
    // laid-out pages are kept in `printed[name]`.
    QString expectPdf(const QString& name)
    {
        const QString path = pdfDir.filePath(name + ".pdf");
        modals().expect("ReportPreview", [this, path, name](QDialog* d) {
            auto* preview = static_cast<ReportPreview*>(d);
            printed[name] = preview->document();
            ui().answerFile(path);
            ASSERT_TRUE(Reach::press(preview->SaveButton));
            ASSERT_TRUE(Reach::press(preview->CloseButton));
        });
        return path;
    }

    // The scoreboard's window as the station's display gives it: the display
    // switched to 1024 x 768 for it, and the window maximised on it (the
    // test platform's own screen stays 800 x 600).
    static void scoreboardOnItsDisplay()
    {
        ASSERT_TRUE(Skor->isVisible());
        Skor->setWindowState(Qt::WindowNoState);
        Skor->setGeometry(0, 0, 1024, 768);
        QApplication::processEvents();
    }

    // The first row from `from` on of a bout that can be scored: both sides
    // with an athlete, no winner, no decision; -1 when none. With `drawn`
    // only bouts the draw seated both athletes in.
    static int openBout(TDBGrid* grid, int from = 0, bool drawn = false)
    {
        for (int row = from; row < grid->rowCount(); ++row) {
            const Record r = grid->record(row);
            const bool seated = drawn ? r.str("Tip1") == "AD" && r.str("Tip2") == "AD"
                                      : !r.str("Sira1").isEmpty() && !r.str("Sira2").isEmpty();
            if (seated && r.str("Bolge1") != "Pass" && r.str("Bolge2") != "Pass" && r.str("Salon").isEmpty() &&
                r.str("Karar").isEmpty())
                return row;
        }
        return -1;
    }
    // The row of a bout in the bout grid; -1 when it is not listed.
    static int rowOf(TDBGrid* grid, int boutKey)
    {
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->record(row).toInt("Kura_Key") == boutKey)
                return row;
        return -1;
    }

    // The bout settings dialog of an opening: the referee and the judges
    // typed, "Devam".
    static void acceptBoutSettings()
    {
        modals().expect("TSkorb_giris", [](QDialog*) {
            for (auto [field, name] : {std::pair{Skorb_giris->Edit8, "ORTA HAKEM"},
                                       std::pair{Skorb_giris->Edit1, "ALİ"}, std::pair{Skorb_giris->Edit2, "VELİ"},
                                       std::pair{Skorb_giris->Edit3, "CEM"}}) {
                field->clear();
                ASSERT_TRUE(Reach::type(field, name));
            }
            ASSERT_TRUE(Reach::press(Skorb_giris->BitBtn4));
        });
    }

    // A key on the scoreboard, through its window as the window system
    // delivers it.
    static void scoreboardKey(Qt::Key key)
    {
        QWindow* w = Skor->windowHandle();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, key);
    }

    // The bout open on the scoreboard ended ("X"), blue named the winner on
    // points, and the scoreboard closed (Esc).
    static void decideForBlue()
    {
        ASSERT_NO_FATAL_FAILURE(scoreboardOnItsDisplay());
        scoreboardKey(Qt::Key_X);
        ASSERT_TRUE(Reach::choose(Skor->ComboBox1, Skor->ComboBox1->itemText(0)));
        ASSERT_TRUE(Reach::choose(Skor->ComboBox2, "Points"));
        ASSERT_TRUE(Reach::press(Skor->BitBtn1));
        scoreboardKey(Qt::Key_Escape);
        ASSERT_FALSE(Skor->isVisible());
    }

    // The text of a PDF in the order it was written ("" when it cannot be
    // read): each text whole, where a laid-out reading would interleave
    // texts that overlap.
    static QString pdfText(const QString& path) { return pdftotext(path, {"-raw"}); }

    // Which of the texts the printed text lacks.
    static QStringList missing(const QString& printed, const QStringList& texts)
    {
        QStringList lacking;
        for (const QString& t : texts)
            if (!printed.contains(t))
                lacking << t;
        return lacking;
    }

    std::shared_ptr<FakeDisplay> display;
    std::shared_ptr<ManualTimeSource> time;
    SeededRandom random{40};       // the draw's chance
    QTemporaryDir pdfDir;
    QStringList questions;
    std::map<QString, ReportDocument> printed;

private:
    StationKind m_kind;
    QChar m_separator;
};
