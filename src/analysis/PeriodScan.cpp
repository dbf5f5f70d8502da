// The scan behind scanPeriods. The trial frequencies are cut into blocks; each worker folds
// and orders its own copy of the points, and the worker that finishes the oldest unwritten
// block writes every finished block in frequency order. A block stopped by Cancel is written
// up to its last finished frequency, and nothing after it.

#include "PeriodScan.h"
#include "PeriodogramWriter.h"
#include "PhaseFold.h"

#include "core/Error.h"
#include "core/WritePlan.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace quelmar {

namespace {

struct Block {
    long long number = -1; // -1: never used
    int count = 0;         // trial frequencies in the block
    int done = 0;          // of them computed
    bool finished = false;
    std::vector<double> frequencies;
    std::vector<double> thetas;
};

class BlockScan {
public:
    BlockScan(const FrequencyGrid& grid, int blockSize, unsigned workers, PeriodogramSink& sink,
              ScanProgress& progress)
        : frequencies_(grid), blockSize_(blockSize), slots_(2 * workers), sink_(sink),
          progress_(progress) {
        for (Block& slot : slots_) {
            slot.frequencies.resize(static_cast<std::size_t>(blockSize));
            slot.thetas.resize(static_cast<std::size_t>(blockSize));
        }
        sink.reserveLines(blockSize);
    }

    // The next block of trial frequencies, or nullptr when there is nothing more to do.
    Block* claim() {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (exhausted_ || stopped_ || progress_.cancel.load()) return nullptr;
            if (slotOf(nextBlock_).number < nextToWrite_) return take();
            slotFreed_.wait(lock); // every slot holds a block not yet written
        }
    }

    // The same where a slot is free now, else nullptr: for a worker that holds a block still
    // to finish, which must not wait for the writing of that very block.
    Block* claimIfFree() {
        std::lock_guard lock(mutex_);
        if (exhausted_ || stopped_ || progress_.cancel.load()) return nullptr;
        return slotOf(nextBlock_).number < nextToWrite_ ? take() : nullptr;
    }

    // Records a block as finished after `done` of its frequencies and writes what is in order.
    void finish(Block& block, int done) {
        std::lock_guard lock(mutex_);
        block.done = done;
        block.finished = true;
        while (!stopped_) {
            Block& next = slotOf(nextToWrite_);
            if (next.number != nextToWrite_ || !next.finished) break;
            try {
                sink_.write(next.frequencies.data(), next.thetas.data(), next.done);
            } catch (...) {
                stopWith(std::current_exception());
                break;
            }
            noteWritten(next);
            if (next.done < next.count) stopped_ = true; // a gap: nothing after it is written
            ++nextToWrite_;
        }
        slotFreed_.notify_all();
    }

    void fail(std::exception_ptr error) {
        std::lock_guard lock(mutex_);
        stopWith(error);
        slotFreed_.notify_all();
    }

    void rethrowFailure() const {
        if (failure_) std::rethrow_exception(failure_);
    }

    // Once the workers are done: the lines written and the best of them.
    ScanOutcome outcome(long long total) const {
        ScanOutcome outcome;
        outcome.best = best_;
        outcome.lines = lines_;
        outcome.cancelled = lines_ < total;
        return outcome;
    }

private:
    // Fills the free slot of the next block; the mutex is held.
    Block* take() {
        Block& block = slotOf(nextBlock_);
        int count = 0;
        while (count < blockSize_ &&
               frequencies_.next(block.frequencies[static_cast<std::size_t>(count)]))
            ++count;
        if (count < blockSize_) exhausted_ = true;
        if (count == 0) return nullptr;
        block.number = nextBlock_++;
        block.count = count;
        block.done = 0;
        block.finished = false;
        return &block;
    }

    Block& slotOf(long long number) {
        return slots_[static_cast<std::size_t>(number % static_cast<long long>(slots_.size()))];
    }

    void noteWritten(const Block& block) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(block.done); ++i)
            if (!best_ || block.thetas[i] < best_->theta)
                best_ = PeriodogramLine{block.frequencies[i], block.thetas[i],
                                        1 / block.frequencies[i]};
        lines_ += block.done;
    }

    void stopWith(std::exception_ptr error) {
        if (!failure_) failure_ = error;
        stopped_ = true;
    }

    TrialFrequencies frequencies_;
    const int blockSize_;
    std::vector<Block> slots_;
    PeriodogramSink& sink_;
    ScanProgress& progress_;

    std::mutex mutex_;
    std::condition_variable slotFreed_;
    long long nextBlock_ = 0;
    long long nextToWrite_ = 0;
    bool exhausted_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
    long long lines_ = 0;
    std::optional<PeriodogramLine> best_;
};

