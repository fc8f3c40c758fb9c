#pragma once
// Driving the program's screens in tests: a signed-in station with every
// screen, typing into grid cells as an operator does, and answers to the
// shared yes/no question.

#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

// Every screen created and the administrator signed in, so that the shared
// connection is open; numbers are read with the Turkish decimal comma.
class SignedInTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        m_separator = Formats::decimalSeparator();
        Formats::setDecimalSeparator(',');
        ASSERT_TRUE(login("ADMIN", "1234"));
        ui().clear();
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator(m_separator);
        ScreensTest::TearDown();
    }
    // Shows a screen beside the main window as the active window; its
    // activation runs.
    static void open(QWidget* screen)
    {
        screen->show();
        QApplication::setActiveWindow(screen);
        QApplication::processEvents();
    }

private:
    QChar m_separator;
};

inline QModelIndex gridCell(TDBGrid* grid, int row, const QString& field)
{
    return grid->model()->index(row, grid->columnOf(field));
}

// Types into a cell: the first key opens the cell editor, Enter ends it.
inline void typeCell(TDBGrid* grid, int row, const QString& field, const QString& text)
{
    grid->setFocus();
    grid->setCurrentIndex(gridCell(grid, row, field));
    typeInto(grid, text);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid) << "no cell editor opened for " << field.toStdString();
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

// Inside the handler of a question whose "Evet" ends a bout or deletes
// data, as the operator meets it: "Hayır" is the default with the focus,
// Space (the bout clock's key) answers neither button, Enter answers
// "Hayır" and closes the question.
inline void answerCarefulQuestionByEnter(QDialog* d)
{
    EXPECT_TRUE(Form5->BitBtn2->isDefault());
    EXPECT_FALSE(Form5->BitBtn1->isDefault());
    ASSERT_EQ(d->focusWidget(), Form5->BitBtn2);
    QTest::keyClick(d->focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(d->isVisible()) << "Space answers neither button";
    QTest::keyClick(Form5->BitBtn1, Qt::Key_Space);
    EXPECT_TRUE(d->isVisible()) << "Space answers neither button";
    QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
}

// Answers the next yes/no question; the question's text goes to `asked`.
inline void answerQuestion(bool yes, QString* asked = nullptr, bool* hayirIsDefault = nullptr)
{
    modals().expect("TForm5", [yes, asked, hayirIsDefault](QDialog*) {
        if (asked)
            *asked = Form5->Label1->text();
        if (hayirIsDefault)
            *hayirIsDefault = Form5->BitBtn2->isDefault() && !Form5->BitBtn1->isDefault();
        click(yes ? Form5->BitBtn1 : Form5->BitBtn2);
    });
}
