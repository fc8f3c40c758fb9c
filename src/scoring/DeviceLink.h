#pragma once
// The scoring control device: one box on a serial line (a USB serial adapter
// shown as "COMn") to which the three judges' hand boxes and the operator's
// buttons are wired. It sends one byte per event; each byte becomes the
// scoring operation the operator's keys run for it.
//
// The match screen's port SerialPort1 carries it (9600 baud, 8 data bits, no
// parity, one stop bit, null bytes dropped, no handshake, DTR on, RTS off).
// Live scoring opens the link through SerialPortAc (the bout opening, every
// clock start, a judge asked to decide): the port opens when it is closed and
// the device gets its opening sequence DeviceOpenSequence again. The port
// closes with the scoreboard.
//
// Codes (b = 13 is skipped; "Ctrl" is the keyboard's Control key held when
// the byte is handled, and turns an increase into a decrease):
//   full contact: 7/8, 9/10, 11/12 judge 1, 2, 3's hand box lost / back
//     ("Connection Error" under his box); 14 start or stop the clock; 15, 17,
//     18 blue Exit, Minus, Foul; 22, 29, 23 red Exit, Minus, Foul; 19 end of
//     the bout; and while the judges' codes are live (FDeviceLive) 1, 2, 3 a
//     blue point and 4, 5, 6 a red point of judge 1, 2, 3, or, while the
//     settings dialog is open (FTestMode), that judge's test mark;
//   semi-contact: 14 start/stop; 15, 18 blue Exit, Foul; 22, 23 red Exit,
//     Foul; 16, 24, 25 blue 1, 2, 3 points; 26, 27, 28 red 1, 2, 3 points;
//     20 end of the bout; 21 extra round.
// Every other code is ignored. The operator's codes go through the
// scoreboard's key handlers, the judges' points through the match screen's
// point buttons with the judge selected, so a code is the same scoring event
// as the key or button.
//
// A device that goes away while its port is open (the adapter pulled out)
// stops a running clock, shows "Connection Error" for the three judges and
// says so once; the next opening of the link (the next clock start) finds it
// again when it is back, without a message while it is not.

#include <QByteArray>
#include <QObject>

#include <functional>

class LiveScoring;
class TSerialPort;

class DeviceLink : public QObject {
    Q_OBJECT
public:
    // The port is the match screen's; the link sets its event handlers.
    DeviceLink(LiveScoring& live, TSerialPort* port, QObject* parent = nullptr);
    // Takes its handlers off the port (which outlives the link).
    ~DeviceLink() override;

    // 0x01 0x64 0x64 0xB4 0x16 0xFF, sent one byte per write.
    static const QByteArray DeviceOpenSequence;

    // The device's part of SerialPortAc: the port opened (nothing when open)
    // and the opening sequence sent. A port error ends the caller with its
    // message, except while the device is known to be gone.
    void open();
    void close();

    // The port's received-characters event: every byte waiting, in order, up
    // to a null byte.
    void SerialPort1RxChar(QObject* Sender, int Count);
    // One byte from the device.
    void handle(int code);

    // The Control key is held (the keyboard's state unless a test gives
    // another).
    std::function<bool()> ctrlHeld;

    TSerialPort* SerialPort1;
    int FDeviceLost = 0;        // the device went away while its port was open
    qint64 FBytesReceived = 0;  // bytes taken from the port, handled or skipped

private:
    void operatorCode(int code, bool ctrl);
    void judgeCode(int code);
    void deviceGone();
    void showLinkError(int judge, bool shown);

    LiveScoring& m_live;
};
