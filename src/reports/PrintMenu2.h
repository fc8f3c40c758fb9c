#pragma once
// "Genel Liste (Unvan Tarihli)": each person's belt, referee and coach
// titles with where and when they were given, A4 landscape.
//
// The caller writes the title into QRLabel9 and today's date into
// QRLabel10, sets FFirstRow, replaces and opens Query1 (in the order chosen
// in the title dialog TBaslik4) and previews.

#include "reports/RegisterList.h"

class TPrintMenu2 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu2();
};

inline TPrintMenu2* PrintMenu2 = nullptr;
