#include "formats/FontFile.h"

#include "formats/BdfExport.h"
#include "formats/Exports.h"
#include "formats/GfxFont.h"
#include "formats/NativeFile.h"

namespace pixmere {

FontFileBytes FontFileContent(const Font& font, FontFileType type, const std::string& documentName,
                              const CLayout& layout) {
    switch (type) {
        case FontFileType::Native: {
            NativeSave saved = SaveNative(font);
            return {std::move(saved.bytes), saved.droppedBelow20};
        }
        case FontFileType::Bin:
            return {saveBin(font), false};
        case FontFileType::C:
            return {saveC(font, layout, documentName), false};
        case FontFileType::Txt:
            return {saveTXT(font), false};
        case FontFileType::Bdf:
            return {saveBDF(font, documentName), false};
        case FontFileType::Gfx:
            return {saveGFX(font, documentName, layout.advance), false};
    }
    return {};
}

}  // namespace pixmere
