#include "cli/Args.h"

#include "model/FontParameters.h"

namespace pixmere::cli {

Args Args::Parse(const std::vector<std::string>& words, const OptionSpec& spec) {
    Args args;
    for (std::size_t n = 0; n < words.size(); ++n) {
        const std::string& word = words[n];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            std::string name = word.substr(2);
            std::optional<std::string> inlineValue;
            if (const auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.erase(eq);
            }
            if (spec.flags.count(name)) {
                if (inlineValue) throw UsageError("--" + name + " takes no value");
                args.flags_.insert(name);
            } else if (spec.valued.count(name)) {
                if (!inlineValue) {
                    if (n + 1 >= words.size()) throw UsageError("--" + name + " needs a value");
                    inlineValue = words[++n];
                }
                args.values_[name] = *inlineValue;
            } else {
                throw UsageError("unknown option --" + name);
            }
        } else {
            args.positional_.push_back(word);
        }
    }
    return args;
}

std::set<std::string> Args::given() const {
    std::set<std::string> names = flags_;
    for (const auto& [name, value] : values_) names.insert(name);
    return names;
}

std::optional<std::string> Args::value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

int Args::number(const std::string& name, int fallback, int low, int high, int base) const {
    const auto text = value(name);
    if (!text) return fallback;
    // The dialog's parser: digits only, so " 8" and "+8" are refused like "8x".
    const std::optional<int> parsed = base == 16 ? HexValue(*text) : DecimalValue(*text);
    if (!parsed || *parsed < low || *parsed > high) {
        throw UsageError("--" + name + " must be a " + (base == 16 ? "hexadecimal " : "") +
                         "number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return *parsed;
}

int Args::requiredNumber(const std::string& name, int low, int high) const {
    if (!value(name)) throw UsageError("--" + name + " is required");
    return number(name, 0, low, high);
}

}  // namespace pixmere::cli
