#include "support/Screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

void showAtSize(QWidget* window, const QSize& size)
{
    window->setWindowState(Qt::WindowNoState);
    window->resize(size);
    window->show();
    QApplication::processEvents();
}

bool saveScreenshot(QWidget* window, const char* variable, const QSize& size)
{
    const QString file = qEnvironmentVariable(variable);
    if (file.isEmpty())
        return false;
    showAtSize(window, size);
    const QPixmap picture = window->grab();
    EXPECT_EQ(picture.size(), size);
    EXPECT_TRUE(picture.save(file, "PNG")) << "cannot write " << file.toStdString();
    return true;
}
