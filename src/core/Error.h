#pragma once
// The one exception type of the computation layers. Its message names the file and, where
// there is one, the line, so the command boundary can show it to the user as it stands.

#include <stdexcept>
#include <string>

namespace quelmar {

class QuelmarError : public std::runtime_error {
public:
    explicit QuelmarError(const std::string& message) : std::runtime_error(message) {}
    QuelmarError(const std::string& file, const std::string& reason)
        : std::runtime_error(file + ": " + reason) {}
    QuelmarError(const std::string& file, long long line, const std::string& reason)
        : std::runtime_error(file + ", line " + std::to_string(line) + ": " + reason) {}
};

} // namespace quelmar
