// The in-memory document as PDF bytes, for a renderer that reads files.
//
// Contract: Write() serialises the document as it is in memory now (with
// every change the plug-ins made, saved or not) into a string; the document
// itself is not changed and nothing touches the disk. Streams are copied as
// they are, like a save. Failure raises kErrDocSaveFailed with qpdf's reason.
#pragma once

#include <string>

namespace pdfhost::pdf {

class Document;

class DocumentBytes {
  public:
    static std::string Write(Document& doc);
};

} // namespace pdfhost::pdf
