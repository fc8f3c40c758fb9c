#include "app/SplashForm.h"

#include "app/kit/Logo.h"
#include "app/Version.h"
#include "platform/paths/DriveMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TSplashForm::TSplashForm()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("SplashForm");
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    auto* loading = new QLabel("Yükleniyor ...", this);
    loading->setObjectName("Label1");
    layout->addWidget(loading, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(QPixmap::fromImage(brivexLogo(QSize(300, 300))));
    layout->addWidget(picture, 0, Qt::AlignCenter);
    auto* title = new QLabel(QString(kProductTitle) + " " + brivexVersion(), this);
    title->setObjectName("Label2");
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    title->setFont(f);
    layout->addWidget(title, 0, Qt::AlignHCenter | Qt::AlignBottom);
    LogoPicture = brivexLogo(QSize(125, 124));
    adjustSize();
    if (const QScreen* s = screen())
        move(s->geometry().center() - rect().center());
}

void TSplashForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TSplashForm::FormActivate()
{
    const QString host = DriveMap::toHost(logoFile());
    QFile old(host);
    if (old.exists()) {
        old.setPermissions(old.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
        old.remove();
    }
    QDir().mkpath(QFileInfo(host).path());
    LogoPicture.save(host, "BMP");
}
