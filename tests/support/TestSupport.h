#pragma once
// Test support: a temporary station per test, a recorder of message boxes
// and choosers, and scripts for modal dialogs.

#include "platform/db/Database.h"
#include "platform/ui/Messages.h"
#include "support/Printers.h"

#include <QComboBox>
#include <QDialog>
#include <QList>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// Every message box and chooser the program asks for, with the answers the
// test queued (a question is answered "no" and a chooser cancelled unless an
// answer was queued).
class UiLog {
public:
    QList<UiRequest> requests;
    std::deque<UiAnswer> answers;

    void clear() { requests.clear(); answers.clear(); }
    // Queue answers for the next questions or choosers.
    void answerYes() { answers.push_back({true, {}}); }
    void answerNo() { answers.push_back({false, {}}); }
    void answerFile(const QString& hostPath) { answers.push_back({true, hostPath}); }
    void answerCancel() { answers.push_back({false, {}}); }
    // Texts of the message boxes shown (errors, notices, warnings, questions).
    QStringList texts() const;
    QString lastText() const { return texts().isEmpty() ? QString() : texts().last(); }
    int count() const { return int(requests.size()); }
};
UiLog& ui();

// Scripts for modal dialogs, matched in order by class name (or object name).
class ModalScripts {
public:
    using Script = std::function<void(QDialog*)>;
    void expect(const QString& classOrObjectName, Script script);
    void clear() { m_scripts.clear(); m_seen.clear(); }
    int pending() const { return int(m_scripts.size()); }
    // Class names of the dialogs that were shown modally, in order.
    QStringList seen() const { return m_seen; }
    bool run(QDialog* dialog);

private:
    std::deque<std::pair<QString, Script>> m_scripts;
    QStringList m_seen;
};
ModalScripts& modals();

// A temporary data root with a new station (database, registry value "DBQ",
// folders) for each test. `db` is a connection of the test's own.
class StationTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The host path of a Windows-form path of this station.
    QString host(const QString& windowsPath) const;
    // Writes a text file (making its folder).
    static void writeFile(const QString& hostPath, const QByteArray& content);

    QTemporaryDir dir;
    Database db;
};

// Creates every screen, as start-up does, and signs a user in through the
// login window. Screens are destroyed after each test.
class ScreensTest : public StationTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the main window's first showing with the login scripted; returns
    // whether the user got in.
    bool login(const QString& user, const QString& password);
    // Adds a user row directly.
    void addUser(int key, const QString& name, const QString& password, const QString& rights);
};

// Helpers to drive controls.
template <class T>
T* child(QObject* parent, const QString& name)
{
    T* w = parent->findChild<T*>(name);
    if (!w)
        ADD_FAILURE() << "no control named " << name.toStdString();
    return w;
}
void click(QWidget* w);
// Chooses an entry of a drop-down list as the operator does.
void pick(QComboBox* list, const QString& text);
// Types any text, Turkish letters included, as key presses.
void typeInto(QWidget* w, const QString& text);
