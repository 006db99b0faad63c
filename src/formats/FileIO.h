#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixmere {

// Reads a whole file, refusing without reading it one larger than maxSize bytes, the largest
// its reader takes. Throws UserError with the bad-file message when it cannot be read, is not
// a regular file or is too large.
std::vector<uint8_t> ReadFileBytes(const std::string& path, uint64_t maxSize);

// Saves bytes as the file at path so that a failed or killed save never harms the previous
// file. A symbolic link is followed and the file it points to is written; the link stays.
//
// A regular file is replaced by a finished copy: the bytes go to an unnamed temporary file
// beside it (a named one where the file system has no unnamed ones), which takes the previous
// file's mode and, where allowed, its owner and group, is flushed to disk and then renamed over
// the file; the folder is flushed after the rename. A file with several hard links is written
// in place instead, so that every name keeps seeing it. A file nobody may write (no write
// permission for the user, or no write bit at all) is refused. A FIFO or a character device
// is written directly; anything else that is not a regular file is refused.
//
// Throws UserError(WriteFailureMessage) naming the file on failure.
void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

// The message of a failed save. previousKept: a previous file exists and the save left it as
// it was.
std::string WriteFailureMessage(const std::string& path, bool previousKept);
// The same, telling by whether a regular file of that name exists now.
std::string WriteFailureMessage(const std::string& path);

}  // namespace pixmere
