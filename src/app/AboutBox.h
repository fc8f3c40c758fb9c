#pragma once
// "Hakkında": the product's name, version, maker's notice and web address.

#include "app/kit/Form.h"

class TAboutBox : public Form {
    Q_OBJECT
public:
    TAboutBox();
};

inline TAboutBox* AboutBox = nullptr;
