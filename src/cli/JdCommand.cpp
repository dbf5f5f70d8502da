#include "Arguments.h"
#include "JsonOutput.h"
#include "commands.h"
#include "core/Error.h"
#include "core/JulianDate.h"
#include "core/numbers.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

namespace {

// The arguments as typed: read by the program's own number reader, so "nan", "inf", a number
// beyond the range of doubles or an empty text is refused rather than converted.
struct DateTexts {
    std::string year, month, day, hour = "0", minute = "0";
};

double argument(const std::string& text, const char* name) {
    const auto value = parseNumber(text);
    if (!value)
        throw QuelmarError("the " + std::string(name) + " \"" + text + "\" is not a number");
    return *value;
}

} // namespace

void addJdCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("jd", "Convert a calendar date and Universal Time to a Julian "
                                         "date");
    auto date = std::make_shared<DateTexts>();
    cmd->add_option("YEAR", date->year, "year, a whole number (1585 and earlier: Julian calendar)")
        ->required();
    cmd->add_option("MONTH", date->month, "month, 1 to 12")->required();
    cmd->add_option("DAY", date->day, "day of the month, from 1 (a fraction of a day allowed)")
        ->required();
    cmd->add_option("HOUR", date->hour, "hour (UT), 0 to below 24");
    cmd->add_option("MINUTE", date->minute, "minute, 0 to below 60");
    auto json = std::make_shared<bool>(false);
    addJsonFlag(*cmd, *json);
    cmd->callback([date, json] {
        const double year = argument(date->year, "year");
        const double month = argument(date->month, "month");
        const double day = argument(date->day, "day");
        const double hour = argument(date->hour, "hour");
        const double minute = argument(date->minute, "minute");
        checkCalendarDate(year, month, day, hour, minute);
        const double jd = dateToJD(year, month, day, hour, minute);
        std::cout << (*json ? JsonObject().number("jd", jd, 4).str() : fixed(jd, 4)) << '\n';
    });
}

} // namespace quelmar::cli
