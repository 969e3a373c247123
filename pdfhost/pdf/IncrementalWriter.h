// Saves a document as an incremental update of the file it was read from:
// the original bytes unchanged, then the changed and new objects, a
// cross-reference section and a trailer.
//
// Contract: WhyNot() says why a document cannot be updated incrementally
// (empty when it can): an encrypted file, a file qpdf had to repair while
// reading it (any warning, at open or since), a file whose last
// cross-reference section cannot be found (IncrementalBase), or a session
// whose new objects qpdf numbered past kMaxObjectNumber in a file whose own
// objects stay below it (after a reference to a missing object far beyond).
// Write() requires WhyNot() to be empty. It writes to `out`, positioned at its
// start or after the original bytes that WriteOriginal() put there ahead:
// a copy of the original bytes taken from the document's descriptor (so the
// open document and the file on disk need not agree), then every
// object marked in Document::Changes() plus every object made in this
// session that those reach (directly or through other new objects), each
// under its own number. Streams are written with the data qpdf holds for
// them, raw (neither decoded nor recompressed), and a /Length that fits it.
// Then comes a cross-reference section of the kind the file's last one is
// (table or stream), with the trailer: /Size over every number in use,
// /Prev at the previous section, /Root, /Info and /ID as the document has
// them. When transparency was added to a file older than PDF 1.4, the
// catalog gets /Version /1.4. Objects nobody changed keep their original
// bytes, so a signature's byte range stays as it was. Failures (reading
// stream data, writing, a stream holding anything else) throw
// std::exception with the reason. WriteOriginal() writes the original bytes
// of `file` at fd's position, the start of an update, from any thread.
#pragma once

#include <cstdio>
#include <string>

namespace pdfhost::pdf {

class Document;
class OpenFile;

class IncrementalWriter {
  public:
    // The highest object number every reader must accept.
    static constexpr int kMaxObjectNumber = 8388607;

    static std::string WhyNot(Document& doc);
    static void Write(Document& doc, std::FILE* out);
    static void WriteOriginal(const OpenFile& file, int fd);
};

} // namespace pdfhost::pdf
