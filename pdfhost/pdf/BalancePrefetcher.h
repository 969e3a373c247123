// Measures the q/Q balance of the content streams of the pages a page loop
// is about to reach, on all cores, while the loop goes on.
//
// Contract: Prefetch(doc, index) is called on the thread that owns the qpdf
// document when page `index` needs the balance of streams the document does
// not know yet. It keeps the streams of the pages that follow at the loop's
// step (learnt from the indexes it is called with) queued ahead, up to
// kMaxRawBytes of raw data and kMaxPages pages: it takes their raw bytes
// from qpdf on the calling thread and hands them to worker threads that see
// only those bytes and inflate and scan them while the loop works on. It
// returns once every stream of page `index` that it could measure is
// recorded in the document's balances (the calling thread measures queued
// streams meanwhile); results of later pages are recorded as they come.
// Streams with filters other than plain Flate, or whose data does not
// inflate cleanly, are left unknown for the caller's own decoding through
// qpdf, so the answers are exactly those of that decoding. Never throws for
// damaged streams. Destroying the prefetcher waits for the streams in
// flight; it must happen on the owning thread, before the qpdf document goes.
//
// MeasureAhead() measures every page in order, batch after batch, on the
// thread that reads a document before anyone else uses it, until it is
// asked to stop (it finishes the batch at hand first).
#pragma once

#include <cstddef>
#include <deque>
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
    BalancePrefetcher() = default;
    ~BalancePrefetcher();
    BalancePrefetcher(const BalancePrefetcher&) = delete;
    BalancePrefetcher& operator=(const BalancePrefetcher&) = delete;

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

    struct InFlight {
        QPDFObjectHandle stream; // touched on the owning thread only
        BalanceJob work;         // all a worker sees
        std::size_t bytes = 0;   // raw bytes it held
    };
    // Queues the streams of the pages from nextPage_ on, while there is room.
    void ReadAhead(Document& doc, int index);
    // Records the streams of page `index` (finished) and the finished ones
    // at the front, and lets go of those.
    void Harvest(Document& doc, int index);
    void Record(Document& doc, std::map<QPDFObjGen, InFlight*>::iterator it);

    std::unique_ptr<BalanceWorkers> workers_; // made at the first call
    std::deque<InFlight> inFlight_;           // in the order read
    std::map<QPDFObjGen, InFlight*> queued_;  // those not harvested yet
    std::size_t inFlightBytes_ = 0;
    int nextPage_ = -1; // the next page to read ahead
    int last_ = -1;
    int step_ = 1;
};

} // namespace pdfhost::pdf
