#include "pdfhost/pdf/DocumentBytes.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"

namespace pdfhost::pdf {

std::string DocumentBytes::Write(Document& doc) {
    try {
        QPDFWriter writer(doc.Pdf());
        writer.setOutputMemory();
        writer.setCompressStreams(false);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setObjectStreamMode(qpdf_o_preserve);
        writer.setPreserveEncryption(true);
        if (doc.UsesTransparency())
            writer.setMinimumPDFVersion("1.4");
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
    } catch (const std::exception& e) {
        Raise(kErrDocSaveFailed, "Cannot prepare \"" + doc.Path() + "\" for display: " + e.what());
    }
}

} // namespace pdfhost::pdf
