#include "CalendarDialog.h"

#include "core/JulianDate.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace quelmar {

QString julianDayRange(const QDateTime& moment) {
    const QDate date = moment.date();
    const QTime time = moment.time();
    const double jd = dateToJD(date.year(), date.month(), date.day(), time.hour(), time.minute());
    const auto day = static_cast<long long>(std::trunc(jd));
    return QStringLiteral("JD: %1-%2").arg(day).arg(day + 1);
}

CalendarDialog::CalendarDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tcalendbox"));
    setWindowTitle(QStringLiteral("Календарь"));
    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setGridVisible(true);
    Label1 = new QLabel(QStringLiteral(" "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("QLabel { color: blue; font-weight: bold; }"));
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MonthCalendar1);
    layout->addWidget(Label1);
    connect(MonthCalendar1, &QCalendarWidget::clicked, this, &CalendarDialog::showJulianDate);
}

void CalendarDialog::showNow() {
    setDateTime(QDateTime::currentDateTime());
    show();
    raise();
    activateWindow();
}

void CalendarDialog::setDateTime(const QDateTime& moment) {
    MonthCalendar1->setSelectedDate(moment.date());
    timeOfDay_ = moment.time();
}

QString CalendarDialog::julianDateText() const { return Label1->text(); }

void CalendarDialog::showJulianDate(QDate date) {
    Label1->setText(julianDayRange(QDateTime(date, timeOfDay_)));
}

} // namespace quelmar
