#include "app/CommandLine.h"

#include <sstream>

#include "formats/InputFormats.h"
#include "version/Version.h"

namespace pixmere {

namespace {

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// Words filled into lines of at most 78 characters.
std::string Wrapped(const std::string& text) {
    std::string out, line, word;
    std::istringstream words(text);
    while (words >> word) {
        if (!line.empty() && line.size() + 1 + word.size() > 78) {
            out += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + line + "\n";
}

}  // namespace

StartAction EarlyAction(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return StartAction::Help;
        if (arg == "--version" || arg == "-v") return StartAction::Version;
    }
    return StartAction::Run;
}

std::string HelpText() {
    std::string imports;
    for (const InputFormat& format : InputFormats()) {
        if (&format == &NativeFormat()) continue;
        for (const std::string& ending : format.endings) imports += ending + ", ";
    }
    imports.resize(imports.size() - 2);
    if (const auto last = imports.rfind(", "); last != std::string::npos) {
        imports.replace(last, 2, " and ");
    }
    return "Usage: pixmere [OPTION...] [FILE...]\n"
           "Edit monochrome bitmap fonts for Velmar label and receipt printers.\n" +
           Wrapped("Each FILE opens in a window of its own: a .pzf font as Open does; " + imports +
                   " files through their imports.") +
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "\n"
           "Qt's standard options, such as -platform NAME and -style NAME, are accepted too.\n"
           "The command-line tool pixmere-cli converts and edits fonts without a window.\n";
}

std::string VersionText() { return std::string("pixmere ") + ProgramVersion() + "\n"; }

std::optional<std::string> UnknownOption(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (IsOption(arg)) return arg;
    }
    return std::nullopt;
}

}  // namespace pixmere
