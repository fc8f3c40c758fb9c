#include "scoring/JudgeDevices.h"

#include "platform/settings/Registry.h"

bool JudgeDevices::MouseKontrol()
{
    Registry reg(Registry::HKEY_LOCAL_MACHINE);
    if (!reg.openKeyReadOnly("\\System\\CurrentControlSet\\Services\\Mouhid\\Enum"))
        return false;
    int hits = 0;
    if (!reg.readString("0").isEmpty()) {
        const int count = reg.readInteger("Count");
        for (int i = 0; i < count; ++i) {
            const QString entry = reg.readString(QString::number(i)).toUpper();
            for (const QString& id : JudgeDeviceIds)
                if (entry.contains(id))
                    ++hits;
        }
    }
    reg.closeKey();
    return hits > 5;
}
