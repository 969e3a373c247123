#include "Unprivileged.h"

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace testsupport {
namespace {

constexpr int kCannotDrop = 77;

} // namespace

bool RunUnprivileged(const std::function<void()>& body, std::string* whyNot) {
    if (::geteuid() != 0) {
        body();
        return true;
    }
    uid_t uid = 65534;
    gid_t gid = 65534;
    if (const passwd* nobody = ::getpwnam("nobody")) {
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
    }
    std::fflush(nullptr); // nothing buffered is printed twice
    const pid_t child = ::fork();
    if (child < 0) {
        *whyNot = "cannot fork a child to drop privileges in";
        return false;
    }
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 ||
            ::geteuid() == 0)
            ::_exit(kCannotDrop);
        const bool failedBefore = ::testing::Test::HasFailure();
        try {
            body();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the unprivileged part threw: " << e.what();
        }
        std::fflush(nullptr);
        ::_exit(!failedBefore && ::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop) {
        *whyNot =
            "running as root and cannot drop to the user nobody (uid " + std::to_string(uid) + ")";
        return false;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the part run as the user nobody failed (its failures are printed above)";
    return true;
}

} // namespace testsupport
