#include "pdfhost/pdf/PageContent.h"

#include <algorithm>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/ContentLexer.h"
#include "pdfhost/pdf/ContentParser.h"
#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/ContentWriter.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Page.h"
#include "pdfhost/pdf/PageTree.h"
#include "pdfhost/pdf/ParsedElement.h"

namespace pdfhost::pdf {
namespace {

ASInt32 XObjectType(QPDFObjectHandle xobject) {
    if (!xobject.isStream())
        return kPDEXObject;
    QPDFObjectHandle subtype = xobject.getDict().getKey("/Subtype");
    if (subtype.isNameAndEquals("/Image"))
        return kPDEImage;
    if (subtype.isNameAndEquals("/Form"))
        return kPDEForm;
    return kPDEXObject;
}

} // namespace

PageContent::PageContent(std::weak_ptr<Page> page) : page_(std::move(page)) {}

PageContent::~PageContent() {
    if (auto page = page_.lock()) {
        page->ContentGone();
        page->Doc().ReleasePage(*page);
    }
}

Page& PageContent::GetPage() const {
    auto page = page_.lock();
    if (!page)
        Raise(kErrBadHandle, "The document of this page content has been closed.");
    return *page; // held by its document while this content holds it
}

void PageContent::EnsureParsed() {
    if (parsed_)
        return;
    Page& page = GetPage();
    Document& doc = page.Doc();
    std::string bytes;
    bool complete = true;
    std::vector<StreamSpan> spans;
    for (const QPDFObjectHandle& s : ContentStreams::Of(page.Object())) {
        if (auto data = ContentStreams::Decode(s)) {
            spans.push_back(StreamSpan{s, bytes.size(), bytes.size() + data->size()});
            bytes += *data;
            bytes += '\n';
        } else {
            complete = false;
        }
    }
    QPDFObjectHandle resources = Inherited(page.Object(), "/Resources").value;
    QPDFObjectHandle xobjects =
        resources.isDictionary() ? resources.getKey("/XObject") : QPDFObjectHandle::newNull();
    auto resolve = [&](std::string_view name) {
        return xobjects.isDictionary() ? xobjects.getKey(ContentLexer::NameKey(name))
                                       : QPDFObjectHandle::newNull();
    };
    ParsedContent parsed =
        ParseContent(bytes, [&](std::string_view name) { return XObjectType(resolve(name)); });

    std::vector<Slot> slots;
    slots.reserve(parsed.items.size() + slots_.size());
    for (ParsedItem& item : parsed.items) {
        QPDFObjectHandle xobject =
            item.xobjectName.empty() ? QPDFObjectHandle::newNull() : resolve(item.xobjectName);
        auto element = Make<ParsedElement>(item.type, std::move(item.paint), doc.Serial(),
                                           page.Object().getObjGen(), xobject);
        slots.push_back(
            Slot{std::move(element), std::move(item.state), item.paintBegin, item.paintEnd});
    }
    written_ = slots.size();
    for (Slot& pending : slots_)
        slots.push_back(std::move(pending));
    slots_ = std::move(slots);
    trailer_ = std::move(parsed.trailer);
    balance_ = parsed.balance;
    undecodable_ = !complete;
    streams_ = std::move(spans);
    cuts_.clear();
    cuttable_ = complete;
    parsed_ = true;
}

ASInt32 PageContent::NumElems() {
    EnsureParsed();
    return static_cast<ASInt32>(slots_.size());
}

PDEElement PageContent::Elem(ASInt32 index) {
    EnsureParsed();
    if (index < 0 || static_cast<std::size_t>(index) >= slots_.size())
        Raise(kErrBadElemIndex, "Element index " + std::to_string(index) +
                                    " is out of range: the content has " +
                                    std::to_string(slots_.size()) + " elements.");
    return slots_[static_cast<std::size_t>(index)].element->Handle();
}

void PageContent::Add(ASInt32 after, PDEElement handle) {
    Element& element = As<Element>(handle, "content element");
    Page& page = GetPage();
    const auto* parsed = dynamic_cast<const ParsedElement*>(&element);
    if (parsed && !parsed->Accepts(page.Doc().Serial(), page.Object().getObjGen()))
        Raise(kErrBadParameter,
              "An element read from one page can only be added to that page's content.");
    Slot slot{PDERef<Element>::Share(&element), {}};
    if (parsed) {
        // Its bytes rely on the state before it, which only a rewrite keeps.
        EnsureParsed();
        rewrite_ = true;
        cuttable_ = false;
    }
    if (after == kPDEAfterLast) {
        slots_.push_back(std::move(slot));
        return;
    }
    EnsureParsed();
    const std::size_t n = slots_.size();
    std::size_t pos = 0;
    if (after == kPDEBeforeFirst)
        pos = 0;
    else if (after >= 0 && static_cast<std::size_t>(after) < n)
        pos = static_cast<std::size_t>(after) + 1;
    else
        Raise(kErrBadElemIndex, "Cannot add an element after index " + std::to_string(after) +
                                    ": the content has " + std::to_string(n) + " elements.");
    if (pos < written_) {
        rewrite_ = true;
        cuttable_ = false;
    }
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(slot));
}

