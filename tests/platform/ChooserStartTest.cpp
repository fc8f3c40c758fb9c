// Where the open, save and folder choosers open: in the station's work folder
// "C:\CO\" (through the drive map) when the caller names no folder, never in
// the program's current folder.
#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

namespace {

struct StartCase {
    const char* initial;
    const char* start;
};

class ChooserStart : public StationTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ChooserStart, EveryChooserAsksForTheWorkFolderWhenNoFolderIsGiven)
{
    ui().clear();
    Dialogs::saveFile("Kaydet", "RTF (*.rtf)", GetParam().initial);
    Dialogs::chooseFolder("Klasör", GetParam().initial);
    Dialogs::openFile("Aç", "RTF (*.rtf)", GetParam().initial);
    ASSERT_EQ(ui().requests.size(), 3);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::SaveFile);
    EXPECT_EQ(ui().requests[0].initial, GetParam().start);
    EXPECT_EQ(ui().requests[1].kind, UiRequest::Folder);
    EXPECT_EQ(ui().requests[1].initial, GetParam().start);
    EXPECT_EQ(ui().requests[2].kind, UiRequest::OpenFile);
    EXPECT_EQ(ui().requests[2].initial, GetParam().start);
}

INSTANTIATE_TEST_SUITE_P(Initials, ChooserStart,
                         ::testing::Values(StartCase{"", "C:\\CO\\"},
                                           StartCase{"Rapor.pdf", "C:\\CO\\Rapor.pdf"},
                                           StartCase{"C:\\CO\\QVX_PROG\\", "C:\\CO\\QVX_PROG\\"},
                                           StartCase{"M:\\Liste.csv", "M:\\Liste.csv"},
                                           StartCase{"C:", "C:"},
                                           StartCase{"/srv/ortak/a.rtf", "/srv/ortak/a.rtf"}));

// The chooser itself, without the recording hook: it shows the mapped work
// folder. A timer closes it as soon as it is up.
class ChooserOnScreen : public StationTest {
protected:
    void TearDown() override
    {
        Messages::setHook(saved);
        StationTest::TearDown();
    }
    // Runs `open` with the real dialogs and returns the folder the file
    // dialog showed and the file it proposed.
    std::pair<QString, QStringList> shown(const std::function<void()>& open)
    {
        std::pair<QString, QStringList> seen;
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            seen = {QDir(d->directory()).absolutePath(), d->selectedFiles()};
            closer.stop();
            d->reject();
        });
        closer.start();
        Messages::setHook(nullptr);
        open();
        Messages::setHook(saved);
        return seen;
    }
    UiHook saved = Messages::hook();
};

TEST_F(ChooserOnScreen, OpensInTheMappedWorkFolder)
{
    const QString work = QDir(host("C:\\CO\\")).absolutePath();
    ASSERT_TRUE(QDir().mkpath(work));
    ASSERT_NE(QDir::currentPath(), work);

    const auto save = shown([] { EXPECT_EQ(Dialogs::saveFile("Kaydet", "PDF (*.pdf)", "Rapor.pdf"), ""); });
    EXPECT_EQ(save.first, work);
    EXPECT_EQ(save.second, QStringList{work + "/Rapor.pdf"});

    const auto folder = shown([] { EXPECT_EQ(Dialogs::chooseFolder("Klasör"), ""); });
    EXPECT_EQ(folder.first, work);

    // A file to open, chosen with no folder named (publishing's file, a
    // club's files).
    const auto open = shown([] { EXPECT_EQ(Dialogs::openFile("Dosya Seç", "Tüm Dosyalar (*)"), ""); });
    EXPECT_EQ(open.first, work);
}

} // namespace
