// The same dialog tests on a real X server: an Xvfb of this process's own,
// reached through Qt's xcb platform, so windows are really mapped, painted
// and given the focus by a server. Message boxes and the shell still only
// write their transcript lines (nobody would answer a box or close a
// browser). Listing the tests needs no server.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "platform/Messages.h"
#include "tests/support/XvfbDisplay.h"

int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strncmp(argv[i], "--gtest_list_tests", 18) == 0;
    std::unique_ptr<testsupport::XvfbDisplay> display; // outlives the application
    if (listing) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
        display = std::make_unique<testsupport::XvfbDisplay>();
        if (display->Name().empty()) {
            std::fprintf(stderr, "no X server: %s\n", display->Error().c_str());
            return 1;
        }
        setenv("DISPLAY", display->Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    QApplication app(argc, argv);
    platform::Messages::SetHeadless(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
