#pragma once
// Base of every screen.
//
// A screen is created once at start-up and lives for the whole run; it is
// hidden and shown again. Its events map to Qt this way:
//   FormCreate      -> the constructor, after the controls exist
//   FormShow        -> each time the screen is shown
//   FormActivate    -> right after FormShow, and again whenever the screen
//                      takes the focus back from a window of the program that
//                      is not modal (a preview, a status window); coming back
//                      from a modal dialog it opened does not run it
//   FormCloseQuery  -> before it closes; returning false refuses the close
//                      (before it, a row typed into one of the screen's
//                      grids is stored; a row its check refuses keeps the
//                      screen open)
//   FormClose       -> when it closes
// showModal() runs the screen modally through ModalRunner, so tests can
// script it.

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>

// Runs an activation handler by the rules above for any top-level window.
class ActivationTracker : public QObject {
public:
    ActivationTracker(QWidget* window, std::function<void()> onActivate);
    // Called when the window is shown: runs the handler for this showing.
    void shown();
    // Called when the window hides.
    void hidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::function<void()> m_onActivate;
    bool m_activatedThisShowing = false;
    bool m_firstActivationPending = false;
};

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // Shows the screen modally and returns its result (QDialog::Accepted or
    // Rejected, or what setModalResult gave). A screen that is open modally
    // already is not shown again (Rejected at once).
    int showModal();
    // Whether the screen is open now (shown, modally or not).
    bool isOpen() const;
    // A caller that sets a screen's fields (the key of the record it edits)
    // and then shows it asks this first: when the screen is open already,
    // its fields belong to what it shows, so the operator is told
    // (alreadyOpenMessage) and true comes back; the caller then leaves it
    // alone.
    //
    //   if (MusteriGiris2->refuseWhileOpen())
    //       return;
    //   MusteriGiris2->FPersonKey = key;
    //   MusteriGiris2->showModal();
    bool refuseWhileOpen() const;
    static QString alreadyOpenMessage(const QString& caption);
    // Closes a modal screen with a result, as a button with a modal result does.
    void setModalResult(int result) { done(result); }
    int modalResult() const { return result(); }

    // Runs the activation handler now (as the window system would).
    void activateNow() { FormActivate(); }

    void setVisible(bool visible) override;

public Q_SLOTS:
    void done(int result) override;

protected:
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    ActivationTracker m_tracker;
    bool m_inShowHandler = false;
    bool m_inShowModal = false;
};
