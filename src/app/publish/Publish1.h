#pragma once
// "Dosya Transferi": publishes data of the federation database to the
// federation's FTP server: a single chosen file, a copy of the database with
// the club list page ("Veritabanı"), changed athlete photos ("Resimler"),
// the competition's results database ("Kura Sonuç") and one club's files
// ("Kulüp Sonuç"). It holds one FTP client, keeps its connection settings
// with the user's settings (PublishSettings.h), writes a log and works its
// upload queue off one entry at a time.
//
// The queue is FQueue, one entry per line (a file path or a keyword of
// UploadQueue.h); RichEdit1 shows it. The selections and their dialogs fill
// FQueue and the screen shows it again (showQueue) when they return.
//
// Running the queue: "Transfer" connects; each step of Timer1 (every
// 300 ms, or called directly) starts the next operation once the client is
// idle: first the change into the remote directory and the binary type,
// then one entry at a time, then QUIT. An entry leaves the queue only when
// its operation succeeded. A refused login, a refused directory change, a
// failed upload or a lost connection stop the run with the entry and every
// entry after it still queued, so the rotation that follows an upload never
// runs on a failed upload and "Transfer" retries. A refused delete or
// rename of a file the server does not have is normal (the first database
// run) and the run goes on.

#include "app/kit/Form.h"

#include <QStringList>

#include <cstdint>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TFtpClient;
class TKlbSec;
class TDosyaSec;
class TPublishPhotos;

class TPublishForm : public Form {
    Q_OBJECT
public:
    TPublishForm();
    ~TPublishForm() override;

    // Top panel.
    QLabel* Label1;                 // "Sunucu Adı"
    QLineEdit* HostNameEdit;
    QLabel* Label2;                 // "Kulanıcı Adı"
    QLineEdit* UserNameEdit;
    QLabel* Label3;                 // "Path"
    QLineEdit* HostDirEdit;
    QLabel* Label4;                 // "Şifre"
    QLineEdit* PassWordEdit;
    QLabel* Label5;                 // "Dosya Adı"
    QLineEdit* Edit1;               // the chosen file or a selection text
    QPushButton* Button1;           // "Dosya Seç"
    QPushButton* Button2;           // "Veritabanı"
    QPushButton* Button3;           // "Resimler"
    QPushButton* Button4;           // "Kura Sonuç"
    QPushButton* Button5;           // "Kulüp Sonuç"
    // Button panel.
    QPushButton* TransmitAsyncButton;   // "Transfer"
    QPushButton* AbortAsyncButton;      // "İptal"
    QPushButton* ClearButton;           // "Temizle"
    QPushButton* ExitButton;            // "Kapat"
    QLabel* Label6;                     // "Transfer Edilen Byte :"
    QLabel* InfoLabel;                  // bytes moved
    QLabel* Label13;                    // the queue's kind: "", "Resimler", "Dosyalar"
    QLabel* Label12;                    // entries still to do
    QPlainTextEdit* DisplayMemo;        // the log
    QPlainTextEdit* RichEdit1;          // the queue, one entry per line

    // Hidden controls carrying settings into the client.
    QLineEdit* PortEdit;
    QLineEdit* AccountEdit;
    QLineEdit* HostFileEdit;
    QLineEdit* LocalFileEdit;
    QLineEdit* ResumeAtEdit;
    QLineEdit* DataPortRangeStartEdit;
    QLineEdit* DataPortRangeEndEdit;
    QCheckBox* PassiveCheckBox;         // "Passive Mode"
    QCheckBox* BinaryCheckBox;          // "Binary Mode"
    QCheckBox* DisplayCheckBox;         // "Display Data"
    QCheckBox* SyncCheckBox;            // "Synchronous"
    QCheckBox* NoAutoResumeAtCheckBox;  // "NoAutoResumeAt"
    QCheckBox* AuthSslCheckBox;         // "Auth SSL"
    QLabel* StateLabel;                 // the client's State as a number
    QCheckBox* CheckBox1;               // "Uluslararası": flags in the results database
    QPlainTextEdit* Memo1;              // scratch

    TFtpClient* FtpClient1;
    QTimer* Timer1;                     // the queue step, 300 ms

    // The dialogs of the selections.
    TPublishPhotos* PublishPhotos;
    TKlbSec* KlbSec;
    TDosyaSec* DosyaSec;

    // Screen state.
    QString FIniFileName;               // the settings file (full path)
    bool FShown = false;
    bool FConnectPending = false;
    bool FQueueRunning = false;
    bool FQueueMode = false;
    bool FResultsPending = false;
    QString FResultsDbPath;             // "C:\CO\Sonuclar.mdb"
    qint64 FNextLabelTick = 0;
    qint64 FProgressCount = 0;
    int FQueueRemaining = 0;
    QString FPhotoSubdirectory;         // remote folder of the photos ("fed")
    QStringList FQueue;                 // the queue

    // The local files of "Veritabanı" (Windows form).
    static QString databaseFile();      // "c:\co\qvx_prog\fdr.mdb"
    static QString databaseCopyFile();  // "c:\co\qvx_prog\metafile1.res"
    static QString clubListFile();      // "c:\co\qvx_prog\klfile.asp"
    static QString databaseTempFile();  // "c:\co\qvx_prog\fdr_TEMP.mdb"

    void AppendLogLine(const QString& text);
    // RichEdit1 and Label12 after FQueue changed.
    void showQueue();
    // Builds the results database and queues it.
    void KuraSonuc();
    // Names a tournament's Word result file for upload.
    void Skating();

public Q_SLOTS:
    void TransmitAsyncButtonClick();
    void AbortAsyncButtonClick();
    void ClearButtonClick();
    void ExitButtonClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    // One step of the queue; does nothing while the client is busy.
    void Timer1Timer();

protected:
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;

private:
    // The operation the queue run waits for.
    enum class QueueOp { None, Connect, Cwd, Type, Put, Keyword, Quit };

    enum class FtpOp { Connect, Transmit, Put, Dele, Ren, Quote, Type, Quit, Abort };
    // Copies the settings into the client and starts one operation (or
    // runs its blocking twin); false when a setting is not a number.
    bool RunFtpCommand(FtpOp op);
    void startQueueOp(QueueOp op, FtpOp command);
    void entryDone();
    void loadSettings();
    void saveSettings();
    bool fillResults();
    void stopQueue(const QString& why);
    void queueDone(int errorCode);
    void hookClient();

    QueueOp m_queueOp = QueueOp::None;
    bool m_typePending = false;     // the directory is set; TYPE I comes next
    QString m_currentEntry;         // the queue line being sent
};

inline TPublishForm* PublishForm = nullptr;
