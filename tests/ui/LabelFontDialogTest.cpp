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
    LabelFontDialog dialog(initial, {QStringLiteral("Font"), QStringLiteral("Colour...")}, nullptr);
    dialog.show();
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
    EXPECT_EQ(colourTitle, "Colour");
    EXPECT_EQ(dialog.chosen().colour, qRgb(0, 128, 0));
    EXPECT_EQ(dialog.chosen().font.pointSize(), 11);
}

} // namespace
} // namespace quelmar
