#pragma once
// "Genel Liste (Adresli)": the persons of the register with their titles,
// region, belt and postal address, one numbered line each, A4 landscape.
//
// The caller writes the title into QRLabel9 and today's date into
// QRLabel10, sets FFirstRow, replaces and opens Query1 (a select of
// C_MUSTERI) and previews.

#include "reports/RegisterList.h"

class TPrintMenu1 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu1();
};

inline TPrintMenu1* PrintMenu1 = nullptr;
