#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/acl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

#include "formats/FileIO.h"
#include "model/UserError.h"
#include "support/Child.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TempDir;
using test::WriteAll;

const std::vector<uint8_t> kOld(100, 0xAA);
const std::vector<uint8_t> kNew = {1, 2, 3};

struct stat Stat(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

std::vector<std::string> Names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// What a failed save says; `kept` when the previous file is unchanged.
std::string Unwritten(const std::string& path, bool kept = false) {
    return "The file \"" + path + "\" could not be written." +
           (kept ? " The previous file is unchanged." : "");
}

// The message of a save that fails, or "" when it succeeds.
std::string SaveMessage(const std::string& path, const std::vector<uint8_t>& bytes = kNew) {
    try {
        WriteFileReplacing(path, bytes);
        return "";
    } catch (const UserError& e) {
        return e.what();
    }
}

// The wait status of `work` run in a child process as user and group `id`, without
// supplementary groups; the child exits with 0 unless `work` throws.
int AsUser(uid_t id, const std::function<void()>& work) {
    return test::InChild([&] {
        if (id != ::geteuid() &&
            (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0)) {
            return 3;
        }
        work();
        return 0;
    });
}

// Each mode, on a replaced file and on one with a second hard link, which is written in place
// so that both names see it, is kept with the owner. An ordinary user's writes strip the
// set-user-ID bits: the superuser saves them once more as one. A file without a write bit, and
// a linked file that cannot be copied first (unreadable, or its folder not writable), are
// refused unchanged.
TEST(WriteFileReplacing, KeepsTheModeAndOwnerAndRefusesWhatItMayNotWriteSafely) {
    TempDir dir;
    std::vector<uid_t> users = {::geteuid()};
    if (::geteuid() == 0) users.push_back(65534);
    for (const uid_t user : users) {
        const fs::path folder = dir.path() / std::to_string(user);
        fs::create_directory(folder);
        ASSERT_EQ(::chown(folder.c_str(), user, user), 0);
        std::vector<std::pair<std::string, mode_t>> files;
        for (const mode_t mode : {0600, 0640, 0755, 0604, 04755, 02750, 01777}) {
            for (const char* linked : {"", "-linked"}) {
                const std::string path = (folder / (std::to_string(mode) + linked)).string();
                WriteAll(path, kOld);
                if (*linked) fs::create_hard_link(path, path + "-other");
                ASSERT_EQ(::chown(path.c_str(), user, user), 0);
                ASSERT_EQ(::chmod(path.c_str(), mode), 0);
                files.emplace_back(path, mode);
            }
        }
        const auto saveEach = [&] {
            for (const auto& file : files) WriteFileReplacing(file.first, kNew);
        };
        ASSERT_EQ(AsUser(user, saveEach), 0);
        for (const auto& [path, mode] : files) {
            SCOPED_TRACE(path);
            EXPECT_EQ(ReadAll(path), kNew);
            EXPECT_EQ(Stat(path).st_mode & 07777, mode);
            EXPECT_EQ(Stat(path).st_uid, user);
            EXPECT_TRUE(!path.ends_with("-linked") ||
                        Stat(path).st_ino == Stat(path + "-other").st_ino);
        }
    }
    const std::string readOnly = dir.file("font.pzf");
    WriteAll(readOnly, kOld);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(SaveMessage(readOnly), Unwritten(readOnly, true));
    EXPECT_EQ(ReadAll(readOnly), kOld);
    if (users.size() < 2) return;
    const std::string folder = dir.file("65534"), unreadable = folder + "/384-linked",
                      locked = folder + "/416-linked";  // 0600 and 0640
    ASSERT_EQ(::chmod(unreadable.c_str(), 0200), 0);
    const auto refused = [&] {
        if (SaveMessage(unreadable, kOld) != Unwritten(unreadable, true) ||
            ::chmod(folder.c_str(), 0555) != 0 ||
            SaveMessage(locked, kOld) != Unwritten(locked, true)) {
            throw std::runtime_error("saved");
        }
    };
    EXPECT_EQ(AsUser(65534, refused), 0);
    EXPECT_EQ(ReadAll(unreadable), kNew);
    EXPECT_EQ(ReadAll(locked), kNew);
}

// A save stopped at each of its steps: killed there by a real SIGKILL, or failing there. The
// file is whole, the previous content or the new, or the copy beside it holds the whole previous
// content; what else is left is a killed save's whole new file under a temporary name, which the
// next save removes, and the copy, which stays for the user.
TEST(WriteFileReplacing, ASaveStoppedAtAnyStepLeavesAWholeFileOrAWholeCopy) {
    std::vector<uint8_t> cut = kOld;
    cut[0] = kNew[0];
    const struct {
        char previous;  // ' ' none, 'f' a file, 'l' a file with a second hard link
        SaveStep step;
        std::vector<uint8_t> after;  // the file once the save stopped; none when empty
        char failure;  // what failing there adds: ' ' nothing, 'u' unchanged, 'c' the copy kept
    } cases[] = {
        {' ', SaveStep::TempCreated, {}, ' '},   {' ', SaveStep::TempWritten, {}, ' '},
        {' ', SaveStep::Renamed, kNew, ' '},     {'f', SaveStep::TempCreated, kOld, 'u'},
        {'f', SaveStep::TempWritten, kOld, 'u'}, {'f', SaveStep::TempNamed, kOld, 'u'},
        {'f', SaveStep::Renamed, kNew, ' '},     {'l', SaveStep::CopyWritten, kOld, 'u'},
        {'l', SaveStep::PartWritten, cut, 'c'},  {'l', SaveStep::InPlaceWritten, kNew, 'c'}};
    for (const bool killed : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(1, c.previous) + " step " + std::to_string(int(c.step)) +
                         (killed ? " killed" : " failing"));
            TempDir dir;
            const std::string path = dir.file("font.c"), copy = dir.file("font.c.pixmere-old");
            if (c.previous != ' ') WriteAll(path, kOld);
            if (c.previous == 'l') fs::create_hard_link(path, dir.path() / "other.c");
            if (killed) {
                const auto killedThere = [&] {
                    SetSaveStepHook(
                        [&c](SaveStep now) { return now != c.step || ::raise(SIGKILL); });
                    SaveMessage(path);
                    return 0;
                };
                ASSERT_TRUE(WIFSIGNALED(test::InChild(killedThere)))
                    << "the save never reached the step";
            } else {
                SetSaveStepHook([&c](SaveStep now) { return now != c.step; });
                EXPECT_EQ(
                    SaveMessage(path),
                    Unwritten(path, c.failure == 'u') +
                        (c.failure == 'c' ? " The previous content is kept in \"" + copy + "\"."
                                          : ""));
                SetSaveStepHook({});
            }
            std::vector<std::string> expected;
            if (!c.after.empty()) {
                expected.push_back("font.c");
                EXPECT_EQ(ReadAll(path), c.after);
            }
            // A failing save removes a copy it has not begun to need.
            if (c.previous == 'l' && (killed || c.step != SaveStep::CopyWritten)) {
                EXPECT_EQ(ReadAll(copy), kOld);
                expected.push_back("font.c.pixmere-old");
            }
            if (c.previous == 'l') expected.push_back("other.c");
            std::vector<std::string> names = Names(dir);
            if (killed && c.step == SaveStep::TempNamed) {
                ASSERT_EQ(names.size(), 2u);
                EXPECT_TRUE(names[0].starts_with(".font.c.pixmere-")) << names[0];
                EXPECT_EQ(ReadAll(dir.file(names[0])), kNew);
                names.erase(names.begin());
            }
            EXPECT_EQ(names, expected);
            // The next save leaves nothing of its own and removes a killed one's temporary
            // file; a kept copy stays, the next copy taking another name.
            EXPECT_EQ(SaveMessage(path, kOld), "");
            EXPECT_EQ(ReadAll(path), kOld);
            if (c.after.empty()) expected.insert(expected.begin(), "font.c");
            EXPECT_EQ(Names(dir), expected);
        }
    }
}

