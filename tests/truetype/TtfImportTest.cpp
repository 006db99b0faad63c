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
        EXPECT_EQ(r.font.matrix.bytesPerRow(), bytes);
        EXPECT_EQ(r.font.matrix.data().size(), 4u * 12 * bytes);
        EXPECT_EQ(r.font.params.NbCar, 4);
        ASSERT_EQ(results.size(), 4u);
        const Font font = BuildTtfFont(r.font);
        for (int i = 0; i < 4; ++i) {
            // All bytes, padding bits included: the result, then clear padding.
            std::vector<std::string> expected = results[i];
            for (std::string& row : expected) row.resize(bytes * 8, '.');
            EXPECT_EQ(Joined(GlyphPicture(font.glyphs[i])), Joined(expected));
        }
        EXPECT_NE(Joined(results[0]).find('#'), std::string::npos);  // "A" has ink
    }
    // The glyph array is built from the matrix only when the matrix holds the whole font.
    EXPECT_THROW(CreateObjectTTF(10, 4, ByteMatrix(2, 3, 2), 0x30, 0x31), std::invalid_argument);
}

TEST(TtfImport, ProgressIsReportedPerCharacterAndCancelStopsAfterIt) {
    const TtfImportRequest request{.height = 10, .width = 8, .first = 0x41, .last = 0x48};
    std::vector<int> codes;
    const TtfImportResult done = ImportTtfRange(DejaVu(), request, [&](const TtfProgress& p) {
        codes.push_back(p.code);
        EXPECT_EQ(p.count, 8);
        EXPECT_EQ(p.done, static_cast<int>(codes.size()));
        return true;
    });
    EXPECT_EQ(done.status, TtfImportResult::Status::Done);
    EXPECT_EQ(codes, (std::vector<int>{0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48}));

    int calls = 0;
    const TtfImportResult cancelled =
        ImportTtfRange(DejaVu(), request, [&](const TtfProgress&) { return ++calls < 3; });
    EXPECT_EQ(cancelled.status, TtfImportResult::Status::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(cancelled.font.matrix.data().size(), 0u);

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
    const TtfImportResult r = c.FullAuto_Click([&](const TtfProgress&) {
        shiftCounts.push_back(c.state.ShiftCount);
        c.state.ShiftMode = 1;  // "8 decalages" picked during the first character
        return true;
    });
    ASSERT_EQ(r.status, TtfImportResult::Status::Done);
    EXPECT_EQ(shiftCounts, (std::vector<int>{4, 8}));
}

TEST(TtfImport, FailureEndsTheImportWithoutAFont) {
    // Without an "X" the reference fit leaves a zero step, and the fitting divides by it.
    TtfImportRequest request{.height = 16, .width = 16, .first = 0x41, .last = 0x5A};
    const TtfImportResult r = ImportTtfRange(ShapesFace(false), request);
    EXPECT_EQ(r.status, TtfImportResult::Status::Failed);
    EXPECT_EQ(r.message, "Datas Extraction Failure.");
    EXPECT_EQ(r.font.matrix.data().size(), 0u);

    // With one, the same face converts; a range of one character gives one glyph.
    request.first = request.last = 0x58;
    request.downstroke = 3;
    const TtfImportResult x = ImportTtfRange(ShapesFace(true), request);
    ASSERT_EQ(x.status, TtfImportResult::Status::Done);
    const Font font = BuildTtfFont(x.font);
    ASSERT_EQ(font.glyphs.size(), 1u);
    EXPECT_TRUE(font.params.firstcar == 0x58 && font.params.jambon == 3);
    EXPECT_EQ(GlyphPicture(font.glyphs[0], 16)[0], "################")
        << Joined(GlyphPicture(font.glyphs[0], 16));
}

TEST(TtfImport, RefusesParametersTheDialogRefuses) {
    for (const TtfImportRequest& bad :
         {TtfImportRequest{.height = 8, .downstroke = 9},
          TtfImportRequest{.first = 0x50, .last = 0x40}, TtfImportRequest{.width = 0},
          TtfImportRequest{.height = 0}}) {
        EXPECT_THROW(ImportTtfRange(DejaVu(), bad), std::invalid_argument);
    }
}

}  // namespace
}  // namespace pixmere::test
