#include "ShellFixture.h"

#include "ui/CalendarDialog.h"

#include <QCalendarWidget>
#include <QLabel>

namespace quelmar::test {
namespace {

TEST(JulianDayRange, TheTimeOfDayDecidesTheDay) {
    EXPECT_EQ(julianDayRange(QDateTime(QDate(2000, 1, 1), QTime(0, 0))), "JD: 2451544-2451545");
    EXPECT_EQ(julianDayRange(QDateTime(QDate(2000, 1, 1), QTime(11, 59))), "JD: 2451544-2451545");
    EXPECT_EQ(julianDayRange(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), "JD: 2451545-2451546");
    EXPECT_EQ(julianDayRange(QDateTime(QDate(2000, 1, 1), QTime(18, 30))), "JD: 2451545-2451546");
}

using CalendarTest = ShellTest;

TEST_F(CalendarTest, AClickedDayShowsItsJulianDatesWithTheCalendarsTime) {
    StartUp& shell = startWithFile();
    CalendarDialog& calendar = shell.calendar();
    clickMenuItem("N1", "calendbutt");
    ASSERT_TRUE(calendar.isVisible());
    EXPECT_FALSE(calendar.isModal());
    EXPECT_EQ(calendar.windowTitle(), "en 48");

    calendar.setDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    auto* month = find<QCalendarWidget>(calendar, "MonthCalendar1");
    emit month->clicked(QDate(2000, 1, 1));
    EXPECT_EQ(calendar.julianDateText(), "JD: 2451544-2451545");

    calendar.setDateTime(QDateTime(QDate(1999, 12, 31), QTime(13, 5)));
    emit month->clicked(QDate(2000, 1, 1));
    EXPECT_EQ(calendar.julianDateText(), "JD: 2451545-2451546");
}

} // namespace
} // namespace quelmar::test
