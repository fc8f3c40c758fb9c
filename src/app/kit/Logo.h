#pragma once
#include <QImage>
#include <QSize>

// The program's logo picture, drawn at the size asked for.
QImage brivexLogo(const QSize& size);
