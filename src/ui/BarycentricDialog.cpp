#include "BarycentricDialog.h"

#include "CommandBoundary.h"
#include "ModalDialogs.h"
#include "SettingsControls.h"
#include "ShortenedDatesDialog.h"
#include "Workbench.h"

#include "analysis/CorrectionScale.h"
#include "analysis/TimeScales.h"
#include "core/WritePlan.h"
#include "core/cp1251.h"
#include "core/numbers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>

#include <algorithm>

namespace quelmar {

namespace {

QLineEdit* coordinateEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaximumWidth(90);
    return edit;
}

QString sexagesimalText(int part) {
    return QString::number(part);
}

// The scale box's items, in order: the design's series first, the default.
const OwnMessage* const ScaleTexts[] = {&message::ScaleSeries, &message::ScaleTdb};
// The dates box's items and the scales they stand for.
const struct {
    const OwnMessage* text;
    TimeScale scale;
} DatesItems[] = {{&message::InputJdUtc, TimeScale::JdUtc},
                  {&message::InputHjdUtc, TimeScale::HjdUtc},
                  {&message::InputBjdTdb, TimeScale::BjdTdb}};

} // namespace

BarycentricDialog::BarycentricDialog(Workbench& workbench, ShortenedDatesDialog& question,
                                     QWidget* parent)
    : QDialog(parent), workbench_(workbench), question_(question) {
    setObjectName(QStringLiteral("Tbawin"));
    setWindowTitle(QStringLiteral("Барицентрическая поправка"));
    createControls();
    layOut();
    starNameBox_->installEventFilter(this);
    // A name chosen from the list is looked up at once, not when the box is left.
    connect(starNameBox_, &QComboBox::activated, this, [this] { lookUpStar(); });
    connect(calculateButton_, &QPushButton::clicked, this, &BarycentricDialog::correctDates);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void BarycentricDialog::createControls() {
    introLabel_ = namedLabel(this, "Label1", QStringLiteral("Для расчёта поправки"));
    coordinatesLabel_ = namedLabel(this, "Label10", QStringLiteral("введите координаты звезды:"));
    raAxisLabel_ = namedLabel(this, "Label2", QStringLiteral("a:"));
    raHoursLabel_ = namedLabel(this, "Label3", QStringLiteral("час"));
    raMinutesLabel_ = namedLabel(this, "Label4", QStringLiteral("мин"));
    raSecondsLabel_ = namedLabel(this, "Label5", QStringLiteral("сек"));
    decAxisLabel_ = namedLabel(this, "Label6", QStringLiteral("d:"));
    decDegreesLabel_ = namedLabel(this, "Label7", QStringLiteral("град"));
    decMinutesLabel_ = namedLabel(this, "Label8", QStringLiteral("мин"));
    decSecondsLabel_ = namedLabel(this, "Label9", QStringLiteral("сек"));
    starNameBox_ = new QComboBox(this);
    starNameBox_->setObjectName(QStringLiteral("StarsCombo"));
    starNameBox_->setEditable(true);
    starNameBox_->setInsertPolicy(QComboBox::NoInsert);
    starNameBox_->setEditText(QString::fromUtf8(message::StellarName.english));
    raHours_ = coordinateEdit(this, "ahe");
    raMinutes_ = coordinateEdit(this, "ame");
    raSeconds_ = coordinateEdit(this, "ase");
    decDegrees_ = coordinateEdit(this, "dde");
    decMinutes_ = coordinateEdit(this, "dme");
    decSeconds_ = coordinateEdit(this, "dse");
    scaleLabel_ = namedLabel(this, "ScaleLabel", QString());
    scaleBox_ = choiceBox(this, "ScaleCombo", 2);
    // Wide enough for its longest choice in the language set after it was made.
    scaleBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    datesLabel_ = namedLabel(this, "DatesLabel", QString());
    datesBox_ = choiceBox(this, "DatesCombo", 3);
    datesBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    calculateButton_ = namedButton(this, "okbtn", QStringLiteral("Рассчитать"));
    calculateButton_->setDefault(true);
    cancelButton_ = namedButton(this, "canbtn", QStringLiteral("Отмена"));
    cancelButton_->setAutoDefault(false);
}

void BarycentricDialog::layOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(introLabel_, 0, 0, 1, 7);
    grid->addWidget(coordinatesLabel_, 1, 0, 1, 7);
    grid->addWidget(starNameBox_, 2, 0, 1, 7);
    QWidget* const row[2][7] = {{raAxisLabel_, raHours_, raHoursLabel_, raMinutes_, raMinutesLabel_,
                                 raSeconds_, raSecondsLabel_},
                                {decAxisLabel_, decDegrees_, decDegreesLabel_, decMinutes_,
                                 decMinutesLabel_, decSeconds_, decSecondsLabel_}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 7; ++c)
            grid->addWidget(row[r][c], 3 + r, c);
    grid->addWidget(scaleLabel_, 5, 0, 1, 2);
    grid->addWidget(scaleBox_, 5, 2, 1, 5);
    grid->addWidget(datesLabel_, 6, 0, 1, 2);
    grid->addWidget(datesBox_, 6, 2, 1, 5);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(calculateButton_);
    buttons->addWidget(cancelButton_);
    grid->addLayout(buttons, 7, 0, 1, 7);
}

void BarycentricDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    showOwnTexts();
    // The language's choices may be longer than the dialog was made for.
    resize(size().expandedTo(sizeHint()));
    scaleBox_->setCurrentIndex(workbench_.settings.BarycentricTdb ? 1 : 0);
    showRecordedScale();
    loadCatalogue();
}

void BarycentricDialog::showOwnTexts() {
    scaleLabel_->setText(workbench_.say(message::ScaleLabel));
    for (int i = 0; i < 2; ++i)
        scaleBox_->setItemText(i, workbench_.say(*ScaleTexts[i]));
    datesLabel_->setText(workbench_.say(message::InputDatesLabel));
    for (int i = 0; i < 3; ++i)
        datesBox_->setItemText(i, workbench_.say(*DatesItems[i].text));
}

// The dates box starts at the scale recorded for the file (JD for a file without a record).
void BarycentricDialog::showRecordedScale() {
    const TimeScale recorded = recordedTimeScale(workbench_.document.files().DataFileName);
    datesBox_->setCurrentIndex(0);
    for (int i = 0; i < 3; ++i)
        if (DatesItems[i].scale == recorded) datesBox_->setCurrentIndex(i);
}

// The list is read afresh at every showing, so a star added last time is offered; the typed
// name stays.
void BarycentricDialog::loadCatalogue() {
    catalogue_ = catalogueLocation(
        workbench_.ExecutableFolder.toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString());
    QString typed = starNameBox_->currentText();
    // The box's first text is in the interface's language until a name is typed or chosen.
    for (const InterfaceLanguage language :
         {InterfaceLanguage::English, InterfaceLanguage::Russian})
        if (typed == QString::fromStdString(ownText(message::StellarName, language)))
            typed = workbench_.say(message::StellarName);
    starNameBox_->clear();
    stars_ = StarCatalogue();
    runCommand(workbench_, this, QString::fromStdString(catalogue_.readPath),
               [&] { stars_ = StarCatalogue::load(catalogue_.readPath); });
    for (const CatalogueStar& star : stars_.stars())
        starNameBox_->addItem(fromCp1251(star.name));
    starNameBox_->setEditText(typed);
}

bool BarycentricDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == starNameBox_ && event->type() == QEvent::FocusOut) {
        // Focus that goes to the list of names, another window or a menu has not left the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Nor has a click that opens the list.
        const bool listOpen = starNameBox_->view() && starNameBox_->view()->isVisible();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !listOpen &&
            isVisible())
            lookUpStar();
    }
    return QDialog::eventFilter(watched, event);
}

void BarycentricDialog::lookUpStar() {
    const std::optional<StarPosition> listed = stars_.find(toCp1251(starNameBox_->currentText()));
    if (listed) {
        showPosition(*listed);
        NewStarPending = false;
        return;
    }
    NewStarPending = true;
    workbench_.inform(this, workbench_.message(LanguageLine::NewStar));
}

void BarycentricDialog::showPosition(const StarPosition& position) {
    const SexagesimalParts ra = splitSexagesimal(position.rightAscension);
    const SexagesimalParts dec = splitSexagesimal(position.declination);
    raHours_->setText(sexagesimalText(ra.whole));
    raMinutes_->setText(sexagesimalText(ra.minutes));
    raSeconds_->setText(QString::fromStdString(fixed(ra.seconds, 4)));
    decDegrees_->setText(sexagesimalText(dec.whole));
    decMinutes_->setText(sexagesimalText(dec.minutes));
    decSeconds_->setText(QString::fromStdString(fixed(dec.seconds, 4)));
}

