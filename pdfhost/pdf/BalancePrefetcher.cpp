#include "pdfhost/pdf/BalancePrefetcher.h"

#include <atomic>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/Document.h"

namespace pdfhost::pdf {
namespace {

std::atomic<FlateInflater::Engine> engine{FlateInflater::Engine::Deflate};

// Takes a stream's raw bytes from qpdf straight into the job's own string.
class StringSink : public Pipeline {
  public:
    explicit StringSink(std::string& out) : Pipeline("content stream", nullptr), out_(out) {}
    void write(unsigned char const* data, size_t len) override {
        out_.append(reinterpret_cast<const char*>(data), len);
    }
    void finish() override {}

  private:
    std::string& out_;
};

bool IsFlate(QPDFObjectHandle filter) {
    return filter.isNameAndEquals("/FlateDecode") || filter.isNameAndEquals("/Fl");
}

// Decode parameters that leave Flate data as it inflates: none, or no
// predictor.
bool PlainParms(QPDFObjectHandle parms) {
    if (parms.isArray()) {
        if (parms.getArrayNItems() > 1)
            return false;
        parms = parms.getArrayNItems() == 1 ? parms.getArrayItem(0) : QPDFObjectHandle::newNull();
    }
    if (parms.isNull())
        return true;
    if (!parms.isDictionary())
        return false;
    QPDFObjectHandle predictor = parms.getKey("/Predictor");
    return predictor.isNull() || (predictor.isInteger() && predictor.getIntValue() == 1);
}

// Whether the worker can decode the stream: no filter, or Flate alone.
std::optional<bool> WorkerFilter(QPDFObjectHandle stream) {
    QPDFObjectHandle dict = stream.getDict();
    QPDFObjectHandle filter = dict.getKey("/Filter");
    if (filter.isArray()) {
        if (filter.getArrayNItems() > 1)
            return std::nullopt;
        filter =
            filter.getArrayNItems() == 1 ? filter.getArrayItem(0) : QPDFObjectHandle::newNull();
    }
    if (filter.isNull())
        return false;
    // qpdf describes the null it gives for a missing key, which costs more
    // than the rest of this test; most streams have no parameters.
    if (!IsFlate(filter) || !PlainParms(dict.hasKey("/DecodeParms") ? dict.getKey("/DecodeParms")
                                                                    : QPDFObjectHandle::newNull()))
        return std::nullopt;
    return true;
}

bool ReadRaw(QPDFObjectHandle stream, std::string& out) {
    QPDFObjectHandle length = stream.getDict().getKey("/Length");
    if (length.isInteger() && length.getIntValue() > 0 && length.getIntValue() < (1 << 30))
        out.reserve(static_cast<std::size_t>(length.getIntValue()));
    StringSink sink(out);
    return stream.pipeStreamData(&sink, nullptr, 0, qpdf_dl_none, true, false);
}

} // namespace

void BalancePrefetcher::UseEngine(FlateInflater::Engine e) {
    engine = e;
}

BalancePrefetcher::~BalancePrefetcher() {
    if (workers_)
        workers_->Finish();
}

BalanceWorkers& BalancePrefetcher::Workers() {
    if (!workers_)
        workers_ = std::make_unique<BalanceWorkers>(engine.load());
    return *workers_;
}

void BalancePrefetcher::Prefetch(Document& doc, int index) {
    Prefetch(doc.Pages(), doc.Balances(), index);
}

void BalancePrefetcher::Prefetch(const std::vector<QPDFObjectHandle>& pages, BalanceMap& balances,
                                 int index) {
    if (last_ >= 0 && index > last_ && index - last_ != step_) {
        step_ = index - last_;
        nextPage_ = -1; // what was read ahead at the old step may not come
    }
    last_ = index;
    if (nextPage_ <= index || step_ <= 0)
        nextPage_ = index;
    ReadAhead(pages, balances, index);
    const std::vector<QPDFObjectHandle> streams =
        ContentStreams::Of(pages.at(static_cast<std::size_t>(index)));
    for (const QPDFObjectHandle& stream : streams)
        if (auto it = queued_.find(stream.getObjGen()); it != queued_.end())
            Workers().WaitFor(it->second->work);
    Harvest(&streams, balances);
}

void BalancePrefetcher::MeasureAhead(const std::vector<QPDFObjectHandle>& pages,
                                     BalanceMap& balances, std::stop_token stop) {
    int page = 0;
    for (const int count = static_cast<int>(pages.size()); page < count && !stop.stop_requested();
         ++page) {
        // Room first: the oldest stream is measured, here if need be.
        while (inFlightBytes_ >= kMaxRawBytes && !inFlight_.empty()) {
            Workers().WaitFor(inFlight_.front().work);
            Harvest(nullptr, balances);
        }
        Queue(pages[static_cast<std::size_t>(page)], balances);
        Harvest(nullptr, balances);
    }
    nextPage_ = page;
}

void BalancePrefetcher::Queue(const QPDFObjectHandle& page, const BalanceMap& balances) {
    for (QPDFObjectHandle& stream : ContentStreams::Of(page)) {
        if (!stream.isIndirect() || balances.count(stream.getObjGen()) ||
            queued_.count(stream.getObjGen()))
            continue;
        // Streams qpdf cannot give, or that need more than Flate, are left to
        // the caller's decoding, which knows what damage means.
        std::optional<bool> flate;
        try {
            flate = WorkerFilter(stream);
        } catch (const std::exception&) {
        }
        if (!flate)
            continue;
        InFlight& job = inFlight_.emplace_back();
        job.stream = stream;
        job.work.flate = *flate;
        bool read = false;
        try {
            read = ReadRaw(stream, job.work.raw);
        } catch (const std::exception&) {
        }
        if (!read) {
            inFlight_.pop_back();
            continue;
        }
        job.bytes = job.work.raw.size();
        inFlightBytes_ += job.bytes;
        queued_[stream.getObjGen()] = &job;
        Workers().Add(job.work);
    }
}

void BalancePrefetcher::ReadAhead(const std::vector<QPDFObjectHandle>& pages,
                                  const BalanceMap& balances, int index) {
    const int count = static_cast<int>(pages.size());
    while (nextPage_ >= 0 && nextPage_ < count &&
           nextPage_ - index < kMaxPages * std::max(step_, 1) &&
           (inFlightBytes_ < kMaxRawBytes || nextPage_ == index)) {
        Queue(pages[static_cast<std::size_t>(nextPage_)], balances);
        nextPage_ = step_ > 0 ? nextPage_ + step_ : -1;
    }
}

void BalancePrefetcher::Record(std::map<QPDFObjGen, InFlight*>::iterator it, BalanceMap& balances) {
    if (it->second->work.result)
        balances[it->first] = *it->second->work.result;
    inFlightBytes_ -= it->second->bytes;
    queued_.erase(it);
}

void BalancePrefetcher::Harvest(const std::vector<QPDFObjectHandle>* streams,
                                BalanceMap& balances) {
    if (streams)
        for (const QPDFObjectHandle& stream : *streams)
            if (auto it = queued_.find(stream.getObjGen()); it != queued_.end())
                Record(it, balances);
    // Streams finish about in the order they were read: those at the front
    // that are done are recorded and let go; the others wait for a later call.
    while (!inFlight_.empty() && inFlight_.front().work.finished.load(std::memory_order_acquire)) {
        const QPDFObjGen og = inFlight_.front().stream.getObjGen();
        if (auto it = queued_.find(og); it != queued_.end() && it->second == &inFlight_.front())
            Record(it, balances);
        inFlight_.pop_front();
    }
}

} // namespace pdfhost::pdf
