#include "PeakListWindow.h"

#include "CommandBoundary.h"
#include "CurveWindow.h"
#include "PhaseCurveDialog.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "analysis/MethodPeriodogram.h"
#include "analysis/PhaseCurve.h"
#include "core/ObservationFile.h"
#include "core/numbers.h"
#include "document/CurveNavigation.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <cmath>

namespace quelmar {

namespace {

// A periodogram holds the statistic and the period after the frequency.
constexpr int PeriodogramChannels = 2;

QString absolute(const std::string& path) {
    return path.empty() ? QString() : QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

QString daysText(double value) {
    return std::isfinite(value) ? QString::fromStdString(fixed(value, 8)) : QStringLiteral("—");
}

struct RelationName {
    std::string_view relation; // as the peak finder labels it
    const OwnMessage& text;
};
const RelationName RelationNames[] = {{"1-day alias", message::OneDayAlias},
                                      {"sidereal-day alias", message::SiderealDayAlias},
                                      {"lunar alias", message::LunarAlias}};

} // namespace

PeakListWindow::PeakListWindow(Workbench& workbench, CurveWindow& curve, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint),
      workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("TPeaks"));
    setWindowTitle(QString::fromUtf8(designText(message::PeaksTitle)));
    createControls();
    showPeaks();
    connect(&workbench_.documentSignals, &DocumentSignals::changed, this, [this](unsigned what) {
        if (what & FilesChanged) filesChanged();
    });
}

