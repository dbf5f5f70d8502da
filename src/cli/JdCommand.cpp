#include "commands.h"
#include "core/JulianDate.h"
#include "core/numbers.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

void addJdCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("jd", "Convert a calendar date and Universal Time to a Julian "
                                         "date");
    struct Date {
        double year = 0, month = 0, day = 0, hour = 0, minute = 0;
    };
    auto date = std::make_shared<Date>();
    cmd->add_option("YEAR", date->year, "year (1585 and earlier: Julian calendar)")->required();
    cmd->add_option("MONTH", date->month, "month, 1 to 12")->required();
    cmd->add_option("DAY", date->day, "day of the month")->required();
    cmd->add_option("HOUR", date->hour, "hour (UT)");
    cmd->add_option("MINUTE", date->minute, "minute");
    cmd->callback([date] {
        std::cout << fixed(dateToJD(date->year, date->month, date->day, date->hour, date->minute), 4)
                  << '\n';
    });
}

} // namespace quelmar::cli
