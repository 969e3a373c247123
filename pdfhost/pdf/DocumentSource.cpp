#include "pdfhost/pdf/DocumentSource.h"

#include <qpdf/QPDFExc.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/DescriptorInput.h"
#include "pdfhost/pdf/OpenFile.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {
namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

} // namespace

DocumentSource DocumentSource::Open(const std::string& path) {
    DocumentSource source;
    try {
        source.file = OpenFile::Open(path);
    } catch (const HostError& e) {
        Raise(kErrDocOpenFailed, e.what());
    }
    // qpdf reads from our own descriptor, not from the path: saves replace
    // files by renaming, so the file we opened never changes under us, and
    // the document costs no copy of the file in memory.
    auto input = std::make_shared<DescriptorInput>(source.file);
    source.pdf = std::make_unique<QPDF>();
    source.pdf->setSuppressWarnings(true);
    source.pdf->setAttemptRecovery(true);
    try {
        source.pdf->processInputSource(input, "");
    } catch (const QPDFExc& e) {
        if (e.getErrorCode() == qpdf_e_password)
            Raise(kErrDocNeedsPassword,
                  "The document " + Quoted(path) + " needs a password to open.");
        Raise(kErrDocOpenFailed, "Cannot open " + Quoted(path) + ": " + e.getMessageDetail());
    } catch (const std::exception& e) {
        Raise(kErrDocOpenFailed, "Cannot open " + Quoted(path) + ": " + e.what());
    }
    source.encrypted = source.pdf->isEncrypted();
    return source;
}

void DocumentSource::ReadPages() {
    try {
        pages = pdf->getAllPages();
    } catch (const std::exception& e) {
        Raise(kErrDocDamaged,
              "The pages of " + Quoted(file->Path()) + " cannot be read: " + e.what());
    }
}

void DocumentSource::LoadObjects() {
    // Should it fail, qpdf tries again at the first object a session adds,
    // where the failure belongs to the change.
    try {
        pdf->fixDanglingReferences();
    } catch (const std::exception&) {
    }
}

} // namespace pdfhost::pdf
