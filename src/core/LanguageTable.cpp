#include "LanguageTable.h"

#include "TextFile.h"
#include "cp1251.h"

namespace quelmar {

void LanguageTable::load(const std::string& path) {
    const auto lines = readLeadingLines(path, LanguageLines, LanguageLineLength);
    for (std::size_t k = 1; k <= lines.size(); ++k)
        setEntry(static_cast<int>(k), lines[k - 1]);
}

void LanguageTable::loadText(std::string_view cp1251Text) {
    LineReader lines(cp1251Text);
    std::string_view line;
    for (int k = 1; k <= LanguageLines && lines.next(line); ++k)
        setEntry(k, line);
}

void LanguageTable::setEntry(int n, std::string_view cp1251Line) {
    entries_[static_cast<std::size_t>(n)] = cp1251ToUtf8(cp1251Line.substr(0, LanguageLineLength));
}

const std::string& LanguageTable::entry(int n) const {
    static const std::string none;
    if (n < 1 || n > LanguageLines) return none;
    return entries_[static_cast<std::size_t>(n)];
}

std::string LanguageTable::message(int n) const {
    const std::string& text = entry(n);
    return text.empty() ? std::string(fallback(n)) : text;
}

std::string_view LanguageTable::fallback(int n) {
    switch (n) {
    case 108:
        return "Введите величины звёзд сравнения";
    case 111:
        return "Введите строку вида a9.34 b10.11 c11.28";
    case 112:
        return "Перевести номера пластинок в Юлианские даты?";
    case 113:
        return "Сейчас отображен последний диапазон. Будет отображен первый.";
    case 114:
        return "Сейчас отображен 1й диапазон. Передвигайтесь вперед.";
    case 115:
        return "Не все данные введены!";
    case 116:
        return "Этой звезды еще нет в каталоге звёзд. После введения её координат она будет "
               "добавлена.";
    default:
        return {};
    }
}

} // namespace quelmar
