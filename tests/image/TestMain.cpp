// Picture decoding needs Qt's image-format plug-ins and a GUI application
// object; the offscreen platform keeps the tests headless.
#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/Messages.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    platform::Messages::SetHeadless(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
