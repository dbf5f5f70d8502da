#include "CliRun.h"

#include <gtest/gtest.h>

using quelmar::test::runCli;

TEST(JdCommand, ConvertsADateAndTime) {
    const auto run = runCli({"jd", "2000", "1", "1", "12", "0"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2451545.0000\n");
    EXPECT_EQ(runCli({"jd", "2000", "1", "1", "12", "--json"}).out, "{\"jd\":2451545.0000}\n");
}

TEST(JdCommand, RefusesWhatIsNoDateNamingTheArgument) {
    const struct {
        std::vector<std::string> date;
        const char* message;
    } cases[] = {
        {{"nan", "1", "1"}, "the year \"nan\" is not a number"},
        {{"inf", "1", "1"}, "the year \"inf\" is not a number"},
        {{"1e4000", "1", "1"}, "the year \"1e4000\" is not a number"},
        {{"", "1", "1"}, "the year \"\" is not a number"},
        {{"2000", "13", "1"}, "the month 13 is not a whole number from 1 to 12"},
        {{"2000", "1", "32"}, "the day 32 is not a day of the month"},
        {{"1900", "2", "29"}, "the day 29 is not a day of the month"},
        {{"2000", "1", "1", "25"}, "the hour 25 is not an hour of the day"},
        {{"2000", "1", "1", "1", "61"}, "the minute 61 must be at least 0 and less than 60"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"jd"};
        arguments.insert(arguments.end(), c.date.begin(), c.date.end());
        const auto run = runCli(arguments);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(run.err.rfind(std::string("quelmar-cli: ") + c.message, 0), 0u) << run.err;
    }
}
