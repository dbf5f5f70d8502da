#pragma once
// The start-up unit: creates the state and every window once, in a fixed order, reads the
// settings, applies the language and opens the files named on the command line.

#include "Workbench.h"

#include <QLocale>
#include <QStringList>

#include <memory>

namespace quelmar {

class TAboutbox;
class TCurfrm;
class TForm1;
class THelpfrm;
class TOptform;
class TPerfrm;
class TQMRMainwin;
class Tcalendbox;
class Tcurvtool;

struct StartUp {
    QStringList arguments;   // the command line without the program's name
    QString executableFolder;
    QString settingsPath;    // settings.bin
    QLocale systemLocale = QLocale::system();

    // What the program itself uses: settings.bin beside the executable, or in the user's
    // configuration folder when the executable's folder is not writable.
    static StartUp fromApplication();
};

class Kestro3 {
public:
    Kestro3(const StartUp& startUp, Desktop& desktop);
    ~Kestro3();
    Kestro3(const Kestro3&) = delete;
    Kestro3& operator=(const Kestro3&) = delete;

    // Shows the main window unless the command line has already done so.
    void show();

    // Reads the language file of the current language into the table and every window.
    void applyLanguage();

    Workbench& workbench() { return workbench_; }
    TQMRMainwin& mainWindow() { return *mainWindow_; }
    TCurfrm& curveWindow() { return *curveWindow_; }
    Tcalendbox& calendar() { return *calendar_; }
    THelpfrm& manual() { return *manual_; }
    TOptform& options() { return *options_; }
    Tcurvtool& controlPanel() { return *controlPanel_; }
    TAboutbox& about() { return *about_; }
    TPerfrm& periodSearch() { return *periodSearch_; }
    TForm1& periodProgress() { return *periodProgress_; }

private:
    void createWindows();
    void loadSettings(const StartUp& startUp);
    void openCommandLine(const QStringList& arguments);
    QList<QWidget*> labelledWindows() const;

    Workbench workbench_;
    std::unique_ptr<TQMRMainwin> mainWindow_;
    std::unique_ptr<TCurfrm> curveWindow_;
    std::unique_ptr<THelpfrm> manual_;
    std::unique_ptr<Tcurvtool> controlPanel_;
    // Dialogs owned by the main window.
    Tcalendbox* calendar_ = nullptr;
    TOptform* options_ = nullptr;
    TPerfrm* periodSearch_ = nullptr;
    TForm1* periodProgress_ = nullptr;
    TAboutbox* about_ = nullptr;
};

// The program: the application, the start-up and the message loop.
int runKestro3(int argc, char** argv);

} // namespace quelmar
