#pragma once
// The system's reason for the last failure (errno) in the interface's language, for messages
// that give the real reason: "No space left on device", "Permission denied".

#include "MessageText.h"

#include <cerrno>

namespace quelmar {

MessageText systemReason(int code = errno);

// A write beyond the file-size limit of the process (ulimit -f) then fails with "File too
// large", which the command reports and takes back as it does a full disk, instead of the
// system stopping the program half-way through a file.
void reportFileSizeLimitAsFailure();

} // namespace quelmar
