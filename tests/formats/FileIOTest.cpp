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
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "formats/FileIO.h"
#include "model/UserError.h"
#include "support/SampleFonts.h"
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

// What a save that fails without a previous file to keep says.
std::string Unwritten(const std::string& path) {
    return "The file \"" + path + "\" could not be written.";
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

TEST(WriteFileReplacing, RenamesAFinishedCopyOverThePreviousFile) {
    TempDir dir;
    const std::string path = dir.file("font.bin");
    WriteAll(path, kOld);
    const ino_t before = Stat(path).st_ino;
    // A reader of the previous file keeps reading it whole: the new bytes went to another file
    // that took its name, not over the file itself.
    const int reader = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    WriteFileReplacing(path, kNew);
    std::vector<uint8_t> seen(200);
    seen.resize(static_cast<std::size_t>(::pread(reader, seen.data(), seen.size(), 0)));
    ::close(reader);
    EXPECT_EQ(seen, kOld);
    EXPECT_EQ(ReadAll(path), kNew);
    EXPECT_NE(Stat(path).st_ino, before);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"font.bin"});
}

TEST(WriteFileReplacing, WritesTheFileASymbolicLinkPointsToAndKeepsTheLink) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const std::string real = dir.file("real/font.pzf");
    WriteAll(real, kOld);
    fs::create_symlink("real/font.pzf", dir.path() / "link.pzf");           // relative
    fs::create_symlink(dir.path() / "link.pzf", dir.path() / "chain.pzf");  // to a link

    WriteFileReplacing(dir.file("chain.pzf"), kNew);
    EXPECT_EQ(ReadAll(real), kNew);
    EXPECT_TRUE(S_ISLNK(Stat(dir.file("chain.pzf")).st_mode));
    EXPECT_TRUE(S_ISLNK(Stat(dir.file("link.pzf")).st_mode));
}