// Names up to the longest a folder holds, replaced or new, one ending in a two-byte character
// with a hard link, whose kept copy would take a longer name; a chain of symbolic links.
TEST(WriteFileReplacing, SavesTheLongestNamesAndThroughSymbolicLinks) {
    TempDir dir;
    for (const std::size_t length : {254u, 255u}) {
        const std::string path = dir.file(std::string(length, 'f'));
        const std::string fresh = dir.file(std::string(length - 2, 'n') + "\xC3\xA9");
        WriteAll(path, kOld);
        EXPECT_EQ(SaveMessage(path) + SaveMessage(fresh), "") << length;
        fs::create_hard_link(fresh, dir.path() / "link");
        EXPECT_EQ(SaveMessage(fresh, kOld), "") << length;
        EXPECT_EQ(ReadAll(path), kNew) << length;
        EXPECT_EQ(ReadAll(dir.file("link")), kOld) << length;
        for (const std::string& name : {path, fresh, dir.file("link")}) fs::remove(name);
    }
    EXPECT_TRUE(Names(dir).empty());
    // A file reached through a chain of symbolic links is written, the links kept.
    fs::create_directory(dir.path() / "real");
    WriteAll(dir.file("real/font.pzf"), kOld);
    fs::create_symlink("real/font.pzf", dir.path() / "link.pzf");
    fs::create_symlink(dir.path() / "link.pzf", dir.path() / "chain.pzf");
    EXPECT_EQ(SaveMessage(dir.file("chain.pzf")), "");
    EXPECT_EQ(ReadAll(dir.file("real/font.pzf")), kNew);
    EXPECT_TRUE(fs::is_symlink(dir.file("chain.pzf")) && fs::is_symlink(dir.file("link.pzf")));
}

