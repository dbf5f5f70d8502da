// Every subcommand, every file it writes named as a file it reads: by the same name, through a
// symbolic link and through a hard link. Each run is refused before anything is written.

#include "CliRun.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using quelmar::test::runCli;
using quelmar::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string curve() {
    std::string text;
    char line[64];
    for (int i = 1; i <= 40; ++i) {
        std::snprintf(line, sizeof line, "%.2f %.3f %.3f\r\n", 2451545.0 + i * 0.1,
                      10 + 0.3 * std::sin(i * 1.3), 11 + 0.2 * std::cos(i * 0.7));
        text += line;
    }
    return text;
}

struct Case {
    const char* what;
    std::vector<std::string> arguments; // "IN" and "OUT" stand for the two files' names
    std::string input, content;         // the file read
    std::string output;                 // the file written, an option's value or a derived name
    bool sameNamePossible = true;       // a derived name cannot be given as the input's name
    std::map<std::string, std::string> others = {};
};

std::vector<Case> cases() {
    const std::string data = curve();
    const std::string plate = "1234 2437512.3456 V\r\n";
    const std::vector<std::string> search = {"--pmin", "0.3", "--pmax", "1"};
    auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const std::vector<std::string> position = {"--ra", "1", "2", "3", "--dec", "4", "5", "6"};
    return {
        {"period --output", with({"period", "IN", "--output", "OUT"}, search), "a.dat", data,
         "o.per"},
        {"period --summary", with({"period", "IN", "--summary", "OUT"}, search), "a.dat", data,
         "s.csv"},
        {"period: another file's periodogram",
         with({"period", "x.dat", "IN"}, search),
         "y.dat",
         data,
         "x.per",
         true,
         {{"x.dat", data}}},
        {"phase --output",
         {"phase", "IN", "--epoch", "2451545", "--period", "0.7", "--output", "OUT"},
         "a.dat",
         data,
         "o_ph.dat"},
        {"barycentric --catalogue",
         with(with({"barycentric", "IN", "--star", "New star"}, position), {"--catalogue", "OUT"}),
         "a.dat", data, "stars.ini"},
        {"barycentric: the copy", with({"barycentric", "IN"}, position), "a.dat", data, "a.dat.bar",
         false},
        {"render --output", {"render", "IN", "--output", "OUT"}, "a.dat", data, "o.bmp"},
        {"pca --output", {"pca", "IN", "--output", "OUT"}, "a.dat", data, "o.dat"},
        {"plates --catalogue", {"plates", "OUT", "--catalogue", "IN"}, "7cam.dat", plate, "p.dat"},
        {"plates: the copy over the data",
         {"plates", "IN", "--catalogue", "7cam.dat"},
         "p.dat",
         plate,
         "p.tmp",
         false,
         {{"7cam.dat", plate}}},
        {"plates: the copy over the catalogue",
         {"plates", "q.dat", "--catalogue", "IN"},
         "7cam.dat",
         plate,
         "q.tmp",
         true,
         {{"q.dat", plate}}},
        {"import --from",
         {"import", "OUT", "--stars", "a9.34 b10.11", "--from", "IN"},
         "e.txt",
         "2451545.1 a2v3b seen\r\n",
         "d.dat"},
        {"convert --output",
         {"convert", "IN", "--columns", "t,m", "--output", "OUT"},
         "t.csv",
         "t,m\n2451545.1,10.2\n2451545.2,10.4\n",
         "t.dat"},
        {"oc --output",
         {"oc", "IN", "--epoch", "2451545", "--period", "0.7", "--output", "OUT"},
         "t.dat",
         "2451545.01 0.001\r\n2451545.71 0.001\r\n2451546.41 0.001\r\n",
         "o.dat"},
    };
}

enum class Naming { SameName, SymbolicLink, HardLink };

// Every entry of the folder: its kind and its bytes.
std::map<std::string, std::string> snapshot(const TempDir& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        entries[entry.path().filename().string()] =
            (entry.is_symlink() ? "link:" : "file:") + TempDir::read(entry.path().string());
    return entries;
}

} // namespace

TEST(OutputPaths, NoCommandWritesOverAFileItReads) {
    for (const Case& c : cases())
        for (const Naming naming : {Naming::SameName, Naming::SymbolicLink, Naming::HardLink}) {
            if (naming == Naming::SameName && !c.sameNamePossible) continue;
            const char* const how[] = {"same name", "symbolic link", "hard link"};
            SCOPED_TRACE(std::string(c.what) + ", " + how[static_cast<int>(naming)]);
            TempDir dir;
            for (const auto& [name, content] : c.others)
                dir.write(name, content);
            const std::string input = naming == Naming::SameName ? c.output : c.input;
            dir.write(input, c.content);
            if (naming == Naming::SymbolicLink) fs::create_symlink(input, dir.file(c.output));
            if (naming == Naming::HardLink)
                fs::create_hard_link(dir.file(input), dir.file(c.output));
            std::vector<std::string> arguments = c.arguments;
            for (std::string& argument : arguments)
                argument = argument == "IN" ? input : argument == "OUT" ? c.output : argument;
            const auto before = snapshot(dir);

            const auto run = runCli(arguments, dir.path());
            EXPECT_EQ(run.status, 1) << run.out;
            EXPECT_NE(run.err.find(c.output + " ("), std::string::npos) << run.err;
            EXPECT_NE(run.err.find("would be written over the input " + input + " ("),
                      std::string::npos)
                << run.err;
            EXPECT_EQ(snapshot(dir), before);
        }
}

TEST(OutputPaths, TwoOutputsOfOneCommandAreNeverOneFile) {
    TempDir dir;
    dir.write("a.dat", curve());
    dir.write("b.dat", curve());
    const auto run =
        runCli({"period", "a.dat", "b.dat", "--pmin", "0.3", "--pmax", "1", "--summary", "a.per"},
               dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("a.per (the periodogram) and a.per (the summary) would both be written"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(dir.file("a.per")));
    EXPECT_FALSE(fs::exists(dir.file("b.per")));
}
