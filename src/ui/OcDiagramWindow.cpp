#include "OcDiagramWindow.h"

#include "CommandBoundary.h"
#include "CurveWindow.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "analysis/ExtremaFile.h"
#include "analysis/OcDiagramFile.h"
#include "core/numbers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include <array>

namespace quelmar {

namespace {

// The fit box's items in order, with the words the command line takes for them.
struct FitChoice {
    const OwnMessage* text;
    const char* word;
};
constexpr std::array<FitChoice, 3> FitChoices = {{{&message::OcNoFit, "none"},
                                                  {&message::OcLinear, "linear"},
                                                  {&message::OcQuadratic, "quadratic"}}};
constexpr int QuadraticChoice = 2;

QLineEdit* wideEdit(QWidget* parent, const char* name) {
    QLineEdit* edit = namedEdit(parent, name);
    edit->setMinimumWidth(200);
    return edit;
}

QString shown(double v, int digits) {
    return QString::fromStdString(significantText(v, digits));
}

} // namespace

OcDiagramWindow::OcDiagramWindow(Workbench& workbench, CurveWindow& curve, QWidget* parent)
    : QWidget(parent, Qt::Window), workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("TOCfrm"));
    listLabel_ = namedLabel(this, "Label1", {});
    epochLabel_ = namedLabel(this, "Label2", {});
    periodLabel_ = namedLabel(this, "Label3", {});
    fitLabel_ = namedLabel(this, "Label4", {});
    listEdit_ = wideEdit(this, "fned");
    epochEdit_ = wideEdit(this, "eped");
    periodEdit_ = wideEdit(this, "pered");
    fitBox_ = new QComboBox(this);
    fitBox_->setObjectName(QStringLiteral("fitbox"));
    for (std::size_t i = 0; i < FitChoices.size(); ++i)
        fitBox_->addItem({});
    fitBox_->setCurrentIndex(QuadraticChoice);
    browseButton_ = namedButton(this, "Button1", QStringLiteral("..."));
    computeButton_ = namedButton(this, "compbtn", {});
    resultsText_ = new QPlainTextEdit(this);
    resultsText_->setObjectName(QStringLiteral("resmemo"));
    resultsText_->setReadOnly(true);
    resultsText_->setMinimumSize(560, 160);
    labelControls();

    auto* grid = new QGridLayout(this);
    const std::array<std::pair<QLabel*, QWidget*>, 4> rows = {{{listLabel_, listEdit_},
                                                               {epochLabel_, epochEdit_},
                                                               {periodLabel_, periodEdit_},
                                                               {fitLabel_, fitBox_}}};
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        grid->addWidget(rows[static_cast<std::size_t>(row)].first, row, 0);
        grid->addWidget(rows[static_cast<std::size_t>(row)].second, row, 1);
    }
    grid->addWidget(browseButton_, 0, 2);
    grid->addWidget(computeButton_, 3, 2);
    grid->addWidget(resultsText_, 4, 0, 1, 3);

    connect(browseButton_, &QPushButton::clicked, this, &OcDiagramWindow::browseList);
    connect(computeButton_, &QPushButton::clicked, this, &OcDiagramWindow::compute);
    for (QLineEdit* edit : {listEdit_, epochEdit_, periodEdit_})
        connect(edit, &QLineEdit::returnPressed, this, &OcDiagramWindow::compute);
}

// Set again at every showing, and whenever a language is applied.
void OcDiagramWindow::labelControls() {
    setWindowTitle(workbench_.say(message::OcCaption));
    listLabel_->setText(workbench_.say(message::OcListLabel));
    listEdit_->setToolTip(workbench_.say(message::OcListHint));
    epochLabel_->setText(workbench_.say(message::OcEpochLabel));
    periodLabel_->setText(workbench_.say(message::OcPeriodLabel));
    fitLabel_->setText(workbench_.say(message::OcFitLabel));
    for (std::size_t i = 0; i < FitChoices.size(); ++i)
        fitBox_->setItemText(static_cast<int>(i), workbench_.say(*FitChoices[i].text));
    computeButton_->setText(workbench_.say(message::OcCompute));
}

QString OcDiagramWindow::proposedList(const QString& dataFile) {
    const QString name = QString::fromStdString(ExtremaFileName);
    for (const QString& folder : {QFileInfo(dataFile).absolutePath(), QDir::currentPath()}) {
        const QString list = QDir(folder).filePath(name);
        if (QFileInfo(list).isFile()) return list;
    }
    return dataFile;
}

void OcDiagramWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

// A list the user chose stays while the data file does.
void OcDiagramWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    labelControls();
    const QString data = QString::fromStdString(workbench_.document.files().DataFileName);
    if (data != listProposedFor_ || listEdit_->text().isEmpty()) {
        listProposedFor_ = data;
        listEdit_->setText(proposedList(data));
    }
}

void OcDiagramWindow::browseList() {
    OpenDialog dialog = workbench_.openDialog;
    const QFileInfo list(QDir::current(), listEdit_->text());
    dialog.initialFolder = list.absolutePath();
    dialog.fileName = listEdit_->text().isEmpty() ? QString() : list.absoluteFilePath();
    const QString path = workbench_.desktop.chooseOpenFile(this, dialog);
    if (!path.isEmpty()) listEdit_->setText(path);
}

void OcDiagramWindow::refuseField(QWidget* field, const QString& reason) {
    if (!reason.isEmpty()) workbench_.inform(this, reason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    field->setFocus();
}

void OcDiagramWindow::compute() {
    for (QLineEdit* edit : {listEdit_, epochEdit_, periodEdit_})
        if (edit->text().trimmed().isEmpty())
            return refuseField(edit, workbench_.message(LanguageLine::NotAllDataEntered));
    const auto epoch = numberInText(epochEdit_->text().toStdString());
    if (!epoch)
        return refuseField(epochEdit_,
                           workbench_.say(message::PhaseEpochNotANumber, {epochEdit_->text()}));
    const auto period = numberInText(periodEdit_->text().toStdString());
    if (!period || *period <= 0)
        return refuseField(periodEdit_,
                           workbench_.say(message::PhasePeriodNotPositive, {periodEdit_->text()}));
    if (!curve_.mayDiscardEdits(this)) return;

    OcRequest request;
    request.list = QFileInfo(listEdit_->text().trimmed()).absoluteFilePath().toStdString();
    request.output = QDir::current()
                         .absoluteFilePath(QString::fromStdString(ocFileName(request.list)))
                         .toStdString();
    request.ephemeris = {*epoch, *period};
    request.fits =
        *ephemerisFits(FitChoices[static_cast<std::size_t>(fitBox_->currentIndex())].word);
    request.missing = workbench_.settings.Missing;

    OcDiagramResult diagram;
    QWidget* failed = listEdit_;
    const bool written = runCommand(workbench_, this, QString::fromStdString(request.list), [&] {
        diagram = readOcDiagram(request, workbenchPlan(workbench_.document.files()));
        failed = fitBox_; // too few times for the fit chosen
        fitOcDiagram(diagram, request);
        failed = listEdit_;
        writeOcDiagram(diagram);
    });
    if (!written) return refuseField(failed, {});
    showResults(diagram);
    // The diagram is the O−C column against the cycle.
    curve_.openCurveFile(diagram.output, 1);
    // The light curve was laid out afresh over it; the results stay in sight.
    raise();
    activateWindow();
}

void OcDiagramWindow::showResults(const OcDiagramResult& diagram) {
    QStringList lines{
        workbench_.say(message::OcResultFile, {QString::fromStdString(diagram.output)}),
        workbench_.say(message::OcResultPoints, {QString::number(diagram.points.size())})};
    if (diagram.missing > 0)
        lines << workbench_.say(
            message::OcResultLeftOut,
            {QString::number(diagram.missing), QString::number(diagram.firstMissingLine)});
    for (const EphemerisFit& f : diagram.fits) {
        const QStringList linear{shown(f.epoch, 12), shown(f.epochError, 2), shown(f.period, 12),
                                 shown(f.periodError, 2)};
        if (f.kind == EphemerisKind::Linear) {
            lines << workbench_.say(message::OcResultLinear, linear);
        } else {
            lines << workbench_.say(
                message::OcResultQuadratic,
                linear + QStringList{shown(f.quadratic, 6), shown(f.quadraticError, 2)});
            lines << workbench_.say(message::OcResultPeriodChange,
                                    {shown(f.periodChange, 6), shown(f.periodChangeError, 2),
                                     shown(f.periodChange * DaysPerCentury, 6),
                                     shown(f.periodChangeError * DaysPerCentury, 2)});
        }
        lines << workbench_.say(message::OcResultChi2, {shown(f.chi2Reduced, 4)});
    }
    resultsText_->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace quelmar
