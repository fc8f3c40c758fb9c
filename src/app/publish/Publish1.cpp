#include "app/publish/Publish1.h"

#include "app/dialogs/Form5.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/publish/DosyaSec.h"
#include "app/publish/KlbSec.h"
#include "app/publish/Publish4.h"
#include "app/publish/PublishDatabase.h"
#include "app/publish/PublishSettings.h"
#include "app/publish/ResultsDatabase.h"
#include "app/publish/UploadQueue.h"
#include "exchange/net/AsyncSocket.h"
#include "exchange/net/FtpClient.h"
#include "platform/paths/DriveMap.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace {

qint64 publishTickCount()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

// A setting edit read as an integer; false (with the conversion error shown)
// for anything else.
bool publishIntegerOf(const QLineEdit* edit, qint64& out)
{
    bool ok = false;
    out = edit->text().trimmed().toLongLong(&ok);
    if (!ok)
        Messages::error("'" + edit->text() + "' geçerli bir tamsayı değil");
    return ok;
}

}

TPublishForm::TPublishForm()
{
    using PlacedControls::make;
    using PlacedControls::readOnly;
    setObjectName("PublishForm");
    setWindowTitle("Dosya Transferi");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(760, 480);

    auto* top = new QGridLayout;
    Label1 = make<QLabel>("Label1", "Sunucu Adı", this);
    HostNameEdit = make<QLineEdit>("HostNameEdit", this);
    Label2 = make<QLabel>("Label2", "Kulanıcı Adı", this);
    UserNameEdit = make<QLineEdit>("UserNameEdit", this);
    Label3 = make<QLabel>("Label3", "Path", this);
    HostDirEdit = make<QLineEdit>("HostDirEdit", this);
    Label4 = make<QLabel>("Label4", "Şifre", this);
    PassWordEdit = make<QLineEdit>("PassWordEdit", this);
    PassWordEdit->setEchoMode(QLineEdit::Password);
    Label5 = make<QLabel>("Label5", "Dosya Adı", this);
    Edit1 = readOnly(make<QLineEdit>("Edit1", this));
    Button1 = make<QPushButton>("Button1", "Dosya Seç", this);
    Button2 = make<QPushButton>("Button2", "Veritabanı", this);
    Button3 = make<QPushButton>("Button3", "Resimler", this);
    Button4 = make<QPushButton>("Button4", "Kura Sonuç", this);
    Button5 = make<QPushButton>("Button5", "Kulüp Sonuç", this);
    top->addWidget(Label1, 0, 0);
    top->addWidget(HostNameEdit, 0, 1);
    top->addWidget(Label2, 0, 2);
    top->addWidget(UserNameEdit, 0, 3);
    top->addWidget(Label3, 1, 0);
    top->addWidget(HostDirEdit, 1, 1);
    top->addWidget(Label4, 1, 2);
    top->addWidget(PassWordEdit, 1, 3);
    top->addWidget(Label5, 2, 0);
    top->addWidget(Edit1, 2, 1, 1, 3);
    auto* choices = new QHBoxLayout;
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5})
        choices->addWidget(b);
    top->addLayout(choices, 3, 0, 1, 4);

    auto* buttons = new QHBoxLayout;
    TransmitAsyncButton = make<QPushButton>("TransmitAsyncButton", "Transfer", this);
    AbortAsyncButton = make<QPushButton>("AbortAsyncButton", "İptal", this);
    ClearButton = make<QPushButton>("ClearButton", "Temizle", this);
    ExitButton = make<QPushButton>("ExitButton", "Kapat", this);
    Label6 = make<QLabel>("Label6", "Transfer Edilen Byte :", this);
    InfoLabel = make<QLabel>("InfoLabel", this);
    InfoLabel->setMinimumWidth(80);
    Label13 = make<QLabel>("Label13", this);
    Label13->setMinimumWidth(70);
    Label12 = make<QLabel>("Label12", this);
    Label12->setMinimumWidth(40);
    for (QWidget* w : std::initializer_list<QWidget*>{TransmitAsyncButton, AbortAsyncButton, ClearButton, ExitButton,
                                                      Label6, InfoLabel, Label13, Label12})
        buttons->addWidget(w);
    buttons->addStretch();

    DisplayMemo = readOnly(make<QPlainTextEdit>("DisplayMemo", this));
    DisplayMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DisplayMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DisplayMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1 = readOnly(make<QPlainTextEdit>("RichEdit1", this));
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFixedWidth(240);
    auto* middle = new QHBoxLayout;
    middle->addWidget(DisplayMemo, 1);
    middle->addWidget(RichEdit1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(buttons);
    page->addLayout(middle, 1);

    // Hidden controls: the client's other settings.
    PortEdit = make<QLineEdit>("PortEdit", this);
    AccountEdit = make<QLineEdit>("AccountEdit", this);
    HostFileEdit = make<QLineEdit>("HostFileEdit", this);
    LocalFileEdit = make<QLineEdit>("LocalFileEdit", this);
    ResumeAtEdit = make<QLineEdit>("ResumeAtEdit", this);
    DataPortRangeStartEdit = make<QLineEdit>("DataPortRangeStartEdit", this);
    DataPortRangeEndEdit = make<QLineEdit>("DataPortRangeEndEdit", this);
    PassiveCheckBox = make<QCheckBox>("PassiveCheckBox", "Passive Mode", this);
    BinaryCheckBox = make<QCheckBox>("BinaryCheckBox", "Binary Mode", this);
    BinaryCheckBox->setChecked(true);
    DisplayCheckBox = make<QCheckBox>("DisplayCheckBox", "Display Data", this);
    SyncCheckBox = make<QCheckBox>("SyncCheckBox", "Synchronous", this);
    NoAutoResumeAtCheckBox = make<QCheckBox>("NoAutoResumeAtCheckBox", "NoAutoResumeAt", this);
    AuthSslCheckBox = make<QCheckBox>("AuthSslCheckBox", "Auth SSL", this);
    StateLabel = make<QLabel>("StateLabel", this);
    CheckBox1 = make<QCheckBox>("CheckBox1", "Uluslararası", this);
    Memo1 = make<QPlainTextEdit>("Memo1", this);
    for (QWidget* w : std::initializer_list<QWidget*>{PortEdit, AccountEdit, HostFileEdit, LocalFileEdit,
                                                      ResumeAtEdit, DataPortRangeStartEdit, DataPortRangeEndEdit,
                                                      PassiveCheckBox, BinaryCheckBox, DisplayCheckBox, SyncCheckBox,
                                                      NoAutoResumeAtCheckBox, AuthSslCheckBox, StateLabel, CheckBox1,
                                                      Memo1})
        w->hide();

    FtpClient1 = new TFtpClient(this);
    FtpClient1->setObjectName("FtpClient1");
    FtpClient1->Timeout = 15;
    FtpClient1->Port = "ftp";
    FtpClient1->SetBinary(true);
    hookClient();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(300);

    PublishPhotos = new TPublishPhotos(session().db, FQueue, this);
    KlbSec = new TKlbSec(session().db, FQueue, this);
    DosyaSec = new TDosyaSec(session().db, this);

    // Creation.
    DisplayMemo->clear();
    InfoLabel->clear();
    StateLabel->clear();
    FIniFileName = PublishSettings::filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());

    connect(TransmitAsyncButton, &QPushButton::clicked, this, &TPublishForm::TransmitAsyncButtonClick);
    connect(AbortAsyncButton, &QPushButton::clicked, this, &TPublishForm::AbortAsyncButtonClick);
    connect(ClearButton, &QPushButton::clicked, this, &TPublishForm::ClearButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &TPublishForm::ExitButtonClick);
    connect(Button1, &QPushButton::clicked, this, &TPublishForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TPublishForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TPublishForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TPublishForm::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TPublishForm::Button5Click);
    connect(Timer1, &QTimer::timeout, this, &TPublishForm::Timer1Timer);
}

