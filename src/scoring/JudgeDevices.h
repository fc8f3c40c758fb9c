#pragma once
// The judges' hand devices: USB mice of a few known makes, one per judge and
// side. Whether enough of them are plugged in is read from the input devices
// the registry lists under HKLM "\System\CurrentControlSet\Services\Mouhid\Enum"
// (value "Count" and one entry "0", "1", ... per device).

#include <QStringList>

namespace JudgeDevices {

// Vendor and product ids of the judges' hand devices.
inline const QStringList JudgeDeviceIds = {"0461", "4D17", "045E", "0783", "0782"};

// The presence test (TSifre::MouseKontrol): true when the listed devices
// name the ids above more than five times in all.
bool MouseKontrol();

}
