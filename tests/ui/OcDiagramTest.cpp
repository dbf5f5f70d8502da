#include "ShellFixture.h"

#include "core/TextFile.h"
#include "core/numbers.h"
#include "ui/OcDiagramWindow.h"
#include "ui/Workbench.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>
#include <string>

namespace quelmar::test {
namespace {

// Times of maximum of a Cepheid whose period shortens: T = epoch + P·E + Q·E², Q < 0, as
// extrema.txt lines with a small scatter, each timed to ±0.002 d.
std::vector<std::string> shorteningMaxima(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        const int cycle = 200 * (i - count / 2);
        const double t = 2450000 + 5.366 * cycle - 1e-7 * cycle * cycle + 0.001 * ((i % 3) - 1);
        lines.push_back(fixed(t, 4) + "±0.0020 3.9±0.01 polynomial");
    }
    return lines;
}

class OcDiagramTest : public ShellTest {};

TEST_F(OcDiagramTest, ComputesTheDiagramShowsItAndRefusesWithoutWriting) {
    startWithFile();
    const QString list = writeLines(inWork("extrema.txt"), shorteningMaxima(7));
    const std::string output = inWork("extrema_oc.dat").toStdString();
    clickMenuItem("data1", "N_OC");
    OcDiagramWindow& window = shell->ocDiagram();
    ASSERT_TRUE(window.isVisible());
    activate(window);
    EXPECT_EQ(window.windowTitle(), "O−C diagram");
    auto* listEdit = find<QLineEdit>(window, "fned");
    EXPECT_EQ(listEdit->text(), list) << "extrema.txt beside the data file";
    const auto type = [&](const char* epoch, const char* period) {
        find<QLineEdit>(window, "eped")->setText(QLatin1String(epoch));
        find<QLineEdit>(window, "pered")->setText(QLatin1String(period));
        QTest::mouseClick(find<QPushButton>(window, "compbtn"), Qt::LeftButton);
    };

    const struct {
        std::vector<std::string> lines; // empty: the list as it is
        const char* period;
        const char* field; // the field selected after the message
        const char* said;
    } refusals[] = {
        {{}, "0", "pered", "positive"},
        {{"2450000.0±0.002", "x 1.5"}, "5.366", "fned", "extrema.txt, line 2"},
        {{"2450000.0±0.002", "2450005.366±0.002", "2450010.732±0.002"},
         "5.366",
         "fitbox",
         "at least 4"},
    };
    for (const auto& refusal : refusals) {
        if (!refusal.lines.empty()) writeLines(list, refusal.lines);
        desktop.messages.clear();
        type("2450000", refusal.period);
        ASSERT_FALSE(desktop.messages.empty()) << refusal.said;
        EXPECT_TRUE(desktop.messages.back().text.contains(QLatin1String(refusal.said)))
            << desktop.messages.back().text.toStdString();
        EXPECT_FALSE(fileExists(output)) << refusal.said;
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), find<QWidget>(window, refusal.field))
            << refusal.said;
    }

    writeLines(list, shorteningMaxima(7));
    desktop.messages.clear();
    type("2450000", "5.366");
    EXPECT_TRUE(desktop.messages.empty());
    ASSERT_TRUE(fileExists(output));
    EXPECT_EQ(readFile(output).substr(0, 17), "-600.0 -0.037000 ") << readFile(output);
    EXPECT_EQ(shell->workbench().document.files().CurveFileName, output);
    EXPECT_EQ(shell->workbench().document.points().PointCount, 7);
    const QString results = find<QPlainTextEdit>(window, "resmemo")->toPlainText();
    EXPECT_TRUE(results.contains(QLatin1String("Points: 7"))) << results.toStdString();
    EXPECT_TRUE(results.contains(QLatin1String("Linear ephemeris"))) << results.toStdString();
    const qsizetype at = results.indexOf(QLatin1String("dP/dt = "));
    ASSERT_GE(at, 0) << results.toStdString();
    // dP/dt = 2Q/P, per day.
    EXPECT_NEAR(results.mid(at + 8).section(QLatin1Char(' '), 0, 0).toDouble(), 2 * -1e-7 / 5.366,
                2e-9)
        << results.toStdString();
}

} // namespace
} // namespace quelmar::test
