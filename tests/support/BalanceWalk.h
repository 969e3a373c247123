// The reference for the q/Q balance scan: count q and Q among the bare words
// the content lexer gives, one by one. ContentBalance::Measure must agree
// with it on any content; the scan's tests and its fuzz target compare the
// two. Header-only, so that a fuzz target that compiles the lexer in can use
// it without linking the engine.
#pragma once

#include <string_view>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/ContentLexer.h"

namespace testsupport {

inline pdfhost::pdf::ContentBalance WalkBalance(std::string_view content) {
    pdfhost::pdf::ContentBalance b;
    pdfhost::pdf::ContentLexer lexer(content);
    std::string_view word;
    while (lexer.NextWord(word)) {
        if (word == "q") {
            ++b.openSaves;
        } else if (word == "Q") {
            if (b.openSaves > 0)
                --b.openSaves;
            else
                ++b.unmatchedRestores;
        }
    }
    return b;
}

} // namespace testsupport
