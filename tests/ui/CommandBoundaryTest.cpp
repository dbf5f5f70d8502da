#include "ShellFixture.h"

#include "ui/CommandBoundary.h"
#include "ui/Workbench.h"

#include "analysis/PeriodScan.h"
#include "analysis/PeriodogramWriter.h"
#include "analysis/PhaseCurve.h"
#include "analysis/StarCatalogue.h"
#include "core/Error.h"
#include "core/JulianDate.h"
#include "plot/ColourDepth.h"

#include <QRegularExpression>
#include <QTimer>

#include <functional>
#include <system_error>

namespace quelmar::test {
namespace {

class CommandBoundaryTest : public ShellTest {};

// Out of memory, a thread the system will not start, a failure of our own: each is a message
// naming the file, and the workbench goes on.
TEST_F(CommandBoundaryTest, ShowsEveryFailureOfACommandWithTheFileName) {
    startWithFile();
    const Workbench& workbench = shell->workbench();
    const QString file = QStringLiteral("/data/star.dat");
    EXPECT_FALSE(runCommand(workbench, nullptr, file, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(runCommand(workbench, nullptr, file, [] {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }));
    EXPECT_FALSE(runCommand(workbench, nullptr, file,
                            [] { throw QuelmarError("/data/star.dat", 3, "not a number"); }));
    EXPECT_TRUE(runCommand(workbench, nullptr, file, [] {}));
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0].text,
              "/data/star.dat: there is not enough memory to finish the command.");
    EXPECT_TRUE(messages()[1].text.startsWith("/data/star.dat: the command failed: "));
    EXPECT_EQ(messages()[2].text, "/data/star.dat, line 3: not a number");
    EXPECT_EQ(messages()[0].kind, MessageKind::Error);
}

TEST_F(CommandBoundaryTest, AFailureEscapingAnEventHandlerIsShownAndTheProgramGoesOn) {
    startWithFile();
    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages().empty(); }));
    QCoreApplication::processEvents();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(
        messages()[0].text.endsWith("star.dat: there is not enough memory to finish the command."))
        << messages()[0].text.toStdString();
    EXPECT_TRUE(shell->mainWindow().isVisible());
}

// Refusals of the computations below the windows (settings, data, files, pictures, dates) are
// shown in the interface's language: Russian throughout in a Russian interface, and in an English
// one the English that the command line prints.
TEST_F(CommandBoundaryTest, ShowsTheRefusalsOfTheComputationsInTheInterfacesLanguage) {
    startWithFile();
    Workbench& workbench = shell->workbench();
    const std::string folder = dir.file("work");
    const std::string star = folder + "/one.dat";
    const std::string lost = folder + "/no folder/star.per";
    const std::vector<std::function<void()>> refusals = {
        [] { periodScanSettings("0.5", " ", "", "1"); },
        [&] { parsePeriodSeries("2450000.1 9.5\r\n", 1, star); },
        [&] { PeriodogramWriter writer(lost); },
        [] { checkPhaseElements(2450000, 0); },
        [&] {
            addStar({star, star}, "RR Lyr\nV", {});
        },
        [] { convertToDepth(QImage(2, 2, QImage::Format_RGB32), 5); },
        [] { checkCalendarDate(2023, 2, 29); },
    };
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]{2,}"));
    for (const std::string language : {"en", "ru"}) {
        workbench.settings.LanguageName = language;
        for (const auto& refuse : refusals) {
            try {
                refuse();
                ADD_FAILURE() << "not refused";
            } catch (const std::exception& refusal) {
                const QString text = failureText(workbench, refusal, {});
                QString words = text;
                words.remove(QString::fromStdString(lost)).remove(QString::fromStdString(star));
                if (language == "en") {
                    EXPECT_EQ(text.toStdString(), refusal.what());
                    EXPECT_FALSE(text.contains(cyrillic)) << text.toStdString();
                } else {
                    EXPECT_TRUE(text.contains(cyrillic)) << text.toStdString();
                    EXPECT_FALSE(words.contains(latinWord)) << text.toStdString();
                }
            }
        }
    }
    try {
        PeriodogramWriter writer(lost);
    } catch (const std::exception& refusal) {
        EXPECT_EQ(failureText(workbench, refusal, {}).toStdString(),
                  lost + ": не удаётся создать рядом временный файл (Нет такого файла или "
                         "каталога); файл не изменён");
    }
}

} // namespace
} // namespace quelmar::test
