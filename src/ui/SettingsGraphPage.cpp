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
    Datatoolch =
        optionCheck(this, "Datatoolch", QStringLiteral("Отображать панель перемещения по графику"),
                    settings.ShowCurveTools);
    connect(Datatoolch, &QCheckBox::toggled, this, &SettingsGraphPage::curveToolsToggled);
    setkach =
        optionCheck(this, "setkach", QStringLiteral("Отображать координатную сетку вместо штрихов"),
                    settings.ShowGrid);
    askdel = optionCheck(this, "askdel", QStringLiteral("Перед удалением точки спрашивать."),
                         settings.AskBeforeDelete);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Datatoolch, 0, 0, 1, 2);
    grid->addWidget(setkach, 1, 0, 1, 2);
    grid->addWidget(askdel, 2, 0, 1, 2);
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
    SpinXax = addDecimalsRow(grid, 0, {"Label10", "X:", "SpinXax", "Label12", "ColorXaxBtn"},
                             options.XAxisDecimals, options.XAxisFont, workbench_);
    SpinYax = addDecimalsRow(grid, 1, {"Label11", "Y:", "SpinYax", "Label13", "ColorYaxBtn"},
                             options.YAxisDecimals, options.YAxisFont, workbench_);
    return group;
}

QWidget* SettingsGraphPage::createPointInfoGroup() {
    Options& options = workbench_.options;
    QGridLayout* grid = namedGroup(this, "GroupBox1", QStringLiteral("Информация о точке"));
    QWidget* group = grid->parentWidget();
    SpinX = addDecimalsRow(grid, 0, {"Label5", "X:", "SpinX", "Label9", "ColorXBtn"},
                           options.CursorXDecimals, options.CursorXFont, workbench_);
    SpinY = addDecimalsRow(grid, 1, {"Label6", "Y:", "SpinY", "Label14", "ColorYBtn"},
                           options.CursorYDecimals, options.CursorYFont, workbench_);
    Spin1X = addDecimalsRow(grid, 2, {"Label7", "1/X:", "Spin1X", "Label15", "Color1xBtn"},
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
        optionSpin(group, "SpinXL", design::MinTicks, design::MaxTicks, options.MajorTicks), 0, 1);
    grid->addWidget(namedLabel(group, "Label22", QStringLiteral("Дольные:")), 1, 0);
    grid->addWidget(
        optionSpin(group, "SpinXS", design::MinTicks, design::MaxTicks, options.MinorTicks), 1, 1);
    return group;
}

QWidget* SettingsGraphPage::createChannelGroup() {
    QGridLayout* grid = namedGroup(this, "GroupBox3", QStringLiteral("Отображение"));
    QWidget* group = grid->parentWidget();
    CheckListBox1 = new QListWidget(group);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setMinimumHeight(60);
    selall = namedButton(group, "selall", QString::fromUtf8(designText(message::EveryChannel)));
    selno = namedButton(group, "selno", QString::fromUtf8(designText(message::NoChannel)));
    connect(selall, &QPushButton::clicked, this, &SettingsGraphPage::showEveryChannel);
    connect(selno, &QPushButton::clicked, this, &SettingsGraphPage::hideEveryChannel);
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        workbench_.document.setChannelVisible(CheckListBox1->row(item) + 1,
                                              item->checkState() == Qt::Checked);
    });

    grid->addWidget(CheckListBox1, 0, 0, 1, 2);
    grid->addWidget(selall, 1, 0);
    grid->addWidget(selno, 1, 1);
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
    RadioButton2 = shapeButton("RadioButton2", QStringLiteral("Круг"));
    RadioButton3 = shapeButton("RadioButton3", QStringLiteral("Квадрат"));
    RadioButton4 = shapeButton("RadioButton4", QStringLiteral("Символ"));
    charEdit = new QLineEdit(symbolText(settings.PointSymbol), group);
    charEdit->setObjectName(QStringLiteral("charEdit"));
    charEdit->setMaximumWidth(40);
    dcirspin = optionSpin(group, "dcirspin", MinPointSize, MaxPointSize, settings.PointSize);

    for (QRadioButton* shape : {RadioButton2, RadioButton3, RadioButton4})
        connect(shape, &QRadioButton::toggled, this, [this](bool on) {
            if (on) shapeChosen();
        });
    // Points are drawn with the whole text; an emptied box keeps the last symbol.
    connect(charEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty()) workbench_.settings.PointSymbol = toCp1251(text);
    });
    connect(charEdit, &QLineEdit::editingFinished, this, [this] {
        if (charEdit->text().isEmpty())
            charEdit->setText(symbolText(workbench_.settings.PointSymbol));
    });

    grid->addWidget(RadioButton2, 0, 0);
    grid->addWidget(RadioButton3, 1, 0);
    grid->addWidget(RadioButton4, 2, 0);
    grid->addWidget(charEdit, 2, 1);
    grid->addWidget(namedLabel(group, "Label19", QStringLiteral("Размер:")), 3, 0);
    grid->addWidget(dcirspin, 3, 1);
    grid->addWidget(namedLabel(group, "Label20", QString::fromUtf8(designText(message::PixelUnit))),
                    3, 2);
    return group;
}

