#include "ExtremaWindow.h"

#include "CurveWindow.h"
#include "Workbench.h"

#include "analysis/ExtremaFile.h"
#include "core/WritePlan.h"
#include "plot/CurveGeometry.h"
#include "plot/FitDrawing.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <exception>

namespace quelmar {

namespace {

QString extremaPath() {
    return QDir::current().filePath(QString::fromStdString(ExtremaFileName));
}

} // namespace

ExtremaWindow::ExtremaWindow(Workbench& workbench, CurveWindow& curve, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("TForm11"));
    setWindowTitle(QStringLiteral("Полином"));
    createControls();
    listedSource_ = new QLabel(this);
    listedSource_->setObjectName(QStringLiteral("ListedSource"));
    static_cast<QGridLayout*>(layout())->addWidget(listedSource_, 4, 0, 1, 4);
    enableLineCommands();
    connect(&workbench_.documentSignals, &DocumentSignals::changed, this, [this](unsigned what) {
        if (what & (FilesChanged | PointsChanged)) pointsChanged();
    });
}

void ExtremaWindow::pointsChanged() {
    if (lines_.empty() || workbench_.document.files().CurveFileName == listedFile_) return;
    showLines({});
    leftOut_->hide();
}

// The window stays above the others, but not above a dialog or message box that waits for the
// user: while one is open the window takes its place among the others, so it hides none of it.
bool ExtremaWindow::event(QEvent* event) {
    const bool blocked = event->type() == QEvent::WindowBlocked;
    if ((blocked || event->type() == QEvent::WindowUnblocked) && windowHandle())
        windowHandle()->setFlag(Qt::WindowStaysOnTopHint, !blocked);
    return QWidget::event(event);
}

void ExtremaWindow::createControls() {
    auto button = [this](const char* name, const QString& caption,
                         void (ExtremaWindow::*command)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, command);
        return b;
    };
    auto* heading = new QLabel(QStringLiteral("Значение±Погрешность для x и y"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    resultsList_ = new QListWidget(this);
    resultsList_->setObjectName(QStringLiteral("Memo1"));
    resultsList_->setSelectionMode(QAbstractItemView::SingleSelection);
    resultsList_->setMinimumSize(233, 114);
    leftOut_ = new QLabel(this);
    leftOut_->setObjectName(QStringLiteral("LeftOut"));
    leftOut_->setWordWrap(true);
    leftOut_->hide();
    saveButton_ = button("Button1", QStringLiteral("Сохранить"), &ExtremaWindow::saveSelectedLine);
    subtractButton_ =
        button("Button5", QStringLiteral("вычесть"), &ExtremaWindow::subtractSelectedFit);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    grid->addWidget(heading, 0, 0, 1, 3);
    grid->addWidget(subtractButton_, 0, 3);
    grid->addWidget(resultsList_, 1, 0, 1, 4);
    grid->addWidget(leftOut_, 2, 0, 1, 4);
    grid->addWidget(saveButton_, 3, 0);
    grid->addWidget(button("Button2", QStringLiteral("Сохр. все"), &ExtremaWindow::saveAllLines), 3,
                    1);
    grid->addWidget(button("Button4", QStringLiteral("Очистить"), &ExtremaWindow::clearLines), 3,
                    2);
    grid->addWidget(button("Button3", QStringLiteral("Все степени"), &ExtremaWindow::drawAllFits),
                    3, 3);
    // Fixed to what its texts need, in whichever language.
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(resultsList_, &QListWidget::itemSelectionChanged, this, [this] {
        enableLineCommands();
        // A line chosen with the keyboard is drawn as a clicked one is.
        if (resultsList_->hasFocus() && QGuiApplication::mouseButtons() == Qt::NoButton)
            drawSelectedFit();
    });
    connect(resultsList_, &QListWidget::itemClicked, this, &ExtremaWindow::drawSelectedFit);
}

void ExtremaWindow::findExtrema() {
    curve_.redraw();
    std::vector<int> shown;
    for (int c = 1; c <= workbench_.document.points().ChannelCount; ++c)
        if (channelShown(workbench_.document.points(), c)) shown.push_back(c);
    fitChannels(shown);
}

void ExtremaWindow::fitChannel(int c) {
    if (c >= 1 && c <= workbench_.document.points().ChannelCount) fitChannels({c});
}

// One run: the channels share its number and the term counts set when it starts. The list
// shows the lines of the last channel fitted; a refused channel leaves the list as it was.
void ExtremaWindow::fitChannels(const std::vector<int>& channels) {
    const Options& options = workbench_.options;
    const TermRange terms = options.PolynomialTerms;
    const InterfaceLanguage language = workbench_.interfaceLanguage();
    LightCurveDocument& document = workbench_.document;
    const PointStore& store = document.points();
    const ExtremumTables& tables = document.extrema();
    const int run = document.beginFitRun();
    QStringList refusals, leftOut;
    std::optional<ChannelFit> listed;
    for (int c : channels) {
        ChannelFit fit = document.fitExtremum(c, terms, run);
        if (const std::string text = leftOutText(fit, language); !text.empty())
            leftOut << QString::fromStdString(text);
        if (fit.refusal == FitRefusal::None)
            listed = std::move(fit);
        else
            refusals << QString::fromStdString(fitRefusalText(fit, language));
    }
    if (listed) {
        std::vector<ExtremumLine> lines =
            extremumLines(tables, *listed, options.PolynomialDecimals, language);
        // A method's refusal is a line of the list, not an error: the polynomials may fit still.
        for (ExtremumLine& line : timingLines(store, listed->channel, store.ViewFirst,
                                              store.ViewLast, options.PolynomialDecimals, language))
            lines.push_back(std::move(line));
        showLines(std::move(lines));
        listedFile_ = workbench_.document.files().CurveFileName;
        listedSource_->setText(
            workbench_.say(message::ExtremaOfChannel,
                           {QString::number(listed->channel),
                            QFileInfo(QString::fromStdString(listedFile_)).fileName()}));
        leftOut_->setText(leftOut.join(QLatin1Char('\n')));
        leftOut_->setVisible(!leftOut.isEmpty());
        if (!isVisible()) {
            show();
            move(screen()->availableGeometry().center() - rect().center());
        }
        raise();
    }
    if (!refusals.isEmpty()) workbench_.reportError(this, refusals.join(QLatin1Char('\n')));
    if (listed && options.BestTermCount) chooseBestTermCount(*listed);
}

void ExtremaWindow::showLines(std::vector<ExtremumLine> lines) {
    lines_ = std::move(lines);
    if (lines_.empty()) listedSource_->clear();
    resultsList_->blockSignals(true);
    resultsList_->clear();
    for (const ExtremumLine& line : lines_)
        resultsList_->addItem(QString::fromStdString(line.text));
    resultsList_->blockSignals(false);
    enableLineCommands();
}

// The fits that follow start from the best term count, and the user is told which it is.
void ExtremaWindow::chooseBestTermCount(const ChannelFit& fit) {
    Options& options = workbench_.options;
    const int best = bestTermCount(workbench_.document.extrema(), fit, options.PolynomialTerms);
    options.PolynomialTerms.first = best;
    emit firstTermCountChosen(best);
    workbench_.inform(this, workbench_.say(message::BestTermCountChosen, {QString::number(best)}));
}

void ExtremaWindow::enableLineCommands() {
    const std::optional<ExtremumLine> line = selectedLine();
    saveButton_->setEnabled(line && line->timed);
    subtractButton_->setEnabled(line && line->hasCurve());
}

std::optional<ExtremumLine> ExtremaWindow::selectedLine() const {
    const int row = resultsList_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= lines_.size() ||
        !resultsList_->item(row)->isSelected())
        return std::nullopt;
    return lines_[static_cast<std::size_t>(row)];
}

