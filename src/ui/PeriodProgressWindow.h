#pragma once
// The period-search progress window: runs a prepared scan on worker threads and shows how far
// it has come (finished and total trial frequencies, the time spent and the estimated total)
// until the scan ends, fails or the user stops it.

#include "analysis/PeriodMethod.h"
#include "analysis/PeriodScan.h"

#include <QDialog>
#include <QElapsedTimer>

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quelmar {

class PeriodogramWriter;
struct Workbench;

// Everything a scan needs, read and checked before the progress window opens.
struct PeriodScanJob {
    PeriodSeries series;
    FrequencyGrid grid;
    std::string PeriodFileName; // the periodogram written
    MethodSettings method;      // Lafler–Kinman's Θ, or another statistic
};

class PeriodProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit PeriodProgressWindow(Workbench& workbench, QWidget* parent = nullptr);
    ~PeriodProgressWindow() override;

    // Shows the window modally above the opener and runs the scan once it has appeared; returns
    // when the window has closed. The outcome of a scan that ran to its end or was stopped;
    // nothing when it failed or its periodogram could not be put in place (the failure has
    // been shown), or the window was closed before it began.
    std::optional<ScanOutcome> run(PeriodScanJob job, QWidget* opener);

    bool scanning() const { return scan_.valid(); }

    // How long the window is shown before its scan starts; a second unless changed.
    void setStartDelay(std::chrono::milliseconds delay);

    // Starts the scan (once per showing).
    void startScan();
    // Stops the scan; the user is then asked whether to keep the lines written so far.
    void stopScan();
    // The close button and Escape: a running scan is stopped only if the user says so.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void resetDisplay();
    void setProgressRange(long long total);
    void showProgress();
    void pollScan();
    // Waits for the scan's thread and keeps its outcome, showing a failure.
    void collectScan();
    // Puts a finished periodogram in the file's place; a stopped one only if the user keeps it.
    void settlePeriodogram();

    Workbench& workbench_;
    QLabel* stateLabel_;
    QLabel* frequencyCountLabel_;
    QLabel* elapsedLabel_;
    QLabel* estimateLabel_;
    QLabel* elapsedCaptionLabel_;
    QLabel* ofLabel_;
    QProgressBar* progressBar_;
    QProgressBar* percentGauge_;
    QPushButton* cancelButton_;
    QTimer* startDelay_;
    QTimer* pollTimer_;

    std::optional<PeriodScanJob> job_;
    ScanProgress progress_;
    std::unique_ptr<PeriodogramWriter> writer_; // the periodogram until it is settled
    std::future<ScanOutcome> scan_;
    std::optional<ScanOutcome> outcome_;
    QElapsedTimer clock_;
    long long barScale_ = 1; // frequencies per step of the bars, whose range is an int
};

} // namespace quelmar
