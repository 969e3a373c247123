#include "tests/support/SaveDepth.h"

#include <algorithm>

namespace testsupport {
namespace {

bool Separates(char c) {
    return std::string_view(" \t\r\n\f\v()<>[]{}/%").find(c) != std::string_view::npos || c == '\0';
}

} // namespace

int MaxSaveDepth(std::string_view content) {
    int depth = 0, deepest = 0;
    std::size_t i = 0;
    while (i < content.size()) {
        if (Separates(content[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < content.size() && !Separates(content[end]))
            ++end;
        const std::string_view word = content.substr(i, end - i);
        if (word == "q")
            deepest = std::max(deepest, ++depth);
        else if (word == "Q" && depth > 0)
            --depth;
        i = end;
    }
    return deepest;
}

} // namespace testsupport
