#include "SettingsGraphPage.h"

#include "SettingsControls.h"
#include "Workbench.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quelmar {

namespace {

QString symbolText(const std::string& symbol) {
    return fromCp1251(symbol);
}

struct DecimalsRow {
    const char* label;
    const char* caption;
    const char* spin;
    const char* unit;
    const char* button;
};

// "X: [spin] digits [Font...]": a row of decimals with the font of what they label.
QSpinBox* addDecimalsRow(QGridLayout* grid, int row, const DecimalsRow& names, int& decimals,
                         LabelFont& font, Workbench& workbench) {
    QWidget* group = grid->parentWidget();
    QSpinBox* spin = optionSpin(group, names.spin, 0, design::MaxDecimals, decimals);
    grid->addWidget(namedLabel(group, names.label, QString::fromUtf8(names.caption)), row, 0);
    grid->addWidget(spin, row, 1);
    grid->addWidget(namedLabel(group, names.unit, QStringLiteral("знаки")), row, 2);
    grid->addWidget(fontButton(group, names.button, workbench, font), row, 3);
    return spin;
}

} // namespace

SettingsGraphPage::SettingsGraphPage(Workbench& workbench, QWidget* parent)
    : QWidget(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TabSheet2"));
    AppSettings& settings = workbench.settings;
    curveToolsCheck_ =
        optionCheck(this, "Datatoolch", QStringLiteral("Отображать панель перемещения по графику"),
                    settings.ShowCurveTools);
    connect(curveToolsCheck_, &QCheckBox::toggled, this, &SettingsGraphPage::curveToolsToggled);
    gridCheck_ =
        optionCheck(this, "setkach", QStringLiteral("Отображать координатную сетку вместо штрихов"),
                    settings.ShowGrid);
    askBeforeDeleteCheck_ =
        optionCheck(this, "askdel", QStringLiteral("Перед удалением точки спрашивать."),
                    settings.AskBeforeDelete);

    auto* grid = new QGridLayout(this);
    grid->addWidget(curveToolsCheck_, 0, 0, 1, 2);
    grid->addWidget(gridCheck_, 1, 0, 1, 2);
    grid->addWidget(askBeforeDeleteCheck_, 2, 0, 1, 2);
    grid->addWidget(createAxisGroup(), 3, 0);
    grid->addWidget(createPointInfoGroup(), 4, 0, 2, 1);
    grid->addWidget(createTicksGroup(), 3, 1);
    grid->addWidget(createShapeGroup(), 4, 1);
    grid->addWidget(createChannelGroup(), 5, 1);
    grid->addWidget(createDefaultsLink(), 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
}

QWidget* SettingsGraphPage::createAxisGroup() {
    Options& options = workbench_.options;
    QGridLayout* grid = namedGroup(this, "GroupBox2", QStringLiteral("Подписи осей"));
    QWidget* group = grid->parentWidget();
    xAxisDecimalsSpin_ =
        addDecimalsRow(grid, 0, {"Label10", "X:", "SpinXax", "Label12", "ColorXaxBtn"},
                       options.Plot.XAxisDecimals, options.Plot.XAxisFont, workbench_);
    yAxisDecimalsSpin_ =
        addDecimalsRow(grid, 1, {"Label11", "Y:", "SpinYax", "Label13", "ColorYaxBtn"},
                       options.Plot.YAxisDecimals, options.Plot.YAxisFont, workbench_);
    return group;
}

QWidget* SettingsGraphPage::createPointInfoGroup() {
    Options& options = workbench_.options;
    QGridLayout* grid = namedGroup(this, "GroupBox1", QStringLiteral("Информация о точке"));
    QWidget* group = grid->parentWidget();
    cursorXDecimalsSpin_ = addDecimalsRow(grid, 0, {"Label5", "X:", "SpinX", "Label9", "ColorXBtn"},
                                          options.CursorXDecimals, options.CursorXFont, workbench_);
    cursorYDecimalsSpin_ =
        addDecimalsRow(grid, 1, {"Label6", "Y:", "SpinY", "Label14", "ColorYBtn"},
                       options.CursorYDecimals, options.CursorYFont, workbench_);
    cursorInverseXDecimalsSpin_ =
        addDecimalsRow(grid, 2, {"Label7", "1/X:", "Spin1X", "Label15", "Color1xBtn"},
                       options.CursorInverseXDecimals, options.CursorInverseXFont, workbench_);
    // Point numbers are whole: their decimals are shown but cannot change.
    addDecimalsRow(grid, 3, {"Label8", "№:", "SpinNum", "Label16", "ColorNumBtn"},
                   options.CursorNumberDecimals, options.CursorNumberFont, workbench_)
        ->setEnabled(false);
    return group;
}

QWidget* SettingsGraphPage::createTicksGroup() {
    Options& options = workbench_.options;
    QGridLayout* grid = namedGroup(this, "GroupBox4", QStringLiteral("Штрихи"));
    QWidget* group = grid->parentWidget();
    grid->addWidget(namedLabel(group, "Label21", QStringLiteral("Основные")), 0, 0);
    grid->addWidget(
        optionSpin(group, "SpinXL", design::MinTicks, design::MaxTicks, options.Plot.MajorTicks), 0,
        1);
    grid->addWidget(namedLabel(group, "Label22", QStringLiteral("Дольные:")), 1, 0);
    grid->addWidget(
        optionSpin(group, "SpinXS", design::MinTicks, design::MaxTicks, options.Plot.MinorTicks), 1,
        1);
    return group;
}

QWidget* SettingsGraphPage::createChannelGroup() {
    QGridLayout* grid = namedGroup(this, "GroupBox3", QStringLiteral("Отображение"));
    QWidget* group = grid->parentWidget();
    channelsList_ = new QListWidget(group);
    channelsList_->setObjectName(QStringLiteral("CheckListBox1"));
    channelsList_->setMinimumHeight(60);
    everyChannelButton_ =
        namedButton(group, "selall", QString::fromUtf8(designText(message::EveryChannel)));
    noChannelButton_ =
        namedButton(group, "selno", QString::fromUtf8(designText(message::NoChannel)));
    connect(everyChannelButton_, &QPushButton::clicked, this, &SettingsGraphPage::showEveryChannel);
    connect(noChannelButton_, &QPushButton::clicked, this, &SettingsGraphPage::hideEveryChannel);
    connect(channelsList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        workbench_.document.setChannelVisible(channelsList_->row(item) + 1,
                                              item->checkState() == Qt::Checked);
    });

    grid->addWidget(channelsList_, 0, 0, 1, 2);
    grid->addWidget(everyChannelButton_, 1, 0);
    grid->addWidget(noChannelButton_, 1, 1);
    return group;
}

