#include "PeriodSearchDialog.h"

#include "CommandBoundary.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "analysis/PeriodScan.h"
#include "core/Error.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QValidator>

#include <algorithm>

namespace quelmar {

// Typing stops at the limit. Text the program sets may be longer; the user may then shorten
// it, or change it without lengthening it, but never type it past the limit.
class LimitedEdit::Limit : public QValidator {
public:
    explicit Limit(LimitedEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override {
        const qsizetype size = input.size();
        return size <= edit_->typingLimit_ || size <= edit_->shownLength_ ? Acceptable : Invalid;
    }

private:
    const LimitedEdit* edit_;
};

LimitedEdit::LimitedEdit(int typingLimit, QWidget* parent)
    : QLineEdit(parent), typingLimit_(typingLimit) {
    setValidator(new Limit(this));
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { shownLength_ = text.size(); });
}

namespace {

LimitedEdit* addEdit(QWidget* window, const char* name, int typingLimit) {
    auto* edit = new LimitedEdit(typingLimit, window);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// Sets the edit to 1 / the value typed into `typed`; an empty, zero or unreadable entry
// leaves it as it was.
void setReciprocal(LimitedEdit* target, const QLineEdit* typed) {
    if (const auto text = reciprocalText(typed->text().toStdString()))
        target->setText(QString::fromStdString(*text));
}

// The method box's items, in order: the design's statistic first, the default.
const struct {
    const OwnMessage* text;
    PeriodMethod method;
} MethodItems[] = {{&message::MethodLaflerKinman, PeriodMethod::LaflerKinman},
                   {&message::MethodLombScargle, PeriodMethod::LombScargle},
                   {&message::MethodBoxSearch, PeriodMethod::BoxLeastSquares},
                   {&message::MethodPhaseDispersion, PeriodMethod::PhaseDispersion}};

// Whether the scan settings refuse these texts.
bool refusedSettings(std::string_view pmin, std::string_view pmax, std::string_view step,
                     std::string_view column) {
    try {
        periodScanSettings(pmin, pmax, step, column);
        return false;
    } catch (const QuelmarError&) {
        return true;
    }
}

} // namespace

PeriodSearchDialog::PeriodSearchDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TPerfrm"));
    setWindowTitle(QStringLiteral("Расчёт периода"));
    createControls();
    layOut();
    for (QLineEdit* edit : {minPeriodEdit_, maxPeriodEdit_, minFrequencyEdit_, maxFrequencyEdit_})
        edit->installEventFilter(this);
    connect(browseButton_, &QPushButton::clicked, this, &PeriodSearchDialog::browsePeriodogramFile);
    connect(calculateButton_, &QPushButton::clicked, this, &PeriodSearchDialog::startSearch);
    connect(cancelButton_, &QPushButton::clicked, this, &PeriodSearchDialog::cancelSearch);
}

void PeriodSearchDialog::createControls() {
    introLabel_ = namedLabel(this, "Label1", QStringLiteral("Введите данные для расчета:"));
    periodFileLabel_ = namedLabel(this, "Label2", QStringLiteral("Файл периодов:"));
    periodRangeLabel_ = namedLabel(this, "Label3", QStringLiteral("Диапазон  от :"));
    maxPeriodLabel_ = namedLabel(this, "Label4", QStringLiteral(" до:"));
    daysLabel_ = namedLabel(this, "Label5", QStringLiteral(" дней."));
    stepLabel_ = namedLabel(this, "Label6", QString::fromUtf8(designText(message::StepLabel)));
    frequencyRangeLabel_ = namedLabel(this, "Label7", QStringLiteral("Частоты  от  :"));
    maxFrequencyLabel_ = namedLabel(this, "Label8", QStringLiteral(" до:"));
    columnLabel_ = namedLabel(this, "Label9", QStringLiteral("Колонка №  :"));
    periodFileEdit_ = addEdit(this, "Pered", 15);
    minPeriodEdit_ = addEdit(this, "minpered", 5);
    maxPeriodEdit_ = addEdit(this, "Maxpered", 5);
    minFrequencyEdit_ = addEdit(this, "minfreced", 8);
    maxFrequencyEdit_ = addEdit(this, "maxfreced", 8);
    // Wide enough for the small steps of long series (0.0005, 0.00002).
    stepEdit_ = addEdit(this, "dfed", 8);
    stepEdit_->setText(QStringLiteral("0.01"));
    columnBox_ = new QComboBox(this);
    columnBox_->setObjectName(QStringLiteral("ComboBox1"));
    columnBox_->setEditable(true);
    columnBox_->setInsertPolicy(QComboBox::NoInsert);
    columnBox_->setEditText(QStringLiteral("1"));
    columnBox_->setEnabled(false);
    methodLabel_ = namedLabel(this, "MethodLabel", QString());
    methodBox_ = choiceBox(this, "MethodCombo", static_cast<int>(std::size(MethodItems)));
    browseButton_ = namedButton(this, "Button1", QStringLiteral("..."));
    browseButton_->setAutoDefault(false);
    calculateButton_ = namedButton(this, "okbtn", QStringLiteral("Рассчитать"));
    calculateButton_->setDefault(true);
    cancelButton_ = namedButton(this, "canbtn", QStringLiteral("Отмена"));
    cancelButton_->setAutoDefault(false);
}

void PeriodSearchDialog::layOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(introLabel_, 0, 0, 1, 5);
    grid->addWidget(periodFileLabel_, 1, 0);
    grid->addWidget(periodFileEdit_, 1, 1, 1, 3);
    grid->addWidget(browseButton_, 1, 4);
    grid->addWidget(periodRangeLabel_, 2, 0);
    grid->addWidget(minPeriodEdit_, 2, 1);
    grid->addWidget(maxPeriodLabel_, 2, 2);
    grid->addWidget(maxPeriodEdit_, 2, 3);
    grid->addWidget(daysLabel_, 2, 4);
    grid->addWidget(frequencyRangeLabel_, 3, 0);
    grid->addWidget(minFrequencyEdit_, 3, 1);
    grid->addWidget(maxFrequencyLabel_, 3, 2);
    grid->addWidget(maxFrequencyEdit_, 3, 3);
    grid->addWidget(stepLabel_, 4, 0);
    grid->addWidget(stepEdit_, 4, 1);
    grid->addWidget(columnLabel_, 5, 0);
    grid->addWidget(columnBox_, 5, 1);
    grid->addWidget(methodLabel_, 6, 0);
    grid->addWidget(methodBox_, 6, 1, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(calculateButton_);
    buttons->addWidget(cancelButton_);
    grid->addLayout(buttons, 7, 0, 1, 5);
}

void PeriodSearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    showOwnTexts();
    proposeFields();
}

