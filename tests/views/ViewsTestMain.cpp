#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "views/NumericLocale.h"

// The window tests need a QApplication; without a display they draw offscreen (CTest lists the
// tests by running this program at build time, where no platform may be set).
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    qx::UseCNumericLocale();
    app.setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