// The text of a file's access ACL, as getfacl lists it.
std::string AclText(const std::string& path) {
    acl_t acl = ::acl_get_file(path.c_str(), ACL_TYPE_ACCESS);
    char* text = acl ? ::acl_to_text(acl, nullptr) : nullptr;
    const std::string copy = text ? text : "none";
    ::acl_free(text);
    ::acl_free(acl);
    return copy;
}

void SetAcl(const std::string& path, acl_type_t type, const char* text) {
    acl_t acl = ::acl_from_text(text);
    EXPECT_EQ(::acl_set_file(path.c_str(), type, acl), 0) << text;
    ::acl_free(acl);
}

// A replaced file keeps its ACL, the owning group's entry apart from the mask that its mode's
// group bits show, and its extended attributes; a file without an ACL gets none from its
// folder's default ACL.
TEST(WriteFileReplacing, KeepsTheAclAndExtendedAttributesOfAReplacedFile) {
    TempDir dir;
    const std::string path = dir.file("font.pzf"), plain = dir.file("plain.pzf");
    WriteAll(path, kOld);
    WriteAll(plain, kOld);
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    SetAcl(path, ACL_TYPE_ACCESS, "u::rw-,u:1234:rw-,g::r--,m::rw-,o::---");
    SetAcl(dir.path().string(), ACL_TYPE_DEFAULT, "u::rwx,u:1234:rwx,g::r-x,m::rwx,o::r-x");
    ASSERT_EQ(::setxattr(path.c_str(), "user.pixmere.note", "kept", 4, 0), 0);
    WriteFileReplacing(path, kNew);
    WriteFileReplacing(plain, kNew);
    EXPECT_EQ(AclText(path), "user::rw-\nuser:1234:rw-\ngroup::r--\nmask::rw-\nother::---\n");
    EXPECT_EQ(AclText(plain), "user::rw-\ngroup::r--\nother::---\n");
    char note[16] = {};
    EXPECT_EQ(::getxattr(path.c_str(), "user.pixmere.note", note, sizeof note), 4);
    EXPECT_STREQ(note, "kept");
}

