#pragma once
#include <QString>

// The program's version text ("1.0.0"), shown on the main window and in the
// login window's caption.
QString brivexVersion();
// The product title shown as window captions and by the task bar.
inline constexpr const char* kProductTitle = "Brivex";
