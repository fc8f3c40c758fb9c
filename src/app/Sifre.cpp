#include "app/Sifre.h"

#include "app/BrivexSchema.h"
#include "app/Main.h"
#include "app/kit/TurkishEntry.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Messages.h"
#include "scoring/JudgeDevices.h"
#include "scoring/KuraList.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

TSifre::TSifre()
{
    setObjectName("Sifre");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(360, 170);

    auto* grid = new QGridLayout(this);
    Label1 = new QLabel("Kullancı Adı", this);
    Label1->setObjectName("Label1");
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName("DBLookupComboBox1");
    DBLookupComboBox1->setMinimumWidth(200);
    Label2 = new QLabel("Şifre", this);
    Label2->setObjectName("Label2");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton("Devam", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Çıkış", this);
    BitBtn2->setObjectName("BitBtn2");
    Label3 = new QLabel("<u>Destek</u>", this);
    Label3->setObjectName("Label3");
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DBLookupComboBox1, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit1, 1, 1, 1, 2);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(BitBtn1, 2, 1);
    grid->addWidget(BitBtn2, 2, 2);

    connect(BitBtn1, &QPushButton::clicked, this, &TSifre::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSifre::BitBtn2Click);
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TSifre::DBLookupComboBox1Click);
    // Typed letters are upper-cased as they are typed (passwords are digits,
    // so a letter never matches); Enter keeps pressing "Devam".
    TurkishEntry::textField(Edit1, nullptr);

    // The user list, its label, the password field and "Devam" appear only
    // once the database is open.
    showLoginControls(false);
}

void TSifre::showLoginControls(bool visible)
{
    Label1->setVisible(visible);
    DBLookupComboBox1->setVisible(visible);
    Label2->setVisible(visible);
    Edit1->setVisible(visible);
    BitBtn1->setVisible(visible);
}

QString TSifre::supportUrl()
{
    return "http://www.brivex.org/destek.asp";
}

QString TSifre::cannotWriteMessage()
{
    return "BU İSTASYON VERİTABANINA YAZAMIYOR ...!";
}

QString TSifre::checkDatabasePath(const QString& upperPath, bool networkDriveM)
{
    if (upperPath.size() < 2)
        return "VERİTABANI BAĞLANTISI KURULAMADI\nLÜTFEN GEREKLİ AYARLAMALARI YAPIP PROGRAMI ÇALIŞTIRINIZ ...!";
    if (upperPath[0] != QChar('C') && !networkDriveM)
        return "M AĞ SÜRÜCÜSÜ BAĞLANTISI BULUNAMADI\nLÜTFEN M AĞ SÜRÜCÜSÜNÜ OLUŞTURUP PROGRAMI ÇALIŞTIRINIZ ...!";
    if (!QFileInfo(DriveMap::toHost(upperPath)).isFile())
        return "VERİTABANI DOSYASI BULUNAMADI ...!";
    return QString();
}

void TSifre::FormActivate()
{
    // The match screen's English wording is switched off.
    if (KuraList)
        KuraList->FEnglish = 0;
    setWindowTitle("Brivex System " + (Main ? Main->versionText() : QString()));
    FDatabaseReady = true;

    QList<QChar> networkDrives;
    for (char l = 'A'; l <= 'Z'; ++l)
        if (DriveMap::driveType(QChar(l)) == DriveMap::DriveType::Remote)
            networkDrives << QChar(l);
    const bool driveM = networkDrives.contains(QChar('M'));

    FLoginState = -1;
    FIsAdmin = false;
    FMatchOnlyUser = false;

    const QString path = RegistryValues::dbq().toUpper();
    const QString refusal = checkDatabasePath(path, driveM);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return;
    }

    // A database that cannot be opened ends the activation with its message
    // (an empty, damaged or foreign file: "not a database"); only "Çıkış"
    // stays useful. Nothing is written into such a file: no schema goes into
    // a file the station did not make.
    ADOConnection1.open(path);
    if (!ADOConnection1.hasTable("C_SIFRE")) {
        ADOConnection1.close();
        throw DbError(DbError::textFor(DbError::Kind::NotADatabase), DbError::Kind::NotADatabase,
                      QString("C_SIFRE yok: %1").arg(path));
    }
    // A station that cannot write says so now, not at the first point of a
    // bout. Another station's lock is no reason to refuse.
    try {
        BusyWait briefly(ADOConnection1, 2000);
        ADOConnection1.checkWritable();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::Busy) {
            ADOConnection1.close();
            refuse(cannotWriteMessage() + "\n\n" + e.message());
            return;
        }
    }
    ALANEKLE();
    Query1 = ADOConnection1.select("Select * from C_SIFRE order by Key_No");
    DBLookupComboBox1->clear();
    for (const Record& r : Query1)
        DBLookupComboBox1->addItem(r.str("Ad"), r.value("Key_No"));
    DBLookupComboBox1->setCurrentIndex(-1);
    Edit1->clear();
    showLoginControls(true);
    DBLookupComboBox1->setFocus();
}

void TSifre::ALANEKLE()
{
    // A station file made by an earlier version gets the tables and columns
    // it lacks; nothing is dropped or changed.
    brivexSchema().upgrade(ADOConnection1);
}

void TSifre::refuse(const QString& message)
{
    FLoginState = 0;
    Messages::info(message);
    FDatabaseReady = false;
    close();
    if (Main)
        Main->endProgram();
}

void TSifre::BitBtn1Click()
{
    if (DBLookupComboBox1->currentIndex() < 0) {
        Messages::info("Lütfen Kullanıcı Seçiniz ...!");
        return;
    }
    const QString chosen = DBLookupComboBox1->currentText();
    const Record* row = nullptr;
    for (const Record& r : Query1) {
        if (r.str("Ad") == chosen) {
            row = &r;
            break;
        }
    }
    if (!row || Edit1->text() != row->str("Sifre")) {
        Messages::info("Hatalı Şifre Girdiniz ...");
        Edit1->clear();
        return;
    }
    FLoginState = 1;
    FIsAdmin = row->toInt("Key_No") == 1;
    FUserName = row->str("Ad");
    const QString rights = row->str("R/F");
    if (rights == "VAR")
        FMatchOnlyUser = true;
    else if (rights == "YOK")
        FMatchOnlyUser = false;
    close();
}

void TSifre::BitBtn2Click()
{
    Query1.clear();
    close();
    if (Main)
        Main->endProgram();
}

void TSifre::Label3Click()
{
    Shell::show(supportUrl());
}

void TSifre::DBLookupComboBox1Click()
{
    Edit1->setFocus();
}

bool TSifre::FormCloseQuery()
{
    // While the login is pending the window refuses to close; the program
    // still ends through the main window.
    return FLoginState != -1;
}

void TSifre::FormClose()
{
    if (FDatabaseReady)
        Query1.clear();
}

bool TSifre::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        Label3Click();
        return true;
    }
    return Form::eventFilter(watched, event);
}

bool TSifre::MouseKontrol()
{
    return JudgeDevices::MouseKontrol();
}
