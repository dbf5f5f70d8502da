#include "commands.h"
#include "core/Error.h"
#include "core/SystemReason.h"

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quelmar::cli {

namespace {

// quelmar-render in the folder of this program's own file, wherever a link to it was run from.
std::string renderProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path("quelmar-render") : self.parent_path() / "quelmar-render")
        .string();
}

} // namespace

void addRenderForwarding(CLI::App& app) {
    // Qt and its libraries take about 10 ms to load: only the picture command pays for them.
    auto* cmd = app.add_subcommand("render", std::string(RenderDescription) +
                                                 "; quelmar-cli render --help gives its options");
    cmd->prefix_command();
    cmd->set_help_flag();
    cmd->callback([cmd] {
        const std::string path = renderProgram();
        std::vector<std::string> words{path, "render"};
        for (const std::string& word : cmd->remaining())
            words.push_back(word);
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        std::cout.flush();
        execv(path.c_str(), argv.data());
        const int error = errno;
        throw QuelmarError("pictures are drawn by " + path + ", installed beside quelmar-cli, " +
                           "which cannot be run (" + systemReason(error).english() + ")");
    });
}

} // namespace quelmar::cli
