#include <gtest/gtest.h>

#include <filesystem>

#include "formats/FileIO.h"
#include "model/UserError.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

TEST(WriteFileReplacing, ReplacesWholeOrLeavesThePreviousFileWhole) {
    test::TempDir dir;
    const std::string path = dir.file("font.bin");
    test::WriteAll(path, std::vector<uint8_t>(100, 0xAA));
    WriteFileReplacing(path, {1, 2, 3});
    EXPECT_EQ(test::ReadAll(path), (std::vector<uint8_t>{1, 2, 3}));  // nothing of the longer file
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // A name so long that no temporary file fits beside it: the write fails before the target
    // is touched, and says which file.
    const std::string longPath = dir.file(std::string(250, 'f'));
    test::WriteAll(longPath, {9, 9});
    try {
        WriteFileReplacing(longPath, {1});
        FAIL() << "the write was reported as done";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), WriteFailureMessage(longPath));
    }
    EXPECT_EQ(test::ReadAll(longPath), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(ReadFileBytes, MissingFilesAndFoldersGiveTheBadFileMessage) {
    test::TempDir dir;
    for (const std::string& path : {dir.file("none.pzf"), dir.path().string()}) {
        try {
            ReadFileBytes(path);
            FAIL() << path;
        } catch (const UserError& e) {
            EXPECT_STREQ(e.what(), kBadFontFileMessage);
        }
    }
}

}  // namespace
}  // namespace pixmere
