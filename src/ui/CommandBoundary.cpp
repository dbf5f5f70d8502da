#include "CommandBoundary.h"

#include "Workbench.h"

#include "core/Error.h"

#include <new>

namespace quelmar {

QString failureText(const Workbench& workbench, const std::exception& failure,
                    const QString& file) {
    if (dynamic_cast<const QuelmarError*>(&failure)) return workbench.describe(failure);
    const bool memory = dynamic_cast<const std::bad_alloc*>(&failure) != nullptr;
    if (file.isEmpty())
        return memory ? workbench.say(message::OutOfMemory)
                      : workbench.say(message::CommandFailed, {QString::fromUtf8(failure.what())});
    return memory ? workbench.say(message::OutOfMemoryWithFile, {file})
                  : workbench.say(message::CommandFailedWithFile,
                                  {file, QString::fromUtf8(failure.what())});
}

bool runCommand(const Workbench& workbench, QWidget* parent, const QString& file,
                const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& failure) {
        workbench.reportError(parent, failureText(workbench, failure, file));
        return false;
    }
}

bool WorkbenchApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        if (!workbench_) throw;
        workbench_->reportError(
            activeWindow(),
            failureText(*workbench_, failure,
                        QString::fromStdString(workbench_->document.files().DataFileName)));
        return false;
    }
}

} // namespace quelmar
