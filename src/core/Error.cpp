#include "Error.h"

#include <new>

namespace quelmar {

QuelmarError::QuelmarError(const MessageText& message)
    : std::runtime_error(message.english()), message_(message) {}

QuelmarError::QuelmarError(const std::string& file, const MessageText& reason)
    : QuelmarError(MessageText(message::InFile, {file, reason})) {}

QuelmarError::QuelmarError(const std::string& file, long long line, const MessageText& reason)
    : QuelmarError(MessageText(message::AtLine, {file, std::to_string(line), reason})) {}

std::string errorText(const std::exception& error, InterfaceLanguage language) {
    if (const auto* ours = dynamic_cast<const QuelmarError*>(&error)) return ours->text(language);
    if (dynamic_cast<const std::bad_alloc*>(&error)) return ownText(message::OutOfMemory, language);
    return error.what();
}

} // namespace quelmar
