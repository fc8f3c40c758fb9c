#pragma once
// The splash window shown while the screens are created. On its first showing
// it leaves the logo picture in the work folder, where the reports and the
// scoreboard find it.

#include "app/kit/Logo.h"

#include <QImage>
#include <QWidget>

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();
    // The hidden logo picture (125 x 124) written to "C:\CO\MusLogo.bmp".
    QImage LogoPicture;
    static QString logoFile() { return brivexLogoFile(); }
    // Rewrites the logo file: a read-only copy left from an earlier run is
    // replaced without a message.
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_activated = false;
};
