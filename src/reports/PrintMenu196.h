#pragma once
// The club list ("KULÜP LİSTESİ"): each club's name, contact person,
// telephones, fax, region and address, one numbered line each, A4
// landscape; printed from the clubs screen.
//
// The caller writes the title into QRLabel9 and "KULÜP LİSTESİ" into
// QRLabel10, sets FFirstRow, replaces and opens Query1 (a select of
// C_UYELIKSURESI) and previews.

#include "reports/RegisterList.h"

class TPrintMenu196 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu196();

    // The address line of the club being printed.
    QString FAddress;
    // Cadde, Sokak and No1 each followed by a blank when not empty, then
    // PostaKodu, a blank, Ilce, a blank, "/  " when Ilce is not empty, Il.
    static QString addressLine(const Record& club);
};

inline TPrintMenu196* PrintMenu196 = nullptr;
