#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliRun.h"
#include "cli/FontFiles.h"
#include "model/UserError.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

// Every number an option takes is read the same way: digits only.
TEST(CliNumbers, OneParserForEveryOption) {
    test::TempDir dir;
    const std::string library = "/usr/share/wine/fonts/sserife.fon";
    EXPECT_EQ(Cli({"info", library, "--font", "1"}).status, 0);
    for (const char* bad : {" 0", "+0", "0 ", "-0", "0x1", "1e0", ""}) {
        const CliRun run = Cli({"info", library, "--font", bad});
        EXPECT_EQ(run.status, 2) << "'" << bad << "'";
        EXPECT_NE(run.err.find("--font must be a number from 0 to 2"), std::string::npos)
            << run.err;
        EXPECT_EQ(Cli({"new", dir.file("f.pzf"), "--width", bad, "--height", "8"}).status, 2)
            << bad;
        EXPECT_EQ(Cli({"ttf", dir.file("f.pzf"), "--face", "DejaVu Sans", "--width", "8",
                       "--height", "8", "--threshold", bad})
                      .status,
                  2)
            << bad;
    }
    for (const char* bad : {" 5", "+5", "5 ", ""}) {
        EXPECT_EQ(Cli({"ttf", dir.file("f.pzf"), "--face", "DejaVu Sans", "--width", "8",
                       "--height", "8", "--resolution", bad})
                      .status,
                  2)
            << bad;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A file larger than its type can be is refused from its size, before it is read: 4 GB that
// take no room on disk, of each input type.
TEST(CliLimits, AHugeInputIsRefusedUnread) {
    test::TempDir dir;
    for (const InputType& type : InputTypes()) {
        const std::string path = dir.file("huge" + type.extension);
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_EQ(::ftruncate(fd, off_t{4} << 30), 0);
        ::close(fd);
        std::vector<std::string> words = {"info", path};
        if (type.extension == ".c") words.insert(words.end(), {"--width", "8", "--height", "8"});
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, 1) << type.extension;
        EXPECT_EQ(run.err, path + ": " + kBadFontFileMessage + "\n");
        std::filesystem::remove(path);
    }
}

// Memory running out in the middle of a command is told like any failure, and nothing is
// written. The command runs in a child process given little more address space than it has.
TEST(CliLimits, RunningOutOfMemoryIsToldAndWritesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit leaves";
#endif
    test::TempDir dir;
    const std::string out = dir.file("large.c");
    const std::string errors = dir.file("errors.txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ifstream status("/proc/self/status");
        std::string line;
        long kb = 0;
        while (std::getline(status, line)) {
            if (line.rfind("VmSize:", 0) == 0) kb = std::stol(line.substr(7));
        }
        std::ofstream err(errors);
        std::ostringstream ignored;
        // The C text of the largest font is about 20 MB; 8 MB more than the process has
        // leaves room for the font itself but not for that.
        const rlimit limit{static_cast<rlim_t>(kb + 8192) * 1024,
                           static_cast<rlim_t>(kb + 8192) * 1024};
        ::setrlimit(RLIMIT_AS, &limit);
        const int code = RunCli({"new", out, "--width", "255", "--height", "255"}, ignored, err);
        err.flush();
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream err(errors);
    const std::string said((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
    EXPECT_EQ(said, "pixmere-cli new: not enough memory; nothing written\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace pixmere::cli
