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
    connect(OKButt, &QPushButton::clicked, this, &AddObservationsDialog::addAndContinue);
    connect(finishbutt, &QPushButton::clicked, this, &AddObservationsDialog::addAndFinish);
}

void AddObservationsDialog::createControls() {
    Label1 = namedLabel(this, "Label1",
                        QStringLiteral("Для добавления данных вводите наблюдения и жмите кнопку"));
    Label2 =
        namedLabel(this, "Label2",
                   QStringLiteral("ДАЛЕЕ. После ввода последнего наблюдения нажмите  ГОТОВО."));
    Label6 = namedLabel(this, "Label6", QStringLiteral("Введите величины звёзд сравнения"));
    Label7 = namedLabel(this, "Label7", QStringLiteral("Звезда А"));
    Label8 = namedLabel(this, "Label8", QStringLiteral("Звезда В"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("Юлианская дата"));
    Label4 = namedLabel(this, "Label4", QStringLiteral("Оценки"));
    Label5 = namedLabel(this, "Label5", QStringLiteral("Комментарий"));
    smabox = namedBox(this, "smabox", 80);
    smbbox = namedBox(this, "smbbox", 80);
    JDBox = namedBox(this, "JDBox", 0);
    pbox1 = namedBox(this, "pbox1", 40);
    qbox1 = namedBox(this, "qbox1", 40);
    pbox2 = namedBox(this, "pbox2", 40);
    qbox2 = namedBox(this, "qbox2", 40);
    pbox3 = namedBox(this, "pbox3", 40);
    qbox3 = namedBox(this, "qbox3", 40);
    comment = namedBox(this, "comment", 0);
    numer = namedLabel(this, "numer", QString());
    OKButt = namedButton(this, "OKButt", QStringLiteral("Далее"));
    OKButt->setDefault(true);
    finishbutt = namedButton(this, "finishbutt", QStringLiteral("Готово"));
    finishbutt->setAutoDefault(false);
}

void AddObservationsDialog::layOut() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label6);
    auto* stars = new QHBoxLayout;
    stars->addWidget(Label7);
    stars->addWidget(smabox);
    stars->addWidget(Label8);
    stars->addWidget(smbbox);
    stars->addStretch();
    layout->addLayout(stars);
    layout->addWidget(Label3);
    layout->addWidget(JDBox);
    layout->addWidget(Label4);
    layout->addLayout(estimateRow(this, pbox1, qbox1));
    layout->addLayout(estimateRow(this, pbox2, qbox2));
    layout->addLayout(estimateRow(this, pbox3, qbox3));
    layout->addWidget(Label5);
    layout->addWidget(comment);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(numer);
    buttons->addStretch();
    buttons->addWidget(OKButt);
    buttons->addWidget(finishbutt);
    layout->addLayout(buttons);
}

TypedObservation AddObservationsDialog::typedObservation() const {
    TypedObservation typed;
    typed.magnitudeA = smabox->text().toStdString();
    typed.magnitudeB = smbbox->text().toStdString();
    typed.julianDate = JDBox->text().toStdString();
    const QLineEdit* estimates[3][2] = {{pbox1, qbox1}, {pbox2, qbox2}, {pbox3, qbox3}};
    for (int e = 0; e < 3; ++e)
        typed.estimates[e] = {estimates[e][0]->text().toStdString(),
                              estimates[e][1]->text().toStdString()};
    // A line break in the comment would start a line of its own in the data file.
    QString text = comment->text();
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    typed.comment = toCp1251(text);
    return typed;
}

QLineEdit* AddObservationsDialog::boxOf(ObservationBox box) const {
    switch (box) {
    case ObservationBox::MagnitudeA:
        return smabox;
    case ObservationBox::MagnitudeB:
        return smbbox;
    case ObservationBox::JulianDate:
        return JDBox;
    case ObservationBox::P1:
        return pbox1;
    case ObservationBox::Q1:
        return qbox1;
    case ObservationBox::P2:
        return pbox2;
    case ObservationBox::Q2:
        return qbox2;
    case ObservationBox::P3:
        return pbox3;
    case ObservationBox::Q3:
        return qbox3;
    }
    return JDBox;
}

// The box as the dialog labels it: "Star A", "Julian date", "estimate 2, q".
QString AddObservationsDialog::boxName(ObservationBox box) const {
    switch (box) {
    case ObservationBox::MagnitudeA:
        return Label7->text();
    case ObservationBox::MagnitudeB:
        return Label8->text();
    case ObservationBox::JulianDate:
        return Label3->text();
    default:
        break;
    }
    const int index = static_cast<int>(box) - static_cast<int>(ObservationBox::P1);
    return workbench_.say(message::EstimateBox,
                          {QString::number(index / 2 + 1),
                           index % 2 == 0 ? QStringLiteral("p") : QStringLiteral("q")});
}

bool AddObservationsDialog::appendObservation() {
    if (!fitsCp1251(comment->text().toStdString())) {
        workbench_.inform(this, workbench_.say(message::TextOutsideCodePage, {comment->text()}) +
                                    QLatin1Char('\n') + workbench_.say(message::NothingWritten));
        comment->setFocus();
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
    JDBox->setFocus();
    JDBox->selectAll();
    return written;
}

void AddObservationsDialog::addAndContinue() {
    if (!appendObservation()) return;
    ++entryCount_;
    numer->setText(QStringLiteral("№ ") + QString::number(entryCount_));
}

void AddObservationsDialog::addAndFinish() {
    if (appendObservation()) accept();
}

} // namespace quelmar
