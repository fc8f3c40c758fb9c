#include "app/dialogs/SifreCheck.h"

#include "app/Sifre.h"
#include "platform/ui/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSifreCheck::TSifreCheck()
{
    setObjectName("SifreCheck");
    setWindowTitle("Şifre Gir");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    Label1 = new QLabel("Sistem Sorumlusu Şifresi", this);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton("Devam", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(BitBtn1, 1, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &TSifreCheck::BitBtn1Click);
    setFixedSize(320, sizeHint().height());
}

void TSifreCheck::FormActivate()
{
    Edit1->clear();
    FPasswordOk = 0;
    FAdminPassword.clear();
    m_adminFound = false;
    Edit1->setFocus();
    // A failure to read ends the activation with the engine's message; the
    // check then refuses every password.
    const std::optional<Record> admin = Sifre->ADOConnection1.first("select * from C_SIFRE where Key_No = 1");
    if (admin) {
        FAdminPassword = admin->str("Sifre");
        m_adminFound = true;
    }
}

void TSifreCheck::BitBtn1Click()
{
    // Without an administrator row there is nothing to compare with, so no
    // password passes (an empty field would otherwise match the empty text).
    if (m_adminFound && Edit1->text() == FAdminPassword) {
        FPasswordOk = 1;
        accept();
        return;
    }
    FPasswordOk = 0;
    Messages::error("Sistem Sorumlusu Şifresini Hatalı Girdiniz. İşleme Devam Edilemiyor ...!");
    Edit1->clear();
    Edit1->setFocus();
}
