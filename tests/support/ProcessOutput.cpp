#include "tests/support/ProcessOutput.h"

#include <sstream>

namespace testsupport {

std::string OwnErrors(const std::string& err) {
    std::istringstream in(err);
    std::string own;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("QStandardPaths: ", 0) != 0)
            own += line + "\n";
    return own;
}

} // namespace testsupport