TPublishForm::~TPublishForm()
{
    // The client's handlers point into this screen.
    FtpClient1->OnRequestDone = nullptr;
    FtpClient1->OnError = nullptr;
    FtpClient1->OnStateChange = nullptr;
    FtpClient1->OnProgress = nullptr;
    FtpClient1->OnSessionConnected = nullptr;
    FtpClient1->OnSessionClosed = nullptr;
    FtpClient1->OnDisplayFile = nullptr;
}

QString TPublishForm::databaseFile()
{
    return QStringLiteral("c:\\co\\qvx_prog\\fdr.mdb");
}

QString TPublishForm::databaseCopyFile()
{
    return QStringLiteral("c:\\co\\qvx_prog\\metafile1.res");
}

QString TPublishForm::clubListFile()
{
    return QStringLiteral("c:\\co\\qvx_prog\\klfile.asp");
}

QString TPublishForm::databaseTempFile()
{
    return QStringLiteral("c:\\co\\qvx_prog\\fdr_TEMP.mdb");
}

void TPublishForm::hookClient()
{
    FtpClient1->OnProgress = [this](TCustomFtpClient*, int64_t Count, bool&) {
        FProgressCount = Count;
        if (publishTickCount() > FNextLabelTick) {
            FNextLabelTick = publishTickCount() + 1000;
            InfoLabel->setText(QString::number(FProgressCount));
            InfoLabel->repaint();
        }
    };
    FtpClient1->OnRequestDone = [this](TCustomFtpClient* c, TFtpRequest RqType, quint16 ErrCode) {
        AppendLogLine("Request " + QString::number(int(RqType)) + " Done.");
        AppendLogLine("StatusCode = " + QString::number(c->StatusCode()));
        AppendLogLine("LastResponse was : '" + c->LastResponse() + "'");
        if (ErrCode)
            AppendLogLine("Error = " + QString::number(ErrCode) + " (" + c->ErrorMessage() + ")");
        else
            AppendLogLine("No error");
        InfoLabel->setText(QString::number(FProgressCount));
        if (ErrCode == 0) {
            if (RqType == ftpCwdAsync || RqType == ftpMkdAsync || RqType == ftpPwdAsync || RqType == ftpCDupAsync)
                AppendLogLine("Directory is \"" + c->DirResult() + "\"");
            else if (RqType == ftpSizeAsync)
                AppendLogLine("File size is " + QString::number(c->SizeResult()) + " bytes");
        }
        if (m_queueOp != QueueOp::None)
            queueDone(ErrCode);
    };
    FtpClient1->OnSessionConnected = [this](TCustomFtpClient*, quint16 ErrCode) {
        AppendLogLine("Session Connected, error = " + QString::number(ErrCode));
    };
    FtpClient1->OnSessionClosed = [this](TCustomFtpClient*, quint16 ErrCode) {
        AppendLogLine("Session Closed, error = " + QString::number(ErrCode));
    };
    FtpClient1->OnStateChange = [this](TCustomFtpClient* c) { StateLabel->setText(QString::number(int(c->State()))); };
    FtpClient1->OnDisplayFile = [this](TCustomFtpClient*, QString& Msg) { AppendLogLine("DATA: \"" + Msg + "\""); };
    // A local error (the client busy or not connected) stops the queue; the
    // entries stay for a retry.
    FtpClient1->OnError = [this](TCustomFtpClient*, QString& Msg) {
        Timer1->stop();
        if (m_queueOp != QueueOp::None || FConnectPending || FQueueRunning)
            stopQueue(Msg);
    };
}

