#include "formats/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <random>
#include <string_view>
#include <utility>

#include "model/UserError.h"

namespace pixmere {

namespace {

[[noreturn]] void BadFile() { throw UserError(kBadFontFileMessage); }

[[noreturn]] void Fail(const std::string& path, bool previousKept) {
    throw UserError(WriteFailureMessage(path, previousKept));
}

// A file descriptor, closed when it goes out of scope unless Close has checked its closing.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Some file systems report a failed write only when the file is closed.
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    const uint8_t* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, std::min<std::size_t>(left, std::size_t{1} << 30));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writing into a FIFO whose reader has gone raises SIGPIPE, which would end the whole program:
// while this lives the signal is held back, and one it caused is discarded, so the write just
// fails.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~PipeSignalHeld() {
        sigset_t pending;
        sigpending(&pending);
        if (!wasPending_ && sigismember(&pending, SIGPIPE) == 1) {
            const timespec now{0, 0};
            sigtimedwait(&pipe_, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }

private:
    sigset_t pipe_{};
    sigset_t previous_{};
    bool wasPending_ = false;
};

// The file a chain of symbolic links ends at (path itself when it is none); that file may not
// exist yet.
std::string FollowLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path current(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
        std::vector<char> link(PATH_MAX + 1);
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) Fail(path, false);
        const fs::path next(std::string(link.data(), static_cast<std::size_t>(n)));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    Fail(path, false);  // a loop of links
}

