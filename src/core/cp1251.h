#pragma once
// The Windows Cyrillic code page of every text file the program reads and writes.

#include <string>
#include <string_view>

namespace quelmar {

// cp1251 bytes to UTF-8.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to cp1251; a character the code page lacks becomes '?'.
std::string utf8ToCp1251(std::string_view text);
// Whether every character of a UTF-8 text has a cp1251 byte.
bool fitsCp1251(std::string_view text);

} // namespace quelmar
