#include "formats/FontFile.h"

#include "formats/BdfExport.h"
#include "formats/Exports.h"
#include "formats/NativeFile.h"

namespace pixmere {

FontFileBytes FontFileContent(const Font& font, FontFileType type,
                              const std::string& documentName) {
    switch (type) {
        case FontFileType::Native: {
            NativeSave saved = SaveNative(font);
            return {std::move(saved.bytes), saved.droppedBelow20};
        }
        case FontFileType::Bin:
            return {saveBin(font), false};
        case FontFileType::C:
            return {saveC(font), false};
        case FontFileType::Txt:
            return {saveTXT(font), false};
        case FontFileType::Bdf:
            return {saveBDF(font, documentName), false};
    }
    return {};
}

}  // namespace pixmere