std::optional<StarPosition> BarycentricDialog::typedPosition() {
    QWidget* owner = parentWidget();
    struct Box {
        const QLineEdit* edit;
        const QLabel* axis;
        const QLabel* unit;
    };
    const Box boxes[6] = {{raHours_, raAxisLabel_, raHoursLabel_},
                          {raMinutes_, raAxisLabel_, raMinutesLabel_},
                          {raSeconds_, raAxisLabel_, raSecondsLabel_},
                          {decDegrees_, decAxisLabel_, decDegreesLabel_},
                          {decMinutes_, decAxisLabel_, decMinutesLabel_},
                          {decSeconds_, decAxisLabel_, decSecondsLabel_}};
    double values[6] = {};
    for (int i = 0; i < 6; ++i) {
        const QString text = boxes[i].edit->text();
        // An empty box counts as 0, as the catalogue leaves no box empty.
        if (text.trimmed().isEmpty()) continue;
        const auto value = numberInText(text.toStdString());
        if (!value) {
            const QString box = boxes[i].axis->text() + QLatin1Char(' ') + boxes[i].unit->text();
            workbench_.inform(owner, workbench_.say(message::BoxNotANumber, {box, text}));
            return std::nullopt;
        }
        values[i] = *value;
    }
    if (!coordinatesGiven(values[0], values[1], values[2]) ||
        !coordinatesGiven(values[3], values[4], values[5])) {
        workbench_.inform(owner, workbench_.message(LanguageLine::NotAllDataEntered));
        return std::nullopt;
    }
    return StarPosition{combineSexagesimal(values[0], values[1], values[2]),
                        combineSexagesimal(values[3], values[4], values[5])};
}

void BarycentricDialog::addPendingStar(const StarPosition& position) {
    const QString name = starNameBox_->currentText();
    if (!fitsCp1251(name.toStdString())) {
        workbench_.inform(parentWidget(), workbench_.say(message::TextOutsideCodePage, {name}));
        return;
    }
    if (!addStar(catalogue_, toCp1251(name), position))
        workbench_.inform(parentWidget(), workbench_.say(message::StarWithoutName));
    NewStarPending = false;
}

// The file is read and checked once; nothing is written before the coordinates are known, so a
// refusal leaves every file as it was.
void BarycentricDialog::correctDates() {
    // Enter in the name box looks the name up, as leaving the box would.
    if (starNameBox_->hasFocus()) lookUpStar();
    accept();
    const std::string data = workbench_.document.files().DataFileName;
    QWidget* owner = parentWidget();
    const bool toTdb = scaleBox_->currentIndex() == 1;
    const TimeScale given = DatesItems[std::max(datesBox_->currentIndex(), 0)].scale;
    std::string copy;
    const bool corrected = runCommand(workbench_, owner, QString::fromStdString(data), [&] {
        const TimeScale before = datesScaleToCorrect(data, given, toTdb);
        const BarycentricRewrite rewrite(data);
        const double jdOffset =
            rewrite.hasShortenedDates() ? question_.askOffset(commandWindow(owner)) : 0;
        const std::optional<StarPosition> star = typedPosition();
        if (!star) return;
        checkStarPosition(*star);
        WritePlan plan;
        plan.rewrites(data, message::RoleDataFile)
            .writes(rewrite.copyPath(), message::RoleDatesCopy);
        if (NewStarPending) {
            if (catalogue_.readPath != catalogue_.writePath)
                plan.reads(catalogue_.readPath, message::RoleStarCatalogue);
            plan.rewrites(catalogue_.writePath, message::RoleStarCatalogue);
        }
        plan.check();
        if (NewStarPending) addPendingStar(*star);
        long long extrapolated = 0;
        if (toTdb) {
            PreciseCorrection precise{star->rightAscension, star->declination};
            precise.datesAreHjd = before == TimeScale::HjdUtc;
            extrapolated = rewrite.runTdb(precise, jdOffset);
        } else {
            rewrite.run(*star, jdOffset);
        }
        recordCorrectedScales(rewrite, data, before, toTdb);
        copy = rewrite.copyPath();
        if (extrapolated > 0)
            workbench_.inform(
                owner, workbench_.say(message::UtcExtrapolated, {QString::number(extrapolated)}));
    });
    // A refused star position ends the command without a correction.
    if (!corrected || copy.empty()) return;
    workbench_.inform(owner, workbench_.say(message::DatesCorrected,
                                            {QString::fromStdString(data),
                                             QString::fromUtf8(timeScaleName(
                                                 toTdb ? TimeScale::BjdTdb : TimeScale::BjdUtc)),
                                             QString::fromStdString(copy)}));
    workbench_.dataFileChanged();
}

} // namespace quelmar
