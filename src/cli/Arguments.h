#pragma once
// Reading the numbers and texts that the subcommands take as arguments.

#include <string>

namespace quelmar::cli {

// The number in an argument; throws QuelmarError naming the argument when it holds none.
double numberArgument(const std::string& text, const std::string& what);

// An argument's text in the code page of the files; throws QuelmarError naming the argument
// when it holds a character the code page lacks.
std::string cp1251Argument(const std::string& text, const std::string& what);

} // namespace quelmar::cli
