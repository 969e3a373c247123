// The host's open documents.
//
// Contract: Open() reads a file into a new Document (see DocumentSource.h for
// the errors) and returns its handle; Adopt() does the same for a file read
// already (by a DocumentReader); Close() destroys it, which invalidates
// every handle that belongs to it. Find() gives the open document with a
// serial, or null once it is closed (serials are never reused).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

class Document;
struct DocumentSource;

class Documents {
  public:
    static PDDoc Open(const std::string& path);
    static PDDoc Adopt(DocumentSource source);
    static void Close(PDDoc doc);
    static void CloseAll();
    static std::shared_ptr<Document> Find(std::uint64_t serial);
    static std::size_t Count();
};

} // namespace pdfhost::pdf
