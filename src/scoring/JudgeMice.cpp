#include "scoring/JudgeMice.h"

#include "platform/ui/Messages.h"
#include "scoring/JudgeDevices.h"
#include "scoring/LiveScoring.h"
#include "scoring/SkorbGiris.h"

#include <QListWidget>

const QString JudgeMice::kNoPermission =
    QStringLiteral("Hakem fareleri okunamıyor: bu kullanıcının giriş aygıtlarını (/dev/input/event*) okuma izni "
                   "yok.\nKullanıcıyı 'input' grubuna ekleyiniz veya bir udev kuralı ile izin veriniz ...!");

JudgeMice::JudgeMice(LiveScoring& live, std::shared_ptr<MouseInputSource> source, QWidget* matchScreen,
                     QObject* parent)
    : QObject(parent), m_live(live)
{
    ListBox1 = new QListWidget(matchScreen);
    ListBox1->setObjectName("ListBox1");
    ListBox1->hide();
    m_ownList = matchScreen == nullptr;
    setSource(std::move(source));
}

JudgeMice::~JudgeMice()
{
    for (const auto& c : m_connections)
        disconnect(c);
    if (m_source)
        m_source->stop();
    if (m_ownList)
        delete ListBox1;
}

void JudgeMice::setSource(std::shared_ptr<MouseInputSource> source)
{
    const bool wasStarted = m_source && m_source->started();
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    if (m_source)
        m_source->stop();
    m_source = std::move(source);
    if (!m_source)
        return;
    m_connections << connect(m_source.get(), &MouseInputSource::input, this, &JudgeMice::WMGiris);
    m_connections << connect(m_source.get(), &MouseInputSource::devicesChanged, this, &JudgeMice::devicesChanged);
    if (wasStarted)
        m_source->start();
}

void JudgeMice::registerMice()
{
    if (!m_source)
        return;
    m_source->start();
    tellPermissionOnce();
}

void JudgeMice::removeMice()
{
    if (m_source)
        m_source->stop();
}

void JudgeMice::activated()
{
    if (m_live.FMiceMode == 1)
        tellPermissionOnce();
}

void JudgeMice::tellPermissionOnce()
{
    if (m_permissionTold || !m_source)
        return;
    const QStringList unreadable = m_source->unreadableDevices();
    bool judges = false;
    for (const QString& name : unreadable)
        judges = judges || JudgeDevices::isJudgeMouse(name.trimmed().toUpper());
    if (!judges)
        return;
    m_permissionTold = true;
    Messages::error(kNoPermission);
}

void JudgeMice::devicesChanged()
{
    const bool present = JudgeDevices::MouseKontrol();
    if (m_live.FMiceMode == 1) {
        // Plugged in again: the running clock finds the mice there again.
        if (present)
            m_live.FMiceLinked = 1;
    } else if (present && !m_live.boutOpen()) {
        // Plugged in after the match screen opened: as its activation would
        // have found them.
        m_live.FMiceMode = 1;
        m_live.FMiceLinked = 1;
    }
    if (present)
        tellPermissionOnce();
}

void JudgeMice::WMGiris(const RawMouseInput& report)
{
    const QString name = report.device.trimmed();
    const bool judgeMouse = JudgeDevices::isJudgeMouse(name.toUpper());
    const QList<QListWidgetItem*> found = ListBox1->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        if (judgeMouse) {
            ListBox1->addItem(name);
            ListBox1->setCurrentRow(ListBox1->count() - 1);
        }
    } else {
        ListBox1->setCurrentItem(found.first());
    }
    CurrentJudge = ListBox1->currentRow() + 1;

    if (m_live.FSemiContact != 0 || m_live.FMiceLive == 0 || !judgeMouse)
        return;
    if (CurrentJudge < 1 || CurrentJudge > 3)
        return;
    const unsigned flags = report.buttonFlags;
    if (flags != RawMouseInput::LeftDown && flags != RawMouseInput::RightDown &&
        flags != (RawMouseInput::LeftDown | RawMouseInput::RightDown))
        return;
    if (m_live.FTestMode == 1) {
        if (flags == (RawMouseInput::LeftDown | RawMouseInput::RightDown))
            return;
        if (TSkorb_giris* d = m_live.settingsDialog())
            d->markPress(CurrentJudge, flags == RawMouseInput::LeftDown);
        return;
    }
    // One report is one scoring event, both buttons' points included.
    LiveScoring::Event event(m_live);
    m_live.select(CurrentJudge);
    if (flags == RawMouseInput::LeftDown) {
        m_live.SpeedButton9Click();
    } else if (flags == RawMouseInput::RightDown) {
        m_live.SpeedButton11Click();
    } else {
        // Both buttons in one report: red first, then blue.
        m_live.SpeedButton11Click();
        m_live.select(CurrentJudge);
        m_live.SpeedButton9Click();
    }
}
