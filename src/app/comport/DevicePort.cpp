#include "app/comport/DevicePort.h"

#include "app/comport/SerialPort.h"
#include "platform/settings/Registry.h"

TSerialPort* DevicePort::make(QObject* owner)
{
    auto* port = new TSerialPort(owner);
    port->setObjectName("SerialPort1");
    port->setBaudRate(br9600);
    port->setPort("COM1");
    port->Parity()->setBits(prNone);
    port->setStopBits(sbOneStopBit);
    port->setDataBits(dbEight);
    port->setDiscardNull(true);
    port->setEvents(TSerialEvents::all());
    port->FlowControl()->setOutCTSFlow(false);
    port->FlowControl()->setOutDSRFlow(false);
    port->FlowControl()->setControlDTR(dtrEnable);
    port->FlowControl()->setControlRTS(rtsDisable);
    port->FlowControl()->setXonXoffOut(false);
    port->FlowControl()->setXonXoffIn(false);
    return port;
}

DevicePort::Choice DevicePort::stored()
{
    Choice choice;
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (reg.openKeyReadOnly(registryKey())) {
        choice.port = reg.readString("comport");
        choice.type = reg.readString("Type");
        reg.closeKey();
    }
    return choice;
}
