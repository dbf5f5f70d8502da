#pragma once
// Arrays of millions of doubles: sized once, and backed by huge pages where the system offers
// them, since faulting in 4 KiB pages one at a time costs more than filling them.

#include <cstdint>
#include <string>
#include <vector>

namespace quelmar {

void resizeLarge(std::vector<double>& array, std::size_t size);
void resizeLarge(std::vector<std::uint8_t>& array, std::size_t size); // a missing-value mask
// Room for a text of tens of megabytes that is about to be written.
void reserveLarge(std::string& text, std::size_t size);

} // namespace quelmar
