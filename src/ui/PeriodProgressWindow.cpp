#include "PeriodProgressWindow.h"

#include "CommandBoundary.h"
#include "ModalDialogs.h"
#include "SettingsControls.h"
#include "Workbench.h"
#include "analysis/PeriodogramWriter.h"
#include "core/WritePlan.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace quelmar {

namespace {

// The window has a second to appear before the scan starts.
constexpr std::chrono::milliseconds StartDelay{1000};
// Ten refreshes a second: the counters move smoothly and Cancel is seen at once.
constexpr int PollIntervalMs = 100;

QProgressBar* addBar(QWidget* window, const char* name) {
    auto* bar = new QProgressBar(window);
    bar->setObjectName(QLatin1String(name));
    return bar;
}

} // namespace

PeriodProgressWindow::PeriodProgressWindow(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Идет расчёт периода изменения блеска. Пожалуйста, подождите"));
    Label1 = namedLabel(this, "Label1", QStringLiteral("Состояние:  Рассчитано"));
    Label2 = namedLabel(this, "Label2", QStringLiteral("0 / 0"));
    Label5 = namedLabel(this, "Label5", QStringLiteral("Затрачено"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("0:0:0"));
    Label6 = namedLabel(this, "Label6", QStringLiteral("из"));
    Label4 = namedLabel(this, "Label4", QStringLiteral("0:0:0"));
    ProgressBar1 = addBar(this, "ProgressBar1");
    ProgressBar1->setTextVisible(false);
    // The gauge: the same count as a filled block with the percentage across it.
    Gauge1 = addBar(this, "Gauge1");
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid black; background: white; color: black; "
                       "text-align: center; min-height: 22px; }"
                       "QProgressBar::chunk { background: #000080; }"));
    canbtn = namedButton(this, "canbtn", QStringLiteral("Отмена"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Label2, 0, 1, 1, 3);
    layout->addWidget(Label5, 1, 0);
    layout->addWidget(Label3, 1, 1);
    layout->addWidget(Label6, 1, 2);
    layout->addWidget(Label4, 1, 3);
    layout->addWidget(ProgressBar1, 2, 0, 1, 4);
    layout->addWidget(Gauge1, 3, 0, 1, 4);
    layout->addWidget(canbtn, 4, 0, 1, 4, Qt::AlignHCenter);
    layout->setColumnStretch(3, 1);
    setMinimumWidth(460);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(StartDelay);
    pollTimer_ = new QTimer(this);
    pollTimer_->setInterval(PollIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &PeriodProgressWindow::startScan);
    connect(pollTimer_, &QTimer::timeout, this, &PeriodProgressWindow::pollScan);
    connect(canbtn, &QPushButton::clicked, this, &PeriodProgressWindow::stopScan);
}

PeriodProgressWindow::~PeriodProgressWindow() {
    // A window destroyed with the program stops its scan rather than leaving it running.
    progress_.cancel = true;
    if (scan_.valid()) scan_.wait();
}

void PeriodProgressWindow::setStartDelay(std::chrono::milliseconds delay) {
    Timer1->setInterval(delay);
}

std::optional<ScanOutcome> PeriodProgressWindow::run(PeriodScanJob job, QWidget* opener) {
    job_ = std::move(job);
    outcome_.reset();
    progress_.done = 0;
    progress_.total = 0;
    progress_.cancel = false;
    // Each scan has its own clock, started with it: until then no time has passed.
    clock_.invalidate();
    setProgressRange(job_->grid.estimatedCount);
    showProgress();
    runModal(*this, opener);
    // The window closes only when the scan has ended; should it be closed otherwise, the
    // scan is stopped before its data go away.
    if (scanning()) {
        progress_.cancel = true;
        collectScan();
    }
    job_.reset();
    return outcome_;
}

void PeriodProgressWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) resetDisplay();
}

void PeriodProgressWindow::resetDisplay() {
    Timer1->start();
    ProgressBar1->setValue(std::min(1, ProgressBar1->maximum()));
    Gauge1->setValue(std::min(1, Gauge1->maximum()));
}

