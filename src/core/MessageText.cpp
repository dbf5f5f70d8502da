#include "MessageText.h"

namespace quelmar {

MessageText::MessageText(std::string plain) {
    pieces_.push_back({std::move(plain), {}, {}});
}

MessageText::MessageText(const char* plain) : MessageText(std::string(plain)) {}

MessageText::MessageText(const OwnMessage& message, std::vector<MessageText> arguments) {
    pieces_.push_back({{}, message, std::move(arguments)});
}

std::string MessageText::in(InterfaceLanguage language) const {
    std::string text;
    for (const Piece& piece : pieces_) {
        if (!piece.message) {
            text += piece.plain;
            continue;
        }
        std::vector<std::string> arguments;
        arguments.reserve(piece.arguments.size());
        for (const MessageText& argument : piece.arguments)
            arguments.push_back(argument.in(language));
        text += ownText(*piece.message, language, arguments);
    }
    return text;
}

MessageText& MessageText::operator+=(const MessageText& more) {
    pieces_.insert(pieces_.end(), more.pieces_.begin(), more.pieces_.end());
    return *this;
}

MessageText operator+(MessageText text, const MessageText& more) {
    text += more;
    return text;
}

} // namespace quelmar
