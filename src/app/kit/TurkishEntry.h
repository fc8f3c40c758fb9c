#pragma once
// Turkish text entry: names and other typed texts are held in capital letters
// of the Turkish alphabet, converted while typing, and Enter moves the
// operator through a screen's fields.
//
// One filter object, installed on the controls of a screen in one of three
// forms:
//
//   TurkishEntry::textField(Edit1, ComboBox1);  // upper-cases; Enter -> ComboBox1
//   TurkishEntry::textField({Edit2, Edit3}, BitBtn1);  // one handler, one next control
//   TurkishEntry::enterOnly(Edit5, BitBtn1);    // no conversion; Enter -> BitBtn1
//   TurkishEntry::grid(DBGrid1);                // upper-cases the typed cells; Enter untouched
//
// The conversion acts on each typed character before the control inserts it
// (the key event's text, also the text an input method commits), in line
// edits, editable combo boxes, plain text edits and the cell editors of item
// views. Text that reaches a control otherwise (pasted, set by the program)
// is not converted. Enter moves the focus to the next control without
// pressing it; the control itself still sees the Enter afterwards, as typed,
// but the key goes no further (a dialog's default button is not pressed).
// With no next control (and no Enter action) a text field only converts and
// Enter keeps its usual meaning.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QAbstractItemView;
class QWidget;

// Replaces one typed character by its Turkish capital: "i" and "İ" give "İ",
// "ı" and "I" give "I", "ğ" "Ğ", "ü" "Ü", "ş" "Ş", "ö" "Ö", "ç" "Ç", the ASCII
// letters "a" to "z" their capitals; every other character (digits,
// punctuation, control characters, "â", "î", "û", "é", ...) stays as it is.
void TurkishUpperKey(QChar& key);
// The same for each character of a typed text.
QString TurkishUpperKeys(const QString& typed);

class TurkishEntry : public QObject {
    Q_OBJECT
public:
    enum Kind {
        TextField,  // conversion; Enter moves to the next control
        Grid,       // conversion; Enter keeps the grid's own meaning
        EnterOnly   // no conversion; Enter moves to the next control
    };

    // Each installs one filter on the controls and returns it (owned by the
    // first control). `next` may be null.
    static TurkishEntry* textField(QWidget* control, QWidget* next);
    static TurkishEntry* textField(const QList<QWidget*>& controls, QWidget* next);
    static TurkishEntry* enterOnly(QWidget* control, QWidget* next);
    static TurkishEntry* enterOnly(const QList<QWidget*>& controls, QWidget* next);
    // On an item view: its own keys (which start a cell editor) and the
    // keys typed into every cell editor it opens.
    static TurkishEntry* grid(QAbstractItemView* view);

    Kind kind() const { return m_kind; }

    // The control Enter moves to.
    void setNext(QWidget* next) { m_next = next; }
    QWidget* next() const { return m_next; }
    // Chooses the next control when Enter is pressed (for example the next
    // field when it is visible, else the confirm button); overrides setNext.
    void setNextChooser(std::function<QWidget*()> choose) { m_chooser = std::move(choose); }
    // A screen's own action on Enter, in place of the focus move (for example
    // running its search). The conversion before it is the same.
    void setEnterAction(std::function<void()> action) { m_enterAction = std::move(action); }

    // Adds a control to this handler.
    void attach(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TurkishEntry(Kind kind, QObject* owner);
    void attachEditor(QWidget* editor);
    bool handleEnter(QObject* watched, QEvent* event);

    Kind m_kind;
    QPointer<QWidget> m_next;
    std::function<QWidget*()> m_chooser;
    std::function<void()> m_enterAction;
    QPointer<QWidget> m_viewport;
    bool m_inEnter = false;
};
