#include "pdfhost/pdf/BalanceWorkers.h"

#include <algorithm>

namespace pdfhost::pdf {

BalanceWorkers::BalanceWorkers(FlateInflater::Engine engine) : engine_(engine), own_(engine) {}

BalanceWorkers::~BalanceWorkers() {
    for (std::jthread& t : threads_)
        t.request_stop();
    queued_.notify_all();
}

void BalanceWorkers::Measure(BalanceJob& job, FlateInflater& inflater) {
    if (!job.flate) {
        job.result = ContentBalance::Measure(job.raw);
    } else if (auto data = inflater.Decode(job.raw)) {
        job.result = ContentBalance::Measure(*data);
    }
    std::string().swap(job.raw);
    job.finished.store(true, std::memory_order_release);
}

void BalanceWorkers::Add(BalanceJob& job) {
    addedBytes_ += job.raw.size();
    if (threads_.empty() && addedBytes_ >= kThreadThreshold) {
        // The calling thread reads and takes its share too: one worker per
        // other core, and a few at most, since qpdf feeds them from one thread.
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const unsigned workers = std::clamp(cores, 2u, 4u) - 1;
        for (unsigned w = 0; w < workers; ++w)
            threads_.emplace_back([this](std::stop_token stop) { Work(std::move(stop)); });
    }
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(&job);
    }
    queued_.notify_one();
}

void BalanceWorkers::RunFirst(std::unique_lock<std::mutex>& lock, FlateInflater& inflater) {
    BalanceJob& job = *queue_.front();
    queue_.pop_front();
    ++running_;
    lock.unlock();
    Measure(job, inflater);
    lock.lock();
    --running_;
    done_.notify_all();
}

void BalanceWorkers::Work(std::stop_token stop) {
    FlateInflater inflater(engine_);
    std::unique_lock lock(mutex_);
    while (queued_.wait(lock, stop, [this] { return !queue_.empty(); }))
        RunFirst(lock, inflater);
}

void BalanceWorkers::WaitFor(const BalanceJob& job) {
    std::unique_lock lock(mutex_);
    while (!job.finished.load(std::memory_order_acquire)) {
        if (!queue_.empty())
            RunFirst(lock, own_);
        else
            done_.wait(lock);
    }
}

void BalanceWorkers::Finish() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!queue_.empty())
            RunFirst(lock, own_);
        else if (running_ > 0)
            done_.wait(lock);
        else
            break;
    }
}

} // namespace pdfhost::pdf