void PeriodSearchDialog::showOwnTexts() {
    methodLabel_->setText(workbench_.say(message::MethodLabel));
    for (int i = 0; i < methodBox_->count(); ++i)
        methodBox_->setItemText(i, workbench_.say(*MethodItems[i].text));
}

void PeriodSearchDialog::proposeFields() {
    const std::string& data = workbench_.document.files().DataFileName;
    periodFileEdit_->setText(QString::fromStdString(periodogramFileName(data)));
    const int columns = workbench_.document.files().DataChannelCount;
    // Files of one or two value columns leave the box as the last larger file left it.
    if (columns > 2) {
        const QString chosen = columnBox_->currentText();
        columnBox_->setEnabled(true);
        columnBox_->clear();
        for (int k = 1; k <= columns; ++k)
            columnBox_->addItem(QString::number(k));
        columnBox_->setEditText(chosen);
    }
}

bool PeriodSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that goes to another window or a menu has not left the edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == minPeriodEdit_)
                minPeriodLeft();
            else if (watched == maxPeriodEdit_)
                maxPeriodLeft();
            else if (watched == minFrequencyEdit_)
                minFrequencyLeft();
            else if (watched == maxFrequencyEdit_)
                maxFrequencyLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PeriodSearchDialog::applyPendingConversion() {
    const QWidget* typed = focusWidget();
    if (typed == minPeriodEdit_)
        minPeriodLeft();
    else if (typed == maxPeriodEdit_)
        maxPeriodLeft();
    else if (typed == minFrequencyEdit_)
        minFrequencyLeft();
    else if (typed == maxFrequencyEdit_)
        maxFrequencyLeft();
}

void PeriodSearchDialog::minPeriodLeft() {
    setReciprocal(maxFrequencyEdit_, minPeriodEdit_);
}
void PeriodSearchDialog::maxPeriodLeft() {
    setReciprocal(minFrequencyEdit_, maxPeriodEdit_);
}
void PeriodSearchDialog::minFrequencyLeft() {
    setReciprocal(maxPeriodEdit_, minFrequencyEdit_);
}
void PeriodSearchDialog::maxFrequencyLeft() {
    setReciprocal(minPeriodEdit_, maxFrequencyEdit_);
}

// The dialog starts where the scan will write: a bare name is a file of the working folder.
void PeriodSearchDialog::browsePeriodogramFile() {
    const QFileInfo proposed(QDir::current(), periodFileEdit_->text());
    OpenDialog dialog = workbench_.openDialog;
    dialog.title = workbench_.say(message::SaveDialogTitle);
    dialog.initialFolder = proposed.absolutePath();
    dialog.fileName = periodFileEdit_->text().isEmpty() ? QString() : proposed.absoluteFilePath();
    dialog.defaultSuffix = QStringLiteral("per");
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    workbench_.openDialog.fileName = path;
    periodFileEdit_->setText(path);
}

