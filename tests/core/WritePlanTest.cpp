#include "core/WritePlan.h"
#include "core/Error.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using quelmar::InterfaceLanguage;
using quelmar::QuelmarError;
using quelmar::WritePlan;
using quelmar::test::TempDir;
namespace message = quelmar::message;

namespace {

// The refusal's text in a language, or "" when the plan passes.
std::string refusal(const WritePlan& plan,
                    InterfaceLanguage language = InterfaceLanguage::English) {
    try {
        plan.check();
    } catch (const QuelmarError& e) {
        return e.text(language);
    }
    return {};
}

} // namespace

TEST(WritePlan, RefusesAnOutputThatIsAnInputByNameLinkOrSpelling) {
    TempDir dir;
    const auto data = dir.write("a.dat", "2451545.1 10\r\n");
    std::filesystem::create_symlink(data, dir.file("soft.per"));
    std::filesystem::create_hard_link(data, dir.file("hard.per"));
    std::filesystem::create_directory(dir.file("sub"));
    for (const std::string& output :
         {data, dir.file("soft.per"), dir.file("hard.per"), dir.file("sub/../a.dat")}) {
        WritePlan plan;
        plan.reads(data, message::RoleDataFile).writes(output, message::RolePeriodogram);
        const std::string english = refusal(plan);
        EXPECT_EQ(english, output + " (the periodogram) would be written over the input " + data +
                               " (the data file): they are one file, by name or through a "
                               "link; nothing was written");
        const std::string russian = refusal(plan, InterfaceLanguage::Russian);
        EXPECT_NE(russian.find(output + " (периодограмма)"), std::string::npos) << russian;
        EXPECT_NE(russian.find("входного файла " + data + " (файл данных)"), std::string::npos);
    }
    // Declared in the other order, the input is still the one named as the input.
    WritePlan plan;
    plan.writes(dir.file("hard.per"), message::RoleOutput).reads(data, message::RoleDataFile);
    EXPECT_NE(refusal(plan).find("over the input " + data), std::string::npos);
}

TEST(WritePlan, ComparesFilesStillToBeCreatedByTheirResolvedPath) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::filesystem::create_directory_symlink(dir.file("real"), dir.file("alias"));
    WritePlan twice;
    twice.writes(dir.file("real/out.csv"), message::RoleSummary)
        .writes(dir.file("alias/./out.csv"), message::RolePeriodogram);
    EXPECT_NE(refusal(twice).find("would both be written"), std::string::npos);

    WritePlan distinct;
    distinct.reads(dir.write("a.dat", "x"), message::RoleDataFile)
        .reads(dir.file("a.dat"), message::RoleDataFile) // one input read twice is no harm
        .writes(dir.file("real/a.per"), message::RolePeriodogram)
        .writes(dir.file("alias/b.per"), message::RolePeriodogram);
    EXPECT_EQ(refusal(distinct), "");
}

TEST(WritePlan, ARewrittenFileIsItsOwnButNoOtherFilesTarget) {
    TempDir dir;
    const auto data = dir.write("p.dat", "1234 9.85\r\n");
    WritePlan alone;
    alone.rewrites(data, message::RoleDataFile)
        .writes(dir.file("p.tmp"), message::RoleUnconvertedCopy);
    EXPECT_EQ(refusal(alone), "");

    WritePlan overCatalogue;
    overCatalogue.rewrites(data, message::RoleDataFile).reads(data, message::RolePlateCatalogue);
    EXPECT_NE(refusal(overCatalogue)
                  .find("(the data file) would be written over the input " + data +
                        " (the plate catalogue)"),
              std::string::npos);

    std::filesystem::create_symlink(data, dir.file("p.dat.bar"));
    WritePlan copy;
    copy.rewrites(data, message::RoleDataFile)
        .writes(dir.file("p.dat.bar"), message::RoleDatesCopy);
    EXPECT_NE(refusal(copy).find("p.dat.bar (the copy of the dates before the correction) would "
                                 "be written over the input " +
                                 data),
              std::string::npos);
}