// "." + the start of the target's name + ".": what every temporary name of the target begins
// with, never so long that the 255 bytes a name may have cannot hold the random digits too.
std::string TempPrefix(const std::string& target) {
    constexpr std::size_t kMaxName = 255;
    constexpr std::size_t kSuffix = 9;
    std::size_t keep = std::min(target.size(), kMaxName - 1 - kSuffix);
    // Whole UTF-8 characters only.
    while (keep > 0 && keep < target.size() &&
           (static_cast<uint8_t>(target[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    std::string prefix;
    prefix.reserve(1 + keep + kSuffix);
    prefix.append(1, '.');
    prefix.append(target, 0, keep);
    prefix.append(1, '.');
    return prefix;
}

constexpr std::size_t kTempDigits = 8;

// A hidden name beside the target: the prefix and eight random hexadecimal digits.
std::string TempName(const std::string& target) {
    std::string name = TempPrefix(target);
    std::random_device random;
    uint32_t digits = random();
    for (std::size_t n = 0; n < kTempDigits; ++n, digits >>= 4) {
        name.append(1, "0123456789abcdef"[digits & 15]);
    }
    return name;
}

// A save killed between naming its finished file and renaming it leaves that whole file under
// a temporary name; the next save of the same target removes it.
void RemoveStrayTemps(int folder, const std::string& target) {
    const std::string prefix = TempPrefix(target);
    const int fd = ::dup(folder);
    if (fd < 0) return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    std::vector<std::string> strays;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() == prefix.size() + kTempDigits && name.starts_with(prefix) &&
            name.find_first_not_of("0123456789abcdef", prefix.size()) == std::string_view::npos) {
            strays.emplace_back(name);
        }
    }
    ::closedir(dir);
    for (const std::string& name : strays) ::unlinkat(folder, name.c_str(), 0);
}

// The file a save writes before it takes the target's name. On Linux it has no name until it
// is complete, so a save killed on the way leaves nothing behind; where the file system has
// no unnamed files it is named from the start and removed when the save fails.
class TempFile {
public:
    TempFile(int folder, std::string target) : folder_(folder), target_(std::move(target)) {
#ifdef O_TMPFILE
        // Naming an unnamed file goes through /proc.
        if (::access("/proc/self/fd", X_OK) == 0) {
            fd_ = Fd(::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
            if (fd_.valid()) return;
        }
#endif
        for (int attempt = 0; attempt < 16 && !fd_.valid(); ++attempt) {
            std::string candidate = TempName(target_);
            fd_ = Fd(::openat(folder_, candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC,
                              0666));
            if (fd_.valid()) name_ = std::move(candidate);
            if (!fd_.valid() && errno != EEXIST) return;
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
    }

    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }

    // Gives the finished and flushed file the target's name: a new target takes it at once,
    // an existing one is replaced by a rename, which never leaves the name without a whole
    // file. An unnamed file has a temporary name only between two calls, the link and the
    // rename.
    bool Commit(bool targetExists) {
        if (name_.empty() && !Name(targetExists)) return false;
        if (!name_.empty()) {
            if (::renameat(folder_, name_.c_str(), folder_, target_.c_str()) != 0) return false;
            name_.clear();
        }
        return true;
    }

    // After the flush nothing is left for the close to report, but it is checked all the same.
    bool Close() { return fd_.Close(); }

private:
    // Links the unnamed file: to the target itself when there is none yet, else to a
    // temporary name for the rename.
    bool Name(bool targetExists) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
        const auto link = [&](const std::string& name) {
            return ::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
        };
        if (!targetExists && link(target_)) return true;
        for (int attempt = 0; attempt < 16; ++attempt) {
            std::string candidate = TempName(target_);
            if (link(candidate)) {
                name_ = std::move(candidate);
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    int folder_;
    std::string target_;
    Fd fd_;
    std::string name_;  // the temporary name while the file has one
};

// The previous file's owner, group and mode. The owner goes first: changing it clears the
// set-user-ID bits, which the mode then restores where allowed. Only the superuser may give a
// file away; a user may still give it one of their groups, and otherwise the file is theirs.
bool TakeOwnerAndMode(int fd, const struct stat& previous) {
    if (::fchown(fd, previous.st_uid, previous.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), previous.st_gid) != 0) {
        // Kept by the user who saves.
    }
    return ::fchmod(fd, previous.st_mode & 07777) == 0;
}

// The superuser may write anything, but a file without a single write bit was meant to stay.
bool MayReplace(const std::string& target, const struct stat& st) {
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

void ReplaceFile(const std::string& path, const std::string& target, const struct stat* previous,
                 const std::vector<uint8_t>& bytes) {
    const std::filesystem::path t(target);
    const std::string folderName = t.has_parent_path() ? t.parent_path().string() : ".";
    const bool kept = previous != nullptr;
    const Fd folder(::open(folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) Fail(path, kept);
    TempFile temp(folder.get(), t.filename().string());
    if (!temp.valid() || (previous && !TakeOwnerAndMode(temp.fd(), *previous))) Fail(path, kept);
    // On disk before it takes the name, so that the name never points at a file whose data a
    // power failure lost.
    if (!WriteAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0) Fail(path, kept);
    // Held open across the rename, the previous file's blocks are freed when it is closed
    // afterwards, not inside the rename: that keeps the moment the temporary file has a name
    // as short as two calls (on ext4, rather than the tens of milliseconds freeing takes).
    const Fd previousFile(kept ? ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1);
    if (!temp.Commit(kept)) Fail(path, kept);
    // The new name on disk too. Some file systems cannot flush a folder (EINVAL); anything else
    // means the save may not last, though the previous file has gone.
    if (!temp.Close() || (::fsync(folder.get()) != 0 && errno != EINVAL)) Fail(path, false);
    RemoveStrayTemps(folder.get(), t.filename().string());
}

// Every hard link of the file must see the new bytes, so they go into the file itself. The
// space is reserved first, so that a full disk refuses the save before the file changes.
void WriteInPlace(const std::string& path, const std::string& target,
                  const std::vector<uint8_t>& bytes) {
    Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid()) Fail(path, true);
    const off_t size = static_cast<off_t>(bytes.size());
    if (size > 0 && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        Fail(path, true);
    }
    if (!WriteAll(fd.get(), bytes) || ::ftruncate(fd.get(), size) != 0 || ::fsync(fd.get()) != 0 ||
        !fd.Close()) {
        Fail(path, false);
    }
}

// A FIFO or a character device takes the bytes as they are; one that nobody reads refuses at
// once rather than holding the program.
void WriteDirectly(const std::string& path, const std::string& target,
                   const std::vector<uint8_t>& bytes) {
    Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) Fail(path, false);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    const PipeSignalHeld held;
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !WriteAll(fd.get(), bytes) || !fd.Close()) {
        Fail(path, false);
    }
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path, uint64_t maxSize) {
    // Not blocking: a FIFO is refused below instead of waiting for a writer.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<uint64_t>(st.st_size) > maxSize) {
        BadFile();
    }
    // One byte more than the file had tells one that grew meanwhile.
    std::vector<uint8_t> bytes(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxSize) BadFile();
            bytes.resize(
                static_cast<std::size_t>(std::min<uint64_t>(have * 2 + 4096, maxSize + 1)));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) BadFile();
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have > maxSize) BadFile();
    bytes.resize(have);
    return bytes;
}

std::string WriteFailureMessage(const std::string& path, bool previousKept) {
    std::string message;
    message.reserve(path.size() + 80);
    message.append("The file \"").append(path).append("\" could not be written.");
    if (previousKept) message.append(" The previous file is unchanged.");
    return message;
}

std::string WriteFailureMessage(const std::string& path) {
    struct stat st {};
    return WriteFailureMessage(path, ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode));
}

void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string target = FollowLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) Fail(path, false);
        ReplaceFile(path, target, nullptr, bytes);
    } else if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
        WriteDirectly(path, target, bytes);
    } else if (!S_ISREG(st.st_mode)) {
        Fail(path, false);
    } else if (!MayReplace(target, st)) {
        Fail(path, true);
    } else if (st.st_nlink > 1) {
        WriteInPlace(path, target, bytes);
    } else {
        ReplaceFile(path, target, &st, bytes);
    }
}

}  // namespace pixmere