// Runs `work` in a child process as user and group `id`, without supplementary groups; whether
// it ended normally.
bool RanAs(uid_t id, const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0) ::_exit(3);
        try {
            work();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Each mode, on a replaced file and on one with a second hard link, which is written in place
// so that both names see it, is kept with the owner. An ordinary user's writes strip the
// set-user-ID bits: the superuser saves them once more as one.
TEST(WriteFileReplacing, KeepsTheModeAndOwnerOfThePreviousFileAndRefusesReadOnlyOnes) {
    TempDir dir;
    std::vector<uid_t> users = {::geteuid()};
    if (::geteuid() == 0) {
        users.push_back(65534);
        ASSERT_EQ(::chown(dir.path().c_str(), 65534, 65534), 0);
    }
    for (const uid_t user : users) {
        std::vector<std::pair<std::string, mode_t>> files;
        for (const mode_t mode : {0600, 0640, 0755, 0604, 04755, 02750, 01777}) {
            for (const char* linked : {"", "-linked"}) {
                const std::string path = dir.file(std::to_string(mode) + linked);
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
        if (user == ::geteuid()) {
            saveEach();
        } else {
            ASSERT_TRUE(RanAs(user, saveEach));
        }
        for (const auto& [path, mode] : files) {
            SCOPED_TRACE(path + " saved by " + std::to_string(user));
            EXPECT_EQ(ReadAll(path), kNew);
            EXPECT_EQ(Stat(path).st_mode & 07777, mode);
            EXPECT_EQ(Stat(path).st_uid, user);
            if (path.ends_with("-linked")) {
                EXPECT_EQ(Stat(path).st_ino, Stat(path + "-other").st_ino);
                fs::remove(path + "-other");
            }
            fs::remove(path);
        }
    }
    // Not even the superuser replaces a file without a single write bit.
    const std::string path = dir.file("font.pzf");
    WriteAll(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(SaveMessage(path),
              "The file \"" + path + "\" could not be written. The previous file is unchanged.");
    EXPECT_EQ(ReadAll(path), kOld);
}

TEST(WriteFileReplacing, WritesIntoAFifoOrDeviceAndRefusesFoldersNeverReplacingThem) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.pzf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Nobody reads: refused at once, without waiting, and without a previous file to speak of.
    EXPECT_EQ(SaveMessage(fifo), Unwritten(fifo));
    EXPECT_EQ(WriteFailureMessage(fifo), Unwritten(fifo));
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(SaveMessage(fifo), "");
    std::vector<uint8_t> got(16);
    got.resize(static_cast<std::size_t>(::read(reader, got.data(), got.size())));
    EXPECT_EQ(got, kNew);
    // A reader that goes away mid-way fails the save instead of ending the program.
    std::thread quitter([reader] {
        uint8_t one;
        const int flags = ::fcntl(reader, F_GETFL);
        ::fcntl(reader, F_SETFL, flags & ~O_NONBLOCK);
        while (::read(reader, &one, 1) == 0) std::this_thread::yield();
        ::close(reader);
    });
    EXPECT_EQ(SaveMessage(fifo, std::vector<uint8_t>(1 << 20, 7)), Unwritten(fifo));
    quitter.join();
    EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));

    fs::create_directory(dir.path() / "folder");
    EXPECT_EQ(SaveMessage(dir.file("folder")), Unwritten(dir.file("folder")));
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
}

// A save stopped at each of its steps: killed there by a real SIGKILL, or failing there. The
// file is whole, the previous content or the new, or the copy beside it holds the whole previous
// content; what else is left is a killed save's whole new file under a temporary name, which the
// next save removes, and the copy, which stays for the user.
TEST(WriteFileReplacing, ASaveStoppedAtAnyStepLeavesAWholeFileOrAWholeCopy) {
    std::vector<uint8_t> cut = kOld;
    std::copy(kNew.begin(), kNew.begin() + kNew.size() / 2, cut.begin());
    const std::string unchanged = " The previous file is unchanged.",
                      copyKept = " The previous content is kept in \"@\".";
    const struct {
        const char* previous;  // "none", "file" or "linked" (a file with a second hard link)
        SaveStep step;
        std::vector<uint8_t> after;  // the file once the save stopped; none when empty
        std::string failure;         // what a save failing there adds to "could not be written."
    } cases[] = {{"none", SaveStep::TempCreated, {}, ""},
                 {"none", SaveStep::TempWritten, {}, ""},
                 {"none", SaveStep::Renamed, kNew, ""},
                 {"file", SaveStep::TempCreated, kOld, unchanged},
                 {"file", SaveStep::TempWritten, kOld, unchanged},
                 {"file", SaveStep::TempNamed, kOld, unchanged},
                 {"file", SaveStep::Renamed, kNew, ""},
                 {"linked", SaveStep::CopyWritten, kOld, unchanged},
                 {"linked", SaveStep::PartWritten, cut, copyKept},
                 {"linked", SaveStep::InPlaceWritten, kNew, copyKept}};
    for (const bool killed : {true, false}) {
        for (const auto& c : cases) {
            const std::string previous = c.previous;
            SCOPED_TRACE(previous + " step " + std::to_string(int(c.step)) +
                         (killed ? " killed" : " failing"));
            TempDir dir;
            const std::string path = dir.file("font.c"), copy = dir.file("font.c.pixmere-old");
            if (previous != "none") WriteAll(path, kOld);
            if (previous == "linked") fs::create_hard_link(path, dir.path() / "other.c");
            const SaveStep step = c.step;
            if (killed) {
                const pid_t child = ::fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    SetSaveStepHook([step](SaveStep now) {
                        if (now == step) ::raise(SIGKILL);
                        return true;
                    });
                    SaveMessage(path);
                    ::_exit(0);
                }
                int status = 0;
                ::waitpid(child, &status, 0);
                ASSERT_TRUE(WIFSIGNALED(status)) << "the save never reached the step";
            } else {
                SetSaveStepHook([step](SaveStep now) { return now != step; });
                const std::string message = SaveMessage(path);
                SetSaveStepHook({});
                std::string failure = c.failure;
                if (const std::size_t at = failure.find('@'); at != std::string::npos) {
                    failure.replace(at, 1, copy);
                }
                EXPECT_EQ(message, Unwritten(path) + failure);
            }
            std::vector<std::string> expected;
            if (!c.after.empty()) {
                expected.push_back("font.c");
                EXPECT_EQ(ReadAll(path), c.after);
            }
            // A failing save removes a copy it has not begun to need.
            if (previous == "linked" && (killed || c.step != SaveStep::CopyWritten)) {
                EXPECT_EQ(ReadAll(copy), kOld);
                expected.push_back("font.c.pixmere-old");
            }
            if (previous == "linked") expected.push_back("other.c");
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

TEST(WriteFileReplacing, SavesNamesUpToTheLongestAFolderHolds) {
    TempDir dir;
    for (const std::size_t length : {240u, 254u, 255u}) {
        const std::string path = dir.file(std::string(length, 'f'));
        WriteAll(path, kOld);
        EXPECT_EQ(SaveMessage(path), "") << length;
        EXPECT_EQ(ReadAll(path), kNew) << length;
        // A new file of that length too, and one whose name ends in a two-byte character,
        // with a hard link, whose save keeps a copy of its previous content under a longer name.
        const std::string fresh = dir.file(std::string(length - 2, 'n') + "\xC3\xA9");
        EXPECT_EQ(SaveMessage(fresh), "") << length;
        fs::create_hard_link(fresh, dir.path() / "link");
        EXPECT_EQ(SaveMessage(fresh, kOld), "") << length;
        EXPECT_EQ(ReadAll(dir.file("link")), kOld) << length;
        fs::remove(path);
        fs::remove(fresh);
        fs::remove(dir.file("link"));
    }
    EXPECT_TRUE(Names(dir).empty());
}

// The text of a file's access ACL, as getfacl lists it.
std::string AclText(const std::string& path) {
    acl_t acl = ::acl_get_file(path.c_str(), ACL_TYPE_ACCESS);
    if (!acl) return "none";
    char* text = ::acl_to_text(acl, nullptr);
    std::string copy = text ? text : "";
    ::acl_free(text);
    ::acl_free(acl);
    return copy;
}

void SetAcl(const std::string& path, acl_type_t type, const char* text) {
    acl_t acl = ::acl_from_text(text);
    ASSERT_NE(acl, nullptr) << text;
    EXPECT_EQ(::acl_set_file(path.c_str(), type, acl), 0) << path;
    ::acl_free(acl);
}

// A replaced file keeps its ACL, the owning group's entry apart from the mask that its mode's
// group bits show, and its extended attributes; a file without an ACL gets none from its
// folder's default ACL.
TEST(WriteFileReplacing, KeepsTheAclAndExtendedAttributesOfAReplacedFile) {
    TempDir dir;
    const std::string path = dir.file("font.pzf");
    WriteAll(path, kOld);
    SetAcl(path, ACL_TYPE_ACCESS, "u::rw-,u:1234:rw-,g::r--,m::rw-,o::---");
    ASSERT_EQ(::setxattr(path.c_str(), "user.pixmere.note", "kept", 4, 0), 0);
    WriteFileReplacing(path, kNew);
    EXPECT_EQ(ReadAll(path), kNew);
    EXPECT_EQ(AclText(path), "user::rw-\nuser:1234:rw-\ngroup::r--\nmask::rw-\nother::---\n");
    char note[16] = {};
    EXPECT_EQ(::getxattr(path.c_str(), "user.pixmere.note", note, sizeof note), 4);
    EXPECT_STREQ(note, "kept");

    fs::create_directory(dir.path() / "shared");
    const std::string plain = dir.file("shared/plain.pzf");
    WriteAll(plain, kOld);
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    SetAcl(dir.file("shared"), ACL_TYPE_DEFAULT, "u::rwx,u:1234:rwx,g::r-x,m::rwx,o::r-x");
    WriteFileReplacing(plain, kNew);
    EXPECT_EQ(AclText(plain), "user::rw-\ngroup::r--\nother::---\n");
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
    std::vector<std::string> expected = kept;
    expected.push_back("font.pzf");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir), expected);
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

TEST(ReadFileBytes, RefusesWhatIsMissingNotAFileOrLargerThanItsReaderTakesUnreadSayingWhy) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.pzf"), huge = dir.file("huge.pzf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // 4 GB that take no room: refused from its size, quickly and without the memory.
    WriteAll(huge, {});
    fs::resize_file(huge, uintmax_t{4} << 30);
    EXPECT_EQ(ReadReason(dir.file("none.pzf"), 1000), "No such file");
    EXPECT_EQ(ReadReason(dir.path().string(), 1000), "Is a directory");
    EXPECT_EQ(ReadReason(fifo, 1000), "not a regular file");
    EXPECT_EQ(ReadReason(huge, 64 << 20, ".pcf"), "larger than a .pcf can be (64 MB)");
    const std::string exact = dir.file("exact.pzf");
    WriteAll(exact, kOld);
    EXPECT_EQ(ReadFileBytes(exact, kOld.size()), kOld);
    EXPECT_EQ(ReadReason(exact, kOld.size() - 1), "larger than such a file can be (99 bytes)");
}

}  // namespace
}  // namespace pixmere