void PeriodSearchDialog::startSearch() {
    // Enter in a range edit scans the range it shows, converted as leaving the edit would.
    applyPendingConversion();
    bool changeRange = false;
    std::optional<PeriodScanJob> job = prepareScan(changeRange);
    // A refused or declined scan keeps the dialog open, for the user to correct what was typed.
    if (!job) {
        if (!changeRange) selectRefusedField();
        return;
    }
    if (progress_) {
        const QString periodogram = QString::fromStdString(job->PeriodFileName);
        const int column = job->series.column;
        const MethodSettings method = job->method;
        const std::optional<ScanOutcome> outcome = progress_->run(std::move(*job), this);
        // A periodogram that could not be written: the user may name another file.
        if (!outcome) {
            periodFileEdit_->setFocus();
            periodFileEdit_->selectAll();
            return;
        }
        if (!outcome->cancelled) emit periodogramWritten(periodogram, column, method);
    }
    accept();
}

// The settings are tried one text at a time, the others standing in as accepted ones, so the
// field selected is the one the settings refuse.
void PeriodSearchDialog::selectRefusedField() {
    const std::string pmin = minPeriodEdit_->text().toStdString();
    const std::string pmax = maxPeriodEdit_->text().toStdString();
    const std::string step = stepEdit_->text().toStdString();
    QLineEdit* field = nullptr;
    if (periodFileEdit_->text().isEmpty())
        field = periodFileEdit_;
    else if (maxPeriodEdit_->text().isEmpty() || refusedSettings("1", pmax, "", "1"))
        field = maxPeriodEdit_;
    else if (minPeriodEdit_->text().isEmpty() || refusedSettings(pmin, "1", "", "1"))
        field = minPeriodEdit_;
    else if (refusedSettings("1", "1", "", columnBox_->currentText().toStdString()))
        field = columnBox_->lineEdit();
    else if (refusedSettings("1", "1", step, "1"))
        field = stepEdit_;
    if (!field) return;
    if (field == columnBox_->lineEdit()) columnBox_->setEnabled(true);
    field->setFocus();
    field->selectAll();
}

void PeriodSearchDialog::cancelSearch() {
    reject();
}

std::optional<PeriodScanJob> PeriodSearchDialog::prepareScan(bool& changeRange) {
    if (periodFileEdit_->text().isEmpty() || maxPeriodEdit_->text().isEmpty() ||
        minPeriodEdit_->text().isEmpty()) {
        workbench_.inform(this, workbench_.message(LanguageLine::NotAllDataEntered));
        return std::nullopt;
    }
    std::optional<PeriodScanJob> prepared;
    runCommand(workbench_, this, QString::fromStdString(workbench_.document.files().DataFileName),
               [&] {
                   const PeriodScanSettings settings = periodScanSettings(
                       minPeriodEdit_->text().toStdString(), maxPeriodEdit_->text().toStdString(),
                       stepEdit_->text().toStdString(), columnBox_->currentText().toStdString());
                   PeriodScanJob job;
                   job.PeriodFileName = periodFileEdit_->text().toStdString();
                   const double shortest = std::min(settings.pmin, settings.pmax);
                   job.method.method = MethodItems[std::max(0, methodBox_->currentIndex())].method;
                   job.method.durations = defaultDurations(shortest);
                   job.series = readPeriodSeries(workbench_.document.files().DataFileName,
                                                 settings.column, workbench_.settings.Missing);
                   tellWhatIsLeftOut(job.series);
                   checkMethodSettings(job.method, shortest, job.series.count());
                   job.grid = frequencyGrid(settings, job.series.timeSpan);
                   // One line per frequency: beyond the viewer's limit the periodogram cannot be
                   // viewed.
                   if (job.grid.estimatedCount > MaxPoints &&
                       !confirmLongPeriodogram(job.grid.estimatedCount)) {
                       changeRange = true;
                       return;
                   }
                   if (job.grid.estimatedCount > LargeScanFrequencies &&
                       !confirmLargeScan(job.grid.estimatedCount))
                       return;
                   prepared = std::move(job);
               });
    return prepared;
}

void PeriodSearchDialog::tellWhatIsLeftOut(const PeriodSeries& series) {
    const QString file = QString::fromStdString(series.path);
    if (series.ignored > 0)
        workbench_.inform(this,
                          workbench_.say(message::ObservationsBeyondLimit,
                                         {file, QString::number(series.count() + series.missing),
                                          QString::number(series.ignored)}));
    if (series.missing > 0)
        workbench_.inform(this, workbench_.say(message::MissingValuesLeftOut,
                                               {file, QString::number(series.column),
                                                QString::number(series.missing)}));
}

bool PeriodSearchDialog::confirmLongPeriodogram(long long lines) {
    return workbench_.desktop.askYesNo(
        this, ApplicationTitle,
        workbench_.say(message::LongPeriodogram,
                       {QString::number(lines), QString::number(MaxPoints)}));
}

bool PeriodSearchDialog::confirmLargeScan(long long frequencies) {
    return workbench_.desktop.askYesNo(
        this, ApplicationTitle,
        workbench_.say(message::LargeScan,
                       {QString::number(frequencies), QString::number(LargeScanFrequencies)}));
}

} // namespace quelmar