void TPublishForm::AppendLogLine(const QString& text)
{
    QTextCursor cursor(DisplayMemo->document());
    cursor.beginEditBlock();
    if (DisplayMemo->document()->blockCount() > 200) {
        for (int i = 0; i < 50; ++i) {
            QTextCursor first(DisplayMemo->document()->firstBlock());
            first.select(QTextCursor::BlockUnderCursor);
            first.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            first.removeSelectedText();
        }
    }
    cursor.endEditBlock();
    DisplayMemo->appendPlainText(text);
    // The new line shows from its start, whatever a long line before it
    // scrolled to.
    DisplayMemo->moveCursor(QTextCursor::End);
    DisplayMemo->moveCursor(QTextCursor::StartOfBlock);
    DisplayMemo->ensureCursorVisible();
    DisplayMemo->horizontalScrollBar()->setValue(DisplayMemo->horizontalScrollBar()->minimum());
}

void TPublishForm::showQueue()
{
    RichEdit1->setPlainText(FQueue.join(u'\n'));
}

bool TPublishForm::RunFtpCommand(FtpOp op)
{
    AppendLogLine("Executing Requested Command");
    FNextLabelTick = 0;
    FProgressCount = 0;

    qint64 rangeStart = 0, rangeEnd = 0, resumeAt = 0;
    if (!publishIntegerOf(DataPortRangeStartEdit, rangeStart) || !publishIntegerOf(DataPortRangeEndEdit, rangeEnd) ||
        !publishIntegerOf(ResumeAtEdit, resumeAt))
        return false;
    TFtpClient& c = *FtpClient1;
    c.HostName = HostNameEdit->text();
    c.Port = PortEdit->text();
    c.SetDataPortRangeStart(unsigned(rangeStart));
    c.SetDataPortRangeEnd(unsigned(rangeEnd));
    c.UserName = UserNameEdit->text();
    c.PassWord = PassWordEdit->text();
    c.Account = AccountEdit->text();
    c.HostDirName = HostDirEdit->text();
    c.HostFileName = HostFileEdit->text();
    c.LocalFileName = LocalFileEdit->text();
    c.SetPassiveMode(PassiveCheckBox->isChecked());
    c.SetBinary(BinaryCheckBox->isChecked() || op == FtpOp::Type);
    c.ResumeAt = resumeAt;
    c.DisplayFileFlag = DisplayCheckBox->isChecked();
    if (NoAutoResumeAtCheckBox->isChecked())
        c.Options |= ftpNoAutoResumeAt;
    else
        c.Options &= ~TFtpOptions(ftpNoAutoResumeAt);

    if (!SyncCheckBox->isChecked()) {
        try {
            switch (op) {
            case FtpOp::Connect: c.ConnectAsync(); break;
            case FtpOp::Transmit: c.TransmitAsync(); break;
            case FtpOp::Put: c.PutAsync(); break;
            case FtpOp::Dele: c.DeleAsync(); break;
            case FtpOp::Ren: c.RenAsync(); break;
            case FtpOp::Quote: c.QuoteAsync(); break;
            case FtpOp::Type: c.TypeSetAsync(); break;
            case FtpOp::Quit: c.QuitAsync(); break;
            case FtpOp::Abort: c.Abort(); break;
            }
        } catch (const FtpException& e) {
            // Raised on top of the operation's own report (the data socket's
            // error after PutAsync): logged here; the operation still ends
            // with its request-done, which decides about the queue.
            AppendLogLine(e.Message());
        }
        return true;
    }
    bool ok = false;
    switch (op) {
    case FtpOp::Connect: ok = c.Connect(); break;
    case FtpOp::Transmit: ok = c.Transmit(); break;
    case FtpOp::Put: ok = c.Put(); break;
    case FtpOp::Dele: ok = c.Dele(); break;
    case FtpOp::Ren: ok = c.Ren(); break;
    case FtpOp::Quote: ok = c.Quote(); break;
    case FtpOp::Type: ok = c.Synchronize([&c] { c.TypeSetAsync(); }); break;
    case FtpOp::Quit: ok = c.Quit(); break;
    case FtpOp::Abort: ok = c.AbortSync(); break;
    }
    AppendLogLine(ok ? "Command Success" : "Command Failure");
    return true;
}

