#include "formats/FileIO.h"

#include <acl/libacl.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/acl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <span>
#include <string_view>
#include <utility>

#include "model/UserError.h"

namespace pixmere {

namespace {

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

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
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

constexpr std::size_t kMaxName = 255;

// The start of `name` that leaves room for `room` more bytes in a folder entry, cut between
// whole UTF-8 characters.
std::string NameStart(const std::string& name, std::size_t room) {
    std::size_t keep = std::min(name.size(), kMaxName - room);
    while (keep > 0 && keep < name.size() && (static_cast<uint8_t>(name[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    return name.substr(0, keep);
}

// Every temporary name ends in this and eight random hexadecimal digits, which no other
// program's file is likely to: leftovers of killed saves are told by it.
constexpr std::string_view kTempMark = ".pixmere-";
constexpr std::size_t kTempDigits = 8;

// "." + the start of the target's name + the mark: what every temporary name of the target
// begins with.
std::string TempPrefix(const std::string& target) {
    std::string prefix = ".";
    prefix += NameStart(target, 1 + kTempMark.size() + kTempDigits);
    prefix += kTempMark;
    return prefix;
}

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

bool IsTempName(std::string_view name) {
    const std::size_t mark = name.size() - std::min(name.size(), kTempMark.size() + kTempDigits);
    return name.size() > 1 + kTempMark.size() + kTempDigits && name[0] == '.' &&
           name.substr(mark, kTempMark.size()) == kTempMark &&
           name.find_first_not_of("0123456789abcdef", mark + kTempMark.size()) ==
               std::string_view::npos;
}

// A save holds a lock on its file from the moment it is created, and a later save removes only
// a leftover it can lock itself: that tells a running save's file from a killed save's.
bool HoldLock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

// A save killed between naming its finished file and renaming it leaves that whole file under
// a temporary name (a file system without unnamed files, its unfinished file too). Saves remove
// the target's own such leftovers, and those of other names in the folder once they are a minute
// old, unless a running save holds them.
void RemoveLeftovers(int folder, const std::string& target) {
    const std::string own = TempPrefix(target);
    const int fd = ::dup(folder);
    if (fd < 0) return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (IsTempName(name)) leftovers.emplace_back(name);
    }
    ::closedir(dir);
    const time_t minuteAgo = ::time(nullptr) - 60;
    for (const std::string& name : leftovers) {
        const bool mine = name.size() == own.size() + kTempDigits && name.starts_with(own);
        const Fd file(
            ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (file.valid() && ::fstat(file.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            (mine || st.st_mtime < minuteAgo) && HoldLock(file.get())) {
            ::unlinkat(folder, name.c_str(), 0);
        }
    }
}

std::function<bool(SaveStep)>& StepHook() {
    static std::function<bool(SaveStep)> hook;
    return hook;
}

// Whether the save may go on past a step.
bool Reached(SaveStep step) { return !StepHook() || StepHook()(step); }

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
        }
#endif
        for (int attempt = 0; attempt < 16 && !fd_.valid(); ++attempt) {
            std::string candidate = TempName(target_);
            fd_ = Fd(::openat(folder_, candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC,
                              0666));
            if (fd_.valid()) name_ = std::move(candidate);
            if (!fd_.valid() && errno != EEXIST) return;
        }
        // Where the file system has no locks, a later save cannot take one either, and leaves
        // the file alone.
        if (fd_.valid()) HoldLock(fd_.get());
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
            if (!Reached(SaveStep::TempNamed) ||
                ::renameat(folder_, name_.c_str(), folder_, target_.c_str()) != 0) {
                return false;
            }
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

// Extended attributes that libacl copies as ACLs.
bool IsAclAttribute(std::string_view name) { return name.starts_with("system.posix_acl_"); }

// The extended attributes of the file at `from` onto the file `to`, as `cp --preserve=all`
// copies them. Only the user's own attributes must arrive: the system's namespaces (security
// labels, capabilities) may be kept from a user who saves, and then the file gets what the
// system gives a new one.
bool CopyExtendedAttributes(const std::string& from, int to) {
    std::vector<char> names(4096);
    ssize_t length;
    while ((length = ::llistxattr(from.c_str(), names.data(), names.size())) < 0 &&
           errno == ERANGE) {
        names.resize(names.size() * 4);
    }
    if (length < 0) return errno == ENOTSUP;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + length;
         name += std::strlen(name) + 1) {
        if (IsAclAttribute(name)) continue;
        ssize_t size = ::lgetxattr(from.c_str(), name, nullptr, 0);
        if (size >= 0) {
            value.resize(static_cast<std::size_t>(size) + 1);
            size = ::lgetxattr(from.c_str(), name, value.data(), value.size());
        }
        const bool copied = size >= 0 && ::fsetxattr(to, name, value.data(),
                                                     static_cast<std::size_t>(size), 0) == 0;
        if (!copied && std::string_view(name).starts_with("user.")) return false;
    }
    return true;
}

// The access ACL of the file at `from` onto `to`, after its mode, whose group bits on a file
// with an ACL are the ACL's mask: copying the mode alone would give the owning group what the
// mask allows. A file without an ACL of its own leaves `to` without one too, even where the
// folder's default ACL gave it one.
bool CopyAcl(const std::string& from, int to, mode_t mode) {
    acl_t acl = nullptr;
    if (::acl_extended_file_nofollow(from.c_str()) == 1) {
        acl = ::acl_get_file(from.c_str(), ACL_TYPE_ACCESS);
    } else if (::acl_extended_fd(to) == 1) {
        acl = ::acl_from_mode(mode);
    } else {
        return true;
    }
    const bool set = acl && ::acl_set_fd(to, acl) == 0;
    if (acl) ::acl_free(acl);
    return set;
}

// The owner, group, mode, ACL and extended attributes of the previous file at `from`, onto
// the file written in its place, after its bytes (writing clears the set-user-ID bits and
// capabilities). The owner goes first: changing it clears the set-user-ID bits, which the mode
// then restores where allowed. Only the superuser may give a file away; a user may still give
// it one of their groups, and otherwise the file is theirs.
bool TakeAttributes(const std::string& from, int to, const struct stat& previous) {
    if (::fchown(to, previous.st_uid, previous.st_gid) != 0 &&
        ::fchown(to, static_cast<uid_t>(-1), previous.st_gid) != 0) {
        // Kept by the user who saves.
    }
    return ::fchmod(to, previous.st_mode & 07777) == 0 && CopyAcl(from, to, previous.st_mode) &&
           CopyExtendedAttributes(from, to);
}

// The superuser may write anything, but a file without a single write bit was meant to stay.
bool MayReplace(const std::string& target, const struct stat& st) {
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The folder holding the target, opened for the calls relative to it and for its flush.
struct TargetFolder {
    explicit TargetFolder(const std::string& target) {
        const std::filesystem::path t(target);
        name = t.filename().string();
        fd = Fd(::open(t.has_parent_path() ? t.parent_path().c_str() : ".",
                       O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    // Some file systems cannot flush a folder (EINVAL); that is no failure.
    bool Flush() const { return ::fsync(fd.get()) == 0 || errno == EINVAL; }

    Fd fd;
    std::string name;  // the target's name in it
};

void ReplaceFile(const std::string& path, const std::string& target, const struct stat* previous,
                 const std::vector<uint8_t>& bytes) {
    const bool kept = previous != nullptr;
    const TargetFolder folder(target);
    if (!folder.fd.valid()) Fail(path, kept);
    TempFile temp(folder.fd.get(), folder.name);
    if (!temp.valid() || !Reached(SaveStep::TempCreated)) Fail(path, kept);
    // On disk, with the previous file's attributes, before it takes the name, so that the name
    // never points at a file whose data a power failure lost.
    if (!WriteAll(temp.fd(), bytes) ||
        (previous && !TakeAttributes(target, temp.fd(), *previous)) || ::fsync(temp.fd()) != 0 ||
        !Reached(SaveStep::TempWritten)) {
        Fail(path, kept);
    }
    // Held open across the rename, the previous file's blocks are freed when it is closed
    // afterwards, not inside the rename: that keeps the moment the temporary file has a name
    // as short as two calls (on ext4, rather than the tens of milliseconds freeing takes).
    const Fd previousFile(kept ? ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1);
    if (!temp.Commit(kept)) Fail(path, kept);
    // The new name on disk too; a failure here means the save may not last, though the previous
    // file has gone.
    if (!Reached(SaveStep::Renamed) || !temp.Close() || !folder.Flush()) Fail(path, false);
    RemoveLeftovers(folder.fd.get(), folder.name);
}

// While a file with several hard links is written in place, its previous content waits in a
// copy beside it: "NAME.pixmere-old", or with a number after it when a save that did not end
// left one of that name. Only a save that is killed or fails halfway leaves the copy.
constexpr std::string_view kKeptCopyMark = ".pixmere-old";
constexpr int kKeptCopyNames = 100;

class KeptCopy {
public:
    KeptCopy(int folder, const std::string& target) : folder_(folder) {
        const std::string start = NameStart(target, kKeptCopyMark.size() + 2);
        for (int n = 1; n < kKeptCopyNames && !fd_.valid(); ++n) {
            std::string candidate =
                start + std::string(kKeptCopyMark) + (n > 1 ? std::to_string(n) : "");
            fd_ = Fd(::openat(folder_, candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC,
                              0600));
            if (fd_.valid()) name_ = std::move(candidate);
            if (!fd_.valid() && errno != EEXIST) return;
        }
    }
    KeptCopy(const KeptCopy&) = delete;
    KeptCopy& operator=(const KeptCopy&) = delete;
    // Not needed once the new content is on disk, or when the file was never touched.
    ~KeptCopy() {
        if (!keep_ && !name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
    }

    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }
    const std::string& name() const { return name_; }
    // From now on the copy may hold the only whole previous content.
    void Keep(bool keep) { keep_ = keep; }

private:
    int folder_;
    Fd fd_;
    std::string name_;
    bool keep_ = false;
};

// The whole content of one file into another, from its start.
bool CopyContent(int from, int to) {
    std::vector<uint8_t> chunk(1 << 20);
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(from, chunk.data(), chunk.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAll(to, {chunk.data(), static_cast<std::size_t>(n)})) return false;
        at += n;
    }
}

// Writing strips a file of its set-user-ID bits unless the superuser writes; its owner puts
// them back. Anyone else who may write it leaves them stripped, as the system wants.
bool KeepMode(int fd, const struct stat& previous) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) return false;
    if ((now.st_mode & 07777) != (previous.st_mode & 07777) && now.st_uid == ::geteuid()) {
        return ::fchmod(fd, previous.st_mode & 07777) == 0;
    }
    return true;
}

// Every hard link of the file must see the new bytes, so they go into the file itself, while a
// flushed copy of the previous content lies beside it: a save killed on the way leaves the file
// whole, old or new, or that copy whole. The space is reserved first, so that a full disk
// refuses the save before the file changes.
void WriteInPlace(const std::string& path, const std::string& target, const struct stat& previous,
                  const std::vector<uint8_t>& bytes) {
    const TargetFolder folder(target);
    Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (!folder.fd.valid() || !fd.valid()) Fail(path, true);
    KeptCopy copy(folder.fd.get(), folder.name);
    if (!copy.valid() || !CopyContent(fd.get(), copy.fd()) ||
        !TakeAttributes(target, copy.fd(), previous) || ::fsync(copy.fd()) != 0 ||
        !folder.Flush() || !Reached(SaveStep::CopyWritten)) {
        Fail(path, true);
    }
    const off_t size = static_cast<off_t>(bytes.size());
    if (size > 0 && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        Fail(path, true);
    }
    copy.Keep(true);
    const std::size_t half = bytes.size() / 2;
    const std::span<const uint8_t> all(bytes);
    if (!WriteAll(fd.get(), all.first(half)) || !Reached(SaveStep::PartWritten) ||
        !WriteAll(fd.get(), all.subspan(half)) || ::ftruncate(fd.get(), size) != 0 ||
        !KeepMode(fd.get(), previous) || ::fsync(fd.get()) != 0 || !fd.Close() ||
        !Reached(SaveStep::InPlaceWritten)) {
        throw UserError(WriteFailureMessage(path, false) + " The previous content is kept in \"" +
                        (std::filesystem::path(target).parent_path() / copy.name()).string() +
                        "\".");
    }
    copy.Keep(false);
    RemoveLeftovers(folder.fd.get(), folder.name);
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

// What the system says went wrong, shortened where the file's name already says the rest.
std::string SystemReason(int error) {
    return error == ENOENT ? "No such file" : std::strerror(error);
}

}  // namespace

std::string SizeText(uint64_t bytes) {
    constexpr uint64_t kMiB = 1 << 20;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MB"
                             : std::to_string(bytes) + " bytes";
}

void SetSaveStepHook(std::function<bool(SaveStep)> hook) { StepHook() = std::move(hook); }

std::vector<uint8_t> ReadFileBytes(const std::string& path, uint64_t maxSize,
                                   const std::string& kind) {
    const auto tooLarge = [&] {
        RefuseBadFile("larger than " + (kind.empty() ? "such a file" : "a " + kind) + " can be (" +
                      SizeText(maxSize) + ")");
    };
    // Not blocking: a FIFO is refused below instead of waiting for a writer.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0) RefuseBadFile(SystemReason(errno));
    if (S_ISDIR(st.st_mode)) RefuseBadFile(SystemReason(EISDIR));
    if (!S_ISREG(st.st_mode)) RefuseBadFile("not a regular file");
    if (static_cast<uint64_t>(st.st_size) > maxSize) tooLarge();
    // One byte more than the file had tells one that grew meanwhile.
    std::vector<uint8_t> bytes(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxSize) tooLarge();
            bytes.resize(
                static_cast<std::size_t>(std::min<uint64_t>(have * 2 + 4096, maxSize + 1)));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) RefuseBadFile(SystemReason(errno));
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have > maxSize) tooLarge();
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
        WriteInPlace(path, target, st, bytes);
    } else {
        ReplaceFile(path, target, &st, bytes);
    }
}

}  // namespace pixmere
