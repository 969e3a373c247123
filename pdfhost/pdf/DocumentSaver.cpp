#include "pdfhost/pdf/DocumentSaver.h"

#include <cstdio>

#include <qpdf/QPDFWriter.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/OpenFile.h"
#include "platform/FileReplacement.h"

namespace pdfhost::pdf {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    Raise(kErrDocSaveFailed, "Cannot save \"" + path + "\": " + reason);
}

} // namespace

void DocumentSaver::Save(Document& doc, const std::string& path, bool replaceInput) {
    if (path.empty())
        Fail(path, "no file name was given.");
    if (!replaceInput && doc.FileData().IsSameFileAs(path))
        Fail(path, "it is the file the document was read from; replacing it must be asked for "
                   "explicitly.");
    std::string why;
    const bool saved = platform::FileReplacement::Write(
        path,
        [&doc, &path](std::FILE* out) {
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
        {}, &why);
    if (!saved)
        Fail(path, why);
}

} // namespace pdfhost::pdf
