#pragma once
// "Seri İletişim Portu Seçme": chooses the serial port of the station's device
// and the frame type of the scale, tests that the port opens, and stores both
// under HKCU "\Software\Classes\.comport\Shellex\PropertySheet":
//   "comport"  the port name, "COM1" to "COM90";
//   "Type"     "1" for "TİP-1", "2" for "TİP-2 (BX 1)" (kept as it was when
//              no type is chosen).
// The weigh-in and match screens read them there. Callers show the screen
// modally and read nothing back.

#include "app/kit/Form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TSerialPort;

class TCmPort : public Form {
    Q_OBJECT
public:
    TCmPort();

    // Where the choice is stored.
    static QString registryKey() { return "\\Software\\Classes\\.comport\\Shellex\\PropertySheet"; }
    // A port object SerialPort1 of `owner` with the device's line: 9600 bits
    // per second, 8 data bits, no parity, one stop bit, no handshake, DTR
    // on, RTS off, null bytes dropped, every event on; "COM1" until a port is
    // chosen. The port tested here and the weigh-in screen's scale port.
    static TSerialPort* devicePort(QObject* owner);
    // The stored choice, read without creating the key: the port name and
    // the frame type as stored ("" for what is not there).
    struct Choice {
        QString port;
        QString type;
    };
    static Choice storedChoice();

    QLabel* Label1;             // "Seri İletişim Portu"
    QComboBox* ComboBox1;       // "COM1" .. "COM90"
    QLabel* Label2;             // "Tartı Tipi"
    QRadioButton* RadioButton1; // "TİP-1"
    QRadioButton* RadioButton2; // "TİP-2 (BX 1)"
    QPushButton* BitBtn1;       // "Tamam"
    TSerialPort* SerialPort1;   // the port tested; no event handler

public Q_SLOTS:
    void BitBtn1Click();        // "Tamam"

protected:
    void FormActivate() override;
    void FormClose() override;
};

inline TCmPort* CmPort = nullptr;
