#include "pdfhost/pdf/BalancePrefetcher.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/Document.h"

namespace pdfhost::pdf {
namespace {

std::atomic<FlateInflater::Engine> engine{FlateInflater::Engine::Deflate};

struct Job {
    QPDFObjectHandle stream;     // touched on the owning thread only
    std::shared_ptr<Buffer> own; // holds `raw`; made and let go on that thread
    std::string_view raw;        // all a worker reads
    bool flate = false;
    std::optional<ContentBalance> result;
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
    if (!IsFlate(filter) || !PlainParms(dict.getKey("/DecodeParms")))
        return std::nullopt;
    return true;
}

void RunJob(Job& job, FlateInflater& inflater) {
    if (!job.flate) {
        job.result = ContentBalance::Measure(job.raw);
    } else if (auto data = inflater.Decode(job.raw)) {
        job.result = ContentBalance::Measure(*data);
    }
}

void RunAll(std::vector<Job>& jobs, std::size_t rawBytes) {
    const FlateInflater::Engine e = engine.load();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers =
        rawBytes < BalancePrefetcher::kThreadThreshold || jobs.size() < 2
            ? 0
            : std::min<unsigned>(std::min(cores, 4u) - 1, static_cast<unsigned>(jobs.size() - 1));
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        FlateInflater inflater(e);
        for (std::size_t i; (i = next.fetch_add(1)) < jobs.size();)
            RunJob(jobs[i], inflater);
    };
    std::vector<std::jthread> pool;
    pool.reserve(workers);
    for (unsigned w = 0; w < workers; ++w)
        pool.emplace_back(work);
    work(); // the calling thread takes its share
}

} // namespace

void BalancePrefetcher::UseEngine(FlateInflater::Engine e) {
    engine = e;
}

void BalancePrefetcher::Prefetch(Document& doc, int index) {
    if (last_ >= 0 && index > last_)
        step_ = index - last_;
    last_ = index;
    MeasureBatch(doc.Pages(), index, step_, doc.Balances());
}

void BalancePrefetcher::MeasureAhead(const std::vector<QPDFObjectHandle>& pages,
                                     BalanceMap& balances, std::stop_token stop) {
    const int count = static_cast<int>(pages.size());
    for (int page = 0; page < count && !stop.stop_requested();)
        page = MeasureBatch(pages, page, 1, balances);
}

int BalancePrefetcher::MeasureBatch(const std::vector<QPDFObjectHandle>& pages, int first, int step,
                                    BalanceMap& balances) {
    const int count = static_cast<int>(pages.size());
    std::vector<Job> jobs;
    std::set<QPDFObjGen> seen;
    std::size_t rawBytes = 0;
    int page = first;
    for (int n = 0; page >= 0 && page < count && n < kMaxPages && rawBytes < kMaxRawBytes;
         page += step, ++n) {
        for (QPDFObjectHandle& stream : ContentStreams::Of(pages[static_cast<std::size_t>(page)])) {
            if (!stream.isIndirect() || balances.count(stream.getObjGen()) ||
                !seen.insert(stream.getObjGen()).second)
                continue;
            try {
                const std::optional<bool> flate = WorkerFilter(stream);
                if (!flate)
                    continue;
                Job job;
                job.stream = stream;
                job.flate = *flate;
                job.own = stream.getRawStreamData();
                job.raw = std::string_view(reinterpret_cast<const char*>(job.own->getBuffer()),
                                           job.own->getSize());
                rawBytes += job.raw.size();
                jobs.push_back(std::move(job));
            } catch (const std::exception&) {
                // Left to the caller's decoding, which knows what damage means.
            }
        }
        if (step <= 0) {
            page = count;
            break;
        }
    }
    RunAll(jobs, rawBytes);
    for (Job& job : jobs)
        if (job.result)
            balances[job.stream.getObjGen()] = *job.result;
    return page;
}

} // namespace pdfhost::pdf
