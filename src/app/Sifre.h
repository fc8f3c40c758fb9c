#pragma once
// The login window: owns the program's one database connection and the
// signed-in user's identity and rights.

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Vendor and product ids of the judges' hand devices (USB mice).
inline const QStringList JudgeDeviceIds = {"0461", "4D17", "045E", "0783", "0782"};

class TSifre : public Form {
    Q_OBJECT
public:
    TSifre();

    // Components used by the whole program.
    Database ADOConnection1;
    // The second handle of a few screens reaches the same database file.
    Database& Database1() { return ADOConnection1; }
    // The users, in Key_No order (the users query).
    Records Query1;

    // Login state, read by other screens.
    int FLoginState = -1;       // -1 pending, 0 refused, 1 signed in
    bool FIsAdmin = false;
    bool FMatchOnlyUser = false;
    QString FUserName;
    bool FDatabaseReady = false;

    // Controls.
    QLabel* Label1;             // "Kullancı Adı"
    QComboBox* DBLookupComboBox1;
    QLabel* Label2;             // "Şifre"
    QLineEdit* Edit1;           // password
    QPushButton* BitBtn1;       // "Devam"
    QPushButton* BitBtn2;       // "Çıkış"
    QLabel* Label3;             // "Destek"

    // Presence test of the judges' USB hand devices.
    static bool MouseKontrol();
    // The drive rules on a database path; "" when it may be used, else the
    // message to show.
    static QString checkDatabasePath(const QString& upperPath, bool networkDriveM);

    // The page the "Destek" label opens.
    static QString supportUrl();

public Q_SLOTS:
    void BitBtn1Click();        // "Devam"
    void BitBtn2Click();        // "Çıkış"
    void Label3Click();         // "Destek"
    void DBLookupComboBox1Click();

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hook run right after the connection opens and before anything is read.
    void ALANEKLE();
    void refuse(const QString& message);
    void showLoginControls(bool visible);
};

inline TSifre* Sifre = nullptr;
