#include "ShellFixture.h"

#include "analysis/MethodPeriodogram.h"
#include "analysis/PeriodScan.h"
#include "core/TextFile.h"
#include "core/numbers.h"
#include "ui/CurveWindow.h"
#include "ui/PeakListWindow.h"
#include "ui/PeriodProgressWindow.h"
#include "ui/PeriodSearchDialog.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace quelmar::test {
namespace {

class PeriodSearchTest : public ShellTest {
protected:
    PeriodSearchDialog& dialog() { return shell->periodSearch(); }
    PeriodProgressWindow& progress() { return shell->periodProgress(); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(dialog(), name); }
    QComboBox* columnBox() { return find<QComboBox>(dialog(), "ComboBox1"); }

    // A variable star of period 0.7 days in column 1 (column 2 a constant comparison star with
    // a little noise), observed at uneven moments over about `points` × 0.37 days.
    QString writeStar(int points, const QString& name = QStringLiteral("star.dat")) const {
        std::string text;
        for (int i = 0; i < points; ++i) {
            const double t = 2450000 + i * 0.37 + 0.05 * std::sin(i * 1.7);
            const double v = 10 + 0.5 * std::sin(2 * M_PI * t / 0.7) + 0.01 * std::sin(i * 0.9);
            text +=
                fixed(t, 5) + " " + fixed(v, 4) + " " + fixed(9 + 0.01 * std::cos(i), 4) + "\r\n";
        }
        return writeText(inWork(name), text);
    }
    // Started with `data` as the data file, the dialog shown as the command shows it.
    void showDialogFor(const QString& data) {
        writeLanguage(work(), "en");
        writeSettings("en");
        start({data});
        progress().setStartDelay(std::chrono::milliseconds(0)); // no second's wait per scan
        dialog().show();
        activate(dialog());
    }
    void setFields(const QString& pmin, const QString& pmax, const QString& step = {}) {
        edit("minpered")->setText(pmin);
        edit("Maxpered")->setText(pmax);
        edit("dfed")->setText(step);
    }
    void clickOk() { QTest::mouseClick(find<QPushButton>(dialog(), "okbtn"), Qt::LeftButton); }

    // Runs `action` from inside the modal loop of `window` once `ready` holds; should that not
    // come within a minute, the test fails and the window is hidden to end its loop.
    static void whileModal(QWidget& window, std::function<bool()> ready,
                           std::function<void()> action) {
        auto* timer = new QTimer(&window);
        QDeadlineTimer deadline(std::chrono::minutes(1));
        QObject::connect(timer, &QTimer::timeout, timer, [&window, timer, ready, action, deadline] {
            const bool expired = deadline.hasExpired();
            if (!expired && (QApplication::activeModalWidget() != &window || !ready())) return;
            timer->stop();
            timer->deleteLater();
            if (!expired) return action();
            ADD_FAILURE() << window.objectName().toStdString() << " was not ready in time";
            window.hide();
        });
        timer->start(10);
    }
    // Finished trial frequencies as the progress window shows them.
    long long shownDone() {
        return find<QLabel>(progress(), "Label2")
            ->text()
            .section(QLatin1Char(' '), 0, 0)
            .toLongLong();
    }

