// Every window and dialog opened as a user opens it, on the bundled example with the language
// files the program ships, and every text a user can see in it read: an English interface must
// show no Cyrillic, and a Russian one no English word of ours. A new window adds its line to
// WindowsToWalk.
//
// With QUELMAR_SCREENSHOTS naming a folder (scripts/screenshots runs the walk under a real X
// server and window manager), each window is also saved there as it is shown, frame and all,
// as <language>/<NN>-<object name>.png.

#include "ShellFixture.h"

#include "ui/CaptionFit.h"
#include "ui/CurvePanel.h"
#include "ui/PeriodProgressWindow.h"
#include "ui/ShortenedDatesDialog.h"
#include "ui/SurveyConversionDialog.h"
#include "ui/help/ManualWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace quelmar::test {
namespace {

// How a window is opened: the main window's command (menu item or tool button) that shows it, or
// a step of its own; then the window's object name.
struct WindowToWalk {
    const char* window;
    const char* command = nullptr;           // the object name of the main window's action
    std::function<void(StartUp&)> open = {}; // when no command opens it
};

const WindowToWalk WindowsToWalk[] = {
    {"TQMRMainwin", nullptr, [](StartUp&) {}},
    {"TCurfrm", nullptr, [](StartUp&) {}},
    {"Tcurvtool", nullptr, [](StartUp&) {}},
    {"TOptform", "Optbutt"},
    {"TPerfrm", "perbut1"},
    {"TForm1", nullptr, [](StartUp& shell) { shell.periodProgress().show(); }},
    {"Tcalendbox", "calendbutt"},
    {"THelpfrm", "helpbutt"},
    {"TAboutbox", "HelpAboutItem"},
    {"TForm11", "N5"},
    {"TSVDvosst", nullptr,
     [](StartUp& shell) {
         for (const char* command : {"N7", "N8"})
             shell.mainWindow().findChild<QAction*>(QLatin1String(command))->trigger();
     }},
    {"TCCF", "colcol1"},
    {"TPictFormat", "grfsave"},
    {"TAddform", "Dataadd"},
    {"InputBox", nullptr,
     [](StartUp& shell) {
         dynamic_cast<RecordingDesktop&>(shell.workbench().desktop).showInputBoxes = true;
         shell.mainWindow().findChild<QAction*>(QStringLiteral("Dataaddfile"))->trigger();
     }},
    {"Tbawin", "countbarbut"},
    {"Tbarquest", nullptr, [](StartUp& shell) { shell.shortenedDates().show(); }},
    {"TPhasfrm", "phasbutt"},
    {"TOCfrm", "N_OC"},
    {"SurveyConversionDialog", nullptr,
     [](StartUp& shell) {
         const QString data =
             QString::fromStdString(shell.workbench().document.files().DataFileName);
         QFile csv(QFileInfo(data).dir().filePath(QStringLiteral("survey.csv")));
         csv.open(QIODevice::WriteOnly);
         csv.write("JD,Magnitude,Uncertainty,Band\n2459000.5,9.1,0.01,V\n");
         csv.close();
         shell.surveyConversion().offer(csv.fileName());
     }},
};

void addText(QStringList& texts, const QString& text) {
    if (!text.trimmed().isEmpty()) texts << text;
}

void addActionTexts(QStringList& texts, const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (!action->isVisible()) continue;
        addText(texts, action->text());
        addText(texts, action->toolTip());
        if (action->menu()) addActionTexts(texts, action->menu()->actions());
    }
}

// The texts of the controls of the window that are shown now, hints included.
void addShownTexts(QStringList& texts, QWidget* window) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || control->window() != window) continue;
        addText(texts, control->toolTip());
        if (auto* label = qobject_cast<QLabel*>(control)) addText(texts, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(control)) addText(texts, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(control)) addText(texts, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(control)) addText(texts, edit->text());
        if (auto* list = qobject_cast<QListWidget*>(control))
            for (int row = 0; row < list->count(); ++row)
                addText(texts, list->item(row)->text());
        if (auto* tabs = qobject_cast<QTabWidget*>(control))
            for (int tab = 0; tab < tabs->count(); ++tab)
                addText(texts, tabs->tabText(tab));
        if (auto* bar = qobject_cast<QMenuBar*>(control)) addActionTexts(texts, bar->actions());
    }
}

