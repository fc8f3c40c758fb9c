#include "app/comport/SerialPort.h"

#include <QMetaObject>

TSerialThread::TSerialThread(TCustomSerialPort* port)
    : m_ownerPort(port), m_device(port->m_device), m_handOver(std::make_shared<TSerialHandOver>())
{
    m_device.setCommMask(TCustomSerialPort::EventSetToMask(port->Events()));
    start(port->WorkerPriority());
}

TSerialThread::~TSerialThread()
{
    StopWorker();
    // Batches nobody will run any more must not keep the thread waiting.
    {
        std::lock_guard l(m_handOver->Lock);
        m_handOver->Abandoned = true;
    }
    m_handOver->Changed.notify_all();
    wait();
}

void TSerialThread::StopWorker()
{
    StopSignal.set();
    QThread::yieldCurrentThread();
}

void TSerialThread::RunWorker()
{
    for (;;) {
        uint32_t mask = 0;
        if (m_device.waitCommEvent(&mask, StopSignal) != Serial::Device::Wait::Events)
            break;
        PendingEvents = TCustomSerialPort::MaskToEventSet(mask);
        if (!PendingEvents.empty())
            HandOverEvents();
    }
    m_device.setCommMask(0);
    m_device.purge(Serial::PURGE_TXCLEAR | Serial::PURGE_RXCLEAR);
    // The last step: once Finished is seen, the port may delete this object.
    const std::shared_ptr<TSerialHandOver> handOver = m_handOver;
    std::lock_guard l(handOver->Lock);
    handOver->Finished = true;
    handOver->Changed.notify_all();
}

void TSerialThread::HandOverEvents()
{
    const std::shared_ptr<TSerialHandOver> handOver = m_handOver;
    {
        std::lock_guard l(handOver->Lock);
        if (handOver->Abandoned)
            return;
        handOver->Events = PendingEvents;
        handOver->Pending = true;
        handOver->Done = false;
    }
    // Wakes a ClosePort that waits for this thread.
    handOver->Changed.notify_all();
    TCustomSerialPort* port = m_ownerPort;
    QMetaObject::invokeMethod(
        port, [port, handOver] { port->RunHandOver(handOver); }, Qt::QueuedConnection);
    std::unique_lock l(handOver->Lock);
    handOver->Changed.wait(l, [&] { return handOver->Done || handOver->Abandoned; });
}
