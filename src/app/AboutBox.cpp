#include "app/AboutBox.h"

#include "app/kit/Logo.h"
#include "app/Version.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox()
{
    setObjectName("AboutBox");
    setWindowTitle("Hakkında");
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(brivexLogo(QSize(96, 96))));
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    auto* product = new QLabel(kProductTitle, this);
    product->setObjectName("ProductName");
    QFont f = product->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    product->setFont(f);
    layout->addWidget(product, 0, Qt::AlignHCenter);
    auto* version = new QLabel("Sürüm " + brivexVersion(), this);
    version->setObjectName("Version");
    layout->addWidget(version, 0, Qt::AlignHCenter);
    auto* notice = new QLabel("Kick boks federasyonu sicil ve müsabaka programı", this);
    notice->setObjectName("Copyright");
    layout->addWidget(notice, 0, Qt::AlignHCenter);
    auto* web = new QLabel("http://www.brivex.org", this);
    web->setObjectName("Comments");
    layout->addWidget(web, 0, Qt::AlignHCenter);
    auto* ok = new QPushButton("Tamam", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
}
