// The content of one page behind a PDEContent handle: its top-level
// elements, in painting order.
//
// Contract: acquired and released through its page (PDPageAcquirePDEContent,
// PDPageReleasePDEContent), never through PDEAcquire/PDERelease; it holds its
// page. The page's streams are not read until an element is asked for:
// NumElems, Elem and Remove read them, and so does Add anywhere but at the
// end. Each element in the content is held with a reference.
//   Add(after, e): kPDEAfterLast appends, kPDEBeforeFirst puts e first, and
//   0..n-1 put it after that element; any other position raises
//   kErrBadElemIndex. An element read from another page raises
//   kErrBadParameter (its bytes name that page's resources).
//   Remove(i): kErrEmptyContent on an empty content, kErrBadElemIndex outside
//   0..n-1. Only the element's painting goes: the state operators before it
//   stay for the elements that follow.
//   WriteBack(): makes the page draw the content. Elements made through the
//   tables are drawn in the page's default user space wherever they stand.
//   When the content only gained elements at its end, the page's streams are
//   kept and one stream is appended (ContentWriter::Append). When it only
//   lost elements read from the page since it was acquired, each painting
//   lies within one stream and nothing is left to append, the other streams
//   are kept and so is everything else of the streams they lay in
//   (ContentWriter::Cut, which also takes off the wrap of an append whose
//   elements all went). Otherwise the page gets one new stream. Created
//   elements that draw nothing (empty text) leave nothing behind. XObjects
//   and graphics states that removed elements drew and that nothing on the
//   page draws any more leave the page's resources (UnusedResources::Drop).
//   Raises kErrDocDamaged, changing nothing, when the page must be rewritten
//   but one of its streams cannot be decoded.
// Every operation raises kErrBadHandle once the page's document is closed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/Element.h"
#include "pdfhost/pdf/UnusedResources.h"

namespace pdfhost::pdf {

class Page;

class PageContent : public PDEObjectBase {
  public:
    explicit PageContent(std::weak_ptr<Page> page);
    ~PageContent() override;

    ASInt32 Type() const override { return kPDEContent; }

    ASInt32 NumElems();
    PDEElement Elem(ASInt32 index);
    void Add(ASInt32 after, PDEElement element);
    void Remove(ASInt32 index);
    void WriteBack();

  private:
    struct Slot {
        PDERef<Element> element;
        std::string stateBefore; // content state operators that precede it
        // Where a parsed element's painting lies in the parsed bytes.
        std::size_t paintBegin = 0;
        std::size_t paintEnd = 0;
    };
    // Where one of the page's streams lies in the parsed bytes.
    struct StreamSpan {
        QPDFObjectHandle stream;
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    Page& GetPage() const;
    void EnsureParsed();
    std::string SerializeAppended(std::size_t from);
    bool CutRemoved();
    void Rewrite();
    void DropEmptyCreated();

    std::weak_ptr<Page> page_;
    bool parsed_ = false;
    std::vector<Slot> slots_; // unparsed: only the elements appended so far
    std::string trailer_;
    std::size_t written_ = 0; // slots_[0, written_) are on the page
    bool rewrite_ = false;    // changed other than at the end since written
    bool undecodable_ = false;
    std::optional<ContentBalance> balance_; // of the page's streams as parsed
    std::vector<StreamSpan> streams_;       // as parsed
    // Paintings removed from the page's streams, while only removals of
    // parsed elements changed the content since it was parsed.
    std::vector<std::pair<std::size_t, std::size_t>> cuts_;
    bool cuttable_ = false;
    UnusedResources::Names removedNames_; // what removed elements drew
};

} // namespace pdfhost::pdf
