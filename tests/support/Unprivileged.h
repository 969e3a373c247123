// Runs part of a test as a user without privileges, so that file
// permissions apply (they do not to root, and CI runs as root).
//
// Contract: as an ordinary user, RunUnprivileged runs `body` in this
// process. As root, it runs `body` in a forked child that has dropped to
// the user "nobody" (no supplementary groups) and waits for it; the
// child's failed checks are printed as usual and fail the test here too.
// `body` must make the files it uses itself (a root-made test folder is
// closed to "nobody") and must not need other threads of this process.
// Returns false, with the reason in *whyNot, only when the privileges
// could not be dropped; the test should then skip saying so.
#pragma once

#include <functional>
#include <string>

namespace testsupport {

bool RunUnprivileged(const std::function<void()>& body, std::string* whyNot);

} // namespace testsupport
