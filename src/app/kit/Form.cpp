#include "app/kit/Form.h"

#include "app/kit/DbGrid.h"
#include "platform/ui/Messages.h"

#include <QApplication>
#include <QEvent>
#include <QShowEvent>
#include <QTabWidget>

#include <memory>

namespace {

// The last top-level window that lost the activation, and whether it was
// modal at that moment. Recorded for every window of the program.
struct LastDeactivated {
    const void* window = nullptr;
    bool modal = false;
    bool known = false;
};

LastDeactivated& lastDeactivated()
{
    static LastDeactivated l;
    return l;
}

class DeactivationRecorder : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowDeactivate) {
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow()) {
                LastDeactivated& l = lastDeactivated();
                l.window = w;
                l.modal = w->isModal() || w->windowModality() != Qt::NonModal;
                l.known = true;
            }
        }
        return false;
    }
};

void installRecorder()
{
    static DeactivationRecorder* recorder = nullptr;
    if (!recorder && qApp) {
        recorder = new DeactivationRecorder;
        recorder->setParent(qApp);
        qApp->installEventFilter(recorder);
    }
}

// Brings forward every tab page between `w` and its window.
void showPagesOf(QWidget* w, const QWidget* window)
{
    for (QWidget* page = w; page && page != window; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
}

} // namespace

ActivationTracker::ActivationTracker(QWidget* window, std::function<void()> onActivate)
    : m_window(window), m_onActivate(std::move(onActivate))
{
    installRecorder();
    window->installEventFilter(this);
}

void ActivationTracker::shown()
{
    m_activatedThisShowing = true;
    m_firstActivationPending = true;
    m_onActivate();
}

void ActivationTracker::hidden()
{
    m_activatedThisShowing = false;
    m_firstActivationPending = false;
}

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::WindowDeactivate) {
        // The window was active once: its showing's first activation is over.
        m_firstActivationPending = false;
        return false;
    }
    if (event->type() != QEvent::WindowActivate || !m_window->isVisible())
        return false;
    if (m_firstActivationPending) {
        // The activation that follows the showing already ran the handler.
        m_firstActivationPending = false;
        return false;
    }
    const LastDeactivated& l = lastDeactivated();
    if (!l.known || l.window == m_window || l.modal)
        return false;
    m_onActivate();
    return false;
}

Form::Form(QWidget* parent)
    : QDialog(parent), m_tracker(this, [this] { FormActivate(); })
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

int Form::showModal()
{
    if (ModalRunner::running(this))
        return QDialog::Rejected;
    // The modality stays set after the run: the window's deactivation, which
    // tells its opener that a modal dialog is what it comes back from, may be
    // delivered after exec() returns.
    setWindowModality(Qt::ApplicationModal);
    m_inShowModal = true;
    const std::unique_ptr<bool, void (*)(bool*)> clearFlag(&m_inShowModal, [](bool* flag) { *flag = false; });
    return ModalRunner::exec(this);
}

bool Form::isOpen() const
{
    return isVisible() || ModalRunner::running(this);
}

QString Form::alreadyOpenMessage(const QString& caption)
{
    return "'" + caption + "' Şu Anda Açık. Lütfen Önce Açık Olan Ekranı Kapatınız ...!";
}

bool Form::refuseWhileOpen() const
{
    if (!isOpen())
        return false;
    Messages::info(alreadyOpenMessage(windowTitle()));
    return true;
}

void Form::setVisible(bool visible)
{
    if (visible && !isVisible() && !m_inShowModal && windowModality() != Qt::NonModal)
        setWindowModality(Qt::NonModal);
    QDialog::setVisible(visible);
}

void Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_inShowHandler)
        return;
    // The flag is cleared however the handler ends (a failure too), so the
    // screen shows and activates again next time.
    m_inShowHandler = true;
    const std::unique_ptr<bool, void (*)(bool*)> clearFlag(&m_inShowHandler, [](bool* flag) { *flag = false; });
    FormShow();
    m_tracker.shown();
}

void Form::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_tracker.hidden();
}

void Form::done(int result)
{
    // A row typed into a grid and not yet stored is stored (through the
    // row's checks) before the screen closes; a refused row keeps the screen
    // open with the cursor on it. Typed data is never dropped unsaid.
    for (TDBGrid* grid : findChildren<TDBGrid*>()) {
        if (!grid->postTyped()) {
            // The grid may be on a tab page that is not shown: the page
            // comes forward, and the focus goes where the typing stopped.
            showPagesOf(grid, this);
            if (grid->isVisible()) {
                QWidget* editor = grid->cellEditor();
                (editor ? editor : static_cast<QWidget*>(grid))->setFocus();
            }
            return;
        }
    }
    if (!FormCloseQuery())
        return;
    FormClose();
    QDialog::done(result);
}
