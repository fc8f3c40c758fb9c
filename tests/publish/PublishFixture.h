#pragma once
// The publishing screen on a temporary station, with its settings in a
// temporary configuration folder and a real FTP server to publish to.

#include "app/Station.h"
#include "app/dialogs/Form5.h"
#include "app/kit/Session.h"
#include "app/publish/Publish1.h"
#include "exchange/net/FtpClient.h"
#include "net/FtpTestServer.h"
#include "platform/paths/DriveMap.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

class PublishScreenFixture : public ScreensTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        ScreensTest::SetUp();
        session().db.open(Station::kDefaultDatabase);
        form = PublishForm;
        ASSERT_NE(form, nullptr);
        // The queue moves only when a test steps it.
        form->Timer1->setInterval(24 * 3600 * 1000);
        form->FPhotoSubdirectory = "fed";
    }
    void TearDown() override
    {
        if (form && form->isVisible())
            form->close();
        ScreensTest::TearDown();
    }

    // Shows the screen as the main window's command does, without waiting.
    void showScreen()
    {
        form->show();
        QCoreApplication::processEvents();
    }

    // The server's account and folders; the remote directory is "/pub".
    void aimAt(const FtpTestServer& server, const QString& user = "user")
    {
        QDir(server.home()).mkpath("pub/db");
        QDir(server.home()).mkpath("pub/fed");
        form->HostNameEdit->setText("127.0.0.1");
        form->PortEdit->setText(QString::number(server.port()));
        form->UserNameEdit->setText(user);
        form->PassWordEdit->setText("secret");
        form->HostDirEdit->setText("/pub");
    }

    // Steps the queue until the run has ended (timer off, session over).
    // The guard only keeps a broken run from hanging the suite.
    void runQueue()
    {
        QElapsedTimer guard;
        guard.start();
        while (guard.elapsed() < 60000) {
            const bool idle = form->FtpClient1->State() == fsReady || form->FtpClient1->State() == fsNotConnected;
            if (!form->Timer1->isActive() && idle && !form->FtpClient1->Connected())
                break;
            if (form->Timer1->isActive())
                form->Timer1Timer();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_LT(guard.elapsed(), 60000) << log().toStdString();
    }

    // Waits for a log line (a single file's transfer).
    void waitForLog(const QString& line)
    {
        QElapsedTimer guard;
        guard.start();
        while (!log().contains(line) && guard.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(log().contains(line)) << log().toStdString();
    }

    QString log() const { return form->DisplayMemo->toPlainText(); }
    QStringList queueLines() const
    {
        const QString text = form->RichEdit1->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }

    // Answers the screen's yes/no question.
    void answerForm5(bool yes)
    {
        modals().expect("TForm5", [yes](QDialog* d) {
            auto* f = static_cast<TForm5*>(d);
            (yes ? f->BitBtn1 : f->BitBtn2)->click();
        });
    }

    TPublishForm* form = nullptr;

private:
    QTemporaryDir m_config;
};
