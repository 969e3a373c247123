// How deep page content nests graphics states, for tests.
//
// Contract: MaxSaveDepth(content) is the largest number of q open at once
// while the content runs, counting q and Q as words between PDF whitespace
// and delimiters; text inside strings, comments and inline image data is
// not told apart, so it suits content whose strings hold no lone q or Q. A
// Q with nothing to restore is ignored, as viewers ignore it.
#pragma once

#include <string_view>

namespace testsupport {

int MaxSaveDepth(std::string_view content);

} // namespace testsupport