// ---------------------------------------------------------------------------
// The queue.

void TPublishForm::startQueueOp(QueueOp op, FtpOp command)
{
    m_queueOp = op;
    if (!RunFtpCommand(command))
        stopQueue(QString());
}

void TPublishForm::Timer1Timer()
{
    if (StateLabel->text() != QLatin1String("1") || m_queueOp != QueueOp::None)
        return;
    if (FConnectPending) {
        LocalFileEdit->setText("CWD " + HostDirEdit->text() + "/" +
                               (Label13->text() == UploadQueue::kFiles ? QStringLiteral("db") : FPhotoSubdirectory));
        startQueueOp(QueueOp::Cwd, FtpOp::Quote);
        return;
    }
    if (m_typePending) {
        startQueueOp(QueueOp::Type, FtpOp::Type);
        return;
    }
    if (FQueueRunning) {
        const QString line = FQueue.value(0);
        LocalFileEdit->setText(line);
        m_currentEntry = line;
        if (line.isEmpty()) {
            FQueueRunning = false;
            if (!FQueue.isEmpty())
                FQueue.removeFirst();
            showQueue();
            return;
        }
        if (const UploadQueue::Keyword* k = UploadQueue::keyword(line)) {
            HostFileEdit->setText(QString::fromLatin1(k->from));
            if (k->rename) {
                LocalFileEdit->setText(QString::fromLatin1(k->to));
                startQueueOp(QueueOp::Keyword, FtpOp::Ren);
            } else {
                startQueueOp(QueueOp::Keyword, FtpOp::Dele);
            }
            return;
        }
        const QString host = DriveMap::toHost(line);
        if (QFileInfo(host).isFile()) {
            HostFileEdit->setText(UploadQueue::remoteName(line));
            LocalFileEdit->setText(host);
            startQueueOp(QueueOp::Put, FtpOp::Put);
            return;
        }
        // A listed file that is gone is skipped.
        entryDone();
        return;
    }
    Timer1->stop();
    FQueueMode = false;
    FResultsPending = false;
    Edit1->clear();
    startQueueOp(QueueOp::Quit, FtpOp::Quit);
}

