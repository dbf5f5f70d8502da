#include "CurveFixture.h"

#include "ui/PictureExportDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QSlider>

namespace quelmar::test {
namespace {

class PictureExportTest : public CurveTest {
protected:
    PictureExportDialog& dialog() { return shell->pictureExport(); }
    QLineEdit* fileField() { return find<QLineEdit>(dialog(), "Edit1"); }
    void choose(const char* list, int item) {
        find<QComboBox>(dialog(), list)->setCurrentIndex(item);
    }
    void clickSave() { QTest::mouseClick(find<QPushButton>(dialog(), "Button1"), Qt::LeftButton); }
    QString lastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().text;
    }
};

TEST_F(PictureExportTest, TheFileFieldFollowsTheFormatListAndSavesAOneBitBitmap) {
    openEvenCurve(20);
    key(Qt::Key_S);
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Saving curve as a picture"));
    EXPECT_EQ(fileField()->text(), inWork("star"));
    choose("ComboBox1", 1);
    EXPECT_EQ(fileField()->text(), inWork("star.jpg"));
    choose("ComboBox1", 0);
    EXPECT_EQ(fileField()->text(), inWork("star.bmp"));

    choose("pf", 0); // 2 colours
    EXPECT_EQ(dialog().preview().bitsPerPixel, 1);
    EXPECT_EQ(dialog().preview().image.colorCount(), 2);
    clickSave();
    EXPECT_TRUE(desktop.messages.empty()) << lastMessage().toStdString();
    EXPECT_FALSE(dialog().isVisible());
    const QImage saved(inWork("star.bmp"));
    EXPECT_EQ(saved.size(), curve().picture().size());
    EXPECT_EQ(saved.depth(), 1);
}

TEST_F(PictureExportTest, ExtensionsDecideAndTheQualityIsShown) {
    openEvenCurve(20);
    QTest::mouseClick(find<QPushButton>(panel(), "Button2"), Qt::LeftButton);
    ASSERT_TRUE(dialog().isVisible());
    auto* quality = find<QSlider>(dialog(), "jpgCompress");
    quality->setValue(35);
    EXPECT_EQ(find<QLabel>(dialog(), "Label2")->text(), QStringLiteral("35%"));

    // No depth chosen: said, and the picture is saved as drawn. No extension: the dialog stays.
    clickSave();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("Please, select color format!"));
    EXPECT_EQ(desktop.messages[1].text, QStringLiteral("Please, select file format!"));
    EXPECT_TRUE(dialog().isVisible());

    // An extension of capitals is not recognised: said, nothing written, the dialog closes.
    fileField()->setText(inWork("star.JPG"));
    clickSave();
    EXPECT_EQ(lastMessage(), QStringLiteral("Please, select file format!"));
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(QFile::exists(inWork("star.JPG")));
}

TEST_F(PictureExportTest, AFileThatCannotBeCreatedKeepsTheDialogOpen) {
    openEvenCurve(20);
    clickMenuItem("graph1", "grfsave");
    ASSERT_TRUE(dialog().isVisible());
    choose("pf", 6);
    fileField()->setText(inWork("missing/star.png"));
    clickSave();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("Cannot create file ") +
                                         inWork("missing/star.png")));
    EXPECT_TRUE(dialog().isVisible());
    // The save dialog names the file; the list follows its extension.
    desktop.fileAnswers.push_back(inWork("star.png"));
    QTest::mouseClick(find<QPushButton>(dialog(), "browseButton"), Qt::LeftButton);
    ASSERT_EQ(desktop.savesRun.size(), 1u);
    EXPECT_EQ(fileField()->text(), inWork("star.png"));
    EXPECT_EQ(find<QComboBox>(dialog(), "ComboBox1")->currentIndex(), 3);
    clickSave();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(QImage(inWork("star.png")).convertToFormat(QImage::Format_RGB32), curve().picture());
}

TEST_F(PictureExportTest, CtrlSStaysWithFileSave) {
    openEvenCurve(20);
    // No two menu items show one key: the key would do only one of them.
    QMap<QString, QString> shown;
    for (const QAction* item : shell->mainWindow().findChildren<QAction*>()) {
        const QString key = item->shortcut().toString();
        if (key.isEmpty()) continue;
        EXPECT_FALSE(shown.contains(key))
            << key.toStdString() << ": " << shown.value(key).toStdString() << " and "
            << item->objectName().toStdString();
        shown.insert(key, item->objectName());
    }
    QTest::keyClick(&shell->mainWindow(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(desktop.dialogsRun.size(), 1u) << "File Save asked for a name";
    EXPECT_FALSE(dialog().isVisible());
}

} // namespace
} // namespace quelmar::test
