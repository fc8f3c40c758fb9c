#pragma once
// "SPORCU Listesi": the athletes with region, weight, categories, club and
// coach, one numbered line each, A4 landscape; the register's search screen
// and the weigh-in screen print it.
//
// The caller fills QRLabel9 (title), QRLabel10 (left: the sport's name +
// " SPORCU LİSTESİ") and QRLabel12 (right: the category filter), sets
// FFirstRow, replaces and opens Query1 and previews.

#include "reports/RegisterList.h"

class TPrintMenu1A : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu1A();

    ReportLabel* QRLabel12;     // the category filter text (right)

    // "Branşlar/Kategoriler": E53, then ", " + E54 and ", " + E55 each when
    // not empty (so it starts with ", " when E53 is empty).
    static QString categories(const QString& e53, const QString& e54, const QString& e55);
};

inline TPrintMenu1A* PrintMenu1A = nullptr;
