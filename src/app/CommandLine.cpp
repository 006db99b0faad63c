#include "app/CommandLine.h"

#include "version/Version.h"

namespace pixmere {

namespace {

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

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
    return "Usage: pixmere [OPTION...] [FILE...]\n"
           "Edit monochrome bitmap fonts for Velmar label and receipt printers.\n"
           "Each FILE opens in a window of its own: a .pzf font as Open does; .fnt, .fon, .c,\n"
           ".bdf, .pcf, .pcf.gz, .psf, .psf.gz and .bin files through their imports.\n"
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
