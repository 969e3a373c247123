// The viewer's tests need a widget application.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Real widgets, never a display: also when ctest lists the tests.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
