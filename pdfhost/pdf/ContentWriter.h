// Writes a changed content back into its page's /Contents.
//
// Contract: Append() adds bytes that must be drawn in the page's default
// user space after everything the page draws now, without touching the
// page's streams: the existing streams are only read, once, to learn how
// they leave the graphics-state stack, and then wrapped - a shared "q"
// stream before them and, after them, a new stream that restores every state
// they left open before the new bytes. It returns false, changing nothing,
// when the existing content restores more states than it saves (such
// content cannot be wrapped without changing how it draws); the caller then
// rewrites the page. Replace() makes the page draw exactly the given bytes,
// from one new compressed stream. Neither ever changes an existing stream
// object or a /Contents array another page may share.
#pragma once

#include <optional>
#include <string>

#include "pdfhost/pdf/ContentBalance.h"

namespace pdfhost::pdf {

class Page;

class ContentWriter {
  public:
    static bool Append(Page& page, const std::string& bytes,
                       const std::optional<ContentBalance>& known);
    static void Replace(Page& page, const std::string& bytes, bool endsInDefaultState);
};

} // namespace pdfhost::pdf
