#pragma once

#include <cstddef>

namespace pixmere::test {

// The largest single allocation made while one lives: a reader that trusts a size field would
// ask for it before finding the file too short.
class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    std::size_t bytes() const;
};

}  // namespace pixmere::test
