#pragma once
// The one exception type of the computation layers. Its message names the file and, where
// there is one, the line, so the command boundary can show it to the user as it stands. The
// reason is a MessageText: what() gives it in English (the command line's language), text()
// in the language of the interface that shows it.

#include "MessageText.h"

#include <exception>
#include <stdexcept>
#include <string>

namespace quelmar {

class QuelmarError : public std::runtime_error {
public:
    explicit QuelmarError(const MessageText& message);
    QuelmarError(const std::string& file, const MessageText& reason);
    QuelmarError(const std::string& file, long long line, const MessageText& reason);

    std::string text(InterfaceLanguage language) const { return message_.in(language); }
    const MessageText& message() const { return message_; }

private:
    MessageText message_;
};

// What a failure says to the user in the language: a QuelmarError in that language, running
// out of memory in our words, any other exception as it describes itself.
std::string errorText(const std::exception& error, InterfaceLanguage language);

} // namespace quelmar
