#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pixmere {

// What the arguments ask for before any window exists.
enum class StartAction { Run, Help, Version, Usage };

struct StartCheck {
    StartAction action;
    std::string text;  // what to print: the help, the version, or the usage error
};

// The arguments without the program's name. --help and --version anywhere before "--" are
// answered at once; an option that is neither ours nor one of Qt's (-platform, -style, ...) is a
// usage error; all this before a display is needed.
StartCheck CheckArguments(const std::vector<std::string>& args);

// Whether there is a display to show windows on: the environment (read through env) names one,
// or the arguments choose a platform.
bool DisplayFound(const std::vector<std::string>& args,
                  const std::function<const char*(const char*)>& env);
// What is said without one.
std::string NoDisplayText();

}  // namespace pixmere