    // The periodogram the engine writes for the data file, on one thread; a grid given
    // replaces the one the settings make.
    std::string engineFile(const QString& data, const std::string& pmin, const std::string& pmax,
                           std::optional<FrequencyGrid> grid = std::nullopt) const {
        const PeriodSeries series = readPeriodSeries(data.toStdString(), 1);
        if (!grid) grid = frequencyGrid(periodScanSettings(pmin, pmax, "", "1"), series.timeSpan);
        const std::string out = dir.file("engine.per");
        ScanProgress progress;
        scanPeriods(series, *grid, out, 1, progress);
        return readFile(out);
    }
    bool anyPeriodWindowOpen() { return dialog().isVisible() || progress().isVisible(); }
};

TEST_F(PeriodSearchTest, ProposesThePeriodogramNameOfTheDataFile) {
    showDialogFor(writeStar(10));
    EXPECT_EQ(edit("Pered")->text(), "star.per");
    EXPECT_EQ(edit("dfed")->text(), "0.01");
    dialog().close();
    shell->workbench().document.chooseDataFile(
        inWork("noextension").toStdString(), shell->workbench().document.files().DataChannelCount);
    dialog().show();
    // Not a bare ".per", which would be a hidden file without the star's name.
    EXPECT_EQ(edit("Pered")->text(), "noextension.per");
}

TEST_F(PeriodSearchTest, LeavingARangeEditSetsTheOppositeEnd) {
    showDialogFor(writeStar(10));
    const auto typeAndLeave = [&](const char* name, const QString& text) {
        QLineEdit* typed = edit(name);
        typed->setFocus();
        typed->selectAll();
        QTest::keyClicks(typed, text);
        QTest::keyClick(typed, Qt::Key_Tab);
    };
    typeAndLeave("minpered", "0.5");
    EXPECT_EQ(edit("maxfreced")->text(), "2.00000000");
    typeAndLeave("Maxpered", "4");
    EXPECT_EQ(edit("minfreced")->text(), "0.25000000");
    typeAndLeave("minfreced", "0.1");
    EXPECT_EQ(edit("Maxpered")->text(), "10.00000000");
    typeAndLeave("maxfreced", "8");
    EXPECT_EQ(edit("minpered")->text(), "0.12500000");
    // An empty or zero entry leaves the other end as it was.
    typeAndLeave("maxfreced", "0");
    typeAndLeave("minfreced", "");
    EXPECT_EQ(edit("minpered")->text(), "0.12500000");
    EXPECT_EQ(edit("Maxpered")->text(), "10.00000000");
}

TEST_F(PeriodSearchTest, TypingIsLimitedButConvertedTextIsKept) {
    showDialogFor(writeStar(10));
    QLineEdit* pmin = edit("minpered");
    QTest::keyClicks(pmin, "0.123456");
    EXPECT_EQ(pmin->text(), "0.123");
    QTest::keyClicks(edit("maxfreced"), "123456789");
    EXPECT_EQ(edit("maxfreced")->text(), "12345678");
    edit("dfed")->selectAll();
    QTest::keyClicks(edit("dfed"), "0.00005");
    EXPECT_EQ(edit("dfed")->text(), "0.00005") << "a small step can be typed";
    QTest::keyClicks(edit("Pered"), "x.per-and-more-than-15");
    EXPECT_EQ(edit("Pered")->text().size(), 15);
    // A converted value stays whole; it may be edited, but not lengthened.
    QLineEdit* fmin = edit("minfreced");
    fmin->setFocus();
    QTest::keyClicks(fmin, "0.1");
    QTest::keyClick(fmin, Qt::Key_Tab);
    QLineEdit* pmax = edit("Maxpered");
    EXPECT_EQ(pmax->text(), "10.00000000");
    pmax->end(false);
    QTest::keyClick(pmax, Qt::Key_Backspace);
    EXPECT_EQ(pmax->text(), "10.0000000");
    QTest::keyClicks(pmax, "12");
    EXPECT_EQ(pmax->text(), "10.0000000");
    pmax->selectAll();
    QTest::keyClicks(pmax, "123456789");
    EXPECT_EQ(pmax->text(), "12345");

    // "..." starts where the periodogram is written; a long path chosen there does not raise
    // the limit for what is typed afterwards.
    QLineEdit* name = edit("Pered");
    const QString proposed = name->text();
    desktop.fileAnswers.push_back(inWork("a-periodogram-of-a-long-name.per"));
    QTest::mouseClick(find<QPushButton>(dialog(), "Button1"), Qt::LeftButton);
    ASSERT_EQ(desktop.savesRun.size(), 1u);
    EXPECT_EQ(desktop.savesRun[0].initialFolder, work());
    EXPECT_EQ(desktop.savesRun[0].fileName, inWork(proposed));
    EXPECT_EQ(name->text(), inWork("a-periodogram-of-a-long-name.per"));
    name->selectAll();
    QTest::keyClicks(name, "a-name-of-twenty-eight-chars");
    EXPECT_EQ(name->text(), "a-name-of-twent");
}

// A refusal keeps the dialog open with the field it is about selected, to be typed over.
TEST_F(PeriodSearchTest, ARefusedScanKeepsTheDialogOpenWithItsFieldSelected) {
    showDialogFor(writeStar(10));
    edit("Pered")->setText("mine.per");
    const struct {
        const char *pmin, *pmax, *step, *field;
    } cases[] = {{"", "2", "", "minpered"},
                 {"0.5", "x", "", "Maxpered"},
                 {"0.5", "2", "-1", "dfed"},
                 {"0", "2", "", "minpered"}};
    std::size_t shown = messages().size();
    for (const auto& c : cases) {
        setFields(c.pmin, c.pmax, c.step);
        clickOk();
        EXPECT_EQ(messages().size(), ++shown) << c.field;
        EXPECT_TRUE(dialog().isVisible()) << c.field;
        EXPECT_EQ(QApplication::focusWidget(), edit(c.field)) << c.field;
        EXPECT_EQ(edit(c.field)->selectedText(), edit(c.field)->text()) << c.field;
    }
    EXPECT_EQ(edit("Pered")->text(), "mine.per");
    EXPECT_FALSE(QFileInfo::exists(inWork("mine.per")));
    dialog().close();
    dialog().show(); // closed without a scan: the data file's name is proposed again
    EXPECT_EQ(edit("Pered")->text(), "star.per");
}

TEST_F(PeriodSearchTest, EnterInAFrequencyEditScansTheRangeOnScreen) {
    showDialogFor(writeStar(60));
    setFields("0.5", "2");
    QLineEdit* fmin = edit("minfreced");
    fmin->setFocus();
    QTest::keyClicks(fmin, "1");
    QTest::keyClick(fmin, Qt::Key_Return);
    EXPECT_EQ(edit("Maxpered")->text(), "1.00000000");
    const std::string written = readFile(inWork("star.per").toStdString());
    EXPECT_EQ(written.substr(0, written.find(' ')), "1.00000000");
}

TEST_F(PeriodSearchTest, ASecondScanStartsItsClockAfresh) {
    showDialogFor(writeStar(3000));
    setFields("0.5", "0.5001");
    clickOk();
    ASSERT_TRUE(QFileInfo::exists(inWork("star.per")));
    dialog().show();
    setFields("0.1", "10", "0.01");   // over a million trial frequencies
    desktop.questionAnswers = {true}; // a periodogram too long to view is scanned all the same
    progress().setStartDelay(std::chrono::hours(1)); // read before the scan begins
    QString elapsed, estimate;
    whileModal(
        progress(), [] { return true; },
        [&] {
            elapsed = find<QLabel>(progress(), "Label3")->text();
            estimate = find<QLabel>(progress(), "Label4")->text();
            QTest::mouseClick(find<QPushButton>(progress(), "canbtn"), Qt::LeftButton);
        });
    clickOk();
    EXPECT_EQ(elapsed, "0:0:0");
    EXPECT_EQ(estimate, "0:0:0");
}

TEST_F(PeriodSearchTest, ColumnBoxFollowsFilesOfMoreThanTwoColumns) {
    showDialogFor(writeStar(10));
    EXPECT_FALSE(columnBox()->isEnabled());
    EXPECT_EQ(columnBox()->currentText(), "1");
    dialog().close();

    LightCurveDocument& document = shell->workbench().document;
    document.chooseDataFile(document.files().DataFileName, 4);
    columnBox()->setEditText("2");
    dialog().show();
    EXPECT_TRUE(columnBox()->isEnabled());
    ASSERT_EQ(columnBox()->count(), 4);
    EXPECT_EQ(columnBox()->itemText(3), "4");
    EXPECT_EQ(columnBox()->currentText(), "2"); // the text stays
    dialog().close();

    // A smaller file leaves the box as the larger one left it.
    document.chooseDataFile(document.files().DataFileName, 1);
    dialog().show();
    EXPECT_TRUE(columnBox()->isEnabled());
    EXPECT_EQ(columnBox()->count(), 4);
}

TEST_F(PeriodSearchTest, MenuToolButtonAndCtrlPOpenTheDialogModally) {
    startWithFile();
    MainWindow& main = shell->mainWindow();
    int reached = 0;
    const auto expectDialog = [&] {
        whileModal(
            dialog(), [] { return true; },
            [&] {
                ++reached;
                QTest::mouseClick(find<QPushButton>(dialog(), "canbtn"), Qt::LeftButton);
            });
    };
    expectDialog();
    clickMenuItem("data1", "perbut1");
    EXPECT_EQ(reached, 1);
    expectDialog();
    QTest::mouseClick(find<QToolButton>(main, "ToolButton7"), Qt::LeftButton);
    EXPECT_EQ(reached, 2);
    expectDialog();
    activate(main);
    QTest::keyClick(&main, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(reached, 3);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(find<QAction>(main, "perbut1")->text(), "en 13");
    EXPECT_EQ(find<QToolButton>(main, "ToolButton7")->toolTip(), "en 13");
    EXPECT_EQ(dialog().windowTitle(), "en 93");
    EXPECT_EQ(find<QLabel>(progress(), "Label6")->text(), "en 140");
}

TEST_F(PeriodSearchTest, AScanThroughTheWindowsWritesTheEnginesPeriodogram) {
    const QString data = writeStar(60);
    showDialogFor(data);
    setFields("2", "0.5"); // swapped ends are put in order
    clickOk();
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(anyPeriodWindowOpen());
    const std::string written = readFile(inWork("star.per").toStdString());
    EXPECT_EQ(written, engineFile(data, "0.5", "2"));
    const auto lines = std::count(written.begin(), written.end(), '\n');
    EXPECT_TRUE(
        find<QLabel>(progress(), "Label2")->text().startsWith(QString::number(lines) + " / "));
}

// The peak list opens with the search's periodogram; choosing a peak shows the periodogram with
// the cursor on it, and Enter folds the data file by its period into the phase curve shown.
TEST_F(PeriodSearchTest, ThePeakListFindsThePeriodAndFoldsTheDataFileByIt) {
    showDialogFor(writeStar(200));
    setFields("0.3", "2");
    clickOk();
    PeakListWindow& list = shell->peakList();
    ASSERT_TRUE(list.isVisible());
    ASSERT_FALSE(list.peaks().empty());
    EXPECT_NEAR(list.peaks().front().period, 0.7, 1e-4);
    const LightCurveDocument& document = shell->workbench().document;
    EXPECT_EQ(document.files().CurveFileName, inWork("star.dat").toStdString());

    auto* table = find<QTableWidget>(list, "PeakGrid");
    table->selectRow(0);
    EXPECT_EQ(QFileInfo(QString::fromStdString(document.files().CurveFileName)).fileName(),
              "star.per");
    const PointStore& per = document.points();
    EXPECT_NEAR(per.time(document.view().CursorPoint), list.peaks().front().frequency,
                0.5 * (per.time(2) - per.time(1)));

    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(document.files().CurveFileName, inWork("star_ph.dat").toStdString());
    EXPECT_TRUE(list.isVisible()); // kept for the next peak
    EXPECT_EQ(document.points().PointCount, 200);
    EXPECT_EQ(document.points().time(1), 0.0); // the epoch: the lowest point, phase 0

    shell->curveWindow().openCurveFile(inWork("star.dat").toStdString(), 2);
    EXPECT_FALSE(list.isVisible());
    EXPECT_TRUE(list.peaks().empty());
}

// Every statistic of the method box finds the period, each its own way: Θ by its minimum, the
// powers by their maximum; a box search folds on the epoch of its box.
TEST_F(PeriodSearchTest, EveryMethodOfTheBoxWritesItsPeriodogramAndListsThePeriod) {
    showDialogFor(writeStar(200));
    auto* method = find<QComboBox>(dialog(), "MethodCombo");
    ASSERT_EQ(method->count(), 4);
    EXPECT_EQ(method->currentText(), "Lafler–Kinman (Θ, minima)");
    for (const int chosen : {1, 2, 3}) {
        dialog().show();
        setFields("0.3", "2");
        method->setCurrentIndex(chosen);
        clickOk();
        SCOPED_TRACE(method->itemText(chosen).toStdString());
        EXPECT_TRUE(messages().empty()) << messages().front().text.toStdString();
        const Periodogram periodogram = readPeriodogram(inWork("star.per").toStdString());
        const std::size_t best = bestLine(periodogram, chosen == 3);
        EXPECT_NEAR(periodogram.period(best), 0.7, chosen == 2 ? 0.02 : 1e-3);
        ASSERT_FALSE(shell->peakList().peaks().empty());
        EXPECT_NEAR(shell->peakList().peaks().front().period, periodogram.period(best), 0.02);
    }
}

TEST_F(PeriodSearchTest, SaysHowManyObservationsAMissingValueLeavesOut) {
    std::string text = TempDir::read(writeStar(60).toStdString());
    // The first three lines lose their value in column 1.
    for (std::size_t line = 0, start = 0; line < 3; ++line, start = text.find('\n', start) + 1) {
        const std::size_t value = text.find(' ', start) + 1;
        text.replace(value, text.find(' ', value) - value, "0");
    }
    const QString data = writeText(inWork("star.dat"), text);
    showDialogFor(data);
    setFields("0.5", "2");
    clickOk();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(
        messages()[0].text,
        data + ": observations without a value in column 1: 3. They are left out of the search.");
    const PeriodSeries series = readPeriodSeries(data.toStdString(), 1);
    EXPECT_EQ(series.count(), 57);
}

// A scan long enough to be stopped: 3,000 points and over a million trial frequencies.
class StoppedScanTest : public PeriodSearchTest {
protected:
    void startLongScan() {
        data = writeStar(3000);
        showDialogFor(data);
        setFields("0.1", "10", "0.01");
        // A periodogram too long to view is scanned all the same, and its lines are kept.
        desktop.questionAnswers = {true, true};
    }
    void stopLongScan() {
        whileModal(
            progress(), [&] { return shownDone() > 200; },
            [&] { QTest::mouseClick(find<QPushButton>(progress(), "canbtn"), Qt::LeftButton); });
        clickOk();
    }
    // The periodogram holds the first trial frequencies, exactly as the engine writes them.
    void expectEnginePrefix() {
        const std::string written = readFile(inWork("star.per").toStdString());
        const auto lines = std::count(written.begin(), written.end(), '\n');
        ASSERT_GT(lines, 0);
        const PeriodSeries series = readPeriodSeries(data.toStdString(), 1);
        FrequencyGrid grid =
            frequencyGrid(periodScanSettings("0.1", "10", "0.01", "1"), series.timeSpan);
        ASSERT_LT(lines, grid.estimatedCount - 1);
        TrialFrequencies frequencies(grid);
        for (long long k = 0; k < lines; ++k)
            frequencies.next(grid.fmax);
        EXPECT_EQ(written, engineFile(data, "", "", grid));
    }
    QString data;
};

// The periodogram stops short of the last frequency; how soon is for the benchmarks to say.
TEST_F(StoppedScanTest, CancelStopsTheScanKeepingTheFrequenciesDone) {
    startLongScan();
    stopLongScan();
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_FALSE(anyPeriodWindowOpen());
    expectEnginePrefix();
}

// An earlier periodogram of the name gives way to the lines of a stopped scan only if the user
// keeps them; else it stays as it was, with no temporary file left beside it.
TEST_F(StoppedScanTest, AStoppedScanReplacesAnEarlierPeriodogramOnlyIfKept) {
    startLongScan();
    const std::string earlier = engineFile(data, "0.5", "2");
    const QString file = writeText(inWork("star.per"), earlier);
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "kept" : "not kept");
        desktop.messages.clear();
        desktop.questions.clear();
        desktop.questionAnswers = {true, keep};
        dialog().show();
        setFields("0.1", "10", "0.01");
        stopLongScan();
        const std::string written = readFile(file.toStdString());
        const auto lines = std::count(written.begin(), written.end(), '\n');
        ASSERT_EQ(desktop.questions.size(), 2u);
        ASSERT_EQ(messages().size(), 1u);
        const QString said = messages()[0].text;
        if (keep) {
            EXPECT_TRUE(desktop.questions[1].text.contains(QStringLiteral("(%1 of ").arg(lines)))
                << desktop.questions[1].text.toStdString();
            EXPECT_TRUE(said.contains(QStringLiteral("%1 lines, was written to ").arg(lines)))
                << said.toStdString();
            expectEnginePrefix();
        } else {
            EXPECT_EQ(written, earlier);
            EXPECT_TRUE(said.endsWith(QStringLiteral("star.per is left as it was.")))
                << said.toStdString();
        }
        EXPECT_EQ(QDir(work()).entryList(QDir::Files | QDir::Hidden).filter("star.per").size(), 1);
    }
}

