#pragma once
// The calendar: a month calendar whose clicked day is shown as the range of Julian dates it
// falls in, taking along the time of day the calendar was opened with. Up to 1585 the pages
// are in the Julian calendar, after it in the Gregorian, as dates are converted.

#include <QDateTime>
#include <QDialog>

class QCalendarWidget;
class QLabel;

namespace quelmar {

class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalendarDialog(QWidget* parent = nullptr);

    // Sets the calendar to the current local date and time and shows the dialog (not modal).
    void showNow();
    // Sets the date and the time of day the calendar carries.
    void setDateTime(const QDateTime& moment);
    QString julianDateText() const;

    void showJulianDate(QDate date);

private slots:
    void showPageInItsCalendar(int year, int month);

private:
    QCalendarWidget* calendar_;
    QLabel* julianDateLabel_;
    QTime timeOfDay_;
};

// "JD: N-N+1" for the Julian date of a moment, N the date truncated to an integer; the day is
// read in the Julian calendar up to 1585.
QString julianDayRange(const QDateTime& moment);

} // namespace quelmar
