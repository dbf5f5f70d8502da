// The files shipped in data/ and examples/: what the program and a new user rely on finding in
// them.

#include "core/JulianDate.h"
#include "core/LanguageTable.h"
#include "core/ObservationFile.h"
#include "core/PlateCatalogue.h"
#include "core/TextFile.h"
#include "core/cp1251.h"
#include "core/numbers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

std::string sourceFile(const std::string& relative) {
    return std::string(QUELMAR_SOURCE_DIR) + "/" + relative;
}

// The lines of a file that must end every line, the last included, in CR LF.
std::vector<std::string> crLfLines(const std::string& path) {
    const std::string text = readFile(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << path << ": the last line has no CR LF";
            break;
        }
        std::string line = text.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos)
            ADD_FAILURE() << path << ", line " << lines.size() + 1 << ": a bare CR or LF";
        lines.push_back(std::move(line));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

const char* const LanguageFiles[] = {"data/ru.lng", "data/en.lng"};
const std::set<int> UnusedLanguageLines = {91, 144, 145, 146, 147, 148, 149, 150};

// A file-dialog filter: "description|patterns|description|patterns...".
void expectFilterPairs(const std::string& filter, std::size_t pairs, const std::string& where) {
    const auto parts = split(filter, '|');
    ASSERT_EQ(parts.size(), 2 * pairs) << where << ": " << filter;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        EXPECT_FALSE(parts[i].empty()) << where << ": description " << i / 2 + 1;
        EXPECT_NE(parts[i + 1].find('*'), std::string::npos) << where << ": " << parts[i + 1];
    }
}

} // namespace

TEST(LanguageFiles, Have150CrLfLinesInCp1251) {
    for (const char* name : LanguageFiles) {
        const std::string path = sourceFile(name);
        const auto lines = crLfLines(path);
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(LanguageLines)) << name;
        // 0x98, the one byte cp1251 leaves unassigned, decodes to U+FFFD.
        EXPECT_EQ(cp1251ToUtf8(readFile(path)).find("\xEF\xBF\xBD"), std::string::npos) << name;
    }
    LanguageTable russian;
    russian.load(sourceFile("data/ru.lng"));
    EXPECT_EQ(russian.entry(2), "Открыть");
    EXPECT_EQ(russian.entry(1), "&Файл");
    LanguageTable english;
    english.load(sourceFile("data/en.lng"));
    EXPECT_EQ(english.entry(1), "&File");
    EXPECT_EQ(english.entry(22), "&Help");
    // The Russian messages are the design texts the program falls back on.
    for (int n : {108, 111, 112, 113, 114, 115, 116})
        EXPECT_EQ(russian.entry(n), LanguageTable::fallback(n)) << "ru.lng, line " << n;
}

TEST(LanguageFiles, TextEveryUsedLineAndLeaveTheUnusedOnesEmpty) {
    for (const char* name : LanguageFiles) {
        LanguageTable table;
        table.load(sourceFile(name));
        for (int n = 1; n <= LanguageLines; ++n) {
            if (UnusedLanguageLines.count(n))
                EXPECT_EQ(table.entry(n), "") << name << ", line " << n;
            else
                EXPECT_NE(table.entry(n), "") << name << ", line " << n;
        }
        EXPECT_NE(table.entry(1).find('&'), std::string::npos) << name;
        EXPECT_NE(table.entry(22).find('&'), std::string::npos) << name;
    }
}

TEST(LanguageFiles, FiltersPairDescriptionsWithPatterns) {
    for (const char* name : LanguageFiles) {
        LanguageTable table;
        table.load(sourceFile(name));
        const std::string where = std::string(name) + ", line ";
        expectFilterPairs(table.entry(133), 5, where + "133");
        EXPECT_NE(table.entry(133).find("*.dat; *.f5; *.per"), std::string::npos) << name;
        for (int n : {134, 135, 136}) {
            const std::size_t pairs = split(table.entry(n), '|').size() / 2;
            EXPECT_GE(pairs, 1u) << where << n;
            expectFilterPairs(table.entry(n), pairs, where + std::to_string(n));
        }
        EXPECT_NE(table.entry(136).find("*.lng"), std::string::npos) << name;
    }
}

TEST(StarCatalogueFile, ListsNamedStarsWithCoordinatesInRange) {
    const auto lines = crLfLines(sourceFile("data/hotstars.ini"));
    EXPECT_GE(lines.size(), 12u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "hotstars.ini, line " + std::to_string(i + 1);
        LineTokens tokens(lines[i]);
        const std::string_view raText = tokens.next();
        const std::string_view decText = tokens.next();
        const auto ra = parseNumber(raText);
        const auto dec = parseNumber(decText);
        ASSERT_TRUE(ra && dec) << where;
        EXPECT_TRUE(*ra >= 0 && *ra < 24) << where;
        EXPECT_TRUE(*dec >= -90 && *dec <= 90) << where;
        // Written as the program writes the stars it adds.
        EXPECT_EQ(raText, fixed(*ra, 8)) << where;
        EXPECT_EQ(decText, fixed(*dec, 8)) << where;
        // The reader keeps 20 characters of the name, its separating blank included.
        const std::string name(tokens.rest());
        EXPECT_TRUE(name.size() >= 2 && name.size() <= 20 && name[0] == ' ' && name[1] != ' ')
            << where << ": '" << name << "'";
        EXPECT_TRUE(names.insert(name).second) << where << ": a second star named" << name;
    }
}

