#pragma once
// The faces every report prints with, so that a page looks the same on every
// machine and carries every Turkish letter: DejaVu Sans, DejaVu Sans
// Condensed and DejaVu Serif, registered from /usr/share/fonts/truetype/dejavu
// (package fonts-dejavu-core). A font a report design names is mapped onto
// them: narrow and condensed faces to DejaVu Sans Condensed, serif faces
// (Times, Georgia, Garamond, ...) to DejaVu Serif, everything else to DejaVu
// Sans. Size, weight, slant and underline are kept.
//
// Text is measured on one fixed reference device (1200 dots per inch, no
// hinting), so line breaks and widths do not depend on the screen.

#include <QFont>
#include <QString>
#include <QStringList>

class QPaintDevice;

namespace ReportFonts {

inline constexpr const char* kSans = "DejaVu Sans";
inline constexpr const char* kCondensed = "DejaVu Sans Condensed";
inline constexpr const char* kSerif = "DejaVu Serif";

// Registers the faces once; false when the font folder is missing (the
// system's fonts are used then).
bool ensureRegistered();
// The folder the faces are read from (tests and set-up checks).
QString fontFolder();

// The report font a design font maps to.
QFont resolve(const QFont& design);
// A default report font of the given size in points.
QFont standard(double points = 10);

// The reference device and its resolution.
QPaintDevice* referenceDevice();
inline constexpr double kReferenceDpi = 1200.0;
inline double refToMm(double refPixels) { return refPixels * 25.4 / kReferenceDpi; }
inline double mmToRef(double mm) { return mm * kReferenceDpi / 25.4; }

// Measures in millimetres.
double textWidth(const QFont& font, const QString& text);
// textWidth(font, text) <= width, told without shaping the text where it
// is clearly shorter or longer (the layout asks this of every text).
bool fitsWidth(const QFont& font, const QString& text, double width);
double lineHeight(const QFont& font);
// Breaks text into lines no wider than width (millimetres): at line breaks of
// the text, then at word boundaries, a word longer than a line anywhere.
QStringList wrap(const QFont& font, const QString& text, double width);

}
