#include "formats/FileIO.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "model/UserError.h"

namespace pixmere {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) throw UserError(kBadFontFileMessage);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UserError(kBadFontFileMessage);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) throw UserError(kBadFontFileMessage);
    return bytes;
}

std::string WriteFailureMessage(const std::string& path) {
    return "The file \"" + path + "\" could not be written. The previous file is unchanged.";
}

void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::random_device rd;
    // Built by appending: a literal put in front of a temporary string trips GCC 12's false
    // -Wrestrict at -O2 and above.
    std::string name(".");
    name += target.filename().string();
    name += ".tmp";
    name += std::to_string(rd());
    const fs::path temp = target.parent_path() / name;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw UserError(WriteFailureMessage(path));
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw UserError(WriteFailureMessage(path));
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw UserError(WriteFailureMessage(path));
    }
}

}  // namespace pixmere
