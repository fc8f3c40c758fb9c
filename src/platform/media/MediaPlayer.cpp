#include "platform/media/MediaPlayer.h"

#include "platform/paths/DriveMap.h"

#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {
MediaPlayer::Hook& hookSlot()
{
    static MediaPlayer::Hook h;
    return h;
}
}

MediaPlayer::MediaPlayer(QObject* parent) : QObject(parent) {}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::setHook(Hook hook)
{
    hookSlot() = std::move(hook);
}

void MediaPlayer::request(Request::Kind kind)
{
    if (hookSlot())
        hookSlot()(Request{kind, m_fileName, objectName()});
}

bool MediaPlayer::audible()
{
    if (hookSlot())
        return false;
    // No output device: the sounds are skipped.
    if (QMediaDevices::audioOutputs().isEmpty())
        return false;
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(m_hostPath));
    }
    return true;
}

bool MediaPlayer::open(const QString& fileName)
{
    close();
    const QString host = DriveMap::toHost(fileName);
    if (!QFileInfo(host).isFile())
        return false;
    m_fileName = fileName;
    m_hostPath = host;
    m_open = true;
    request(Request::Open);
    return true;
}

void MediaPlayer::close()
{
    if (!m_open)
        return;
    request(Request::Close);
    m_effect.reset();
    m_open = false;
    m_fileName.clear();
    m_hostPath.clear();
}

void MediaPlayer::play()
{
    if (!m_open)
        return;
    request(Request::Play);
    if (audible()) {
        m_effect->stop();
        m_effect->play();
    }
}

void MediaPlayer::stop()
{
    if (!m_open)
        return;
    request(Request::Stop);
    if (m_effect)
        m_effect->stop();
}