TEST(PlateCatalogueFile, DatesInTheTextAgreeWithTheJulianDates) {
    const auto lines = crLfLines(sourceFile("data/7cam.dat"));
    EXPECT_GE(lines.size(), 30u);
    std::int32_t lastPlate = 0;
    int repeated = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "7cam.dat, line " + std::to_string(i + 1);
        LineTokens tokens(lines[i]);
        const auto plate = parseInteger(tokens.next());
        const auto jd = parseNumber(tokens.next());
        ASSERT_TRUE(plate && jd) << where;
        if (*plate <= lastPlate) ++repeated;
        lastPlate = std::max(lastPlate, *plate);
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        const std::string rest(tokens.rest());
        ASSERT_EQ(
            std::sscanf(rest.c_str(), " %d-%d-%d %d:%d UT", &year, &month, &day, &hour, &minute), 5)
            << where;
        EXPECT_NEAR(*jd, dateToJD(year, month, day, hour, minute), 0.5 / 1440) << where;
        EXPECT_TRUE(year >= 1960 && year <= 1969) << where;
    }
    EXPECT_EQ(repeated, 1) << "plates ascend, but for one plate listed a second time";
}

TEST(PlatesExample, ConvertsAgainstTheSampleCatalogueTakingTheFirstListing) {
    std::map<std::int32_t, double> firstListing;
    std::map<std::int32_t, double> laterListing;
    for (const auto& line : crLfLines(sourceFile("data/7cam.dat"))) {
        LineTokens tokens(line);
        const auto plate = parseInteger(tokens.next());
        const auto jd = parseNumber(tokens.next());
        ASSERT_TRUE(plate && jd) << line;
        if (!firstListing.try_emplace(*plate, *jd).second) laterListing[*plate] = *jd;
    }
    ASSERT_EQ(laterListing.size(), 1u);
    const auto [twice, laterJd] = *laterListing.begin();

    TempDir dir;
    const std::string original = readFile(sourceFile("examples/plates.dat"));
    EXPECT_NE(original.find(std::to_string(twice) + " "), std::string::npos)
        << "the example uses the plate listed twice";
    const std::string copy = dir.write("plates.dat", original);
    const auto report = convertPlateNumbers(copy, sourceFile("data/7cam.dat"), false);
    EXPECT_GE(report.unmatched, 1);
    EXPECT_LE(report.unmatched, 2);
    EXPECT_EQ(report.converted + report.unmatched,
              static_cast<long long>(crLfLines(sourceFile("examples/plates.dat")).size()));
    EXPECT_EQ(TempDir::read(report.workingCopy), original);

    const std::string converted = readFile(copy);
    EXPECT_NE(converted.find(fixed(firstListing[twice], 4) + " "), std::string::npos);
    EXPECT_EQ(converted.find(fixed(laterJd, 4)), std::string::npos);

    // The converted file is an ordinary data file: a date and two magnitudes per line.
    ASSERT_EQ(countChannels(converted), 2);
    const auto loaded = parsePointStore(converted, 2, copy);
    EXPECT_EQ(loaded.store.PointCount, report.converted);
    EXPECT_EQ(loaded.skipped.count, 0);
    for (int i = 1; i <= loaded.store.PointCount; ++i) {
        EXPECT_TRUE(loaded.store.time(i) > 2436900 && loaded.store.time(i) < 2439900) << i;
        EXPECT_TRUE(loaded.store.value(1, i) > 10 && loaded.store.value(1, i) < 15) << i;
    }
}

TEST(RealLightCurveExamples, OpenWithTheirChannels) {
    struct Example {
        const char* file;
        int channels;
        int points;
    };
    for (const Example& e : {Example{"examples/ogle_lmc_rrlyr_00003.dat", 2, 360},
                             Example{"examples/sdss_rrlyr_3565718_ugriz.dat", 5, 106}}) {
        const std::string path = sourceFile(e.file);
        const std::string text = readFile(path);
        EXPECT_EQ(countChannels(text), e.channels) << e.file;
        const auto loaded = loadPointStore(path, e.channels);
        EXPECT_EQ(loaded.store.PointCount, e.points) << e.file;
        EXPECT_EQ(loaded.skipped.count, 0) << e.file;
    }
}
