#include "PhaseCurveDialog.h"

#include "CommandBoundary.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "analysis/PhaseCurve.h"
#include "core/WritePlan.h"
#include "core/numbers.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace quelmar {

bool writeWorkbenchPhaseCurve(const Workbench& workbench, QWidget* parent, const QString& output,
                              double epoch, double period) {
    return runCommand(workbench, parent, output, [&] {
        workbenchPlan(workbench.document.files())
            .writes(output.toStdString(), message::RolePhaseFile)
            .check();
        writePhaseCurve(workbench.document.files().DataFileName, output.toStdString(), epoch,
                        period);
    });
}

PhaseCurveDialog::PhaseCurveDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TPhasfrm"));
    setWindowTitle(QStringLiteral("Расчёт фазовой кривой."));
    phaseFileLabel_ = namedLabel(this, "Label4", QStringLiteral("Файл фаз:"));
    epochLabel_ = namedLabel(this, "Label2", QStringLiteral("Эпоха:"));
    periodLabel_ = namedLabel(this, "Label3", QStringLiteral("Период:"));
    phaseFileEdit_ = namedEdit(this, "fned");
    epochEdit_ = namedEdit(this, "eped");
    periodEdit_ = namedEdit(this, "pered");
    browseButton_ = namedButton(this, "Button1", QStringLiteral("..."));
    browseButton_->setAutoDefault(false);
    okButton_ = namedButton(this, "OKbtn", QStringLiteral("OK"));
    okButton_->setDefault(true);
    cancelButton_ = namedButton(this, "Canbtn", QStringLiteral("Отмена"));
    cancelButton_->setAutoDefault(false);
    for (QLineEdit* edit : {phaseFileEdit_, epochEdit_, periodEdit_})
        edit->setMinimumWidth(160);

    auto* grid = new QGridLayout(this);
    grid->addWidget(phaseFileLabel_, 0, 0);
    grid->addWidget(phaseFileEdit_, 0, 1);
    grid->addWidget(browseButton_, 0, 2);
    grid->addWidget(epochLabel_, 1, 0);
    grid->addWidget(epochEdit_, 1, 1);
    grid->addWidget(periodLabel_, 2, 0);
    grid->addWidget(periodEdit_, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    grid->addLayout(buttons, 3, 0, 1, 3);

    connect(browseButton_, &QPushButton::clicked, this, &PhaseCurveDialog::browsePhaseFile);
    connect(okButton_, &QPushButton::clicked, this, &PhaseCurveDialog::computePhaseCurve);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void PhaseCurveDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) proposeFields();
}

// The file name and the epoch are proposed afresh for the data file; the period stays.
void PhaseCurveDialog::proposeFields() {
    const std::string& data = workbench_.document.files().DataFileName;
    phaseFileEdit_->setText(QString::fromStdString(phaseFileName(data)));
    std::string epoch;
    runCommand(workbench_, this, QString::fromStdString(data),
               [&] { epoch = firstDateText(data); });
    epochEdit_->setText(QString::fromStdString(epoch));
}

// The dialog starts where the phase file will be written: a bare name is in the working folder.
void PhaseCurveDialog::browsePhaseFile() {
    const QFileInfo proposed(QDir::current(), phaseFileEdit_->text());
    OpenDialog dialog = workbench_.openDialog;
    dialog.initialFolder = proposed.absolutePath();
    dialog.fileName = phaseFileEdit_->text().isEmpty() ? QString() : proposed.absoluteFilePath();
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    workbench_.openDialog.fileName = path;
    phaseFileEdit_->setText(path);
}

bool PhaseCurveDialog::readElements(double& epoch, double& period) {
    if (phaseFileEdit_->text().isEmpty() || epochEdit_->text().isEmpty() ||
        periodEdit_->text().isEmpty()) {
        workbench_.inform(parentWidget(), workbench_.message(LanguageLine::NotAllDataEntered));
        return false;
    }
    const auto typedEpoch = numberInText(epochEdit_->text().toStdString());
    const auto typedPeriod = numberInText(periodEdit_->text().toStdString());
    if (!typedEpoch) {
        workbench_.inform(parentWidget(),
                          workbench_.say(message::PhaseEpochNotANumber, {epochEdit_->text()}));
        return false;
    }
    if (!typedPeriod || *typedPeriod <= 0) {
        workbench_.inform(parentWidget(),
                          workbench_.say(message::PhasePeriodNotPositive, {periodEdit_->text()}));
        return false;
    }
    epoch = *typedEpoch;
    period = *typedPeriod;
    return true;
}

void PhaseCurveDialog::computePhaseCurve() {
    accept();
    double epoch = 0, period = 0;
    if (!readElements(epoch, period)) return;
    const QString output = QFileInfo(phaseFileEdit_->text()).absoluteFilePath();
    if (writeWorkbenchPhaseCurve(workbench_, parentWidget(), output, epoch, period))
        emit phaseCurveWritten(output);
}

} // namespace quelmar
