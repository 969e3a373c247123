// A PDF file read by qpdf, before it becomes an open Document, in two
// stages so that the long one can run on a thread of its own.
//
// Contract: Open() opens the file and reads its trailer and cross-reference
// data, repairing what qpdf can repair; it raises kErrDocNeedsPassword for a
// file that needs a password and kErrDocOpenFailed for one that cannot be
// read at all. ReadPages() then walks the page tree (kErrDocDamaged when it
// cannot be walked). LoadObjects() loads every object of the file, which
// qpdf otherwise does at the first object a session adds (a viewer that
// never adds one never pays for it); it never fails. None is thread-safe:
// one thread at a time may use a source, and nothing else shares its qpdf
// document.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/BalancePrefetcher.h"

namespace pdfhost::pdf {

class OpenFile;

struct DocumentSource {
    static DocumentSource Open(const std::string& path);
    void ReadPages();
    void LoadObjects();

    std::unique_ptr<QPDF> pdf;
    std::shared_ptr<OpenFile> file;
    bool encrypted = false; // known once the trailer is read
    std::vector<QPDFObjectHandle> pages;
    // Content streams already measured, and those in flight (see
    // BalancePrefetcher); last, so that it goes before the pages and qpdf.
    BalanceMap balances;
    std::unique_ptr<BalancePrefetcher> prefetcher = std::make_unique<BalancePrefetcher>();
};

} // namespace pdfhost::pdf
