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

namespace {

QLineEdit* namedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

PhaseCurveDialog::PhaseCurveDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TPhasfrm"));
    setWindowTitle(QStringLiteral("Расчёт фазовой кривой."));
    Label4 = namedLabel(this, "Label4", QStringLiteral("Файл фаз:"));
    Label2 = namedLabel(this, "Label2", QStringLiteral("Эпоха:"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("Период:"));
    fned = namedEdit(this, "fned");
    eped = namedEdit(this, "eped");
    pered = namedEdit(this, "pered");
    Button1 = namedButton(this, "Button1", QStringLiteral("..."));
    Button1->setAutoDefault(false);
    OKbtn = namedButton(this, "OKbtn", QStringLiteral("OK"));
    OKbtn->setDefault(true);
    Canbtn = namedButton(this, "Canbtn", QStringLiteral("Отмена"));
    Canbtn->setAutoDefault(false);
    for (QLineEdit* edit : {fned, eped, pered})
        edit->setMinimumWidth(160);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label4, 0, 0);
    grid->addWidget(fned, 0, 1);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(eped, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(pered, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKbtn);
    buttons->addWidget(Canbtn);
    grid->addLayout(buttons, 3, 0, 1, 3);

    connect(Button1, &QPushButton::clicked, this, &PhaseCurveDialog::browsePhaseFile);
    connect(OKbtn, &QPushButton::clicked, this, &PhaseCurveDialog::computePhaseCurve);
    connect(Canbtn, &QPushButton::clicked, this, &QDialog::reject);
}

void PhaseCurveDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) proposeFields();
}

// The file name and the epoch are proposed afresh for the data file; the period stays.
void PhaseCurveDialog::proposeFields() {
    const std::string& data = workbench_.document.files().DataFileName;
    fned->setText(QString::fromStdString(phaseFileName(data)));
    std::string epoch;
    runCommand(workbench_, this, QString::fromStdString(data),
               [&] { epoch = firstDateText(data); });
    eped->setText(QString::fromStdString(epoch));
}

// The dialog starts where the phase file will be written: a bare name is in the working folder.
void PhaseCurveDialog::browsePhaseFile() {
    const QFileInfo proposed(QDir::current(), fned->text());
    OpenDialog dialog = workbench_.openDialog;
    dialog.initialFolder = proposed.absolutePath();
    dialog.fileName = fned->text().isEmpty() ? QString() : proposed.absoluteFilePath();
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    workbench_.openDialog.fileName = path;
    fned->setText(path);
}

bool PhaseCurveDialog::readElements(double& epoch, double& period) {
    if (fned->text().isEmpty() || eped->text().isEmpty() || pered->text().isEmpty()) {
        workbench_.inform(parentWidget(), workbench_.message(LanguageLine::NotAllDataEntered));
        return false;
    }
    const auto typedEpoch = numberInText(eped->text().toStdString());
    const auto typedPeriod = numberInText(pered->text().toStdString());
    if (!typedEpoch) {
        workbench_.inform(parentWidget(),
                          workbench_.say(message::PhaseEpochNotANumber, {eped->text()}));
        return false;
    }
    if (!typedPeriod || *typedPeriod <= 0) {
        workbench_.inform(parentWidget(),
                          workbench_.say(message::PhasePeriodNotPositive, {pered->text()}));
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
    const QString output = QFileInfo(fned->text()).absoluteFilePath();
    const bool written = runCommand(workbench_, parentWidget(), output, [&] {
        workbenchPlan(workbench_.document.files())
            .writes(output.toStdString(), message::RolePhaseFile)
            .check();
        writePhaseCurve(workbench_.document.files().DataFileName, output.toStdString(), epoch,
                        period);
    });
    if (written) emit phaseCurveWritten(output);
}

} // namespace quelmar
