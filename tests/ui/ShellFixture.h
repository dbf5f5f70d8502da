#pragma once
// The workbench started as main starts it, in a fresh working folder with the executable's
// folder beside it, and a desktop that records messages and answers the dialogs.

#include "support/TempDir.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/OpenDialog.h"
#include "ui/StartUp.h"

#include "core/cp1251.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace quelmar::test {

class RecordingDesktop : public Desktop {
public:
    struct Message {
        MessageKind kind;
        QString caption;
        QString text;
        bool aboveAll = false;
    };

    std::vector<Message> messages;
    std::vector<OpenDialog> dialogsRun;       // the open dialog as each choice saw it
    std::vector<OpenDialog> savesRun;         // the save dialogs among them
    std::deque<QString> fileAnswers;          // consumed in order; none left means cancel
    std::vector<QStringList> programsStarted; // program, then its arguments
    QStringList installedPrograms;            // names findProgram finds, in /usr/bin
    bool startSucceeds = true;
    std::optional<LabelFont> fontAnswer;
    std::vector<Message> questions;   // asked Yes/No questions, kind unused
    std::deque<bool> questionAnswers; // consumed in order; none left means No
    std::vector<Message> textsAsked;  // input boxes: caption and prompt, kind unused
    std::deque<QString> textAnswers;  // consumed in order; none left means cancel
    bool showInputBoxes = false;      // the input boxes shown as a user sees them instead

    bool askYesNo(QWidget*, const QString& caption, const QString& text) override {
        questions.push_back({MessageKind::Information, caption, text});
        if (questionAnswers.empty()) return false;
        const bool answer = questionAnswers.front();
        questionAnswers.pop_front();
        return answer;
    }

    QString askText(QWidget* parent, const QString& caption, const QString& prompt) override {
        if (showInputBoxes) return Desktop::askText(parent, caption, prompt);
        textsAsked.push_back({MessageKind::Information, caption, prompt});
        if (textAnswers.empty()) return {};
        const QString answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    void showMessage(QWidget*, MessageKind kind, const QString& caption,
                     const QString& text) override {
        messages.push_back({kind, caption, text});
    }
    void showMessageAboveAll(MessageKind kind, const QString& caption,
                             const QString& text) override {
        messages.push_back({kind, caption, text, true});
    }
    QString chooseOpenFile(QWidget*, const OpenDialog& dialog) override {
        dialogsRun.push_back(dialog);
        if (fileAnswers.empty()) return {};
        const QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    // Save dialogs answer from the same queue; savesRun tells them apart.
    QString chooseSaveFile(QWidget* parent, const OpenDialog& dialog) override {
        savesRun.push_back(dialog);
        return chooseOpenFile(parent, dialog);
    }
    std::optional<LabelFont> chooseFont(QWidget*, const LabelFont&,
                                        const FontDialogTexts&) override {
        return fontAnswer;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        programsStarted.push_back(QStringList{program} + arguments);
        return startSucceeds;
    }
    QString findProgram(const QString& name) override {
        return installedPrograms.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    }
};

// 150 lines "<code> <k>", the filters of lines 133 to 136 excepted.
inline std::vector<std::string> languageLines(const std::string& code) {
    std::vector<std::string> lines;
    for (int k = 1; k <= 150; ++k)
        lines.push_back(code + " " + std::to_string(k));
    lines[132] = code + " all|*.dat; *.per|" + code + " any|*.*";
    lines[133] = code + " catalogues|*.dat";
    lines[134] = code + " programs|*";
    lines[135] = code + " languages|*.lng";
    return lines;
}

class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        QDir().mkpath(work());
        QDir().mkpath(bin());
        QDir::setCurrent(work());
    }
    ~ShellTest() override {
        shell.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QString work() const { return QString::fromStdString(dir.file("work")); }
    QString bin() const { return QString::fromStdString(dir.file("bin")); }
    QString inWork(const QString& name) const { return QDir(work()).filePath(name); }
    QString inBin(const QString& name) const { return QDir(bin()).filePath(name); }
    QString settingsPath() const { return inBin(QStringLiteral("settings.bin")); }

    // Writes a file of cp1251 lines, each ended by CR LF.
    static QString writeLines(const QString& path, const std::vector<std::string>& lines) {
        std::string content;
        for (const std::string& line : lines)
            content += utf8ToCp1251(line) + "\r\n";
        return writeText(path, content);
    }
    static QString writeText(const QString& path, const std::string& content) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(content.data(), static_cast<qint64>(content.size()));
        return path;
    }
    void writeLanguage(const QString& folder, const std::string& code) const {
        writeLines(QDir(folder).filePath(QString::fromStdString(code) + ".lng"),
                   languageLines(code));
    }
    // A settings.bin naming the language.
    void writeSettings(const std::string& language) const {
        writeText(settingsPath(),
                  language + "\r\n7cam.dat\r\n/usr/bin/editor\r\n4\r\n00100+201\r\n");
    }
    QString writeDataFile(const QString& name = QStringLiteral("star.dat")) const {
        return writeText(inWork(name), "2451545.3 9.5 10.2 good\r\n2451544.1 9.7 10.4\r\n"
                                       "2451546.8 9.6 10.3\r\n");
    }

    StartUp& start(const QStringList& arguments = {},
                   const QLocale& locale = QLocale(QLocale::English)) {
        StartUpContext startUp;
        startUp.arguments = arguments;
        startUp.executableFolder = bin();
        startUp.settingsPath = settingsPath();
        startUp.systemLocale = locale;
        return startWith(startUp);
    }
    StartUp& startWith(const StartUpContext& startUp) {
        shell = std::make_unique<StartUp>(startUp, desktop);
        shell->show();
        return *shell;
    }
    // Started with a data file and an English language file, the main window active.
    StartUp& startWithFile() {
        writeLanguage(work(), "en");
        writeSettings("en");
        start({writeDataFile()});
        activate(shell->mainWindow());
        return *shell;
    }

    static void activate(QWidget& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename T = QObject> T* find(QWidget& window, const char* name) {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Opens the menu and clicks the item, as a user does.
    void clickMenuItem(const char* menuName, const char* itemName) {
        MainWindow& main = shell->mainWindow();
        QMenu* menu = find<QMenu>(main, menuName);
        QAction* item = find<QAction>(main, itemName);
        ASSERT_TRUE(menu && item);
        menu->popup(main.mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    std::vector<RecordingDesktop::Message> messages() const { return desktop.messages; }

    TempDir dir;
    RecordingDesktop desktop;
    std::unique_ptr<StartUp> shell;
};

} // namespace quelmar::test
