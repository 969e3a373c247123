// Feeds arbitrary page content to the content lexer, the page-content
// parser and the q/Q balance.
//
// Beyond "no crash, nothing read outside the content" it checks:
// - the lexer: operations come in order inside the content, the operator
//   ends its operation, and only white space and comments lie between them;
// - the balance: the fast scan gives what counting the lexer's bare words
//   gives, and the parser reports the same;
// - the parser: writing every item's state and paint and then the trailer
//   gives the same operations with the same bytes, minus every Q that
//   restores nothing, and the result restores nothing it did not save.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/ContentLexer.h"
#include "pdfhost/pdf/ContentParser.h"
#include "sdk/PIRecords.h"
#include "tests/support/BalanceWalk.h"

namespace {

using namespace pdfhost::pdf;

bool IsSpace(char c) {
    return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32;
}

// Whether a gap between operations holds only white space and comments.
bool OnlySpaceAndComments(std::string_view gap) {
    for (std::size_t i = 0; i < gap.size(); ++i) {
        if (gap[i] == '%') {
            while (i < gap.size() && gap[i] != '\n' && gap[i] != '\r')
                ++i;
        } else if (!IsSpace(gap[i])) {
            return false;
        }
    }
    return true;
}

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

struct Operation {
    std::string_view op;
    std::string_view bytes;
    std::size_t begin;
    bool operator==(const Operation& o) const { return op == o.op && bytes == o.bytes; }
};

// Each operation with its bytes; an operation that runs to the end of the
// content (an unterminated string, an inline image without EI) may take the
// white space written after it, so trailing white space does not count.
std::vector<Operation> Operations(std::string_view content) {
    std::vector<Operation> ops;
    ContentLexer lexer(content);
    ContentOp op;
    std::size_t last = 0;
    while (lexer.Next(op)) {
        if (op.begin < last || op.end <= op.begin || op.end > content.size() ||
            !OnlySpaceAndComments(content.substr(last, op.begin - last)))
            std::abort();
        const std::string_view bytes = content.substr(op.begin, op.end - op.begin);
        if (!op.op.empty() && (op.op.data() < bytes.data() ||
                               op.op.data() + op.op.size() > bytes.data() + bytes.size()))
            std::abort();
        ops.push_back({op.op, TrimEnd(bytes), op.begin});
        last = op.end;
    }
    if (!OnlySpaceAndComments(content.substr(last)))
        std::abort();
    return ops;
}

bool operator==(const ContentBalance& a, const ContentBalance& b) {
    return a.unmatchedRestores == b.unmatchedRestores && a.openSaves == b.openSaves;
}

// The parser asks what each XObject name is; let the name decide.
ASInt32 TypeOf(std::string_view name) {
    switch (name.size() % 3) {
    case 0:
        return kPDEImage;
    case 1:
        return kPDEForm;
    default:
        return kPDEXObject;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    const ContentBalance measured = ContentBalance::Measure(content);
    if (!(measured == testsupport::WalkBalance(content)))
        std::abort();
    const std::vector<Operation> ops = Operations(content);
    // Measuring two runs of content and joining the results is measuring
    // them as one, wherever the cut between operations falls.
    if (!ops.empty()) {
        const std::size_t cut = ops[ops.size() / 2].begin;
        const ContentBalance joined =
            ContentBalance::Then(ContentBalance::Measure(content.substr(0, cut)),
                                 ContentBalance::Measure(content.substr(cut)));
        if (!(joined == measured))
            std::abort();
    }

    const ParsedContent parsed = ParseContent(content, &TypeOf);
    if (!(parsed.balance == measured))
        std::abort();
    std::string written;
    for (const ParsedItem& item : parsed.items)
        written += item.state + "\n" + item.paint + "\n";
    written += parsed.trailer;

    std::vector<Operation> kept;
    std::size_t open = 0;
    for (const Operation& op : ops) {
        if (op.op == "Q" && open == 0)
            continue;
        if (op.op == "q")
            ++open;
        else if (op.op == "Q")
            --open;
        kept.push_back(op);
    }
    if (Operations(written) != kept || ContentBalance::Measure(written).unmatchedRestores != 0)
        std::abort();
    return 0;
}
