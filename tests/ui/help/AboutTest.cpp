#include "ui/help/AboutBox.h"
#include "ui/help/LinkLabel.h"
#include "ui/help/RaisedLabel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace quelmar;

namespace {

QIcon redIcon() {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

// An about box whose links and message box are recorded instead of acted on.
struct RecordedAboutbox {
    AboutBox box{redIcon()};
    std::vector<QUrl> links;
    std::vector<std::pair<QString, QString>> messages;

    RecordedAboutbox() {
        box.setLinkOpener([this](const QUrl& url) { links.push_back(url); });
        box.setMessageShower([this](const QString& caption, const QString& text) {
            messages.emplace_back(caption, text);
        });
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    template <class T> T* child(const char* name) { return box.findChild<T*>(name); }
};

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers, QPoint at = {5, 5}) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

int pixelsOf(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

} // namespace

TEST(AboutBox, ShowsTitleVersionDescriptionAndIcon) {
    RecordedAboutbox r;
    EXPECT_EQ(r.box.objectName(), "TAboutbox");
    EXPECT_EQ(r.box.windowTitle(), QString::fromUtf8("О программе"));
    EXPECT_EQ(r.box.palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(r.child<QLabel>("l1")->text(), "Quelmar");
    EXPECT_EQ(r.child<QLabel>("Label3D1")->text(), "v3.03 ALTUS");
    EXPECT_FALSE(r.child<QLabel>("Label1")->text().isEmpty());
    EXPECT_EQ(r.child<QLabel>("Label3")->text().count('\n'), 3);
    EXPECT_TRUE(
        r.child<QLabel>("Label3")->text().startsWith(QString::fromUtf8("Многофункциональная")));
    EXPECT_FALSE(r.child<QLabel>("Image1")->pixmap().isNull());

    r.box.setDescription("A multi-purpose program", "for observers", "of variable stars");
    EXPECT_EQ(r.child<QLabel>("Label3")->text(),
              "A multi-purpose program\nfor observers\nof variable stars");
}

TEST(AboutBox, TitlesAreDrawnInRaisedLettering) {
    RecordedAboutbox r;
    auto* title = r.child<RaisedLabel>("l1");
    const QImage image = title->grab().toImage();
    EXPECT_GT(pixelsOf(image, RaisedLabel::highlightColour()), 20);
    EXPECT_GT(pixelsOf(image, RaisedLabel::shadowColour()), 20);
}

TEST(AboutBox, LinksOpenMailAndWebPage) {
    RecordedAboutbox r;
    QTest::mouseClick(r.child<QLabel>("ebtn"), Qt::LeftButton);
    QTest::mouseClick(r.child<QLabel>("webbtn"), Qt::LeftButton);
    ASSERT_EQ(r.links.size(), 2u);
    EXPECT_EQ(r.links[0].toString(), "mailto:" + AboutBox::mailAddress() +
                                         "?subject=StartUp&cc=" + AboutBox::copyAddress());
    EXPECT_EQ(r.links[1], QUrl(AboutBox::webAddress()));
    EXPECT_EQ(r.links[1].scheme(), "https");

    QTest::mouseClick(r.child<QLabel>("ebtn"), Qt::RightButton);
    EXPECT_EQ(r.links.size(), 2u);
}

TEST(AboutBox, LinkLook) {
    RecordedAboutbox r;
    auto* mail = r.child<LinkLabel>("ebtn");
    auto* web = r.child<LinkLabel>("webbtn");
    EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(mail->textColour(), QColor(Qt::blue));

    sendMouse(mail, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    sendMouse(web, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_TRUE(mail->isUnderlined() && web->isUnderlined());
    sendMouse(&r.box, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier, {1, 1});
    EXPECT_FALSE(mail->isUnderlined() || web->isUnderlined());
    // Leaving a link for any other control, or another window, takes its underline away.
    sendMouse(mail, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(mail, &leave);
    EXPECT_FALSE(mail->isUnderlined());

    sendMouse(mail, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    EXPECT_EQ(mail->textColour(), QColor(Qt::red));
    sendMouse(mail, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(mail->textColour(), QColor(Qt::blue));
}

TEST(AboutBox, CtrlClickOnTheIconShowsTheHiddenMessage) {
    RecordedAboutbox r;
    auto* icon = r.child<QLabel>("Image1");
    QTest::mouseClick(icon, Qt::LeftButton);
    QTest::mouseClick(icon, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::mouseClick(icon, Qt::RightButton, Qt::AltModifier);
    // Another mouse button still held, and a release away from the icon, do not count.
    sendMouse(icon, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::RightButton,
              Qt::ControlModifier);
    sendMouse(icon, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier,
              {icon->width() + 30, 5});
    EXPECT_TRUE(r.messages.empty());

    r.box.setLanguage(InterfaceLanguage::Russian);
    QTest::mouseClick(icon, Qt::RightButton, Qt::ControlModifier);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].first, "KERNEL32 ERROR");
    EXPECT_EQ(r.messages[0].second,
              QString::fromUtf8("Любопытной Варваре нос оторвали\n(русская пословица)"));
}

TEST(AboutBox, OkCloses) {
    RecordedAboutbox r;
    QTest::mouseClick(r.child<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_FALSE(r.box.isVisible());
    EXPECT_EQ(r.box.result(), QDialog::Accepted);
}
