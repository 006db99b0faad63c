#include "cli/FontFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/FontFile.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "formats/TxtFile.h"
#include "model/FontParameters.h"
#include "model/UserError.h"

namespace pixmere::cli {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string LowerExtension(const std::string& path) {
    return Lower(std::filesystem::path(path).extension().string());
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

// A C table takes no range options: its range is its own, or 20..FF for a table without
// parameter lines, which then needs the size.
LoadedFont LoadC(const std::vector<uint8_t>& bytes, const Args& args) {
    const std::optional<FontParams> own = CFileParameters(bytes);
    return ParseCFile(bytes, own ? CheckedParameterOptions(args, "", &*own)
                                 : CheckedParameterOptions(args,
                                                           " for a C table without its "
                                                           "parameter lines"));
}

LoadedFont LoadBinInput(const std::vector<uint8_t>& bytes, const Args& args) {
    return LoadBin(bytes, static_cast<uint8_t>(args.number("magnification", 1, 1, 5)));
}

ImportedFont LoadBdfPcfInput(const std::vector<uint8_t>& bytes, const Args&) {
    return LoadBdfPcf(bytes);
}

ImportedFont LoadPsfInput(const std::vector<uint8_t>& bytes, const Args&) { return LoadPsf(bytes); }

// The input type whose extension ends the file's name.
const InputType* InputTypeOf(const std::string& path) {
    const std::string name = Lower(std::filesystem::path(path).filename().string());
    for (const InputType& t : InputTypes()) {
        if (name.size() > t.extension.size() && name.ends_with(t.extension)) return &t;
    }
    return nullptr;
}

}  // namespace

FontParams CheckedParameterOptions(const Args& args, const std::string& missingNote,
                                   const FontParams* fallback) {
    FontParameterTexts texts;
    if (fallback) {
        texts.width = std::to_string(fallback->FormatLengthCar);
        texts.height = std::to_string(fallback->FormatHeightCar);
        texts.downstroke = std::to_string(fallback->jambon);
        texts.magnification = std::to_string(fallback->Magnification);
    }
    const auto option = [&](const char* name, const std::string& otherwise) {
        return args.value(name).value_or(otherwise);
    };
    texts.width = option("width", texts.width);
    texts.height = option("height", texts.height);
    texts.first = option("first", texts.first);
    texts.last = option("last", texts.last);
    texts.downstroke = option("downstroke", texts.downstroke);
    texts.magnification = option("magnification", texts.magnification);
    if (texts.width.empty()) throw UsageError("--width is required" + missingNote);
    if (texts.height.empty()) throw UsageError("--height is required" + missingNote);
    const ParameterCheck check = CheckFontParameters(texts);
    if (check.refusal != ParameterRefusal::None) {
        // The dialog's message, then the option it is about and why.
        const auto [name, text] = [&]() -> std::pair<const char*, const std::string&> {
            switch (check.field) {
                case ParameterField::Width:
                    return {"width", texts.width};
                case ParameterField::Height:
                    return {"height", texts.height};
                case ParameterField::First:
                    return {"first", texts.first};
                case ParameterField::Last:
                    return {"last", texts.last};
                case ParameterField::Downstroke:
                    return {"downstroke", texts.downstroke};
                case ParameterField::Magnification:
                case ParameterField::None:
                    break;
            }
            return {"magnification", texts.magnification};
        }();
        throw UsageError(std::string(RefusalMessage(check.refusal)) + "\n--" + name +
                         (text.empty() ? "" : " " + text) + ": " + check.rule);
    }
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
        {".bdf", {}, LoadBdfPcfInput, kBdfPcfLargestFile},
        {".pcf", {}, LoadBdfPcfInput, kBdfPcfLargestFile},
        {".pcf.gz", {}, LoadBdfPcfInput, kBdfPcfLargestFile},
        {".psf", {}, LoadPsfInput, kPsfLargestFile},
        {".psf.gz", {}, LoadPsfInput, kPsfLargestFile},
        {".bin", {{"magnification"}, {}}, LoadBinInput, kBinLargestFile},
        {".txt",
         {},
         [](const std::vector<uint8_t>& bytes, const Args&) { return LoadTXT(bytes); },
         kTxtLargestFile},
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

Font ReadFont(const std::string& path, const Args& args, std::ostream& err) {
    const InputType* type = InputTypeOf(path);
    if (!type) {
        std::string known;
        for (const InputType& t : InputTypes()) known += (known.empty() ? "" : ", ") + t.extension;
        throw UsageError("cannot read '" + path + "': the input type is " + known);
    }
    // An option meant for another input type is a mistake worth telling, not ignoring.
    const OptionSpec all = InputOptions();
    for (const std::string& name : args.given()) {
        const bool forInput = all.valued.count(name) || all.flags.count(name);
        if (forInput && !type->options.valued.count(name) && !type->options.flags.count(name)) {
            throw UsageError("--" + name + " does not apply to " + type->extension + " files");
        }
    }
    try {
        const ImportedFont imported =
            type->load(ReadFileBytes(path, type->largestFile, type->extension), args);
        Font font = imported.font.build();
        if (imported.charactersCut > 0) {
            err << path << ": " << CutCharactersMessage(imported.charactersCut) << "\n";
        }
        return font;
    } catch (const UserError& e) {
        // Name the file: the editor's message alone does not say which one, nor why.
        throw UserError(MessageNamingFile(e, path), e.caption());
    }
}

std::optional<OutputType> OutputTypeNamed(std::string name) {
    name = Lower(std::move(name));
    if (!name.empty() && name[0] == '.') name.erase(0, 1);
    if (name == "pzf") return OutputType::Native;
    if (name == "bin") return OutputType::Bin;
    if (name == "c") return OutputType::C;
    if (name == "txt") return OutputType::Txt;
    if (name == "bdf") return OutputType::Bdf;
    return std::nullopt;
}

OutputType OutputTypeFor(const std::string& path, const Args& args) {
    if (const auto to = args.value("to")) {
        if (const auto type = OutputTypeNamed(*to)) return *type;
        throw UsageError("--to must be pzf, bin, c, txt or bdf");
    }
    if (const auto type = OutputTypeNamed(LowerExtension(path))) return *type;
    throw UsageError("cannot tell the output type of '" + path +
                     "': use .pzf, .bin, .c, .txt or .bdf, or --to");
}

void WriteFont(const Font& font, const std::string& path, OutputType type, std::ostream& err) {
    const FontFileBytes content =
        FontFileContent(font, type, std::filesystem::path(path).stem().string());
    if (content.droppedBelow20) {
        std::string message = kBelow20Message;
        while (!message.empty() && message.back() == '\r') message.pop_back();
        err << message << "\n";
    }
    WriteFileReplacing(path, content.bytes);
}

}  // namespace pixmere::cli
