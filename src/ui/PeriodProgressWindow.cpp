#include "PeriodProgressWindow.h"

#include "CommandBoundary.h"
#include "ModalDialogs.h"
#include "SettingsControls.h"
#include "Workbench.h"
#include "analysis/MethodPeriodogram.h"
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
    stateLabel_ = namedLabel(this, "Label1", QStringLiteral("Состояние:  Рассчитано"));
    frequencyCountLabel_ = namedLabel(this, "Label2", QStringLiteral("0 / 0"));
    elapsedCaptionLabel_ = namedLabel(this, "Label5", QStringLiteral("Затрачено"));
    elapsedLabel_ = namedLabel(this, "Label3", QStringLiteral("0:0:0"));
    ofLabel_ = namedLabel(this, "Label6", QStringLiteral("из"));
    estimateLabel_ = namedLabel(this, "Label4", QStringLiteral("0:0:0"));
    progressBar_ = addBar(this, "ProgressBar1");
    progressBar_->setTextVisible(false);
    // The gauge: the same count as a filled block with the percentage across it, the block light
    // enough for the black figures to be read over it.
    percentGauge_ = addBar(this, "Gauge1");
    percentGauge_->setAlignment(Qt::AlignCenter);
    percentGauge_->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid black; background: white; color: black; "
                       "text-align: center; min-height: 22px; }"
                       "QProgressBar::chunk { background: #8db4e2; }"));
    cancelButton_ = namedButton(this, "canbtn", QStringLiteral("Отмена"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(stateLabel_, 0, 0);
    layout->addWidget(frequencyCountLabel_, 0, 1, 1, 3);
    layout->addWidget(elapsedCaptionLabel_, 1, 0);
    layout->addWidget(elapsedLabel_, 1, 1);
    layout->addWidget(ofLabel_, 1, 2);
    layout->addWidget(estimateLabel_, 1, 3);
    layout->addWidget(progressBar_, 2, 0, 1, 4);
    layout->addWidget(percentGauge_, 3, 0, 1, 4);
    layout->addWidget(cancelButton_, 4, 0, 1, 4, Qt::AlignHCenter);
    layout->setColumnStretch(3, 1);
    setMinimumWidth(460);

    startDelay_ = new QTimer(this);
    startDelay_->setObjectName(QStringLiteral("Timer1"));
    startDelay_->setInterval(StartDelay);
    pollTimer_ = new QTimer(this);
    pollTimer_->setInterval(PollIntervalMs);
    connect(startDelay_, &QTimer::timeout, this, &PeriodProgressWindow::startScan);
    connect(pollTimer_, &QTimer::timeout, this, &PeriodProgressWindow::pollScan);
    connect(cancelButton_, &QPushButton::clicked, this, &PeriodProgressWindow::stopScan);
}

PeriodProgressWindow::~PeriodProgressWindow() {
    // A window destroyed with the program stops its scan rather than leaving it running.
    progress_.cancel = true;
    if (scan_.valid()) scan_.wait();
}

void PeriodProgressWindow::setStartDelay(std::chrono::milliseconds delay) {
    startDelay_->setInterval(delay);
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
    startDelay_->start();
    progressBar_->setValue(std::min(1, progressBar_->maximum()));
    percentGauge_->setValue(std::min(1, percentGauge_->maximum()));
}

void PeriodProgressWindow::setProgressRange(long long total) {
    barScale_ = total / INT_MAX + 1;
    const int steps = static_cast<int>(std::max(1LL, total / barScale_));
    progressBar_->setRange(0, steps);
    percentGauge_->setRange(0, steps);
}

void PeriodProgressWindow::showProgress() {
    if (!job_) return;
    const long long total = job_->grid.estimatedCount;
    const long long done = std::min(progress_.done.load(), total);
    frequencyCountLabel_->setText(QStringLiteral("%1 / %2").arg(done).arg(total));
    const double elapsed = clock_.isValid() ? clock_.elapsed() / 1000.0 : 0.0;
    elapsedLabel_->setText(QString::fromStdString(durationText(elapsed)));
    // Frequency done + 1 is the one being computed; the estimate scales the time spent.
    const double estimate = elapsed * static_cast<double>(total) / static_cast<double>(done + 1);
    estimateLabel_->setText(QString::fromStdString(durationText(estimate)));
    const int step = std::max(1, static_cast<int>(done / barScale_));
    progressBar_->setValue(std::min(step, progressBar_->maximum()));
    percentGauge_->setValue(std::min(step, percentGauge_->maximum()));
}

void PeriodProgressWindow::startScan() {
    startDelay_->stop();
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
                if (job.method.method == PeriodMethod::LaflerKinman)
                    return scanPeriods(job.series, job.grid, *writer_, 0, progress_);
                return methodScan(weightedSeries(job.series), job.series, job.method, job.grid,
                                  *writer_, 0, progress_);
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
    startDelay_->stop();
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
