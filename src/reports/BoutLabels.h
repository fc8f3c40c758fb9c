#pragma once
// Texts the bout lists compute from a bout row.

#include <QString>

namespace BoutLabels {
// The bout's label (Tur_Mac): the round name, a blank, the bout's number in
// its round and ".MAÇ"; the round name alone for "FİNAL" and "3.'LÜK MAÇI"
// (compared exactly).
QString turMac(const QString& tur, const QString& sira);
// Ring and order (skor1): "1/005" for the four characters "1005", else empty.
QString ringOrder(const QString& skor);
}
