#include "scoring/DeviceLink.h"

#include "app/comport/SerialPort.h"
#include "platform/ui/Messages.h"
#include "scoring/LiveScoring.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QGuiApplication>
#include <QLabel>

const QByteArray DeviceLink::DeviceOpenSequence = QByteArray::fromHex("016464b416ff");

namespace {
const QString kDeviceGone =
    QStringLiteral("Skor kontrol cihazının bağlantısı kesildi, saat durduruldu. Cihazı yeniden takıp saati "
                   "başlatınız ...!");
}

DeviceLink::DeviceLink(LiveScoring& live, TSerialPort* port, QObject* parent)
    : QObject(parent), SerialPort1(port), m_live(live)
{
    ctrlHeld = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier); };
    SerialPort1->OnRxChar = [this](QObject* sender, int count) { SerialPort1RxChar(sender, count); };
    SerialPort1->OnError = [this](QObject*, TSerialErrors errors) {
        if (errors.contains(ceIO))
            deviceGone();
    };
}

DeviceLink::~DeviceLink()
{
    SerialPort1->OnRxChar = nullptr;
    SerialPort1->OnError = nullptr;
}

void DeviceLink::open()
{
    if (!SerialPort1->Connected()) {
        if (FDeviceLost) {
            // Gone earlier: found again when it is back, quietly while not.
            try {
                SerialPort1->OpenPort();
            } catch (const ESerialPort&) {
                SerialPort1->ClosePort();
                return;
            }
            FDeviceLost = 0;
            for (int judge = 1; judge <= 3; ++judge)
                showLinkError(judge, false);
        } else {
            SerialPort1->OpenPort();
        }
    }
    // Nothing that waits is read away before the sequence: a judge's press
    // made just as the clock starts still counts.
    for (char b : DeviceOpenSequence)
        SerialPort1->WriteText(QByteArray(1, b));
}

void DeviceLink::close()
{
    SerialPort1->ClosePort();
}

void DeviceLink::SerialPort1RxChar(QObject*, int Count)
{
    QByteArray text;
    SerialPort1->ReadText(text, Count);
    FBytesReceived += text.size();
    for (char c : text) {
        // A code that closed the port (the scoreboard closing) ends the batch.
        if (c == 0 || !SerialPort1->Connected())
            break;
        const int code = static_cast<unsigned char>(c);
        if (code == 13)
            continue;
        handle(code);
    }
}

void DeviceLink::handle(int code)
{
    // One code is one scoring event, stored whole or not at all.
    LiveScoring::Event event(m_live);
    if (code >= 1 && code <= 6)
        judgeCode(code);
    else
        operatorCode(code, ctrlHeld && ctrlHeld());
}

void DeviceLink::judgeCode(int code)
{
    if (m_live.FSemiContact == 1 || m_live.FDeviceLive == 0)
        return;
    const int judge = (code - 1) % 3 + 1;
    const bool blue = code <= 3;
    if (m_live.FTestMode == 1) {
        if (TSkorb_giris* d = m_live.settingsDialog())
            d->markPress(judge, blue);
        return;
    }
    m_live.select(judge);
    blue ? m_live.SpeedButton9Click() : m_live.SpeedButton11Click();
}

void DeviceLink::showLinkError(int judge, bool shown)
{
    TSkor* k = m_live.scoreboard();
    if (!k)
        return;
    QLabel* captions[3] = {k->Label65, k->Label66, k->Label67};
    captions[judge - 1]->setVisible(shown);
}

void DeviceLink::operatorCode(int code, bool ctrl)
{
    TSkor* k = m_live.scoreboard();
    if (!k)
        return;
    if (m_live.FSemiContact == 0) {
        switch (code) {
        case 7: case 8: case 9: case 10: case 11: case 12:
            showLinkError((code - 7) / 2 + 1, code % 2 == 1);
            break;
        case 14: k->StartStop1Click(); break;
        case 15: ctrl ? k->MaviEx2Click() : k->MaviEx1Click(); break;
        case 17: ctrl ? k->MaviMinus2Click() : k->MaviMinus1Click(); break;
        case 18: ctrl ? k->MaviFo2Click() : k->MaviFo1Click(); break;
        case 19: k->Exit1Click(); break;
        case 22: ctrl ? k->RedEx2Click() : k->RedEx1Click(); break;
        case 23: ctrl ? k->RedFo2Click() : k->RedFo1Click(); break;
        case 29: ctrl ? k->RedMinus2Click() : k->RedMinus1Click(); break;
        default: break;
        }
        return;
    }
    switch (code) {
    case 14: k->StartStop1Click(); break;
    case 15: ctrl ? k->MaviEx2Click() : k->MaviEx1Click(); break;
    case 16: ctrl ? k->MaviH2Puan1Click() : k->MaviPuan1Click(); break;
    case 18: ctrl ? k->MaviFo2Click() : k->MaviFo1Click(); break;
    case 20: k->MaBitir1Click(); break;
    case 21: k->laveRound1Click(); break;
    case 22: ctrl ? k->RedEx2Click() : k->RedEx1Click(); break;
    case 23: ctrl ? k->RedFo2Click() : k->RedFo1Click(); break;
    case 24: ctrl ? k->MaviPuan22Click() : k->MaviPuan21Click(); break;
    case 25: ctrl ? k->MaviPuan32Click() : k->MaviPuan31Click(); break;
    case 26: ctrl ? k->RedH2Puan1Click() : k->RedH1Puan1Click(); break;
    case 27: ctrl ? k->RedPuan22Click() : k->RedPuan21Click(); break;
    case 28: ctrl ? k->RedPuan32Click() : k->RedPuan31Click(); break;
    default: break;
    }
}

void DeviceLink::deviceGone()
{
    if (FDeviceLost)
        return;
    FDeviceLost = 1;
    // The port's thread has ended; the next opening of the link opens it anew.
    SerialPort1->ClosePort();
    m_live.FDeviceLive = 0;
    if (m_live.boutOpen()) {
        if (m_live.Timer1->isEnabled())
            m_live.SpeedButton2Click();
        if (m_live.FSemiContact == 0)
            for (int judge = 1; judge <= 3; ++judge)
                showLinkError(judge, true);
    }
    Messages::error(kDeviceGone);
}
