// The sound player and the display mode as live scoring uses them.
#include "support/TestSupport.h"

#include "platform/display/Display.h"
#include "platform/media/MediaPlayer.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class SoundAndDisplayTest : public StationTest {
protected:
    void TearDown() override
    {
        MediaPlayer::setHook({});
        StationTest::TearDown();
    }
    std::vector<MediaPlayer::Request> requests;
    void record()
    {
        MediaPlayer::setHook([this](const MediaPlayer::Request& r) { requests.push_back(r); });
    }
};

TEST_F(SoundAndDisplayTest, AMissingSoundFileLeavesThePlayerClosedAndSilent)
{
    record();
    MediaPlayer player;
    EXPECT_FALSE(player.open("C:\\CO\\Sinyal.wav"));
    EXPECT_FALSE(player.isOpen());
    player.play();
    player.stop();
    EXPECT_TRUE(requests.empty());
}

TEST_F(SoundAndDisplayTest, ALoadedSoundIsAskedForInOrder)
{
    writeFile(host("C:\\CO\\Stop.wav"), "RIFF");
    record();
    MediaPlayer player;
    player.setObjectName("MediaPlayer2");
    ASSERT_TRUE(player.open("C:\\CO\\Stop.wav"));
    player.stop();
    player.play();
    player.close();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].kind, MediaPlayer::Request::Open);
    EXPECT_EQ(requests[1].kind, MediaPlayer::Request::Stop);
    EXPECT_EQ(requests[2].kind, MediaPlayer::Request::Play);
    EXPECT_EQ(requests[3].kind, MediaPlayer::Request::Close);
    EXPECT_EQ(requests[2].fileName, "C:\\CO\\Stop.wav");
    EXPECT_EQ(requests[2].player, "MediaPlayer2");
}

TEST_F(SoundAndDisplayTest, WithoutAnX11DisplayTheSizeStaysAsItIs)
{
    DisplayMode::setBackend(nullptr);
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(DisplayMode::currentSize(), screen->size() * screen->devicePixelRatio());
    EXPECT_FALSE(DisplayMode::changeSize({1024, 768}));
    EXPECT_EQ(DisplayMode::currentSize(), screen->size() * screen->devicePixelRatio());
}

} // namespace
