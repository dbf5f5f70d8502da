#include "ShellFixture.h"

#include "core/TextFile.h"
#include "core/TimeScale.h"
#include "ui/AddObservationsDialog.h"
#include "ui/BarycentricDialog.h"
#include "ui/CurveWindow.h"
#include "ui/PhaseCurveDialog.h"
#include "ui/ShortenedDatesDialog.h"
#include "ui/Workbench.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <sys/stat.h>

namespace quelmar::test {
namespace {

class FileCommandsTest : public ShellTest {
protected:
    std::string data() const { return readFile(inWork("star.dat").toStdString()); }
    Workbench& workbench() { return shell->workbench(); }
    QString lastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().text;
    }
    void fill(QWidget& window, std::initializer_list<std::pair<const char*, const char*>> boxes) {
        for (const auto& [name, text] : boxes)
            find<QLineEdit>(window, name)->setText(QString::fromUtf8(text));
    }
    void click(QWidget& window, const char* button) {
        QTest::mouseClick(find<QPushButton>(window, button), Qt::LeftButton);
    }
    // Answers the modal dialog once it is open.
    static void whenModal(QWidget& dialog, std::function<void()> answer) {
        auto* timer = new QTimer(&dialog);
        QObject::connect(timer, &QTimer::timeout, timer, [&dialog, timer, answer] {
            if (QApplication::activeModalWidget() != &dialog) return;
            timer->stop();
            timer->deleteLater();
            answer();
        });
        timer->start(10);
    }
};

TEST_F(FileCommandsTest, PhaseCurveIsWrittenAndShown) {
    startWithFile();
    PhaseCurveDialog& dialog = shell->phaseCurve();
    dialog.show();
    EXPECT_EQ(find<QLineEdit>(dialog, "fned")->text(), "star_ph.dat");
    EXPECT_EQ(find<QLineEdit>(dialog, "eped")->text(), "2451545.3000");
    EXPECT_EQ(dialog.windowTitle(), "en 102");

    // A missing or unusable period writes nothing.
    fill(dialog, {{"pered", ""}});
    click(dialog, "OKbtn");
    EXPECT_EQ(lastMessage(), "en 115");
    dialog.show();
    fill(dialog, {{"pered", "0"}});
    click(dialog, "OKbtn");
    EXPECT_TRUE(lastMessage().contains("positive")) << lastMessage().toStdString();
    EXPECT_FALSE(fileExists(inWork("star_ph.dat").toStdString()));

    dialog.show();
    fill(dialog, {{"eped", "2451545.0"}, {"pered", "0.5"}});
    click(dialog, "OKbtn");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readFile(inWork("star_ph.dat").toStdString()),
              "0.60000  9.5 10.2 good 2451545.3000\r\n0.20000  9.7 10.4 2451544.1000\r\n"
              "0.60000  9.6 10.3 2451546.8000\r\n");
    EXPECT_EQ(workbench().document.files().CurveFileName, inWork("star_ph.dat").toStdString());
    EXPECT_EQ(workbench().document.files().ChannelCount, 2);
    EXPECT_EQ(workbench().document.files().DataFileName, inWork("star.dat").toStdString());
    // The period stays for the next showing; the epoch is proposed again.
    dialog.show();
    EXPECT_EQ(find<QLineEdit>(dialog, "pered")->text(), "0.5");
    EXPECT_EQ(find<QLineEdit>(dialog, "eped")->text(), "2451545.3000");
    dialog.close();

    // The phase curve of a single value column shows that column, not the dates beside it.
    desktop.fileAnswers = {writeText(inWork("one.dat"), "2451545.3 9.5\r\n2451546.1 9.7\r\n")};
    clickMenuItem("File1", "FileOpenItem");
    dialog.show();
    click(dialog, "OKbtn");
    EXPECT_EQ(workbench().document.files().CurveFileName, inWork("one_ph.dat").toStdString());
    EXPECT_EQ(workbench().document.files().ChannelCount, 1);
}

