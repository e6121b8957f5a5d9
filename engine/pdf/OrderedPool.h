#pragma once
// Runs numbered jobs on a few threads, a bounded number of items ahead of one consumer
// that takes the results in order 0, 1, 2 ... The consumer's own thread runs jobs too
// while it waits, so a pool of one thread is plain sequential work. Which thread ran a
// job never shows in its result, as long as the job's result depends on its index only.
#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace scrivane {

template <typename T>
class OrderedPool {
public:
    // The job of item `index`, run on thread `worker`: 0 is the consumer's, 1 .. Threads()-1
    // the pool's, so a job can keep per-thread state in a vector indexed by worker.
    using Job = std::function<T(size_t index, unsigned worker)>;

    // `threads` counts the consumer's thread; at most `window` items are done or under way
    // ahead of the consumer, which bounds the memory their results hold.
    OrderedPool(size_t count, unsigned threads, size_t window, Job job)
        : count_(count), window_(std::max<size_t>(window, 1)), job_(std::move(job)),
          slots_(window_) {
        const size_t extra = std::min<size_t>(threads > 1 ? threads - 1 : 0,
                                              count > 1 ? count - 1 : 0);
        try {
            for (unsigned w = 1; w <= extra; ++w) workers_.emplace_back([this, w] { Work(w); });
        } catch (const std::system_error&) {
            // No more threads to be had: fewer workers, the same results.
        }
    }

    OrderedPool(const OrderedPool&) = delete;
    OrderedPool& operator=(const OrderedPool&) = delete;

    // Stops handing out items and waits for the jobs under way.
    ~OrderedPool() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }

    // Threads that may run jobs, the consumer's included (the size of a per-thread vector).
    unsigned Threads() const { return static_cast<unsigned>(workers_.size()) + 1; }

    // The result of item `index`, which must be the next one not yet taken. Rethrows the
    // first exception any job threw; nothing is handed out after that.
    T Take(size_t index) {
        std::unique_lock lock(mutex_);
        Slot& slot = slots_[index % window_];
        while (!slot.value) {
            if (error_) std::rethrow_exception(error_);
            if (CanClaim()) {
                RunOne(lock, 0);
            } else {
                changed_.wait(lock);
            }
        }
        T value = std::move(*slot.value);
        slot.value.reset();
        ++taken_;
        // Workers that found the window full sleep until half of it is free again: waking
        // them for every item taken would cost a switch of threads per item.
        if (taken_ + window_ - next_ == std::max<size_t>(window_ / 2, 1)) changed_.notify_all();
        return value;
    }

private:
    struct Slot {
        std::optional<T> value;
    };

    bool CanClaim() const {
        return !stopping_ && !error_ && next_ < count_ && next_ < taken_ + window_;
    }

    // Claims the next item and runs its job with the lock released. Locked on entry and exit.
    void RunOne(std::unique_lock<std::mutex>& lock, unsigned worker) {
        const size_t index = next_++;
        lock.unlock();
        std::optional<T> value;
        std::exception_ptr error;
        try {
            value.emplace(job_(index, worker));
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error) {
            if (!error_) error_ = error;
        } else {
            slots_[index % window_].value = std::move(value);
        }
        changed_.notify_all();
    }

    void Work(unsigned worker) {
        std::unique_lock lock(mutex_);
        while (!stopping_ && !error_ && next_ < count_) {
            if (CanClaim()) {
                RunOne(lock, worker);
            } else {
                changed_.wait(lock);
            }
        }
    }

    const size_t count_;
    const size_t window_;
    const Job job_;
    std::mutex mutex_;
    std::condition_variable changed_;  // an item done or taken, an error, or stopping
    std::vector<Slot> slots_;          // item i in slot i % window
    size_t next_ = 0;                  // the first item no thread has claimed
    size_t taken_ = 0;                 // items the consumer has taken
    bool stopping_ = false;
    std::exception_ptr error_;
    std::vector<std::thread> workers_;  // last: started once everything above is ready
};

}  // namespace scrivane
