#include "formats/TxtFile.h"

#include "formats/ParameterLines.h"
#include "model/Pixels.h"
#include "model/UserError.h"

namespace pixmere {

namespace {

[[noreturn]] void Refuse() { throw UserError(kBadFontFileMessage); }

std::string_view NextLine(TextLines& lines) {
    const std::optional<std::string_view> line = lines.next();
    if (!line) Refuse();
    return *line;
}

void EmptyLine(TextLines& lines) {
    if (!NextLine(lines).empty()) Refuse();
}

// One picture row into row y of character i.
void ReadRow(std::string_view row, const FontParams& p, ByteMatrix& matrix, int y, int i) {
    if (row.size() > static_cast<std::size_t>(p.NbByteMatrix()) * 8) Refuse();
    for (std::size_t x = 0; x < row.size(); ++x) {
        if (row[x] == '#') {
            SetPixelAt(matrix.row(y, i), static_cast<int>(x));
        } else if (row[x] != ' ') {
            Refuse();
        }
    }
}

}  // namespace

LoadedFont LoadTXT(std::span<const uint8_t> file) {
    // The last row ends its line: a file cut inside a row would otherwise read as spaces.
    if (file.size() > kTxtLargestFile || file.empty() || file.back() != '\n') Refuse();
    TextLines lines(file);
    const std::optional<FontParams> params = ReadParameterLines(lines);
    if (!params) Refuse();
    LoadedFont loaded;
    loaded.params = *params;
    const FontParams& p = loaded.params;
    loaded.matrix = p.blankMatrix();
    EmptyLine(lines);
    EmptyLine(lines);
    for (int i = 0; i < p.NbCar; ++i) {
        EmptyLine(lines);
        if (LabelledNumber(NextLine(lines), "// Car") != p.firstcar + i) Refuse();
        for (int y = 0; y < p.FormatHeightCar; ++y)
            ReadRow(NextLine(lines), p, loaded.matrix, y, i);
    }
    while (const std::optional<std::string_view> line = lines.next()) {
        if (!line->empty()) Refuse();
    }
    return loaded;
}

}  // namespace pixmere
