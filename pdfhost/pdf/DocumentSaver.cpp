#include "pdfhost/pdf/DocumentSaver.h"

#include <cstdio>

#include <qpdf/QPDFWriter.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/IncrementalWriter.h"
#include "pdfhost/pdf/OpenFile.h"
#include "platform/FileReplacement.h"

namespace pdfhost::pdf {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    Raise(kErrDocSaveFailed, "Cannot save \"" + path + "\": " + reason);
}

} // namespace

SaveKind DocumentSaver::Save(Document& doc, const std::string& path, bool replaceInput,
                             SaveKind wanted, std::string* fallback, platform::FileDraft* draft) {
    if (path.empty())
        Fail(path, "no file name was given.");
    if (!replaceInput && doc.FileData().IsSameFileAs(path))
        Fail(path, "it is the file the document was read from; replacing it must be asked for "
                   "explicitly.");
    SaveKind kind = wanted;
    if (kind == SaveKind::Incremental) {
        if (const std::string whyNot = IncrementalWriter::WhyNot(doc); !whyNot.empty()) {
            kind = SaveKind::Rewrite;
            if (fallback)
                *fallback = whyNot;
        }
    }
    std::string why;
    const bool saved = platform::FileReplacement::Write(
        path,
        [&doc, &path, kind](std::FILE* out) {
            if (kind == SaveKind::Incremental) {
                IncrementalWriter::Write(doc, out);
                return;
            }
            QPDFWriter writer(doc.Pdf());
            writer.setOutputFile(path.c_str(), out, false);
            writer.setCompressStreams(false);
            writer.setDecodeLevel(qpdf_dl_none);
            writer.setObjectStreamMode(qpdf_o_preserve);
            writer.setPreserveEncryption(true);
            writer.setNewlineBeforeEndstream(true);
            if (doc.UsesTransparency())
                writer.setMinimumPDFVersion("1.4");
            writer.write();
        },
        {}, &why, kind == SaveKind::Incremental ? draft : nullptr);
    if (!saved)
        Fail(path, why);
    return kind;
}

} // namespace pdfhost::pdf