TEST_F(FileCommandsTest, BarycentricCorrectionFromTheCatalogueAndForANewStar) {
    writeText(inBin("hotstars.ini"), "6.00000000 1.00000000 Test star\r\n");
    startWithFile();
    const std::string before = "2451545.0 9.5 x\r\n";
    writeText(inWork("star.dat"), before);
    BarycentricDialog& dialog = shell->barycentric();
    dialog.show();
    auto* names = find<QComboBox>(dialog, "StarsCombo");
    ASSERT_EQ(names->count(), 1);
    EXPECT_EQ(names->itemText(0), " Test star");
    EXPECT_EQ(names->currentText(), "Stellar Name");
    // Choosing from the list fills the position at once.
    names->setCurrentIndex(0);
    emit names->activated(0);
    EXPECT_EQ(find<QLineEdit>(dialog, "ahe")->text(), "6");
    EXPECT_EQ(find<QLineEdit>(dialog, "dde")->text(), "1");
    EXPECT_EQ(find<QLineEdit>(dialog, "dse")->text(), "0.0000");
    click(dialog, "okbtn");
    EXPECT_EQ(data(), "2451545.0051  9.5 x\r\n");
    EXPECT_TRUE(lastMessage().startsWith("The dates of ")) << "the correction is confirmed";
    EXPECT_EQ(readFile(inWork("star.dat.bar").toStdString()), before);

    // A new name is announced and added with the correction; a shortened date asks for the
    // offset.
    writeText(inWork("star.dat"), "51545.5 9.5\r\n");
    dialog.show();
    names->setEditText("New star");
    dialog.lookUpStar();
    EXPECT_EQ(lastMessage(), "en 116");
    EXPECT_TRUE(dialog.NewStarPending);
    fill(dialog,
         {{"ahe", "6"}, {"ame", "0"}, {"ase", "0"}, {"dde", "1"}, {"dme", ""}, {"dse", ""}});
    ShortenedDatesDialog& question = shell->shortenedDates();
    whenModal(question, [&] {
        fill(question, {{"Edit1", "2400000"}});
        click(question, "Button1");
    });
    click(dialog, "okbtn");
    EXPECT_EQ(data(), "2451545.5051  9.5\r\n");
    EXPECT_EQ(readFile(inBin("hotstars.ini").toStdString()),
              "6.00000000 1.00000000 Test star\r\n6.00000000 1.00000000 New star\r\n");
    EXPECT_FALSE(dialog.NewStarPending);
}

TEST_F(FileCommandsTest, BarycentricRefusalsLeaveTheFileAsItWas) {
    startWithFile();
    const std::string before = data();
    BarycentricDialog& dialog = shell->barycentric();
    dialog.show();
    fill(dialog, {{"ahe", "6"}, {"ame", "x"}, {"dde", "1"}});
    click(dialog, "okbtn");
    EXPECT_TRUE(lastMessage().contains("\"x\"")) << lastMessage().toStdString();
    dialog.show();
    fill(dialog, {{"ahe", "0"}, {"ame", "0"}, {"ase", "0"}});
    click(dialog, "okbtn");
    EXPECT_EQ(lastMessage(), "en 115");
    // A read-only data file is refused before anything is written.
    chmod(inWork("star.dat").toLocal8Bit().constData(), 0444);
    dialog.show();
    fill(dialog, {{"ahe", "6"}});
    const std::size_t shown = desktop.messages.size();
    click(dialog, "okbtn");
    EXPECT_GT(desktop.messages.size(), shown);
    EXPECT_EQ(desktop.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(data(), before);
    EXPECT_FALSE(fileExists(inWork("star.dat.bar").toStdString()));
}

TEST_F(FileCommandsTest, BarycentricScaleIsChosenRecordedAndNotCorrectedTwice) {
    startWithFile();
    const std::string path = inWork("star.dat").toStdString();
    writeText(inWork("star.dat"), "2451545.0 9.5 x\r\n");
    recordTimeScale(path, TimeScale::Unknown, {"V"}); // as a conversion names its channel
    BarycentricDialog& dialog = shell->barycentric();
    dialog.show();
    auto* scale = find<QComboBox>(dialog, "ScaleCombo");
    auto* dates = find<QComboBox>(dialog, "DatesCombo");
    EXPECT_EQ(scale->currentText(), "BJD_UTC (series, as in the design)");
    EXPECT_EQ(dates->currentText(), "JD (UTC)");
    // The settings may make BJD_TDB the scale the dialog starts on.
    shell->workbench().settings.BarycentricTdb = true;
    dialog.hide();
    dialog.show();
    EXPECT_EQ(scale->currentIndex(), 1);
    fill(dialog, {{"ahe", "6"}, {"dde", "1"}});
    click(dialog, "okbtn");
    EXPECT_TRUE(data().starts_with("2451545.00")) << data();
    EXPECT_EQ(data().find(' '), 16u) << data(); // 8 decimals on the BJD_TDB scale
    EXPECT_EQ(recordedTimeScale(path), TimeScale::BjdTdb);
    EXPECT_EQ(recordedTimeScale(path + ".bar"), TimeScale::JdUtc);
    EXPECT_EQ(recordedChannelNames(path, readFile(path)), std::vector<std::string>{"V"})
        << "the corrected file keeps its channel's name";
    shell->curveWindow().openCurveFile(path, 1);
    EXPECT_TRUE(shell->curveWindow().windowTitle().endsWith(" — dates: BJD_TDB"))
        << shell->curveWindow().windowTitle().toStdString();

    // Shown again, the dates box says what the record says, and a second correction is refused
    // with the reason, whichever scale is chosen.
    const std::string corrected = data();
    for (const int chosen : {0, 1}) {
        dialog.show();
        EXPECT_EQ(dates->currentText(), "BJD_TDB already");
        dates->setCurrentIndex(0);
        scale->setCurrentIndex(chosen);
        click(dialog, "okbtn");
        EXPECT_TRUE(lastMessage().contains("already barycentric (BJD_TDB)"))
            << lastMessage().toStdString();
        EXPECT_EQ(data(), corrected);
    }

    // The phase file records the scale of the dates its lines carry; its caption shows it.
    PhaseCurveDialog& phase = shell->phaseCurve();
    phase.show();
    fill(phase, {{"pered", "0.5"}});
    click(phase, "OKbtn");
    EXPECT_EQ(recordedTimeScale(inWork("star_ph.dat").toStdString()), TimeScale::BjdTdb);
    EXPECT_TRUE(shell->curveWindow().windowTitle().endsWith("star_ph.dat — dates: BJD_TDB"))
        << shell->curveWindow().windowTitle().toStdString();
}

TEST_F(FileCommandsTest, PlateNumbersBecomeDatesAfterConfirmation) {
    writeText(inWork("7cam.dat"), "1234 2437512.3456 1961-09-14 20:17\r\n");
    startWithFile();
    writeText(inWork("star.dat"), "1234 9.85 V\r\n999 9.1\r\n");
    clickMenuItem("data1", "njdbutt");
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions.back().text, "en 112");
    EXPECT_EQ(data(), "1234 9.85 V\r\n999 9.1\r\n");
    chmod(inWork("star.dat").toLocal8Bit().constData(), 0444);
    desktop.questionAnswers.push_back(true);
    clickMenuItem("data1", "njdbutt");
    EXPECT_EQ(desktop.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(data(), "1234 9.85 V\r\n999 9.1\r\n");

    chmod(inWork("star.dat").toLocal8Bit().constData(), 0644);
    desktop.questionAnswers.push_back(true);
    clickMenuItem("data1", "njdbutt");
    EXPECT_EQ(data(), "2437512.3456  9.85 V\r\n");
    EXPECT_TRUE(lastMessage().startsWith("OK!")) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains("line 2")) << lastMessage().toStdString();
}

