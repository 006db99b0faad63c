#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
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

TEST(WriteFileReplacing, SavesNamesUpToTheLongestAFolderHolds) {
    TempDir dir;
    for (std::size_t length = 240; length <= 255; ++length) {
        const std::string path = dir.file(std::string(length, 'f'));
        WriteAll(path, kOld);
        EXPECT_EQ(SaveMessage(path), "") << length;
        EXPECT_EQ(ReadAll(path), kNew) << length;
        // A new file of that length too, and one whose name ends in a two-byte character.
        const std::string fresh = dir.file(std::string(length - 2, 'n') + "\xC3\xA9");
        EXPECT_EQ(SaveMessage(fresh), "") << length;
        fs::remove(path);
        fs::remove(fresh);
    }
    EXPECT_TRUE(Names(dir).empty());
}

TEST(WriteFileReplacing, WritesTheFileASymbolicLinkPointsToAndKeepsTheLink) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const std::string real = dir.file("real/font.pzf");
    WriteAll(real, kOld);
    fs::create_symlink("real/font.pzf", dir.path() / "link.pzf");           // relative
    fs::create_symlink(dir.path() / "link.pzf", dir.path() / "chain.pzf");  // to a link
    fs::create_symlink("real/new.pzf", dir.path() / "dangling.pzf");

    WriteFileReplacing(dir.file("chain.pzf"), kNew);
    EXPECT_EQ(ReadAll(real), kNew);
    EXPECT_TRUE(S_ISLNK(Stat(dir.file("chain.pzf")).st_mode));
    EXPECT_TRUE(S_ISLNK(Stat(dir.file("link.pzf")).st_mode));
    // A link to a file not yet there creates that file.
    WriteFileReplacing(dir.file("dangling.pzf"), kOld);
    EXPECT_EQ(ReadAll(dir.file("real/new.pzf")), kOld);
    EXPECT_TRUE(S_ISLNK(Stat(dir.file("dangling.pzf")).st_mode));

    fs::create_symlink("loop.pzf", dir.path() / "loop.pzf");
    EXPECT_EQ(SaveMessage(dir.file("loop.pzf")), WriteFailureMessage(dir.file("loop.pzf"), false));
}

TEST(WriteFileReplacing, WritesIntoAFileWithHardLinksSoThatEveryNameSeesIt) {
    TempDir dir;
    const std::string path = dir.file("font.pzf");
    WriteAll(path, kOld);
    fs::create_hard_link(path, dir.path() / "other.pzf");
    WriteFileReplacing(dir.file("other.pzf"), kNew);
    EXPECT_EQ(ReadAll(path), kNew);
    EXPECT_EQ(Stat(path).st_nlink, 2u);
    EXPECT_EQ(Stat(path).st_ino, Stat(dir.file("other.pzf")).st_ino);
}

TEST(WriteFileReplacing, KeepsTheModeAndOwnerOfThePreviousFileAndRefusesReadOnlyOnes) {
    TempDir dir;
    const std::string path = dir.file("font.pzf");
    for (const mode_t mode : {0600, 0640, 0755, 0604}) {
        WriteAll(path, kOld);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        WriteFileReplacing(path, kNew);
        EXPECT_EQ(Stat(path).st_mode & 07777, mode);
        fs::remove(path);
    }
    // A new file gets the usual mode.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    WriteFileReplacing(path, kNew);
    EXPECT_EQ(Stat(path).st_mode & 07777, 0666 & ~mask);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
        WriteFileReplacing(path, kOld);
        EXPECT_EQ(Stat(path).st_uid, 4321u);
        EXPECT_EQ(Stat(path).st_gid, 4322u);
    }

    // Not even the superuser replaces a file without a single write bit.
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    WriteAll(dir.file("before"), ReadAll(path));
    EXPECT_EQ(SaveMessage(path),
              "The file \"" + path + "\" could not be written. The previous file is unchanged.");
    EXPECT_EQ(ReadAll(path), ReadAll(dir.file("before")));
    EXPECT_EQ(Stat(path).st_mode & 07777, 0444u);
}

TEST(WriteFileReplacing, WritesIntoAFifoOrDeviceAndRefusesFoldersNeverReplacingThem) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.pzf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Nobody reads: refused at once, without waiting, and without a previous file to speak of.
    EXPECT_EQ(SaveMessage(fifo), WriteFailureMessage(fifo, false));
    EXPECT_EQ(WriteFailureMessage(fifo), WriteFailureMessage(fifo, false));
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
    EXPECT_EQ(SaveMessage(fifo, std::vector<uint8_t>(1 << 20, 7)),
              WriteFailureMessage(fifo, false));
    quitter.join();
    EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));

    EXPECT_EQ(SaveMessage("/dev/null"), "");
    EXPECT_TRUE(S_ISCHR(Stat("/dev/null").st_mode));
    fs::create_directory(dir.path() / "folder");
    EXPECT_EQ(SaveMessage(dir.file("folder")), WriteFailureMessage(dir.file("folder"), false));
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
}

