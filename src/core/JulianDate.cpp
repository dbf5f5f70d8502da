#include "JulianDate.h"

#include "Error.h"
#include "numbers.h"

#include <cmath>
#include <string>

namespace quelmar {

double dateToJD(double year, double month, double day, double hour, double minute) {
    using Real = long double;
    auto T = [](Real x) { return std::trunc(x); };
    const Real Y = year, M = month, D = day;
    const Real G = Y > 1585 ? 1 : 0;
    const Real a = -T(7 * (Y + T((M + 9) / 12)) / 4);
    const Real s = M - 9 >= 0 ? 1 : -1;
    const Real v = s * T(std::fabs(M - 9) / 7);
    const Real k = -T(3 * (T(T(Y + v) / 100) + 1) / 4);
    const Real e = T(275 * M / 9);
    const Real jd = 367 * Y + a + e + D + G * k + 1721027 + 2 * G - 0.5L +
                    (static_cast<Real>(hour) + static_cast<Real>(minute) / 60) / 24;
    return static_cast<double>(jd);
}

int daysInMonth(double year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const auto divides = [year](double by) { return std::fmod(year, by) == 0; };
    const bool leap = year > 1585 ? divides(4) && (!divides(100) || divides(400)) : divides(4);
    return month == 2 && leap ? 29 : days[month - 1];
}

void checkCalendarDate(double year, double month, double day, double hour, double minute) {
    const auto refuse = [](const OwnMessage& rule, double value, std::string more = {}) {
        throw QuelmarError({rule, {roundTripText(value), std::move(more)}});
    };
    if (!std::isfinite(year) || year != std::trunc(year)) refuse(message::YearNotWhole, year);
    if (!(month >= 1 && month <= 12) || month != std::trunc(month))
        refuse(message::MonthOutOfRange, month);
    const int lastDay = daysInMonth(year, static_cast<int>(month));
    if (!(day >= 1 && day < lastDay + 1))
        refuse(message::DayOutOfRange, day, std::to_string(lastDay + 1));
    if (!(hour >= 0 && hour < 24)) refuse(message::HourOutOfRange, hour);
    if (!(minute >= 0 && minute < 60)) refuse(message::MinuteOutOfRange, minute);
}

} // namespace quelmar
