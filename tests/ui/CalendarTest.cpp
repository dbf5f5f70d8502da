#include "ShellFixture.h"

#include "ui/CalendarDialog.h"

#include <QCalendar>
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

TEST(JulianDayRange, DaysUpTo1585AreReadInTheJulianCalendar) {
    const QCalendar julian(QCalendar::System::Julian);
    const struct {
        QDate day;
        const char* range;
    } cases[] = {
        {QDate(1585, 10, 4, julian), "JD: 2300255-2300256"},
        {QDate(1500, 2, 29, julian), "JD: 2268991-2268992"},
        {QDate(1585, 12, 31, julian), "JD: 2300343-2300344"},
        {QDate(1586, 1, 1), "JD: 2300334-2300335"}, // Gregorian from 1586
    };
    for (const auto& c : cases)
        EXPECT_EQ(julianDayRange(QDateTime(c.day, QTime(0, 0))), c.range) << c.range;
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

    // The pages of 1585 and before are Julian, so the cell of 1585-10-04 is that Julian day.
    calendar.setDateTime(
        QDateTime(QDate(1585, 10, 4, QCalendar(QCalendar::System::Julian)), QTime(0, 0)));
    EXPECT_FALSE(month->calendar().isGregorian());
    EXPECT_EQ(month->yearShown(), 1585);
    EXPECT_EQ(month->monthShown(), 10);
    emit month->clicked(month->selectedDate());
    EXPECT_EQ(calendar.julianDateText(), "JD: 2300255-2300256");
    calendar.setDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    EXPECT_TRUE(month->calendar().isGregorian());
    EXPECT_EQ(month->yearShown(), 2000);
}

} // namespace
} // namespace quelmar::test