TEST_F(StoppedScanTest, ClosingTheWindowAsksWhetherToStop) {
    startLongScan();
    desktop.questionAnswers = {true, false, true, true};
    whileModal(
        progress(), [&] { return shownDone() > 100; },
        [&] {
            progress().close(); // answered No: the scan goes on
            EXPECT_TRUE(progress().isVisible());
            EXPECT_TRUE(progress().scanning());
            progress().close(); // answered Yes
        });
    clickOk();
    EXPECT_EQ(desktop.questions.size(), 4u);
    EXPECT_FALSE(anyPeriodWindowOpen());
    expectEnginePrefix();
}

TEST_F(PeriodSearchTest, RefusalsAreShownOnceWithNothingWrittenAndOnlyTheDialogOpen) {
    const QString data = writeStar(20);
    writeText(inWork("flat.dat"), "1.0 5.0\r\n2.0 5.0\r\n3.0 5.0\r\n");
    showDialogFor(data);
    struct Case {
        const char* what;
        QString pmin, pmax, step, column, file, dataFile;
    };
    const Case cases[] = {
        {"empty shortest period", "", "2", "", "1", "star.per", data},
        {"empty periodogram name", "1", "2", "", "1", "", data},
        {"negative period", "-1", "2", "", "1", "star.per", data},
        {"zero step", "1", "2", "0", "1", "star.per", data},
        {"column the file lacks", "1", "2", "", "3", "star.per", data},
        {"column not a number", "1", "2", "", "x", "star.per", data},
        {"all values equal", "1", "2", "", "1", "star.per", inWork("flat.dat")},
        {"no data file", "1", "2", "", "1", "star.per", inWork("missing.dat")},
        {"folder that does not exist", "1", "2", "", "1", inWork("no/such.per"), data},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.messages.clear();
        shell->workbench().document.chooseDataFile(
            c.dataFile.toStdString(), shell->workbench().document.files().DataChannelCount);
        dialog().show();
        setFields(c.pmin, c.pmax, c.step);
        columnBox()->setEditText(c.column);
        edit("Pered")->setText(c.file);
        clickOk();
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_FALSE(QFileInfo::exists(inWork("star.per")));
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_FALSE(progress().isVisible());
        const QString text = messages()[0].text;
        if (c.file.isEmpty() || c.pmin.isEmpty())
            EXPECT_EQ(text, "en 115");
        else
            EXPECT_NE(text, "en 115");
        if (c.file.contains("no/such")) {
            EXPECT_TRUE(text.contains(c.file)) << text.toStdString();
        }
    }
}

