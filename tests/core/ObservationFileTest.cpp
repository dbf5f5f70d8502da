#include "core/ObservationFile.h"
#include "core/Error.h"
#include "core/TextSlices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

using namespace quelmar;
using quelmar::test::TempDir;

static PointStore load(std::string_view text, const std::string& name = "star.dat") {
    return parsePointStore(text, countChannels(text), name).store;
}

TEST(ChannelCount, FromTheFirstLineWhateverItsLineEnds) {
    EXPECT_EQ(countChannels("2451545.1 9.5 10.2\r\n2451546.1 9.6 10.3\r\n"), 2);
    EXPECT_EQ(countChannels("2451545.1 9.5 10.2\n2451546.1 9.6 10.3 7 8\n"), 2);
    EXPECT_EQ(countChannels("2451545.1 9.5 10.2\r2451546.1 9.6 10.3\r"), 2);
    // Trailing blanks do not carry the count into the next line.
    EXPECT_EQ(countChannels("2451545.1 9.5 10.2  \t\r\n2451546.1 9.6 10.3\r\n"), 2);
    EXPECT_EQ(countChannels("2451545.1 9.5 10.2 good 5\r\n"), 2);
    EXPECT_EQ(countChannels("2451545.1\r\n"), 0);
    EXPECT_EQ(countChannels(""), 0);
}

TEST(ChannelCount, ZeroIsAValueAndHeadersAreNotObservations) {
    EXPECT_EQ(countChannels("2451545.1 0 10.2\r\n"), 2);
    EXPECT_EQ(countChannels("JD V B-V\r\n\r\n2451545.1 9.5 0.4\r\n"), 2);
}

TEST(ChannelCount, AByteOrderMarkIsNotPartOfTheFirstObservation) {
    const std::string text = "\xEF\xBB\xBF"
                             "2451545.1 9.5 10.2\r\n2451546.1 9.6\r\n";
    EXPECT_EQ(countChannels(text), 2);
    const auto r = parsePointStore(text, 2, "bom.dat");
    EXPECT_EQ(r.store.PointCount, 2);
    EXPECT_EQ(r.skipped.count, 0);
    EXPECT_EQ(r.store.value(2, 1), 10.2);
}

TEST(ChannelCount, AFirstLineWhoseValuesCannotBeReadIsReported) {
    const auto refusal = [](std::string_view text) {
        try {
            countChannels(text, "star.dat");
        } catch (const QuelmarError& e) {
            return std::string(e.what());
        }
        return std::string("counted");
    };
    EXPECT_EQ(refusal(std::string_view("JD\r\n2451545.1 9.5\0 10.2\r\n", 25)),
              "star.dat, line 2: value 1 holds a NUL byte and cannot be read");
    EXPECT_EQ(refusal("2451545.1 9.5 " + std::string(65, '1') + "\r\n"),
              "star.dat, line 1: value 2 is longer than 64 characters and cannot be read as a "
              "number");
    EXPECT_EQ(refusal("2451545.1 9.5 " + std::string(70, 'x') + "\r\n"), "counted")
        << "a long word is free text";
}

TEST(Loader, SortsByTimeMovingTheValuesAlong) {
    const PointStore s = load("3 30 300\n1 10 100\n2 20 200\n");
    ASSERT_EQ(s.PointCount, 3);
    ASSERT_EQ(s.ChannelCount, 2);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(s.time(i), i);
        EXPECT_EQ(s.value(1, i), 10 * i);
        EXPECT_EQ(s.value(2, i), 100 * i);
    }
    EXPECT_EQ(s.TimeValues.size(), 4u);
}

TEST(Loader, EqualTimesKeepTheirFileOrder) {
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += (i % 2 ? "1 " : "2 ") + std::to_string(i) + "\n";
    const PointStore s = load(text);
    for (int i = 1; i < 25; ++i)
        EXPECT_LT(s.value(1, i), s.value(1, i + 1));
    for (int i = 26; i < 50; ++i)
        EXPECT_LT(s.value(1, i), s.value(1, i + 1));
}

TEST(Loader, ShortLinesGetZerosAndNeverReadIntoTheNextLine) {
    const PointStore s = load("1 9.5 10.2 c\r\n2 9.6\r\n3 V 10.4\r\n4 9.8 10.5\r\n");
    ASSERT_EQ(s.PointCount, 4);
    EXPECT_EQ(s.value(1, 2), 9.6);
    EXPECT_EQ(s.value(2, 2), 0.0);
    EXPECT_EQ(s.value(1, 3), 0.0);
    EXPECT_EQ(s.value(2, 3), 10.4);
    EXPECT_EQ(s.time(4), 4.0);
}

TEST(Loader, SkipsAndCountsLinesWithoutAnObservation) {
    const auto r = parsePointStore("1 9.5\r\n\r\n# note\r\n2 9.6\r\n\r\n", 1, "star.dat");
    EXPECT_EQ(r.store.PointCount, 2);
    EXPECT_EQ(r.skipped.count, 3);
    EXPECT_EQ(r.skipped.firstLine, 2);
    // With or without a final line break, the same points.
    EXPECT_EQ(load("1 9.5\r\n2 9.6").PointCount, load("1 9.5\r\n2 9.6\r\n").PointCount);
}

