#pragma once
// The station's device port: the serial port of the scale or the scoring
// device, as the port settings screen (TCmPort, "Seri İletişim Portu Seçme")
// stores it under HKCU "\Software\Classes\.comport\Shellex\PropertySheet":
//   "comport"  the port name, "COM1" to "COM90";
//   "Type"     "1" for "TİP-1", "2" for "TİP-2 (BX 1)".
// The port settings screen, the weigh-in and the match screen read the choice
// and make their port here.

#include <QString>

class QObject;
class TSerialPort;

namespace DevicePort {

// Where the choice is stored.
inline QString registryKey() { return "\\Software\\Classes\\.comport\\Shellex\\PropertySheet"; }

// A port object SerialPort1 of `owner` with the device's line: 9600 bits
// per second, 8 data bits, no parity, one stop bit, no handshake, DTR on,
// RTS off, null bytes dropped, every event on; "COM1" until a port is set.
// The port settings screen's test port, the weigh-in's scale port and the
// match screen's scoring device port.
TSerialPort* make(QObject* owner);

// The stored choice, read without creating the key: the port name and the
// frame type as stored ("" for what is not there).
struct Choice {
    QString port;
    QString type;
};
Choice stored();

}
