#pragma once
// Calendar date and Universal Time to Julian date. Years up to and including 1585 are taken in
// the Julian calendar, later years in the Gregorian (the switch is at 1585, as observers'
// archives of this program have always had it).

namespace quelmar {

double dateToJD(double year, double month, double day, double hour = 0, double minute = 0);

} // namespace quelmar
