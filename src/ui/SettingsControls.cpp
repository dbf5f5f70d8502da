#include "SettingsControls.h"

#include "Workbench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace quelmar {

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit* namedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QPushButton* namedButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QComboBox* choiceBox(QWidget* parent, const char* name, int items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (int i = 0; i < items; ++i)
        box->addItem(QString());
    return box;
}

QGridLayout* namedGroup(QWidget* parent, const char* name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    return new QGridLayout(group);
}

QSpinBox* optionSpin(QWidget* parent, const char* name, int minimum, int maximum, int& option) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    spin->setValue(option);
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [&option](int value) { option = value; });
    return spin;
}

QCheckBox* optionCheck(QWidget* parent, const char* name, const QString& text, bool& option) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QLatin1String(name));
    check->setChecked(option);
    QObject::connect(check, &QCheckBox::toggled, check, [&option](bool on) { option = on; });
    return check;
}

namespace {

void showFontOn(QPushButton* button, const LabelFont& font) {
    button->setFont(font.font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(font.colour));
    button->setPalette(palette);
}

} // namespace

QPushButton* fontButton(QWidget* parent, const char* name, Workbench& workbench,
                        LabelFont& option) {
    auto* button = new QPushButton(QStringLiteral("Шрифт..."), parent);
    button->setObjectName(QLatin1String(name));
    showFontOn(button, option);
    QObject::connect(button, &QPushButton::clicked, button, [button, &workbench, &option] {
        const FontDialogTexts texts{workbench.say(message::LabelFontTitle),
                                    workbench.say(message::LabelColourButton)};
        if (const std::optional<LabelFont> font =
                workbench.desktop.chooseFont(button->window(), option, texts)) {
            option = *font;
            showFontOn(button, *font);
        }
    });
    return button;
}

} // namespace quelmar
