#include "app/Main.h"

#include "app/Sifre.h"
#include "app/Version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

TMain::TMain()
    : m_tracker(this, [this] { FormActivate(); })
{
    setObjectName("Main");
    setWindowTitle(kProductTitle);
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    Label_Version = new QLabel(brivexVersion(), central);
    Label_Version->setObjectName("Label_Version");
    Label_User = new QLabel("Kullanıcı : ", central);
    Label_User->setObjectName("Label_User");
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    grid->addWidget(Label_User, 1, 1);
    grid->addWidget(new QLabel("Version", central), 1, 2);
    grid->addWidget(Label_Version, 1, 3);
    setCentralWidget(central);
    statusBar();
    setWindowState(Qt::WindowMaximized);
    FInPreview = 0;
}

QString TMain::versionText() const
{
    return Label_Version->text();
}

void TMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_tracker.shown();
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        // The configuration runs inside the message loop, after every screen
        // exists, as the first thing the loop does.
        QTimer::singleShot(0, this, &TMain::FormShow);
    }
}

void TMain::FormActivate()
{
    if (FInPreview) {
        FInPreview = 0;
        return;
    }
}

void TMain::FormShow()
{
    if (m_configured || m_programEnded)
        return;
    Sifre->showModal();
    if (Sifre->FLoginState != 1)
        return;
    Label_User->setText("Kullanıcı : " + Sifre->FUserName);
    m_configured = true;
}

void TMain::endProgram()
{
    m_programEnded = true;
    setFixedSize(1, 1);
    close();
}

void TMain::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        m_programEnded = true;
        QCoreApplication::quit();
    }
}
