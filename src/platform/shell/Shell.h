#pragma once
// Opening documents and web pages with the desktop's program for them, and
// starting other programs. Routed through a hook that tests replace.

#include <QString>
#include <QStringList>

#include <functional>

namespace Shell {
struct Request {
    enum Kind { Open, Start };
    Kind kind = Open;
    QString target;        // a URL, or a file path (Windows form or host)
    QStringList arguments; // for Start
};
using Hook = std::function<bool(const Request&)>;
void setHook(Hook hook);

// Opens a URL or a document; false when nothing could open it.
bool open(const QString& target);
// The same for a command of the user's: when nothing opens the target, the
// user is told so (kNotOpened and the target).
bool show(const QString& target);
inline constexpr const char* kNotOpened = "Açılamadı: bu bilgisayarda bunu açacak bir program bulunamadı ...!";
// Starts a program without waiting for it.
bool start(const QString& program, const QStringList& arguments = {});
}
