// Writes a document to a file atomically, as a full rewrite or as an
// incremental update of the file it was read from.
//
// Contract: Save() writes into a temporary file in the target's folder and
// renames it over the target, so that the target is always either the old
// file or the complete new one, and no temporary file is left behind. The
// file the document was read from is written only when replaceInput is
// true; otherwise saving over it raises kErrDocSaveFailed and changes
// nothing.
// - SaveKind::Rewrite: qpdf writes the whole document again. Streams are
//   copied as they are (neither decoded nor recompressed), and encryption,
//   object streams and the PDF version are kept (the version is raised to
//   1.4 when transparency was added). A signature does not survive this.
// - SaveKind::Incremental: the original bytes stay as they are and the
//   changes are appended (IncrementalWriter), so earlier revisions and
//   signatures over them stay intact. A document that cannot be updated so
//   (encrypted, repaired while read; IncrementalWriter::WhyNot) is
//   rewritten instead, and *fallback (when given) gets the reason.
// Save returns the kind it wrote. Any failure raises kErrDocSaveFailed with
// the reason. An incremental save takes a draft of the target holding the
// document's original bytes (platform::FileDraft, filled with
// IncrementalWriter::WriteOriginal) when one is given and ready, and then
// only appends the changes; a rewrite leaves the draft alone.
#pragma once

#include <string>

namespace platform {
class FileDraft;
}

namespace pdfhost::pdf {

class Document;

enum class SaveKind { Rewrite, Incremental };

class DocumentSaver {
  public:
    static SaveKind Save(Document& doc, const std::string& path, bool replaceInput,
                         SaveKind wanted = SaveKind::Rewrite, std::string* fallback = nullptr,
                         platform::FileDraft* draft = nullptr);
};

} // namespace pdfhost::pdf
