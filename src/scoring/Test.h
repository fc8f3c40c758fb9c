#pragma once
// "Device Button Test": the service window in which a technician checks the
// scoring control device and the judges' hand boxes before a competition.
//
// The main window shows it modally (a double click on its blank label
// Label_t). Each activation starts from zero: every counter "0", every judge
// shown as linked. It finds the device's port as the match screen does (the
// adapter's "\Device\VCP0" becomes the chosen port "comport"), wakes the
// device through the match screen's link (SerialPortAc: the opening sequence)
// and then listens on its own port SerialPort1: each event code adds one to
// its counter over the picture of the device's buttons (Label1 .. Label22),
// codes 7 to 12 switch a judge's link picture (lost: Image2 .. Image4, linked:
// Image5 .. Image7, one spot per judge). A click on a counter sets it back to
// "0". It scores nothing and writes nothing to the database.
//
// The match screen is left as the test found it: its port's name, whether
// it was open, its handler and whether its judges' codes were live.
//
// Closing (Esc: the "Exit" item of PopupMenu1) closes the window's port.

#include "app/kit/Form.h"

#include <QHash>

class QAction;
class QLabel;
class QMenu;
class TKuraList;
class TSerialPort;

class TTest : public Form {
    Q_OBJECT
public:
    TTest();

    // The codes with a counter, the counter's name and its place.
    struct CounterPlace {
        int code;
        const char* name;
        int left, top;
    };
    static const QList<CounterPlace>& counterPlaces();

    // The match screen whose port wakes the device (the program's one unless
    // a test gives another).
    TKuraList* FMatchScreen = nullptr;

    QLabel* Image1;             // the device panel
    QLabel* Label1; QLabel* Label2; QLabel* Label3; QLabel* Label4; QLabel* Label5; QLabel* Label6;
    QLabel* Label7; QLabel* Label8; QLabel* Label9; QLabel* Label10; QLabel* Label11; QLabel* Label12;
    QLabel* Label13; QLabel* Label14; QLabel* Label15; QLabel* Label16; QLabel* Label17; QLabel* Label18;
    QLabel* Label19; QLabel* Label20; QLabel* Label21; QLabel* Label22;
    QLabel* Image2;             // judge 1, 2, 3: link lost
    QLabel* Image3;
    QLabel* Image4;
    QLabel* Image5;             // judge 1, 2, 3: linked
    QLabel* Image6;
    QLabel* Image7;
    QMenu* PopupMenu1;
    QAction* Exit1;             // "Exit", Esc
    TSerialPort* SerialPort1;

    // The counter of a code (nullptr for a code without one).
    QLabel* counterOf(int code) const { return m_counters.value(code); }

    // The picture of the device panel the window shows.
    static QPixmap devicePanel();

public Q_SLOTS:
    void SerialPort1RxChar(QObject* Sender, int Count);
    void Exit1Click();
    // A click on a counter sets it back to "0".
    void LabelClick(QLabel* counter);
    void Label1Click(); void Label2Click(); void Label3Click(); void Label4Click();
    void Label5Click(); void Label6Click(); void Label7Click(); void Label8Click();
    void Label9Click(); void Label10Click(); void Label11Click(); void Label12Click();
    void Label13Click(); void Label14Click(); void Label15Click(); void Label16Click();
    void Label17Click(); void Label18Click(); void Label19Click(); void Label20Click();
    void Label21Click(); void Label22Click();

protected:
    void FormActivate() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resetDisplay();
    void setLink(int judge, bool linked);
    void portGone();

    QHash<int, QLabel*> m_counters;
};

inline TTest* Test = nullptr;