void PeriodProgressWindow::setProgressRange(long long total) {
    barScale_ = total / INT_MAX + 1;
    const int steps = static_cast<int>(std::max(1LL, total / barScale_));
    ProgressBar1->setRange(0, steps);
    Gauge1->setRange(0, steps);
}

void PeriodProgressWindow::showProgress() {
    if (!job_) return;
    const long long total = job_->grid.estimatedCount;
    const long long done = std::min(progress_.done.load(), total);
    Label2->setText(QStringLiteral("%1 / %2").arg(done).arg(total));
    const double elapsed = clock_.isValid() ? clock_.elapsed() / 1000.0 : 0.0;
    Label3->setText(QString::fromStdString(durationText(elapsed)));
    // Frequency done + 1 is the one being computed; the estimate scales the time spent.
    const double estimate = elapsed * static_cast<double>(total) / static_cast<double>(done + 1);
    Label4->setText(QString::fromStdString(durationText(estimate)));
    const int step = std::max(1, static_cast<int>(done / barScale_));
    ProgressBar1->setValue(std::min(step, ProgressBar1->maximum()));
    Gauge1->setValue(std::min(step, Gauge1->maximum()));
}

void PeriodProgressWindow::startScan() {
    Timer1->stop();
    if (!job_ || scanning()) return;
    clock_.start();
    const PeriodScanJob& job = *job_;
    // The system may refuse the thread; then the window closes with the reason.
    const bool started =
        runCommand(workbench_, this, QString::fromStdString(job.PeriodFileName), [&] {
            workbenchPlan(workbench_.document.files())
                .writes(job.PeriodFileName, message::RolePeriodogram)
                .check();
            writer_ = std::make_unique<PeriodogramWriter>(job.PeriodFileName);
            scan_ = std::async(std::launch::async, [this, &job] {
                return scanPeriods(job.series, job.grid, *writer_, 0, progress_);
            });
        });
    if (!started) {
        writer_.reset();
        QDialog::reject();
        return;
    }
    pollTimer_->start();
}

void PeriodProgressWindow::pollScan() {
    showProgress();
    if (scan_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    collectScan();
    showProgress();
    accept();
}

void PeriodProgressWindow::collectScan() {
    pollTimer_->stop();
    runCommand(workbench_, this, QString::fromStdString(job_->PeriodFileName),
               [this] { outcome_ = scan_.get(); });
    settlePeriodogram();
}

void PeriodProgressWindow::settlePeriodogram() {
    // Dropped uncommitted, the writer leaves an earlier file of the name as it was.
    const std::unique_ptr<PeriodogramWriter> writer = std::move(writer_);
    if (!outcome_ || !writer) return;
    const QString file = QString::fromStdString(writer->path());
    const bool settled = runCommand(workbench_, this, file, [&] {
        // Lines sent to a pipe or a device have gone already.
        if (!outcome_->cancelled || !writer->staged()) return writer->commit();
        const QString lines = QString::number(outcome_->lines);
        const QStringList counts{lines, QString::number(progress_.total.load()), file};
        if (outcome_->lines > 0 &&
            workbench_.desktop.askYesNo(this, ApplicationTitle,
                                        workbench_.say(message::KeepPartialPeriodogram, counts))) {
            writer->commit();
            workbench_.inform(this, workbench_.say(message::PartialPeriodogramKept, {lines, file}));
            return;
        }
        const bool earlier = QFileInfo::exists(file);
        workbench_.inform(this, workbench_.say(earlier ? message::PeriodogramLeftAsItWas
                                                       : message::NoPeriodogramWritten,
                                               {file}));
    });
    if (!settled) outcome_.reset();
}

void PeriodProgressWindow::stopScan() {
    if (scanning()) {
        progress_.cancel = true;
        return;
    }
    Timer1->stop();
    QDialog::reject();
}

void PeriodProgressWindow::reject() {
    if (!scanning()) {
        stopScan();
        return;
    }
    if (workbench_.desktop.askYesNo(this, ApplicationTitle,
                                    workbench_.say(message::StopScanQuestion)) &&
        scanning())
        progress_.cancel = true;
}

} // namespace quelmar