// Saves remove the leftovers of killed saves in their folder: of their own file at once, of
// others once a minute old, unless a running save holds them; nothing else.
TEST(WriteFileReplacing, RemovesWhatKilledSavesLeftUnlessRecentOrHeld) {
    TempDir dir;
    const std::string path = dir.file("font.pzf");
    WriteAll(path, kOld);
    const std::vector<std::string> removed = {".font.pzf.pixmere-0badf00d",
                                              ".other.pzf.pixmere-0badf00d"};
    const std::vector<std::string> kept = {".recent.pzf.pixmere-12345678",  // less than a minute
                                           ".held.pzf.pixmere-87654321",    // a running save's
                                           ".font.pzf.0badf00d",            // not ours
                                           ".font.pzf.pixmere-notatemp", "font.pzf.pixmere-old"};
    for (const std::string& name : removed) WriteAll(dir.file(name), kNew);
    for (const std::string& name : kept) WriteAll(dir.file(name), kNew);
    const timespec old[2] = {{::time(nullptr) - 61, 0}, {::time(nullptr) - 61, 0}};
    for (const std::string& name : {removed[1], kept[1], kept[2], kept[3], kept[4]}) {
        ASSERT_EQ(::utimensat(AT_FDCWD, dir.file(name).c_str(), old, 0), 0);
    }
    const int held = ::open(dir.file(kept[1]).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    WriteFileReplacing(path, kNew);
    ::close(held);
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{
                  ".font.pzf.0badf00d", ".font.pzf.pixmere-notatemp", ".held.pzf.pixmere-87654321",
                  ".recent.pzf.pixmere-12345678", "font.pzf", "font.pzf.pixmere-old"}));
}

// The reason given with the bad-file message, "" when the file was read.
std::string ReadReason(const std::string& path, uint64_t maxSize, const std::string& kind = "") {
    try {
        ReadFileBytes(path, maxSize, kind);
        return "";
    } catch (const UserError& e) {
        EXPECT_STREQ(e.what(), "This file contains errors or can not be opened.");
        return e.reason();
    }
}

// A FIFO is no font file to read. Written to, nobody reading, it is refused at once; a reader
// gets the bytes; one that goes away mid-way fails the save instead of ending the program. A
// folder is never replaced. What is missing, or larger than its reader takes, is refused unread,
// saying why.
TEST(FileIO, FifosFoldersAndFilesTooLarge) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.pzf"), folder = dir.file("folder"),
                      huge = dir.file("huge.pzf"), exact = dir.file("exact.pzf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ReadReason(fifo, 1000), "not a regular file");
    EXPECT_EQ(SaveMessage(fifo), Unwritten(fifo));
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(SaveMessage(fifo), "");
    std::vector<uint8_t> got(16);
    got.resize(static_cast<std::size_t>(::read(reader, got.data(), got.size())));
    EXPECT_EQ(got, kNew);
    std::thread quitter([reader] {
        uint8_t one;
        ::fcntl(reader, F_SETFL, ::fcntl(reader, F_GETFL) & ~O_NONBLOCK);
        while (::read(reader, &one, 1) == 0) std::this_thread::yield();
        ::close(reader);
    });
    EXPECT_EQ(SaveMessage(fifo, std::vector<uint8_t>(1 << 20, 7)), Unwritten(fifo));
    quitter.join();
    EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
    fs::create_directory(folder);
    EXPECT_EQ(SaveMessage(folder), Unwritten(folder));
    // 4 GB that take no room: refused from its size, quickly and without the memory.
    WriteAll(huge, {});
    fs::resize_file(huge, uintmax_t{4} << 30);
    EXPECT_EQ(ReadReason(huge, 64 << 20, ".pcf"), "larger than a .pcf can be (64 MB)");
    WriteAll(exact, kOld);
    EXPECT_EQ(ReadFileBytes(exact, kOld.size()), kOld);
    EXPECT_EQ(ReadReason(exact, kOld.size() - 1), "larger than such a file can be (99 bytes)");
}

}  // namespace
}  // namespace pixmere