TEST_F(FileCommandsTest, ObservationsAddedByHandAndCounted) {
    startWithFile();
    writeText(inWork("star.dat"), "");
    AddObservationsDialog& dialog = shell->addObservations();
    dialog.show();
    EXPECT_EQ(find<QLabel>(dialog, "Label7")->text(), "en 109");
    fill(dialog, {{"smabox", "9.34"},
                  {"smbbox", "10.11"},
                  {"JDBox", "2451545.3"},
                  {"pbox1", "2"},
                  {"qbox1", "3"},
                  {"comment", "good"}});
    click(dialog, "OKButt");
    fill(dialog, {{"JDBox", "2451546"}, {"pbox2", "1"}, {"qbox2", "4"}, {"comment", ""}});
    click(dialog, "OKButt");
    EXPECT_EQ(find<QLabel>(dialog, "numer")->text(), "№ 2");
    EXPECT_EQ(data(), "2451545.3000 9.65 good\r\n2451546.0000 9.57\r\n");
    EXPECT_EQ(workbench().document.points().PointCount, 2) << "the view shows what was added";
    // A read-only data file is reported and not counted.
    chmod(inWork("star.dat").toLocal8Bit().constData(), 0444);
    click(dialog, "OKButt");
    EXPECT_EQ(desktop.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(find<QLabel>(dialog, "numer")->text(), "№ 2");
    chmod(inWork("star.dat").toLocal8Bit().constData(), 0644);

    // A refused box is named, nothing is written and the dialog stays.
    fill(dialog, {{"pbox1", "0"}, {"qbox1", "0"}});
    click(dialog, "finishbutt");
    EXPECT_TRUE(lastMessage().startsWith("Estimate 1: p + q is 0")) << lastMessage().toStdString();
    fill(dialog, {{"pbox1", "2"}, {"qbox1", "3"}, {"smbbox", "ten"}});
    click(dialog, "finishbutt");
    EXPECT_TRUE(lastMessage().startsWith("The box \"en 110\" holds \"ten\""))
        << lastMessage().toStdString();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(data(), "2451545.3000 9.65 good\r\n2451546.0000 9.57\r\n");
    fill(dialog, {{"smbbox", "10.11"}, {"pbox2", ""}});
    click(dialog, "finishbutt");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(find<QLabel>(dialog, "numer")->text(), "№ 2");
}

TEST_F(FileCommandsTest, EstimatesImportedFromAFile) {
    startWithFile();
    writeText(inWork("star.dat"), "");
    const QString source =
        writeText(inWork("estimates.txt"), "2451545.3 a2v3b good\r\n2451546 2 3 ok\r\n"
                                           "2451547 a1v1d bad\r\n");
    desktop.textAnswers = {QStringLiteral("a9.34 b10.11  c11.28")};
    desktop.fileAnswers = {source};
    clickMenuItem("data1", "Dataaddfile");
    ASSERT_EQ(desktop.textsAsked.size(), 1u);
    EXPECT_EQ(desktop.textsAsked[0].caption, "en 108");
    EXPECT_EQ(desktop.textsAsked[0].text, "en 111");
    EXPECT_EQ(data(), "2451545.3000 9.65 good\r\n2451546 9.65 ok\r\n");
    EXPECT_TRUE(lastMessage().startsWith("2 lines added, 1 skipped (the first at line 3"))
        << lastMessage().toStdString();
    // Cancelling the input box stops the command.
    clickMenuItem("data1", "Dataaddfile");
    EXPECT_EQ(desktop.dialogsRun.size(), 1u);
}

} // namespace
} // namespace quelmar::test
