#include "AddObservationsDialog.h"

#include "CommandBoundary.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "core/cp1251.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelmar {

namespace {

QLineEdit* namedBox(QWidget* parent, const char* name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (width > 0) box->setMaximumWidth(width);
    return box;
}

// One row of an estimate: A [p] v [q] B.
QHBoxLayout* estimateRow(QWidget* parent, QLineEdit* p, QLineEdit* q) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("A"), parent));
    row->addWidget(p);
    row->addWidget(new QLabel(QStringLiteral("v"), parent));
    row->addWidget(q);
    row->addWidget(new QLabel(QStringLiteral("B"), parent));
    row->addStretch();
    return row;
}

} // namespace

AddObservationsDialog::AddObservationsDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TAddform"));
    setWindowTitle(QStringLiteral("Добавление данных"));
    createControls();
    layOut();
    connect(nextButton_, &QPushButton::clicked, this, &AddObservationsDialog::addAndContinue);
    connect(doneButton_, &QPushButton::clicked, this, &AddObservationsDialog::addAndFinish);
}

void AddObservationsDialog::createControls() {
    instructionsLabel_ = namedLabel(
        this, "Label1", QStringLiteral("Для добавления данных вводите наблюдения и жмите кнопку"));
    instructionsEndLabel_ =
        namedLabel(this, "Label2",
                   QStringLiteral("ДАЛЕЕ. После ввода последнего наблюдения нажмите  ГОТОВО."));
    magnitudesLabel_ =
        namedLabel(this, "Label6", QStringLiteral("Введите величины звёзд сравнения"));
    starALabel_ = namedLabel(this, "Label7", QStringLiteral("Звезда А"));
    starBLabel_ = namedLabel(this, "Label8", QStringLiteral("Звезда В"));
    julianDateLabel_ = namedLabel(this, "Label3", QStringLiteral("Юлианская дата"));
    estimatesLabel_ = namedLabel(this, "Label4", QStringLiteral("Оценки"));
    commentLabel_ = namedLabel(this, "Label5", QStringLiteral("Комментарий"));
    magnitudeAEdit_ = namedBox(this, "smabox", 80);
    magnitudeBEdit_ = namedBox(this, "smbbox", 80);
    julianDateEdit_ = namedBox(this, "JDBox", 0);
    estimate1PEdit_ = namedBox(this, "pbox1", 40);
    estimate1QEdit_ = namedBox(this, "qbox1", 40);
    estimate2PEdit_ = namedBox(this, "pbox2", 40);
    estimate2QEdit_ = namedBox(this, "qbox2", 40);
    estimate3PEdit_ = namedBox(this, "pbox3", 40);
    estimate3QEdit_ = namedBox(this, "qbox3", 40);
    commentEdit_ = namedBox(this, "comment", 0);
    entryCountLabel_ = namedLabel(this, "numer", QString());
    nextButton_ = namedButton(this, "OKButt", QStringLiteral("Далее"));
    nextButton_->setDefault(true);
    doneButton_ = namedButton(this, "finishbutt", QStringLiteral("Готово"));
    doneButton_->setAutoDefault(false);
}

void AddObservationsDialog::layOut() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instructionsLabel_);
    layout->addWidget(instructionsEndLabel_);
    layout->addWidget(magnitudesLabel_);
    auto* stars = new QHBoxLayout;
    stars->addWidget(starALabel_);
    stars->addWidget(magnitudeAEdit_);
    stars->addWidget(starBLabel_);
    stars->addWidget(magnitudeBEdit_);
    stars->addStretch();
    layout->addLayout(stars);
    layout->addWidget(julianDateLabel_);
    layout->addWidget(julianDateEdit_);
    layout->addWidget(estimatesLabel_);
    layout->addLayout(estimateRow(this, estimate1PEdit_, estimate1QEdit_));
    layout->addLayout(estimateRow(this, estimate2PEdit_, estimate2QEdit_));
    layout->addLayout(estimateRow(this, estimate3PEdit_, estimate3QEdit_));
    layout->addWidget(commentLabel_);
    layout->addWidget(commentEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(entryCountLabel_);
    buttons->addStretch();
    buttons->addWidget(nextButton_);
    buttons->addWidget(doneButton_);
    layout->addLayout(buttons);
}

