#pragma once
// A text held in memory, cut at line starts into slices that threads read side by side.

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
    for (Item* item : leftOver) work(*item);
    for (auto& t : threads) t.join();
}

} // namespace quelmar
