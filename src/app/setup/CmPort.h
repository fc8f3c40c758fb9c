#pragma once
// "Seri İletişim Portu Seçme": chooses the serial port of the station's device
// and the frame type of the scale, tests that the port opens, and stores both
// where DevicePort (app/comport/DevicePort.h) keeps them (the type is kept as
// it was when no type is chosen). The weigh-in and match screens read them
// there. Callers show the screen modally and read nothing back.

#include "app/kit/Form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TSerialPort;

class TCmPort : public Form {
    Q_OBJECT
public:
    TCmPort();

    QLabel* Label1;             // "Seri İletişim Portu"
    QComboBox* ComboBox1;       // "COM1" .. "COM90"
    QLabel* Label2;             // "Tartı Tipi"
    QRadioButton* RadioButton1; // "TİP-1"
    QRadioButton* RadioButton2; // "TİP-2 (BX 1)"
    QPushButton* BitBtn1;       // "Tamam"
    TSerialPort* SerialPort1;   // the port tested; no event handler

public Q_SLOTS:
    void BitBtn1Click();        // "Tamam"

protected:
    void FormActivate() override;
    void FormClose() override;
};

inline TCmPort* CmPort = nullptr;
