#include <gtest/gtest.h>

#include "TtfTestSupport.h"
#include "truetype/TtfImport.h"

namespace pixmere::test {
namespace {

TEST(TtfImport, PacksEachResultIntoTheMatrixMostSignificantBitFirst) {
    for (const int width : {8, 9, 13}) {
        TtfConverter c = Loaded(DejaVu(), Cell(12, width, 2, 0x41, 0x44));
        std::vector<std::vector<std::string>> results;
        const TtfImportResult r = c.FullAuto_Click([&](const TtfProgress&) {
            results.push_back(ResultPicture(c.state));
            return true;
        });
        ASSERT_EQ(r.status, TtfImportResult::Status::Done) << r.message;
        const int bytes = width <= 8 ? 1 : 2;
        const Font& font = r.font;
        EXPECT_EQ(font.glyphData().size(), 4u * 12 * bytes);
        EXPECT_EQ(font.params.NbCar, 4);
        ASSERT_EQ(results.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            // All bytes, padding bits included: the result, then clear padding.
            std::vector<std::string> expected = results[i];
            for (std::string& row : expected) row.resize(bytes * 8, '.');
            EXPECT_EQ(Joined(GlyphPicture(font.glyphs[i])), Joined(expected));
        }
        EXPECT_NE(Joined(results[0]).find('#'), std::string::npos);  // "A" has ink
    }
}

TEST(TtfImport, ProgressIsReportedPerCharacterAndCancelStopsAfterIt) {
    const FontParams cell = Cell(10, 8, 0, 0x41, 0x48);
    std::vector<int> codes;
    const TtfImportResult done = ImportTtfRange(DejaVu(), cell, {}, [&](const TtfProgress& p) {
        codes.push_back(p.code);
        EXPECT_EQ(p.count, 8);
        EXPECT_EQ(p.done, static_cast<int>(codes.size()));
        return true;
    });
    EXPECT_EQ(done.status, TtfImportResult::Status::Done);
    EXPECT_EQ(codes, (std::vector<int>{0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48}));

    int calls = 0;
    const TtfImportResult cancelled =
        ImportTtfRange(DejaVu(), cell, {}, [&](const TtfProgress&) { return ++calls < 3; });
    EXPECT_EQ(cancelled.status, TtfImportResult::Status::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(cancelled.font.glyphs.empty());

    // The dialog's Cancel sets the closing flag between two characters.
    TtfConverter c = Loaded(DejaVu(), Cell(10, 8, 0, 0x41, 0x48));
    calls = 0;
    const TtfImportResult closed = c.FullAuto_Click([&](const TtfProgress&) {
        if (++calls == 2) c.state.ClosingFlag = true;
        return true;
    });
    EXPECT_EQ(closed.status, TtfImportResult::Status::Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(c.state.ClosingFlag);
}

TEST(TtfImport, SettingsChangedBetweenCharactersApplyToTheNextOnes) {
    TtfConverter c = Loaded(DejaVu(), Cell(16, 16, 3, 0x4F, 0x50));
    std::vector<int> shiftCounts;
    std::vector<std::string> converted;
    const TtfImportResult r = c.FullAuto_Click([&](const TtfProgress&) {
        shiftCounts.push_back(c.state.ShiftCount);
        converted.push_back(Joined(ResultPicture(c.state)));
        c.state.ShiftMode = 1;            // "8 decalages" picked during the first character
        c.Fit_Change(TtfFit::WholeFace);  // and a preview converted with another fitting
        return true;
    });
    ASSERT_EQ(r.status, TtfImportResult::Status::Done);
    EXPECT_EQ(shiftCounts, (std::vector<int>{4, 8}));
    // Each character is the one the range converted, not the preview converted after it.
    ASSERT_EQ(converted.size(), 2u);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(Joined(GlyphPicture(r.font.glyphs[i], 16)), converted[i]);
}

TEST(TtfImport, FailureEndsTheImportWithoutAFont) {
    // Without an "X" the reference fit leaves a zero step, and the fitting divides by it.
    const TtfImportResult r = ImportTtfRange(ShapesFace(false), Cell(16, 16, 0, 0x41, 0x5A));
    EXPECT_EQ(r.status, TtfImportResult::Status::Failed);
    EXPECT_EQ(r.message, "Datas Extraction Failure.");
    EXPECT_TRUE(r.font.glyphs.empty());

    // With one, the same face converts; a range of one character gives one glyph.
    const TtfImportResult x = ImportTtfRange(ShapesFace(true), Cell(16, 16, 3, 0x58, 0x58));
    ASSERT_EQ(x.status, TtfImportResult::Status::Done);
    const Font& font = x.font;
    ASSERT_EQ(font.glyphs.size(), 1u);
    EXPECT_TRUE(font.params.firstcar == 0x58 && font.params.jambon == 3);
    EXPECT_EQ(GlyphPicture(font.glyphs[0], 16)[0], "################")
        << Joined(GlyphPicture(font.glyphs[0], 16));
}

TEST(TtfImport, RefusesParametersTheDialogRefuses) {
    for (const FontParams& bad :
         {Cell(8, 8, 9), Cell(16, 8, 0, 0x50, 0x40), Cell(16, 0, 0), Cell(0, 8, 0)}) {
        EXPECT_THROW(ImportTtfRange(DejaVu(), bad), std::invalid_argument);
    }
}

}  // namespace
}  // namespace pixmere::test
