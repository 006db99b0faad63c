#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace pixmere::cli {

// Wrong usage of the tool: exit status 2, the reason and the usage on standard error.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a sub-command accepts: options taking a value and flags taking none.
struct OptionSpec {
    std::set<std::string> valued;
    std::set<std::string> flags;
};

// A parsed command line: positional words, "--name value" options and "--flag" flags.
class Args {
public:
    static Args Parse(const std::vector<std::string>& words, const OptionSpec& spec);

    const std::vector<std::string>& positional() const { return positional_; }
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    // Names of every option and flag given, without the dashes.
    std::set<std::string> given() const;
    std::optional<std::string> value(const std::string& name) const;

    // A value as a decimal (or, with base 16, hexadecimal) number within [low, high];
    // the default when absent. Throws UsageError naming the option otherwise.
    int number(const std::string& name, int fallback, int low, int high, int base = 10) const;
    int requiredNumber(const std::string& name, int low, int high) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

}  // namespace pixmere::cli
