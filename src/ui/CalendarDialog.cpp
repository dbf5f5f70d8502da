#include "CalendarDialog.h"

#include "core/JulianDate.h"

#include <QCalendar>
#include <QCalendarWidget>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace quelmar {

namespace {

// The last year the conversion takes in the Julian calendar.
constexpr int LastJulianYear = 1585;

QCalendar calendarOfYear(int year) {
    return year <= LastJulianYear ? QCalendar(QCalendar::System::Julian) : QCalendar();
}

} // namespace

QString julianDayRange(const QDateTime& moment) {
    // A day is given to the conversion in the calendar the conversion takes its year in.
    QCalendar::YearMonthDay date =
        QCalendar(QCalendar::System::Julian).partsFromDate(moment.date());
    if (date.year > LastJulianYear) date = QCalendar().partsFromDate(moment.date());
    const QTime time = moment.time();
    const double jd = dateToJD(date.year, date.month, date.day, time.hour(), time.minute());
    const auto day = static_cast<long long>(std::trunc(jd));
    return QStringLiteral("JD: %1-%2").arg(day).arg(day + 1);
}

CalendarDialog::CalendarDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tcalendbox"));
    setWindowTitle(QStringLiteral("Календарь"));
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("MonthCalendar1"));
    calendar_->setGridVisible(true);
    julianDateLabel_ = new QLabel(QStringLiteral(" "), this);
    julianDateLabel_->setObjectName(QStringLiteral("Label1"));
    julianDateLabel_->setAlignment(Qt::AlignCenter);
    julianDateLabel_->setStyleSheet(QStringLiteral("QLabel { color: blue; font-weight: bold; }"));
    julianDateLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(calendar_);
    layout->addWidget(julianDateLabel_);
    connect(calendar_, &QCalendarWidget::clicked, this, &CalendarDialog::showJulianDate);
    connect(calendar_, &QCalendarWidget::currentPageChanged, this,
            &CalendarDialog::showPageInItsCalendar);
}

// The month pages are in the Julian calendar up to its last year and in the Gregorian after,
// so the day picked is the day the conversion takes.
void CalendarDialog::showPageInItsCalendar(int year, int month) {
    const QCalendar shown = calendar_->calendar();
    const QCalendar wanted = calendarOfYear(year);
    if (wanted.isGregorian() == shown.isGregorian()) return;
    // A page turned to by a chosen date shows that date; one turned to by the arrows keeps its
    // year and month.
    const QDate chosen = calendar_->selectedDate();
    const QCalendar::YearMonthDay page = shown.partsFromDate(chosen);
    calendar_->setCalendar(wanted);
    if (page.year == year && page.month == month) {
        const QCalendar::YearMonthDay day = wanted.partsFromDate(chosen);
        calendar_->setCurrentPage(day.year, day.month);
    } else {
        calendar_->setCurrentPage(year, month);
    }
}

void CalendarDialog::showNow() {
    setDateTime(QDateTime::currentDateTime());
    show();
    raise();
    activateWindow();
}

void CalendarDialog::setDateTime(const QDateTime& moment) {
    calendar_->setSelectedDate(moment.date());
    timeOfDay_ = moment.time();
}

QString CalendarDialog::julianDateText() const {
    return julianDateLabel_->text();
}

void CalendarDialog::showJulianDate(QDate date) {
    julianDateLabel_->setText(julianDayRange(QDateTime(date, timeOfDay_)));
}

} // namespace quelmar
