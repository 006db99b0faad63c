#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pixmere::test {

// A fresh folder removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);
std::string AsText(const std::vector<uint8_t>& bytes);
inline std::vector<uint8_t> AsBytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace pixmere::test
