#include "WritePlan.h"

#include "DataFileState.h"
#include "Error.h"

#include <filesystem>
#include <sys/stat.h>

namespace quelmar {

namespace {

// What makes two names one file: its device and inode when it exists, else the path it will
// be created at.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string futurePath;

    bool operator==(const FileIdentity& other) const {
        if (exists != other.exists) return false;
        return exists ? device == other.device && inode == other.inode
                      : futurePath == other.futurePath;
    }
};

FileIdentity identityOf(const std::string& path) {
    FileIdentity identity;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        identity.exists = true;
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
        return identity;
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) absolute = path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
    identity.futurePath = (ec ? absolute.lexically_normal() : resolved).string();
    return identity;
}

} // namespace

WritePlan& WritePlan::reads(const std::string& path, const MessageText& role) {
    return add(path, role, Use::Read);
}

WritePlan& WritePlan::writes(const std::string& path, const MessageText& role) {
    return add(path, role, Use::Written);
}

WritePlan& WritePlan::rewrites(const std::string& path, const MessageText& role) {
    return add(path, role, Use::Rewritten);
}

WritePlan& WritePlan::add(const std::string& path, const MessageText& role, Use use) {
    files_.push_back({path, role, use});
    return *this;
}

void WritePlan::check() const {
    std::vector<FileIdentity> identities;
    identities.reserve(files_.size());
    for (const File& file : files_)
        identities.push_back(identityOf(file.path));
    for (std::size_t later = 0; later < files_.size(); ++later)
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            const File* read = &files_[earlier];
            const File* written = &files_[later];
            if (read->use == Use::Read && written->use == Use::Read) continue;
            if (!(identities[earlier] == identities[later])) continue;
            // The one the command reads is named as the input; a rewritten file is read first.
            if (written->use == Use::Read ||
                (written->use == Use::Rewritten && read->use == Use::Written))
                std::swap(read, written);
            if (read->use == Use::Written)
                throw QuelmarError(MessageText(
                    message::WrittenTwice, {read->path, read->role, written->path, written->role}));
            throw QuelmarError(MessageText(message::WrittenOverInput,
                                           {written->path, written->role, read->path, read->role}));
        }
}

WritePlan workbenchPlan(const DataFileState& files) {
    WritePlan plan;
    if (!files.DataFileName.empty()) plan.reads(files.DataFileName, message::RoleDataFile);
    if (!files.RangesFileName.empty()) plan.reads(files.RangesFileName, message::RoleRangesFile);
    return plan;
}

} // namespace quelmar
