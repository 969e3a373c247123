// Where an incremental update of a file attaches: the last cross-reference
// section of the original bytes and its kind.
//
// Contract: Read() looks at the file as it was opened (the descriptor, not
// the path). It finds the last "startxref" in the final kilobyte (where
// readers look for it), reads the offset after it, and looks at the bytes
// there: "xref" is a table, "N G obj" a cross-reference stream. It returns
// nothing, with the reason in *why, when the file does not start with its
// "%PDF-" header (offsets would not be file positions), when there is no
// startxref or its offset lies outside the file, or when neither kind of
// section is found there. `endsInNewline` says whether the last byte is an
// end of line, so an update knows whether it must start with one. It only
// reads; a read error raises as OpenFile::ReadAt does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pdfhost::pdf {

class OpenFile;

struct IncrementalBase {
    enum class Kind { Table, Stream };

    Kind kind = Kind::Table;
    std::uint64_t lastSection = 0; // the offset /Prev must name
    std::uint64_t size = 0;        // the original bytes, all kept
    bool endsInNewline = false;

    static std::optional<IncrementalBase> Read(const OpenFile& file, std::string* why);
};

} // namespace pdfhost::pdf
