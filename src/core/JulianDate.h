#pragma once
// Calendar date and Universal Time to Julian date. Years up to and including 1585 are taken in
// the Julian calendar, later years in the Gregorian (the switch is at 1585, as observers'
// archives of this program have always had it).

namespace quelmar {

double dateToJD(double year, double month, double day, double hour = 0, double minute = 0);

// Days in a month of a year, in the calendar dateToJD takes that year in.
int daysInMonth(double year, int month);

// Refuses what is no date and time: the year must be a whole number, the month a whole number
// from 1 to 12, the day at least 1 and before the end of the month's last day, the hour at
// least 0 and below 24, the minute at least 0 and below 60 (day, hour and minute may have
// fractions). Throws QuelmarError naming the first value that is wrong.
void checkCalendarDate(double year, double month, double day, double hour = 0, double minute = 0);

} // namespace quelmar
