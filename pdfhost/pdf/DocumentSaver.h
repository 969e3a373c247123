// Writes a document to a file atomically.
//
// Contract: Save() writes the document with qpdf into a temporary file in
// the target's folder and renames it over the target, so that the target is
// always either the old file or the complete new one, and no temporary file
// is left behind. The file the document was read from is written only when
// replaceInput is true; otherwise saving over it raises kErrDocSaveFailed and
// changes nothing. Streams are copied as they are (neither decoded nor
// recompressed), and encryption, object streams and the PDF version are kept
// (the version is raised to 1.4 when transparency was added). Any failure
// raises kErrDocSaveFailed with the reason. A signed document's signature
// does not survive: the file is rewritten, not updated incrementally.
#pragma once

#include <string>

namespace pdfhost::pdf {

class Document;

class DocumentSaver {
  public:
    static void Save(Document& doc, const std::string& path, bool replaceInput);
};

} // namespace pdfhost::pdf
