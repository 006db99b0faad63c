#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/FontFiles.h"
#include "edit/FontDocument.h"
#include "model/FontParameters.h"
#include "model/UserError.h"

namespace pixmere::cli {

namespace {

struct Geometry {
    const char* name;
    GeometryCommand command;
    const char* refusal;  // why the font cannot take it when it is not allowed
};

const Geometry kGeometry[] = {
    {"add-row-top", GeometryCommand::Atop, "the font is already 255 rows high"},
    {"add-row-bottom", GeometryCommand::Abottom, "the font is already 255 rows high"},
    {"add-column-left", GeometryCommand::Aleft, "the font is already 255 pixels wide"},
    {"add-column-right", GeometryCommand::Aright, "the font is already 255 pixels wide"},
    {"remove-row-top", GeometryCommand::Rtop, "the font is only 1 row high"},
    {"remove-row-bottom", GeometryCommand::Rbottom, "the font is only 1 row high"},
    {"remove-column-left", GeometryCommand::Rleft, "the font is only 1 pixel wide"},
    {"remove-column-right", GeometryCommand::Rright, "the font is only 1 pixel wide"},
};

enum class RangeAction { Up, Down, Left, Right, Clear, Transform };

struct RangeOperation {
    const char* name;
    RangeAction action;
    GlyphTransform transform = GlyphTransform::Invert;  // of RangeAction::Transform
};

const RangeOperation kRangeOperations[] = {
    {"move-up", RangeAction::Up},
    {"move-down", RangeAction::Down},
    {"move-left", RangeAction::Left},
    {"move-right", RangeAction::Right},
    {"clear", RangeAction::Clear},
    {"flip-h", RangeAction::Transform, GlyphTransform::FlipHorizontal},
    {"flip-v", RangeAction::Transform, GlyphTransform::FlipVertical},
    {"rotate-180", RangeAction::Transform, GlyphTransform::Rotate180},
    {"invert", RangeAction::Transform, GlyphTransform::Invert},
    {"bold", RangeAction::Transform, GlyphTransform::Bold},
    {"italic", RangeAction::Transform, GlyphTransform::Italic},
};

struct Operation {
    std::string text;  // as given, to name it in messages
    const Geometry* geometry = nullptr;
    const RangeOperation* range = nullptr;
    int first = 0;  // character codes
    int last = 0;
    int slant = kDefaultSlant;  // italic's rows a pixel
};

int HexCode(const std::string& text, const std::string& op) {
    // Four digits are plenty to tell a code beyond FF; more is a typing error.
    if (text.empty() || text.size() > 4) {
        throw UsageError("'" + op + "': a character code is 1 to 4 hexadecimal digits");
    }
    const std::optional<int> value = HexValue(text);
    if (!value) {
        throw UsageError("'" + op + "': '" + text + "' is not a hexadecimal character code");
    }
    return *value;
}

Operation ParseOperation(const std::string& word) {
    Operation op;
    op.text = word;
    for (const Geometry& g : kGeometry) {
        if (word == g.name) {
            op.geometry = &g;
            return op;
        }
    }
    const auto colon = word.find(':');
    const std::string name = word.substr(0, colon);
    for (const RangeOperation& r : kRangeOperations) {
        if (name != r.name) continue;
        if (colon == std::string::npos) {
            throw UsageError("'" + word + "' needs a character range: " + name + ":HEX or " + name +
                             ":HEX-HEX");
        }
        std::string range = word.substr(colon + 1);
        if (const auto second = range.find(':'); second != std::string::npos) {
            if (r.transform != GlyphTransform::Italic || r.action != RangeAction::Transform) {
                throw UsageError("'" + word + "': only italic takes a slant after the range");
            }
            const std::optional<int> slant = DecimalValue(range.substr(second + 1));
            if (!slant || *slant < kMinSlant || *slant > kMaxSlant) {
                throw UsageError("'" + word + "': the slant is " + std::to_string(kMinSlant) +
                                 " to " + std::to_string(kMaxSlant) + " rows a pixel");
            }
            op.slant = *slant;
            range.erase(second);
        }
        const auto dash = range.find('-');
        op.range = &r;
        op.first = HexCode(range.substr(0, dash), word);
        op.last = dash == std::string::npos ? op.first : HexCode(range.substr(dash + 1), word);
        if (op.last < op.first) {
            throw UsageError("'" + word + "': the first code of a range is above the last");
        }
        return op;
    }
    throw UsageError("unknown operation '" + word + "'");
}

void Apply(FontDocument& doc, const Operation& op) {
    if (op.geometry) {
        if (doc.ChangeGeometry(op.geometry->command).refused) {
            throw UserError(op.text + ": " + op.geometry->refusal + "; nothing written");
        }
        return;
    }
    const FontParams& p = doc.params();
    if (op.first < p.firstcar || op.last > p.lastCode()) {
        throw UserError(op.text + ": the font holds the characters " + HexText(p.firstcar) +
                        " to " + HexText(p.lastCode()) + "; nothing written");
    }
    doc.SelectRange(op.first - p.firstcar, op.last - p.firstcar);
    switch (op.range->action) {
        case RangeAction::Up:
            doc.Up_Click();
            break;
        case RangeAction::Down:
            doc.Down_Click();
            break;
        case RangeAction::Left:
            doc.Leeeft_Click();
            break;
        case RangeAction::Right:
            doc.Right_Click();
            break;
        case RangeAction::Clear:
            doc.Dele_Click();
            break;
        case RangeAction::Transform:
            doc.Transform(op.range->transform, op.slant);
            break;
    }
}

int RunTransform(const Args& args, Io& io) {
    const std::vector<std::string>& words = args.positional();
    if (words.size() < 3) throw UsageError("expected an input file, an output file and operations");
    // Every operation is understood before the font is read, and the output is written only
    // once all of them have succeeded.
    std::vector<Operation> operations;
    for (std::size_t n = 2; n < words.size(); ++n) operations.push_back(ParseOperation(words[n]));
    const OutputType type = OutputTypeFor(words[1], args);
    const CLayout layout = LayoutFor(args, type);
    FontDocument doc(ReadFont(words[0], args, io.err));
    for (const Operation& op : operations) Apply(doc, op);
    WriteFont(doc.font(), words[1], type, io.err, layout);
    return 0;
}

}  // namespace

Command TransformCommand() {
    return {"transform", "transform IN OUT OP... [--to pzf|bin|c|txt|bdf|gfx] [layout options]",
            "Applies editing operations in the order given and writes the result:\n"
            "      add-row-top, add-row-bottom, add-column-left, add-column-right,\n"
            "      remove-row-top, remove-row-bottom, remove-column-left, remove-column-right\n"
            "      (every character), and move-up:RANGE, move-down:RANGE, move-left:RANGE,\n"
            "      move-right:RANGE, clear:RANGE, flip-h:RANGE, flip-v:RANGE, rotate-180:RANGE,\n"
            "      invert:RANGE, bold:RANGE, italic:RANGE[:SLANT], where RANGE is HEX or HEX-HEX\n"
            "      character codes and SLANT italic's rows a pixel, 2 to 8 (4 by default)." +
                std::string(kInputHelp) + kOutputHelp,
            InputOptionsAndTo(), RunTransform};
}

}  // namespace pixmere::cli
