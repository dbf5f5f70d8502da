#pragma once
// The files one command reads and writes, checked before it writes anything: a file it writes
// (an output, a copy, a catalogue, a summary) is never the same file as one it reads or as
// another it writes. Files are compared as files, through symbolic and hard links: existing
// ones by device and inode, ones still to be created by their absolute path with the links of
// their folder resolved.

#include "MessageText.h"

#include <string>
#include <vector>

namespace quelmar {

class WritePlan {
public:
    // A file the command only reads.
    WritePlan& reads(const std::string& path, const MessageText& role);
    // A file the command creates or replaces without reading it.
    WritePlan& writes(const std::string& path, const MessageText& role);
    // A file the command reads and then rewrites or appends to (a data file corrected in place,
    // a catalogue a star is added to): it may be itself, but no other file of the plan.
    WritePlan& rewrites(const std::string& path, const MessageText& role);

    // Throws QuelmarError naming both files, and which one is read, when two of them are one
    // file and the command writes at least one of them.
    void check() const;

private:
    enum class Use { Read, Written, Rewritten };
    struct File {
        std::string path;
        MessageText role;
        Use use;
    };
    WritePlan& add(const std::string& path, const MessageText& role, Use use);

    std::vector<File> files_;
};

struct DataFileState;
// The plan of a workbench command that writes a new file: it starts with the data file and the
// ranges file the workbench has open, as files the command reads. (The file the light curve
// shows is no input of the file commands: a phase file or periodogram computed again replaces it.)
WritePlan workbenchPlan(const DataFileState& files);

} // namespace quelmar
