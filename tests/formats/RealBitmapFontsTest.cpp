#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "formats/BdfPcfFile.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

struct Sweep {
    int imported = 0;
    int refused = 0;
};

// Every file of a folder whose name ends with `ending` imports or is refused with a message;
// anything else (another exception, a crash under the sanitizers) fails.
template <typename Load>
Sweep ImportEvery(const std::string& folder, const std::string& ending, Load load) {
    Sweep sweep;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        const std::string path = item.path().string();
        if (!path.ends_with(ending)) continue;
        try {
            const ImportedFont imported = load(test::ReadAll(path));
            const Font font = imported.font.build();
            EXPECT_TRUE(font.params.valid()) << path;
            ++sweep.imported;
        } catch (const UserError& e) {
            EXPECT_NE(std::string(e.what()), "") << path;
            ++sweep.refused;
        }
    }
    return sweep;
}

TEST(RealBitmapFonts, EveryX11MiscAndConsoleFontImportsOrIsRefusedWithAMessage) {
    const Sweep pcf = ImportEvery("/usr/share/fonts/X11/misc", ".pcf.gz", LoadBdfPcf);
    const Sweep psf = ImportEvery("/usr/share/consolefonts", ".psf.gz", LoadPsf);
    std::cout << "X11 misc PCF: " << pcf.imported << " imported, " << pcf.refused << " refused\n"
              << "console PSF: " << psf.imported << " imported, " << psf.refused << " refused\n";
    // xfonts-base and xfonts-terminus put over 600 fonts there, console-setup-linux over 400.
    EXPECT_GE(pcf.imported + pcf.refused, 600) << "xfonts-base or xfonts-terminus missing";
    EXPECT_GE(psf.imported + psf.refused, 400) << "console-setup-linux missing";
    // Most are Latin, Cyrillic or Greek fonts that have the codes 00-FF.
    EXPECT_GE(pcf.imported, 600);
    EXPECT_GE(psf.imported, 400);
}

}  // namespace
}  // namespace pixmere
