#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pixmere {

// What the arguments ask for before any window exists.
enum class StartAction { Run, Help, Version };

// --help and --version anywhere before "--" are answered at once, without a display; everything
// else, Qt's own options (-platform, -style, ...) included, is left for the application object.
StartAction EarlyAction(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();

// The first argument that is still an option once the application object has taken Qt's own.
std::optional<std::string> UnknownOption(const std::vector<std::string>& args);

}  // namespace pixmere