QWidget* SettingsGraphPage::createShapeGroup() {
    AppSettings& settings = workbench_.settings;
    QGridLayout* grid = namedGroup(this, "GroupBox6", QStringLiteral("Точки"));
    QWidget* group = grid->parentWidget();
    const auto shapeButton = [group](const char* name, const QString& caption) {
        auto* button = new QRadioButton(caption, group);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    circleButton_ = shapeButton("RadioButton2", QStringLiteral("Круг"));
    squareButton_ = shapeButton("RadioButton3", QStringLiteral("Квадрат"));
    symbolButton_ = shapeButton("RadioButton4", QStringLiteral("Символ"));
    symbolEdit_ = new QLineEdit(symbolText(settings.PointSymbol), group);
    symbolEdit_->setObjectName(QStringLiteral("charEdit"));
    symbolEdit_->setMaximumWidth(40);
    pointSizeSpin_ = optionSpin(group, "dcirspin", MinPointSize, MaxPointSize, settings.PointSize);

    for (QRadioButton* shape : {circleButton_, squareButton_, symbolButton_})
        connect(shape, &QRadioButton::toggled, this, [this](bool on) {
            if (on) shapeChosen();
        });
    // Points are drawn with the whole text; an emptied box keeps the last symbol.
    connect(symbolEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty()) workbench_.settings.PointSymbol = toCp1251(text);
    });
    connect(symbolEdit_, &QLineEdit::editingFinished, this, [this] {
        if (symbolEdit_->text().isEmpty())
            symbolEdit_->setText(symbolText(workbench_.settings.PointSymbol));
    });

    grid->addWidget(circleButton_, 0, 0);
    grid->addWidget(squareButton_, 1, 0);
    grid->addWidget(symbolButton_, 2, 0);
    grid->addWidget(symbolEdit_, 2, 1);
    grid->addWidget(namedLabel(group, "Label19", QStringLiteral("Размер:")), 3, 0);
    grid->addWidget(pointSizeSpin_, 3, 1);
    grid->addWidget(namedLabel(group, "Label20", QString::fromUtf8(designText(message::PixelUnit))),
                    3, 2);
    return group;
}

