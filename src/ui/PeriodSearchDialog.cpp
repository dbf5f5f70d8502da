#include "PeriodSearchDialog.h"

#include "CommandBoundary.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "analysis/PeriodScan.h"

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

} // namespace

PeriodSearchDialog::PeriodSearchDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TPerfrm"));
    setWindowTitle(QStringLiteral("Расчёт периода"));
    createControls();
    layOut();
    for (QLineEdit* edit : {minpered, Maxpered, minfreced, maxfreced})
        edit->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &PeriodSearchDialog::browsePeriodogramFile);
    connect(okbtn, &QPushButton::clicked, this, &PeriodSearchDialog::startSearch);
    connect(canbtn, &QPushButton::clicked, this, &PeriodSearchDialog::cancelSearch);
}

void PeriodSearchDialog::createControls() {
    Label1 = namedLabel(this, "Label1", QStringLiteral("Введите данные для расчета:"));
    Label2 = namedLabel(this, "Label2", QStringLiteral("Файл периодов:"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("Диапазон  от :"));
    Label4 = namedLabel(this, "Label4", QStringLiteral(" до:"));
    Label5 = namedLabel(this, "Label5", QStringLiteral(" дней."));
    Label6 = namedLabel(this, "Label6", QString::fromUtf8(designText(message::StepLabel)));
    Label7 = namedLabel(this, "Label7", QStringLiteral("Частоты  от  :"));
    Label8 = namedLabel(this, "Label8", QStringLiteral(" до:"));
    Label9 = namedLabel(this, "Label9", QStringLiteral("Колонка №  :"));
    Pered = addEdit(this, "Pered", 15);
    minpered = addEdit(this, "minpered", 5);
    Maxpered = addEdit(this, "Maxpered", 5);
    minfreced = addEdit(this, "minfreced", 8);
    maxfreced = addEdit(this, "maxfreced", 8);
    dfed = addEdit(this, "dfed", 5);
    dfed->setText(QStringLiteral("0.01"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setEditText(QStringLiteral("1"));
    ComboBox1->setEnabled(false);
    Button1 = namedButton(this, "Button1", QStringLiteral("..."));
    Button1->setAutoDefault(false);
    okbtn = namedButton(this, "okbtn", QStringLiteral("Рассчитать"));
    okbtn->setDefault(true);
    canbtn = namedButton(this, "canbtn", QStringLiteral("Отмена"));
    canbtn->setAutoDefault(false);
}

void PeriodSearchDialog::layOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 5);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Pered, 1, 1, 1, 3);
    grid->addWidget(Button1, 1, 4);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(minpered, 2, 1);
    grid->addWidget(Label4, 2, 2);
    grid->addWidget(Maxpered, 2, 3);
    grid->addWidget(Label5, 2, 4);
    grid->addWidget(Label7, 3, 0);
    grid->addWidget(minfreced, 3, 1);
    grid->addWidget(Label8, 3, 2);
    grid->addWidget(maxfreced, 3, 3);
    grid->addWidget(Label6, 4, 0);
    grid->addWidget(dfed, 4, 1);
    grid->addWidget(Label9, 5, 0);
    grid->addWidget(ComboBox1, 5, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okbtn);
    buttons->addWidget(canbtn);
    grid->addLayout(buttons, 6, 0, 1, 5);
}

void PeriodSearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) proposeFields();
}

void PeriodSearchDialog::proposeFields() {
    // After a refusal the user comes back to correct what was typed, not to start afresh.
    const std::string& data = workbench_.document.files().DataFileName;
    const bool keepTyped = refusedFor_ == data;
    refusedFor_.reset();
    if (!keepTyped) Pered->setText(QString::fromStdString(periodogramFileName(data)));
    const int columns = workbench_.document.files().DataChannelCount;
    // Files of one or two value columns leave the box as the last larger file left it.
    if (columns > 2) {
        const QString chosen = ComboBox1->currentText();
        ComboBox1->setEnabled(true);
        ComboBox1->clear();
        for (int k = 1; k <= columns; ++k)
            ComboBox1->addItem(QString::number(k));
        ComboBox1->setEditText(chosen);
    }
}

bool PeriodSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that goes to another window or a menu has not left the edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == minpered)
                minPeriodLeft();
            else if (watched == Maxpered)
                maxPeriodLeft();
            else if (watched == minfreced)
                minFrequencyLeft();
            else if (watched == maxfreced)
                maxFrequencyLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PeriodSearchDialog::applyPendingConversion() {
    const QWidget* typed = focusWidget();
    if (typed == minpered)
        minPeriodLeft();
    else if (typed == Maxpered)
        maxPeriodLeft();
    else if (typed == minfreced)
        minFrequencyLeft();
    else if (typed == maxfreced)
        maxFrequencyLeft();
}

void PeriodSearchDialog::minPeriodLeft() {
    setReciprocal(maxfreced, minpered);
}
void PeriodSearchDialog::maxPeriodLeft() {
    setReciprocal(minfreced, Maxpered);
}
void PeriodSearchDialog::minFrequencyLeft() {
    setReciprocal(Maxpered, minfreced);
}
void PeriodSearchDialog::maxFrequencyLeft() {
    setReciprocal(minpered, maxfreced);
}

// The dialog starts where the scan will write: a bare name is a file of the working folder.
void PeriodSearchDialog::browsePeriodogramFile() {
    const QFileInfo proposed(QDir::current(), Pered->text());
    OpenDialog dialog = workbench_.openDialog;
    dialog.title = workbench_.say(message::SaveDialogTitle);
    dialog.initialFolder = proposed.absolutePath();
    dialog.fileName = Pered->text().isEmpty() ? QString() : proposed.absoluteFilePath();
    dialog.defaultSuffix = QStringLiteral("per");
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    workbench_.openDialog.fileName = path;
    Pered->setText(path);
}

void PeriodSearchDialog::startSearch() {
    // Enter in a range edit scans the range it shows, converted as leaving the edit would.
    applyPendingConversion();
    bool changeRange = false;
    std::optional<PeriodScanJob> job = prepareScan(changeRange);
    if (changeRange) return;
    // A refused or declined scan closes the dialog too; its fields stay for the next showing.
    if (!job)
        refusedFor_ = workbench_.document.files().DataFileName;
    else if (progress_)
        progress_->run(std::move(*job), this);
    accept();
}

void PeriodSearchDialog::cancelSearch() {
    reject();
}

std::optional<PeriodScanJob> PeriodSearchDialog::prepareScan(bool& changeRange) {
    if (Pered->text().isEmpty() || Maxpered->text().isEmpty() || minpered->text().isEmpty()) {
        workbench_.inform(this, workbench_.message(LanguageLine::NotAllDataEntered));
        return std::nullopt;
    }
    std::optional<PeriodScanJob> prepared;
    runCommand(workbench_, this, QString::fromStdString(workbench_.document.files().DataFileName),
               [&] {
                   const PeriodScanSettings settings = periodScanSettings(
                       minpered->text().toStdString(), Maxpered->text().toStdString(),
                       dfed->text().toStdString(), ComboBox1->currentText().toStdString());
                   PeriodScanJob job;
                   job.PeriodFileName = Pered->text().toStdString();
                   job.series = readPeriodSeries(workbench_.document.files().DataFileName,
                                                 settings.column, workbench_.settings.Missing);
                   tellWhatIsLeftOut(job.series);
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
