#include "ui/LabelFontDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quelmar {
namespace {

TEST(LabelFontDialog, StartsFromTheLabelsFontAndChoosesAColourToo) {
    const LabelFont initial{QFont(QStringLiteral("Serif"), 11), qRgb(255, 0, 0)};
    LabelFontDialog dialog(initial,
                           {QStringLiteral("Шрифт"), QStringLiteral("Цвет..."),
                            QStringLiteral("OK"), QStringLiteral("Отмена")},
                           nullptr);
    dialog.show();
    // Its buttons speak the interface's language, not Qt's.
    QStringList buttons;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Отмена"))) << buttons.join(u',').toStdString();
    EXPECT_EQ(dialog.chosen().font.pointSize(), 11);
    EXPECT_EQ(dialog.chosen().colour, initial.colour);

    // The colour dialog, answered as a user answers it.
    QString colourTitle;
    QTimer::singleShot(0, [&colourTitle] {
        auto* colours = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(colours, nullptr);
        colourTitle = colours->windowTitle();
        colours->setCurrentColor(QColor(0, 128, 0));
        colours->accept();
    });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("colourButton")),
                      Qt::LeftButton);
    EXPECT_EQ(colourTitle, QStringLiteral("Цвет"));
    EXPECT_EQ(dialog.chosen().colour, qRgb(0, 128, 0));
    EXPECT_EQ(dialog.chosen().font.pointSize(), 11);
}

} // namespace
} // namespace quelmar
