#include "CurvePanel.h"

#include "Workbench.h"
#include "CurveWindow.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace quelmar {

namespace {

// Design position of the panel on the screen.
constexpr QPoint DesignPosition(21, 223);

} // namespace

CurvePanel::CurvePanel(Workbench& workbench, CurveWindow& curve)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint), workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("Tcurvtool"));
    setWindowTitle(QStringLiteral("Управление"));
    createControls();
    setFixedSize(sizeHint());
    move(DesignPosition);
}

QPushButton* CurvePanel::addButton(const char* name, const QString& caption,
                                  void (CurveWindow::*command)(), const QString& hint) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
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
    edit->setMaximumWidth(70);
    return edit;
}

void CurvePanel::createControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    LPoint = addLabel("LPoint", QStringLiteral("Точка №"));
    LX = addLabel("LX", QStringLiteral("X:"));
    LY = addLabel("LY", QStringLiteral("Y:"));
    L1x = addLabel("L1x", QStringLiteral("1/X:"));
    int row = 0;
    for (QLabel* label : {LPoint, LX, LY, L1x})
        grid->addWidget(label, row++, 0, 1, 6);

    grid->addWidget(addButton("homebtn", QStringLiteral("Начало"), &CurveWindow::goToViewStart),
                    row, 0, 1, 3);
    grid->addWidget(addButton("endbtn", QStringLiteral("Конец"), &CurveWindow::goToViewEnd), row++,
                    3, 1, 3);
    grid->addWidget(addButton("maxbtn", QStringLiteral("Max"), &CurveWindow::goToMaximum,
                              QStringLiteral("Максимальное значение Y")),
                    row, 0, 1, 2);
    grid->addWidget(addButton("minbtn", QStringLiteral("Min"), &CurveWindow::goToMinimum,
                              QStringLiteral("Минимальное значение Y")),
                    row, 2, 1, 2);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 10000);
    grid->addWidget(SpinEdit1, row++, 4, 1, 2);
    grid->addWidget(addButton("backbtn", QStringLiteral("<---"), &CurveWindow::stepBack,
                              QStringLiteral("Назад")),
                    row, 0, 1, 3);
    grid->addWidget(addButton("forwbtn", QStringLiteral("--->"), &CurveWindow::stepForward,
                              QStringLiteral("Вперед")),
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
    grid->addWidget(addButton("hsl", QStringLiteral("<--[1/2]"), &CurveWindow::shiftViewLeft), row,
                    0, 1, 2);
    grid->addWidget(
        addButton("allcurv", QStringLiteral("Вся кривая"), &CurveWindow::showWholeCurve), row, 2, 1,
        2);
    grid->addWidget(addButton("hsr", QStringLiteral("[1/2]-->"), &CurveWindow::shiftViewRight),
                    row++, 4, 1, 2);

    // The range buttons appear once a ranges file is loaded.
    rangeCommands_ = {
        addButton("Button3", QStringLiteral("<-- .  ."), &CurveWindow::showPreviousRange),
        addLabel("Label4", QStringLiteral("Диапазоны")),
        addButton("Button1", QStringLiteral(".  . -->"), &CurveWindow::showNextRange)};
    for (int k = 0; k < 3; ++k) {
        grid->addWidget(rangeCommands_[k], row, 2 * k, 1, 2);
        rangeCommands_[k]->hide();
    }
    ++row;

    Edit1 = addEdit("Edit1", QStringLiteral("1"));
    Edit2 = addEdit("Edit2", QStringLiteral("3963"));
    Edit3 = addEdit("Edit3", QStringLiteral("1"));
    grid->addWidget(addLabel("Label1", QStringLiteral("от")), row, 0);
    grid->addWidget(Edit1, row, 1, 1, 2);
    grid->addWidget(addLabel("Label2", QStringLiteral("до")), row, 3);
    grid->addWidget(Edit2, row++, 4, 1, 2);
    grid->addWidget(addLabel("Label3", QStringLiteral("перейти к №")), row, 0, 1, 4);
    grid->addWidget(Edit3, row++, 4, 1, 2);
    connect(Edit2, &QLineEdit::editingFinished, &curve_, &CurveWindow::rangeEdited);
    connect(Edit3, &QLineEdit::editingFinished, &curve_, &CurveWindow::goToPoint);
}

void CurvePanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Edit2->setText(QString::number(workbench_.store.PointCount));
}

void CurvePanel::keyPressEvent(QKeyEvent* event) {
    // The keys of the curve window, not its zoom characters.
    curve_.applyKeyTable(event);
}

void CurvePanel::showRangeCommands() {
    for (QWidget* command : rangeCommands_)
        command->show();
}

void CurvePanel::showPointInformation(const PointInformation& information) {
    const Options& options = workbench_.options;
    const std::pair<QLabel*, const QFont*> labels[] = {{LPoint, &options.CursorNumberFont},
                                                       {LX, &options.CursorXFont},
                                                       {LY, &options.CursorYFont},
                                                       {L1x, &options.CursorInverseXFont}};
    for (const auto& [label, font] : labels)
        if (label->font() != *font) label->setFont(*font);
    LPoint->setText(information.number);
    LX->setText(information.x);
    LY->setText(information.y);
    L1x->setText(information.inverseX);
}

void CurvePanel::showRange(int first, int last) {
    Edit1->setText(QString::number(first));
    Edit2->setText(QString::number(last));
}

void CurvePanel::showGoToPoint(int p) {
    Edit3->setText(QString::number(p));
}

void CurvePanel::setStepMaximum(int pointCount) {
    SpinEdit1->setMaximum(std::max(pointCount, 1));
}

void CurvePanel::showCursorChannel(int channel) {
    setWindowTitle(QString::number(channel) + QStringLiteral(" channel"));
}

int CurvePanel::step() const {
    return SpinEdit1->value();
}

QString CurvePanel::firstText() const {
    return Edit1->text();
}

QString CurvePanel::lastText() const {
    return Edit2->text();
}

QString CurvePanel::goToText() const {
    return Edit3->text();
}

} // namespace quelmar