// Every page of the window's tab widgets in turn.
QStringList shownTexts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    addShownTexts(texts, window);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            addShownTexts(texts, window);
        }
    }
    return texts;
}

QWidget* shownWindow(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name) && window->isVisible()) return window;
    return nullptr;
}

// Words of ours that read the same in both interfaces: design captions, units and names.
bool sharedWord(const QString& word) {
    static const QStringList shared = {"OK", "JD", "Max", "Min", "Quelmar", "ALTUS", "CCF", "JPEG",
                                       "GIF", "PNG", "BMP", "AAVSO", "CSV", "ZTF", "FITS", "TESS",
                                       "Kepler", "BJD", "TDB", "ERFA",
                                       // the method words of extrema.txt, read by quelmar-cli oc
                                       "polynomial", "kvw", "symmetric"};
    return shared.contains(word);
}

QStringList englishWords(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[^\\s]+"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression fileName(QStringLiteral("\\w\\.[A-Za-z]"));
    QStringList found;
    for (const auto& match : word.globalMatch(text)) {
        const QString token = match.captured();
        // Paths, file names, addresses and file patterns are not words of the interface.
        if (token.contains(QLatin1Char('/')) || token.contains(QLatin1Char('@')) ||
            token.contains(QLatin1Char('*')) || token.contains(fileName))
            continue;
        for (const auto& inner : latin.globalMatch(token))
            if (!sharedWord(inner.captured())) found << inner.captured();
    }
    return found;
}

// The window as the user sees it, saved when screenshots are asked for: the window system's
// picture of the window with its frame, else the window's own drawing.
void saveScreenshot(QWidget* window, const QString& language, int number) {
    const QString folder = qEnvironmentVariable("QUELMAR_SCREENSHOTS");
    if (folder.isEmpty() || !window) return;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(300); // the window manager frames and places the window
    const QString path = QDir(folder).filePath(QStringLiteral("%1/%2-%3.png")
                                                   .arg(language)
                                                   .arg(number, 2, 10, QLatin1Char('0'))
                                                   .arg(window->objectName()));
    QDir().mkpath(QFileInfo(path).path());
    const int captured = QProcess::execute(QStringLiteral("import"),
                                           {QStringLiteral("-frame"), QStringLiteral("-window"),
                                            QString::number(window->winId()), path});
    if (captured != 0) window->grab().save(path);
}

class LanguageWalkTest : public ShellTest {
protected:
    // Started as a user starts it, on the bundled example with the language files and manuals
    // that ship with the program, the control panel on.
    StartUp& startIn(const std::string& language) {
        language_ = QString::fromStdString(language);
        for (const char* name : {"en.lng", "ru.lng", "manual_en.rtf", "manual_ru.rtf"})
            QFile::copy(QStringLiteral(QUELMAR_SOURCE_DIR "/data/") + name, inBin(name));
        writeText(settingsPath(),
                  language + "\r\n7cam.dat\r\n/usr/bin/editor\r\n4\r\n10100+211\r\n");
        const QString example = inWork("ogle_lmc_rrlyr_00003.dat");
        QFile::copy(QStringLiteral(QUELMAR_SOURCE_DIR "/examples/ogle_lmc_rrlyr_00003.dat"),
                    example);
        return start({example});
    }