void TPublishForm::entryDone()
{
    if (!FQueue.isEmpty() && FQueue.first() == m_currentEntry)
        FQueue.removeFirst();
    m_currentEntry.clear();
    FQueueRemaining = qMax(0, FQueueRemaining - 1);
    Label12->setText(QString::number(FQueueRemaining));
    showQueue();
}

void TPublishForm::queueDone(int errorCode)
{
    const QueueOp op = m_queueOp;
    m_queueOp = QueueOp::None;
    switch (op) {
    case QueueOp::None:
    case QueueOp::Quit:
        return;
    case QueueOp::Connect:
        if (errorCode)
            stopQueue("Sunucuya bağlanılamadı");
        return;
    case QueueOp::Cwd:
        if (errorCode) {
            stopQueue("Sunucu klasörüne geçilemedi");
            return;
        }
        FConnectPending = false;
        m_typePending = true;
        return;
    case QueueOp::Type:
        if (errorCode) {
            stopQueue("Aktarım tipi seçilemedi");
            return;
        }
        m_typePending = false;
        FQueueRunning = true;
        FQueueRemaining = int(FQueue.size());
        Label12->setText(QString::number(FQueueRemaining));
        return;
    case QueueOp::Put:
        if (errorCode) {
            stopQueue("Dosya gönderilemedi: " + m_currentEntry);
            return;
        }
        entryDone();
        return;
    case QueueOp::Keyword:
        // A refused delete or rename of a file the server lacks is normal;
        // a lost connection is not.
        if (!FtpClient1->Connected()) {
            stopQueue("Bağlantı kesildi");
            return;
        }
        entryDone();
        return;
    }
}

void TPublishForm::stopQueue(const QString& why)
{
    Timer1->stop();
    m_queueOp = QueueOp::None;
    m_typePending = false;
    FConnectPending = false;
    FQueueRunning = false;
    m_currentEntry.clear();
    if (!why.isEmpty())
        AppendLogLine("Aktarım durdu (" + why + "); kalan " + QString::number(FQueue.size()) +
                      " satır tekrar gönderilebilir.");
    // The session is ended so that "Transfer" starts afresh.
    if (FtpClient1->Connected())
        FtpClient1->Abort();
}

// ---------------------------------------------------------------------------
// Showing and closing.

void TPublishForm::loadSettings()
{
    const PublishSettings::Values v = PublishSettings::load(FIniFileName);
    HostNameEdit->setText(v.HostName);
    PortEdit->setText(v.Port);
    UserNameEdit->setText(v.UserName);
    PassWordEdit->setText(v.PassWord);
    AccountEdit->setText(v.Account);
    HostDirEdit->setText(v.HostDir);
    HostFileEdit->setText(v.HostFile);
    LocalFileEdit->setText(v.LocalFile);
    ResumeAtEdit->setText(v.ResumeAt);
    DataPortRangeStartEdit->setText(v.DataPortRangeStart);
    DataPortRangeEndEdit->setText(v.DataPortRangeEnd);
    PassiveCheckBox->setChecked(v.PassiveMode != 0);
    AuthSslCheckBox->setChecked(v.AuthSSLEnabled != 0);
    DisplayCheckBox->setChecked(v.DisplayData != 0);
    SyncCheckBox->setChecked(v.SyncMode != 0);
    NoAutoResumeAtCheckBox->setChecked(v.NoAutoResumeAt != 0);
    BinaryCheckBox->setChecked(v.BinaryMode != 0);
}

