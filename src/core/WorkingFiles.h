#pragma once
// The hidden working files a rewrite creates beside a user's file, named so that any later run
// can tell them from everything else in the folder, and taken away when the program is stopped
// by Ctrl+C, SIGTERM or SIGHUP as well as when the rewrite ends.

#include <string>

namespace quelmar {

// The name of working file number n for target in its folder: ".NAME.quelmar-PID-n", PID this
// process's.
std::string workingFileName(const std::string& target, int n);

// While a WorkingFileRecord lives, the file it names is removed if the program is stopped by one
// of the signals removeWorkingFilesOnSignals() handles. Only a few files are recorded at once;
// one beyond them, or a path too long to record, is not, and is left to cleanStaleWorkingFiles().
class WorkingFileRecord {
public:
    explicit WorkingFileRecord(const std::string& path);
    ~WorkingFileRecord();
    WorkingFileRecord(const WorkingFileRecord&) = delete;
    WorkingFileRecord& operator=(const WorkingFileRecord&) = delete;

private:
    int slot_ = -1;
};

// Installs the handlers of SIGINT, SIGTERM and SIGHUP that remove every recorded working file
// and then end the program by the signal, as it would have ended without them. A signal the
// program was started with ignored (nohup) stays ignored.
void removeWorkingFilesOnSignals();

// Removes the working files for target in its folder that an earlier run left behind: files of
// this user named as workingFileName() names them, whose process no longer lives. Nothing else
// is touched, and a failure to remove one is no error.
void cleanStaleWorkingFiles(const std::string& target);

} // namespace quelmar