    // The texts each window shows when it is opened, by window.
    std::vector<std::pair<QString, QStringList>> walk(StartUp& shell) {
        std::vector<std::pair<QString, QStringList>> seen;
        int number = 0;
        for (const WindowToWalk& entry : WindowsToWalk) {
            ++number;
            QStringList texts;
            bool read = false;
            // Modal dialogs run their own loop: the reading happens inside it.
            QTimer::singleShot(0, [&] {
                QWidget* window = shownWindow(entry.window);
                EXPECT_NE(window, nullptr) << entry.window << " is not shown";
                if (window) texts = shownTexts(window);
                if (window && window->width() < captionFrameWidth(*window))
                    cutCaptions_ << QStringLiteral("%1: \"%2\" needs %3 pixels, has %4")
                                        .arg(QLatin1String(entry.window), window->windowTitle())
                                        .arg(captionFrameWidth(*window))
                                        .arg(window->width());
                saveScreenshot(window, language_, number);
                read = true;
                if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
            });
            if (entry.command) {
                QAction* command = find<QAction>(shell.mainWindow(), entry.command);
                if (command) command->trigger();
            } else {
                entry.open(shell);
            }
            EXPECT_TRUE(QTest::qWaitFor([&] { return read; })) << entry.window;
            seen.emplace_back(QLatin1String(entry.window), texts);
        }
        return seen;
    }

    QString language_;
    QStringList cutCaptions_; // the windows of the walk whose frames cut their captions
};

TEST_F(LanguageWalkTest, AnEnglishInterfaceShowsNoCyrillic) {
    StartUp& shell = startIn("en");
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    for (const auto& [window, texts] : walk(shell))
        for (const QString& text : texts)
            EXPECT_FALSE(text.contains(cyrillic))
                << window.toStdString() << ": " << text.toStdString();
    EXPECT_TRUE(messages().empty());
}

TEST_F(LanguageWalkTest, ARussianInterfaceShowsNoEnglishOfOurs) {
    StartUp& shell = startIn("ru");
    for (const auto& [window, texts] : walk(shell))
        for (const QString& text : texts)
            EXPECT_TRUE(englishWords(text).isEmpty())
                << window.toStdString() << ": " << text.toStdString();
    EXPECT_TRUE(messages().empty());
}

// Every window's frame holds its caption whole at the default font, in either language.
TEST_F(LanguageWalkTest, EveryCaptionFitsItsFrame) {
    for (const char* language : {"en", "ru"}) {
        walk(startIn(language));
        EXPECT_TRUE(cutCaptions_.isEmpty())
            << language << ": " << cutCaptions_.join(u'\n').toStdString();
        cutCaptions_.clear();
    }
}

// The names the interface gives its menu commands and tool buttons, with their keys.
void addCommandNames(QStringList& names, const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        names << action->text().remove(QLatin1Char('&'));
        if (!action->shortcut().isEmpty())
            names << action->shortcut().toString(QKeySequence::PortableText);
        if (action->menu()) addCommandNames(names, action->menu()->actions());
    }
}

// Every command the main window offers is described under the name the interface shows, in
// the manual of the interface's language.
void expectCommandsInManual(StartUp& shell, const QString& language) {
    ManualWindow help;
    ASSERT_TRUE(help.loadManual(QStringLiteral(QUELMAR_SOURCE_DIR "/data/manual_") + language +
                                    QStringLiteral(".rtf"),
                                nullptr));
    const QString manual = help.manualBox()->document()->toPlainText();
    QStringList names;
    addCommandNames(names, shell.mainWindow().menuBar()->actions());
    for (QToolButton* button : shell.mainWindow().findChildren<QToolButton*>())
        if (button->objectName().startsWith(QLatin1String("ToolButton")))
            names << button->toolTip();
    for (const QString& name : names)
        EXPECT_TRUE(manual.contains(name)) << language.toStdString() << ": " << name.toStdString();
}

TEST_F(LanguageWalkTest, TheEnglishManualNamesEveryCommand) {
    expectCommandsInManual(startIn("en"), QStringLiteral("en"));
}

TEST_F(LanguageWalkTest, TheRussianManualNamesEveryCommand) {
    expectCommandsInManual(startIn("ru"), QStringLiteral("ru"));
}

} // namespace
} // namespace quelmar::test