TEST_F(PeriodSearchTest, AnIncompleteDialogFallsBackToTheBuiltInMessage) {
    std::vector<std::string> lines = languageLines("en");
    lines[114].clear();
    writeLines(inWork("en.lng"), lines);
    writeSettings("en");
    start({writeStar(10)});
    dialog().show();
    clickOk();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Не все данные введены!");
}

// The percentage across the filled gauge stands out from it as from the empty part: the filled
// block is light, the figures dark (WCAG's contrast ratio, 4.5 for text).
TEST_F(PeriodSearchTest, TheGaugesPercentageCanBeReadOverTheFilledBlock) {
    startWithFile();
    auto* gauge = find<QProgressBar>(progress(), "Gauge1");
    gauge->setRange(0, 100);
    gauge->setValue(100);
    gauge->resize(200, 24);
    const QImage picture = gauge->grab().toImage();
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    std::map<QRgb, int> counts;
    double darkest = 1;
    for (int y = 2; y < picture.height() - 2; ++y)
        for (int x = 2; x < picture.width() - 2; ++x) {
            const QColor c = picture.pixelColor(x, y);
            ++counts[c.rgb()];
            darkest = std::min(darkest, luminance(c));
        }
    const auto block = std::max_element(counts.begin(), counts.end(),
                                        [](auto a, auto b) { return a.second < b.second; });
    const double ratio = (luminance(QColor(block->first)) + 0.05) / (darkest + 0.05);
    EXPECT_GE(ratio, 4.5) << "block " << QColor(block->first).name().toStdString();
}

TEST_F(PeriodSearchTest, AScanOfMoreThanAHundredMillionFrequenciesAsksFirst) {
    showDialogFor(writeStar(60));
    setFields("0.00001", "10");       // 22 days of data: some 220 million frequencies
    desktop.questionAnswers = {true}; // the periodogram may be too long to view
    clickOk();
    ASSERT_EQ(desktop.questions.size(), 2u);
    EXPECT_TRUE(desktop.questions[1].text.contains("100000000"));
    EXPECT_FALSE(QFileInfo::exists(inWork("star.per")));
    EXPECT_TRUE(dialog().isVisible()); // declined, to change the range
    EXPECT_FALSE(progress().isVisible());
}

// More lines than the light curve can show: No goes back to the dialog to change the range.
TEST_F(PeriodSearchTest, APeriodogramTooLongToViewIsAnnouncedBeforeTheScan) {
    showDialogFor(writeStar(60));
    setFields("0.0001", "10"); // some 22 million frequencies
    clickOk();
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_TRUE(desktop.questions[0].text.contains("1000000"));
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(QFileInfo::exists(inWork("star.per")));
    EXPECT_EQ(edit("minpered")->text(), "0.0001");
}

} // namespace
} // namespace quelmar::test
