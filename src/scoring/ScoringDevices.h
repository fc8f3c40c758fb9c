#pragma once
// The judges' and the operator's devices of the match screen: the serial
// scoring control device (DeviceLink) and the judges' USB mice (JudgeMice),
// as live scoring's inputs.
//
//   m_devices = std::make_shared<ScoringDevices>(*m_live, SerialPort1, MouseInputSource::instance(), this);
//   m_live->setInputs(m_devices);
//   ... at the end of the match screen's activation:
//   m_devices->activated();
//
// Hand boxes count as attached (so a full-contact bout is not accepted before
// the six test presses) when the activation could open the device's port or
// found the judges' mice.

#include "scoring/DeviceLink.h"
#include "scoring/JudgeMice.h"
#include "scoring/LiveScoring.h"

#include <memory>

class ScoringDevices : public ScoringInputs {
public:
    ScoringDevices(LiveScoring& live, TSerialPort* port, std::shared_ptr<MouseInputSource> mice,
                   QWidget* matchScreen = nullptr)
        : m_live(live), m_link(live, port), m_mice(live, std::move(mice), matchScreen)
    {
    }

    void openDevice() override { m_link.open(); }
    void closeDevice() override { m_link.close(); }
    void registerMice() override { m_mice.registerMice(); }
    void removeMice() override { m_mice.removeMice(); }
    bool handBoxesAttached() const override
    {
        return m_live.FDevicePortFailed == 0 || (m_live.FMiceMode == 1 && m_live.FMiceLinked == 1);
    }

    void activated() { m_mice.activated(); }

    DeviceLink& link() { return m_link; }
    JudgeMice& mice() { return m_mice; }

private:
    LiveScoring& m_live;
    DeviceLink m_link;
    JudgeMice m_mice;
};
