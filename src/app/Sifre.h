#pragma once
// The login window: opens the program's one database connection and signs
// the user in. Both live in the session (app/kit/Session.h); the names below
// are references to it, so Sifre->ADOConnection1 is session().db.

#include "app/kit/Form.h"
#include "app/kit/Session.h"
#include "platform/db/Database.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TSifre : public Form {
    Q_OBJECT
public:
    TSifre();

    // Components used by the whole program: the session's connection.
    Database& ADOConnection1 = session().db;
    // The second handle of a few screens reaches the same database file.
    Database& Database1() { return ADOConnection1; }
    // The users, in Key_No order (the users query).
    Records Query1;

    // Login state: the session's user, which the login fills.
    int& FLoginState = session().user.FLoginState;          // -1 pending, 0 refused, 1 signed in
    bool& FIsAdmin = session().user.FIsAdmin;
    bool& FMatchOnlyUser = session().user.FMatchOnlyUser;
    QString& FUserName = session().user.FUserName;
    bool FDatabaseReady = false;

    // Controls.
    QLabel* Label1;             // "Kullancı Adı"
    QComboBox* DBLookupComboBox1;
    QLabel* Label2;             // "Şifre"
    QLineEdit* Edit1;           // password
    QPushButton* BitBtn1;       // "Devam"
    QPushButton* BitBtn2;       // "Çıkış"
    QLabel* Label3;             // "Destek"

    // Presence test of the judges' USB hand devices
    // (JudgeDevices::MouseKontrol, scoring/JudgeDevices.h).
    static bool MouseKontrol();
    // The drive rules on a database path; "" when it may be used, else the
    // message to show.
    static QString checkDatabasePath(const QString& upperPath, bool networkDriveM);
    // The refusal of a station whose database takes no write (read-only file
    // or folder, full disk); the engine's reason follows it.
    static QString cannotWriteMessage();

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
