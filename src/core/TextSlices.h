#pragma once
// A text held in memory, cut at line starts into slices that threads read side by side.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace quelmar {

// The end of the line that starts at pos (its first line-end character, or the end of the
// text), and in next the start of the following line.
std::size_t lineEndAt(std::string_view text, std::size_t pos, std::size_t& next);

// About `parts` slices of equal size, each ending at the end of a line.
std::vector<std::string_view> sliceAtLineStarts(std::string_view text, unsigned parts);

// The threads worth starting for a text of this many bytes: one for a small text, else one per
// core, at most 8.
unsigned threadsForText(std::size_t bytes);

// The slices worth cutting a text of this many bytes into for work taken in order: one per
// thread, or slices of a few megabytes when that makes more, so that the first are taken
// (written, say) while the threads are still at the later ones.
unsigned slicesForText(std::size_t bytes);
// About the bytes of each such slice (a slice ends at a line end, so it may hold a line more).
inline std::size_t sliceBytesForText(std::size_t bytes) {
    return bytes / slicesForText(bytes) + 64;
}

// Runs work(item) for every item: the first on this thread, the others on threads of their own.
// An item whose thread cannot be started is done on this thread instead.
template <typename Item, typename Work> void runOnThreads(std::vector<Item>& items, Work work) {
    std::vector<std::thread> threads;
    std::vector<Item*> leftOver;
    for (std::size_t i = 1; i < items.size(); ++i) {
        try {
            threads.emplace_back(work, std::ref(items[i]));
        } catch (const std::system_error&) {
            leftOver.push_back(&items[i]);
        }
    }
    if (!items.empty()) work(items[0]);
    for (Item* item : leftOver)
        work(*item);
    for (auto& t : threads)
        t.join();
}

// Runs work(item) for every item, the items claimed in order by `threads` threads of their own
// (none when threads is 1), while this thread calls take(item) for each item in order as soon as
// it and every item before it are done, and does an unclaimed item itself whenever it would
// otherwise wait. Work must not throw. When take throws, no further item is begun, and the
// exception leaves once the other threads are done with theirs. Threads that cannot be started
// leave their share to the others.
template <typename Item, typename Work, typename Take>
void runTakingInOrder(std::vector<Item>& items, unsigned threads, Work work, Take take) {
    struct Progress {
        std::mutex mutex;
        std::condition_variable itemDone;
        std::vector<char> done;
        std::size_t claimed = 0;
        bool stopped = false;
    } progress;
    progress.done.assign(items.size(), 0);
    const auto claim = [&progress, &items]() -> std::optional<std::size_t> {
        const std::lock_guard lock(progress.mutex);
        if (progress.stopped || progress.claimed == items.size()) return std::nullopt;
        return progress.claimed++;
    };
    const auto doItem = [&](std::size_t i) {
        work(items[i]);
        {
            const std::lock_guard lock(progress.mutex);
            progress.done[i] = 1;
        }
        progress.itemDone.notify_all();
    };
    const auto worker = [&] {
        while (const auto i = claim())
            doItem(*i);
    };
    struct Pool {
        Progress& progress;
        std::vector<std::thread> threads;
        ~Pool() {
            {
                const std::lock_guard lock(progress.mutex);
                progress.stopped = true;
            }
            for (auto& t : threads)
                t.join();
        }
    } pool{progress, {}};
    for (unsigned t = 0; threads > 1 && t < threads && t < items.size(); ++t) {
        try {
            pool.threads.emplace_back(worker);
        } catch (const std::system_error&) {
            break;
        }
    }
    for (std::size_t next = 0; next < items.size(); ++next) {
        // While the next item is not done, this thread does one of those left.
        for (;;) {
            {
                const std::lock_guard lock(progress.mutex);
                if (progress.done[next]) break;
            }
            if (const auto i = claim()) {
                doItem(*i);
                continue;
            }
            std::unique_lock lock(progress.mutex);
            progress.itemDone.wait(lock, [&] { return progress.done[next] != 0; });
            break;
        }
        take(items[next]);
    }
}

} // namespace quelmar
