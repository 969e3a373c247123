// Resources a page stopped drawing when elements were taken off it.
//
// Contract: DrawnBy(content) lists what content draws in the two categories
// whose every use on a page is an operator of the page's content: XObjects
// ("Do") and extended graphics states ("gs"), keyed as the dictionaries key
// them ({"/XObject", "/Im1"}). Drop(doc, page, candidates) takes the
// candidates that the page's content no longer draws out of the page's
// effective resources. The page's own /Resources becomes a copy without
// them (a category left empty goes with them); a dictionary shared with
// other pages or inherited from the page tree is never changed, so other
// pages keep what they had. Nothing is dropped when a content stream of the
// page cannot be decoded, or when something on the page may draw through
// the page's dictionary: a form XObject or a Type 3 font without resources
// of its own.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>

#include <qpdf/QPDFObjectHandle.hh>

namespace pdfhost::pdf {

class Document;

class UnusedResources {
  public:
    using Names = std::set<std::pair<std::string, std::string>>; // category, key

    static Names DrawnBy(std::string_view content);
    static void Drop(Document& doc, QPDFObjectHandle page, const Names& candidates);
};

} // namespace pdfhost::pdf
