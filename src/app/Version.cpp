#include "app/Version.h"

QString brivexVersion()
{
    return QStringLiteral(BRIVEX_VERSION);
}
