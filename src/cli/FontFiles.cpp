#include "cli/FontFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/FontFile.h"
#include "formats/InputFormats.h"
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

// The options that answer an input type's question, and how the help tells them.
struct QuestionOptions {
    OptionSpec options;
    const char* help = "";
};

QuestionOptions OptionsFor(InputQuestion question) {
    switch (question) {
        case InputQuestion::LibraryFont:
            return {{{"font"}, {}},
                    " [--font N] (N: the position that 'list' prints, 0 by default)"};
        case InputQuestion::Cell:
            return {{{"width", "height", "downstroke", "magnification"}, {}},
                    " [--width W --height H --downstroke J --magnification M] (codes and "
                    "defaults from its parameter lines; without them codes 20-FF, and --width "
                    "and --height are needed)"};
        case InputQuestion::Magnification:
            return {{{"magnification"}, {}}, " [--magnification M]"};
        case InputQuestion::None:
            break;
    }
    return {};
}

// Words filled into lines of at most 78 characters, each indented.
std::string Paragraph(const std::string& text, int indent) {
    std::string start(static_cast<std::size_t>(indent) + 1, ' ');
    start[0] = '\n';
    std::string out, line;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (!line.empty() && indent + line.size() + 1 + word.size() > 78) {
            out += start + line;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + start + line;
}

// The answers the options give. A library's font is chosen by its 0-based position in the
// library's directory; a C table takes no range options: its range is its own, or 20..FF for a
// table without parameter lines, which then needs the size.
ReadChoices ChoicesFor(const InputFormat& format, const std::vector<uint8_t>& bytes,
                       const Args& args) {
    ReadChoices choices;
    switch (format.asks) {
        case InputQuestion::LibraryFont: {
            const int last = static_cast<int>(ReadFontDirectory(bytes).fonts.size()) - 1;
            choices.libraryFont = args.number("font", 0, 0, last);
            break;
        }
        case InputQuestion::Cell: {
            const std::optional<FontParams> own = CFileParameters(bytes);
            choices.cell = own ? CheckedParameterOptions(args, "", &*own)
                               : CheckedParameterOptions(args,
                                                         " for a C table without its "
                                                         "parameter lines");
            break;
        }
        case InputQuestion::Magnification:
            choices.magnification = static_cast<uint8_t>(args.number("magnification", 1, 1, 5));
            break;
        case InputQuestion::None:
            break;
    }
    return choices;
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

std::string InputHelp(int indent) {
    const std::vector<InputFormat>& formats = InputFormats();
    std::string text = "IN is";
    for (std::size_t n = 0; n < formats.size(); ++n) {
        text += n == 0 ? " " : n + 1 < formats.size() ? ", " : " or ";
        text += std::string(formats[n].described) + OptionsFor(formats[n].asks).help;
    }
    return Paragraph(text + ".", indent);
}

std::string OutputHelp(int indent) {
    return Paragraph(
        "OUT is a .pzf file, a download file .bin, a C table .c, a text picture .txt, a BDF "
        "font .bdf or an Adafruit GFX font .h. C layout: --c-numbers bin|hex, --c-bits "
        "msb|lsb, --c-order rows|pages, --c-array none|const|progmem, --c-comments "
        "index|picture (the first of each by default); GFX: --gfx-advance cell|ink.",
        indent);
}

OptionSpec InputOptions() {
    OptionSpec all;
    for (const InputFormat& format : InputFormats()) {
        const OptionSpec own = OptionsFor(format.asks).options;
        all.valued.insert(own.valued.begin(), own.valued.end());
    }
    return all;
}

OptionSpec OutputOptions() {
    OptionSpec spec;
    spec.valued.insert("to");
    for (const CLayoutOption& option : CLayoutOptions()) spec.valued.insert(option.option);
    return spec;
}

OptionSpec WithOutputOptions(OptionSpec own) {
    const OptionSpec output = OutputOptions();
    own.valued.insert(output.valued.begin(), output.valued.end());
    return own;
}

OptionSpec InputOptionsAndTo() { return WithOutputOptions(InputOptions()); }

Font ReadFont(const std::string& path, const Args& args, std::ostream& err) {
    const InputFormat* format = InputFormatOf(path);
    if (!format) {
        throw UsageError("cannot read '" + path + "': the input type is " + InputEndings());
    }
    // An option meant for another input type is a mistake worth telling, not ignoring.
    const OptionSpec all = InputOptions();
    const OptionSpec own = OptionsFor(format->asks).options;
    for (const std::string& name : args.given()) {
        if (all.valued.count(name) && !own.valued.count(name)) {
            throw UsageError("--" + name + " does not apply to " + format->endings.front() +
                             " files");
        }
    }
    try {
        const std::vector<uint8_t> bytes =
            ReadFileBytes(path, format->largestFile, format->EndingOf(path));
        const ImportedFont imported = format->read(bytes, ChoicesFor(*format, bytes, args));
        Font font = imported.font.build();
        if (imported.charactersCut > 0) {
            err << path << ": " << CutCharactersMessage(imported.charactersCut) << "\n";
        }
        if (imported.charactersAboveFF > 0) {
            err << path << ": " << AboveFFMessage(imported.charactersAboveFF) << "\n";
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
    if (name == "gfx" || name == "h") return OutputType::Gfx;
    return std::nullopt;
}

OutputType OutputTypeFor(const std::string& path, const Args& args) {
    if (const auto to = args.value("to")) {
        if (const auto type = OutputTypeNamed(*to)) return *type;
        throw UsageError("--to must be pzf, bin, c, txt, bdf or gfx");
    }
    if (const auto type = OutputTypeNamed(LowerExtension(path))) return *type;
    throw UsageError("cannot tell the output type of '" + path +
                     "': use .pzf, .bin, .c, .txt, .bdf or .h, or --to");
}

CLayout LayoutFor(const Args& args, OutputType type) {
    CLayout layout;
    for (const CLayoutOption& option : CLayoutOptions()) {
        const std::optional<std::string> value = args.value(option.option);
        if (!value) continue;
        const OutputType own = option.gfx() ? OutputType::Gfx : OutputType::C;
        if (type != own) {
            throw UsageError("--" + std::string(option.option) + " applies to " +
                             (option.gfx() ? "GFX" : "C") + " output only");
        }
        const auto found = std::find(option.values.begin(), option.values.end(), *value);
        if (found == option.values.end()) {
            std::string values;
            for (const char* v : option.values) {
                values += (values.empty()              ? ""
                           : v == option.values.back() ? " or "
                                                       : ", ") +
                          std::string(v);
            }
            throw UsageError("--" + std::string(option.option) + " must be " + values);
        }
        option.set(layout, static_cast<int>(found - option.values.begin()));
    }
    return layout;
}

void WriteFont(const Font& font, const std::string& path, OutputType type, std::ostream& err,
               const CLayout& layout) {
    const FontFileBytes content =
        FontFileContent(font, type, std::filesystem::path(path).stem().string(), layout);
    if (content.droppedBelow20) {
        std::string message = kBelow20Message;
        while (!message.empty() && message.back() == '\r') message.pop_back();
        err << message << "\n";
    }
    WriteFileReplacing(path, content.bytes);
}

}  // namespace pixmere::cli
