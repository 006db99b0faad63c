#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace pixmere::cli {

// One in-process run of the tool with what it printed.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun Cli(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = RunCli(words, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace pixmere::cli
