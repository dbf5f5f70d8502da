#pragma once
// The system's own words for the last failure (errno), for messages that give the real reason:
// "No space left on device", "Permission denied".

#include <cerrno>
#include <cstring>
#include <string>

namespace quelmar {

inline std::string systemReason() { return std::strerror(errno); }

} // namespace quelmar
