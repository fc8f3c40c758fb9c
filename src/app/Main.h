#pragma once
// The main window: the application's main window for the whole run; closing
// it ends the program. Its first showing runs the login and then configures
// the program for the scoring station.

#include "app/Form.h"

#include <QMainWindow>

class QLabel;

class TMain : public QMainWindow {
    Q_OBJECT
public:
    TMain();

    // Application state read by other screens (fixed at start-up).
    QString FederationCode;
    QString SportName;
    int ScoringEdition = 0;
    int ThirdPlaceBouts = 0;
    int RegionSeparation = 0;
    int FInPreview = 0;

    QLabel* Label_Version;      // the version label
    QLabel* Label_User;         // "Kullanıcı : " + user

    QString versionText() const;

    // The first showing: login, then the start-up configuration. Runs once.
    void FormShow();
    bool configured() const { return m_configured; }

    // Ends the program without showing the main window any further: shrinks
    // it to 1 x 1 pixel and closes it.
    void endProgram();
    bool programEnded() const { return m_programEnded; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    virtual void FormActivate();

private:
    ActivationTracker m_tracker;
    bool m_firstShowDone = false;
    bool m_configured = false;
    bool m_programEnded = false;
};

inline TMain* Main = nullptr;
