#include "CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

TEST(ImportCommand, AddsTheEstimatesAsMagnitudesAndSumsUp) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451544.1 9.80 old");
    const auto source = dir.write("est.txt", "2451545.3 a2v3b good\r\n2451546 2 3 ok\r\n"
                                             "2451547 a2v3x unknown\r\n");
    const auto run = runCli({"import", data, "--stars", "a9.34 b10.11 c11.28", "--from", source});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempDir::read(data),
              "2451544.1 9.80 old\r\n2451545.3000 9.65 good\r\n2451546 9.65 ok\r\n");
    EXPECT_EQ(run.out, "2 lines added, 1 skipped (the first at line 3: the comparison star x is "
                       "not in the comparison-star line)\n");
    const auto json =
        runCli({"import", data, "--stars", "a9.34 b10.11", "--from", source, "--json"});
    EXPECT_EQ(json.out, "{\"added\":2,\"skipped\":1,\"first_skipped_line\":3}\n");
    const auto refused = runCli({"import", data, "--stars", "a9.34 b1o", "--from", source});
    EXPECT_EQ(refused.status, 1);
}
