#include "pdfhost/pdf/ContentWriter.h"

#include <algorithm>

#include "pdfhost/pdf/ContentLexer.h"
#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Page.h"

namespace pdfhost::pdf {
namespace {

// Streams that cannot be decoded draw nothing in a viewer, so they count
// as empty. Each stream is measured once per session (pages may share them),
// most of them ahead of the page loop by the prefetcher.
ContentBalance Measure(Document& doc, int pageIndex, const std::vector<QPDFObjectHandle>& streams) {
    if (std::any_of(streams.begin(), streams.end(),
                    [&](const QPDFObjectHandle& s) { return !doc.KnownBalance(s); }))
        doc.Prefetcher().Prefetch(doc, pageIndex);
    ContentBalance total;
    for (const QPDFObjectHandle& s : streams) {
        std::optional<ContentBalance> b = doc.KnownBalance(s);
        if (!b) {
            const auto data = ContentStreams::Decode(s);
            b = data ? ContentBalance::Measure(*data) : ContentBalance{};
            doc.RememberBalance(s, *b);
        }
        total = ContentBalance::Then(total, *b);
    }
    return total;
}

bool HoldsAnything(std::string_view content) {
    ContentLexer lexer(content);
    ContentOp op;
    return lexer.Next(op);
}

// The number of operations of content when each is `op` alone, without
// operands; nothing when some other operation is there.
std::optional<std::size_t> CountOnly(std::string_view content, std::string_view op) {
    ContentLexer lexer(content);
    ContentOp next;
    std::size_t n = 0;
    while (lexer.Next(next)) {
        if (next.op != op || next.end - next.begin != op.size())
            return std::nullopt;
        ++n;
    }
    return n;
}

// Is [first, middle..., last] a wrap as Append made it, once its new bytes
// have gone from last?
bool IsBareWrap(Document& doc, int pageIndex, const std::vector<QPDFObjectHandle>& streams,
                const std::string& last) {
    if (streams.size() < 2)
        return false;
    const std::optional<std::size_t> restores = CountOnly(last, "Q");
    if (!restores || *restores == 0)
        return false;
    const auto first = ContentStreams::Decode(streams.front());
    if (!first || CountOnly(*first, "q") != std::size_t{1})
        return false;
    const std::vector<QPDFObjectHandle> middle(streams.begin() + 1, streams.end() - 1);
    const ContentBalance b = Measure(doc, pageIndex, middle);
    return b.unmatchedRestores == 0 && b.openSaves + 1 == *restores;
}

} // namespace

bool ContentWriter::Append(Page& page, const std::string& bytes,
                           const std::optional<ContentBalance>& known) {
    Document& doc = page.Doc();
    std::vector<QPDFObjectHandle> streams = ContentStreams::Of(page.Object());
    QPDFObjectHandle contents = QPDFObjectHandle::newArray();
    if (streams.empty() || doc.EndsInDefaultState(streams.back())) {
        for (const auto& s : streams)
            contents.appendItem(s);
        contents.appendItem(doc.AppendedStream(bytes));
    } else {
        const ContentBalance balance = known ? *known : Measure(doc, page.Index(), streams);
        if (balance.unmatchedRestores > 0)
            return false;
        contents.appendItem(doc.SaveStream());
        for (const auto& s : streams)
            contents.appendItem(s);
        std::string tail;
        for (std::size_t i = 0; i < balance.openSaves + 1; ++i)
            tail += "Q\n";
        contents.appendItem(doc.AppendedStream(tail + bytes));
    }
    page.Object().replaceKey("/Contents", contents);
    doc.Changes().Mark(page.Object());
    doc.MarkEndsInDefaultState(contents.getArrayItem(contents.getArrayNItems() - 1));
    return true;
}

void ContentWriter::Replace(Page& page, const std::string& bytes, bool endsInDefaultState) {
    Document& doc = page.Doc();
    QPDFObjectHandle stream = ContentStreams::Make(doc.Pdf(), bytes, true);
    page.Object().replaceKey("/Contents", stream);
    doc.Changes().Mark(page.Object());
    if (endsInDefaultState)
        doc.MarkEndsInDefaultState(stream);
}

void ContentWriter::Cut(Page& page, const std::vector<KeptStream>& streams) {
    Document& doc = page.Doc();
    std::vector<QPDFObjectHandle> kept;
    const std::string* lastRemaining = nullptr;
    for (const KeptStream& k : streams) {
        if (!k.remaining) {
            kept.push_back(k.stream);
            lastRemaining = nullptr;
        } else if (HoldsAnything(*k.remaining)) {
            kept.push_back(ContentStreams::Make(doc.Pdf(), *k.remaining, true));
            lastRemaining = &*k.remaining;
        }
    }
    if (lastRemaining && IsBareWrap(doc, page.Index(), kept, *lastRemaining))
        kept = std::vector<QPDFObjectHandle>(kept.begin() + 1, kept.end() - 1);
    if (kept.empty()) {
        page.Object().removeKey("/Contents");
    } else if (kept.size() == 1) {
        page.Object().replaceKey("/Contents", kept.front());
    } else {
        QPDFObjectHandle contents = QPDFObjectHandle::newArray();
        for (const auto& s : kept)
            contents.appendItem(s);
        page.Object().replaceKey("/Contents", contents);
    }
    doc.Changes().Mark(page.Object());
}

} // namespace pdfhost::pdf