void TPublishForm::saveSettings()
{
    PublishSettings::Values v;
    v.HostName = HostNameEdit->text();
    v.Port = PortEdit->text();
    v.UserName = UserNameEdit->text();
    v.PassWord = PassWordEdit->text();
    v.Account = AccountEdit->text();
    v.HostDir = HostDirEdit->text();
    v.HostFile = HostFileEdit->text();
    v.LocalFile = LocalFileEdit->text();
    v.ResumeAt = ResumeAtEdit->text();
    v.DataPortRangeStart = DataPortRangeStartEdit->text();
    v.DataPortRangeEnd = DataPortRangeEndEdit->text();
    v.PassiveMode = PassiveCheckBox->isChecked();
    v.AuthSSLEnabled = AuthSslCheckBox->isChecked();
    v.DisplayData = DisplayCheckBox->isChecked();
    v.SyncMode = SyncCheckBox->isChecked();
    v.NoAutoResumeAt = NoAutoResumeAtCheckBox->isChecked();
    v.BinaryMode = BinaryCheckBox->isChecked();
    QString error;
    if (!PublishSettings::save(FIniFileName, v, geometry(), &error))
        AppendLogLine("Ayarlar kaydedilemedi: " + error);
}

void TPublishForm::FormShow()
{
    if (FShown)
        return;
    FShown = true;
    loadSettings();
    HostFileEdit->clear();
    const WinSock::WsaData info = WinsockInfo();
    AppendLogLine("Winsock version " + QString::number(info.wHighVersion & 0xFF) + "." +
                  QString::number(info.wHighVersion >> 8));
    AppendLogLine(QString::fromLatin1(info.szDescription));
    AppendLogLine(QString::fromLatin1(info.szSystemStatus));
}

void TPublishForm::FormActivate()
{
    FResultsDbPath = QStringLiteral("C:\\CO\\Sonuclar.mdb");
    TransmitAsyncButton->setEnabled(true);
    FQueue.clear();
    Edit1->clear();
    Label12->clear();
    Label13->clear();
    FQueueMode = false;
    FResultsPending = false;

    // A photo queue left at the last closing is taken up again.
    FQueue = UploadQueue::loadSaved();
    if (!FQueue.isEmpty() && !FQueue.first().isEmpty()) {
        FQueueMode = true;
        Label13->setText(UploadQueue::kindOf(FQueue.first()));
        Edit1->setText("AKTARILAMAYAN " + Turkish::asciiUpper(Label13->text()) + " SEÇİLDİ...");
    }
    showQueue();
}

void TPublishForm::FormClose()
{
    saveSettings();
    Timer1->stop();
    if (Label13->text() == UploadQueue::kFiles)
        FQueue.clear();
    if (!UploadQueue::save(FQueue))
        Messages::error("Dosya yazılamadı: " + UploadQueue::resumeFilePath());
    m_queueOp = QueueOp::None;
    m_typePending = false;
    FConnectPending = false;
    FQueueRunning = false;
    RunFtpCommand(FtpOp::Abort);
    DisplayMemo->clear();
}

// ---------------------------------------------------------------------------
// Buttons.

void TPublishForm::TransmitAsyncButtonClick()
{
    if (FResultsPending && !fillResults())
        return;
    if (FQueueMode) {
        Timer1->start();
        FConnectPending = true;
        m_typePending = false;
        FQueueRunning = false;
        startQueueOp(QueueOp::Connect, FtpOp::Connect);
        return;
    }
    if (!Edit1->text().isEmpty() && QFileInfo(DriveMap::toHost(Edit1->text())).isFile()) {
        Timer1->stop();
        LocalFileEdit->setText(DriveMap::toHost(Edit1->text()));
        RunFtpCommand(FtpOp::Transmit);
        return;
    }
    Messages::warning("Gönderilecek Dosya Bulunamadı ...!");
}

void TPublishForm::AbortAsyncButtonClick()
{
    Timer1->stop();
    FQueueMode = false;
    FResultsPending = false;
    Edit1->clear();
    m_queueOp = QueueOp::None;
    m_typePending = false;
    FConnectPending = false;
    FQueueRunning = false;
    RunFtpCommand(FtpOp::Abort);
}

