#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    // RunCli reports its own failures; this catches what escapes before it runs, such as
    // running out of memory while copying the arguments.
    try {
        const std::vector<std::string> words(argv + 1, argv + argc);
        return pixmere::cli::RunCli(words, std::cout, std::cerr);
    } catch (...) {
        std::cerr << "pixmere-cli: unexpected failure; nothing written\n";
        return 1;
    }
}