void PeakListWindow::createControls() {
    sourceLabel_ = namedLabel(this, "Label1", QString());
    sourceLabel_->setWordWrap(true);
    peakTable_ = new QTableWidget(0, 4, this);
    peakTable_->setObjectName(QStringLiteral("PeakGrid"));
    peakTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    peakTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    peakTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    peakTable_->verticalHeader()->hide();
    peakTable_->horizontalHeader()->setStretchLastSection(true);
    peakTable_->setMinimumSize(420, 160);
    foldButton_ = namedButton(this, "foldbtn", QString::fromUtf8(designText(message::PeaksFold)));
    closeButton_ =
        namedButton(this, "closebtn", QString::fromUtf8(designText(message::PeaksClose)));
    for (QPushButton* button : {foldButton_, closeButton_})
        button->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(sourceLabel_, 0, 0, 1, 3);
    grid->addWidget(peakTable_, 1, 0, 1, 3);
    grid->addWidget(foldButton_, 2, 1);
    grid->addWidget(closeButton_, 2, 2);
    grid->setColumnStretch(0, 1);

    connect(peakTable_, &QTableWidget::itemSelectionChanged, this, &PeakListWindow::choosePeak);
    connect(peakTable_, &QTableWidget::cellDoubleClicked, this, &PeakListWindow::foldChosenPeak);
    connect(foldButton_, &QPushButton::clicked, this, &PeakListWindow::foldChosenPeak);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

void PeakListWindow::periodogramSearched(const QString& path, int column,
                                         const MethodSettings& method) {
    searched_ = QFileInfo(path).absoluteFilePath();
    searchedColumn_ = column;
    searchedMethod_ = method;
    listPeriodogram(searched_, column);
}

void PeakListWindow::listPeriodogram(const QString& path, int column) {
    clearPeaks();
    periodogram_ = QFileInfo(path).absoluteFilePath();
    column_ = column;
    const std::string& data = workbench_.document.files().DataFileName;
    if (data.empty()) {
        sourceLabel_->setText(workbench_.say(message::PeaksNeedDataFile, {periodogram_}));
    } else {
        // Shown in the window rather than in a box: the list opens of itself with a file.
        try {
            const Periodogram periodogram = readPeriodogram(periodogram_.toStdString());
            const PeriodSeries series = readPeriodSeries(data, column, workbench_.settings.Missing);
            const WeightedSeries weighted = weightedSeries(series);
            peaks_ = periodogram_ == searched_
                         ? searchPeaks(periodogram, searchedMethod_, weighted, series)
                         : periodogramFilePeaks(periodogram, weighted, series);
        } catch (const std::exception& failure) {
            sourceLabel_->setText(failureText(workbench_, failure, periodogram_));
        }
    }
    showPeaks();
    show();
    raise();
}

void PeakListWindow::clearPeaks() {
    peaks_.clear();
    periodogram_.clear();
    phaseFile_.clear();
    showPeaks();
}

void PeakListWindow::showPeaks() {
    const QSignalBlocker quiet(peakTable_);
    peakTable_->setHorizontalHeaderLabels({workbench_.say(message::PeakPeriodHeading),
                                           workbench_.say(message::PeakErrorHeading),
                                           workbench_.say(message::PeakStatisticHeading),
                                           workbench_.say(message::PeakRelationHeading)});
    const int chosen = chosenRow();
    peakTable_->setRowCount(static_cast<int>(peaks_.size()));
    for (int row = 0; row < peakTable_->rowCount(); ++row) {
        const PeriodPeak& peak = peaks_[static_cast<std::size_t>(row)];
        const QStringList cells{daysText(peak.period), daysText(peak.periodError),
                                QString::fromStdString(fixed(peak.statistic, 8)),
                                relationText(peak)};
        for (int column = 0; column < cells.size(); ++column)
            peakTable_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    peakTable_->resizeColumnsToContents();
    if (chosen >= 0 && chosen < peakTable_->rowCount()) peakTable_->selectRow(chosen);
    if (!peaks_.empty())
        sourceLabel_->setText(workbench_.say(
            message::PeaksListed, {QFileInfo(periodogram_).fileName(), QString::number(column_),
                                   absolute(workbench_.document.files().DataFileName)}));
    else if (!periodogram_.isEmpty() && sourceLabel_->text().isEmpty())
        sourceLabel_->setText(workbench_.say(message::PeaksNone, {periodogram_}));
    else if (periodogram_.isEmpty())
        sourceLabel_->clear();
    foldButton_->setEnabled(!peaks_.empty());
}

QString PeakListWindow::relationText(const PeriodPeak& peak) const {
    if (peak.relation.empty()) return {};
    QString name = QString::fromStdString(peak.relation);
    for (const RelationName& known : RelationNames)
        if (peak.relation == known.relation) name = workbench_.say(known.text);
    return workbench_.say(message::PeakRelation, {name, daysText(peak.relationTo)});
}

int PeakListWindow::chosenRow() const {
    const QList<QTableWidgetItem*> chosen = peakTable_->selectedItems();
    return chosen.isEmpty() ? -1 : chosen.front()->row();
}

// The view turns to the periodogram when it shows another file, then its cursor to the peak.
void PeakListWindow::choosePeak() {
    const int row = chosenRow();
    if (row < 0 || periodogram_.isEmpty()) return;
    if (absolute(workbench_.document.files().CurveFileName) != periodogram_) {
        if (!curve_.openCurveFile(periodogram_.toStdString(), PeriodogramChannels)) return;
        // The keys stay with the list, to step on through the peaks.
        activateWindow();
        peakTable_->setFocus();
    }
    const double frequency = peaks_[static_cast<std::size_t>(row)].frequency;
    workbench_.document.setCursorPoint(pointNearestX(workbench_.document.points(), frequency));
}

// The epoch is the date of the lowest point as the view draws the data file.
void PeakListWindow::foldChosenPeak() {
    const int row = chosenRow() < 0 ? 0 : chosenRow();
    if (peaks_.empty()) return;
    const double period = peaks_[static_cast<std::size_t>(row)].period;
    const std::string& data = workbench_.document.files().DataFileName;
    double epoch = 0;
    if (!runCommand(workbench_, this, absolute(data), [&] {
            const PeriodSeries series =
                readPeriodSeries(data, column_, workbench_.settings.Missing);
            epoch =
                periodogram_ == searched_ && searchedMethod_.method == PeriodMethod::BoxLeastSquares
                    ? bestTransit(weightedSeries(series), searchedMethod_, 1 / period).epoch
                    : dateOfLowestPoint(series, workbench_.document.view().Flipped);
        }))
        return;
    const QString output =
        QDir::current().absoluteFilePath(QString::fromStdString(phaseFileName(data)));
    if (!writeWorkbenchPhaseCurve(workbench_, this, output, epoch, period)) return;
    // The view takes the phase file; the list stays for the next peak.
    phaseFile_ = output;
    emit phaseCurveWritten(output);
}

// Another file shown empties the list and closes it; a periodogram shown is listed.
void PeakListWindow::filesChanged() {
    const QString shown = absolute(workbench_.document.files().CurveFileName);
    if (shown.isEmpty() ||
        (!periodogram_.isEmpty() && (shown == periodogram_ || shown == phaseFile_)))
        return;
    if (isPeriodogramFile(shown.toStdString())) {
        listPeriodogram(shown, shown == searched_ ? searchedColumn_ : 1);
        return;
    }
    clearPeaks();
    close();
}

void PeakListWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        foldChosenPeak();
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace quelmar
