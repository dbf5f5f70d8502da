#include "support/TempDir.h"
#include "ui/help/ManualWindow.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

const QString dataFolder = QStringLiteral(QUELMAR_DATA_DIR);

int visibleWords(const QString& text) {
    int words = 0;
    for (const QString& token :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (std::any_of(token.begin(), token.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            ++words;
    }
    return words;
}

// Paragraphs set wholly in bold and larger than the body text.
QStringList headings(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        bool heading = !b.text().trimmed().isEmpty();
        for (auto it = b.begin(); heading && !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            heading = f.fontWeight() == QFont::Bold && f.fontPointSize() > 12.0;
        }
        if (heading) out << b.text();
    }
    return out;
}

} // namespace

TEST(ManualWindow, StartsWithTheNotFoundText) {
    ManualWindow help;
    EXPECT_EQ(help.objectName(), "THelpfrm");
    EXPECT_EQ(help.windowTitle(), QString::fromUtf8("Руководство по эксплуатации"));
    ASSERT_NE(help.findChild<QTextBrowser*>("Manualbox"), nullptr);
    EXPECT_TRUE(help.manualBox()->isReadOnly());
    EXPECT_EQ(help.manualBox()->toPlainText(), "File not found :-(");
    EXPECT_EQ(ManualWindow::manualFileName("ru"), "manual_ru.rtf");
}

TEST(ManualWindow, AMissingManualKeepsTheInitialTextAndNamesTheFile) {
    TempDir dir;
    ManualWindow help;
    const QString missing = QString::fromStdString(dir.file("manual_xx.rtf"));
    QString error;
    EXPECT_FALSE(help.loadManual(missing, &error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    EXPECT_EQ(help.manualBox()->toPlainText(), ManualWindow::initialText());
    EXPECT_FALSE(help.loadManual(QString::fromStdString(dir.path()), nullptr)); // a folder
}

TEST(ManualWindow, AFailedLoadDoesNotLeaveTheEarlierManualOnScreen) {
    TempDir dir;
    ManualWindow help;
    const auto en =
        QString::fromStdString(dir.write("manual_en.rtf", "{\\rtf1 {\\b Manual}\\par}"));
    QString error;
    ASSERT_TRUE(help.loadManual(en, &error));
    EXPECT_TRUE(help.manualBox()->toPlainText().startsWith("Manual"));
    EXPECT_FALSE(help.loadManual(QString::fromStdString(dir.file("manual_ru.rtf")), &error));
    EXPECT_EQ(help.manualBox()->toPlainText(), ManualWindow::initialText());
}

class RealManual : public testing::TestWithParam<const char*> {};

TEST_P(RealManual, LoadsFormattedWithEnoughText) {
    ManualWindow help;
    QString error;
    ASSERT_TRUE(
        help.loadManual(dataFolder + "/" + ManualWindow::manualFileName(GetParam()), &error))
        << error.toStdString();
    const QTextDocument& doc = *help.manualBox()->document();
    const QString text = doc.toPlainText();

    EXPECT_GE(visibleWords(text), 1500);
    EXPECT_GE(headings(doc).size(), 15);
    // Nothing of the RTF source may leak into what the reader sees.
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\\\[a-z']|[{}]"))));
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
    for (const char* name : {"settings.bin", "settings_.bin", "hotstars.ini", "extrema.txt",
                             "_ph.dat", ".per", ".bar", "quelmar-cli", "F1", "Ctrl+E"}) {
        EXPECT_TRUE(text.contains(QLatin1String(name))) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, RealManual, testing::Values("en", "ru"));

TEST(RealManual, RussianIsDecodedFromTheCodePage) {
    ManualWindow help;
    ASSERT_TRUE(help.loadManual(dataFolder + "/manual_ru.rtf", nullptr));
    const QStringList titles = headings(*help.manualBox()->document());
    ASSERT_FALSE(titles.isEmpty());
    EXPECT_TRUE(titles.front().contains(QString::fromUtf8("Руководство")))
        << titles.front().toStdString();
}
