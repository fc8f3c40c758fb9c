#pragma once
// The application object. An error that escapes an event handler (a data
// layer error, for example) ends that handler's operation with the error's
// message, and the program goes on.

#include <QApplication>

class BrivexApplication : public QApplication {
public:
    BrivexApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
