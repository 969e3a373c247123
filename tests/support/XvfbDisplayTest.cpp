#include "tests/support/XvfbDisplay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

// The socket is what an X client connects to, so it is what proves the server
// is up and, after the destructor, that it is gone and leaves no server behind.
std::filesystem::path SocketOf(const std::string& name) {
    return std::filesystem::path("/tmp/.X11-unix") / ("X" + name.substr(1));
}

TEST(XvfbDisplayTest, ServesADisplayForItsLifetimeOnly) {
    std::optional<testsupport::XvfbDisplay> display(std::in_place);
    ASSERT_FALSE(display->Name().empty()) << display->Error();
    ASSERT_EQ(display->Name()[0], ':');
    const auto socket = SocketOf(display->Name());
    EXPECT_TRUE(std::filesystem::exists(socket)) << socket;

    display.reset();
    EXPECT_FALSE(std::filesystem::exists(socket)) << socket;
}

TEST(XvfbDisplayTest, TwoAtOnceGetTwoDisplays) {
    testsupport::XvfbDisplay first;
    testsupport::XvfbDisplay second;
    ASSERT_FALSE(first.Name().empty()) << first.Error();
    ASSERT_FALSE(second.Name().empty()) << second.Error();
    EXPECT_NE(first.Name(), second.Name());
}

} // namespace
