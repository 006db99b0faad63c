#include "formats/InputFormats.h"

#include <algorithm>

#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/GfxFont.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "formats/TxtFile.h"
#include "model/UserError.h"

namespace pixmere {

namespace {

ImportedFont ReadNative(std::span<const uint8_t> bytes, const ReadChoices&) {
    return LoadNative(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}
ImportedFont ReadFnt(std::span<const uint8_t> bytes, const ReadChoices&) { return FntBegin(bytes); }
ImportedFont ReadFon(std::span<const uint8_t> bytes, const ReadChoices& choices) {
    return LoadFonFont(bytes, choices.libraryFont);
}
ImportedFont ReadC(std::span<const uint8_t> bytes, const ReadChoices& choices) {
    if (choices.cell) return ParseCFile(bytes, *choices.cell);
    const std::optional<FontParams> own = CFileParameters(bytes);
    if (!own) throw UserError(kBadCFileMessage);
    return ParseCFile(bytes, *own);
}
ImportedFont ReadBdfPcf(std::span<const uint8_t> bytes, const ReadChoices&) {
    return LoadBdfPcf(bytes);
}
ImportedFont ReadPsf(std::span<const uint8_t> bytes, const ReadChoices&) { return LoadPsf(bytes); }
ImportedFont ReadBin(std::span<const uint8_t> bytes, const ReadChoices& choices) {
    return LoadBin(bytes, choices.magnification);
}
ImportedFont ReadTxt(std::span<const uint8_t> bytes, const ReadChoices&) { return LoadTXT(bytes); }
ImportedFont ReadGfx(std::span<const uint8_t> bytes, const ReadChoices&) { return LoadGfx(bytes); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A name that is only the ending names no file of the type; folders do not count.
bool EndsWith(std::string_view fileName, const std::string& ending) {
    if (const auto slash = fileName.rfind('/'); slash != std::string_view::npos) {
        fileName.remove_prefix(slash + 1);
    }
    return fileName.size() > ending.size() &&
           std::equal(ending.begin(), ending.end(), fileName.end() - ending.size(),
                      [](char e, char c) { return e == Lower(c); });
}

}  // namespace

const std::vector<InputFormat>& InputFormats() {
    using enum InputQuestion;
    static const std::vector<InputFormat> formats = {
        {"Velmar Font",
         {".pzf"},
         kNativeLargestFile,
         None,
         ReadNative,
         nullptr,
         nullptr,
         "a .pzf font"},
        {"FNT Font",
         {".fnt"},
         kFntLargestFile,
         None,
         ReadFnt,
         "Font &FNT",
         "ImportFNT",
         "a Windows .fnt resource"},
        {"FON Font",
         {".fon"},
         kFonLargestFile,
         LibraryFont,
         ReadFon,
         "Font F&ON",
         "ImportFON",
         "a Windows .fon library"},
        {"C File", {".c"}, kCLargestFile, Cell, ReadC, "Font &C File", "ImportC", "a C table .c"},
        {"BDF / PCF Font",
         {".bdf", ".pcf", ".pcf.gz"},
         kBdfPcfLargestFile,
         None,
         ReadBdfPcf,
         "Font B&DF / PCF",
         "ImportBDF",
         "an X11 bitmap font .bdf, .pcf or .pcf.gz"},
        {"PSF Font",
         {".psf", ".psf.gz"},
         kPsfLargestFile,
         None,
         ReadPsf,
         "Font &PSF",
         "ImportPSF",
         "a Linux console font .psf or .psf.gz"},
        {"Bin Velmar",
         {".bin"},
         kBinLargestFile,
         Magnification,
         ReadBin,
         "&Bin Velmar",
         "ImportBIN",
         "a printer download file .bin"},
        {"Text File",
         {".txt"},
         kTxtLargestFile,
         None,
         ReadTxt,
         nullptr,
         nullptr,
         "a text picture .txt"},
        {"GFX Font",
         {".h"},
         kGfxLargestFile,
         None,
         ReadGfx,
         "Font &GFX",
         "ImportGFX",
         "an Adafruit GFX font header .h"},
    };
    return formats;
}

const InputFormat& NativeFormat() { return InputFormats().front(); }

std::string InputFormat::Filter() const {
    std::string filter = std::string(name) + "|";
    for (const std::string& ending : endings) {
        filter += (&ending == &endings.front() ? "*" : " *") + ending;
    }
    return filter;
}

bool InputFormat::Names(std::string_view fileName) const {
    return std::any_of(endings.begin(), endings.end(),
                       [&](const std::string& ending) { return EndsWith(fileName, ending); });
}

const std::string& InputFormat::EndingOf(std::string_view fileName) const {
    const std::string* found = &endings.front();
    std::size_t longest = 0;
    for (const std::string& ending : endings) {
        if (ending.size() > longest && EndsWith(fileName, ending)) {
            found = &ending;
            longest = ending.size();
        }
    }
    return *found;
}

const InputFormat* InputFormatOf(std::string_view fileName) {
    // The longest ending decides: "x.pcf.gz" is a compressed PCF, not something ending ".gz".
    const InputFormat* found = nullptr;
    std::size_t longest = 0;
    for (const InputFormat& format : InputFormats()) {
        for (const std::string& ending : format.endings) {
            if (ending.size() > longest && EndsWith(fileName, ending)) {
                found = &format;
                longest = ending.size();
            }
        }
    }
    return found;
}

std::string InputEndings() {
    std::string all;
    for (const InputFormat& format : InputFormats()) {
        for (const std::string& ending : format.endings) all += (all.empty() ? "" : ", ") + ending;
    }
    return all;
}

}  // namespace pixmere