QLabel* SettingsGraphPage::createDefaultsLink() {
    defaultbtn = namedLabel(this, "defaultbtn", QStringLiteral("Вернуть всё по умолчанию"));
    defaultbtn->setCursor(Qt::PointingHandCursor);
    defaultbtn->setAttribute(Qt::WA_Hover);
    defaultbtn->installEventFilter(this);
    setLinkColour(Qt::black);
    return defaultbtn;
}

void SettingsGraphPage::setLinkColour(const QColor& colour) {
    QPalette palette = defaultbtn->palette();
    palette.setColor(QPalette::WindowText, colour);
    defaultbtn->setPalette(palette);
}

// The link turns blue under the mouse, red while pressed and black again on release or when
// the mouse leaves it.
bool SettingsGraphPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != defaultbtn) return QWidget::eventFilter(watched, event);
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
        if (defaultbtn->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            restoreDefaultLook();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsGraphPage::showSettings(const AppSettings& settings) {
    const AppSettings shown = settings; // the controls write back into the live settings
    Datatoolch->setChecked(shown.ShowCurveTools);
    setkach->setChecked(shown.ShowGrid);
    askdel->setChecked(shown.AskBeforeDelete);
    dcirspin->setValue(shown.PointSize);
    charEdit->setText(symbolText(shown.PointSymbol));
    workbench_.settings.PointSymbol = shown.PointSymbol;
    RadioButton2->setChecked(shown.Shape == PointShape::Circle);
    RadioButton3->setChecked(shown.Shape == PointShape::Square);
    RadioButton4->setChecked(shown.Shape == PointShape::Symbol);
    shapeChosen();
}

void SettingsGraphPage::shapeChosen() {
    PointShape& shape = workbench_.settings.Shape;
    if (RadioButton3->isChecked())
        shape = PointShape::Square;
    else if (RadioButton4->isChecked())
        shape = PointShape::Symbol;
    else
        shape = PointShape::Circle;
    const bool symbol = shape == PointShape::Symbol;
    dcirspin->setEnabled(!symbol);
    charEdit->setEnabled(symbol);
}

void SettingsGraphPage::showChannels(const PointStore& store) {
    const QSignalBlocker quiet(CheckListBox1);
    CheckListBox1->clear();
    for (int k = 1; k <= store.ChannelCount; ++k) {
        auto* item =
            new QListWidgetItem(workbench_.say(message::ChannelItem, {QString::number(k)}));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool visible = static_cast<std::size_t>(k) < store.ChannelVisible.size() &&
                             store.ChannelVisible[static_cast<std::size_t>(k)];
        item->setCheckState(visible ? Qt::Checked : Qt::Unchecked);
        CheckListBox1->addItem(item);
    }
    const bool several = CheckListBox1->count() > 1;
    CheckListBox1->setEnabled(several);
    selall->setEnabled(several);
    selno->setEnabled(several);
}

void SettingsGraphPage::markAllChannels(bool marked) {
    for (int row = 0; row < CheckListBox1->count(); ++row)
        CheckListBox1->item(row)->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
}

void SettingsGraphPage::showEveryChannel() {
    markAllChannels(true);
}

void SettingsGraphPage::hideEveryChannel() {
    markAllChannels(false);
}

void SettingsGraphPage::restoreDefaultLook() {
    SpinX->setValue(design::CursorXDecimals);
    SpinY->setValue(design::CursorYDecimals);
    Spin1X->setValue(design::CursorInverseXDecimals);
    SpinXax->setValue(design::AxisDecimals);
    SpinYax->setValue(design::AxisDecimals);
    RadioButton2->setChecked(true);
    dcirspin->setValue(design::PointSize);
    markAllChannels(true);
}

} // namespace quelmar
