#include "cli/Commands.h"

#include <new>
#include <ostream>

#include "cli/FontFiles.h"
#include "model/UserError.h"
#include "version/Version.h"

namespace pixmere::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        NewCommand(),       InfoCommand(), ConvertCommand(), ListCommand(),
        TransformCommand(), TtfCommand(),  RenderCommand(),
    };
    return commands;
}

namespace {

void PrintUsage(std::ostream& os) {
    os << "Usage: pixmere-cli COMMAND ...\n"
          "       pixmere-cli --help | --version\n\n"
          "Commands:\n";
    for (const Command& c : AllCommands()) {
        os << "  pixmere-cli " << c.synopsis << "\n      " << c.summary << "\n";
    }
    os << "\nFonts read and written:" << InputHelp(2) << OutputHelp(2) << "\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        err << "pixmere-cli: no command given\n\n";
        PrintUsage(err);
        return 2;
    }
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintUsage(out);
        return 0;
    }
    if (words[0] == "--version") {
        out << "pixmere-cli " << ProgramVersion() << "\n";
        return 0;
    }
    const Command* command = nullptr;
    for (const Command& c : AllCommands()) {
        if (c.name == words[0]) command = &c;
    }
    if (!command) {
        err << "pixmere-cli: unknown command '" << words[0] << "'\n\n";
        PrintUsage(err);
        return 2;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    for (const std::string& w : rest) {
        if (w == "--help") {
            out << "Usage: pixmere-cli " << command->synopsis << "\n"
                << command->summary << (command->readsFont ? InputHelp(6) : "")
                << (command->writesFont ? OutputHelp(6) : "") << "\n";
            return 0;
        }
    }
    Io io{out, err};
    try {
        return command->run(Args::Parse(rest, command->options), io);
    } catch (const UsageError& e) {
        err << "pixmere-cli " << command->name << ": " << e.what() << "\n"
            << "Usage: pixmere-cli " << command->synopsis << "\n";
        return 2;
    } catch (const UserError& e) {
        err << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        err << "pixmere-cli " << command->name << ": not enough memory; nothing written\n";
        return 1;
    } catch (const std::exception& e) {
        err << "pixmere-cli " << command->name << ": " << e.what() << "; nothing written\n";
        return 1;
    }
}

}  // namespace pixmere::cli
