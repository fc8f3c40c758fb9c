#include "platform/shell/Shell.h"

#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
Shell::Hook& shellHook()
{
    static Shell::Hook h;
    return h;
}
}

void Shell::setHook(Hook hook)
{
    shellHook() = std::move(hook);
}

bool Shell::open(const QString& target)
{
    if (shellHook())
        return shellHook()(Request{Request::Open, target, {}});
    const QUrl url(target);
    if (url.isValid() && (url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto"))
        return QDesktopServices::openUrl(url);
    const QString host = DriveMap::toHost(target);
    if (!QFileInfo::exists(host))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(host));
}

bool Shell::show(const QString& target)
{
    if (open(target))
        return true;
    Messages::error(QString::fromUtf8(kNotOpened) + "\n" + target);
    return false;
}

bool Shell::start(const QString& program, const QStringList& arguments)
{
    if (shellHook())
        return shellHook()(Request{Request::Start, program, arguments});
    return QProcess::startDetached(DriveMap::toHost(program), arguments);
}
