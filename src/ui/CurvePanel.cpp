#include "CurvePanel.h"

#include "CurveWindow.h"
#include "Workbench.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace quelmar {

namespace {

// Design position of the panel on the screen, and the size of its client area.
constexpr QPoint DesignPosition(21, 223);
constexpr QSize DesignSize(141, 234);
// The design's small type, and rows of buttons low enough for every row to fit the panel.
constexpr int DesignPointSize = 8;
constexpr int RowHeight = 18;

void showInFont(QLabel* label, const LabelFont& font) {
    if (label->font() != font.font) label->setFont(font.font);
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == QColor(font.colour)) return;
    palette.setColor(QPalette::WindowText, QColor(font.colour));
    label->setPalette(palette);
}

} // namespace

CurvePanel::CurvePanel(Workbench& workbench, CurveWindow& curve)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint), workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("Tcurvtool"));
    setWindowTitle(QStringLiteral("Управление"));
    QFont small = font();
    small.setPointSize(DesignPointSize);
    small.setStretch(QFont::Condensed);
    setFont(small);
    // "Go to No." always shows the cursor point of the curve shown.
    connect(&workbench_.documentSignals, &DocumentSignals::changed, this, [this](unsigned what) {
        if (what & (CursorChanged | PointsChanged))
            showGoToPoint(workbench_.document.view().CursorPoint);
    });
    setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
    createControls();
    setFixedSize(DesignSize);
    move(DesignPosition);
}

QPushButton* CurvePanel::addButton(const char* name, const QString& caption,
                                   void (CurveWindow::*command)(), const QString& hint) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    button->setFixedHeight(RowHeight);
    button->setMinimumWidth(0);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // The keys of the table act whichever button has the focus.
    button->installEventFilter(this);
    if (command) connect(button, &QPushButton::clicked, &curve_, command);
    return button;
}

QLabel* CurvePanel::addLabel(const char* name, const QString& caption) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit* CurvePanel::addEdit(const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedHeight(RowHeight);
    edit->setMinimumWidth(0);
    edit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return edit;
}

void CurvePanel::createControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    pointNumberLabel_ = addLabel("LPoint", QStringLiteral("Точка №"));
    xLabel_ = addLabel("LX", QStringLiteral("X:"));
    yLabel_ = addLabel("LY", QStringLiteral("Y:"));
    inverseXLabel_ = addLabel("L1x", QStringLiteral("1/X:"));
    int row = 0;
    for (QLabel* label : {pointNumberLabel_, xLabel_, yLabel_, inverseXLabel_})
        grid->addWidget(label, row++, 0, 1, 6);

    grid->addWidget(addButton("homebtn", QStringLiteral("Начало"), &CurveWindow::goToViewStart),
                    row, 0, 1, 3);
    grid->addWidget(addButton("endbtn", QStringLiteral("Конец"), &CurveWindow::goToViewEnd), row++,
                    3, 1, 3);
    grid->addWidget(addButton("maxbtn", QStringLiteral("Max"), &CurveWindow::goToMaximum,
                              QString::fromUtf8(designText(message::MaximumHint))),
                    row, 0, 1, 2);
    grid->addWidget(addButton("minbtn", QStringLiteral("Min"), &CurveWindow::goToMinimum,
                              QString::fromUtf8(designText(message::MinimumHint))),
                    row, 2, 1, 2);
    stepEdit_ = new QSpinBox(this);
    stepEdit_->setObjectName(QStringLiteral("SpinEdit1"));
    stepEdit_->setRange(1, 10000);
    stepEdit_->setFixedHeight(RowHeight);
    stepEdit_->setMinimumWidth(0);
    stepEdit_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    grid->addWidget(stepEdit_, row++, 4, 1, 2);
    grid->addWidget(addButton("backbtn", QStringLiteral("<---"), &CurveWindow::stepBack,
                              QString::fromUtf8(designText(message::BackHint))),
                    row, 0, 1, 3);
    grid->addWidget(addButton("forwbtn", QStringLiteral("--->"), &CurveWindow::stepForward,
                              QString::fromUtf8(designText(message::ForwardHint))),
                    row++, 3, 1, 3);
    grid->addWidget(
        addButton("renewbtn2", QStringLiteral("Обновить"), &CurveWindow::reloadTypedRange), row, 0,
        1, 3);
    grid->addWidget(addButton("linebtn", QStringLiteral("Линии"), &CurveWindow::toggleLines), row++,
                    3, 1, 3);
    grid->addWidget(addButton("reverbtn", QStringLiteral("Перевернуть"), &CurveWindow::flip), row,
                    0, 1, 3);
    grid->addWidget(addButton("Button2", QStringLiteral("Сохранить"), &CurveWindow::savePicture),
                    row++, 3, 1, 3);
    // The whole curve's caption is the longest of its row.
    auto* shifts = new QHBoxLayout;
    shifts->setSpacing(grid->horizontalSpacing());
    shifts->addWidget(addButton("hsl", QStringLiteral("<--[1/2]"), &CurveWindow::shiftViewLeft), 2);
    shifts->addWidget(
        addButton("allcurv", QStringLiteral("Вся кривая"), &CurveWindow::showWholeCurve), 3);
    shifts->addWidget(addButton("hsr", QStringLiteral("[1/2]-->"), &CurveWindow::shiftViewRight),
                      2);
    grid->addLayout(shifts, row++, 0, 1, 6);

    // The range buttons appear once a ranges file is loaded.
    rangeCommands_ = {
        addButton("Button3", QStringLiteral("<-- .  ."), &CurveWindow::showPreviousRange),
        addLabel("Label4", QString::fromUtf8(designText(message::Ranges))),
        addButton("Button1", QStringLiteral(".  . -->"), &CurveWindow::showNextRange)};
    for (int k = 0; k < 3; ++k) {
        grid->addWidget(rangeCommands_[k], row, 2 * k, 1, 2);
        rangeCommands_[k]->hide();
    }
    ++row;

    firstPointEdit_ = addEdit("Edit1", QStringLiteral("1"));
    lastPointEdit_ = addEdit("Edit2", QStringLiteral("3963"));
    goToPointEdit_ = addEdit("Edit3", QStringLiteral("1"));
    grid->addWidget(addLabel("Label1", QStringLiteral("от")), row, 0);
    grid->addWidget(firstPointEdit_, row, 1, 1, 2);
    grid->addWidget(addLabel("Label2", QStringLiteral("до")), row, 3);
    grid->addWidget(lastPointEdit_, row++, 4, 1, 2);
    grid->addWidget(addLabel("Label3", QStringLiteral("перейти к №")), row, 0, 1, 4);
    grid->addWidget(goToPointEdit_, row++, 4, 1, 2);
    // Enter in "from" applies the typed range as leaving "to" does.
    connect(firstPointEdit_, &QLineEdit::returnPressed, &curve_, &CurveWindow::rangeEdited);
    connect(lastPointEdit_, &QLineEdit::editingFinished, &curve_, &CurveWindow::rangeEdited);
    connect(goToPointEdit_, &QLineEdit::editingFinished, &curve_, &CurveWindow::goToPoint);
}

void CurvePanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    lastPointEdit_->setText(QString::number(workbench_.document.points().PointCount));
}

void CurvePanel::keyPressEvent(QKeyEvent* event) {
    // The keys of the curve window, not its zoom characters.
    curve_.applyKeyTable(event);
}

void CurvePanel::showRangeCommands() {
    for (QWidget* command : rangeCommands_)
        command->show();
}

// A button would take the arrows to move the focus; it keeps only Space, which presses it, and
// Tab, which leaves it. The edits and the step box keep the keys that edit their text and
// pass the rest on to the panel.
bool CurvePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QWidget::eventFilter(watched, event);
    default:
        curve_.applyKeyTable(key);
        return true;
    }
}

void CurvePanel::showPointInformation(const PointInformation& information) {
    const Options& options = workbench_.options;
    const std::pair<QLabel*, const LabelFont*> labels[] = {
        {pointNumberLabel_, &options.CursorNumberFont},
        {xLabel_, &options.CursorXFont},
        {yLabel_, &options.CursorYFont},
        {inverseXLabel_, &options.CursorInverseXFont}};
    for (const auto& [label, font] : labels)
        showInFont(label, *font);
    pointNumberLabel_->setText(information.number);
    xLabel_->setText(information.x);
    yLabel_->setText(information.y);
    inverseXLabel_->setText(information.inverseX);
}

void CurvePanel::showRange(int first, int last) {
    firstPointEdit_->setText(QString::number(first));
    lastPointEdit_->setText(QString::number(last));
}

void CurvePanel::showGoToPoint(int p) {
    goToPointEdit_->setText(QString::number(p));
}

void CurvePanel::setStepMaximum(int pointCount) {
    stepEdit_->setMaximum(std::max(pointCount, 1));
}

void CurvePanel::showCursorChannel(int channel) {
    setWindowTitle(workbench_.say(message::ChannelCaption, {QString::number(channel)}));
}

int CurvePanel::step() const {
    return stepEdit_->value();
}

QString CurvePanel::firstText() const {
    return firstPointEdit_->text();
}

QString CurvePanel::lastText() const {
    return lastPointEdit_->text();
}

QString CurvePanel::goToText() const {
    return goToPointEdit_->text();
}

} // namespace quelmar
