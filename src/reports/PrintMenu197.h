#pragma once
// Athletes per club: each club's name, region and number of persons,
// one numbered line each, A4 portrait, no page footer; printed from the
// clubs screen ("KULÜP SPORCU SAYILARI") and from the register's search
// screen ("KULÜP BAZINDA SPORCU SAYILARI", whose statement has no region,
// so "Bölge" stays empty).
//
// The caller writes the title into QRLabel9 and the report's name into
// QRLabel10, sets FFirstRow, replaces and opens Query1 (Sayi, Durum and
// optionally E1 per club) and previews.

#include "reports/RegisterList.h"

class TPrintMenu197 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu197();
};

inline TPrintMenu197* PrintMenu197 = nullptr;
