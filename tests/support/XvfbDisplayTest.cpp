#include "tests/support/XvfbDisplay.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The socket is what an X client connects to, so it is what proves the server
// is up. Its absence afterwards proves nothing: tests running beside this one
// start servers of their own and may be given the same number at once.
std::filesystem::path SocketOf(const std::string& name) {
    return std::filesystem::path("/tmp/.X11-unix") / ("X" + name.substr(1));
}

TEST(XvfbDisplayTest, ServesADisplay) {
    testsupport::XvfbDisplay display;
    ASSERT_FALSE(display.Name().empty()) << display.Error();
    ASSERT_EQ(display.Name()[0], ':');
    EXPECT_TRUE(std::filesystem::exists(SocketOf(display.Name()))) << display.Name();
}

TEST(XvfbDisplayTest, TwoAtOnceGetTwoDisplays) {
    testsupport::XvfbDisplay first;
    testsupport::XvfbDisplay second;
    ASSERT_FALSE(first.Name().empty()) << first.Error();
    ASSERT_FALSE(second.Name().empty()) << second.Error();
    EXPECT_NE(first.Name(), second.Name());
}

} // namespace