void ExtremaWindow::drawFitsOf(const ExtremumLine& line) {
    // Curves fitted to other points than these are never drawn over them.
    if (!workbench_.document.curvesCurrent()) return;
    const PointStore& store = workbench_.document.points();
    const ExtremumTables& tables = workbench_.document.extrema();
    std::optional<QPoint> mark;
    curve_.drawOverPicture([&](QImage& picture, const CurveGeometry& geometry) {
        for (int c = 1; c <= std::min(store.ChannelCount, MaxChannels); ++c) {
            if (!channelShown(store, c) || tables.FitCurves[c][line.terms].run != line.run)
                continue;
            const std::optional<QPoint> extremum =
                drawFit(picture, store, geometry, tables, c, line.terms);
            if (extremum && (c == line.channel || !mark)) mark = extremum;
        }
    });
    if (mark) curve_.placeCursorMark(*mark);
}

void ExtremaWindow::drawSelectedFit() {
    const std::optional<ExtremumLine> line = selectedLine();
    if (!line || !line->hasCurve()) return;
    curve_.redraw();
    drawFitsOf(*line);
}

// Every line's fits over the picture as it is, so that they overlay.
void ExtremaWindow::drawAllFits() {
    for (const ExtremumLine& line : lines_)
        if (line.hasCurve()) drawFitsOf(line);
}

// extrema.txt is never one of the files the fits came from.
void ExtremaWindow::checkExtremaFile() const {
    workbenchPlan(workbench_.document.files())
        .reads(workbench_.document.files().CurveFileName, message::RoleShownFile)
        .writes(extremaPath().toStdString(), message::RoleExtremaFile)
        .check();
}

void ExtremaWindow::saveSelectedLine() {
    const std::optional<ExtremumLine> line = selectedLine();
    if (!line || !line->timed) return;
    try {
        checkExtremaFile();
        appendExtremumLine(extremaPath().toStdString(), line->text);
    } catch (const std::exception& error) {
        workbench_.reportError(
            this, workbench_.say(message::ExtremaNotSaved, {workbench_.describe(error)}));
    }
}

void ExtremaWindow::saveAllLines() {
    const QString path = extremaPath();
    // An empty list would wipe the timings saved before without a word.
    if (lines_.empty() && QFileInfo(path).size() > 0 &&
        !workbench_.desktop.askYesNo(this, windowTitle(),
                                     workbench_.say(message::ExtremaEmptyListQuestion, {path})))
        return;
    std::vector<std::string> texts;
    for (const ExtremumLine& line : lines_)
        if (line.timed) texts.push_back(line.text);
    try {
        checkExtremaFile();
        writeExtremumLines(path.toStdString(), texts);
    } catch (const std::exception& error) {
        workbench_.reportError(
            this, workbench_.say(message::ExtremaNotSaved, {workbench_.describe(error)}));
    }
}

void ExtremaWindow::clearLines() {
    showLines({});
}

// The residuals stay in memory, on screen and for later commands, until the file is read again.
void ExtremaWindow::subtractSelectedFit() {
    const std::optional<ExtremumLine> line = selectedLine();
    if (!line || !line->hasCurve()) return;
    workbench_.document.subtractFit(line->terms, line->run);
    curve_.redraw();
}

} // namespace quelmar
