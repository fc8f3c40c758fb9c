#pragma once
// A picture of a window for a person to look at: when the environment
// variable names a file, the window is shown at the given size and saved
// there as PNG.
//
//   saveScreenshot(Main, "BRIVEX_MAIN_SCREENSHOT");
//   BRIVEX_MAIN_SCREENSHOT=/tmp/main.png ./tests/test_app --gtest_filter='*Screenshot*'

#include <QSize>

class QWidget;

// True when a picture was saved; false when the variable is not set.
bool saveScreenshot(QWidget* window, const char* variable, const QSize& size = QSize(1024, 768));
// Shows the window in its normal state at this size, its layout done.
void showAtSize(QWidget* window, const QSize& size);
