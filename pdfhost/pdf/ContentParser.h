// Turns a page's decoded content into its top-level elements.
//
// Contract: Parse() never fails; any bytes give a list of items and a
// trailer. An item is one painting (`paint`: a path, a text object, an
// XObject, an inline image, a shading, a marked-content container, or a
// q ... Q group that holds exactly one of these) with the state operators that
// precede it (`state`: colours, cm, gs, clipping paths, unmatched q, the q and
// Q of flattened groups ...). Writing every item's state and paint and then
// the trailer, in order, reproduces the content operation for operation with
// its original bytes, except that a Q with nothing to restore (which viewers
// ignore) is dropped. A q ... Q group with several paintings is flattened so
// that each painting is an item of its own; when q/Q, marked content and text
// objects cross each other, grouping is given up and every painting is an
// item. An item's painting lies in the content at [paintBegin, paintEnd)
// (those bytes may also hold a dropped Q). `balance` is the content's own
// q/Q balance (before dropping).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pdfhost/pdf/ContentBalance.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

struct ParsedItem {
    ASInt32 type = 0; // kPDEPath, kPDEText, kPDEImage, ...
    std::string state;
    std::string paint;
    std::string xobjectName; // for an XObject painting, without its slash
    // Where the painting lies in the content: [paintBegin, paintEnd).
    std::size_t paintBegin = 0;
    std::size_t paintEnd = 0;
};

struct ParsedContent {
    std::vector<ParsedItem> items;
    std::string trailer;
    ContentBalance balance;
};

// The element type of the XObject with that name in the page's resources:
// kPDEImage, kPDEForm, or kPDEXObject when unknown.
using XObjectTypeOf = std::function<ASInt32(std::string_view name)>;

ParsedContent ParseContent(std::string_view content, const XObjectTypeOf& typeOf);

} // namespace pdfhost::pdf
