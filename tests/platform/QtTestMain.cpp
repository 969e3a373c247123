// The dialog tests need a widget application; the offscreen platform keeps
// them headless unless the test sets up a display of its own.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/Messages.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    platform::Messages::SetHeadless(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
