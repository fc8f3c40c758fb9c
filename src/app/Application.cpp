#include "app/Application.h"

#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

#include <exception>

BrivexApplication::BrivexApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool BrivexApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        Messages::error(e.message());
    } catch (const std::exception& e) {
        Messages::error(QString::fromUtf8(e.what()));
    }
    return false;
}
