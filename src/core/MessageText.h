#pragma once
// A text shown to the user in the interface's language: pieces that are either our own
// messages with their arguments (themselves texts of this kind) or texts that stand as they are
// (a file name, a number, a token read from a file). An error raised far from any window
// carries one, and the command that shows it chooses the language; the command line shows
// English.

#include "OwnMessages.h"

#include <optional>
#include <string>
#include <vector>

namespace quelmar {

class MessageText {
public:
    MessageText() = default;
    MessageText(std::string plain);
    MessageText(const char* plain);
    MessageText(const OwnMessage& message, std::vector<MessageText> arguments = {});

    std::string in(InterfaceLanguage language) const;
    std::string english() const { return in(InterfaceLanguage::English); }

    friend MessageText operator+(MessageText text, const MessageText& more);
    MessageText& operator+=(const MessageText& more);

private:
    struct Piece {
        std::string plain;
        std::optional<OwnMessage> message;
        std::vector<MessageText> arguments;
    };
    std::vector<Piece> pieces_;
};

} // namespace quelmar
