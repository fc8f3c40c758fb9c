#pragma once
// "Şifre Gir": the administrator password check that destructive and bulk
// operations ask first. The caller shows it modally and goes on only when
// FPasswordOk is 1.
//
//   SifreCheck->showModal();
//   if (SifreCheck->FPasswordOk != 1) return;

#include "app/kit/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TSifreCheck : public Form {
    Q_OBJECT
public:
    TSifreCheck();

    // 1 when the administrator's password was typed correctly.
    int FPasswordOk = 0;
    // The administrator's password (user key 1), read anew at each showing.
    QString FAdminPassword;

    QLabel* Label1;         // "Sistem Sorumlusu Şifresi"
    QLineEdit* Edit1;       // the password, masked
    QPushButton* BitBtn1;   // "Devam" (default button)

public Q_SLOTS:
    void BitBtn1Click();

protected:
    void FormActivate() override;

private:
    // Whether the users table has an administrator row to compare with.
    bool m_adminFound = false;
};

inline TSifreCheck* SifreCheck = nullptr;