TypedObservation AddObservationsDialog::typedObservation() const {
    TypedObservation typed;
    typed.magnitudeA = magnitudeAEdit_->text().toStdString();
    typed.magnitudeB = magnitudeBEdit_->text().toStdString();
    typed.julianDate = julianDateEdit_->text().toStdString();
    const QLineEdit* estimates[3][2] = {{estimate1PEdit_, estimate1QEdit_},
                                        {estimate2PEdit_, estimate2QEdit_},
                                        {estimate3PEdit_, estimate3QEdit_}};
    for (int e = 0; e < 3; ++e)
        typed.estimates[e] = {estimates[e][0]->text().toStdString(),
                              estimates[e][1]->text().toStdString()};
    // A line break in the comment would start a line of its own in the data file.
    QString text = commentEdit_->text();
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    typed.comment = toCp1251(text);
    return typed;
}

QLineEdit* AddObservationsDialog::boxOf(ObservationBox box) const {
    switch (box) {
    case ObservationBox::MagnitudeA:
        return magnitudeAEdit_;
    case ObservationBox::MagnitudeB:
        return magnitudeBEdit_;
    case ObservationBox::JulianDate:
        return julianDateEdit_;
    case ObservationBox::P1:
        return estimate1PEdit_;
    case ObservationBox::Q1:
        return estimate1QEdit_;
    case ObservationBox::P2:
        return estimate2PEdit_;
    case ObservationBox::Q2:
        return estimate2QEdit_;
    case ObservationBox::P3:
        return estimate3PEdit_;
    case ObservationBox::Q3:
        return estimate3QEdit_;
    }
    return julianDateEdit_;
}

// The box as the dialog labels it: "Star A", "Julian date", "estimate 2, q".
QString AddObservationsDialog::boxName(ObservationBox box) const {
    switch (box) {
    case ObservationBox::MagnitudeA:
        return starALabel_->text();
    case ObservationBox::MagnitudeB:
        return starBLabel_->text();
    case ObservationBox::JulianDate:
        return julianDateLabel_->text();
    default:
        break;
    }
    const int index = static_cast<int>(box) - static_cast<int>(ObservationBox::P1);
    return workbench_.say(message::EstimateBox,
                          {QString::number(index / 2 + 1),
                           index % 2 == 0 ? QStringLiteral("p") : QStringLiteral("q")});
}

bool AddObservationsDialog::appendObservation() {
    if (!fitsCp1251(commentEdit_->text().toStdString())) {
        workbench_.inform(this,
                          workbench_.say(message::TextOutsideCodePage, {commentEdit_->text()}) +
                              QLatin1Char('\n') + workbench_.say(message::NothingWritten));
        commentEdit_->setFocus();
        return false;
    }
    const ObservationLineOrRefusal result = typedObservationLine(typedObservation());
    if (result.refusal) {
        const ObservationRefusal& refusal = *result.refusal;
        QLineEdit* box = boxOf(refusal.box);
        QString text;
        switch (refusal.kind) {
        case ObservationRefusal::Empty:
            text = workbench_.say(message::ObservationBoxEmpty, {boxName(refusal.box)});
            break;
        case ObservationRefusal::NotANumber:
            text = workbench_.say(message::BoxNotANumber, {boxName(refusal.box), box->text()});
            break;
        case ObservationRefusal::ZeroSteps:
            text = workbench_.say(
                message::ObservationZeroSteps,
                {QString::number(
                    (static_cast<int>(refusal.box) - static_cast<int>(ObservationBox::P1)) / 2 +
                    1)});
            break;
        }
        workbench_.inform(this, text + QLatin1Char('\n') + workbench_.say(message::NothingWritten));
        box->setFocus();
        return false;
    }
    const std::string& data = workbench_.document.files().DataFileName;
    const bool written = runCommand(workbench_, this, QString::fromStdString(data), [&] {
        WritePlan plan;
        plan.rewrites(data, message::RoleDataFile);
        if (!workbench_.document.files().RangesFileName.empty())
            plan.reads(workbench_.document.files().RangesFileName, message::RoleRangesFile);
        plan.check();
        appendToFile(data, result.line);
    });
    // The new observation appears on the light curve of the data file.
    if (written) workbench_.dataFileChanged();
    // The boxes keep their contents, ready for the next observation.
    julianDateEdit_->setFocus();
    julianDateEdit_->selectAll();
    return written;
}

void AddObservationsDialog::addAndContinue() {
    if (!appendObservation()) return;
    ++entryCount_;
    entryCountLabel_->setText(QStringLiteral("№ ") + QString::number(entryCount_));
}

void AddObservationsDialog::addAndFinish() {
    if (appendObservation()) accept();
}

} // namespace quelmar
