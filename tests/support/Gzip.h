#pragma once

#include <cstdint>
#include <vector>

namespace pixmere::test {

// The bytes as a gzip file, as the gzip tool writes one.
std::vector<uint8_t> Gzip(const std::vector<uint8_t>& bytes);

}  // namespace pixmere::test
