// Measures the q/Q balance of the content streams of the pages a page loop
// is about to reach, on all cores, while the loop goes on.
//
// Contract: the prefetcher belongs to one document and is used by one
// thread at a time, the thread that owns the qpdf document. It takes the
// raw bytes of content streams from qpdf on that thread and hands them to
// worker threads that see only those bytes and inflate and scan them; it
// keeps up to kMaxRawBytes of them in flight, in page order.
// - Prefetch(pages, balances, index) is called when page `index` needs the
//   balance of streams `balances` does not hold yet. It keeps the streams of
//   the pages that follow at the loop's step (learnt from the indexes it is
//   called with, kMaxPages pages at most) queued ahead, and returns once
//   every stream of page `index` that it could measure is recorded in
//   `balances` (the calling thread measures queued streams meanwhile);
//   results of later pages are recorded as they come.
// - MeasureAhead(pages, balances, stop) queues every page's streams from the
//   first page on, for the thread that reads a document before anyone else
//   uses it, recording results as they come, until it is asked to stop
//   (between two pages). What is still in flight then stays in flight: the
//   prefetcher goes on with the document to its page loop, and Prefetch
//   takes up where the measuring left off.
// Streams with filters other than plain Flate, or whose data does not
// inflate cleanly, are left unknown for the caller's own decoding through
// qpdf, so the answers are exactly those of that decoding. Never throws for
// damaged streams. Destroying the prefetcher waits for the streams in
// flight; it must happen on the owning thread, before the qpdf document goes.
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

    void Prefetch(const std::vector<QPDFObjectHandle>& pages, BalanceMap& balances, int index);
    void Prefetch(Document& doc, int index);
    void MeasureAhead(const std::vector<QPDFObjectHandle>& pages, BalanceMap& balances,
                      std::stop_token stop);

    // How far ahead of the page at hand: pages, and raw bytes in flight.
    static constexpr int kMaxPages = 256;
    static constexpr std::size_t kMaxRawBytes = std::size_t{1} << 20;
    // For measuring the inflaters against each other.
    static void UseEngine(FlateInflater::Engine engine);

  private:
    struct InFlight {
        QPDFObjectHandle stream; // touched on the owning thread only
        BalanceJob work;         // all a worker sees
        std::size_t bytes = 0;   // raw bytes it held
    };
    BalanceWorkers& Workers();
    // Queues the streams of one page that are neither known nor queued.
    void Queue(const QPDFObjectHandle& page, const BalanceMap& balances);
    // Queues the pages from nextPage_ on while there is room ahead of index.
    void ReadAhead(const std::vector<QPDFObjectHandle>& pages, const BalanceMap& balances,
                   int index);
    // Records the given streams of a page (finished), and the finished ones
    // at the front, and lets go of those.
    void Harvest(const std::vector<QPDFObjectHandle>* streams, BalanceMap& balances);
    void Record(std::map<QPDFObjGen, InFlight*>::iterator it, BalanceMap& balances);

    std::unique_ptr<BalanceWorkers> workers_; // made at the first stream
    std::deque<InFlight> inFlight_;           // in the order read
    std::map<QPDFObjGen, InFlight*> queued_;  // those not recorded yet
    std::size_t inFlightBytes_ = 0;
    int nextPage_ = -1; // the next page to read ahead
    int last_ = -1;
    int step_ = 1;
};

} // namespace pdfhost::pdf
