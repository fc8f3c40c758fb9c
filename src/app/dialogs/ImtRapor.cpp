#include "app/dialogs/ImtRapor.h"

#include "app/kit/PlacedControls.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/text/CodePage.h"
#include "platform/text/Rtf.h"
#include "platform/ui/Messages.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWindow>

TImtRapor::TImtRapor()
{
    using PlacedControls::make;
    setObjectName("ImtRapor");
    setWindowTitle("Rapor");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(560, 480);

    auto* layout = new QVBoxLayout(this);
    Label1 = make<QLabel>("Label1", "Durum Ekranı", this);
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);
    layout->addWidget(Label1);

    ProgressBar1 = make<QProgressBar>("ProgressBar1", this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    layout->addWidget(ProgressBar1);

    RichEdit1 = make<QTextEdit>("RichEdit1", this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setAcceptRichText(false);
    layout->addWidget(RichEdit1, 1);

    Memo1 = make<QPlainTextEdit>("Memo1", this);
    Memo1->hide();

    auto* buttons = new QHBoxLayout;
    BitBtn1 = make<QPushButton>("BitBtn1", "Hatalı Listesi", this);
    BitBtn4 = make<QPushButton>("BitBtn4", "SMS Listesi", this);
    BitBtn2 = make<QPushButton>("BitBtn2", "Kapat", this);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);

    SaveDialog1.Filter = "WordPad Dosyası (*.rtf)";
    SaveDialog1.DefaultExt = "rtf";
    SaveDialog2.Filter = "Excel Dosyası (*.xls)";
    SaveDialog2.DefaultExt = "xls";

    connect(BitBtn1, &QPushButton::clicked, this, &TImtRapor::BitBtn1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TImtRapor::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TImtRapor::BitBtn2Click);
}

void TImtRapor::addLine(const QString& line)
{
    // As a rich edit adds a line: the text and its line break, both in the
    // current attributes.
    QTextCursor c(RichEdit1->document());
    c.movePosition(QTextCursor::End);
    c.insertText(line, m_currText);
    c.insertBlock(QTextBlockFormat(), m_currText);
    RichEdit1->setTextCursor(c);
    RichEdit1->ensureCursorVisible();
}

QStringList TImtRapor::lines() const
{
    QStringList l = RichEdit1->toPlainText().split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

bool TImtRapor::saveLog(const QString& file)
{
    return Rtf::save(*RichEdit1->document(), DriveMap::toHost(file));
}

void TImtRapor::enableOnClose(QWidget* screen)
{
    if (screen && !m_enableOnClose.contains(screen))
        m_enableOnClose << screen;
}

void TImtRapor::showBeside(QWidget* caller)
{
    QWindow* owner = caller ? caller->window()->windowHandle() : nullptr;
    if (owner) {
        winId();
        if (QWindow* own = windowHandle())
            own->setTransientParent(owner);
    }
    m_caller = caller ? caller->window() : nullptr;
    show();
    raise();
    // The window manager may hold the keyboard back from a new window; the
    // log asks for it, as the window the operator deals with now.
    activateWindow();
}

QString TImtRapor::fileFor(SaveDialog& dialog)
{
    if (dialog.FileName.isEmpty()) {
        QString chosen = Dialogs::saveFile("Kaydet", dialog.Filter);
        if (chosen.isEmpty())
            return QString();
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += "." + dialog.DefaultExt;
        dialog.FileName = chosen;
    }
    return dialog.FileName;
}

void TImtRapor::saveFailed(const QString& file)
{
    Messages::error("Dosya Kaydedilemedi ...!\n" + file);
}

void TImtRapor::BitBtn1Click()
{
    const QString file = fileFor(SaveDialog1);
    if (file.isEmpty())
        return;
    if (!saveLog(file)) {
        saveFailed(file);
        return;
    }
    Shell::show(file);
}

void TImtRapor::BitBtn4Click()
{
    const QString file = fileFor(SaveDialog2);
    if (file.isEmpty())
        return;
    // One line per list line, each ended by a Windows line break, in code
    // page 1254 as the outside programs read it.
    QString text;
    if (!Memo1->document()->isEmpty()) {
        for (QTextBlock b = Memo1->document()->begin(); b.isValid(); b = b.next())
            text += b.text() + "\r\n";
    }
    if (!Cp1254::writeFile(DriveMap::toHost(file), text)) {
        saveFailed(file);
        return;
    }
    Shell::show(file);
}

void TImtRapor::BitBtn2Click()
{
    close();
}

void TImtRapor::FormClose()
{
    for (const QPointer<QWidget>& w : m_enableOnClose)
        if (w)
            w->setEnabled(true);
    BitBtn4->show();
    // The keyboard goes back to the screen the log stood above.
    if (m_caller && m_caller->isVisible())
        m_caller->activateWindow();
    m_caller = nullptr;
}

void TImtRapor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}
