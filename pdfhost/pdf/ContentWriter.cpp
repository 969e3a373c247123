#include "pdfhost/pdf/ContentWriter.h"

#include <algorithm>

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

} // namespace pdfhost::pdf
