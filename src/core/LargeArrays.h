#pragma once
// Arrays of millions of doubles: sized once, and backed by huge pages where the system offers
// them, since faulting in 4 KiB pages one at a time costs more than filling them.

#include <string>
#include <vector>

namespace quelmar {

void resizeLarge(std::vector<double>& array, std::size_t size);
// Room for a text of tens of megabytes that is about to be written.
void reserveLarge(std::string& text, std::size_t size);

} // namespace quelmar
