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
// from one new compressed stream. Cut() makes the page draw its streams
// with some of them replaced by what remains of them once paintings were
// taken out (each such remainder becomes a new compressed stream, or goes
// when it holds no operator); when the last stream is one of those and holds
// nothing but the Q that close a wrap Append() made - a first stream that is
// one "q", and streams between that leave one state fewer open than there
// are Q - the wrap goes too, so the page is left with the streams it had
// before the append (and without /Contents when none is left). None of
// them ever changes an existing stream object or a /Contents array another
// page may share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/pdf/ContentBalance.h"

namespace pdfhost::pdf {

class Page;

class ContentWriter {
  public:
    static bool Append(Page& page, const std::string& bytes,
                       const std::optional<ContentBalance>& known);
    static void Replace(Page& page, const std::string& bytes, bool endsInDefaultState);

    struct KeptStream {
        QPDFObjectHandle stream;
        std::optional<std::string> remaining; // set when paintings were cut from it
    };
    static void Cut(Page& page, const std::vector<KeptStream>& streams);
};

} // namespace pdfhost::pdf
