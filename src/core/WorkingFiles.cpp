#include "WorkingFiles.h"

#include "TextFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmar {

namespace {

enum SlotState : int { Free, Filling, Recorded, Removing };

struct RecordSlot {
    std::atomic<int> state{Free};
    char path[4096];
};

// A lock-free atomic is safe to read in a signal handler and to claim from several threads.
static_assert(std::atomic<int>::is_always_lock_free);

// The one piece of global mutable state: a signal handler can reach nothing else, and it may
// neither allocate nor take a lock, so the working files live in fixed slots.
constinit RecordSlot recordedFiles[32];

extern "C" void removeRecordedFilesAndStop(int number) {
    // A slot is taken before its path is read, so that no other thread can free it and write
    // another path into it meanwhile.
    for (RecordSlot& slot : recordedFiles) {
        int expected = Recorded;
        if (slot.state.compare_exchange_strong(expected, Removing)) ::unlink(slot.path);
    }
    // The handler was reset to the default on entry: the program ends by this very signal.
    ::raise(number);
}

// The process id in name when it is a working file's name that starts with prefix, else 0.
pid_t ownerOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) return 0;
    name.remove_prefix(prefix.size());
    const auto dash = name.find('-');
    if (dash == std::string_view::npos) return 0;
    const std::string_view number = name.substr(dash + 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    pid_t owner = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, owner);
    return error == std::errc() && end == name.data() + dash ? owner : 0;
}

// Whether the working file at path is this user's regular file. No lock can say more: a stale
// working copy is a second link to the user's file, which the command cleaning up holds locked.
bool removable(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid();
}

} // namespace

std::string workingFileName(const std::string& target, int n) {
    return siblingPath(target, "." + fileNameOf(target) + ".quelmar-" + std::to_string(getpid()) +
                                   "-" + std::to_string(n));
}

WorkingFileRecord::WorkingFileRecord(const std::string& path) {
    // Absolute, so that the handler finds the file whatever the current folder is by then.
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).string();
    if (ec || absolute.size() >= sizeof RecordSlot::path) return;
    for (int i = 0; i < static_cast<int>(std::size(recordedFiles)); ++i) {
        RecordSlot& slot = recordedFiles[i];
        int expected = Free;
        if (!slot.state.compare_exchange_strong(expected, Filling)) continue;
        std::memcpy(slot.path, absolute.c_str(), absolute.size() + 1);
        slot.state.store(Recorded);
        slot_ = i;
        return;
    }
}

WorkingFileRecord::~WorkingFileRecord() {
    int expected = Recorded;
    if (slot_ >= 0) recordedFiles[slot_].state.compare_exchange_strong(expected, Free);
}

void removeWorkingFilesOnSignals() {
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        // Only the default is replaced: an ignored signal stays ignored, and no library of ours
        // (Qt included) handles these, so a handler found here is someone's choice to keep.
        if (sigaction(number, nullptr, &previous) != 0 || previous.sa_handler != SIG_DFL) continue;
        struct sigaction action {};
        action.sa_handler = removeRecordedFilesAndStop;
        sigemptyset(&action.sa_mask);
        for (const int other : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&action.sa_mask, other);
        action.sa_flags = SA_RESETHAND;
        sigaction(number, &action, nullptr);
    }
}

void cleanStaleWorkingFiles(const std::string& target) {
    const std::string folder = folderOf(target);
    DIR* const dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return;
    const std::string prefix = "." + fileNameOf(target) + ".quelmar-";
    while (const dirent* entry = readdir(dir)) {
        const pid_t owner = ownerOf(entry->d_name, prefix);
        if (owner <= 0 || owner == getpid() || kill(owner, 0) == 0 || errno != ESRCH) continue;
        const std::string path = siblingPath(target, entry->d_name);
        if (removable(path)) ::unlink(path.c_str());
    }
    closedir(dir);
}

} // namespace quelmar