void PageContent::Remove(ASInt32 index) {
    EnsureParsed();
    if (slots_.empty())
        Raise(kErrEmptyContent, "The page content has no elements to remove.");
    if (index < 0 || static_cast<std::size_t>(index) >= slots_.size())
        Raise(kErrBadElemIndex, "Element index " + std::to_string(index) +
                                    " is out of range: the content has " +
                                    std::to_string(slots_.size()) + " elements.");
    const auto i = static_cast<std::size_t>(index);
    if (i < written_) {
        Element& element = *slots_[i].element;
        Page& page = GetPage();
        const UnusedResources::Names drawn =
            UnusedResources::DrawnBy(element.Serialize(PageTarget{page.Doc(), page.Object()}));
        removedNames_.insert(drawn.begin(), drawn.end());
        if (element.Created())
            cuttable_ = false; // its bytes are not among those parsed
        else
            cuts_.emplace_back(slots_[i].paintBegin, slots_[i].paintEnd);
    }
    std::string state = std::move(slots_[i].stateBefore);
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(i));
    if (i < slots_.size())
        slots_[i].stateBefore.insert(0, state);
    else
        trailer_.insert(0, state);
    if (i < written_) {
        --written_;
        rewrite_ = true;
    }
}

std::string PageContent::SerializeAppended(std::size_t from) {
    Page& page = GetPage();
    const PageTarget target{page.Doc(), page.Object()};
    std::string bytes;
    for (std::size_t i = from; i < slots_.size(); ++i)
        if (!slots_[i].element->DrawsNothing())
            bytes += slots_[i].element->Serialize(target);
    return bytes;
}

void PageContent::WriteBack() {
    Page& page = GetPage();
    bool done = false;
    if (!rewrite_) {
        const std::string bytes = SerializeAppended(written_);
        done = bytes.empty() || ContentWriter::Append(page, bytes, balance_);
        if (!done) {
            // More Q than q before: only a rewrite can leave the stray Q out.
            EnsureParsed();
            rewrite_ = true;
        }
    }
    if (!done)
        done = CutRemoved();
    if (!done)
        Rewrite();
    UnusedResources::Drop(page.Doc(), page.Object(), removedNames_);
    removedNames_.clear();
    cuts_.clear();
    cuttable_ = false; // the page's streams are no longer those parsed
    if (parsed_) {
        DropEmptyCreated();
        written_ = slots_.size();
    } else {
        slots_.clear();
    }
    balance_.reset();
    rewrite_ = false;
}

// Removing paintings from the streams they lie in keeps every other stream
// as it is, and the streams an append added can then go with its elements.
bool PageContent::CutRemoved() {
    if (!cuttable_ || cuts_.empty())
        return false;
    for (std::size_t i = written_; i < slots_.size(); ++i)
        if (!slots_[i].element->DrawsNothing())
            return false;
    std::sort(cuts_.begin(), cuts_.end());
    std::vector<ContentWriter::KeptStream> kept;
    std::size_t next = 0; // the first cut not yet placed
    for (const StreamSpan& span : streams_) {
        std::size_t last = next;
        while (last < cuts_.size() && cuts_[last].first >= span.begin &&
               cuts_[last].second <= span.end)
            ++last;
        if (last == next) {
            kept.push_back({span.stream, std::nullopt});
            continue;
        }
        const auto data = ContentStreams::Decode(span.stream);
        if (!data)
            return false;
        std::string remaining;
        std::size_t from = 0;
        for (; next < last; ++next) {
            remaining.append(*data, from, cuts_[next].first - span.begin - from);
            remaining += '\n';
            from = cuts_[next].second - span.begin;
        }
        remaining.append(*data, from);
        kept.push_back({span.stream, std::move(remaining)});
    }
    if (next != cuts_.size())
        return false; // a painting that runs from one stream into the next
    ContentWriter::Cut(GetPage(), kept);
    return true;
}

// Runs of original content that precede a created element are wrapped in
// q ... Q so that it draws in default user space; content that resumes after
// it first replays the state operators met so far.
void PageContent::Rewrite() {
    Page& page = GetPage();
    if (undecodable_)
        Raise(kErrDocDamaged, "Page " + std::to_string(page.Index() + 1) +
                                  " has a content stream that cannot be decoded, so its "
                                  "content cannot be rewritten.");
    const PageTarget target{page.Doc(), page.Object()};
    std::string out, run, stateSoFar;
    bool afterCreated = false;
    auto original = [&](const std::string& text, bool isState) {
        if (text.empty())
            return;
        if (run.empty() && afterCreated)
            run = stateSoFar;
        run += text;
        run += '\n';
        if (isState) {
            stateSoFar += text;
            stateSoFar += '\n';
        }
    };
    auto created = [&](Element& element) {
        if (element.DrawsNothing())
            return;
        if (!run.empty()) {
            const ContentBalance b = ContentBalance::Measure(run);
            out += "q\n" + run;
            for (std::size_t k = 0; k <= b.openSaves; ++k)
                out += "Q\n";
            run.clear();
        }
        out += element.Serialize(target);
        afterCreated = true;
    };
    for (Slot& slot : slots_) {
        original(slot.stateBefore, true);
        if (slot.element->Created())
            created(*slot.element);
        else
            original(slot.element->Serialize(target), false);
    }
    original(trailer_, true);
    const bool endsInDefaultState = run.empty() && afterCreated;
    out += run;
    ContentWriter::Replace(page, out, endsInDefaultState);
}

void PageContent::DropEmptyCreated() {
    for (std::size_t i = 0; i < slots_.size();) {
        if (!slots_[i].element->Created() || !slots_[i].element->DrawsNothing()) {
            ++i;
            continue;
        }
        std::string state = std::move(slots_[i].stateBefore);
        slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(i));
        if (i < slots_.size())
            slots_[i].stateBefore.insert(0, state);
        else
            trailer_.insert(0, state);
    }
}

} // namespace pdfhost::pdf
