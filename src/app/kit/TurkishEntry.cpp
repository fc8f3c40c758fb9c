#include "app/kit/TurkishEntry.h"

#include <QAbstractItemView>
#include <QChildEvent>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace {

// The typed text of a key event is replaced in place, so that the control
// inserts the converted character (the event keeps its key code and count).
struct KeyEventText : QKeyEvent {
    static void set(QKeyEvent* event, const QString& text) { event->*(&KeyEventText::m_text) = text; }
};

bool isEnter(const QKeyEvent* e)
{
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        return false;
    return !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

void TurkishUpperKey(QChar& key)
{
    switch (key.unicode()) {
    case u'i':
    case u'\u0130':  // İ
        key = QChar(0x0130);
        return;
    case u'I':
    case u'\u0131':  // ı
        key = QChar('I');
        return;
    case u'\u011E':  // Ğ
    case u'\u011F':  // ğ
        key = QChar(0x011E);
        return;
    case u'\u00DC':  // Ü
    case u'\u00FC':  // ü
        key = QChar(0x00DC);
        return;
    case u'\u015E':  // Ş
    case u'\u015F':  // ş
        key = QChar(0x015E);
        return;
    case u'\u00D6':  // Ö
    case u'\u00F6':  // ö
        key = QChar(0x00D6);
        return;
    case u'\u00C7':  // Ç
    case u'\u00E7':  // ç
        key = QChar(0x00C7);
        return;
    default:
        break;
    }
    if (key.unicode() >= u'a' && key.unicode() <= u'z')
        key = QChar(char16_t(key.unicode() - 0x20));
}

QString TurkishUpperKeys(const QString& typed)
{
    QString s = typed;
    for (QChar& c : s)
        TurkishUpperKey(c);
    return s;
}

TurkishEntry::TurkishEntry(Kind kind, QObject* owner)
    : QObject(owner), m_kind(kind)
{
}

TurkishEntry* TurkishEntry::textField(QWidget* control, QWidget* next)
{
    return textField(QList<QWidget*>{control}, next);
}

TurkishEntry* TurkishEntry::textField(const QList<QWidget*>& controls, QWidget* next)
{
    auto* f = new TurkishEntry(TextField, controls.value(0));
    f->m_next = next;
    for (QWidget* c : controls)
        f->attach(c);
    return f;
}

TurkishEntry* TurkishEntry::enterOnly(QWidget* control, QWidget* next)
{
    return enterOnly(QList<QWidget*>{control}, next);
}

TurkishEntry* TurkishEntry::enterOnly(const QList<QWidget*>& controls, QWidget* next)
{
    auto* f = new TurkishEntry(EnterOnly, controls.value(0));
    f->m_next = next;
    for (QWidget* c : controls)
        f->attach(c);
    return f;
}

TurkishEntry* TurkishEntry::grid(QAbstractItemView* view)
{
    auto* f = new TurkishEntry(Grid, view);
    view->installEventFilter(f);
    f->m_viewport = view->viewport();
    f->m_viewport->installEventFilter(f);
    // Editors already open get the filter too.
    for (QWidget* w : f->m_viewport->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        f->attachEditor(w);
    return f;
}

void TurkishEntry::attach(QWidget* control)
{
    if (!control)
        return;
    control->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // A typed text stays a text: Enter does not add it to the list.
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }
}

void TurkishEntry::attachEditor(QWidget* editor)
{
    editor->installEventFilter(this);
    for (QWidget* w : editor->findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool TurkishEntry::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (m_kind != EnterOnly && !ke->text().isEmpty()) {
            const QString up = TurkishUpperKeys(ke->text());
            if (up != ke->text())
                KeyEventText::set(ke, up);
        }
        if (m_kind != Grid && isEnter(ke))
            return handleEnter(watched, event);
        return false;
    }
    case QEvent::InputMethod: {
        if (m_kind == EnterOnly)
            return false;
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString up = TurkishUpperKeys(im->commitString());
        if (up != im->commitString())
            im->setCommitString(up, im->replacementStart(), im->replacementLength());
        return false;
    }
    case QEvent::ChildPolished:
        // A cell editor of the grid is about to show.
        if (m_viewport && watched == m_viewport) {
            if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                attachEditor(w);
        }
        return false;
    default:
        return false;
    }
}

bool TurkishEntry::handleEnter(QObject* watched, QEvent* event)
{
    if (m_inEnter)
        return false;  // the Enter handed to the control below
    QWidget* target = m_chooser ? m_chooser() : m_next.data();
    if (!m_enterAction && !target)
        return false;
    if (m_enterAction)
        m_enterAction();
    else
        target->setFocus(Qt::TabFocusReason);
    // The control still gets the Enter as typed, but the key goes no further
    // (a dialog would press its default button with it).
    QPointer<QObject> guard(watched);
    if (guard) {
        m_inEnter = true;
        watched->event(event);
        m_inEnter = false;
    }
    event->accept();
    return true;
}
