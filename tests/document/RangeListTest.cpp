#include "document/RangeList.h"
#include "core/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <vector>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

const char* const Example = "120 2451545.4312 185 2451551.2876\r\n"
                            "410 2451830.3301 466 2451836.4120\r\n";

PointStore pointsOnly(int count) {
    PointStore store;
    store.PointCount = count;
    return store;
}

// Steps and says what the view shows, or the message shown instead.
std::string step(RangeList& list, PointStore& store, bool forward) {
    const RangeStep result = forward ? nextRange(list) : previousRange(list);
    if (result == RangeStep::AtFirst) return "first-range message";
    showCurrentRange(list, store);
    const std::string view = std::to_string(store.ViewFirst) + "-" + std::to_string(store.ViewLast);
    return result == RangeStep::WrappedToFirst ? "last-range message, " + view : view;
}

std::string refusal(std::string_view text,
                    InterfaceLanguage language = InterfaceLanguage::English) {
    try {
        parseRanges(text, "r.txt");
    } catch (const QuelmarError& e) {
        return e.text(language);
    }
    return "accepted";
}

TEST(RangeList, StepsThroughTheExampleAndBack) {
    TempDir dir;
    RangeList list;
    PointStore store = pointsOnly(3963);
    EXPECT_EQ(step(list, store, false), "first-range message") << "before any file";
    EXPECT_EQ(step(list, store, true), "last-range message, 1-3963");

    loadRanges(list, dir.write("r.txt", Example));
    EXPECT_EQ(list.CurrentRange, 1);
    EXPECT_EQ(step(list, store, true), "120-185");
    EXPECT_EQ(step(list, store, true), "410-466");
    EXPECT_EQ(step(list, store, true), "last-range message, 1-3963");
    EXPECT_EQ(step(list, store, true), "120-185");
    EXPECT_EQ(step(list, store, true), "410-466");
    EXPECT_EQ(step(list, store, false), "120-185");
    EXPECT_EQ(step(list, store, false), "1-3963");
    EXPECT_EQ(step(list, store, false), "first-range message");
}

TEST(RangeList, ReadsLinesAsEntriesWhateverTheLineEnds) {
    const auto entries = parseRanges(Example, "r.txt");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].first, 410);
    EXPECT_EQ(entries[1].last, 466);
    EXPECT_EQ(parseRanges("\xEF\xBB\xBF"
                          "1 0 5 0\n7 0 9 0",
                          "r.txt")
                  .size(),
              2u)
        << "a byte-order mark, LF ends, no final line end";
    // Blank lines between entries are skipped; blank lines at the end are one entry (0, 0).
    const struct {
        const char* text;
        std::vector<int> lasts;
    } files[] = {
        {"1 0 5 0 a note\r\n\r\n", {5, 0}},
        {"1 0 5 0\r\n \t\r\n\r\n", {5, 0}},
        {"1 0 5 0\r\n\r\n7 0 9 0\r\n", {5, 9}},
        {"\n1 0 5 0\n  \n\n7 0 9 0\n\n11 0 12 0", {5, 9, 12}},
        {"1 0 5 0\r\r7 0 9 0\r\r", {5, 9, 0}},
    };
    for (const auto& file : files) {
        std::vector<int> lasts;
        for (const RangeEntry& entry : parseRanges(file.text, "r.txt"))
            lasts.push_back(entry.last);
        EXPECT_EQ(lasts, file.lasts) << file.text;
    }
    EXPECT_EQ(refusal("1 0 5 0\r\n\r\n1 0 x 0\r\n"),
              "r.txt, line 3: \"x\" is not a whole point number");
}

TEST(RangeList, RefusesBadFilesAndKeepsTheEntriesItHad) {
    EXPECT_EQ(refusal("1 0 5 0\r\n12.5 0 20 0\r\n"),
              "r.txt, line 2: \"12.5\" is not a whole point number");
    EXPECT_EQ(refusal("1 0 5\r\n"),
              "r.txt, line 1: expected four numbers: first point, time, last point, time");
    EXPECT_EQ(refusal("1 x 5 0\r\n"), "r.txt, line 1: \"x\" is not a number");
    EXPECT_EQ(refusal("1 x 5 0\r\n", InterfaceLanguage::Russian),
              "r.txt, строка 1: «x» — не число");
    std::string fiftyLines;
    for (int n = 1; n <= 50; ++n)
        fiftyLines += "1 0 2 0\r\n";
    EXPECT_EQ(refusal(fiftyLines), "r.txt, line 50: lists more than 49 ranges; a ranges file "
                                   "holds at most that many");
    EXPECT_EQ(refusal(fiftyLines.substr(9) + "\r\n\r\n"), "accepted");

    TempDir dir;
    RangeList list;
    loadRanges(list, dir.write("five.txt", "1 0 2 0\n3 0 4 0\n5 0 6 0\n7 0 8 0\n9 0 10 0\n"));
    EXPECT_THROW(loadRanges(list, dir.write("bad.txt", "1 0 x 0\n")), QuelmarError);
    EXPECT_THROW(loadRanges(list, dir.file("missing.txt")), QuelmarError);
    EXPECT_EQ(list.entries[6].last, 10) << "a refused file changes nothing";

    loadRanges(list, dir.write("two.txt", "11 0 12 0\n13 0 14 0\n"));
    EXPECT_EQ(list.entries[3].last, 14);
    EXPECT_EQ(list.entries[4].last, 0) << "a new file clears the older entries";
}

TEST(RangeList, ShowsEntriesWithinTheCurveAndInOrder) {
    TempDir dir;
    RangeList list;
    PointStore store = pointsOnly(100);
    loadRanges(list, dir.write("r.txt", "60 0 40 0\n-5 0 500 0\n"));
    EXPECT_EQ(step(list, store, true), "40-60");
    EXPECT_EQ(step(list, store, true), "1-100");
}

} // namespace
