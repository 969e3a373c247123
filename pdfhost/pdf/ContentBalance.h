// How a run of page content leaves the graphics-state stack.
//
// Contract: Measure() counts q and Q as a viewer executes them from an empty
// stack, never inside strings, comments, names or inline image data (the
// words ContentLexer::NextWord gives, found without producing each word): `unmatchedRestores` is
// the number of Q met with nothing to restore (a viewer ignores them), `openSaves` the number of q
// still open at the end. Content with no unmatched Q can be wrapped in one more q ... Q without
// changing how it draws; closing it takes openSaves + 1 Q.
#pragma once

#include <cstddef>
#include <string_view>

namespace pdfhost::pdf {

struct ContentBalance {
    std::size_t unmatchedRestores = 0;
    std::size_t openSaves = 0;

    static ContentBalance Measure(std::string_view content);
    // The balance of a followed by b.
    static ContentBalance Then(const ContentBalance& a, const ContentBalance& b);
};

} // namespace pdfhost::pdf