TEST(WriteFileReplacing, SaysThePreviousFileIsUnchangedOnlyWhenThereWasOne) {
    TempDir dir;
    const std::string missing = dir.file("no-folder/font.pzf");
    EXPECT_EQ(SaveMessage(missing), "The file \"" + missing + "\" could not be written.");
    EXPECT_EQ(WriteFailureMessage(missing), WriteFailureMessage(missing, false));
    const std::string present = dir.file("font.pzf");
    WriteAll(present, kOld);
    EXPECT_EQ(WriteFailureMessage(present), WriteFailureMessage(present, true));
}

// Saves killed at random moments, again and again: the file is always the previous one or the
// new one, whole, and the folder holds nothing else.
TEST(WriteFileReplacing, AKilledSaveLeavesThePreviousFileWholeAndNoOtherFile) {
    TempDir dir;
    const std::string path = dir.file("large.c");
    const std::vector<std::vector<uint8_t>> contents = {std::vector<uint8_t>(6 << 20, 'a'),
                                                        std::vector<uint8_t>(5 << 20, 'b')};
    // Kills land within the time a save takes, the fastest of three.
    auto saveTime = std::chrono::steady_clock::duration::max();
    for (int n = 0; n < 3; ++n) {
        const auto start = std::chrono::steady_clock::now();
        WriteFileReplacing(path, contents[0]);
        saveTime = std::min(saveTime, std::chrono::steady_clock::now() - start);
    }
    std::mt19937 random(14);
    std::uniform_int_distribution<long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());
    int current = 0, killedOnTheWay = 0;
    for (int round = 0; round < 24; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                WriteFileReplacing(path, contents[1 - current]);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) ++killedOnTheWay;
        const std::vector<uint8_t> now = ReadAll(path);
        ASSERT_TRUE(now == contents[0] || now == contents[1]) << "round " << round;
        const int next = 1 - current;
        if (now == contents[next]) current = next;
        // Nothing else, unless the kill fell between naming the finished file and renaming it:
        // then that whole file, which the next save removes.
        std::vector<std::string> names = Names(dir);
        std::erase(names, "large.c");
        ASSERT_LE(names.size(), 1u) << "round " << round;
        if (!names.empty()) {
            ASSERT_TRUE(ReadAll(dir.file(names[0])) == contents[next]) << "round " << round;
        }
    }
    EXPECT_GE(killedOnTheWay, 6);  // most kills landed in the middle of a save
    WriteFileReplacing(path, contents[0]);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"large.c"});
}

TEST(WriteFileReplacing, RemovesATemporaryFileOfTheSameTargetThatAKilledSaveLeft) {
    TempDir dir;
    const std::string path = dir.file("font.pzf");
    WriteAll(path, kOld);
    WriteAll(dir.file(".font.pzf.0badf00d"), kNew);   // a whole copy a killed save named
    WriteAll(dir.file(".font.pzf.notatemp"), kNew);   // not one of ours: kept
    WriteAll(dir.file(".other.pzf.0badf00d"), kNew);  // another target's: kept
    WriteFileReplacing(path, kNew);
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{".font.pzf.notatemp", ".other.pzf.0badf00d", "font.pzf"}));
}

TEST(ReadFileBytes, RefusesWhatIsMissingNotAFileOrLargerThanItsReaderTakesUnread) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.pzf"), huge = dir.file("huge.pzf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // 4 GB that take no room: refused from its size, quickly and without the memory.
    WriteAll(huge, {});
    fs::resize_file(huge, uintmax_t{4} << 30);
    for (const std::string& path : {dir.file("none.pzf"), dir.path().string(), fifo, huge}) {
        EXPECT_TRUE(test::RefusedWith([&] { ReadFileBytes(path, 1000); })) << path;
    }
    const std::string exact = dir.file("exact.pzf");
    WriteAll(exact, kOld);
    EXPECT_EQ(ReadFileBytes(exact, kOld.size()), kOld);
    EXPECT_TRUE(test::RefusedWith([&] { ReadFileBytes(exact, kOld.size() - 1); }));
}

}  // namespace
}  // namespace pixmere
