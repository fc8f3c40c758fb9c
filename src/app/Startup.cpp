#include "app/Startup.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/Screens.h"
#include "app/SplashForm.h"
#include "app/Version.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "platform/db/HeapReuse.h"
#include "platform/paths/DriveMap.h"
#include "platform/report/ReportExpression.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

bool Startup::loadQtTranslations()
{
    static QTranslator* startupQtTranslator = nullptr;
    if (startupQtTranslator)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Turkish, QLocale::Turkey), "qt", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    startupQtTranslator = translator;
    return true;
}

void Startup::prepare()
{
    Formats::fix();
    loadQtTranslations();
    ReportFormat::setDecimalSeparator(Formats::decimalSeparator());
    QApplication::setApplicationName(kProductTitle);
    QApplication::setApplicationDisplayName(kProductTitle);
    QApplication::setApplicationVersion(brivexVersion());
    // The work folder holds the logo, sounds and exports; a new machine may
    // not have it yet.
    DriveMap::makePath(Folders::workFolder());

    auto* splash = new TSplashForm();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    Screens::createAll();
    splash->hide();
    delete splash;
}

int Startup::run(int argc, char** argv)
{
    HeapReuse::keepFreedMemory();
    BrivexApplication app(argc, argv);
    prepare();
    // Maximised; where no window manager does that, the window still covers
    // the screen.
    if (const QScreen* screen = Main->screen())
        Main->setGeometry(screen->availableGeometry());
    Main->showMaximized();
    const int rc = app.exec();
    Screens::destroyAll();
    return rc;
}