void runWorker(const PeriodSeries& series, BlockScan& scan, ScanProgress& progress) {
    try {
        PhaseFold fold(series);
        // The fold readies itself for the frequency that comes next: at the end of a block, the
        // first of the following block, claimed before the last fold where a slot is free.
        for (Block* block = scan.claim(); block != nullptr;) {
            Block* following = nullptr;
            int done = 0;
            for (; done < block->count && !progress.cancel.load(std::memory_order_relaxed);
                 ++done) {
                const auto i = static_cast<std::size_t>(done);
                if (done + 1 == block->count) following = scan.claimIfFree();
                const double next = done + 1 < block->count ? block->frequencies[i + 1]
                                    : following != nullptr  ? following->frequencies[0]
                                                            : std::nan("");
                block->thetas[i] = fold.theta(block->frequencies[i], next);
                progress.done.fetch_add(1, std::memory_order_relaxed);
            }
            scan.finish(*block, done);
            block = following != nullptr ? following : scan.claim();
        }
    } catch (const std::bad_alloc&) {
        scan.fail(std::make_exception_ptr(
            QuelmarError({message::ScanCopiesOutOfMemory, {std::to_string(series.count())}})));
    } catch (...) {
        scan.fail(std::current_exception());
    }
}

// Counts the trial frequencies, giving up (with what it has) when the scan is cancelled.
long long countFrequencies(const FrequencyGrid& grid, const ScanProgress& progress) {
    TrialFrequencies frequencies(grid);
    long long count = 0;
    for (double f; frequencies.next(f);)
        if ((++count & 0xFFFFF) == 0 && progress.cancel.load()) break;
    return count;
}

// About ten milliseconds of work per block: each worker folds runs of neighbouring
// frequencies, where one fold's order is nearly the next one's, while the workers still share
// the last blocks evenly and the file follows the scan closely. Cancel is seen after every
// frequency whatever the block.
int blockSizeFor(int points, long long total, unsigned workers) {
    long long size = std::max(1LL, 4'000'000LL / points);
    size = std::min(size, std::max(1LL, total / (8LL * workers)));
    return static_cast<int>(std::min(size, 4096LL));
}

} // namespace

unsigned scanThreads(unsigned asked) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return asked == 0 ? std::min(cores, MaxScanThreads) : std::min(asked, MaxScanThreads);
}

namespace {

void checkPeriodogramPath(const PeriodSeries& series, const std::string& outputPath) {
    WritePlan()
        .reads(series.path, message::RoleDataFile)
        .writes(outputPath, message::RolePeriodogram)
        .check();
}

} // namespace

ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        PeriodogramSink& sink, unsigned threads, ScanProgress& progress) {
    progress.done = 0;
    const long long total = countFrequencies(grid, progress);
    progress.total = total;

    const unsigned workers =
        static_cast<unsigned>(std::clamp<long long>(scanThreads(threads), 1, std::max(total, 1LL)));
    BlockScan scan(grid, blockSizeFor(series.count(), total, workers), workers, sink, progress);
    {
        std::vector<std::jthread> helpers;
        try {
            for (unsigned w = 1; w < workers; ++w)
                helpers.emplace_back(runWorker, std::cref(series), std::ref(scan),
                                     std::ref(progress));
        } catch (const std::system_error&) {
            // A thread the system will not start leaves its share to the others.
        }
        runWorker(series, scan, progress);
    }
    scan.rethrowFailure();
    return scan.outcome(total);
}

ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        PeriodogramWriter& writer, unsigned threads, ScanProgress& progress) {
    checkPeriodogramPath(series, writer.path());
    return scanPeriods(series, grid, static_cast<PeriodogramSink&>(writer), threads, progress);
}

ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        Periodogram& periodogram, unsigned threads, ScanProgress& progress) {
    class InMemory final : public PeriodogramSink {
    public:
        explicit InMemory(Periodogram& periodogram) : periodogram_(periodogram) {}
        void write(const double* frequencies, const double* statistics, int count) override {
            periodogram_.frequencies.insert(periodogram_.frequencies.end(), frequencies,
                                            frequencies + count);
            periodogram_.statistics.insert(periodogram_.statistics.end(), statistics,
                                           statistics + count);
        }

    private:
        Periodogram& periodogram_;
    } sink(periodogram);
    periodogram = {};
    return scanPeriods(series, grid, sink, threads, progress);
}

ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        const std::string& outputPath, unsigned threads, ScanProgress& progress) {
    checkPeriodogramPath(series, outputPath); // before anything is created beside the file
    PeriodogramWriter writer(outputPath);
    const ScanOutcome outcome = scanPeriods(series, grid, writer, threads, progress);
    writer.commit();
    return outcome;
}

} // namespace quelmar
