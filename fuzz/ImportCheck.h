#pragma once

#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "formats/BdfPcfFile.h"
#include "formats/FontFile.h"

namespace pixmere::fuzz {

// A document name from the input's last bytes, which the BDF and PCF readers and the gzip
// framing mostly leave alone, so the fuzzer can vary the name without spoiling the font.
inline std::string TrailingName(const uint8_t* data, std::size_t size) {
    const std::size_t length = std::min<std::size_t>(size, 16);
    return std::string(reinterpret_cast<const char*>(data + size - length), length);
}

// What every import into cells keeps: a sound font, a count of cut characters that are the
// font's, and a BDF export (named from the input) that imports back to the same font, nothing cut.
inline void CheckImported(const ImportedFont& imported, const uint8_t* data, std::size_t size) {
    const Font font = imported.font.build();
    CheckFont(font);
    Check(imported.charactersCut >= 0 && imported.charactersCut <= font.params.NbCar,
          "only characters of the font are counted as cut");
    const FontFileBytes bdf = FontFileContent(font, FontFileType::Bdf, TrailingName(data, size));
    const ImportedFont back = LoadBdfPcf(bdf.bytes);
    Check(back.charactersCut == 0, "an exported BDF font fits its cell");
    Check(SameFont(back.font.build(), font), "an exported BDF font imports back the same");
}

}  // namespace pixmere::fuzz
