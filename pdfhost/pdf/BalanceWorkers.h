// Inflates and measures content streams on worker threads while the thread
// that owns the qpdf document goes on taking the raw bytes of the next ones.
//
// Contract: Add() queues a job whose bytes (raw Flate data, or content
// stored without a filter) belong to the job alone; no worker ever sees a
// qpdf object. Workers start once kThreadThreshold raw bytes were added
// (less is not worth a thread) and live as long as this object, each with
// one inflater and its buffer.
// Finish() measures what is still queued on the calling thread too, and
// returns once every job added so far has its result: the balance, or
// nothing when Flate data does not inflate as one clean stream. WaitFor()
// does the same until one job has its result, leaving the rest to the
// workers. A job's bytes are let go as soon as it is measured, and then its
// `finished` is set; a job may be read once that is seen. Jobs must stay
// where they are until they are finished. One thread adds and waits.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/FlateInflater.h"

namespace pdfhost::pdf {

struct BalanceJob {
    std::string raw;
    bool flate = false;
    std::optional<ContentBalance> result;
    std::atomic<bool> finished{false};
};

class BalanceWorkers {
  public:
    static constexpr std::size_t kThreadThreshold = std::size_t{32} << 10;

    explicit BalanceWorkers(FlateInflater::Engine engine);
    ~BalanceWorkers();
    BalanceWorkers(const BalanceWorkers&) = delete;
    BalanceWorkers& operator=(const BalanceWorkers&) = delete;

    void Add(BalanceJob& job);
    void WaitFor(const BalanceJob& job);
    void Finish();

  private:
    void Work(std::stop_token stop);
    // Measures the first queued job on the calling thread; the lock is
    // held again when it returns.
    void RunFirst(std::unique_lock<std::mutex>& lock, FlateInflater& inflater);
    static void Measure(BalanceJob& job, FlateInflater& inflater);

    FlateInflater::Engine engine_;
    FlateInflater own_; // the calling thread's share
    std::size_t addedBytes_ = 0;
    std::mutex mutex_;
    std::condition_variable_any queued_;
    std::condition_variable done_;
    std::deque<BalanceJob*> queue_;
    std::size_t running_ = 0;
    std::vector<std::jthread> threads_; // last: stopped and joined first
};

} // namespace pdfhost::pdf
