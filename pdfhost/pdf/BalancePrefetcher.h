// Measures the q/Q balance of the content streams of the pages a page loop
// is about to reach, several pages at a time and on all cores.
//
// Contract: Prefetch(doc, index) is called on the thread that owns the qpdf
// document when page `index` needs the balance of streams the document does
// not know yet. It takes the raw bytes of the streams of that page and of
// the pages that follow it at the loop's step (learnt from the indexes it is
// called with) from qpdf on the calling thread, then inflates and scans them
// on a few worker threads that see only those bytes, and records each result
// with Document::RememberBalance, in page order, before it returns. Streams
// with filters other than plain Flate, or whose data does not inflate
// cleanly, are left unknown for the caller's own decoding through qpdf, so
// the answers are exactly those of that decoding. Never throws for damaged
// streams.
//
// MeasureAhead() does the same for every page in order, batch after batch,
// on the thread that reads a document before anyone else uses it, until it
// is asked to stop (it finishes the batch at hand first).
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <stop_token>
#include <vector>

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/pdf/BalanceWorkers.h"
#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/FlateInflater.h"

namespace pdfhost::pdf {

class Document;

// The balance of each content stream measured, by object.
using BalanceMap = std::map<QPDFObjGen, ContentBalance>;

class BalancePrefetcher {
  public:
    void Prefetch(Document& doc, int index);
    static void MeasureAhead(const std::vector<QPDFObjectHandle>& pages, BalanceMap& balances,
                             std::stop_token stop);

    // Bounds of one batch: pages, and raw bytes held at once.
    static constexpr int kMaxPages = 256;
    static constexpr std::size_t kMaxRawBytes = std::size_t{1} << 20;
    // For measuring the inflaters against each other.
    static void UseEngine(FlateInflater::Engine engine);

  private:
    // Measures the streams of the pages from `first` on at `step` that
    // balances does not hold yet, one batch; returns the page after it.
    static int MeasureBatch(const std::vector<QPDFObjectHandle>& pages, int first, int step,
                            BalanceMap& balances, BalanceWorkers& workers);

    std::unique_ptr<BalanceWorkers> workers_; // made at the first batch
    int last_ = -1;
    int step_ = 1;
};

} // namespace pdfhost::pdf
