#pragma once
#include <QImage>
#include <QSize>
#include <QString>

// The program's logo picture, drawn at the size asked for.
QImage brivexLogo(const QSize& size);

// The logo file the splash window leaves in the work folder, where the
// reports and the scoreboard find it, and which stands in for a missing
// region flag.
inline QString brivexLogoFile() { return "C:\\CO\\MusLogo.bmp"; }
