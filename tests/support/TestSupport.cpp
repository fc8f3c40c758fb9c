#include "support/TestSupport.h"

#include "app/Main.h"
#include "app/Screens.h"
#include "app/Sifre.h"
#include "app/Station.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QApplication>

QStringList UiLog::texts() const
{
    QStringList t;
    for (const UiRequest& r : requests)
        if (r.kind <= UiRequest::Question)
            t << r.text;
    return t;
}

UiLog& ui()
{
    static UiLog log;
    return log;
}

ModalScripts& modals()
{
    static ModalScripts m;
    return m;
}

void ModalScripts::expect(const QString& name, Script script)
{
    m_scripts.emplace_back(name, std::move(script));
}

bool ModalScripts::run(QDialog* dialog)
{
    const QString cls = dialog->metaObject()->className();
    m_seen << cls;
    if (!m_scripts.empty()) {
        const auto& front = m_scripts.front();
        if (front.first == cls || front.first == dialog->objectName()) {
            Script s = front.second;
            m_scripts.pop_front();
            if (s)
                s(dialog);
            return true;
        }
    }
    ADD_FAILURE() << "unexpected modal dialog " << cls.toStdString() << " (" << dialog->objectName().toStdString()
                  << ")";
    return true;
}

void StationTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    DriveMap::setDataRoot(dir.path());
    Registry::reload();
    Registry::setHardwareRoot(dir.path() + "/hw");
    ui().clear();
    modals().clear();
    Station::init();
    db.open(Station::kDefaultDatabase);
}

void StationTest::TearDown()
{
    db.close();
    EXPECT_EQ(modals().pending(), 0) << "scripted dialogs that never showed";
    modals().clear();
}

QString StationTest::host(const QString& windowsPath) const
{
    return DriveMap::toHost(windowsPath);
}

void StationTest::writeFile(const QString& hostPath, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(hostPath).path());
    QFile f(hostPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void ScreensTest::SetUp()
{
    StationTest::SetUp();
    Screens::createAll();
}

void ScreensTest::TearDown()
{
    Screens::destroyAll();
    StationTest::TearDown();
}

bool ScreensTest::login(const QString& user, const QString& password)
{
    modals().expect("TSifre", [&](QDialog* d) {
        auto* combo = d->findChild<QComboBox*>("DBLookupComboBox1");
        combo->setCurrentIndex(combo->findText(user));
        d->findChild<QLineEdit*>("Edit1")->setText(password);
        d->findChild<QAbstractButton*>("BitBtn1")->click();
    });
    Main->FormShow();
    return Sifre->FLoginState == 1;
}

void ScreensTest::addUser(int key, const QString& name, const QString& password, const QString& rights)
{
    db.insert("C_SIFRE", {{"Key_No", key}, {"Tip", "User"}, {"Ad", name}, {"Sifre", password}, {"R/F", rights}});
}

void click(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->click();
        return;
    }
    QTest::mouseClick(w, Qt::LeftButton);
}

void typeInto(QWidget* w, const QString& text)
{
    ASSERT_NE(w, nullptr);
    w->setFocus();
    // Key presses carrying each character (QTest's own key clicks know only
    // ASCII key codes, so Turkish letters go in as text).
    for (const QChar c : text) {
        const QString s(c);
        const QChar up = c.toUpper();
        const Qt::Key key = up.unicode() < 0x80 && up.isLetterOrNumber() ? Qt::Key(up.unicode()) : Qt::Key_unknown;
        // Whatever has the focus now (a cell editor the first key opened)
        // gets the next key.
        QWidget* target = QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget())
                              ? QApplication::focusWidget()
                              : w;
        QTest::sendKeyEvent(QTest::Press, target, key, s, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, s, Qt::NoModifier);
    }
}

void pick(QComboBox* list, const QString& text)
{
    ASSERT_NE(list, nullptr);
    const int i = list->findText(text);
    ASSERT_GE(i, 0) << "no entry " << text.toStdString() << " in " << list->objectName().toStdString();
    list->setCurrentIndex(i);
    emit list->activated(i);
}
