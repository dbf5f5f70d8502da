#pragma once
// The command boundary: the one place where a failure a command throws becomes a message to the
// user. A QuelmarError is shown as it stands (it names the file and the line); any other
// std::exception (out of memory, a thread the system would not start, a failure inside a
// library) is shown with the name of the file the command worked on. A failure that escapes an
// event handler is caught by the application object and shown the same way, so that no failure
// ends the program.

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace quelmar {

struct Workbench;

// The text a failure is shown with; file is the file the command worked on ("" for none).
QString failureText(const Workbench& workbench, const std::exception& failure, const QString& file);

// Runs a command; a failure it throws is shown in an error box over parent. False when the
// command failed.
bool runCommand(const Workbench& workbench, QWidget* parent, const QString& file,
                const std::function<void()>& command);

// The workbench's application object: it shows a failure that escapes an event handler, with
// the current data file's name, once a workbench is watching.
class WorkbenchApplication : public QApplication {
public:
    WorkbenchApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    void watch(const Workbench* workbench) { workbench_ = workbench; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    const Workbench* workbench_ = nullptr;
};

} // namespace quelmar
