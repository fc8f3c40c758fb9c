#include "app/Application.h"

#include "platform/ui/Guarded.h"

#include <exception>

BrivexApplication::BrivexApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool BrivexApplication::notify(QObject* receiver, QEvent* event)
{
    // The last boundary: an event handler's failure is shown as a slot's is.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Guard::show(std::current_exception());
    }
    return false;
}
