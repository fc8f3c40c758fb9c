// Test main: a QApplication on the offscreen platform, with message boxes
// recorded and modal dialogs scripted, so that no test ever waits on a window.
#include "app/Application.h"
#include "platform/input/MouseInput.h"
#include "support/TestSupport.h"

#include <QLocale>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BrivexApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Messages::setHook([](const UiRequest& r) {
        ui().requests.append(r);
        if ((r.kind == UiRequest::Question || r.kind >= UiRequest::OpenFile) && !ui().answers.empty()) {
            UiAnswer a = ui().answers.front();
            ui().answers.pop_front();
            return a;
        }
        return UiAnswer{r.kind < UiRequest::Question, {}};
    });
    ModalRunner::setHook([](QDialog* d) { return modals().run(d); });
    // No test reads the machine's own mice: a test that wants mice feeds them.
    MouseInputSource::setInstance(std::make_shared<ManualMouseSource>());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
