#include "app/dialogs/SifreCheck.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "platform/ui/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSifreCheck::TSifreCheck()
{
    using PlacedControls::make;
    setObjectName("SifreCheck");
    setWindowTitle("Şifre Gir");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Sistem Sorumlusu Şifresi", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    Edit1->setEchoMode(QLineEdit::Password);
    BitBtn1 = make<QPushButton>("BitBtn1", "Devam", this);
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
    const std::optional<Record> admin = session().db.first("select * from C_SIFRE where Key_No = 1");
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