void TPublishForm::ClearButtonClick()
{
    if (!FQueue.isEmpty() && !FQueue.first().isEmpty() &&
        !Form5->confirm("Seçili Olan " + Label13->text() + " İptal Edilecektir. Devam Edilsinmi ...?"))
        return;
    HostFileEdit->clear();
    Edit1->clear();
    DisplayMemo->clear();
    FQueue.clear();
    showQueue();
    Label12->clear();
    FQueueMode = false;
    FResultsPending = false;
}

void TPublishForm::ExitButtonClick()
{
    close();
}

void TPublishForm::Button1Click()
{
    const QString file = Dialogs::openFile("Dosya Seç", "Tüm Dosyalar (*)");
    if (file.isEmpty())
        return;
    Edit1->setText(file);
    HostFileEdit->setText(UploadQueue::remoteName(file));
    FQueueMode = false;
    FResultsPending = false;
    FQueue.clear();
    showQueue();
}

void TPublishForm::Button2Click()
{
    FQueue.clear();
    showQueue();
    FResultsPending = false;
    DriveMap::makePath(QStringLiteral("c:\\co\\qvx_prog"));
    const QString clubList = DriveMap::toHost(clubListFile());
    QFile::remove(DriveMap::toHost(databaseTempFile()));
    QFile::remove(clubList);
    QFile::remove(DriveMap::toHost(databaseCopyFile()));
    try {
        PublishDatabase::writeCopy(session().db, DriveMap::toHost(databaseTempFile()),
                                   DriveMap::toHost(databaseCopyFile()));
    } catch (const DbError& e) {
        Edit1->clear();
        FQueueMode = false;
        Messages::error(e.message());
        return;
    }
    QString error;
    if (!PublishDatabase::writeClubList(session().db, clubList, &error)) {
        Edit1->clear();
        FQueueMode = false;
        Messages::error(error);
        return;
    }
    Label13->setText(UploadQueue::kFiles);
    Edit1->setText("VERİTABANI SEÇİLDİ...");
    FQueueMode = true;
    FQueue = UploadQueue::databaseQueue(clubListFile(), databaseCopyFile());
    showQueue();
}

void TPublishForm::Button3Click()
{
    PublishPhotos->showModal();
    FResultsPending = false;
    showQueue();
    if (PublishPhotos->FPhotosSelected) {
        Label13->setText(UploadQueue::kPhotos);
        Edit1->setText(Turkish::asciiUpper(Label13->text()) + " SEÇİLDİ...");
        FQueueMode = true;
    } else {
        Edit1->clear();
        FQueueMode = false;
    }
}

void TPublishForm::Button4Click()
{
    CheckBox1->setChecked(Form5->confirm("Müsabaka listeleri ve Kura çizelgelerine Ülke bayrakları eklensin mi?"));
    KuraSonuc();
}

void TPublishForm::KuraSonuc()
{
    Edit1->setText("KURA SONUÇLARI SEÇİLDİ...");
    Label13->setText(UploadQueue::kFiles);
    FQueueMode = true;
    FResultsPending = true;
    DriveMap::makePath(QStringLiteral("C:\\CO"));
    try {
        ResultsDatabase::prepare(DriveMap::toHost(FResultsDbPath));
    } catch (const DbError& e) {
        Edit1->clear();
        FQueueMode = false;
        FResultsPending = false;
        Messages::error(e.message());
        return;
    }
    DisplayMemo->clear();
    FQueue = UploadQueue::resultsQueue(FResultsDbPath);
    showQueue();
}

bool TPublishForm::fillResults()
{
    FResultsPending = false;
    AppendLogLine("LÜTFEN BEKLEYİNİZ ...!");
    TransmitAsyncButton->setEnabled(false);
    try {
        ResultsDatabase::fill(session().db, DriveMap::toHost(FResultsDbPath), CheckBox1->isChecked(),
                              QDateTime(session().today(), QTime::currentTime()));
    } catch (const DbError& e) {
        // Nothing goes out half-filled; "Transfer" fills it again.
        FResultsPending = true;
        TransmitAsyncButton->setEnabled(true);
        Messages::error(e.message());
        return false;
    }
    TransmitAsyncButton->setEnabled(true);
    DisplayMemo->clear();
    return true;
}
