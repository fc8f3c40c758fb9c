#include "platform/ui/Messages.h"

#include "platform/paths/DriveMap.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>
#include <QWindow>

#include <memory>

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

QPointer<QWidget>& frontWindow()
{
    static QPointer<QWidget> w;
    return w;
}

QWidget* activeParent()
{
    if (QWidget* front = FrontWindow::current())
        return front;
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
}

// Shows a message box above the front window when there is one, and gives
// the keyboard back to it afterwards.
int execBox(QMessageBox& box)
{
    QWidget* front = FrontWindow::current();
    if (front)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const int r = box.exec();
    if (front)
        FrontWindow::giveBackKeyboard();
    return r;
}

void showBox(QMessageBox::Icon icon, QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    execBox(box);
}

UiAnswer dispatch(const UiRequest& r)
{
    if (uiHook())
        return uiHook()(r);
    UiAnswer a;
    QWidget* parent = activeParent();
    switch (r.kind) {
    case UiRequest::Error:
        showBox(QMessageBox::Critical, parent, r.caption, r.text);
        a.accepted = true;
        break;
    case UiRequest::Info:
        showBox(QMessageBox::Information, parent, r.caption, r.text);
        a.accepted = true;
        break;
    case UiRequest::Warning:
        showBox(QMessageBox::Warning, parent, r.caption, r.text);
        a.accepted = true;
        break;
    case UiRequest::Question: {
        QMessageBox box(QMessageBox::Question, r.caption, r.text, QMessageBox::Yes | QMessageBox::No, parent);
        box.button(QMessageBox::Yes)->setText("Evet");
        box.button(QMessageBox::No)->setText("Hayır");
        a.accepted = execBox(box) == QMessageBox::Yes;
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
            // "Print to file" has no printer name: the file stands for it.
            a.value = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
                          ? QUrl::fromLocalFile(printer.outputFileName()).toString()
                          : printer.printerName();
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
    const UiAnswer a = dispatch(UiRequest{UiRequest::OpenFile, title, title, filter, startIn(initial)});
    return a.accepted ? a.value : QString();
}

QString Dialogs::startIn(const QString& initial)
{
    if (initial.isEmpty())
        return kWorkFolder;
    // A file name without a folder is suggested in the work folder.
    if (!initial.contains('\\') && !initial.contains('/') && !initial.contains(':'))
        return kWorkFolder + initial;
    return initial;
}

QString Dialogs::saveFile(const QString& title, const QString& filter, const QString& initial)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::SaveFile, title, title, filter, startIn(initial)});
    return a.accepted ? a.value : QString();
}

QString Dialogs::chooseFolder(const QString& title, const QString& initial)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::Folder, title, title, {}, startIn(initial)});
    return a.accepted ? a.value : QString();
}

QString Dialogs::choosePrinter(const QString& title)
{
    const UiAnswer a = dispatch(UiRequest{UiRequest::Printer, title, title, {}, QPrinterInfo::defaultPrinterName()});
    return a.accepted ? a.value : QString();
}

void FrontWindow::set(QWidget* window)
{
    frontWindow() = window;
}

void FrontWindow::clear(QWidget* window)
{
    if (frontWindow() == window)
        frontWindow() = nullptr;
}

QWidget* FrontWindow::current()
{
    QWidget* w = frontWindow();
    return w && w->isVisible() ? w : nullptr;
}

void FrontWindow::giveBackKeyboard()
{
    QWidget* w = current();
    if (!w)
        return;
    w->raise();
    w->activateWindow();
    w->setFocus(Qt::ActiveWindowFocusReason);
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

namespace {
// A dialog shown while the front window shows stays above it, as a window
// of its own that belongs to it; afterwards it is as it was.
class AboveFrontWindow {
public:
    explicit AboveFrontWindow(QDialog* dialog) : m_dialog(dialog), m_front(FrontWindow::current())
    {
        if (!m_front || m_front == dialog || m_front->isAncestorOf(dialog))
            m_front = nullptr;
        if (!m_front)
            return;
        m_hadFlag = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (!m_hadFlag)
            dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        dialog->winId();
        m_front->winId();
        if (QWindow* own = dialog->windowHandle()) {
            m_oldTransient = own->transientParent();
            own->setTransientParent(m_front->windowHandle());
        }
    }
    ~AboveFrontWindow()
    {
        if (!m_front || !m_dialog)
            return;
        if (!m_hadFlag) {
            const bool visible = m_dialog->isVisible();
            m_dialog->setWindowFlag(Qt::WindowStaysOnTopHint, false);
            if (visible)
                m_dialog->show();
        }
        if (QWindow* own = m_dialog->windowHandle())
            own->setTransientParent(m_oldTransient);
        FrontWindow::giveBackKeyboard();
    }

private:
    QPointer<QDialog> m_dialog;
    QPointer<QWidget> m_front;
    QPointer<QWindow> m_oldTransient;
    bool m_hadFlag = false;
};
}

namespace {
// The dialogs in a modal run, innermost last.
QList<const QDialog*>& runs()
{
    static QList<const QDialog*> r;
    return r;
}
}

bool ModalRunner::running(const QDialog* dialog)
{
    return runs().contains(dialog);
}

int ModalRunner::exec(QDialog* dialog)
{
    // A second run inside the first would hand the dialog, as it stands, to
    // a caller that may have set its fields for something else; the loops
    // would also end together.
    if (running(dialog))
        return QDialog::Rejected;
    runs().append(dialog);
    const std::unique_ptr<const QDialog, void (*)(const QDialog*)> endRun(
        dialog, [](const QDialog* d) { runs().removeOne(d); });
    if (dialog->windowModality() == Qt::NonModal)
        dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setResult(QDialog::Rejected);
    const AboveFrontWindow above(dialog);
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
