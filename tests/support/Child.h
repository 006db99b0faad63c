#pragma once

#include <cstddef>
#include <functional>

namespace pixmere::test {

// The wait status of `work` run in a forked child, which exits with what `work` returns, or 2
// when it throws; 0x100 (an exit status of 1) when there is no child.
int InChild(const std::function<int()>& work);

// Lets this process's address space grow by at most `bytes` beyond what it has now, so that a
// child that balloons fails there rather than taking the machine's memory.
void LimitAddressSpaceGrowth(std::size_t bytes);

}  // namespace pixmere::test
