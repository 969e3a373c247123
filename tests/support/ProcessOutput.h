// What a test reads from the standard error of a process it ran.
//
// Contract: OwnErrors(err) is err without the lines Qt writes about the
// machine the process runs on (such as "QStandardPaths: XDG_RUNTIME_DIR not
// set, ..."), which depend on where the tests run and say nothing about the
// program, so that a run that must report nothing can be checked as "".
#pragma once

#include <string>

namespace testsupport {

std::string OwnErrors(const std::string& err);

} // namespace testsupport