TEST(Loader, LargeFilesWithMixedLineEndsLoadEveryLineOnce) {
    // Large enough to be cut into slices parsed side by side.
    const char* ends[] = {"\r\n", "\n", "\r"};
    std::string text;
    long long line = 0, firstBlank = 0;
    for (int i = 1; i <= 120'000; ++i) {
        if (i % 1000 == 0) {
            text += ends[i % 3];
            ++line;
            if (firstBlank == 0) firstBlank = line;
        }
        text += std::to_string(i) + " " + std::to_string(2 * i) + ".25 comment" + ends[i % 3];
        ++line;
    }
    ASSERT_GT(text.size(), 2u << 20);
    const auto r = parsePointStore(text, 1, "mixed.dat");
    ASSERT_EQ(r.store.PointCount, 120'000);
    EXPECT_EQ(r.skipped.count, 120);
    EXPECT_EQ(r.skipped.firstLine, firstBlank);
    for (int i = 1; i <= 120'000; i += 997) {
        EXPECT_EQ(r.store.time(i), i);
        EXPECT_EQ(r.store.value(1, i), 2 * i + 0.25);
    }
    EXPECT_EQ(r.store.TimeValues.size(), 120'001u);
}

TEST(Loader, PeriodogramStartsWithItsLastChannelHidden) {
    const auto per = load("0.5 0.9 2.0\r\n0.6 0.8 1.66\r\n", "star.per");
    EXPECT_TRUE(per.ChannelVisible[1]);
    EXPECT_FALSE(per.ChannelVisible[2]);
    const auto dat = load("0.5 0.9 2.0\r\n", "star.dat");
    EXPECT_TRUE(dat.ChannelVisible[2]);
    EXPECT_TRUE(isPeriodogramFile("/x/STAR.PER"));
}

TEST(Loader, RefusesFilesBeyondTheLimits) {
    const std::string eleven = "1 1 2 3 4 5 6 7 8 9 10 11\r\n";
    EXPECT_EQ(countChannels(eleven), 11);
    try {
        parsePointStore(eleven, 11, "wide.dat");
        FAIL();
    } catch (const QuelmarError& e) {
        EXPECT_NE(std::string(e.what()).find("at most 10"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("wide.dat"), std::string::npos);
    }
    std::string many;
    many.reserve(4'100'000);
    for (int i = 0; i <= MaxPoints; ++i)
        many += "1\n";
    EXPECT_THROW(parsePointStore(many, 0, "long.dat"), QuelmarError);
    many.resize(many.size() - 2);
    EXPECT_EQ(parsePointStore(many, 0, "long.dat").store.PointCount, MaxPoints);
}

TEST(Loader, BadInputNeverCrashes) {
    EXPECT_EQ(load("").PointCount, 0);
    EXPECT_EQ(load("JD MAG\r\n").PointCount, 0);
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    const auto r = parsePointStore(garbage, countChannels(garbage), "garbage.dat");
    EXPECT_GE(r.skipped.count, 1);
    TempDir dir;
    EXPECT_THROW(loadPointStore(dir.file("missing.dat"), 1), QuelmarError);
    const std::string fifo = dir.file("pipe.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(loadPointStore(fifo, 1), QuelmarError) << "waits for a writer";
}

namespace quelmar {
namespace {

// Lines of every length from 0 to 19, ended by LF, CR LF or a lone CR,
// and a last line without an end: each ends where a byte-by-byte reading ends it.
TEST(LineEnds, FoundWhereverTheyFallAndWhateverTheirKind) {
    for (const std::string_view ending : {"\n", "\r\n", "\r"}) {
        std::string text;
        std::vector<std::size_t> ends;
        for (std::size_t length = 0; length < 20; ++length) {
            text.append(length, 'x');
            ends.push_back(text.size());
            text += ending;
        }
        text += "last";
        ends.push_back(text.size());
        std::size_t pos = 0;
        for (const std::size_t expected : ends) {
            std::size_t next = 0;
            ASSERT_EQ(lineEndAt(text, pos, next), expected);
            EXPECT_EQ(next, std::min(text.size(), expected + ending.size()));
            pos = next;
        }
        EXPECT_EQ(pos, text.size());
    }
}

// Items done on several threads are taken in their order, each once; a take that throws ends the
// run with its exception and nothing after it is taken.
TEST(TakenInOrder, EveryItemOnceInOrderUntilATakeFails) {
    for (const unsigned threads : {1u, 2u, 5u}) {
        std::vector<int> items(200, 0);
        std::vector<int> taken;
        runTakingInOrder(
            items, threads, [](int& item) { ++item; },
            [&](int& item) { taken.push_back(item == 1 ? int(taken.size()) : -1); });
        ASSERT_EQ(taken.size(), 200u);
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(taken[i], i);

        taken.clear();
        EXPECT_THROW(runTakingInOrder(
                         items, threads, [](int&) {},
                         [&](int&) {
                             if (taken.size() == 7) throw std::runtime_error("full");
                             taken.push_back(0);
                         }),
                     std::runtime_error);
        EXPECT_EQ(taken.size(), 7u);
    }
}

} // namespace
} // namespace quelmar
