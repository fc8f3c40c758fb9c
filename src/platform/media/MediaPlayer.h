#pragma once
// A sound player for the short signal sounds of the bout clock (wave files).
//
//   MediaPlayer player;
//   if (player.open("C:\\CO\\Sinyal.wav")) ...   // false when the file is missing
//   player.stop(); player.play();                // play again from the start
//
// Sounds go out through Qt Multimedia. Without an audio output device the
// player stays silent; nothing waits and nothing fails. A hook replaces the
// output for tests: it sees every request (open, play, stop, close) with the
// file it concerns, in the order asked, and no sound is made.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSoundEffect;

class MediaPlayer : public QObject {
    Q_OBJECT
public:
    struct Request {
        enum Kind { Open, Play, Stop, Close };
        Kind kind = Play;
        QString fileName;   // as given to open() (Windows form kept)
        QString player;     // the player's object name
    };
    using Hook = std::function<void(const Request&)>;

    explicit MediaPlayer(QObject* parent = nullptr);
    ~MediaPlayer() override;

    // Loads a sound file given in Windows form or as a host path. Returns
    // false, leaving the player closed, when the file does not exist.
    bool open(const QString& fileName);
    void close();
    bool isOpen() const { return m_open; }
    QString fileName() const { return m_fileName; }

    // Plays the loaded sound from its start; nothing when closed.
    void play();
    // Stops the sound; nothing when closed or silent.
    void stop();

    // Every request of every player goes to the hook instead of the output
    // (an empty hook restores the output).
    static void setHook(Hook hook);

private:
    void request(Request::Kind kind);
    bool audible();

    bool m_open = false;
    QString m_fileName;
    QString m_hostPath;
    std::unique_ptr<QSoundEffect> m_effect;
};
