#pragma once
// Reading the numbers and texts that the subcommands take as arguments.

#include "core/MissingValue.h"

#include <CLI/CLI.hpp>

#include "core/ObservationFile.h"

#include <string>

namespace quelmar::cli {

// The number in an argument; throws QuelmarError naming the argument when it holds none.
double numberArgument(const std::string& text, const std::string& what);

// An argument's text in the code page of the files; throws QuelmarError naming the argument
// when it holds a character the code page lacks.
std::string cp1251Argument(const std::string& text, const std::string& what);

// The file a subcommand works on: its required positional argument.
CLI::Option* addDataFile(CLI::App& command, std::string& path,
                         const std::string& help = "observation file",
                         const std::string& name = "DATA");

// Says on standard error how many lines of a data file held no observation and where the
// first one is; nothing when there were none.
void reportSkippedLines(const std::string& path, const SkippedLines& skipped);

// --json, which prints the results for other programs instead of the lines for people.
CLI::Option* addJsonFlag(CLI::App& command, bool& json,
                         const std::string& help = "print the result as one JSON object");

// --missing VALUE|none: the value that marks a missing one in the data file (0 by default),
// or none, when every number of the file is a value.
CLI::Option* addMissingOption(CLI::App& command, MissingMarker& marker);

// The term counts the polynomial fits take by default, as --terms writes them: "3-6".
std::string designTermRange();

} // namespace quelmar::cli
