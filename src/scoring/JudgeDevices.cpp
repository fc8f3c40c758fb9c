#include "scoring/JudgeDevices.h"

#include "platform/settings/Registry.h"

int JudgeDevices::judgeIdCount(const QString& deviceName)
{
    int n = 0;
    for (const QString& id : JudgeDeviceIds)
        if (deviceName.contains(id))
            ++n;
    return n;
}

bool JudgeDevices::MouseKontrol()
{
    Registry reg(Registry::HKEY_LOCAL_MACHINE);
    if (!reg.openKeyReadOnly("\\System\\CurrentControlSet\\Services\\Mouhid\\Enum"))
        return false;
    int hits = 0;
    if (!reg.readString("0").isEmpty()) {
        const int count = reg.readInteger("Count");
        for (int i = 0; i < count; ++i) {
            hits += judgeIdCount(reg.readString(QString::number(i)).toUpper());
        }
    }
    reg.closeKey();
    return hits > 5;
}
