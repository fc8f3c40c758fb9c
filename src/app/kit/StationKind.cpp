#include "app/kit/StationKind.h"

#include "platform/settings/Registry.h"

namespace {
const char* const kStationKindOffice = "office";
const char* const kStationKindScoring = "scoring";
}

StationKind StationKinds::read()
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (!reg.openKeyReadOnly(registryKey()))
        return StationKind::Scoring;
    const QString stored = reg.readString(valueName()).trimmed().toLower();
    return stored == kStationKindOffice ? StationKind::Office : StationKind::Scoring;
}

void StationKinds::write(StationKind kind)
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    reg.openKey(registryKey(), true);
    reg.writeString(valueName(), kind == StationKind::Office ? kStationKindOffice : kStationKindScoring);
    reg.closeKey();
}

QString StationKinds::name(StationKind kind)
{
    return kind == StationKind::Office ? "ofis (menüler açık)" : "puanlama (yalnız müsabaka araç çubuğu)";
}
