#include "ShellFixture.h"

#include "ui/CommandBoundary.h"
#include "ui/Workbench.h"

#include "core/Error.h"

#include <QTimer>

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
    EXPECT_EQ(messages()[0].text, "/data/star.dat: there is not enough memory to finish the command.");
    EXPECT_TRUE(messages()[1].text.startsWith("/data/star.dat: the command failed: "));
    EXPECT_EQ(messages()[2].text, "/data/star.dat, line 3: not a number");
    EXPECT_EQ(messages()[0].kind, MessageKind::Error);
}

TEST_F(CommandBoundaryTest, AFailureEscapingAnEventHandlerIsShownAndTheProgramGoesOn) {
    startWithFile();
    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    QTest::qWait(50);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.endsWith("star.dat: there is not enough memory to finish the command."))
        << messages()[0].text.toStdString();
    EXPECT_TRUE(shell->mainWindow().isVisible());
}

} // namespace
} // namespace quelmar::test
