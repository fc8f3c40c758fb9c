#pragma once
// "Rapor Başlığı Girişi" of the person record sheet: the title dialog of
// Baslik1.h whose field takes letters as typed.

#include "reports/Baslik1.h"

class TBaslik2 : public TBaslik1 {
    Q_OBJECT
public:
    TBaslik2() : TBaslik1("Baslik2", false) {}
};

inline TBaslik2* Baslik2 = nullptr;
