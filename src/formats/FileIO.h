#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixmere {

// Reads a whole file. Throws UserError with the bad-file message when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// Writes bytes to a temporary file beside the target, then renames it over the target, so a
// failed write never destroys the previous file. Throws UserError naming the file on failure.
void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

// The message shown when a file cannot be written.
std::string WriteFailureMessage(const std::string& path);

}  // namespace pixmere
