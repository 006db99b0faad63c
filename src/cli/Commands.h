#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/Args.h"

namespace pixmere::cli {

struct Io {
    std::ostream& out;
    std::ostream& err;
};

// One sub-command. A new one is a file defining its Command and one line in Commands.cpp.
struct Command {
    std::string name;
    std::string synopsis;  // the usage line after "pixmere-cli "
    std::string summary;   // one line for --help
    OptionSpec options;
    // Returns the exit status; throws UsageError (2) or UserError (1).
    int (*run)(const Args& args, Io& io);
    bool readsFont = false;   // takes IN: its help tells the input types
    bool writesFont = false;  // takes OUT: its help tells the output types
};

const std::vector<Command>& AllCommands();

// The whole tool: parses argv (without the program name), runs the sub-command, maps errors to
// exit statuses and messages.
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

Command NewCommand();
Command InfoCommand();
Command ConvertCommand();
Command ListCommand();
Command RenderCommand();
Command TransformCommand();
Command TtfCommand();

}  // namespace pixmere::cli
