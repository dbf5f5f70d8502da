#include "OwnMessages.h"

namespace quelmar {

InterfaceLanguage interfaceLanguageOf(std::string_view languageName) {
    return languageName == "ru" ? InterfaceLanguage::Russian : InterfaceLanguage::English;
}

std::string ownText(const OwnMessage& message, InterfaceLanguage language,
                    const std::vector<std::string>& arguments) {
    const std::string_view pattern =
        language == InterfaceLanguage::Russian ? message.russian : message.english;
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[++i] - '1');
            if (n < arguments.size()) text += arguments[n];
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace quelmar
