#pragma once
// Serial port names. The program names serial ports "COMn" everywhere; the
// station file maps each name to a device:
//
//   [Ports]
//   COM1=/dev/ttyS0
//   COM3=/dev/ttyUSB0
//
// USB (ttyUSB*) and ACM (ttyACM*) devices that have no name yet get the next
// free number from COM3 upwards, in device order, and keep it from then on.

#include <QList>
#include <QPair>
#include <QString>

namespace PortMap {

// The device path for "COMn" (case-insensitive; "" when unknown).
QString devicePath(const QString& portName);
// Names a device "COMn" and stores it.
void setDevice(const QString& portName, const QString& devicePath);
// The USB and ACM serial devices present, in a stable order, each with its
// "COMn" name (assigned and stored on first sight).
QList<QPair<QString, QString>> usbPorts(); // (COMn, device path)
// Every stored port name with its device, by port number.
QList<QPair<QString, QString>> mappings(); // (COMn, device path)

}
