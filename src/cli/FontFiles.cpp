#include "cli/FontFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "formats/CFile.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/FontFile.h"
#include "formats/NativeFile.h"
#include "model/FontParameters.h"
#include "model/UserError.h"

namespace pixmere::cli {

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

namespace {

LoadedFont LoadFnt(const std::vector<uint8_t>& bytes, const Args&) { return FntBegin(bytes); }

// The font chosen with --font, by its 0-based position in the library's directory.
LoadedFont LoadFon(const std::vector<uint8_t>& bytes, const Args& args) {
    const FonLibrary library = ReadFontDirectory(bytes);
    const int last = static_cast<int>(library.fonts.size()) - 1;
    return LoadFonFont(bytes,
                       library.fonts[static_cast<std::size_t>(args.number("font", 0, 0, last))]);
}

// A C table takes no range options: its range is fixed to 20..FF.
LoadedFont LoadC(const std::vector<uint8_t>& bytes, const Args& args) {
    return ParseCFile(bytes, CheckedParameterOptions(args, " for a C table"));
}

}  // namespace

FontParams CheckedParameterOptions(const Args& args, const std::string& missingNote) {
    FontParameterTexts texts;
    const auto option = [&](const char* name, const std::string& fallback) {
        return args.value(name).value_or(fallback);
    };
    texts.width = option("width", "");
    texts.height = option("height", "");
    texts.first = option("first", texts.first);
    texts.last = option("last", texts.last);
    texts.downstroke = option("downstroke", texts.downstroke);
    texts.magnification = option("magnification", texts.magnification);
    if (texts.width.empty()) throw UsageError("--width is required" + missingNote);
    if (texts.height.empty()) throw UsageError("--height is required" + missingNote);
    const ParameterCheck check = CheckFontParameters(texts);
    if (check.refusal != ParameterRefusal::None) throw UsageError(RefusalMessage(check.refusal));
    return check.params;
}

const std::vector<InputType>& InputTypes() {
    static const std::vector<InputType> types = {
        {".pzf",
         {},
         [](const std::vector<uint8_t>& bytes, const Args&) { return LoadNative(bytes); },
         kNativeLargestFile},
        {".fnt", {}, LoadFnt, kFntLargestFile},
        {".fon", {{"font"}, {}}, LoadFon, kFonLargestFile},
        {".c", {{"width", "height", "downstroke", "magnification"}, {}}, LoadC, kCLargestFile},
    };
    return types;
}

OptionSpec InputOptions() {
    OptionSpec all;
    for (const InputType& t : InputTypes()) {
        all.valued.insert(t.options.valued.begin(), t.options.valued.end());
        all.flags.insert(t.options.flags.begin(), t.options.flags.end());
    }
    return all;
}

OptionSpec InputOptionsAndTo() {
    OptionSpec spec = InputOptions();
    spec.valued.insert("to");
    return spec;
}

Font ReadFont(const std::string& path, const Args& args) {
    const std::string ext = LowerExtension(path);
    for (const InputType& t : InputTypes()) {
        if (t.extension == ext) {
            // An option meant for another input type is a mistake worth telling, not ignoring.
            const OptionSpec all = InputOptions();
            for (const std::string& name : args.given()) {
                const bool forInput = all.valued.count(name) || all.flags.count(name);
                if (forInput && !t.options.valued.count(name) && !t.options.flags.count(name)) {
                    throw UsageError("--" + name + " does not apply to " + ext + " files");
                }
            }
            try {
                return t.load(ReadFileBytes(path, t.largestFile), args).build();
            } catch (const UserError& e) {
                // Name the file: the editor's message alone does not say which one.
                throw UserError(path + ": " + e.what(), e.caption());
            }
        }
    }
    std::string known;
    for (const InputType& t : InputTypes()) known += (known.empty() ? "" : ", ") + t.extension;
    throw UsageError("cannot read '" + path + "': the input type is " + known);
}

std::optional<OutputType> OutputTypeNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!name.empty() && name[0] == '.') name.erase(0, 1);
    if (name == "pzf") return OutputType::Native;
    if (name == "bin") return OutputType::Bin;
    if (name == "c") return OutputType::C;
    if (name == "txt") return OutputType::Txt;
    return std::nullopt;
}

OutputType OutputTypeFor(const std::string& path, const Args& args) {
    if (const auto to = args.value("to")) {
        if (const auto type = OutputTypeNamed(*to)) return *type;
        throw UsageError("--to must be pzf, bin, c or txt");
    }
    if (const auto type = OutputTypeNamed(LowerExtension(path))) return *type;
    throw UsageError("cannot tell the output type of '" + path +
                     "': use .pzf, .bin, .c or .txt, or --to");
}

void WriteFont(const Font& font, const std::string& path, OutputType type, std::ostream& err) {
    const FontFileBytes content = FontFileContent(font, type);
    if (content.droppedBelow20) {
        std::string message = kBelow20Message;
        while (!message.empty() && message.back() == '\r') message.pop_back();
        err << message << "\n";
    }
    WriteFileReplacing(path, content.bytes);
}

}  // namespace pixmere::cli
