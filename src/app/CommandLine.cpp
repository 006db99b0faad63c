#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string_view>

#include "formats/InputFormats.h"
#include "version/Version.h"

namespace pixmere {

namespace {

// Qt's own options, which the application object takes: those followed by a value, and flags.
constexpr std::array<std::string_view, 23> kQtValued = {"platform",
                                                        "platformpluginpath",
                                                        "platformtheme",
                                                        "plugin",
                                                        "qwindowgeometry",
                                                        "qwindowicon",
                                                        "qwindowtitle",
                                                        "session",
                                                        "display",
                                                        "geometry",
                                                        "title",
                                                        "name",
                                                        "visual",
                                                        "style",
                                                        "stylesheet",
                                                        "fn",
                                                        "font",
                                                        "bg",
                                                        "fg",
                                                        "btn",
                                                        "im",
                                                        "inputstyle",
                                                        "ncols"};
constexpr std::array<std::string_view, 7> kQtFlags = {
    "reverse", "nograb", "dograb", "sync", "widgetcount", "qmljsdebugger", "cmap"};

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// The name of an option as Qt reads it: one or two dashes, a value after "=" left out.
std::string_view QtName(std::string_view arg) {
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

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

}  // namespace

StartCheck CheckArguments(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return {StartAction::Help, HelpText()};
        if (arg == "--version" || arg == "-v") {
            return {StartAction::Version, std::string("pixmere ") + ProgramVersion() + "\n"};
        }
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        if (!IsOption(arg)) continue;
        const std::string_view name = QtName(arg);
        const bool valued = std::find(kQtValued.begin(), kQtValued.end(), name) != kQtValued.end();
        if (valued && arg.find('=') == std::string::npos) {
            ++i;  // its value
        } else if (!valued && std::find(kQtFlags.begin(), kQtFlags.end(), name) == kQtFlags.end()) {
            return {StartAction::Usage, "pixmere: unknown option '" + arg + "'\n" + HelpText()};
        }
    }
    return {StartAction::Run, {}};
}

bool DisplayFound(const std::vector<std::string>& args,
                  const std::function<const char*(const char*)>& env) {
    const auto set = [&](const char* name) {
        const char* value = env(name);
        return value && *value;
    };
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (IsOption(arg) && QtName(arg) == "platform") return true;
    }
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::string NoDisplayText() {
    return "pixmere: no display was found to show the editor's windows on.\n"
           "Run it in a graphical session, or without one as 'xvfb-run -a pixmere [FILE...]';\n"
           "pixmere-cli converts and edits fonts without a display.\n";
}

}  // namespace pixmere
