#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace pixmere::test {

// The bytes of a file that a Debian package installs; a failure naming the package when the
// file is not there.
inline std::vector<uint8_t> Installed(const std::string& path, const std::string& package) {
    std::vector<uint8_t> bytes = ReadAll(path);
    if (bytes.empty()) ADD_FAILURE() << path << " is missing: is " << package << " installed?";
    return bytes;
}

}  // namespace pixmere::test
