#pragma once
// "Kullanıcılar": the users table C_SIFRE, against which the login and the
// administrator password check compare. The main window opens it modally
// after the administrator password.
//
// New users come only through "Kullanıcı Adı", "Şifre" and "Kaydet"; names
// and passwords of existing users are corrected in the grid; every user but
// the administrator (Key_No 1) can be deleted. Passwords are whole numbers of
// at most 8 digits, kept as typed (leading zeros too). The screen also
// carries the special code OzelKod of C_SAYI in a hidden field, read at
// activation and written back by "Kaydet".
//
// Closing the screen leaves the signed-in user as it is: the change stamps
// other screens write keep naming the user who signed in.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDBGrid;

class TUsers : public Form {
    Q_OBJECT
public:
    TUsers();

    // Set while "Kaydet" adds its own row; a row the grid starts on its own
    // is refused.
    int FInserting = 0;

    QLabel* Label1;             // "Kullanıcı Adı"
    QLineEdit* Edit1;
    QLabel* Label2;             // "Şifre"
    QLineEdit* Edit2;
    QCheckBox* CheckBox1;       // "Sadece Müsabaka Yetkisi Var"
    QLineEdit* DBEdit1;         // OzelKod of C_SAYI, hidden
    QPushButton* BitBtn1;       // "Kaydet"
    QPushButton* BitBtn2;       // "Sil"
    QPushButton* BitBtn3;       // "Çıkış"
    TDBGrid* DBGrid1;           // C_SIFRE: Tip, Ad, Sifre (R/F hidden)

    // A password, or the special code: digits only, one to eight of them.
    static bool isWholeNumber(const QString& text);
    // The checks before a row of C_SIFRE is stored; may correct R/F. Shows
    // its message and returns false when the row is refused.
    static bool checkRow(Record& row);

public Q_SLOTS:
    void BitBtn1Click();        // "Kaydet"
    void BitBtn2Click();        // "Sil"
    void BitBtn3Click();        // "Çıkış"

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;

private:
    Database& db() const;
    void openTable();

    // OzelKod as read at activation.
    QString m_specialCodeRead;
};

inline TUsers* Users = nullptr;
