#pragma once
// "Genel Liste (Kulüp v.s.)": names, other names, region, telephones and
// postal address, one numbered line each, A4 landscape.
//
// The caller writes the title into QRLabel9 and today's date into
// QRLabel10, sets FFirstRow, replaces and opens Query1 and previews.

#include "reports/RegisterList.h"

class TPrintMenu1_1 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu1_1();
};

inline TPrintMenu1_1* PrintMenu1_1 = nullptr;
