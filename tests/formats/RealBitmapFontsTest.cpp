#include <gtest/gtest.h>

#include <filesystem>

#include "formats/BdfPcfFile.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

// Every X11 misc and console font of the machine imports or is refused with a message; anything
// else (another exception, a crash under the sanitizers) fails. Most are Latin, Cyrillic or
// Greek fonts that have the codes 00-FF: over 600 PCF fonts that xfonts-base and
// xfonts-terminus install import, and over 400 console fonts of console-setup-linux.
TEST(RealBitmapFonts, EveryX11MiscAndConsoleFontImportsOrIsRefusedWithAMessage) {
    const struct {
        const char* folder;
        const char* ending;
        ImportedFont (*load)(std::span<const uint8_t>);
        int least;
        const char* packages;
    } sweeps[] = {{"/usr/share/fonts/X11/misc", ".pcf.gz", LoadBdfPcf, 600,
                   "xfonts-base and xfonts-terminus"},
                  {"/usr/share/consolefonts", ".psf.gz", LoadPsf, 400, "console-setup-linux"}};
    for (const auto& sweep : sweeps) {
        int imported = 0, refused = 0;
        std::error_code missing;
        for (const auto& item : std::filesystem::directory_iterator(sweep.folder, missing)) {
            const std::string path = item.path().string();
            if (!path.ends_with(sweep.ending)) continue;
            try {
                EXPECT_TRUE(sweep.load(test::ReadAll(path)).font.build().params.valid()) << path;
                ++imported;
            } catch (const UserError& e) {
                EXPECT_NE(std::string(e.what()), "") << path;
                ++refused;
            }
        }
        EXPECT_GE(imported + refused, sweep.least) << "are " << sweep.packages << " installed?";
        EXPECT_GE(imported, sweep.least) << refused << " refused in " << sweep.folder;
    }
}

}  // namespace
}  // namespace pixmere
