#include "pdfhost/pdf/ContentBalance.h"

#include "pdfhost/pdf/ContentLexer.h"

namespace pdfhost::pdf {

ContentBalance ContentBalance::Measure(std::string_view content) {
    ContentBalance b;
    ContentLexer lexer(content);
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

ContentBalance ContentBalance::Then(const ContentBalance& a, const ContentBalance& b) {
    // b's unmatched restores first use up a's open saves.
    ContentBalance r;
    if (b.unmatchedRestores <= a.openSaves) {
        r.unmatchedRestores = a.unmatchedRestores;
        r.openSaves = a.openSaves - b.unmatchedRestores + b.openSaves;
    } else {
        r.unmatchedRestores = a.unmatchedRestores + (b.unmatchedRestores - a.openSaves);
        r.openSaves = b.openSaves;
    }
    return r;
}

} // namespace pdfhost::pdf
