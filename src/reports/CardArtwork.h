#pragma once
// The pictures printed on the cards, drawn by the program itself: card
// backgrounds in the tone of each card family, the federation emblem, the
// visa stamp and the signature place. A federation that has its own logo or
// the president's signature as a picture puts it into the work folder:
//
//   "C:\CO\MusLogo.bmp"   the left logo of the cards (the program writes its
//                         own logo there at start; a federation replaces it)
//   "C:\CO\KartLogo.bmp"  the right logo (the emblem is drawn without it)
//   "C:\CO\Imza.bmp"      the president's signature (a signature line
//                         without it)
//   "C:\CO\Baskan.txt"    the president's name under the signature: the
//                         first line, code page 1254 (nothing without it)
//
// Pictures are drawn at 12 pixels per millimetre when a card form is made.

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>

namespace CardArtwork {

inline constexpr double kPixelsPerMm = 12.0;

// The work-folder files (Windows form).
QString leftLogoFile();
QString rightLogoFile();
QString signatureFile();
QString presidentFile();
// The president's name of presidentFile(), or "".
QString presidentName();

// A card side of `size` millimetres: a light field with fine guilloche lines
// in the tone `tone`, a frame, and for a front a dark band behind the role
// title (`titleBand`, millimetres from the card's corner; empty for none).
QImage cardBackground(const QSizeF& size, const QColor& tone, const QRectF& titleBand);
// The same in two steps, for a card whose two sides share the field (the
// guilloche lines are most of the drawing): cardSide(cardField(s, t), t, b)
// is cardBackground(s, t, b).
QImage cardField(const QSizeF& size, const QColor& tone);
QImage cardSide(QImage field, const QColor& tone, const QRectF& titleBand);
// The accreditation card: the card field with its role band.
QImage accreditationBackground(const QSizeF& size, const QRectF& roleBand);

// The pictures of the work folder, or the drawn ones when a file is missing
// or unreadable.
QImage leftLogo();
QImage rightLogo();
QImage signature();
// The drawn emblem (a star in a ring), square.
QImage emblem(const QColor& tone);
// The visa stamp: a red ring with "VİZE" and a star.
QImage visaStamp();

}
