#pragma once
// The one message of a command whose screen this program does not have:
// the main window's command table and the screens' own buttons say it
// instead of doing nothing.
//
//   NotAvailable::tell();

#include "platform/ui/Messages.h"

#include <QString>

namespace NotAvailable {
inline constexpr const char* kText = "Bu işlem bu istasyonda kullanılamaz.";
inline void tell()
{
    Messages::info(QString::fromUtf8(kText));
}
}
