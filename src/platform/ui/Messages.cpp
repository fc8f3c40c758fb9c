#include "platform/ui/Messages.h"

#include "platform/paths/DriveMap.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

UiHook& uiHook()
{
    static UiHook h;
    return h;
}

ModalRunner::Hook& modalHook()
{
    static ModalRunner::Hook h;
    return h;
}

QWidget* activeParent()
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
}

UiAnswer dispatch(const UiRequest& r)
{
    if (uiHook())
        return uiHook()(r);
    UiAnswer a;
    QWidget* parent = activeParent();
    switch (r.kind) {
    case UiRequest::Error:
        QMessageBox::critical(parent, r.caption, r.text);
        a.accepted = true;
        break;
    case UiRequest::Info:
        QMessageBox::information(parent, r.caption, r.text);
        a.accepted = true;
        break;
    case UiRequest::Warning:
        QMessageBox::warning(parent, r.caption, r.text);
        a.accepted = true;
        break;
    case UiRequest::Question: {
        QMessageBox box(QMessageBox::Question, r.caption, r.text, QMessageBox::Yes | QMessageBox::No, parent);
        box.button(QMessageBox::Yes)->setText("Evet");
        box.button(QMessageBox::No)->setText("Hayır");
        a.accepted = box.exec() == QMessageBox::Yes;
        break;
    }
    case UiRequest::OpenFile:
        a.value = QFileDialog::getOpenFileName(parent, r.text, DriveMap::toHost(r.initial), r.filter);
        a.accepted = !a.value.isEmpty();
        break;
    case UiRequest::SaveFile:
        a.value = QFileDialog::getSaveFileName(parent, r.text, DriveMap::toHost(r.initial), r.filter);
        a.accepted = !a.value.isEmpty();
        break;
    case UiRequest::Folder:
        a.value = QFileDialog::getExistingDirectory(parent, r.text, DriveMap::toHost(r.initial));
        a.accepted = !a.value.isEmpty();
        break;
    case UiRequest::Printer: {
        QPrinter printer;
        QPrintDialog dlg(&printer, parent);
        dlg.setWindowTitle(r.text);
        if (dlg.exec() == QDialog::Accepted) {
            a.accepted = true;
            a.value = printer.printerName();
        }
        break;
    }
    }
    return a;
}

} // namespace

void Messages::setHook(UiHook h)
{
    uiHook() = std::move(h);
}

const UiHook& Messages::hook()
{
    return uiHook();
}

void Messages::error(const QString& text)
{
    dispatch(UiRequest{UiRequest::Error, "Hata", text, {}, {}});
}

void Messages::info(const QString& text)
{
    dispatch(UiRequest{UiRequest::Info, QApplication::applicationDisplayName().isEmpty() ? QString("Brivex")
                                                                                    : QApplication::applicationDisplayName(),
                  text, {}, {}});
}

void Messages::warning(const QString& text)
{
    dispatch(UiRequest{UiRequest::Warning, "Uyarı", text, {}, {}});
}

bool Messages::ask(const QString& text, const QString& caption)
{
    return dispatch(UiRequest{UiRequest::Question, caption.isEmpty() ? QString("Onay") : caption, text, {}, {}}).accepted;
}

QString Dialogs::openFile(const QString& title, const QString& filter, const QString& initial)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::OpenFile, title, title, filter, initial});
    return a.accepted ? a.value : QString();
}

QString Dialogs::saveFile(const QString& title, const QString& filter, const QString& initial)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::SaveFile, title, title, filter, initial});
    return a.accepted ? a.value : QString();
}

QString Dialogs::chooseFolder(const QString& title, const QString& initial)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::Folder, title, title, {}, initial});
    return a.accepted ? a.value : QString();
}

QString Dialogs::choosePrinter(const QString& title)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::Printer, title, title, {}, QPrinterInfo::defaultPrinterName()});
    return a.accepted ? a.value : QString();
}

void ModalRunner::setHook(Hook h)
{
    modalHook() = std::move(h);
}

const ModalRunner::Hook& ModalRunner::hook()
{
    return modalHook();
}

namespace {
// Ends a modal loop when its dialog hides, however it was closed.
class HideWatcher : public QObject {
public:
    HideWatcher(QDialog* dialog, QEventLoop* loop) : m_loop(loop) { dialog->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            m_loop->quit();
        return false;
    }

private:
    QEventLoop* m_loop;
};
}

int ModalRunner::exec(QDialog* dialog)
{
    if (dialog->windowModality() == Qt::NonModal)
        dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setResult(QDialog::Rejected);
    if (modalHook()) {
        dialog->show();
        if (modalHook()(dialog)) {
            // Whatever the script left open is closed as by the close box;
            // a dialog that refuses to close is taken down all the same.
            if (dialog->isVisible())
                dialog->reject();
            if (dialog->isVisible())
                dialog->hide();
            return dialog->result();
        }
        dialog->hide();
        dialog->setResult(QDialog::Rejected);
    }
    // Our own loop rather than QDialog::exec(): a dialog that closes itself
    // while it is being shown (a refusal in its activation) returns at once
    // instead of leaving a loop running with no window.
    QPointer<QDialog> guard(dialog);
    QEventLoop loop;
    HideWatcher watcher(dialog, &loop);
    dialog->show();
    if (guard && dialog->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (!guard)
        return QDialog::Rejected;
    dialog->removeEventFilter(&watcher);
    return dialog->result();
}