QLabel* SettingsGraphPage::createDefaultsLink() {
    defaultsLink_ = namedLabel(this, "defaultbtn", QStringLiteral("Вернуть всё по умолчанию"));
    defaultsLink_->setCursor(Qt::PointingHandCursor);
    defaultsLink_->setAttribute(Qt::WA_Hover);
    defaultsLink_->installEventFilter(this);
    setLinkColour(Qt::black);
    return defaultsLink_;
}

void SettingsGraphPage::setLinkColour(const QColor& colour) {
    QPalette palette = defaultsLink_->palette();
    palette.setColor(QPalette::WindowText, colour);
    defaultsLink_->setPalette(palette);
}

// The link turns blue under the mouse, red while pressed and black again on release or when
// the mouse leaves it.
bool SettingsGraphPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != defaultsLink_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        setLinkColour(Qt::blue);
        break;
    case QEvent::Leave:
        setLinkColour(Qt::black);
        break;
    case QEvent::MouseButtonPress:
        setLinkColour(Qt::red);
        break;
    case QEvent::MouseButtonRelease:
        setLinkColour(Qt::black);
        if (defaultsLink_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            restoreDefaultLook();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsGraphPage::showSettings(const AppSettings& settings) {
    const AppSettings shown = settings; // the controls write back into the live settings
    curveToolsCheck_->setChecked(shown.ShowCurveTools);
    gridCheck_->setChecked(shown.ShowGrid);
    askBeforeDeleteCheck_->setChecked(shown.AskBeforeDelete);
    pointSizeSpin_->setValue(shown.PointSize);
    symbolEdit_->setText(symbolText(shown.PointSymbol));
    workbench_.settings.PointSymbol = shown.PointSymbol;
    circleButton_->setChecked(shown.Shape == PointShape::Circle);
    squareButton_->setChecked(shown.Shape == PointShape::Square);
    symbolButton_->setChecked(shown.Shape == PointShape::Symbol);
    shapeChosen();
}

void SettingsGraphPage::shapeChosen() {
    PointShape& shape = workbench_.settings.Shape;
    if (squareButton_->isChecked())
        shape = PointShape::Square;
    else if (symbolButton_->isChecked())
        shape = PointShape::Symbol;
    else
        shape = PointShape::Circle;
    const bool symbol = shape == PointShape::Symbol;
    pointSizeSpin_->setEnabled(!symbol);
    symbolEdit_->setEnabled(symbol);
}

void SettingsGraphPage::showChannels(const PointStore& store) {
    const QSignalBlocker quiet(channelsList_);
    channelsList_->clear();
    for (int k = 1; k <= store.ChannelCount; ++k) {
        auto* item =
            new QListWidgetItem(workbench_.say(message::ChannelItem, {QString::number(k)}));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool visible = static_cast<std::size_t>(k) < store.ChannelVisible.size() &&
                             store.ChannelVisible[static_cast<std::size_t>(k)];
        item->setCheckState(visible ? Qt::Checked : Qt::Unchecked);
        channelsList_->addItem(item);
    }
    const bool several = channelsList_->count() > 1;
    channelsList_->setEnabled(several);
    everyChannelButton_->setEnabled(several);
    noChannelButton_->setEnabled(several);
}

void SettingsGraphPage::markAllChannels(bool marked) {
    for (int row = 0; row < channelsList_->count(); ++row)
        channelsList_->item(row)->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
}

void SettingsGraphPage::showEveryChannel() {
    markAllChannels(true);
}

void SettingsGraphPage::hideEveryChannel() {
    markAllChannels(false);
}

void SettingsGraphPage::restoreDefaultLook() {
    cursorXDecimalsSpin_->setValue(design::CursorXDecimals);
    cursorYDecimalsSpin_->setValue(design::CursorYDecimals);
    cursorInverseXDecimalsSpin_->setValue(design::CursorInverseXDecimals);
    xAxisDecimalsSpin_->setValue(design::AxisDecimals);
    yAxisDecimalsSpin_->setValue(design::AxisDecimals);
    circleButton_->setChecked(true);
    pointSizeSpin_->setValue(design::PointSize);
    markAllChannels(true);
}

} // namespace quelmar
