#pragma once
// The system's reason for the last failure (errno) in the interface's language, for messages
// that give the real reason: "No space left on device", "Permission denied".

#include "MessageText.h"

#include <cerrno>

namespace quelmar {

MessageText systemReason(int code = errno);

} // namespace quelmar
