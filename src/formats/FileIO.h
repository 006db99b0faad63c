#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pixmere {

// Reads a whole file, refusing without reading it one larger than maxSize bytes, the largest
// its reader takes. Throws UserError with the bad-file message when it cannot be read, is not
// a regular file or is too large; its reason says which ("No such file", "Is a directory",
// "larger than a .pcf can be (64 MB)" with `kind` ".pcf").
std::vector<uint8_t> ReadFileBytes(const std::string& path, uint64_t maxSize,
                                   const std::string& kind = "");

// A file size as a reason gives it: "64 MB" for whole mebibytes, otherwise the bytes.
std::string SizeText(uint64_t bytes);

// Saves bytes as the file at path so that a failed or killed save never harms the previous
// file. A symbolic link is followed and the file it points to is written; the link stays.
//
// A regular file is replaced by a finished copy: the bytes go to an unnamed temporary file
// beside it (a named one, ".NAME.pixmere-" and eight hexadecimal digits, where the file system
// has no unnamed ones), which takes the previous file's mode, ACL, extended attributes and,
// where allowed, its owner and group, is flushed to disk and then renamed over the file; the
// folder is flushed after the rename. A file with several hard links is written in place
// instead, so that every name keeps seeing it, while a flushed copy of its previous content
// lies beside it ("NAME.pixmere-old", or "NAME.pixmere-old2" and on when that name is taken),
// removed once the new content is on disk. A file nobody may write (no write permission for
// the user, or no write bit at all) is refused. A FIFO or a character device is written
// directly; anything else that is not a regular file is refused. Every save of a regular file
// removes the temporary files that killed saves left in the folder: at once those of its own
// target, those of other names once they are a minute old, never one a running save holds.
//
// Throws UserError(WriteFailureMessage) naming the file on failure; a failure while a file
// with hard links was being written names the copy that keeps its previous content.
void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

// The steps of a save, in the order it passes them.
enum class SaveStep {
    TempCreated,     // the new file exists, empty, unnamed where the file system allows
    TempWritten,     // its bytes and attributes are on disk
    TempNamed,       // it has a temporary name beside the target, just before the rename
    Renamed,         // it has the target's name, the folder not yet flushed
    CopyWritten,     // hard links: the copy of the previous content is whole and on disk
    PartWritten,     // hard links: half of the new bytes are written over the file
    InPlaceWritten,  // hard links: all of them, flushed; the copy is still there
};

// For tests: `hook` is called at each step a save reaches; returning false fails the save
// there, as a refused system call would. An empty hook, the default, lets saves run.
void SetSaveStepHook(std::function<bool(SaveStep)> hook);

// The message of a failed save. previousKept: a previous file exists and the save left it as
// it was.
std::string WriteFailureMessage(const std::string& path, bool previousKept);
// The same, telling by whether a regular file of that name exists now.
std::string WriteFailureMessage(const std::string& path);

}  // namespace pixmere
