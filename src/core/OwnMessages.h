#pragma once
// Messages of our own that no line of a language file holds: each has an English and a
// Russian text, and the interface shows the one of its language, so an English interface shows
// no Russian and a Russian one no English. Texts are UTF-8; "%1", "%2", … stand for the
// arguments given when the message is shown.
//
// Add a message here, in the section of its command, rather than writing a text in a window.

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

enum class InterfaceLanguage { English, Russian };

// Russian for the language file "ru", English for every other.
InterfaceLanguage interfaceLanguageOf(std::string_view languageName);

struct OwnMessage {
    std::string_view english;
    std::string_view russian;
};

// The message in the language with %1 … %9 replaced by the arguments (missing ones by "").
std::string ownText(const OwnMessage& message, InterfaceLanguage language,
                    const std::vector<std::string>& arguments = {});

namespace message {

// Opening files.
inline constexpr OwnMessage FileReadError{"File read error!", "Ошибка чтения файла!"};
inline constexpr OwnMessage CannotOpenFile{"Can`t open file.", "Не удаётся открыть файл."};

// Programs started from the main window.
inline constexpr OwnMessage EditorNotStarted{
    "The text editor could not be started:\n%1\nChoose the editor in the settings.",
    "Не удалось запустить текстовый редактор:\n%1\nВыберите редактор в настройках."};
inline constexpr OwnMessage CalculatorNotStarted{"The calculator could not be started: %1",
                                                 "Не удалось запустить калькулятор: %1"};
inline constexpr OwnMessage NoCalculator{
    "No calculator program was found. Looked for: %1.",
    "Не найдена программа-калькулятор. Искали: %1."};

// Period search.
inline constexpr OwnMessage LargeScan{
    "The scan would take %1 trial frequencies, more than %2, and may run for a very long time. "
    "Start it?",
    "Расчёт займёт %1 пробных частот, больше %2, и может идти очень долго. Начать?"};

} // namespace message

} // namespace quelmar
