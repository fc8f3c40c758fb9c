#include "reports/BoutLabels.h"

QString BoutLabels::turMac(const QString& tur, const QString& sira)
{
    if (tur == QString::fromUtf8("FİNAL") || tur == QString::fromUtf8("3.'LÜK MAÇI"))
        return tur;
    return tur + " " + sira + QString::fromUtf8(".MAÇ");
}

QString BoutLabels::ringOrder(const QString& skor)
{
    if (skor.size() != 4)
        return QString();
    return skor.left(1) + "/" + skor.mid(1, 3);
}
